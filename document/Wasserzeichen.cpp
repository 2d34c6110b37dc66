#include "document/Wasserzeichen.h"

#include "document/Stationery.h"
#include "foundation/Abrunden.h"
#include "foundation/Rounding.h"
#include "foundation/ScaleCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

namespace {

using Instructions = TWasserzeichen::Instructions;

constexpr gdi::Color kBlack = 0;
constexpr gdi::Color kEnvelopeBlue = 0x800000;
constexpr gdi::Color kLongEnvelopeBlue = 0x804040;
constexpr gdi::Color kTransferGreen = 0x008000;
constexpr int32_t kA4WidthTenths = 2100;
constexpr int32_t kA4HeightTenths = 2970;
// Frame lengths beyond this (a kilometre) come only from damaged data.
constexpr long double kMaxFrameLength = 1e7L;

// Search texts of the program's own stationery before the brand sheets ...
const TSpecialSheetRow kOwnKeys[] = {
    {"Kreis", "Kreis"},         {"QN-2049", "QN-2049"},     {"QN-2071", "QN-2071"}, {"QN-403X", "QN-403X"},
    {"QN-4051", "QN-4051"},     {"QN-2051EX", "QN-2051EX"}, {"QN-2051", "QN-2051"}, {"QN-2052", "QN-2052"},
    {"QN-3042", "QN-3042"},     {"QN-3052", "QN-3052"},     {"QN-3053", "QN-3053"}, {"QN-4202", "QN-4202"},
    {"QN-2050", "QN-2050"},     {"QN-TEST", "QN-TEST"},
};
// ... the long envelope with window, folded cards and transfer paper after them ...
const TSpecialSheetRow kFoldAndTransferKeys[] = {
    {"DINLANGFENSTER", "DINLANGFENSTER"},
    {"1KNICKH", "1KNICKH"},
    {"1KNICKV", "1KNICKV"},
    {"2KNICKH", "2KNICKH"},
    {"2KNICKV", "2KNICKV"},
    {"3KNICKV", "3KNICKV"},
    {"TShirtWZ2", "TShirtWZ2"},
    {"TShirtWZ3", "TShirtWZ3"},
    {"TShirtWZ4", "TShirtWZ4"},
    {"TShirtWZ5", "TShirtWZ5"},
    {"TShirtWZ12", "TShirtWZ12"},
    {"TShirtWZ15", "TShirtWZ15"},
};
// ... and the envelopes last.
const TSpecialSheetRow kEnvelopeKeys[] = {
    {"TA_DINA5", "TA_DINA5"},
    {"TA_DINA6", "TA_DINA6"},
    {"TA_DINLANG", "TA_DINLANG"},
};

struct ShapeRow {
    const char* key;
    int32_t width;  // 0: the A4 frame
    int32_t height;
    enum class Outline { Frame, HorizontalBand, VerticalBand, CutCorners, None } outline;
    Instructions drawing;
    int32_t radius;
};

const ShapeRow kShapeRows[] = {
    {"Kreis", 1000, 1000, ShapeRow::Outline::None, Instructions::Circle, 0},
    {"QN-3052", 860, 1080, ShapeRow::Outline::HorizontalBand, Instructions::FoldBand, 0},
    {"QN-4202", 1700, 2300, ShapeRow::Outline::HorizontalBand, Instructions::FoldBand, 0},
    {"QN-3053", 1720, 540, ShapeRow::Outline::VerticalBand, Instructions::FoldBand, 0},
    {"QN-3042", 860, 540, ShapeRow::Outline::CutCorners, Instructions::None, 0},
    {"QN-2051EX", 400, 400, ShapeRow::Outline::None, Instructions::LabelRing, 0},
    {"QN-TEST", 400, 400, ShapeRow::Outline::None, Instructions::RoundedBox, 30},
    {"QN-2050", 1840, 900, ShapeRow::Outline::None, Instructions::Boxes2050, 30},
    {"QN-2049", 0, 0, ShapeRow::Outline::Frame, Instructions::Rings2049, 0},
    {"DINLANGFENSTER", 1100, 2200, ShapeRow::Outline::Frame, Instructions::WindowEnvelope, 0},
    {"1KNICKH", 0, 0, ShapeRow::Outline::Frame, Instructions::Fold1H, 0},
    {"1KNICKV", 0, 0, ShapeRow::Outline::Frame, Instructions::Fold1V, 0},
    {"2KNICKH", 0, 0, ShapeRow::Outline::Frame, Instructions::Fold2H, 0},
    {"2KNICKV", 0, 0, ShapeRow::Outline::Frame, Instructions::Fold2V, 0},
    {"3KNICKV", 0, 0, ShapeRow::Outline::Frame, Instructions::Fold3V, 0},
    {"TShirtWZ2", 0, 0, ShapeRow::Outline::Frame, Instructions::Transfer2, 0},
    {"TShirtWZ3", 0, 0, ShapeRow::Outline::Frame, Instructions::Transfer3, 0},
    {"TShirtWZ4", 0, 0, ShapeRow::Outline::Frame, Instructions::Transfer3, 0},
    {"TShirtWZ5", 0, 0, ShapeRow::Outline::Frame, Instructions::Transfer5, 0},
    {"TShirtWZ12", 1485, 2100, ShapeRow::Outline::Frame, Instructions::Transfer12, 0},
    {"TShirtWZ15", 1485, 2100, ShapeRow::Outline::Frame, Instructions::Transfer15, 0},
    {"TA_DINA5", 0, 0, ShapeRow::Outline::Frame, Instructions::EnvelopeA5, 0},
    {"TA_DINA6", 0, 0, ShapeRow::Outline::Frame, Instructions::EnvelopeA6, 0},
    {"TA_DINLANG", 0, 0, ShapeRow::Outline::Frame, Instructions::EnvelopeLong, 0},
    // The own brand's star stickers: a rounded label with a die-cut star in
    // two corners (sizes of common 99.1 x 33.9, 99.1 x 38.1 and 63.5 x 38.1 mm
    // address labels).
    {"DIREZIREZAZ1", 991, 339, ShapeRow::Outline::None, Instructions::StarSticker, 30},
    {"KROXASTERNE2", 991, 381, ShapeRow::Outline::None, Instructions::StarSticker, 30},
    {"KROXASTERNE3", 635, 381, ShapeRow::Outline::None, Instructions::StarSticker, 30},
};

// The centres of the three rings of "QN-2049", their diameter and hole.
constexpr gdi::Point kRings2049[] = {{620, 670}, {1460, 1485}, {620, 2300}};
constexpr int32_t kRing2049Diameter = 1130;
constexpr int32_t kRing2049Hole = 370;

// The six boxes of "QN-2050" (left, top, right, bottom).
constexpr std::array<std::array<int32_t, 4>, 6> kBoxes2050{{
    {0, 0, 1840, 210}, {0, 230, 1480, 420}, {0, 440, 780, 900}, {800, 440, 1480, 640}, {800, 690, 1780, 900},
    {1500, 220, 1840, 640},
}};

const ShapeRow* FindShapeRow(std::string_view key) {
    for (const ShapeRow& row : kShapeRows)
        if (key == row.key) return &row;
    return nullptr;
}

// Tenths of a millimetre; 0 for what no label can be.
int32_t Tenths(float mm) {
    const long double v = static_cast<long double>(mm) * 10;
    if (!std::isfinite(v) || std::fabs(v) > kMaxFrameLength) return 0;
    return Round(v);
}

int32_t Mid(int32_t a, int32_t b) {
    return static_cast<int32_t>((int64_t{a} + b) / 2);
}

gdi::Pen& SetPen(gdi::Canvas& canvas, gdi::Color color, gdi::PenStyle style, int32_t width) {
    gdi::Pen& pen = canvas.pen();
    pen.color = color;
    pen.style = style;
    pen.width = width;
    return pen;
}

// Giving the brush a colour makes it solid, as the drawing layer's brushes do.
void SetBrushColor(gdi::Canvas& canvas, gdi::Color color) {
    canvas.brush().color = color;
    canvas.brush().style = gdi::BrushStyle::Solid;
}

}  // namespace

