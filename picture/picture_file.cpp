#include "picture_file.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <vector>

namespace quarnis {

namespace {

    QColor colorOf(Rgb rgb) { return QColor::fromRgb(QRgb(rgb)); }

    QImage imageOver(const std::vector<Rgb>& pixels, int width, int height)
    {
        return QImage(reinterpret_cast<const uchar*>(pixels.data()), width, height,
            qsizetype(width) * qsizetype(sizeof(Rgb)), QImage::Format_RGB32);
    }

    // The on and off runs of a line style, in pixels of a 1-pixel pen, from the raster's mask.
    std::vector<int> runsOf(PenStyle style)
    {
        std::vector<int> runs;
        const std::vector<bool> mask = DashMask(style, 1);
        for (std::size_t i = 0; i < mask.size(); ++i) {
            if (i == 0 || mask[i] != mask[i - 1])
                runs.push_back(0);
            ++runs.back();
        }
        return runs;
    }

    // The pen of a polyline or outline: through pixel centres, square caps, miter joins.
    // A dashed raster line paints each "on" pixel as a square of the pen's width, so an on run
    // of n pixels covers n * w + w - 1 along the line; a vector dash grows by w through its
    // square caps. The vector pattern is shortened by that much so both show the same dashes,
    // and starts where the raster's pattern stood (dashPos pixels into it).
    QPen penOf(const PictureItem& item)
    {
        QPen pen(
            colorOf(item.penColor), item.penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        const std::vector<int> runs = runsOf(item.penStyle);
        if (runs.empty())
            return pen;
        const qreal w = item.penWidth;
        QList<qreal> pattern;
        qreal offset = 0, rasterStart = 0, vectorStart = 0;
        const qreal at = item.dashPos / w; // in pen widths, within the raster's period
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const bool on = i % 2 == 0;
            const qreal length = runs[i] + (on ? -1 : 1) / w;
            if (at >= rasterStart && at < rasterStart + runs[i])
                offset = vectorStart + std::min(at - rasterStart, length);
            pattern.append(length);
            rasterStart += runs[i];
            vectorStart += length;
        }
        pen.setDashPattern(pattern);
        pen.setDashOffset(offset);
        return pen;
    }

    QPointF centre(const PicturePoint& p) { return QPointF(p.x + 0.5, p.y + 0.5); }

    void paintPolyline(QPainter& painter, const PictureItem& item)
    {
        QPainterPath path(centre(item.points.front()));
        for (std::size_t i = 1; i < item.points.size(); ++i)
            path.lineTo(centre(item.points[i]));
        painter.strokePath(path, penOf(item));
    }

    // The hatch lines of a brush over columns x1 .. x2 - 1 and rows y1 .. y2 - 1 of the
    // surface, as the raster paints them: one pixel wide, on the surface's 8-pixel grid.
    QPainterPath hatchLines(BrushStyle brush, int x1, int y1, int x2, int y2)
    {
        QPainterPath path;
        const bool horizontal = brush == BrushStyle::Horizontal || brush == BrushStyle::Cross;
        const bool vertical = brush == BrushStyle::Vertical || brush == BrushStyle::Cross;
        const bool forward
            = brush == BrushStyle::ForwardDiagonal || brush == BrushStyle::DiagonalCross;
        const bool backward
            = brush == BrushStyle::BackwardDiagonal || brush == BrushStyle::DiagonalCross;
        if (horizontal)
            for (int y = y1; y < y2; ++y)
                if ((y & 7) == 7) {
                    path.moveTo(x1, y + 0.5);
                    path.lineTo(x2, y + 0.5);
                }
        if (vertical)
            for (int x = x1; x < x2; ++x)
                if ((x & 7) == 4) {
                    path.moveTo(x + 0.5, y1);
                    path.lineTo(x + 0.5, y2);
                }
        // Forward: the pixels with x - y a multiple of 8, corner to corner of each run.
        if (forward)
            for (int d = x1 - (y2 - 1); d <= x2 - 1 - y1; ++d)
                if ((d & 7) == 0) {
                    const int ya = std::max(y1, x1 - d), yb = std::min(y2 - 1, x2 - 1 - d);
                    path.moveTo(ya + d, ya);
                    path.lineTo(yb + d + 1, yb + 1);
                }
        // Backward: the pixels with x + y one less than a multiple of 8.
        if (backward)
            for (int s = x1 + y1; s <= x2 - 1 + y2 - 1; ++s)
                if ((s & 7) == 7) {
                    const int ya = std::max(y1, s - (x2 - 1)), yb = std::min(y2 - 1, s - x1);
                    path.moveTo(s - ya + 1, ya);
                    path.lineTo(s - yb, yb + 1);
                }
        return path;
    }

