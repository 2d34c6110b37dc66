#pragma once
// EAN-13 and EAN-8 with an optional 2- or 5-digit add-on. A text of 12 (7)
// digits gets its check digit; a 13th (8th) digit entered is used as it is.

#include "content/barcode/EanUpcSymbology.h"

class TZRBarcodeImplCodeEAN13 : public TEanUpcSymbology {
public:
    std::string CheckDigit(const std::string& text) override;
    void SetText(const std::string& text) override;
    std::string EncodePattern(const std::string& fullText) override;

protected:
    bool PassesLengthRules() const override { return Text.size() >= 12; }
    std::string GetFullText() override;
    TEanUpcLayout EanUpcLayout() const override { return {15, 79.58f, 60, 125, 138}; }
    bool IsGuardElement(int32_t k) const override { return k <= 4 || (k >= 28 && k <= 32) || k >= 56; }
    bool AddOnReachesDown() const override { return true; }
    void MainTextPieces(TScaleCanvas& canvas, const TSymbolLayout& s, std::vector<TTextPiece>& pieces) const override;
};

class TZRBarcodeImplCodeEAN8 : public TEanUpcSymbology {
public:
    std::string CheckDigit(const std::string& text) override;
    void SetText(const std::string& text) override;
    std::string EncodePattern(const std::string& fullText) override;

protected:
    bool PassesLengthRules() const override { return Text.size() >= 7; }
    std::string GetFullText() override;
    TEanUpcLayout EanUpcLayout() const override { return {15, 64.58f, 44, 98, 111}; }
    bool IsGuardElement(int32_t k) const override { return k <= 4 || (k >= 20 && k <= 24) || k >= 41; }
    bool AddOnReachesDown() const override { return true; }
    void MainTextPieces(TScaleCanvas& canvas, const TSymbolLayout& s, std::vector<TTextPiece>& pieces) const override;
};
