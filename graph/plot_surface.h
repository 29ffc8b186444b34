#pragma once
// The drawing surface of the graph window. Everything is drawn into a backing image that the
// paint event shows, so covering, hiding and showing the window never lose the picture; only
// the plot commands change it.
//
// The canvas keeps a drawing state between operations, as a pen plotter would: pen colour,
// width and line style, brush colour and fill style, and the pen's position. A line is drawn
// from the pen's position and paints its start pixel but not its end pixel, so a polyline
// paints every joint once. Pixel coordinates are 64-bit and never wrap (see raster.h, which
// does the pixel work).

#include "plot/raster.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <cstdint>

class QMenu;

namespace quarnis {

// The colour the surface shows before anything is drawn: that of the panel it lies on.
inline const QColor kSurfaceStartColor(192, 220, 192);

class PlotSurface : public QWidget {
    Q_OBJECT
public:
    explicit PlotSurface(QWidget* parent = nullptr, QSize size = QSize(457, 289));

    const QImage& image() const { return image_; }
    int surfaceWidth() const { return image_.width(); }
    int surfaceHeight() const { return image_.height(); }

    QColor penColor() const { return penColor_; }
    int penWidth() const { return pen_.width; }
    PenStyle penStyle() const { return penStyle_; }
    QColor brushColor() const { return brushColor_; }
    BrushStyle brushStyle() const { return brushStyle_; }
    std::int64_t penX() const { return penX_; }
    std::int64_t penY() const { return penY_; }

    void setPenColor(const QColor& c)
    {
        penColor_ = c;
        pen_.rgb = c.rgb();
    }
    // Widths below 1 draw 1 pixel wide.
    void setPenWidth(int w);
    void setPenStyle(PenStyle s);
    void setBrushColor(const QColor& c) { brushColor_ = c; }
    void setBrushStyle(BrushStyle s) { brushStyle_ = s; }

    // Puts the pen at (x, y) without drawing; a new line starts its dash pattern afresh.
    void moveTo(std::int64_t x, std::int64_t y);
    // Draws from the pen's position to (x, y) and leaves the pen there. The start pixel is
    // painted, (x, y) itself is not; the dash pattern runs on from the previous line.
    void lineTo(std::int64_t x, std::int64_t y);
    // Fills columns x1 .. x2 - 1 and rows y1 .. y2 - 1 with the brush, then outlines them with
    // the pen on columns x1 and x2 - 1 and rows y1 and y2 - 1. The pen does not move.
    void rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);
    // Paints one pixel; a pixel outside the surface is ignored.
    void setPixel(std::int64_t x, std::int64_t y, const QColor& c);

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
    // The backing image's pixels, detached from any copy handed out (saved or copied).
    PixelGrid grid();

    QImage image_;
    QColor penColor_ { 0, 0, 0 };
    PenStyle penStyle_ = PenStyle::Solid;
    QColor brushColor_ { 255, 255, 255 };
    BrushStyle brushStyle_ = BrushStyle::Solid;
    std::int64_t penX_ = 0, penY_ = 0;
    std::uint32_t dashPos_ = 0; // pixels of the dash pattern used since the last moveTo
    RasterPen pen_ { 0xff000000u, 1, {} }; // the pen's colour, width and dash mask
};

} // namespace quarnis
