#include "cargabal/Formatacao.hpp"
#include "cargabal/ZADeCargaBal.hpp"
#include "cli/Comandos.hpp"

#include <iostream>

namespace cli {

int ComandoModelos(const Argumentos& args) {
    if (!args.empty()) {
        if (args.front() == "--help") {
            std::cout << "Uso: cargabal modelos\n\n"
                         "Lista os modelos de balança, um por linha: o nome usado em --modelo\n"
                         "e o nome de exibição.\nExemplo: cargabal modelos\n";
            return SaidaSucesso;
        }
        std::cerr << "O comando modelos não aceita argumentos.\n";
        return SaidaUso;
    }
    for (int i = 0; i < cargabal::QuantidadeModelos; ++i) {
        const auto m = static_cast<cargabal::TZADeCargaBalModelo>(i);
        std::cout << cargabal::NomeEnumerador(m) << '\t' << cargabal::Utf8(cargabal::ModeloStr(m))
                  << '\n';
    }
    return SaidaSucesso;
}

} // namespace cli
