#include "content/barcode/ZRBarcodeImplCode128.h"

#include <algorithm>
#include <array>

namespace {

// The element widths of the symbol values 0 to 105.
constexpr std::array<std::string_view, 106> kPatterns = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232",
};
constexpr int32_t kCodeC = 99;
constexpr int32_t kCodeB = 100;
constexpr int32_t kFnc1 = 102;
constexpr int32_t kStartB = 104;
constexpr int32_t kStartC = 105;
constexpr std::string_view kStop = "2331112";

// The German letters of code set B (Windows-1252) and the values they share.
constexpr std::array<std::pair<uint8_t, int32_t>, 8> kGermanLetters = {
    {{0xA7, 32}, {0xC4, 59}, {0xD6, 60}, {0xDC, 61}, {0xE4, 91}, {0xF6, 92}, {0xFC, 93}, {0xDF, 94}}};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Collects symbol characters with the checksum: the start character's value
// and each following character's value times its position (1, 2, 3 ...).
class TSymbolWriter {
public:
    void Add(int32_t value) {
        checksum_ += value * std::max(position_++, 1);
        Append(value);
    }
    void AddPair(char a, char b) { Add((a - '0') * 10 + (b - '0')); }
    TCode128Encoding Finish() {
        Append(checksum_ % 103);
        encoding_.pattern += kStop;
        encoding_.pattern += '2';  // a last narrow space belongs to the symbol
        return std::move(encoding_);
    }

private:
    void Append(int32_t value) {
        encoding_.values.push_back(value);
        encoding_.pattern += kPatterns[static_cast<size_t>(value)];
    }
    TCode128Encoding encoding_;
    int32_t checksum_ = 0;
    int32_t position_ = 0;
};

}  // namespace

int32_t Code128ValueB(char c) {
    const auto code = static_cast<uint8_t>(c);
    if (code >= 32 && code <= 126) return code - 32;
    for (const auto& [letter, value] : kGermanLetters)
        if (letter == code) return value;
    return -1;
}

int32_t DigitRunLength(std::string_view text, size_t i) {
    size_t end = i;
    while (end < text.size() && IsDigit(text[end])) ++end;
    const auto run = static_cast<int32_t>(end - i);
    if (run < 2) return 1;
    return run % 2 == 1 ? run - 1 : run;
}

std::string StripParentheses(std::string_view text) {
    std::string stripped;
    for (const char c : text)
        if (c != '(' && c != ')') stripped += c;
    return stripped;
}

namespace {

// The first two digits of the application identifiers whose fields have a
// length the GS1 standard fixes: they never need a separator.
constexpr std::array<std::string_view, 22> kPredefinedLengthAIs = {
    "00", "01", "02", "03", "04", "11", "12", "13", "14", "15", "16",
    "17", "18", "19", "20", "31", "32", "33", "34", "35", "36", "41"};

// The identifier in parentheses at position i ("(" at i): its digits, or
// nothing when the parentheses hold no identifier of two to four digits.
std::string_view IdentifierAt(std::string_view text, size_t i) {
    const size_t close = text.find(')', i);
    if (close == std::string_view::npos) return {};
    const std::string_view ai = text.substr(i + 1, close - i - 1);
    if (ai.size() < 2 || ai.size() > 4 || !IsAllDigits(ai)) return {};
    return ai;
}

bool HasPredefinedLength(std::string_view ai) {
    return std::find(kPredefinedLengthAIs.begin(), kPredefinedLengthAIs.end(), ai.substr(0, 2)) !=
           kPredefinedLengthAIs.end();
}

}  // namespace

std::string GS1ElementString(std::string_view text) {
    std::string out;
    bool variableField = false;  // the field being written needs a separator before the next identifier
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ')') continue;
        if (text[i] != '(') {
            out += text[i];
            continue;
        }
        const std::string_view ai = IdentifierAt(text, i);
        if (ai.empty()) continue;
        if (variableField) out += kFnc1Separator;
        variableField = !HasPredefinedLength(ai);
    }
    return out;
}

TCode128Encoding EncodeCode128(std::string_view text, bool fnc1) {
    TSymbolWriter writer;
    if (IsAllDigits(text)) {
        writer.Add(kStartC);
        if (fnc1) writer.Add(kFnc1);
        const size_t pairs = text.size() / 2;
        for (size_t p = 0; p < pairs; ++p) writer.AddPair(text[2 * p], text[2 * p + 1]);
        if (text.size() % 2 == 1) {
            writer.Add(kCodeB);
            writer.Add(Code128ValueB(text.back()));
        }
        return writer.Finish();
    }
    bool inSetC = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const int32_t run = DigitRunLength(text, i);
        if (i == 0) {
            inSetC = run >= 4;
            writer.Add(inSetC ? kStartC : kStartB);
            if (fnc1) writer.Add(kFnc1);
        }
        const bool endsText = run == 4 && i + 4 == text.size();
        if (endsText || run >= 6 || (i == 0 && run >= 4)) {
            if (!inSetC) writer.Add(kCodeC);
            inSetC = true;
            for (int32_t k = 0; k < run; k += 2) writer.AddPair(text[i + k], text[i + k + 1]);
            i += static_cast<size_t>(run) - 1;
            continue;
        }
        if (text[i] == kFnc1Separator) {
            writer.Add(kFnc1);  // the same value in both code sets
            continue;
        }
        if (inSetC) writer.Add(kCodeB);
        inSetC = false;
        writer.Add(Code128ValueB(text[i]));
    }
    return writer.Finish();
}

// ---- Code 128

void TZRBarcodeImplCode128::SetText(const std::string& text) {
    TBarcodeSymbology::SetText(text);
    Valid = !text.empty();
    for (const char c : text) Valid = Valid && Code128ValueB(c) >= 0;
}

void TZRBarcodeImplCode128::FilterKey(char& key) {
    if (ControlKeyDown() || static_cast<uint8_t>(key) < 32) return;
    if (Code128ValueB(key) < 0) key = 0;
}

std::string TZRBarcodeImplCode128::BuildPattern(const std::string& fullText) {
    return EncodeCode128(fullText, false).pattern;
}

// ---- EAN-128

std::string TZRBarcodeImplEAN128::BuildPattern(const std::string& fullText) {
    return EncodeCode128(GS1ElementString(fullText), true).pattern;
}
