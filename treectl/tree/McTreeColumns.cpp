// Tree control: the columns. Cell pictures and fonts, measuring cells,
// sizing columns to their widest cell, and the reactions to what the header
// reports (resizing, moving, showing, creating and deleting sections, their
// changed settings, buttons, drawing, mouse and the header's own size).
#include "treectl/tree/McTree.h"

#include "treectl/items/McUpdateBracket.h"
#include "treectl/support/McTools.h"

#include "foundation/Codepage1252.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/DrawText.h"
#include "platform/gdi/ImageList.h"

#include <cmath>

namespace {

// The canvas the tree measures texts on.
gdi::BitmapCanvas& MeasureCanvas() {
    static thread_local gdi::BitmapCanvas canvas(1, 1);
    return canvas;
}

int32_t TextWidth(const gdi::LogFont& font, const std::string& text, uint32_t extraFlags, int32_t& height) {
    gdi::BitmapCanvas& canvas = MeasureCanvas();
    canvas.SetFont(font);
    gdi::Rect r{0, 0, 0, 0};
    gdi::DrawText(canvas, AnsiToWide(text),
                  r, gdi::DT_CALCRECT | gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX | extraFlags);
    height = r.Height();
    return r.Width();
}

}  // namespace

// ---- pictures and fonts of cells

bool TCustomMcTree::StateImageApplies(const TMcTreeItem* item) const {
    return item->Focused() || item->GetSelected() || item->Cut() || (item->Expanded() && item->HasVisibleChildren());
}

int32_t TCustomMcTree::PictureIndex(TMcTreeItem* item, bool second) {
    const bool state = StateImageApplies(item);
    int32_t index = second ? (state ? item->StateImageIndex2() : item->ImageIndex2())
                           : (state ? item->StateImageIndex() : item->ImageIndex());
    if (index != -1) return index;
    index = second ? item->ImageIndex2() : item->ImageIndex();
    if (second && OnItemPicDraw2) OnItemPicDraw2(*this, item, index);
    if (!second && OnItemPicDraw) OnItemPicDraw(*this, item, index);
    return index;
}

gdi::LogFont TCustomMcTree::CellFont(const TMcTreeItem* item, const TMcCellStyle* style) const {
    gdi::LogFont font = options_.Font;
    if (style && !style->UseParentProps) {
        if (!style->FontName.empty()) font.faceName = style->FontName;
        if (style->FontSize > 0) font.height = -static_cast<int32_t>(std::lround(style->FontSize * 96.0 / 72.0));
        font.weight = (style->FontStyles & fsBold) ? gdi::FW_BOLD : gdi::FW_NORMAL;
        font.italic = (style->FontStyles & fsItalic) != 0;
        font.underline = (style->FontStyles & fsUnderline) != 0;
        font.strikeOut = (style->FontStyles & fsStrikeOut) != 0;
        return font;
    }
    if (!item->ParentStyle()) {
        font.weight = item->Bold() ? gdi::FW_BOLD : gdi::FW_NORMAL;
        font.italic = item->Italic();
        font.underline = item->Underlined();
        font.strikeOut = item->StrikeOut();
    }
    return font;
}

// ---- measuring

void TCustomMcTree::MeasureCell(TMcTreeItem* item, int32_t sectionIndex, gdi::Point& size) {
    if (sectionIndex == -1 || sectionIndex == options_.MainTreeColumn) MeasureMainCell(item, size);
    else MeasureColumnCell(item, sectionIndex, size);
}

bool TCustomMcTree::OwnerDrawnCell(const TMcTreeItem* item, const TMcHeaderSection* section, const std::string& text,
                                   const TMcCellStyle* style) const {
    if (settings_.OwnerDrawByColumn ? section && section->Style() == TMcSectionStyle::MchsOwnerDraw
                                    : text == settings_.OwnerDrawMask) {
        return true;
    }
    return item->UseStyles() && style && style->DrawStyle == TMcSectionStyle::MchsOwnerDraw;
}

