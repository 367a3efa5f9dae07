#include "atualizacao/cDownload.hpp"

#include "atualizacao/Curl.hpp"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>

namespace atualizacao {

namespace {

curl::Easy NovaRequisicao(const std::string& url, const curl::Lista& cabecalhos) {
    auto c = curl::NovoEasy(url);
    curl_easy_setopt(c.get(), CURLOPT_HTTPHEADER, cabecalhos.get());
    // TLS 1.0 to 1.2, as far as the TLS library still allows the older ones.
    constexpr long versoes =
        static_cast<long>(CURL_SSLVERSION_TLSv1_0) | static_cast<long>(CURL_SSLVERSION_MAX_TLSv1_2);
    curl_easy_setopt(c.get(), CURLOPT_SSLVERSION, versoes);
    return c;
}

curl::Lista CabecalhoSemCache() {
    return curl::Lista(curl_slist_append(nullptr, "Cache-Control: no-cache"));
}

// The name must stay a plain file name in the download folder: an address
// must not be able to write elsewhere ("x?a=/../../y" gives "a=/../../y").
void ConfereNomeArquivo(const std::string& nome, const std::string& url) {
    if (nome.empty() || nome == "." || nome == ".." || nome.find('/') != std::string::npos ||
        nome.find('\0') != std::string::npos) {
        throw std::runtime_error("O endereço \"" + url +
                                 "\" não indica um nome de arquivo válido para o download.");
    }
}

} // namespace

std::uint32_t TickMilissegundos() {
    const auto agora = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(agora).count());
}

TCDownload::TCDownload(const IPastaPrograma& pasta, IThreadUI& threadUI, TRelogio relogio)
    : FPasta(pasta), FThreadUI(threadUI), FRelogio(std::move(relogio)) {}

TCDownload::~TCDownload() {
    FCancelar = true;
    if (FTrabalho.joinable()) {
        FTrabalho.join();
    }
}

std::string TCDownload::NomeArquivoDaUrl(const std::string& url) {
    const auto barra = url.rfind('/');
    const auto interrogacao = url.find('?');
    auto i = barra;
    if (interrogacao != std::string::npos && (barra == std::string::npos || interrogacao < barra)) {
        i = interrogacao;
    }
    return i == std::string::npos ? url : url.substr(i + 1);
}

std::filesystem::path TCDownload::PastaDestino() const {
    std::string pasta = FPasta.PastaPrograma().string();
    if (!pasta.empty() && pasta.back() != '/') {
        pasta += '/';
    }
    if (FPastaDownload.find_first_not_of(" \t\r\n") != std::string::npos) {
        pasta += FPastaDownload;
    }
    std::filesystem::create_directories(pasta);
    return pasta;
}

bool TCDownload::ApagarArquivo(const std::filesystem::path& arquivo) {
    try {
        std::error_code ec;
        if (std::filesystem::exists(arquivo)) {
            std::filesystem::remove(arquivo, ec);
        }
    } catch (const std::exception& e) {
        throw std::runtime_error(e.what());
    }
    return true;
}

void TCDownload::Baixar(const std::string& url) {
    if (FEmAndamento) {
        throw std::runtime_error("Já há um download em andamento.");
    }
    if (FTrabalho.joinable()) {
        FTrabalho.join();
    }
    const std::string nome = NomeArquivoDaUrl(url);
    ConfereNomeArquivo(nome, url);
    LFileName = (PastaDestino() / nome).string();
    ApagarArquivo(LFileName);

    const auto cabecalhos = CabecalhoSemCache();
    auto head = NovaRequisicao(url, cabecalhos);
    curl_easy_setopt(head.get(), CURLOPT_NOBODY, 1L);
    if (const CURLcode r = curl_easy_perform(head.get()); r != CURLE_OK) {
        throw std::runtime_error("Não foi possível consultar o tamanho de \"" + url +
                                 "\": " + curl::Erro(r));
    }
    curl_off_t tamanho = -1;
    curl_easy_getinfo(head.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &tamanho);
    const auto tamanhoTotal =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(tamanho)));
    if (FOnIniciaDownload) {
        FOnIniciaDownload(nome, tamanhoTotal);
    }

    FDownloadStream.reset(std::fopen(LFileName.c_str(), "wbe"));
    if (!FDownloadStream) {
        throw std::runtime_error("Não foi possível criar o arquivo \"" + LFileName +
                                 "\": " + std::strerror(errno));
    }
    FRecebidos = 0;
    FCancelar = false;
    FGlobalStart = FRelogio();
    FEmAndamento = true;
    FTrabalho = std::thread([this, url] { Transfere(url); });
}

