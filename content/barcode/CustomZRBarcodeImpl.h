#pragma once
// The implementation base of the barcode symbologies and the pipeline that
// lays out and draws every symbol.
//
// A symbology turns its text into a module pattern: one decimal digit per
// element, the element's width in units, elements alternating bar, space,
// bar ... from a bar ("0" is an element of no width that still takes its
// turn). Render lays the pattern out in millimetres with a unit of whole dots
// of the current printer, so that a symbol has its printed size on every
// device, and draws it turned by Angle about the centre. On canvases at a
// quarter turn every bar edge is a whole device unit away from the first
// one, so that bars keep their exact widths in printer dots.

#include "content/barcode/MMPos.h"
#include "foundation/Matrix.h"
#include "foundation/PointHelpers.h"
#include "platform/gdi/Region.h"
#include "platform/printer/Printer.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TScaleCanvas;

// The symbology number; the low seven bits choose the implementation.
using TBarcodeTyp = uint8_t;
constexpr TBarcodeTyp btEAN8 = 0;
constexpr TBarcodeTyp btEAN13 = 1;
constexpr TBarcodeTyp btEAN128 = 2;
constexpr TBarcodeTyp btCode25Standard = 3;
constexpr TBarcodeTyp btCode25Interleaved = 4;
constexpr TBarcodeTyp btCode128 = 5;
constexpr TBarcodeTyp btCode39 = 6;
constexpr TBarcodeTyp btCodabar = 7;
constexpr TBarcodeTyp btCode93 = 8;
constexpr TBarcodeTyp btITF14 = 9;
constexpr TBarcodeTyp btUPC_A = 10;
constexpr TBarcodeTyp btUPC_E = 11;
constexpr int kBarcodeTypeCount = 12;
// The names of the symbologies, in the order of their numbers.
extern const std::array<const char*, kBarcodeTypeCount> BarcodeTypeNames;

// Module widths are based on the horizontal resolution of the current
// printer (PrinterDpiX), also when drawing on the screen.

// Printer dots per unit for a symbol of totalUnits units (quiet zones
// included) that should be widthMM wide, between minModuleMM (exclusive:
// at least one dot more than its truncated dots) and maxModuleMM.
int32_t ModuleDots(int32_t totalUnits, float widthMM, int32_t dpi, double minModuleMM, double maxModuleMM);

// The sum of the pattern's digits.
int32_t PatternUnits(std::string_view pattern);

// Whether the Control key is down (typed keys pass the filters unchanged
// then). Tests replace the query.
bool ControlKeyDown();
void SetControlKeyQuery(bool (*query)());

class TCustomZRBarcodeImpl : public TMMPos {
public:
    TCustomZRBarcodeImpl() = default;
    TCustomZRBarcodeImpl(const TCustomZRBarcodeImpl&) = delete;
    TCustomZRBarcodeImpl& operator=(const TCustomZRBarcodeImpl&) = delete;

    virtual std::string CheckDigit(const std::string& text);
    virtual void SetCheckDigit(bool flag) { CalcCheckDigit = flag; }
    virtual void SetText(const std::string& text) { Text = text; }
    virtual void SetAddOn(const std::string& text) { AddOn = text; }
    virtual void SetAngle(float degrees) { Angle = degrees; }
    virtual void SetShowText(bool flag) { ShowText = flag; }
    virtual std::string EncodePattern(const std::string& fullText);
    // An implementation of a symbology this program does not know (a newer
    // file): a note in the position box, whose turned outline is its bounds,
    // so that the figure can still be selected and deleted.
    virtual void Draw(TScaleCanvas& canvas);
    virtual void GetBounds(TScaleCanvas& canvas, TRect& rect);
    // Replaces a refused character by 0.
    virtual void FilterKey(char& key) {}

    // The device region of the last draw or measure; none before the first.
    const gdi::Region* Region();
    const gdi::Region* GetRegion(TScaleCanvas& canvas);
    void SetAECOC(bool flag) { AECOC = flag; }

    bool CalcCheckDigit = false;
    bool ShowText = false;
    float Angle = 0;
    std::string Text;
    std::string AddOn;
    bool AECOC = false;
    bool Valid = false;