void TCustomMcTree::MeasureMainCell(TMcTreeItem* item, gdi::Point& size) {
    const int32_t indent = settings_.ItemIndent;
    size.y = options_.LineHeight;
    int32_t width = (settings_.ShowRoot && options_.ShowLines) || (options_.ShowButtons && settings_.ShowRootButtons)
                        ? indent
                        : indent / 5;
    width += item->GetLevel() * indent;
    if (options_.ShowCheckboxes && item->ShowCheckBox()) width += 2 + CheckBoxSlot(item);
    if (options_.ShowImages) {
        bool second = false;
        const gdi::ImageList* list2 = settings_.Images2 ? settings_.Images2 : settings_.Images;
        if (list2 && (list2->IsValidIndex(PictureIndex(item, true)) || options_.ShowEmptyImages2)) {
            width += list2->Width();
            second = true;
        }
        const gdi::ImageList* list = settings_.Images;
        if (list && (list->IsValidIndex(PictureIndex(item, false)) || options_.ShowEmptyImages)) {
            if (second) width += indent / 3;
            width += list->Width();
        }
    }
    const TMcHeaderSection* section = options_.ShowColumns ? header_->Sections().Item(options_.MainTreeColumn) : nullptr;
    const TMcCellStyle* style = item->UseStyles() ? &item->MainStyle() : nullptr;
    width += (indent / 5) * 3;
    if (OwnerDrawnCell(item, section, item->Text(), style)) {
        gdi::Point owner;
        if (OnMeasureCell) OnMeasureCell(*this, item, -1, owner);
        width += owner.x;
    } else if (!style || style->DrawStyle == TMcSectionStyle::MchsText) {
        int32_t height = 0;
        width += TextWidth(CellFont(item, style), item->Text(), settings_.RightAlignedText ? gdi::DT_RTLREADING : 0,
                           height);
        size.y = std::max(size.y, height + 1);
    } else if (style->DrawStyle == TMcSectionStyle::MchsPictureOnly && style->Picture) {
        width += style->Picture->Width() + 3;
    }
    width += settings_.VerticalLines ? 4 : 2;
    size.x = width;
}

// The width a check box takes in the main cell after its 2-pixel gap. The
// custom glyph strip is the one the item's box is drawn from.
int32_t TCustomMcTree::CheckBoxSlot(const TMcTreeItem* item) const {
    if (!settings_.CustomCheckboxes) return settings_.ItemIndent + 2;
    const gdi::Bitmap* strip =
        item->CheckBoxType() == TMcCheckBoxType::ectRadioButton ? radioButtonGlyph_.get() : checkBoxGlyph_.get();
    return strip ? strip->Width() / 6 : 0;
}

void TCustomMcTree::MeasureColumnCell(TMcTreeItem* item, int32_t column, gdi::Point& size) {
    const TMcHeaderSection* section = header_->Sections().Item(column);
    const int32_t entry = column > options_.MainTreeColumn ? column - 1 : column;
    const TMcCellStyle* style = nullptr;
    if (item->UseStyles()) style = entry < item->StylesCount() ? item->GetStyle(entry) : &item->MainStyle();
    const std::string text = item->CellText(column);
    const int32_t margin = (settings_.ItemIndent / 5) * 3;
    if (OwnerDrawnCell(item, section, text, style)) {
        if (OnMeasureCell) OnMeasureCell(*this, item, column, size);
        size.x += margin;
    } else if (style && style->DrawStyle == TMcSectionStyle::MchsPictureOnly && style->Picture) {
        size = {style->Picture->Width(), style->Picture->Height()};
    } else if (!style || style->DrawStyle == TMcSectionStyle::MchsText) {
        int32_t height = 0;
        const int32_t width = TextWidth(CellFont(item, style), section && section->Password() ? kPasswordText : text,
                                        settings_.RightAlignedText ? gdi::DT_RTLREADING : 0, height);
        size.x = margin + width + 2 + 2;
        size.y = std::max(options_.LineHeight, height + 2 + 1);
    } else {
        size = {0, options_.LineHeight};
    }
}

