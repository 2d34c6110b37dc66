#pragma once
// What the document window computes for painting its view, apart from the
// drawing: the fixed grid, the printer-margin lines and the clip regions of
// the label's zones.

#include "foundation/ScaleCanvas.h"
#include "platform/gdi/Region.h"

#include <vector>

class TEtikett;

// The grid of the view: a line every 5 mm from 0 across the label, whatever
// the snapping step.
inline constexpr float kViewGridStep = 5.0f;
// The positions (mm) of the grid lines across a label length: 0, 5, ...,
// 5 x Trunc(length / 5). None for a length that is no number or below 0.
std::vector<float> ViewGridLines(float lengthMM);

// How far the printer's unprintable border reaches into the first label
// (left, top) and the last label (right, bottom) of the sheet as displayed,
// in mm: a positive left or top, or a negative right or bottom, means the
// printer cannot print that far into the label.
struct TPrinterMargins {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
    friend bool operator==(const TPrinterMargins&, const TPrinterMargins&) = default;
};

// From the printer's unprintable borders of the portrait page (mm) and the
// sheet; a landscape sheet turns the values: (-bottom, left, -top, right).
TPrinterMargins ComputePrinterMargins(double borderLeft, double borderTop, double borderRight, double borderBottom,
                                      const TEtikett& sheet);

// A margin is drawn when it reaches more than this into the label (mm).
inline constexpr double kPrinterMarginThreshold = 0.12;

// One printer-margin line on the displayed label: a vertical line at x =
// Position mm (from top to bottom of the label), or a horizontal one at y =
// Position mm.
struct TMarginLine {
    bool Vertical = false;
    double Position = 0;
    friend bool operator==(const TMarginLine&, const TMarginLine&) = default;
};

// The lines to draw on a displayed label of width x height mm: left, top,
// right and bottom, each only beyond the threshold.
std::vector<TMarginLine> PrinterMarginLines(const TPrinterMargins& margins, double width, double height);

// The label's clip zones on the canvas, followed by the zone of everything
// outside them: a rectangle reaching 5000 pixels beyond the client area on
// every side, less every zone's area (holes included: they belong to their disc).
std::vector<TClipZone> BuildViewClipRegions(const TEtikett& sheet, const TScaleCanvas& canvas, int clientWidth,
                                              int clientHeight);
