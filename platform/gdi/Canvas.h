#pragma once
// The drawing surface of the program: one interface with the rules of a
// device context, so that code written for those rules draws the same on an
// off-screen bitmap, a window, a printer or PDF file, and a recording.
//
// Like a device context, a canvas has current objects (pen, brush, font),
// attributes (text and background colour, background mode, mix mode, fill
// mode, text alignment ...), a mapping from logical to device units, a clip
// region, a current position, a path under construction and a stack of saved
// states. The current objects are plain values that may be changed in place
// (canvas.pen().color = ...); every output uses the state of the moment.
//
// Pixel rules (identity mapping):
//  - LineTo draws from the current position up to, but not including, the end
//    point, which becomes the new current position.
//  - Rectangle, Ellipse, RoundRect, Pie and Chord cover left..right-1 and
//    top..bottom-1: the right and bottom edge are outside. With the null pen
//    the filled area is one pixel smaller on the right and bottom.
//  - Polygon fills the pixels whose centres lie inside (alternate or winding
//    rule; a centre on an edge belongs to the side right of it), then
//    outlines every edge including the vertices with the pen.
//  - Ellipse, RoundRect, Pie and Chord cover the pixels whose centres lie
//    inside the outline or on it, symmetrically within the box.
//  - FillRect fills left..right-1 x top..bottom-1 with the given brush, no pen.
// Anti-aliasing is never used for lines, shapes, fills and blits; text is
// smoothed unless the font's quality is NONANTIALIASED_QUALITY.
// Thin pens (width 0 or 1) on raster devices walk their lines with LineDDA
// (curves flattened to whole pixels first); curved shapes with a thin solid
// pen put the outline on the shape's edge pixels. On raster devices every
// output paints each of its pixels once, also under inverting mixes.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Region.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QPainterPath;

namespace gdi {

struct GlyphMetrics;
struct Mat2;

enum class DeviceKind { Screen, Bitmap, Printer, Metafile };

// What GetDeviceCaps answers.
struct DeviceCaps {
    int32_t logPixelsX = 96;       // LOGPIXELSX
    int32_t logPixelsY = 96;       // LOGPIXELSY
    int32_t horzRes = 0;           // HORZRES: printable width in pixels
    int32_t vertRes = 0;           // VERTRES
    int32_t physicalWidth = 0;     // PHYSICALWIDTH: the whole page in pixels
    int32_t physicalHeight = 0;    // PHYSICALHEIGHT
    int32_t physicalOffsetX = 0;   // PHYSICALOFFSETX: the unprintable left margin
    int32_t physicalOffsetY = 0;   // PHYSICALOFFSETY
    int32_t horzSizeMM = 0;        // HORZSIZE
    int32_t vertSizeMM = 0;        // VERTSIZE
    int32_t bitsPerPixel = 32;
};

// The capabilities of the screen (96 dpi when there is none), the default
// of recordings.
DeviceCaps ScreenCaps();

class Canvas {
public:
    virtual ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Everything a saved state holds.
    struct State {
        Pen pen;
        Brush brush;
        LogFont font;
        Color textColor = 0;
        Color bkColor = Rgb(255, 255, 255);
        BkMode bkMode = BkMode::Opaque;
        Rop2 rop2 = Rop2::CopyPen;
        PolyFillMode polyFillMode = PolyFillMode::Alternate;
        StretchMode stretchMode = StretchMode::BlackOnWhite;
        uint32_t textAlign = TA_LEFT | TA_TOP;
        int32_t charExtra = 0;     // logical units after every character
        int32_t breakExtra = 0;    // logical units spread over the break characters of a text
        int32_t breakCount = 0;
        uint32_t mapperFlags = 0;
        float miterLimit = 10.0f;
        Point brushOrg;
        uint32_t copyMode = SRCCOPY;
        MapMode mapMode = MapMode::Text;
        Point windowOrg;
        Size windowExt{1, 1};
        Point viewportOrg;
        Size viewportExt{1, 1};
        GraphicsMode graphicsMode = GraphicsMode::Compatible;
        XForm world;
        std::optional<Region> clip;  // device units
        Point position;
    };
    const State& state() const { return state_; }

    // The shapes a backend draws from a bounding box.
    enum class Shape { Rectangle, Ellipse, RoundRect, Pie, Chord };

