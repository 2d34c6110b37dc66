#include "foundation/CircleText.h"

#include "foundation/Codepage1252.h"
#include "foundation/Rounding.h"
#include "foundation/TtfHelp.h"
#include "foundation/ZRRegIniFile.h"
#include "platform/printer/Printer.h"

#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.1415;
constexpr double kQuarterTurn = 1.57075;

double Rad(double degrees) { return degrees * kPi / 180; }
double Deg(double radians) { return radians / (kPi / 180); }

void SetEscapement(gdi::Canvas& canvas, int32_t tenths) {
    canvas.font().escapement = tenths;
    canvas.font().orientation = tenths;
}

// Half the rectangle's width, truncated; 64 bits, as the width of a
// rectangle near the ends of the range exceeds 32 bits.
int32_t CircleRadius(const gdi::Rect& rect) { return gdi::Saturated((int64_t{rect.right} - rect.left) / 2); }

}  // namespace

bool UseRotatedFonts(gdi::Canvas& canvas) {
    if (!canvas.IsPrinter()) return true;
    gdi::Printer& printer = gdi::CurrentPrinter();
    if (!printer.Printing() || &printer.GetCanvas() != &canvas) return true;
    return Settings().ReadInteger("Drucker", "NoRotate", 0) != 1;
}

void DrawTextOnCircle(gdi::Canvas& canvas, const gdi::Rect& rect, int32_t mode, double angle, const std::string& text,
                      double spacing, TCircleTextGeometry& geometry) {
    const int32_t r = CircleRadius(rect);
    if (r == 0) return;
    DrawTextOnCircle(canvas, rect, mode, angle, text, spacing, geometry, UseRotatedFonts(canvas));
}

void DrawTextOnCircle(gdi::Canvas& canvas, const gdi::Rect& rect, int32_t mode, double angle, const std::string& text,
                      double spacing, TCircleTextGeometry& geometry, bool rotatedFonts) {
    const int32_t r = CircleRadius(rect);
    if (r == 0) return;
    // Positions are worked out in 64 bits and saturate at the device.
    const int64_t cx = int64_t{rect.left} + r, cy = int64_t{rect.top} + r;
    const bool lower = mode == kCircleTextLower;
    const std::u16string wide = AnsiToWide(text);
    const gdi::TextMetrics tm = canvas.GetTextMetrics();

    int64_t baseRadius;
    if (lower) {
        baseRadius = int64_t{r} - tm.height;
        canvas.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
    } else {
        baseRadius = int64_t{r} - tm.ascent - 1;
        canvas.SetTextAlign(gdi::TA_LEFT | gdi::TA_BOTTOM);
    }
    geometry.Radius = r;
    geometry.BaseRadius = gdi::Saturated(baseRadius);
    if (!rotatedFonts) baseRadius = lower ? int64_t{r} - tm.descent : int64_t{r} + tm.descent - tm.ascent;

    // prefix[i]: the width of the first i characters.
    std::vector<int32_t> prefix(wide.size() + 1, 0);
    const std::vector<int32_t> extents = canvas.PartialExtents(wide);
    for (size_t i = 0; i < wide.size() && i < extents.size(); ++i) prefix[i + 1] = extents[i];
    const double first = wide.empty() ? 0 : canvas.TextExtent(wide.substr(0, 1)).cx;
    const double last = wide.empty() ? 0 : canvas.TextExtent(wide.substr(wide.size() - 1)).cx;
    const double length = last + (prefix.back() - last) * spacing;
    geometry.Span = length / r;

    double start;
    if (lower) {
        start = Rad(angle + 90) + geometry.Span / 2;
        geometry.StartAngle = start;
        geometry.EndAngle = start - geometry.Span;
    } else {
        start = Rad(angle - 90) - geometry.Span / 2;
        geometry.StartAngle = start + first / (2.0 * r);
        geometry.EndAngle = start + geometry.Span;
    }

    const double half = tm.aveCharWidth / 2.0;
    const double R0 = baseRadius;
    const gdi::Color textColor = canvas.TextColor();
    for (size_t i = 0; i < wide.size(); ++i) {
        const double pre = i == 0 ? 0 : prefix[i] * spacing;
        double theta, glyphAngle;
        int64_t x, y;
        int32_t escapement;
        if (lower) {
            theta = first / (2.0 * r) + start - pre / r;
            x = cx + Trunc(R0 * std::cos(-theta) + half * std::cos(kQuarterTurn - theta));
            y = cy - Trunc(R0 * std::sin(-theta) + half * std::sin(kQuarterTurn - theta));
            escapement = Round(10 * (Deg(half * 2.5 / r - theta) + 90));
            glyphAngle = half * 2.5 / r - theta + kQuarterTurn;
        } else {
            theta = -pre / r - start - first / (2.0 * r);
            x = cx + Trunc(R0 * std::cos(theta) + half * std::cos(theta + kQuarterTurn));
            y = cy - Trunc(R0 * std::sin(theta) + half * std::sin(theta + kQuarterTurn));
            escapement = Round(10 * (Deg(theta - half / (2.0 * r)) - 90));
            glyphAngle = theta - half / (2.0 * r) - kQuarterTurn;
        }
        if (rotatedFonts) {
            SetEscapement(canvas, escapement);
            canvas.SetBrush(gdi::NullBrush());
            canvas.SetBkMode(gdi::BkMode::Transparent);
            canvas.TextOut(gdi::Saturated(x), gdi::Saturated(y), wide.substr(i, 1));
        } else {
            canvas.SetBrush(gdi::SolidBrush(textColor));
            canvas.pen().style = gdi::PenStyle::Null;
            DrawGlyph(canvas, wide[i], gdi::Saturated(x), gdi::Saturated(y), glyphAngle);
        }
    }
    canvas.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
    SetEscapement(canvas, 0);
}
