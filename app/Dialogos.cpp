#include "app/Dialogos.hpp"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>

namespace loja {

void TDialogosQt::Mensagem(QWidget* pai, const QString& texto) {
    QMessageBox caixa(QMessageBox::NoIcon, QApplication::applicationName(),
                      QString(texto).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                      QMessageBox::Ok, pai);
    caixa.exec();
}

std::optional<QString> TDialogosQt::EscolhePasta(QWidget* pai, const QString& titulo) {
    // Starts at the desktop with nothing preselected; folders only, and no
    // way to create one from here.
    const QString pasta = QFileDialog::getExistingDirectory(
        pai, titulo, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
        QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly);
    if (pasta.isEmpty()) {
        return std::nullopt;
    }
    return pasta;
}

} // namespace loja
