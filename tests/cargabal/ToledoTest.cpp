// Toledo family loads (classic Toledo, MGV5 version 1, MGV5, MGV6, MGV7,
// Triunfo) generated through GerarArquivos and read back from disk.
#include "cargabal/Formatacao.hpp"
#include "cargabal/ZADeCargaBal.hpp"
#include "comum/PastaTemporaria.hpp"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <tuple>
#include <vector>

namespace cargabal {
namespace {

using M = TZADeCargaBalModelo;
using testes::LeArquivo;
using testes::PastaTemporaria;

// Fields of a line, concatenated.
template <typename... Partes> std::string C(const Partes&... partes) {
    return (std::string() + ... + std::string(partes));
}
std::string B(std::size_t n) {
    return std::string(n, ' ');
}
std::string Z(std::size_t n) {
    return std::string(n, '0');
}

class Toledo : public ::testing::Test {
protected:
    TZADeCargaBalItem& Novo(std::int32_t codigo, std::u16string descricao = u"P") {
        TZADeCargaBalItem& p = FGerador.Produtos().New();
        p.Codigo = codigo;
        p.Descricao = std::move(descricao);
        return p;
    }
    // Runs in a fresh folder, so that files of an earlier model do not count.
    void Gera(M modelo) {
        FPasta = std::make_unique<PastaTemporaria>();
        FGerador.Modelo = modelo;
        FGerador.GerarArquivos(FPasta->Texto());
    }
    std::string Arquivo(const std::string& nome) const { return LeArquivo(*FPasta / nome); }
    std::vector<std::string> Linhas(const std::string& nome) const {
        std::vector<std::string> r;
        const std::string texto = Arquivo(nome);
        for (std::size_t i = 0; i < texto.size();) {
            const std::size_t fim = texto.find("\r\n", i);
            EXPECT_NE(fim, std::string::npos) << nome << " has a line without CR LF";
            if (fim == std::string::npos) {
                break;
            }
            r.push_back(texto.substr(i, fim - i));
            i = fim + 2;
        }
        return r;
    }
    std::string Linha(const std::string& nome) const {
        const auto l = Linhas(nome);
        EXPECT_EQ(l.size(), 1u) << nome;
        return l.empty() ? "" : l.front();
    }
    std::vector<std::string> Nomes() const {
        std::vector<std::string> r;
        for (const auto& c : FGerador.ArquivosGerados()) {
            r.push_back(std::filesystem::path(c).filename().string());
        }
        return r;
    }