TWasserzeichen::TWasserzeichen() = default;

std::span<const TSpecialSheetRow> TWasserzeichen::ShapeKeyTable() {
    static const std::vector<TSpecialSheetRow> table = [] {
        std::vector<TSpecialSheetRow> rows(std::begin(kOwnKeys), std::end(kOwnKeys));
        const auto append = [&rows](std::span<const TSpecialSheetRow> more) {
            rows.insert(rows.end(), more.begin(), more.end());
        };
        append(GeneratedSearchRows());
        append(kFoldAndTransferKeys);
        append(OwnBrandSearchRows());
        append(kEnvelopeKeys);
        return rows;
    }();
    return table;
}

std::string TWasserzeichen::ResolveShapeKey(std::string_view lookupText) {
    SurfaceColor = kWhite;
    for (const TSpecialSheetRow& row : ShapeKeyTable())
        if (lookupText.find(row.SearchText) != std::string_view::npos) {
            SurfaceColor = row.SurfaceColor;
            return row.ShapeKey;
        }
    return "none";
}

// ---- shapes

void TWasserzeichen::SetFrameRectangle(int32_t width, int32_t height) {
    FrameWidth = width;
    FrameHeight = height;
    Points[0] = {0, 0};
    Points[1] = {width, 0};
    Points[2] = {width, height};
    Points[3] = {0, height};
    Points[4] = {0, 0};
    PolygonCounts[0] = 5;
    PolygonCount = 1;
    PointCount = 5;
}

