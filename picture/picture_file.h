#pragma once
// The picture of a PictureCanvas as files and on any QPainter: PNG from its pixels, SVG and
// PDF from its vector items. Needs Qt Gui and Qt Svg but no windows, so the command-line tool
// can write pictures without a display.
//
//   if (auto format = pictureFormatOfSuffix(u"svg"))
//       writePicture(canvas, QStringLiteral("egri.svg"), *format);

#include "picture/picture_format.h"
#include "plot/picture_canvas.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringView>

#include <optional>

class QPainter;

namespace quarnis {

// The format of a file suffix ("png", "svg", "pdf", in any case); nothing for another.
std::optional<PictureFormat> pictureFormatOfSuffix(QStringView suffix);

// Writes the picture to the file in the format; false when the file cannot be written, and
// then no file is left behind (an existing one keeps its content).
bool writePicture(const PictureCanvas& canvas, const QString& fileName, PictureFormat format);

// The picture as an SVG document of kSurfaceWidth x kSurfaceHeight pixels.
QByteArray svgBytes(const PictureCanvas& canvas);
// The picture as a one-page PDF document, the page exactly the surface's size in points.
QByteArray pdfBytes(const PictureCanvas& canvas);
// A copy of the pixels.
QImage pictureImage(const PictureCanvas& canvas);

// Paints the picture as vectors into `target` (in the painter's coordinates), stretched to
// fill it; nothing outside `target` is painted.
void paintPicture(QPainter& painter, const PictureCanvas& canvas, const QRectF& target);

// The line below a printed picture: its text, colour and font family (the painter's font when
// empty; a family the system lacks is matched to the nearest it has).
struct PictureCaption {
    QString text;
    QColor color = Qt::black;
    QString fontFamily;
};

// Lays the picture out on a page (`page` in the painter's coordinates): as large as the page
// allows with its proportions kept, centred, and below it one line of the caption (elided when
// it is wider than the page).
void paintPicturePage(QPainter& painter, const QRectF& page, const PictureCanvas& canvas,
    const PictureCaption& caption);

} // namespace quarnis
