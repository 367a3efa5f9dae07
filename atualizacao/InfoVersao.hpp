// Reader of the version resource of Windows executables (PE32 and PE32+),
// answering what the Windows version API answers, without trusting the file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace atualizacao {

// The whole VS_VERSIONINFO block of an image; empty when the image has none
// or when any structure on the way to it is malformed.
std::vector<std::uint8_t> LeInfoVersao(std::span<const std::uint8_t> imagem);
std::vector<std::uint8_t> LeInfoVersao(const std::filesystem::path& arquivo);

// A value found in a version block: its bytes, and whether it is text.
struct TValorVersao {
    std::span<const std::uint8_t> Dados;
    bool Texto = false;
};

// Looks a sub-block up by a path such as "\VarFileInfo\Translation" or
// "\StringFileInfo\041604E4\CompanyName"; names compare without regard to case.
std::optional<TValorVersao> ConsultaValor(std::span<const std::uint8_t> bloco,
                                          std::string_view caminho);

// The zero-terminated text of a string value, as UTF-8.
std::optional<std::string> ConsultaTexto(std::span<const std::uint8_t> bloco,
                                         std::string_view caminho);

// First entry of "\VarFileInfo\Translation": language in the low 16 bits,
// code page in the high 16 bits.
std::optional<std::uint32_t> PrimeiraTraducao(std::span<const std::uint8_t> bloco);

} // namespace atualizacao
