// Tree control: construction and destruction, the layout of its children,
// the update bracket with its closing work, the row height, the shown-item
// count, the scroll ranges, loading and copying.
#include "treectl/tree/McTree.h"

#include "treectl/items/McUpdateBracket.h"
#include "treectl/support/McTools.h"
#include "treectl/support/McTimer.h"
#include "treectl/tree/McStandardScrollBar.h"

#include "platform/gdi/ImageList.h"
#include "platform/system/SystemMetrics.h"

#include <QtGui/QResizeEvent>

#include <cstdlib>

namespace {

// A 9 x 9 button picture: black frame, white inside, the sign in its colour.
gdi::Bitmap ButtonPicture(bool plus) {
    gdi::Bitmap b(9, 9);
    const gdi::Color sign = plus ? gdi::Rgb(255, 0, 0) : gdi::Rgb(0, 128, 128);
    for (int32_t y = 0; y < 9; ++y) {
        for (int32_t x = 0; x < 9; ++x) {
            const bool frame = x == 0 || y == 0 || x == 8 || y == 8;
            const bool stroke = (y == 4 && x >= 2 && x <= 6) || (plus && x == 4 && y >= 2 && y <= 6);
            b.SetPixel(x, y, frame ? gdi::Rgb(0, 0, 0) : stroke ? sign : gdi::Rgb(255, 255, 255));
        }
    }
    return b;
}

}  // namespace

const gdi::Bitmap& TCustomMcTree::DefaultButtonPicture(bool plus) {
    static const gdi::Bitmap plusPicture = ButtonPicture(true);
    static const gdi::Bitmap minusPicture = ButtonPicture(false);
    return plus ? plusPicture : minusPicture;
}

TCustomMcTree::TCustomMcTree(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    selected_ = std::make_unique<TMcItemList>();
    items_.reset(CreateItems());
    resize(200, 100);

    view_ = CreateView();
    setFocusProxy(view_);
    setFocusPolicy(Qt::StrongFocus);
    BuildScrollBars();

    header_ = CreateHeader();
    header_->setFocusPolicy(Qt::NoFocus);
    header_->SetTracking(false);
    header_->SetAllowDrag(false);
    header_->SetFont(options_.Font);
    header_->hide();
    BindHeader();

    options_.LineHeight = DefaultLineHeight();
    changeTimer_ = NewMcTimer();
    changeTimer_->OnTimeout = [this] { ChangeTimerTick(); };
}

TCustomMcTree::~TCustomMcTree() {
    destroying_ = true;
    changeTimer_->Stop();
    view_->StopSearch();
    items_.reset();
    delete view_;
    view_ = nullptr;
    horzStyles_.reset();
    vertStyles_.reset();
    delete horzBar_;
    delete vertBar_;
    delete header_;
    pendingFocusItem_ = nullptr;
    SubscribeImages(settings_.Images, imagesSubscription_, nullptr);
    SubscribeImages(settings_.Images2, images2Subscription_, nullptr);
}

TMcTreeItems* TCustomMcTree::CreateItems() { return new TMcTreeItems(*this); }
TMcTreeView* TCustomMcTree::CreateView() { return new TMcTreeView(*this); }
TMcHeader* TCustomMcTree::CreateHeader() { return new TMcHeader(this); }

