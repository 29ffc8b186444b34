#pragma once
// The drawing surface of the graph window: a canvas on its own pixels (RasterCanvas) that
// the paint event shows, so covering, hiding and showing the window never lose the picture;
// only the plot commands change it. Its context menu and keys save and copy the picture.

#include "plot/raster_canvas.h"

#include <QImage>
#include <QWidget>

class QMenu;

namespace quarnis {

// The colour the surface shows before anything is drawn: that of the panel it lies on.
inline constexpr Rgb kSurfaceStartColor = MakeRgb(192, 220, 192);

class PlotSurface : public QWidget, public RasterCanvas {
    Q_OBJECT
public:
    explicit PlotSurface(QWidget* parent = nullptr, QSize size = QSize(457, 289));

    // A copy of the picture.
    QImage image() const;

    // Drawing repaints the widget.
    void lineTo(std::int64_t x, std::int64_t y) override;
    void rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) override;
    void setPixel(std::int64_t x, std::int64_t y, Rgb color) override;

    // The context menu's two commands.
    bool savePicture(const QString& fileName) const;
    void copyToClipboard() const;
    // Asks for a file name and saves the picture as PNG; a failed save is reported in a box.
    void savePictureAs();
    QMenu* createContextMenu(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The pixels as an image without a copy, valid until the next drawing.
    QImage view() const;
};

} // namespace quarnis
