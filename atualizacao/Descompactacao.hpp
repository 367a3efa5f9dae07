// Unpacks a zip archive into a folder with libzip, refusing archives whose
// entries would land outside that folder.
#pragma once

#include <filesystem>
#include <string>

namespace atualizacao {

struct TResultadoDescompactacao {
    enum class TSituacao { Extraido, NaoEZip, Recusado, Falhou } Situacao;
    // What was wrong, for a message; empty when extracted.
    std::string Motivo;
};

// Extracts every entry into `pasta`, replacing files of the same name. An
// entry with an absolute path, a ".." component, a link, or a path through a
// link leaving the folder makes the whole archive refused before anything is
// written. A failure midway leaves the entries already extracted.
TResultadoDescompactacao Descompacta(const std::filesystem::path& arquivo,
                                     const std::filesystem::path& pasta);

} // namespace atualizacao
