#include "treectl/header/McScrollBarStyles.h"

#include "foundation/Exceptions.h"
#include "platform/system/SystemMetrics.h"

TMcScrollBarStyles::TMcScrollBarStyles(TCustomMcScrollBar* bar) : bar_(bar) {
    if (!bar_) throw Exception("No scrollbar specified when attempting to create TMcScrollBarStyles instance");
    SetUseSystemMetrics(true);
}

void TMcScrollBarStyles::Changed() {
    if (OnChange) OnChange(*this);
}

int32_t TMcScrollBarStyles::Width() const {
    return bar_->Kind() == TScrollBarKind::sbVertical ? bar_->width() : bar_->height();
}

void TMcScrollBarStyles::SetWidth(int32_t value) {
    const bool vertical = bar_->Kind() == TScrollBarKind::sbVertical;
    if (value == 0) value = sys::GetSystemMetrics(vertical ? sys::SM_CXVSCROLL : sys::SM_CYHSCROLL);
    if (vertical) bar_->resize(value, bar_->height());
    else bar_->resize(bar_->width(), value);
    Changed();
}

void TMcScrollBarStyles::SetUseSystemMetrics(bool value) {
    const bool changed = value != bar_->UseSystemMetrics();
    bar_->SetUseSystemMetrics(value);
    if (changed) Changed();
}

void TMcScrollBarStyles::Assign(const TMcScrollBarStyles& source) {
    if (&source == this) return;
    SetActiveFlat(source.ActiveFlat());
    SetBlendBackground(source.BlendBackground());
    SetColor(source.Color());
    SetFlat(source.Flat());
    SetMinThumbSize(source.MinThumbSize());
    SetOwnerDraw(source.OwnerDraw());
    SetSecondaryButtons(source.SecondaryButtons());
    SetSecondBtnKind(source.SecondBtnKind());
    SetShowTrackHint(source.ShowTrackHint());
    SetThumbMode(source.ThumbMode());
    SetThumbSize(source.ThumbSize());
}
