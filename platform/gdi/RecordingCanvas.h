#pragma once
// A canvas that keeps the output calls it receives, each with the state it
// was made in. Tests look at the calls; the metafile writer turns them into
// records. Text is measured as on an off-screen bitmap of the same resolution.

#include "platform/gdi/Canvas.h"

#include <memory>

namespace gdi {

struct RecordedCall {
    enum class Op { Line, Bezier, Arc, Shape, Polygon, FillRegion, Path, Text, StretchBlt, SetPixel };
    Op op = Op::Line;
    Canvas::Shape shape = Canvas::Shape::Rectangle;  // for Op::Shape
    std::vector<Point> points;                       // logical units (Line, Bezier, Polygon; Text: the
                                                     // reference point); SetPixel: the device point
    std::vector<int32_t> counts;                     // Polygon: points per polygon
    Rect rect;                                       // Arc, Shape, StretchBlt destination; Text rectangle
    Point a, b;                                      // Arc and Shape: radials or corner size
    Region region;                                   // FillRegion (device units)
    Brush fillBrush;                                 // FillRegion
    uint32_t rop = 0;                                // FillRegion, StretchBlt
    PathData path;                                   // Path (device units)
    bool fill = false, stroke = false;               // Path
    std::u16string text;                             // Text
    std::vector<int32_t> dx;                         // Text advances
    uint32_t options = 0;                            // Text
    bool hasRect = false;                            // Text: a rectangle was given
    std::shared_ptr<const Bitmap> bitmap;            // StretchBlt source
    Rect srcRect;                                    // StretchBlt
    Color color = 0;                                 // SetPixel
    Canvas::State state;                             // the canvas state at the call
};

class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(const DeviceCaps& caps, DeviceKind kind = DeviceKind::Metafile);
    RecordingCanvas();  // a 96-dpi metafile recording

    DeviceKind Kind() const override { return kind_; }
    const std::vector<RecordedCall>& Calls() const { return calls_; }
    void Clear() { calls_.clear(); }
    // Lets tests stand in for another device (a fake printer of any resolution).
    void SetDeviceCaps(const DeviceCaps& caps) { SetCaps(caps); }

protected:
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
    TextMetrics DoTextMetrics() override;
    std::vector<int32_t> DoPartialExtents(std::u16string_view text) override;
    std::string DoTextFace() override;

private:
    RecordedCall& Record(RecordedCall::Op op);
    DeviceKind kind_;
    std::vector<RecordedCall> calls_;
};


}  // namespace gdi
