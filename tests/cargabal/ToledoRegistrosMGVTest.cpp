// The MGV record builders, line by line, and the writers' choice of records
// per variant.
#include "cargabal/Formatacao.hpp"
#include "cargabal/ListaLinhas.hpp"
#include "cargabal/RegistrosMGV.hpp"

#include <array>
#include <gtest/gtest.h>
#include <limits>
#include <tuple>
#include <vector>

namespace cargabal {
namespace {

// Fields of a line, concatenated.
template <typename... Partes> std::string C(const Partes&... partes) {
    return (std::string() + ... + std::string(partes));
}
std::string B(std::size_t n) {
    return std::string(n, ' ');
}
std::string L(const std::u16string& linha) {
    return Utf8(linha);
}

// Values chosen so that every field shows: distinct digits, cut decimals,
// and reals that lie just below their decimal text.
TZADeCargaBalNutricional NutricionalCompleto() {
    TZADeCargaBalNutricional n;
    n.Codigo = 12;
    n.Qtd = 100;
    n.UndPorcao = TZADeCargaBalNutriUndPorcao::tpMililitros;
    n.PartInteira = 2;
    n.PartDecimal = TZADeCargaBalNutriPartdecimal::tpPara12;
    n.MedCaseira = TZADeCargaBalNutriMedCaseira::tpCopo;
    n.ValorEnergetico = 250;
    n.Carboidrato = Currency{123400}; // 12.34
    n.Proteina = Currency{56700};     // 5.67
    n.GorduraTotal = Currency{9900};  // 0.99: cut, not rounded
    n.GorduraSaturada = Currency{10000};
    n.Fibra = Currency{22500};
    n.Sodio = Currency{1234500}; // 123.45

    n.QtdeAutomaticaPorcao429 = true;
    n.QtdePorcEmb429 = 10;
    n.QtdePorcao429 = 200;
    n.UndPorcao429 = TZADECargaBalNutriUndPorcao429::tpMililitros429;
    n.PartIntMedidaCaseira429 = 1;
    n.PartDecMedidaCaseira429 = TZADeCargaBalNutriPartdecimal429::tpPara34_429;
    n.MedCaseira429 = TZADeCargaBalNutriMedCaseira429::tpPratoRaso429;
    n.ValorEnergetico429 = 1234;
    n.Carboidrato429 = Currency{55500}; // 5.55
    n.AcucaresTotais429 = 2.35;
    n.AcucaresAdicionados429 = 0.3; // 0.2999... in binary: must still print 003
    n.Proteinas429 = 1.0;
    n.GordurasSaturadas429 = 9.99;
    n.GordurasTrans429 = 0.05;
    n.FibraAlimentar429 = 3.3;
    n.Sodio429 = 400.5;
    n.AltoAcucar429 = 1;
    n.AltoSodio429 = 1;
    n.Lactose429 = 0.09375; // an exact half of a ten-thousandth
    n.Galactose429 = 12.3;
    n.ImprimeLactoseGalactose = 1;
    n.AcucaresAdicionadosEstendido429 = 1.25;
    n.AcucaresTotaisEstendido429 = 0.57; // 0.57 * 10000 is 5699.99...: must print 00057
    n.GordurasTotaisEstendido429 = 0.03125;
    n.ProteinasEstendido429 = 123.456;
    return n;
}

const std::string Nutricional45 = C("N000012010010231502500123056009010000022", "01234");
const std::string Bloco429 =
    C("1010200101528", "1234", "0055", "023003010000099000033", "04005", "101", "00000", "00123");

TEST(ToledoRegistros, NutricionalNasTresFormas) {
    const TZADeCargaBalNutricional n = NutricionalCompleto();
    EXPECT_EQ(L(LinhaNutricional(n)), Nutricional45);
    EXPECT_EQ(L(BlocoRdc429(n)), Bloco429);
    const std::string mgv7 = L(LinhaNutricionalMGV7(n));
    const std::string triunfo = L(LinhaNutricionalTriunfo(n));
    EXPECT_EQ(mgv7,
              Nutricional45 + "0000|" + Bloco429 + C("1", "00125", "00057", "00003", "12345"));
    EXPECT_EQ(triunfo, Nutricional45 + "|" + Bloco429);
    ASSERT_EQ(mgv7.size(), 131u);
    ASSERT_EQ(triunfo.size(), 106u);
    // The columns that the two models share, as their layouts number them.
    EXPECT_EQ(mgv7.substr(50, 60), triunfo.substr(46, 60));
    EXPECT_EQ(mgv7.substr(71, 3), "023");      // AcucaresTotais429 2.35, columns 72-74
    EXPECT_EQ(mgv7.substr(74, 3), "003");      // AcucaresAdicionados429 0.3
    EXPECT_EQ(mgv7[50], '1');                  // QtdeAutomaticaPorcao429, column 51
    EXPECT_EQ(triunfo[46], '1');               // column 47
    EXPECT_EQ(triunfo.substr(96, 5), "00000"); // Lactose429 0.09375 -> 0.0938

    TZADeCargaBalNutricional semAuto = n;
    semAuto.QtdeAutomaticaPorcao429 = false;
    EXPECT_EQ(L(LinhaNutricionalMGV7(semAuto))[50], '0');
}

// Reals outside the range of money saturate instead of overflowing; a value
// that is not a number counts as zero. The field keeps its leading characters.
TEST(ToledoRegistros, ReaisForaDaFaixaDaMoeda) {
    const double infinito = std::numeric_limits<double>::infinity();
    const std::vector<std::tuple<double, std::string>> casos = {
        {std::numeric_limits<double>::quiet_NaN(), "00000"},
        {infinito, "92233"},
        {1e300, "92233"},
        {-infinito, "-9223"},
        {-1e300, "-9223"},
    };
    for (const auto& [valor, esperado] : casos) {
        TZADeCargaBalNutricional n;
        n.Lactose429 = valor;
        const std::string linha = L(LinhaNutricionalTriunfo(n));
        ASSERT_EQ(linha.size(), 106u) << valor;
        EXPECT_EQ(linha.substr(96, 5), esperado) << valor;
    }
}

TEST(ToledoRegistros, TaraCurtaELonga) {
    TZADeCargaBalTaras t;
    t.Codigo = 3;
    t.Valor = Currency{150}; // 0.015
    t.Descricao = u"POTE";
    t.ValorMaximoTara = Currency{25000}; // 2.5
    EXPECT_EQ(L(LinhaTaraCurta(t)), "0003000015POTE" + B(16));
    // The maximum is written only for tare type 1.
    const std::vector<std::tuple<int, std::string>> casos = {
        {0, "000000"}, {1, "002500"}, {2, "000000"}};
    for (const auto& [tipo, maximo] : casos) {
        t.TipoTara = tipo;
        EXPECT_EQ(L(LinhaTaraLonga(t)),
                  "N0003" + std::to_string(tipo) + "000015" + maximo + "POTE" + B(16))
            << "TipoTara " << tipo;
    }
    t.Descricao = u"DESCRICAO DE TARA COM MAIS DE VINTE";
    EXPECT_EQ(L(LinhaTaraCurta(t)), "0003000015DESCRICAO DE TARA CO");
}

TEST(ToledoRegistros, RegistrosDeTextos) {
    TZADeCargaBalFornecedor f;
    f.Codigo = 7;
    f.Observacao = u"OBS";
    f.Descricao1 = u"D1";
    f.Descricao2 = u"D2";
    f.Descricao3 = u"D3";
    f.Descricao4 = u"D4";
    f.Descricao5 = std::u16string(60, u'X'); // keeps its first 56
    const std::string textos = "0007OBS" + B(97) + "D1" + B(54) + "D2" + B(54) + "D3" + B(54);
    EXPECT_EQ(L(LinhaFornecedor(f)), textos + "D4" + B(54) + std::string(56, 'X'));

    TZADeCargaBalFracionador fr;
    fr.Codigo = 7;
    fr.Observacao = u"OBS";
    fr.Descricao1 = u"D1";
    fr.Descricao2 = u"D2";
    fr.Descricao3 = u"D3";
    EXPECT_EQ(L(LinhaFracionador(fr)), textos);
    TZADeCargaBalConservacao c;
    c.Codigo = 7;
    c.Observacao = u"OBS";
    c.Descricao1 = u"D1";
    c.Descricao2 = u"D2";
    c.Descricao3 = u"D3";
    EXPECT_EQ(L(LinhaConservacao(c)), textos);

    // The extra fields declare their lines out of order; the file wants 1 to 5.
    TZADeCargaBalExtra1 e1;
    e1.Codigo = 12345; // four digits at most: the leading ones stay
    e1.Linha1 = u"L1";
    e1.Linha2 = u"L2";
    e1.Linha3 = u"L3";
    e1.Linha4 = u"L4";
    e1.Linha5 = u"L5";
    const std::string linhas =
        B(100) + "L1" + B(54) + "L2" + B(54) + "L3" + B(54) + "L4" + B(54) + "L5" + B(54);
    EXPECT_EQ(L(LinhaExtra1(e1)), "1234" + linhas);
    TZADeCargaBalExtra2 e2;
    e2.Codigo = 2;
    e2.Linha1 = u"L1";
    e2.Linha2 = u"L2";
    e2.Linha3 = u"L3";
    e2.Linha4 = u"L4";
    e2.Linha5 = u"L5";
    EXPECT_EQ(L(LinhaExtra2(e2)), "0002" + linhas);
    EXPECT_EQ(L(LinhaExtra2(e2)).size(), 384u);
}

TEST(ToledoRegistros, InformacaoDepartamentoTeclas) {
    TZADeCargaBalInformacaoExtra info;
    info.Observacao = u"Conservar refrigerado";
    info.Receita = u"Farinha, ovos";
    EXPECT_EQ(L(LinhaInformacao(info, 4567)),
              "004567Conservar refrigerado" + B(79) + "Farinha, ovos" + B(827));

    TZADeCargaBalSetor s;
    s.Codigo = 5;
    s.Descricao = u"PADARIA E CONFEITARIA COM NOME MUITO LONGO";
    EXPECT_EQ(L(LinhaDepartamento(s)), "05PADARIA E CONFEITARIA COM NOME MUITO LON");

    TZADeCargaBalItem p;
    p.Codigo = 321;
    p.Descricao = u"PAO DE QUEIJO RECHEADO COM GOIABADA";
    p.Teclado().Tecla = 7;
    p.Teclado().Pagina_Teclado = 2;
    p.Teclado().Codigo_Teclado = 3;
    // keyboard 03, page 2, key 07, product 000321, then "0"
    EXPECT_EQ(L(LinhaTecla(p)), "032070003210PAO DE QUEIJO RECHEADO C" + B(255));
    EXPECT_EQ(L(LinhaTeclado(p.Teclado())), "OBS03TECLADO 3" + B(91));
    p.Teclado().Codigo_Teclado = 123; // the code field keeps its leading digits
    EXPECT_EQ(L(LinhaTeclado(p.Teclado())), "OBS12TECLADO 123" + B(89));
}

TEST(ToledoRegistros, FormaPorFamiliaEVariante) {
    using F = FamiliaMGV;
    const std::vector<std::tuple<F, int, const FormaMGV*>> casos = {
        {F::Toledo, 0, nullptr},        {F::Toledo, 1, &FormaMGV5Ver1}, {F::Toledo, 2, &FormaMGV5},
        {F::Toledo, 3, &FormaMGV6},     {F::Toledo, 4, nullptr},        {F::Toledo, -1, nullptr},
        {F::ToledoMGV7, 4, &FormaMGV7}, {F::ToledoMGV7, 3, nullptr},    {F::ToledoMGV7, 0, nullptr},
        {F::Triunfo, 4, &FormaTriunfo}, {F::Triunfo, 3, nullptr},       {F::Triunfo, 5, nullptr},
    };
    for (const auto& [familia, variante, forma] : casos) {
        EXPECT_EQ(FormaDaVariante(familia, variante), forma)
            << static_cast<int>(familia) << " variante " << variante;
    }
}

// A writer given a variant it does not know appends nothing, settles no
// code, and still reports every product.
TEST(ToledoRegistros, SemFormaSoRelataOProgresso) {
    TZADeCargaBalItens produtos;
    for (int c = 1; c <= 3; ++c) {
        TZADeCargaBalItem& p = produtos.New();
        p.Codigo = c;
        p.Descricao = u"P";
        p.Setor().Codigo = 1;
        p.Teclado().Tecla = 1;
        p.InformacaoExtra().Codigo = 99; // would become 0 if settled
    }
    std::array<ListaLinhas, 11> l;
    const ListasMGV listas{&l[0], &l[1], &l[2], &l[3], &l[4], &l[5],
                           &l[6], &l[7], &l[8], &l[9], &l[10]};
    std::vector<std::tuple<std::int32_t, int, int>> progresso;
    GeraCargaMGV(produtos, nullptr, listas, [&](const TZADeCargaBalItem& p, int i, int n) {
        progresso.emplace_back(p.Codigo, i, n);
    });
    for (const ListaLinhas& lista : l) {
        EXPECT_TRUE(lista.Vazia());
    }
    EXPECT_EQ(progresso,
              (std::vector<std::tuple<std::int32_t, int, int>>{{1, 0, 3}, {2, 1, 3}, {3, 2, 3}}));
    EXPECT_EQ(produtos.Items(0).InformacaoExtra().Codigo, 99);
}

} // namespace
} // namespace cargabal
