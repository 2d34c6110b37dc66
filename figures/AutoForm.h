#pragma once
// The auto-shape figure: one of the shapes of the shape factory (arrows,
// stars, banners, callouts ...) in a turned box, filled and outlined with the
// box's fill and pen. The shape's adjust-handle record travels with the
// figure and shows on the tracker as yellow handles; dragging one reshapes
// the figure (an arrow head's length, a star's inner radius).

#include "figures/ShapeFigure.h"

#include <string>

struct THotTrackEntry;

class TAutoForm : public TShapeFigure {
public:
    static constexpr const char* kDefaultShape = "TBanderoleShape";
    // Taken when making a shape fails.
    static constexpr const char* kFallbackShape = "TPfeilShape";

    explicit TAutoForm(TChildBase* owner);

    void CreateTracker() override;
    // The box's transform, then the shape in window units.
    void UpdateTransform() override;
    // The shape's update rectangle with room for the pen.
    void Invalidate() override;
    TRect GetExtent(const TCustomScaler& scaler) const override;
    // The shape class name as a tagged string, then the raw handle record.
    void WriteData(TEtikettFiler& filer) override;
    // A class the factory does not know gives its notice and default shape;
    // a handle count outside 0..8 refuses the record.
    void ReadData(TEtikettFiler& filer) override;
    // The snapshot holds the handles, not the class.
    void SaveToStream(TStream& stream) const override;
    void LoadFromStream(TStream& stream) override;
    std::unique_ptr<TFigure> Clone() const override;
    void Assign(const TFigure& source) override;
    const char* ClassName() const override { return "TAutoForm"; }
    void ApplyTrackResult(TRectTracker& tracker, const TTrackGeometry& g) override;

    // The shape of the named class (letter case ignored); the same class
    // keeps the shape and its handles.
    void SetShapeClass(const std::string& name);
    const std::string& ShapeClass() const { return shapeClass_; }

    // While an adjust handle is dragged: the entry goes into the shape and
    // its outline is drawn inverted (drawing it twice erases it).
    virtual void TrackHandleFeedback(int32_t index, const THotTrackEntry& entry);
    // At the end of the drag: the last outline is erased and the entry goes
    // into the shape, which repaints.
    virtual void ApplyHandle(int32_t index, const THotTrackEntry& entry);

private:
    // Replaces the shape by one of the named class, or of kFallbackShape
    // when making it fails; the handles are the new shape's own.
    void MakeShape(const std::string& name);
    void HookShape();
    // The shape's handle record into the tracker.
    void CopyHandlesToTracker();
    void DrawHandleFeedback();

    std::string shapeClass_;
};
