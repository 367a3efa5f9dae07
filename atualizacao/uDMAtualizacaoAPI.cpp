#include "atualizacao/uDMAtualizacaoAPI.hpp"

#include "atualizacao/uAtualizacaoAPI.hpp"

namespace atualizacao {

std::string TextoVelocidade(std::int32_t Velocidade) {
    return "Valocidade: " + std::to_string(Velocidade) + " KB/s";
}

TDMAtualizacaoAPI::TDMAtualizacaoAPI(TAtualizacaoAPI& dono, const IPastaPrograma& pasta,
                                     IThreadUI& threadUI)
    : CDownload1(pasta, threadUI), FDono(dono) {
    CDownload1.OnIniciaDownload(
        [this](const std::string& n, std::int32_t t) { CDownload1IniciaDownload(n, t); });
    CDownload1.OnRecebeDados(
        [this](std::int32_t v, std::int64_t p) { CDownload1RecebeDados(v, p); });
    CDownload1.OnTerminarDownload(
        [this](bool c, bool s, const std::string& a) { CDownload1TerminarDownload(c, s, a); });
    CDownload1.OnFalhaDownload([this](const std::string& m) { CDownload1FalhaDownload(m); });
}

void TDMAtualizacaoAPI::CDownload1IniciaDownload(const std::string&, std::int32_t TamanhoTotal) {
    if (auto* status = FDono.FStatusAtualizacaoAPI()) {
        status->DefinePosicao(0);
        status->DefineMaximo(TamanhoTotal);
        status->Mostra();
    }
}

void TDMAtualizacaoAPI::CDownload1RecebeDados(std::int32_t Velocidade, std::int64_t Progresso) {
    if (auto* status = FDono.FStatusAtualizacaoAPI()) {
        status->DefinePosicao(
            static_cast<std::int32_t>(static_cast<std::uint32_t>(Progresso & 0xFFFFFFFF)));
        status->DefineTexto(TextoVelocidade(Velocidade));
    }
}

void TDMAtualizacaoAPI::CDownload1TerminarDownload(bool, bool, const std::string& ArquivoBaixado) {
    if (auto* status = FDono.FStatusAtualizacaoAPI()) {
        status->Fecha();
    }
    // Runs inside the hand-over the worker waits for: nothing may escape.
    try {
        FDono.ConcluirDownload(ArquivoBaixado);
    } catch (const std::exception& e) {
        FDono.Shell().Avisa(e.what());
    }
}

void TDMAtualizacaoAPI::CDownload1FalhaDownload(const std::string& Mensagem) {
    if (auto* status = FDono.FStatusAtualizacaoAPI()) {
        status->Fecha();
    }
    FDono.Shell().Avisa(Mensagem);
}

} // namespace atualizacao
