// Ramuza load: "RAMUZA_ORIGINAL.TXT", one 192-character line per product.
#include "cargabal/Formatacao.hpp"
#include "cargabal/ListaLinhas.hpp"
#include "cargabal/ZADeCargaBal.hpp"

namespace cargabal {

namespace {

// "0" weighed (tpvPeso, tpvEAN13), "1" by unit (tpvUnidade, tpvEAN13Und).
std::u16string CodigoTipoVendaRamuza(TZADeCargaBalTipoVenda v) {
    const bool porUnidade =
        v == TZADeCargaBalTipoVenda::tpvUnidade || v == TZADeCargaBalTipoVenda::tpvEAN13Und;
    return porUnidade ? u"1" : u"0";
}

// Each slot: number (2), portion quantity (5), then an amount (3).
void AcrescentaInicioSlot(std::u16string& l, int slot, std::int32_t qtd) {
    AcrescentaInteiro(l, slot, 2, u'0');
    AcrescentaInteiro(l, qtd, 5, u'0');
}

void AcrescentaNutrientes(std::u16string& l, const TZADeCargaBalNutricional& n) {
    AcrescentaInicioSlot(l, 1, n.Qtd);
    AcrescentaInteiro(l, n.ValorEnergetico, 3, u'0');
    int slot = 2;
    for (const Currency v : {n.Carboidrato, n.Proteina, n.GorduraTotal, n.GorduraSaturada,
                             n.GorduraTrans, n.Fibra, n.Sodio}) {
        AcrescentaInicioSlot(l, slot++, n.Qtd);
        AcrescentaValor(l, v, 3, 2, u'0');
    }
    // Slots 9 to 12 are unused by this layout.
    l.append(40, u'0');
}

std::u16string Linha(const TZADeCargaBalItem& p, int numero) {
    std::u16string l;
    l.reserve(192);
    AcrescentaInteiro(l, numero, 4, u'0');
    l += u"A0";
    AcrescentaInteiro(l, p.Codigo, 6, u'0');
    AcrescentaValor(l, p.ValorVenda, 6, 2, u'0');
    l += CodigoTipoVendaRamuza(p.Tipo);
    AcrescentaInteiro(l, p.Validade, 3, u'0');
    l.append(13, u'0');
    // The tare goes in ten-thousandths: Tara x 100 in hundredths is exactly
    // the stored count, so no multiplication can overflow.
    AcrescentaInteiro(l, p.Tara().Valor.Valor, 5, u'0');
    AcrescentaInteiro(l, p.ModeloEtiqueta, 2, u'0');
    AcrescentaNutrientes(l, p.Nutricional());
    l += u"##";
    AcrescentaDireita(l, p.Descricao, 24, u' ');
    l += u"####";
    return l;
}

} // namespace

void TZADeCargaBal::GerarRamuza(ListaLinhas* Itens) {
    const int total = FProdutos->Count();
    for (int i = 0; i < total; ++i) {
        const TZADeCargaBalItem& p = FProdutos->Items(i);
        Itens->Add(Linha(p, i + 1));
        ProgressoProduto(p, i, total);
    }
}

} // namespace cargabal
