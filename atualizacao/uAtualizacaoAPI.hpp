// The update command: makes sure the maker's updater lies current in the
// program's folder and starts it, downloading, retiring old copies and
// unpacking when needed. One object per application holds what the command
// leaves behind (data modules and status windows of the downloads).
#pragma once

#include "atualizacao/Plataforma.hpp"
#include "atualizacao/uDMAtualizacaoAPI.hpp"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace atualizacao {

inline constexpr char ProdutoAtualizador[] = "OrbitraAtualizacao";

class TAtualizacaoAPI {
public:
    explicit TAtualizacaoAPI(TPlataformaAtualizacao plataforma);
    ~TAtualizacaoAPI();
    TAtualizacaoAPI(const TAtualizacaoAPI&) = delete;
    TAtualizacaoAPI& operator=(const TAtualizacaoAPI&) = delete;

    // The menu command. Raises when a download cannot be started.
    void VerificarAtualizacao();
    void BaixarAtualizador(const std::string& endereco);
    void CriarObjetosAtualizacao();
    void ConcluirDownload(const std::string& arquivo);
    void RenomearVersoesAntigas(const std::string& produto);
    void DescompactarAtualizador(const std::string& arquivo);

    // The data module and status window of the latest download (null before one).
    TDMAtualizacaoAPI* DMAtualizacaoAPI() const { return FDMAtualizacaoAPI; }
    IStatusAtualizacao* FStatusAtualizacaoAPI() const { return FStatus; }
    IShell& Shell() const { return FPlataforma.Shell; }

private:
    // After a download, a check that would download again stops with a
    // message instead, so one command downloads at most once.
    void Verificar(bool depoisDoDownload);
    std::vector<std::filesystem::path> ArquivosDaPasta() const;

    TPlataformaAtualizacao FPlataforma;
    // Declared before the modules: a module's worker may still reach a window
    // while it is being destroyed.
    std::vector<std::unique_ptr<IStatusAtualizacao>> FJanelas;
    std::vector<std::unique_ptr<TDMAtualizacaoAPI>> FModulos;
    TDMAtualizacaoAPI* FDMAtualizacaoAPI = nullptr;
    IStatusAtualizacao* FStatus = nullptr;
    std::string FServidor;
    // Why the last archive was not unpacked, for the message after the download.
    std::string FRecusaArquivo;
};

} // namespace atualizacao
