#pragma once
// The rectangle: a filled, turned box with a pen and four inner margins.
// Every box-shaped figure (texts, pictures, groups, barcodes, tables ...)
// derives from it and paints, hit-tests and tracks through its corner points.

#include "figures/Linie.h"

#include <array>
#include <memory>

class TFillData;
class TRectTracker;

class TRechteck : public TLinie {
public:
    explicit TRechteck(TChildBase* owner);
    ~TRechteck() override;

    void CreateTracker() override;
    void SyncTracker() override;
    void UpdateTransform() override;
    // Also turns the fill's gradient by the same amount.
    void SetAngle(double v) override;
    TRect GetBoundsRect() override;
    void SetFromPixelRect(TPoint p1, TPoint p2) override;
    void Invalidate() override;
    bool HitTest(TPoint p) override;
    void WriteData(TEtikettFiler& filer) override;
    // Reads the current record (marker -100, fill, margins) and the older one
    // (a colour and a brush style in place of the marker, no margins).
    void ReadData(TEtikettFiler& filer) override;
    bool EditPosition() override;
    // 1 and -1 mean no fill; any other colour a colour fill.
    bool SetFillColor(gdi::Color color) override;
    bool SetBrushStyle(uint8_t style) override;
    bool SetFillData(const TFillData& fill) override;
    std::unique_ptr<TFigure> Clone() const override;
    void Assign(const TFigure& source) override;
    void SaveToStream(TStream& stream) const override;
    void LoadFromStream(TStream& stream) override;
    void DrawMask(TScaleCanvas& canvas) override;
    TRect GetExtent(const TCustomScaler& scaler) const override;
    const char* ClassName() const override { return "TRechteck"; }

    // The corners of the turned box in device units (top-left, top-right,
    // bottom-right, bottom-left of the unturned box, then the first again),
    // and their bounds with 1 added to the right and bottom.
    virtual void GetCornerPoints(const TCustomScaler& scaler, std::array<TPoint, 5>& points, TRect& bounds) const;
    // The tracker's callbacks at the end of a drag and for each feedback.
    virtual void ApplyTrackResult(TRectTracker& tracker, const TTrackGeometry& g);
    virtual void DrawTrackFeedback(TRectTracker& tracker, TTrackGeometry& g, bool& handled);

    std::unique_ptr<TFillData> Fill;
    double MarginLeft = 1.0, MarginTop = 1.0, MarginRight = 1.0, MarginBottom = 1.0;

protected:
    // Fill and outline through the corner points.
    void DrawOn(TScaleCanvas& canvas) override;
    TInnerMargins Margins() const;
    void TakeMargins(const TInnerMargins& m);
    void ReadRechteckPart(TEtikettFiler& filer);
    void SaveRechteckSnapshot(TStream& stream) const;
    void LoadRechteckSnapshot(TStream& stream);
    void AssignRechteck(const TRechteck& source);
    // The device point turned back by the angle about the device centre of
    // the window canvas, and the unturned box there (left - 1, top - 1,
    // right, bottom): what the hit tests of box figures look at.
    void UnturnedHitBox(TPoint p, TPoint& q, TRect& box) const;
    // The hit test of the box: inside it when filled, else near its edges.
    bool HitTestBox(TPoint p, bool filled) const;
    TRectTracker& RectTracker() const;
};
