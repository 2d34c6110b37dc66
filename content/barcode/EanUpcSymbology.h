#pragma once
// What EAN-13, EAN-8, UPC-A and UPC-E share: the number sets, the 2- and
// 5-digit add-on, bar heights that follow the module, guard bars that reach
// below the others and the digits set in groups under the symbol.

#include "content/barcode/CustomZRBarcodeImpl.h"

#include <string>
#include <string_view>

// The four element widths of a digit in number set A (odd parity, begins
// with a space), set B (even parity) and set C (begins with a bar; the same
// widths as set A).
std::string_view EanSetA(char digit);
std::string_view EanSetB(char digit);
std::string_view EanSetC(char digit);
// The digits in sets A and B as a parity string of "A"/"B" letters says.
std::string EncodeWithParity(std::string_view digits, std::string_view parity);
std::string EncodeSetC(std::string_view digits);
// Start guard, the left digits in sets A and B by their parities, centre
// guard, the right digits in set C, end guard.
std::string EncodeBetweenGuards(std::string_view left, std::string_view leftParity, std::string_view right);
// The pattern of a 2- or 5-digit add-on; empty for any other length.
std::string EncodeAddOn(const std::string& addOn);

class TEanUpcSymbology : public TBarcodeSymbology {
public:
    void SetAddOn(const std::string& text) override;
    void FilterKey(char& key) override;

    bool AddOnValid = false;

protected:
    // The family's own numbers.
    struct TEanUpcLayout {
        int32_t budgetCut;     // modules of the symbol the text may not fill
        float aecocFactor;     // bar height in modules with AECOC
        int32_t addOnAfterElement;  // the elements after it start lower (the add-on)
        double addOnCentre2;   // centres of the add-on text, in modules from the left edge
        double addOnCentre5;
    };
    virtual TEanUpcLayout EanUpcLayout() const = 0;
    virtual bool IsGuardElement(int32_t k) const = 0;
    // Whether add-on elements reach down like the guards.
    virtual bool AddOnReachesDown() const { return false; }
    // The pieces under the main symbol.
    virtual void MainTextPieces(TScaleCanvas& canvas, const TSymbolLayout& s, std::vector<TTextPiece>& pieces) const = 0;

    TBarcodeFamily Family() const override { return {10, 0.27, 0.66, 12}; }
    std::string BuildPattern(const std::string& fullText) override;
    int32_t TextBudget(const TSymbolLayout& s) const override;
    void LayOutHeight(TScaleCanvas& canvas, TSymbolLayout& s) const override;
    void ElementSpan(int32_t k, const TSymbolLayout& s, float& top, float& bottom) const override;
    std::vector<TTextPiece> TextPieces(TScaleCanvas& canvas, const TSymbolLayout& s) const override;

    // The text's own top, the x of a module count from the left edge.
    static float TextTop(const TSymbolLayout& s) { return s.top + s.textOffset; }
    static float ModuleX(const TSymbolLayout& s, double modules) { return static_cast<float>(s.left + modules * s.module); }
    // Whether a full text of this many digits can be encoded.
    bool Encodable(const std::string& fullText, size_t digits) const {
        return Valid && fullText.size() == digits && IsAllDigits(fullText);
    }
    // Digit 1 ends 0.3 mm left of the start guard.
    static TTextPiece LeftOfStartGuard(TScaleCanvas& canvas, const TSymbolLayout& s, const std::string& text);

private:
    bool IsAddOnElement(int32_t k) const { return AddOnValid && k > EanUpcLayout().addOnAfterElement; }
    // Measured in LayOutHeight while the text is shown.
    mutable float guardExtension_ = 0;
    mutable float addOnDrop_ = 0;
};
