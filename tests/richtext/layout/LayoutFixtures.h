#pragma once
// Texts laid out for the layout's tests: a measurer whose characters all
// have one width (a tenth of the font's pixel height at 720 pixels per inch,
// so 10 layout pixels at 10 points; a double-byte pair measured as one
// string takes 30), a canvas to lay out for, and helpers
// that build texts and read lines back as strings.

#include "platform/gdi/RecordingCanvas.h"
#include "richtext/layout/RtCharMeasurer.h"
#include "richtext/layout/RtRTFTextPaint.h"
#include "richtext/model/TextHeader.h"
#include "richtext/model/ModelFixtures.h"

#include <string>
#include <vector>

class TFixedWidthMeasurer : public TRtCharMeasurer {
public:
    int32_t ReferenceDpi() const override { return 720; }
    void Measure(const fonts::FontRequest& request, std::array<int32_t, 256>& widths,
                 fonts::FontTableMetrics& metrics) override {
        widths.fill(std::max(1, request.pixelHeight / 10));
        metrics.height = request.pixelHeight * 12 / 10;
        metrics.ascent = request.pixelHeight;
        metrics.externalLeading = 0;
        metrics.charSet = request.charSet;
        ++Fills;
    }
    // A double-byte character is as wide as three single bytes.
    int32_t TextWidth(const fonts::FontRequest& request, std::string_view bytes) override {
        const int32_t single = std::max(1, request.pixelHeight / 10);
        return bytes.size() == 2 ? 3 * single : int32_t(bytes.size()) * single;
    }
    int32_t Fills = 0;
};

inline gdi::DeviceCaps CapsAt(int32_t dpi) {
    gdi::DeviceCaps caps;
    caps.logPixelsX = caps.logPixelsY = dpi;
    return caps;
}

// A text on a recording canvas of 96 pixels per inch with fixed-width characters.
struct TLaidOutText {
    TFixedWidthMeasurer measurer;
    gdi::RecordingCanvas canvas{CapsAt(96), gdi::DeviceKind::Screen};
    TRtRTFTextPaint text;

    TLaidOutText() {
        text.SetMeasurer(&measurer);
        text.SetCanvas(&canvas);
    }
    // The text area is `chars` characters of 10 points wide (10 layout pixels each).
    void SetWidthInChars(int32_t chars) {
        TTextHeader& h = text.Header();
        h.SetLeftMargin(720);
        h.SetRightMargin(720);
        h.SetPageWidth(1440 + chars * 20);
        h.UpdatePixelMetrics();
        h.UpdateTabPixels();
    }
    // Paragraphs of plain text at 10 points.
    void Fill(const std::vector<std::string>& paragraphs) { ::Fill(text, paragraphs); }
    void Layout() { text.Reformat(); }
    TParagraph* Par(int32_t index) const { return text.ParagraphByIndex(index); }
};

inline std::vector<std::string> LinesOf(const TParagraph* par) {
    std::vector<std::string> lines;
    for (const TLine* l = par->firstLine; l; l = l->next) lines.emplace_back(l->Text(), l->Length());
    return lines;
}

inline int32_t LineCount(const TRtRTFText& text) {
    int32_t n = 0;
    for (const TParagraph* p = text.FirstPar(); p; p = p->next) {
        for (const TLine* l = p->firstLine; l; l = l->next) ++n;
    }
    return n;
}

// Changes the attributes of the characters [from, to) of a paragraph (offsets in the paragraph).
template <typename F>
void ChangeAttrs(TRtRTFText& text, TParagraph* par, int32_t from, int32_t to, F&& change) {
    for (int32_t i = from; i < to; ++i) {
        int32_t offset = i;
        TLine* line = TRtRTFText::LocateInParagraph(par, offset);
        if (offset == int32_t(line->Length()) && line->next) {
            line = line->next;
            offset = 0;
        }
        TAttr a = text.GetAttr(line, offset);
        change(a);
        text.PutAttr(line, offset, a);
    }
    par->MarkChanged();
}

inline void SetStyle(TRtRTFText& text, TParagraph* par, int32_t from, int32_t to, uint32_t style) {
    ChangeAttrs(text, par, from, to, [style](TAttr& a) { a.style |= style; });
}

// A chain of paragraphs of one attribute, not linked to the text (for
// header and footer texts and for readers).
inline TParagraph* MakeChain(TRtRTFText& text, const std::vector<std::string>& paragraphs, const TAttr& attr = {}) {
    TParagraph* first = nullptr;
    TParagraph* last = nullptr;
    for (const std::string& s : paragraphs) {
        TParagraph* p = text.NewParagraph();
        p->firstLine = text.NewLine(int32_t(s.size()) + 2);
        for (size_t i = 0; i < s.size(); ++i) p->firstLine->SetCharAt(uint32_t(i), s[i]);
        p->firstLine->SetLength(uint32_t(s.size()));
        for (size_t i = 0; i <= s.size(); ++i) text.PutAttr(p->firstLine, int32_t(i), attr);
        p->prev = last;
        if (last) {
            last->next = p;
        } else {
            first = p;
        }
        last = p;
    }
    return first;
}
