#pragma once
// The ellipse: a rectangle drawn, filled and hit-tested through an ellipse
// auto-shape, which works in device pixels of the canvas at hand and gets the
// figure's geometry before each use.

#include "figures/Rechteck.h"

class TAbstractAutoShape;

class TEllipse : public TRechteck {
public:
    explicit TEllipse(TChildBase* owner);
    ~TEllipse() override;

    // Culled by the shape's update rectangle, which holds the pen.
    void Paint() override;
    // Drawn whole, without culling.
    void ExportTo(TExportCanvas& canvas) override;
    bool HitTest(TPoint p) override;
    std::unique_ptr<TFigure> Clone() const override;
    void Assign(const TFigure& source) override;
    void DrawMask(TScaleCanvas& canvas) override;
    // With the clip ring selected, without culling.
    void DrawClippedTo(TScaleCanvas& canvas) override;
    const char* ClassName() const override { return "TEllipse"; }
    // Applies the proposal at once and draws the outline inverted, so the
    // figure follows the drag.
    void DrawTrackFeedback(TRectTracker& tracker, TTrackGeometry& g, bool& handled) override;

    // The shape gets the centre, size and angle in device units of the scaler.
    void SyncShape(const TCustomScaler& scaler);

    std::unique_ptr<TAbstractAutoShape> Shape;

protected:
    // Pen and shape on the canvas, then the shape back in window units.
    void DrawOn(TScaleCanvas& canvas) override;
};
