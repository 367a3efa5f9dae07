// Ramuza "RAMUZA_ORIGINAL.TXT": the 192-character line byte for byte and the
// fields that are cut rather than widened.
#include "cargabal/ZADeCargaBal.hpp"
#include "comum/PastaTemporaria.hpp"

#include <gtest/gtest.h>
#include <vector>

namespace cargabal {
namespace {

using testes::LeArquivo;
using testes::PastaTemporaria;

class RamuzaArquivo : public ::testing::Test {
protected:
    TZADeCargaBalItem& Novo(std::int32_t codigo, std::u16string descricao = u"") {
        TZADeCargaBalItem& p = FGerador.Produtos().New();
        p.Codigo = codigo;
        p.Descricao = std::move(descricao);
        return p;
    }
    std::vector<std::string> Gera() {
        FGerador.Modelo = TZADeCargaBalModelo::modRamuza;
        FGerador.GerarArquivos(FPasta.Texto());
        const std::string arquivo = LeArquivo(FPasta / "RAMUZA_ORIGINAL.TXT");
        std::vector<std::string> linhas;
        std::size_t inicio = 0;
        for (std::size_t fim; (fim = arquivo.find("\r\n", inicio)) != std::string::npos;
             inicio = fim + 2) {
            linhas.push_back(arquivo.substr(inicio, fim - inicio));
        }
        EXPECT_EQ(inicio, arquivo.size());
        return linhas;
    }

    PastaTemporaria FPasta;
    TZADeCargaBal FGerador;
};

// Slots 1 to 8 with their numbers and the given quantity and amounts, then
// four slots of zeros.
std::string Nutrientes(const std::string& qtd, const std::vector<std::string>& quantias) {
    std::string r;
    for (std::size_t i = 0; i < 8; ++i) {
        r += "0" + std::to_string(i + 1) + qtd + quantias[i];
    }
    return r + std::string(40, '0');
}

TEST_F(RamuzaArquivo, Exemplo) {
    TZADeCargaBalItem& p = Novo(123, u"QUEIJO PRATO");
    p.ValorVenda = Currency{259000};
    p.Validade = 10;
    p.ModeloEtiqueta = 1;
    const std::string linha = "0001A0000123002590001000000000000000000001" +
                              Nutrientes("00000", std::vector<std::string>(8, "000")) +
                              "##QUEIJO PRATO" + std::string(12, ' ') + "####";
    ASSERT_EQ(linha.size(), 192u);
    EXPECT_EQ(Gera(), std::vector<std::string>{linha});
}

TEST_F(RamuzaArquivo, CamposCortadosNuncaAlargamALinha) {
    TZADeCargaBalItem& p = Novo(1234567);
    p.ValorVenda = Currency{123456700}; // 12345.67 -> 1234567 cents -> 123456
    p.Validade = -1;
    p.Tipo = TZADeCargaBalTipoVenda::tpvUnidade;
    p.Tara().Valor = Currency{150}; // 0.015 -> ten-thousandths
    p.ModeloEtiqueta = 123;
    TZADeCargaBalNutricional& n = p.Nutricional();
    n.Qtd = 100;
    n.ValorEnergetico = 1234;
    n.Carboidrato = Currency{125000}; // 12.50 -> 1250 -> 125
    n.Proteina = Currency{12500};     // 1.25 -> 125
    n.GorduraTotal = Currency{4999};  // 0.4999 -> 049, cut not rounded
    n.Sodio = Currency{4500};
    Novo(2).ValorVenda = Currency{259990}; // 25.999 -> 002599
    const std::vector<std::string> linhas = Gera();
    ASSERT_EQ(linhas.size(), 2u);
    EXPECT_EQ(linhas[0],
              "0001A01234561234561" + std::string("0-1") + std::string(13, '0') + "0015012" +
                  Nutrientes("00100", {"123", "125", "125", "049", "000", "000", "000", "045"}) +
                  "##" + std::string(24, ' ') + "####");
    EXPECT_EQ(linhas[1].substr(0, 19), "0002A00000020025990");
    EXPECT_EQ(linhas[1].size(), 192u);
}

TEST_F(RamuzaArquivo, TipoDeVenda) {
    for (const auto t : {TZADeCargaBalTipoVenda::tpvPeso, TZADeCargaBalTipoVenda::tpvUnidade,
                         TZADeCargaBalTipoVenda::tpvEAN13, TZADeCargaBalTipoVenda::tpvEAN13Und}) {
        Novo(1).Tipo = t;
    }
    std::string digitos;
    for (const std::string& l : Gera()) {
        digitos += l[18];
    }
    EXPECT_EQ(digitos, "0101");
}

TEST_F(RamuzaArquivo, NumeroEAPosicaoNaListaCortadoAQuatroDigitos) {
    for (int i = 0; i < 10000; ++i) {
        Novo(5000 + i);
    }
    const std::vector<std::string> linhas = Gera();
    ASSERT_EQ(linhas.size(), 10000u);
    EXPECT_EQ(linhas[0].substr(0, 12), "0001A0005000");
    EXPECT_EQ(linhas[9].substr(0, 12), "0010A0005009");
    EXPECT_EQ(linhas[9998].substr(0, 12), "9999A0014998");
    EXPECT_EQ(linhas[9999].substr(0, 12), "1000A0014999");
}

} // namespace
} // namespace cargabal
