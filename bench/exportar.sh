#!/usr/bin/env bash
# The export of a large catalogue: `cargabal exportar` next to psql's \copy of
# the same product query, in one run on a throwaway cluster. Prints the
# median times, their ratio and the peak memory of each.
#   bench/exportar.sh [PRODUTOS] [REPETICOES] [MODELO]
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
source "$raiz/scripts/lib/postgres.sh"
build="${ORBITRA_BUILD_DIR:-$raiz/build}"
cargabal="$build/cli/cargabal"
produtos=${1:-100000}
repeticoes=${2:-5}
modelo=${3:-Toledo}
[ -x "$cargabal" ] || { echo "Construa antes: cmake --build $build --target cargabal_cli" >&2; exit 2; }

pasta=$(mktemp -d /tmp/orbitra-bench-exportar.XXXXXX)
chmod 755 "$pasta"
trap 'orbitra_pg_para "$pasta/pg"; rm -rf "$pasta"' EXIT
orbitra_pg_cria "$pasta/pg" --auth=trust
orbitra_pg_inicia "$pasta/pg" ''
orbitra_pg_psql "$pasta/pg" -d postgres -c 'CREATE DATABASE orbitra'
orbitra_pg_tabelas_sql | orbitra_pg_psql "$pasta/pg" -d orbitra
orbitra_pg_psql "$pasta/pg" -d orbitra <<SQL
INSERT INTO grupo SELECT g, 'GRUPO ' || g FROM generate_series(1, 20) g;
INSERT INTO produto
SELECT i, 'PRODUTO ' || i || ' AÇÚCAR MASCAVO', round((random() * 200)::numeric, 2)::float8,
       i % 365, 1 + i % 20, CASE WHEN i % 3 = 0 THEN 'KU' ELSE 'KG' END,
       CASE WHEN i % 50 = 0 THEN true END, round((random() * 200)::numeric, 2)::float8
FROM generate_series(1, $produtos) i;
ANALYZE;
SQL

printf '[bd]\nhost=%s\nnome=orbitra\n' "$pasta/pg/sock" >"$pasta/arquivo.ini"
mkdir -p "$pasta/carga"
# The window's query with the parameter false, as the export sends it.
consulta="SELECT codproduto, descricao, preco, validade, 0 as Tecla, '' as Receita,
 '' as nutricional, g.codgrupo, g.nomegrupo, p.unidademedida, p.precofuturo
 FROM produto p INNER JOIN grupo g ON p.codgrupo=g.codgrupo
 WHERE (unidademedida='KG' OR unidademedida='KU') and p.inativo is not true
 and case when false is true then p.precofuturo > 0 else true end"
consulta=$(tr '\n' ' ' <<<"$consulta")

# mede NOME COMANDO...: appends "nanoseconds peak_kB" to $pasta/NOME.
mede() {
  local nome=$1; shift
  local inicio fim
  inicio=$(date +%s%N)
  /usr/bin/time -f '%M' -o "$pasta/mem" "$@" >/dev/null
  fim=$(date +%s%N)
  echo "$((fim - inicio)) $(tail -n 1 "$pasta/mem")" >>"$pasta/$nome"
}

for ((r = 0; r < repeticoes; r++)); do
  mede exportar "$cargabal" exportar --ini "$pasta/arquivo.ini" --modelo "$modelo" \
    --destino "$pasta/carga"
  # The same export with the heap on transparent huge pages: the records are
  # ~1.7 kB each, and on virtual machines first-touch page faults dominate.
  mede exportar_thp env GLIBC_TUNABLES=glibc.malloc.hugetlb=1 "$cargabal" exportar \
    --ini "$pasta/arquivo.ini" --modelo "$modelo" --destino "$pasta/carga"
  mede copy psql -X -q -h "$pasta/pg/sock" -U postgres -d orbitra \
    -c "\\copy ($consulta) to '$pasta/copy.txt'"
done

mediana() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
t_exp=$(cut -d' ' -f1 "$pasta/exportar" | mediana)
t_cop=$(cut -d' ' -f1 "$pasta/copy" | mediana)
t_thp=$(cut -d' ' -f1 "$pasta/exportar_thp" | mediana)
m_exp=$(cut -d' ' -f2 "$pasta/exportar" | sort -n | tail -n 1)
m_cop=$(cut -d' ' -f2 "$pasta/copy" | sort -n | tail -n 1)
linhas=$(wc -l <"$pasta/copy.txt")
arquivos=$(ls "$pasta/carga")
echo "Produtos exportados: $linhas de $produtos; modelo $modelo; arquivos: $arquivos"
awk -v a="$t_exp" -v b="$t_cop" -v c="$t_thp" -v ma="$m_exp" -v mb="$m_cop" -v n="$linhas" -v r="$repeticoes" 'BEGIN {
  printf "cargabal exportar: %8.1f ms (mediana de %d)  pico %7.1f MB  (%.0f bytes por produto)\n", a / 1e6, r, ma / 1024, ma * 1024 / n
  printf "psql \\copy:        %8.1f ms (mediana de %d)  pico %7.1f MB\n", b / 1e6, r, mb / 1024
  printf "exportar (malloc em huge pages): %8.1f ms\n", c / 1e6
  printf "razão exportar / \\copy: %.2f   (com huge pages: %.2f)\n", a / b, c / b
}'
