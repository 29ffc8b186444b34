#pragma once
// A canvas that paints pixels exactly as RasterCanvas does and also keeps what it drew as
// vector items, so the picture can leave the program as a drawing (SVG, PDF, a printed page)
// and not only as pixels.
//
// The items are kept in drawing order, each with the pen and brush it was drawn with:
//   Polyline   a moveTo and the lineTo's after it, one item while the pen stays the same;
//   Rectangle  a rectangle with its fill and outline;
//   Pixels     the setPixel calls of one colour in a row, gathered.
// They hold what was drawn since the surface was last cleared: a rectangle with a solid
// brush over the whole surface ("Grafik Temizle" with the area style "Dolu") hides all that
// lies beneath it, so the items before it are dropped.
//
// Coordinates far outside the surface are cut to a box somewhat larger than it (kPictureMargin
// plus the pen's width on each side; a dashed rectangle's sides by up to one period of its
// pattern more, so the pattern stays in step): what is cut away is never visible, and the
// items never hold absurd coordinates.
//
//   PictureCanvas c;                      // kSurfaceWidth x kSurfaceHeight, kSurfaceStartColor
//   c.moveTo(2, 3); c.lineTo(6, 3); c.lineTo(6, 9);
//   c.items().size() == 1                 // one polyline of three points

#include "plot/raster_canvas.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quarnis {

// The graph window's drawing surface: its size in pixels and the colour it shows before
// anything is drawn (that of the panel it lies on).
inline constexpr int kSurfaceWidth = 457;
inline constexpr int kSurfaceHeight = 289;
inline constexpr Rgb kSurfaceStartColor = makeRgb(192, 220, 192);

// How far beyond the surface, besides the pen's width, recorded coordinates may lie.
inline constexpr int kPictureMargin = 16;

// A pixel position: (x, y) is the top-left corner of pixel (x, y); its centre lies at +0.5.
struct PicturePoint {
    float x, y;
    friend bool operator==(const PicturePoint&, const PicturePoint&) = default;
};

struct PictureItem {
    enum class Kind : std::uint8_t { Polyline, Rectangle, Pixels };
    Kind kind = Kind::Polyline;
    Rgb penColor = makeRgb(0, 0, 0); // Pixels: their colour
    int penWidth = 1;
    PenStyle penStyle = PenStyle::Solid;
    Rgb brushColor = makeRgb(255, 255, 255);
    BrushStyle brushStyle = BrushStyle::Solid;
    // Polyline: the pixels of the raster's dash pattern (dashMask) used where it starts.
    std::uint32_t dashPos = 0;
    // Polyline: its vertices (at least two). Rectangle: the corners (x1, y1) and (x2, y2),
    // x1 < x2 and y1 < y2, filling columns x1 .. x2 - 1 and rows y1 .. y2 - 1. Pixels: each
    // pixel, in the order drawn.
    std::vector<PicturePoint> points;

    friend bool operator==(const PictureItem&, const PictureItem&) = default;
};

class PictureCanvas : public Canvas {
public:
    explicit PictureCanvas(int width = kSurfaceWidth, int height = kSurfaceHeight,
        Rgb background = kSurfaceStartColor);

    int surfaceWidth() const override { return raster_.surfaceWidth(); }
    int surfaceHeight() const override { return raster_.surfaceHeight(); }

    void setPenColor(Rgb color) override;
    void setPenWidth(int width) override;
    void setPenStyle(PenStyle style) override;
    void setBrushColor(Rgb color) override { raster_.setBrushColor(color); }
    void setBrushStyle(BrushStyle style) override { raster_.setBrushStyle(style); }

    void moveTo(std::int64_t x, std::int64_t y) override;
    void lineTo(std::int64_t x, std::int64_t y) override;
    void rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) override;
    void setPixel(std::int64_t x, std::int64_t y, Rgb color) override;

    // The pixels, exactly as a RasterCanvas draws them.
    const RasterCanvas& raster() const { return raster_; }
    const std::vector<Rgb>& pixels() const { return raster_.pixels(); }
    Rgb pixel(int x, int y) const { return raster_.pixel(x, y); }

    // What lies under the items: the surface's start colour, or, once the recording grew past
    // its bound, the pixels drawn until then (backdrop(), surfaceWidth() to a row).
    Rgb background() const { return background_; }
    const std::vector<Rgb>& backdrop() const { return backdrop_; }
    // The items drawn on it, oldest first.
    const std::vector<PictureItem>& items() const { return items_; }
    // The vertices and pixels the items hold together.
    std::size_t recordedPoints() const { return recordedPoints_; }

    // Beyond this many recorded points the items drawn so far are replaced by their pixels
    // as the backdrop, so that a surface drawn on for hours keeps a bounded memory.
    void setRecordingLimit(std::size_t points) { recordingLimit_ = points; }
    static constexpr std::size_t kDefaultRecordingLimit = std::size_t(1) << 22;

private:
    // The box recorded coordinates are cut to, for the current pen.
    std::int64_t reach() const;
    // Ends the polyline or pixel run being gathered; an item that repeats an earlier one
    // exactly makes the earlier one redundant (both paint the same pixels opaquely, the later
    // on top), so the earlier is dropped.
    void closeOpenItem();
    void startItem(PictureItem::Kind kind);
    void addPoint(double x, double y);
    void limitMemory();

    RasterCanvas raster_;
    Rgb background_;
    std::vector<Rgb> backdrop_;
    std::vector<PictureItem> items_;
    std::vector<std::uint64_t> itemHashes_; // one per item, for finding repeats
    bool open_ = false; // the last item still grows (polyline or pixel run)
    bool penInside_ = false; // the open polyline's last vertex is the pen's true position
    std::uint32_t dashPos_ = 0; // the raster's dash position, as it runs along the lines
    std::vector<bool> inRun_; // the pixels of the open pixel run, one a pixel of the surface
    std::size_t recordedPoints_ = 0;
    std::size_t recordingLimit_ = kDefaultRecordingLimit;
};

} // namespace quarnis
