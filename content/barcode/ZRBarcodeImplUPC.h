#pragma once
// UPC-A (11 digits and their check digit) and UPC-E (the zero-suppressed
// form of number system 0: six digits, stored with the "0" in front), with
// the EAN design and an optional add-on.

#include "content/barcode/EanUpcSymbology.h"

class TZRBarcodeImplCodeUPC_A : public TEanUpcSymbology {
public:
    std::string CheckDigit(const std::string& text) override;
    void SetText(const std::string& text) override;
    std::string EncodePattern(const std::string& fullText) override;

protected:
    bool PassesLengthRules() const override { return Text.size() >= 11; }
    std::string GetFullText() override;
    TEanUpcLayout EanUpcLayout() const override { return {13, 79.58f, 60, 125, 138}; }
    bool IsGuardElement(int32_t k) const override { return k <= 8 || (k >= 28 && k <= 32) || (k >= 53 && k <= 59); }
    void MainTextPieces(TScaleCanvas& canvas, const TSymbolLayout& s, std::vector<TTextPiece>& pieces) const override;
};

class TZRBarcodeImplCodeUPC_E : public TEanUpcSymbology {
public:
    std::string CheckDigit(const std::string& text) override;
    void SetText(const std::string& text) override;
    std::string EncodePattern(const std::string& fullText) override;

    // The UPC-A form of a 7-character UPC-E number (its check digit left out).
    static std::string ExpandToUpcA(const std::string& upcE);

protected:
    bool PassesLengthRules() const override;
    std::string GetFullText() override;
    TEanUpcLayout EanUpcLayout() const override { return {9, 64.58f, 33, 81, 94}; }
    bool IsGuardElement(int32_t k) const override { return k <= 4 || (k >= 28 && k <= 33); }
    void MainTextPieces(TScaleCanvas& canvas, const TSymbolLayout& s, std::vector<TTextPiece>& pieces) const override;
};
