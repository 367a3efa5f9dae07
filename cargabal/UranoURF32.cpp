// Urano URF32 load: products, nutrition tables, recipes and the two files
// that link products to them, as plain fixed-width lines.
#include "cargabal/Formatacao.hpp"
#include "cargabal/ListaLinhas.hpp"
#include "cargabal/Urano.hpp"

#include <algorithm>

namespace cargabal {

namespace {

constexpr int LarguraPreco = 9;
constexpr int LarguraReceita = 254;
// A recipe of one or two characters is taken as no recipe.
constexpr std::size_t MinimoReceita = 3;

std::u16string LinhaProduto(const TZADeCargaBalItem& p, const ConfiguracaoNumerica& numeros) {
    std::u16string l;
    l.reserve(43);
    AcrescentaInteiro(l, p.Codigo, 6, u' ');
    l += u'*';
    l += CodigoTipoVendaURF32(p.Tipo);
    AcrescentaDireita(l, p.Descricao, 20, u' ');
    l += FormatarPrecoURF32(p.ValorVenda, numeros);
    AcrescentaInteiro(l, p.Validade, 5, u' ');
    AcrescentaEsquerda(l, LetraTipoValidade(p.TipoValidade), 1, u'0');
    return l;
}

std::u16string LinhaNutricional(const TZADeCargaBalItem& p) {
    const TZADeCargaBalNutricional& n = p.Nutricional();
    std::u16string l;
    l.reserve(57);
    AcrescentaInteiro(l, p.Codigo, 5, u' ');
    AcrescentaInteiro(l, n.Qtd, 6, u'0');
    AcrescentaInteiro(l, n.ValorEnergetico, 5, u'0');
    for (const Currency v :
         {n.Carboidrato, n.Proteina, n.GorduraTotal, n.GorduraSaturada, n.GorduraTrans, n.Fibra}) {
        AcrescentaValor(l, v, 6, 1, u'0');
    }
    AcrescentaValor(l, n.Sodio, 5, 2, u'0');
    return l;
}

// Product code, then the code of its nutrition table or recipe (the same).
std::u16string LinhaVinculo(const TZADeCargaBalItem& p) {
    std::u16string l;
    l.reserve(11);
    AcrescentaInteiro(l, p.Codigo, 6, u' ');
    AcrescentaInteiro(l, p.Codigo, 5, u' ');
    return l;
}

std::u16string LinhaReceita(const TZADeCargaBalItem& p) {
    std::u16string l;
    l.reserve(259);
    AcrescentaInteiro(l, p.Codigo, 4, u'0');
    l += u' ';
    AcrescentaDireita(l, p.InformacaoExtra().Receita, LarguraReceita, u' ');
    return l;
}

} // namespace

std::u16string CodigoTipoVendaURF32(TZADeCargaBalTipoVenda v) {
    const bool porUnidade =
        v == TZADeCargaBalTipoVenda::tpvUnidade || v == TZADeCargaBalTipoVenda::tpvEAN13Und;
    return porUnidade ? u"6" : u"0";
}

std::u16string LetraTipoValidade(TZADeCargaBalTipoValidade v) {
    return v == TZADeCargaBalTipoValidade::tpvMeses ? u"M" : u"D";
}

std::u16string TrocarPontoPorVirgula(std::u16string texto) {
    std::replace(texto.begin(), texto.end(), u'.', u',');
    return texto;
}

std::u16string FormatarPrecoURF32(Currency valor, const ConfiguracaoNumerica& numeros) {
    std::u16string formatado;
    urano::AcrescentaCentavos(formatado, urano::ParaCentavosMetadeLongeDoZero(valor), 1,
                              numeros.SeparadorMilhar, numeros.SeparadorDecimal);
    return TrocarPontoPorVirgula(CompletaEsquerda(formatado, LarguraPreco, u' '));
}

void TZADeCargaBal::GerarUranoURF32(ListaLinhas* Itens, ListaLinhas* Nutricional,
                                    ListaLinhas* Receita, ListaLinhas* ProdutoNutricional,
                                    ListaLinhas* ProdutoReceita) {
    const ConfiguracaoNumerica numeros = Numeros;
    const int total = FProdutos->Count();
    for (int i = 0; i < total; ++i) {
        const TZADeCargaBalItem& p = FProdutos->Items(i);
        Itens->Add(LinhaProduto(p, numeros));
        Nutricional->Add(LinhaNutricional(p));
        if (p.Nutricional().Qtd > 0) {
            ProdutoNutricional->Add(LinhaVinculo(p));
        }
        // A recipe line equal to one already written (letter case aside) is
        // not repeated, and its product gets no link.
        if (p.InformacaoExtra().Receita.size() >= MinimoReceita &&
            Receita->AddSeAusente(LinhaReceita(p))) {
            ProdutoReceita->Add(LinhaVinculo(p));
        }
        ProgressoProduto(p, i, total);
    }
}

} // namespace cargabal
