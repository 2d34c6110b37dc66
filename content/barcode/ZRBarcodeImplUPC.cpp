#include "content/barcode/ZRBarcodeImplUPC.h"

#include <array>

namespace {

// The parities of the six UPC-E digits (number system 0), chosen by the check digit.
constexpr std::array<std::string_view, 10> kUpcEParity = {"BBBAAA", "BBABAA", "BBAABA", "BBAAAB", "BABBAA",
                                                          "BAABBA", "BAAABB", "BABABA", "BABAAB", "BAABAB"};

// Per last UPC-E digit: the zeros put back and how many characters stay in front of them.
struct TExpansion {
    std::string_view inserted;
    size_t after;
};
constexpr std::array<TExpansion, 10> kExpansion = {{{"00000", 3}, {"10000", 3}, {"20000", 3}, {"00000", 4},
                                                    {"00000", 5}, {"0000", 6}, {"0000", 6}, {"0000", 6},
                                                    {"0000", 6}, {"0000", 6}}};

}  // namespace

// ---- UPC-A

std::string TZRBarcodeImplCodeUPC_A::CheckDigit(const std::string& text) {
    return text.size() == 11 ? Mod10CheckDigit(text) : std::string();
}

void TZRBarcodeImplCodeUPC_A::SetText(const std::string& text) {
    TEanUpcSymbology::SetText(text);
    Valid = IsAllDigits(text) && text.size() == 11;
}

std::string TZRBarcodeImplCodeUPC_A::GetFullText() { return Valid ? Text + CheckDigit(Text) : std::string(); }

std::string TZRBarcodeImplCodeUPC_A::EncodePattern(const std::string& fullText) {
    if (!Encodable(fullText, 12)) return {};
    const std::string_view digits = fullText;
    return EncodeBetweenGuards(digits.substr(0, 6), "AAAAAA", digits.substr(6, 6));
}

void TZRBarcodeImplCodeUPC_A::MainTextPieces(TScaleCanvas& canvas, const TSymbolLayout& s,
                                             std::vector<TTextPiece>& pieces) const {
    const std::string& t = s.fullText;
    pieces.push_back(LeftOfStartGuard(canvas, s, t.substr(0, 1)));
    pieces.push_back(Centred(canvas, t.substr(1, 5), ModuleX(s, 37.5), TextTop(s)));
    pieces.push_back(Centred(canvas, t.substr(6, 5), ModuleX(s, 78.5), TextTop(s)));
    pieces.push_back(Centred(canvas, t.substr(11, 1), ModuleX(s, 107.5), TextTop(s)));
}

// ---- UPC-E

std::string TZRBarcodeImplCodeUPC_E::ExpandToUpcA(const std::string& upcE) {
    if (upcE.size() != 7 || !IsAllDigits(upcE)) return {};
    const TExpansion& e = kExpansion[static_cast<size_t>(upcE[6] - '0')];
    std::string expanded = upcE.substr(0, e.after);
    expanded += e.inserted;
    expanded += upcE.substr(e.after);
    return expanded.substr(0, 11);
}

std::string TZRBarcodeImplCodeUPC_E::CheckDigit(const std::string& text) {
    const std::string number = text.size() == 6 ? "0" + text : text;
    if (number.size() != 7 || Text.empty() || Text[0] != '0') return {};
    return Mod10CheckDigit(ExpandToUpcA(number));
}

void TZRBarcodeImplCodeUPC_E::SetText(const std::string& text) {
    TEanUpcSymbology::SetText(text);
    Valid = IsAllDigits(text);
    if (text.size() == 6) Text = "0" + text;
    Valid = Valid && Text.size() == 7;
}

bool TZRBarcodeImplCodeUPC_E::PassesLengthRules() const {
    if (Text.size() < 7 || Text[0] != '0') return false;
    const char last = Text[6];
    if (last == '3' && Text[3] >= '0' && Text[3] <= '2') return false;
    if (last == '4' && Text[4] == '0') return false;
    if (last >= '5' && last <= '9' && Text[5] == '0') return false;
    return true;
}

std::string TZRBarcodeImplCodeUPC_E::GetFullText() { return Valid ? Text + CheckDigit(Text) : std::string(); }

std::string TZRBarcodeImplCodeUPC_E::EncodePattern(const std::string& fullText) {
    if (!Encodable(fullText, 8)) return {};
    return "111" + EncodeWithParity(std::string_view(fullText).substr(1, 6), kUpcEParity[static_cast<size_t>(fullText[7] - '0')]) +
           "111111";
}

void TZRBarcodeImplCodeUPC_E::MainTextPieces(TScaleCanvas& canvas, const TSymbolLayout& s,
                                             std::vector<TTextPiece>& pieces) const {
    const std::string& t = s.fullText;
    pieces.push_back(LeftOfStartGuard(canvas, s, t.substr(0, 1)));
    pieces.push_back(Centred(canvas, t.substr(1, 6), ModuleX(s, 34.5), TextTop(s)));
    pieces.push_back(Centred(canvas, t.substr(7, 1), ModuleX(s, 63.5), TextTop(s)));
}