int32_t TCustomMcTree::WidestCell(int32_t sectionIndex, bool shownOnly) {
    if (sectionIndex >= header_->Sections().Count()) return 0;
    int32_t widest = 0;
    TMcTreeItem* skipping = nullptr;
    for (TMcTreeItem* item : allItems_) {
        if (skipping && item->IsUnder(skipping)) continue;
        skipping = nullptr;
        if (shownOnly && options_.FilteredVisibility && item->Hidden()) {
            skipping = item;
            continue;
        }
        gdi::Point size;
        MeasureCell(item, sectionIndex, size);
        widest = std::max(widest, size.x);
        if (shownOnly && !item->Expanded()) skipping = item;
    }
    return widest;
}

int32_t TCustomMcTree::CaptionWidth(TMcHeaderSection* section) {
    int32_t textWidth = 0;
    return header_->MeasureSectionWidth(section, textWidth);
}

void TCustomMcTree::AutoSizeColumn(int32_t column) {
    if (updateCount_ > 0) return;
    TMcHeaderSection* section = header_->Sections().Item(column);
    if (!section || !section->AutoSize()) return;
    section->SetWidth(std::max(CaptionWidth(section), WidestCell(column, true)));
    SectionResized(section);
}

void TCustomMcTree::AutoSizeAllColumns() {
    if (columnSizing_ || updateCount_ > 0) return;
    const TMcFlagScope sizing(columnSizing_);
    for (int32_t i = 0; i < header_->Sections().Count(); ++i) AutoSizeColumn(i);
}

// ---- reactions to the header

void TCustomMcTree::BindHeader() {
    TMcHeader& h = *header_;
    h.OnSectionResize = [this](TCustomMcHeader&, TMcHeaderSection* s) { SectionResized(s); };
    h.OnSectionClick = [this](TCustomMcHeader&, TMcHeaderSection* s) { SectionClicked(s); };
    h.OnSectionMove = [this](TCustomMcHeader&, TMcHeaderSection* s, int32_t from, int32_t to) {
        SectionMoved(s, from, to);
    };
    h.OnSectionShowHide = [this](TCustomMcHeader&, TMcHeaderSection* s) { SectionShownOrHidden(s); };
    h.OnSectionDelete = [this](TCustomMcHeader&, TMcHeaderSection* s) { SectionDeleted(s); };
    h.OnSectionCreate = [this](TCustomMcHeader&, TMcHeaderSection* s) { SectionCreated(s); };
    h.OnSectionChange = [this](TCustomMcHeader&, TMcHeaderSection* s, TSectionChangeMode c) { SectionChanged(s, c); };
    h.OnSectionAutoSize = [this](TCustomMcHeader&, TMcHeaderSection* s) { SectionAutoSizeRequest(s); };
    auto expanded = [this](TMcHeaderSection* s, const SectionEvent& event) {
        if (event) event(*this, s);
        TMcUpdateBracket bracket(*this);
        view_->fullRepaint = true;
        changed_ = true;
    };
    h.OnSectionExpand = [this, expanded](TCustomMcHeader&, TMcHeaderSection* s) { expanded(s, OnHeaderSectionExpand); };
    h.OnSectionCollapse = [this, expanded](TCustomMcHeader&, TMcHeaderSection* s) {
        expanded(s, OnHeaderSectionCollapse);
    };
    h.OnSectionDraw = [this](TCustomMcHeader& sender, TMcHeaderSection* s, gdi::Canvas& c, const gdi::Rect& r, bool p) {
        if (OnHeaderColumnDraw) OnHeaderColumnDraw(sender, s, c, r, p);
    };
    h.OnFilterCall = [this](TCustomMcHeader&, TMcHeaderSection* s) {
        if (OnHeaderSectionFilterCall) OnHeaderSectionFilterCall(*this, s->Index());
    };
    h.OnMouseDown = [this](TCustomMcHeader& sender, Qt::MouseButton b, Qt::KeyboardModifiers shift, int32_t x,
                           int32_t y) {
        if (view_->Editor()) view_->EndEdit(true);
        if (OnHeaderMouseDown) OnHeaderMouseDown(sender, b, shift, x, y);
    };
    h.OnResize = [this](TCustomMcHeader&) { HeaderResized(); };
    h.OnHeaderLookup = [this](TCustomMcHeader&, TMcHeaderSection* s, std::string& text) { HeaderLookup(s, text); };
    h.OnHeaderLookupDone = [this](TCustomMcHeader&, TMcHeaderSection* s, const std::string& text, bool accepted) {
        if (OnHeaderLookupDone) OnHeaderLookupDone(*this, s, text, accepted);
    };
}

