#include "figures/RTFEllipseDrawer.h"

#include "figures/RTFTextMeasurer.h"
#include "foundation/CharsetText.h"
#include "foundation/Matrix.h"
#include "foundation/Rounding.h"
#include "foundation/ScaleCanvas.h"
#include "shapes/KonturList.h"
#include "shapes/PolyPolygonData.h"
#include "shapes/RenderMan.h"
#include "shapes/TTFConverter.h"

#include <algorithm>
#include <chrono>
#include <cmath>

uint32_t LastCircleDrawTime = 0;

namespace {

constexpr double kPi = M_PI;
// Draws that take longer switch the screen to outlines (ms).
constexpr uint32_t kSlowDrawTime = 100;
// Fonts smaller than this (device units) are greeked on the screen.
constexpr int32_t kSmallestReadableFont = 6;
// The em of the glyph outlines of the outline method.
constexpr int32_t kOutlineEm = 1000;
// The escapement (tenths of a degree) characters are measured at.
constexpr int32_t kMeasureEscapement = 10;
// A character's turn is never quite 0, so its font always carries one.
constexpr double kSmallestTurn = 0.1;

uint32_t SteadyMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

std::function<uint32_t()>& CircleDrawClock() {
    static std::function<uint32_t()> clock = SteadyMilliseconds;
    return clock;
}

double Degrees(double radians) { return radians * 180 / kPi; }
double Radians(double degrees) { return degrees * kPi / 180; }

double MinimalTurn(double theta) { return std::fabs(theta) < kSmallestTurn ? kSmallestTurn : theta; }

void NormaliseRing(TCircleLayout& layout) {
    if (!std::isfinite(layout.StartAngle)) return;
    if (layout.StartAngle < 0) {
        const double turns = std::ceil(-layout.StartAngle / (2 * kPi));
        layout.StartAngle += turns * 2 * kPi;
        layout.EndAngle += turns * 2 * kPi;
    }
}

}  // namespace

void SetCircleDrawClock(std::function<uint32_t()> clock) {
    CircleDrawClock() = clock ? std::move(clock) : std::function<uint32_t()>(SteadyMilliseconds);
}

TCircleLayout LayoutOnCircle(const TRTFTokenList& tokens, float capHeight, float totalWidth, uint8_t placement,
                             float radius, float angle, float spacing, uint8_t alignment) {
    TCircleLayout layout;
    if (alignment == kAlignJustify) alignment = kAlignCenter;
    const bool top = placement == kCircleTop;
    const double rho = top ? static_cast<double>(radius) - capHeight : radius;
    layout.BaselineRadius = rho;
    // The baseline circle must have room: it is what the layout divides by.
    if (!(rho > 0)) return layout;
    const double sweep = totalWidth / rho * spacing;
    const double alpha = Radians(angle);
    double s;
    if (top) {
        s = alignment == kAlignLeft ? alpha - kPi : alignment == kAlignCenter ? alpha - kPi / 2 - sweep / 2 : alpha - sweep;
        layout.StartAngle = s;
        layout.EndAngle = s + sweep;
    } else {
        s = alignment == kAlignLeft ? alpha + kPi : alignment == kAlignCenter ? alpha + kPi / 2 + sweep / 2 : alpha + sweep;
        layout.StartAngle = s - sweep;
        layout.EndAngle = s;
    }
    layout.SweepAngle = sweep;
    NormaliseRing(layout);
    const double direction = top ? 1 : -1;
    layout.Places.reserve(tokens.size());
    for (const TRTFTokenList::Record& token : tokens.Records()) {
        const double w = token.Width;
        const double half = w / 2 / rho;
        const double middle = s + direction * half;
        const double theta = MinimalTurn(Degrees(middle) + direction * 90);
        // From the baseline start out to the cell's top, with the sag of the
        // chord under the arc.
        const double lift = tokens.Style(token).Ascent + (1 - std::cos(half)) * rho / 2;
        const double toward = Radians(theta - 90);
        TCircleCharPlace& place = layout.Places.emplace_back();
        place.Start = s;
        place.Theta = theta;
        place.Reference = {static_cast<float>(rho * std::cos(s) + std::cos(toward) * lift),
                           static_cast<float>(rho * std::sin(s) + std::sin(toward) * lift)};
        s += direction * spacing * w / rho;
        place.End = s;
    }
    return layout;
}

