// Toledo MGV7 load: the MGV6 file set with the RDC 429 nutrition record.
#include "cargabal/ListaLinhas.hpp"
#include "cargabal/RegistrosMGV.hpp"
#include "cargabal/ZADeCargaBal.hpp"

namespace cargabal {

void TZADeCargaBal::GerarToledoMGV7(ListaLinhas* Itens, ListaLinhas* Nutricional,
                                    ListaLinhas* Receita, ListaLinhas* Tara,
                                    ListaLinhas* Fornecedor, ListaLinhas* Fracionador,
                                    ListaLinhas* Conservacao, ListaLinhas* Setor,
                                    ListaLinhas* Teclado, ListaLinhas* CampoExtra1,
                                    ListaLinhas* CampoExtra2, int Variante) {
    const ListasMGV listas{Itens,       Nutricional, Receita, Tara,        Fornecedor, Fracionador,
                           Conservacao, Setor,       Teclado, CampoExtra1, CampoExtra2};
    GeraCargaMGV(
        *FProdutos, FormaDaVariante(FamiliaMGV::ToledoMGV7, Variante), listas,
        [this](const TZADeCargaBalItem& p, int i, int total) { ProgressoProduto(p, i, total); });
}

} // namespace cargabal
