// TRtRTFTextPaint: scrolling the view with a repaint of the uncovered strip
// only, the scroll-bar requests, keeping the cursor in view, and the caret's
// place and size.
#include "richtext/layout/RtRTFTextPaint.h"

#include "richtext/layout/FlagScope.h"

#include "richtext/model/TextHeader.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int32_t kScrollStep = 16;            // screen pixels for a line step
constexpr int32_t kScrollToEnd = 16777215;     // screen pixels: to the end, limits apply

}  // namespace

bool TRtRTFTextPaint::ScrollingBlocked() const {
    return (PaintModes & pmNoNotify) || ScrollLocked;
}

bool TRtRTFTextPaint::FixedBackground() const { return false; }

int32_t TRtRTFTextPaint::GetLineTop(const TLine* line) const { return line ? line->yPos : 0; }

// Moves the window's pixels by the device when the host can, and paints the
// strip that came into view; everything otherwise.
void TRtRTFTextPaint::ScrollView(int32_t dx, int32_t dy) {
    const int32_t sx = ScaleByZoom(dx);
    const int32_t sy = ScaleByZoom(dy);
    const bool full = std::abs(sy) >= VisibleHeight || std::abs(sx) >= VisibleWidth || FixedBackground() ||
                      PaintLocked || !HostOrNone().ScrollWindow(-sx, -sy);
    if (full) {
        RepaintAll();
        return;
    }
    if (sy > 0) PaintScreenRect(0, VisibleHeight - sy, sy, VisibleWidth);
    if (sy < 0) PaintScreenRect(0, 0, -sy, VisibleWidth);
    if (sx > 0) PaintScreenRect(VisibleWidth - sx, 0, VisibleHeight, sx);
    if (sx < 0) PaintScreenRect(0, 0, VisibleHeight, -sx);
    PartialScrollDone = true;
}

void TRtRTFTextPaint::ScrollDown(int32_t dy) {
    if (ScrollingBlocked() || (EditBoxModes & (rtemLimitTextHeight | rtemCheckTextFlow))) return;
    TFlagScope scope(scrolling_);
    const int32_t before = VertScroll;
    int32_t d = UnscaleByZoom(dy);
    if (d < 0) d = std::max(d, -VertScroll);
    VertScroll = std::max(0, VertScroll + d);
    if (dy > VisibleHeight) {
        // A long jump lands on a line; at the end of the text the last line stands two thirds down.
        TParagraph* par = nullptr;
        TLine* line = nullptr;
        FindLineAtPos(par, line, 0, VertScroll + 1);
        if (line && (line->next || par->next)) {
            VertScroll = line->yPos;
        } else if (line) {
            VertScroll = std::max(0, line->yPos - line->spaceAbove - VisibleLayoutHeight / 3 * 2);
        }
    }
    FinishVerticalScroll(before);
}

void TRtRTFTextPaint::ScrollUp(int32_t dy) {
    if (ScrollingBlocked() || VertScroll == 0 || (EditBoxModes & (rtemLimitTextHeight | rtemCheckTextFlow))) return;
    TFlagScope scope(scrolling_);
    const int32_t before = VertScroll;
    VertScroll = std::max(0, VertScroll - UnscaleByZoom(dy));
    FinishVerticalScroll(before);
}

void TRtRTFTextPaint::FinishVerticalScroll(int32_t before) {
    const int32_t moved = VertScroll - before;
    if (moved == 0) return;
    ScrollObjectFrame(0, -moved);
    const bool caretShown = HostOrNone().HideCaret();
    ScrollView(0, moved);
    HostOrNone().VertExtentChanged();
    if (caretShown) HostOrNone().ShowCaret();
    ShowCursor();
}

int32_t TRtRTFTextPaint::TextRightEnd() const {
    return LeftOffset + HorzScroll + Header().TextAreaWidthPx + EditorPageGap;
}

