// `cargabal exportar` end to end: the real program against the test server.
#include "BancoTeste.hpp"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

using testes::BancoTeste;
using testes::LeArquivo;
using testes::PastaTemporaria;
using ::testing::HasSubstr;

struct Saida {
    int Status;
    std::string Out, Err;
};

std::string Aspas(const std::string& s) {
    std::string r = "'";
    for (char c : s) {
        r += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return r + "'";
}

Saida Executa(const PastaTemporaria& pasta, const std::vector<std::string>& args) {
    std::string comando = Aspas(ORBITRA_CARGABAL) + " exportar";
    for (const auto& a : args) {
        comando += " " + Aspas(a);
    }
    comando += " >" + Aspas(pasta / "out.txt") + " 2>" + Aspas(pasta / "err.txt");
    const int status = std::system(comando.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, LeArquivo(pasta / "out.txt"),
            LeArquivo(pasta / "err.txt")};
}

class ExportarCli : public ::testing::Test {
protected:
    void SetUp() override {
        EXIGE_POSTGRES();
        FBanco = std::make_unique<BancoTeste>();
        FBanco->Sql("INSERT INTO grupo VALUES (1, 'FRIOS');"
                    "INSERT INTO produto VALUES (1, 'QUEIJO', 39.9, 30, 1, 'KG', NULL, 0),"
                    "(2, 'PÃO', 0.5, 1, 1, 'KU', NULL, 0.75);");
        std::filesystem::create_directory(FPasta / "destino");
        FIni = FPasta / "loja.ini";
        testes::EscreveArquivo(FIni, FBanco->Ini("[cargabalanca]\r\nmodelo=Ramuza\r\ncaminho=" +
                                                 (FPasta / "destino") + "\r\n"));
    }
    PastaTemporaria FPasta;
    std::unique_ptr<BancoTeste> FBanco;
    std::string FIni;
};

TEST_F(ExportarCli, ExportaComOArquivoIniSemGravaLo) {
    const std::string antes = LeArquivo(FIni);
    // "Ramuza" is no make of the window: Filizola, as the window does.
    const Saida s = Executa(FPasta, {"--ini", FIni});
    ASSERT_EQ(s.Status, 0) << s.Err;
    EXPECT_THAT(s.Err, HasSubstr("Ramuza"));
    EXPECT_EQ(s.Out, (FPasta / "destino/CADTXT.TXT") + "\n");
    const std::string cad = LeArquivo(FPasta / "destino/CADTXT.TXT");
    EXPECT_THAT(cad, HasSubstr("QUEIJO"));
    EXPECT_THAT(cad, HasSubstr("P\xC3O")); // Windows-1252
    EXPECT_EQ(LeArquivo(FIni), antes);
}

TEST_F(ExportarCli, OpcoesSobrepoemModeloPastaEPrecoFuturo) {
    std::filesystem::create_directory(FPasta / "outra");
    for (const char* modelo : {"toledo", "MODTOLEDO"}) {
        SCOPED_TRACE(modelo);
        const Saida s = Executa(FPasta, {"--ini", FIni, "--modelo", modelo, "--destino",
                                         FPasta / "outra", "--preco-futuro"});
        ASSERT_EQ(s.Status, 0) << s.Err;
        EXPECT_EQ(s.Out, (FPasta / "outra/TXITENS.TXT") + "\n");
        const std::string itens = LeArquivo(FPasta / "outra/TXITENS.TXT");
        EXPECT_THAT(itens, HasSubstr("P\xC3O"));
        EXPECT_THAT(itens, ::testing::Not(HasSubstr("QUEIJO"))); // no future price
    }
}

TEST_F(ExportarCli, ErrosDeUsoDoBancoEDoGerador) {
    struct Caso {
        std::vector<std::string> Args;
        int Status;
        std::string Mensagem;
    };
    const std::string ruim = FPasta / "ruim.ini";
    testes::EscreveArquivo(ruim, "[bd]\nhost=" + BancoTeste::Host() + "\nnome=nao_existe_db\n");
    const Caso casos[] = {
        {{"--ini", FIni, "--modelo", "Balanca"}, 2, "Balanca"},
        {{"--ini", FIni, "--destino"}, 2, "--destino"},
        {{"--ini", FIni, "--formato", "x"}, 2, "--formato"},
        {{"--ini", FPasta / "falta.ini"}, 2, "falta.ini"},
        {{"--ini", ruim}, 1, "database \"nao_existe_db\" does not exist"},
        {{"--ini", FIni, "--destino", FPasta / "nao-existe"}, 1, "Diretorio informado não existe!"},
        {{"--ini", FIni, "--destino", "  "},
         1,
         "Informe o diretório onde serão gerados os arquivos de carga!"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.Mensagem);
        const Saida s = Executa(FPasta, c.Args);
        EXPECT_EQ(s.Status, c.Status) << s.Err;
        EXPECT_THAT(s.Err, HasSubstr(c.Mensagem));
        EXPECT_EQ(s.Out, "");
    }
    const Saida ajuda = Executa(FPasta, {"--help"});
    EXPECT_EQ(ajuda.Status, 0);
    EXPECT_THAT(ajuda.Out, HasSubstr("Exemplo: cargabal exportar"));
}

} // namespace
