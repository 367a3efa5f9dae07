// Unpacking the downloaded archive: valid, corrupt, not a zip, and entries
// that would land outside the program's folder.
#include "atualizacao/Descompactacao.hpp"

#include "FabricaZip.hpp"
#include "comum/PastaTemporaria.hpp"

#include <gtest/gtest.h>

using namespace atualizacao;
using TSituacao = TResultadoDescompactacao::TSituacao;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> Conteudo(const fs::path& pasta) {
    std::vector<std::string> nomes;
    for (const auto& e : fs::recursive_directory_iterator(pasta)) {
        nomes.push_back(e.path().lexically_relative(pasta).string());
    }
    std::sort(nomes.begin(), nomes.end());
    return nomes;
}

TEST(Descompactacao, ExtractsEveryEntryReplacingFilesOfTheSameName) {
    testes::PastaTemporaria pasta, fonte;
    testes::EscreveArquivo(pasta / "Atualizador.exe", "antigo");
    testes::CriaZip(fonte / "a.zip", {{"Atualizador.exe", "novo"},
                                      {"dados/", ""},
                                      {"dados/config.txt", "x=1"},
                                      {"win\\leia.txt", "barras do Windows"}});
    const auto r = Descompacta(fonte / "a.zip", pasta.Caminho());
    EXPECT_EQ(r.Situacao, TSituacao::Extraido) << r.Motivo;
    EXPECT_EQ(testes::LeArquivo(pasta / "Atualizador.exe"), "novo");
    EXPECT_EQ(testes::LeArquivo(pasta / "dados/config.txt"), "x=1");
    EXPECT_EQ(testes::LeArquivo(pasta / "win/leia.txt"), "barras do Windows");
    EXPECT_EQ(Conteudo(pasta.Caminho()),
              (std::vector<std::string>{"Atualizador.exe", "dados", "dados/config.txt", "win",
                                        "win/leia.txt"}));
}

TEST(Descompactacao, NotAZipOrCorruptDirectoryIsLeftAlone) {
    testes::PastaTemporaria pasta, fonte;
    testes::EscreveArquivo(fonte / "texto.zip", "<html>pagina nao encontrada</html>");
    testes::EscreveArquivo(fonte / "vazio.zip", "");
    testes::CriaZip(fonte / "cortado.zip", {{"Atualizador.exe", std::string(5000, 'a')}});
    const auto bytes = testes::LeArquivo(fonte / "cortado.zip");
    testes::EscreveArquivo(fonte / "cortado.zip", bytes.substr(0, bytes.size() - 30));
    for (const char* nome : {"texto.zip", "vazio.zip", "cortado.zip", "nao-existe.zip"}) {
        EXPECT_EQ(Descompacta(fonte / nome, pasta.Caminho()).Situacao, TSituacao::NaoEZip) << nome;
    }
    EXPECT_TRUE(fs::is_empty(pasta.Caminho()));
}

TEST(Descompactacao, CorruptEntryFailsAndKeepsWhatCameBefore) {
    testes::PastaTemporaria pasta, fonte;
    testes::EscreveArquivo(pasta / "b.txt", "anterior");
    testes::CriaZip(fonte / "a.zip", {{"a.txt", "primeiro"}, {"b.txt", std::string(4000, 'b')}});
    auto bytes = testes::LeArquivo(fonte / "a.zip");
    bytes[bytes.find(std::string(100, 'b')) + 50] = 'X'; // the CRC no longer matches
    testes::EscreveArquivo(fonte / "a.zip", bytes);
    const auto r = Descompacta(fonte / "a.zip", pasta.Caminho());
    EXPECT_EQ(r.Situacao, TSituacao::Falhou);
    EXPECT_NE(r.Motivo.find("b.txt"), std::string::npos) << r.Motivo;
    EXPECT_EQ(testes::LeArquivo(pasta / "a.txt"), "primeiro");
    EXPECT_EQ(testes::LeArquivo(pasta / "b.txt"), "anterior"); // no half-written file
    EXPECT_EQ(Conteudo(pasta.Caminho()), (std::vector<std::string>{"a.txt", "b.txt"}));
}

// Each archive holds a good entry first and one hostile entry: nothing at all
// is written, inside or outside the folder.
TEST(Descompactacao, EntriesLeavingTheFolderRefuseTheWholeArchive) {
    struct Caso {
        const char* Nome;
        testes::TEntradaZip Hostil;
    };
    const Caso casos[] = {
        {"../", {"../fora.exe", "x"}},
        {"../ no meio", {"sub/../../fora.exe", "x"}},
        {"..\\ do Windows", {"..\\fora.exe", "x"}},
        {"absoluto", {"/tmp/orbitra-fora.exe", "x"}},
        {"unidade do Windows", {"C:/fora.exe", "x"}},
        {"link", {"Atualizador.exe", "/etc/passwd", true}},
        {"caminho por um link da pasta", {"saida/fora.exe", "x"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.Nome);
        testes::PastaTemporaria raiz;
        const fs::path pasta = raiz.Caminho() / "programa";
        fs::create_directories(pasta);
        fs::create_directories(raiz.Caminho() / "outra");
        fs::create_directory_symlink(raiz.Caminho() / "outra", pasta / "saida");
        testes::CriaZip(raiz / "a.zip", {{"bom.txt", "bom"}, c.Hostil});
        const auto r = Descompacta(raiz / "a.zip", pasta);
        EXPECT_EQ(r.Situacao, TSituacao::Recusado);
        EXPECT_NE(r.Motivo.find("recusado"), std::string::npos) << r.Motivo;
        EXPECT_EQ(Conteudo(raiz.Caminho()),
                  (std::vector<std::string>{"a.zip", "outra", "programa", "programa/saida"}));
        EXPECT_FALSE(fs::exists("/tmp/orbitra-fora.exe"));
    }
}

} // namespace
