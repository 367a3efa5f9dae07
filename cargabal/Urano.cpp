// Urano load: "PRODUTOS.TXT" made of framed records (kind, STX, fields, sum,
// ETX), plus the pieces that Urano S reuses.
#include "cargabal/Urano.hpp"

#include "cargabal/Formatacao.hpp"
#include "cargabal/ListaLinhas.hpp"

#include <algorithm>
#include <array>

namespace cargabal {

namespace {

// Width of the blank block of the nutrition record, which the recipe record
// repeats when no nutrition record precedes it.
constexpr std::size_t BrancosNutricionais = 209;
constexpr int LarguraReceita = 615;

std::uint64_t Magnitude(std::int64_t v) {
    // Unsigned negation keeps the most negative value exact.
    return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

// Kind, STX, then code (5), sale type, name (20), price, shelf life (4), "D".
std::u16string Cabecalho(char16_t tipo, const TZADeCargaBalItem& p, char16_t decimal,
                         std::size_t reserva) {
    std::u16string r;
    r.reserve(reserva);
    r += tipo;
    r += urano::STX;
    AcrescentaInteiro(r, p.Codigo, 5, u'0');
    r += LetraTipoVenda(p.Tipo);
    AcrescentaDireita(r, p.Descricao, 20, u' ');
    urano::AcrescentaPreco(r, p.ValorVenda, decimal);
    AcrescentaInteiro(r, p.Validade, 4, u'0');
    r += u'D';
    return r;
}

// The sum covers everything before it, the kind character and STX included.
void Fecha(std::u16string& registro) {
    urano::AcrescentaSoma(registro, SomaCaracteres(registro), true);
    registro += urano::ETX;
}

} // namespace

std::int32_t SomaCaracteres(std::u16string_view texto) {
    std::uint32_t soma = 0;
    for (const char16_t c : texto) {
        soma += static_cast<std::uint16_t>(c);
    }
    return static_cast<std::int32_t>(soma);
}

namespace urano {

void AcrescentaSoma(std::u16string& linha, std::int32_t soma, bool maiusculas) {
    const char16_t* const digitos = maiusculas ? u"0123456789ABCDEF" : u"0123456789abcdef";
    std::array<char16_t, 8> buffer{};
    std::size_t inicio = buffer.size();
    auto v = static_cast<std::uint32_t>(soma);
    do {
        buffer[--inicio] = digitos[v & 0xFu];
        v >>= 4;
    } while (v != 0);
    const std::size_t tamanho = buffer.size() - inicio;
    if (tamanho < 4) {
        linha.append(4 - tamanho, u'0');
    }
    linha.append(buffer.data() + inicio, tamanho);
}

Centavos ParaCentavosMetadeParaPar(Currency valor) {
    const std::uint64_t m = Magnitude(valor.Valor);
    std::uint64_t q = m / 100;
    const std::uint64_t resto = m % 100;
    if (resto > 50 || (resto == 50 && (q & 1u) != 0)) {
        ++q;
    }
    return {q, valor.Valor < 0 && q != 0};
}

Centavos ParaCentavosMetadeLongeDoZero(Currency valor) {
    const std::uint64_t m = Magnitude(valor.Valor);
    const std::uint64_t q = m / 100 + (m % 100 >= 50 ? 1 : 0);
    return {q, valor.Valor < 0 && q != 0};
}

void AcrescentaCentavos(std::u16string& linha, Centavos c, int digitosMinimos, char16_t milhar,
                        char16_t decimal) {
    // 2^63 cents has 17 whole digits: 20 digits and their separators fit.
    std::array<char16_t, 28> buffer{};
    digitosMinimos = std::min(digitosMinimos, 20);
    std::size_t inicio = buffer.size();
    std::uint64_t inteiro = c.Quantidade / 100;
    int digitos = 0;
    while (inteiro != 0 || digitos < digitosMinimos) {
        if (digitos > 0 && digitos % 3 == 0 && milhar != u'\0') {
            buffer[--inicio] = milhar;
        }
        buffer[--inicio] = static_cast<char16_t>(u'0' + inteiro % 10);
        inteiro /= 10;
        ++digitos;
    }
    if (c.Negativo) {
        linha += u'-';
    }
    linha.append(buffer.data() + inicio, buffer.size() - inicio);
    linha += decimal;
    const auto fracao = static_cast<unsigned>(c.Quantidade % 100);
    linha += static_cast<char16_t>(u'0' + fracao / 10);
    linha += static_cast<char16_t>(u'0' + fracao % 10);
}

void AcrescentaPreco(std::u16string& linha, Currency valor, char16_t separadorDecimal) {
    AcrescentaCentavos(linha, ParaCentavosMetadeParaPar(valor), 6, u'\0', separadorDecimal);
}

void AcrescentaRegistrosComplementares(ListaLinhas& itens, const TZADeCargaBalItem& p,
                                       char16_t separadorDecimal) {
    const bool temNutricional = p.Nutricional().Qtd > 0;
    if (temNutricional) {
        std::u16string r = Cabecalho(VT, p, separadorDecimal, 260);
        r.append(BrancosNutricionais, u' ');
        Fecha(r);
        itens.Add(std::move(r));
    }
    const std::u16string& receita = p.InformacaoExtra().Receita;
    if (!receita.empty()) {
        std::u16string r = Cabecalho(FF, p, separadorDecimal, 880);
        if (!temNutricional) {
            r.append(BrancosNutricionais, u' ');
        }
        AcrescentaDireita(r, receita, LarguraReceita, u' ');
        Fecha(r);
        itens.Add(std::move(r));
    }
}

} // namespace urano

void TZADeCargaBal::GerarUrano(ListaLinhas* Itens) {
    const char16_t decimal = Numeros.SeparadorDecimal;
    const int total = FProdutos->Count();
    for (int i = 0; i < total; ++i) {
        const TZADeCargaBalItem& p = FProdutos->Items(i);
        std::u16string produto = Cabecalho(urano::LF, p, decimal, 50);
        Fecha(produto);
        Itens->Add(std::move(produto));
        urano::AcrescentaRegistrosComplementares(*Itens, p, decimal);
        ProgressoProduto(p, i, total);
    }
}

} // namespace cargabal
