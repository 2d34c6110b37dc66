#include "richtext/layout/Caret.h"

#include "richtext/layout/RtRTFTextIo.h"

#include <algorithm>

void TCaret::SetEnabled(bool on) { enabled_ = on; }

void TCaret::SetSuspended(bool on) {
    suspended_ = on;
    if (!on) return;
    if (created_) window_.DestroyCaret();
    created_ = shown_ = false;
}

void TCaret::CreateCaret() {
    if (!enabled_ || suspended_ || !window_.WindowExists()) return;
    if (window_.HasFocus()) window_.CreateCaret(Width, Height);
    created_ = true;
}

void TCaret::ApplyPosition() {
    if (created_ && enabled_ && window_.HasFocus()) window_.MoveCaret(X, Y);
}

void TCaret::SetShown(bool on) {
    if (!enabled_ || !window_.WindowExists()) return;
    if (on) {
        CreateCaret();
        ApplyPosition();
        if (window_.HasFocus()) {
            window_.ShowCaret();
            shown_ = true;
        }
    } else {
        created_ = false;
        window_.DestroyCaret();
        shown_ = false;
    }
}

void TCaret::UpdatePosition() {
    const TRtRTFTextIo& t = text_;
    X = t.ScaleByZoom(t.CursorX + t.HorzScroll) + t.WindowLeft;
    Y = t.ScaleByZoom(t.CursorY - t.VertScroll) + t.WindowTop;
    int32_t height = t.ScaleByZoom(t.CursorHeight);
    const int32_t width = std::max(1, t.ScaleByZoom(t.CursorWidth));
    const bool changed = height != Height || width != Width;
    if (changed) height = std::max(4, height);
    if (shown_ && changed) {
        SetShown(false);
        Width = width;
        Height = height;
        SetShown(true);
    } else {
        Width = width;
        Height = height;
    }
    ApplyPosition();
}
