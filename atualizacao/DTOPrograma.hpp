// The version service's answer for one program: its latest version and where
// to download it.
#pragma once

#include "atualizacao/PkgJsonDTO.hpp"

#include <cstdint>
#include <string>

namespace atualizacao {

class TPrograma : public TJsonDTO {
public:
    const std::string& Projeto() const { return FProjeto; }
    void Projeto(std::string v) { FProjeto = std::move(v); }
    std::int32_t Versao() const { return FVersao; }
    void Versao(std::int32_t v) { FVersao = v; }
    const std::string& Url() const { return FUrl; }
    void Url(std::string v) { FUrl = std::move(v); }
    const std::string& NomeEXE() const { return FNomeEXE; }
    void NomeEXE(std::string v) { FNomeEXE = std::move(v); }

    std::span<const TCampoJson> CamposJson() const override;

private:
    std::string FProjeto;
    std::int32_t FVersao = 0;
    std::string FUrl;
    std::string FNomeEXE;
};

} // namespace atualizacao