void TWasserzeichen::AddFoldBand(bool horizontal) {
    const int32_t w = FrameWidth;
    const int32_t h = FrameHeight;
    if (horizontal) {
        const int32_t a = h / 2 - 5, b = h / 2 + 5;
        Points[5] = {0, a}, Points[6] = {0, b}, Points[7] = {w, b}, Points[8] = {w, a}, Points[9] = {0, a};
    } else {
        const int32_t a = w / 2 - 5, b = w / 2 + 5;
        Points[5] = {a, 0}, Points[6] = {b, 0}, Points[7] = {b, h}, Points[8] = {a, h}, Points[9] = {a, 0};
    }
    PointCount = 10;
}

void TWasserzeichen::SetPolygon(std::span<const gdi::Point> points) {
    std::copy(points.begin(), points.end(), Points.begin());
    PolygonCounts[0] = static_cast<int32_t>(points.size());
    PolygonCount = 1;
    PointCount = static_cast<int32_t>(points.size());
}

void TWasserzeichen::SetNoOutline() {
    PolygonCounts[0] = 0;
    PolygonCount = 0;
}

void TWasserzeichen::SetSpecialSheet(const TSpecialSheet& sheet) {
    if (sheet.PerLabel && sheet.PartCount > 0) {
        const TSheetPart& disc = sheet.Parts[0];
        FrameWidth = Tenths(disc.Width);
        FrameHeight = Tenths(disc.Height);
        SetNoOutline();
        Drawing = Instructions::LabelRing;
        ringHole_ = Tenths(disc.Hole);
        return;
    }
    SetFrameRectangle(Tenths(sheet.PageWidth), Tenths(sheet.PageHeight));
    Drawing = Instructions::Parts;
    sheet_ = &sheet;
}

void TWasserzeichen::SetShape(std::string_view lookupText) {
    ShapeKey = ResolveShapeKey(lookupText);
    SetFrameRectangle(kA4WidthTenths, kA4HeightTenths);
    RoundedFrame = false;
    FrameRadius = 0;
    Drawing = Instructions::None;
    sheet_ = nullptr;
    ringHole_ = 0;

    const ShapeRow* row = FindShapeRow(ShapeKey);
    if (!row) {
        if (const TSpecialSheet* sheet = FindSpecialSheet(ShapeKey)) SetSpecialSheet(*sheet);
        return;
    }
    if (row->width > 0) SetFrameRectangle(row->width, row->height);
    Drawing = row->drawing;
    FrameRadius = row->radius;
    switch (row->outline) {
    case ShapeRow::Outline::Frame:
        break;
    case ShapeRow::Outline::HorizontalBand:
        AddFoldBand(true);
        break;
    case ShapeRow::Outline::VerticalBand:
        AddFoldBand(false);
        break;
    case ShapeRow::Outline::None:
        SetNoOutline();
        break;
    case ShapeRow::Outline::CutCorners: {
        const int32_t w = FrameWidth, h = FrameHeight;
        const gdi::Point corners[] = {
            {0, 30},     {4, 14},     {14, 4},     {30, 0},      {w - 30, 0}, {w - 14, 4},
            {w - 4, 14}, {w, 30},     {w, h - 30}, {w - 4, h - 14}, {w - 14, h - 4}, {w - 30, h},
            {30, h},     {14, h - 4}, {4, h - 14}, {0, h - 30},  {0, 30},
        };
        SetPolygon(corners);
        break;
    }
    }
    if (ShapeKey == "QN-2051EX") ringHole_ = 170;
}

void TWasserzeichen::SetPlainLabel(float width, float height, float radius) {
    FrameWidth = Tenths(width);
    FrameHeight = Tenths(height);
    SetNoOutline();
    RoundedFrame = true;
    FrameRadius = std::max(0, Tenths(radius));
}

// ---- mapping

