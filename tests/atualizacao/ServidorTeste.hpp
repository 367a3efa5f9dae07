// The loopback HTTP server of the tests (servidor_teste.py), started for a
// test suite and stopped with it.
#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>

namespace testes {

class ServidorTeste {
public:
    // Serves from `raiz` (versoes/, arquivos/, registro.txt).
    explicit ServidorTeste(std::filesystem::path raiz);
    ~ServidorTeste();
    ServidorTeste(const ServidorTeste&) = delete;
    ServidorTeste& operator=(const ServidorTeste&) = delete;

    std::string Url(const std::string& caminho = "") const;
    const std::filesystem::path& Raiz() const { return FRaiz; }
    // The requests seen so far, one a line; Limpa forgets them.
    std::string Registro() const;
    void Limpa() const;

private:
    std::filesystem::path FRaiz;
    pid_t FPid = -1;
    int FPorta = 0;
};

} // namespace testes
