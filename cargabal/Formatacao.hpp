// Fixed-width field formatting and the code tables shared by every load-file
// writer. A value longer than its field keeps its leading characters.
#pragma once

#include "cargabal/Currency.hpp"
#include "cargabal/ZADeCargaBal.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace cargabal {

// Left-aligned field: fills on the right; cuts to the first `largura`
// characters; a width of 0 or less never cuts.
std::u16string CompletaDireita(std::u16string_view texto, int largura, char16_t preenchimento);
// Right-aligned field: fills on the left; cuts like CompletaDireita (keeps the
// beginning, not the end).
std::u16string CompletaEsquerda(std::u16string_view texto, int largura, char16_t preenchimento);

// Decimal form (no grouping, leading "-") through CompletaEsquerda.
std::u16string FormatarInteiro(std::int64_t valor, int largura, char16_t preenchimento);

// Money scaled by 10^decimais, fraction cut toward zero, then FormatarInteiro.
// The full 64-bit result is formatted: nothing wraps around.
std::u16string FormatarValor(Currency valor, int largura, int decimais, char16_t preenchimento);

// Appending forms of the above, for writers that build a line in one buffer.
void AcrescentaDireita(std::u16string& linha, std::u16string_view texto, int largura,
                       char16_t preenchimento);
void AcrescentaEsquerda(std::u16string& linha, std::u16string_view texto, int largura,
                        char16_t preenchimento);
void AcrescentaInteiro(std::u16string& linha, std::int64_t valor, int largura,
                       char16_t preenchimento);
void AcrescentaValor(std::u16string& linha, Currency valor, int largura, int decimais,
                     char16_t preenchimento);

// Decimal text of an integer.
std::u16string InteiroParaTexto(std::int64_t valor);

// "Gerando produto %6.6d %s".
std::u16string MensagemGerandoProduto(std::int32_t codigo, std::u16string_view descricao);

// Money from a real value: nearest ten-thousandth, ties to even. Values beyond
// the range of money saturate, so that a field keeps its leading digits.
Currency MoedaDeReal(double valor);

std::u16string CodigoUndPorcao(TZADeCargaBalNutriUndPorcao v);
std::u16string CodigoUndPorcao429(TZADECargaBalNutriUndPorcao429 v);
std::u16string CodigoPartDecimal(TZADeCargaBalNutriPartdecimal v);
std::u16string CodigoPartDecimal429(TZADeCargaBalNutriPartdecimal429 v);
std::u16string CodigoTipoVenda(TZADeCargaBalTipoVenda v);
std::u16string CodigoMedCaseira(TZADeCargaBalNutriMedCaseira v);
std::u16string CodigoMedCaseira429(TZADeCargaBalNutriMedCaseira429 v);
// "P" weighed (tpvPeso, tpvEAN13), "U" by unit (tpvUnidade, tpvEAN13Und).
std::u16string LetraTipoVenda(TZADeCargaBalTipoVenda v);
std::u16string CodigoBooleano(bool v, char16_t preenchimento);

// UTF-8 <-> UTF-16 for paths, messages and the command-line tool. Invalid
// sequences become U+FFFD.
std::u16string Utf16(std::string_view utf8);
std::string Utf8(std::u16string_view utf16);

} // namespace cargabal
