#include "figures/FigureRecords.h"

#include "document/EtikettFiler.h"
#include "foundation/FillData.h"
#include "foundation/Localizer.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

constexpr int32_t kCurrentRechteckMarker = -100;

}  // namespace

void RaiseRecordError(const TEtikettFiler& filer) {
    throw EFilerReadError(LocalizedFormat("IDS_CANNOTREADFILE", {filer.SourceName()}));
}

double ReadFiniteDouble(TEtikettFiler& filer) {
    const double v = filer.ReadTaggedDouble();
    if (!std::isfinite(v)) RaiseRecordError(filer);
    return v;
}

void WriteFiniteDouble(TEtikettFiler& filer, double v) {
    if (std::isnan(v)) v = 0;
    filer.WriteTaggedDouble(std::clamp(v, -DBL_MAX, DBL_MAX));
}

// ---- base

void TBaseRecord::SetValues(const std::array<double, 7>& v) {
    CenterX = v[0];
    CenterY = v[1];
    Width = v[2];
    Height = v[3];
    Reserved1 = v[4];
    Reserved2 = v[5];
    Angle = v[6];
}

void TBaseRecord::Read(TEtikettFiler& filer) {
    std::array<double, 7> values;
    for (double& v : values) v = ReadFiniteDouble(filer);
    SetValues(values);
}

void TBaseRecord::Write(TEtikettFiler& filer) const {
    for (const double v : Values()) WriteFiniteDouble(filer, v);
}

// ---- line

void TLinieRecord::Read(TEtikettFiler& filer) {
    MainDiagonal = filer.ReadTaggedBoolean();
    PenWidth = ReadFiniteDouble(filer);
    PenStyle = filer.ReadTaggedInteger();
    PenColor = filer.ReadTaggedLongint();
}

void TLinieRecord::Write(TEtikettFiler& filer) const {
    filer.WriteTaggedBoolean(MainDiagonal);
    WriteFiniteDouble(filer, PenWidth);
    filer.WriteTaggedInteger(PenStyle);
    filer.WriteTaggedLongint(PenColor);
}

// ---- rectangle

bool ReadRechteckRecord(TEtikettFiler& filer, TFillData& fill, TInnerMargins& margins) {
    const int32_t marker = filer.ReadTaggedLongint();
    if (marker != kCurrentRechteckMarker) {
        fill.SetKind(fkColor);
        fill.SetColor(static_cast<gdi::Color>(marker));
        if ((filer.ReadTaggedInteger() & 0xFF) == kClearBrush) fill.SetKind(fkNone);
        return false;
    }
    try {
        fill.LoadFromStream(*filer.Stream);
    } catch (const EReadError&) {
        RaiseRecordError(filer);
    }
    TInnerMargins read;
    for (double* m : {&read.Left, &read.Top, &read.Right, &read.Bottom}) *m = ReadFiniteDouble(filer);
    margins = read;
    return true;
}

void WriteRechteckRecord(TEtikettFiler& filer, const TFillData& fill, const TInnerMargins& margins) {
    filer.WriteTaggedLongint(kCurrentRechteckMarker);
    fill.SaveToStream(*filer.Stream);
    for (const double m : {margins.Left, margins.Top, margins.Right, margins.Bottom}) WriteFiniteDouble(filer, m);
}

// ---- group

void TGroupRecordHead::Read(TEtikettFiler& filer) {
    FreeRotation = filer.ReadTaggedBoolean();
    Reserved = filer.ReadTaggedBoolean();
    Count = filer.ReadTaggedInteger();
    if (Count > filer.Stream->Remaining()) RaiseRecordError(filer);
}

void TGroupRecordHead::Write(TEtikettFiler& filer) const {
    filer.WriteTaggedBoolean(FreeRotation);
    filer.WriteTaggedBoolean(Reserved);
    filer.WriteTaggedInteger(Count);
}

// ---- font

void TFontRecord::Read(TEtikettFiler& filer) {
    Name = filer.ReadTaggedString();
    Size = filer.ReadTaggedInteger();
    Color = filer.ReadTaggedLongint();
    Style = 0;
    for (const TFontStyles bit : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
        if (filer.ReadTaggedBoolean()) Style |= bit;
}

void TFontRecord::Write(TEtikettFiler& filer) const {
    filer.WriteTaggedString(Name);
    filer.WriteTaggedInteger(Size);
    filer.WriteTaggedLongint(Color);
    for (const TFontStyles bit : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
        filer.WriteTaggedBoolean((Style & bit) != 0);
}

void TFontRecord::ApplyTo(TFont& font) const {
    font.SetName(Name);
    font.SetSize(Size);
    font.SetColor(static_cast<gdi::Color>(Color));
    font.SetStyle(Style);
}
