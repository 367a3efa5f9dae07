// The update command end to end: a program folder with real executables, the
// loopback version service and archive, and a shell that records the launch.
#include "Dubles.hpp"
#include "FabricaPE.hpp"
#include "FabricaZip.hpp"
#include "ServidorTeste.hpp"
#include "atualizacao/uAtualizacaoAPI.hpp"
#include "comum/PastaTemporaria.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace atualizacao;
namespace fs = std::filesystem;

namespace {

// What the status windows were told, in order.
struct TStatusGravado : IStatusAtualizacao {
    explicit TStatusGravado(std::vector<std::string>& log) : Log(log) {}
    void Mostra() override { Log.push_back("mostra"); }
    void Fecha() override { Log.push_back("fecha"); }
    void DefineMaximo(std::int32_t m) override { Log.push_back("maximo " + std::to_string(m)); }
    void DefinePosicao(std::int32_t p) override { Posicao = p; }
    void DefineTexto(const std::string& t) override { Texto = t; }
    std::vector<std::string>& Log;
    std::int32_t Posicao = -99;
    std::string Texto;
};

class AtualizacaoAPITest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Raiz = new testes::PastaTemporaria();
        Servidor = new testes::ServidorTeste(Raiz->Caminho() / "servidor");
        Modelos = new testes::PastaTemporaria();
        for (const auto& [nome, versao] : {std::pair{"v3.exe", "3.0.0.1"}, {"v4.exe", "4.2.0.0"}}) {
            testes::CriaExecutavel(*Modelos / nome,
                                   testes::Recurso("VANDREL Sistemas", ProdutoAtualizador, versao));
        }
        testes::CriaExecutavel(*Modelos / "alheio.exe",
                               testes::Recurso("Outra Empresa", ProdutoAtualizador, "9"));
    }
    static void TearDownTestSuite() {
        delete Modelos;
        delete Servidor;
        delete Raiz;
    }

    void SetUp() override {
        Servidor->Limpa();
        // The service says 4, and the archive holds version 4 unless a test says otherwise.
        Servico(4);
        Arquivo({{"Atualizador.exe", Modelo("v4.exe")}});
        testes::EscreveArquivo(Programa / "arquivo.ini",
                               "[atualizacao]\nservidor=" + Servidor->Url() + "\n");
    }

    static std::string Modelo(const char* nome) { return testes::LeArquivo(*Modelos / nome); }
    void Copia(const char* modelo, const std::string& nome) {
        testes::EscreveArquivo(Programa / nome, Modelo(modelo));
    }
    void Servico(int versao, const std::string& url = "/arquivos/atualizador.zip") {
        testes::EscreveArquivo(Servidor->Raiz() / "versoes" / "OrbitraAtualizacao.json",
                               R"({"projeto":"OrbitraAtualizacao","versao":)" +
                                   std::to_string(versao) + R"(,"url":")" + Servidor->Url(url) +
                                   R"(","nomeexe":"Atualizador.exe"})");
    }
    void Arquivo(const std::vector<testes::TEntradaZip>& entradas) {
        testes::CriaZip(Servidor->Raiz() / "arquivos" / "atualizador.zip", entradas);
    }

    // Runs the menu command and the UI thread until it has launched, told
    // the user something, or has nothing left running or queued.
    void Executa() {
        Api.VerificarAtualizacao();
        ASSERT_TRUE(Fila.Processa([&] {
            return !Shell.Abertos.empty() || !Shell.Avisos.empty() ||
                   Api.DMAtualizacaoAPI() == nullptr ||
                   (!Api.DMAtualizacaoAPI()->CDownload1.EmAndamento() && Fila.Vazia());
        }));
    }
    int Downloads() const {
        const std::string r = Servidor->Registro();
        int n = 0;
        for (auto p = r.find("GET /arquivos/"); p != std::string::npos;
             p = r.find("GET /arquivos/", p + 1)) {
            ++n;
        }
        return n;
    }
    std::vector<std::string> Pasta() const {
        std::vector<std::string> nomes;
        for (const auto& e : fs::directory_iterator(Programa.Caminho())) {
            nomes.push_back(e.path().filename().string());
        }
        std::sort(nomes.begin(), nomes.end());
        return nomes;
    }
    std::vector<fs::path> Lancado(const std::string& nome) const { return {Programa / nome}; }

    static testes::PastaTemporaria* Raiz;
    static testes::ServidorTeste* Servidor;
    static testes::PastaTemporaria* Modelos;
    testes::PastaTemporaria Programa;
    testes::TPastaFixa PastaPrograma{Programa.Caminho()};
    testes::TFilaUI Fila;
    testes::TShellGravado Shell;
    std::vector<std::string> LogStatus;
    std::vector<TStatusGravado*> Janelas;
    TAtualizacaoAPI Api{{PastaPrograma, Fila, Shell, [this] {
                             auto j = std::make_unique<TStatusGravado>(LogStatus);
                             Janelas.push_back(j.get());
                             return j;
                         }}};
};
testes::PastaTemporaria* AtualizacaoAPITest::Raiz = nullptr;
testes::ServidorTeste* AtualizacaoAPITest::Servidor = nullptr;
testes::PastaTemporaria* AtualizacaoAPITest::Modelos = nullptr;

