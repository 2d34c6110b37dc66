#include "foundation/Codepage1252.h"

#include <QtCore/QStringDecoder>
#include <QtCore/QStringEncoder>

#include <array>
#include <stdexcept>

// Qt converts Windows-1252 through ICU. ICU decodes the unassigned positions to
// the C1 controls as Windows does, but encodes unrepresentable characters as
// SUB (0x1A); we write '?' there instead.

namespace {

constexpr char kIcuSubstitute = 0x1A;

QStringDecoder MakeDecoder() {
    QStringDecoder decoder("windows-1252", QStringDecoder::Flag::Stateless);
    if (!decoder.isValid()) throw std::runtime_error("Windows-1252 codec is not available");
    return decoder;
}

QStringEncoder MakeEncoder() {
    QStringEncoder encoder("windows-1252", QStringEncoder::Flag::Stateless);
    if (!encoder.isValid()) throw std::runtime_error("Windows-1252 codec is not available");
    return encoder;
}

bool IsAscii(QStringView text) {
    for (QChar c : text)
        if (c.unicode() >= 0x80) return false;
    return true;
}

}  // namespace

QString AnsiToUnicode(std::string_view ansi) {
    bool ascii = true;
    for (char c : ansi)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) return QString::fromLatin1(ansi.data(), static_cast<qsizetype>(ansi.size()));
    thread_local QStringDecoder decoder = MakeDecoder();
    decoder.resetState();
    return decoder(QByteArrayView(ansi.data(), static_cast<qsizetype>(ansi.size())));
}

std::string UnicodeToAnsi(QStringView text, bool* lossless) {
    if (lossless) *lossless = true;
    if (IsAscii(text)) {
        std::string out(static_cast<size_t>(text.size()), '\0');
        for (qsizetype i = 0; i < text.size(); ++i) out[static_cast<size_t>(i)] = static_cast<char>(text[i].unicode());
        return out;
    }
    thread_local QStringEncoder encoder = MakeEncoder();
    encoder.resetState();
    const QByteArray whole = encoder(text);
    if (!encoder.hasError()) return std::string(whole.constData(), static_cast<size_t>(whole.size()));
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    bool allMapped = true;
    // One code point at a time, so that a substitute byte can be told apart
    // from a real U+001A in the text.
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype n = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) n = 2;
        const QStringView unit = text.mid(i, n);
        const char16_t c = text[i].unicode();
        if (n == 1 && c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else {
            encoder.resetState();
            const QByteArray bytes = encoder(unit);
            if (bytes.size() == 1 && !(bytes[0] == kIcuSubstitute && c != 0x1A)) {
                out.push_back(bytes[0]);
            } else {
                out.push_back(kAnsiReplacementChar);
                allMapped = false;
            }
        }
        i += n;
    }
    if (lossless) *lossless = allMapped;
    return out;
}

std::u16string AnsiToWide(std::string_view ansi) {
    return QStringToWide(AnsiToUnicode(ansi));
}

std::string WideToAnsi(std::u16string_view text, bool* lossless) {
    return UnicodeToAnsi(QStringView(text.data(), static_cast<qsizetype>(text.size())), lossless);
}

bool IsAnsiRepresentable(QStringView text) {
    bool lossless = true;
    UnicodeToAnsi(text, &lossless);
    return lossless;
}

namespace {

// The characters of the bytes 0x80 to 0x9F, read once from the codec; every
// other byte is its own code point.
const std::array<char16_t, 32>& HighControls() {
    static const std::array<char16_t, 32> table = [] {
        std::array<char16_t, 32> t{};
        for (int i = 0; i < 32; ++i) {
            const char byte = static_cast<char>(0x80 + i);
            t[static_cast<size_t>(i)] = AnsiToUnicode(std::string_view(&byte, 1)).at(0).unicode();
        }
        return t;
    }();
    return table;
}

}  // namespace

char32_t Cp1252ToUnicode(uint8_t byte) {
    if (byte >= 0x80 && byte < 0xA0) return HighControls()[byte - 0x80];
    return byte;
}

char UnicodeToCp1252(char32_t code, bool* ok) {
    if (ok) *ok = true;
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    const std::array<char16_t, 32>& high = HighControls();
    for (size_t i = 0; i < high.size(); ++i)
        if (high[i] == code) return static_cast<char>(0x80 + i);
    if (ok) *ok = false;
    return kAnsiReplacementChar;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}
