#include "figures/Barcode.h"

#include "content/DataSet.h"
#include "content/barcode/ZRBarcode.h"
#include "document/ChildBase.h"
#include "document/EtikettFiler.h"
#include "figures/FigureDialogs.h"
#include "figures/FigureStream.h"
#include "figures/Tracker.h"
#include "foundation/ExportCanvas.h"
#include "foundation/ScaleCanvas.h"

namespace {

// A device length of the canvas in mm, for the distance from a to b with
// the end pixel counted.
float SpanMM(const TScaleCanvas& canvas, int32_t a, int32_t b) {
    return canvas.PixelToMM(gdi::Saturated(int64_t{b} - a + 1));
}

}  // namespace

TBarcodeRecord BarcodeRecordOf(const TZRBarcode& b) {
    TBarcodeRecord r;
    r.Symbology = b.BarcodeType();
    r.Text = b.Text();
    r.AddOn = b.AddOn();
    r.CheckDigit = b.CalcCheckDigit();
    r.ShowText = b.ShowText();
    r.AECOC = b.AECOC();
    r.DataField = b.DataField();
    return r;
}

void ApplyBarcodeRecord(TZRBarcode& b, const TBarcodeRecord& r) {
    b.SetBarcodeType(static_cast<TBarcodeTyp>(r.Symbology));
    b.SetText(r.Text);
    b.SetAddOn(r.AddOn);
    b.SetCheckDigit(r.CheckDigit);
    b.SetShowText(r.ShowText);
    b.SetAECOC(r.AECOC);
    b.SetDataField(r.DataField);
}

TBarcode::TBarcode(TChildBase* owner) : TRechteck(owner), Barcode(std::make_unique<TZRBarcode>()) {
    Kind = TFigureKind::Barcode;
    SyncBarcode();
}

TBarcode::~TBarcode() = default;

// ---- geometry

void TBarcode::SyncBarcode() const {
    Barcode->SetCenterX(SingleOf(CenterX));
    Barcode->SetCenterY(SingleOf(CenterY));
    Barcode->SetWidth(SingleOf(Width));
    Barcode->SetHeight(SingleOf(Height));
    Barcode->SetAngle(SingleOf(Angle));
}

void TBarcode::UpdateTransform() {
    TRechteck::UpdateTransform();
    SyncBarcode();
}

TRect TBarcode::GetExtent(const TCustomScaler& scaler) const {
    const TRect frame = TRechteck::GetExtent(scaler);
    // The symbol is measured with the canvas's fonts; every canvas that
    // figures draw or measure on is a scale canvas.
    const auto* canvas = dynamic_cast<const TScaleCanvas*>(&scaler);
    if (!canvas) return frame;
    SyncBarcode();
    TRect symbol;
    Barcode->GetBounds(const_cast<TScaleCanvas&>(*canvas), symbol);
    return gdi::UnionRect(frame, symbol);
}

void TBarcode::Invalidate() {
    InvalidateDeviceRect(GetPixelExtent().Inflated(15, 15));
}

// ---- drawing

void TBarcode::DrawOn(TScaleCanvas& canvas) {
    SyncBarcode();
    Barcode->Draw(canvas);
}

void TBarcode::Paint() {
    SelectClipRing();
    DrawOn(WindowCanvas());
}

void TBarcode::ExportTo(TExportCanvas& target) {
    DrawOn(target.ScaleCanvas());
}

void TBarcode::DrawClippedTo(TScaleCanvas& canvas) {
    SelectClipRingOn(canvas);
    DrawOn(canvas);
}

void TBarcode::DrawTo(TScaleCanvas& canvas) {
    if (!InClipRing(canvas)) return;
    if (Owner && Owner->IsPrintingRecord() && !Barcode->DataField().empty())
        DrawRecordValue(canvas);
    else
        DrawOn(canvas);
}

void TBarcode::DrawRecordValue(TScaleCanvas& canvas) {
    const std::string stored = Barcode->Text();
    try {
        Barcode->SetText(DataSetValue);
        if (Barcode->IsTextValid()) DrawOn(canvas);
    } catch (const std::exception&) {
        // A label whose value cannot be drawn shows no barcode; the print goes on.
    }
    Barcode->SetText(stored);
}

