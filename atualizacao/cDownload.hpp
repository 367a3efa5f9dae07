// Downloads one file over HTTP into a folder below the program's folder
// without blocking the user interface: a short size query on the caller's
// thread, then the body straight into the file on a worker thread, with
// start, progress and end events delivered on the user-interface thread.
#pragma once

#include "atualizacao/Plataforma.hpp"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace atualizacao {

using TEvendoIniciaDownload =
    std::function<void(const std::string& NomeArquivo, std::int32_t TamanhoTotal)>;
using TEvendoRecebeDados = std::function<void(std::int32_t Velocidade, std::int64_t Progresso)>;
using TEvendoFinalDownload =
    std::function<void(bool Cancelado, bool Sucesso, const std::string& ArquivoBaixado)>;

// A transfer that failed after it had started (it raises no end event).
using TEventoFalhaDownload = std::function<void(const std::string& Mensagem)>;

// Millisecond tick count; tests replace it to control the speed.
using TRelogio = std::function<std::uint32_t()>;
std::uint32_t TickMilissegundos();

class TCDownload {
public:
    TCDownload(const IPastaPrograma& pasta, IThreadUI& threadUI,
               TRelogio relogio = TickMilissegundos);
    // Cancels a running transfer and waits for its worker.
    ~TCDownload();
    TCDownload(const TCDownload&) = delete;
    TCDownload& operator=(const TCDownload&) = delete;

    // Starts a download and returns once the body is on its way. Raises for a
    // bad address, a failed size query or a file that cannot be created, and
    // when a transfer of this component is still running.
    void Baixar(const std::string& url);
    // Asks the running transfer to stop; it then ends with Cancelado true.
    void Stop();

    const std::string& PastaDownload() const { return FPastaDownload; }
    void PastaDownload(std::string v) { FPastaDownload = std::move(v); }
    void OnIniciaDownload(TEvendoIniciaDownload e) { FOnIniciaDownload = std::move(e); }
    void OnRecebeDados(TEvendoRecebeDados e) { FOnRecebeDados = std::move(e); }
    void OnTerminarDownload(TEvendoFinalDownload e) { FOnTerminarDownload = std::move(e); }
    // Queued to the user-interface thread, so that a window waiting for the
    // end can be closed and the user told.
    void OnFalhaDownload(TEventoFalhaDownload e) { FOnFalhaDownload = std::move(e); }
    // Full path of the file of the current (or last) download.
    const std::string& ArquivoAtual() const { return LFileName; }
    bool EmAndamento() const { return FEmAndamento; }

    // The file name an address stands for: the text after the last "/", or
    // after the first "?" when that comes before the last "/".
    static std::string NomeArquivoDaUrl(const std::string& url);
    // The folder downloads go to, created when missing.
    std::filesystem::path PastaDestino() const;
    // Deletes the file when it exists; a failed deletion surfaces when the
    // file is created again.
    static bool ApagarArquivo(const std::filesystem::path& arquivo);

private:
    struct FechaArquivo {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };

    void Transfere(const std::string& url);
    void ReceiveDataEvent(std::int64_t lidos);
    void DoEndDownload(const std::string& falha, long status);
    static std::size_t EscreveCorpo(char* dados, std::size_t tamanho, std::size_t n, void* eu);
    static int InfoTransferencia(void* eu, std::int64_t, std::int64_t, std::int64_t, std::int64_t);

    const IPastaPrograma& FPasta;
    IThreadUI& FThreadUI;
    TRelogio FRelogio;
    std::uint32_t FGlobalStart = 0;
    std::unique_ptr<std::FILE, FechaArquivo> FDownloadStream;
    std::int64_t FRecebidos = 0;
    std::atomic<bool> FCancelar{false};
    std::atomic<bool> FEmAndamento{false};
    std::thread FTrabalho;
    TEvendoRecebeDados FOnRecebeDados;
    std::string FPastaDownload;
    TEvendoIniciaDownload FOnIniciaDownload;
    TEvendoFinalDownload FOnTerminarDownload;
    TEventoFalhaDownload FOnFalhaDownload;
    std::string LFileName;
    // Queued progress calls check it, so none runs after the component is gone.
    std::shared_ptr<char> FVivo = std::make_shared<char>();
};

} // namespace atualizacao
