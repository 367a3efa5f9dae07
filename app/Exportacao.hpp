// The export shared by the window and `cargabal exportar`: product rows from
// the database become load records, and the generator writes the files.
#pragma once

#include "app/UDM1.hpp"
#include "cargabal/ZADeCargaBal.hpp"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace loja {

// A row that cannot become a load record; names the product and the value.
class EExportacao : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The makes the window offers, in the order of its list.
inline constexpr std::array<std::string_view, 3> Marcas = {"Filizola", "Toledo", "Urano"};

// The model of a make's text, compared exactly; empty for any other text.
std::optional<cargabal::TZADeCargaBalModelo> ModeloDaMarca(std::string_view texto);

// The make whose name equals `texto` without regard to letter case.
std::optional<std::string_view> MarcaSemCaixa(std::string_view texto);

// Clears `Produtos`, re-opens the product query with the future-price choice
// and appends one record per row. No file is written when a row is refused.
void CarregaProdutos(TDM1& dm, bool precoFuturo, cargabal::TZADeCargaBalItens& produtos);

// CarregaProdutos, then GerarArquivos into `pasta` with the model already set
// on `gerador`.
void ExportaProdutos(TDM1& dm, cargabal::TZADeCargaBal& gerador, bool precoFuturo,
                     const std::string& pasta);

} // namespace loja