void TCustomMcTree::BuildScrollBars() {
    auto build = [this](TScrollBarKind kind) {
        auto* bar = new TMcScrollBar(this);
        bar->NoScrollMessages = true;
        bar->setFocusPolicy(Qt::NoFocus);
        bar->SetKind(kind);
        bar->SetAltDisablingArrows(true);
        bar->OnMouseDown = [this](QObject*, Qt::MouseButton, int32_t, int32_t) { BarMouseDown(); };
        bar->hide();
        return bar;
    };
    horzBar_ = build(TScrollBarKind::sbHorizontal);
    horzBar_->resize(horzBar_->width(), sys::GetSystemMetrics(sys::SM_CYVTHUMB));
    horzBar_->OnScroll = [this](QObject* s, TMcScrollCode c, int32_t& p, bool& d) { view_->HorzScroll(s, c, p, d); };
    horzBar_->OnDrawPart = [this](QObject*, gdi::Canvas& c, const gdi::Rect& r, TMcScrollBarPart part, bool e, bool f,
                                  bool p, bool& def) {
        if (OnHorzScrollDrawPart) OnHorzScrollDrawPart(this, c, r, part, e, f, p, def);
    };
    horzBar_->OnScrollHintNeeded = [this](QObject*, int32_t position, std::string& hint) {
        if (OnHorzScrollHintNeeded) OnHorzScrollHintNeeded(this, position, hint);
    };

    vertBar_ = build(TScrollBarKind::sbVertical);
    vertBar_->SetShowTrackHint(true);
    vertBar_->resize(sys::GetSystemMetrics(sys::SM_CXHTHUMB), vertBar_->height());
    vertBar_->OnScroll = [this](QObject* s, TMcScrollCode c, int32_t& p, bool& d) { view_->VertScroll(s, c, p, d); };
    vertBar_->OnDrawPart = [this](QObject*, gdi::Canvas& c, const gdi::Rect& r, TMcScrollBarPart part, bool e, bool f,
                                  bool p, bool& def) {
        if (OnVertScrollDrawPart) OnVertScrollDrawPart(this, c, r, part, e, f, p, def);
    };
    vertBar_->OnScrollHintNeeded = [this](QObject*, int32_t position, std::string& hint) { VertScrollHint(position, hint); };

    horzStyles_ = std::make_unique<TMcScrollBarStyles>(horzBar_);
    vertStyles_ = std::make_unique<TMcScrollBarStyles>(vertBar_);
    auto stylesChanged = [this](TMcScrollBarStyles&) {
        if (arranging_ || loading_) return;
        ArrangeChildren();
        UpdateScrollBars();
    };
    horzStyles_->OnChange = stylesChanged;
    vertStyles_->OnChange = stylesChanged;

    horzStandard_ = new TMcStandardScrollBar(Qt::Horizontal, this);
    vertStandard_ = new TMcStandardScrollBar(Qt::Vertical, this);
    for (TMcStandardScrollBar* bar : {horzStandard_, vertStandard_}) {
        const TScrollBarKind kind = bar == horzStandard_ ? TScrollBarKind::sbHorizontal : TScrollBarKind::sbVertical;
        bar->hide();
        connect(bar, &QAbstractSlider::actionTriggered, this, [this, kind](int action) { StandardBarAction(kind, action); });
        connect(bar, &QAbstractSlider::sliderReleased, this, [this, kind] {
            StandardBarAction(kind, QAbstractSlider::SliderNoAction);
        });
    }
}

QWidget& TCustomMcTree::StandardScrollBar(TScrollBarKind kind) const {
    return kind == TScrollBarKind::sbHorizontal ? *static_cast<QWidget*>(horzStandard_) : *vertStandard_;
}

// The standard bars report what the custom bar would: the action as a scroll
// code with the bar's whole position (never cut to 16 bits).
void TCustomMcTree::StandardBarAction(TScrollBarKind kind, int action) {
    TMcStandardScrollBar* bar = kind == TScrollBarKind::sbHorizontal ? horzStandard_ : vertStandard_;
    TMcScrollBar* sender = kind == TScrollBarKind::sbHorizontal ? horzBar_ : vertBar_;
    auto report = [&](TMcScrollCode code) {
        int32_t position = bar->sliderPosition();
        bool doChange = false;
        if (kind == TScrollBarKind::sbHorizontal) view_->HorzScroll(sender, code, position, doChange);
        else view_->VertScroll(sender, code, position, doChange);
    };
    const int32_t before = kind == TScrollBarKind::sbHorizontal ? LeftPosition() : topIndex_;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: report(TMcScrollCode::scLineDown); break;
    case QAbstractSlider::SliderSingleStepSub: report(TMcScrollCode::scLineUp); break;
    case QAbstractSlider::SliderPageStepAdd: report(TMcScrollCode::scPageDown); break;
    case QAbstractSlider::SliderPageStepSub: report(TMcScrollCode::scPageUp); break;
    case QAbstractSlider::SliderToMinimum: report(TMcScrollCode::scTop); break;
    case QAbstractSlider::SliderToMaximum: report(TMcScrollCode::scBottom); break;
    case QAbstractSlider::SliderMove:
        report(TMcScrollCode::scTrack);
        if (!settings_.ScrollTracking) return;  // the thumb follows the mouse until the release
        break;
    case QAbstractSlider::SliderNoAction:  // the thumb was let go
        report(TMcScrollCode::scPosition);
        report(TMcScrollCode::scEndScroll);
        break;
    default: return;
    }
    const int32_t now = kind == TScrollBarKind::sbHorizontal ? LeftPosition() : topIndex_;
    if (now == before || action == QAbstractSlider::SliderNoAction) bar->setSliderPosition(now);
}

