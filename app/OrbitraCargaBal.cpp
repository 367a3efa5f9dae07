// Program entry: the application, the product source, then the main window,
// which runs until it is closed. Nothing is written on exit.
#include "app/Configuracao.hpp"
#include "app/Dialogos.hpp"
#include "app/UDM1.hpp"
#include "app/UPrincipal.hpp"

#include <QApplication>
#include <csignal>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orbitra Carga Balança"));
    // A file-size limit must surface as a write error with a message.
    std::signal(SIGXFSZ, SIG_IGN);

    auto dm = std::make_unique<loja::TDM1>();
    loja::TDialogosQt dialogos;
    loja::TFCargaBalanca janela(*dm, loja::CaminhoArquivoIni(), dialogos);
    janela.show();
    return QApplication::exec();
}
