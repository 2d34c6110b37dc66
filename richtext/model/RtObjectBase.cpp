#include "richtext/model/RtObjectBase.h"

#include "richtext/model/RtRTFText.h"

TRtObjectBase::~TRtObjectBase() {
    if (slot_ && *slot_ == this) *slot_ = nullptr;
}

void TRtObjectBase::Changed() {
    if (text_) text_->InvalidateObject(reference_);
}

void TRtObjectBase::Select(bool flag) {
    if (text_) text_->SelectObject(reference_, flag);
}

void TRtObjectBase::Repaint() {
    if (text_) text_->InvalidateObject(reference_);
}

int32_t TRtObjectBase::UpdateScreenRect() { return text_ ? text_->UpdateObjectPosition(this) : 0; }

int32_t TRtObjectBase::UpdatePaintRect() {
    if (PaintSuppressed || !text_) return 0;
    return text_->PaintObject(this);
}
