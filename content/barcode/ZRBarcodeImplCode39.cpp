#include "content/barcode/ZRBarcodeImplCode39.h"

#include <algorithm>
#include <array>

namespace {

struct TTableRow {
    char character;
    std::string_view widths;
};

// "2" narrow, "5" wide; bars and spaces alternate from a bar.
constexpr std::array<TTableRow, 44> kCode39 = {{
    {'0', "222552522"}, {'1', "522522225"}, {'2', "225522225"}, {'3', "525522222"}, {'4', "222552225"},
    {'5', "522552222"}, {'6', "225552222"}, {'7', "222522525"}, {'8', "522522522"}, {'9', "225522522"},
    {'A', "522225225"}, {'B', "225225225"}, {'C', "525225222"}, {'D', "222255225"}, {'E', "522255222"},
    {'F', "225255222"}, {'G', "222225525"}, {'H', "522225522"}, {'I', "225225522"}, {'J', "222255522"},
    {'K', "522222255"}, {'L', "225222255"}, {'M', "525222252"}, {'N', "222252255"}, {'O', "522252252"},
    {'P', "225252252"}, {'Q', "222222555"}, {'R', "522222552"}, {'S', "225222552"}, {'T', "222252552"},
    {'U', "552222225"}, {'V', "255222225"}, {'W', "555222222"}, {'X', "252252225"}, {'Y', "552252222"},
    {'Z', "255252222"}, {'-', "252222525"}, {'.', "552222522"}, {' ', "255222522"}, {'$', "252525222"},
    {'/', "252522252"}, {'+', "252225252"}, {'%', "222525252"}, {'*', "252252522"},
}};

constexpr std::array<TTableRow, 20> kCodabar = {{
    {'0', "2222255"}, {'1', "2222552"}, {'2', "2225225"}, {'3', "5522222"}, {'4', "2252252"},
    {'5', "5222252"}, {'6', "2522225"}, {'7', "2522522"}, {'8', "2552222"}, {'9', "5225222"},
    {'-', "2225522"}, {'$', "2255222"}, {':', "5222525"}, {'/', "5252225"}, {'.', "5252522"},
    {'+', "2252525"}, {'A', "2255252"}, {'B', "2525225"}, {'C', "2225255"}, {'D', "2225552"},
}};

// Module widths; "[", "]", "{", "}" stand for the shift characters ($), (%), (/), (+).
constexpr std::array<TTableRow, 47> kCode93 = {{
    {'0', "131112"}, {'1', "111213"}, {'2', "111312"}, {'3', "111411"}, {'4', "121113"}, {'5', "121212"},
    {'6', "121311"}, {'7', "111114"}, {'8', "131211"}, {'9', "141111"}, {'A', "211113"}, {'B', "211212"},
    {'C', "211311"}, {'D', "221112"}, {'E', "221211"}, {'F', "231111"}, {'G', "112113"}, {'H', "112212"},
    {'I', "112311"}, {'J', "122112"}, {'K', "132111"}, {'L', "111123"}, {'M', "111222"}, {'N', "111321"},
    {'O', "121122"}, {'P', "131121"}, {'Q', "212112"}, {'R', "212211"}, {'S', "211122"}, {'T', "211221"},
    {'U', "221121"}, {'V', "222111"}, {'W', "112122"}, {'X', "112221"}, {'Y', "122121"}, {'Z', "123111"},
    {'-', "121131"}, {'.', "311112"}, {' ', "311211"}, {'$', "321111"}, {'/', "112131"}, {'+', "113121"},
    {'%', "211131"}, {'[', "121221"}, {']', "312111"}, {'{', "311121"}, {'}', "122211"},
}};

template <size_t N>
int32_t IndexIn(const std::array<TTableRow, N>& table, char c) {
    for (size_t i = 0; i < N; ++i)
        if (table[i].character == c) return static_cast<int32_t>(i);
    return -1;
}

std::string Capitals(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool AllIn(std::string_view text, std::string_view accepted) {
    return std::all_of(text.begin(), text.end(), [&](char c) { return accepted.find(c) != std::string_view::npos; });
}

// The characters' widths with a narrow space between two characters.
template <size_t N>
std::string EncodeWithGaps(const std::array<TTableRow, N>& table, std::string_view text) {
    std::string pattern;
    for (const char c : text) {
        if (!pattern.empty()) pattern += '2';
        pattern += table[static_cast<size_t>(IndexIn(table, c))].widths;
    }
    return pattern;
}

constexpr std::string_view kCode39Characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
constexpr std::string_view kCodabarData = "0123456789-$:/.+";
constexpr std::string_view kCodabarStartStop = "ABCD";
constexpr std::string_view kCode93Characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ +-.$/%";

bool IsStartStop(char c) { return kCodabarStartStop.find(c) != std::string_view::npos; }

}  // namespace

int32_t Code39Index(char c) { return IndexIn(kCode39, c); }
int32_t CodabarIndex(char c) { return IndexIn(kCodabar, c); }
int32_t Code93Index(char c) { return IndexIn(kCode93, c); }

// ---- Code 39

std::string TZRBarcodeImplCode39::CheckDigit(const std::string& text) {
    int32_t sum = 0;
    for (const char c : Capitals(text)) {
        const int32_t value = Code39Index(c);
        if (value < 0 || value > 42) return {};
        sum += value;
    }
    return std::string(1, kCode39[static_cast<size_t>(sum % 43)].character);
}

void TZRBarcodeImplCode39::SetText(const std::string& text) {
    TBarcodeSymbology::SetText(Capitals(text));
    Valid = !Text.empty() && AllIn(Text, kCode39Characters);
}

std::string TZRBarcodeImplCode39::GetFullText() { return Valid && CalcCheckDigit ? Text + CheckDigit(Text) : Text; }

std::string TZRBarcodeImplCode39::EncodePattern(const std::string& fullText) {
    if (!Valid || !AllIn(fullText, kCode39Characters)) return {};
    return EncodeWithGaps(kCode39, "*" + fullText + "*");
}

void TZRBarcodeImplCode39::FilterKey(char& key) { FilterAccepted(key, kCode39Characters, true); }

// ---- Codabar

std::string TZRBarcodeImplCodeCodabar::CheckDigit(const std::string& text) {
    int32_t sum = 0;
    for (const char c : Capitals(text)) {
        const int32_t value = CodabarIndex(c);
        if (value < 0) return {};
        sum += value;
    }
    return std::string(1, kCodabar[static_cast<size_t>((16 - sum % 16) % 16)].character);
}

void TZRBarcodeImplCodeCodabar::SetText(const std::string& text) {
    TBarcodeSymbology::SetText(Capitals(text));
    Valid = !Text.empty();
    for (size_t i = 0; i < Text.size() && Valid; ++i) {
        const bool end = i == 0 || i + 1 == Text.size();
        Valid = AllIn(Text.substr(i, 1), kCodabarData) || (end && IsStartStop(Text[i]));
    }
}

std::string TZRBarcodeImplCodeCodabar::GetFullText() {
    if (!Text.empty() && !IsStartStop(Text.front())) SetText("A" + Text);
    if (!Text.empty() && !IsStartStop(Text.back())) SetText(Text + "A");
    return Text;
}

std::string TZRBarcodeImplCodeCodabar::EncodePattern(const std::string& fullText) {
    if (!Valid || fullText.size() < 2) return {};
    const std::string check = CheckDigit(fullText);
    if (check.empty()) return {};
    return EncodeWithGaps(kCodabar, fullText.substr(0, fullText.size() - 1) + check + fullText.back());
}

std::string TZRBarcodeImplCodeCodabar::ShownText(const TSymbolLayout& s) const {
    return s.fullText.size() >= 2 ? s.fullText.substr(1, s.fullText.size() - 2) : std::string();
}

void TZRBarcodeImplCodeCodabar::FilterKey(char& key) { FilterAccepted(key, "$+-./0123456789:ABCD", true); }

// ---- Code 93

std::string TZRBarcodeImplCode93::CheckDigit(const std::string& text) {
    int32_t sumC = 0, sumK = 0;
    int32_t weightC = 1, weightK = 2;
    const std::string capitals = Capitals(text);
    for (auto it = capitals.rbegin(); it != capitals.rend(); ++it) {
        const int32_t value = Code93Index(*it);
        if (value < 0 || value > 42) return {};
        sumC += value * weightC;
        sumK += value * weightK;
        weightC = weightC == 20 ? 1 : weightC + 1;
        weightK = weightK == 15 ? 1 : weightK + 1;
    }
    const int32_t c = sumC % 47, k = (sumC + sumK) % 47;
    return {kCode93[static_cast<size_t>(c)].character, kCode93[static_cast<size_t>(k)].character};
}

void TZRBarcodeImplCode93::SetText(const std::string& text) {
    TBarcodeSymbology::SetText(Capitals(text));
    Valid = !Text.empty() && AllIn(Text, kCode93Characters);
}

std::string TZRBarcodeImplCode93::GetFullText() { return Valid && CalcCheckDigit ? Text + CheckDigit(Text) : Text; }

std::string TZRBarcodeImplCode93::EncodePattern(const std::string& fullText) {
    if (!Valid) return {};
    std::string pattern = "111141";
    for (const char c : fullText) {
        const int32_t value = Code93Index(c);
        if (value < 0) return {};
        pattern += kCode93[static_cast<size_t>(value)].widths;
    }
    return pattern + "1111411";
}

void TZRBarcodeImplCode93::LayOutHeight(TScaleCanvas&, TSymbolLayout& s) const {
    const double bars = std::max(0.25 * s.units * s.module, 20.0);
    s.height = std::max(static_cast<float>(bars + 2 + s.textHeight), Height);
    s.barOffset = 1;
    s.barHeight = s.height - 2 - s.textHeight;
    s.textOffset = 1 + s.barHeight;
}

void TZRBarcodeImplCode93::FilterKey(char& key) { FilterAccepted(key, kCode39Characters, true); }
