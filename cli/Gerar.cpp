// `cargabal gerar`: the generator on the records of a JSON product file.
#include "cargabal/ArquivoCarga.hpp"
#include "cargabal/Formatacao.hpp"
#include "cargabal/ZADeCargaBal.hpp"
#include "cli/Comandos.hpp"
#include "cli/ProdutosJson.hpp"

#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>

namespace cli {

namespace {

constexpr const char* AjudaGerar =
    "Uso: cargabal gerar --modelo MODELO --produtos ARQUIVO.json|- --destino PASTA\n"
    "                    [--decimal C] [--milhar C] [--progresso]\n"
    "\n"
    "Gera os arquivos de carga do modelo de balança a partir de uma lista de produtos\n"
    "em JSON e mostra, um por linha, os caminhos dos arquivos gravados.\n"
    "\n"
    "  --modelo MODELO     nome do modelo (veja \"cargabal modelos\"), sem distinção\n"
    "                      de maiúsculas e minúsculas\n"
    "  --produtos ARQUIVO  lista de produtos em JSON; \"-\" lê da entrada padrão\n"
    "  --destino PASTA     pasta onde os arquivos são gravados\n"
    "  --decimal C         separador decimal dos preços Urano (padrão: o do locale)\n"
    "  --milhar C          separador de milhar dos preços Urano (padrão: o do locale)\n"
    "  --progresso         mostra o andamento na saída de erro\n"
    "\n"
    "Saída: 0 sucesso; 1 erro do gerador (mensagem na saída de erro); 2 uso ou\n"
    "entrada inválidos (nenhum arquivo é gravado).\n"
    "\n"
    "Exemplo:\n"
    "  cargabal gerar --modelo modFilizola --produtos produtos.json --destino /tmp/carga\n"
    "  com produtos.json = [{\"Codigo\": 123, \"Descricao\": \"QUEIJO PRATO\",\n"
    "                        \"ValorVenda\": \"39.90\", \"Validade\": 30}]\n";

struct OpcoesGerar {
    std::string Modelo, Produtos, Destino;
    std::optional<char16_t> Decimal, Milhar;
    bool Progresso = false;
};

int ErroDeUso(const std::string& mensagem) {
    std::cerr << mensagem << "\nUse \"cargabal gerar --help\" para ver as opções.\n";
    return SaidaUso;
}

// A separator is exactly one character of the basic plane.
std::optional<char16_t> UmCaractere(const std::string& texto) {
    const std::u16string u = cargabal::Utf16(texto);
    if (u.size() != 1 || u[0] == u'\xFFFD' || (u[0] >= 0xD800 && u[0] <= 0xDFFF)) {
        return std::nullopt;
    }
    return u[0];
}

// Empty when the options are fine; otherwise the usage error's exit status.
std::optional<int> LeOpcoes(const Argumentos& args, OpcoesGerar& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--progresso") {
            o.Progresso = true;
            continue;
        }
        if (a != "--modelo" && a != "--produtos" && a != "--destino" && a != "--decimal" &&
            a != "--milhar") {
            return ErroDeUso("Opção desconhecida: \"" + a + "\".");
        }
        if (i + 1 >= args.size()) {
            return ErroDeUso("Falta o valor da opção " + a + ".");
        }
        const std::string& valor = args[++i];
        if (a == "--modelo") {
            o.Modelo = valor;
        } else if (a == "--produtos") {
            o.Produtos = valor;
        } else if (a == "--destino") {
            o.Destino = valor;
        } else {
            const auto c = UmCaractere(valor);
            if (!c) {
                return ErroDeUso("A opção " + a + " espera um único caractere.");
            }
            (a == "--decimal" ? o.Decimal : o.Milhar) = c;
        }
    }
    if (o.Modelo.empty() || o.Produtos.empty() || o.Destino.empty()) {
        return ErroDeUso("Informe --modelo, --produtos e --destino.");
    }
    return std::nullopt;
}

std::optional<std::string> LeTexto(const std::string& caminho) {
    if (caminho == "-") {
        return std::string(std::istreambuf_iterator<char>(std::cin), {});
    }
    std::ifstream in(caminho, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return s.str();
}

} // namespace

int ComandoGerar(const Argumentos& args) {
    if (args.size() == 1 && args[0] == "--help") {
        std::cout << AjudaGerar;
        return SaidaSucesso;
    }
    OpcoesGerar o;
    if (const auto erro = LeOpcoes(args, o)) {
        return *erro;
    }
    const auto modelo = ModeloPorNome(o.Modelo);
    if (!modelo) {
        return ErroDeUso("Modelo desconhecido: \"" + o.Modelo + "\" (veja \"cargabal modelos\").");
    }
    const auto texto = LeTexto(o.Produtos);
    if (!texto) {
        std::cerr << "Não foi possível ler o arquivo de produtos \"" << o.Produtos << "\".\n";
        return SaidaUso;
    }

    cargabal::TZADeCargaBal gerador;
    try {
        LeProdutosJson(*texto, gerador.Produtos());
    } catch (const EEntradaInvalida& e) {
        std::cerr << e.what() << '\n';
        return SaidaUso;
    }
    gerador.Modelo = *modelo;
    if (o.Decimal) {
        gerador.Numeros.SeparadorDecimal = *o.Decimal;
    }
    if (o.Milhar) {
        gerador.Numeros.SeparadorMilhar = *o.Milhar;
    }
    if (o.Progresso) {
        gerador.OnProgresso = [](const std::u16string& m, int atual, int total) {
            std::cerr << '[' << atual << '/' << total << "] " << cargabal::Utf8(m) << '\n';
        };
    }
    try {
        gerador.GerarArquivos(o.Destino);
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return SaidaErro;
    }
    for (const std::string& caminho : gerador.ArquivosGerados()) {
        std::cout << caminho << '\n';
    }
    return SaidaSucesso;
}

} // namespace cli
