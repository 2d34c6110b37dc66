#include "richtext/model/RtOHorzLine.h"

#include "foundation/Stream.h"
#include "platform/gdi/Canvas.h"

namespace {

constexpr int32_t kCreatedHeight = 40;
constexpr int32_t kThinRule = 30;

}  // namespace

TRtOHorzLine::TRtOHorzLine() {
    SetUsePageWidth(true);
    HeightTwips = kCreatedHeight;
}

void TRtOHorzLine::WriteHTML(TStream& stream) {
    const int32_t height = HeightTW();
    const std::string html =
        height < kThinRule ? std::string("<hr/>\r\n") : "<hr SIZE=" + std::to_string((height + 10) / 20) + "/>\r\n";
    stream.WriteBuffer(html.data(), static_cast<int64_t>(html.size()));
}

void TRtOHorzLine::Paint() {
    if (PaintCanvas) PaintCanvas->FillRect(PaintRect, gdi::SolidBrush(gdi::Rgb(0, 0, 0)));
}

void TRtOHorzLine::PaintTo(gdi::Canvas& canvas, const gdi::Rect& rect) {
    canvas.FillRect(rect, gdi::SolidBrush(gdi::Rgb(0, 0, 0)));
}
