#!/usr/bin/env bash
# Runs some tests of a test program as an unprivileged user. Root ignores
# file permissions, so tests of read-only folders prove nothing as root; CI
# runs as root. The program is copied where that user can reach it.
#   sem-privilegio.sh PROGRAMA FILTRO [OUTRO_EXECUTAVEL]
# OUTRO_EXECUTAVEL, when given, is copied too and named to the tests in
# ORBITRA_CARGABAL.
set -euo pipefail
programa=$1
filtro=$2
if [ "$(id -u)" -ne 0 ]; then
  exec "$programa" --gtest_filter="$filtro"
fi
# Tests that read fixtures from the source folder need that user to reach it.
if [ -n "${ORBITRA_PRECISA_LER:-}" ] &&
   ! runuser -u nobody -- test -r "$ORBITRA_PRECISA_LER"; then
  echo "ignorado: o usuário nobody não alcança $ORBITRA_PRECISA_LER"
  exit 0
fi
pasta=$(mktemp -d)
trap 'rm -rf "$pasta"' EXIT
chmod 755 "$pasta"
cp "$programa" "$pasta/"
ambiente=()
if [ $# -ge 3 ]; then
  cp "$3" "$pasta/"
  ambiente=("ORBITRA_CARGABAL=$pasta/$(basename "$3")")
fi
chmod -R a+rX "$pasta"
cd "$pasta"
runuser -u nobody -- env "${ambiente[@]}" "$pasta/$(basename "$programa")" \
  --gtest_filter="$filtro" >"$pasta/saida" 2>&1 || { cat "$pasta/saida"; exit 1; }
cat "$pasta/saida"
# Every selected test must have run: none skipped for lack of rights.
grep -q '^\[  PASSED  \] [1-9]' "$pasta/saida"
! grep -q '^\[  SKIPPED \]' "$pasta/saida"
