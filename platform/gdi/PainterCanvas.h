#pragma once
// A canvas that draws through an active QPainter: a widget's painter inside
// its paint event, a printer's, or an image's (see BitmapCanvas).
//
// Device units are the painter's coordinates at construction (pixels of the
// paint device). Every output maps its logical coordinates to device pixels
// as the device context rounds them, then draws with anti-aliasing off, so
// that the pixel rules of Canvas hold. Mix modes, inverting fills and
// three-operand blits are exact on raster devices (images, widgets); on a
// printer, which cannot read back its page, black, white and copy modes draw
// and the other modes draw as a copy (inverting ones draw nothing).

#include "platform/gdi/Canvas.h"
#include "platform/gdi/DevicePen.h"
#include "platform/gdi/ScanConverter.h"
#include "platform/gdi/SpanTarget.h"

#include <QtGui/QTransform>

#include <functional>
#include <optional>

class QPainter;
class QRawFont;
class QImage;
class QPen;
class QBrush;
class QColor;
class QPointF;
class QSizeF;

namespace gdi {

struct OutlineTools;
class ShapeSpans;

class PainterCanvas : public Canvas {
public:
    // The painter must stay active for the canvas's life.
    PainterCanvas(QPainter& painter, DeviceKind kind, const DeviceCaps& caps);
    ~PainterCanvas() override;

    DeviceKind Kind() const override { return kind_; }
    Bitmap CopyPixels(const Rect& deviceRect) override;
    QPainter* painter() const { return painter_; }

protected:
    // For canvases that own their painter; AttachPainter follows.
    PainterCanvas(DeviceKind kind, const DeviceCaps& caps);
    void AttachPainter(QPainter* painter);

    void DoLine(std::span<const Point> points) override;
    void DoBezier(std::span<const Point> points) override;
    void DoArc(const Rect& box, Point start, Point end) override;
    void DoShape(Shape shape, const Rect& box, Point a, Point b) override;
    void DoPolygon(std::span<const Point> points, std::span<const int32_t> counts) override;
    void DoFillRegion(const Region& deviceRegion, const Brush& b, uint32_t rop) override;
    void DoPath(const PathData& devicePath, bool fill, bool stroke) override;
    void DoText(int32_t x, int32_t y, uint32_t options, const Rect* rect, std::u16string_view text,
                std::span<const int32_t> dx) override;
    void DoStretchBlt(const Rect& dest, const Bitmap& src, const Rect& srcRect, uint32_t rop) override;
    void DoSetPixel(int32_t x, int32_t y, Color c) override;
    Color DoGetPixel(int32_t x, int32_t y) override;
    bool DoFloodFill(int32_t x, int32_t y, Color c, FloodFillType type) override;
    TextMetrics DoTextMetrics() override;
    std::vector<int32_t> DoPartialExtents(std::u16string_view text) override;
    std::string DoTextFace() override;

    void DoNestedEllipses(std::span<const Rect> boxes, std::span<const Color> colors) override;

private:
    struct RasterOutline;
    using StrokeFunction = std::function<void(QPainter&)>;
    bool Prepare();
    bool IsRaster() const;
    // The image the painter draws on, when device pixels are its pixels
    // (moved by ImageOffset).
    QImage* TargetImage() const;
    QPoint ImageOffset() const;
    // The device pixels the painter can reach, with one to spare all round.
    QRect Reachable() const;
    // The device pixels an output can change: the target within the clip region.
    QRect VisibleArea() const;
    // Sets the composition for a mix mode; false when nothing is to be drawn.
    bool ApplyMix(Rop2 rop, QColor& color);
    QBrush MakeBrush(const Brush& b) const;

    // ---- devices without pixels of their own: outlines through the painter
    // The mixed pen and brush of a filled outline; false when the mix draws nothing.
    bool MixOutlineTools(const XForm& m, OutlineTools& tools);
    void FillAndStroke(const std::function<void(QPainter&, const QBrush&)>& fill, const StrokeFunction& stroke);
    void StrokePath(const QPainterPath& devicePath);

    // ---- raster devices: rows of spans and runs of pixels, written straight
    // into the image where the painter draws on one (PainterCanvasRaster.cpp)
    // Where spans of the brush go under the mix; false when nothing is drawn.
    bool MakeTarget(std::optional<SpanTarget>& target, const QBrush& brush, Rop2 mix);
    RasterOutline OutlineOf(const DevicePen& pen, std::vector<std::vector<QPoint>> polylines);
    RasterOutline OutlineOf(const DevicePen& pen, const QPainterPath& devicePath);
    // The outline of a wide pen's stroke along the path, built from the parts
    // of the path that can show.
    void AddStroke(RasterOutline& outline, const QPen& pen, const QPainterPath& devicePath) const;
    // Fills the area with the current brush and draws the outline with the
    // pen, never touching a pixel twice under a mix other than copying.
    void PaintArea(const AreaScan& area, const RasterOutline& outline);
    void DrawOutline(const RasterOutline& outline);
    // Every pixel the outline draws within the window.
    RegionRows OutlinePixels(const RasterOutline& outline, const QRect& window);
    DevicePen RasterPen(const XForm& m) const;
    void RasterLine(std::span<const Point> points);
    void RasterStroke(const QPainterPath& devicePath);
    void RasterShape(Shape shape, const Rect& box, Point a, Point b);
    void RasterRectangle(const Rect& device, const DevicePen& pen);
    void RasterThinShape(const ShapeSpans& shape, const DevicePen& pen);
    void RasterPolygon(std::span<const Point> points, std::span<const int32_t> counts);
    void RasterPath(const PathData& devicePath, bool fill, bool stroke);
    void RasterFillRegion(const Region& deviceRegion, const QBrush& brush, Rop2 mix);
    // Glyphs of one face at their positions (in the frame's units) from the
    // glyph mask cache, blended straight into the target image; false when
    // the device or the size leaves them to the painter.
    bool RasterGlyphs(uint64_t faceId, const QRawFont& font, std::span<const quint32> glyphs,
                      std::span<const QPointF> positions, const QTransform& frame, QRgb color, bool smooth,
                      const std::optional<QRect>& clipRect);
    template <typename Rects>
    void FillRects(const Rects& rects, const QBrush& brush, Rop2 mix);

    void InvalidateClip() { clipApplied_ = false; }

    QPainter* painter_ = nullptr;
    DeviceKind kind_;
    QTransform base_;
    bool clipApplied_ = false;
    std::optional<QRegion> appliedClip_;
};

}  // namespace gdi
