#include "picture_file.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace quarnis {

namespace {

    QColor colorOf(Rgb rgb) { return QColor::fromRgb(QRgb(rgb)); }

    QImage imageOver(const std::vector<Rgb>& pixels, int width, int height)
    {
        return QImage(reinterpret_cast<const uchar*>(pixels.data()), width, height,
            qsizetype(width) * qsizetype(sizeof(Rgb)), QImage::Format_RGB32);
    }

    // The pen of a polyline or outline: square caps, miter joins, solid. Dashes are drawn as
    // pieces of their own (dashPieces), so the pen itself never dashes.
    QPen penOf(const PictureItem& item)
    {
        return QPen(
            colorOf(item.penColor), item.penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    }

    // Where the square the raster paints for pixel p is centred along one axis: p + 0.5 for
    // an odd pen width, p + 1 for an even one (its square reaches one pixel further on).
    qreal centreOffset(int penWidth) { return penWidth % 2 == 0 ? 1.0 : 0.5; }

    QPointF centre(const PicturePoint& p, qreal offset)
    {
        return QPointF(p.x + offset, p.y + offset);
    }

    // The raster's dashed line as pieces: it steps along each segment's larger axis, one
    // pixel a step, and paints the steps where its dash mask is on, the mask's position
    // running on from segment to segment (drawLine). Each run of painted steps becomes a piece
    // of the true line from its first step to its last, which a solid square-capped pen of
    // the same width covers as the raster's squares do. A run that goes on past a vertex
    // turns the corner within one piece. A one-step piece is given a length too small to see
    // along the larger axis: QPainter, the SVG renderer and the PDF viewer all drop a
    // zero-length piece in spite of its square caps.
    // `points` are the vertices in pixels; the first may lie between pixels where the line
    // was cut, and its step is the nearest pixel along the larger axis. All pieces go into
    // `path`, the path of the whole line.
    void dashPieces(QPainterPath& path, const std::vector<PicturePoint>& points, PenStyle style,
        int penWidth, std::uint32_t dashPos)
    {
        const std::vector<bool> mask = dashMask(style, penWidth);
        const std::uint32_t period = std::uint32_t(mask.size());
        // How many steps from each position of the mask until it changes.
        std::vector<std::uint32_t> runLeft(period);
        for (std::uint32_t i = period; i-- > 0;)
            runLeft[i] = i + 1 < period && mask[i + 1] == mask[i] ? runLeft[i + 1] + 1 : 1;
        const qreal offset = centreOffset(penWidth);
        constexpr qreal kTiny = 1.0 / 64;
        std::uint32_t phase = dashPos % period;
        bool open = false; // a piece runs on to the end of the previous segment
        for (std::size_t i = 1; i < points.size(); ++i) {
            const QPointF a = centre(points[i - 1], offset), b = centre(points[i], offset);
            const QPointF d = b - a;
            const bool xMajor = std::abs(d.x()) >= std::abs(d.y());
            const qreal majA = xMajor ? a.x() : a.y(), dMaj = xMajor ? d.x() : d.y();
            if (dMaj == 0) {
                open = false;
                continue;
            }
            const qreal sign = dMaj > 0 ? 1 : -1;
            // Steps lie a whole number of pixels from the pixel centres along the larger axis.
            const qreal first = std::round(majA - offset) + offset;
            const qreal reach = sign * (majA + dMaj - first);
            const std::int64_t n = std::max<std::int64_t>(0, std::int64_t(std::ceil(reach - 1e-3)));
            auto at
                = [&](std::int64_t k) { return a + d * ((first + sign * qreal(k) - majA) / dMaj); };
            const QPointF along = xMajor ? QPointF(sign * kTiny, 0) : QPointF(0, sign * kTiny);
            for (std::int64_t k = 0; k < n;) {
                const std::int64_t len = std::min<std::int64_t>(runLeft[phase], n - k);
                if (mask[phase]) {
                    const QPointF from = at(k), to = at(k + len - 1);
                    if (open && k == 0) {
                        path.lineTo(from);
                        if (len > 1)
                            path.lineTo(to);
                    } else {
                        path.moveTo(from);
                        // Steps still to come on the next segment lengthen a one-step piece.
                        const bool runsOn = k + len == n && i + 1 < points.size()
                            && runLeft[phase] > std::uint32_t(len);
                        path.lineTo(len > 1 || runsOn ? to : from + along);
                    }
                }
                open = mask[phase] && k + len == n;
                k += len;
                phase = std::uint32_t((phase + std::uint64_t(len)) % period);
            }
        }
    }

    void paintPolyline(QPainter& painter, const PictureItem& item)
    {
        QPainterPath path;
        if (item.penStyle == PenStyle::Solid) {
            const qreal offset = centreOffset(item.penWidth);
            path.moveTo(centre(item.points.front(), offset));
            for (std::size_t i = 1; i < item.points.size(); ++i)
                path.lineTo(centre(item.points[i], offset));
        } else {
            dashPieces(path, item.points, item.penStyle, item.penWidth, item.dashPos);
        }
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
        // corner with one dash pattern all round (drawRectangle).
        if (item.penStyle != PenStyle::Solid) {
            const float l = a.x, t = a.y, r = b.x - 1, bottom = b.y - 1;
            std::vector<PicturePoint> corners;
            if (l == r)
                corners = { { l, t }, { l, bottom + 1 } };
            else if (t == bottom)
                corners = { { l, t }, { r + 1, t } };
            else
                corners = { { l, t }, { r, t }, { r, bottom }, { l, bottom }, { l, t } };
            QPainterPath outline;
            dashPieces(outline, corners, item.penStyle, item.penWidth, 0);
            painter.strokePath(outline, penOf(item));
            return;
        }
        const qreal offset = centreOffset(item.penWidth);
        const qreal l = a.x + offset, t = a.y + offset, r = b.x - 1 + offset,
                    bottom = b.y - 1 + offset;
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
        paintPicture(painter, canvas, QRectF(0, 0, canvas.surfaceWidth(), canvas.surfaceHeight()));
        return painter.end();
    }

} // namespace

std::optional<PictureFormat> pictureFormatOfSuffix(QStringView suffix)
{
    if (suffix.compare(u"png", Qt::CaseInsensitive) == 0)
        return PictureFormat::Png;
    if (suffix.compare(u"svg", Qt::CaseInsensitive) == 0)
        return PictureFormat::Svg;
    if (suffix.compare(u"pdf", Qt::CaseInsensitive) == 0)
        return PictureFormat::Pdf;
    return std::nullopt;
}

void paintPicture(QPainter& painter, const PictureCanvas& canvas, const QRectF& target)
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

void paintPicturePage(QPainter& painter, const QRectF& page, const PictureCanvas& canvas,
    const PictureCaption& caption)
{
    const int w = canvas.surfaceWidth(), h = canvas.surfaceHeight();
    if (w == 0 || h == 0 || page.isEmpty())
        return;
    QFont font = painter.font();
    if (!caption.fontFamily.isEmpty())
        font.setFamilies({ caption.fontFamily });
    const QFontMetricsF metrics(font, painter.device());
    const qreal gap = metrics.height() / 2;
    const qreal below = caption.text.isEmpty() ? 0 : gap + metrics.height();
    const qreal scale = std::max<qreal>(0, std::min(page.width() / w, (page.height() - below) / h));
    const QSizeF size(w * scale, h * scale);
    const QPointF topLeft(page.left() + (page.width() - size.width()) / 2,
        page.top() + (page.height() - size.height() - below) / 2);
    paintPicture(painter, canvas, QRectF(topLeft, size));
    if (caption.text.isEmpty())
        return;
    const QRectF line(
        page.left(), topLeft.y() + size.height() + gap, page.width(), metrics.height());
    painter.save();
    painter.setFont(font);
    painter.setPen(caption.color);
    painter.drawText(line, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
        metrics.elidedText(caption.text, Qt::ElideRight, page.width()));
    painter.restore();
}

QImage pictureImage(const PictureCanvas& canvas)
{
    return imageOver(canvas.pixels(), canvas.surfaceWidth(), canvas.surfaceHeight()).copy();
}

QByteArray svgBytes(const PictureCanvas& canvas)
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

QByteArray pdfBytes(const PictureCanvas& canvas)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!writePdf(canvas, &buffer))
        return {};
    return bytes;
}

bool writePicture(const PictureCanvas& canvas, const QString& fileName, PictureFormat format)
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
        const QByteArray svg = svgBytes(canvas);
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
