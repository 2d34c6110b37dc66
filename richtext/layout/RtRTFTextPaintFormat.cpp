// TRtRTFTextPaint: bringing the layout up to date: the full pass after a
// zoom, resolution or attribute change, the incremental pass over the
// paragraphs marked as changed, header and footer texts, the page-layout
// hook, and the printed width of a line.
#include "richtext/layout/RtRTFTextPaint.h"

#include "richtext/model/RtSpecialTextProperty.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>

namespace {

// Sets a flag for the length of a scope, also when it ends by an exception.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
};

constexpr int32_t kProgressThreshold = 100;

}  // namespace

void TRtRTFTextPaint::RepaintAll() { HostOrNone().Invalidate(); }

void TRtRTFTextPaint::AfterRead(bool intoEmptyText) {
    if (intoEmptyText) {
        Reformat();
    } else {
        Refresh(false);
    }
}

int32_t TRtRTFTextPaint::LaidOutHeight(TRtSpecialTextProperty& item) {
    item.UpdateHeight();
    return item.Height();
}

void TRtRTFTextPaint::Refresh(bool all) {
    editBoxPending_ = true;
    if (!Cursor.par && FirstPar()) Cursor = {FirstPar(), FirstPar()->firstLine, 0};
    if (loading_ || NoCanvas() || PaintLocked) return;
    SelectCharFont(nullptr);
    if (!formatting_) {
        TFlagScope scope(formatting_);
        if (WordWrap && !(PaintModes & pmKeepScroll)) HorzScroll = 0;
        Relayout();
        Header().SortTabs();
        FormatHeadersFooters();
        ReformatAll(all);
        UpdateNumbering();
    }
    if (EditBoxModes) {
        UpdateResolution();
        if (editBoxPending_) UpdateEditBox();
    }
    if (OnDocumentChange) OnDocumentChange();
    HostOrNone().VertExtentChanged();
    RepaintAll();
}

void TRtRTFTextPaint::Reformat() {
    if (loading_) return;
    UpdateHiddenMask();
    FormatHeadersFooters();
    if (NoCanvas() || PaintLocked || formatting_) return;
    SelectCharFont(nullptr);
    {
        TFlagScope scope(formatting_);
        SelectCharFont(&DefaultAttr);
        Header().UpdateTabPixels();
        for (TParagraph* p = FirstPar(); p; p = p->next) {
            p->MarkChanged();
            MeasurePar(p);
            uint8_t change = 0;
            WrapParagraph(p, false, change);
        }
    }
    UpdatePageLayout(nullptr);
    if (OnDocumentChange) OnDocumentChange();
    HostOrNone().CaretPositionChanged();
    HostOrNone().PostChangeNotification(1);
}

void TRtRTFTextPaint::ReformatPass(bool measure, bool restarted, bool progress) {
    // The lines get their places from the pagination that follows the pass.
    int32_t counted = 0;
    for (TParagraph* p = FirstPar(); p; p = p->next, ++counted) {
        if (p->Has(pfChanged) || restarted) {
            if (measure) MeasurePar(p);
            uint8_t change = 0;
            WrapParagraph(p, false, change);
        }
        if (progress) StepProgress(counted);
    }
}

void TRtRTFTextPaint::ReformatAll(bool measure) {
    if (incremental_ || NoCanvas() || loading_ || PaintLocked) return;
    UpdateHiddenMask();
    const int32_t count = OnSetGaugeValue ? CountParagraphs() + 1 : 0;
    const bool progress = count > kProgressThreshold;
    if (progress) BeginProgress(count);
    int32_t unused = 0;
    const bool wrapping = FirstPar() && GetWrapAroundOffset(FirstPar(), 0, nullptr, unused, 1);
    const bool wasLocked = PaintLocked;
    {
        TFlagScope scope(incremental_);
        try {
            ReformatPass(measure, false, progress);
            if (WordWrap && Host && Host->VertExtentChanged()) ReformatPass(false, true, progress);
            if (measure && wrapping) {
                // Text flows around the objects at their final places: paginate, then wrap again.
                TRtRTFTextIo::UpdatePageLayout(nullptr);
                for (TParagraph* p = FirstPar(); p; p = p->next) p->MarkChanged();
                ReformatPass(false, false, progress);
            }
        } catch (...) {
            if (progress) EndProgress();
            throw;
        }
    }
    if (progress) EndProgress();
    UpdatePageLayout(nullptr);
    if (!wasLocked) {
        ScrollToCursor();
        HostOrNone().CaretPositionChanged();
        HostOrNone().PostChangeNotification(3);
        RepaintAll();
    }
    if (EditBoxModes) {
        UpdateResolution();
        UpdateEditBox();
    }
}