TEST_F(AtualizacaoAPITest, NoCopyDownloadsUnpacksAndLaunches) {
    Executa();
    EXPECT_EQ(Shell.Abertos, Lancado("Atualizador.exe"));
    EXPECT_TRUE(Shell.Avisos.empty());
    EXPECT_EQ(Downloads(), 1);
    EXPECT_EQ(Pasta(), (std::vector<std::string>{"Atualizador.exe", "arquivo.ini"}));
    const auto tamanho = fs::file_size(Servidor->Raiz() / "arquivos" / "atualizador.zip");
    EXPECT_EQ(LogStatus,
              (std::vector<std::string>{"maximo " + std::to_string(tamanho), "mostra", "fecha"}));
    ASSERT_EQ(Janelas.size(), 1u);
}

TEST_F(AtualizacaoAPITest, CurrentCopyIsLaunchedWithoutDownload) {
    Copia("v4.exe", "Atualizador.exe");
    Copia("v3.exe", "Atualizador.exe_OrbitraAtualizacao_3"); // retired earlier: not a copy
    Executa();
    EXPECT_EQ(Shell.Abertos, Lancado("Atualizador.exe"));
    EXPECT_EQ(Downloads(), 0);
    EXPECT_EQ(Api.DMAtualizacaoAPI(), nullptr);
    EXPECT_EQ(Servidor->Registro(), "GET /getversao?projeto=OrbitraAtualizacao cache= "
                                    "auth=Basic dmFuZHJlbDpxZXRwcnVu\n");
}

TEST_F(AtualizacaoAPITest, OutdatedCopyIsRetiredAndReplaced) {
    Copia("v3.exe", "Atualizador.exe");
    Executa();
    EXPECT_EQ(Shell.Abertos, Lancado("Atualizador.exe"));
    EXPECT_EQ(Downloads(), 1);
    EXPECT_EQ(Pasta(),
              (std::vector<std::string>{"Atualizador.exe", "Atualizador.exe_OrbitraAtualizacao_3",
                                        "arquivo.ini"}));
    EXPECT_EQ(testes::LeArquivo(Programa / "Atualizador.exe_OrbitraAtualizacao_3"),
              Modelo("v3.exe"));
    EXPECT_EQ(testes::LeArquivo(Programa / "Atualizador.exe"), Modelo("v4.exe"));
}

