// The settings file "arquivo.ini" beside the program: database settings and
// the last scale make and folder. Reading never creates the file; saving
// touches only the two keys of "cargabalanca".
#pragma once

#include <string>

namespace loja {

struct TConfiguracao {
    std::string Host = "127.0.0.1";     // [bd] host
    std::string Nome = "orbitra";       // [bd] nome
    std::string Login = "postgres";     // [dadosbanco] login
    std::string Senha = "K82PUDWEXN47"; // [dadosbanco] senha
    std::string Modelo = "Filizola";    // [cargabalanca] modelo
    std::string Caminho;                // [cargabalanca] caminho
};

// "arquivo.ini" in the folder of the running executable.
std::string CaminhoArquivoIni();

// The settings of `caminho`, with the defaults for what is missing (the
// whole file included). An unreadable file gives an error with its path.
TConfiguracao LeConfiguracao(const std::string& caminho);

// Writes "modelo" and "caminho" of "cargabalanca", creating the file when
// missing and keeping every other section, key and comment. The file is
// replaced atomically, so a failure leaves the previous one intact.
void GravaConfiguracaoCarga(const std::string& caminho, const std::string& modelo,
                            const std::string& pasta);

} // namespace loja
