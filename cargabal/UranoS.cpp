// Placeholder until this writer family lands: the model is refused clearly.
#include "cargabal/ListaLinhas.hpp"
#include "cargabal/ZADeCargaBal.hpp"

namespace cargabal {

void TZADeCargaBal::GerarUranoS(ListaLinhas*) {
    throw EZADeCargaBal("O modelo " + NomeEnumerador(Modelo) +
                        " ainda não está disponível nesta versão.");
}

} // namespace cargabal
