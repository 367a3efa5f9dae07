// Comparison of names typed by people (makes, models, SQL parameters), where
// letter case does not matter and the names are plain ASCII.
#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

namespace loja {

inline bool IgualSemCaixa(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace loja
