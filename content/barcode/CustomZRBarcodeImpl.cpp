#include "content/barcode/CustomZRBarcodeImpl.h"

#include "foundation/Codepage1252.h"
#include "foundation/Localizer.h"
#include "foundation/Rounding.h"
#include "foundation/ScaleCanvas.h"
#include "platform/printer/Printer.h"

#include <QtGui/QGuiApplication>

#include <algorithm>
#include <cmath>

const std::array<const char*, kBarcodeTypeCount> BarcodeTypeNames = {
    "EAN 8", "EAN 13", "EAN 128", "Code 2/5 Standard", "Code 2/5 Interleaved", "Code 128",
    "Code 39", "Codabar", "Code 93", "ITF-14", "UPC-A", "UPC-E",
};

namespace {

constexpr gdi::Color kBlack = gdi::Rgb(0, 0, 0);
constexpr gdi::Color kWhite = gdi::Rgb(255, 255, 255);
constexpr gdi::Color kRed = gdi::Rgb(255, 0, 0);

bool QueryControlKey() {
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}
bool (*controlKeyQuery)() = QueryControlKey;

gdi::Point ToDevice(const TScaleCanvas& canvas, float x, float y) {
    return {canvas.MMToPixelX(x), canvas.MMToPixelY(y)};
}

gdi::Point ThroughMatrix(const TScaleCanvas& canvas, const TMatrix3& M, float x, float y) {
    float X = 0, Y = 0;
    MatrixTransformPoint(M, x, y, X, Y);
    return ToDevice(canvas, X, Y);
}

// The nearest integer, halves rounded up, kept within ±2^52 (a damaged
// position gives no overflow).
int64_t NearestClamped(double v) {
    constexpr double kLimit = 4503599627370496.0;
    if (!(v == v)) return 0;
    return static_cast<int64_t>(std::floor(std::clamp(v, -kLimit, kLimit) + 0.5));
}

// 0 to 3 for a turn by a whole number of quarters, −1 for any other angle.
int32_t QuarterTurns(float angle) {
    if (!std::isfinite(angle)) return -1;
    double a = std::fmod(static_cast<double>(angle), 360.0);
    if (a < 0) a += 360;
    const double quarters = std::floor(a / 90 + 0.5);
    if (std::fabs(a - quarters * 90) > 1e-3) return -1;
    return static_cast<int32_t>(quarters) % 4;
}

// Fills the bars of one symbol. At a quarter turn the edges run along a
// device axis: they are placed in whole device units from the symbol's first
// edge (so bars of n printer dots are exactly n dots wide on the printer) and
// filled as device rectangles. At other angles each bar is a turned polygon.
class TBarPainter {
public:
    TBarPainter(TCustomZRBarcodeImpl& impl, TScaleCanvas& canvas, const TMatrix3& M, double runStart,
                double module, float referenceY)
        : impl_(impl), canvas_(canvas), M_(M), runStart_(runStart), module_(module),
          quarters_(QuarterTurns(impl.Angle)) {
        if (quarters_ < 0) return;
        float x = 0, y = 0;
        MatrixTransformPoint(M, static_cast<float>(runStart), referenceY, x, y);
        alongX_ = quarters_ % 2 == 0;
        sign_ = quarters_ < 2 ? 1 : -1;
        const double scale = alongX_ ? canvas.ScaleX : canvas.ScaleY;
        const double device = alongX_ ? (x + canvas.MMOffsetX) * scale - canvas.PixelOffsetX
                                      : (y + canvas.MMOffsetY) * scale - canvas.PixelOffsetY;
        start_ = NearestClamped(device);
        unitDevice_ = module * scale;
    }

    void Fill(int32_t fromUnit, int32_t toUnit, float top, float bottom) {
        if (quarters_ < 0) {
            const auto x1 = static_cast<float>(runStart_ + fromUnit * module_);
            const auto x2 = static_cast<float>(runStart_ + toUnit * module_);
            impl_.FillQuad(canvas_, M_, x1, top, x2, bottom);
            return;
        }
        const int32_t a = Edge(fromUnit), b = Edge(toUnit);
        const gdi::Point p = ThroughMatrix(canvas_, M_, static_cast<float>(runStart_), top);
        const gdi::Point q = ThroughMatrix(canvas_, M_, static_cast<float>(runStart_), bottom);
        const int32_t c1 = alongX_ ? p.y : p.x, c2 = alongX_ ? q.y : q.x;
        const gdi::Rect run{std::min(a, b), std::min(c1, c2), std::max(a, b), std::max(c1, c2)};
        canvas_.Canvas().FillRect(alongX_ ? run : gdi::Rect{run.top, run.left, run.bottom, run.right});
    }

private:
    int32_t Edge(int32_t units) const {
        const int64_t offset = NearestClamped(units * unitDevice_);
        return gdi::Saturated(start_ + sign_ * offset);
    }

