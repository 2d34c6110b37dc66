#include "foundation/ScaleCanvas.h"

#include "foundation/Codepage1252.h"
#include "foundation/Rounding.h"
#include "platform/gdi/QtConvert.h"
#include "platform/gdi/RecordingCanvas.h"
#include "platform/printer/Printer.h"

#include <algorithm>
#include <array>
#include <optional>

TScaleCanvas::TScaleCanvas(gdi::Canvas* canvas) : canvas_(canvas), fontMM_(gdi::ScreenCaps().logPixelsY) {
    fontMM_.AssignLogFont(canvas_->font());
    fontMM_.SetHeight(canvas_->font().height);
    fontMM_.SetColor(canvas_->TextColor());
    fontMM_.OnChange = [this] { FontChanged(); };
    Recalculate();
}

void TScaleCanvas::Recalculate() {
    TScaler::Recalculate();
    FontChanged();
}

bool TScaleCanvas::PrintingOnPrinter() const {
    if (!canvas_->IsPrinter()) return false;
    gdi::Printer& printer = gdi::CurrentPrinter();
    return printer.Printing() && &printer.GetCanvas() == canvas_;
}

gdi::Canvas* TScaleCanvas::PrinterMappingTarget() const {
    if (canvas_->IsPrinter()) return canvas_;
    gdi::Printer& printer = gdi::CurrentPrinter();
    return printer.Printing() ? &printer.GetCanvas() : nullptr;
}

void TScaleCanvas::Reset(int32_t kind) {
    TScaler::Reset(kind);
    if (kind != kResetPrinter) return;
    const gdi::DeviceCaps caps = gdi::CurrentPrinter().Caps();
    const int32_t x = caps.logPixelsX;
    const int32_t y = caps.logPixelsY;
    if (x == y) return;
    // Logical units become square at the larger of the two resolutions.
    const int32_t larger = std::max(x, y);
    if (gdi::Canvas* target = PrinterMappingTarget()) {
        target->SetMapMode(gdi::MapMode::Anisotropic);
        target->SetWindowExt(larger, larger);
        target->SetViewportExt(x, y);
    }
    if (y < x) FontPixelsPerInch = x;
    const float resolution = static_cast<float>(larger / 25.4L);
    ResolutionX = resolution;
    SetResolutionY(resolution);
}

bool TScaleCanvas::IsScreen() const {
    return !(canvas_->IsMetafile() || canvas_->IsPrinter());
}

void TScaleCanvas::FontChanged() {
    gdi::LogFont device = fontMM_.ToLogFont();
    const bool printing = PrintingOnPrinter();
    devicePixelsPerInch_ = printing ? canvas_->Caps().logPixelsY : gdi::ScreenCaps().logPixelsY;
    int32_t h = Trunc(static_cast<long double>(fontMM_.Height()) * Zoom * devicePixelsPerInch_ /
                      fontMM_.PixelsPerInch());
    const gdi::DeviceCaps& caps = canvas_->Caps();
    if (printing && caps.logPixelsY < caps.logPixelsX)
        h = Round(static_cast<long double>(h) * caps.logPixelsX / caps.logPixelsY);
    device.height = h;
    canvas_->SetFont(device);
    canvas_->SetTextColor(fontMM_.Color());
    TextSuppressed = h == 0;
}

TFont& TScaleCanvas::Font() {
    // Read the device font whole first: taking its name rebuilds it from FontMM.
    const gdi::LogFont device = canvas_->font();
    const std::string deviceName = UnicodeToAnsi(QString::fromStdString(device.faceName));
    if (deviceName != fontMM_.Name()) fontMM_.SetName(deviceName);
    const TFontStyles deviceStyle = static_cast<TFontStyles>(
        (device.weight >= gdi::FW_BOLD ? fsBold : 0) | (device.italic ? fsItalic : 0) |
        (device.underline ? fsUnderline : 0) | (device.strikeOut ? fsStrikeOut : 0));
    if (deviceStyle != fontMM_.Style()) fontMM_.SetStyle(deviceStyle);
    const long double p = FontPixelsPerInch > 0 ? FontPixelsPerInch : devicePixelsPerInch_;
    if (Trunc(fontMM_.Height() * static_cast<long double>(Zoom) * p / fontMM_.PixelsPerInch()) != device.height)
        fontMM_.SetHeight(Trunc(device.height / static_cast<long double>(Zoom) / p * fontMM_.PixelsPerInch()));
    return fontMM_;
}

void TScaleCanvas::AssignFont(const TFont& font) {
    fontMM_.Assign(font);
    FontChanged();
}

void TScaleCanvas::SetFontAngle(float angle) {
    const int32_t e = Round(-static_cast<long double>(angle) * 10);
    // Only a new escapement rebuilds the device font: what was set on the
    // device font directly (a weight, say) stays otherwise.
    if (fontMM_.Escapement() != e) {
        fontMM_.SetEscapement(e, e);
        FontChanged();
    }
    if (canvas_->font().escapement != e) {
        canvas_->font().escapement = e;
        canvas_->font().orientation = e;
    }
}

// ---- drawing

void TScaleCanvas::MoveTo(float x, float y) {
    canvas_->MoveTo(MMToPixelX(x), MMToPixelY(y));
}

void TScaleCanvas::LineTo(float x, float y) {
    canvas_->LineTo(MMToPixelX(x), MMToPixelY(y));
}

