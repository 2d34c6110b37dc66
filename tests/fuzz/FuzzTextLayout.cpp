// Takes any bytes as the data a text reader would be chosen for and as rich
// text to lay out, then checks:
// - choosing the reader looks at no more than its window of the data and
//   leaves the stream where it was;
// - any characters with any styles (hidden, deleted, hyphen points, super-
//   and subscript, tabs, line breaks, control codes) break into lines that
//   hold the paragraph's characters in order, less the deleted ones, and the
//   model keeps its invariants; the pages are numbered.
// fuzz-max-len: 4096
#include "foundation/Stream.h"
#include "platform/gdi/RecordingCanvas.h"
#include "richtext/layout/RtCharMeasurer.h"
#include "richtext/layout/RtRTFTextPaint.h"
#include "richtext/model/TextHeader.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class TFixedMeasurer : public TRtCharMeasurer {
public:
    int32_t ReferenceDpi() const override { return 720; }
    void Measure(const fonts::FontRequest& request, std::array<int32_t, 256>& widths,
                 fonts::FontTableMetrics& metrics) override {
        for (int i = 0; i < 256; ++i) widths[size_t(i)] = std::max(1, request.pixelHeight * (1 + i % 3) / 20);
        metrics = {request.pixelHeight * 6 / 5, request.pixelHeight, 0, request.charSet};
    }
    int32_t TextWidth(const fonts::FontRequest& request, std::string_view bytes) override {
        return std::max(1, request.pixelHeight / 20) * int32_t(bytes.size() + 1);
    }
};

constexpr uint32_t kStyles[] = {0, afsBold, afsItalic, afsHidden, afsDelete, afsHyphen, afsSuper, afsSub};

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    {
        TMemoryStream stream(std::vector<uint8_t>(data, data + size));
        stream.SetPosition(1);
        ChooseReaderClass("AUTO", "", stream);
        Check(stream.Position() == 1);
    }
    static TFixedMeasurer measurer;
    gdi::RecordingCanvas canvas;
    TRtRTFTextPaint text;
    text.SetMeasurer(&measurer);
    text.SetCanvas(&canvas);
    text.EditOptions |= rtUseHyphenation;
    text.Header().SetPageWidth(1440 + 20 * (2 + data[0] % 60));
    text.Header().SetPageHeight(2880 + 240 * (1 + data[1] % 8));
    text.LayoutFlags = (data[1] & 0x80) ? rtlayLayout : rtlayNormal;
    if (data[0] & 0x40) {
        // Shift-JIS text: pairs of bytes are one character.
        text.Header().Fonts[0].charset = 128;
        text.DoubleByteOptions = uint8_t(rtdb_Enabled | (data[1] & 0x0E));
    }
    // Pairs of bytes: a character and its attribute; a byte 13 ends a paragraph.
    std::vector<std::string> paragraphs(1);
    std::vector<std::vector<TAttr>> attrs(1);
    for (size_t i = 2; i + 1 < size; i += 2) {
        if (data[i] == 13) {
            paragraphs.emplace_back();
            attrs.emplace_back();
            continue;
        }
        TAttr a;
        a.style = kStyles[data[i + 1] % 8];
        a.size = uint8_t(data[i + 1] / 8);
        paragraphs.back() += char(data[i]);
        attrs.back().push_back(a);
    }
    for (size_t p = 0; p < paragraphs.size(); ++p) {
        const int32_t length = int32_t(paragraphs[p].size());
        if (p == 0) {
            text.SetParagraphText(0, paragraphs[p].c_str(), attrs[p].data(), length);
        } else {
            text.InsertParagraphText(int32_t(p), paragraphs[p].c_str(), attrs[p].data(), length);
        }
    }
    if (data[0] & 0x80) text.FirstPar()->align = paralBlock;
    text.Reformat();
    Check(text.CheckInvariants().empty());
    size_t p = 0;
    for (const TParagraph* par = text.FirstPar(); par && p < paragraphs.size(); par = par->next, ++p) {
        std::string kept;
        for (size_t i = 0; i < paragraphs[p].size(); ++i) {
            if (!(attrs[p][i].style & afsDelete)) kept += paragraphs[p][i];
        }
        std::string laidOut;
        for (const TLine* l = par->firstLine; l; l = l->next) {
            laidOut.append(l->Text(), l->Length());
            // A double-byte character is never split between lines.
            Check(!l->HasAttrs() || l->Length() == 0 || !(text.GetAttr(l, int32_t(l->Length()) - 1).style & afsDBCSOne));
        }
        Check(laidOut == kept);
    }
    Check(text.PageCount >= 1);
    return 0;
}
