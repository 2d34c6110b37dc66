#pragma once
// The numeric two-width symbologies: Code 2 of 5 standard (only the bars
// carry the digits) and interleaved (pairs of digits in bars and spaces),
// and ITF-14, interleaved 2 of 5 over 14 digits between bearer bars.
// Narrow elements are written "2" and wide ones "5": a unit is half a
// narrow element.

#include "content/barcode/CustomZRBarcodeImpl.h"

// The five widths of a digit.
std::string_view Code25Widths(char digit);

class TCode25Symbology : public TBarcodeSymbology {
public:
    void SetText(const std::string& text) override;
    void FilterKey(char& key) override;

protected:
    TBarcodeFamily Family() const override { return {20, 0.1875, 0.35, 10}; }
    void LayOutHeight(TScaleCanvas& canvas, TSymbolLayout& s) const override;
};

class TZRBarcodeImplCode25Standard : public TCode25Symbology {
public:
    std::string CheckDigit(const std::string& text) override;
    std::string EncodePattern(const std::string& fullText) override;

protected:
    std::string GetFullText() override;
};

class TZRBarcodeImplCode25Interleaved : public TCode25Symbology {
public:
    std::string CheckDigit(const std::string& text) override;
    std::string EncodePattern(const std::string& fullText) override;

protected:
    std::string GetFullText() override;
};

class TZRBarcodeImplCodeITF14 : public TZRBarcodeImplCode25Interleaved {
public:
    std::string CheckDigit(const std::string& text) override;

protected:
    bool PassesLengthRules() const override { return Text.size() == 13; }
    TBarcodeFamily Family() const override { return {20, 0.2475, 0.6095, 10}; }
    void LayOutHeight(TScaleCanvas& canvas, TSymbolLayout& s) const override;
    void DrawAfterBars(TScaleCanvas& canvas, const TSymbolLayout& s) override;

private:
    static double BearerHeight(const TSymbolLayout& s) { return 2.1 * s.module; }
};
