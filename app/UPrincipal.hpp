// The main window: scale make, target folder and future-price choice, the
// export command, and the settings kept in "arquivo.ini".
#pragma once

#include "app/Dialogos.hpp"
#include "app/UDM1.hpp"
#include "cargabal/ZADeCargaBal.hpp"

#include <QMainWindow>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QToolButton;

namespace loja {

class TFCargaBalanca : public QMainWindow {
    Q_OBJECT
public:
    // `arquivoIni` is the settings file; `dialogos` shows messages and the
    // folder chooser.
    TFCargaBalanca(TDM1& dm, std::string arquivoIni, IDialogos& dialogos, QWidget* pai = nullptr);
    ~TFCargaBalanca() override;

    cargabal::TZADeCargaBal& ZADeCargaBal1() { return FZADeCargaBal1; }

public slots:
    void ConectarBanco();
    void BitBtn1Click();
    void GravaIni();
    void Button1Click();
    void BitBtn2Click();
    void DownloadAtualizador1Click();

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void CriaControles();
    QToolButton* CriaBotaoFigura(QWidget* pai, const char* nome, const QString& texto,
                                 const QPixmap& figura, int esquerda);

    TDM1& FDm;
    std::string FArquivoIni;
    IDialogos& FDialogos;
    cargabal::TZADeCargaBal FZADeCargaBal1;

    QMenuBar* MainMenu1 = nullptr;
    QAction* DownloadAtualizador1 = nullptr;
    QLabel* imgFundo = nullptr;
    QFrame* pnFundo = nullptr;
    QFrame* pnPrincipal = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* Label2 = nullptr;
    QCheckBox* cbPrecoFuturo = nullptr;
    QLineEdit* edtDiretorio = nullptr;
    QPushButton* Button1 = nullptr;
    QFrame* Panel3 = nullptr;
    QToolButton* BitBtn1 = nullptr;
    QToolButton* BitBtn2 = nullptr;
};

} // namespace loja