void TCustomMcTree::BarMouseDown() {
    if (!view_->hasFocus() && view_->isEnabled() && view_->isVisible()) view_->setFocus(Qt::MouseFocusReason);
}

// ---- layout

QRect TCustomMcTree::ClientArea() const {
    const int32_t border = BorderWidth();
    QRect c = rect().adjusted(border, border, -border, -border);
    if (!settings_.UseCustomScrollBars) {
        if (horzShown_) c.setBottom(c.bottom() - sys::GetSystemMetrics(sys::SM_CYHSCROLL));
        if (vertShown_) {
            const int32_t w = sys::GetSystemMetrics(sys::SM_CXVSCROLL);
            if (settings_.RightAlignedText) c.setLeft(c.left() + w);
            else c.setRight(c.right() - w);
        }
    }
    return c;
}

void TCustomMcTree::ArrangeChildren() {
    if (!view_) return;
    const TMcFlagScope arranging(arranging_);
    const QRect area = ClientArea();
    gdi::Rect c{area.left(), area.top(), area.right() + 1, area.bottom() + 1};
    gdi::Rect headerRect, horzRect, vertRect, corner;
    if (options_.ShowColumns) {
        const int32_t h = header_->height();
        lastHeaderHeight_ = h;
        headerRect = {c.left, c.top, c.right + (header_->StickySections() ? 1 : 0), c.top + h};
        c.top += h;
    }
    const bool custom = settings_.UseCustomScrollBars;
    if (horzShown_ && custom) {
        const int32_t h = horzBar_->height();
        c.bottom -= h;
        horzRect = {c.left, c.bottom, c.right, c.bottom + h};
    }
    if (vertShown_ && custom) {
        const int32_t w = vertBar_->width();
        const gdi::Rect top = {c.left, area.top(), c.right, c.bottom};
        if (settings_.RightAlignedText != settings_.ScrollbarOpposite) {
            vertRect = {top.left, top.top, top.left + w, top.bottom};
            headerRect.left += w;
            c.left += w;
            horzRect.left += w;
        } else {
            vertRect = {top.right - w, top.top, top.right, top.bottom};
            headerRect.right -= w;
            c.right -= w;
            horzRect.right -= w;
        }
        if (horzShown_) corner = {vertRect.left, vertRect.bottom, vertRect.right, horzRect.bottom};
    }
    auto place = [](QWidget* w, const gdi::Rect& r, bool shown) {
        if (shown) w->setGeometry(r.left, r.top, std::max(0, r.Width()), std::max(0, r.Height()));
        w->setVisible(shown);
    };
    place(header_, headerRect, options_.ShowColumns);
    place(view_, c, true);
    place(horzBar_, horzRect, horzShown_ && custom);
    place(vertBar_, vertRect, vertShown_ && custom);
    PlaceStandardBars(area);
    if (!corner.IsEmpty()) update(corner.left, corner.top, corner.Width(), corner.Height());
}

void TCustomMcTree::PlaceStandardBars(const QRect& area) {
    const bool standard = !settings_.UseCustomScrollBars;
    const int32_t h = sys::GetSystemMetrics(sys::SM_CYHSCROLL);
    const int32_t w = sys::GetSystemMetrics(sys::SM_CXVSCROLL);
    const bool left = settings_.RightAlignedText;
    if (standard && horzShown_) horzStandard_->setGeometry(area.left(), area.bottom() + 1, area.width(), h);
    if (standard && vertShown_) {
        vertStandard_->setGeometry(left ? area.left() - w : area.right() + 1, area.top(), w, area.height());
    }
    horzStandard_->setVisible(standard && horzShown_);
    vertStandard_->setVisible(standard && vertShown_);
}

// ---- the update bracket

void TCustomMcTree::SetUpdating(bool open) {
    if (closing_) return;
    if (open) {
        header_->BeginUpdate();
        ++updateCount_;
    } else {
        if (updateCount_ == 0) return;  // a close without its open changes nothing
        --updateCount_;
        header_->EndUpdate();
    }
    if (updateCount_ > 0 || destroying_ || loading_) return;
    const TMcFlagScope closing(closing_);
    ClosingWork();
}

