#pragma once
// Code 39, Codabar and Code 93: alphanumeric symbologies driven by one table
// each, whose row number is also the character's check value. Lower-case
// letters are stored and typed as capitals.

#include "content/barcode/CustomZRBarcodeImpl.h"

// The row of a character in each table (its check value), −1 for none.
int32_t Code39Index(char c);
int32_t CodabarIndex(char c);
int32_t Code93Index(char c);

class TZRBarcodeImplCode39 : public TBarcodeSymbology {
public:
    std::string CheckDigit(const std::string& text) override;
    void SetText(const std::string& text) override;
    std::string EncodePattern(const std::string& fullText) override;
    void FilterKey(char& key) override;

protected:
    TBarcodeFamily Family() const override { return {20, 0.15, 0.5, 10}; }
    std::string GetFullText() override;
};

// The check character is always encoded, before the stop character:
// (16 − sum of the values mod 16) mod 16, start and stop included.
class TZRBarcodeImplCodeCodabar : public TBarcodeSymbology {
public:
    std::string CheckDigit(const std::string& text) override;
    void SetText(const std::string& text) override;
    std::string EncodePattern(const std::string& fullText) override;
    void FilterKey(char& key) override;

protected:
    TBarcodeFamily Family() const override { return {20, 0.15, 0.5, 10}; }
    // Completes the stored text with the start and stop character "A" where
    // they are missing.
    std::string GetFullText() override;
    std::string FittedText(const TSymbolLayout& s) const override { return ShownText(s); }
    std::string ShownText(const TSymbolLayout& s) const override;
};

class TZRBarcodeImplCode93 : public TBarcodeSymbology {
public:
    // The two check characters C and K.
    std::string CheckDigit(const std::string& text) override;
    void SetText(const std::string& text) override;
    std::string EncodePattern(const std::string& fullText) override;
    void FilterKey(char& key) override;

protected:
    TBarcodeFamily Family() const override { return {10, 0.3, 0.7, 10}; }
    std::string GetFullText() override;
    void LayOutHeight(TScaleCanvas& canvas, TSymbolLayout& s) const override;
    std::string ShownText(const TSymbolLayout&) const override { return Text; }
};
