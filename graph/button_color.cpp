#include "button_color.h"

#include "ui/dialogs.h"
#include "ui/handler_guard.h"

#include <QPainter>

TButtonColor::TButtonColor(QWidget* parent)
    : QPushButton(parent)
{
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this,
        [this] { quarnis::RunGuarded(this, [this] { Click(); }); });
}

void TButtonColor::setColor(const QColor& color)
{
    if (color.rgba() == color_.rgba())
        return;
    color_ = color.toRgb();
    update();
}

QRect TButtonColor::swatchRect(QSize size)
{
    const int w = size.width(), h = size.height();
    return QRect(QPoint(w - 19, h - 3 * (h / 4)), QPoint(w - 6 - 1, h - h / 4 - 1));
}

QList<QColor>& TButtonColor::customColors()
{
    static QList<QColor> colors;
    return colors;
}

void TButtonColor::Click()
{
    const std::optional<QColor> chosen
        = quarnis::Dialogs::current().chooseColorWithCustom(this, color_, customColors());
    if (chosen)
        setColor(*chosen);
}

void TButtonColor::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QPainter p(this);
    const QRect r = swatchRect(size());
    p.fillRect(r, color_);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1)); // a 1-pixel frame on the swatch's outermost pixels
}
