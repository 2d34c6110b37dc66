#pragma once
// The barcode figure: a box on the label whose barcode object (symbology,
// text, add-on, options, data field) encodes and draws the symbol. Before
// every drawing and measure the figure hands the object its centre, size and
// angle. The figure's pen and fill are stored but never drawn.
//
// In a serial print the value of the barcode's data-set field in the current
// record (FillFromDataSet) is drawn in place of the stored text, and a value
// the symbology cannot encode leaves the label without a barcode.

#include "figures/ContentFigureRecords.h"
#include "figures/Rechteck.h"

#include <memory>
#include <string>

class TZRBarcode;

// The settings of a barcode object as its record carries them, and back
// through the object's setters.
TBarcodeRecord BarcodeRecordOf(const TZRBarcode& barcode);
void ApplyBarcodeRecord(TZRBarcode& barcode, const TBarcodeRecord& record);

class TBarcode : public TRechteck {
public:
    // A new barcode object: Code 2/5 Interleaved, check digit and text on.
    explicit TBarcode(TChildBase* owner);
    ~TBarcode() override;

    // The box's transform, then the barcode object takes centre, size and angle.
    void UpdateTransform() override;
    void Invalidate() override;
    // With the clip ring selected, never culled: the symbol may reach beyond
    // the frame.
    void Paint() override;
    // Drawn whole, without culling.
    void ExportTo(TExportCanvas& canvas) override;
    // In a serial print with a data field: the record's value, drawn only
    // when the symbology accepts it; the stored text is kept.
    void DrawTo(TScaleCanvas& canvas) override;
    // Anywhere in the frame (filled or not), or on the drawn symbol.
    bool HitTest(TPoint p) override;
    void WriteData(TEtikettFiler& filer) override;
    // The current record (marked by a negative Integer) and the older one
    // (the symbology first, without AECOC and data field).
    void ReadData(TEtikettFiler& filer) override;
    std::unique_ptr<TFigure> Clone() const override;
    void Assign(const TFigure& source) override;
    void SaveToStream(TStream& stream) const override;
    void LoadFromStream(TStream& stream) override;
    // With the clip ring selected, without culling.
    void DrawClippedTo(TScaleCanvas& canvas) override;
    // The frame united with the drawn symbol (which may be larger).
    TRect GetExtent(const TCustomScaler& scaler) const override;
    void FillFromDataSet(TDataSet* dataSet) override;
    void DrawTrackFeedback(TRectTracker& tracker, TTrackGeometry& g, bool& handled) override;
    const char* ClassName() const override { return "TBarcode"; }

    // The barcode dialog on the barcode object, with the owner's linked data
    // set. On OK the frame takes the size of the drawn symbol and true is
    // the answer; on Cancel nothing changes.
    bool EditBarcode();
    // The design's properties command opens the barcode dialog.
    bool EditProperties() override { return EditBarcode(); }

    // The value of the data field in the current record of a serial print.
    std::string DataSetValue;
    std::unique_ptr<TZRBarcode> Barcode;

protected:
    // The barcode object with the stored text, at the figure's place.
    void DrawOn(TScaleCanvas& canvas) override;

private:
    // Centre, size and angle of the figure into the barcode object.
    void SyncBarcode() const;
    void DrawRecordValue(TScaleCanvas& canvas);
};

// A barcode figure for the rectangle dragged with the mouse (device points
// of the owner's view), set up through the barcode dialog; none when the
// dialog is cancelled. The editor's barcode tool creates its figures so.
std::unique_ptr<TBarcode> CreateBarcodeFigure(TChildBase* owner, TPoint p1, TPoint p2);
