#pragma once
// A sheet's grid of labels set in one call.

#include "document/Etikett.h"

#include <cstdint>

// A sheet of columns x rows labels of w x h mm, the first at (left, top) mm, gapX and gapY apart.
inline void SetGrid(TEtikett& s, int32_t columns, int32_t rows, float w, float h, float left, float top, float gapX,
                    float gapY) {
    s.SetColumns(columns);
    s.SetRows(rows);
    s.SetLabelWidth(w);
    s.SetLabelHeight(h);
    s.SetMarginLeft(left);
    s.SetMarginTop(top);
    s.SetGapX(gapX);
    s.SetGapY(gapY);
}