void TWasserzeichen::BuildMatrix(const gdi::Rect& rect) {
    const float w = static_cast<float>(FrameWidth);
    const float h = static_cast<float>(FrameHeight);
    TMatrix3& m = matrix_;
    MatrixIdentity(m);
    MatrixTranslate(m, -w / 2, -h / 2);
    MatrixScale(m, 1 / w, 1 / h);
    if (Mirrored) MatrixScale(m, -1, 1);
    if (Turned) MatrixRotate(m, 180);
    if (Orientation == 1) MatrixRotate(m, 90);
    MatrixScale(m, static_cast<float>(int64_t{rect.right} - rect.left),
                static_cast<float>(int64_t{rect.bottom} - rect.top));
    MatrixTranslate(m, static_cast<float>(int64_t{rect.left} + rect.right) / 2,
                    static_cast<float>(int64_t{rect.top} + rect.bottom) / 2);
}

gdi::Point TWasserzeichen::TransformPoint(float x, float y) const {
    float X = 0, Y = 0;
    MatrixTransformPoint(matrix_, x, y, X, Y);
    return {Round(X), Round(Y)};
}

int32_t TWasserzeichen::DeviceLength(float r) const {
    return std::abs(TransformPoint(r, r).x - TransformPoint(0, 0).x);
}

// ---- building blocks

void TWasserzeichen::MoveTo(gdi::Canvas& canvas, int32_t x, int32_t y) {
    const gdi::Point p = TransformPoint(static_cast<float>(x), static_cast<float>(y));
    canvas.MoveTo(p.x, p.y);
}

void TWasserzeichen::LineTo(gdi::Canvas& canvas, int32_t x, int32_t y) {
    const gdi::Point p = TransformPoint(static_cast<float>(x), static_cast<float>(y));
    canvas.LineTo(p.x, p.y);
}

void TWasserzeichen::DrawLine(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    MoveTo(canvas, x1, y1);
    LineTo(canvas, x2, y2);
}

void TWasserzeichen::DrawRect(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const gdi::Point a = TransformPoint(static_cast<float>(x1), static_cast<float>(y1));
    const gdi::Point b = TransformPoint(static_cast<float>(x2), static_cast<float>(y2));
    canvas.Rectangle(std::min(a.x, b.x), std::min(a.y, b.y), gdi::Saturated(int64_t{std::max(a.x, b.x)} + 1),
                     gdi::Saturated(int64_t{std::max(a.y, b.y)} + 1));
}

void TWasserzeichen::BezierTo(gdi::Canvas& canvas, std::span<const gdi::Point> points) {
    std::vector<gdi::Point> device;
    device.reserve(points.size());
    for (const gdi::Point& p : points)
        device.push_back(TransformPoint(static_cast<float>(p.x), static_cast<float>(p.y)));
    canvas.PolyBezierTo(device);
}

void TWasserzeichen::DrawCircle(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t diameter) {
    const int32_t r = diameter / 2;
    const gdi::Point a = TransformPoint(static_cast<float>(cx - r), static_cast<float>(cy - r));
    const gdi::Point b = TransformPoint(static_cast<float>(cx + r), static_cast<float>(cy + r));
    const int32_t size = std::min(std::abs(b.x - a.x), std::abs(b.y - a.y));
    DrawBezierEllipse(canvas, Mid(a.x, b.x), Mid(a.y, b.y), size, size);
}

void TWasserzeichen::DrawRing(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t outerDiameter,
                              int32_t innerDiameter) {
    DrawCircle(canvas, cx, cy, outerDiameter);
    DrawCircle(canvas, cx, cy, innerDiameter);
}

void TWasserzeichen::DrawEllipse(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t width, int32_t height) {
    const int32_t hw = width / 2, hh = height / 2;
    const gdi::Point a = TransformPoint(static_cast<float>(cx - hw), static_cast<float>(cy - hh));
    const gdi::Point b = TransformPoint(static_cast<float>(cx + hw), static_cast<float>(cy + hh));
    DrawBezierEllipse(canvas, Mid(a.x, b.x), Mid(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y));
}

void TWasserzeichen::RoundRectPath(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                   int32_t radius) {
    const gdi::Point a = TransformPoint(static_cast<float>(x1), static_cast<float>(y1));
    const gdi::Point b = TransformPoint(static_cast<float>(x2), static_cast<float>(y2));
    const int32_t l = std::min(a.x, b.x), t = std::min(a.y, b.y), r = std::max(a.x, b.x), btm = std::max(a.y, b.y);
    const int32_t p = DeviceLength(static_cast<float>(radius));
    const int32_t k = Round(p * 0.5522847498308L);
    const auto bezier = [&canvas](gdi::Point c1, gdi::Point c2, gdi::Point end) {
        const gdi::Point piece[] = {c1, c2, end};
        canvas.PolyBezierTo(piece);
    };
    canvas.MoveTo(l + p, t);
    canvas.LineTo(r - p, t);
    bezier({r - p + k, t}, {r, t + p - k}, {r, t + p});
    canvas.LineTo(r, btm - p);
    bezier({r, btm - p + k}, {r - p + k, btm}, {r - p, btm});
    canvas.LineTo(l + p, btm);
    bezier({l + p - k, btm}, {l, btm - p + k}, {l, btm - p});
    canvas.LineTo(l, t + p);
    bezier({l, t + p - k}, {l + p - k, t}, {l + p, t});
}

