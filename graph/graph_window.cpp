#include "graph_window.h"

TFGraphics::TFGraphics(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Grafik Formu"));
    setFixedSize(812, 597);
}
