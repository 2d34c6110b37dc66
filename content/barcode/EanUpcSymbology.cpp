#include "content/barcode/EanUpcSymbology.h"

#include "foundation/ScaleCanvas.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::string_view, 10> kSetA = {"3211", "2221", "2122", "1411", "1132",
                                                    "1231", "1114", "1312", "1213", "3112"};
// Set B is set A read backwards.
constexpr std::array<std::string_view, 10> kSetB = {"1123", "1222", "2212", "1141", "2311",
                                                    "1321", "4111", "2131", "3121", "2113"};
// Parities of the 5-digit add-on by its checksum.
constexpr std::array<std::string_view, 10> kAddOn5Parity = {"BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA",
                                                            "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB"};

std::string_view Lookup(const std::array<std::string_view, 10>& table, char digit) {
    return digit >= '0' && digit <= '9' ? table[static_cast<size_t>(digit - '0')] : std::string_view{};
}

}  // namespace

std::string_view EanSetA(char digit) { return Lookup(kSetA, digit); }
std::string_view EanSetB(char digit) { return Lookup(kSetB, digit); }
std::string_view EanSetC(char digit) { return Lookup(kSetA, digit); }

std::string EncodeWithParity(std::string_view digits, std::string_view parity) {
    std::string pattern;
    for (size_t i = 0; i < digits.size() && i < parity.size(); ++i)
        pattern += parity[i] == 'B' ? EanSetB(digits[i]) : EanSetA(digits[i]);
    return pattern;
}

std::string EncodeSetC(std::string_view digits) {
    std::string pattern;
    for (const char d : digits) pattern += EanSetC(d);
    return pattern;
}

std::string EncodeBetweenGuards(std::string_view left, std::string_view leftParity, std::string_view right) {
    return "111" + EncodeWithParity(left, leftParity) + "11111" + EncodeSetC(right) + "111";
}

std::string EncodeAddOn(const std::string& addOn) {
    if (!IsAllDigits(addOn)) return {};
    std::string parity;
    if (addOn.size() == 2) {
        const int32_t v = ((addOn[0] - '0') * 10 + (addOn[1] - '0')) % 4;
        parity = {v <= 1 ? 'A' : 'B', v % 2 == 0 ? 'A' : 'B'};
    } else if (addOn.size() == 5) {
        const auto d = [&](size_t i) { return addOn[i] - '0'; };
        const int32_t checksum = (3 * (d(0) + d(2) + d(4)) + 9 * (d(1) + d(3))) % 10;
        parity = kAddOn5Parity[static_cast<size_t>(checksum)];
    } else {
        return {};
    }
    std::string pattern = "112";
    for (size_t i = 0; i < addOn.size(); ++i) {
        if (i > 0) pattern += "11";
        pattern += parity[i] == 'B' ? EanSetB(addOn[i]) : EanSetA(addOn[i]);
    }
    return pattern;
}

// ---- TEanUpcSymbology

void TEanUpcSymbology::SetAddOn(const std::string& text) {
    TBarcodeSymbology::SetAddOn(text);
    AddOnValid = IsAllDigits(text) && (text.size() == 2 || text.size() == 5);
}

void TEanUpcSymbology::FilterKey(char& key) { FilterAccepted(key, "0123456789", false); }

std::string TEanUpcSymbology::BuildPattern(const std::string& fullText) {
    std::string pattern = EncodePattern(fullText);
    // A gap of ten modules (a bar of no width between two spaces) before the add-on.
    if (!pattern.empty() && AddOnValid) pattern += "505" + EncodeAddOn(AddOn);
    return pattern;
}

int32_t TEanUpcSymbology::TextBudget(const TSymbolLayout& s) const {
    int32_t budget = s.units - EanUpcLayout().budgetCut;
    if (AddOnValid) budget -= AddOn.size() == 2 ? 30 : 56;
    return budget;
}

void TEanUpcSymbology::LayOutHeight(TScaleCanvas& canvas, TSymbolLayout& s) const {
    const float factor = AECOC ? EanUpcLayout().aecocFactor : 30.0f;
    s.height = static_cast<float>(factor * s.module + 2);
    if (ShowText) s.height += s.textHeight + 0.1f;
    if (!AECOC) s.height = std::max(s.height, Height);
    s.barOffset = 1;
    s.barHeight = s.height - 2 - s.textHeight;
    s.textOffset = 1.1f + s.barHeight;
    guardExtension_ = ShowText ? canvas.TextHeightMM("Xy") / 2 : 0;
    addOnDrop_ = ShowText ? canvas.TextHeightMM("88") : 0;
}

void TEanUpcSymbology::ElementSpan(int32_t k, const TSymbolLayout&, float& top, float& bottom) const {
    if (!ShowText) return;
    const bool addOn = IsAddOnElement(k);
    if (addOn) top += addOnDrop_;
    if (addOn ? AddOnReachesDown() : IsGuardElement(k)) bottom += guardExtension_;
}

std::vector<TTextPiece> TEanUpcSymbology::TextPieces(TScaleCanvas& canvas, const TSymbolLayout& s) const {
    std::vector<TTextPiece> pieces;
    MainTextPieces(canvas, s, pieces);
    if (AddOnValid) {
        const TEanUpcLayout layout = EanUpcLayout();
        const double centre = AddOn.size() == 2 ? layout.addOnCentre2 : layout.addOnCentre5;
        pieces.push_back(Centred(canvas, AddOn, ModuleX(s, centre), s.top + 0.8f));
    }
    return pieces;
}

TTextPiece TEanUpcSymbology::LeftOfStartGuard(TScaleCanvas& canvas, const TSymbolLayout& s, const std::string& text) {
    return {text, ModuleX(s, 10) - canvas.TextWidthMM(text) - 0.3f, TextTop(s)};
}
