#include "cargabal/RegistrosMGV.hpp"

#include "cargabal/Formatacao.hpp"
#include "cargabal/ListaLinhas.hpp"

#include <initializer_list>
#include <string_view>

namespace cargabal {

namespace {

constexpr char16_t Zero = u'0';
constexpr char16_t Branco = u' ';

// Columns 1 to 68, the same in every MGV item layout.
std::u16string InicioItem(const TZADeCargaBalItem& p, std::size_t tamanho) {
    std::u16string l;
    l.reserve(tamanho);
    AcrescentaInteiro(l, p.Setor().Codigo, 2, Zero);
    l += CodigoTipoVenda(p.Tipo);
    AcrescentaInteiro(l, p.Codigo, 6, Zero);
    AcrescentaValor(l, p.ValorVenda, 6, 2, Zero);
    AcrescentaInteiro(l, p.Validade, 3, Zero);
    AcrescentaDireita(l, p.Descricao, 50, Branco);
    return l;
}

// The printing indicators are one character: the first of their decimal text.
void AcrescentaIndicadores(std::u16string& l, const TZADeCargaBalItem& p) {
    AcrescentaDireita(l, InteiroParaTexto(p.ImpValidade), 1, Branco);
    AcrescentaDireita(l, InteiroParaTexto(p.ImpEmbalagem), 1, Branco);
}

// Code, a 100-character observation, then 56-character text lines: the shape
// of the supplier, fractioner, conservation and extra-field records.
std::u16string LinhaTextos(std::int64_t codigo, std::u16string_view observacao,
                           std::initializer_list<std::u16string_view> linhas) {
    std::u16string l;
    l.reserve(104 + 56 * linhas.size());
    AcrescentaInteiro(l, codigo, 4, Zero);
    AcrescentaDireita(l, observacao, 100, Branco);
    for (const std::u16string_view linha : linhas) {
        AcrescentaDireita(l, linha, 56, Branco);
    }
    return l;
}

// Real values become money first (nearest ten-thousandth, ties to even), so
// that 0.57, held as 0.56999..., still prints as 0.57.
void AcrescentaReal(std::u16string& l, double valor, int largura, int decimais) {
    AcrescentaValor(l, MoedaDeReal(valor), largura, decimais, Zero);
}

// Builds the line only when the record is due and its list is present.
template <typename Construtor>
void AcrescentaSeAusente(ListaLinhas* lista, bool devido, Construtor&& constroi) {
    if (devido && lista != nullptr) {
        lista->AddSeAusente(constroi());
    }
}

std::u16string LinhaNutricionalDaForma(const TZADeCargaBalNutricional& n, NutricionalMGV forma) {
    switch (forma) {
    case NutricionalMGV::MGV7:
        return LinhaNutricionalMGV7(n);
    case NutricionalMGV::Triunfo:
        return LinhaNutricionalTriunfo(n);
    case NutricionalMGV::Curto:
        break;
    }
    return LinhaNutricional(n);
}

} // namespace

std::u16string LinhaItemMGV(const TZADeCargaBalItem& p, std::int32_t codigoInformacao,
                            bool comExtras) {
    std::u16string l = InicioItem(p, 150);
    AcrescentaInteiro(l, codigoInformacao, 6, Zero);
    l += u"0000";
    AcrescentaInteiro(l, p.Nutricional().Codigo, 6, Zero);
    AcrescentaIndicadores(l, p);
    AcrescentaInteiro(l, p.CodigoFornecedor, 4, Zero);
    AcrescentaEsquerda(l, p.Lote, 12, Zero);
    l += u"00000000000"; // 11
    l += u"0";
    l += u"0000";
    AcrescentaInteiro(l, p.CodigoTara, 4, Zero);
    AcrescentaInteiro(l, p.CodigoFracionador, 4, Zero);
    AcrescentaInteiro(l, comExtras ? p.CodigoExtra1 : 0, 4, Zero);
    AcrescentaInteiro(l, comExtras ? p.CodigoExtra2 : 0, 4, Zero);
    AcrescentaInteiro(l, p.CodigoConservacao, 4, Zero);
    AcrescentaEsquerda(l, p.EAN13Fornecedor, 12, Zero);
    return l;
}

std::u16string LinhaItemMGV5Ver1(const TZADeCargaBalItem& p) {
    std::u16string l = InicioItem(p, 113);
    AcrescentaInteiro(l, p.Codigo, 6, Zero);
    l += u"000";
    AcrescentaInteiro(l, p.Nutricional().Codigo, 4, Zero);
    AcrescentaIndicadores(l, p);
    AcrescentaInteiro(l, p.CodigoFornecedor, 4, Zero);
    AcrescentaEsquerda(l, p.Lote, 12, Zero);
    l += u"00000000000"; // 11
    l += u"0";
    l += u"00";
    return l;
}

std::u16string LinhaInformacao(const TZADeCargaBalInformacaoExtra& info, std::int32_t codigo) {
    std::u16string l;
    l.reserve(946);
    AcrescentaInteiro(l, codigo, 6, Zero);
    AcrescentaDireita(l, info.Observacao, 100, Branco);
    AcrescentaDireita(l, info.Receita, 840, Branco);
    return l;
}

std::u16string LinhaNutricional(const TZADeCargaBalNutricional& n) {
    std::u16string l;
    l.reserve(131);
    l += u'N';
    AcrescentaInteiro(l, n.Codigo, 6, Zero);
    l += u'0';
    AcrescentaInteiro(l, n.Qtd, 3, Zero);
    l += CodigoUndPorcao(n.UndPorcao);
    AcrescentaInteiro(l, n.PartInteira, 2, Zero);
    l += CodigoPartDecimal(n.PartDecimal);
    l += CodigoMedCaseira(n.MedCaseira);
    AcrescentaInteiro(l, n.ValorEnergetico, 4, Zero);
    AcrescentaValor(l, n.Carboidrato, 4, 1, Zero);
    for (const Currency v :
         {n.Proteina, n.GorduraTotal, n.GorduraSaturada, n.GorduraTrans, n.Fibra}) {
        AcrescentaValor(l, v, 3, 1, Zero);
    }
    AcrescentaValor(l, n.Sodio, 5, 1, Zero);
    return l;
}

std::u16string BlocoRdc429(const TZADeCargaBalNutricional& n) {
    std::u16string l;
    l.reserve(60);
    l += CodigoBooleano(n.QtdeAutomaticaPorcao429, Zero);
    AcrescentaInteiro(l, n.QtdePorcEmb429, 3, Zero);
    AcrescentaInteiro(l, n.QtdePorcao429, 3, Zero);
    l += CodigoUndPorcao429(n.UndPorcao429);
    AcrescentaInteiro(l, n.PartIntMedidaCaseira429, 2, Zero);
    l += CodigoPartDecimal429(n.PartDecMedidaCaseira429);
    l += CodigoMedCaseira429(n.MedCaseira429);
    AcrescentaInteiro(l, n.ValorEnergetico429, 4, Zero);
    AcrescentaValor(l, n.Carboidrato429, 4, 1, Zero);
    for (const double v :
         {n.AcucaresTotais429, n.AcucaresAdicionados429, n.Proteinas429, n.GordurasTotais429,
          n.GordurasSaturadas429, n.GordurasTrans429, n.FibraAlimentar429}) {
        AcrescentaReal(l, v, 3, 1);
    }
    AcrescentaReal(l, n.Sodio429, 5, 1);
    for (const std::int32_t marca : {n.AltoAcucar429, n.AltoGordura429, n.AltoSodio429}) {
        AcrescentaInteiro(l, marca, 1, Zero);
    }
    AcrescentaReal(l, n.Lactose429, 5, 1);
    AcrescentaReal(l, n.Galactose429, 5, 1);
    return l;
}

std::u16string LinhaNutricionalMGV7(const TZADeCargaBalNutricional& n) {
    std::u16string l = LinhaNutricional(n);
    l += u"0000|";
    l += BlocoRdc429(n);
    AcrescentaInteiro(l, n.ImprimeLactoseGalactose, 1, Zero);
    for (const double v : {n.AcucaresAdicionadosEstendido429, n.AcucaresTotaisEstendido429,
                           n.GordurasTotaisEstendido429, n.ProteinasEstendido429}) {
        AcrescentaReal(l, v, 5, 2);
    }
    return l;
}

std::u16string LinhaNutricionalTriunfo(const TZADeCargaBalNutricional& n) {
    std::u16string l = LinhaNutricional(n);
    l += u'|';
    l += BlocoRdc429(n);
    return l;
}

std::u16string LinhaTaraCurta(const TZADeCargaBalTaras& t) {
    std::u16string l;
    l.reserve(30);
    AcrescentaInteiro(l, t.Codigo, 4, Zero);
    AcrescentaValor(l, t.Valor, 6, 3, Zero);
    AcrescentaDireita(l, t.Descricao, 20, Branco);
    return l;
}

std::u16string LinhaTaraLonga(const TZADeCargaBalTaras& t) {
    std::u16string l;
    l.reserve(38);
    l += u'N';
    AcrescentaInteiro(l, t.Codigo, 4, Zero);
    AcrescentaInteiro(l, t.TipoTara, 1, Zero);
    AcrescentaValor(l, t.Valor, 6, 3, Zero);
    // The maximum only means something for tare type 1.
    AcrescentaValor(l, t.TipoTara == 1 ? t.ValorMaximoTara : Currency{}, 6, 3, Zero);
    AcrescentaDireita(l, t.Descricao, 20, Branco);
    return l;
}

std::u16string LinhaFornecedor(const TZADeCargaBalFornecedor& f) {
    return LinhaTextos(f.Codigo, f.Observacao,
                       {f.Descricao1, f.Descricao2, f.Descricao3, f.Descricao4, f.Descricao5});
}

std::u16string LinhaFracionador(const TZADeCargaBalFracionador& f) {
    return LinhaTextos(f.Codigo, f.Observacao, {f.Descricao1, f.Descricao2, f.Descricao3});
}

std::u16string LinhaConservacao(const TZADeCargaBalConservacao& c) {
    return LinhaTextos(c.Codigo, c.Observacao, {c.Descricao1, c.Descricao2, c.Descricao3});
}

std::u16string LinhaExtra1(const TZADeCargaBalExtra1& e) {
    return LinhaTextos(e.Codigo, e.Observacao, {e.Linha1, e.Linha2, e.Linha3, e.Linha4, e.Linha5});
}

std::u16string LinhaExtra2(const TZADeCargaBalExtra2& e) {
    return LinhaTextos(e.Codigo, e.Observacao, {e.Linha1, e.Linha2, e.Linha3, e.Linha4, e.Linha5});
}

std::u16string LinhaDepartamento(const TZADeCargaBalSetor& s) {
    std::u16string l;
    l.reserve(42);
    AcrescentaInteiro(l, s.Codigo, 2, Zero);
    AcrescentaDireita(l, s.Descricao, 40, Branco);
    return l;
}

std::u16string LinhaTecla(const TZADeCargaBalItem& p) {
    const TZadeCargaBalTeclado& t = p.Teclado();
    std::u16string l;
    l.reserve(291);
    AcrescentaInteiro(l, t.Codigo_Teclado, 2, Zero);
    AcrescentaInteiro(l, t.Pagina_Teclado, 1, Zero);
    AcrescentaInteiro(l, t.Tecla, 2, Zero);
    AcrescentaInteiro(l, p.Codigo, 6, Zero);
    l += u'0';
    AcrescentaDireita(l, p.Descricao, 24, Branco);
    l.append(255, Branco);
    return l;
}

std::u16string LinhaTeclado(const TZadeCargaBalTeclado& t) {
    std::u16string l;
    l.reserve(105);
    l += u"OBS";
    AcrescentaInteiro(l, t.Codigo_Teclado, 2, Zero);
    AcrescentaDireita(l, u"TECLADO " + InteiroParaTexto(t.Codigo_Teclado), 100, Branco);
    return l;
}

void MesclaTeclados(ListaLinhas* teclas, const ListaLinhas& teclados) {
    if (teclas != nullptr && !teclados.Vazia()) {
        teclas->InsereNaFrente(teclados);
    }
}

const FormaMGV* FormaDaVariante(FamiliaMGV familia, int variante) {
    switch (familia) {
    case FamiliaMGV::Toledo:
        switch (variante) {
        case 1:
            return &FormaMGV5Ver1;
        case 2:
            return &FormaMGV5;
        case 3:
            return &FormaMGV6;
        default:
            return nullptr;
        }
    case FamiliaMGV::ToledoMGV7:
        return variante == 4 ? &FormaMGV7 : nullptr;
    case FamiliaMGV::Triunfo:
        return variante == 4 ? &FormaTriunfo : nullptr;
    }
    return nullptr;
}

void GeraRegistrosMGV(TZADeCargaBalItem& p, const FormaMGV& forma, const ListasMGV& listas,
                      ListaLinhas& teclados) {
    // Settled once here; asking again for the information record would give
    // the same code.
    const std::int32_t codigoInformacao =
        forma.ModeloInformacao ? p.CodigoInformacaoExtra(*forma.ModeloInformacao) : p.Codigo;
    if (listas.Itens != nullptr) {
        listas.Itens->Add(forma.Item == ItemMGV::MGV5Ver1
                              ? LinhaItemMGV5Ver1(p)
                              : LinhaItemMGV(p, codigoInformacao, forma.Item == ItemMGV::MGV6));
    }
    if (forma.Teclas && p.Teclado().Tecla > 0) {
        if (forma.Teclados) {
            teclados.AddSeAusente(LinhaTeclado(p.Teclado()));
        }
        if (listas.Teclado != nullptr) {
            listas.Teclado->Add(LinhaTecla(p));
        }
    }
    AcrescentaSeAusente(listas.Receita, p.InformacaoExtra().Receita.size() > 2,
                        [&] { return LinhaInformacao(p.InformacaoExtra(), codigoInformacao); });
    AcrescentaSeAusente(listas.Nutricional, p.Nutricional().Codigo > 0, [&] {
        return LinhaNutricionalDaForma(p.Nutricional(), forma.Nutricional);
    });
    AcrescentaSeAusente(listas.Tara, p.Tara().Codigo > 0, [&] {
        return forma.Tara == TaraMGV::Longa ? LinhaTaraLonga(p.Tara()) : LinhaTaraCurta(p.Tara());
    });
    AcrescentaSeAusente(listas.Fornecedor, p.Fornecedor().Codigo > 0,
                        [&] { return LinhaFornecedor(p.Fornecedor()); });
    AcrescentaSeAusente(listas.Fracionador, p.Fracionador().Codigo > 0,
                        [&] { return LinhaFracionador(p.Fracionador()); });
    AcrescentaSeAusente(listas.Conservacao, p.Conservacao().Codigo > 0,
                        [&] { return LinhaConservacao(p.Conservacao()); });
    AcrescentaSeAusente(listas.CampoExtra1, forma.CamposExtras && p.Extra1().Codigo > 0,
                        [&] { return LinhaExtra1(p.Extra1()); });
    AcrescentaSeAusente(listas.CampoExtra2, forma.CamposExtras && p.Extra2().Codigo > 0,
                        [&] { return LinhaExtra2(p.Extra2()); });
    AcrescentaSeAusente(listas.Setor, p.Setor().Codigo > 0,
                        [&] { return LinhaDepartamento(p.Setor()); });
}

void PercorreProdutos(TZADeCargaBalItens& produtos, ListaLinhas* teclas, const GeraProduto& gera,
                      const ProgressoDoProduto& progresso) {
    ListaLinhas teclados;
    const int total = produtos.Count();
    for (int i = 0; i < total; ++i) {
        TZADeCargaBalItem& p = produtos.Items(i);
        if (gera) {
            gera(p, teclados);
        }
        if (progresso) {
            progresso(p, i, total);
        }
    }
    MesclaTeclados(teclas, teclados);
}

void GeraCargaMGV(TZADeCargaBalItens& produtos, const FormaMGV* forma, const ListasMGV& listas,
                  const ProgressoDoProduto& progresso) {
    GeraProduto gera;
    if (forma != nullptr) {
        gera = [forma, &listas](TZADeCargaBalItem& p, ListaLinhas& teclados) {
            GeraRegistrosMGV(p, *forma, listas, teclados);
        };
    }
    PercorreProdutos(produtos, listas.Teclado, gera, progresso);
}

} // namespace cargabal
