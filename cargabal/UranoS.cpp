// Urano S load: "PRODUTOS.TXT" with a wider product record (DLE) whose sum
// leaves out the framing; the nutrition and recipe records are Urano's.
#include "cargabal/Formatacao.hpp"
#include "cargabal/ListaLinhas.hpp"
#include "cargabal/Urano.hpp"

namespace cargabal {

namespace {

// These scales read a point whatever the regional settings say.
constexpr char16_t DecimalUranoS = u'.';

// Code (6), sale type, name (30), price, shelf life (4), "D0000" and 28 blanks.
std::u16string CorpoProduto(const TZADeCargaBalItem& p) {
    std::u16string r;
    r.reserve(84);
    AcrescentaInteiro(r, p.Codigo, 6, u'0');
    r += LetraTipoVenda(p.Tipo);
    AcrescentaDireita(r, p.Descricao, 30, u' ');
    urano::AcrescentaPreco(r, p.ValorVenda, DecimalUranoS);
    AcrescentaInteiro(r, p.Validade, 4, u'0');
    r += u"D0000";
    r.append(28, u' ');
    return r;
}

std::u16string RegistroProduto(const TZADeCargaBalItem& p) {
    const std::u16string corpo = CorpoProduto(p);
    std::u16string r;
    r.reserve(corpo.size() + 8);
    r += urano::DLE;
    r += urano::STX;
    r += corpo;
    urano::AcrescentaSoma(r, SomaCaracteres(corpo), false);
    r += urano::ETX;
    return r;
}

} // namespace

void TZADeCargaBal::GerarUranoS(ListaLinhas* Itens) {
    const int total = FProdutos->Count();
    for (int i = 0; i < total; ++i) {
        const TZADeCargaBalItem& p = FProdutos->Items(i);
        Itens->Add(RegistroProduto(p));
        urano::AcrescentaRegistrosComplementares(*Itens, p, DecimalUranoS);
        ProgressoProduto(p, i, total);
    }
}

} // namespace cargabal