void TCustomMcTree::ClosingWork() {
    if (settings_.AutoLineHeight) {
        const int32_t h = DefaultLineHeight();
        if (h != options_.LineHeight) {
            view_->rowsDirty = true;
            options_.LineHeight = h;
        }
    }
    if (!options_.ShowColumns && view_->ContentWidth() == -1) view_->UpdateContentWidth();
    if (sortPending_) {
        DoSortBegin();
        SortItems(true);
        DoSortEnd();
    }
    sortPending_ = false;
    // Work done here can ask for more (a column sized, a bar shown that
    // narrows the view); a few rounds settle it.
    if (changed_) ++recalculations_;
    for (int round = 0; round < 4 && changed_; ++round) {
        changed_ = false;
        if (view_->countStale) {
            CountVisibleItems();
            view_->countStale = false;
        }
        UpdateScrollBars();
        if (view_->rowsDirty) {
            view_->RebuildRows(topIndex_);
            view_->rowsDirty = false;
        }
        if (options_.ShowColumns) AutoSizeAllColumns();
        UpdateScrollBars();
        view_->InvalidateChanged();
    }
    changed_ = false;
}

// A change of the shown items (a recount) also changes the rows on screen.
void TCustomMcTree::MarkView(uint32_t marks) {
    if (marks & vmRecount) view_->countStale = true;
    if (marks & (vmRowList | vmRecount)) view_->rowsDirty = true;
    if (marks & (vmRowList | vmScrollRange)) view_->rowsRepaint = true;
    changed_ = true;
}

// ---- row height and counting

int32_t TCustomMcTree::DefaultLineHeight() const {
    int32_t h = 0;
    if (options_.ShowImages) {
        if (settings_.Images) h = settings_.Images->Height();
        if (settings_.Images2) h = std::max(h, settings_.Images2->Height());
    }
    h = std::max(h, settings_.ItemIndent);
    const int32_t f = options_.Font.height;
    h = f < 0 ? std::max(h, -f + 4) : std::max(h, f + 2);
    if (options_.ShowCheckboxes) {
        if (settings_.CustomCheckboxes) {
            const int32_t radio = radioButtonGlyph_ ? radioButtonGlyph_->Height() : 0;
            const int32_t check = checkBoxGlyph_ ? checkBoxGlyph_->Height() : 0;
            h = std::max(h, std::max(radio, check));
        } else {
            h = std::max(h, settings_.ItemIndent - 2);
        }
    }
    if (settings_.BarStyle) h += 2;
    else if (settings_.HorizontalLines) h += 1;
    return h;
}

int32_t TCustomMcTree::CountVisibleItems() {
    int32_t count = 0;
    items_->Iterate(true, [&](TMcTreeItem*, int32_t, bool&, void*, TMcTreeItems&) { ++count; }, nullptr);
    shownCount_ = count;
    return count;
}

// ---- scroll ranges

void TCustomMcTree::SetBar(TScrollBarKind kind, int32_t max, int32_t page, int32_t position, bool forced) {
    TMcScrollBarInfo info;
    info.fMask = SIF_ALL;
    info.nMax = max;
    info.nPage = static_cast<uint32_t>(std::max(page, 0));
    info.nPos = info.nTrackPos = position;
    (kind == TScrollBarKind::sbHorizontal ? horzBar_ : vertBar_)->SetScrollInfo(info, true);
    TMcStandardScrollBar* standard = kind == TScrollBarKind::sbHorizontal ? horzStandard_ : vertStandard_;
    standard->SetScrollInfo(max, page, position);
    if (forced || settings_.UseCustomScrollBars) standard->setEnabled(standard->CanScroll());
}

namespace {
bool Forces(TScrollStyle forced, TScrollStyle kind) { return forced == kind || forced == TScrollStyle::ssBoth; }
}  // namespace

bool TCustomMcTree::HorizontalRangeStep() {
    int32_t width;
    if (options_.ShowColumns) {
        width = header_->Sections().Count() > 0 ? header_->SectionsWidth() : 0;
        view_->SetContentWidth(width);
    } else {
        width = view_->ContentWidth();
    }
    width = std::max(width, 0);
    const int32_t page = view_->width() + 1;
    const bool shown = width - page > 0 && !settings_.HideHorzScrollBar;
    if (!shown) {
        width = 0;
        options_.LeftPosition = 0;
        header_->SetLeftPos(0);
    }
    options_.LeftPosition = std::min(options_.LeftPosition, std::max(0, width));
    const bool forced = Forces(settings_.ForcedScrollBars, TScrollStyle::ssHorizontal);
    SetBar(TScrollBarKind::sbHorizontal, width, page, options_.LeftPosition, forced);
    if (header_->LeftPos() != options_.LeftPosition) header_->SetLeftPos(options_.LeftPosition);
    const bool change = shown != horzShown_ && !forced;
    horzShown_ = shown || forced;
    return change;
}