    // ---- the device
    virtual DeviceKind Kind() const = 0;
    const DeviceCaps& Caps() const { return caps_; }
    bool IsPrinter() const { return Kind() == DeviceKind::Printer; }
    bool IsMetafile() const { return Kind() == DeviceKind::Metafile; }

    // ---- current objects
    Pen& pen() { return state_.pen; }
    Brush& brush() { return state_.brush; }
    LogFont& font() { return state_.font; }
    const Pen& pen() const { return state_.pen; }
    const Brush& brush() const { return state_.brush; }
    const LogFont& font() const { return state_.font; }
    void SetPen(const Pen& p) { state_.pen = p; }
    void SetBrush(const Brush& b) { state_.brush = b; }
    void SetFont(const LogFont& f) { state_.font = f; }

    // ---- attributes (each setter returns the previous value)
    Color SetTextColor(Color c);
    Color TextColor() const { return state_.textColor; }
    Color SetBkColor(Color c);
    Color BkColor() const { return state_.bkColor; }
    BkMode SetBkMode(BkMode m);
    BkMode GetBkMode() const { return state_.bkMode; }
    Rop2 SetROP2(Rop2 r);
    Rop2 GetROP2() const { return state_.rop2; }
    PolyFillMode SetPolyFillMode(PolyFillMode m);
    PolyFillMode GetPolyFillMode() const { return state_.polyFillMode; }
    StretchMode SetStretchBltMode(StretchMode m);
    StretchMode GetStretchBltMode() const { return state_.stretchMode; }
    uint32_t SetTextAlign(uint32_t flags);
    uint32_t GetTextAlign() const { return state_.textAlign; }
    // Space added after every character of later texts, in logical units.
    int32_t SetTextCharacterExtra(int32_t extra);
    int32_t GetTextCharacterExtra() const { return state_.charExtra; }
    // breakExtra logical units spread over the break characters (spaces) of
    // each later text, breakCount of them; the first ones take what does
    // not divide evenly. A count of 0 ends it.
    bool SetTextJustification(int32_t breakExtra, int32_t breakCount);
    // Whether the font mapper keeps to fonts of the device's aspect ratio
    // (ASPECT_FILTERING). The scalable fonts of this system fit every
    // aspect, so the choice never changes.
    uint32_t SetMapperFlags(uint32_t flags);
    float SetMiterLimit(float limit);
    Point SetBrushOrg(Point origin);
    // The raster operation of StretchBlt/BitBlt when the caller passes none
    // (the copy mode of a canvas; SRCCOPY by default).
    uint32_t SetCopyMode(uint32_t rop);
    uint32_t CopyMode() const { return state_.copyMode; }

    // ---- mapping from logical to device units
    MapMode SetMapMode(MapMode m);
    MapMode GetMapMode() const { return state_.mapMode; }
    Point SetWindowOrg(int32_t x, int32_t y);
    Size SetWindowExt(int32_t cx, int32_t cy);
    Point SetViewportOrg(int32_t x, int32_t y);
    Size SetViewportExt(int32_t cx, int32_t cy);
    Point WindowOrg() const { return state_.windowOrg; }
    Size WindowExt() const { return state_.windowExt; }
    Point ViewportOrg() const { return state_.viewportOrg; }
    Size ViewportExt() const { return state_.viewportExt; }
    GraphicsMode SetGraphicsMode(GraphicsMode m);
    // The world transform applies only in the advanced graphics mode.
    bool SetWorldTransform(const XForm& x);
    // mode 1: identity; 2: x then the current transform; 3: the current transform then x.
    bool ModifyWorldTransform(const XForm& x, int32_t mode);
    XForm WorldTransform() const { return state_.world; }
    // The whole logical-to-device map (world transform, then window to viewport).
    XForm LogicalToDevice() const { return LogicalToDevice(state_); }
    static XForm LogicalToDevice(const State& s);
    Point LPtoDP(Point p) const;
    Point DPtoLP(Point p) const;

    // ---- saved states: everything above, the clip region and the current
    // position. Save returns the new depth (from 1); Restore takes a depth or,
    // when negative, a count back from the top.
    int32_t SaveDC();
    bool RestoreDC(int32_t level);

