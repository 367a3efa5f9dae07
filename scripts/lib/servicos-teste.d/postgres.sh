# A throwaway PostgreSQL cluster for the application's tests: Unix socket
# only (no TCP port taken), trust authentication, removed on exit.
# Sourced by scripts/test; the tests read ORBITRA_TEST_PGHOST.
source "$raiz/scripts/lib/postgres.sh"

orbitra_pg_teste=$(mktemp -d /tmp/orbitra-pg-teste.XXXXXX)
orbitra_ao_sair "rm -rf '$orbitra_pg_teste'"
orbitra_pg_cria "$orbitra_pg_teste" --auth=trust
orbitra_pg_inicia "$orbitra_pg_teste" ''
orbitra_ao_sair "orbitra_pg_para '$orbitra_pg_teste'"
export ORBITRA_TEST_PGHOST="$orbitra_pg_teste/sock"
export ORBITRA_TEST_PGUSER=postgres
export ORBITRA_TEST_PGPASTA="$orbitra_pg_teste"
echo "PostgreSQL de teste em $ORBITRA_TEST_PGHOST"
