// Urano and Urano S "PRODUTOS.TXT": framed records compared byte for byte with
// the file on disk, and the exact price text. Expected sums were worked out by
// hand (code units added up outside this code base).
#include "cargabal/Urano.hpp"

#include "cargabal/ListaLinhas.hpp"
#include "cargabal/ZADeCargaBal.hpp"
#include "comum/PastaTemporaria.hpp"

#include <gtest/gtest.h>
#include <limits>
#include <tuple>
#include <vector>

namespace cargabal {
namespace {

using testes::LeArquivo;
using testes::PastaTemporaria;

const std::string STX = "\x02";
const std::string ETX = "\x03";
const std::string LF = "\x0A";
const std::string VT = "\x0B";
const std::string FF = "\x0C";
const std::string DLE = "\x10";
const std::string CRLF = "\r\n";

std::string B(std::size_t n) {
    return std::string(n, ' ');
}

// The saved file split at its line breaks, which every record carries.
std::vector<std::string> Registros(const std::string& arquivo) {
    std::vector<std::string> r;
    std::size_t inicio = 0;
    for (std::size_t fim; (fim = arquivo.find(CRLF, inicio)) != std::string::npos;
         inicio = fim + 2) {
        r.push_back(arquivo.substr(inicio, fim - inicio));
    }
    EXPECT_EQ(inicio, arquivo.size()) << "text after the last line break";
    return r;
}

class UranoArquivo : public ::testing::Test {
protected:
    TZADeCargaBalItem& Novo(std::int32_t codigo, std::u16string descricao, std::int64_t preco,
                            std::int16_t validade) {
        TZADeCargaBalItem& p = FGerador.Produtos().New();
        p.Codigo = codigo;
        p.Descricao = std::move(descricao);
        p.ValorVenda = Currency{preco};
        p.Validade = validade;
        return p;
    }
    TZADeCargaBalItem& QueijoPrato() { return Novo(123, u"QUEIJO PRATO", 259000, 10); }
    // Sold by unit, with a recipe; the nutrition quantity decides the layout.
    TZADeCargaBalItem& PaoDeQueijo(std::int32_t codigo, std::u16string descricao,
                                   std::int32_t qtdNutricional) {
        TZADeCargaBalItem& p = Novo(codigo, std::move(descricao), 125000, 3);
        p.Tipo = TZADeCargaBalTipoVenda::tpvUnidade;
        p.Nutricional().Qtd = qtdNutricional;
        p.InformacaoExtra().Receita = u"POLVILHO, QUEIJO, OVOS";
        return p;
    }
    std::string Gera(TZADeCargaBalModelo modelo, char16_t decimal, char16_t milhar = u'\0') {
        FGerador.Modelo = modelo;
        FGerador.Numeros.SeparadorDecimal = decimal;
        FGerador.Numeros.SeparadorMilhar = milhar;
        FGerador.GerarArquivos(FPasta.Texto());
        EXPECT_EQ(FGerador.ArquivosGerados(), std::vector<std::string>{FPasta / "PRODUTOS.TXT"});
        return LeArquivo(FPasta / "PRODUTOS.TXT");
    }

    PastaTemporaria FPasta;
    TZADeCargaBal FGerador;
};

TEST_F(UranoArquivo, ExemploSegueOSeparadorDecimal) {
    const struct {
        char16_t Decimal;
        char16_t Milhar;
        std::string Registro;
    } casos[] = {
        {u',', u'.', LF + STX + "00123PQUEIJO PRATO" + B(8) + "000025,900010D0886" + ETX},
        {u'.', u',', LF + STX + "00123PQUEIJO PRATO" + B(8) + "000025.900010D0888" + ETX},
    };
    for (const auto& c : casos) {
        FGerador.Produtos().Clear();
        QueijoPrato();
        EXPECT_EQ(Gera(TZADeCargaBalModelo::modUrano, c.Decimal, c.Milhar), c.Registro + CRLF);
        EXPECT_EQ(c.Registro.size(), 47u);
    }
}

TEST_F(UranoArquivo, RegistrosNutricionalEReceitaNaOrdemENosTamanhos) {
    PaoDeQueijo(77, u"PAO DE QUEIJO", 1);
    PaoDeQueijo(77, u"PAO DE QUEIJO", 0);
    PaoDeQueijo(77, u"PAO DE QUEIJO", -1).InformacaoExtra().Receita.clear();
    const std::string cabeca = STX + "00077UPAO DE QUEIJO" + B(7) + "000012,500003D";
    const std::string receita = "POLVILHO, QUEIJO, OVOS" + B(615 - 22);
    const std::string produto = LF + cabeca + "0870" + ETX;
    const std::vector<std::string> esperado = {
        produto,
        VT + cabeca + B(209) + "2291" + ETX,
        FF + cabeca + receita + "58AB" + ETX,
        produto,
        FF + cabeca + B(209) + receita + "72CB" + ETX,
        produto,
    };
    EXPECT_EQ(Registros(Gera(TZADeCargaBalModelo::modUrano, u',')), esperado);
    const std::size_t tamanhos[] = {47, 256, 662, 47, 871, 47};
    for (std::size_t i = 0; i < esperado.size(); ++i) {
        EXPECT_EQ(esperado[i].size(), tamanhos[i]) << i;
    }
}

TEST_F(UranoArquivo, SomaAcimaDeFFFFTemCincoDigitos) {
    Novo(1, u"X", 10000, 0).InformacaoExtra().Receita = std::u16string(700, u'z');
    const std::vector<std::string> r = Registros(Gera(TZADeCargaBalModelo::modUrano, u','));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1].size(), 872u);
    EXPECT_EQ(r[1].substr(251, 615), std::string(615, 'z')) << "recipe keeps its first 615";
    EXPECT_EQ(r[1].substr(866), "145EE" + ETX);
}

