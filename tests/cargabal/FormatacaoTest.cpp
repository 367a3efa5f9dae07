// Field formatting, code tables, money parsing and the Windows-1252 bytes.
#include "cargabal/Formatacao.hpp"

#include "cargabal/ArquivoCarga.hpp"
#include "cargabal/Currency.hpp"

#include <gtest/gtest.h>
#include <limits>

namespace cargabal {
namespace {

Currency M(std::int64_t dezMilesimos) {
    return Currency::DeDezMilesimos(dezMilesimos);
}

TEST(Formatacao, CompletaDireitaEEsquerda) {
    struct Caso {
        std::u16string texto;
        int largura;
        char16_t fill;
        std::u16string direita;
        std::u16string esquerda;
    };
    const Caso casos[] = {
        {u"ABC", 5, u'*', u"ABC**", u"**ABC"},  {u"ABCDEF", 4, u'*', u"ABCD", u"ABCD"},
        {u"ABC", 0, u'*', u"ABC", u"ABC"},      {u"ABC", -2, u'*', u"ABC", u"ABC"},
        {u"ABC", 3, u'*', u"ABC", u"ABC"},      {u"", 3, u' ', u"   ", u"   "},
        {u"123456", 4, u'0', u"1234", u"1234"},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(CompletaDireita(c.texto, c.largura, c.fill), c.direita);
        EXPECT_EQ(CompletaEsquerda(c.texto, c.largura, c.fill), c.esquerda);
    }
    EXPECT_EQ(CompletaEsquerda(u"ABC", 5, u'0'), u"00ABC");
}

TEST(Formatacao, FormatarInteiro) {
    EXPECT_EQ(FormatarInteiro(1234567, 6, u'0'), u"123456");
    EXPECT_EQ(FormatarInteiro(0, 4, u'0'), u"0000");
    EXPECT_EQ(FormatarInteiro(-5, 4, u'0'), u"00-5");
    EXPECT_EQ(FormatarInteiro(123, 6, u' '), u"   123");
    EXPECT_EQ(FormatarInteiro(std::numeric_limits<std::int64_t>::min(), 0, u'0'),
              u"-9223372036854775808");
}

TEST(Formatacao, FormatarValorCortaSemArredondar) {
    struct Caso {
        std::int64_t valor;
        int largura, decimais;
        std::u16string esperado;
    };
    const Caso casos[] = {
        {123499, 7, 2, u"0001234"}, // 12.3499
        {51250, 4, 3, u"5125"},     // 5.125
        {1234000, 4, 2, u"1234"},   // 123.4 -> leading characters of 12340
        {123456, 0, 2, u"1234"},    // 12.3456
        {-190, 0, 2, u"-1"},        // -0.019
        {5, 0, 3, u"0"},            // 0.0005
        {10001, 0, 5, u"100010"},   // 1.0001
        {399000, 7, 2, u"0003990"}, // 39.90
        {150, 4, 3, u"0015"},       // 0.015
        {123800, 5, 1, u"00123"},   // 12.38
        {123456, 0, 0, u"12"},      // no decimals
        {123456, 0, -3, u"12"},     // negative decimals count as none
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(FormatarValor(M(c.valor), c.largura, c.decimais, u'0'), c.esperado)
            << c.valor << " " << c.decimais;
    }
}

TEST(Formatacao, FormatarValorForaDe32BitsNaoDaVolta) {
    // 30 000 000.00 in cents does not fit 32 bits; the field keeps the leading
    // digits of the true value instead of a wrapped one.
    EXPECT_EQ(FormatarValor(M(300000000000), 0, 2, u'0'), u"3000000000");
    EXPECT_EQ(FormatarValor(M(300000000000), 6, 2, u'0'), u"300000");
    EXPECT_EQ(FormatarValor(M(std::numeric_limits<std::int64_t>::max()), 0, 5, u'0'),
              u"92233720368547758070");
}

TEST(Formatacao, TabelasDeCodigo) {
    using V = TZADeCargaBalTipoVenda;
    EXPECT_EQ(CodigoTipoVenda(V::tpvPeso), u"0");
    EXPECT_EQ(CodigoTipoVenda(V::tpvUnidade), u"1");
    EXPECT_EQ(CodigoTipoVenda(V::tpvEAN13), u"2");
    EXPECT_EQ(CodigoTipoVenda(V::tpvEAN13Und), u"5");
    EXPECT_EQ(LetraTipoVenda(V::tpvPeso), u"P");
    EXPECT_EQ(LetraTipoVenda(V::tpvUnidade), u"U");
    EXPECT_EQ(LetraTipoVenda(V::tpvEAN13), u"P");
    EXPECT_EQ(LetraTipoVenda(V::tpvEAN13Und), u"U");
    EXPECT_EQ(CodigoUndPorcao(TZADeCargaBalNutriUndPorcao::tpUnidades), u"2");
    EXPECT_EQ(CodigoUndPorcao429(TZADECargaBalNutriUndPorcao429::tpMililitros429), u"1");
    EXPECT_EQ(CodigoPartDecimal(TZADeCargaBalNutriPartdecimal::tpPara34), u"5");
    EXPECT_EQ(CodigoPartDecimal429(TZADeCargaBalNutriPartdecimal429::tpPara13_429), u"2");
    EXPECT_EQ(CodigoMedCaseira(TZADeCargaBalNutriMedCaseira::tpColherCafe), u"01");
    EXPECT_EQ(CodigoMedCaseira(TZADeCargaBalNutriMedCaseira::tpLata), u"26");
    EXPECT_EQ(CodigoMedCaseira429(TZADeCargaBalNutriMedCaseira429::tpPratoRaso429), u"28");
    EXPECT_EQ(CodigoBooleano(true, u'0'), u"1");
    EXPECT_EQ(CodigoBooleano(false, u'0'), u"0");
}

TEST(Formatacao, MensagemDeProgresso) {
    EXPECT_EQ(MensagemGerandoProduto(123, u"QUEIJO PRATO"), u"Gerando produto 000123 QUEIJO PRATO");
    EXPECT_EQ(MensagemGerandoProduto(-5, u"X"), u"Gerando produto -000005 X");
    EXPECT_EQ(MensagemGerandoProduto(1234567, u""), u"Gerando produto 1234567 ");
    EXPECT_EQ(MensagemGerandoProduto(std::numeric_limits<std::int32_t>::min(), u"X"),
              u"Gerando produto -2147483648 X");
}

TEST(Moeda, TextoExatoEReal) {
    EXPECT_EQ(Currency::DeTexto("39.90")->Valor, 399000);
    EXPECT_EQ(Currency::DeTexto("-0.019")->Valor, -190);
    EXPECT_EQ(Currency::DeTexto("+5")->Valor, 50000);
    EXPECT_EQ(Currency::DeTexto(".5")->Valor, 5000);
    EXPECT_EQ(Currency::DeTexto("1.23450000")->Valor, 12345);
    EXPECT_EQ(Currency::DeTexto("-922337203685477.5808")->Valor,
              std::numeric_limits<std::int64_t>::min());
    for (const char* ruim : {"", "-", ".", "1,5", "1.23456", "abc", "1e3", " 1",
                             "922337203685477.5808", "99999999999999999999"}) {
        EXPECT_FALSE(Currency::DeTexto(ruim).has_value()) << ruim;
    }
    EXPECT_EQ(Currency::DeDouble(39.9)->Valor, 399000);
    EXPECT_EQ(Currency::DeDouble(0.09375)->Valor, 938); // ties to even
    EXPECT_EQ(Currency::DeDouble(0.03125)->Valor, 312);
    EXPECT_FALSE(Currency::DeDouble(1e300).has_value());
    EXPECT_FALSE(Currency::DeDouble(std::numeric_limits<double>::quiet_NaN()).has_value());
    EXPECT_EQ(MoedaDeReal(0.3).Valor, 3000);
    EXPECT_EQ(MoedaDeReal(1e300).Valor, std::numeric_limits<std::int64_t>::max());
}

TEST(Windows1252, BytesDaPaginaDeCodigo) {
    struct Caso {
        std::u16string texto;
        std::string bytes;
    };
    const Caso casos[] = {
        {u"PÃO", "P\xC3O"},
        {u"ç€", "\xE7\x80"},
        {u"\u0081\u008D\u008F\u0090\u009D", "\x81\x8D\x8F\x90\x9D"},
        {u"\u4E2D", "?"},                                // outside the code page
        {u"\uFF01", "?"},                                // no best-fit to "!"
        {u"a\u200Db\u200Bc\uFEFFd\uFE0Fe", "a?b?c?d?e"}, // never silently dropped
        {u"\U0001F600", "?"},                            // a surrogate pair is one character
        {std::u16string(1, u'\xD800') + u"x", "?x"},     // a lone surrogate too
        {u"\x02\x03\x10\r\n", "\x02\x03\x10\r\n"},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(LinhasWindows1252({c.texto}), c.bytes + "\r\n") << Utf8(c.texto);
    }
}

} // namespace
} // namespace cargabal