void TWasserzeichen::FillRoundRect(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                   int32_t radius) {
    canvas.BeginPath();
    RoundRectPath(canvas, x1, y1, x2, y2, radius);
    canvas.EndPath();
    canvas.StrokeAndFillPath();
}

void TWasserzeichen::RoundedCorner(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
                                   int32_t y3, int32_t radius) {
    DrawRoundedCorner(canvas, TransformPoint(static_cast<float>(x1), static_cast<float>(y1)),
                      TransformPoint(static_cast<float>(x2), static_cast<float>(y2)),
                      TransformPoint(static_cast<float>(x3), static_cast<float>(y3)),
                      DeviceLength(static_cast<float>(radius)));
}

void TWasserzeichen::DrawStar(gdi::Canvas& canvas, int32_t pointCount, int32_t outerRadius, int32_t innerRadius,
                              int32_t rounding) {
    DrawStarAt(canvas, FrameWidth / 2, FrameHeight / 2, pointCount, outerRadius, innerRadius, rounding);
}

void TWasserzeichen::DrawStarAt(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t pointCount,
                                int32_t outerRadius, int32_t innerRadius, int32_t rounding) {
    const gdi::Point c = TransformPoint(static_cast<float>(cx), static_cast<float>(cy));
    DrawRoundedStar(canvas, pointCount, c.x, c.y, DeviceLength(static_cast<float>(outerRadius)),
                    DeviceLength(static_cast<float>(innerRadius)), DeviceLength(static_cast<float>(rounding)));
}

void TWasserzeichen::DrawText(gdi::Canvas& canvas, int32_t x, int32_t y, std::u16string_view text, float angle) {
    const gdi::Point anchor = TransformPoint(static_cast<float>(x), static_cast<float>(y));
    gdi::LogFont& font = canvas.font();
    const int32_t heightBefore = font.height;
    const gdi::Point origin = TransformPoint(0, 0);
    const gdi::Point up = TransformPoint(0, static_cast<float>(heightBefore) * 10);
    font.height = std::abs(Round(std::hypot(static_cast<long double>(up.x) - origin.x,
                                            static_cast<long double>(up.y) - origin.y)));
    const int32_t escapement = Round(static_cast<long double>(angle) * 10) - (Orientation == 1 ? 900 : 0);
    if (escapement != 0) font.escapement = font.orientation = escapement;
    canvas.TextOut(anchor.x, anchor.y, text);
    font.escapement = font.orientation = 0;
    font.height = heightBefore;
}

// ---- passes

std::vector<gdi::Point> TWasserzeichen::TransformedOutline() const {
    std::vector<gdi::Point> device;
    const int32_t count = std::clamp(PointCount, 0, kMaxPoints);
    device.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i)
        device.push_back(TransformPoint(static_cast<float>(Points[i].x), static_cast<float>(Points[i].y)));
    return device;
}

void TWasserzeichen::DrawOutlinePolygons(gdi::Canvas& canvas) {
    const std::vector<gdi::Point> device = TransformedOutline();
    if (PolygonCount == 1) {
        canvas.Polygon(std::span(device).first(std::min<size_t>(device.size(), PolygonCounts[0])));
    } else if (PolygonCount > 1) {
        canvas.PolyPolygon(device, std::span(PolygonCounts).first(std::min(PolygonCount, kMaxPolygons)));
    }
}

void TWasserzeichen::DrawOutlinePolylines(gdi::Canvas& canvas) {
    const std::vector<gdi::Point> device = TransformedOutline();
    size_t start = 0;
    for (int32_t i = 0; i < std::min(PolygonCount, kMaxPolygons); ++i) {
        const size_t count = std::min<size_t>(std::max(PolygonCounts[i], 0), device.size() - start);
        canvas.Polyline(std::span(device).subspan(start, count));
        start += count;
    }
}

