// Tree control: the setters of its settings and what each does once the
// value is stored (repaint the rows or everything, measure again, a new row
// height, count and rebuild the rows, lay the children out again, redraw
// the frame), each inside one update bracket.
#include "treectl/tree/McTree.h"

#include "treectl/items/McUpdateBracket.h"

#include "platform/gdi/ImageList.h"

template <typename T>
void TCustomMcTree::Set(T& field, const T& value, uint32_t reactions) {
    if (field == value) return;
    field = value;
    React(reactions);
}

void TCustomMcTree::React(uint32_t reactions) {
    TMcUpdateBracket bracket(*this);
    if (reactions & kLineHeight) NewLineHeight();
    if ((reactions & kRemeasure) && !options_.ShowColumns) view_->SetContentWidth(-1);
    if (reactions & (kRowsRepaint | kRemeasure)) view_->rowsRepaint = true;
    if (reactions & kFullRepaint) view_->fullRepaint = true;
    if (reactions & kRebuild) view_->countStale = view_->rowsDirty = view_->fullRepaint = true;
    if (reactions & kRowsDirty) view_->rowsDirty = true;
    if (reactions & kRelayout) ArrangeChildren();
    if (reactions & kFrame) RedrawFrame();
    changed_ = true;
}

// ---- frame and scroll bars

void TCustomMcTree::SetBorderStyle(TBorderStyle value) { Set(settings_.BorderStyle, value, kRelayout | kFrame); }
void TCustomMcTree::SetFlat(bool value) { Set(settings_.Flat, value, kRelayout | kFrame); }
void TCustomMcTree::SetActiveBorderType(TMcFlatBorderType value) { Set(settings_.ActiveBorderType, value, kFrame); }
void TCustomMcTree::SetInactiveBorderType(TMcFlatBorderType value) { Set(settings_.InactiveBorderType, value, kFrame); }
void TCustomMcTree::SetFlatFocusedScrollbars(bool value) { Set(settings_.FlatFocusedScrollbars, value, kFrame); }

void TCustomMcTree::SetUseCustomScrollBars(bool value) {
    if (value == settings_.UseCustomScrollBars) return;
    settings_.UseCustomScrollBars = value;
    TMcUpdateBracket bracket(*this);
    UpdateScrollBars();
    ArrangeChildren();
    RedrawFrame();
    changed_ = true;
}

void TCustomMcTree::SetForcedScrollBars(TScrollStyle value) {
    if (value == settings_.ForcedScrollBars) return;
    settings_.ForcedScrollBars = value;
    TMcUpdateBracket bracket(*this);
    horzShown_ = vertShown_ = false;
    UpdateScrollBars();
    ArrangeChildren();
    changed_ = true;
}

void TCustomMcTree::SetHideHorzScrollBar(bool value) { Set(settings_.HideHorzScrollBar, value, kRebuild | kRelayout); }
void TCustomMcTree::SetHideVertScrollBar(bool value) { Set(settings_.HideVertScrollBar, value, kRebuild | kRelayout); }

void TCustomMcTree::SetScrollbarOpposite(bool value) {
    Set(settings_.ScrollbarOpposite, value, settings_.UseCustomScrollBars ? uint32_t{kRelayout} : 0u);
}

// ---- rows

void TCustomMcTree::SetBkColor(gdi::Color value) { Set(settings_.BkColor, value, kRebuild); }
void TCustomMcTree::SetTextColor(gdi::Color value) { Set(settings_.TextColor, value, kRebuild); }

void TCustomMcTree::SetBarStyle(bool value) {
    if (value == settings_.BarStyle) return;
    TMcUpdateBracket bracket(*this);
    settings_.BarStyle = value;
    if (value) {
        SetBkColor(clBtnFace);
        SetTextColor(clBtnText);
        SetLinesColor(clBtnShadow);
    }
    if (settings_.AutoLineHeight) options_.LineHeight = DefaultLineHeight();
    React(kRemeasure | kFullRepaint | kRowsDirty);
}

void TCustomMcTree::SetBarStyleVerticalLines(bool value) {
    Set(settings_.BarStyleVerticalLines, value, settings_.BarStyle ? uint32_t{kFullRepaint} : 0u);
}

