#pragma once
// Value types of the drawing layer: colours, points, rectangles, pens,
// brushes, fonts and the mode constants of a device context.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gdi {

class Bitmap;

// A colour is $00BBGGRR (red in the low byte). A value with the top bit set
// names a system colour by its index in the low byte (see ResolveColor).
using Color = uint32_t;
constexpr Color Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
constexpr uint32_t RedOf(Color c) { return c & 0xFF; }
constexpr uint32_t GreenOf(Color c) { return (c >> 8) & 0xFF; }
constexpr uint32_t BlueOf(Color c) { return (c >> 16) & 0xFF; }
constexpr Color kSystemColorFlag = 0x80000000u;
// What GetPixel answers where there is no pixel.
constexpr Color CLR_INVALID = 0xFFFFFFFFu;
enum SystemColorIndex : uint32_t {
    COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2, COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7, COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11, COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15, COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19, COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23, COLOR_INFOBK = 24,
};
constexpr Color SystemColor(uint32_t index) { return kSystemColorFlag | index; }
// Turns a system colour into its RGB value from the desktop's palette; plain
// colours are returned unchanged (without their top byte).
Color ResolveColor(Color c);
// The RGB value of a system colour now.
inline Color SysColor(SystemColorIndex index) { return ResolveColor(SystemColor(index)); }

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int32_t cx = 0;
    int32_t cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A 64-bit value brought into the 32-bit range.