void TCustomMcTree::SectionResized(TMcHeaderSection* section) {
    TMcUpdateBracket bracket(*this);
    if (OnHeaderColumnResize) OnHeaderColumnResize(*this, section->Index());
    view_->rowsRepaint = view_->rowsDirty = true;
    if (settings_.VerticalLines) view_->fullRepaint = true;
    changed_ = true;
}

void TCustomMcTree::SectionMoved(TMcHeaderSection* section, int32_t oldPos, int32_t newPos) {
    {
        TMcUpdateBracket bracket(*this);
        view_->fullRepaint = true;
        changed_ = true;
    }
    if (OnHeaderColumnMove) OnHeaderColumnMove(*this, section, oldPos, newPos);
}

void TCustomMcTree::SectionShownOrHidden(TMcHeaderSection*) {
    TMcUpdateBracket bracket(*this);
    view_->fullRepaint = true;
    view_->SetContentWidth(-1);
    if (header_->SectionsWidth() < view_->width()) {
        header_->update();
        options_.LeftPosition = 0;
        header_->SetLeftPos(0);
    }
    changed_ = true;
}

void TCustomMcTree::SectionDeleted(TMcHeaderSection*) {
    TMcUpdateBracket bracket(*this);
    if (header_->Sections().Count() == 0) SetShowColumns(false);
    if (options_.ShowColumns) view_->rowsDirty = true;
    else view_->SetContentWidth(-1);
    if (options_.MainTreeColumn >= header_->Sections().Count()) options_.MainTreeColumn = 0;
    ArrangeChildren();
    changed_ = true;
}

void TCustomMcTree::SectionCreated(TMcHeaderSection*) {
    TMcUpdateBracket bracket(*this);
    changed_ = true;
    ArrangeChildren();
}

void TCustomMcTree::SectionChanged(TMcHeaderSection* section, TSectionChangeMode change) {
    if (!section->Visible()) return;
    if (change == TSectionChangeMode::scmAlign ||
        (change == TSectionChangeMode::scmStyle && settings_.OwnerDrawByColumn)) {
        TMcUpdateBracket bracket(*this);
        view_->fullRepaint = true;
        changed_ = true;
    } else if (change == TSectionChangeMode::scmPassword) {
        view_->update();
    }
}

void TCustomMcTree::SectionAutoSizeRequest(TMcHeaderSection* section) {
    const int32_t index = section->Index();
    if (section->AutoSize()) {
        AutoSizeColumn(index);
    } else if (settings_.AutoResizeColumns) {
        section->SetWidth(std::max(CaptionWidth(section), WidestCell(index, true)));
        SectionResized(section);
    } else if (OnHeaderSectionAutoSize) {
        OnHeaderSectionAutoSize(*this, index);
    }
}

void TCustomMcTree::HeaderResized() {
    if (view_->IsPainting()) return;
    {
        TMcUpdateBracket bracket(*this);
        view_->rowsRepaint = view_->rowsDirty = true;
        changed_ = true;
        if (header_->height() != lastHeaderHeight_ && options_.ShowColumns) {
            view_->fullRepaint = view_->countStale = true;
            ArrangeChildren();
        }
        if (header_->LeftPos() != options_.LeftPosition) header_->SetLeftPos(options_.LeftPosition);
    }
    if (OnHeaderResize) OnHeaderResize(*this);
}
