// A fresh folder for one test, removed with everything in it at the end,
// plus small file helpers that tests share.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include <cstdlib>

namespace testes {

class PastaTemporaria {
public:
    PastaTemporaria() {
        std::string modelo =
            (std::filesystem::temp_directory_path() / "orbitra-teste-XXXXXX").string();
        if (::mkdtemp(modelo.data()) == nullptr) {
            throw std::runtime_error("mkdtemp falhou");
        }
        FCaminho = modelo;
    }
    ~PastaTemporaria() {
        std::error_code ec;
        // Tests may leave read-only folders behind; open them up first.
        for (auto it = std::filesystem::recursive_directory_iterator(FCaminho, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        }
        std::filesystem::permissions(FCaminho, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(FCaminho, ec);
    }
    PastaTemporaria(const PastaTemporaria&) = delete;
    PastaTemporaria& operator=(const PastaTemporaria&) = delete;

    const std::filesystem::path& Caminho() const { return FCaminho; }
    std::string operator/(const std::string& nome) const { return (FCaminho / nome).string(); }
    std::string Texto() const { return FCaminho.string(); }

private:
    std::filesystem::path FCaminho;
};

inline std::string LeArquivo(const std::filesystem::path& caminho) {
    std::ifstream in(caminho, std::ios::binary);
    if (!in) {
        throw std::runtime_error("não foi possível ler " + caminho.string());
    }
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void EscreveArquivo(const std::filesystem::path& caminho, const std::string& conteudo) {
    std::ofstream out(caminho, std::ios::binary | std::ios::trunc);
    out << conteudo;
    if (!out) {
        throw std::runtime_error("não foi possível escrever " + caminho.string());
    }
}

} // namespace testes
