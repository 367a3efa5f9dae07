// `cargabal exportar`: the window's export command without a display, for
// scheduled jobs. Reads the same settings file but never writes it.
#include "app/Configuracao.hpp"
#include "app/Exportacao.hpp"
#include "app/Texto.hpp"
#include "cargabal/ZADeCargaBal.hpp"
#include "cli/Comandos.hpp"

#include <filesystem>
#include <iostream>
#include <optional>

namespace cli {

namespace {

using cargabal::TZADeCargaBalModelo;

void AjudaExportar(std::ostream& out) {
    out << "Uso: cargabal exportar [--ini ARQUIVO] [--modelo MODELO] [--destino PASTA] "
           "[--preco-futuro]\n\n"
           "Exporta os produtos do banco para os arquivos de carga, como o botão Exportar.\n"
           "  --ini ARQUIVO    configuração a usar (padrão: arquivo.ini ao lado do programa)\n"
           "  --modelo MODELO  marca da janela (Filizola, Toledo, Urano) ou nome de modelo\n"
           "                   (veja \"cargabal modelos\"); padrão: \"modelo\" do arquivo.ini\n"
           "  --destino PASTA  pasta dos arquivos; padrão: \"caminho\" do arquivo.ini\n"
           "  --preco-futuro   envia o preço futuro (só produtos com preço futuro > 0)\n\n"
           "Exemplo: cargabal exportar --modelo Toledo --destino /srv/balanca\n";
}

// A make of the window, mapped as the window maps it, or an enumerator name.
std::optional<TZADeCargaBalModelo> ModeloDoArgumento(std::string_view texto) {
    if (auto marca = loja::MarcaSemCaixa(texto)) {
        return loja::ModeloDaMarca(*marca);
    }
    for (int i = 0; i < cargabal::QuantidadeModelos; ++i) {
        const auto modelo = static_cast<TZADeCargaBalModelo>(i);
        if (loja::IgualSemCaixa(cargabal::NomeEnumerador(modelo), texto)) {
            return modelo;
        }
    }
    return std::nullopt;
}

struct Opcoes {
    std::optional<std::string> Ini, Modelo, Destino;
    bool PrecoFuturo = false;
    bool Ajuda = false;
};

// Empty with a message on stderr when the words are not valid usage.
std::optional<Opcoes> LeOpcoes(const Argumentos& args) {
    Opcoes o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::optional<std::string>* destino = a == "--ini"       ? &o.Ini
                                              : a == "--modelo"  ? &o.Modelo
                                              : a == "--destino" ? &o.Destino
                                                                 : nullptr;
        if (destino != nullptr) {
            if (i + 1 >= args.size()) {
                std::cerr << "A opção " << a << " precisa de um valor.\n";
                return std::nullopt;
            }
            *destino = args[++i];
        } else if (a == "--preco-futuro") {
            o.PrecoFuturo = true;
        } else if (a == "--help" || a == "-h") {
            o.Ajuda = true;
        } else {
            std::cerr << "Opção desconhecida: \"" << a << "\"\n";
            return std::nullopt;
        }
    }
    return o;
}

} // namespace

int ComandoExportar(const Argumentos& args) {
    const auto opcoes = LeOpcoes(args);
    if (!opcoes) {
        AjudaExportar(std::cerr);
        return SaidaUso;
    }
    if (opcoes->Ajuda) {
        AjudaExportar(std::cout);
        return SaidaSucesso;
    }
    std::string ini = loja::CaminhoArquivoIni();
    if (opcoes->Ini) {
        ini = *opcoes->Ini;
        std::error_code ec;
        if (!std::filesystem::is_regular_file(ini, ec)) {
            std::cerr << "Arquivo de configuração não encontrado: \"" << ini << "\"\n";
            return SaidaUso;
        }
    }
    const loja::TConfiguracao cfg = loja::LeConfiguracao(ini);

    // Without --modelo the window's rule applies: the saved make is matched
    // without regard to case, and anything else keeps Filizola.
    auto modelo = TZADeCargaBalModelo::modFilizola;
    if (opcoes->Modelo) {
        const auto escolhido = ModeloDoArgumento(*opcoes->Modelo);
        if (!escolhido) {
            std::cerr << "Modelo desconhecido: \"" << *opcoes->Modelo
                      << "\". Use Filizola, Toledo, Urano ou um nome de \"cargabal modelos\".\n";
            return SaidaUso;
        }
        modelo = *escolhido;
    } else if (auto marca = loja::MarcaSemCaixa(cfg.Modelo)) {
        modelo = *loja::ModeloDaMarca(*marca);
    } else {
        std::cerr << "Aviso: o modelo \"" << cfg.Modelo << "\" de " << ini
                  << " não é uma marca da janela; usando Filizola.\n";
    }

    loja::TDM1 dm;
    dm.ZConnection1.Server = cfg.Host;
    dm.ZConnection1.Password = cfg.Senha;
    dm.ZConnection1.Username = cfg.Login;
    dm.ZConnection1.Database = cfg.Nome;
    cargabal::TZADeCargaBal gerador;
    gerador.Modelo = modelo;
    loja::ExportaProdutos(dm, gerador, opcoes->PrecoFuturo, opcoes->Destino.value_or(cfg.Caminho));
    for (const std::string& caminho : gerador.ArquivosGerados()) {
        std::cout << caminho << '\n';
    }
    return SaidaSucesso;
}

} // namespace cli