void TScaleCanvas::Line(float x1, float y1, float x2, float y2) {
    MoveTo(x1, y1);
    LineTo(x2, y2);
}

void TScaleCanvas::Rectangle(float l, float t, float r, float b) {
    const int32_t L = MMToPixelX(l), T = MMToPixelY(t), R = MMToPixelX(r), B = MMToPixelY(b);
    const std::array<gdi::Point, 5> outline{{{L, T}, {R, T}, {R, B}, {L, B}, {L, T}}};
    canvas_->Polygon(outline);
}

void TScaleCanvas::RotatedRectangle(float l, float t, float r, float b, float angle) {
    DrawRotatedRect(*this, l, t, r, b, (l + r) / 2, (t + b) / 2, angle);
}

void TScaleCanvas::FillRect(float l, float t, float r, float b) {
    canvas_->FillRect(MMRectToPixel(l, t, r, b));
}

void TScaleCanvas::Ellipse(float l, float t, float r, float b) {
    canvas_->Ellipse(MMToPixelX(l), MMToPixelY(t), gdi::Saturated(int64_t{MMToPixelX(r)} + 1),
                     gdi::Saturated(int64_t{MMToPixelY(b)} + 1));
}

void TScaleCanvas::EllipseBezier(float l, float t, float r, float b) {
    DrawBezierEllipse(*canvas_, MMToPixelX((l + r) / 2), MMToPixelY((t + b) / 2), MMToPixel(r - l), MMToPixel(b - t));
}

void TScaleCanvas::PolygonMM(std::span<const TFloatPoint> points) {
    std::vector<gdi::Point> device;
    device.reserve(points.size());
    for (const TFloatPoint& p : points) device.push_back({MMToPixelX(p.X), MMToPixelY(p.Y)});
    canvas_->Polygon(device);
}

void TScaleCanvas::TextOut(const std::string& text, float x, float y) {
    if (TextSuppressed) return;
    canvas_->TextOut(MMToPixelX(x), MMToPixelY(y), AnsiToWide(text));
}

float TScaleCanvas::TextWidthMM(const std::string& text) {
    return PixelToMM(canvas_->TextExtent(AnsiToWide(text)).cx);
}

float TScaleCanvas::TextHeightMM(const std::string& text) {
    return PixelToMM(canvas_->TextExtent(AnsiToWide(text)).cy);
}

void TScaleCanvas::SetPenWidthMM(float w) {
    canvas_->pen().width = std::max(0, MMToPixel(w));
}

TRect TScaleCanvas::GetClipRect() const {
    // The clip region is kept in device units; without one, the device's
    // surface (unbounded when it has no size).
    const gdi::DeviceCaps& caps = canvas_->Caps();
    const bool sized = caps.horzRes > 0 && caps.vertRes > 0;
    const TRect surface = sized ? TRect{0, 0, caps.horzRes, caps.vertRes} : TRect{gdi::kPlaneMin, gdi::kPlaneMin, gdi::kPlaneMax, gdi::kPlaneMax};
    const std::optional<gdi::Region> clip = canvas_->GetClipRgn();
    return clip ? gdi::IntersectRect(clip->Box(), surface) : surface;
}

TPoint TScaleCanvas::MMPointToPixel(float x, float y) const {
    return {MMToPixelX(x), MMToPixelY(y)};
}

bool TScaleCanvas::PtInRegionLP(const gdi::Region& region, int32_t x, int32_t y) const {
    const gdi::Point device = canvas_->LPtoDP({x, y});
    return region.Contains(device.x, device.y);
}

// ---- geometry routines

void DrawRotatedRect(TScaleCanvas& canvas, float l, float t, float r, float b, float cx, float cy, float angle) {
    const TFloatPoint centre{cx, cy};
    const std::array<TFloatPoint, 5> corners{{{l, t}, {r, t}, {r, b}, {l, b}, {l, t}}};
    std::array<gdi::Point, 5> device;
    for (size_t i = 0; i < corners.size(); ++i) {
        const TFloatPoint turned = RotateFloatPointAbout(corners[i], centre, angle);
        device[i] = {canvas.MMToPixelX(turned.X), canvas.MMToPixelY(turned.Y)};
    }
    canvas.Canvas().Polygon(device);
}

void DrawBezierEllipse(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t w, int32_t h) {
    constexpr long double kHalfCircleConstant = 0.2761423749154L;
    // Sums in 64 bits, saturated: an ellipse near the ends of the range must not wrap round.
    const auto at = [](int64_t v) { return gdi::Saturated(v); };
    const int64_t kx = Round(w * kHalfCircleConstant);
    const int64_t ky = Round(h * kHalfCircleConstant);
    const int64_t hw = w / 2;
    const int64_t hh = h / 2;
    const int32_t L = at(cx - hw), R = at(cx + hw - 1), T = at(cy - hh), B = at(cy + hh - 1);
    const int32_t left = at(cx - kx), right = at(cx + kx), up = at(cy - ky), down = at(cy + ky);
    const std::array<gdi::Point, 13> points{{{L, cy}, {L, up}, {left, T}, {cx, T}, {right, T},
                                             {R, up}, {R, cy}, {R, down}, {right, B}, {cx, B},
                                             {left, B}, {L, down}, {L, cy}}};
    canvas.PolyBezier(points);
}
