// The version query against the loopback server: what goes on the wire and
// what comes back for each kind of answer.
#include "atualizacao/ConsultaVersao.hpp"

#include "ServidorTeste.hpp"
#include "comum/PastaTemporaria.hpp"

#include <gtest/gtest.h>

using namespace atualizacao;

namespace {

class ConsultaVersaoTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Pasta = new testes::PastaTemporaria();
        Servidor = new testes::ServidorTeste(Pasta->Caminho());
    }
    static void TearDownTestSuite() {
        delete Servidor;
        delete Pasta;
    }
    void SetUp() override { Servidor->Limpa(); }
    static testes::PastaTemporaria* Pasta;
    static testes::ServidorTeste* Servidor;
};
testes::PastaTemporaria* ConsultaVersaoTest::Pasta = nullptr;
testes::ServidorTeste* ConsultaVersaoTest::Servidor = nullptr;

TEST_F(ConsultaVersaoTest, SendsOneAuthenticatedGetWithTheEncodedName) {
    const auto p = ConsultarVersao("Orbitra Atualização&x=1", Servidor->Url() + "/");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Projeto(), "Orbitra Atualização&x=1"); // the server decoded the same name
    EXPECT_EQ(p->Versao(), 7);
    EXPECT_EQ(p->Url(), "http://x/a.zip");
    EXPECT_EQ(p->NomeEXE(), "A.exe");
    EXPECT_EQ(Servidor->Registro(),
              "GET /getversao?projeto=Orbitra%20Atualiza%C3%A7%C3%A3o%26x%3D1 cache= "
              "auth=Basic dmFuZHJlbDpxZXRwcnVu\n");
}

TEST_F(ConsultaVersaoTest, EmptyNameSendsNothingAndBlankNameSendsNoParameter) {
    EXPECT_EQ(ConsultarVersao("", Servidor->Url()), nullptr);
    EXPECT_EQ(Servidor->Registro(), "");
    const auto p = ConsultarVersao("   ", Servidor->Url());
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Projeto(), "<ausente>");
    EXPECT_EQ(Servidor->Registro().substr(0, 15), "GET /getversao ");
}

TEST_F(ConsultaVersaoTest, AnswersThatGiveNothing) {
    for (const char* projeto : {"NaoExiste", "Erro", "Vazio"}) {
        EXPECT_EQ(ConsultarVersao(projeto, Servidor->Url()), nullptr) << projeto;
    }
    // Nothing listens on port 9 of the loopback; a bad address fails too.
    EXPECT_EQ(ConsultarVersao("OrbitraAtualizacao", "http://127.0.0.1:9"), nullptr);
    EXPECT_EQ(ConsultarVersao("OrbitraAtualizacao", "nada://isto"), nullptr);
}

TEST_F(ConsultaVersaoTest, AnswersThatGiveAnEmptyRecord) {
    for (const char* projeto : {"NaoJson", "Numero", "Texto", "Maiuscula"}) {
        SCOPED_TRACE(projeto);
        const auto p = ConsultarVersao(projeto, Servidor->Url());
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->Versao(), 0);
        EXPECT_EQ(p->NomeEXE(), projeto == std::string("Maiuscula") ? "A.exe" : "");
    }
    const auto extra = ConsultarVersao("Extra", Servidor->Url());
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(extra->Versao(), 7);
    EXPECT_EQ(extra->Url(), "http://x/a.zip");
}

TEST(ServidorAtualizacao, ReadFromTheSettingsFileNeverWritten) {
    testes::PastaTemporaria pasta;
    EXPECT_EQ(LeServidorAtualizacao(pasta.Caminho()), "http://localhost:8084");
    const std::string ini =
        "[bd]\nhost=x\n[Atualizacao]\nServidor = http://updates.example:8084 \n";
    testes::EscreveArquivo(pasta / "arquivo.ini", ini);
    EXPECT_EQ(LeServidorAtualizacao(pasta.Caminho()), "http://updates.example:8084");
    EXPECT_EQ(testes::LeArquivo(pasta / "arquivo.ini"), ini);
    testes::EscreveArquivo(pasta / "arquivo.ini", "[atualizacao]\nservidor=\n");
    EXPECT_EQ(LeServidorAtualizacao(pasta.Caminho()), "http://localhost:8084");
}

} // namespace