int32_t TRtRTFTextPaint::UpdatePageLayout(TParagraph* start) {
    if (loading_ || incremental_ || NoCanvas() || PaintLocked) return 0;
    const int32_t total = TRtRTFTextIo::UpdatePageLayout(start);
    TotalHeight = total;
    TextHeightForEditor = total;
    if (!start && !(PaintModes & pmNoNotify)) {
        HostOrNone().VertExtentChanged();
        HostOrNone().HorzExtentChanged();
    }
    return total;
}

void TRtRTFTextPaint::FormatHeadersFooters() {
    if (NoCanvas()) return;
    for (const auto& item : HeaderFooters().Items()) {
        if (!item->Paragraphs()) continue;
        FormatParList(item->Paragraphs());
        item->UpdateHeight();
    }
}

int32_t TRtRTFTextPaint::FormatParList(TParagraph* first) {
    if (!first || NoCanvas()) return 0;
    int32_t y = 0;
    TParagraph* last = first;
    for (TParagraph* p = first; p; p = p->next) {
        MeasurePar(p);
        uint8_t change = 0;
        WrapParagraph(p, false, change);
        for (TLine* l = p->firstLine; l; l = l->next) {
            l->yPos = y;
            y += l->height;
        }
        last = p;
    }
    const TLine* line = GetLastLine(last);
    return line ? line->yPos + line->height : 0;
}

void TRtRTFTextPaint::UpdateResolution() {
    if (NoCanvas()) return;
    UpdateDeviceResolution();
    Header().UpdatePixelMetrics();
    FormatHeadersFooters();
    UpdatePageLayout(nullptr);
}

void TRtRTFTextPaint::InvalidateVisiblePars() {
    const int32_t top = VertScroll;
    const int32_t bottom = VertScroll + std::max(VisibleLayoutHeight, 1);
    for (TParagraph* p = FirstPar(); p; p = p->next) {
        const TLine* last = GetLastLine(p);
        if (!p->firstLine || !last) continue;
        if (last->yPos + last->height >= top && p->firstLine->yPos <= bottom) p->MarkChanged();
    }
    Refresh(false);
}

int32_t TRtRTFTextPaint::InsertString(TParagraph* par, TLine* line, const char* text, int32_t count, int32_t index) {
    const int32_t result = TRtRTFTextIo::InsertString(par, line, text, count, index);
    if (!formatting_ && par) {
        MeasurePar(par);
        RewrapPar(par);
        UpdatePageLayout(nullptr);
    }
    return result;
}

std::string TRtRTFTextPaint::GetParText(TParagraph* par) {
    std::string text;
    TRtRTFNumberingStyle* style = nullptr;
    if (par && par->numberStyle) text = GetNumberText(par, style);
    for (const TLine* l = par ? par->firstLine : nullptr; l; l = l->next) {
        for (uint32_t i = 0; i < l->Length(); ++i) {
            if (uint8_t(l->CharAt(i)) >= 32) text += l->CharAt(i);
        }
    }
    return text;
}

int32_t TRtRTFTextPaint::GetLineTextWidth(const TLine* line) {
    if (!line) return 0;
    int32_t width = 0;
    int32_t pending = 0;
    bool visible = false;
    const bool showHidden = (PaintModes & pmShowHiddenText) != 0;
    for (uint32_t i = 0; i < line->Length(); ++i) {
        const char ch = line->CharAt(i);
        const TAttr a = line->HasAttrs() ? GetAttr(line, int32_t(i)) : TAttr{};
        const int32_t w = line->HasAttrs() ? a.width : MeasureTable()[uint8_t(ch == kTabChar ? ' ' : ch)];
        if (line->HasAttrs() && (a.style & afsHidden) && w <= 1 && !showHidden) continue;
        if (ch == ' ' || ch == kTabChar) {
            pending += w;
        } else if (ch == kLineBreakChar) {
            pending = 0;
        } else {
            width += pending + w;
            pending = 0;
            visible = true;
        }
    }
    const bool cursorAtEnd = Cursor.line == line && Cursor.offset >= int32_t(line->Length()) && Cursor.par &&
                             Cursor.par->IsCell() && Cursor.par->align != paralCenter && Cursor.par->align != paralRight;
    if (!visible || cursorAtEnd) width += pending;
    return width;
}