    void paintRectangle(QPainter& painter, const PictureItem& item, int width, int height)
    {
        const PicturePoint a = item.points[0], b = item.points[1];
        if (item.brushStyle == BrushStyle::Solid) {
            painter.fillRect(
                QRectF(QPointF(a.x, a.y), QPointF(b.x, b.y)), colorOf(item.brushColor));
        } else if (item.brushStyle != BrushStyle::Clear) {
            const QPainterPath hatch = hatchLines(item.brushStyle, std::clamp(int(a.x), 0, width),
                std::clamp(int(a.y), 0, height), std::clamp(int(b.x), 0, width),
                std::clamp(int(b.y), 0, height));
            painter.strokePath(
                hatch, QPen(colorOf(item.brushColor), 1, Qt::SolidLine, Qt::FlatCap));
        }
        // The outline on the first and last column and row, clockwise from the top-left
        // corner with one dash pattern all round.
        const qreal l = a.x + 0.5, t = a.y + 0.5, r = b.x - 0.5, bottom = b.y - 0.5;
        QPainterPath outline(QPointF(l, t));
        if (l == r || t == bottom) {
            outline.lineTo(r, bottom);
        } else {
            outline.lineTo(r, t);
            outline.lineTo(r, bottom);
            outline.lineTo(l, bottom);
            outline.closeSubpath();
        }
        painter.strokePath(outline, penOf(item));
    }

    void paintPixels(QPainter& painter, const PictureItem& item)
    {
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        for (const PicturePoint& p : item.points)
            path.addRect(QRectF(p.x, p.y, 1, 1));
        painter.fillPath(path, colorOf(item.penColor));
    }

    // Paints the picture at its own size, (0, 0) to the surface's width and height.
    void paintItems(QPainter& painter, const PictureCanvas& canvas)
    {
        const int w = canvas.surfaceWidth(), h = canvas.surfaceHeight();
        if (canvas.backdrop().empty())
            painter.fillRect(QRectF(0, 0, w, h), colorOf(canvas.background()));
        else
            painter.drawImage(QRectF(0, 0, w, h), imageOver(canvas.backdrop(), w, h));
        for (const PictureItem& item : canvas.items()) {
            switch (item.kind) {
            case PictureItem::Kind::Polyline:
                paintPolyline(painter, item);
                break;
            case PictureItem::Kind::Rectangle:
                paintRectangle(painter, item, w, h);
                break;
            case PictureItem::Kind::Pixels:
                paintPixels(painter, item);
                break;
            }
        }
    }

    bool writePdf(const PictureCanvas& canvas, QIODevice* device)
    {
        QPdfWriter writer(device);
        writer.setResolution(72);
        writer.setCreator(QStringLiteral("Quarnis"));
        const QPageSize page(QSizeF(canvas.surfaceWidth(), canvas.surfaceHeight()),
            QPageSize::Point, QString(), QPageSize::ExactMatch);
        writer.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF()));
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        PaintPicture(painter, canvas, QRectF(0, 0, canvas.surfaceWidth(), canvas.surfaceHeight()));
        return painter.end();
    }

} // namespace