void TWasserzeichen::DrawInstructionOutline(gdi::Canvas& canvas, bool face) {
    const int32_t w = FrameWidth, h = FrameHeight;
    switch (Drawing) {
    case Instructions::Circle:
    case Instructions::LabelRing: {
        const gdi::PolyFillMode previous = canvas.SetPolyFillMode(gdi::PolyFillMode::Alternate);
        canvas.BeginPath();
        if (Drawing == Instructions::Circle)
            DrawEllipse(canvas, w / 2, h / 2, w, h);
        else
            DrawRing(canvas, w / 2, h / 2, w, ringHole_);
        canvas.EndPath();
        face ? canvas.StrokeAndFillPath() : canvas.FillPath();
        canvas.SetPolyFillMode(previous);
        break;
    }
    case Instructions::RoundedBox:
        FillRoundRect(canvas, 0, 0, w, h, FrameRadius);
        break;
    case Instructions::Boxes2050:
        for (const auto& b : kBoxes2050) FillRoundRect(canvas, b[0], b[1], b[2], b[3], FrameRadius);
        break;
    default:
        DrawOutlinePolygons(canvas);
        break;
    }
}

void TWasserzeichen::DrawLabelShape(gdi::Canvas& canvas, bool face) {
    if (RoundedFrame || Drawing == Instructions::StarSticker)
        FillRoundRect(canvas, 0, 0, FrameWidth, FrameHeight, FrameRadius);
    else
        DrawInstructionOutline(canvas, face);
}

void TWasserzeichen::DrawShadow(gdi::Canvas& canvas, const gdi::Rect& rect) {
    if (!HasFrame()) return;
    BuildMatrix(rect);
    DrawLabelShape(canvas, false);
}

void TWasserzeichen::DrawFace(gdi::Canvas& canvas, const gdi::Rect& rect) {
    if (!HasFrame()) return;
    BuildMatrix(rect);
    SetBrushColor(canvas, kWhite);
    canvas.pen().color = kBlack;
    DrawLabelShape(canvas, true);
    FillDiscSurfaces(canvas);
}

std::vector<TWasserzeichen::Disc> TWasserzeichen::Discs() const {
    std::vector<Disc> discs;
    switch (Drawing) {
    case Instructions::LabelRing:
        discs.push_back({FrameWidth / 2, FrameHeight / 2, FrameWidth, ringHole_});
        break;
    case Instructions::Rings2049:
        for (const gdi::Point c : kRings2049) discs.push_back({c.x, c.y, kRing2049Diameter, kRing2049Hole});
        break;
    case Instructions::Parts:
        if (!sheet_) break;
        for (const TSheetPart& part : sheet_->PartList())
            if (part.Kind == TSheetPartKind::Disc)
                discs.push_back({Tenths(part.Left + part.Width / 2), Tenths(part.Top + part.Height / 2),
                                 Tenths(part.Width), Tenths(part.Hole)});
        break;
    default:
        break;
    }
    return discs;
}

// Coloured discs: their printable rings in the stationery's colour.
void TWasserzeichen::FillDiscSurfaces(gdi::Canvas& canvas) {
    if (SurfaceColor == kWhite) return;
    const std::vector<Disc> discs = Discs();
    if (discs.empty()) return;
    const gdi::PenStyle pen = canvas.pen().style;
    canvas.pen().style = gdi::PenStyle::Null;
    SetBrushColor(canvas, SurfaceColor);
    const gdi::PolyFillMode previous = canvas.SetPolyFillMode(gdi::PolyFillMode::Alternate);
    canvas.BeginPath();
    for (const Disc& d : discs) DrawRing(canvas, d.cx, d.cy, d.outer, d.hole);
    canvas.EndPath();
    canvas.FillPath();
    canvas.SetPolyFillMode(previous);
    canvas.pen().style = pen;
}

void TWasserzeichen::DrawGuides(gdi::Canvas& canvas, const gdi::Rect& rect) {
    if (!HasFrame()) return;
    canvas.brush().style = gdi::BrushStyle::Null;
    canvas.pen().color = kBlack;
    canvas.pen().style = gdi::PenStyle::Solid;
    BuildMatrix(rect);
    if (RoundedFrame) {
        FillRoundRect(canvas, 0, 0, FrameWidth, FrameHeight, FrameRadius);
        return;
    }
    DrawOutlinePolylines(canvas);
    if (Drawing == Instructions::None) return;
    DrawGuideInstructions(canvas);
    SetPen(canvas, kBlack, gdi::PenStyle::Solid, 1);
    SetBrushColor(canvas, kWhite);
}

gdi::Color TWasserzeichen::GuideColor(const gdi::Canvas& canvas) const {
    return canvas.IsPrinter() ? kBlack : kGuideGrey;
}

void TWasserzeichen::DrawFoldBands(gdi::Canvas& canvas, std::span<const std::array<int32_t, 4>> bands) {
    SetPen(canvas, kFoldGrey, gdi::PenStyle::Solid, canvas.pen().width);
    SetBrushColor(canvas, kFoldGrey);
    for (const auto& b : bands) DrawRect(canvas, b[0], b[1], b[2], b[3]);
}

