// Rows of the product query becoming load records, and the rows the export
// refuses before writing anything.
#include "BancoTeste.hpp"
#include "app/Exportacao.hpp"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using cargabal::TZADeCargaBal;
using cargabal::TZADeCargaBalModelo;
using cargabal::TZADeCargaBalTipoVenda;
using loja::EExportacao;
using loja::TDM1;
using testes::BancoTeste;

class Exportacao : public ::testing::Test {
protected:
    void SetUp() override {
        EXIGE_POSTGRES();
        FBanco = std::make_unique<BancoTeste>();
        FBanco->Sql("INSERT INTO grupo VALUES (1, 'FRIOS');");
        FDm.ZConnection1.Server = BancoTeste::Host();
        FDm.ZConnection1.Username = BancoTeste::Usuario();
        FDm.ZConnection1.Database = FBanco->Nome();
        FDm.ZConnection1.SetConnected(true);
    }
    std::unique_ptr<BancoTeste> FBanco;
    TDM1 FDm;
    TZADeCargaBal FGerador;
};

TEST_F(Exportacao, CadaLinhaViraUmRegistroComOsCamposDaLoja) {
    FBanco->Sql(R"(INSERT INTO produto VALUES
        (10, 'QUEIJO PRATO', 39.9, 30, 1, 'KG', NULL, 41.5),
        (11, 'PÃO DE AÇÚCAR', 0.019, -3, 1, 'KU', false, 0),
        (12, NULL, NULL, NULL, 1, 'KU', false, 2.00005);)");
    struct Caso {
        bool PrecoFuturo;
        std::vector<std::int64_t> Precos;
    };
    for (const Caso& c : {Caso{false, {399000, 190, 0}}, Caso{true, {415000, 20000}}}) {
        SCOPED_TRACE(c.PrecoFuturo);
        loja::CarregaProdutos(FDm, c.PrecoFuturo, FGerador.Produtos());
        auto& p = FGerador.Produtos();
        ASSERT_EQ(p.Count(), static_cast<int>(c.Precos.size()));
        std::map<int, const cargabal::TZADeCargaBalItem*> porCodigo;
        for (int i = 0; i < p.Count(); ++i) {
            porCodigo[p.Items(i).Codigo] = &p.Items(i);
        }
        const auto& queijo = *porCodigo.at(10);
        EXPECT_EQ(queijo.Descricao, u"QUEIJO PRATO");
        EXPECT_EQ(queijo.Tipo, TZADeCargaBalTipoVenda::tpvPeso);
        EXPECT_EQ(queijo.Validade, 30);
        EXPECT_EQ(queijo.ModeloEtiqueta, 1);
        EXPECT_EQ(queijo.Setor().Codigo, 1);
        EXPECT_EQ(queijo.Lote, u"0"); // untouched defaults stay
        EXPECT_EQ(queijo.ValorVenda.Valor, c.Precos[0]);
        if (!c.PrecoFuturo) {
            const auto& pao = *porCodigo.at(11);
            EXPECT_EQ(pao.Descricao, u"PÃO DE AÇÚCAR");
            EXPECT_EQ(pao.Tipo, TZADeCargaBalTipoVenda::tpvUnidade);
            EXPECT_EQ(pao.Validade, -3);
            EXPECT_EQ(pao.ValorVenda.Valor, c.Precos[1]);
            const auto& nulo = *porCodigo.at(12);
            EXPECT_EQ(nulo.Descricao, u"");
            EXPECT_EQ(nulo.ValorVenda.Valor, 0);
            EXPECT_EQ(nulo.Validade, 0);
        } else {
            // 2.00005 × 10000 is a tie: it goes to the even neighbour.
            EXPECT_EQ(porCodigo.at(12)->ValorVenda.Valor, c.Precos[1]);
        }
    }
}

TEST_F(Exportacao, ValidadeForaDe16BitsParaSemGravarNada) {
    struct Caso {
        int Validade;
        bool Aceita;
    };
    const Caso casos[] = {
        {32767, true}, {-32768, true}, {32768, false}, {-32769, false}, {100000, false}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.Validade);
        testes::PastaTemporaria pasta;
        // Many rows after the refused one: the export must not leave them
        // pending on the server.
        FBanco->Sql(
            "DELETE FROM produto; INSERT INTO produto VALUES "
            "(1, 'A', 1, 5, 1, 'KG', NULL, 0), (77, 'B', 1, " +
            std::to_string(c.Validade) +
            ", 1, 'KG', NULL, 0); INSERT INTO produto (codproduto, descricao, codgrupo, "
            "unidademedida) SELECT i, 'C' || i, 1, 'KU' FROM generate_series(100, 30000) i;");
        if (c.Aceita) {
            loja::ExportaProdutos(FDm, FGerador, false, pasta.Texto());
            EXPECT_EQ(FGerador.ArquivosGerados().size(), 1u);
            continue;
        }
        EXPECT_THAT([&] { loja::ExportaProdutos(FDm, FGerador, false, pasta.Texto()); },
                    ::testing::ThrowsMessage<EExportacao>(
                        ::testing::AllOf(::testing::HasSubstr("produto 77"),
                                         ::testing::HasSubstr(std::to_string(c.Validade)))));
        EXPECT_TRUE(std::filesystem::is_empty(pasta.Caminho()));
        EXPECT_EQ(FGerador.Produtos().Count(), 0);
        EXPECT_EQ(FBanco->ConsultasEmAndamento(), 0);
    }
}

TEST_F(Exportacao, PrecoNaoNumericoParaComMensagem) {
    FBanco->Sql("INSERT INTO produto VALUES (5, 'X', 'NaN', 1, 1, 'KG', NULL, 0);");
    testes::PastaTemporaria pasta;
    EXPECT_THAT([&] { loja::ExportaProdutos(FDm, FGerador, false, pasta.Texto()); },
                ::testing::ThrowsMessage<EExportacao>(::testing::HasSubstr("produto 5")));
    EXPECT_TRUE(std::filesystem::is_empty(pasta.Caminho()));
}

TEST(MarcasDaJanela, MapeamentoExatoEEscolhaSemCaixa) {
    EXPECT_EQ(loja::ModeloDaMarca("Filizola"), TZADeCargaBalModelo::modFilizola);
    EXPECT_EQ(loja::ModeloDaMarca("Toledo"), TZADeCargaBalModelo::modToledo);
    EXPECT_EQ(loja::ModeloDaMarca("Urano"), TZADeCargaBalModelo::modUrano);
    EXPECT_EQ(loja::ModeloDaMarca("toledo"), std::nullopt);
    EXPECT_EQ(loja::ModeloDaMarca(""), std::nullopt);
    EXPECT_EQ(loja::MarcaSemCaixa("uRANO"), "Urano");
    EXPECT_EQ(loja::MarcaSemCaixa("Ramuza"), std::nullopt);
    EXPECT_EQ(loja::MarcaSemCaixa("Toledo "), std::nullopt);
}

} // namespace
