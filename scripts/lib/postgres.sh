# Throwaway PostgreSQL clusters for the tests, the demo and the benchmark.
# Sourced; PostgreSQL refuses to run as root, so as root the cluster belongs
# to the "postgres" system user.

orbitra_pg_bin() {
  local d
  d=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  if [ -z "$d" ]; then
    echo "PostgreSQL não encontrado em /usr/lib/postgresql (pacote postgresql)." >&2
    return 1
  fi
  echo "$d"
}

# Runs a command as the cluster's owner.
orbitra_pg_como_dono() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

# orbitra_pg_cria PASTA [argumentos de initdb...]
# Makes PASTA (owned by the cluster's owner) with dados/ and sock/ inside.
orbitra_pg_cria() {
  local pasta=$1; shift
  local bin; bin=$(orbitra_pg_bin) || return 1
  mkdir -p "$pasta/sock"
  if [ "$(id -u)" -eq 0 ]; then chown -R postgres: "$pasta"; fi
  chmod 700 "$pasta"
  orbitra_pg_como_dono "$bin/initdb" -D "$pasta/dados" -U postgres -E UTF8 \
    --locale=C.UTF-8 "$@" >"$pasta/initdb.log" 2>&1 || {
    cat "$pasta/initdb.log" >&2
    return 1
  }
}

# orbitra_pg_inicia PASTA ENDERECOS
# Starts the cluster on port 5432, its socket in PASTA/sock; ENDERECOS is
# listen_addresses ('' for the socket only).
orbitra_pg_inicia() {
  local pasta=$1 enderecos=$2
  local bin; bin=$(orbitra_pg_bin) || return 1
  orbitra_pg_como_dono "$bin/pg_ctl" -D "$pasta/dados" -l "$pasta/servidor.log" -w -t 60 \
    -o "-c listen_addresses='$enderecos' -k $pasta/sock -p 5432 -c fsync=off" start >/dev/null || {
    cat "$pasta/servidor.log" >&2
    return 1
  }
}

orbitra_pg_para() {
  local pasta=$1
  local bin; bin=$(orbitra_pg_bin) || return 1
  orbitra_pg_como_dono "$bin/pg_ctl" -D "$pasta/dados" -m fast -w stop >/dev/null 2>&1 || true
}

# psql through the cluster's socket as the "postgres" role.
orbitra_pg_psql() {
  local pasta=$1; shift
  psql -X -q -v ON_ERROR_STOP=1 -h "$pasta/sock" -p 5432 -U postgres "$@"
}

# The store's tables, as the product query reads them.
orbitra_pg_tabelas_sql() {
  cat "$(dirname "${BASH_SOURCE[0]}")/postgres-tabelas.sql"
}
