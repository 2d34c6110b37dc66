#pragma once
// The guide outlines of one label: the stationery's shape (a ring with its
// centre hole, an inlay with its folds, a card, an envelope, transfer paper)
// drawn behind the figures as a drop shadow, the label face with its outline
// and thin guide lines.
//
// The sheet's name and article are looked up in an ordered table of search
// texts; the first text found anywhere in them gives the shape key. The key's
// geometry lives in a frame of its own, in tenths of a millimetre (origin top
// left, y down), which one matrix stretches onto the label's device rectangle:
// the same outline serves every zoom, the printer and the turned, mirrored and
// landscape views. A frame without extent draws nothing.

#include "foundation/Matrix.h"
#include "platform/gdi/Canvas.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct TSpecialSheet;
struct TSpecialSheetRow;

class TWasserzeichen {
public:
    static constexpr int32_t kMaxPoints = 201;
    static constexpr int32_t kMaxPolygons = 21;
    static constexpr gdi::Color kWhite = 0xFFFFFF;
    // Ring and label outlines of CD sheets on screen (black on the printer).
    static constexpr gdi::Color kGuideGrey = 0x808080;
    // Fold bands.
    static constexpr gdi::Color kFoldGrey = 0xC0C0C0;

    TWasserzeichen();

    // The shape key of the first search text that occurs in the lookup text
    // (case-sensitive), "none" when there is none; sets SurfaceColor.
    std::string ResolveShapeKey(std::string_view lookupText);
    // Resolves the key and takes its frame, outline and rounded frame.
    void SetShape(std::string_view lookupText);
    // A plain label of width x height mm with rounded corners: the frame
    // itself drawn as a rounded rectangle. The key stays.
    void SetPlainLabel(float width, float height, float radius);

    // The three passes, in device units into the label's device rectangle.
    // The shadow pass fills with the canvas's current pen and brush; the face
    // pass draws white with a black outline; the guide pass draws the outline
    // and the guide lines with a clear brush.
    void DrawShadow(gdi::Canvas& canvas, const gdi::Rect& rect);
    void DrawFace(gdi::Canvas& canvas, const gdi::Rect& rect);
    void DrawGuides(gdi::Canvas& canvas, const gdi::Rect& rect);
    // The device region of the outline polygons (alternate rule); nothing for
    // shapes without polygons (round labels, plain rounded labels).
    std::optional<gdi::Region> CreateRegion(const gdi::Rect& rect);
    // The diameter in mm of the centre hole of a label that is a ring, on a
    // label of width x height mm (the hole stays round: it follows the smaller
    // stretch); 0 for every other shape.
    float RingHoleDiameter(float width, float height) const;

    // ---- building blocks: frame coordinates in, device drawing out
    void BuildMatrix(const gdi::Rect& rect);
    gdi::Point TransformPoint(float x, float y) const;
    // The device length of a frame length along x.
    int32_t DeviceLength(float r) const;
    void MoveTo(gdi::Canvas& canvas, int32_t x, int32_t y);
    void LineTo(gdi::Canvas& canvas, int32_t x, int32_t y);
    void DrawLine(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // The box of the two corners, right and bottom one unit further out.
    void DrawRect(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // Cubic pieces from the current position (a multiple of three points).
    void BezierTo(gdi::Canvas& canvas, std::span<const gdi::Point> points);
    // A circle that stays round under any stretch: its diameter follows the
    // smaller stretch.
    void DrawCircle(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t diameter);
    // Two circles; inside a path filled with the alternate rule an annulus.
    void DrawRing(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t outerDiameter, int32_t innerDiameter);
    // An ellipse that follows the stretch.
    void DrawEllipse(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t width, int32_t height);
    // A rounded rectangle of lines and Bezier corners (drawn directly outside a path).
    void RoundRectPath(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t radius);
    // The same as a path, stroked and filled.
    void FillRoundRect(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t radius);
    // Two segments through the second point, that corner rounded.
    void RoundedCorner(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                       int32_t radius);
    // A star of pointCount tips about the frame centre or a given centre.
    void DrawStar(gdi::Canvas& canvas, int32_t pointCount, int32_t outerRadius, int32_t innerRadius,
                  int32_t rounding);
    void DrawStarAt(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t pointCount, int32_t outerRadius,
                    int32_t innerRadius, int32_t rounding);
    // Text at the point, the canvas font's height (pixels) taken as tenths of
    // a millimetre of the frame, turned by angle degrees counter-clockwise.
    void DrawText(gdi::Canvas& canvas, int32_t x, int32_t y, std::u16string_view text, float angle);

    // The ordered search table (own keys, brand sheets, fold, transfer and
    // envelope keys).
    static std::span<const TSpecialSheetRow> ShapeKeyTable();

    std::string ShapeKey = "none";
    int32_t FrameWidth = 1000;
    int32_t FrameHeight = 1000;
    std::array<gdi::Point, kMaxPoints> Points{};
    std::array<int32_t, kMaxPolygons> PolygonCounts{};
    int32_t PolygonCount = 0;
    int32_t PointCount = 0;
    gdi::Color SurfaceColor = kWhite;
    bool RoundedFrame = false;
    int32_t FrameRadius = 0;
    // View flags, set by the owner before every drawing.
    bool Mirrored = false;
    bool Turned = false;
    uint8_t Orientation = 0;

    // What the resolved key draws besides its outline (set by SetShape).
    enum class Instructions : uint8_t {
        None, Circle, LabelRing, RoundedBox, Boxes2050, Rings2049, FoldBand, Fold1H, Fold1V, Fold2H, Fold2V, Fold3V,
        EnvelopeA5, EnvelopeA6, EnvelopeLong, WindowEnvelope, Transfer2, Transfer3, Transfer5, Transfer12,
        Transfer15, Parts, StarSticker,
    };
    Instructions Drawing = Instructions::None;

private:
    bool HasFrame() const { return FrameWidth > 0 && FrameHeight > 0; }
    void SetFrameRectangle(int32_t width, int32_t height);
    void AddFoldBand(bool horizontal);
    void SetPolygon(std::span<const gdi::Point> points);
    void SetNoOutline();
    void SetSpecialSheet(const TSpecialSheet& sheet);
    std::vector<gdi::Point> TransformedOutline() const;
    void DrawOutlinePolygons(gdi::Canvas& canvas);
    void DrawOutlinePolylines(gdi::Canvas& canvas);
    // The label's shape in the shadow and face passes: the rounded frame, or
    // the outline of the instructions or the polygons.
    void DrawLabelShape(gdi::Canvas& canvas, bool face);
    void DrawInstructionOutline(gdi::Canvas& canvas, bool face);
    void DrawGuideInstructions(gdi::Canvas& canvas);
    void DrawFoldBands(gdi::Canvas& canvas, std::span<const std::array<int32_t, 4>> bands);
    void DrawLabelRing(gdi::Canvas& canvas);
    // A printable disc in frame units: centre, diameter and hole.
    struct Disc {
        int32_t cx, cy, outer, hole;
    };
    std::vector<Disc> Discs() const;
    void FillDiscSurfaces(gdi::Canvas& canvas);
    void DrawSheetParts(gdi::Canvas& canvas);
    void DrawStickerStars(gdi::Canvas& canvas);
    gdi::Color GuideColor(const gdi::Canvas& canvas) const;

    TMatrix3 matrix_ = kIdentityMatrix;
    // The parts of a sheet drawn as guides (Instructions::Parts).
    const TSpecialSheet* sheet_ = nullptr;
    // The centre hole of a ring label (Instructions::LabelRing), frame units.
    int32_t ringHole_ = 0;
};
