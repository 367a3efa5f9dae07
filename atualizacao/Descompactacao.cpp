#include "atualizacao/Descompactacao.hpp"

#include <array>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include <zip.h>

namespace atualizacao {

namespace {

namespace fs = std::filesystem;
using TSituacao = TResultadoDescompactacao::TSituacao;

struct LiberaZip {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct FechaEntrada {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};
struct FechaArquivo {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

struct Entrada {
    zip_uint64_t Indice;
    std::string Nome; // with "/" separators
    bool Pasta;
};

bool EhLink(zip_t* z, zip_uint64_t i) {
    zip_uint8_t sistema = 0;
    zip_uint32_t atributos = 0;
    if (zip_file_get_external_attributes(z, i, 0, &sistema, &atributos) != 0) {
        return false;
    }
    return sistema == ZIP_OPSYS_UNIX && S_ISLNK(atributos >> 16);
}

bool DentroDe(const fs::path& caminho, const fs::path& raiz) {
    const auto rel = caminho.lexically_relative(raiz);
    return !rel.empty() && *rel.begin() != "..";
}

// Empty when the entry may be written; otherwise why not.
std::string ProblemaDaEntrada(zip_t* z, const Entrada& e, const fs::path& pasta) {
    const std::string aspas = "\"" + e.Nome + "\"";
    if (e.Nome.empty() || e.Nome.front() == '/' || (e.Nome.size() > 1 && e.Nome[1] == ':')) {
        return "a entrada " + aspas + " tem um caminho absoluto";
    }
    for (const auto& parte : fs::path(e.Nome)) {
        if (parte == "..") {
            return "a entrada " + aspas + " sairia da pasta do programa";
        }
    }
    if (EhLink(z, e.Indice)) {
        return "a entrada " + aspas + " é um link";
    }
    // A folder of the path that is a link could lead elsewhere.
    std::error_code ec;
    const fs::path destino = fs::weakly_canonical(pasta / e.Nome, ec);
    if (ec || !DentroDe(destino, pasta)) {
        return "a entrada " + aspas + " sairia da pasta do programa";
    }
    return {};
}

// Writes next to the target and renames over it, so a link of that name is
// replaced rather than followed, and a broken entry leaves no half file.
void ExtraiArquivo(zip_t* z, const Entrada& e, const fs::path& destino) {
    fs::create_directories(destino.parent_path());
    std::string temporario = destino.string() + ".XXXXXX";
    const int fd = ::mkstemp(temporario.data());
    if (fd < 0) {
        throw std::runtime_error("não foi possível criar " + destino.string());
    }
    struct Remove {
        std::string Caminho;
        bool Ativo = true;
        ~Remove() {
            if (Ativo) {
                ::unlink(Caminho.c_str());
            }
        }
    } remove{temporario};
    std::unique_ptr<std::FILE, FechaArquivo> saida(::fdopen(fd, "wb"));
    std::unique_ptr<zip_file_t, FechaEntrada> entrada(zip_fopen_index(z, e.Indice, 0));
    if (!saida || !entrada) {
        if (!saida) {
            ::close(fd);
        }
        throw std::runtime_error("não foi possível ler a entrada " + e.Nome);
    }
    std::array<char, 64 * 1024> buffer{};
    while (true) {
        const zip_int64_t lidos = zip_fread(entrada.get(), buffer.data(), buffer.size());
        if (lidos < 0) {
            throw std::runtime_error("a entrada " + e.Nome + " está corrompida");
        }
        if (lidos == 0) {
            break;
        }
        if (std::fwrite(buffer.data(), 1, static_cast<std::size_t>(lidos), saida.get()) !=
            static_cast<std::size_t>(lidos)) {
            throw std::runtime_error("falha ao gravar " + destino.string());
        }
    }
    ::fchmod(fd, 0644);
    if (std::fclose(saida.release()) != 0) {
        throw std::runtime_error("falha ao gravar " + destino.string());
    }
    fs::rename(temporario, destino);
    remove.Ativo = false;
}

} // namespace

TResultadoDescompactacao Descompacta(const fs::path& arquivo, const fs::path& pasta) {
    int erro = 0;
    std::unique_ptr<zip_t, LiberaZip> z(
        zip_open(arquivo.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &erro));
    if (!z) {
        return {TSituacao::NaoEZip,
                "o arquivo " + arquivo.filename().string() + " não é um arquivo zip válido"};
    }
    try {
        std::error_code ec;
        const fs::path raiz = fs::weakly_canonical(pasta, ec);
        std::vector<Entrada> entradas;
        const zip_int64_t n = zip_get_num_entries(z.get(), 0);
        for (zip_int64_t i = 0; i < n; ++i) {
            const char* nome =
                zip_get_name(z.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
            if (nome == nullptr) {
                return {TSituacao::Falhou, "entrada ilegível no arquivo zip"};
            }
            std::string normal = nome;
            for (char& c : normal) {
                c = c == '\\' ? '/' : c; // archives made on Windows
            }
            const bool ehPasta = !normal.empty() && normal.back() == '/';
            entradas.push_back({static_cast<zip_uint64_t>(i), normal, ehPasta});
            if (const std::string problema = ProblemaDaEntrada(z.get(), entradas.back(), raiz);
                !problema.empty()) {
                return {TSituacao::Recusado, "O arquivo baixado foi recusado: " + problema + "."};
            }
        }
        for (const Entrada& e : entradas) {
            if (e.Pasta) {
                fs::create_directories(raiz / e.Nome);
            } else {
                ExtraiArquivo(z.get(), e, raiz / e.Nome);
            }
        }
    } catch (const std::exception& e) {
        return {TSituacao::Falhou, e.what()};
    }
    return {TSituacao::Extraido, {}};
}

} // namespace atualizacao