TEST_F(UranoArquivo, SomaContaUnidadesUtf16EArquivoGuardaWindows1252) {
    Novo(5, u"CAF\u00C9 \u20AC", 10000, 0);
    // 10273 = everything up to the "D", with 201 for É and 8364 for €.
    EXPECT_EQ(Gera(TZADeCargaBalModelo::modUrano, u','),
              LF + STX + "00005PCAF\xC9 \x80" + B(14) + "000001,000000D2821" + ETX + CRLF);
}

TEST_F(UranoArquivo, PrecoNegativoOuDeUmMilhaoAlongaORegistro) {
    Novo(-5, u"X", -259000, 0);
    Novo(1, u"", 12345678910, 12345); // 1234567.891
    const std::vector<std::string> r = Registros(Gera(TZADeCargaBalModelo::modUrano, u','));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], LF + STX + "000-5PX" + B(19) + "-000025,900000D06F3" + ETX);
    EXPECT_EQ(r[1].substr(0, 43), LF + STX + "00001P" + B(20) + "1234567,891234D");
    EXPECT_EQ(r[1].size(), 48u);
}

TEST_F(UranoArquivo, CamposLongosSaoCortadosETiposEAN13) {
    Novo(123456, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 0, 32767).Tipo = TZADeCargaBalTipoVenda::tpvEAN13;
    Novo(1, u"", 0, 0).Tipo = TZADeCargaBalTipoVenda::tpvEAN13Und;
    const std::vector<std::string> r = Registros(Gera(TZADeCargaBalModelo::modUrano, u','));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].substr(2, 40), "12345PABCDEFGHIJKLMNOPQRST000000,003276D");
    EXPECT_EQ(r[1].substr(2, 40), "00001U" + B(20) + "000000,000000D");
}

TEST_F(UranoArquivo, ProgressoPorProduto) {
    QueijoPrato();
    Novo(7, u"PAO", 0, 0);
    std::vector<std::tuple<std::u16string, int, int>> progresso;
    FGerador.OnProgresso = [&](const std::u16string& m, int a, int t) {
        progresso.emplace_back(m, a, t);
    };
    Gera(TZADeCargaBalModelo::modUrano, u',');
    const std::vector<std::tuple<std::u16string, int, int>> esperado = {
        {u"Iniciando a geração dos arquivos", 0, 2},
        {u"Gerando produto 000123 QUEIJO PRATO", 0, 2},
        {u"Gerando produto 000007 PAO", 1, 2},
        {u"Terminado", 2, 2},
    };
    EXPECT_EQ(progresso, esperado);
}

TEST_F(UranoArquivo, UranoSUsaPontoQualquerQueSejaOSeparador) {
    const std::string registro =
        DLE + STX + "000123PQUEIJO PRATO" + B(18) + "000025.900010D0000" + B(28) + "0e2c" + ETX;
    ASSERT_EQ(registro.size(), 90u);
    QueijoPrato();
    EXPECT_EQ(Gera(TZADeCargaBalModelo::modUranoS, u','), registro + CRLF);
    EXPECT_EQ(Gera(TZADeCargaBalModelo::modUranoS, u'.', u','), registro + CRLF);
}

TEST_F(UranoArquivo, UranoSComNutricionalEReceita) {
    PaoDeQueijo(123456, u"PAO DE QUEIJO MINEIRO TRADICIONAL ASSADO", 2);
    // The product record is wider; the other two keep the Urano layout with a
    // point, and sum from the kind character on in upper case.
    const std::string cabeca = STX + "12345UPAO DE QUEIJO MINEIR000012.500003D";
    const std::vector<std::string> esperado = {
        DLE + STX + "123456UPAO DE QUEIJO MINEIRO TRADICIO000012.500003D0000" + B(28) + "109f" +
            ETX,
        VT + cabeca + B(209) + "2398" + ETX,
        FF + cabeca + "POLVILHO, QUEIJO, OVOS" + B(615 - 22) + "59B2" + ETX,
    };
    EXPECT_EQ(Registros(Gera(TZADeCargaBalModelo::modUranoS, u',')), esperado);
}

