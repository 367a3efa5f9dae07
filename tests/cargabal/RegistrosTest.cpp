// Load records, their owning list, the line list and the model names.
#include "cargabal/ListaLinhas.hpp"
#include "cargabal/NomesArquivos.hpp"
#include "cargabal/ZADeCargaBal.hpp"

#include <gtest/gtest.h>

namespace cargabal {
namespace {

using M = TZADeCargaBalModelo;

TEST(Registros, NovoItemTemOsPadroes) {
    TZADeCargaBalItens itens;
    const TZADeCargaBalItem& p = itens.New();
    EXPECT_EQ(itens.Count(), 1);
    EXPECT_EQ(p.Lote, u"0");
    EXPECT_EQ(p.ImpValidade, 1);
    EXPECT_EQ(p.ImpEmbalagem, 1);
    EXPECT_EQ(p.Teclado().Pagina_Teclado, 1);
    EXPECT_EQ(p.Teclado().Codigo_Teclado, 1);
    EXPECT_EQ(p.Teclado().Tecla, 0);
    EXPECT_EQ(p.Tipo, TZADeCargaBalTipoVenda::tpvPeso);
    EXPECT_EQ(p.TipoValidade, TZADeCargaBalTipoValidade::tpvDias);
    EXPECT_EQ(p.ValorVenda, Currency{});
    EXPECT_EQ(p.Codigo, 0);
    EXPECT_TRUE(p.Descricao.empty());
    EXPECT_TRUE(p.EAN13Fornecedor.empty());
    EXPECT_EQ(p.Tara().Valor, Currency{});
    EXPECT_EQ(p.Nutricional().MedCaseira, TZADeCargaBalNutriMedCaseira::tpColherSopa);
    EXPECT_EQ(p.InformacaoExtra().Codigo, 0);
}

TEST(Registros, SubRegistrosSaoDoItem) {
    TZADeCargaBalItens itens;
    TZADeCargaBalItem& a = itens.New();
    TZADeCargaBalItem& b = itens.New();
    a.Setor().Descricao = u"FRIOS";
    EXPECT_TRUE(b.Setor().Descricao.empty());
    auto tara = std::make_unique<TZADeCargaBalTaras>();
    tara->Codigo = 9;
    a.SetTara(std::move(tara));
    EXPECT_EQ(a.Tara().Codigo, 9);
    EXPECT_THROW(a.SetTara(nullptr), std::invalid_argument);
    EXPECT_EQ(a.Tara().Codigo, 9);
}

TEST(Registros, LimparPreservaDescricaoERdc429) {
    TZADeCargaBalNutricional n;
    n.Codigo = 5;
    n.Qtd = 100;
    n.Descricao = u"PAO";
    n.Sodio = Currency{50};
    n.MedCaseira = TZADeCargaBalNutriMedCaseira::tpLata;
    n.UndPorcao = TZADeCargaBalNutriUndPorcao::tpUnidades;
    n.Lactose429 = 1.5;
    n.QtdePorcEmb429 = 3;
    n.Carboidrato429 = Currency{70};
    n.Limpar();
    EXPECT_EQ(n.Codigo, 0);
    EXPECT_EQ(n.Qtd, 0);
    EXPECT_EQ(n.Sodio, Currency{});
    EXPECT_EQ(n.MedCaseira, TZADeCargaBalNutriMedCaseira::tpColherSopa);
    EXPECT_EQ(n.UndPorcao, TZADeCargaBalNutriUndPorcao::tpGramas);
    EXPECT_EQ(n.Descricao, u"PAO");
    EXPECT_EQ(n.Lactose429, 1.5);
    EXPECT_EQ(n.QtdePorcEmb429, 3);
    EXPECT_EQ(n.Carboidrato429, Currency{70});
}

TEST(Registros, CodigoInformacaoExtra) {
    struct Caso {
        M modelo;
        std::u16string receita;
        std::int32_t codigoAntes;
        std::int32_t esperado;
    };
    const Caso casos[] = {
        {M::modFilizola, u"ab", 15, 0},      {M::modToledoMGV6, u"abc", 0, 123},
        {M::modToledoMGV5, u"abc", 77, 77},  {M::modTriunfoRdc429, u"", 9, 0},
        {M::modUrano, u"", 15, 15},          {M::modUranoURF32, u"abcdef", 0, 0},
        {M::modToledoMGV5Ver1, u"ab", 4, 4},
    };
    for (const Caso& c : casos) {
        TZADeCargaBalItem p;
        p.Codigo = 123;
        p.InformacaoExtra().Receita = c.receita;
        p.InformacaoExtra().Codigo = c.codigoAntes;
        EXPECT_EQ(p.CodigoInformacaoExtra(c.modelo), c.esperado);
        EXPECT_EQ(p.InformacaoExtra().Codigo, c.esperado) << "the settled code stays";
    }
}

TEST(Registros, ListaForaDosLimitesESubstituicao) {
    TZADeCargaBalItens itens;
    itens.New().Codigo = 1;
    itens.New().Codigo = 2;
    EXPECT_THROW(itens.Items(2), std::out_of_range);
    EXPECT_THROW(itens.Items(-1), std::out_of_range);
    EXPECT_THROW(itens.SetItems(2, std::make_unique<TZADeCargaBalItem>()), std::out_of_range);
    auto novo = std::make_unique<TZADeCargaBalItem>();
    novo->Codigo = 9;
    itens.SetItems(0, std::move(novo));
    EXPECT_EQ(itens.Items(0).Codigo, 9);
    EXPECT_EQ(itens.Items(1).Codigo, 2);
    itens.Clear();
    EXPECT_EQ(itens.Count(), 0);
}

TEST(Registros, ModeloStrSegueOModelo) {
    TZADeCargaBal c;
    EXPECT_EQ(c.Modelo, M::modFilizola);
    EXPECT_EQ(c.ModeloStr(), u"Filizola");
    c.Modelo = M::modUranoS;
    EXPECT_EQ(c.ModeloStr(), u"Urano (S)");
    c.Modelo = M::modToledoMGV5Ver1;
    EXPECT_EQ(c.ModeloStr(), u"Toledo MGV5 Ver1");
    c.Modelo = M::modTriunfoRdc429;
    EXPECT_EQ(c.ModeloStr(), u"Triunfo MGV5 Ver2 RDC429");
    EXPECT_EQ(NomeEnumerador(M::modUranoURF32), "modUranoURF32");
}

TEST(NomesArquivos, PorModeloELista) {
    using T = TipoLista;
    EXPECT_EQ(NomeArquivo(M::modFilizola, T::Itens), "CADTXT.TXT");
    EXPECT_EQ(NomeArquivo(M::modFilizola, T::Receita), "REC_ASS.TXT");
    EXPECT_EQ(NomeArquivo(M::modToledo, T::Itens), "TXITENS.TXT");
    EXPECT_EQ(NomeArquivo(M::modToledo, T::Tara), "TARA.TXT");
    EXPECT_EQ(NomeArquivo(M::modToledo, T::Setor), "");
    EXPECT_EQ(NomeArquivo(M::modUranoS, T::Itens), "PRODUTOS.TXT");
    EXPECT_EQ(NomeArquivo(M::modUranoURF32, T::ProdutoNutricional),
              "PRODUTOSINFORMACOESNUTRICIONAIS.TXT");
    EXPECT_EQ(NomeArquivo(M::modRamuza, T::Itens), "RAMUZA_ORIGINAL.TXT");
    EXPECT_EQ(NomeArquivo(M::modTriunfoRdc429, T::Teclado), "TXTECLAS.TXT");
    EXPECT_EQ(NomeArquivo(M::modToledoMGV7, T::CampoExtra2), "CAMPEXT2.TXT");
    EXPECT_EQ(NomeArquivo(M::modToledoMGV5Ver1, T::Itens), "ITENSMGV.TXT");
    EXPECT_EQ(NomeArquivo(M::modToledoMGV5Ver1, T::Conservacao), "CONSERVA.TXT");
    EXPECT_EQ(NomeArquivo(M::modToledoMGV5Ver1, T::Teclado), "");
}

TEST(ListaLinhas, IgualdadeSemCaixa) {
    struct Caso {
        std::u16string a, b;
        bool iguais;
    };
    const Caso casos[] = {
        {u"Pão de Queijo", u"PÃO DE QUEIJO", true},
        {u"Pão de Queijo", u"Pão de Queijo ", false}, // another length
        {u"\u1E9E", u"\u00DF", true},                 // capital and small sharp s
        {u"Straße", u"STRASSE", false},               // no full folding
        {u"ΟΔΟΣ", u"οδος", true},                     // final sigma folds too
        {u"abc", u"abd", false},
        {u"", u"", true},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(IguaisSemCaixa(c.a, c.b), c.iguais);
    }
}

TEST(ListaLinhas, IndexOfDaOMesmoQueABuscaLinear) {
    ListaLinhas l;
    std::vector<std::u16string> referencia;
    const std::u16string letras = u"aAbBçÇ";
    unsigned semente = 12345;
    auto aleatorio = [&semente](unsigned n) {
        semente = semente * 1103515245u + 12345u;
        return (semente >> 16) % n;
    };
    for (int i = 0; i < 2000; ++i) {
        std::u16string linha;
        const unsigned tamanho = 1 + aleatorio(3);
        for (unsigned k = 0; k < tamanho; ++k) {
            linha += letras[aleatorio(static_cast<unsigned>(letras.size()))];
        }
        auto linear = [&referencia](const std::u16string& x) {
            for (std::size_t k = 0; k < referencia.size(); ++k) {
                if (IguaisSemCaixa(referencia[k], x)) {
                    return static_cast<int>(k);
                }
            }
            return -1;
        };
        ASSERT_EQ(l.IndexOf(linha), linear(linha)) << i;
        if (aleatorio(2) == 0) {
            l.Add(linha); // duplicates allowed: the first one must still answer
            referencia.push_back(linha);
        } else if (linear(linha) < 0) {
            EXPECT_TRUE(l.AddSeAusente(linha));
            referencia.push_back(linha);
        } else {
            EXPECT_FALSE(l.AddSeAusente(linha));
        }
    }
    EXPECT_EQ(l.Linhas(), referencia);
}

TEST(ListaLinhas, InsereNaFrente) {
    ListaLinhas teclas;
    teclas.Add(u"k1");
    teclas.Add(u"k2");
    ListaLinhas teclados;
    teclados.AddSeAusente(u"t1");
    EXPECT_EQ(teclas.IndexOf(u"K2"), 1);
    teclas.InsereNaFrente(teclados);
    EXPECT_EQ(teclas.Linhas(), (std::vector<std::u16string>{u"t1", u"k1", u"k2"}));
    EXPECT_EQ(teclas.IndexOf(u"K2"), 2);
}

} // namespace
} // namespace cargabal
