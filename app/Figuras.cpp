#include "app/Figuras.hpp"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace loja {

namespace {

constexpr int Lado = 24;

QPixmap Transparente() {
    QPixmap figura(Lado, Lado);
    figura.fill(Qt::transparent);
    return figura;
}

} // namespace

QPixmap FiguraExportar() {
    QPixmap figura = Transparente();
    QPainter p(&figura);
    p.setRenderHint(QPainter::Antialiasing);
    // A sheet of paper with a green arrow leaving it.
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(QRectF(2.5, 2.5, 13, 18));
    p.setPen(QPen(QColor(150, 150, 150), 1));
    for (int y = 7; y <= 16; y += 3) {
        p.drawLine(QPointF(5, y), QPointF(13, y));
    }
    QPainterPath seta;
    seta.moveTo(9, 10);
    seta.lineTo(16, 10);
    seta.lineTo(16, 6);
    seta.lineTo(23, 13);
    seta.lineTo(16, 20);
    seta.lineTo(16, 16);
    seta.lineTo(9, 16);
    seta.closeSubpath();
    p.setPen(QPen(QColor(20, 100, 30), 1));
    p.setBrush(QColor(40, 160, 60));
    p.drawPath(seta);
    return figura;
}

QPixmap FiguraSair() {
    QPixmap figura = Transparente();
    QPainter p(&figura);
    p.setRenderHint(QPainter::Antialiasing);
    // An open door with a red cross.
    p.setPen(QPen(QColor(90, 60, 30), 1));
    p.setBrush(QColor(180, 120, 60));
    p.drawRect(QRectF(3.5, 2.5, 12, 19));
    p.setBrush(QColor(240, 200, 80));
    p.drawEllipse(QPointF(13, 12), 1.2, 1.2);
    p.setPen(QPen(QColor(200, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 13), QPointF(22, 20));
    p.drawLine(QPointF(22, 13), QPointF(15, 20));
    return figura;
}

QPixmap FiguraFundo() {
    QPixmap figura(64, 64);
    QPainter p(&figura);
    QLinearGradient gradiente(0, 0, 64, 64);
    gradiente.setColorAt(0, QColor(30, 80, 150));
    gradiente.setColorAt(1, QColor(120, 170, 220));
    p.fillRect(figura.rect(), gradiente);
    return figura;
}

} // namespace loja
