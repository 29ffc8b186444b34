#include "plot_surface.h"

#include "ui/accessibility.h"
#include "ui/dialogs.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace quarnis {

namespace {

    // The ring around a marked point: its radius to the middle of its stroke, a light halo
    // under a stroke in the selection colour, so it shows on any area and curve colour.
    constexpr qreal kRingRadius = 5;
    constexpr qreal kRingHalo = 4;
    constexpr qreal kRingStroke = 2;

} // namespace

PlotSurface::PlotSurface(Dialogs& dialogs, QWidget* parent, QSize size)
    : QWidget(parent)
    , PictureCanvas(size.width(), size.height(), kSurfaceStartColor)
    , dialogs_(dialogs)
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
    PictureCanvas::lineTo(x, y);
    update();
}

void PlotSurface::rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2)
{
    PictureCanvas::rectangle(x1, y1, x2, y2);
    update();
}

void PlotSurface::setPixel(std::int64_t x, std::int64_t y, Rgb color)
{
    PictureCanvas::setPixel(x, y, color);
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
    if (marked_) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, kRingHalo));
        p.drawEllipse(ringCentre(), kRingRadius, kRingRadius);
        p.setPen(QPen(palette().color(QPalette::Highlight), kRingStroke));
        p.drawEllipse(ringCentre(), kRingRadius, kRingRadius);
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
    // The ring stays while the pointer or the keys can still move it.
    if (!underMouse())
        mark(std::nullopt);
}

bool PlotSurface::savePicture(const QString& fileName, PictureFormat format) const
{
    return writePicture(*this, fileName, format);
}

void PlotSurface::copyToClipboard() const
{
    auto* mime = new QMimeData;
    mime->setImageData(image());
    mime->setData(QStringLiteral("image/svg+xml"), svgBytes(*this));
    QGuiApplication::clipboard()->setMimeData(mime);
}

void PlotSurface::savePictureAs()
{
    // The filters in the order of PictureFormat.
    static const QStringList filters = { QStringLiteral("PNG resmi (*.png)"),
        QStringLiteral("SVG çizimi (*.svg)"), QStringLiteral("PDF belgesi (*.pdf)") };
    static const QStringList suffixes
        = { QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("pdf") };
    QString filter;
    QString name = dialogs_.saveFileName(
        this, QStringLiteral("Grafiği Kaydet"), filters.join(QStringLiteral(";;")), &filter);
    if (name.isEmpty())
        return;
    // The suffix typed decides when it names a format; otherwise the filter does, and its
    // suffix is added.
    std::optional<PictureFormat> format = pictureFormatOfSuffix(QFileInfo(name).suffix());
    if (!format) {
        const int chosen = std::max(0, int(filters.indexOf(filter)));
        format = PictureFormat(chosen);
        name += u'.' + suffixes[chosen];
    }
    if (!savePicture(name, *format))
        dialogs_.message(this, kApplicationTitle,
            QStringLiteral("Grafik \"%1\" dosyasına kaydedilemedi.").arg(name),
            Dialogs::Icon::Stop);
}

void PlotSurface::printPicture()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Grafik"));
    if (!dialogs_.print(this, printer))
        return;
    QPainter painter;
    bool printed = painter.begin(&printer);
    if (printed) {
        // The painter's origin is the printable area's top-left corner.
        const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
        paintPicturePage(painter, page, *this, printCaption_ ? printCaption_() : PictureCaption());
        printed = painter.end() && printer.printerState() != QPrinter::Error;
    }
    if (!printed)
        dialogs_.message(
            this, kApplicationTitle, QStringLiteral("Grafik yazdırılamadı."), Dialogs::Icon::Stop);
}