    TCustomZRBarcodeImpl& impl_;
    TScaleCanvas& canvas_;
    const TMatrix3& M_;
    double runStart_;
    double module_;
    int32_t quarters_;
    bool alongX_ = true;
    int32_t sign_ = 1;
    int64_t start_ = 0;
    double unitDevice_ = 0;
};

}  // namespace

// ---- free helpers

int32_t ModuleDots(int32_t totalUnits, float widthMM, int32_t dpi, double minModuleMM, double maxModuleMM) {
    const long double inch = 25.4L;
    const int32_t most = Trunc(dpi * maxModuleMM / inch);
    const int32_t least = Trunc(dpi * minModuleMM / inch) + 1;
    const int32_t fitting = totalUnits > 0 ? Trunc(widthMM / (totalUnits / static_cast<long double>(dpi) * inch)) : 0;
    return std::min(most, std::max(fitting, least));
}

int32_t PatternUnits(std::string_view pattern) {
    int32_t units = 0;
    for (const char c : pattern) units += c - '0';
    return units;
}

bool ControlKeyDown() { return controlKeyQuery(); }

void SetControlKeyQuery(bool (*query)()) { controlKeyQuery = query ? query : QueryControlKey; }

bool IsAllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Mod10CheckDigit(std::string_view digits) {
    if (digits.empty() || !IsAllDigits(digits)) return {};
    int32_t sum = 0;
    int32_t weight = 3;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += (*it - '0') * weight;
        weight = 4 - weight;
    }
    return std::string(1, static_cast<char>('0' + (10 - sum % 10) % 10));
}

// ---- TCustomZRBarcodeImpl

std::string TCustomZRBarcodeImpl::CheckDigit(const std::string&) { return {}; }

std::string TCustomZRBarcodeImpl::EncodePattern(const std::string&) { return {}; }

void TCustomZRBarcodeImpl::Draw(TScaleCanvas& canvas) { DrawMessageBox(canvas, "Noch nicht implementiert"); }

void TCustomZRBarcodeImpl::GetBounds(TScaleCanvas& canvas, TRect& rect) {
    ComputeRegion(canvas, rect, Left(), Top(), Right(), Bottom(), Angle);
}

const gdi::Region* TCustomZRBarcodeImpl::Region() {
    if (!hasRegion_) return nullptr;
    if (!region_) {
        // A box beyond any device (a damaged position or size) becomes its
        // bounds within a plane no device reaches, instead of a region of
        // billions of rows.
        constexpr int32_t kPlane = 1 << 20;
        const TRect bounds = BoundsOfPoints(regionCorners_);
        const bool huge = bounds.left < -kPlane || bounds.top < -kPlane || bounds.right > kPlane || bounds.bottom > kPlane;
        region_ = huge ? gdi::Region::FromRect({std::clamp(bounds.left, -kPlane, kPlane), std::clamp(bounds.top, -kPlane, kPlane),
                                               std::clamp(bounds.right, -kPlane, kPlane), std::clamp(bounds.bottom, -kPlane, kPlane)})
                       : gdi::Region::FromPolygon(regionCorners_, gdi::PolyFillMode::Alternate);
    }
    return &*region_;
}

const gdi::Region* TCustomZRBarcodeImpl::GetRegion(TScaleCanvas& canvas) {
    TRect scratch;
    GetBounds(canvas, scratch);
    return Region();
}

void TCustomZRBarcodeImpl::BuildRotation(TMatrix3& M) const {
    MatrixIdentity(M);
    MatrixTranslate(M, -CenterX, -CenterY);
    MatrixRotate(M, Angle);
    MatrixTranslate(M, CenterX, CenterY);
}

void TCustomZRBarcodeImpl::FillQuad(TScaleCanvas& canvas, const TMatrix3& M, float x1, float y1, float x2, float y2) {
    const std::array<gdi::Point, 4> corners{ThroughMatrix(canvas, M, x1, y1), ThroughMatrix(canvas, M, x2, y1),
                                            ThroughMatrix(canvas, M, x2, y2), ThroughMatrix(canvas, M, x1, y2)};
    canvas.Pen().style = gdi::PenStyle::Null;
    canvas.Canvas().Polygon(corners);
    canvas.Pen().style = gdi::PenStyle::Solid;
}

