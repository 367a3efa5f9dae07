#include "cli/Comandos.hpp"

#include <iostream>

namespace cli {

int ComandoGerar(const Argumentos&) {
    std::cerr << "Este comando ainda não está disponível nesta versão.\n";
    return SaidaUso;
}

} // namespace cli
