#include "TestTextClasses.h"

#include "LayoutFixtures.h"

#include "foundation/Exceptions.h"
#include "foundation/Stream.h"
#include "richtext/model/RtRTFText.h"

#include <vector>

namespace {

std::string ReadAll(TStream& stream) {
    std::string bytes(size_t(stream.Remaining()), '\0');
    if (!bytes.empty()) stream.ReadBuffer(bytes.data(), int64_t(bytes.size()));
    return bytes;
}

std::vector<std::string> Split(const std::string& s, const std::string& separator) {
    std::vector<std::string> parts;
    size_t at = 0;
    while (true) {
        const size_t next = s.find(separator, at);
        parts.push_back(s.substr(at, next == std::string::npos ? std::string::npos : next - at));
        if (next == std::string::npos) return parts;
        at = next + separator.size();
    }
}

class TPlainReader : public TRtCustomTextReader {
public:
    void PutSpecialChar(char) override {}
    void ProcessChar(char) override {}
    void OutputChar(char) override {}
    void AppendChar(char) override {}
    void SetStream(TStream&) override {}
    void Read(TStream& stream, TParagraph*& first) override { first = MakeChain(*Text, Parse(ReadAll(stream)), CurrentAttr); }

protected:
    virtual std::vector<std::string> Parse(const std::string& bytes) { return Split(bytes, "\r\n"); }
};

class TTinyRtfReader : public TPlainReader {
    std::vector<std::string> Parse(const std::string& bytes) override {
        const size_t start = bytes.find("{\\rtf1 ");
        const size_t end = bytes.rfind('}');
        if (start == std::string::npos || end == std::string::npos || end < start) {
            Result = 6;
            return {""};
        }
        return Split(bytes.substr(start + 7, end - start - 7), "\\par ");
    }
};

class TPlainWriter : public TRtCustomTextWriter {
public:
    int32_t WriteBody() override {
        std::string text = RangeText(*this);
        for (size_t at = 0; (at = text.find('|', at)) != std::string::npos;) text.replace(at, 1, Separator());
        text = Prefix() + text + Suffix();
        Output->WriteBuffer(text.data(), int64_t(text.size()));
        return 0;
    }

protected:
    virtual std::string Separator() const { return "\r\n"; }
    virtual std::string Prefix() const { return {}; }
    virtual std::string Suffix() const { return {}; }
};

class TTinyRtfWriter : public TPlainWriter {
    std::string Separator() const override { return "\\par "; }
    std::string Prefix() const override { return "{\\rtf1 "; }
    std::string Suffix() const override { return "}"; }
};

class TThrowingWriter : public TPlainWriter {
    int32_t WriteBody() override {
        Output->WriteBuffer("partial", 7);
        throw EWriteError("the disk is full");
    }
};

class TFailingWriter : public TPlainWriter {
    int32_t WriteBody() override {
        Output->WriteBuffer("partial", 7);
        return 5;
    }
};

[[maybe_unused]] const bool registered = (RegisterTestTextClasses(), true);

}  // namespace

void RegisterTestTextClasses() {
    RegisterRtReaderClass<TPlainReader>("TRtTextReader");
    RegisterRtReaderClass<TTinyRtfReader>("TRtRTFReader");
    RegisterRtWriterClass<TPlainWriter>("TRtTextWriter");
    RegisterRtWriterClass<TTinyRtfWriter>("TRtRTFWriter");
    RegisterRtWriterClass<TThrowingWriter>("TThrowingWriter");
    RegisterRtWriterClass<TFailingWriter>("TFailingWriter");
}

std::string RangeText(const TRtCustomTextWriter& writer) {
    const TRtWriteRange& r = writer.Range;
    const TParagraph* from = r.IsWholeText() ? writer.Text->FirstPar() : r.startPar;
    std::string text;
    for (const TParagraph* p = from; p; p = p->next) {
        if (p != from) text += '|';
        const std::string whole = TRtRTFText::ParagraphString(p);
        size_t begin = 0;
        size_t end = whole.size();
        if (!r.IsWholeText() && p == r.startPar) begin = size_t(TRtRTFText::OffsetInParagraph(p, r.startLine, r.startPos));
        if (!r.IsWholeText() && p == r.endPar) end = size_t(TRtRTFText::OffsetInParagraph(p, r.endLine, r.endPos));
        text += whole.substr(begin, end > begin ? end - begin : 0);
        if (!r.IsWholeText() && p == r.endPar) break;
    }
    return text;
}
