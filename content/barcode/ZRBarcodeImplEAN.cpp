#include "content/barcode/ZRBarcodeImplEAN.h"

#include <array>

namespace {

// The parities of EAN-13 digits 2 to 7, chosen by digit 1.
constexpr std::array<std::string_view, 10> kEan13Parity = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                                           "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};

}  // namespace

// ---- common

std::string TEanSymbology::CheckDigit(const std::string& text) {
    return text.size() == dataDigits_ ? Mod10CheckDigit(text) : std::string();
}

void TEanSymbology::SetText(const std::string& text) {
    TEanUpcSymbology::SetText(text);
    Valid = IsAllDigits(text) && (text.size() == dataDigits_ || text.size() == dataDigits_ + 1);
}

std::string TEanSymbology::GetFullText() {
    if (!Valid) return {};
    return Text.size() == dataDigits_ ? Text + CheckDigit(Text) : Text;
}

// ---- EAN-13

std::string TZRBarcodeImplCodeEAN13::EncodePattern(const std::string& fullText) {
    if (!Encodable(fullText, 13)) return {};
    const std::string_view digits = fullText;
    return EncodeBetweenGuards(digits.substr(1, 6), kEan13Parity[static_cast<size_t>(digits[0] - '0')],
                               digits.substr(7, 6));
}

void TZRBarcodeImplCodeEAN13::MainTextPieces(TScaleCanvas& canvas, const TSymbolLayout& s,
                                             std::vector<TTextPiece>& pieces) const {
    const std::string& t = s.fullText;
    pieces.push_back(LeftOfStartGuard(canvas, s, t.substr(0, 1)));
    pieces.push_back(Centred(canvas, t.substr(1, 6), ModuleX(s, 34.5), TextTop(s)));
    pieces.push_back(Centred(canvas, t.substr(7, 6), ModuleX(s, 80.5), TextTop(s)));
}

// ---- EAN-8

std::string TZRBarcodeImplCodeEAN8::EncodePattern(const std::string& fullText) {
    if (!Encodable(fullText, 8)) return {};
    const std::string_view digits = fullText;
    return EncodeBetweenGuards(digits.substr(0, 4), "AAAA", digits.substr(4, 4));
}

void TZRBarcodeImplCodeEAN8::MainTextPieces(TScaleCanvas& canvas, const TSymbolLayout& s,
                                            std::vector<TTextPiece>& pieces) const {
    pieces.push_back(Centred(canvas, s.fullText.substr(0, 4), ModuleX(s, 27.5), TextTop(s)));
    pieces.push_back(Centred(canvas, s.fullText.substr(4, 4), ModuleX(s, 60.5), TextTop(s)));
}
