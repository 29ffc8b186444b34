#pragma once
// The drawing surface of the graph window: a canvas on its own pixels that also keeps the
// drawing as vectors (PictureCanvas). The paint event shows the pixels, so covering, hiding
// and showing the window never lose the picture; only the plot commands change it. Its
// context menu and keys save (PNG, SVG or PDF), copy and print the picture.
//
// Once a curve is drawn, its values can be read off it: the point nearest to the pointer, or
// the one stepped to with Left, Right, Home and End, shows its result line as the hint, is
// marked by a ring and, from the keys, is said to screen readers. The ring, like the focus
// frame, is painted on the screen only, never into the picture.

#include "picture/picture_file.h"
#include "plot/drawn_points.h"
#include "plot/picture_canvas.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QMenu;

namespace quarnis {

class Announcer;
class Dialogs;

class PlotSurface : public QWidget, public PictureCanvas {
    Q_OBJECT
public:
    // The file and print dialogs, and the boxes of failures, open through `dialogs`.
    explicit PlotSurface(Dialogs& dialogs, QWidget* parent = nullptr,
        QSize size = QSize(kSurfaceWidth, kSurfaceHeight));

    // A copy of the picture.
    QImage image() const;

    // Drawing repaints the widget.
    void lineTo(std::int64_t x, std::int64_t y) override;
    void rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) override;
    void setPixel(std::int64_t x, std::int64_t y, Rgb color) override;

    // The context menu's commands.
    bool savePicture(const QString& fileName, PictureFormat format = PictureFormat::Png) const;
    // The pixels as an image and the drawing as SVG ("image/svg+xml"), together.
    void copyToClipboard() const;
    // Asks for a file name and a format and saves the picture; a failed save is reported in
    // a box.
    void savePictureAs();
    // Asks for a printer and prints the picture with the caption below it; a failed print is
    // reported in a box.
    void printPicture();
    QMenu* createContextMenu(QWidget* parent);
    // The line printed below the picture, asked for when printing.
    void setPrintCaption(std::function<PictureCaption()> caption)
    {
        printCaption_ = std::move(caption);
    }

    using Lines = std::shared_ptr<const std::vector<std::u16string>>;
    // Offers the points of the curve just drawn for reading; `lines` are the result lines the
    // point table was loaded from, which the points' line indices refer to.
    void setReading(std::vector<DrawnPoint> points, Lines lines);
    // Nothing to read: no hint, no ring.
    void clearReading();
    // The point the ring marks.
    std::optional<DrawnPoint> markedPoint() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The pixels as an image without a copy, valid until the next drawing.
    QImage view() const;

    // Marks reading_.points()[index] (or nothing) with the ring and its line as the hint.
    void mark(std::optional<std::size_t> index);
    void markNearest(QPoint pointer);
    QString markedLine() const;
    QPointF ringCentre() const;
    QRect ringBounds() const;

    Dialogs& dialogs_;
    DrawnPoints reading_;
    Lines lines_;
    std::optional<std::size_t> marked_;
    Announcer* announcer_ = nullptr; // made at the first key that steps
    std::function<PictureCaption()> printCaption_;
};

} // namespace quarnis
