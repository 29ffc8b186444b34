#include "plot_surface.h"

#include "ui/dialogs.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>

#include <algorithm>

namespace quarnis {

PlotSurface::PlotSurface(QWidget* parent, QSize size)
    : QWidget(parent)
    , image_(size, QImage::Format_RGB32)
{
    image_.fill(kSurfaceStartColor);
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotSurface::setPenWidth(int w)
{
    pen_.width = std::clamp(w, 1, kMaxPenWidth);
    pen_.dashMask = DashMask(penStyle_, pen_.width);
}

void PlotSurface::setPenStyle(PenStyle s)
{
    penStyle_ = s;
    pen_.dashMask = DashMask(penStyle_, pen_.width);
}

PixelGrid PlotSurface::grid()
{
    // bits() detaches the image from copies handed out by image(), so they keep their pixels.
    return { reinterpret_cast<std::uint32_t*>(image_.bits()), image_.width(), image_.height(),
        image_.bytesPerLine() / std::ptrdiff_t(sizeof(std::uint32_t)) };
}

void PlotSurface::moveTo(std::int64_t x, std::int64_t y)
{
    penX_ = x;
    penY_ = y;
    dashPos_ = 0;
}

void PlotSurface::lineTo(std::int64_t x, std::int64_t y)
{
    DrawLine(grid(), pen_, penX_, penY_, x, y, dashPos_);
    penX_ = x;
    penY_ = y;
    update();
}

void PlotSurface::setPixel(std::int64_t x, std::int64_t y, const QColor& c)
{
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return;
    reinterpret_cast<QRgb*>(image_.scanLine(int(y)))[x] = c.rgb();
    update();
}

void PlotSurface::rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2)
{
    DrawRectangle(grid(), pen_, brushColor_.rgb(), brushStyle_, x1, y1, x2, y2);
    update();
}

void PlotSurface::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, image_);
    if (hasFocus()) {
        // A keyboard user sees where the keys go: a frame in the selection colour, drawn on
        // the screen only, never into the picture.
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void PlotSurface::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void PlotSurface::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

bool PlotSurface::savePicture(const QString& fileName) const
{
    return image_.save(fileName, "PNG");
}

void PlotSurface::copyToClipboard() const { QGuiApplication::clipboard()->setImage(image_); }

void PlotSurface::savePictureAs()
{
    QString name = Dialogs::current().saveFileName(
        this, QStringLiteral("Grafiği Kaydet"), QStringLiteral("PNG resmi (*.png)"));
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".png");
    if (!savePicture(name))
        Dialogs::current().message(this, kApplicationTitle,
            QStringLiteral("Grafik \"%1\" dosyasına kaydedilemedi.").arg(name),
            Dialogs::Icon::Stop);
}

QMenu* PlotSurface::createContextMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    // The keys shown beside the commands are those of the graph window (Ctrl+S) and of the
    // focused surface (Ctrl+C).
    QAction* save = menu->addAction(QStringLiteral("Grafiği Kaydet..."));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &PlotSurface::savePictureAs);
    QAction* copy = menu->addAction(QStringLiteral("Panoya Kopyala"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, &PlotSurface::copyToClipboard);
    return menu;
}

void PlotSurface::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace quarnis
