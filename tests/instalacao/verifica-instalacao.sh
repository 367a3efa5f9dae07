#!/usr/bin/env bash
# Installs the build into a scratch folder and builds the Debian package, then
# checks what a desktop and dpkg would see.
#   verifica-instalacao.sh BUILD_DIR COM_JANELA(ON|OFF)
set -euo pipefail
build=$1
com_janela=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
falha() { echo "FALHA: $*" >&2; exit 1; }

DESTDIR="$tmp/raiz" cmake --install "$build" --prefix /usr >/dev/null
raiz="$tmp/raiz/usr"
[ -x "$raiz/lib/orbitra-cargabal/cargabal" ] || falha "cargabal não foi instalado"
[ "$(readlink "$raiz/bin/cargabal")" = ../lib/orbitra-cargabal/cargabal ] ||
  falha "bin/cargabal não aponta para a pasta do programa"
modelos=$("$raiz/bin/cargabal" modelos) || falha "cargabal instalado não roda"
grep -q "^modFilizola" <<<"$modelos" || falha "cargabal modelos"
if [ "$com_janela" = ON ]; then
  [ -x "$raiz/lib/orbitra-cargabal/OrbitraCargaBal" ] || falha "OrbitraCargaBal não foi instalado"
  [ -L "$raiz/bin/OrbitraCargaBal" ] || falha "falta o link bin/OrbitraCargaBal"
  desktop="$raiz/share/applications/orbitra-cargabal.desktop"
  [ -f "$desktop" ] || falha "falta a entrada .desktop"
  desktop-file-validate "$desktop" || falha "entrada .desktop inválida"
  grep -q '^Exec=OrbitraCargaBal$' "$desktop" || falha "Exec da entrada .desktop"
  [ -f "$raiz/share/icons/hicolor/scalable/apps/orbitra-cargabal.svg" ] || falha "falta o ícone"
fi

(cd "$build" && cpack -B "$tmp/pacote" >/dev/null) || falha "cpack falhou"
deb=$(ls "$tmp"/pacote/*.deb)
depende=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depende"
esperados=(libicu72 libpq5 libsimpleini1)
if [ "$com_janela" = ON ]; then esperados+=(libqt6widgets6); fi
if grep -q curl_easy_init <(nm -D "$raiz/lib/orbitra-cargabal/cargabal" 2>/dev/null); then
  esperados+=(libcurl4)
fi
for p in "${esperados[@]}"; do
  grep -q "\b$p\b" <<<"$depende" || falha "o pacote não depende de $p"
done
conteudo=$(dpkg-deb -c "$deb")
grep -q './usr/lib/orbitra-cargabal/cargabal' <<<"$conteudo" || falha "conteúdo do pacote"
echo "1 passed, 0 failed"
