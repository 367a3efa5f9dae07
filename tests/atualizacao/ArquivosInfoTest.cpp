// The inventory: version values, the product-name table, Versao,
// PossuiAtualizacao and the admission rules of AddArquivo.
#include "atualizacao/ArquivosInfo.hpp"

#include "FabricaPE.hpp"
#include "comum/PastaTemporaria.hpp"

#include <gtest/gtest.h>

using namespace atualizacao;

namespace {

class ArquivosInfoTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Pasta = new testes::PastaTemporaria();
        auto completo = testes::Recurso("VANDREL Sistemas", "Orbitra Retaguarda", "4.1.0.12");
        completo.Valores.insert(completo.Valores.end(), {{"FileDescription", "Retaguarda da loja"},
                                                         {"InternalName", "Retaguarda"},
                                                         {"LegalCopyright", "(c) VANDREL"},
                                                         {"LegalTrademarks", "Orbitra"},
                                                         {"OriginalFilename", "Retaguarda.exe"},
                                                         {"ProductVersion", "4.1"}});
        testes::CriaExecutavel(*Pasta / "completo.exe", completo);
        auto semTraducao = testes::Recurso("VANDREL", "OrbitraPDV", "5");
        semTraducao.Traducao.reset();
        testes::CriaExecutavel(*Pasta / "semtraducao.exe", semTraducao);
        testes::TRecursoVersao semRecurso;
        semRecurso.ComRecurso = false;
        testes::CriaExecutavel(*Pasta / "semrecurso.exe", semRecurso);
    }
    static void TearDownTestSuite() { delete Pasta; }
    static testes::PastaTemporaria* Pasta;
};
testes::PastaTemporaria* ArquivosInfoTest::Pasta = nullptr;

TEST_F(ArquivosInfoTest, ReadsEveryKeptValue) {
    TArquivoInfo a(*Pasta / "completo.exe");
    EXPECT_EQ(a.Filename(), *Pasta / "completo.exe");
    EXPECT_EQ(a.CompanyName(), "VANDREL Sistemas");
    EXPECT_EQ(a.Description(), "Retaguarda da loja");
    EXPECT_EQ(a.InternalName(), "Retaguarda");
    EXPECT_EQ(a.LegalCopyright(), "(c) VANDREL");
    EXPECT_EQ(a.LegalTrademarks(), "Orbitra");
    EXPECT_EQ(a.OriginalFilename(), "Retaguarda.exe");
    EXPECT_EQ(a.ProductVersion(), "4.1");
    EXPECT_EQ(a.Versao(), 4);
    EXPECT_EQ(a.ProductName(), "OrbitraRetaguarda");
    EXPECT_EQ(a.GetOriginalProductName(), "Orbitra Retaguarda");
    EXPECT_EQ(a.Values("FileVersion"), "4.1.0.12");
    EXPECT_EQ(a.Comments(), ""); // missing key: empty, the others unaffected
    EXPECT_FALSE(a.Atualizado());
}

TEST_F(ArquivosInfoTest, ValuesAreKeptOnceReadButEmptyOnesAreAskedAgain) {
    const auto caminho = *Pasta / "mutavel.exe";
    TArquivoInfo a(caminho);
    EXPECT_EQ(a.CompanyName(), ""); // no file yet
    testes::CriaExecutavel(caminho, testes::Recurso("VANDREL", "OrbitraAtualizacao", "3.0"));
    EXPECT_EQ(a.CompanyName(), "VANDREL"); // an empty value is asked again
    EXPECT_EQ(a.Comments(), "");
    testes::CriaExecutavel(caminho, testes::Recurso("OUTRA", "OrbitraAtualizacao", "3.0"));
    EXPECT_EQ(a.CompanyName(), "VANDREL"); // a value once read is kept
}

TEST_F(ArquivosInfoTest, NoVersionInformationGivesEmptyValues) {
    for (const char* nome : {"semrecurso.exe", "semtraducao.exe", "nao-existe.exe"}) {
        SCOPED_TRACE(nome);
        TArquivoInfo a(*Pasta / nome);
        EXPECT_EQ(a.CompanyName(), "");
        EXPECT_EQ(a.ProductName(), "");
        EXPECT_EQ(a.Description(), "");
        EXPECT_EQ(a.Versao(), 0);
        EXPECT_FALSE(a.PossuiAtualizacao());
    }
}

TEST(ArquivosInfo, ProductNameTableIsExactAndCaseSensitive) {
    EXPECT_EQ(NomeProdutoReportado("Orbitra Retaguarda"), "OrbitraRetaguarda");
    EXPECT_EQ(NomeProdutoReportado("OrbitraNFCe"), "OrbitraPDV");
    EXPECT_EQ(NomeProdutoReportado("orbitra retaguarda"), "orbitra retaguarda");
    EXPECT_EQ(NomeProdutoReportado("ORBITRANFCE"), "ORBITRANFCE");
    EXPECT_EQ(NomeProdutoReportado("OrbitraAtualizacao"), "OrbitraAtualizacao");
}