void TBarcode::FillFromDataSet(TDataSet* dataSet) {
    DataSetValue.clear();
    if (!dataSet || Barcode->DataField().empty()) return;
    try {
        DataSetValue = dataSet->FieldValue(Barcode->DataField());
    } catch (const std::exception&) {
        DataSetValue.clear();
    }
}

// ---- hit test

bool TBarcode::HitTest(TPoint p) {
    // The whole frame counts, whatever the fill, so that a click between
    // the bars selects the barcode.
    if (HitTestBox(p, true)) return true;
    SyncBarcode();
    const gdi::Region* symbol = Barcode->GetRegion(WindowCanvas());
    return symbol && symbol->Contains(p.x, p.y);
}

void TBarcode::DrawTrackFeedback(TRectTracker& tracker, TTrackGeometry& g, bool& handled) {
    TRechteck::DrawTrackFeedback(tracker, g, handled);
}

// ---- the dialog

bool TBarcode::EditBarcode() {
    SyncBarcode();
    TDataSet* dataSet = Owner ? Owner->GetLinkedDataSet() : nullptr;
    if (!RunBarcodeDialog(*Barcode, dataSet)) return false;
    InvalidateDeviceRect(GetPixelExtent().Inflated(10, 10));
    Tracker->InvalidateHandles();
    // The frame takes the symbol's own size: measured unturned, so that a
    // turned barcode keeps its width along its bars.
    TScaleCanvas& canvas = WindowCanvas();
    Barcode->SetAngle(0);
    TRect symbol;
    Barcode->GetBounds(canvas, symbol);
    SetWidth(SpanMM(canvas, symbol.left, symbol.right));
    SetHeight(SpanMM(canvas, symbol.top, symbol.bottom));
    SyncTracker();
    Invalidate();
    Tracker->InvalidateHandles();
    return true;
}

std::unique_ptr<TBarcode> CreateBarcodeFigure(TChildBase* owner, TPoint p1, TPoint p2) {
    auto figure = std::make_unique<TBarcode>(owner);
    figure->SetFromPixelRect(p1, p2);
    if (!figure->EditBarcode()) return nullptr;
    return figure;
}

// ---- records, snapshots, copies

void TBarcode::WriteData(TEtikettFiler& filer) {
    TRechteck::WriteData(filer);
    BarcodeRecordOf(*Barcode).Write(filer);
}

void TBarcode::ReadData(TEtikettFiler& filer) {
    TRechteck::ReadData(filer);
    TBarcodeRecord read;
    read.Read(filer);
    ApplyBarcodeRecord(*Barcode, read);
    UpdateTransform();
}

void TBarcode::SaveToStream(TStream& stream) const {
    TRechteck::SaveToStream(stream);
    const TBarcodeRecord r = BarcodeRecordOf(*Barcode);
    WriteStreamInt(stream, r.Symbology);
    WriteStreamString(stream, r.Text);
    WriteStreamString(stream, r.AddOn);
    WriteStreamByte(stream, r.CheckDigit);
    WriteStreamByte(stream, r.ShowText);
    WriteStreamByte(stream, r.AECOC);
    WriteStreamString(stream, r.DataField);
}

void TBarcode::LoadFromStream(TStream& stream) {
    TRechteck::LoadFromStream(stream);
    TBarcodeRecord r;
    r.Symbology = ReadStreamInt(stream);
    r.Text = ReadStreamString(stream);
    r.AddOn = ReadStreamString(stream);
    r.CheckDigit = ReadStreamByte(stream) != 0;
    r.ShowText = ReadStreamByte(stream) != 0;
    r.AECOC = ReadStreamByte(stream) != 0;
    r.DataField = ReadStreamString(stream);
    ApplyBarcodeRecord(*Barcode, r);
    UpdateTransform();
}

void TBarcode::Assign(const TFigure& source) {
    const auto* barcode = dynamic_cast<const TBarcode*>(&source);
    if (!barcode) throw EInvalidCast("Invalid class typecast");
    TRechteck::Assign(source);
    ApplyBarcodeRecord(*Barcode, BarcodeRecordOf(*barcode->Barcode));
    UpdateTransform();
}

std::unique_ptr<TFigure> TBarcode::Clone() const {
    auto copy = std::make_unique<TBarcode>(Owner);
    copy->Assign(*this);
    return copy;
}