TEST_F(AtualizacaoAPITest, TwoCopiesAreBothRetired) {
    Copia("v4.exe", "A.exe");
    Copia("v3.exe", "B.EXE");
    Executa();
    EXPECT_EQ(Shell.Abertos, Lancado("Atualizador.exe"));
    EXPECT_EQ(Downloads(), 1);
    EXPECT_EQ(Pasta(), (std::vector<std::string>{"A.exe_OrbitraAtualizacao_4", "Atualizador.exe",
                                                 "B.EXE_OrbitraAtualizacao_3", "arquivo.ini"}));
}

TEST_F(AtualizacaoAPITest, OnlyTheMakersExecutablesCount) {
    Copia("v4.exe", "Atualizador.dll");
    Copia("alheio.exe", "Alheio.exe");
    Executa();
    EXPECT_EQ(Shell.Abertos, Lancado("Atualizador.exe"));
    EXPECT_EQ(Downloads(), 1);
    EXPECT_EQ(Pasta(), (std::vector<std::string>{"Alheio.exe", "Atualizador.dll", "Atualizador.exe",
                                                 "arquivo.ini"}));
}

TEST_F(AtualizacaoAPITest, ServiceUnreachableLaunchesThePresentCopy) {
    testes::EscreveArquivo(Programa / "arquivo.ini",
                           "[atualizacao]\nservidor=http://127.0.0.1:9\n");
    Copia("v3.exe", "Atualizador.exe");
    Executa();
    EXPECT_EQ(Shell.Abertos, Lancado("Atualizador.exe"));
    EXPECT_EQ(Api.DMAtualizacaoAPI(), nullptr);
}

