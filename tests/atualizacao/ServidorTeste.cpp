#include "ServidorTeste.hpp"

#include "comum/PastaTemporaria.hpp"

#include <csignal>
#include <cstdio>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace testes {

ServidorTeste::ServidorTeste(std::filesystem::path raiz) : FRaiz(std::move(raiz)) {
    std::filesystem::create_directories(FRaiz / "versoes");
    std::filesystem::create_directories(FRaiz / "arquivos");
    int canal[2];
    if (::pipe(canal) != 0) {
        throw std::runtime_error("pipe falhou");
    }
    FPid = ::fork();
    if (FPid == 0) {
        ::dup2(canal[1], STDOUT_FILENO);
        ::close(canal[0]);
        ::close(canal[1]);
        ::execl(PYTHON3_TESTES, PYTHON3_TESTES, SERVIDOR_TESTE_PY, FRaiz.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(canal[1]);
    std::FILE* saida = ::fdopen(canal[0], "r");
    if (FPid < 0 || saida == nullptr || std::fscanf(saida, "%d", &FPorta) != 1) {
        if (saida != nullptr) {
            std::fclose(saida);
        }
        throw std::runtime_error("o servidor de teste não informou a porta");
    }
    std::fclose(saida);
}

ServidorTeste::~ServidorTeste() {
    if (FPid > 0) {
        ::kill(FPid, SIGTERM);
        ::waitpid(FPid, nullptr, 0);
    }
}

std::string ServidorTeste::Url(const std::string& caminho) const {
    return "http://127.0.0.1:" + std::to_string(FPorta) + caminho;
}

std::string ServidorTeste::Registro() const {
    std::error_code ec;
    return std::filesystem::exists(FRaiz / "registro.txt", ec) ? LeArquivo(FRaiz / "registro.txt")
                                                               : std::string();
}

void ServidorTeste::Limpa() const {
    std::error_code ec;
    std::filesystem::remove(FRaiz / "registro.txt", ec);
}

} // namespace testes