void TCustomZRBarcodeImpl::ComputeRegion(TScaleCanvas& canvas, TRect& rect, float left, float top, float right,
                                         float bottom, float angle) {
    const TFloatPoint centre{(left + right) / 2, (top + bottom) / 2};
    const std::array<TFloatPoint, 4> corners{{{left, top}, {right, top}, {right, bottom}, {left, bottom}}};
    for (size_t i = 0; i < corners.size(); ++i) {
        const TFloatPoint turned = RotateFloatPointAbout(corners[i], centre, angle);
        regionCorners_[i] = ToDevice(canvas, turned.X, turned.Y);
    }
    hasRegion_ = true;
    region_.reset();
    rect = BoundsOfPoints(regionCorners_);
}

void TCustomZRBarcodeImpl::DrawMessageBox(TScaleCanvas& canvas, const std::string& message) {
    canvas.Brush() = gdi::SolidBrush(kWhite);
    canvas.Pen().style = gdi::PenStyle::Solid;
    canvas.Pen().color = kRed;
    canvas.Pen().width = 1;
    TFont& font = canvas.Font();
    font.SetName("Arial");
    font.SetSize(10);
    TMatrix3 M;
    BuildRotation(M);
    const std::array<gdi::Point, 4> corners{ThroughMatrix(canvas, M, Left(), Top()), ThroughMatrix(canvas, M, Right(), Top()),
                                            ThroughMatrix(canvas, M, Right(), Bottom()),
                                            ThroughMatrix(canvas, M, Left(), Bottom())};
    gdi::Canvas& dc = canvas.Canvas();
    dc.Polygon(corners);
    dc.MoveTo(corners[0].x, corners[0].y);
    dc.LineTo(corners[2].x, corners[2].y);
    dc.MoveTo(corners[1].x, corners[1].y);
    dc.LineTo(corners[3].x, corners[3].y);
    const float w = canvas.TextWidthMM(message);
    const float h = canvas.TextHeightMM(message);
    float x = 0, y = 0;
    MatrixTransformPoint(M, CenterX - w / 2, CenterY - h / 2, x, y);
    canvas.SetFontAngle(Angle);
    canvas.TextOut(message, x, y);
    canvas.SetFontAngle(0);
}

void TCustomZRBarcodeImpl::DrawInvalid(TScaleCanvas& canvas) {
    DrawMessageBox(canvas, UnicodeToAnsi(LocalizedText("IDS_BARCODE8")));
}

void TCustomZRBarcodeImpl::FilterAccepted(char& key, std::string_view accepted, bool capitalise) {
    if (ControlKeyDown() || static_cast<uint8_t>(key) < 32) return;
    if (capitalise && key >= 'a' && key <= 'z') key = static_cast<char>(key - 'a' + 'A');
    if (accepted.find(key) == std::string_view::npos) key = 0;
}

// ---- TBarcodeSymbology

void TBarcodeSymbology::Draw(TScaleCanvas& canvas) {
    TRect scratch;
    Render(canvas, true, scratch);
}

void TBarcodeSymbology::GetBounds(TScaleCanvas& canvas, TRect& rect) { Render(canvas, false, rect); }

void TBarcodeSymbology::Render(TScaleCanvas& canvas, bool draw, TRect& rect) {
    ComputeRegion(canvas, rect, Left(), Top(), Right(), Bottom(), Angle);
    if (Text.empty()) return;
    TSymbolLayout s;
    if (!LayOut(canvas, s)) {
        if (draw) DrawInvalid(canvas);
        return;
    }
    s.top = CenterY - s.height / 2;
    s.left = static_cast<float>(CenterX - s.width / 2);
    ComputeRegion(canvas, rect, s.left, s.top, static_cast<float>(s.left + s.width), s.top + s.height, Angle);
    if (draw) PaintSymbol(canvas, s);
}