    // ---- lines
    Point MoveTo(int32_t x, int32_t y);  // returns the previous position
    void LineTo(int32_t x, int32_t y);
    Point CurrentPosition() const { return state_.position; }
    void Polyline(std::span<const Point> points);
    void PolylineTo(std::span<const Point> points);
    void PolyPolyline(std::span<const Point> points, std::span<const int32_t> counts);
    // 3n + 1 points: a start and n cubic pieces of two controls and an end.
    void PolyBezier(std::span<const Point> points);
    void PolyBezierTo(std::span<const Point> points);
    // Arcs run counter-clockwise from the radial through (x1, y1) to the radial through (x2, y2).
    void Arc(int32_t l, int32_t t, int32_t r, int32_t b, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    // ---- shapes: outlined with the pen, filled with the brush
    void Rectangle(int32_t l, int32_t t, int32_t r, int32_t b);
    void Ellipse(int32_t l, int32_t t, int32_t r, int32_t b);
    void RoundRect(int32_t l, int32_t t, int32_t r, int32_t b, int32_t cornerW, int32_t cornerH);
    void Pie(int32_t l, int32_t t, int32_t r, int32_t b, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void Chord(int32_t l, int32_t t, int32_t r, int32_t b, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void Polygon(std::span<const Point> points);
    void PolyPolygon(std::span<const Point> points, std::span<const int32_t> counts);
    // Ellipses one inside the other, as Ellipse draws them with the current
    // pen and mix, each filled with a solid brush of its colour, from the
    // first to the last; the brush is left at the last colour. A raster
    // canvas paints each pixel once, in the colour of the last ellipse that
    // holds it, when the pen is null and the mix copies.
    void NestedEllipses(std::span<const Rect> boxes, std::span<const Color> colors);

    // ---- areas without the pen
    void FillRect(const Rect& r, const Brush& b);
    void FillRect(const Rect& r) { FillRect(r, state_.brush); }  // with the current brush
    void FrameRect(const Rect& r, const Brush& b);             // a one-unit frame inside r
    void InvertRect(const Rect& r);
    void FillRgn(const Region& rgn, const Brush& b);            // region in device units
    void FrameRgn(const Region& rgn, const Brush& b, int32_t w, int32_t h);
    void InvertRgn(const Region& rgn);
    void PaintRgn(const Region& rgn);                           // with the current brush
    // A pattern fill of the rectangle with the current brush and a raster operation
    // (PATCOPY, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS).
    void PatBlt(const Rect& r, uint32_t rop);
    void SetPixel(int32_t x, int32_t y, Color c);
    Color GetPixel(int32_t x, int32_t y);  // CLR_INVALID ($FFFFFFFF) where there is no pixel
    bool FloodFill(int32_t x, int32_t y, Color c, FloodFillType type);

    // ---- text (16-bit characters; the selected font, text colour, background
    // mode and colour, and text alignment apply)
    void TextOut(int32_t x, int32_t y, std::u16string_view text);
    // dx: one advance per character in logical units (may be empty); rect: the
    // opaque or clip rectangle of the options.
    void ExtTextOut(int32_t x, int32_t y, uint32_t options, const Rect* rect, std::u16string_view text,
                    std::span<const int32_t> dx = {});
    Size TextExtent(std::u16string_view text);
    TextMetrics GetTextMetrics();
    // The extent of each prefix: result[i] is the width of text[0..i].
    std::vector<int32_t> PartialExtents(std::u16string_view text);
    // The face that the selected font resolves to on this system.
    std::string TextFace();
    // The outline of a character of the selected font in logical units, in
    // the native outline format (see GlyphOutline.h): with an empty buffer
    // the size needed, else the bytes written (kGlyphOutlineError when the
    // buffer is too small); 0 for a character without an outline.
    int64_t GetGlyphOutline(char32_t code, GlyphMetrics* metrics, std::span<uint8_t> buffer, const Mat2& matrix);

    // ---- paths: between BeginPath and EndPath, line and shape calls add to
    // the path instead of drawing.
    void BeginPath();
    void EndPath();
    void AbortPath();
    void CloseFigure();
    void FillPath();
    void StrokePath();
    void StrokeAndFillPath();
    void FlattenPath();
    // The path becomes the outline of what stroking it with the current pen
    // would paint (as far as the device's surface reaches); false while the
    // path is open or without a pen.
    bool WidenPath();
    bool SelectClipPath(RegionCombine mode);
    PathData GetPath() const;  // device points
    Region PathToRegion();

    // ---- clipping (regions in device units)
    RegionKind SelectClipRgn(const Region* rgn);  // nullptr removes the clip region
    RegionKind ExtSelectClipRgn(const Region* rgn, RegionCombine mode);
    RegionKind IntersectClipRect(int32_t l, int32_t t, int32_t r, int32_t b);  // logical units
    RegionKind ExcludeClipRect(int32_t l, int32_t t, int32_t r, int32_t b);    // logical units
    RegionKind OffsetClipRgn(int32_t dx, int32_t dy);                          // logical units
    // The clip region, or nothing when there is none.
    std::optional<Region> GetClipRgn() const;
    // The smallest rectangle around what may be drawn, in logical units.
    Rect GetClipBox() const;
    bool PtVisible(int32_t x, int32_t y) const;

    // ---- bitmaps
    void StretchBlt(const Rect& dest, const Bitmap& src, const Rect& srcRect, uint32_t rop = SRCCOPY);
    void BitBlt(int32_t x, int32_t y, int32_t w, int32_t h, const Bitmap& src, int32_t sx, int32_t sy,
                uint32_t rop = SRCCOPY);
    // The canvas's own pixels (device units), for canvases that have them;
    // empty for printers and recordings.
    virtual Bitmap CopyPixels(const Rect& deviceRect);

protected:
    explicit Canvas(const DeviceCaps& caps);
    void SetCaps(const DeviceCaps& caps) { caps_ = caps; }

    // ---- backend operations. Coordinates are logical: a backend maps them
    // with LogicalToDevice() and clips with state().clip. Shapes follow the
    // pixel rules above.
    virtual void DoLine(std::span<const Point> points) = 0;  // polyline, last pixel excluded
    virtual void DoBezier(std::span<const Point> points) = 0;
    virtual void DoArc(const Rect& box, Point start, Point end) = 0;
    virtual void DoShape(Shape shape, const Rect& box, Point a, Point b) = 0;  // a, b: corner size or radials
    virtual void DoPolygon(std::span<const Point> points, std::span<const int32_t> counts) = 0;
    // Boxes and colours of the same count; by default one Ellipse after the other.
    virtual void DoNestedEllipses(std::span<const Rect> boxes, std::span<const Color> colors);
    virtual void DoFillRegion(const Region& deviceRegion, const Brush& b, uint32_t rop) = 0;
    virtual void DoPath(const PathData& devicePath, bool fill, bool stroke) = 0;
    virtual void DoText(int32_t x, int32_t y, uint32_t options, const Rect* rect, std::u16string_view text,
                        std::span<const int32_t> dx) = 0;
    virtual void DoStretchBlt(const Rect& dest, const Bitmap& src, const Rect& srcRect, uint32_t rop) = 0;
    virtual void DoSetPixel(int32_t x, int32_t y, Color c) = 0;  // device units
    virtual Color DoGetPixel(int32_t x, int32_t y);              // device units
    virtual bool DoFloodFill(int32_t x, int32_t y, Color c, FloodFillType type);
    // Measuring: sizes in logical units for the current font.
    virtual TextMetrics DoTextMetrics() = 0;
    virtual std::vector<int32_t> DoPartialExtents(std::u16string_view text) = 0;
    virtual std::string DoTextFace();

    // The device's drawing surface in device units (from HORZRES and VERTRES;
    // unbounded when they are 0): what "no clip region" stands for.
    Rect DeviceBounds() const;
    bool PathOpen() const { return pathOpen_; }

private:
    void AddToPath(std::span<const Point> devicePoints, uint8_t firstType, uint8_t restType);
    void StartFigureAtPosition();
    void AddShapeToPath(const QPainterPath& devicePath);
    std::vector<int32_t> SpacedAdvances(std::u16string_view text, std::span<const int32_t> dx);
    void FixIsotropicExtents();
    void DiscardPath();
    RegionKind SetClip(std::optional<Region> clip);
    DeviceCaps caps_;
    State state_;
    std::vector<State> saved_;
    bool pathOpen_ = false;
    bool figureOpen_ = false;  // a line figure runs on from the last path point
    PathData path_;  // device units
};

}  // namespace gdi