bool TCustomMcTree::VerticalRangeStep() {
    if (shownCount_ == 0) CountVisibleItems();
    int32_t max = shownCount_ - 1;
    const int32_t rows = view_->Rows().Count();
    const bool shown = (topIndex_ > 0 || rows * options_.LineHeight > view_->height() ||
                        (rows > 0 && rows < shownCount_ - 1)) &&
                       !settings_.HideVertScrollBar;
    int32_t page = view_->PageRowCount() - 1;
    if (!shown) {
        max = 0;
        page = 1;
    }
    const bool forced = Forces(settings_.ForcedScrollBars, TScrollStyle::ssVertical);
    SetBar(TScrollBarKind::sbVertical, max, page, topIndex_, forced);
    const bool change = shown != vertShown_ && !forced;
    vertShown_ = shown || forced;
    return change;
}

void TCustomMcTree::UpdateScrollBars() {
    if (loading_) return;
    const bool horzBefore = horzShown_, vertBefore = vertShown_;
    for (int guard = 0; guard < 8; ++guard) {
        while (HorizontalRangeStep()) {
        }
        if (!VerticalRangeStep()) break;
    }
    if (horzShown_ != horzBefore || vertShown_ != vertBefore) ArrangeChildren();
    if (settings_.UseCustomScrollBars) update();
}

// ---- positions

void TCustomMcTree::SetTopIndex(int32_t index) { view_->ApplyTopIndex(index); }
void TCustomMcTree::SetLeftPosition(int32_t value) { view_->ApplyLeftPosition(value); }

// ---- change reactions

void TCustomMcTree::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Rearranged();
}

void TCustomMcTree::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Rearranged();
}

// A new size or the first show: lay the children out, count and rebuild the rows.
void TCustomMcTree::Rearranged() {
    TMcUpdateBracket bracket(*this);
    ArrangeChildren();
    view_->countStale = view_->fullRepaint = view_->rowsDirty = true;
    changed_ = true;
}

void TCustomMcTree::NewLineHeight() {
    if (!settings_.AutoLineHeight) return;
    const int32_t h = DefaultLineHeight();
    if (h == options_.LineHeight) return;
    if (h < options_.LineHeight) view_->fullRepaint = true;
    options_.LineHeight = h;
    view_->rowsDirty = true;
}

void TCustomMcTree::ImagesChanged() {
    if (view_->IsPainting()) return;
    TMcUpdateBracket bracket(*this);
    NewLineHeight();
    view_->rowsRepaint = true;
    changed_ = true;
}

void TCustomMcTree::SubscribeImages(gdi::ImageList*& field, int32_t& subscription, gdi::ImageList* images) {
    if (field && subscription) field->Unsubscribe(subscription);
    subscription = 0;
    field = images;
    if (!images) return;
    subscription = images->Subscribe([this, &field, &subscription](gdi::ImageList::Event event) {
        if (event == gdi::ImageList::Event::Destroyed) {
            field = nullptr;  // the list unsubscribes its listeners itself
            subscription = 0;
            if (!destroying_) ImagesChanged();
        } else {
            ImagesChanged();
        }
    });
}

void TCustomMcTree::FontChanged() {
    if (view_->IsPainting()) return;
    TMcUpdateBracket bracket(*this);
    header_->SetFont(options_.Font);
    NewLineHeight();
    view_->SetContentWidth(-1);
    view_->rowsRepaint = true;
    changed_ = true;
}

// ---- loading and copying

void TCustomMcTree::BeginLoad() {
    loading_ = true;
    header_->BeginLoad();
    horzBar_->BeginLoad();
    vertBar_->BeginLoad();
}

