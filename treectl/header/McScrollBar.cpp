// Scroll bar: construction, properties, range and position, the scroll
// information, geometry and colours.
#include "treectl/header/McScrollBar.h"

#include "treectl/support/McGuiUtils.h"
#include "treectl/support/McHintWindow.h"

#include "platform/system/SystemMetrics.h"

#include <QtGui/QResizeEvent>

#include <algorithm>

QEvent::Type TMcScrollMessage::EventType() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

TCustomMcScrollBar::TCustomMcScrollBar(QWidget* parent)
    : QWidget(parent), color_(clBtnFace), barColor_(clBtnShadow), arrowColor_(clBtnText),
      arrowHotTrackColor_(clHighlight) {
    repeatTimer_.setSingleShot(false);
    QObject::connect(&repeatTimer_, &QTimer::timeout, this, [this] { RepeatTick(); });
    resize(121, sys::GetSystemMetrics(sys::SM_CYHSCROLL));
    ApplySizePolicy();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    blendBackground_ = false;
    SetBlendBackground(true);
    useSystemMetrics_ = false;
    SetUseSystemMetrics(true);
    BuildBlendPattern();
}

TCustomMcScrollBar::~TCustomMcScrollBar() = default;

// ---- geometry

TMcScrollGeometry TCustomMcScrollBar::Geometry() const {
    TMcScrollGeometry g;
    g.length = Length();
    g.cross = Vertical() ? width() : height();
    g.showStartArrows = showLeftArrows_;
    g.showEndArrows = showRightArrows_;
    g.secondaryButtons = secondaryButtons_;
    g.buttonBase = useSystemMetrics_ ? sys::GetSystemMetrics(Vertical() ? sys::SM_CYVSCROLL : sys::SM_CXHSCROLL)
                                     : buttonSize_;
    g.thumbMode = thumbMode_;
    g.systemThumb = sys::GetSystemMetrics(Vertical() ? sys::SM_CYVTHUMB : sys::SM_CXHTHUMB);
    g.fixedThumb = useSystemMetrics_ ? g.systemThumb : thumbSize_;
    g.minThumb = minThumbSize_;
    g.min = min_;
    g.max = max_;
    g.page = page_;
    g.position = position_;
    return g;
}

TMcScrollBarPart TCustomMcScrollBar::PartAt(int32_t x, int32_t y) const {
    const QPoint p(x, y);
    return Geometry().PartAt(Along(p), Vertical() ? x : y, thumbPos_);
}

bool TCustomMcScrollBar::CanScrollBack() const {
    return position_ > min_ && int64_t{max_} - min_ >= page_;
}

bool TCustomMcScrollBar::CanScrollForward() const {
    const bool before = altDisablingArrows_ ? int64_t{position_} < int64_t{max_} - page_ + 1 : position_ < max_;
    return before && int64_t{max_} - min_ >= page_;
}

void TCustomMcScrollBar::Recompute() { thumbPos_ = ThumbFromPosition(); }

void TCustomMcScrollBar::ApplySizePolicy() {
    if (Vertical()) setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    else setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    updateGeometry();
}

void TCustomMcScrollBar::Redraw() {
    if (CanRedraw()) update();
}

// ---- range and position

void TCustomMcScrollBar::SetPosition(int32_t value) {
    if (value == position_) return;
    int32_t requested = value;
    if (loading_) {
        position_ = value;
    } else {
        const int32_t old = position_;
        position_ = std::clamp(value, min_, std::max(min_, max_));
        Recompute();
        if (CanRedraw() && old != position_) {
            auto inner = [this](int32_t p) { return min_ + 1 <= p && p <= max_ - 1; };
            if (noDisableButtons_ || inner(old) == inner(position_)) InvalidateTrack();
            else update();
        }
    }
    bool doChange = true;
    DoScroll(TMcScrollCode::scPosition, requested, doChange);
}

void TCustomMcScrollBar::SetMax(int32_t value) {
    max_ = value;
    if (!loading_) {
        if (min_ >= max_) max_ = min_;
        page_ = static_cast<int32_t>(std::min<int64_t>(page_, int64_t{max_} - min_ + 1));
        Recompute();
        update();
    }
    if (position_ > max_) SetPosition(max_);
    else Redraw();
}

void TCustomMcScrollBar::SetMin(int32_t value) {
    min_ = value;
    if (!loading_) {
        if (min_ >= max_) max_ = min_;
        page_ = static_cast<int32_t>(std::min<int64_t>(page_, int64_t{max_} - min_ + 1));
        Recompute();
        update();
    }
    if (position_ < min_) SetPosition(min_);
    else Redraw();
}

void TCustomMcScrollBar::SetPage(int32_t value) {
    if (value < 0) return;
    page_ = value;
    if (loading_) return;
    Recompute();
    update();
}