void TCDownload::Stop() {
    FCancelar = true;
}

void TCDownload::Transfere(const std::string& url) {
    std::string falha;
    long status = 0;
    try {
        const auto cabecalhos = CabecalhoSemCache();
        auto get = NovaRequisicao(url, cabecalhos);
        curl_easy_setopt(get.get(), CURLOPT_WRITEFUNCTION, EscreveCorpo);
        curl_easy_setopt(get.get(), CURLOPT_WRITEDATA, this);
        curl_easy_setopt(get.get(), CURLOPT_XFERINFOFUNCTION, InfoTransferencia);
        curl_easy_setopt(get.get(), CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(get.get(), CURLOPT_NOPROGRESS, 0L);
        if (const CURLcode r = curl_easy_perform(get.get()); r != CURLE_OK) {
            falha = curl::Erro(r);
        }
        curl_easy_getinfo(get.get(), CURLINFO_RESPONSE_CODE, &status);
    } catch (const std::exception& e) {
        falha = e.what();
    }
    DoEndDownload(falha, status);
    FEmAndamento = false;
}

std::size_t TCDownload::EscreveCorpo(char* dados, std::size_t tamanho, std::size_t n, void* eu) {
    auto* self = static_cast<TCDownload*>(eu);
    const std::size_t total = tamanho * n;
    if (self->FCancelar || std::fwrite(dados, 1, total, self->FDownloadStream.get()) != total) {
        return 0; // ends the transfer
    }
    self->FRecebidos += static_cast<std::int64_t>(total);
    self->ReceiveDataEvent(self->FRecebidos);
    return total;
}

int TCDownload::InfoTransferencia(void* eu, std::int64_t, std::int64_t, std::int64_t,
                                  std::int64_t) {
    // Also stops a transfer that receives nothing for a while.
    return static_cast<TCDownload*>(eu)->FCancelar ? 1 : 0;
}

void TCDownload::ReceiveDataEvent(std::int64_t lidos) {
    const std::uint32_t decorrido = FRelogio() - FGlobalStart;
    if (decorrido == 0) {
        return;
    }
    const auto velocidade = static_cast<std::int32_t>(lidos * 1000 / decorrido);
    std::weak_ptr<char> vivo = FVivo;
    FThreadUI.Enfileira([this, vivo, velocidade, lidos] {
        if (!vivo.expired() && FOnRecebeDados) {
            FOnRecebeDados(velocidade / 1024, lidos);
        }
    });
}

void TCDownload::DoEndDownload(const std::string& falha, long status) {
    FDownloadStream.reset(); // closed before anything else happens
    const bool cancelado = FCancelar;
    if (!falha.empty() && !cancelado) {
        // No end event for a transfer that failed after it started.
        std::weak_ptr<char> vivo = FVivo;
        const std::string mensagem = "O download de \"" + LFileName + "\" falhou: " + falha;
        FThreadUI.Enfileira([this, vivo, mensagem] {
            if (!vivo.expired() && FOnFalhaDownload) {
                FOnFalhaDownload(mensagem);
            }
        });
        return;
    }
    const bool sucesso = !cancelado && status == 200;
    FThreadUI.ExecutaEEspera([this, cancelado, sucesso] {
        if (FOnTerminarDownload) {
            FOnTerminarDownload(cancelado, sucesso, sucesso ? LFileName : std::string());
        }
    });
}

} // namespace atualizacao
