#include "richtext/model/CharacterAttr.h"

#include "platform/gdi/GdiTypes.h"

TCharacterAttr::TCharacterAttr(uint8_t kind) : kind_(kind) {}

void TCharacterAttr::Notify(bool relayout) {
    if (OnChange) OnChange(uint32_t(1) << kind_, relayout);
}

void TCharacterAttr::SetDoubleUnderline(bool v) {
    if (doubleUnderline_ == v) return;
    doubleUnderline_ = v;
    if (v) underline_ = tsTRUE;
    Notify(false);
}

void TCharacterAttr::SetUseUnderlineColor(bool v) {
    if (useUnderlineColor_ == v) return;
    useUnderlineColor_ = v;
    if (underline_ == tsTRUE) Notify(false);
}

void TCharacterAttr::SetUnderlineColor(uint32_t c) {
    if (underlineColor_ == c) return;
    underlineColor_ = c;
    useUnderlineColor_ = true;
    Notify(false);
}

void TCharacterAttr::SetTextColor(uint32_t c) {
    if (textColor_ == c) return;
    textColor_ = c;
    useTextColor_ = true;
    Notify(false);
}

void TCharacterAttr::SetBackgroundColor(uint32_t c) {
    if (backgroundColor_ == c) return;
    backgroundColor_ = c;
    useBackgroundColor_ = true;
    Notify(false);
}

void TCharacterAttr::SetHotUnderlineColor(uint32_t c) {
    hotUnderlineColor_ = c;
    useHotUnderlineColor_ = true;
    hotStyleIsActive_ = true;
}

void TCharacterAttr::SetHotBackgroundColor(uint32_t c) {
    hotBackgroundColor_ = c;
    useHotBackgroundColor_ = true;
    hotStyleIsActive_ = true;
}

void TCharacterAttr::SetHotTextColor(uint32_t c) {
    hotTextColor_ = c;
    useHotTextColor_ = true;
    hotStyleIsActive_ = true;
}

void TCharacterAttr::SetHotEffect(TRtTextEffect effect) {
    hotEffect_ = effect;
    if (effect == rteffPopup) hotEffectColor_ = gdi::SystemColor(gdi::COLOR_BTNFACE);
    if (effect == rteffOutline) hotEffectColor_ = 0x00FFFF;
    if (effect != rteffNone) hotStyleIsActive_ = true;
}

void TCharacterAttr::Assign(const TCharacterAttr& s) {
    bold_ = s.bold_;
    italic_ = s.italic_;
    underline_ = s.underline_;
    strikeOut_ = s.strikeOut_;
    superScript_ = s.superScript_;
    subScript_ = s.subScript_;
    hidden_ = s.hidden_;
    useUnderlineColor_ = s.useUnderlineColor_;
    useTextColor_ = s.useTextColor_;
    useBackgroundColor_ = s.useBackgroundColor_;
    underlineColor_ = s.underlineColor_;
    textColor_ = s.textColor_;
    backgroundColor_ = s.backgroundColor_;
    hotUnderlineColor_ = s.hotUnderlineColor_;
    useHotUnderlineColor_ = s.useHotUnderlineColor_;
    hotBackgroundColor_ = s.hotBackgroundColor_;
    useHotBackgroundColor_ = s.useHotBackgroundColor_;
    hotTextColor_ = s.hotTextColor_;
    useHotTextColor_ = s.useHotTextColor_;
    hotUnderline_ = s.hotUnderline_;
    hotStyleIsActive_ = s.hotStyleIsActive_;
    alsoUseForPrintout_ = s.alsoUseForPrintout_;
}