    // Identity, translate by minus the centre, turn by Angle, translate back.
    void BuildRotation(TMatrix3& M) const;
    // The box through the matrix, filled as a polygon with the current brush
    // and no pen; the pen is solid afterwards.
    void FillQuad(TScaleCanvas& canvas, const TMatrix3& M, float x1, float y1, float x2, float y2);
    // The box turned about its own centre: its device polygon becomes the
    // region, the rectangle the smallest one around the four device points.
    void ComputeRegion(TScaleCanvas& canvas, TRect& rect, float left, float top, float right, float bottom,
                       float angle);
    // The position box turned by Angle, white with a red outline and red
    // diagonals, and the message in its middle.
    void DrawMessageBox(TScaleCanvas& canvas, const std::string& message);
    void DrawInvalid(TScaleCanvas& canvas);

protected:
    // Lets a key through unchanged while Control is down and for control
    // characters; else capitalises a to z when asked and refuses characters
    // outside accepted.
    static void FilterAccepted(char& key, std::string_view accepted, bool capitalise);

protected:
    // The device corners of the region, turned; the region is built from them
    // only when asked for.
    std::array<gdi::Point, 4> regionCorners_{};

private:
    bool hasRegion_ = false;
    std::optional<gdi::Region> region_;
};

// One symbol as Render lays it out, in millimetres before turning.
struct TSymbolLayout {
    std::string fullText;
    std::string pattern;
    int32_t units = 0;       // N: units of the pattern
    int32_t quiet = 0;       // Q: units of one quiet zone
    int32_t dpi = 0;
    int32_t dots = 0;        // printer dots per unit
    double module = 0;       // m: one unit in mm
    double width = 0;        // W: the symbol with both quiet zones
    float textHeight = 0;    // th: height of the text line, 0 without text
    float height = 0;        // H: the symbol box
    float barOffset = 1;     // from the box top to the top of the bars
    float barHeight = 0;
    float top = 0;           // the box top
    float left = 0;          // the box's left edge (outer edge of the left quiet zone)
    float textOffset = 0;    // from the box top to the top of the text line
};

// What a symbology's constants are for Render.
struct TBarcodeFamily {
    int32_t quietUnits;
    double minModuleMM;
    double maxModuleMM;
    int32_t startPoints;  // the first font size tried for the text
};

// A piece of human-readable text: its top-left corner before turning.
struct TTextPiece {
    std::string text;
    float x;
    float y;
};

// The base of the twelve symbologies: Draw and GetBounds through Render.
class TBarcodeSymbology : public TCustomZRBarcodeImpl {
public:
    void Draw(TScaleCanvas& canvas) override;
    void GetBounds(TScaleCanvas& canvas, TRect& rect) override;

    // The full text with what the symbology adds (check characters, a
    // leading zero, start and stop characters).
    virtual std::string GetFullText() = 0;
    // The module pattern of the full text (EAN and UPC with the add-on).
    virtual std::string BuildPattern(const std::string& fullText) { return EncodePattern(fullText); }
    // Everything but the place of the box: text, pattern, module, font and
    // heights; the font is left on the canvas. False when the text cannot be
    // drawn. s.top and s.left are set by Render.
    bool LayOut(TScaleCanvas& canvas, TSymbolLayout& s);

protected:
    void Render(TScaleCanvas& canvas, bool draw, TRect& rect);

    virtual TBarcodeFamily Family() const = 0;
    // Length and structure rules checked before Valid.
    virtual bool PassesLengthRules() const { return true; }
    // The text the font is fitted to, and the units it may fill.
    virtual std::string FittedText(const TSymbolLayout& s) const { return s.fullText; }
    virtual int32_t TextBudget(const TSymbolLayout& s) const { return s.units; }
    // Sets height, barOffset, barHeight and textOffset from the module and
    // the text height: the box grows to the requested height, at least 7 mm
    // with the text line.
    virtual void LayOutHeight(TScaleCanvas& canvas, TSymbolLayout& s) const;
    // The top and bottom of element k (counted from 1).
    virtual void ElementSpan(int32_t k, const TSymbolLayout& s, float& top, float& bottom) const {}
    virtual void DrawAfterBars(TScaleCanvas& canvas, const TSymbolLayout& s) {}
    virtual std::string ShownText(const TSymbolLayout& s) const { return s.fullText; }
    // By default the shown text, centred under the bars.
    virtual std::vector<TTextPiece> TextPieces(TScaleCanvas& canvas, const TSymbolLayout& s) const;

    // A piece centred on x, with its top at y.
    static TTextPiece Centred(TScaleCanvas& canvas, const std::string& text, float x, float y);

private:
    void FitFont(TScaleCanvas& canvas, const std::string& text, double availableMM, int32_t startPoints);
    void PaintSymbol(TScaleCanvas& canvas, const TSymbolLayout& s);
    void PaintBars(TScaleCanvas& canvas, const TSymbolLayout& s, const TMatrix3& M);
    void PaintText(TScaleCanvas& canvas, const TSymbolLayout& s, const TMatrix3& M);
};

// The check digit of a digit string with weights 3, 1, 3 ... from its right
// end: (10 − sum mod 10) mod 10. Empty for an empty text or one with a non-digit.
std::string Mod10CheckDigit(std::string_view digits);
bool IsAllDigits(std::string_view text);
