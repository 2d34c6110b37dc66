#include "platform/gdi/RecordingCanvas.h"

#include "platform/gdi/TextEngine.h"

#include <cmath>

namespace gdi {


RecordingCanvas::RecordingCanvas(const DeviceCaps& caps, DeviceKind kind) : Canvas(caps), kind_(kind) {}

RecordingCanvas::RecordingCanvas() : RecordingCanvas(ScreenCaps()) {}

RecordedCall& RecordingCanvas::Record(RecordedCall::Op op) {
    RecordedCall& call = calls_.emplace_back();
    call.op = op;
    call.state = state();
    return call;
}

void RecordingCanvas::DoLine(std::span<const Point> points) {
    Record(RecordedCall::Op::Line).points.assign(points.begin(), points.end());
}

void RecordingCanvas::DoBezier(std::span<const Point> points) {
    Record(RecordedCall::Op::Bezier).points.assign(points.begin(), points.end());
}

void RecordingCanvas::DoArc(const Rect& box, Point start, Point end) {
    RecordedCall& call = Record(RecordedCall::Op::Arc);
    call.rect = box;
    call.a = start;
    call.b = end;
}

void RecordingCanvas::DoShape(Shape shape, const Rect& box, Point a, Point b) {
    RecordedCall& call = Record(RecordedCall::Op::Shape);
    call.shape = shape;
    call.rect = box;
    call.a = a;
    call.b = b;
}

void RecordingCanvas::DoPolygon(std::span<const Point> points, std::span<const int32_t> counts) {
    RecordedCall& call = Record(RecordedCall::Op::Polygon);
    call.points.assign(points.begin(), points.end());
    call.counts.assign(counts.begin(), counts.end());
}

void RecordingCanvas::DoFillRegion(const Region& deviceRegion, const Brush& b, uint32_t rop) {
    RecordedCall& call = Record(RecordedCall::Op::FillRegion);
    call.region = deviceRegion;
    call.fillBrush = b;
    call.rop = rop;
}

void RecordingCanvas::DoPath(const PathData& devicePath, bool fill, bool stroke) {
    RecordedCall& call = Record(RecordedCall::Op::Path);
    call.path = devicePath;
    call.fill = fill;
    call.stroke = stroke;
}

void RecordingCanvas::DoText(int32_t x, int32_t y, uint32_t options, const Rect* rect, std::u16string_view text,
                             std::span<const int32_t> dx) {
    RecordedCall& call = Record(RecordedCall::Op::Text);
    call.points = {Point{x, y}};
    call.options = options;
    call.hasRect = rect != nullptr;
    if (rect) call.rect = *rect;
    call.text.assign(text);
    call.dx.assign(dx.begin(), dx.end());
}

void RecordingCanvas::DoStretchBlt(const Rect& dest, const Bitmap& src, const Rect& srcRect, uint32_t rop) {
    RecordedCall& call = Record(RecordedCall::Op::StretchBlt);
    call.rect = dest;
    call.bitmap = std::make_shared<const Bitmap>(src);
    call.srcRect = srcRect;
    call.rop = rop;
}

void RecordingCanvas::DoSetPixel(int32_t x, int32_t y, Color c) {
    RecordedCall& call = Record(RecordedCall::Op::SetPixel);
    call.points = {Point{x, y}};
    call.color = c;
}

TextMetrics RecordingCanvas::DoTextMetrics() { return TextEngine::MeasureMetrics(state().font); }

std::vector<int32_t> RecordingCanvas::DoPartialExtents(std::u16string_view text) {
    return TextEngine::MeasurePartialExtents(state().font, text);
}

std::string RecordingCanvas::DoTextFace() { return TextEngine::ResolvedFaceName(state().font); }

}  // namespace gdi
