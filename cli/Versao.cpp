// `cargabal versao ARQUIVO...`: what the updater reads from each file's
// version resource, one JSON object a line, so support staff see what it sees.
#include "atualizacao/ArquivosInfo.hpp"
#include "cli/Comandos.hpp"

#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

namespace cli {

namespace {

void Uso(std::ostream& out) {
    out << "Uso: cargabal versao ARQUIVO...\n\n"
           "Mostra, para cada arquivo, o que o atualizador lê do recurso de versão,\n"
           "como um objeto JSON por linha (textos vazios e Versao 0 quando o arquivo\n"
           "não tem informação de versão).\n\n"
           "Exemplo: cargabal versao /opt/orbitra/Atualizador.exe\n";
}

nlohmann::ordered_json Descreve(const std::string& caminho) {
    atualizacao::TArquivoInfo a(caminho);
    nlohmann::ordered_json j;
    j["arquivo"] = caminho;
    for (const char* chave :
         {"CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
          "LegalTrademarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments"}) {
        j[chave] = a.GetValue(chave);
    }
    j["ProductNameReportado"] = a.ProductName();
    j["Versao"] = a.Versao();
    return j;
}

} // namespace

int ComandoVersao(const Argumentos& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        Uso(std::cout);
        return SaidaSucesso;
    }
    if (args.empty()) {
        std::cerr << "Informe ao menos um arquivo.\n\n";
        Uso(std::cerr);
        return SaidaUso;
    }
    int saida = SaidaSucesso;
    for (const std::string& caminho : args) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(caminho, ec)) {
            std::cerr << "Arquivo não encontrado: \"" << caminho << "\"\n";
            saida = SaidaUso;
            continue;
        }
        // File names need not be valid UTF-8; such bytes print as U+FFFD.
        std::cout << Descreve(caminho).dump(-1, ' ', false,
                                            nlohmann::ordered_json::error_handler_t::replace)
                  << '\n';
    }
    return saida;
}

} // namespace cli
