// The download component against the loopback server: file name and folder,
// size query, events and the threads they arrive on, failures.
#include "atualizacao/cDownload.hpp"

#include "Dubles.hpp"
#include "ServidorTeste.hpp"
#include "comum/PastaTemporaria.hpp"

#include <gtest/gtest.h>

using namespace atualizacao;

namespace {

// What the events reported, and on which thread.
struct Eventos {
    std::vector<std::pair<std::string, std::int32_t>> Inicios;
    std::vector<std::pair<std::int32_t, std::int64_t>> Progressos;
    std::vector<std::tuple<bool, bool, std::string>> Finais;
    bool ForaDaThreadUI = false;
    bool ProgressoDepoisDoFim = false;

    void Liga(TCDownload& d) {
        const auto ui = std::this_thread::get_id();
        d.OnIniciaDownload([this, ui](const std::string& nome, std::int32_t total) {
            ForaDaThreadUI |= std::this_thread::get_id() != ui;
            Inicios.emplace_back(nome, total);
        });
        d.OnRecebeDados([this, ui](std::int32_t velocidade, std::int64_t progresso) {
            ForaDaThreadUI |= std::this_thread::get_id() != ui;
            ProgressoDepoisDoFim |= !Finais.empty();
            Progressos.emplace_back(velocidade, progresso);
        });
        d.OnTerminarDownload([this, ui](bool cancelado, bool sucesso, const std::string& arquivo) {
            ForaDaThreadUI |= std::this_thread::get_id() != ui;
            Finais.emplace_back(cancelado, sucesso, arquivo);
        });
    }
};

class CDownloadTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Raiz = new testes::PastaTemporaria();
        Servidor = new testes::ServidorTeste(Raiz->Caminho());
        testes::EscreveArquivo(Raiz->Caminho() / "arquivos" / "atualizador.zip",
                               std::string(100000, 'z'));
    }
    static void TearDownTestSuite() {
        delete Servidor;
        delete Raiz;
    }
    void SetUp() override { Servidor->Limpa(); }

    // Waits for the end event, or for the worker to finish without one.
    bool EsperaFim(TCDownload& d) {
        return Fila.Processa(
            [&] { return !Ev.Finais.empty() || (!d.EmAndamento() && Fila.Vazia()); });
    }

    static testes::PastaTemporaria* Raiz;
    static testes::ServidorTeste* Servidor;
    testes::PastaTemporaria Programa;
    testes::TPastaFixa Pasta{Programa.Caminho()};
    testes::TFilaUI Fila;
    Eventos Ev;
};
testes::PastaTemporaria* CDownloadTest::Raiz = nullptr;
testes::ServidorTeste* CDownloadTest::Servidor = nullptr;

TEST(CDownload, NomeArquivoDaUrl) {
    const std::pair<const char*, const char*> casos[] = {
        {"http://h/files/atualizador.zip", "atualizador.zip"},
        {"http://h/atualizador.zip?v=2", "atualizador.zip?v=2"},
        {"http://h/baixa?arquivo=a/b.zip", "arquivo=a/b.zip"},
        {"http://h/baixa?arquivo=x", "baixa?arquivo=x"},
        {"http://h/a?b/c?d", "b/c?d"},
        {"atualizador.zip", "atualizador.zip"},
        {"baixa?x", "x"},
        {"http://h/", ""},
    };
    for (const auto& [url, nome] : casos) {
        EXPECT_EQ(TCDownload::NomeArquivoDaUrl(url), nome) << url;
    }
}

