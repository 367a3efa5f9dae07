#include "app/Configuracao.hpp"

// Debian builds the library with ICU conversion; the header must agree.
#define SI_CONVERT_ICU
#include <SimpleIni.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace loja {

namespace {

constexpr const char* NomeArquivoIni = "arquivo.ini";

// Windows INI layout: "key=value", sections and keys without regard to case,
// quotes around a value stripped as the Windows routines strip them.
void Prepara(CSimpleIniA& ini) {
    ini.SetUnicode(true);
    ini.SetSpaces(false);
    ini.SetQuotes(true);
    ini.SetMultiKey(false);
}

// false when the file does not exist; an error when it exists but cannot be
// read, so that nothing is saved over a file whose content we never saw.
bool Carrega(CSimpleIniA& ini, const std::string& caminho) {
    Prepara(ini);
    std::error_code ec;
    if (!std::filesystem::exists(caminho, ec)) {
        return false;
    }
    if (ini.LoadFile(caminho.c_str()) < 0) {
        throw std::runtime_error("Não foi possível ler o arquivo de configuração \"" + caminho +
                                 "\": " + std::strerror(errno));
    }
    return true;
}

std::string Le(const CSimpleIniA& ini, const char* secao, const char* chave,
               const std::string& padrao) {
    return ini.GetValue(secao, chave, padrao.c_str());
}

class Descritor {
public:
    explicit Descritor(int fd) : FFd(fd) {}
    ~Descritor() {
        if (FFd >= 0) {
            ::close(FFd);
        }
    }
    Descritor(const Descritor&) = delete;
    Descritor& operator=(const Descritor&) = delete;
    int Fd() const { return FFd; }
    int Libera() { return std::exchange(FFd, -1); }

private:
    int FFd;
};

[[noreturn]] void FalhaGravacao(const std::string& caminho, int erro) {
    throw std::runtime_error("Não foi possível gravar o arquivo de configuração \"" + caminho +
                             "\": " + std::strerror(erro));
}

// Temporary file in the same folder, fsync, rename over the target.
void GravaAtomico(const std::string& caminho, const std::string& conteudo) {
    std::string temporario = caminho + ".XXXXXX";
    Descritor fd(::mkstemp(temporario.data()));
    if (fd.Fd() < 0) {
        FalhaGravacao(caminho, errno);
    }
    auto desiste = [&](int erro) {
        ::unlink(temporario.c_str());
        FalhaGravacao(caminho, erro);
    };
    std::size_t escrito = 0;
    while (escrito < conteudo.size()) {
        const ssize_t n = ::write(fd.Fd(), conteudo.data() + escrito, conteudo.size() - escrito);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            desiste(n < 0 ? errno : EIO);
        }
        escrito += static_cast<std::size_t>(n);
    }
    ::fchmod(fd.Fd(), 0644);
    if (::fsync(fd.Fd()) != 0 || ::close(fd.Libera()) != 0) {
        desiste(errno);
    }
    if (::rename(temporario.c_str(), caminho.c_str()) != 0) {
        desiste(errno);
    }
}

} // namespace

std::string CaminhoArquivoIni() {
    std::error_code ec;
    const std::filesystem::path programa = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return NomeArquivoIni;
    }
    return (programa.parent_path() / NomeArquivoIni).string();
}

TConfiguracao LeConfiguracao(const std::string& caminho) {
    TConfiguracao c;
    CSimpleIniA ini;
    if (!Carrega(ini, caminho)) {
        return c;
    }
    c.Host = Le(ini, "bd", "host", c.Host);
    c.Senha = Le(ini, "dadosbanco", "senha", c.Senha);
    c.Login = Le(ini, "dadosbanco", "login", c.Login);
    c.Nome = Le(ini, "bd", "nome", c.Nome);
    c.Modelo = Le(ini, "cargabalanca", "modelo", c.Modelo);
    c.Caminho = Le(ini, "cargabalanca", "caminho", c.Caminho);
    return c;
}

void GravaConfiguracaoCarga(const std::string& caminho, const std::string& modelo,
                            const std::string& pasta) {
    CSimpleIniA ini;
    Carrega(ini, caminho);
    ini.SetValue("cargabalanca", "modelo", modelo.c_str());
    ini.SetValue("cargabalanca", "caminho", pasta.c_str());
    std::string conteudo;
    if (ini.Save(conteudo) < 0) {
        FalhaGravacao(caminho, ENOMEM);
    }
    GravaAtomico(caminho, conteudo);
}

} // namespace loja
