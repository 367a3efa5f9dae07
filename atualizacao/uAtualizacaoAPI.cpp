#include "atualizacao/uAtualizacaoAPI.hpp"

#include "atualizacao/ArquivosInfo.hpp"
#include "atualizacao/ConsultaVersao.hpp"
#include "atualizacao/Descompactacao.hpp"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <stdio.h>
#include <unistd.h>

namespace atualizacao {

namespace {

namespace fs = std::filesystem;

// A move within the folder that never replaces an existing file.
void RenomeiaSemSubstituir(const fs::path& de, const fs::path& para) {
    if (::renameat2(AT_FDCWD, de.c_str(), AT_FDCWD, para.c_str(), RENAME_NOREPLACE) == 0) {
        return;
    }
    if (errno == EINVAL || errno == ENOSYS) { // file systems without that flag
        if (::link(de.c_str(), para.c_str()) == 0) {
            ::unlink(de.c_str());
        }
    }
}

std::vector<TArquivoInfo*> CopiasDoAtualizador(TListaArquivos& lista) {
    std::vector<TArquivoInfo*> copias;
    for (const auto& a : lista.Arquivos()) {
        if (a->ProductName() == ProdutoAtualizador) {
            copias.push_back(a.get());
        }
    }
    return copias;
}

std::string MotivoSemCopiaAtual(const std::vector<TArquivoInfo*>& copias) {
    if (copias.empty()) {
        return "nenhuma cópia do atualizador foi encontrada";
    }
    if (copias.size() > 1) {
        return "foram encontradas " + std::to_string(copias.size()) + " cópias do atualizador";
    }
    return "a cópia encontrada (versão " + std::to_string(copias[0]->Versao()) +
           ") é anterior à versão " + std::to_string(copias[0]->Programa()->Versao()) +
           " informada pelo serviço";
}

} // namespace

TAtualizacaoAPI::TAtualizacaoAPI(TPlataformaAtualizacao plataforma)
    : FPlataforma(std::move(plataforma)) {}

TAtualizacaoAPI::~TAtualizacaoAPI() {
    // Modules first: their workers may still hand an event to a window.
    FModulos.clear();
    FJanelas.clear();
}

std::vector<fs::path> TAtualizacaoAPI::ArquivosDaPasta() const {
    std::vector<fs::path> arquivos;
    std::error_code ec;
    for (fs::directory_iterator it(FPlataforma.Pasta.PastaPrograma(), ec), fim; !ec && it != fim;
         it.increment(ec)) {
        if (!it->is_directory(ec)) {
            arquivos.push_back(it->path());
        }
    }
    std::sort(arquivos.begin(), arquivos.end());
    return arquivos;
}

void TAtualizacaoAPI::VerificarAtualizacao() {
    FServidor = LeServidorAtualizacao(FPlataforma.Pasta.PastaPrograma());
    Verificar(false);
}

void TAtualizacaoAPI::Verificar(bool depoisDoDownload) {
    TListaArquivos lista;
    for (const auto& arquivo : ArquivosDaPasta()) {
        lista.AddArquivo(arquivo.string(), false);
    }
    const auto copias = CopiasDoAtualizador(lista);
    if (copias.size() == 1) {
        copias[0]->Programa(ConsultarVersao(copias[0]->ProductName(), FServidor));
    }
    if (copias.size() != 1 || copias[0]->PossuiAtualizacao()) {
        if (depoisDoDownload) {
            std::string mensagem = "O atualizador foi baixado, mas " + MotivoSemCopiaAtual(copias) +
                                   " na pasta do programa. A atualização foi interrompida para "
                                   "não baixar o atualizador de novo.";
            if (!FRecusaArquivo.empty()) {
                mensagem += "\n" + FRecusaArquivo;
            }
            FPlataforma.Shell.Avisa(mensagem);
            return;
        }
        BaixarAtualizador(copias.size() == 1 ? copias[0]->Programa()->Url() : std::string());
        return;
    }
    try {
        FPlataforma.Shell.Abre(copias[0]->Filename());
    } catch (...) {
        // The launch is not checked; a failure shows nothing.
    }
}

void TAtualizacaoAPI::BaixarAtualizador(const std::string& endereco) {
    CriarObjetosAtualizacao();
    std::string url = endereco;
    if (url.empty()) {
        if (FServidor.empty()) {
            FServidor = LeServidorAtualizacao(FPlataforma.Pasta.PastaPrograma());
        }
        const auto programa = ConsultarVersao(ProdutoAtualizador, FServidor);
        if (programa) {
            url = programa->Url();
        }
        if (url.empty()) {
            throw std::runtime_error(
                "Não foi possível baixar o atualizador: o serviço de atualização (" + FServidor +
                (programa ? ") não informou o endereço do download."
                          : ") não respondeu. Verifique a chave \"servidor\" da seção "
                            "\"atualizacao\" do arquivo.ini e a conexão."));
        }
    }
    if (FDMAtualizacaoAPI == nullptr) {
        throw std::runtime_error("Não foi possível preparar o download do atualizador.");
    }
    FRecusaArquivo.clear();
    try {
        FDMAtualizacaoAPI->CDownload1.Baixar(url);
    } catch (...) {
        // The start event may have shown the status window already; with no
        // transfer running nothing else would ever close it.
        if (FStatus != nullptr) {
            FStatus->Fecha();
        }
        throw;
    }
}

void TAtualizacaoAPI::CriarObjetosAtualizacao() {
    try {
        auto modulo =
            std::make_unique<TDMAtualizacaoAPI>(*this, FPlataforma.Pasta, FPlataforma.ThreadUI);
        auto janela = FPlataforma.CriaStatus ? FPlataforma.CriaStatus() : nullptr;
        FDMAtualizacaoAPI = modulo.get();
        FModulos.push_back(std::move(modulo));
        FStatus = janela.get();
        if (janela) {
            FJanelas.push_back(std::move(janela));
        }
    } catch (...) {
        // As before: the previous objects, if any, stay current.
    }
}

void TAtualizacaoAPI::ConcluirDownload(const std::string& arquivo) {
    RenomearVersoesAntigas(ProdutoAtualizador);
    if (!arquivo.empty()) {
        DescompactarAtualizador(arquivo);
    }
    Verificar(true);
}

void TAtualizacaoAPI::RenomearVersoesAntigas(const std::string& produto) {
    TListaArquivos lista;
    for (const auto& arquivo : ArquivosDaPasta()) {
        lista.AddArquivo(arquivo.string(), false);
    }
    for (const auto& a : lista.Arquivos()) {
        if (a->ProductName() == produto) {
            RenomeiaSemSubstituir(a->Filename(), a->Filename() + "_" + a->ProductName() + "_" +
                                                     std::to_string(a->Versao()));
        }
    }
}

void TAtualizacaoAPI::DescompactarAtualizador(const std::string& arquivo) {
    const auto resultado = Descompacta(arquivo, FPlataforma.Pasta.PastaPrograma());
    using TSituacao = TResultadoDescompactacao::TSituacao;
    if (resultado.Situacao == TSituacao::Extraido) {
        std::error_code ec;
        fs::remove(arquivo, ec);
    } else if (resultado.Situacao == TSituacao::Recusado) {
        FRecusaArquivo = resultado.Motivo;
    }
}

} // namespace atualizacao
