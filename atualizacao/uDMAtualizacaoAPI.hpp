// The data module of one download of the updater: the download component and
// the handlers of its events, which drive the status window and the steps
// after the download.
#pragma once

#include "atualizacao/cDownload.hpp"

#include <cstdint>
#include <string>

namespace atualizacao {

class TAtualizacaoAPI;

class TDMAtualizacaoAPI {
public:
    TDMAtualizacaoAPI(TAtualizacaoAPI& dono, const IPastaPrograma& pasta, IThreadUI& threadUI);

    void CDownload1IniciaDownload(const std::string& NomeArquivo, std::int32_t TamanhoTotal);
    void CDownload1RecebeDados(std::int32_t Velocidade, std::int64_t Progresso);
    void CDownload1TerminarDownload(bool Cancelado, bool Sucesso,
                                    const std::string& ArquivoBaixado);
    void CDownload1FalhaDownload(const std::string& Mensagem);

    TCDownload CDownload1;

private:
    TAtualizacaoAPI& FDono;
};

// The status text of a progress event.
std::string TextoVelocidade(std::int32_t Velocidade);

} // namespace atualizacao
