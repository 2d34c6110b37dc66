#pragma once
// Code 128 and EAN-128 in code sets B and C. Runs of digits go in set C when
// they are at least four long at the start or the end of the text and at
// least six long elsewhere. EAN-128 puts the function character FNC1 after
// the start character and leaves out the parentheses around application
// identifiers. Code set B also takes the German letters, on the values of
// the characters they replace in the German variant of ISO 646.

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
TCode128Encoding EncodeCode128(std::string_view text, bool fnc1);
// "(" and ")" left out.
std::string StripParentheses(std::string_view text);

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
