#include "color_button.h"

#include "ui/dialogs.h"
#include "ui/handler_guard.h"

#include <QPainter>

namespace quarnis {

ColorButton::ColorButton(Dialogs& dialogs, QWidget* parent)
    : QPushButton(parent)
    , dialogs_(dialogs)
{
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this,
        [this] { quarnis::runGuarded(dialogs_, this, [this] { click(); }); });
}

void ColorButton::setColor(const QColor& color)
{
    if (color.rgba() == color_.rgba())
        return;
    color_ = color.toRgb();
    update();
}

QRect ColorButton::swatchRect(QSize size)
{
    const int w = size.width(), h = size.height();
    return QRect(QPoint(w - 19, h - 3 * (h / 4)), QPoint(w - 6 - 1, h - h / 4 - 1));
}

void ColorButton::click()
{
    const std::optional<QColor> chosen = dialogs_.chooseColor(this, color_);
    if (chosen)
        setColor(*chosen);
}

void ColorButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QPainter p(this);
    const QRect r = swatchRect(size());
    p.fillRect(r, color_);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1)); // a 1-pixel frame on the swatch's outermost pixels
}

} // namespace quarnis
