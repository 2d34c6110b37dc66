#include "foundation/DrawingHelpers.h"

#include "foundation/Codepage1252.h"
#include "foundation/Font.h"
#include "platform/gdi/RecordingCanvas.h"

void Draw3DFrame(gdi::Canvas& canvas, const TRect& rect, int32_t raised) {
    gdi::Color first = gdi::ResolveColor(gdi::SystemColor(gdi::COLOR_BTNHIGHLIGHT));
    gdi::Color second = gdi::ResolveColor(gdi::SystemColor(gdi::COLOR_BTNSHADOW));
    if (raised <= 0) std::swap(first, second);
    const gdi::Pen saved = canvas.pen();
    gdi::Pen pen;
    pen.color = first;
    canvas.SetPen(pen);
    canvas.MoveTo(rect.left, rect.bottom - 1);
    canvas.LineTo(rect.left, rect.top);
    canvas.LineTo(rect.right - 1, rect.top);
    pen.color = second;
    canvas.SetPen(pen);
    canvas.LineTo(rect.right - 1, rect.bottom - 1);
    canvas.LineTo(rect.left, rect.bottom - 1);
    canvas.SetPen(saved);
}

void DrawButtonFaceRect(gdi::Canvas& canvas, const TRect& rect, int32_t raised) {
    canvas.FillRect(rect, gdi::SolidBrush(gdi::ResolveColor(gdi::SystemColor(gdi::COLOR_BTNFACE))));
    Draw3DFrame(canvas, rect, raised);
}

double FontTextHeightMM(const TFont& font, const std::string& text) {
    constexpr int32_t kPixelsPerInch = 7200;
    TFont measured(kPixelsPerInch);
    measured.Assign(font);
    measured.SetSize(font.Size());
    gdi::DeviceCaps caps = gdi::ScreenCaps();
    caps.logPixelsX = caps.logPixelsY = kPixelsPerInch;
    gdi::RecordingCanvas canvas(caps, gdi::DeviceKind::Screen);
    canvas.SetFont(measured.ToLogFont());
    return canvas.TextExtent(AnsiToWide(text)).cy * 25.4 / kPixelsPerInch;
}