TRTFEllipseDrawer::TRTFEllipseDrawer() {
    PerCharacter = true;
}

void TRTFEllipseDrawer::Measure(int32_t pixelsPerInch) {
    Tokens.KeepIf([](const TRTFTokenList::Record& t) { return t.Kind < kTokenParagraph; });
    Tokens.KeepAdvances(false);
    CapHeight = 0;
    TotalWidth = 0;
    const float mm = MillimetresPerPixel(pixelsPerInch);
    TRTFTextMeasurer& measurer = Measurer();
    for (TRTFTokenList::Record& token : Tokens.Records()) {
        TRTFTokenStyle& style = Tokens.Style(token);
        ResolveDefaultFace(style.Font);
        gdi::LogFont font = TokenLogFont(style.Font, pixelsPerInch);
        font.escapement = font.orientation = kMeasureEscapement;
        const gdi::TextMetrics metrics = measurer.Select(font);
        int64_t width = 0;
        for (char16_t unit : CharsetToWide(Tokens.Text(token), style.Font.Charset)) width += measurer.Advance(unit);
        token.Width = static_cast<float>(width) * mm;
        style.Height = static_cast<float>(metrics.height + metrics.externalLeading) * mm;
        style.Ascent = static_cast<float>(metrics.ascent + metrics.externalLeading) * mm;
        CapHeight = std::max(CapHeight, style.Ascent - static_cast<float>(metrics.internalLeading) * mm);
        TotalWidth += token.Width;
    }
}

void TRTFEllipseDrawer::DrawOnCircle(TScaleCanvas& canvas, uint8_t placement, float cx, float cy, float radius,
                                     float angle, float spacing, uint8_t alignment, TTextRing& ring) {
    if (Tokens.empty() || !(radius > 0)) return;
    const TCircleLayout layout =
        LayoutOnCircle(Tokens, CapHeight, TotalWidth, placement, radius, angle, spacing, alignment);
    if (layout.Places.empty()) return;
    const bool top = placement == kCircleTop;
    ring.InnerRadius = canvas.MMToPixel(static_cast<float>(top ? layout.BaselineRadius : radius - CapHeight));
    ring.OuterRadius = canvas.MMToPixel(radius);
    ring.StartAngle = layout.StartAngle;
    ring.EndAngle = layout.EndAngle;
    ring.SweepAngle = layout.SweepAngle;

    canvas.Brush().style = gdi::BrushStyle::Null;
    const std::vector<TCharDraw> chars = VisibleChars(canvas, layout, cx, cy);
    if (canvas.Canvas().IsPrinter()) {
        DrawExact(canvas, chars, layout, cx, cy);
    } else if (LastCircleDrawTime <= kSlowDrawTime) {
        const uint32_t started = CircleDrawClock()();
        DrawExact(canvas, chars, layout, cx, cy);
        LastCircleDrawTime = CircleDrawClock()() - started;
    } else {
        DrawOutlines(canvas, chars);
    }
    canvas.Font().SetCharset(gdi::DEFAULT_CHARSET);
}

std::vector<TRTFEllipseDrawer::TCharDraw> TRTFEllipseDrawer::VisibleChars(TScaleCanvas& canvas,
                                                                          const TCircleLayout& layout, float cx,
                                                                          float cy) {
    std::vector<TCharDraw> chars;
    const TRect& visible = canvas.VisibleRect;
    for (size_t i = 0; i < Tokens.size(); ++i) {
        const TRTFTokenList::Record& token = Tokens.At(i);
        const TCircleCharPlace& place = layout.Places[i];
        const gdi::Point at{canvas.MMToPixelX(cx + place.Reference.X), canvas.MMToPixelY(cy + place.Reference.Y)};
        const int64_t d = canvas.MMToPixel((Tokens.Style(token).Height + token.Width) * 0.75f);
        const bool meets = int64_t{at.x} + d >= visible.left && int64_t{at.x} - d <= visible.right &&
                           int64_t{at.y} + d >= visible.top && int64_t{at.y} - d <= visible.bottom;
        if (meets) chars.push_back({&token, &place, at});
    }
    return chars;
}