QMenu* PlotSurface::createContextMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    // The keys shown beside the commands are those of the graph window (Ctrl+S, Ctrl+P) and
    // of the focused surface (Ctrl+C).
    QAction* save = menu->addAction(QStringLiteral("Grafiği Kaydet..."));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &PlotSurface::savePictureAs);
    QAction* copy = menu->addAction(QStringLiteral("Panoya Kopyala"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, &PlotSurface::copyToClipboard);
    QAction* print = menu->addAction(QStringLiteral("Yazdır..."));
    print->setObjectName(QStringLiteral("PrintPicture"));
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, &PlotSurface::printPicture);
    return menu;
}

void PlotSurface::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void PlotSurface::setReading(std::vector<DrawnPoint> points, Lines lines)
{
    std::erase_if(points, [&](const DrawnPoint& p) { return !lines || p.line >= lines->size(); });
    mark(std::nullopt);
    reading_ = DrawnPoints(std::move(points));
    lines_ = std::move(lines);
    setMouseTracking(!reading_.empty());
}

void PlotSurface::clearReading() { setReading({}, nullptr); }

std::optional<DrawnPoint> PlotSurface::markedPoint() const
{
    if (!marked_)
        return std::nullopt;
    return reading_.points()[*marked_];
}

void PlotSurface::mark(std::optional<std::size_t> index)
{
    if (index == marked_)
        return;
    if (marked_)
        update(ringBounds());
    marked_ = index;
    if (marked_)
        update(ringBounds());
    setToolTip(markedLine());
}

void PlotSurface::markNearest(QPoint pointer) { mark(reading_.nearest(pointer.x(), pointer.y())); }

QString PlotSurface::markedLine() const
{
    if (!marked_)
        return {};
    return QString::fromStdU16String((*lines_)[reading_.points()[*marked_].line]);
}

QPointF PlotSurface::ringCentre() const
{
    const DrawnPoint& p = reading_.points()[*marked_];
    return QPointF(p.column + 0.5, p.row + 0.5);
}

QRect PlotSurface::ringBounds() const
{
    const qreal r = kRingRadius + kRingHalo;
    return QRectF(ringCentre() - QPointF(r, r), QSizeF(2 * r, 2 * r)).toAlignedRect();
}

bool PlotSurface::event(QEvent* event)
{
    // Without a curve to read the surface has no hint, as before any drawing.
    if (event->type() == QEvent::ToolTip && !reading_.empty()) {
        auto* help = static_cast<QHelpEvent*>(event);
        markNearest(help->pos());
        QToolTip::showText(help->globalPos(), markedLine(), this);
        return true;
    }
    return QWidget::event(event);
}

void PlotSurface::mouseMoveEvent(QMouseEvent* event)
{
    if (reading_.empty())
        return QWidget::mouseMoveEvent(event);
    const QPointF at = event->position();
    markNearest(QPoint(int(std::floor(at.x())), int(std::floor(at.y()))));
}

void PlotSurface::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (!hasFocus())
        mark(std::nullopt);
}

void PlotSurface::keyPressEvent(QKeyEvent* event)
{
    // Left and Right step through the points in table order, from the first when none is
    // marked, and stop at the ends; Home and End go to the first and the last.
    const std::size_t n = reading_.points().size();
    const std::size_t at = marked_.value_or(0);
    std::optional<std::size_t> to;
    if (n > 0 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Left:
            to = marked_ && at > 0 ? at - 1 : at;
            break;
        case Qt::Key_Right:
            to = marked_ && at + 1 < n ? at + 1 : at;
            break;
        case Qt::Key_Home:
            to = 0;
            break;
        case Qt::Key_End:
            to = n - 1;
            break;
        }
    }
    if (!to)
        return QWidget::keyPressEvent(event);
    mark(to);
    QToolTip::showText(mapToGlobal(ringCentre().toPoint()), markedLine(), this);
    // Said where the focus stays, as a new result of the calculator is.
    if (!announcer_) {
        announcer_ = new Announcer(this);
        announcer_->show();
    }
    announcer_->announce(markedLine());
}

} // namespace quarnis
