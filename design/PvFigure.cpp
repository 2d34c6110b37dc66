#include "design/PvFigure.h"

#include "design/PvBarcode.h"
#include "design/PvBild.h"
#include "design/PvDirOutline.h"
#include "design/PvFigureGroup.h"
#include "design/PvRTFText.h"
#include "design/PvShape.h"
#include "design/PvTabelle.h"
#include "design/PvText.h"
#include "figures/Figure.h"
#include "figures/FigureKinds.h"
#include "figures/Linie.h"
#include "foundation/ScaleCanvas.h"

#include <cmath>
#include <numbers>
#include <vector>

// ---- base

void TpvFigure::Read(TEtikettFiler& filer, int depth) {
    Base.Read(filer);
}

gdi::Point TpvFigure::DeviceCenter(const TCustomScaler& scaler) const {
    return {DevX(scaler, Base.CenterX), DevY(scaler, Base.CenterY)};
}

std::array<gdi::Point, 5> TpvFigure::TurnedBox(const TCustomScaler& scaler) const {
    const TFloatPoint c{SingleOf(Base.CenterX), SingleOf(Base.CenterY)};
    const float l = SingleOf(Base.CenterX - Base.Width / 2), r = SingleOf(Base.CenterX + Base.Width / 2);
    const float t = SingleOf(Base.CenterY - Base.Height / 2), b = SingleOf(Base.CenterY + Base.Height / 2);
    const TFloatPoint corners[4] = {{l, t}, {r, t}, {r, b}, {l, b}};
    std::array<gdi::Point, 5> points;
    for (size_t i = 0; i < 4; ++i) {
        const TFloatPoint p = RotateFloatPointAbout(corners[i], c, Base.Angle);
        points[i] = {scaler.MMToPixelX(p.X), scaler.MMToPixelY(p.Y)};
    }
    points[4] = points[0];
    return points;
}

gdi::Rect TpvFigure::DeviceBox(const TCustomScaler& scaler) const {
    return {DevX(scaler, Base.CenterX - Base.Width / 2), DevY(scaler, Base.CenterY - Base.Height / 2),
            DevX(scaler, Base.CenterX + Base.Width / 2), DevY(scaler, Base.CenterY + Base.Height / 2)};
}

// ---- line

void TpvLinie::Read(TEtikettFiler& filer, int depth) {
    TpvFigure::Read(filer, depth);
    Line.Read(filer);
}

void TpvLinie::ApplyPen(TScaleCanvas& canvas) const {
    canvas.SetPenWidthMM(SingleOf(Line.PenWidth));
    canvas.Pen().style = PenStyleOf(static_cast<uint8_t>(Line.PenStyle));
    canvas.Pen().color = static_cast<gdi::Color>(Line.PenColor);
}

void TpvLinie::Draw(TScaleCanvas& canvas) {
    const gdi::Rect box = DeviceBox(canvas);
    ApplyPen(canvas);
    if (Line.MainDiagonal) {
        canvas.Canvas().MoveTo(box.left, box.top);
        canvas.Canvas().LineTo(box.right, box.bottom);
    } else {
        canvas.Canvas().MoveTo(box.left, box.bottom);
        canvas.Canvas().LineTo(box.right, box.top);
    }
    canvas.Pen().width = 1;
}

// ---- rectangle

void TpvRechteck::Read(TEtikettFiler& filer, int depth) {
    TpvLinie::Read(filer, depth);
    ReadRechteckRecord(filer, Fill, Margins);
}

void TpvRechteck::FillAndOutline(TScaleCanvas& canvas, std::span<const gdi::Point> outline) {
    Fill.FillPolygon(canvas.Canvas(), outline.first(outline.size() - 1));
    ApplyPen(canvas);
    canvas.Canvas().Polyline(outline);
    canvas.Pen().width = 1;
}

void TpvRechteck::FillTurnedBox(TScaleCanvas& canvas) {
    if (!HasArea()) return;
    const std::array<gdi::Point, 5> box = TurnedBox(canvas);
    Fill.FillPolygon(canvas.Canvas(), std::span<const gdi::Point>(box).first(4));
}

void TpvRechteck::Draw(TScaleCanvas& canvas) {
    if (!HasArea()) return;
    const std::array<gdi::Point, 5> box = TurnedBox(canvas);
    FillAndOutline(canvas, box);
}

// ---- ellipse

void TpvEllipse::Draw(TScaleCanvas& canvas) {
    if (!HasArea()) return;
    constexpr int kSteps = 72;
    const TFloatPoint c{SingleOf(Base.CenterX), SingleOf(Base.CenterY)};
    std::vector<gdi::Point> points;
    points.reserve(kSteps + 1);
    for (int i = 0; i <= kSteps; ++i) {
        const double t = i * 5 * std::numbers::pi / 180;
        const TFloatPoint p{SingleOf(Base.CenterX + std::cos(t) * Base.Width / 2),
                            SingleOf(Base.CenterY + std::sin(t) * Base.Height / 2)};
        const TFloatPoint turned = RotateFloatPointAbout(p, c, Base.Angle);
        points.push_back({canvas.MMToPixelX(turned.X), canvas.MMToPixelY(turned.Y)});
    }
    FillAndOutline(canvas, points);
}

// ---- the figure of an element code

std::unique_ptr<TpvFigure> PreviewFigureForCode(uint8_t code) {
    switch (code) {
    case ecLinie: return std::make_unique<TpvLinie>();
    case ecRechteck: return std::make_unique<TpvRechteck>();
    case ecEllipse: return std::make_unique<TpvEllipse>();
    case ecText: return std::make_unique<TpvText>();
    case ecBild: return std::make_unique<TpvBild>();
    case ecFigureGroup: return std::make_unique<TpvFigureGroup>();
    case ecRotateText: return std::make_unique<TpvRotateText>();
    case ecDirOutline: return std::make_unique<TpvDirOutline>();
    case ecFieldText: return std::make_unique<TpvFieldText>();
    case ecRTFText: return std::make_unique<TpvRTFText>();
    case ecRotateRTFText: return std::make_unique<TpvRotateRTFText>();
    case ecBild32: return std::make_unique<TpvBild32>();
    case ecAutoForm: return std::make_unique<TpvAutoForm>();
    case ecWordart: return std::make_unique<TpvWordart>();
    case ecBarcode: return std::make_unique<TpvBarcode>();
    case ecDirOutline2: return std::make_unique<TpvDirOutline2>();
    case ecCharSymbol: return std::make_unique<TpvCharSymbol>();
    case ecTracktabelle: return std::make_unique<TpvTrackTabelle>();
    case ecRTFTabelle: return std::make_unique<TpvRTFTabelle>();
    case ecZaehlerfeld: return std::make_unique<TpvZaehlerfeld>();
    default: return nullptr;
    }
}