void TRTFEllipseDrawer::DrawExact(TScaleCanvas& canvas, const std::vector<TCharDraw>& chars,
                                  const TCircleLayout& layout, float cx, float cy) {
    gdi::Canvas& dc = canvas.Canvas();
    const int32_t saved = dc.SaveDC();
    dc.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
    dc.SetBkMode(gdi::BkMode::Transparent);
    const int32_t resolution = canvas.FontPixelsPerInch > 0 ? canvas.FontPixelsPerInch : dc.Caps().logPixelsY;
    const int32_t z = Round(static_cast<long double>(resolution) * canvas.Zoom);
    const bool printer = dc.IsPrinter();
    for (const TCharDraw& c : chars) {
        const std::string_view text = Tokens.Text(*c.Token);
        const TRTFSave& style = Tokens.Style(*c.Token).Font;
        if (text.empty()) continue;
        gdi::LogFont font = TokenLogFont(style, z);
        font.escapement = font.orientation = Round(-c.Place->Theta * 10);
        if (std::abs(font.height) >= kSmallestReadableFont || printer) {
            dc.SetFont(font);
            dc.SetTextColor(style.FontColor);
            dc.ExtTextOut(c.At.x, c.At.y, 0, nullptr, CharsetToWide(text, style.Charset));
        } else if (text != " ") {
            DrawGreekedChar(canvas, c, layout, cx, cy);
        }
    }
    dc.RestoreDC(saved);
}

void TRTFEllipseDrawer::DrawGreekedChar(TScaleCanvas& canvas, const TCharDraw& c, const TCircleLayout& layout,
                                        float cx, float cy) {
    const double rho = layout.BaselineRadius;
    const auto baseline = [&](double at) {
        return gdi::Point{canvas.MMToPixelX(static_cast<float>(cx + rho * std::cos(at))),
                          canvas.MMToPixelY(static_cast<float>(cy + rho * std::sin(at)))};
    };
    const double toward = Radians(c.Place->Theta - 90);
    const float rise = 0.7f * Tokens.Style(*c.Token).Ascent;
    const gdi::Point up{canvas.MMToPixel(static_cast<float>(std::cos(toward) * rise)),
                        canvas.MMToPixel(static_cast<float>(std::sin(toward) * rise))};
    const gdi::Point p0 = baseline(c.Place->Start), p1 = baseline(c.Place->End);
    const gdi::Point frame[5] = {p0, p1, {p1.x + up.x, p1.y + up.y}, {p0.x + up.x, p0.y + up.y}, p0};
    gdi::Canvas& dc = canvas.Canvas();
    gdi::Pen pen;
    pen.color = Tokens.Style(*c.Token).Font.FontColor;
    dc.SetPen(pen);
    dc.Polyline(frame);
}

void TRTFEllipseDrawer::DrawOutlines(TScaleCanvas& canvas, const std::vector<TCharDraw>& chars) {
    gdi::Canvas& dc = canvas.Canvas();
    dc.pen().style = gdi::PenStyle::Null;
    const int32_t pixelsPerInch = Round(static_cast<long double>(dc.Caps().logPixelsY) * canvas.Zoom);
    TTTFConverter converter;
    TKonturList outline;
    TRenderMan renderer;
    TPolyPolygonData polygons;
    for (const TCharDraw& c : chars) {
        const std::string_view text = Tokens.Text(*c.Token);
        const TRTFTokenStyle& style = Tokens.Style(*c.Token);
        const TRTFSave& token = style.Font;
        if (text.empty()) continue;
        const float f = static_cast<float>(MulDiv(token.FontSize, pixelsPerInch, 72));
        TMatrix3 matrix = kIdentityMatrix;
        MatrixScale(matrix, f / kOutlineEm, f / kOutlineEm);
        MatrixTranslate(matrix, 0, static_cast<float>(canvas.MMToPixel(style.Ascent)));
        MatrixRotate(matrix, static_cast<float>(c.Place->Theta));
        MatrixTranslate(matrix, static_cast<float>(c.At.x), static_cast<float>(c.At.y));
        converter.Font.SetName(token.FontName);
        converter.Font.SetStyle(token.FontStyle);
        converter.Font.SetCharset(token.Charset);
        converter.Font.SetHeight(-kOutlineEm);
        outline.Clear();
        for (char16_t unit : CharsetToWide(text, token.Charset)) converter.UnicodeCharToKonturList(outline, unit);
        renderer.RenderPlain(outline, polygons, matrix);
        dc.SetBrush(gdi::SolidBrush(token.FontColor));
        polygons.DrawPolygons(dc);
    }
    dc.pen().style = gdi::PenStyle::Solid;
}
