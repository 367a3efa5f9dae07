// Builds real Windows executables for the tests: a resource script with the
// wanted version resource, compiled by the mingw resource compiler and linked
// into a tiny PE32+ (or, converted, PE32) image.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testes {

struct TRecursoVersao {
    std::vector<std::pair<std::string, std::string>> Valores; // in the string table
    std::optional<std::pair<std::uint16_t, std::uint16_t>> Traducao =
        std::pair<std::uint16_t, std::uint16_t>{0x0416, 0x04E4};
    bool ComRecurso = true; // false: an image with another resource only
    bool Pe32 = false;
};

// The usual executable of the maker: company, product and file version.
TRecursoVersao Recurso(const std::string& empresa, const std::string& produto,
                       const std::string& versao);

// Writes the executable at `destino`; throws when a tool fails.
void CriaExecutavel(const std::filesystem::path& destino, const TRecursoVersao& recurso);

} // namespace testes