void TCustomMcScrollBar::SetKind(TScrollBarKind value) {
    if (value == kind_) return;
    kind_ = value;
    if (loading_) return;
    resize(height(), width());
    ApplySizePolicy();
    if (useSystemMetrics_) {
        useSystemMetrics_ = false;
        SetUseSystemMetrics(true);
    } else {
        Recompute();
        update();
    }
}

int32_t TCustomMcScrollBar::SetScrollInfo(const TMcScrollBarInfo& info, bool redraw) {
    if (info.cbSize < 28) return position_;
    const int32_t page = static_cast<int32_t>(std::min<uint32_t>(info.nPage, INT32_MAX));
    bool stored = false;
    if (info.fMask & SIF_RANGE) {
        if (info.nMax >= info.nMin) {
            if (info.fMask & SIF_POS) {
                // A position outside the range goes to its nearer end.
                position_ = std::clamp(info.nPos, info.nMin, info.nMax);
                min_ = info.nMin;
                max_ = info.nMax;
                if (info.fMask & SIF_PAGE) page_ = page;
            } else if (position_ >= info.nMin && position_ <= info.nMax) {
                min_ = info.nMin;
                max_ = info.nMax;
                if (info.fMask & SIF_PAGE) page_ = page;
            }
            stored = true;
        }
    } else if (info.fMask & SIF_POS) {
        if (info.nPos >= min_ && info.nPos <= max_) {
            position_ = info.nPos;
            if (info.fMask & SIF_PAGE) page_ = page;
            stored = true;
        }
    } else if (info.fMask & SIF_PAGE) {
        page_ = page;
        stored = true;
    }
    if (stored) {
        Recompute();
        if (redraw) update();
    }
    return position_;
}

bool TCustomMcScrollBar::GetScrollInfo(TMcScrollBarInfo& info) const {
    if (info.cbSize < 28) return false;
    if (info.fMask & SIF_PAGE) info.nPage = static_cast<uint32_t>(std::max(0, page_));
    if (info.fMask & SIF_POS) info.nPos = position_;
    if (info.fMask & SIF_TRACKPOS) info.nTrackPos = PositionFromThumb();
    if (info.fMask & SIF_RANGE) {
        info.nMin = min_;
        info.nMax = max_;
    }
    return true;
}

void TCustomMcScrollBar::Loaded() {
    loading_ = false;
    if (min_ >= max_) max_ = min_;
    page_ = static_cast<int32_t>(std::min<int64_t>(page_, int64_t{max_} - min_ + 1));
    position_ = std::clamp(position_, min_, max_);
    if (useSystemMetrics_) {
        useSystemMetrics_ = false;
        SetUseSystemMetrics(true);
    }
    Recompute();
    update();
}

// ---- sizes

void TCustomMcScrollBar::SetUseSystemMetrics(bool value) {
    if (value == useSystemMetrics_) return;
    useSystemMetrics_ = value;
    if (loading_ || !value) return;
    if (Vertical()) {
        buttonSize_ = sys::GetSystemMetrics(sys::SM_CYVSCROLL);
        resize(sys::GetSystemMetrics(sys::SM_CYHSCROLL), height());
    } else {
        buttonSize_ = sys::GetSystemMetrics(sys::SM_CXHSCROLL);
        resize(width(), sys::GetSystemMetrics(sys::SM_CXVSCROLL));
    }
    Recompute();
    update();
}

void TCustomMcScrollBar::SetButtonSize(int32_t value) {
    if (value <= 0 || Length() < 2 * value) return;
    buttonSize_ = value;
    Recompute();
    update();
}

void TCustomMcScrollBar::SetThumbMode(TMcScrollThumbMode value) {
    if (value == thumbMode_) return;
    thumbMode_ = value;
    if (useSystemMetrics_ && value == TMcScrollThumbMode::etmFixed) {
        thumbSize_ = sys::GetSystemMetrics(Vertical() ? sys::SM_CYVTHUMB : sys::SM_CXHTHUMB);
    }
    Recompute();
    update();
}

void TCustomMcScrollBar::SetThumbSize(int32_t value) {
    if (value <= 0 || value == thumbSize_) return;
    thumbSize_ = value;
    Recompute();
    update();
}

void TCustomMcScrollBar::SetMinThumbSize(int32_t value) {
    if (value <= 0 || value == minThumbSize_) return;
    minThumbSize_ = value;
    Recompute();
    if (thumbMode_ == TMcScrollThumbMode::etmAuto) update();
}

// ---- parts and look

void TCustomMcScrollBar::SetShowLeftArrows(bool value) {
    if (value == showLeftArrows_) return;
    showLeftArrows_ = value;
    Recompute();
    update();
}

void TCustomMcScrollBar::SetShowRightArrows(bool value) {
    if (value == showRightArrows_) return;
    showRightArrows_ = value;
    Recompute();
    update();
}

void TCustomMcScrollBar::SetSecondaryButtons(bool value) {
    if (value == secondaryButtons_) return;
    secondaryButtons_ = value;
    Recompute();
    update();
}

