#include "richtext/model/RtTextIoClasses.h"

#include "foundation/Codepage1252.h"
#include "foundation/Stream.h"

#include <algorithm>
#include <cstring>
#include <vector>

size_t TRtCustomTextWriter::PutDecimal(int32_t value, char* buffer) {
    // Works on the magnitude as 64 bits, so the most negative value has its digits too.
    int64_t magnitude = value;
    size_t n = 0;
    if (magnitude < 0) {
        buffer[n++] = '-';
        magnitude = -magnitude;
    }
    char digits[10];
    size_t count = 0;
    do {
        digits[count++] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    while (count > 0) buffer[n++] = digits[--count];
    return n;
}

void TRtCustomTextWriter::PutHexByte(uint8_t value, char* buffer) {
    static constexpr char kDigits[] = "0123456789abcdef";
    buffer[0] = kDigits[value >> 4];
    buffer[1] = kDigits[value & 15];
}

int32_t TRtCustomTextWriter::WriteHex(const uint8_t* data, int32_t count) {
    if (count <= 0 || !Output) return 0;
    std::vector<char> hex(size_t(count) * 2);
    for (int32_t i = 0; i < count; ++i) PutHexByte(data[i], &hex[size_t(i) * 2]);
    const int64_t written = Output->Write(hex.data(), int64_t(hex.size()));
    return written < int64_t(hex.size()) ? 5 : 0;
}

TRtIoClassNames& RtIoClassNames() {
    static TRtIoClassNames names;
    return names;
}

TRtClassRegistry<TRtCustomTextReader>& RtReaderClasses() {
    static TRtClassRegistry<TRtCustomTextReader> registry;
    return registry;
}

TRtClassRegistry<TRtCustomTextWriter>& RtWriterClasses() {
    static TRtClassRegistry<TRtCustomTextWriter> registry;
    return registry;
}

namespace {

enum class TKind { None, Text, Rtf, Html };

TKind KindOfExtension(const std::string& extension) {
    if (extension == ".RTF" || extension == ".DOC") return TKind::Rtf;
    if (extension == ".HTM" || extension == ".HTML") return TKind::Html;
    if (extension == ".TXT") return TKind::Text;
    return TKind::None;
}

TKind KindOfFormat(const std::string& format) {
    if (SameTextAscii(format, "RTF")) return TKind::Rtf;
    if (SameTextAscii(format, "HTML")) return TKind::Html;
    if (SameTextAscii(format, "ANSI")) return TKind::Text;
    return TKind::None;
}

bool IsAuto(const std::string& format) { return format.empty() || SameTextAscii(format, "AUTO"); }

const std::string& WriterName(TKind kind) {
    const TRtIoClassNames& n = RtIoClassNames();
    return kind == TKind::Rtf ? n.RTFWriter : kind == TKind::Html ? n.HTMLWriter : n.TextWriter;
}

const std::string& ReaderName(TKind kind) {
    const TRtIoClassNames& n = RtIoClassNames();
    return kind == TKind::Rtf ? n.RTFReader : kind == TKind::Html ? n.HTMLReader : n.TextReader;
}

constexpr int64_t kSniffLimit = 2000;
constexpr size_t kMaxTagName = 9;

bool IsLeadingSpace(uint8_t c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\b'; }

bool IsHtmlTagName(const std::string& name) {
    for (const char* tag : {"html", "b", "p", "br", "title", "body", "h1"}) {
        if (SameTextAscii(name, tag)) return true;
    }
    return false;
}

// A tag "<" name ">" of 1 to 9 characters without a carriage return.
bool HasHtmlTag(const uint8_t* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        if (data[i] != '<') continue;
        size_t j = i + 1;
        while (j < size && j - i - 1 <= kMaxTagName && data[j] != '>' && data[j] != '\r' && data[j] != '<') ++j;
        if (j < size && data[j] == '>' && j - i - 1 >= 1 && j - i - 1 <= kMaxTagName &&
            IsHtmlTagName(std::string(reinterpret_cast<const char*>(data + i + 1), j - i - 1))) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string SniffTextFormat(TStream& stream) {
    const int64_t start = stream.Position();
    std::vector<uint8_t> head(static_cast<size_t>(kSniffLimit));
    const int64_t got = std::max<int64_t>(stream.Read(head.data(), kSniffLimit), 0);
    stream.SetPosition(start);
    size_t at = 0;
    while (at < size_t(got) && IsLeadingSpace(head[at])) ++at;
    if (size_t(got) - at >= 5 && std::memcmp(head.data() + at, "{\\rtf", 5) == 0) return "RTF";
    return HasHtmlTag(head.data() + at, size_t(got) - at) ? "HTML" : "";
}

std::string ChooseWriterClass(const std::string& format, const std::string& extension, bool textIsEmpty) {
    if (IsAuto(format)) {
        const TKind byExtension = SameTextAscii(format, "AUTO") ? KindOfExtension(extension) : TKind::None;
        if (byExtension != TKind::None) return WriterName(byExtension);
        return WriterName(textIsEmpty ? TKind::Text : TKind::Rtf);
    }
    const TKind kind = KindOfFormat(format);
    return kind == TKind::None ? format : WriterName(kind);
}

std::string ChooseReaderClass(const std::string& format, const std::string& extension, TStream& stream) {
    if (!IsAuto(format)) {
        const TKind kind = KindOfFormat(format);
        return kind == TKind::None ? format : ReaderName(kind);
    }
    const TKind byExtension = SameTextAscii(format, "AUTO") ? KindOfExtension(extension) : TKind::None;
    if (byExtension != TKind::None) return ReaderName(byExtension);
    const std::string sniffed = SniffTextFormat(stream);
    if (sniffed == "RTF") return ReaderName(TKind::Rtf);
    if (sniffed == "HTML" && RtReaderClasses().IsRegistered(ReaderName(TKind::Html))) return ReaderName(TKind::Html);
    return ReaderName(TKind::Text);
}
