#include "app/UPrincipal.hpp"

#include "app/Configuracao.hpp"
#include "app/Exportacao.hpp"
#include "app/Figuras.hpp"
#include "atualizacao/qt/AtualizacaoQt.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

namespace loja {

namespace {

constexpr int LarguraCliente = 321;
constexpr int AlturaCliente = 166;
constexpr int Margem = 3;
constexpr int AlturaPanel3 = 56;

QString Texto(const std::string& utf8) {
    return QString::fromStdString(utf8);
}
std::string Utf8(const QString& texto) {
    return texto.toStdString();
}

template <typename T> T* Cria(QWidget* pai, const char* nome) {
    auto* w = new T(pai); // owned by `pai`
    w->setObjectName(QString::fromLatin1(nome));
    return w;
}

QFrame* PainelBranco(QWidget* pai, const char* nome, const QRect& lugar) {
    auto* painel = Cria<QFrame>(pai, nome);
    painel->setGeometry(lugar);
    painel->setFrameShape(QFrame::Panel);
    painel->setFrameShadow(QFrame::Raised);
    painel->setAutoFillBackground(true);
    QPalette paleta = painel->palette();
    paleta.setColor(QPalette::Window, Qt::white);
    painel->setPalette(paleta);
    return painel;
}

QLabel* Rotulo(QWidget* pai, const char* nome, const QString& texto, int esquerda, int topo) {
    auto* rotulo = Cria<QLabel>(pai, nome);
    rotulo->setText(texto);
    rotulo->adjustSize();
    rotulo->move(esquerda, topo);
    return rotulo;
}

// The wait cursor for as long as the export blocks the window.
class CursorEspera {
public:
    CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorEspera() { QApplication::restoreOverrideCursor(); }
    CursorEspera(const CursorEspera&) = delete;
    CursorEspera& operator=(const CursorEspera&) = delete;
};

} // namespace

TFCargaBalanca::TFCargaBalanca(TDM1& dm, std::string arquivoIni, IDialogos& dialogos, QWidget* pai)
    : QMainWindow(pai, Qt::Tool), FDm(dm), FArquivoIni(std::move(arquivoIni)), FDialogos(dialogos) {
    setObjectName(QStringLiteral("FCargaBalanca"));
    setWindowTitle(QStringLiteral("Orbitra Exporta Balança Versão 12"));
    QFont fonte(QStringLiteral("MS Sans Serif"));
    fonte.setPixelSize(11);
    setFont(fonte);
    CriaControles();
    // The client area keeps its size; the menu bar comes on top of it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    if (const QScreen* tela = QApplication::primaryScreen()) {
        const QRect area = tela->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

TFCargaBalanca::~TFCargaBalanca() = default;

QToolButton* TFCargaBalanca::CriaBotaoFigura(QWidget* pai, const char* nome, const QString& texto,
                                             const QPixmap& figura, int esquerda) {
    auto* botao = Cria<QToolButton>(pai, nome);
    botao->setText(texto);
    botao->setIcon(QIcon(figura));
    botao->setIconSize(figura.size());
    botao->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    botao->setFocusPolicy(Qt::StrongFocus);
    botao->setGeometry(esquerda, 3, 57, 49);
    return botao;
}

void TFCargaBalanca::CriaControles() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* atualizar = MainMenu1->addMenu(QStringLiteral("Atualizar"));
    atualizar->setObjectName(QStringLiteral("Atualizar1"));
    DownloadAtualizador1 = atualizar->addAction(QStringLiteral("Download Atualizador"));
    DownloadAtualizador1->setObjectName(QStringLiteral("DownloadAtualizador1"));
    connect(DownloadAtualizador1, &QAction::triggered, this,
            &TFCargaBalanca::DownloadAtualizador1Click);

    auto* cliente = new QWidget(this);
    cliente->setObjectName(QStringLiteral("cliente"));
    cliente->setFixedSize(LarguraCliente, AlturaCliente);
    setCentralWidget(cliente);

    imgFundo = Cria<QLabel>(cliente, "imgFundo");
    imgFundo->setGeometry(0, 0, LarguraCliente, AlturaCliente);
    imgFundo->setScaledContents(true);
    imgFundo->setPixmap(FiguraFundo());

    // Transparent, so the picture shows in the margins around the panels.
    pnFundo = Cria<QFrame>(cliente, "pnFundo");
    pnFundo->setGeometry(0, 0, LarguraCliente, AlturaCliente);
    pnFundo->setFrameShape(QFrame::NoFrame);

    const int topoPanel3 = AlturaCliente - Margem - AlturaPanel3;
    Panel3 = PainelBranco(pnFundo, "Panel3",
                          QRect(Margem, topoPanel3, LarguraCliente - 2 * Margem, AlturaPanel3));
    pnPrincipal = PainelBranco(
        pnFundo, "pnPrincipal",
        QRect(Margem, Margem, LarguraCliente - 2 * Margem, topoPanel3 - Margem - Margem));

    Label1 = Rotulo(pnPrincipal, "Label1", QStringLiteral("Marca da Balança"), 12, 11);
    ComboBox1 = Cria<QComboBox>(pnPrincipal, "ComboBox1");
    ComboBox1->setEditable(false);
    for (std::string_view marca : Marcas) {
        ComboBox1->addItem(QString::fromUtf8(marca.data(), static_cast<qsizetype>(marca.size())));
    }
    ComboBox1->setCurrentIndex(0);
    ComboBox1->setGeometry(12, 28, 201, 21);

    Label2 = Rotulo(pnPrincipal, "Label2", QStringLiteral("Destino"), 12, 56);
    cbPrecoFuturo = Cria<QCheckBox>(pnPrincipal, "cbPrecoFuturo");
    cbPrecoFuturo->setText(QStringLiteral("Enviar Preço Futuro"));
    cbPrecoFuturo->setGeometry(65, 54, 147, 17);
    cbPrecoFuturo->setChecked(false);

    edtDiretorio = Cria<QLineEdit>(pnPrincipal, "edtDiretorio");
    edtDiretorio->setReadOnly(true);
    edtDiretorio->setGeometry(12, 72, 261, 21);
    edtDiretorio->installEventFilter(this);

    Button1 = Cria<QPushButton>(pnPrincipal, "Button1");
    Button1->setText(QStringLiteral("..."));
    Button1->setGeometry(280, 70, 25, 25);
    connect(Button1, &QPushButton::clicked, this, &TFCargaBalanca::Button1Click);

    BitBtn1 = CriaBotaoFigura(Panel3, "BitBtn1", QStringLiteral("Exportar"), FiguraExportar(), 4);
    BitBtn2 = CriaBotaoFigura(Panel3, "BitBtn2", QStringLiteral("Sair"), FiguraSair(), 63);
    connect(BitBtn1, &QToolButton::clicked, this, &TFCargaBalanca::BitBtn1Click);
    connect(BitBtn2, &QToolButton::clicked, this, &TFCargaBalanca::BitBtn2Click);

    // The lower panel first, then the upper one.
    QWidget::setTabOrder(BitBtn1, BitBtn2);
    QWidget::setTabOrder(BitBtn2, ComboBox1);
    QWidget::setTabOrder(ComboBox1, Button1);
    QWidget::setTabOrder(Button1, edtDiretorio);
    QWidget::setTabOrder(edtDiretorio, cbPrecoFuturo);
    BitBtn1->setFocus();
}

void TFCargaBalanca::showEvent(QShowEvent* evento) {
    QMainWindow::showEvent(evento);
    if (!evento->spontaneous()) {
        ConectarBanco();
    }
}

void TFCargaBalanca::closeEvent(QCloseEvent* evento) {
    QMainWindow::closeEvent(evento);
    // A tool window does not count for Qt's "last window closed", so the
    // main window ends the program itself.
    if (evento->isAccepted()) {
        QCoreApplication::quit();
    }
}

bool TFCargaBalanca::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == edtDiretorio && evento->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton) {
        Button1Click();
        return true;
    }
    return QMainWindow::eventFilter(objeto, evento);
}

