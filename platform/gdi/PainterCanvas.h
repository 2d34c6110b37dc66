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

#include <QtGui/QTransform>

#include <functional>
#include <optional>

class QPainter;
class QImage;
class QPen;
class QBrush;
class QColor;
class QPointF;
class QSizeF;

namespace gdi {

struct OutlineTools;

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

private:
    using StrokeFunction = std::function<void(QPainter&)>;
    bool Prepare();
    bool IsRaster() const;
    // The image the painter draws on, when device pixels are its pixels.
    QImage* TargetImage() const;
    // Sets the composition for a mix mode; false when nothing is to be drawn.
    bool ApplyMix(Rop2 rop, QColor& color);
    // The mixed pen and brush of a filled outline; false when the mix draws nothing.
    bool MixOutlineTools(const XForm& m, OutlineTools& tools);
    QBrush MakeBrush(const Brush& b) const;
    // The pen's outline drawing of device points or a device path; empty for the null pen.
    StrokeFunction StrokeOf(const QPainterPath& devicePath);
    StrokeFunction StrokeOfPolyline(std::vector<QPoint> points);
    // Fills with the current brush and mix, then outlines, never touching a
    // pixel twice in an inverting mix.
    void FillAndStroke(const std::function<void(QPainter&, const QBrush&)>& fill, const StrokeFunction& stroke,
                       const QRect& bounds);
    void FillRegionRects(const QRegion& region, const QBrush& brush);
    void DrawThinShape(Shape shape, const Rect& device, QPointF a, QPointF b, QSizeF corner, bool clockwise,
                       std::optional<QColor> penColor);
    void InvalidateClip() { clipApplied_ = false; }

    QPainter* painter_ = nullptr;
    DeviceKind kind_;
    QTransform base_;
    bool clipApplied_ = false;
    std::optional<QRegion> appliedClip_;
};

}  // namespace gdi
