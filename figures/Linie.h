#pragma once
// The line: a pen on the box of TFigure. A line is stored as its box and
// the diagonal it runs along; its angle is folded into the box after every
// geometry change, so it is always 0 afterwards.

#include "figures/Figure.h"
#include "figures/TrackerMath.h"

class TLineTracker;

inline constexpr uint8_t kPenSolid = 0;
inline constexpr uint8_t kPenClear = 5;

// The pen style of a stored style number; numbers beyond the clear pen (from
// a damaged file) draw solid.
gdi::PenStyle PenStyleOf(uint8_t style);

class TLinie : public TFigure {
public:
    explicit TLinie(TChildBase* owner);

    void CreateTracker() override;
    void SyncTracker() override;
    void UpdateTransform() override;
    TRect GetBoundsRect() override;
    void SetFromPixelRect(TPoint p1, TPoint p2) override;
    void MoveByPixels(TPoint p, TPoint q) override;
    void Invalidate() override;
    // Not culled: the line is drawn with the clip ring selected.
    void Paint() override;
    bool HitTest(TPoint p) override;
    void WriteData(TEtikettFiler& filer) override;
    void ReadData(TEtikettFiler& filer) override;
    // 1 and -1 mean no pen (style 5); any other colour makes the pen solid.
    bool SetPenColor(gdi::Color color) override;
    // 0 means no pen (style 5); any other width makes the pen solid.
    bool SetPenWidth(float mm) override;
    bool SetPenStyle(uint8_t style) override;
    std::unique_ptr<TFigure> Clone() const override;
    void Assign(const TFigure& source) override;
    void SaveToStream(TStream& stream) const override;
    void LoadFromStream(TStream& stream) override;
    void DrawMask(TScaleCanvas& canvas) override;
    // The clip ring is selected first; the line is drawn when the rectangle of
    // its end points meets the clip rectangle, its pen in whole pixels (at
    // least one).
    void DrawClippedTo(TScaleCanvas& canvas) override;
    TRect GetExtent(const TCustomScaler& scaler) const override;
    const char* ClassName() const override { return "TLinie"; }
    // Pen width from PenWidth in mm, style and colour.
    virtual void ApplyPen(TScaleCanvas& canvas);

    // The end points of the unturned line: left to right, the y values
    // along the diagonal.
    void EndPoints(double& x1, double& y1, double& x2, double& y2) const;
    void ApplyLineTrack(TLineTracker& tracker, const TLineTrackGeometry& line);

    float PenWidth = 0.1f;  // mm; 0 with style 5 means no outline
    uint8_t PenStyle = kPenSolid;  // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 clear
    gdi::Color PenColor = 0xFF0000;
    // The line joins the top-left and bottom-right corners of its box; else
    // the top-right and bottom-left.
    bool MainDiagonal = false;

protected:
    void DrawOn(TScaleCanvas& canvas) override;
    // Class records and snapshots without their base part, for the classes below.
    TLinieRecord LinieRecord() const;
    void TakeLinieRecord(const TLinieRecord& r);
    void SaveLinieSnapshot(TStream& stream) const;
    void LoadLinieSnapshot(TStream& stream);
    void AssignLinie(const TLinie& source);
    // The pen of the line in device pixels (rounded).
    int32_t PenPixels(const TCustomScaler& scaler) const;
    // Pen width back to one pixel.
    static void ResetPenWidth(TScaleCanvas& canvas);
    // The corners of a rectangle dragged on the window canvas in mm, snapped
    // to the grid and kept as singles.
    struct TMouseRect {
        double X1, Y1, X2, Y2;
    };
    TMouseRect SnappedMouseRect(TPoint p1, TPoint p2) const;

private:
    void DrawLine(TScaleCanvas& canvas);
};
