#include "app/ChildGeometry.h"

#include "document/Etikett.h"
#include "foundation/Rounding.h"
#include "foundation/ScaleCanvas.h"

#include <cmath>

namespace {

// Pixels the outside region reaches beyond the client area.
constexpr int kOutsideReach = 5000;
// A grid of more lines than this is no grid a screen can show.
constexpr float kMaxGridLength = kViewGridStep * 100000;

}  // namespace

std::vector<float> ViewGridLines(float lengthMM) {
    std::vector<float> lines;
    if (!(lengthMM >= 0)) return lines;
    const int32_t count = Trunc(std::min(lengthMM, kMaxGridLength) / kViewGridStep);
    lines.reserve(static_cast<size_t>(count) + 1);
    for (int32_t i = 0; i <= count; ++i) lines.push_back(static_cast<float>(i) * kViewGridStep);
    return lines;
}

TPrinterMargins ComputePrinterMargins(double borderLeft, double borderTop, double borderRight, double borderBottom,
                                      const TEtikett& sheet) {
    const double w = sheet.LabelWidth;
    const double h = sheet.LabelHeight;
    const double columns = sheet.Columns;
    const double rows = sheet.Rows;
    TPrinterMargins m;
    m.Left = borderLeft - sheet.MarginLeft;
    m.Top = borderTop - sheet.MarginTop;
    m.Right = sheet.PageWidth - borderRight - (columns * w + sheet.MarginLeft + (columns - 1) * sheet.GapX);
    m.Bottom = sheet.PageHeight - borderBottom - (rows * h + sheet.MarginTop + (rows - 1) * sheet.GapY);
    if (sheet.Orientation == 1) m = {-m.Bottom, m.Left, -m.Top, m.Right};
    return m;
}

std::vector<TMarginLine> PrinterMarginLines(const TPrinterMargins& margins, double width, double height) {
    std::vector<TMarginLine> lines;
    if (margins.Left > kPrinterMarginThreshold) lines.push_back({true, margins.Left});
    if (margins.Top > kPrinterMarginThreshold) lines.push_back({false, margins.Top});
    if (margins.Right < -kPrinterMarginThreshold) lines.push_back({true, width + margins.Right});
    if (margins.Bottom < -kPrinterMarginThreshold) lines.push_back({false, height + margins.Bottom});
    return lines;
}

std::vector<TClipZone> BuildViewClipRegions(const TEtikett& sheet, const TScaleCanvas& canvas, int clientWidth,
                                            int clientHeight) {
    std::vector<TClipZone> zones;
    sheet.BuildClipRegions(canvas, zones);
    gdi::Region outside = gdi::Region::FromRect(
        {-kOutsideReach, -kOutsideReach, clientWidth + kOutsideReach, clientHeight + kOutsideReach});
    for (const TClipZone& zone : zones) outside.Combine(outside, zone.Area, gdi::RegionCombine::Diff);
    zones.push_back(WholeZone(outside));
    return zones;
}
