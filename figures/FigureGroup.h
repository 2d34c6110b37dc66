#pragma once
// A group binds several figures into one that is selected, moved, scaled,
// turned, drawn, copied and stored as a unit. The group owns its members;
// its own rectangle is the frame around them, and every geometry change of
// the group is passed on to the members through their own setters, so the
// members always lie where the frame says. Drawing, hit tests and the pen
// and fill setters go to the members; the group's own pen and fill are
// stored but never drawn.

#include "figures/FigureList.h"
#include "figures/Rechteck.h"
#include "figures/ZRUndo.h"

// Groups read from a document nest at most this deep.
inline constexpr int kMaxGroupDepth = 64;

class TFigureGroup : public TRechteck {
public:
    explicit TFigureGroup(TChildBase* owner);
    // Frees every member.
    ~TFigureGroup() override;

    void CreateTracker() override;
    void SetCenterX(double v) override;
    void SetCenterY(double v) override;
    void SetHeight(double v) override;
    void SetWidth(double v) override;
    void SetAngle(double v) override;
    void BeginTrack() override;
    TRect GetBoundsRect() override;
    void Invalidate() override;
    // The group's clip ring is selected; when its corners meet the update
    // rectangle, the members paint themselves, each culled on its own and
    // none selecting a clip ring of its own.
    void Paint() override;
    // Every member exports itself.
    void ExportTo(TExportCanvas& canvas) override;
    // True when a member is hit; the frame itself never is.
    bool HitTest(TPoint p) override;
    void WriteData(TEtikettFiler& filer) override;
    // Members are read with the element reader. Nesting deeper than
    // kMaxGroupDepth, or a member count beyond the bytes that remain, refuses
    // the record (EFilerReadError).
    void ReadData(TEtikettFiler& filer) override;
    bool EditPosition() override;
    // Pen and fill go to every member; true when one took it.
    bool SetPenColor(gdi::Color color) override;
    bool SetPenWidth(float mm) override;
    bool SetPenStyle(uint8_t style) override;
    bool SetFillColor(gdi::Color color) override;
    bool SetBrushStyle(uint8_t style) override;
    bool SetFillData(const TFillData& fill) override;
    void ResizeBy(double dWidth, double dHeight) override {}
    std::unique_ptr<TFigure> Clone() const override;
    // Deep: the members are clones of the source's.
    void Assign(const TFigure& source) override;
    void SaveToStream(TStream& stream) const override;
    // Hands the stream to the existing members; only for the group that wrote it.
    void LoadFromStream(TStream& stream) override;
    void DrawMask(TScaleCanvas& canvas) override;
    // When the extent meets the clip rectangle, the group's clip ring is
    // selected and every member draws itself clipped.
    void DrawClippedTo(TScaleCanvas& canvas) override;
    const char* ClassName() const override { return "TFigureGroup"; }
    void ApplyTrackResult(TRectTracker& tracker, const TTrackGeometry& g) override;
    void DrawTrackFeedback(TRectTracker& tracker, TTrackGeometry& g, bool& handled) override;

    // Appends a member the group then owns.
    void AddMember(std::unique_ptr<TFigure> member);

    // The group's snapshot when a handle drag started.
    TZRUndoStream DragSnapshot;
    // False: the rotation handle snaps to quarter turns and the position
    // dialog offers no angle.
    bool FreeRotation = true;
    bool Reserved = false;
    TFigureList Members;

protected:
    // The members drawn for printing (DrawTo), none selecting a clip ring.
    void DrawOn(TScaleCanvas& canvas) override;

private:
    template <class Setter>
    bool ForEachMember(Setter setter);
    // across: centres x and widths, else centres y and heights.
    void ScaleMembers(double factor, bool across);
    void RestoreDragSnapshot();
};
