// Money with four decimal places, held as a count of ten-thousandths, so that
// prices and amounts never pass through binary floating point on their way
// into a load file.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string_view>

namespace cargabal {

struct Currency {
    std::int64_t Valor = 0; // ten-thousandths

    static constexpr Currency DeDezMilesimos(std::int64_t v) { return Currency{v}; }

    // Nearest ten-thousandth, ties to even (std::nearbyint under the default
    // rounding mode). Empty when the value is not finite or does not fit.
    static std::optional<Currency> DeDouble(double v);

    // Exact decimal text such as "39.90", "-0.019" or "+5". At most four
    // decimals that are not zero; empty when malformed or out of range.
    static std::optional<Currency> DeTexto(std::string_view texto);

    friend constexpr auto operator<=>(Currency, Currency) = default;
};

} // namespace cargabal
