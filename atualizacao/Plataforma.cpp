#include "atualizacao/Plataforma.hpp"

namespace atualizacao {

std::filesystem::path TPastaDoExecutavel::PastaPrograma() const {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

} // namespace atualizacao
