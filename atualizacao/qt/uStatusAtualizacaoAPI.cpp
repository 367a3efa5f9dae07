#include "atualizacao/qt/uStatusAtualizacaoAPI.hpp"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>

namespace atualizacao::qt {

namespace {

constexpr int Largura = 593;
constexpr int Altura = 226;
constexpr int LarguraPanel2 = 233;
constexpr int AlturaBarra = 16;

template <class T> T* Cria(QWidget* pai, const char* nome) {
    auto* w = new T(pai);
    w->setObjectName(QString::fromLatin1(nome));
    return w;
}

// The pictures are drawn rather than shipped: a soft background and a
// 290 x 186 badge of the maker's updater.
QPixmap Fundo() {
    QPixmap p(16, 16);
    QPainter g(&p);
    QLinearGradient grad(0, 0, 16, 16);
    grad.setColorAt(0, QColor(0x1F, 0x4E, 0x79));
    grad.setColorAt(1, QColor(0x2E, 0x75, 0xB6));
    g.fillRect(p.rect(), grad);
    return p;
}

QPixmap Figura() {
    QPixmap p(290, 186);
    p.fill(Qt::white);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setBrush(QColor(0x2E, 0x75, 0xB6));
    g.setPen(Qt::NoPen);
    g.drawEllipse(QPoint(145, 80), 52, 52);
    g.setPen(QPen(Qt::white, 10, Qt::SolidLine, Qt::RoundCap));
    g.drawLine(145, 52, 145, 104);
    g.drawLine(145, 104, 124, 84);
    g.drawLine(145, 104, 166, 84);
    g.setPen(QColor(0x1F, 0x4E, 0x79));
    g.setFont(QFont(QStringLiteral("Tahoma"), 14, QFont::Bold));
    g.drawText(QRect(0, 140, 290, 40), Qt::AlignCenter, QStringLiteral("Orbitra Atualização"));
    return p;
}

} // namespace

TFStatusAtualizacaoAPI::TFStatusAtualizacaoAPI(QWidget* pai)
    : QWidget(pai, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("FStatusAtualizacaoAPI"));
    setFixedSize(Largura, Altura);
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    Image1 = Cria<QLabel>(this, "Image1");
    Image1->setGeometry(0, 0, Largura, Altura);
    Image1->setScaledContents(true);
    Image1->setPixmap(Fundo());

    Panel1 = Cria<QFrame>(this, "Panel1");
    const int l1 = Largura - 8, a1 = Altura - 8;
    Panel1->setGeometry(4, 4, l1, a1);
    Panel1->setAutoFillBackground(true);
    QPalette branco = Panel1->palette();
    branco.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(branco);

    LbStatus = Cria<QLabel>(Panel1, "LbStatus");
    LbStatus->setText(QStringLiteral("..."));
    LbStatus->setAlignment(Qt::AlignCenter);
    QFont negrito(QStringLiteral("Tahoma"), 8, QFont::Bold);
    LbStatus->setFont(negrito);
    LbStatus->setGeometry(1, a1 - 1 - 13, l1 - 2, 13);

    // Bottom: the bar (margins 4, 2, 4, 4); right: Panel2 (margins 4, 4, 4,
    // 0) down to the bar; Label1 fills the rest with margins of 4.
    ProgressBar1 = Cria<QProgressBar>(Panel1, "ProgressBar1");
    const int topoBarra = a1 - 4 - AlturaBarra;
    ProgressBar1->setGeometry(4, topoBarra, l1 - 8, AlturaBarra);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);

    Panel2 = Cria<QFrame>(Panel1, "Panel2");
    const int baseCima = topoBarra - 2;
    Panel2->setGeometry(l1 - 4 - LarguraPanel2, 4, LarguraPanel2, baseCima - 4);
    Panel2->setFrameShape(QFrame::Box);
    Panel2->setFrameShadow(QFrame::Plain);

    Image2 = Cria<QLabel>(Panel2, "Image2");
    Image2->setGeometry(0, 0, LarguraPanel2, baseCima - 4);
    Image2->setAlignment(Qt::AlignCenter);
    Image2->setPixmap(Figura());

    Label1 = Cria<QLabel>(Panel1, "Label1");
    const int direitaLabel = l1 - 4 - LarguraPanel2 - 4;
    Label1->setGeometry(4, 4, direitaLabel - 8, baseCima - 8);
    Label1->setText(QStringLiteral("Aguarde Realizando Atualização do Sistema."));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    QFont grande(QStringLiteral("Tahoma"));
    grande.setBold(true);
    grande.setPixelSize(27);
    Label1->setFont(grande);
    QPalette destaque = Label1->palette();
    destaque.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::Highlight));
    Label1->setPalette(destaque);

    if (const QScreen* tela = QApplication::primaryScreen()) {
        move(tela->availableGeometry().center() - rect().center());
    }
    FormCreate();
}

void TFStatusAtualizacaoAPI::FormCreate() {
    // The status text stands centred on the bar.
    LbStatus->setParent(ProgressBar1);
    LbStatus->setGeometry(ProgressBar1->rect());
    LbStatus->show();
    QApplication::processEvents();
}

void TFStatusAtualizacaoAPI::Mostra() {
    show();
    raise();
}

void TFStatusAtualizacaoAPI::Fecha() {
    hide();
}

void TFStatusAtualizacaoAPI::DefineMaximo(std::int32_t maximo) {
    // Without a total size the bar just shows that something is going on.
    ProgressBar1->setRange(0, maximo < 0 ? 0 : maximo);
}

void TFStatusAtualizacaoAPI::DefinePosicao(std::int32_t posicao) {
    ProgressBar1->setValue(posicao);
}

void TFStatusAtualizacaoAPI::DefineTexto(const std::string& texto) {
    LbStatus->setText(QString::fromStdString(texto));
}

} // namespace atualizacao::qt
