#pragma once
// A box figure drawn, filled and hit-tested through an auto-shape object.
// The shape works in device pixels of the canvas at hand: before every
// drawing, measuring or hit test the figure pushes its centre, size and angle
// converted for that canvas into the shape, and afterwards pushes the window
// canvas's values back, so the shape is always left in window geometry.

#include "figures/Rechteck.h"

#include <string>

class TAbstractAutoShape;

class TShapeFigure : public TRechteck {
public:
    ~TShapeFigure() override;

    // Culled by the shape's update rectangle, which holds the pen.
    void Paint() override;
    // Drawn whole, without culling.
    void ExportTo(TExportCanvas& canvas) override;
    // Near the outline (at least 5 device units), or inside it when filled.
    bool HitTest(TPoint p) override;
    void DrawMask(TScaleCanvas& canvas) override;
    // With the clip ring selected, without culling.
    void DrawClippedTo(TScaleCanvas& canvas) override;
    // Applies the proposal at once and draws the outline inverted, so the
    // figure follows the drag.
    void DrawTrackFeedback(TRectTracker& tracker, TTrackGeometry& g, bool& handled) override;

    // The shape gets the centre, size and angle in device units of the scaler.
    void SyncShape(const TCustomScaler& scaler) const;

    std::unique_ptr<TAbstractAutoShape> Shape;

protected:
    TShapeFigure(TChildBase* owner, const std::string& shapeClass);
    // Pen and shape on the canvas, then the shape back in window units.
    void DrawOn(TScaleCanvas& canvas) override;
};