void TFCargaBalanca::ConectarBanco() {
    try {
        const TConfiguracao cfg = LeConfiguracao(FArquivoIni);
        TConexao& conexao = FDm.ZConnection1;
        conexao.SetConnected(false);
        conexao.Server = cfg.Host;
        conexao.Password = cfg.Senha;
        conexao.Username = cfg.Login;
        conexao.Database = cfg.Nome;
        conexao.SetConnected(true);
        TConsulta& query = FDm.QueryProduto;
        query.Close();
        query.Open();
        query.First();
        // Opening shows at once whether the query works; the rows are read by
        // the export. Left open, a large catalogue would keep the statement
        // running on the server, holding its locks and snapshot while the
        // window stays open.
        query.Close();
        // No match leaves the list without a selection, showing empty text.
        ComboBox1->setCurrentIndex(ComboBox1->findText(Texto(cfg.Modelo), Qt::MatchFixedString));
        edtDiretorio->setText(Texto(cfg.Caminho));
    } catch (const std::exception& e) {
        FDialogos.Mensagem(this, QString::fromUtf8(e.what()));
    }
}

void TFCargaBalanca::BitBtn1Click() {
    if (auto modelo = ModeloDaMarca(Utf8(ComboBox1->currentText()))) {
        FZADeCargaBal1.Modelo = *modelo;
    }
    QString mensagem = QStringLiteral("Arquivo gerado com sucesso!");
    {
        CursorEspera cursor;
        try {
            ExportaProdutos(FDm, FZADeCargaBal1, cbPrecoFuturo->isChecked(),
                            Utf8(edtDiretorio->text()));
        } catch (const std::exception& e) {
            mensagem = QStringLiteral("Ocorreu o seguinte erro:\r\n") + QString::fromUtf8(e.what());
        }
    }
    FDialogos.Mensagem(this, mensagem);
    GravaIni();
}

void TFCargaBalanca::GravaIni() {
    try {
        GravaConfiguracaoCarga(FArquivoIni, Utf8(ComboBox1->currentText()),
                               Utf8(edtDiretorio->text()));
    } catch (const std::exception& e) {
        FDialogos.Mensagem(this, QString::fromUtf8(e.what()));
    }
}

void TFCargaBalanca::Button1Click() {
    if (auto pasta = FDialogos.EscolhePasta(
            this, QStringLiteral("Selecione o diretório onde serão gerados os arquivos:"))) {
        edtDiretorio->setText(*pasta);
    }
}

void TFCargaBalanca::BitBtn2Click() {
    close();
}

void TFCargaBalanca::DownloadAtualizador1Click() {
    atualizacao::qt::AtualizacaoDaAplicacao().VerificarAtualizacao(this);
}

} // namespace loja
