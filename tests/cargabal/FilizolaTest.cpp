// Filizola load files, compared byte for byte with what lands on disk.
#include "cargabal/ZADeCargaBal.hpp"
#include "comum/PastaTemporaria.hpp"

#include <filesystem>
#include <gtest/gtest.h>

namespace cargabal {
namespace {

using testes::LeArquivo;
using testes::PastaTemporaria;

std::string B(std::size_t n) {
    return std::string(n, ' ');
}

class Filizola : public ::testing::Test {
protected:
    TZADeCargaBalItem& Novo(std::int32_t codigo) {
        TZADeCargaBalItem& p = FGerador.Produtos().New();
        p.Codigo = codigo;
        return p;
    }
    void Gera() { FGerador.GerarArquivos(FPasta.Texto()); }
    std::string Arquivo(const std::string& nome) const { return LeArquivo(FPasta / nome); }
    bool Existe(const std::string& nome) const { return std::filesystem::exists(FPasta / nome); }

    PastaTemporaria FPasta;
    TZADeCargaBal FGerador;
};

TEST_F(Filizola, ExemploQueijoPrato) {
    TZADeCargaBalItem& p = Novo(123);
    p.Descricao = u"QUEIJO PRATO";
    p.ValorVenda = Currency{399000};
    p.Validade = 30;
    p.Tara().Valor = Currency{150};
    p.Setor().Descricao = u"FRIOS";
    p.Teclado().Tecla = 5;
    p.InformacaoExtra().Codigo = 44;
    std::vector<std::tuple<std::u16string, int, int>> progresso;
    FGerador.OnProgresso = [&](const std::u16string& m, int a, int t) {
        progresso.emplace_back(m, a, t);
    };
    Gera();
    EXPECT_EQ(Arquivo("CADTXT.TXT"),
              "000123PQUEIJO PRATO" + B(10) + "0003990030" + B(126) + "0015\r\n");
    EXPECT_EQ(Arquivo("SETORTXT.TXT"), "FRIOS" + B(7) + "0001230001005\r\n");
    EXPECT_FALSE(Existe("NUTRI.TXT"));
    EXPECT_FALSE(Existe("REC_ASS.TXT"));
    EXPECT_EQ(p.InformacaoExtra().Codigo, 0);
    ASSERT_EQ(progresso.size(), 3u);
    EXPECT_EQ(progresso[1], std::make_tuple(u"Gerando produto 000123 QUEIJO PRATO", 0, 1));
}

TEST_F(Filizola, CortesETipoDeVenda) {
    TZADeCargaBalItem& p = Novo(1234567);
    p.Descricao = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";
    p.ValorVenda = Currency{1000000000}; // 100000.00
    p.Validade = 1000;
    p.Tipo = TZADeCargaBalTipoVenda::tpvUnidade;
    p.Tara().Valor = Currency{123456}; // 12.3456 -> 12345 -> 1234
    Gera();
    EXPECT_EQ(Arquivo("CADTXT.TXT"),
              "123456UABCDEFGHIJKLMNOPQRSTUV1000000100" + B(126) + "1234\r\n");
}

TEST_F(Filizola, PosicaoDoSetorContaTodosOsProdutos) {
    Novo(10);
    Novo(20);
    Novo(30).Setor().Descricao = u"PADARIA";
    Novo(40).Teclado().Tecla = 7; // a key without a sector name still gives a line
    Novo(50).Teclado().Tecla = -1;
    Gera();
    EXPECT_EQ(Arquivo("SETORTXT.TXT"),
              "PADARIA" + B(5) + "0000300003000\r\n" + B(12) + "0000400004007\r\n");
}

TEST_F(Filizola, LinhaNutricional) {
    TZADeCargaBalItem& p = Novo(7);
    TZADeCargaBalNutricional& n = p.Nutricional();
    n.Descricao = u"PAO";
    n.ValorEnergetico = 250;
    n.Carboidrato = Currency{123800}; // 12.38 -> 00123, cut not rounded
    n.Proteina = Currency{15000};
    n.GorduraTotal = Currency{9999};
    n.Fibra = Currency{1000000}; // 100.0 keeps its leading five digits
    n.Sodio = Currency{4500000};
    Gera();
    const std::string linha = "000007PAO" + B(32) + "00250" + "0000" + "00123" + "0000" + "00015" +
                              "0000" + "00009" + "0000" + "00000" + "0000" + "00000" + "0000" +
                              "01000" + "0000" + "*****" + "****" + "*****" + "****" + "04500" +
                              "0000";
    ASSERT_EQ(linha.size(), 131u);
    EXPECT_EQ(Arquivo("NUTRI.TXT"), linha + "\r\n");
}

TEST_F(Filizola, ReceitasDuplicadasETamanhos) {
    Novo(1).InformacaoExtra().Receita = u"ab"; // too short: no line
    TZADeCargaBalItem& tres = Novo(2);
    tres.InformacaoExtra().Receita = u"abc";
    tres.InformacaoExtra().Codigo = 0;
    Novo(2).InformacaoExtra().Receita = u"ABC"; // same code, same text but for case
    TZADeCargaBalItem& outro = Novo(3);
    outro.InformacaoExtra().Receita = u"abc";
    outro.InformacaoExtra().Codigo = 99;
    Novo(4).InformacaoExtra().Receita = std::u16string(900, u'x');
    FGerador.Produtos().Items(0).InformacaoExtra().Codigo = 15;
    Gera();
    const std::string esperado = B(12) + "000002000002abc" + B(837) + "@\r\n" + B(12) +
                                 "000003000099abc" + B(837) + "@\r\n" + B(12) + "000004000004" +
                                 std::string(840, 'x') + "@\r\n";
    EXPECT_EQ(Arquivo("REC_ASS.TXT"), esperado);
    EXPECT_EQ(FGerador.Produtos().Items(0).InformacaoExtra().Codigo, 0);
    EXPECT_EQ(FGerador.Produtos().Items(1).InformacaoExtra().Codigo, 2);
}

} // namespace
} // namespace cargabal
