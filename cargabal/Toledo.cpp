// Toledo load: the classic "TXITENS.TXT" (variant 0) and the MGV5 version 1,
// MGV5 and MGV6 file sets (variants 1 to 3).
#include "cargabal/Formatacao.hpp"
#include "cargabal/ListaLinhas.hpp"
#include "cargabal/RegistrosMGV.hpp"
#include "cargabal/ZADeCargaBal.hpp"

namespace cargabal {

namespace {

// "TXITENS.TXT", 320 characters.
std::u16string LinhaToledo(const TZADeCargaBalItem& p) {
    std::u16string l;
    l.reserve(320);
    AcrescentaInteiro(l, p.Setor().Codigo, 2, u'0');
    AcrescentaInteiro(l, p.ModeloEtiqueta, 2, u'0');
    l += CodigoTipoVenda(p.Tipo);
    AcrescentaInteiro(l, p.Codigo, 6, u'0');
    AcrescentaValor(l, p.ValorVenda, 6, 2, u'0');
    AcrescentaInteiro(l, p.Validade, 3, u'0');
    AcrescentaDireita(l, p.Descricao, 50, u' ');
    AcrescentaDireita(l, p.InformacaoExtra().Receita, 250, u' ');
    return l;
}

} // namespace

void TZADeCargaBal::GerarToledo(ListaLinhas* Itens, ListaLinhas* Nutricional, ListaLinhas* Receita,
                                ListaLinhas* Tara, ListaLinhas* Fornecedor,
                                ListaLinhas* Fracionador, ListaLinhas* Conservacao,
                                ListaLinhas* Setor, ListaLinhas* Teclado, ListaLinhas* CampoExtra1,
                                ListaLinhas* CampoExtra2, int Variante) {
    const auto progresso = [this](const TZADeCargaBalItem& p, int i, int total) {
        ProgressoProduto(p, i, total);
    };
    if (Variante == 0) {
        // Every product gets its line, repeated codes included: no search here.
        PercorreProdutos(
            *FProdutos, nullptr,
            [Itens](TZADeCargaBalItem& p, ListaLinhas&) {
                if (Itens != nullptr) {
                    Itens->Add(LinhaToledo(p));
                }
            },
            progresso);
        return;
    }
    const ListasMGV listas{Itens,       Nutricional, Receita, Tara,        Fornecedor, Fracionador,
                           Conservacao, Setor,       Teclado, CampoExtra1, CampoExtra2};
    GeraCargaMGV(*FProdutos, FormaDaVariante(FamiliaMGV::Toledo, Variante), listas, progresso);
}

} // namespace cargabal
