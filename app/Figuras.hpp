// The pictures of the main window, drawn in code so that the program ships
// no image files.
#pragma once

#include <QPixmap>

namespace loja {

QPixmap FiguraExportar();
QPixmap FiguraSair();
// Stretched behind the panels; its edges show around them.
QPixmap FiguraFundo();

} // namespace loja
