// Turning a load file's text into Windows-1252 bytes and putting them on disk
// so that a failure never leaves a truncated file where a good one was.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace cargabal {

// A file that could not be written; the message names the file and the cause.
class EArquivo : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bytes of a load file: every line in Windows-1252 followed by CR LF. One
// "?" for every character the code page lacks (a surrogate pair is one
// character), no best-fit mappings, nothing dropped.
std::string LinhasWindows1252(const std::vector<std::u16string>& linhas);

// Replaces `caminho` with `conteudo`: temporary file in the same folder,
// fsync, rename over the target, fsync of the folder. On failure the old file
// stays as it was, the temporary file is removed, and EArquivo is thrown.
void GravaAtomicamente(const std::string& caminho, std::string_view conteudo);

} // namespace cargabal
