// What the Urano family writers share: the framed records with their character
// sums, the price texts computed exactly from the money value, and the code
// routines of the URF32 lines (exposed here so that tests can reach them).
#pragma once

#include "cargabal/Currency.hpp"
#include "cargabal/ZADeCargaBal.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace cargabal {

class ListaLinhas;

namespace urano {

// Control characters that frame the records of "PRODUTOS.TXT".
inline constexpr char16_t STX = u'\x02';
inline constexpr char16_t ETX = u'\x03';
inline constexpr char16_t LF = u'\x0A';  // product record
inline constexpr char16_t VT = u'\x0B';  // nutrition record
inline constexpr char16_t FF = u'\x0C';  // recipe record
inline constexpr char16_t DLE = u'\x10'; // Urano S product record

// Appends the sum in hexadecimal, zero-filled to at least four digits.
void AcrescentaSoma(std::u16string& linha, std::int32_t soma, bool maiusculas);

// A price rounded to whole cents. A value that rounds to zero is never
// negative, so no "-0,00" reaches a file.
struct Centavos {
    std::uint64_t Quantidade = 0;
    bool Negativo = false;
};
Centavos ParaCentavosMetadeParaPar(Currency valor);
Centavos ParaCentavosMetadeLongeDoZero(Currency valor);

// Appends "-" when negative, the whole part with at least `digitosMinimos`
// digits grouped by three with `milhar` (u'\0': no grouping), `decimal` and the
// two decimals.
void AcrescentaCentavos(std::u16string& linha, Centavos c, int digitosMinimos, char16_t milhar,
                        char16_t decimal);

// Appends the price with the pattern "000000.00": at least six integer digits,
// `separadorDecimal`, two decimals rounded to the cent with an exact half going
// to the even cent, a leading "-" when negative. Nothing is cut, so a negative
// price or one of a million or more lengthens the record.
void AcrescentaPreco(std::u16string& linha, Currency valor, char16_t separadorDecimal);

// Appends the nutrition (VT) and recipe (FF) records that `p` calls for, in the
// Urano layout, each closed by its upper-case sum and ETX.
void AcrescentaRegistrosComplementares(ListaLinhas& itens, const TZADeCargaBalItem& p,
                                       char16_t separadorDecimal);

} // namespace urano

// Sum of the UTF-16 code units of `texto` taken as unsigned 16-bit numbers.
// The sum is held in 32 bits; it wraps instead of overflowing.
std::int32_t SomaCaracteres(std::u16string_view texto);

// "0" weighed (tpvPeso, tpvEAN13), "6" by unit (tpvUnidade, tpvEAN13Und).
std::u16string CodigoTipoVendaURF32(TZADeCargaBalTipoVenda v);
// "D" days, "M" months.
std::u16string LetraTipoValidade(TZADeCargaBalTipoValidade v);

// The 9-character URF32 price: "###,###,##0.00" with the given separators
// (half a cent rounds away from zero), right-aligned in 9 characters keeping
// the first 9, then every "." turned into ",". A thousands separator of u'\0'
// (a locale without one) groups nothing: 1234.50 gives "  1234,50".
std::u16string FormatarPrecoURF32(Currency valor, const ConfiguracaoNumerica& numeros);

std::u16string TrocarPontoPorVirgula(std::u16string texto);

} // namespace cargabal