TEST(ArquivosInfo, VersaoIsTheMajorNumberOfFileVersion) {
    const std::pair<const char*, int> casos[] = {
        {"4.1.0.12", 4}, {"7", 7},  {"7.0", 7}, {"12", 12},   {"1, 0, 0, 5", 0},    {"", 0},
        {"abc", 0},      {"a7", 0}, {".5", 0},  {"-3.1", -3}, {"99999999999.1", 0}, {" 7", 0},
    };
    for (const auto& [texto, versao] : casos) {
        EXPECT_EQ(VersaoDeTexto(texto), versao) << texto;
    }
}

TEST_F(ArquivosInfoTest, PossuiAtualizacaoComparesWithTheAttachedAnswer) {
    auto r = testes::Recurso("VANDREL", "OrbitraAtualizacao", "4.0.0.1");
    testes::CriaExecutavel(*Pasta / "v4.exe", r);
    const std::pair<int, bool> casos[] = {{5, true}, {4, false}, {3, false}};
    for (const auto& [servico, esperado] : casos) {
        TArquivoInfo a(*Pasta / "v4.exe");
        EXPECT_FALSE(a.PossuiAtualizacao());
        auto p = std::make_unique<TPrograma>();
        p->Versao(servico);
        a.Programa(std::move(p));
        EXPECT_EQ(a.PossuiAtualizacao(), esperado) << servico;
    }
}

TEST_F(ArquivosInfoTest, AddArquivoAdmitsOnlyTheMakersExecutables) {
    const auto r = testes::Recurso("vandrel informática", "OrbitraAtualizacao", "4");
    for (const char* nome : {"prog.EXE", "prog2.exe", "prog3.Exe", "prog.dll", "prog", "prog.exe_x",
                             "Atualizador.exe_OrbitraAtualizacao_4"}) {
        testes::CriaExecutavel(*Pasta / nome, r);
    }
    testes::CriaExecutavel(*Pasta / "alheio.exe",
                           testes::Recurso("Outra Empresa", "OrbitraAtualizacao", "4"));
    std::filesystem::create_directory(*Pasta / "pasta.exe");
    std::filesystem::create_symlink(*Pasta / "prog.EXE", *Pasta / "link.exe");

    TListaArquivos lista;
    for (const std::string nome :
         {"prog.EXE", "prog2.exe", "prog3.Exe", "prog.dll", "prog", "prog.exe_x",
          "Atualizador.exe_OrbitraAtualizacao_4", "alheio.exe", "pasta.exe", "nao-existe.exe",
          "link.exe", "semrecurso.exe"}) {
        lista.AddArquivo(*Pasta / nome, false);
    }
    lista.AddArquivo("", false);
    lista.AddArquivo("   ", false);
    std::vector<std::string> nomes;
    for (const auto& a : lista.Arquivos()) {
        nomes.push_back(std::filesystem::path(a->Filename()).filename().string());
    }
    EXPECT_EQ(nomes, (std::vector<std::string>{"prog.EXE", "prog2.exe", "prog3.Exe", "link.exe"}));
}

TEST_F(ArquivosInfoTest, TestaExisteRefusesASecondCopyOfAProduct) {
    testes::CriaExecutavel(*Pasta / "um.exe", testes::Recurso("VANDREL", "OrbitraNFCe", "1"));
    testes::CriaExecutavel(*Pasta / "dois.exe", testes::Recurso("VANDREL", "orbitrapdv", "2"));
    TListaArquivos comTeste;
    comTeste.AddArquivo(*Pasta / "um.exe", true);
    comTeste.AddArquivo(*Pasta / "dois.exe", true); // "OrbitraPDV" after the table, any case
    EXPECT_EQ(comTeste.Arquivos().size(), 1u);
    TListaArquivos semTeste;
    semTeste.AddArquivo(*Pasta / "um.exe", false);
    semTeste.AddArquivo(*Pasta / "dois.exe", false);
    EXPECT_EQ(semTeste.Arquivos().size(), 2u);
}

TEST_F(ArquivosInfoTest, ListIsAJsonRecord) {
    TListaArquivos lista;
    lista.AddArquivo(*Pasta / "completo.exe", false);
    lista.Arquivos()[0]->CompanyName();
    const auto json = Json::parse(lista.AsJson());
    ASSERT_TRUE(json.contains("arquivos"));
    EXPECT_FALSE(json.contains("Arquivos")); // the array side is never written
    EXPECT_EQ(json["arquivos"][0]["companyName"], "VANDREL Sistemas");

    TListaArquivos lida;
    lida.AsJson(R"({"Arquivos":[{"filename":"a.exe","companyName":"X"},{"filename":"b.exe"}]})");
    ASSERT_EQ(lida.Arquivos().size(), 2u);
    EXPECT_EQ(lida.Arquivos()[0]->Filename(), "a.exe");
    EXPECT_EQ(lida.Arquivos()[0]->CompanyName(), "X");
    EXPECT_EQ(lida.Arquivos()[1]->Filename(), "b.exe");
}

} // namespace
