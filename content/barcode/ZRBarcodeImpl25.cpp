#include "content/barcode/ZRBarcodeImpl25.h"

#include "foundation/ScaleCanvas.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::string_view, 10> kDigits = {"22552", "52225", "25225", "55222", "22525",
                                                      "52522", "25522", "22255", "52252", "25252"};

}  // namespace

std::string_view Code25Widths(char digit) {
    return digit >= '0' && digit <= '9' ? kDigits[static_cast<size_t>(digit - '0')] : std::string_view{};
}

// ---- common

void TCode25Symbology::SetText(const std::string& text) {
    TBarcodeSymbology::SetText(text);
    Valid = !text.empty() && IsAllDigits(text);
}

void TCode25Symbology::FilterKey(char& key) { FilterAccepted(key, "0123456789", false); }

void TCode25Symbology::LayOutHeight(TScaleCanvas& canvas, TSymbolLayout& s) const {
    TBarcodeSymbology::LayOutHeight(canvas, s);
    s.textOffset += 0.5f;
}

// ---- standard

std::string TZRBarcodeImplCode25Standard::CheckDigit(const std::string& text) { return Mod10CheckDigit(text); }

std::string TZRBarcodeImplCode25Standard::GetFullText() {
    return Valid && CalcCheckDigit ? Text + CheckDigit(Text) : Text;
}

std::string TZRBarcodeImplCode25Standard::EncodePattern(const std::string& fullText) {
    if (!Valid || !IsAllDigits(fullText)) return {};
    std::string pattern = "525222";
    for (const char digit : fullText) {
        for (const char width : Code25Widths(digit)) {
            pattern += width;
            pattern += '2';
        }
    }
    return pattern + "52225";
}

// ---- interleaved

std::string TZRBarcodeImplCode25Interleaved::CheckDigit(const std::string& text) { return Mod10CheckDigit(text); }

std::string TZRBarcodeImplCode25Interleaved::GetFullText() {
    if (!Valid) return Text;
    if (!CalcCheckDigit) return Text.size() % 2 == 1 ? "0" + Text : Text;
    const std::string digits = Text.size() % 2 == 0 ? "0" + Text : Text;
    return digits + CheckDigit(digits);
}

std::string TZRBarcodeImplCode25Interleaved::EncodePattern(const std::string& fullText) {
    if (!Valid || fullText.size() % 2 != 0 || !IsAllDigits(fullText)) return {};
    std::string pattern = "2222";
    for (size_t i = 0; i < fullText.size(); i += 2) {
        const std::string_view bars = Code25Widths(fullText[i]), spaces = Code25Widths(fullText[i + 1]);
        for (size_t k = 0; k < 5; ++k) {
            pattern += bars[k];
            pattern += spaces[k];
        }
    }
    return pattern + "522";
}

// ---- ITF-14

std::string TZRBarcodeImplCodeITF14::CheckDigit(const std::string& text) {
    return text.size() == 13 ? Mod10CheckDigit(text) : std::string();
}

void TZRBarcodeImplCodeITF14::LayOutHeight(TScaleCanvas&, TSymbolLayout& s) const {
    const double b = BearerHeight(s);
    const double factor = AECOC ? 62.5 : 31.25;
    s.height = static_cast<float>(factor * s.module + 2 * b + 2 + s.textHeight);
    if (!AECOC) s.height = std::max(s.height, Height);
    s.barOffset = static_cast<float>(1 + b);
    s.barHeight = static_cast<float>(s.height - 2 - 2 * b - s.textHeight);
    s.textOffset = static_cast<float>(1 + s.barHeight + 0.5 + 2 * b);
}

void TZRBarcodeImplCodeITF14::DrawAfterBars(TScaleCanvas& canvas, const TSymbolLayout& s) {
    canvas.Brush() = gdi::SolidBrush(0);
    canvas.Pen().style = gdi::PenStyle::Solid;
    canvas.Pen().color = 0;
    const auto b = static_cast<float>(BearerHeight(s));
    const float left = s.left, right = static_cast<float>(s.left + s.width);
    const float upper = s.top + 1, lower = upper + b + s.barHeight;
    DrawRotatedRect(canvas, left, upper, right, upper + b, CenterX, CenterY, Angle);
    DrawRotatedRect(canvas, left, lower, right, lower + b, CenterX, CenterY, Angle);
}
