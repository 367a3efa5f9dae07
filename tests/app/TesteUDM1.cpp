// The product source against a real PostgreSQL server: the query's filters,
// the parameter, null columns and the server's own error messages.
#include "BancoTeste.hpp"
#include "app/UDM1.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
#include <set>

namespace {

using loja::EBancoDados;
using loja::TDM1;
using testes::BancoTeste;
using ::testing::HasSubstr;

void Conecta(TDM1& dm, const std::string& banco) {
    dm.ZConnection1.Server = BancoTeste::Host();
    dm.ZConnection1.Username = BancoTeste::Usuario();
    dm.ZConnection1.Password = "x";
    dm.ZConnection1.Database = banco;
    dm.ZConnection1.SetConnected(true);
}

std::set<int> Codigos(TDM1& dm) {
    std::set<int> codigos;
    auto& q = dm.QueryProduto;
    for (q.First(); !q.Eof(); q.Next()) {
        codigos.insert(q.FieldByName("codproduto").AsInteger());
    }
    return codigos;
}

class ProdutoSource : public ::testing::Test {
protected:
    void SetUp() override {
        EXIGE_POSTGRES();
        FBanco = std::make_unique<BancoTeste>();
        Conecta(FDm, FBanco->Nome());
    }
    std::unique_ptr<BancoTeste> FBanco;
    TDM1 FDm;
};

TEST_F(ProdutoSource, FiltrosDaConsultaComOParametroSemValorFalsoEVerdadeiro) {
    FBanco->Sql(R"(
        INSERT INTO grupo VALUES (1, 'FRIOS');
        INSERT INTO produto (codproduto, descricao, preco, validade, codgrupo, unidademedida,
                             inativo, precofuturo) VALUES
          (1, 'KG ativo',            10, 5, 1, 'KG', false, 12),
          (2, 'KU inativo nulo',     10, 5, 1, 'KU', NULL,  0),
          (3, 'kg minusculo',        10, 5, 1, 'kg', false, 12),
          (4, 'inativo',             10, 5, 1, 'KG', true,  12),
          (5, 'sem grupo',           10, 5, 99, 'KG', false, 12),
          (6, 'unidade UN',          10, 5, 1, 'UN', false, 12),
          (7, 'futuro nulo',         10, 5, 1, 'KU', false, NULL),
          (8, 'futuro negativo',     10, 5, 1, 'KG', false, -1),
          (9, 'futuro positivo',     10, 5, 1, 'KU', NULL,  0.01);
    )");
    struct Caso {
        std::optional<bool> Parametro;
        std::set<int> Esperados;
    };
    const Caso casos[] = {
        {std::nullopt, {1, 2, 7, 8, 9}},
        {false, {1, 2, 7, 8, 9}},
        {true, {1, 9}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.Parametro ? (*c.Parametro ? "true" : "false") : "sem valor");
        auto& q = FDm.QueryProduto;
        q.Close();
        if (c.Parametro) {
            q.ParamByName("precofuturo").SetAsBoolean(*c.Parametro);
        } else {
            q.ParamByName("precofuturo").Clear();
        }
        q.Open();
        EXPECT_EQ(Codigos(FDm), c.Esperados);
    }
}

TEST_F(ProdutoSource, ColunasNulasLidasComoZeroOuTextoVazio) {
    FBanco->Sql("INSERT INTO grupo VALUES (1, NULL);"
                "INSERT INTO produto (codproduto, codgrupo, unidademedida) VALUES (7, 1, 'KU');");
    auto& q = FDm.QueryProduto;
    q.Open();
    ASSERT_FALSE(q.Eof());
    EXPECT_EQ(q.FieldByName("codproduto").AsInteger(), 7);
    EXPECT_EQ(q.FieldByName("descricao").AsString(), "");
    EXPECT_EQ(q.FieldByName("preco").AsFloat(), 0.0);
    EXPECT_EQ(q.FieldByName("precofuturo").AsFloat(), 0.0);
    EXPECT_EQ(q.FieldByName("validade").AsInteger(), 0);
    EXPECT_EQ(q.FieldByName("nomegrupo").AsString(), "");
    // The constant columns come back under the names the server gives them.
    EXPECT_EQ(q.FieldByName("tecla").AsInteger(), 0);
    EXPECT_EQ(q.FieldByName("receita").AsString(), "");
    EXPECT_THAT([&] { q.FieldByName("naoexiste"); },
                ::testing::ThrowsMessage<EBancoDados>(HasSubstr("naoexiste")));
    q.Next();
    EXPECT_TRUE(q.Eof());
}

TEST_F(ProdutoSource, TextoComAcentosEPrecoDecimal) {
    FBanco->Sql("INSERT INTO grupo VALUES (1, 'PADARIA');"
                "INSERT INTO produto (codproduto, descricao, preco, codgrupo, unidademedida) "
                "VALUES (3, 'PÃO FRANCÊS ''DO DIA''', 39.9, 1, 'KG');");
    auto& q = FDm.QueryProduto;
    q.Open();
    ASSERT_FALSE(q.Eof());
    EXPECT_EQ(q.FieldByName("descricao").AsString(), "PÃO FRANCÊS 'DO DIA'");
    EXPECT_EQ(q.FieldByName("preco").AsFloat(), 39.9);
}

TEST_F(ProdutoSource, FecharNoMeioEReabrirDeixaAConexaoUtilizavel) {
    FBanco->Sql("INSERT INTO grupo VALUES (1, 'G');"
                "INSERT INTO produto (descricao, preco, codgrupo, unidademedida) "
                "SELECT 'P' || i, i, 1, 'KG' FROM generate_series(1, 20000) i;");
    auto& q = FDm.QueryProduto;
    q.Open();
    q.Next();
    q.Next();
    // First after moving runs the query again from its first row.
    q.First();
    EXPECT_EQ(Codigos(FDm).size(), 20000u);
    q.Open();
    q.Next();
    q.Close(); // rows still on the way
    q.Open();
    EXPECT_EQ(Codigos(FDm).size(), 20000u);
    // A new connection while rows were still on the way (the window shown
    // again): the old query is dropped, the new one runs in full.
    q.Open();
    q.Next();
    FDm.ZConnection1.SetConnected(false);
    FDm.ZConnection1.SetConnected(true);
    q.Close();
    q.Open();
    EXPECT_EQ(Codigos(FDm).size(), 20000u);
}

TEST_F(ProdutoSource, ConexaoDerrubadaPeloServidorEFeitaDeNovo) {
    FBanco->Sql("INSERT INTO grupo VALUES (1, 'G');"
                "INSERT INTO produto (descricao, codgrupo, unidademedida) VALUES ('P', 1, 'KG');");
    auto& q = FDm.QueryProduto;
    q.Open();
    EXPECT_EQ(Codigos(FDm).size(), 1u);
    FBanco->Sql("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = '" +
                FBanco->Nome() + "' AND pid <> pg_backend_pid()");
    q.Close();
    q.Open();
    EXPECT_EQ(Codigos(FDm).size(), 1u);
}

TEST(ConsultaParametros, ParametroForaDeLiteraisEConversoes) {
    EXIGE_POSTGRES();
    BancoTeste banco;
    TDM1 dm;
    Conecta(dm, banco.Nome());
    auto& q = dm.QueryProduto;
    q.SQL = {"SELECT ':naoeparam' AS texto, '1'::int AS n, \"codproduto\" AS \":x\",",
             "       case when :b is true then 1 else 2 end AS r",
             "FROM (SELECT 5 AS codproduto) t"};
    q.ParamByName("B").SetAsBoolean(true); // names match without regard to case
    q.Open();
    EXPECT_EQ(q.FieldByName("texto").AsString(), ":naoeparam");
    EXPECT_EQ(q.FieldByName("n").AsInteger(), 1);
    EXPECT_EQ(q.FieldByName("r").AsInteger(), 1);
    EXPECT_THAT([&] { q.ParamByName("naoeparam"); },
                ::testing::ThrowsMessage<EBancoDados>(HasSubstr("naoeparam")));
    // The parameter reaches the server as a value, never as text of the query.
    EXPECT_THAT(q.TextoServidor(), HasSubstr("case when $1 is true"));
}

TEST(ConsultaErros, MensagensDoProprioServidor) {
    EXIGE_POSTGRES();
    BancoTeste banco;
    banco.Sql("DROP TABLE produto");
    TDM1 dm;
    Conecta(dm, banco.Nome());
    EXPECT_THAT([&] { dm.QueryProduto.Open(); }, ::testing::ThrowsMessage<EBancoDados>(HasSubstr(
                                                     "relation \"produto\" does not exist")));
    // The connection stays usable after a failed query.
    banco.Sql("CREATE TABLE produto (codproduto int, descricao text, preco float8, validade "
              "int, codgrupo int, unidademedida text, inativo bool, precofuturo float8)");
    dm.QueryProduto.Open();
    EXPECT_TRUE(dm.QueryProduto.Eof());

    TDM1 outro;
    outro.ZConnection1.Server = BancoTeste::Host();
    outro.ZConnection1.Username = BancoTeste::Usuario();
    outro.ZConnection1.Database = "banco_que_nao_existe";
    EXPECT_THAT([&] { outro.ZConnection1.SetConnected(true); },
                ::testing::ThrowsMessage<EBancoDados>(
                    HasSubstr("database \"banco_que_nao_existe\" does not exist")));
    EXPECT_FALSE(outro.ZConnection1.Connected());
    // Opening the query on a closed connection connects first and reports why
    // that failed.
    EXPECT_THAT([&] { outro.QueryProduto.Open(); },
                ::testing::ThrowsMessage<EBancoDados>(HasSubstr("banco_que_nao_existe")));
}

} // namespace