TEST_F(AtualizacaoAPITest, NoCopyAndNoServiceEndsWithAClearMessage) {
    testes::EscreveArquivo(Programa / "arquivo.ini",
                           "[atualizacao]\nservidor=http://127.0.0.1:9\n");
    try {
        Api.VerificarAtualizacao();
        FAIL() << "esperava erro";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("http://127.0.0.1:9) não respondeu"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_TRUE(Shell.Abertos.empty());
    // An answer without an address is told apart.
    testes::EscreveArquivo(Programa / "arquivo.ini",
                           "[atualizacao]\nservidor=" + Servidor->Url() + "\n");
    testes::EscreveArquivo(Servidor->Raiz() / "versoes" / "OrbitraAtualizacao.json",
                           R"({"versao":4})");
    EXPECT_THROW(Api.VerificarAtualizacao(), std::runtime_error);
    EXPECT_EQ(Downloads(), 0);
}

TEST_F(AtualizacaoAPITest, OneCommandDownloadsAtMostOnce) {
    Arquivo({{"Atualizador.exe", Modelo("v3.exe")}}); // the archive is still old
    Copia("v3.exe", "Atualizador.exe");
    Executa();
    EXPECT_TRUE(Shell.Abertos.empty());
    ASSERT_EQ(Shell.Avisos.size(), 1u);
    EXPECT_NE(Shell.Avisos[0].find("versão 3) é anterior à versão 4"), std::string::npos)
        << Shell.Avisos[0];
    Fila.Processa([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_EQ(Downloads(), 1);
    EXPECT_EQ(Janelas.size(), 1u);
}

TEST_F(AtualizacaoAPITest, FailedDownloadRetiresButDoesNotRepeat) {
    Servico(4, "/arquivos/sumiu.zip");
    Copia("v3.exe", "Atualizador.exe");
    Executa();
    EXPECT_TRUE(Shell.Abertos.empty());
    ASSERT_EQ(Shell.Avisos.size(), 1u);
    EXPECT_NE(Shell.Avisos[0].find("nenhuma cópia"), std::string::npos) << Shell.Avisos[0];
    EXPECT_EQ(Pasta(), (std::vector<std::string>{"Atualizador.exe_OrbitraAtualizacao_3",
                                                 "arquivo.ini", "sumiu.zip"}));
}

TEST_F(AtualizacaoAPITest, HostileArchiveIsRefusedAndKept) {
    Arquivo({{"Atualizador.exe", Modelo("v4.exe")}, {"../fora.exe", "x"}});
    Executa();
    EXPECT_TRUE(Shell.Abertos.empty());
    ASSERT_EQ(Shell.Avisos.size(), 1u);
    EXPECT_NE(Shell.Avisos[0].find("\"../fora.exe\" sairia da pasta"), std::string::npos)
        << Shell.Avisos[0];
    EXPECT_EQ(Pasta(), (std::vector<std::string>{"arquivo.ini", "atualizador.zip"}));
    EXPECT_FALSE(fs::exists(Programa.Caminho().parent_path() / "fora.exe"));
}

TEST_F(AtualizacaoAPITest, DroppedDownloadClosesTheWindowAndTellsTheUser) {
    Servico(4, "/cai/50000");
    Executa();
    ASSERT_EQ(Shell.Avisos.size(), 1u);
    EXPECT_NE(Shell.Avisos[0].find("falhou"), std::string::npos) << Shell.Avisos[0];
    EXPECT_EQ(LogStatus, (std::vector<std::string>{"maximo 50000", "mostra", "fecha"}));
    EXPECT_TRUE(Shell.Abertos.empty());
}

// The program folder will not take the download (here a folder holds the
// archive's name, as a file locked by another program would): the command
// reports why, and the present copy stays as it was, not retired.
TEST_F(AtualizacaoAPITest, LockedDownloadTargetKeepsThePresentCopy) {
    Copia("v3.exe", "Atualizador.exe");
    fs::create_directories(Programa / "atualizador.zip/ocupado");
    try {
        Api.VerificarAtualizacao();
        ADD_FAILURE() << "expected the download to be refused";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("atualizador.zip"), std::string::npos) << e.what();
    }
    Fila.Processa([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_EQ(testes::LeArquivo(Programa / "Atualizador.exe"), Modelo("v3.exe"));
    EXPECT_EQ(Pasta(),
              (std::vector<std::string>{"Atualizador.exe", "arquivo.ini", "atualizador.zip"}));
    EXPECT_TRUE(Shell.Abertos.empty());
    EXPECT_TRUE(LogStatus.empty() || LogStatus.back() == "fecha")
        << "a status window must not stay open after the error";
}

TEST_F(AtualizacaoAPITest, ReadOnlyProgramFolderKeepsThePresentCopy) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    Copia("v3.exe", "Atualizador.exe");
    fs::permissions(Programa.Caminho(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(Api.VerificarAtualizacao(), std::exception);
    Fila.Processa([] { return false; }, std::chrono::milliseconds(200));
    fs::permissions(Programa.Caminho(), fs::perms::owner_all);
    EXPECT_EQ(testes::LeArquivo(Programa / "Atualizador.exe"), Modelo("v3.exe"));
    EXPECT_EQ(Pasta(), (std::vector<std::string>{"Atualizador.exe", "arquivo.ini"}));
    EXPECT_TRUE(LogStatus.empty() || LogStatus.back() == "fecha");
}

TEST_F(AtualizacaoAPITest, ProgressUpdatesTheLatestStatusWindow) {
    Api.CriarObjetosAtualizacao();
    Api.CriarObjetosAtualizacao(); // every run makes new objects; the latest is current
    ASSERT_EQ(Janelas.size(), 2u);
    Api.DMAtualizacaoAPI()->CDownload1RecebeDados(512, 0x100000005LL);
    EXPECT_EQ(Janelas[1]->Texto, "Valocidade: 512 KB/s");
    EXPECT_EQ(Janelas[1]->Posicao, 5); // the low 32 bits
    EXPECT_EQ(Janelas[0]->Texto, "");
    Api.DMAtualizacaoAPI()->CDownload1IniciaDownload("a.zip", -1);
    EXPECT_EQ(Janelas[1]->Posicao, 0);
    EXPECT_EQ(LogStatus, (std::vector<std::string>{"maximo -1", "mostra"}));
}

} // namespace