void TCustomMcScrollBar::SetSecondBtnKind(TMcSecButtonsKind value) {
    if (value == secondBtnKind_) return;
    secondBtnKind_ = value;
    if (secondaryButtons_) update();
}

void TCustomMcScrollBar::SetColor(gdi::Color value) {
    if (value == color_) return;
    color_ = value;
    if (blendBackground_) BuildBlendPattern();
    update();
}

void TCustomMcScrollBar::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    Redraw();
}

void TCustomMcScrollBar::SetActiveFlat(bool value) {
    if (value == activeFlat_) return;
    activeFlat_ = value;
    if (mouseInside_ || hasFocus()) update();
}

void TCustomMcScrollBar::SetDrawFrames(bool value) {
    if (value == drawFrames_) return;
    drawFrames_ = value;
    if (!value) drawArrowFrames_ = false;
    update();
}

void TCustomMcScrollBar::SetNoSunkenThumb(bool value) {
    if (value == noSunkenThumb_) return;
    noSunkenThumb_ = value;
    if (pressedPart_ == TMcScrollBarPart::sbpThumb) update();
}

void TCustomMcScrollBar::SetBlendBackground(bool value) {
    if (value == blendBackground_) return;
    blendBackground_ = value;
    if (value) BuildBlendPattern();
    update();
}

namespace {

template <typename T>
void StoreAndRepaint(QWidget& widget, T& field, T value) {
    if (field == value) return;
    field = value;
    widget.update();
}

}  // namespace

void TCustomMcScrollBar::SetThinFrames(bool value) { StoreAndRepaint(*this, thinFrames_, value); }
void TCustomMcScrollBar::SetDrawArrowFrames(bool value) { StoreAndRepaint(*this, drawArrowFrames_, value); }
void TCustomMcScrollBar::SetDrawBars(bool value) { StoreAndRepaint(*this, drawBars_, value); }
void TCustomMcScrollBar::SetBarOffset(uint32_t value) { StoreAndRepaint(*this, barOffset_, value); }
void TCustomMcScrollBar::SetBarColor(gdi::Color value) { StoreAndRepaint(*this, barColor_, value); }
void TCustomMcScrollBar::SetArrowColor(gdi::Color value) { StoreAndRepaint(*this, arrowColor_, value); }
void TCustomMcScrollBar::SetArrowHotTrackColor(gdi::Color value) { StoreAndRepaint(*this, arrowHotTrackColor_, value); }
void TCustomMcScrollBar::SetSystemBkColor(bool value) { StoreAndRepaint(*this, systemBkColor_, value); }
void TCustomMcScrollBar::SetNoDisableButtons(bool value) { StoreAndRepaint(*this, noDisableButtons_, value); }
void TCustomMcScrollBar::SetAltDisablingArrows(bool value) { StoreAndRepaint(*this, altDisablingArrows_, value); }
void TCustomMcScrollBar::SetOwnerDraw(bool value) { StoreAndRepaint(*this, ownerDraw_, value); }

// ---- colours

gdi::Color TCustomMcScrollBar::DarkenColor() const {
    if (color_ == clBtnFace) return clBtnShadow;
    const gdi::Color hls = RGBtoHLS(color_);
    const int32_t l = LightnessOf(hls);
    return HLStoRGB(HueOf(hls), l - l / 4, SaturationOf(hls));
}

gdi::Color TCustomMcScrollBar::LightenColor() const {
    if (color_ == clBtnFace) return clBtnHighlight;
    const gdi::Color hls = RGBtoHLS(color_);
    const int32_t l = LightnessOf(hls);
    return HLStoRGB(HueOf(hls), std::min(kHlsMax, l + l / 4), SaturationOf(hls));
}

void TCustomMcScrollBar::BuildBlendPattern() {
    const gdi::Color even = gdi::ResolveColor(LightenColor()), odd = gdi::ResolveColor(color_);
    for (int32_t y = 0; y < 8; ++y) {
        for (int32_t x = 0; x < 8; ++x) blendPattern_.SetPixel(x, y, (x + y) % 2 ? odd : even);
    }
}

// ---- events

void TCustomMcScrollBar::DoChange() {
    if (OnChange) OnChange(this);
}

void TCustomMcScrollBar::DoScroll(TMcScrollCode code, int32_t& scrollPos, bool& doChange) {
    doChange = true;
    if (OnScroll) OnScroll(this, code, scrollPos, doChange);
}

void TCustomMcScrollBar::DoScrollHintNeeded(int32_t trackPosition, std::string& hint) {
    if (OnScrollHintNeeded) OnScrollHintNeeded(this, trackPosition, hint);
}

void TCustomMcScrollBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Recompute();
    update();
}

void TCustomMcScrollBar::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange) {
        if (blendBackground_) BuildBlendPattern();
        update();
    } else if (event->type() == QEvent::EnabledChange) {
        update();
    }
}
