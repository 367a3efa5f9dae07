#include "atualizacao/DTOPrograma.hpp"

#include <array>

namespace atualizacao {

std::span<const TCampoJson> TPrograma::CamposJson() const {
    static constexpr std::array campos{
        campos::Texto<&TPrograma::FProjeto>("FProjeto", "projeto"),
        campos::Inteiro<&TPrograma::FVersao>("FVersao", "versao"),
        campos::Texto<&TPrograma::FUrl>("FUrl", "url"),
        campos::Texto<&TPrograma::FNomeEXE>("FNomeEXE", "nomeexe"),
    };
    return campos;
}

} // namespace atualizacao
