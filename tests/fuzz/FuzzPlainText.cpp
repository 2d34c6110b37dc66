// Takes any bytes as plain text to load into a rich text, with and without
// form feeds as page breaks, then checks:
// - the paragraphs hold the bytes before the first NUL, less CR, LF and FF, in
//   order, and there is one more paragraph than CRs (and form feeds that
//   start a new one);
// - writing the text and reading the written bytes gives the same paragraphs.
// fuzz-max-len: 4096
#include "foundation/Stream.h"
#include "richtext/formats/RtFormatClasses.h"
#include "richtext/layout/RtRTFTextIo.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> PlainParagraphs(const TRtRTFText& text) {
    std::vector<std::string> result;
    for (const TParagraph* p = text.FirstPar(); p; p = p->next) result.push_back(TRtRTFText::ParagraphString(p));
    return result;
}

std::vector<std::string> LoadPlain(const std::string& bytes, bool formFeeds, std::string* written) {
    TRtRTFTextIo text;
    text.TextLoadFormat = text.TextSaveFormat = "ANSI";
    if (formFeeds) {
        text.Header().LoadOptions |= OptionBit(loANSIFormfeedCode);
        text.Header().StoreOptions |= OptionBit(soANSIFormfeedCode);
    }
    text.Header().StoreOptions |= OptionBit(soNoNULLChar);
    TMemoryStream in(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    if (!text.LoadFromStream(in)) std::abort();
    if (written) {
        TMemoryStream out;
        if (!text.SaveToStream(out)) std::abort();
        written->assign(out.Bytes().begin(), out.Bytes().end());
    }
    return PlainParagraphs(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = (RegisterRtFormatClasses(), true);
    (void)registered;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = bytes.substr(0, bytes.find('\0'));
    for (const bool formFeeds : {false, true}) {
        std::string written;
        const std::vector<std::string> paragraphs = LoadPlain(bytes, formFeeds, &written);
        std::string kept;
        for (const char c : text) {
            if (c != '\r' && c != '\n' && c != '\f') kept += c;
        }
        std::string joined;
        for (const std::string& p : paragraphs) joined += p;
        if (joined != kept) std::abort();
        if (!formFeeds && paragraphs.size() != size_t(std::count(text.begin(), text.end(), '\r')) + 1) std::abort();
        if (LoadPlain(written, formFeeds, nullptr) != paragraphs) std::abort();
    }
    return 0;
}
