// Header control: construction, properties, geometry, height, the update
// bracket, the sticky layout and the events of its sections.
#include "treectl/header/McHeader.h"
#include "treectl/header/McHeaderOverlays.h"

#include "treectl/support/McGuiUtils.h"

#include "foundation/Rounding.h"
#include "platform/gdi/ImageList.h"
#include "platform/system/SystemMetrics.h"

#include <QtGui/QPaintEvent>
#include <QtGui/QResizeEvent>
#include <QtWidgets/QComboBox>

#include <cstdlib>

TCustomMcHeader::TCustomMcHeader(QWidget* parent)
    : QWidget(parent), filterColor_(clBtnText), color_(clBtnFace), fontColor_(clWindowText) {
    sections_.reset(CreateSections());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    SetHeight(FontPixels() + 2 * sys::GetSystemMetrics(sys::SM_CYBORDER) + 6);
}

TCustomMcHeader::~TCustomMcHeader() {
    destroying_ = true;
    SetImages(nullptr);
    sections_->Clear();
}

TMcHeaderSections* TCustomMcHeader::CreateSections() { return new TMcHeaderSections(this); }

int32_t TCustomMcHeader::FontPixels() const { return std::abs(font_.height); }

// ---- properties

void TCustomMcHeader::SetColor(gdi::Color value) {
    if (value == color_) return;
    color_ = value;
    InvalidateHeader();
}

void TCustomMcHeader::SetFont(const gdi::LogFont& font) {
    if (font == font_) return;
    font_ = font;
    if (!lockHeight_) AdjustHeight();
    InvalidateHeader();
}

void TCustomMcHeader::SetFontColor(gdi::Color value) {
    if (value == fontColor_) return;
    fontColor_ = value;
    InvalidateHeader();
}

void TCustomMcHeader::SetActiveFilterColor(gdi::Color value) {
    if (value == activeFilterColor_) return;
    activeFilterColor_ = value;
    for (int32_t p = 0; p < sections_->Count(); ++p) {
        TMcHeaderSection* s = sections_->ItemByPos(p);
        if (s->Visible() && s->FilterEnabled() && s->FilterIsActive()) s->InvalidateSection();
    }
}

void TCustomMcHeader::SetFilterColor(gdi::Color value) {
    if (value == filterColor_) return;
    filterColor_ = value;
    for (int32_t p = 0; p < sections_->Count(); ++p) {
        TMcHeaderSection* s = sections_->ItemByPos(p);
        if (s->Visible() && s->FilterEnabled() && !s->FilterIsActive()) s->InvalidateSection();
    }
}

void TCustomMcHeader::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    InvalidateHeader();
}

void TCustomMcHeader::SetTracking(bool value) {
    if (value == tracking_) return;
    tracking_ = value;
    if (!value) {
        hotSection_ = nullptr;
        InvalidateHeader();
    }
}

void TCustomMcHeader::SetImages(gdi::ImageList* images) {
    if (images == images_) return;
    if (images_) images_->Unsubscribe(imagesSubscription_);
    images_ = images;
    imagesSubscription_ = 0;
    if (images_) {
        imagesSubscription_ = images_->Subscribe([this](gdi::ImageList::Event e) {
            if (e == gdi::ImageList::Event::Destroyed) {
                images_ = nullptr;  // the list is going: forget it
                InvalidateHeader();
            } else {
                ImagesChanged();
            }
        });
    }
    if (destroying_) return;
    if (!lockHeight_) AdjustHeight();
    if (!painting_) InvalidateHeader();
}

void TCustomMcHeader::ImagesChanged() {
    if (painting_) return;
    if (!lockHeight_) AdjustHeight();
    InvalidateHeader();
}

void TCustomMcHeader::SetInvertSortArrows(bool value) {
    if (value == invertSortArrows_) return;
    invertSortArrows_ = value;
    InvalidateHeader();
}

void TCustomMcHeader::SetLockHeight(bool value) {
    if (value == lockHeight_) return;
    lockHeight_ = value;
    if (!value && parentWidget() && !loading_) AdjustHeight();
}

void TCustomMcHeader::SetRightAlignedText(bool value) {
    if (value == rightAlignedText_) return;
    rightAlignedText_ = value;
    setLayoutDirection(value ? Qt::RightToLeft : Qt::LeftToRight);
    InvalidateHeader();
}

void TCustomMcHeader::SetRightAlignedOrder(bool value) {
    if (value == rightAlignedOrder_) return;
    rightAlignedOrder_ = value;
    if (loading_) return;
    sections_->ReverseOrder();
    InvalidateHeader();
}

void TCustomMcHeader::SetStickySections(bool value) {
    stickySections_ = value;
    if (loading_ || !value) return;
    sections_->InitProportions(Width());
}

void TCustomMcHeader::SetLeftPos(int32_t value) {
    if (value == leftPos_) return;
    leftPos_ = value;
    InvalidateHeader();
}

void TCustomMcHeader::Loaded() {
    loading_ = false;
    if (QWidget* form = GetOwnerForm(this)) {
        for (int32_t p = 0; p < sections_->Count(); ++p) {
            TMcHeaderSection* s = sections_->ItemByPos(p);
            if (s->PopupMenuName().empty()) continue;
            if (auto* menu = form->findChild<QMenu*>(QString::fromStdString(s->PopupMenuName()))) s->SetPopupMenu(menu);
        }
    }
    const bool sticky = stickySections_;
    stickySections_ = false;
    SetStickySections(sticky);
    if (rightAlignedOrder_) sections_->ReverseOrder();
    InvalidateHeader();
}

// ---- geometry

