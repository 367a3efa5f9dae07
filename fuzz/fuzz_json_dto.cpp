// Any text as the version service's answer or as an inventory list: reading
// it may raise a conversion error, never crash; what was read writes back.
#include "atualizacao/ArquivosInfo.hpp"
#include "atualizacao/DTOPrograma.hpp"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    using namespace atualizacao;
    const std::string texto(reinterpret_cast<const char*>(dados), tamanho);
    TPrograma programa;
    TListaArquivos lista;
    try {
        programa.SetAsJson(texto);
    } catch (const EConversaoJson&) {
    }
    try {
        lista.SetAsJson(texto);
    } catch (const EConversaoJson&) {
    }
    (void)programa.GetAsJson();
    (void)lista.GetAsJson();
    (void)TJsonDTO::PrettyPrintJSON(texto);
    return 0;
}
