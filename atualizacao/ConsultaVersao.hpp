// The query of the maker's version service: which is the latest version of a
// program, and where to download it.
#pragma once

#include "atualizacao/DTOPrograma.hpp"

#include <filesystem>
#include <memory>
#include <string>

namespace atualizacao {

inline constexpr char ServidorAtualizacaoPadrao[] = "http://localhost:8084";

// The service address: "arquivo.ini" of the program's folder, section
// "atualizacao", key "servidor"; the default when absent. Never written.
std::string LeServidorAtualizacao(const std::filesystem::path& pastaPrograma);

// GET <servidor>/getversao?projeto=<projeto> with basic authentication.
// Nothing for an empty name, a failure, a status other than 200 or an empty
// body; never raises. A body that cannot be read gives the record as far as
// it was filled.
std::unique_ptr<TPrograma> ConsultarVersao(const std::string& projeto, const std::string& servidor);

} // namespace atualizacao