TMcHeaderSection* TCustomMcHeader::SectionAtPoint(int32_t x, int32_t) const {
    int32_t right = 0;
    for (int32_t p = 0; p < sections_->Count(); ++p) {
        TMcHeaderSection* s = sections_->ItemByPos(p);
        if (s->Visible()) right += s->Width();
        if (x + leftPos_ < right) return s;
    }
    return nullptr;
}

gdi::Rect TCustomMcHeader::GetSectionRect(int32_t index) const {
    const TMcHeaderSection* s = sections_->Item(index);
    if (!s) return {};
    return {s->Left(), 0, s->Left() + s->Width(), height()};
}

void TCustomMcHeader::InvalidateFrom(int32_t index) {
    if (index < 0 || index >= sections_->Count()) throw EMcError("Index out of bounds");
    const TMcHeaderSection* s = sections_->Item(index);
    if (!s) return;
    InvalidateRect({s->Left() - leftPos_, 0, width(), height()});
}

// ---- height

void TCustomMcHeader::AdjustHeight() {
    if (lockHeight_) return;
    int32_t h = std::max(17, FontPixels() + 8);
    if (images_) h = std::max(h, images_->Height());
    SetHeight(h);
}

void TCustomMcHeader::SetHeight(int32_t h) {
    if (h != wantedHeight_) {
        wantedHeight_ = h;
        updateGeometry();
    }
    if (h != height()) resize(width(), h);
}

void TCustomMcHeader::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    bool buttons = false;
    for (int32_t p = 0; p < sections_->Count() && !buttons; ++p) {
        const TMcHeaderSection* s = sections_->ItemByPos(p);
        buttons = s->LookupEnabled() || s->FilterEnabled();
    }
    if (buttons && height() >= 1 && height() <= 16) {
        SetHeight(17);
        return;
    }
    Resize();
}

void TCustomMcHeader::Resize() {
    if (!lockHeight_ && (height() < FontPixels() + 6 || (images_ && height() < images_->Height()))) AdjustHeight();
    if (stickySections_) StickyRelayout();
    if (OnResize) OnResize(*this);
}

void TCustomMcHeader::StickyRelayout() {
    stickyRelayout_ = true;
    const int32_t cw = ClientWidth();
    if (cw > lastClientWidth_) {
        for (int32_t p = sections_->Count() - 1; p >= 0; --p) {
            TMcHeaderSection* s = sections_->ItemByPos(p);
            if (!s->Visible() || s->Resizable() || s->SavedWidth() == -1) continue;
            s->SetWidth(std::min(s->SavedWidth(), cw));
            if (s->Width() == s->SavedWidth()) s->savedWidth_ = -1;
        }
    }
    int32_t a = sections_->ResizableWidth(Width());
    if (a == 0) a = 1;
    for (int32_t p = 0; p < sections_->Count(); ++p) {
        TMcHeaderSection* s = sections_->ItemByPos(p);
        if (s->Resizable() && s->Visible()) s->SetWidth(Round(static_cast<long double>(s->Proportion()) * a));
    }
    sections_->FitSections(nullptr, cw);
    lastClientWidth_ = cw;
    stickyRelayout_ = false;
    InvalidateHeader();
}

// ---- repainting

void TCustomMcHeader::InvalidateRect(const gdi::Rect& r) {
    const QRect rect(r.left, r.top, r.Width(), r.Height());
    if (rect.isEmpty()) return;
    dirty_ += rect;
    update(rect);
}

void TCustomMcHeader::InvalidateHeader() { InvalidateRect({0, 0, width(), height()}); }

void TCustomMcHeader::InvalidateParent() {
    if (parentWidget()) parentWidget()->update();
}

void TCustomMcHeader::BeginUpdate() { ++updateCount_; }

void TCustomMcHeader::EndUpdate() {
    if (updateCount_ > 0) --updateCount_;
    if (updateCount_ == 0) UpdateNow();
}

void TCustomMcHeader::UpdateNow() {
    if (updateCount_ > 0 || dirty_.isEmpty()) return;
    const QRegion region = dirty_;
    dirty_ = QRegion();
    if (isVisible()) repaint(region);
}

void TCustomMcHeader::RedrawSection(TMcHeaderSection* section) {
    if (!section) return;
    const gdi::Rect r = GetSectionRect(section->Index());
    InvalidateRect(r.Offset(-leftPos_, 0));
}

// ---- events of the sections

void TCustomMcHeader::DoSectionCreate(TMcHeaderSection* s) {
    if (OnSectionCreate) OnSectionCreate(*this, s);
}
void TCustomMcHeader::DoSectionDelete(TMcHeaderSection* s) {
    // The interaction forgets a section that goes.
    for (TMcHeaderSection** held : {&pressedSection_, &hintSection_, &lookupSection_, &hotSection_, &resizeSection_,
                                    &draggedSection_, &dropSection_}) {
        if (*held == s) *held = nullptr;
    }
    if (OnSectionDelete) OnSectionDelete(*this, s);
}
void TCustomMcHeader::DoSectionMove(TMcHeaderSection* s, int32_t oldPos, int32_t newPos) {
    if (OnSectionMove) OnSectionMove(*this, s, oldPos, newPos);
}
void TCustomMcHeader::DoVisChanged(TMcHeaderSection* s) {
    if (OnSectionShowHide) OnSectionShowHide(*this, s);
}
void TCustomMcHeader::DoNotifySectionChange(TMcHeaderSection* s, TSectionChangeMode change) {
    if (OnSectionChange) OnSectionChange(*this, s, change);
}
void TCustomMcHeader::DoSectionAutoSize(TMcHeaderSection* s) {
    if (OnSectionAutoSize) OnSectionAutoSize(*this, s);
}
int32_t TCustomMcHeader::DoGetPicture(TMcHeaderSection* section) {
    int32_t index = -1;
    if (OnPictureNeeded) OnPictureNeeded(*this, section, index);
    return index;
}