TEST(UranoPreco, ArredondaAoCentavoParDoValorExato) {
    constexpr std::int64_t minimo = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t maximo = std::numeric_limits<std::int64_t>::max();
    const struct {
        std::int64_t DezMilesimos;
        std::u16string Texto;
    } casos[] = {
        {259000, u"000025,90"},
        {1250, u"000000,12"},  // half: to the even cent below
        {1350, u"000000,14"},  // half: to the even cent above
        {1251, u"000000,13"},  // just above half
        {50, u"000000,00"},    // 0.005
        {150, u"000000,02"},   // 0.015
        {-49, u"000000,00"},   // rounds to zero: no sign
        {-50, u"000000,00"},   // half to the even zero: no sign
        {-150, u"-000000,02"}, // -0.015
        {-51, u"-000000,01"},
        {10000000000, u"1000000,00"},
        {maximo, u"922337203685477,58"},
        {minimo, u"-922337203685477,58"},
    };
    for (const auto& c : casos) {
        std::u16string texto;
        urano::AcrescentaPreco(texto, Currency{c.DezMilesimos}, u',');
        EXPECT_EQ(texto, c.Texto) << c.DezMilesimos;
    }
}

TEST(UranoSoma, SomaUnidadesSemSinal) {
    EXPECT_EQ(SomaCaracteres(u""), 0);
    EXPECT_EQ(SomaCaracteres(u"\x0A\x02"
                             u"A"),
              77);
    // A surrogate pair counts as its two code units, each above 0x7FFF.
    EXPECT_EQ(SomaCaracteres(u"\U0001F600"), 0xD83D + 0xDE00);
    EXPECT_EQ(SomaCaracteres(std::u16string(3, u'\xFFFF')), 3 * 0xFFFF);
}

// Builds a locale with localedef into a temporary folder and makes it the
// process's LC_NUMERIC for the life of the object; the previous LC_NUMERIC and
// LOCPATH come back at the end.
class LocaleNumericoDeTeste {
public:
    LocaleNumericoDeTeste() : FAnterior(std::setlocale(LC_NUMERIC, nullptr)) {
        if (const char* l = std::getenv("LOCPATH")) {
            FLocpath = l;
        }
        ::setenv("LOCPATH", FPasta.Texto().c_str(), 1);
    }
    ~LocaleNumericoDeTeste() {
        std::setlocale(LC_NUMERIC, FAnterior.c_str());
        if (FLocpath.empty()) {
            ::unsetenv("LOCPATH");
        } else {
            ::setenv("LOCPATH", FLocpath.c_str(), 1);
        }
    }
    static bool Disponivel() {
        return std::system("command -v localedef >/dev/null 2>&1") == 0 &&
               std::filesystem::exists("/usr/share/i18n/locales/fr_FR") &&
               std::filesystem::exists("/usr/share/i18n/locales/pt_BR");
    }
    // True when the locale `fonte` in `codificacao` could be built and chosen.
    bool Usa(const std::string& fonte, const std::string& codificacao) {
        const std::string nome = fonte + "." + codificacao;
        const std::string comando = "localedef -c -i " + fonte + " -f " + codificacao + " '" +
                                    (FPasta / nome) + "' >/dev/null 2>&1";
        std::system(comando.c_str());
        return std::setlocale(LC_NUMERIC, nome.c_str()) != nullptr;
    }

private:
    PastaTemporaria FPasta;
    std::string FAnterior;
    std::string FLocpath;
};

TEST(UranoLocale, SeparadoresLidosNaCodificacaoDoLocale) {
    if (!LocaleNumericoDeTeste::Disponivel()) {
        GTEST_SKIP() << "localedef or the locale sources are not installed";
    }
    const struct {
        const char* Fonte;
        const char* Codificacao;
        char16_t Decimal;
        char16_t Milhar;
        std::string Produto; // the URF32 product line as saved
    } casos[] = {
        {"pt_BR", "UTF-8", u',', u'.', "     1*0X" + B(19) + " 1,234,50    0D\r\n"},
        // The thousands separator is the single byte 0xA0 in this code set.
        {"fr_FR", "ISO-8859-1", u',', u'\u00A0',
         "     1*0X" + B(19) +
             " 1\xA0"
             "234,50    0D\r\n"},
    };
    for (const auto& c : casos) {
        LocaleNumericoDeTeste locale;
        ASSERT_TRUE(locale.Usa(c.Fonte, c.Codificacao)) << c.Fonte << "." << c.Codificacao;
        TZADeCargaBal gerador;
        EXPECT_EQ(gerador.Numeros.SeparadorDecimal, c.Decimal) << c.Fonte;
        EXPECT_EQ(gerador.Numeros.SeparadorMilhar, c.Milhar) << c.Fonte;
        TZADeCargaBalItem& p = gerador.Produtos().New();
        p.Codigo = 1;
        p.Descricao = u"X";
        p.ValorVenda = Currency{12345000};
        gerador.Modelo = TZADeCargaBalModelo::modUranoURF32;
        PastaTemporaria pasta;
        gerador.GerarArquivos(pasta.Texto());
        EXPECT_EQ(LeArquivo(pasta / "PRODUTOS.TXT"), c.Produto) << c.Fonte;
    }
}

} // namespace
} // namespace cargabal
