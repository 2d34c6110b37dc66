// Takes any bytes as RTF to load into an empty rich text and to paste into
// one that holds text, then checks:
// - reading ends with result 0 or 5 and throws nothing;
// - the model keeps its invariants;
// - every character's font index points into the header's font table;
// - what the writer wrote, read back and written again, gives the same bytes.
// fuzz-max-len: 8192
#include "foundation/Stream.h"
#include "richtext/formats/RtRtfReader.h"
#include "richtext/formats/RtRtfWriter.h"
#include "richtext/model/RtRTFText.h"
#include "richtext/model/TextHeader.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void CheckAttributes(const TRtRTFText& text) {
    for (const TParagraph* p = text.FirstPar(); p; p = p->next) {
        for (const TLine* l = p->firstLine; l; l = l->next) {
            for (uint32_t i = 0; i < l->Length(); ++i) {
                const TAttr a = text.GetAttr(l, int32_t(i));
                if (a.font >= kFontCount) std::abort();
            }
        }
    }
}

std::string WriteRtf(TRtRTFText& text) {
    TRtRTFWriter writer;
    writer.Text = &text;
    TMemoryStream out;
    writer.Output = &out;
    writer.ResetOutput();
    int32_t result = writer.BeginWrite();
    if (result == 0) result = writer.WriteBody();
    if (result == 0) result = writer.EndWrite();
    if (result != 0) std::abort();
    return std::string(out.Bytes().begin(), out.Bytes().end());
}

void ReadInto(TRtRTFText& text, const uint8_t* data, size_t size, bool paste) {
    text.Header().RichMode = true;
    text.FreeAllParagraphs(true);
    TRtRtfReader reader;
    reader.Text = &text;
    reader.Header = &text.Header();
    TMemoryStream in(std::vector<uint8_t>(data, data + size));
    TParagraph* first = paste ? nullptr : text.FirstPar();
    reader.Read(in, first);
    if (reader.Result != 0 && reader.Result != 5) std::abort();
    if (paste) {
        text.FreeParagraphChain(first);
        return;
    }
    if (!text.CheckInvariants().empty()) std::abort();
    CheckAttributes(text);
}

void ReadRtf(const uint8_t* data, size_t size, bool paste) {
    TRtRTFText text;
    ReadInto(text, data, size, paste);
    if (paste) return;
    // Hostile input may set the page after the tab stops that depend on it;
    // what the writer wrote has them in order and must come back unchanged.
    const std::string first = WriteRtf(text);
    TRtRTFText again;
    ReadInto(again, reinterpret_cast<const uint8_t*>(first.data()), first.size(), false);
    const std::string written = WriteRtf(again);
    TRtRTFText third;
    ReadInto(third, reinterpret_cast<const uint8_t*>(written.data()), written.size(), false);
    if (WriteRtf(third) != written) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ReadRtf(data, size, false);
    ReadRtf(data, size, true);
    return 0;
}