void TCustomMcTree::SetAutoLineHeight(bool value) {
    if (value == settings_.AutoLineHeight) return;
    settings_.AutoLineHeight = value;
    if (value) options_.LineHeight = DefaultLineHeight();
    React(kRowsDirty | kFullRepaint);
}

void TCustomMcTree::SetLineHeight(int32_t value) {
    if (settings_.AutoLineHeight) return;
    if (value <= 0) value = DefaultLineHeight();
    Set(options_.LineHeight, value, kRowsDirty | kFullRepaint);
}

void TCustomMcTree::SetItemIndent(int32_t value) { Set(settings_.ItemIndent, std::max(value, 0), kFullRepaint); }
void TCustomMcTree::SetHorizontalLines(bool value) { Set(settings_.HorizontalLines, value, kLineHeight | kRowsRepaint); }
void TCustomMcTree::SetVerticalLines(bool value) { Set(settings_.VerticalLines, value, kFullRepaint); }

void TCustomMcTree::SetVerticalLinesLong(bool value) {
    Set(settings_.VerticalLinesLong, value, settings_.VerticalLines ? uint32_t{kFullRepaint} : 0u);
}

void TCustomMcTree::SetDivLinesColor(gdi::Color value) {
    const bool lines = settings_.HorizontalLines || settings_.VerticalLines;
    Set(settings_.DivLinesColor, value, lines ? uint32_t{kFullRepaint} : 0u);
}

void TCustomMcTree::SetLinesColor(gdi::Color value) {
    Set(settings_.LinesColor, value, options_.ShowLines ? uint32_t{kFullRepaint} : 0u);
}

void TCustomMcTree::SetLinesStyle(gdi::PenStyle value) {
    Set(settings_.LinesStyle, value, options_.ShowLines ? uint32_t{kFullRepaint} : 0u);
}

void TCustomMcTree::SetShowLines(bool value) { Set(options_.ShowLines, value, kRemeasure); }
void TCustomMcTree::SetShowRoot(bool value) { Set(settings_.ShowRoot, value, kRemeasure); }
void TCustomMcTree::SetShowButtons(bool value) { Set(options_.ShowButtons, value, kRemeasure); }
void TCustomMcTree::SetShowRootButtons(bool value) { Set(settings_.ShowRootButtons, value, kRemeasure); }
void TCustomMcTree::SetCustomPlusMinus(bool value) { Set(settings_.CustomPlusMinus, value, kRemeasure | kFullRepaint); }

void TCustomMcTree::SetPlusPicture(const gdi::Bitmap& picture) {
    plusPicture_ = picture;
    ButtonPictureChanged();
}

void TCustomMcTree::SetMinusPicture(const gdi::Bitmap& picture) {
    minusPicture_ = picture;
    ButtonPictureChanged();
}

void TCustomMcTree::ButtonPictureChanged() {
    if (!settings_.CustomPlusMinus) return;
    TMcUpdateBracket bracket(*this);
    view_->countStale = true;
    React(kLineHeight | kRowsRepaint);
}

void TCustomMcTree::SetPlusMinusTransparent(bool value) {
    Set(settings_.PlusMinusTransparent, value, options_.ShowButtons ? uint32_t{kRowsRepaint} : 0u);
}

void TCustomMcTree::SetShowCheckboxes(bool value) { Set(options_.ShowCheckboxes, value, kRemeasure | kFullRepaint); }

void TCustomMcTree::SetCustomCheckboxes(bool value) {
    Set(settings_.CustomCheckboxes, value, options_.ShowCheckboxes ? uint32_t{kFullRepaint} : 0u);
}

void TCustomMcTree::SetCheckBoxGlyph(const gdi::Bitmap* glyph) {
    checkBoxGlyph_ = glyph ? std::make_unique<gdi::Bitmap>(*glyph) : nullptr;
    if (!glyph) settings_.CustomCheckboxes = false;
    React(options_.ShowCheckboxes ? uint32_t{kFullRepaint} : 0u);
}

