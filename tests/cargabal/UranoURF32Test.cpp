// Urano URF32: the five plain files byte for byte, the recipe duplicate rule
// and the 9-character price text under different regional separators.
#include "cargabal/Urano.hpp"
#include "cargabal/ZADeCargaBal.hpp"
#include "comum/PastaTemporaria.hpp"

#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace cargabal {
namespace {

using testes::LeArquivo;
using testes::PastaTemporaria;

std::string B(std::size_t n) {
    return std::string(n, ' ');
}

class UranoURF32Arquivos : public ::testing::Test {
protected:
    TZADeCargaBalItem& Novo(std::int32_t codigo, std::u16string receita = u"") {
        TZADeCargaBalItem& p = FGerador.Produtos().New();
        p.Codigo = codigo;
        p.InformacaoExtra().Receita = std::move(receita);
        return p;
    }
    std::vector<std::string> Gera() {
        FGerador.Modelo = TZADeCargaBalModelo::modUranoURF32;
        FGerador.Numeros = {u',', u'.'};
        FGerador.GerarArquivos(FPasta.Texto());
        std::vector<std::string> nomes;
        for (const std::string& caminho : FGerador.ArquivosGerados()) {
            nomes.push_back(std::filesystem::path(caminho).filename().string());
        }
        return nomes;
    }
    std::string Arquivo(const std::string& nome) const { return LeArquivo(FPasta / nome); }

