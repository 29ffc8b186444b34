#include "plot_surface.h"

#include "ui/dialogs.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>

namespace quarnis {

PlotSurface::PlotSurface(QWidget* parent, QSize size)
    : QWidget(parent)
    , RasterCanvas(size.width(), size.height(), kSurfaceStartColor)
{
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage PlotSurface::view() const
{
    return QImage(reinterpret_cast<const uchar*>(pixels().data()), surfaceWidth(), surfaceHeight(),
        qsizetype(surfaceWidth()) * qsizetype(sizeof(Rgb)), QImage::Format_RGB32);
}

QImage PlotSurface::image() const { return view().copy(); }

void PlotSurface::lineTo(std::int64_t x, std::int64_t y)
{
    RasterCanvas::lineTo(x, y);
    update();
}

void PlotSurface::rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2)
{
    RasterCanvas::rectangle(x1, y1, x2, y2);
    update();
}

void PlotSurface::setPixel(std::int64_t x, std::int64_t y, Rgb color)
{
    RasterCanvas::setPixel(x, y, color);
    update();
}

void PlotSurface::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, view());
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
    return view().save(fileName, "PNG");
}

void PlotSurface::copyToClipboard() const { QGuiApplication::clipboard()->setImage(image()); }

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
