#pragma once
// Code 128 and EAN-128 in code sets B and C. Runs of digits go in set C when
// they are at least four long at the start or the end of the text and at
// least six long elsewhere. EAN-128 puts the function character FNC1 after
// the start character and leaves out the parentheses around application
// identifiers; a field whose length its identifier does not fix ends with
// FNC1 when another identifier follows, so that readers can tell the fields
// apart. Code set B also takes the German letters, on the values of the
// characters they replace in the German variant of ISO 646.

#include "content/barcode/CustomZRBarcodeImpl.h"

// The encoding of one text: the pattern and the symbol values in order
// (start character first, then the data, the check value last).
struct TCode128Encoding {
    std::string pattern;
    std::vector<int32_t> values;
};

// The value of a character in code set B, −1 for none.
int32_t Code128ValueB(char c);
// Consecutive digits from position i (0-based), one less when odd; 1 when
// fewer than two digits follow.
int32_t DigitRunLength(std::string_view text, size_t i);
// The character that stands for FNC1 within a text to encode (no character
// of code set B has it).
constexpr char kFnc1Separator = '\x1D';
// fnc1: FNC1 after the start character.
TCode128Encoding EncodeCode128(std::string_view text, bool fnc1);
// "(" and ")" left out.
std::string StripParentheses(std::string_view text);
// The GS1 element string of a text with application identifiers in
// parentheses: the parentheses left out, and kFnc1Separator after a field
// of variable length that another identifier follows.
std::string GS1ElementString(std::string_view text);

class TZRBarcodeImplCode128 : public TBarcodeSymbology {
public:
    void SetText(const std::string& text) override;
    void FilterKey(char& key) override;

protected:
    TBarcodeFamily Family() const override { return {20, 0.175, 0.5, 10}; }
    std::string GetFullText() override { return Text; }
    std::string BuildPattern(const std::string& fullText) override;
};

class TZRBarcodeImplEAN128 : public TZRBarcodeImplCode128 {
protected:
    TBarcodeFamily Family() const override { return {20, 0.15, 0.5, 10}; }
    std::string BuildPattern(const std::string& fullText) override;
};