    PastaTemporaria FPasta;
    TZADeCargaBal FGerador;
};

TEST_F(UranoURF32Arquivos, CincoArquivosDeUmProduto) {
    TZADeCargaBalItem& p = Novo(123, u"Leite, sal e coalho");
    p.Descricao = u"QUEIJO PRATO";
    p.ValorVenda = Currency{259000};
    p.Validade = 10;
    TZADeCargaBalNutricional& n = p.Nutricional();
    n.Qtd = 100;
    n.ValorEnergetico = 250;
    n.Carboidrato = Currency{123500}; // 12.35 -> 000123
    n.Proteina = Currency{10000};
    n.GorduraTotal = Currency{5500};
    n.Fibra = Currency{29999}; // cut, not rounded
    n.Sodio = Currency{4500};  // 0.45 -> 00045
    const std::vector<std::string> nomes = {
        "PRODUTOS.TXT", "RECEITAS.TXT", "INFORMACOESNUTRICIONAIS.TXT",
        "PRODUTOSINFORMACOESNUTRICIONAIS.TXT", "PRODUTOSRECEITAS.TXT"};
    EXPECT_EQ(Gera(), nomes);
    EXPECT_EQ(Arquivo("PRODUTOS.TXT"), "   123*0QUEIJO PRATO" + B(8) + "    25,90   10D\r\n");
    EXPECT_EQ(Arquivo("INFORMACOESNUTRICIONAIS.TXT"), "  123"
                                                      "000100"
                                                      "00250"
                                                      "000123"
                                                      "000010"
                                                      "000005"
                                                      "000000"
                                                      "000000"
                                                      "000029"
                                                      "00045\r\n");
    EXPECT_EQ(Arquivo("RECEITAS.TXT"), "0123 Leite, sal e coalho" + B(254 - 19) + "\r\n");
    EXPECT_EQ(Arquivo("PRODUTOSINFORMACOESNUTRICIONAIS.TXT"), "   123  123\r\n");
    EXPECT_EQ(Arquivo("PRODUTOSRECEITAS.TXT"), "   123  123\r\n");
}

TEST_F(UranoURF32Arquivos, SemQuantidadeNemReceitaNaoHaVinculos) {
    Novo(1, u"ab");
    Novo(2, u"abc").Nutricional().Qtd = 0;
    const std::vector<std::string> nomes = {"PRODUTOS.TXT", "RECEITAS.TXT",
                                            "INFORMACOESNUTRICIONAIS.TXT", "PRODUTOSRECEITAS.TXT"};
    EXPECT_EQ(Gera(), nomes);
    const std::string zeros = "00000000000" + std::string(36, '0') + "00000";
    EXPECT_EQ(Arquivo("INFORMACOESNUTRICIONAIS.TXT"),
              "    1" + zeros + "\r\n    2" + zeros + "\r\n");
    EXPECT_EQ(Arquivo("RECEITAS.TXT"), "0002 abc" + B(251) + "\r\n");
    EXPECT_EQ(Arquivo("PRODUTOSRECEITAS.TXT"), "     2    2\r\n");
}

TEST_F(UranoURF32Arquivos, ReceitaRepetidaNaoGanhaLinhaNemVinculo) {
    const std::u16string longa(260, u'a');
    Novo(12345, longa);
    Novo(12346, std::u16string(254, u'A') + u"xyz"); // same first 254, other case
    Novo(1234, u"A" + longa);                        // code 1234 as well
    Novo(99, longa);                                 // another code: a line of its own
    Novo(12347, u"outra receita");
    Gera();
    const std::string a254(254, 'a');
    EXPECT_EQ(Arquivo("RECEITAS.TXT"),
              "1234 " + a254 + "\r\n0099 " + a254 + "\r\n1234 outra receita" + B(241) + "\r\n");
    EXPECT_EQ(Arquivo("PRODUTOSRECEITAS.TXT"), " 1234512345\r\n    99   99\r\n 1234712347\r\n");
}

TEST_F(UranoURF32Arquivos, CodigosLongosValidadeETipoDeVenda) {
    const TZADeCargaBalTipoVenda tipos[] = {
        TZADeCargaBalTipoVenda::tpvPeso, TZADeCargaBalTipoVenda::tpvUnidade,
        TZADeCargaBalTipoVenda::tpvEAN13, TZADeCargaBalTipoVenda::tpvEAN13Und};
    for (const TZADeCargaBalTipoVenda t : tipos) {
        TZADeCargaBalItem& p = Novo(1234567, u"receita");
        p.Tipo = t;
        p.Validade = -123;
        p.TipoValidade = TZADeCargaBalTipoValidade::tpvMeses;
        p.Nutricional().Qtd = 1;
        p.Descricao = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    }
    Gera();
    std::string produtos;
    for (const char* tipo : {"0", "6", "0", "6"}) {
        produtos += "123456*" + std::string(tipo) + "ABCDEFGHIJKLMNOPQRST     0,00 -123M\r\n";
    }
    EXPECT_EQ(Arquivo("PRODUTOS.TXT"), produtos);
    EXPECT_EQ(Arquivo("INFORMACOESNUTRICIONAIS.TXT").substr(0, 11), "12345000001");
    EXPECT_EQ(Arquivo("RECEITAS.TXT").substr(0, 12), "1234 receita");
    EXPECT_EQ(Arquivo("PRODUTOSRECEITAS.TXT"), "12345612345\r\n");
    EXPECT_EQ(Arquivo("PRODUTOSINFORMACOESNUTRICIONAIS.TXT"),
              "12345612345\r\n12345612345\r\n12345612345\r\n12345612345\r\n");
}

TEST(UranoURF32Preco, MesmoTextoComSeparadoresBrasileirosEIngleses) {
    const ConfiguracaoNumerica brasil{u',', u'.'};
    const ConfiguracaoNumerica ingles{u'.', u','};
    const struct {
        std::int64_t DezMilesimos;
        std::u16string Texto;
    } casos[] = {
        {259000, u"    25,90"},     {12345000, u" 1,234,50"},
        {1234567800, u"123,456,7"}, // cut to nine: the last decimal is lost
        {1000000000, u"100,000,0"}, {12345678900, u"1,234,567"},
        {0, u"     0,00"},          {1250, u"     0,13"}, // half a cent: away from zero
        {50, u"     0,01"},         {-50, u"    -0,01"},
        {-49, u"     0,00"}, // rounds to zero: no sign
        {-12345000, u"-1,234,50"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(FormatarPrecoURF32(Currency{c.DezMilesimos}, brasil), c.Texto) << c.DezMilesimos;
        EXPECT_EQ(FormatarPrecoURF32(Currency{c.DezMilesimos}, ingles), c.Texto) << c.DezMilesimos;
    }
}

TEST(UranoURF32Preco, OutrosSeparadoresPassamComoEstao) {
    EXPECT_EQ(FormatarPrecoURF32(Currency{12345000}, {u',', u'\0'}), u"  1234,50");
    EXPECT_EQ(FormatarPrecoURF32(Currency{12345000}, {u',', u' '}), u" 1 234,50");
    EXPECT_EQ(FormatarPrecoURF32(Currency{12345000}, {u'\u066B', u'\u066C'}),
              u" 1\u066C234\u066B50");
    EXPECT_EQ(TrocarPontoPorVirgula(u".1.2."), u",1,2,");
}

} // namespace
} // namespace cargabal
