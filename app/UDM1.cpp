#include "app/UDM1.hpp"

namespace loja {

TDM1::TDM1() {
    ZConnection1.Port = 5432;
    ZConnection1.Username = "postgres";
    // The stores' databases depend on these exact lines; the column names are
    // what the export reads.
    QueryProduto.SQL = {
        "SELECT codproduto, ",
        "       descricao, ",
        "       preco, ",
        "       validade, ",
        "       0 as Tecla, ",
        "       '' as Receita,",
        "       '' as nutricional, ",
        "       g.codgrupo, ",
        "       g.nomegrupo, ",
        "       p.unidademedida,",
        "       p.precofuturo",
        "FROM produto p",
        "INNER JOIN grupo g ON p.codgrupo=g.codgrupo",
        "WHERE (unidademedida='KG' OR unidademedida='KU')",
        "  and p.inativo is not true",
        "  and case when :precofuturo is true then p.precofuturo > 0 else true end",
    };
}

} // namespace loja
