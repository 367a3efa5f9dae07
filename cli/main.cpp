// Entry of the `cargabal` command-line tool: integrators and scheduled jobs
// drive the generator without a display.
#include "cli/Comandos.hpp"

#include <clocale>
#include <csignal>
#include <cstring>
#include <iostream>

namespace {

struct Comando {
    const char* Nome;
    int (*Executa)(const cli::Argumentos&);
    const char* Resumo;
};

constexpr Comando Comandos[] = {
    {"gerar", cli::ComandoGerar, "gera os arquivos de carga de um modelo a partir de um JSON"},
    {"exportar", cli::ComandoExportar, "exporta os produtos do banco, como o botão Exportar"},
    {"modelos", cli::ComandoModelos, "lista os modelos de balança conhecidos"},
    {"versao", cli::ComandoVersao, "mostra o que o atualizador lê do recurso de versão"},
};

void Ajuda(std::ostream& out) {
    out << "Uso: cargabal COMANDO [OPÇÕES]\n\nComandos:\n";
    for (const Comando& c : Comandos) {
        out << "  " << c.Nome << std::string(10 - std::strlen(c.Nome), ' ') << c.Resumo << '\n';
    }
    out << "\nUse \"cargabal COMANDO --help\" para as opções de cada comando.\n"
           "Exemplo: cargabal gerar --modelo modFilizola --produtos produtos.json "
           "--destino /tmp/carga\n";
}

} // namespace

int main(int argc, char** argv) {
    // The regional number settings of the Urano price texts come from the
    // environment's locale, as on the store's desktop.
    std::setlocale(LC_NUMERIC, "");
    // A file-size limit must surface as a write error with a message, not
    // kill the process halfway through a file.
    std::signal(SIGXFSZ, SIG_IGN);

    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        Ajuda(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? cli::SaidaUso : cli::SaidaSucesso;
    }
    const cli::Argumentos args(argv + 2, argv + argc);
    for (const Comando& c : Comandos) {
        if (std::strcmp(argv[1], c.Nome) == 0) {
            try {
                return c.Executa(args);
            } catch (const std::exception& e) {
                std::cerr << e.what() << '\n';
                return cli::SaidaErro;
            }
        }
    }
    std::cerr << "Comando desconhecido: \"" << argv[1] << "\"\n\n";
    Ajuda(std::cerr);
    return cli::SaidaUso;
}
