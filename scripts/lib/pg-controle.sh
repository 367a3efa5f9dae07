#!/usr/bin/env bash
# Stops or starts the throwaway test cluster, for the tests that take the
# database away between two exports.
#   pg-controle.sh para|inicia PASTA
set -euo pipefail
source "$(dirname "$0")/postgres.sh"
case "$1" in
  para) orbitra_pg_para "$2" ;;
  inicia) orbitra_pg_inicia "$2" '' ;;
  *) echo "uso: $0 para|inicia PASTA" >&2; exit 2 ;;
esac