std::optional<PictureFormat> PictureFormatOfSuffix(QStringView suffix)
{
    if (suffix.compare(u"png", Qt::CaseInsensitive) == 0)
        return PictureFormat::Png;
    if (suffix.compare(u"svg", Qt::CaseInsensitive) == 0)
        return PictureFormat::Svg;
    if (suffix.compare(u"pdf", Qt::CaseInsensitive) == 0)
        return PictureFormat::Pdf;
    return std::nullopt;
}

void PaintPicture(QPainter& painter, const PictureCanvas& canvas, const QRectF& target)
{
    const int w = canvas.surfaceWidth(), h = canvas.surfaceHeight();
    if (w == 0 || h == 0 || target.isEmpty())
        return;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / w, target.height() / h);
    painter.setRenderHint(QPainter::Antialiasing);
    paintItems(painter, canvas);
    painter.restore();
}

void PaintPicturePage(
    QPainter& painter, const QRectF& page, const PictureCanvas& canvas, const QString& caption)
{
    const int w = canvas.surfaceWidth(), h = canvas.surfaceHeight();
    if (w == 0 || h == 0 || page.isEmpty())
        return;
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal gap = metrics.height() / 2;
    const qreal below = caption.isEmpty() ? 0 : gap + metrics.height();
    const qreal scale = std::max<qreal>(0, std::min(page.width() / w, (page.height() - below) / h));
    const QSizeF size(w * scale, h * scale);
    const QPointF topLeft(page.left() + (page.width() - size.width()) / 2,
        page.top() + (page.height() - size.height() - below) / 2);
    PaintPicture(painter, canvas, QRectF(topLeft, size));
    if (caption.isEmpty())
        return;
    const QRectF line(
        page.left(), topLeft.y() + size.height() + gap, page.width(), metrics.height());
    painter.drawText(line, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
        metrics.elidedText(caption, Qt::ElideRight, page.width()));
}

QImage PictureImage(const PictureCanvas& canvas)
{
    return imageOver(canvas.pixels(), canvas.surfaceWidth(), canvas.surfaceHeight()).copy();
}

QByteArray SvgBytes(const PictureCanvas& canvas)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(canvas.surfaceWidth(), canvas.surfaceHeight()));
    generator.setViewBox(QRect(0, 0, canvas.surfaceWidth(), canvas.surfaceHeight()));
    generator.setTitle(QStringLiteral("Grafik"));
    QPainter painter(&generator);
    // The SVG's own clip is its view box; painting without a clip path keeps the file plain.
    painter.setRenderHint(QPainter::Antialiasing);
    paintItems(painter, canvas);
    painter.end();
    // The generator gives the size in millimetres, which renderers round up to one pixel
    // more; the surface's size in pixels is what the picture is.
    const qsizetype start = bytes.indexOf("<svg width=\"");
    const qsizetype end = bytes.indexOf('\n', start);
    if (start >= 0 && end > start)
        bytes.replace(start, end - start,
            QStringLiteral("<svg width=\"%1\" height=\"%2\"")
                .arg(canvas.surfaceWidth())
                .arg(canvas.surfaceHeight())
                .toUtf8());
    return bytes;
}

QByteArray PdfBytes(const PictureCanvas& canvas)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!writePdf(canvas, &buffer))
        return {};
    return bytes;
}

bool WritePicture(const PictureCanvas& canvas, const QString& fileName, PictureFormat format)
{
    // Written beside the target and renamed over it at the end: a failure leaves no half file.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    bool written = false;
    switch (format) {
    case PictureFormat::Png:
        written = imageOver(canvas.pixels(), canvas.surfaceWidth(), canvas.surfaceHeight())
                      .save(&file, "PNG");
        break;
    case PictureFormat::Svg: {
        const QByteArray svg = SvgBytes(canvas);
        written = file.write(svg) == svg.size();
        break;
    }
    case PictureFormat::Pdf:
        written = writePdf(canvas, &file);
        break;
    }
    if (!written) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace quarnis
