#pragma once
// A label text wrapped into lines for a width in millimetres and drawn in a
// box, turned about the box's centre by any angle. The lines come from the
// measurements at the fixed resolution, so they break alike on every device
// and at every zoom; on the device every glyph is placed at its measured
// millimetre advance. Used by the text figures, the table cells and the
// document preview.

#include "figures/RTFBasicDrawer.h"
#include "figures/RTFLine.h"
#include "foundation/PointHelpers.h"

#include <cstdint>
#include <string>
#include <vector>

class TCustomScaler;
class TScaleCanvas;

// Vertical alignments of DrawInRect.
constexpr uint8_t kVAlignTop = 0;
constexpr uint8_t kVAlignCenter = 1;
constexpr uint8_t kVAlignBottom = 2;

class TRTFDrawer : public TRTFBasicDrawer {
public:
    TRTFDrawer();

    void SetRTF(const std::string& rtf) override;
    void Clear() override;

    // Wraps the tokens into Lines for the width (mm). A word wider than the
    // width stays alone on its line; a negative width gives no lines.
    void BreakLines(float width);
    // Draws the text in the box of centre (cx, cy) and size (w, ht), turned
    // clockwise by angle degrees: every line aligned by h (the RTF's own
    // alignment is not used), the block placed by v but never above the box,
    // lines below the box left out. The first line is always drawn. Returns
    // the device rectangle of the text, unturned.
    TRect DrawInRect(TScaleCanvas& canvas, uint8_t h, float cx, float cy, float w, float ht, float angle, uint8_t v);
    // The table-cell form: lines aligned by the RTF, from the top of the box,
    // only lines that fit; nothing for a box of no width or height.
    TRect DrawCell(TScaleCanvas& canvas, float cx, float cy, float w, float ht, float angle);
    // The device bounds of the text, turned, without drawing it.
    TRect GetExtent(const TCustomScaler& scaler, float cx, float cy, float w, float ht, float angle);

    std::vector<TRTFLine> Lines;
    double WrapWidth = -1.0;  // of the last wrap; -1 when not wrapped
    float TotalHeight = 0;

private:
    struct TBox {
        float cx, cy, w, ht, angle;
    };
    void EnsureWrapped(float width);
    void CloseLine(int32_t first, int32_t last, uint8_t alignment, bool paragraphEnd);
    void MeasureDeviceMetrics(TScaleCanvas& canvas, float angle, float height);
    // Wraps, measures on the canvas and draws in the box, aligned vertically
    // by v (a cell: from the top, lines left-aligned as cells are).
    TRect DrawBox(TScaleCanvas& canvas, const TBox& box, uint8_t v, bool cell, uint8_t h);
    void DrawLines(TScaleCanvas& canvas, const TBox& box, float top, bool cell, uint8_t alignment);
    void DrawToken(TScaleCanvas& canvas, const TRTFTokenList::Record& token, const TBox& box, size_t length,
                   gdi::Point at, float x0, bool spaced);
    // How much of a token's text a line shows.
    size_t ShownLength(TScaleCanvas& canvas, const TRTFTokenList::Record& token, const TRTFLine& line,
                       const TBox& box, int32_t x, bool cell) const;

    // The draw that last measured each style on the canvas.
    uint64_t draws_ = 0;
    std::vector<uint64_t> measuredStyles_;
};
