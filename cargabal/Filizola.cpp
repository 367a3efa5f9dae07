// Filizola load: "CADTXT.TXT", "SETORTXT.TXT", "NUTRI.TXT", "REC_ASS.TXT".
#include "cargabal/Formatacao.hpp"
#include "cargabal/ListaLinhas.hpp"
#include "cargabal/ZADeCargaBal.hpp"

namespace cargabal {

namespace {

std::u16string LinhaItem(const TZADeCargaBalItem& p) {
    std::u16string l;
    l.reserve(169);
    AcrescentaInteiro(l, p.Codigo, 6, u'0');
    l += LetraTipoVenda(p.Tipo);
    AcrescentaDireita(l, p.Descricao, 22, u' ');
    AcrescentaValor(l, p.ValorVenda, 7, 2, u'0');
    AcrescentaInteiro(l, p.Validade, 3, u'0');
    l.append(126, u' ');
    AcrescentaValor(l, p.Tara().Valor, 4, 3, u'0');
    return l;
}

std::u16string LinhaSetor(const TZADeCargaBalItem& p, int posicao) {
    std::u16string l;
    l.reserve(25);
    AcrescentaDireita(l, p.Setor().Descricao, 12, u' ');
    AcrescentaInteiro(l, p.Codigo, 6, u'0');
    AcrescentaInteiro(l, posicao, 4, u'0');
    AcrescentaInteiro(l, p.Teclado().Tecla, 3, u'0');
    return l;
}

std::u16string LinhaNutricional(const TZADeCargaBalItem& p) {
    const TZADeCargaBalNutricional& n = p.Nutricional();
    std::u16string l;
    l.reserve(131);
    AcrescentaInteiro(l, p.Codigo, 6, u'0');
    AcrescentaDireita(l, n.Descricao, 35, u' ');
    AcrescentaInteiro(l, n.ValorEnergetico, 5, u'0');
    l += u"0000";
    for (const Currency v :
         {n.Carboidrato, n.Proteina, n.GorduraTotal, n.GorduraSaturada, n.GorduraTrans, n.Fibra}) {
        AcrescentaValor(l, v, 5, 1, u'0');
        l += u"0000";
    }
    l += u"*********";
    l += u"*********";
    AcrescentaValor(l, n.Sodio, 5, 1, u'0');
    l += u"0000";
    return l;
}

std::u16string LinhaReceita(TZADeCargaBalItem& p) {
    std::u16string l;
    l.reserve(865);
    l.append(12, u' ');
    AcrescentaInteiro(l, p.Codigo, 6, u'0');
    AcrescentaInteiro(l, p.CodigoInformacaoExtra(TZADeCargaBalModelo::modFilizola), 6, u'0');
    AcrescentaDireita(l, p.InformacaoExtra().Receita, 840, u' ');
    l += u'@';
    return l;
}

} // namespace

void TZADeCargaBal::GerarFilizola(ListaLinhas* Itens, ListaLinhas* Setor, ListaLinhas* Nutricional,
                                  ListaLinhas* Receita) {
    const int total = FProdutos->Count();
    for (int i = 0; i < total; ++i) {
        TZADeCargaBalItem& p = FProdutos->Items(i);
        Itens->Add(LinhaItem(p));
        if (!p.Setor().Descricao.empty() || p.Teclado().Tecla > 0) {
            Setor->Add(LinhaSetor(p, i + 1));
        }
        if (!p.Nutricional().Descricao.empty()) {
            Nutricional->Add(LinhaNutricional(p));
        }
        // Every product's recipe code is settled, whether or not its line is kept.
        if (p.InformacaoExtra().Receita.size() > 2) {
            Receita->AddSeAusente(LinhaReceita(p));
        } else {
            p.CodigoInformacaoExtra(TZADeCargaBalModelo::modFilizola);
        }
        ProgressoProduto(p, i, total);
    }
}

} // namespace cargabal
