#include "shapes/KonturList.h"

#include "shapes/FloatTypes.h"

#include <algorithm>

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

TFloatRect TKontur::GetBounds() const {
    if (strokes_.empty()) return {};
    const TFloatPoint first = strokes_.front().Points[0];
    TFloatRect r{first.X, first.Y, first.X, first.Y};
    for (const TStroke& s : strokes_) {
        const int used = s.Kind <= kStrokeLine ? 1 : s.Kind == kStrokeQuad ? 2 : s.Kind == kStrokeCubic ? 3 : 0;
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