void TCustomMcTree::SetRadioButtonGlyph(const gdi::Bitmap* glyph) {
    radioButtonGlyph_ = glyph ? std::make_unique<gdi::Bitmap>(*glyph) : nullptr;
    if (!glyph) settings_.CustomCheckboxes = false;
    React(options_.ShowCheckboxes ? uint32_t{kFullRepaint} : 0u);
}

void TCustomMcTree::SetShowImages(bool value) { Set(options_.ShowImages, value, kRemeasure | kLineHeight); }

void TCustomMcTree::SetShowEmptyImages(bool value) {
    const bool measure = options_.ShowImages && settings_.Images;
    Set(options_.ShowEmptyImages, value, measure ? uint32_t{kRemeasure} : 0u);
}

void TCustomMcTree::SetShowEmptyImages2(bool value) {
    const bool measure = options_.ShowImages && settings_.Images;
    Set(options_.ShowEmptyImages2, value, measure ? uint32_t{kRemeasure} : 0u);
}

void TCustomMcTree::SetImages(gdi::ImageList* images) {
    if (images == settings_.Images) return;
    SubscribeImages(settings_.Images, imagesSubscription_, images);
    if (destroying_) return;
    TMcUpdateBracket bracket(*this);
    NewLineHeight();
    if (!options_.ShowColumns) {
        view_->UpdateContentWidth();
        if (settings_.RightAlignedTree) SetLeftPosition(options_.LeftPosition);
    } else if (TMcHeaderSection* main = header_->Sections().Item(options_.MainTreeColumn); main && main->AutoSize()) {
        AutoSizeColumn(options_.MainTreeColumn);
    }
    React(kRowsRepaint);
}

void TCustomMcTree::SetImages2(gdi::ImageList* images) {
    if (images == settings_.Images2) return;
    SubscribeImages(settings_.Images2, images2Subscription_, images);
    if (destroying_) return;
    TMcUpdateBracket bracket(*this);
    NewLineHeight();
    if (!options_.ShowColumns) view_->UpdateContentWidth();
    React(kRowsRepaint);
}

void TCustomMcTree::SetChangeStateImage(bool value) { Set(settings_.ChangeStateImage, value, kRowsRepaint); }

void TCustomMcTree::SetRightAlignedText(bool value) {
    if (value == settings_.RightAlignedText) return;
    settings_.RightAlignedText = value;
    header_->SetRightAlignedText(value);
    React(kRelayout | kFullRepaint | kFrame);
}

void TCustomMcTree::SetRightAlignedTree(bool value) {
    if (value == settings_.RightAlignedTree) return;
    TMcUpdateBracket bracket(*this);
    settings_.RightAlignedTree = value;
    header_->SetRightAlignedOrder(value);
    if (!options_.ShowColumns) {
        if (view_->ContentWidth() < 0) view_->UpdateContentWidth();
        options_.LeftPosition = value ? view_->ContentWidth() - options_.LeftPosition : 0;
    }
    React(kFullRepaint);
}

// ---- columns

void TCustomMcTree::SetShowColumns(bool value) {
    if (value == options_.ShowColumns) return;
    if (value && header_->Sections().Count() == 0 && !loading_) return;
    options_.ShowColumns = value;
    if (!value) view_->SetContentWidth(-1);
    TMcUpdateBracket bracket(*this);
    view_->countStale = view_->fullRepaint = view_->rowsDirty = true;
    ArrangeChildren();
    changed_ = true;
}

void TCustomMcTree::SetMainTreeColumn(int32_t value) {
    if (value < 0 || value >= header_->Sections().Count()) value = 0;
    Set(options_.MainTreeColumn, value, kRowsRepaint);
}

void TCustomMcTree::SetHeaderSections(const TMcHeaderSections& sections) {
    TMcUpdateBracket bracket(*this);
    header_->SetSections(sections);
    React(kRowsRepaint);
}

void TCustomMcTree::SetHeaderHeight(int32_t value) {
    if (loading_) {
        recordedHeaderHeight_ = value;
        return;
    }
    TMcUpdateBracket bracket(*this);
    header_->resize(header_->width(), value);
    ArrangeChildren();
    React(kFullRepaint | kRowsDirty);
}

// ---- selection and focus

void TCustomMcTree::SetRowSelect(bool value) {
    settings_.RowSelect = value;
    if (!value) settings_.FullRowSelect = false;
    React(kRowsDirty | kFullRepaint);
}