void TWasserzeichen::DrawLabelRing(gdi::Canvas& canvas) {
    canvas.pen().color = GuideColor(canvas);
    canvas.BeginPath();
    DrawRing(canvas, FrameWidth / 2, FrameHeight / 2, FrameWidth, ringHole_);
    canvas.EndPath();
    canvas.StrokePath();
}

void TWasserzeichen::DrawSheetParts(gdi::Canvas& canvas) {
    if (!sheet_) return;
    const gdi::Color grey = GuideColor(canvas);
    canvas.pen().color = grey;
    for (const Disc& d : Discs()) {
        if (d.hole > 0)
            DrawRing(canvas, d.cx, d.cy, d.outer, d.hole);
        else
            DrawCircle(canvas, d.cx, d.cy, d.outer);
    }
    for (const TSheetPart& part : sheet_->PartList()) {
        if (part.Kind == TSheetPartKind::Disc) continue;
        const int32_t x1 = Tenths(part.Left), y1 = Tenths(part.Top);
        const int32_t x2 = Tenths(part.Left + part.Width), y2 = Tenths(part.Top + part.Height);
        DrawRect(canvas, x1, y1, x2, y2);
        if (part.Kind == TSheetPartKind::Inlay) {
            const int32_t spine = Tenths(part.Spine);
            canvas.pen().style = gdi::PenStyle::Dot;
            DrawLine(canvas, x1 + spine, y1, x1 + spine, y2);
            DrawLine(canvas, x2 - spine, y1, x2 - spine, y2);
            canvas.pen().style = gdi::PenStyle::Solid;
        }
    }
}

void TWasserzeichen::DrawStickerStars(gdi::Canvas& canvas) {
    canvas.pen().color = GuideColor(canvas);
    DrawStarAt(canvas, 75, 115, 5, 70, 30, 6);
    DrawStarAt(canvas, FrameWidth - 75, FrameHeight - 115, 5, 70, 30, 6);
}

