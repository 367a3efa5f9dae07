#include "atualizacao/qt/PlataformaQt.hpp"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QThread>
#include <QUrl>
#include <chrono>
#include <future>

namespace atualizacao::qt {

TThreadUIQt::TThreadUIQt() = default;

TThreadUIQt::~TThreadUIQt() {
    Encerra();
}

void TThreadUIQt::Encerra() {
    *FEncerrado = true;
}

void TThreadUIQt::Enfileira(std::function<void()> chamada) {
    QMetaObject::invokeMethod(
        &FContexto,
        [encerrado = FEncerrado, chamada = std::move(chamada)] {
            if (!*encerrado) {
                chamada();
            }
        },
        Qt::QueuedConnection);
}

void TThreadUIQt::ExecutaEEspera(std::function<void()> chamada) {
    if (QThread::currentThread() == FContexto.thread()) {
        chamada();
        return;
    }
    // Like a blocking queued call, but the wait ends when the application
    // is closing and the call will never run.
    auto feito = std::make_shared<std::promise<void>>();
    auto futuro = feito->get_future();
    Enfileira([chamada = std::move(chamada), feito] {
        try {
            chamada();
        } catch (...) {
        }
        feito->set_value();
    });
    const auto encerrado = FEncerrado;
    while (futuro.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
        if (*encerrado) {
            return;
        }
    }
}

void TShellQt::Abre(const std::filesystem::path& arquivo) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(arquivo.string())));
}

void TShellQt::Avisa(const std::string& mensagem) {
    QMessageBox::warning(QApplication::activeWindow(), QApplication::applicationName(),
                         QString::fromStdString(mensagem));
}

} // namespace atualizacao::qt
