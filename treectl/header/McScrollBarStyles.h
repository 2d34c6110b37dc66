#pragma once
// A scroll bar's style settings as one set, as the tree publishes them for
// each of its bars; every setting is the bar's own. Width is the bar's
// thickness (0 asks for the desktop's).

#include "treectl/header/McScrollBar.h"

#include <functional>

class TMcScrollBarStyles {
public:
    using NotifyEvent = std::function<void(TMcScrollBarStyles& sender)>;

    // Raises Exception "No scrollbar specified ..." without a bar.
    explicit TMcScrollBarStyles(TCustomMcScrollBar* bar);

    TCustomMcScrollBar& Bar() const { return *bar_; }
    NotifyEvent OnChange;

    // Copies ActiveFlat, BlendBackground, Color, Flat, MinThumbSize,
    // OwnerDraw, SecondaryButtons, SecondBtnKind, ShowTrackHint, ThumbMode
    // and ThumbSize.
    void Assign(const TMcScrollBarStyles& source);

    int32_t Width() const;
    void SetWidth(int32_t value);
    bool UseSystemMetrics() const { return bar_->UseSystemMetrics(); }
    void SetUseSystemMetrics(bool value);
    int32_t ButtonSize() const { return bar_->ButtonSize(); }
    void SetButtonSize(int32_t value) { bar_->SetButtonSize(value); }
    int32_t ThumbSize() const { return bar_->ThumbSize(); }
    void SetThumbSize(int32_t value) { bar_->SetThumbSize(value); }
    // Stored straight into the bar, without repainting.
    bool ShowTrackHint() const { return bar_->ShowTrackHint(); }
    void SetShowTrackHint(bool value) { bar_->SetShowTrackHint(value); }

    // The other settings, through the bar's own.
    bool ActiveFlat() const { return bar_->ActiveFlat(); }
    void SetActiveFlat(bool v) { bar_->SetActiveFlat(v); }
    bool BlendBackground() const { return bar_->BlendBackground(); }
    void SetBlendBackground(bool v) { bar_->SetBlendBackground(v); }
    gdi::Color Color() const { return bar_->Color(); }
    void SetColor(gdi::Color v) { bar_->SetColor(v); }
    bool Flat() const { return bar_->Flat(); }
    void SetFlat(bool v) { bar_->SetFlat(v); }
    int32_t MinThumbSize() const { return bar_->MinThumbSize(); }
    void SetMinThumbSize(int32_t v) { bar_->SetMinThumbSize(v); }
    bool NoDisableButtons() const { return bar_->NoDisableButtons(); }
    void SetNoDisableButtons(bool v) { bar_->SetNoDisableButtons(v); }
    bool NoSunkenThumb() const { return bar_->NoSunkenThumb(); }
    void SetNoSunkenThumb(bool v) { bar_->SetNoSunkenThumb(v); }
    bool OwnerDraw() const { return bar_->OwnerDraw(); }
    void SetOwnerDraw(bool v) { bar_->SetOwnerDraw(v); }
    bool SecondaryButtons() const { return bar_->SecondaryButtons(); }
    void SetSecondaryButtons(bool v) { bar_->SetSecondaryButtons(v); }
    TMcSecButtonsKind SecondBtnKind() const { return bar_->SecondBtnKind(); }
    void SetSecondBtnKind(TMcSecButtonsKind v) { bar_->SetSecondBtnKind(v); }
    bool ShowLeftArrows() const { return bar_->ShowLeftArrows(); }
    void SetShowLeftArrows(bool v) { bar_->SetShowLeftArrows(v); }
    bool ShowRightArrows() const { return bar_->ShowRightArrows(); }
    void SetShowRightArrows(bool v) { bar_->SetShowRightArrows(v); }
    TMcScrollThumbMode ThumbMode() const { return bar_->ThumbMode(); }
    void SetThumbMode(TMcScrollThumbMode v) { bar_->SetThumbMode(v); }
    gdi::Color ArrowColor() const { return bar_->ArrowColor(); }
    void SetArrowColor(gdi::Color v) { bar_->SetArrowColor(v); }
    gdi::Color ArrowHotTrackColor() const { return bar_->ArrowHotTrackColor(); }
    void SetArrowHotTrackColor(gdi::Color v) { bar_->SetArrowHotTrackColor(v); }
    bool DrawFrames() const { return bar_->DrawFrames(); }
    void SetDrawFrames(bool v) { bar_->SetDrawFrames(v); }
    bool DrawArrowFrames() const { return bar_->DrawArrowFrames(); }
    void SetDrawArrowFrames(bool v) { bar_->SetDrawArrowFrames(v); }
    bool DrawBars() const { return bar_->DrawBars(); }
    void SetDrawBars(bool v) { bar_->SetDrawBars(v); }
    uint32_t BarOffset() const { return bar_->BarOffset(); }
    void SetBarOffset(uint32_t v) { bar_->SetBarOffset(v); }
    gdi::Color BarColor() const { return bar_->BarColor(); }
    void SetBarColor(gdi::Color v) { bar_->SetBarColor(v); }
    bool ThinFrames() const { return bar_->ThinFrames(); }
    void SetThinFrames(bool v) { bar_->SetThinFrames(v); }
    gdi::Color HintColor() const { return bar_->HintColor; }
    void SetHintColor(gdi::Color v) { bar_->HintColor = v; }
    gdi::Color HintTextColor() const { return bar_->HintTextColor; }
    void SetHintTextColor(gdi::Color v) { bar_->HintTextColor = v; }
    bool SystemBkColor() const { return bar_->SystemBkColor(); }
    void SetSystemBkColor(bool v) { bar_->SetSystemBkColor(v); }

private:
    void Changed();
    TCustomMcScrollBar* bar_;
};