void TWasserzeichen::DrawGuideInstructions(gdi::Canvas& canvas) {
    const int32_t w = FrameWidth, h = FrameHeight;
    using Band = std::array<int32_t, 4>;
    switch (Drawing) {
    case Instructions::None:
        break;
    case Instructions::Circle:
        canvas.BeginPath();
        DrawEllipse(canvas, w / 2, h / 2, w, h);
        canvas.EndPath();
        canvas.StrokePath();
        break;
    case Instructions::LabelRing:
        DrawLabelRing(canvas);
        break;
    case Instructions::RoundedBox:
        RoundRectPath(canvas, 0, 0, w, h, FrameRadius);
        break;
    case Instructions::Boxes2050:
        for (const Band& b : kBoxes2050) RoundRectPath(canvas, b[0], b[1], b[2], b[3], FrameRadius);
        break;
    case Instructions::Rings2049:
        canvas.pen().color = GuideColor(canvas);
        for (const gdi::Point c : kRings2049) DrawRing(canvas, c.x, c.y, kRing2049Diameter, kRing2049Hole);
        DrawRect(canvas, 1325, 105, 2025, 625);
        DrawRect(canvas, 55, 1360, 755, 1610);
        DrawRect(canvas, 1325, 2345, 2025, 2865);
        break;
    case Instructions::FoldBand: {
        SetPen(canvas, kFoldGrey, gdi::PenStyle::Solid, canvas.pen().width);
        SetBrushColor(canvas, kFoldGrey);
        std::vector<gdi::Point> device = TransformedOutline();
        if (device.size() >= 10) {
            const std::span<const gdi::Point> band = std::span(device).subspan(5, 5);
            canvas.Polygon(band);
            canvas.Polyline(band);
        }
        canvas.pen().color = kBlack;
        DrawOutlinePolylines(canvas);
        break;
    }
    case Instructions::Fold1H:
        DrawFoldBands(canvas, std::array<Band, 1>{Band{0, h / 2 - 5, w, h / 2 + 5}});
        break;
    case Instructions::Fold1V:
        DrawFoldBands(canvas, std::array<Band, 1>{Band{w / 2 - 5, 0, w / 2 + 5, h}});
        break;
    case Instructions::Fold2H:
        DrawFoldBands(canvas, std::array{Band{0, h / 3 - 5, w, h / 3 + 5}, Band{0, 2 * h / 3 - 5, w, 2 * h / 3 + 5}});
        break;
    case Instructions::Fold2V:
        DrawFoldBands(canvas, std::array{Band{w / 3 - 1, 0, w / 3 + 1, h}, Band{2 * w / 3 - 1, 0, 2 * w / 3 + 1, h}});
        break;
    case Instructions::Fold3V:
        DrawFoldBands(canvas, std::array{Band{w / 4 - 1, 0, w / 4 + 1, h}, Band{2 * w / 4 - 1, 0, 2 * w / 4 + 1, h},
                                         Band{3 * w / 4 - 1, 0, 3 * w / 4 + 1, h}});
        break;
    case Instructions::EnvelopeA5:
        SetPen(canvas, kEnvelopeBlue, gdi::PenStyle::Dot, 0);
        DrawLine(canvas, 0, h / 2, w, h / 2);
        break;
    case Instructions::EnvelopeA6:
        SetPen(canvas, kEnvelopeBlue, gdi::PenStyle::Dot, 0);
        DrawLine(canvas, w / 2, 0, w / 2, h);
        DrawLine(canvas, 0, h / 2, w, h / 2);
        break;
    case Instructions::EnvelopeLong:
        SetPen(canvas, kLongEnvelopeBlue, gdi::PenStyle::Dot, 0);
        DrawLine(canvas, 0, 435, 2100, 435);
        DrawLine(canvas, 0, 2535, 2100, 2535);
        DrawLine(canvas, 1050, 435, 1050, 2535);
        break;
    case Instructions::WindowEnvelope:
        SetPen(canvas, kGuideGrey, gdi::PenStyle::Solid, 1);
        RoundRectPath(canvas, 490, 1100, 940, 2000, 30);
        break;
    case Instructions::Transfer2:
        SetPen(canvas, kTransferGreen, gdi::PenStyle::Dot, canvas.pen().width);
        DrawRect(canvas, 50, 50, 2050, 2250);
        DrawLine(canvas, 1050, 50, 1050, 2250);
        DrawLine(canvas, 50, 1150, 2050, 1150);
        break;
    case Instructions::Transfer3:
        SetPen(canvas, kTransferGreen, gdi::PenStyle::Dot, canvas.pen().width);
        DrawRect(canvas, 300, 300, 1800, 2670);
        break;
    case Instructions::Transfer5:
        SetPen(canvas, kTransferGreen, gdi::PenStyle::Dot, canvas.pen().width);
        DrawRect(canvas, 50, 50, 2050, 2450);
        for (const int32_t x : {550, 1050, 1550}) DrawLine(canvas, x, 50, x, 2450);
        for (const int32_t y : {650, 1250, 1850}) DrawLine(canvas, 50, y, 2050, y);
        break;
    case Instructions::Transfer12:
        SetPen(canvas, kTransferGreen, gdi::PenStyle::Dot, canvas.pen().width);
        DrawRect(canvas, 193, 50, 1293, 2050);
        DrawLine(canvas, 193, 1050, 1293, 1050);
        break;
    case Instructions::Transfer15:
        SetPen(canvas, kTransferGreen, gdi::PenStyle::Dot, canvas.pen().width);
        DrawRect(canvas, 143, 50, 1343, 2050);
        for (const int32_t y : {550, 1050, 1550}) DrawLine(canvas, 143, y, 1343, y);
        DrawLine(canvas, 743, 50, 743, 2050);
        break;
    case Instructions::Parts:
        DrawSheetParts(canvas);
        break;
    case Instructions::StarSticker:
        DrawStickerStars(canvas);
        break;
    }
}

// ---- region

float TWasserzeichen::RingHoleDiameter(float width, float height) const {
    if (Drawing != Instructions::LabelRing || ringHole_ <= 0 || !HasFrame()) return 0;
    const float stretch = std::min(width * 10 / FrameWidth, height * 10 / FrameHeight);
    return stretch > 0 ? ringHole_ / 10.0f * stretch : 0;
}

std::optional<gdi::Region> TWasserzeichen::CreateRegion(const gdi::Rect& rect) {
    if (!HasFrame() || PolygonCount <= 0) return std::nullopt;
    BuildMatrix(rect);
    const std::vector<gdi::Point> device = TransformedOutline();
    if (PolygonCount == 1) return gdi::Region::FromPolygon(device, gdi::PolyFillMode::Alternate);
    const std::span<const int32_t> counts = std::span(PolygonCounts).first(std::min(PolygonCount, kMaxPolygons));
    if (std::accumulate(counts.begin(), counts.end(), int64_t{0}) > static_cast<int64_t>(device.size()))
        return std::nullopt;
    return gdi::Region::FromPolyPolygon(device, counts, gdi::PolyFillMode::Alternate);
}
