#pragma once
// The barcode object of a barcode figure: symbology, text, add-on, options,
// the data-set field that may give the text, and the position box, size and
// angle in millimetres and degrees. The symbology's work is done by one
// implementation object, replaced whenever the symbology changes.

#include "content/barcode/CustomZRBarcodeImpl.h"

#include <memory>
#include <string>

class TZRBarcode : public TMMPos {
public:
    // Code 2/5 Interleaved, check digit and text on, 10 x 10 mm about (0, 0).
    TZRBarcode();
    ~TZRBarcode() override;
    TZRBarcode(const TZRBarcode&) = delete;
    TZRBarcode& operator=(const TZRBarcode&) = delete;

    void SetCenterX(float value) override;
    void SetCenterY(float value) override;
    void SetWidth(float value) override;
    void SetHeight(float value) override;

    // The low seven bits choose the implementation; the whole byte is kept.
    void SetBarcodeType(TBarcodeTyp value);
    void SetText(const std::string& text);  // Windows-1252
    void SetAddOn(const std::string& text);
    void SetCheckDigit(bool flag);
    void SetShowText(bool flag);
    void SetAngle(float degrees);
    void SetAECOC(bool flag);
    void SetDataField(const std::string& name);

    TBarcodeTyp BarcodeType() const { return barcodeType_; }
    const std::string& Text() const { return text_; }
    bool CalcCheckDigit() const { return calcCheckDigit_; }
    bool ShowText() const { return showText_; }
    const std::string& AddOn() const { return addOn_; }
    float Angle() const { return angle_; }
    bool AECOC() const { return aecoc_; }
    const std::string& DataField() const { return dataField_; }
    TCustomZRBarcodeImpl& Impl() const { return *impl_; }

    // Black text, then the symbol.
    void Draw(TScaleCanvas& canvas);
    // In device units of the canvas.
    void GetBounds(TScaleCanvas& canvas, TRect& rect);
    // Owned by the barcode object; none when the implementation keeps none.
    const gdi::Region* GetRegion(TScaleCanvas& canvas);
    bool IsValid() const { return impl_->Valid; }
    bool IsTextValid() const { return IsValid(); }
    // The check digit of Text as the symbology computes it; empty when it has none.
    std::string GetCheckDigit() const;
    // Replaces a refused character by 0.
    void FilterKey(char& key);

private:
    TBarcodeTyp barcodeType_ = btCode25Interleaved;
    std::string text_;
    bool calcCheckDigit_ = true;
    bool showText_ = true;
    std::string addOn_;
    float angle_ = 0;
    std::unique_ptr<TCustomZRBarcodeImpl> impl_;
    bool aecoc_ = false;
    std::string dataField_;
};

// The implementation of a symbology number (its low seven bits); the
// placeholder base for numbers this program does not know.
std::unique_ptr<TCustomZRBarcodeImpl> CreateBarcodeImpl(TBarcodeTyp type);