constexpr int32_t Saturated(int64_t v) {
    return static_cast<int32_t>(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
}

// Left and top are inside, right and bottom just outside, as everywhere in the
// drawing layer. Sizes and moved corners saturate.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return Saturated(int64_t{right} - left); }
    int32_t Height() const { return Saturated(int64_t{bottom} - top); }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    Rect Normalized() const;
    Rect Offset(int32_t dx, int32_t dy) const {
        return {Saturated(int64_t{left} + dx), Saturated(int64_t{top} + dy), Saturated(int64_t{right} + dx),
                Saturated(int64_t{bottom} + dy)};
    }
    Rect Inflated(int32_t dx, int32_t dy) const {
        return {Saturated(int64_t{left} - dx), Saturated(int64_t{top} - dy), Saturated(int64_t{right} + dx),
                Saturated(int64_t{bottom} + dy)};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};
// The common part of two rectangles; the empty rectangle (0, 0, 0, 0) when they do not meet.
Rect IntersectRect(const Rect& a, const Rect& b);
// The smallest rectangle holding both; an empty one is ignored.
Rect UnionRect(const Rect& a, const Rect& b);

// ---- pens

enum class PenStyle : int32_t {
    Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5, InsideFrame = 6, UserStyle = 7,
};
enum class PenEndCap : int32_t { Round = 0, Square = 1, Flat = 2 };
enum class PenJoin : int32_t { Round = 0, Bevel = 1, Miter = 2 };

// A pen. A width of 0 or 1 is the thinnest pen (one device pixel whatever
// the mapping); a wider pen's width is in logical units and is drawn solid
// with round caps and joins unless it is geometric. Dashed styles of thin
// pens repeat in device pixels (dash 18 on / 6 off, dot 3 / 3, dash-dot
// 9/6/3/6, dash-dot-dot 9/3/3/3/3/3).
struct Pen {
    PenStyle style = PenStyle::Solid;
    int32_t width = 1;
    Color color = 0;
    bool geometric = false;  // caps, joins and dashes follow the width
    PenEndCap cap = PenEndCap::Round;
    PenJoin join = PenJoin::Round;
    std::vector<uint32_t> userDashes;  // on/off lengths for UserStyle
    friend bool operator==(const Pen&, const Pen&) = default;
};

// ---- brushes

enum class BrushStyle : int32_t { Solid = 0, Null = 1, Hatched = 2, Pattern = 3 };
enum class HatchStyle : int32_t {
    Horizontal = 0, Vertical = 1, FDiagonal = 2, BDiagonal = 3, Cross = 4, DiagCross = 5,
};

// A brush. Hatch lines are drawn in the brush colour, the gaps in the
// background colour when the background mode is opaque (else left alone).
// A pattern brush tiles its bitmap from the brush origin.
struct Brush {
    BrushStyle style = BrushStyle::Solid;
    Color color = Rgb(255, 255, 255);
    HatchStyle hatch = HatchStyle::Horizontal;
    std::shared_ptr<const Bitmap> pattern;
    friend bool operator==(const Brush&, const Brush&) = default;
};
inline Brush SolidBrush(Color c) { return Brush{BrushStyle::Solid, c, HatchStyle::Horizontal, nullptr}; }
inline Brush HatchBrush(HatchStyle h, Color c) { return Brush{BrushStyle::Hatched, c, h, nullptr}; }
inline Brush NullBrush() { return Brush{BrushStyle::Null, Rgb(255, 255, 255), HatchStyle::Horizontal, nullptr}; }

// ---- fonts

constexpr uint8_t ANSI_CHARSET = 0;
constexpr uint8_t DEFAULT_CHARSET = 1;
constexpr uint8_t SYMBOL_CHARSET = 2;
constexpr uint8_t NONANTIALIASED_QUALITY = 3;
constexpr uint8_t ANTIALIASED_QUALITY = 4;
constexpr int32_t FW_NORMAL = 400;
constexpr int32_t FW_BOLD = 700;

// A logical font. Height: negative means the character height (the em size)
// in logical units, positive the cell height (ascent + descent), 0 a default
// size. Width 0 keeps the face's own proportions. Escapement and orientation
// are tenths of a degree counter-clockwise. The face name is UTF-8; names the
// system lacks are mapped by fontconfig (Arial to Liberation Sans, ...).
struct LogFont {
    int32_t height = -11;
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    uint8_t charSet = DEFAULT_CHARSET;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    std::string faceName = "Arial";
    friend bool operator==(const LogFont&, const LogFont&) = default;
};

// What GetTextMetrics reports of the selected font, in logical units.
struct TextMetrics {
    int32_t height = 0;  // ascent + descent
    int32_t ascent = 0;
    int32_t descent = 0;
    int32_t internalLeading = 0;  // height - em size
    int32_t externalLeading = 0;
    int32_t aveCharWidth = 0;
    int32_t maxCharWidth = 0;
    int32_t weight = FW_NORMAL;
    int32_t overhang = 0;
    int32_t digitizedAspectX = 96;
    int32_t digitizedAspectY = 96;
    char16_t firstChar = 0x20;
    char16_t lastChar = 0xFFFC;
    char16_t defaultChar = 0x1F;
    char16_t breakChar = 0x20;
    bool italic = false;
    bool underlined = false;
    bool struckOut = false;
    uint8_t pitchAndFamily = 0;
    uint8_t charSet = DEFAULT_CHARSET;
};

// ---- device-context modes

enum class BkMode : int32_t { Transparent = 1, Opaque = 2 };

// Mixing of pen and brush output with the destination (binary raster operations).
enum class Rop2 : int32_t {
    Black = 1, NotMergePen = 2, MaskNotPen = 3, NotCopyPen = 4, MaskPenNot = 5, Not = 6, XorPen = 7,
    NotMaskPen = 8, MaskPen = 9, NotXorPen = 10, Nop = 11, MergeNotPen = 12, CopyPen = 13,
    MergePenNot = 14, MergePen = 15, White = 16,
};

enum class PolyFillMode : int32_t { Alternate = 1, Winding = 2 };
enum class StretchMode : int32_t { BlackOnWhite = 1, WhiteOnBlack = 2, ColorOnColor = 3, Halftone = 4 };
enum class MapMode : int32_t {
    Text = 1, LoMetric = 2, HiMetric = 3, LoEnglish = 4, HiEnglish = 5, Twips = 6, Isotropic = 7, Anisotropic = 8,
};
enum class GraphicsMode : int32_t { Compatible = 1, Advanced = 2 };
enum class RegionCombine : int32_t { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };
enum class RegionKind : int32_t { Error = 0, Null = 1, Simple = 2, Complex = 3 };
enum class FloodFillType : int32_t { Border = 0, Surface = 1 };

// Text alignment flags (combine one horizontal and one vertical value).
constexpr uint32_t TA_NOUPDATECP = 0;
constexpr uint32_t TA_UPDATECP = 1;
constexpr uint32_t TA_LEFT = 0;
constexpr uint32_t TA_RIGHT = 2;
constexpr uint32_t TA_CENTER = 6;
constexpr uint32_t TA_TOP = 0;
constexpr uint32_t TA_BOTTOM = 8;
constexpr uint32_t TA_BASELINE = 24;

// ExtTextOut options.
constexpr uint32_t ETO_OPAQUE = 0x0002;
constexpr uint32_t ETO_CLIPPED = 0x0004;

// Ternary raster operations of the blits.
constexpr uint32_t SRCCOPY = 0x00CC0020;
constexpr uint32_t SRCPAINT = 0x00EE0086;    // source OR destination
constexpr uint32_t SRCAND = 0x008800C6;      // source AND destination
constexpr uint32_t SRCINVERT = 0x00660046;   // source XOR destination
constexpr uint32_t SRCERASE = 0x00440328;    // source AND NOT destination
constexpr uint32_t NOTSRCCOPY = 0x00330008;
constexpr uint32_t NOTSRCERASE = 0x001100A6;
constexpr uint32_t MERGEPAINT = 0x00BB0226;  // NOT source OR destination
constexpr uint32_t DSTINVERT = 0x00550009;
constexpr uint32_t PATCOPY = 0x00F00021;
constexpr uint32_t PATINVERT = 0x005A0049;
constexpr uint32_t BLACKNESS = 0x00000042;
constexpr uint32_t WHITENESS = 0x00FF0062;

// An affine map: x' = eM11·x + eM21·y + eDx, y' = eM12·x + eM22·y + eDy.
struct XForm {
    double eM11 = 1, eM12 = 0, eM21 = 0, eM22 = 1, eDx = 0, eDy = 0;
    friend bool operator==(const XForm&, const XForm&) = default;
};
// a then b.
XForm CombineTransform(const XForm& a, const XForm& b);
bool IsIdentity(const XForm& x);

// A path as GetPath reports it: device points and their kinds.
enum PathPointType : uint8_t { PT_CLOSEFIGURE = 1, PT_LINETO = 2, PT_BEZIERTO = 4, PT_MOVETO = 6 };
struct PathData {
    std::vector<Point> points;
    std::vector<uint8_t> types;
    bool IsEmpty() const { return points.empty(); }
};

// Calls visit(x, y) for each pixel of the line from (x1, y1) towards (x2, y2)
// as the system's line digital-differential analyser walks it; the end point
// itself is not visited.
template <typename Visit>
void LineDDA(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Visit visit);
// The number of pixels that walk visits (its length along the major axis).
int64_t LineDDALength(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Only steps first..last-1 of that walk (step 0 visits the start point), in
// time proportional to their number.
template <typename Visit>
void LineDDASteps(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int64_t first, int64_t last, Visit visit);

}  // namespace gdi

#include "platform/gdi/LineDDA.inl"