void TCustomMcTree::SetAutoExpand(bool value) {
    settings_.AutoExpand = value;
    if (value) options_.MoveFocusOnCollapse = false;
}

void TCustomMcTree::SetMoveFocusOnCollapse(bool value) {
    options_.MoveFocusOnCollapse = value;
    if (value) settings_.AutoExpand = false;
}

void TCustomMcTree::SetFilteredVisibility(bool value) {
    Set(options_.FilteredVisibility, value, kRebuild | kRemeasure | kRowsRepaint);
}

void TCustomMcTree::SetHideSelection(bool value) {
    Set(settings_.HideSelection, value, !Focused() ? uint32_t{kRowsRepaint} : 0u);
}

void TCustomMcTree::SetHideFocusRect(bool value) {
    Set(settings_.HideFocusRect, value, !Focused() ? uint32_t{kRowsRepaint} : 0u);
}

void TCustomMcTree::SetDrawFocusRect(bool value) {
    if (value == settings_.DrawFocusRect) return;
    settings_.DrawFocusRect = value;
    if (TMcTreeItem* focused = FocusedItem()) focused->RedrawItem(true);
}

void TCustomMcTree::SetFocusedSelectColor(gdi::Color value) {
    const bool shown = view_->IsActiveControl() || !settings_.HideSelection;
    Set(settings_.FocusedSelectColor, value, shown ? uint32_t{kFullRepaint} : 0u);
}

void TCustomMcTree::SetFocusedSelectTextColor(gdi::Color value) {
    const bool shown = view_->IsActiveControl() || !settings_.HideSelection;
    Set(settings_.FocusedSelectTextColor, value, shown ? uint32_t{kFullRepaint} : 0u);
}

void TCustomMcTree::SetHideSelectColor(gdi::Color value) {
    const bool shown = !view_->IsActiveControl() && settings_.HideSelection;
    Set(settings_.HideSelectColor, value, shown ? uint32_t{kFullRepaint} : 0u);
}

void TCustomMcTree::SetHideSelectTextColor(gdi::Color value) {
    const bool shown = !view_->IsActiveControl() && settings_.HideSelection;
    Set(settings_.HideSelectTextColor, value, shown ? uint32_t{kFullRepaint} : 0u);
}

void TCustomMcTree::SetTrackColor(gdi::Color value) {
    if (value == settings_.TrackColor) return;
    settings_.TrackColor = value;
    if (TMcTreeItem* hot = view_->HotItem()) hot->RedrawItem(true);
}

void TCustomMcTree::SetUnderlineTracked(bool value) {
    if (value == settings_.UnderlineTracked) return;
    settings_.UnderlineTracked = value;
    if (settings_.Tracking && view_->HotItem()) view_->HotItem()->RedrawItem(true);
}

void TCustomMcTree::SetRowHotTrack(bool value) {
    if (value == settings_.RowHotTrack) return;
    settings_.RowHotTrack = value;
    if (settings_.Tracking && view_->HotItem()) view_->HotItem()->RedrawItem(true);
}

// ---- dragging

void TCustomMcTree::SetDragTrgDrawMode(TDragTargetDraw value) {
    if (value == settings_.DragTrgDrawMode) return;
    settings_.DragTrgDrawMode = value;
    if (TMcTreeItem* target = view_->DropTarget()) {
        target->RedrawItem(true);
        view_->repaint();
    }
}

void TCustomMcTree::SetDragRectAcceptColor(gdi::Color value) {
    if (value == settings_.DragRectAcceptColor) return;
    settings_.DragRectAcceptColor = value;
    if (TMcTreeItem* target = view_->DropTarget()) target->RedrawItem(true);
}

void TCustomMcTree::SetDragRectDenyColor(gdi::Color value) {
    if (value == settings_.DragRectDenyColor) return;
    settings_.DragRectDenyColor = value;
    if (TMcTreeItem* target = view_->DropTarget()) target->RedrawItem(true);
}

void TCustomMcTree::SetFont(const gdi::LogFont& font) {
    if (font == options_.Font) return;
    options_.Font = font;
    FontChanged();
}
