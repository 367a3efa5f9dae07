#include "cargabal/Currency.hpp"

#include <cfenv>
#include <cmath>
#include <limits>

namespace cargabal {

std::optional<Currency> Currency::DeDouble(double v) {
    if (!std::isfinite(v)) {
        return std::nullopt;
    }
    const double escalado = std::nearbyint(v * 10000.0);
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double limite = 9223372036854775808.0;
    if (!(escalado < limite && escalado >= -limite)) {
        return std::nullopt;
    }
    return Currency{static_cast<std::int64_t>(escalado)};
}

std::optional<Currency> Currency::DeTexto(std::string_view texto) {
    std::size_t pos = 0;
    bool negativo = false;
    if (pos < texto.size() && (texto[pos] == '-' || texto[pos] == '+')) {
        negativo = texto[pos] == '-';
        ++pos;
    }
    // Accumulate the magnitude negatively so that the most negative value fits.
    constexpr std::int64_t minimo = std::numeric_limits<std::int64_t>::min();
    std::int64_t acumulado = 0;
    auto acrescenta = [&](int digito) {
        if (acumulado < (minimo + digito) / 10) {
            return false;
        }
        acumulado = acumulado * 10 - digito;
        return true;
    };
    std::size_t digitosInteiros = 0;
    while (pos < texto.size() && texto[pos] >= '0' && texto[pos] <= '9') {
        if (!acrescenta(texto[pos] - '0')) {
            return std::nullopt;
        }
        ++pos;
        ++digitosInteiros;
    }
    std::size_t decimais = 0;
    std::size_t digitosDecimais = 0;
    if (pos < texto.size() && texto[pos] == '.') {
        ++pos;
        while (pos < texto.size() && texto[pos] >= '0' && texto[pos] <= '9') {
            const int digito = texto[pos] - '0';
            if (decimais < 4) {
                if (!acrescenta(digito)) {
                    return std::nullopt;
                }
                ++decimais;
            } else if (digito != 0) {
                return std::nullopt; // finer than a ten-thousandth
            }
            ++pos;
            ++digitosDecimais;
        }
    }
    if (pos != texto.size() || digitosInteiros + digitosDecimais == 0) {
        return std::nullopt;
    }
    for (; decimais < 4; ++decimais) {
        if (!acrescenta(0)) {
            return std::nullopt;
        }
    }
    if (!negativo) {
        if (acumulado == minimo) {
            return std::nullopt;
        }
        acumulado = -acumulado;
    }
    return Currency{acumulado};
}

} // namespace cargabal