void TCustomMcTree::Loaded() {
    TMcUpdateBracket bracket(*this);
    loading_ = false;
    header_->Loaded();
    if (options_.SortMode == TSortModes::smAdd || options_.SortMode == TSortModes::smAddClick) {
        DoSortBegin();
        SortItems(true);
        DoSortEnd();
    }
    changed_ = true;
    view_->fullRepaint = true;
    FontChanged();
    if (recordedHeaderHeight_ >= 0 && header_->height() != recordedHeaderHeight_) {
        header_->resize(header_->width(), recordedHeaderHeight_);
        ArrangeChildren();
    }
    horzBar_->Loaded();
    vertBar_->Loaded();
    AutoSizeAllColumns();
}

void TCustomMcTree::Assign(const TCustomMcTree& source) {
    if (&source == this) return;
    TMcUpdateBracket bracket(*this);
    items_->Assign(*source.items_);
    const TMcTreeSettings& s = source.settings_;
    settings_.LinesStyle = s.LinesStyle;
    settings_.LinesColor = s.LinesColor;
    options_.DeselectChildrenOnCollapse = source.options_.DeselectChildrenOnCollapse;
    settings_.DrawFocusRect = s.DrawFocusRect;
    settings_.BarStyle = s.BarStyle;
    settings_.AlwaysKeepSelection = s.AlwaysKeepSelection;
    settings_.FullRowSelect = s.FullRowSelect;
    settings_.DragType = s.DragType;
    settings_.AutoLookup = s.AutoLookup;
    settings_.SelectColumn = s.SelectColumn;
    settings_.AutoExpand = s.AutoExpand;
    plusPicture_ = source.plusPicture_;
    minusPicture_ = source.minusPicture_;
    settings_.CustomPlusMinus = s.CustomPlusMinus;
    options_.ShowCheckboxes = source.options_.ShowCheckboxes;
    settings_.HideHorzScrollBar = s.HideHorzScrollBar;
    settings_.HideVertScrollBar = s.HideVertScrollBar;
    settings_.BkColor = s.BkColor;
    settings_.TextColor = s.TextColor;
    options_.ShowButtons = source.options_.ShowButtons;
    options_.ShowLines = source.options_.ShowLines;
    options_.ShowImages = source.options_.ShowImages;
    settings_.ShowRoot = s.ShowRoot;
    settings_.LineHintMode = s.LineHintMode;
    SetShowColumns(source.options_.ShowColumns);
    settings_.BorderStyle = s.BorderStyle;
    settings_.DoInplaceEdit = s.DoInplaceEdit;
    settings_.HorizontalLines = s.HorizontalLines;
    settings_.VerticalLines = s.VerticalLines;
    settings_.ScrollTracking = s.ScrollTracking;
    settings_.Tracking = s.Tracking;
    SetHeaderHotTrack(source.header_->Tracking());
    settings_.OwnerDrawByColumn = s.OwnerDrawByColumn;
    settings_.OwnerDrawMask = s.OwnerDrawMask;
    settings_.DragTrgDrawMode = s.DragTrgDrawMode;
    SetTopIndex(source.topIndex_);
    settings_.AutoLineHeight = s.AutoLineHeight;
    options_.LineHeight = source.options_.LineHeight;
    view_->SetContentWidth(-1);
    view_->countStale = view_->rowsDirty = view_->fullRepaint = true;
    changed_ = true;
}

void TCustomMcTree::SetBarPosition(TScrollBarKind kind, int32_t position) {
    TMcScrollBar* bar = kind == TScrollBarKind::sbHorizontal ? horzBar_ : vertBar_;
    if (bar->Position() != position) bar->SetPosition(position);
    TMcStandardScrollBar* standard = kind == TScrollBarKind::sbHorizontal ? horzStandard_ : vertStandard_;
    if (standard->value() != position) {
        const QSignalBlocker quiet(standard);
        standard->setValue(position);
    }
}

// ---- what the items ask of the view

void TCustomMcTree::InvalidateRect(const gdi::Rect& r, bool) {
    if (r.IsEmpty()) return;
    const QRect area(r.left, r.top, r.Width(), r.Height());
    dirty_ += area;
    view_->update(area);
}

void TCustomMcTree::RepaintNow() {
    if (dirty_.isEmpty() || view_->IsPainting() || !view_->isVisible()) return;
    const QRegion dirty = std::exchange(dirty_, QRegion());
    view_->repaint(dirty);
}

void TCustomMcTree::RemoveFromRows(TMcTreeItem* item) { view_->DropItem(item); }

void TCustomMcTree::ForgetItem(TMcTreeItem* item) {
    view_->DropItem(item);
    if (pendingFocusItem_ == item) pendingFocusItem_ = nullptr;
}
