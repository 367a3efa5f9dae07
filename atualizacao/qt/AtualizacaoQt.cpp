#include "atualizacao/qt/AtualizacaoQt.hpp"

#include "atualizacao/qt/uStatusAtualizacaoAPI.hpp"

#include <QApplication>
#include <QMessageBox>

namespace atualizacao::qt {

TAtualizacaoQt::TAtualizacaoQt(QObject* dono, const IPastaPrograma* pasta) : QObject(dono) {
    setObjectName(QStringLiteral("AtualizacaoAPI"));
    FApi = std::make_unique<TAtualizacaoAPI>(
        TPlataformaAtualizacao{pasta != nullptr ? *pasta : FPastaExecutavel, FThreadUI, FShell,
                               [] { return std::make_unique<TFStatusAtualizacaoAPI>(); }});
    // Windows must go while the application still runs, and workers still
    // waiting for the UI thread must be let go before they are joined.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TAtualizacaoQt::Libera);
}

TAtualizacaoQt::~TAtualizacaoQt() {
    Libera();
}

void TAtualizacaoQt::Libera() {
    FThreadUI.Encerra();
    FApi.reset();
}

void TAtualizacaoQt::VerificarAtualizacao(QWidget* janela) {
    if (!FApi) {
        return;
    }
    try {
        FApi->VerificarAtualizacao();
    } catch (const std::exception& e) {
        QMessageBox::critical(janela, QApplication::applicationName(),
                              QString::fromStdString(e.what()));
    }
}

TAtualizacaoQt& AtualizacaoDaAplicacao() {
    auto* existente = qApp->findChild<TAtualizacaoQt*>(QStringLiteral("AtualizacaoAPI"),
                                                       Qt::FindDirectChildrenOnly);
    return existente != nullptr ? *existente : *new TAtualizacaoQt(qApp);
}

} // namespace atualizacao::qt
