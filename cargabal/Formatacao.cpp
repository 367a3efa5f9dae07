#include "cargabal/Formatacao.hpp"

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

namespace cargabal {

namespace {

// Wide enough for any money value times 10^18.
__extension__ typedef __int128 Int128;

// Decimal digits of an int128, with a leading "-" when negative.
std::size_t EscreveDecimal(Int128 valor, std::array<char16_t, 48>& buffer) {
    std::size_t fim = buffer.size();
    std::size_t pos = fim;
    const bool negativo = valor < 0;
    // Work on the negative side so that the most negative value needs no care.
    Int128 v = negativo ? valor : -valor;
    do {
        const int digito = static_cast<int>(-(v % 10));
        buffer[--pos] = static_cast<char16_t>(u'0' + digito);
        v /= 10;
    } while (v != 0);
    if (negativo) {
        buffer[--pos] = u'-';
    }
    return pos;
}

std::u16string_view TextoDecimal(Int128 valor, std::array<char16_t, 48>& buffer) {
    const std::size_t inicio = EscreveDecimal(valor, buffer);
    return {buffer.data() + inicio, buffer.size() - inicio};
}

Int128 Escala(Currency valor, int decimais) {
    if (decimais > 18) {
        throw std::invalid_argument("FormatarValor: casas decimais demais");
    }
    Int128 m = 1;
    for (int i = 0; i < decimais; ++i) {
        m *= 10;
    }
    // C++ division truncates toward zero, as the cut requires.
    return static_cast<Int128>(valor.Valor) * m / 10000;
}

} // namespace

void AcrescentaDireita(std::u16string& linha, std::u16string_view texto, int largura,
                       char16_t preenchimento) {
    const auto tamanho = static_cast<std::int64_t>(texto.size());
    if (largura >= 1 && largura < tamanho) {
        linha.append(texto.substr(0, static_cast<std::size_t>(largura)));
        return;
    }
    linha.append(texto);
    if (largura > tamanho) {
        linha.append(static_cast<std::size_t>(largura - tamanho), preenchimento);
    }
}

void AcrescentaEsquerda(std::u16string& linha, std::u16string_view texto, int largura,
                        char16_t preenchimento) {
    const auto tamanho = static_cast<std::int64_t>(texto.size());
    if (largura >= 1 && largura < tamanho) {
        linha.append(texto.substr(0, static_cast<std::size_t>(largura)));
        return;
    }
    if (largura > tamanho) {
        linha.append(static_cast<std::size_t>(largura - tamanho), preenchimento);
    }
    linha.append(texto);
}

void AcrescentaInteiro(std::u16string& linha, std::int64_t valor, int largura,
                       char16_t preenchimento) {
    std::array<char16_t, 48> buffer{};
    AcrescentaEsquerda(linha, TextoDecimal(valor, buffer), largura, preenchimento);
}

void AcrescentaValor(std::u16string& linha, Currency valor, int largura, int decimais,
                     char16_t preenchimento) {
    std::array<char16_t, 48> buffer{};
    AcrescentaEsquerda(linha, TextoDecimal(Escala(valor, decimais), buffer), largura,
                       preenchimento);
}

std::u16string CompletaDireita(std::u16string_view texto, int largura, char16_t preenchimento) {
    std::u16string r;
    AcrescentaDireita(r, texto, largura, preenchimento);
    return r;
}

std::u16string CompletaEsquerda(std::u16string_view texto, int largura, char16_t preenchimento) {
    std::u16string r;
    AcrescentaEsquerda(r, texto, largura, preenchimento);
    return r;
}

std::u16string FormatarInteiro(std::int64_t valor, int largura, char16_t preenchimento) {
    std::u16string r;
    AcrescentaInteiro(r, valor, largura, preenchimento);
    return r;
}

std::u16string FormatarValor(Currency valor, int largura, int decimais, char16_t preenchimento) {
    std::u16string r;
    AcrescentaValor(r, valor, largura, decimais, preenchimento);
    return r;
}

std::u16string InteiroParaTexto(std::int64_t valor) {
    std::array<char16_t, 48> buffer{};
    return std::u16string(TextoDecimal(valor, buffer));
}

std::u16string MensagemGerandoProduto(std::int32_t codigo, std::u16string_view descricao) {
    std::u16string r = u"Gerando produto ";
    if (codigo < 0) {
        r += u'-';
    }
    // %6.6d: at least six digits, the sign before them.
    const std::u16string digitos = InteiroParaTexto(std::abs(static_cast<std::int64_t>(codigo)));
    if (digitos.size() < 6) {
        r.append(6 - digitos.size(), u'0');
    }
    r += digitos;
    r += u' ';
    r.append(descricao);
    return r;
}

Currency MoedaDeReal(double valor) {
    if (std::isnan(valor)) {
        return Currency{};
    }
    if (auto m = Currency::DeDouble(valor)) {
        return *m;
    }
    return Currency{valor > 0 ? std::numeric_limits<std::int64_t>::max()
                              : std::numeric_limits<std::int64_t>::min()};
}

namespace {
std::u16string Digito(int v) {
    return std::u16string(1, static_cast<char16_t>(u'0' + v));
}
std::u16string DoisDigitos(int v) {
    return FormatarInteiro(v, 2, u'0');
}
} // namespace

std::u16string CodigoUndPorcao(TZADeCargaBalNutriUndPorcao v) {
    return Digito(static_cast<int>(v));
}
std::u16string CodigoUndPorcao429(TZADECargaBalNutriUndPorcao429 v) {
    return Digito(static_cast<int>(v));
}
std::u16string CodigoPartDecimal(TZADeCargaBalNutriPartdecimal v) {
    return Digito(static_cast<int>(v));
}
std::u16string CodigoPartDecimal429(TZADeCargaBalNutriPartdecimal429 v) {
    return Digito(static_cast<int>(v));
}
std::u16string CodigoMedCaseira(TZADeCargaBalNutriMedCaseira v) {
    return DoisDigitos(static_cast<int>(v));
}
std::u16string CodigoMedCaseira429(TZADeCargaBalNutriMedCaseira429 v) {
    return DoisDigitos(static_cast<int>(v));
}

std::u16string CodigoTipoVenda(TZADeCargaBalTipoVenda v) {
    switch (v) {
    case TZADeCargaBalTipoVenda::tpvPeso:
        return u"0";
    case TZADeCargaBalTipoVenda::tpvUnidade:
        return u"1";
    case TZADeCargaBalTipoVenda::tpvEAN13:
        return u"2";
    case TZADeCargaBalTipoVenda::tpvEAN13Und:
        return u"5";
    }
    return u"0";
}

std::u16string LetraTipoVenda(TZADeCargaBalTipoVenda v) {
    switch (v) {
    case TZADeCargaBalTipoVenda::tpvPeso:
    case TZADeCargaBalTipoVenda::tpvEAN13:
        return u"P";
    case TZADeCargaBalTipoVenda::tpvUnidade:
    case TZADeCargaBalTipoVenda::tpvEAN13Und:
        return u"U";
    }
    return u"P";
}

std::u16string CodigoBooleano(bool v, char16_t preenchimento) {
    return CompletaEsquerda(v ? u"1" : u"0", 1, preenchimento);
}

std::u16string Utf16(std::string_view utf8) {
    std::u16string r(utf8.size(), u'\0');
    int32_t tamanho = 0;
    UErrorCode erro = U_ZERO_ERROR;
    u_strFromUTF8WithSub(r.data(), static_cast<int32_t>(r.size()), &tamanho, utf8.data(),
                         static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &erro);
    if (U_FAILURE(erro)) {
        return {};
    }
    r.resize(static_cast<std::size_t>(tamanho));
    return r;
}

std::string Utf8(std::u16string_view utf16) {
    std::string r(utf16.size() * 3, '\0');
    int32_t tamanho = 0;
    UErrorCode erro = U_ZERO_ERROR;
    u_strToUTF8WithSub(r.data(), static_cast<int32_t>(r.size()), &tamanho, utf16.data(),
                       static_cast<int32_t>(utf16.size()), 0xFFFD, nullptr, &erro);
    if (U_FAILURE(erro)) {
        return {};
    }
    r.resize(static_cast<std::size_t>(tamanho));
    return r;
}

} // namespace cargabal