TEST_F(CDownloadTest, StoresTheFileInTheProgramFolderWithAllEvents) {
    testes::EscreveArquivo(Programa / "atualizador.zip", "versão antiga, maior que a nova? não");
    TCDownload d(Pasta, Fila);
    Ev.Liga(d);
    d.Baixar(Servidor->Url("/arquivos/atualizador.zip"));
    // The start event came before Baixar returned, on the calling thread.
    ASSERT_EQ(Ev.Inicios.size(), 1u);
    EXPECT_EQ(Ev.Inicios[0], (std::pair<std::string, std::int32_t>{"atualizador.zip", 100000}));
    ASSERT_TRUE(EsperaFim(d));
    const std::string arquivo = Programa / "atualizador.zip";
    ASSERT_EQ(Ev.Finais.size(), 1u);
    EXPECT_EQ(Ev.Finais[0], std::make_tuple(false, true, arquivo));
    EXPECT_EQ(d.ArquivoAtual(), arquivo);
    EXPECT_EQ(testes::LeArquivo(arquivo), std::string(100000, 'z'));
    EXPECT_FALSE(Ev.ForaDaThreadUI);
    EXPECT_FALSE(Ev.ProgressoDepoisDoFim);
    EXPECT_EQ(Fila.Esperas(), 1); // the worker waited for the end event
    const std::string registro = Servidor->Registro();
    EXPECT_EQ(registro, "HEAD /arquivos/atualizador.zip cache=no-cache auth=\n"
                        "GET /arquivos/atualizador.zip cache=no-cache auth=\n");
}

TEST_F(CDownloadTest, SubFolderIsCreatedBelowTheProgramFolder) {
    TCDownload d(Pasta, Fila);
    Ev.Liga(d);
    d.PastaDownload("baixados/novos");
    d.Baixar(Servidor->Url("/arquivos/atualizador.zip?v=2"));
    ASSERT_TRUE(EsperaFim(d));
    ASSERT_EQ(Ev.Finais.size(), 1u);
    EXPECT_EQ(std::get<2>(Ev.Finais[0]), Programa / "baixados/novos/atualizador.zip?v=2");
    EXPECT_TRUE(std::filesystem::is_regular_file(Programa / "baixados/novos/atualizador.zip?v=2"));
    d.PastaDownload("   ");
    EXPECT_EQ(d.PastaDestino(), Programa.Texto() + "/");
}

TEST_F(CDownloadTest, WithoutContentLengthTheTotalIsMinusOne) {
    TCDownload d(Pasta, Fila);
    Ev.Liga(d);
    d.Baixar(Servidor->Url("/sem-tamanho/atualizador.zip"));
    ASSERT_TRUE(EsperaFim(d));
    EXPECT_EQ(Ev.Inicios.at(0).second, -1);
    EXPECT_EQ(std::get<1>(Ev.Finais.at(0)), true);
    EXPECT_EQ(testes::LeArquivo(Programa / "atualizador.zip").size(), 100000u);
}

TEST_F(CDownloadTest, SpeedIsTheAverageSinceTheStartInKiBPerSecond) {
    // The start is taken at 1000 ms; every later tick is 2 s after it.
    std::atomic<int> chamadas{0};
    TCDownload d(Pasta, Fila, [&] { return chamadas++ == 0 ? 1000u : 3000u; });
    Ev.Liga(d);
    d.Baixar(Servidor->Url("/lento/1048576?passos=4&pausa=50"));
    ASSERT_TRUE(EsperaFim(d));
    ASSERT_FALSE(Ev.Progressos.empty());
    EXPECT_EQ(Ev.Progressos.back(), (std::pair<std::int32_t, std::int64_t>{512, 1048576}));
    for (std::size_t i = 1; i < Ev.Progressos.size(); ++i) {
        EXPECT_GT(Ev.Progressos[i].second, Ev.Progressos[i - 1].second); // delivered in order
        EXPECT_EQ(Ev.Progressos[i].first, Ev.Progressos[i].second * 1000 / 2000 / 1024);
    }
    EXPECT_FALSE(Ev.ProgressoDepoisDoFim);
    EXPECT_EQ(Ev.Finais.size(), 1u);
}

TEST_F(CDownloadTest, NoProgressInTheSameMillisecondAsTheStart) {
    TCDownload d(Pasta, Fila, [] { return 77u; });
    Ev.Liga(d);
    d.Baixar(Servidor->Url("/lento/4096?passos=2&pausa=10"));
    ASSERT_TRUE(EsperaFim(d));
    EXPECT_TRUE(Ev.Progressos.empty());
    EXPECT_EQ(Ev.Finais.size(), 1u);
}

