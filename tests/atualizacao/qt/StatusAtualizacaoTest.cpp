// The Qt side of the updater: the status window's layout and texts, driven by
// the data module's handlers, and the hand-over to the UI thread.
#include "atualizacao/qt/AtualizacaoQt.hpp"
#include "atualizacao/qt/PlataformaQt.hpp"
#include "atualizacao/qt/uStatusAtualizacaoAPI.hpp"
#include "comum/PastaTemporaria.hpp"

#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QThread>
#include <gtest/gtest.h>
#include <thread>

using namespace atualizacao;
using namespace atualizacao::qt;

namespace {

void ProcessaAte(const std::function<bool()>& pronto) {
    QElapsedTimer t;
    t.start();
    while (!pronto() && t.elapsed() < 10000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

TEST(StatusAtualizacao, LaidOutAsTheWindowOfTheDownload) {
    TFStatusAtualizacaoAPI j;
    EXPECT_TRUE(j.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(j.size(), QSize(593, 226));
    EXPECT_EQ(j.Image1->geometry(), QRect(0, 0, 593, 226));
    EXPECT_EQ(j.Panel1->geometry(), QRect(4, 4, 585, 218));
    EXPECT_EQ(j.ProgressBar1->geometry(), QRect(4, 198, 577, 16));
    EXPECT_EQ(j.Panel2->geometry(), QRect(348, 4, 233, 192));
    EXPECT_EQ(j.Label1->geometry(), QRect(4, 4, 336, 188));
    EXPECT_EQ(j.Label1->text(), QStringLiteral("Aguarde Realizando Atualização do Sistema."));
    EXPECT_TRUE(j.Label1->wordWrap());
    EXPECT_EQ(j.Label1->font().pixelSize(), 27);
    EXPECT_TRUE(j.Label1->font().bold());
    EXPECT_EQ(j.Image2->pixmap().size(), QSize(290, 186));
    // The status text was moved onto the bar and fills it.
    EXPECT_EQ(j.LbStatus->parentWidget(), j.ProgressBar1);
    EXPECT_EQ(j.LbStatus->geometry(), QRect(0, 0, 577, 16));
    EXPECT_EQ(j.LbStatus->text(), QStringLiteral("..."));
    EXPECT_TRUE(j.LbStatus->font().bold());
    EXPECT_FALSE(j.isVisible());
}

TEST(StatusAtualizacao, HandlersOfTheDataModuleDriveTheWindow) {
    testes::PastaTemporaria pasta;
    struct Pasta : IPastaPrograma {
        std::filesystem::path P;
        std::filesystem::path PastaPrograma() const override { return P; }
    } fixa;
    fixa.P = pasta.Caminho();
    TAtualizacaoQt atualizacao(nullptr, &fixa);
    TAtualizacaoAPI& api = *atualizacao.Api();
    api.CriarObjetosAtualizacao();
    auto* janela = dynamic_cast<TFStatusAtualizacaoAPI*>(api.FStatusAtualizacaoAPI());
    ASSERT_NE(janela, nullptr);
    api.DMAtualizacaoAPI()->CDownload1IniciaDownload("a.zip", 2097152);
    EXPECT_TRUE(janela->isVisible());
    EXPECT_EQ(janela->ProgressBar1->maximum(), 2097152);
    api.DMAtualizacaoAPI()->CDownload1RecebeDados(512, 1048576);
    EXPECT_EQ(janela->LbStatus->text(), QStringLiteral("Valocidade: 512 KB/s"));
    EXPECT_EQ(janela->ProgressBar1->value(), 1048576);
    api.DMAtualizacaoAPI()->CDownload1IniciaDownload("a.zip", -1);
    EXPECT_EQ(janela->ProgressBar1->maximum(), 0); // busy: no total size
    janela->Fecha();
    EXPECT_FALSE(janela->isVisible());
}

TEST(ThreadUIQt, QueuedAndBlockingCallsRunOnTheUIThread) {
    TThreadUIQt ui;
    QThread* principal = QThread::currentThread();
    std::atomic<int> naUI{0};
    std::atomic<bool> esperou{false};
    std::thread trabalho([&] {
        ui.Enfileira([&] { naUI += QThread::currentThread() == principal ? 1 : 100; });
        ui.ExecutaEEspera([&] { naUI += QThread::currentThread() == principal ? 10 : 100; });
        esperou = true;
    });
    ProcessaAte([&] { return esperou.load(); });
    trabalho.join();
    EXPECT_EQ(naUI, 11);
    // On the UI thread itself, the blocking call runs at once.
    ui.ExecutaEEspera([&] { naUI = -1; });
    EXPECT_EQ(naUI, -1);
}

TEST(ThreadUIQt, ClosingLetsWaitingWorkersGoAndDropsPendingCalls) {
    TThreadUIQt ui;
    std::atomic<bool> rodou{false};
    std::thread trabalho([&] { ui.ExecutaEEspera([&] { rodou = true; }); });
    QThread::msleep(100); // the worker is waiting; the UI thread runs no events
    ui.Encerra();
    trabalho.join(); // would hang if the wait ignored the closing
    QApplication::processEvents();
    EXPECT_FALSE(rodou);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