    std::unique_ptr<PastaTemporaria> FPasta;
    TZADeCargaBal FGerador;
};

// ---- Classic Toledo ("TXITENS.TXT") -----------------------------------------

TEST_F(Toledo, PaoFrances) {
    TZADeCargaBalItem& p = Novo(123, u"PAO FRANCES");
    p.Setor().Codigo = 1;
    p.ModeloEtiqueta = 1;
    p.ValorVenda = Currency{49900};
    p.Validade = 30;
    // Records that the classic model never writes.
    p.Tara().Codigo = 3;
    p.Nutricional().Codigo = 4;
    p.Teclado().Tecla = 5;
    Gera(M::modToledo);
    EXPECT_EQ(Arquivo("TXITENS.TXT"),
              C("0101", "0", "000123", "000499", "030", "PAO FRANCES") + B(39) + B(250) + "\r\n");
    EXPECT_EQ(Nomes(), std::vector<std::string>{"TXITENS.TXT"});
}

TEST_F(Toledo, CortesETiposDeVenda) {
    struct Caso {
        std::int32_t Codigo;
        TZADeCargaBalTipoVenda Tipo;
        std::int64_t Preco; // ten-thousandths
        std::u16string Descricao;
        std::u16string Receita;
        std::string Esperado;
    };
    const std::string d50(50, 'D');
    const std::string r250(250, 'R');
    const std::vector<Caso> casos = {
        {1, TZADeCargaBalTipoVenda::tpvUnidade, 49990, u"A", u"", // 4.999: cut, not rounded
         C("0000", "1", "000001", "000499", "000", "A") + B(49) + B(250)},
        {2, TZADeCargaBalTipoVenda::tpvEAN13, 100000000, u"A", u"", // 10000.00
         C("0000", "2", "000002", "100000", "000", "A") + B(49) + B(250)},
        {1234567, TZADeCargaBalTipoVenda::tpvEAN13Und, 0, u"A", u"ABC",
         C("0000", "5", "123456", "000000", "000", "A") + B(49) + "ABC" + B(247)},
        {4, TZADeCargaBalTipoVenda::tpvPeso, 0, std::u16string(51, u'D'), std::u16string(251, u'R'),
         C("0000", "0", "000004", "000000", "000") + d50 + r250},
    };
    for (const Caso& c : casos) {
        TZADeCargaBalItem& p = Novo(c.Codigo, c.Descricao);
        p.Tipo = c.Tipo;
        p.ValorVenda = Currency{c.Preco};
        p.InformacaoExtra().Receita = c.Receita;
    }
    Gera(M::modToledo);
    const auto linhas = Linhas("TXITENS.TXT");
    ASSERT_EQ(linhas.size(), casos.size());
    for (std::size_t i = 0; i < casos.size(); ++i) {
        EXPECT_EQ(linhas[i], casos[i].Esperado) << "case " << i;
        EXPECT_EQ(linhas[i].size(), 320u);
    }
}

TEST_F(Toledo, CodigosRepetidosEProgressoDoEscritor) {
    Novo(7, u"A");
    Novo(7, u"A");
    Novo(8, u"B");
    std::vector<std::tuple<std::u16string, int, int>> progresso;
    FGerador.OnProgresso = [&](const std::u16string& m, int a, int t) {
        progresso.emplace_back(m, a, t);
    };
    Gera(M::modToledo);
    EXPECT_EQ(Linhas("TXITENS.TXT").size(), 3u);
    const std::vector<std::tuple<std::u16string, int, int>> esperado = {
        {u"Iniciando a geração dos arquivos", 0, 3},
        {u"Gerando produto 000007 A", 0, 3},
        {u"Gerando produto 000007 A", 1, 3},
        {u"Gerando produto 000008 B", 2, 3},
        {u"Terminado", 3, 3}};
    EXPECT_EQ(progresso, esperado);
}

// ---- MGV item lines ---------------------------------------------------------

class ToledoMGV : public Toledo {
protected:
    TZADeCargaBalItem& BoloDeFuba() {
        TZADeCargaBalItem& p = Novo(4567, u"BOLO DE FUBA");
        p.Setor().Codigo = 7;
        p.Setor().Descricao = u"PADARIA";
        p.Tipo = TZADeCargaBalTipoVenda::tpvUnidade;
        p.ValorVenda = Currency{123400};
        p.Validade = 5;
        p.InformacaoExtra().Receita = u"Farinha, ovos";
        p.Nutricional().Codigo = 12;
        p.ImpEmbalagem = 0;
        p.CodigoFornecedor = 3;
        p.Lote = u"L5";
        p.CodigoTara = 2;
        p.CodigoFracionador = 4;
        p.CodigoExtra1 = 8;
        p.CodigoExtra2 = 9;
        p.CodigoConservacao = 6;
        p.EAN13Fornecedor = u"789";
        p.Tara().Codigo = 3;
        p.Tara().Valor = Currency{150};
        p.Tara().Descricao = u"POTE";
        return p;
    }
    const std::string Inicio = C("07", "1", "004567", "001234", "005", "BOLO DE FUBA") + B(38);
};

TEST_F(ToledoMGV, LinhaDoItemPorModelo) {
    TZADeCargaBalItem& p = BoloDeFuba();
    const std::string meio = C("004567", "0000", "000012", "1", "0", "0003", "0000000000L5") +
                             Z(11) + C("0", "0000", "0002", "0004");
    const std::string mgv5 = Inicio + meio + C("0000", "0000", "0006", "000000000789");
    const std::string mgv6 = Inicio + meio + C("0008", "0009", "0006", "000000000789");
    const std::vector<std::tuple<M, std::string>> casos = {{M::modToledoMGV5, mgv5},
                                                           {M::modToledoMGV6, mgv6},
                                                           {M::modToledoMGV7, mgv6},
                                                           {M::modTriunfoRdc429, mgv6}};
    for (const auto& [modelo, esperado] : casos) {
        Gera(modelo);
        EXPECT_EQ(Linha("ITENSMGV.TXT"), esperado) << NomeEnumerador(modelo);
        EXPECT_EQ(p.InformacaoExtra().Codigo, 4567) << "settled to the product's code";
    }
    // The tare forms: short for MGV5 and Triunfo, long for MGV6 and MGV7.
    const std::vector<std::tuple<M, std::string>> taras = {
        {M::modToledoMGV5, "0003000015POTE" + B(16)},
        {M::modToledoMGV6, "N00030000015000000POTE" + B(16)},
        {M::modToledoMGV7, "N00030000015000000POTE" + B(16)},
        {M::modTriunfoRdc429, "0003000015POTE" + B(16)}};
    for (const auto& [modelo, esperado] : taras) {
        Gera(modelo);
        EXPECT_EQ(Linha("TARA.TXT"), esperado) << NomeEnumerador(modelo);
    }
}

TEST_F(ToledoMGV, MGV5Versao1) {
    TZADeCargaBalItem& p = BoloDeFuba();
    p.InformacaoExtra().Codigo = 15;
    p.Teclado().Tecla = 1;
    p.Extra1().Codigo = 1;
    TZADeCargaBalItem& semReceita = Novo(88, u"SEM RECEITA");
    semReceita.InformacaoExtra().Codigo = 15;
    Gera(M::modToledoMGV5Ver1);
    EXPECT_EQ(
        Linhas("ITENSMGV.TXT"),
        (std::vector<std::string>{
            Inicio + C("004567", "000", "0012", "1", "0", "0003", "0000000000L5") + Z(11) +
                C("0", "00"),
            C("00", "0", "000088", "000000", "000", "SEM RECEITA") + B(39) +
                C("000088", "000", "0000", "1", "1", "0000") + Z(12) + Z(11) + C("0", "00")}));
    // The information record carries the product's code; nothing is settled.
    EXPECT_EQ(Linha("TXINFO.TXT").substr(0, 6), "004567");
    EXPECT_EQ(p.InformacaoExtra().Codigo, 15);
    EXPECT_EQ(semReceita.InformacaoExtra().Codigo, 15);
    // No key or extra-field files for this model.
    EXPECT_EQ(Nomes(), (std::vector<std::string>{"ITENSMGV.TXT", "DEPTO.TXT", "TXINFO.TXT",
                                                 "INFNUTRI.TXT", "TARA.TXT"}));
}

TEST_F(ToledoMGV, CodigoDaInformacaoDepoisDaGeracao) {
    struct Caso {
        M Modelo;
        std::int32_t CodigoAntes;
        std::u16string Receita;
        std::string Coluna69;
        std::int32_t CodigoDepois;
        bool Registro;
    };
    const std::vector<Caso> casos = {
        {M::modToledoMGV5, 0, u"0123456789", "000050", 50, true},
        {M::modToledoMGV6, 15, u"", "000000", 0, false},
        {M::modToledoMGV6, 15, u"ab", "000000", 0, false},
        {M::modToledoMGV6, 15, u"abc", "000015", 15, true},
        {M::modToledoMGV7, 0, u"abc", "000050", 50, true},
        {M::modTriunfoRdc429, 9, u"x", "000000", 0, false},
    };
    for (const Caso& c : casos) {
        FGerador.Produtos().Clear();
        TZADeCargaBalItem& p = Novo(50);
        p.InformacaoExtra().Codigo = c.CodigoAntes;
        p.InformacaoExtra().Receita = c.Receita;
        Gera(c.Modelo);
        const std::string rotulo = NomeEnumerador(c.Modelo) + " " + Utf8(c.Receita);
        EXPECT_EQ(Linha("ITENSMGV.TXT").substr(68, 6), c.Coluna69) << rotulo;
        EXPECT_EQ(p.InformacaoExtra().Codigo, c.CodigoDepois) << rotulo;
        EXPECT_EQ(std::filesystem::exists(*FPasta / "TXINFO.TXT"), c.Registro) << rotulo;
        if (c.Registro) {
            EXPECT_EQ(Linha("TXINFO.TXT"),
                      c.Coluna69 + B(100) + Utf8(c.Receita) + B(840 - c.Receita.size()))
                << rotulo;
        }
    }
}

TEST_F(ToledoMGV, PreenchimentosECortesDoItem) {
    struct Caso {
        std::u16string Lote;
        std::u16string EAN;
        std::int16_t ImpValidade;
        std::int32_t CodigoTara;
        std::string Esperado; // columns 85 to 150
    };
    const std::vector<Caso> casos = {
        {u"0", u"", 1, 0, C("11", "0000") + Z(12) + Z(16) + "0000" + Z(16) + Z(12)},
        {u"ABC", u"7891234567895", 10, 12345,
         C("11", "0000") + Z(9) + "ABC" + Z(16) + "1234" + Z(16) + "789123456789"},
    };
    for (const Caso& c : casos) {
        FGerador.Produtos().Clear();
        TZADeCargaBalItem& p = Novo(1);
        p.Lote = c.Lote;
        p.EAN13Fornecedor = c.EAN;
        p.ImpValidade = c.ImpValidade;
        p.CodigoTara = c.CodigoTara;
        Gera(M::modToledoMGV6);
        const std::string linha = Linha("ITENSMGV.TXT");
        EXPECT_EQ(linha.size(), 150u);
        EXPECT_EQ(linha.substr(84), c.Esperado) << Utf8(c.Lote);
    }
}

// ---- Auxiliary files --------------------------------------------------------

TEST_F(ToledoMGV, ArquivosDoMGV6NaOrdemDoDriver) {
    TZADeCargaBalItem& p = BoloDeFuba();
    p.Fornecedor().Codigo = 1;
    p.Fracionador().Codigo = 2;
    p.Conservacao().Codigo = 3;
    p.Extra1().Codigo = 4;
    p.Extra2().Codigo = 5;
    p.Teclado().Tecla = 6;
    const std::vector<std::string> todos = {
        "ITENSMGV.TXT", "DEPTO.TXT",    "TXINFO.TXT",   "INFNUTRI.TXT", "TARA.TXT",    "TXFORN.TXT",
        "FRACIONA.TXT", "CAMPEXT1.TXT", "CAMPEXT2.TXT", "CONSERVA.TXT", "TXTECLAS.TXT"};
    for (const M modelo : {M::modToledoMGV6, M::modToledoMGV7, M::modTriunfoRdc429}) {
        Gera(modelo);
        EXPECT_EQ(Nomes(), todos) << NomeEnumerador(modelo);
        EXPECT_EQ(Linha("CAMPEXT2.TXT"), "0005" + B(380));
        EXPECT_EQ(Linha("DEPTO.TXT"), "07PADARIA" + B(33));
    }
    // MGV5 writes key lines but neither keyboard lines nor extra fields.
    Gera(M::modToledoMGV5);
    EXPECT_EQ(Nomes(), (std::vector<std::string>{"ITENSMGV.TXT", "DEPTO.TXT", "TXINFO.TXT",
                                                 "INFNUTRI.TXT", "TARA.TXT", "TXFORN.TXT",
                                                 "FRACIONA.TXT", "CONSERVA.TXT", "TXTECLAS.TXT"}));
    EXPECT_EQ(Linha("TXTECLAS.TXT"), C("01106004567", "0", "BOLO DE FUBA") + B(12) + B(255));
}

TEST_F(ToledoMGV, CodigoZeroOuNegativoNaoGeraRegistro) {
    for (const int codigo : {0, -1}) {
        FGerador.Produtos().Clear();
        TZADeCargaBalItem& p = Novo(1);
        p.Setor().Codigo = codigo;
        p.Setor().Descricao = u"S";
        p.Nutricional().Codigo = codigo;
        p.Tara().Codigo = codigo;
        p.Fornecedor().Codigo = static_cast<std::int16_t>(codigo);
        p.Fracionador().Codigo = static_cast<std::int16_t>(codigo);
        p.Conservacao().Codigo = static_cast<std::int16_t>(codigo);
        p.Extra1().Codigo = static_cast<std::int16_t>(codigo);
        p.Extra2().Codigo = static_cast<std::int16_t>(codigo);
        p.Teclado().Tecla = codigo;
        p.InformacaoExtra().Receita = u"ab";
        for (const M modelo : {M::modToledoMGV6, M::modToledoMGV7, M::modTriunfoRdc429}) {
            Gera(modelo);
            EXPECT_EQ(Nomes(), std::vector<std::string>{"ITENSMGV.TXT"})
                << NomeEnumerador(modelo) << " code " << codigo;
        }
    }
}

TEST_F(ToledoMGV, RepetidosIgnorandoCaixa) {
    auto produto = [this](std::int32_t codigo, std::u16string fornecedor, std::u16string tara) {
        TZADeCargaBalItem& p = Novo(codigo);
        p.Fornecedor().Codigo = 1;
        p.Fornecedor().Observacao = std::move(fornecedor);
        p.Tara().Codigo = 2;
        p.Tara().Descricao = std::move(tara);
        p.Setor().Codigo = 3;
        p.Setor().Descricao = u"FRIOS";
    };
    produto(1, u"Laticínios São João", u"POTE");
    produto(2, u"LATICÍNIOS SÃO JOÃO", u"POTE");    // differs only in case: the same
    produto(3, u"Laticínios São João", u"BANDEJA"); // same tare code, other text
    produto(4, u"Laticínios São João", u"pote");
    Gera(M::modToledoMGV6);
    EXPECT_EQ(Linhas("ITENSMGV.TXT").size(), 4u);
    const auto fornecedores = Linhas("TXFORN.TXT");
    ASSERT_EQ(fornecedores.size(), 1u);
    // Windows-1252 bytes of the first spelling.
    EXPECT_EQ(fornecedores[0].substr(0, 23), "0001Latic\xEDnios S\xE3o Jo\xE3o");
    EXPECT_EQ(Linhas("TARA.TXT"), (std::vector<std::string>{"N00020000000000000POTE" + B(16),
                                                            "N00020000000000000BANDEJA" + B(13)}));
    EXPECT_EQ(Linhas("DEPTO.TXT").size(), 1u);
}

TEST_F(ToledoMGV, TecladosNaFrenteDasTeclas) {
    const std::vector<std::tuple<int, int>> teclas = {{1, 1}, {1, 2}, {2, 1}, {1, 2}};
    int codigo = 1;
    for (const auto& [teclado, tecla] : teclas) {
        TZADeCargaBalItem& p = Novo(codigo++, u"PRODUTO");
        p.Teclado().Codigo_Teclado = teclado;
        p.Teclado().Tecla = tecla;
    }
    const std::string desc = "PRODUTO" + B(17) + B(255);
    const std::vector<std::string> linhasDeTecla = {
        C("01101000001", "0") + desc, C("01102000002", "0") + desc, C("02101000003", "0") + desc,
        C("01102000004", "0") + desc}; // the same key twice gives two lines
    std::vector<std::string> esperado = {"OBS01TECLADO 1" + B(91), "OBS02TECLADO 2" + B(91)};
    esperado.insert(esperado.end(), linhasDeTecla.begin(), linhasDeTecla.end());
    for (const M modelo : {M::modToledoMGV6, M::modToledoMGV7, M::modTriunfoRdc429}) {
        Gera(modelo);
        EXPECT_EQ(Linhas("TXTECLAS.TXT"), esperado) << NomeEnumerador(modelo);
    }
    Gera(M::modToledoMGV5);
    EXPECT_EQ(Linhas("TXTECLAS.TXT"), linhasDeTecla);
}

TEST_F(ToledoMGV, NutricionalPorModeloERepetidos) {
    auto produto = [this](std::int32_t codigo, double acucares) {
        TZADeCargaBalItem& p = Novo(codigo);
        p.Nutricional().Codigo = 5;
        p.Nutricional().ValorEnergetico = 90;
        p.Nutricional().AcucaresTotais429 = acucares;
    };
    produto(1, 2.35);
    produto(2, 2.35); // identical: one record
    produto(3, 4.0);  // same code, other RDC 429 value
    const std::string curto =
        C("N000005", "0", "000", "0", "00", "0", "00", "0090") + Z(4) + Z(15) + Z(5);
    const std::string rdc = C("0", "000", "000", "0", "00", "0", "00", "0000", "0000");
    const std::string resto = Z(18) + Z(5) + "000" + Z(5) + Z(5);
    Gera(M::modToledoMGV6);
    EXPECT_EQ(Linhas("INFNUTRI.TXT"), std::vector<std::string>{curto});
    Gera(M::modToledoMGV7);
    EXPECT_EQ(Linhas("INFNUTRI.TXT"),
              (std::vector<std::string>{curto + "0000|" + rdc + "023" + resto + "0" + Z(20),
                                        curto + "0000|" + rdc + "040" + resto + "0" + Z(20)}));
    Gera(M::modTriunfoRdc429);
    EXPECT_EQ(Linhas("INFNUTRI.TXT"),
              (std::vector<std::string>{curto + "|" + rdc + "023" + resto,
                                        curto + "|" + rdc + "040" + resto}));
}

TEST_F(ToledoMGV, ErroNoMeioNaoGravaNada) {
    Novo(1).Teclado().Tecla = 1;
    Novo(2).Teclado().Tecla = 1;
    FGerador.OnProgresso = [](const std::u16string& m, int atual, int) {
        if (atual == 1 && m.rfind(u"Gerando", 0) == 0) {
            throw std::runtime_error("interrompido");
        }
    };
    FPasta = std::make_unique<PastaTemporaria>();
    FGerador.Modelo = M::modToledoMGV6;
    EXPECT_THROW(FGerador.GerarArquivos(FPasta->Texto()), std::runtime_error);
    EXPECT_TRUE(std::filesystem::is_empty(FPasta->Caminho()));
    EXPECT_TRUE(FGerador.ArquivosGerados().empty());
}

} // namespace
} // namespace cargabal