void TRtRTFTextPaint::ScrollRight(int32_t dx) {
    if (ScrollingBlocked() || (EditBoxModes & rtemLimitTextWidth)) return;
    const int32_t amount = std::min(UnscaleByZoom(dx), TextRightEnd() - VisibleLayoutWidth);
    if (amount <= 0) return;
    FinishHorizontalScroll(-amount);
}

void TRtRTFTextPaint::ScrollLeft(int32_t dx) {
    if (ScrollingBlocked() || (EditBoxModes & rtemLimitTextWidth)) return;
    const int32_t amount = std::min(UnscaleByZoom(dx), -HorzScroll);
    if (amount <= 0) return;
    FinishHorizontalScroll(amount);
}

// offset: the change of the horizontal offset (negative when the view moves right).
void TRtRTFTextPaint::FinishHorizontalScroll(int32_t offset) {
    TFlagScope scope(scrolling_);
    const bool caretShown = HostOrNone().HideCaret();
    ScrollObjectFrame(offset, 0);
    HorzScroll += offset;
    ScrollView(-offset, 0);
    if (caretShown) HostOrNone().ShowCaret();
    HostOrNone().HorzExtentChanged();
    HostOrNone().PostChangeNotification(8);
    ShowCursor();
}

void TRtRTFTextPaint::VertScrollRequest(int32_t code, int32_t position) {
    if (Printing) return;
    const bool atEnd = VertScroll + VisibleLayoutHeight >= TotalHeight;
    switch (code) {
        case 0: ScrollUp(kScrollStep); break;
        case 1: if (!atEnd) ScrollDown(kScrollStep); break;
        case 2: ScrollUp(VisibleHeight); break;
        case 3: if (!atEnd) ScrollDown(VisibleHeight); break;
        case 4:
        case 5:
            if (position > VertScroll) ScrollDown(ScaleByZoom(position - VertScroll));
            if (position < VertScroll) ScrollUp(ScaleByZoom(VertScroll - position));
            break;
        case 6: ScrollUp(ScaleByZoom(VertScroll)); break;
        case 7: ScrollDown(kScrollToEnd); break;
        default: break;
    }
}

void TRtRTFTextPaint::HorzScrollRequest(int32_t code, int32_t position) {
    if (Printing) return;
    const int32_t page = VisibleWidth - VisibleWidth / 4;
    switch (code) {
        case 0: ScrollLeft(kScrollStep); break;
        case 1: ScrollRight(kScrollStep); break;
        case 2: ScrollLeft(page); break;
        case 3: ScrollRight(page); break;
        case 4:
        case 5:
            if (position > -HorzScroll) ScrollRight(ScaleByZoom(position + HorzScroll));
            if (position < -HorzScroll) ScrollLeft(ScaleByZoom(-HorzScroll - position));
            break;
        case 6: ScrollLeft(ScaleByZoom(-HorzScroll)); break;
        case 7: ScrollRight(kScrollToEnd); break;
        default: break;
    }
}

// ---- the cursor and the caret

