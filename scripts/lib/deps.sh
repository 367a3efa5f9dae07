# Debian packages the project needs, installed only when missing.
# Sourced by scripts/test and scripts/run.

ORBITRA_PACOTES=(
  cmake ninja-build g++ pkg-config clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  libicu-dev qt6-base-dev libpq-dev postgresql libsimpleini-dev
  libcurl4-openssl-dev nlohmann-json3-dev libzip-dev
  binutils-mingw-w64-x86-64 python3 zip dpkg-dev desktop-file-utils locales
)

orbitra_instala_dependencias() {
  local faltam=()
  local p
  for p in "${ORBITRA_PACOTES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      faltam+=("$p")
    fi
  done
  if [ ${#faltam[@]} -eq 0 ]; then
    return 0
  fi
  echo "Instalando pacotes: ${faltam[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${faltam[@]}"
}
