#include "foundation/CharsetText.h"

#include "foundation/Codepage1252.h"

#include <QtCore/QStringDecoder>

#include <array>
#include <map>

namespace {

constexpr uint8_t kSymbolCharset = 2;
constexpr char16_t kSymbolBase = 0xF000;
constexpr char16_t kReplacement = 0xFFFD;

enum class Width { Single, Double };

struct CodePage {
    uint8_t charset;
    const char* name;  // as the codec knows it
    Width width;
};

// The charsets fonts name, with their code pages. ANSI (0) and default (1)
// are Windows-1252, the code page of every model string.
constexpr std::array<CodePage, 17> kCodePages{{
    {77, "macintosh", Width::Single},
    {128, "Shift_JIS", Width::Double},
    {129, "windows-949", Width::Double},
    {134, "GBK", Width::Double},
    {136, "Big5", Width::Double},
    {161, "windows-1253", Width::Single},
    {162, "windows-1254", Width::Single},
    {163, "windows-1258", Width::Single},
    {177, "windows-1255", Width::Single},
    {178, "windows-1256", Width::Single},
    {186, "windows-1257", Width::Single},
    {204, "windows-1251", Width::Single},
    {222, "windows-874", Width::Single},
    {238, "windows-1250", Width::Single},
    {255, "IBM437", Width::Single},
    {0, "windows-1252", Width::Single},
    {1, "windows-1252", Width::Single},
}};

const CodePage* FindCodePage(uint8_t charset) {
    for (const CodePage& page : kCodePages)
        if (page.charset == charset) return &page;
    return nullptr;
}

using ByteTable = std::array<char16_t, 256>;

ByteTable MakeTable(const char* name) {
    ByteTable table{};
    QStringDecoder decoder(name, QStringDecoder::Flag::Stateless);
    for (int b = 0; b < 256; ++b) {
        if (!decoder.isValid()) {
            table[b] = static_cast<char16_t>(Cp1252ToUnicode(static_cast<uint8_t>(b)));
            continue;
        }
        const char byte = static_cast<char>(b);
        const QString decoded = decoder.decode(QByteArrayView(&byte, 1));
        table[b] = decoded.size() == 1 ? decoded.front().unicode() : kReplacement;
    }
    return table;
}

// The single-byte table of a charset (Windows-1252 for charsets without one).
const ByteTable& SingleByteTable(uint8_t charset) {
    struct Tables {
        std::map<uint8_t, ByteTable> byCharset;
        std::array<const ByteTable*, 256> index{};
    };
    static const Tables tables = [] {
        Tables made;
        for (const CodePage& page : kCodePages)
            if (page.width == Width::Single) made.byCharset.emplace(page.charset, MakeTable(page.name));
        const ByteTable* fallback = &made.byCharset.at(0);
        for (size_t c = 0; c < made.index.size(); ++c) {
            const auto it = made.byCharset.find(static_cast<uint8_t>(c));
            made.index[c] = it != made.byCharset.end() ? &it->second : fallback;
        }
        return made;
    }();
    return *tables.index[charset];
}

// Lead bytes of the double-byte code pages: 0x81-0xFE, less the single-byte
// katakana 0xA0-0xDF of Shift-JIS.
bool IsLeadByte(uint8_t b, uint8_t charset) {
    if (b < 0x81 || b > 0xFE) return false;
    if (charset == 128) return b <= 0x9F || (b >= 0xE0 && b <= 0xFC);
    return true;
}

void DecodeDoubleByte(std::string_view bytes, const CodePage& page, TCharsetText& out) {
    QStringDecoder decoder(page.name, QStringDecoder::Flag::Stateless);
    for (size_t at = 0; at < bytes.size();) {
        const size_t length = CharsetCharLength(bytes, at, page.charset);
        const uint8_t first = static_cast<uint8_t>(bytes[at]);
        const auto end = static_cast<uint32_t>(at + length);
        if (length == 1 && first < 0x80) {
            out.Text.push_back(first);
            out.ByteEnd.push_back(end);
        } else {
            const QString decoded =
                decoder.isValid() ? decoder.decode(QByteArrayView(bytes.data() + at, static_cast<qsizetype>(length)))
                                  : QString();
            if (decoded.isEmpty()) {
                out.Text.push_back(kReplacement);
                out.ByteEnd.push_back(end);
            }
            for (QChar c : decoded) {
                out.Text.push_back(c.unicode());
                out.ByteEnd.push_back(end);
            }
        }
        at += length;
    }
}

}  // namespace

bool IsDoubleByteCharset(uint8_t charset) {
    const CodePage* page = FindCodePage(charset);
    return page != nullptr && page->width == Width::Double;
}

char16_t CharsetByteToUnicode(uint8_t byte, uint8_t charset) {
    if (charset == kSymbolCharset) return static_cast<char16_t>(kSymbolBase + byte);
    return SingleByteTable(charset)[byte];
}

bool IsCharsetLeadByte(uint8_t byte, uint8_t charset) {
    return IsDoubleByteCharset(charset) && IsLeadByte(byte, charset);
}

size_t CharsetCharLength(std::string_view bytes, size_t at, uint8_t charset) {
    return IsCharsetLeadByte(static_cast<uint8_t>(bytes[at]), charset) && at + 1 < bytes.size() ? 2 : 1;
}

TCharsetText DecodeCharsetText(std::string_view bytes, uint8_t charset) {
    TCharsetText out;
    out.Text.reserve(bytes.size());
    out.ByteEnd.reserve(bytes.size());
    const CodePage* page = FindCodePage(charset);
    if (page != nullptr && page->width == Width::Double) {
        DecodeDoubleByte(bytes, *page, out);
        return out;
    }
    for (size_t i = 0; i < bytes.size(); ++i) {
        out.Text.push_back(CharsetByteToUnicode(static_cast<uint8_t>(bytes[i]), charset));
        out.ByteEnd.push_back(static_cast<uint32_t>(i + 1));
    }
    return out;
}

std::u16string CharsetToWide(std::string_view bytes, uint8_t charset) {
    return DecodeCharsetText(bytes, charset).Text;
}