TEST_F(CDownloadTest, ErrorPageIsStoredAndTheEndReportsNoSuccess) {
    TCDownload d(Pasta, Fila);
    Ev.Liga(d);
    d.Baixar(Servidor->Url("/arquivos/nao-existe.zip"));
    ASSERT_TRUE(EsperaFim(d));
    ASSERT_EQ(Ev.Finais.size(), 1u);
    EXPECT_EQ(Ev.Finais[0], std::make_tuple(false, false, std::string()));
    EXPECT_EQ(testes::LeArquivo(Programa / "nao-existe.zip"),
              "<html><body>pagina nao encontrada</body></html>");
}

TEST_F(CDownloadTest, DroppedConnectionRaisesNoEndEventAndLeavesThePart) {
    TCDownload d(Pasta, Fila);
    Ev.Liga(d);
    d.Baixar(Servidor->Url("/cai/200000"));
    ASSERT_TRUE(EsperaFim(d));
    Fila.Processa([] { return false; }, std::chrono::milliseconds(100)); // late events, if any
    EXPECT_TRUE(Ev.Finais.empty());
    EXPECT_EQ(Ev.Inicios.at(0).second, 200000);
    EXPECT_EQ(testes::LeArquivo(Programa / "200000").size(), 100000u);
}

TEST_F(CDownloadTest, FailuresBeforeTheTransferReachTheCaller) {
    TCDownload d(Pasta, Fila);
    Ev.Liga(d);
    // Nothing listens on port 9: the size query fails before the start event.
    EXPECT_THROW(d.Baixar("http://127.0.0.1:9/atualizador.zip"), std::runtime_error);
    EXPECT_THROW(d.Baixar("file:///etc/atualizador.zip"), std::runtime_error);
    EXPECT_TRUE(Ev.Inicios.empty());
    // A name that would leave the download folder, or no name at all.
    for (const std::string& url :
         {Servidor->Url("/a?x=/../../fora.zip"), Servidor->Url("/"), Servidor->Url("/..")}) {
        try {
            d.Baixar(url);
            ADD_FAILURE() << url;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find("nome de arquivo"), std::string::npos);
        }
    }
    EXPECT_EQ(Servidor->Registro(), "");
    // A file that cannot be created (a folder holds its name): raised after
    // the start event, and no transfer starts.
    std::filesystem::create_directories(Programa.Caminho() / "atualizador.zip" / "dentro");
    EXPECT_THROW(d.Baixar(Servidor->Url("/arquivos/atualizador.zip")), std::runtime_error);
    EXPECT_EQ(Ev.Inicios.size(), 1u);
    EXPECT_EQ(Servidor->Registro(), "HEAD /arquivos/atualizador.zip cache=no-cache auth=\n");
    EXPECT_FALSE(d.EmAndamento());
}

TEST_F(CDownloadTest, StopEndsTheTransferAsCancelled) {
    TCDownload d(Pasta, Fila);
    Ev.Liga(d);
    d.Baixar(Servidor->Url("/lento/100000?passos=50&pausa=100"));
    EXPECT_THROW(d.Baixar(Servidor->Url("/arquivos/atualizador.zip")), std::runtime_error);
    ASSERT_TRUE(Fila.Processa([&] { return !Ev.Progressos.empty(); }));
    d.Stop();
    ASSERT_TRUE(EsperaFim(d));
    ASSERT_EQ(Ev.Finais.size(), 1u);
    EXPECT_EQ(Ev.Finais[0], std::make_tuple(true, false, std::string()));
}

TEST_F(CDownloadTest, DestroyingDuringATransferStopsItsWorker) {
    auto d = std::make_unique<TCDownload>(Pasta, Fila);
    Ev.Liga(*d);
    d->Baixar(Servidor->Url("/lento/100000?passos=50&pausa=100"));
    ASSERT_TRUE(Fila.Processa([&] { return !Ev.Progressos.empty(); }));
    // Run the end event, which the worker waits for, while the destructor joins it.
    std::thread ui([&] { Fila.Processa([&] { return !Ev.Finais.empty(); }); });
    d.reset();
    ui.join();
    ASSERT_EQ(Ev.Finais.size(), 1u);
    EXPECT_EQ(Ev.Finais[0], std::make_tuple(true, false, std::string()));
    // Progress calls still queued for the destroyed component do nothing.
    const auto antes = Ev.Progressos.size();
    Fila.Processa([] { return false; }, std::chrono::milliseconds(50));
    EXPECT_EQ(Ev.Progressos.size(), antes);
}

} // namespace