bool TBarcodeSymbology::LayOut(TScaleCanvas& canvas, TSymbolLayout& s) {
    if (!PassesLengthRules() || !Valid) return false;
    s.fullText = GetFullText();
    s.pattern = BuildPattern(s.fullText);
    s.units = PatternUnits(s.pattern);
    if (s.units <= 0) return false;
    const TBarcodeFamily family = Family();
    s.quiet = family.quietUnits;
    s.dpi = PrinterDpiX();
    const int32_t totalUnits = s.units + 2 * s.quiet;
    s.dots = ModuleDots(totalUnits, Width, s.dpi, family.minModuleMM, family.maxModuleMM);
    s.module = s.dots * 25.4 / s.dpi;
    s.width = totalUnits * s.module;
    if (ShowText) {
        const std::string fitted = FittedText(s);
        FitFont(canvas, fitted, TextBudget(s) * s.module, family.startPoints);
        s.textHeight = canvas.TextHeightMM(fitted);
    }
    LayOutHeight(canvas, s);
    return true;
}

void TBarcodeSymbology::FitFont(TScaleCanvas& canvas, const std::string& text, double availableMM,
                                int32_t startPoints) {
    TFont& font = canvas.Font();
    font.SetName("Arial");
    font.SetStyle(0);
    int32_t size = startPoints;
    font.SetSize(size);
    while (availableMM < canvas.TextWidthMM(text)) {
        canvas.Font().SetSize(--size);
        if (size <= 4) break;
    }
}

void TBarcodeSymbology::LayOutHeight(TScaleCanvas&, TSymbolLayout& s) const {
    s.height = std::max(7 + s.textHeight, Height);
    s.barOffset = 1;
    s.barHeight = s.height - 2 - s.textHeight;
    s.textOffset = s.barOffset + s.barHeight;
}

void TBarcodeSymbology::PaintSymbol(TScaleCanvas& canvas, const TSymbolLayout& s) {
    canvas.Brush() = gdi::SolidBrush(kWhite);
    canvas.Pen().style = gdi::PenStyle::Null;
    // Upright or at a quarter turn the box is the rectangle of its corners (the
    // region's), which a plain fill covers as the polygon would.
    if (QuarterTurns(Angle) >= 0)
        canvas.Canvas().FillRect(BoundsOfPoints(regionCorners_));
    else
        canvas.RotatedRectangle(s.left, s.top, static_cast<float>(s.left + s.width), s.top + s.height, Angle);
    TMatrix3 M;
    BuildRotation(M);
    PaintBars(canvas, s, M);
    canvas.Pen().style = gdi::PenStyle::Solid;
    DrawAfterBars(canvas, s);
    canvas.Brush().style = gdi::BrushStyle::Null;
    if (ShowText) PaintText(canvas, s, M);
    canvas.Pen().style = gdi::PenStyle::Solid;
}

// The quiet zones and spaces lie on the white background already: only the
// bars are filled.
void TBarcodeSymbology::PaintBars(TScaleCanvas& canvas, const TSymbolLayout& s, const TMatrix3& M) {
    const float barTop = s.top + s.barOffset;
    TBarPainter painter(*this, canvas, M, s.left + s.quiet * s.module, s.module, barTop);
    canvas.Brush() = gdi::SolidBrush(kBlack);
    int32_t unit = 0;
    for (size_t i = 0; i < s.pattern.size(); ++i) {
        const int32_t width = s.pattern[i] - '0';
        if (i % 2 == 0 && width > 0) {
            float top = barTop, bottom = barTop + s.barHeight;
            ElementSpan(static_cast<int32_t>(i) + 1, s, top, bottom);
            painter.Fill(unit, unit + width, top, bottom);
        }
        unit += width;
    }
}

void TBarcodeSymbology::PaintText(TScaleCanvas& canvas, const TSymbolLayout& s, const TMatrix3& M) {
    const std::vector<TTextPiece> pieces = TextPieces(canvas, s);
    gdi::Canvas& dc = canvas.Canvas();
    const gdi::BkMode mode = dc.SetBkMode(gdi::BkMode::Transparent);
    canvas.SetFontAngle(Angle);
    for (const TTextPiece& piece : pieces) {
        float x = 0, y = 0;
        MatrixTransformPoint(M, piece.x, piece.y, x, y);
        canvas.TextOut(piece.text, x, y);
    }
    canvas.SetFontAngle(0);
    dc.SetBkMode(mode);
}

std::vector<TTextPiece> TBarcodeSymbology::TextPieces(TScaleCanvas& canvas, const TSymbolLayout& s) const {
    return {Centred(canvas, ShownText(s), CenterX, s.top + s.textOffset)};
}

TTextPiece TBarcodeSymbology::Centred(TScaleCanvas& canvas, const std::string& text, float x, float y) {
    return {text, x - canvas.TextWidthMM(text) / 2, y};
}
