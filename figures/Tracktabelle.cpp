#include "figures/Tracktabelle.h"

#include "cd/lookup/TrackTabelleData.h"
#include "document/EtikettFiler.h"
#include "figures/FigureDialogs.h"
#include "figures/FigureRecords.h"
#include "figures/FigureStream.h"
#include "foundation/FillData.h"
#include "foundation/ScaleCanvas.h"

#include <span>

namespace {

constexpr gdi::Color kScreenFrameColor = 0xC0C0C0;

TFontRecord FontRecordOf(const TFont& font) {
    TFontRecord r;
    r.Name = font.Name();
    r.Size = font.Size();
    r.Color = static_cast<int32_t>(font.Color());
    r.Style = font.Style();
    return r;
}

}  // namespace

TTracktabelle::TTracktabelle(TChildBase* owner) : TRechteck(owner), TrackData(std::make_unique<TZRTrackTabelleData>()) {
    Kind = TFigureKind::Tracktabelle;
    Font.SetName("Arial");
    Font.SetSize(10);
    Font.SetColor(0);
}

TTracktabelle::~TTracktabelle() = default;

// ---- drawing

void TTracktabelle::DrawOn(TScaleCanvas& canvas) {
    ApplyPen(canvas);
    canvas.AssignFont(Font);
    std::array<TPoint, 5> points;
    TRect bounds;
    GetCornerPoints(canvas, points, bounds);
    Fill->FillPolygon(canvas.Canvas(), std::span<const TPoint>(points).first(4));
    TrackData->DrawTable(canvas, SingleOf(CenterX), SingleOf(CenterY), SingleOf(Width), SingleOf(Height), SingleOf(Angle));
    ResetPenWidth(canvas);
}

void TTracktabelle::Paint() {
    TScaleCanvas& canvas = WindowCanvas();
    std::array<TPoint, 5> points;
    TRect bounds;
    GetCornerPoints(canvas, points, bounds);
    if (!Meets(bounds, OwnerUpdateRect())) return;
    SelectClipRing();
    DrawOn(canvas);
    if (Fill->Kind() != fkNone || PenStyle != kPenClear) return;
    gdi::Pen& pen = canvas.Pen();
    pen.style = gdi::PenStyle::Dot;
    pen.color = kScreenFrameColor;
    pen.width = 1;
    canvas.Brush().style = gdi::BrushStyle::Null;
    canvas.Canvas().Polyline(points);
    pen.style = gdi::PenStyle::Solid;
}

void TTracktabelle::Invalidate() {
    TScaleCanvas& canvas = WindowCanvas();
    const int32_t pen = gdi::Saturated(2 * int64_t{PenPixels(canvas)} + 2);
    canvas.AssignFont(Font);
    const int32_t text = canvas.MMToPixel(canvas.TextHeightMM("\xDCy"));
    InvalidateDeviceRect(GetPixelExtent().Inflated(pen, pen).Inflated(text, text));
}

bool TTracktabelle::HitTest(TPoint p) { return HitTestBox(p, true); }

// ---- fonts

bool TTracktabelle::FontChanged() {
    UpdateTransform();
    Invalidate();
    return true;
}

bool TTracktabelle::SetFontName(const std::string& name) {
    Font.SetName(name);
    return FontChanged();
}

bool TTracktabelle::SetFontSize(int32_t points) {
    Font.SetSize(points);
    return FontChanged();
}

bool TTracktabelle::SetFontStyle(TFontStyles style, int32_t /*part*/) {
    Font.SetStyle(style);
    return FontChanged();
}

bool TTracktabelle::SetFontColor(gdi::Color color) {
    if (color != kNoColorAlt) Font.SetColor(color);
    return FontChanged();
}

bool TTracktabelle::GetFont(TFont& font) const {
    font.Assign(Font);
    return true;
}

// ---- the dialog

bool TTracktabelle::EditTracks() {
    TZRTrackTabelleData edited;
    edited.CopyFrom(*TrackData);
    if (!RunTrackTableDialog(edited)) return false;
    TrackData->CopyFrom(edited);
    Invalidate();
    return true;
}

// ---- records, snapshots, copies

void TTracktabelle::WriteData(TEtikettFiler& filer) {
    TRechteck::WriteData(filer);
    FontRecordOf(Font).Write(filer);
    TrackData->SaveToStream(*filer.Stream);
}

void TTracktabelle::ReadData(TEtikettFiler& filer) {
    TRechteck::ReadData(filer);
    TFontRecord font;
    font.Read(filer);
    font.ApplyTo(Font);
    // A damaged track table refuses the record as any other damaged field does.
    try {
        TrackData->LoadFromStream(*filer.Stream);
    } catch (const EReadError&) {
        RaiseRecordError(filer);
    }
    UpdateTransform();
}

void TTracktabelle::SaveToStream(TStream& stream) const {
    TRechteck::SaveToStream(stream);
    WriteStreamString(stream, Font.Name());
    WriteStreamInt(stream, Font.Size());
    WriteStreamInt(stream, static_cast<int32_t>(Font.Color()));
    for (const TFontStyles bit : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
        WriteStreamByte(stream, (Font.Style() & bit) != 0 ? 1 : 0);
    TrackData->SaveToStream(stream);
}

void TTracktabelle::LoadFromStream(TStream& stream) {
    TRechteck::LoadFromStream(stream);
    Font.SetName(ReadStreamString(stream));
    Font.SetSize(ReadStreamInt(stream));
    Font.SetColor(static_cast<gdi::Color>(ReadStreamInt(stream)));
    TFontStyles style = 0;
    for (const TFontStyles bit : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
        if (ReadStreamByte(stream) != 0) style |= bit;
    Font.SetStyle(style);
    TrackData->LoadFromStream(stream);
    UpdateTransform();
}

void TTracktabelle::Assign(const TFigure& source) {
    const auto* table = dynamic_cast<const TTracktabelle*>(&source);
    if (!table) throw EInvalidCast("Invalid class typecast");
    TRechteck::Assign(source);
    Font.Assign(table->Font);
    TrackData->CopyFrom(*table->TrackData);
    UpdateTransform();
}

std::unique_ptr<TFigure> TTracktabelle::Clone() const {
    auto copy = std::make_unique<TTracktabelle>(Owner);
    copy->Assign(*this);
    return copy;
}
