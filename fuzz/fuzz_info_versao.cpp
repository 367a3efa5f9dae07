// Any bytes as a Windows executable: the version reader must never crash or
// read outside them, and what it returns must be readable as a block.
#include "atualizacao/InfoVersao.hpp"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    using namespace atualizacao;
    const std::span<const std::uint8_t> imagem(dados, tamanho);
    const auto bloco = LeInfoVersao(imagem);
    // The input may also be a bare version block; query both.
    for (const std::span<const std::uint8_t> b : {std::span<const std::uint8_t>(bloco), imagem}) {
        if (const auto t = PrimeiraTraducao(b)) {
            (void)ConsultaTexto(b, "\\StringFileInfo\\041604E4\\CompanyName");
        }
        (void)ConsultaTexto(b, "\\StringFileInfo\\041604E4\\FileVersion");
        (void)ConsultaValor(b, "\\");
    }
    return 0;
}
