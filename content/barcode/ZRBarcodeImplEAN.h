#pragma once
// EAN-13 and EAN-8 with an optional 2- or 5-digit add-on. A text of 12 (7)
// digits gets its check digit; a 13th (8th) digit entered is used as it is.

#include "content/barcode/EanUpcSymbology.h"

// What the two share: a text of n data digits, or of n digits and a check digit.
class TEanSymbology : public TEanUpcSymbology {
public:
    explicit TEanSymbology(size_t dataDigits) : dataDigits_(dataDigits) {}
    std::string CheckDigit(const std::string& text) override;
    void SetText(const std::string& text) override;
    std::string GetFullText() override;

protected:
    bool PassesLengthRules() const override { return Text.size() >= dataDigits_; }
    bool AddOnReachesDown() const override { return true; }

private:
    size_t dataDigits_;
};

class TZRBarcodeImplCodeEAN13 : public TEanSymbology {
public:
    TZRBarcodeImplCodeEAN13() : TEanSymbology(12) {}
    std::string EncodePattern(const std::string& fullText) override;

protected:
    TEanUpcLayout EanUpcLayout() const override { return {15, 79.58f, 60, 125, 138}; }
    bool IsGuardElement(int32_t k) const override { return k <= 4 || (k >= 28 && k <= 32) || k >= 56; }
    void MainTextPieces(TScaleCanvas& canvas, const TSymbolLayout& s, std::vector<TTextPiece>& pieces) const override;
};

class TZRBarcodeImplCodeEAN8 : public TEanSymbology {
public:
    TZRBarcodeImplCodeEAN8() : TEanSymbology(7) {}
    std::string EncodePattern(const std::string& fullText) override;

protected:
    TEanUpcLayout EanUpcLayout() const override { return {15, 64.58f, 44, 98, 111}; }
    bool IsGuardElement(int32_t k) const override { return k <= 4 || (k >= 20 && k <= 24) || k >= 41; }
    void MainTextPieces(TScaleCanvas& canvas, const TSymbolLayout& s, std::vector<TTextPiece>& pieces) const override;
};
