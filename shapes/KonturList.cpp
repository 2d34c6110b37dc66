#include "shapes/KonturList.h"

#include "foundation/Exceptions.h"
#include "foundation/Stream.h"
#include "foundation/StreamHelp.h"
#include "shapes/FloatTypes.h"

#include <algorithm>
#include <cmath>

TFloatPoint TStroke::End() const {
    switch (Kind) {
    case kStrokeQuad: return Points[1];
    case kStrokeCubic: return Points[2];
    default: return Points[0];
    }
}

void TKontur::MoveTo(float x, float y) {
    TStroke& s = strokes_.emplace_back();
    s.Kind = kStrokeMove;
    s.Points[0] = {x, y};
}

void TKontur::LineTo(float x, float y) {
    TStroke& s = strokes_.emplace_back();
    s.Kind = kStrokeLine;
    s.Points[0] = {x, y};
}

void TKontur::QuadTo(float cx, float cy, float x, float y) {
    TStroke& s = strokes_.emplace_back();
    s.Kind = kStrokeQuad;
    s.Points[0] = {cx, cy};
    s.Points[1] = {x, y};
}

void TKontur::CubicTo(float c1x, float c1y, float c2x, float c2y, float x, float y) {
    TStroke& s = strokes_.emplace_back();
    s.Kind = kStrokeCubic;
    s.Points[0] = {c1x, c1y};
    s.Points[1] = {c2x, c2y};
    s.Points[2] = {x, y};
}

namespace {

int UsedPointsOf(const TStroke& s) {
    switch (s.Kind) {
    case kStrokeMove:
    case kStrokeLine: return 1;
    case kStrokeQuad: return 2;
    case kStrokeCubic: return 3;
    default: return 0;
    }
}

constexpr int64_t kStrokeStreamSize = 28;

}  // namespace

TFloatRect TKontur::GetBounds() const {
    if (strokes_.empty()) return {};
    const TFloatPoint first = strokes_.front().Points[0];
    TFloatRect r{first.X, first.Y, first.X, first.Y};
    for (const TStroke& s : strokes_) {
        const int used = UsedPointsOf(s);
        for (int i = 0; i < used; ++i) {
            r.Left = std::min(r.Left, s.Points[i].X);
            r.Top = std::min(r.Top, s.Points[i].Y);
            r.Right = std::max(r.Right, s.Points[i].X);
            r.Bottom = std::max(r.Bottom, s.Points[i].Y);
        }
    }
    return r;
}

TKontur& TKonturList::AddKontur() {
    return *konturs_.emplace_back(std::make_unique<TKontur>());
}

void TKonturList::Delete(int32_t index) {
    konturs_.erase(konturs_.begin() + index);
}

void TKonturList::DeleteLast() {
    if (!konturs_.empty()) konturs_.pop_back();
}

TFloatRect TKonturList::GetBounds() const {
    if (konturs_.empty()) return {};
    TFloatRect r = konturs_.front()->GetBounds();
    for (const auto& k : konturs_) UnionFloatRect(r, k->GetBounds(), r);
    return r;
}

void TKonturList::Normalize() {
    const TFloatRect r = GetBounds();
    float w = std::fabs(r.Right - r.Left), h = std::fabs(r.Bottom - r.Top);
    if (w == 0) w = 1;
    if (h == 0) h = 1;
    for (auto& k : konturs_)
        for (int32_t i = 0; i < k->Count(); ++i) {
            TStroke s = k->Strokes(i);
            for (int p = 0; p < UsedPointsOf(s); ++p)
                s.Points[p] = {(s.Points[p].X - r.Left) / w, (s.Points[p].Y - r.Top) / h};
            k->ReplaceStroke(i, s);
        }
}

void TKonturList::Assign(const TKonturList& source) {
    if (&source == this) return;
    Clear();
    for (const auto& k : source.konturs_) AddKontur().Assign(*k);
}

void TKonturList::SaveToStream(TStream& stream) const {
    StreamWriteInt(stream, Count());
    for (const auto& k : konturs_) {
        StreamWriteInt(stream, k->Count());
        for (int32_t i = 0; i < k->Count(); ++i) {
            const TStroke& s = k->Strokes(i);
            StreamWriteInt(stream, s.Kind);
            for (const TFloatPoint& p : s.Points) {
                StreamWriteSingle(stream, p.X);
                StreamWriteSingle(stream, p.Y);
            }
        }
    }
}

void TKonturList::LoadFromStream(TStream& stream) {
    Clear();
    try {
        const int32_t contours = StreamReadInt(stream);
        if (contours < 0 || contours > stream.Remaining() / 4) throw EReadError("Konturanzahl ungültig");
        for (int32_t c = 0; c < contours; ++c) {
            TKontur& k = AddKontur();
            const int32_t strokes = StreamReadInt(stream);
            if (strokes < 0 || strokes > stream.Remaining() / kStrokeStreamSize)
                throw EReadError("Linienanzahl ungültig");
            for (int32_t i = 0; i < strokes; ++i) {
                TStroke s;
                s.Kind = static_cast<uint8_t>(StreamReadInt(stream) & 0xFF);
                for (TFloatPoint& p : s.Points) {
                    p.X = StreamReadSingle(stream);
                    p.Y = StreamReadSingle(stream);
                }
                k.AddStroke(s);
            }
        }
    } catch (...) {
        Clear();
        throw;
    }
}
