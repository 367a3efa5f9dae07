// Reading the product file of `cargabal gerar`: a JSON array of load records
// whose members are the record's properties under their exact names.
#pragma once

#include "cargabal/ZADeCargaBal.hpp"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace cli {

// Bad input: the message names the record (counting from 1) and the member.
class EEntradaInvalida : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Appends one record per array element to `destino`; throws EEntradaInvalida.
void LeProdutosJson(std::string_view texto, cargabal::TZADeCargaBalItens& destino);

// An enumerator name of TZADeCargaBalModelo, without regard to case.
std::optional<cargabal::TZADeCargaBalModelo> ModeloPorNome(std::string_view nome);

} // namespace cli
