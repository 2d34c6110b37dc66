#include "content/barcode/ZRBarcode.h"

#include "content/barcode/ZRBarcodeImpl25.h"
#include "content/barcode/ZRBarcodeImplCode128.h"
#include "content/barcode/ZRBarcodeImplCode39.h"
#include "content/barcode/ZRBarcodeImplEAN.h"
#include "content/barcode/ZRBarcodeImplUPC.h"
#include "foundation/ScaleCanvas.h"

std::unique_ptr<TCustomZRBarcodeImpl> CreateBarcodeImpl(TBarcodeTyp type) {
    switch (type & 0x7F) {
    case btEAN8: return std::make_unique<TZRBarcodeImplCodeEAN8>();
    case btEAN13: return std::make_unique<TZRBarcodeImplCodeEAN13>();
    case btEAN128: return std::make_unique<TZRBarcodeImplEAN128>();
    case btCode25Standard: return std::make_unique<TZRBarcodeImplCode25Standard>();
    case btCode25Interleaved: return std::make_unique<TZRBarcodeImplCode25Interleaved>();
    case btCode128: return std::make_unique<TZRBarcodeImplCode128>();
    case btCode39: return std::make_unique<TZRBarcodeImplCode39>();
    case btCodabar: return std::make_unique<TZRBarcodeImplCodeCodabar>();
    case btCode93: return std::make_unique<TZRBarcodeImplCode93>();
    case btITF14: return std::make_unique<TZRBarcodeImplCodeITF14>();
    case btUPC_A: return std::make_unique<TZRBarcodeImplCodeUPC_A>();
    case btUPC_E: return std::make_unique<TZRBarcodeImplCodeUPC_E>();
    default: return std::make_unique<TCustomZRBarcodeImpl>();
    }
}

TZRBarcode::TZRBarcode() {
    Width = 10;
    Height = 10;
    SetBarcodeType(btCode25Interleaved);
}

TZRBarcode::~TZRBarcode() = default;

void TZRBarcode::SetCenterX(float value) {
    CenterX = value;
    impl_->SetCenterX(value);
}

void TZRBarcode::SetCenterY(float value) {
    CenterY = value;
    impl_->SetCenterY(value);
}

void TZRBarcode::SetWidth(float value) {
    Width = value;
    impl_->SetWidth(value);
}

void TZRBarcode::SetHeight(float value) {
    Height = value;
    impl_->SetHeight(value);
}

void TZRBarcode::SetBarcodeType(TBarcodeTyp value) {
    impl_.reset();
    barcodeType_ = value;
    impl_ = CreateBarcodeImpl(value);
    impl_->SetCenterX(CenterX);
    impl_->SetCenterY(CenterY);
    impl_->SetWidth(Width);
    impl_->SetHeight(Height);
    impl_->SetAngle(angle_);
    impl_->SetText(text_);
    impl_->SetAddOn(addOn_);
    impl_->SetCheckDigit(calcCheckDigit_);
    impl_->SetShowText(showText_);
    impl_->SetAECOC(aecoc_);
}

void TZRBarcode::SetText(const std::string& text) {
    text_ = text;
    impl_->SetText(text);
}

void TZRBarcode::SetAddOn(const std::string& text) {
    addOn_ = text;
    impl_->SetAddOn(text);
}

void TZRBarcode::SetCheckDigit(bool flag) {
    calcCheckDigit_ = flag;
    impl_->SetCheckDigit(flag);
}

void TZRBarcode::SetShowText(bool flag) {
    showText_ = flag;
    impl_->SetShowText(flag);
}

void TZRBarcode::SetAngle(float degrees) {
    angle_ = degrees;
    impl_->SetAngle(degrees);
}

void TZRBarcode::SetAECOC(bool flag) {
    aecoc_ = flag;
    impl_->SetAECOC(flag);
}

void TZRBarcode::SetDataField(const std::string& name) { dataField_ = name; }

void TZRBarcode::Draw(TScaleCanvas& canvas) {
    canvas.Font().SetColor(0);
    impl_->Draw(canvas);
}

void TZRBarcode::GetBounds(TScaleCanvas& canvas, TRect& rect) { impl_->GetBounds(canvas, rect); }

const gdi::Region* TZRBarcode::GetRegion(TScaleCanvas& canvas) { return impl_->GetRegion(canvas); }

std::string TZRBarcode::GetCheckDigit() const {
    try {
        return impl_->CheckDigit(text_);
    } catch (...) {
        return {};
    }
}

void TZRBarcode::FilterKey(char& key) { impl_->FilterKey(key); }