void TRtRTFTextPaint::ScrollToCursor() {
    // Without a visible area (no window yet) there is nothing to scroll.
    if (Printing || PaintLocked || NoCanvas() || !Cursor.line || VisibleLayoutHeight <= 0) return;
    TLine* line = Cursor.line;
    const int32_t top = line->yPos - line->spaceAbove;
    const bool fits = line->height + line->spaceAbove <= VisibleLayoutHeight || ScrollingBlocked() ||
                      (EditBoxModes & (rtemLimitTextHeight | rtemCheckTextFlow));
    if (fits && !PutCursorAtTop) {
        if (top < VertScroll) {
            if (VertScroll - top >= VisibleLayoutHeight) {
                VertScroll = std::max(0, top);
                RepaintAll();
            } else {
                ScrollUp(ScaleByZoom(VertScroll - top));
            }
        } else if (line->yPos + line->height > VertScroll + VisibleLayoutHeight) {
            const int32_t distance =
                line->yPos + 2 * line->height - (VertScroll + VisibleLayoutHeight) + 2 + UnscaleByZoom(4);
            if (distance >= VisibleLayoutHeight) {
                VertScroll += distance;
                RepaintAll();
            } else if (distance > 0) {
                ScrollDown(ScaleByZoom(distance));
            }
        }
    } else if (line->yPos != VertScroll) {
        VertScroll = std::max(0, line->yPos - (PutCursorAtTop ? line->spaceAbove : 0));
        RepaintAll();
    }
    PutCursorAtTop = false;
    UpdateCaretPos();
    // The caret's x already holds the horizontal offset.
    const int32_t onScreen = CaretX + LeftInset;
    if (onScreen < 0) {
        ScrollLeft(ScaleByZoom(VisibleLayoutWidth / 3 - onScreen));
    } else if (onScreen > VisibleLayoutWidth - UnscaleByZoom(4) && !WordWrap) {
        ScrollRight(ScaleByZoom(VisibleLayoutWidth / 3 + onScreen - VisibleLayoutWidth));
    }
    TRtLayoutHost& host = HostOrNone();
    host.CaretPositionChanged();
    host.HorzExtentChanged();
    host.VertExtentChanged();
    host.PostChangeNotification(3);
    if (loading_) return;
    if (CaretY != lastCaretY_) {
        lastCaretY_ = CaretY;
        if (OnYPosChanged) OnYPosChanged(CaretY);
    }
    if (CaretX != lastCaretX_) {
        lastCaretX_ = CaretX;
        if (OnXPosChanged) OnXPosChanged(CaretX);
    }
}

void TRtRTFTextPaint::ShowCursor() {
    if (loading_ || PaintLocked || Printing || NoCanvas() || !Cursor.line) return;
    UpdateCaretPos();
    const TLine* line = Cursor.line;
    const bool inRange = CaretY + line->height >= VertScroll && VertScroll + VisibleLayoutHeight >= line->yPos;
    const int32_t x = CaretX + LeftInset;
    if (inRange && x >= 0 && x <= VisibleLayoutWidth + UnscaleByZoom(4)) {
        HostOrNone().CaretPositionChanged();
        if (!scrolling_) HostOrNone().ShowCaret();
    } else {
        HostOrNone().HideCaret();
    }
}

void TRtRTFTextPaint::UpdateCaretPos() {
    if (PaintLocked || !Cursor.par || !Cursor.line) return;
    TParagraph* par = Cursor.par;
    TLine* line = Cursor.line;
    CaretX = CharIndexToX(par, line, Cursor.offset);
    SelectCharFont(nullptr);
    const int32_t tableAscent = MeasureTable()[kMeasureBaseLine];
    int32_t height = line->baseLine && line->baseLine < tableAscent ? line->baseLine : tableAscent;
    CaretWidth = OnePixel;
    const bool onChar = line->HasAttrs() && Cursor.offset >= 0 && Cursor.offset < int32_t(line->Length());
    if (onChar) {
        const TAttr a = GetAttr(line, Cursor.offset);
        if (a.style & afsIsObject) {
            height = a.baseLine;
            CaretWidth = 2 * OnePixel;
            CaretX -= OnePixel;
        } else if (a.width != 0) {
            const int32_t size = a.size ? a.size : 10;
            height = std::min<int32_t>(size * Header().LayoutResY / 100 + a.baseLine, a.height);
            CaretWidth = InsertMode ? OnePixel : a.width;
        }
    }
    CaretHeight = height;
    CaretY = std::max(line->yPos, line->yPos + line->baseLine - height);
    if (par->Has(pfHeaderBand | pfFooterBand)) {
        CaretX = LeftInset + EditorPageGap;
        CaretY = line->yPos;
        CaretWidth = VisibleLayoutWidth;
        CaretHeight = line->height;
    }
}

void TRtRTFTextPaint::SkipZeroWidthAtCursor() {
    TLine* line = Cursor.line;
    if (!line || !line->HasAttrs()) return;
    while (Cursor.offset < int32_t(line->Length()) && GetAttr(line, Cursor.offset).width == 0) ++Cursor.offset;
}
