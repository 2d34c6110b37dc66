// Tree view: painting the main cell of a row. From the cell's near edge:
// the root column, the connector lines of the levels, the plus/minus
// button, the check box, up to two pictures and the text, whose painted
// extent the item keeps for hit tests, hints and editing.
#include "treectl/view/McTreeView.h"

#include "treectl/support/McGuiUtils.h"
#include "treectl/support/McTools.h"
#include "treectl/tree/McTree.h"
#include "treectl/view/McTreeCellPaint.h"

#include "foundation/Codepage1252.h"
#include "platform/gdi/Canvas.h"
#include "platform/gdi/DrawText.h"
#include "platform/gdi/FrameControl.h"
#include "platform/gdi/ImageList.h"

using gdi::Rect;

namespace {

constexpr uint32_t kTextFlags = gdi::DT_SINGLELINE | gdi::DT_NOPREFIX | gdi::DT_END_ELLIPSIS | gdi::DT_VCENTER;

TMcTreeItem* ShownSibling(const TMcTreeItem* item, bool next, bool filtered) {
    TMcTreeItem* s = next ? item->GetNextSibling() : item->GetPrevSibling();
    while (s && filtered && s->Hidden()) s = next ? s->GetNextSibling() : s->GetPrevSibling();
    return s;
}

// Whether the item or one of its ancestors draws lines.
bool LinesOnPath(const TMcTreeItem* item) {
    for (const TMcTreeItem* a = item; a && !a->IsRoot(); a = a->ParentItem()) {
        if (!a->SuppressLines()) return true;
    }
    return false;
}

}  // namespace

void TMcTreeView::DrawMainCell(gdi::Canvas& canvas, TMcTreeItem* item, const Rect& paintRect, const Rect& rowRect) {
    const TMcTreeSettings& s = tree_.Settings();
    const int32_t left = tree_.LeftPosition(), indent = s.ItemIndent;
    const bool columns = tree_.ShowColumns();
    CellPaint c;
    c.top = rowRect.top;
    c.bottom = rowRect.bottom + 1;
    if (TMcHeaderSection* section = columns ? tree_.Header().Sections().Item(tree_.MainTreeColumn()) : nullptr) {
        const int32_t gridColumn = s.VerticalLines && !s.BarStyle ? 1 : 0;
        c.cell = {section->Left() - left, c.top, section->Right() - left - gridColumn, c.bottom};
    } else {
        c.cell = {-left, c.top, paintRect.right - left, c.bottom};
    }
    c.mirrored = s.RightAlignedTree;
    c.edge = c.mirrored ? c.cell.right : c.cell.left;

    // Background
    const TMcCellStyle* style = item->UseStyles() ? &item->MainStyle() : nullptr;
    gdi::Color brush = rowBackground_;
    bool fill = rowOwnBackground_;
    if (style && !rowOwnBackground_ && !style->UseParentProps) {
        brush = style->CellColor;
        fill = style->FillTextBack;
    }
    const bool inMain = (columns && s.SelectColumn == tree_.MainTreeColumn()) || s.RowSelect;
    if (SelectionShown(item, inMain)) {
        brush = SelectColor();
        fill = true;
    }
    if (DropMarked(item, inMain)) {
        brush = DropColor();
        fill = true;
    }
    if (fill && brush != s.BkColor) canvas.FillRect({c.cell.left, c.top, c.cell.right, c.bottom + 1}, gdi::SolidBrush(brush));

    const bool rootColumn = (s.ShowRoot && tree_.ShowLines()) || (tree_.ShowButtons() && s.ShowRootButtons);
    c.Advance(rootColumn ? indent : indent / 5);
    if (tree_.ShowLines() && !item->SuppressLines()) DrawTreeLines(canvas, item, c);
    c.Advance((item->GetLevel() - 1) * indent);
    if (item->GetTopParent()->SuppressButtons()) c.Advance(-indent);
    DrawButton(canvas, item, c);
    if (tree_.ShowCheckboxes() && item->ShowCheckBox()) DrawCheckBox(canvas, item, c);
    item->ImageDrawn = item->ImageDrawn2 = false;
    if (tree_.ShowImages()) DrawPictures(canvas, item, c);
    DrawMainText(canvas, item, c);
}

// ---- connector lines

void TMcTreeView::DrawTreeLine(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2, const Rect& cell) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    x1 = std::max(x1, cell.left);
    x2 = std::min(x2, cell.right - 1);
    if (x1 > x2) return;
    const TMcTreeSettings& s = tree_.Settings();
    if (s.LinesStyle != gdi::PenStyle::Dot) {
        canvas.MoveTo(x1, y1);
        if (x1 == x2) canvas.LineTo(x1, y2 + 1);
        else canvas.LineTo(x2 + 1, y1);
        return;
    }
    // Every other pixel, on the pixels whose x + y is even, so that the dots
    // of neighbouring segments and rows form one pattern.
    const gdi::Color color = gdi::ResolveColor(s.LinesColor);
    for (int32_t y = y1; y <= y2; ++y) {
        for (int32_t x = x1 + ((x1 + y) & 1); x <= x2; x += 2) canvas.SetPixel(x, y, color);
    }
}

void TMcTreeView::DrawTreeLines(gdi::Canvas& canvas, TMcTreeItem* item, CellPaint& c) {
    const TMcTreeSettings& s = tree_.Settings();
    const bool filtered = tree_.FilteredVisibility();
    const int32_t indent = s.ItemIndent, level = item->GetLevel();
    const int32_t top = c.top, bottom = c.bottom, middle = c.Middle();
    const gdi::Pen saved = canvas.pen();
    canvas.SetPen(gdi::Pen{s.LinesStyle, 1, s.LinesColor});
    // The column of a level: its slot, and the line down its centre.
    auto column = [&](int32_t l) {
        CellPaint at = c;
        at.Advance((l - 1) * indent);
        return at.Slot(indent);
    };
    auto centre = [&](int32_t l) { return column(l).left + indent / 2; };
    auto vertical = [&](int32_t l, int32_t from, int32_t to) {
        DrawTreeLine(canvas, centre(l), from, centre(l), to, c.cell);
    };

    std::vector<TMcTreeItem*> path;  // the top-level ancestor first
    for (TMcTreeItem* a = item; a && !a->IsRoot(); a = a->ParentItem()) path.insert(path.begin(), a);
    if (s.ShowRoot && level > 0 && ShownSibling(path[0], true, filtered)) vertical(0, top, bottom);
    for (int32_t k = 1; k < level; ++k) {
        if (ShownSibling(path[static_cast<size_t>(k)], true, filtered) && LinesOnPath(path[static_cast<size_t>(k)])) {
            vertical(k, top, bottom);
        }
    }
    const Rect own = column(level);
    const int32_t x = centre(level);
    const bool next = ShownSibling(item, true, filtered) != nullptr;
    auto connector = [&] {
        if (c.mirrored) DrawTreeLine(canvas, own.left, middle, x, middle, c.cell);
        else DrawTreeLine(canvas, x, middle, own.right - 1, middle, c.cell);
    };
    if (level == 0) {
        if (s.ShowRoot) {
            connector();
            if (ShownSibling(item, false, filtered)) vertical(0, top, middle);
            if (next) vertical(0, middle, bottom);
        }
    } else {
        const bool ancestorLines = LinesOnPath(item->ParentItem());
        vertical(level, top, middle);
        connector();
        if (next && ancestorLines) vertical(level, middle, bottom);
    }
    canvas.SetPen(saved);
}

// ---- button, check box, pictures

void TMcTreeView::DrawButton(gdi::Canvas& canvas, TMcTreeItem* item, CellPaint& c) {
    const TMcTreeSettings& s = tree_.Settings();
    const int32_t indent = s.ItemIndent;
    const bool wanted = tree_.ShowButtons() && (item->HasVisibleChildren() || item->ForceButtons()) &&
                        !item->SuppressButtons() && (s.ShowRootButtons || item->GetLevel() > 0);
    if (wanted) {
        const bool custom = s.CustomPlusMinus;
        const gdi::Bitmap& picture = custom ? (item->Expanded() ? tree_.MinusPicture() : tree_.PlusPicture())
                                            : TCustomMcTree::DefaultButtonPicture(!item->Expanded());
        const int32_t boxWidth = custom ? picture.Width() : 10, boxHeight = custom ? picture.Height() : 10;
        const Rect slot = c.Slot(indent);
        Rect box;
        CenterBox(boxWidth, indent, boxHeight, box, c.Height());
        const int32_t x = slot.left + box.left, y = c.top + box.top;
        const Rect clip = gdi::IntersectRect(slot, c.cell);
        if (!picture.IsEmpty() && s.PlusMinusTransparent) {
            const Rect shown = gdi::IntersectRect({x, y, x + picture.Width(), y + picture.Height()}, clip);
            if (!shown.IsEmpty()) {
                DrawTransparentBitmapEx(canvas, picture, shown.left, shown.top,
                                        shown.Offset(-x, -y), picture.Pixel(0, picture.Height() - 1));
            }
        } else if (!picture.IsEmpty()) {
            ClippedBlt(canvas, picture, x, y, clip);
        }
    }
    c.Advance(indent);
}

void TMcTreeView::DrawCheckBox(gdi::Canvas& canvas, TMcTreeItem* item, CellPaint& c) {
    const TMcTreeSettings& s = tree_.Settings();
    c.Advance(2);
    const TMcCheckBoxType type = item->CheckBoxType();
    const bool disabled = !item->CheckBoxEnabled();
    if (s.CustomCheckboxes) {
        const gdi::Bitmap* strip =
            type == TMcCheckBoxType::ectRadioButton ? tree_.RadioButtonGlyph() : tree_.CheckBoxGlyph();
        if (!strip || strip->IsEmpty()) return;
        const int32_t w = strip->Width() / 6, h = strip->Height();
        int32_t frame = item->GetChecked() ? 2 : 0;
        if (type == TMcCheckBoxType::ect3SCheckBox && item->CheckBoxState() == TCheckBoxState::cbGrayed) frame = 4;
        frame += disabled ? 1 : 0;
        const Rect slot = c.Slot(w);
        const int32_t y = c.Middle() - h / 2;
        const Rect shown = gdi::IntersectRect({slot.left, y, slot.left + w, y + h}, c.cell);
        if (!shown.IsEmpty()) {
            DrawTransparentBitmapEx(canvas, *strip, shown.left, shown.top,
                                    shown.Offset(frame * w - slot.left, -y), strip->Pixel(0, h - 1));
        }
        c.Advance(w);
        return;
    }
    const int32_t size = s.ItemIndent - 4;
    const Rect slot = c.Slot(size);
    const int32_t y = c.top + (c.Height() - size) / 2;
    uint32_t state = type == TMcCheckBoxType::ectRadioButton ? gdi::DFCS_BUTTONRADIO : gdi::DFCS_BUTTONCHECK;
    if (item->GetChecked()) state |= gdi::DFCS_CHECKED;
    if (type == TMcCheckBoxType::ect3SCheckBox && item->CheckBoxState() == TCheckBoxState::cbGrayed) {
        state |= gdi::DFCS_BUTTON3STATE | gdi::DFCS_CHECKED;
    }
    if (disabled) state |= gdi::DFCS_INACTIVE;
    const Rect box{slot.left, y, slot.left + size, y + size};
    if (gdi::IntersectRect(box, c.cell) == box) {
        gdi::DrawFrameControl(canvas, box, gdi::DFC_BUTTON, state);
    } else {
        const int32_t level = canvas.SaveDC();
        canvas.IntersectClipRect(c.cell.left, c.cell.top, c.cell.right, c.cell.bottom);
        gdi::DrawFrameControl(canvas, box, gdi::DFC_BUTTON, state);
        canvas.RestoreDC(level);
    }
    c.Advance(s.ItemIndent - 2);
}

void TMcTreeView::DrawPictures(gdi::Canvas& canvas, TMcTreeItem* item, CellPaint& c) {
    const TMcTreeSettings& s = tree_.Settings();
    const gdi::ImageList::DrawingStyle look = !s.ChangeStateImage    ? gdi::ImageList::DrawingStyle::Normal
                                              : item->GetSelected()  ? gdi::ImageList::DrawingStyle::Selected
                                              : item == focused_     ? gdi::ImageList::DrawingStyle::Focus
                                                                     : gdi::ImageList::DrawingStyle::Normal;
    auto place = [&](gdi::ImageList& list, int32_t index, bool showEmpty) {
        if (list.IsValidIndex(index)) {
            const gdi::ImageList::DrawingStyle own = list.Style();
            list.SetDrawingStyle(look);
            DrawPicture(canvas, list, index, c);
            list.SetDrawingStyle(own);
            return true;
        }
        if (!showEmpty) return false;
        c.Advance(list.Width());
        return true;
    };
    if (gdi::ImageList* second = s.Images2 ? s.Images2 : s.Images) {
        item->ImageDrawn2 = place(*second, tree_.PictureIndex(item, true), tree_.ShowEmptyImages2());
    }
    if (gdi::ImageList* first = s.Images) {
        const int32_t index = tree_.PictureIndex(item, false);
        if (first->IsValidIndex(index) || tree_.ShowEmptyImages()) {
            if (item->ImageDrawn2) c.Advance(s.ItemIndent / 3);
            item->ImageDrawn = place(*first, index, true);
        }
    }
}

// A picture never paints beyond its cell: one that reaches past the cell's
// far side is drawn clipped to it.
bool TMcTreeView::DrawPicture(gdi::Canvas& canvas, const gdi::ImageList& list, int32_t index, CellPaint& c) {
    const Rect slot = c.Slot(list.Width());
    const int32_t y = c.Middle() - list.Height() / 2;
    const Rect box{slot.left, y, slot.right, y + list.Height()};
    const Rect shown = gdi::IntersectRect(box, c.cell);
    if (shown == box) {
        list.Draw(canvas, index, box.left, box.top);
    } else if (!shown.IsEmpty()) {
        const int32_t level = canvas.SaveDC();
        canvas.IntersectClipRect(shown.left, shown.top, shown.right, shown.bottom);
        list.Draw(canvas, index, box.left, box.top);
        canvas.RestoreDC(level);
    }
    c.Advance(list.Width());
    return true;
}

// ---- the text

void TMcTreeView::DrawMainText(gdi::Canvas& canvas, TMcTreeItem* item, CellPaint& c) {
    const TMcTreeSettings& s = tree_.Settings();
    const int32_t left = tree_.LeftPosition(), indent = s.ItemIndent, main = tree_.MainTreeColumn();
    const bool columns = tree_.ShowColumns();
    TMcHeaderSection* section = columns ? tree_.Header().Sections().Item(main) : nullptr;
    const TMcCellStyle* style = item->UseStyles() ? &item->MainStyle() : nullptr;
    auto keepExtent = [&](int32_t from, int32_t to) {
        item->TextLeft = std::min(from, to) + left;
        item->TextRight = std::max(from, to) + left;
    };
    if (tree_.OwnerDrawnCell(item, section, item->Text(), style)) {
        const Rect r = c.mirrored ? Rect{c.cell.left, c.top, c.edge, c.bottom} : Rect{c.edge, c.top, c.cell.right, c.bottom};
        tree_.DoItemDraw(item, canvas, r, main);
        c.Advance(indent / 3);
        keepExtent(c.edge, c.mirrored ? c.cell.left : c.cell.right);
        return;
    }
    c.Advance(indent / 3);
    if (style && style->DrawStyle == TMcSectionStyle::MchsPictureOnly) {
        if (style->Picture) {
            const gdi::Bitmap& picture = *style->Picture;
            const int32_t x = c.mirrored ? c.edge - picture.Width() : c.edge;
            ClippedBlt(canvas, picture, x, c.Middle() - picture.Height() / 2, c.cell);
        }
        keepExtent(c.edge, c.mirrored ? c.cell.left : c.cell.right);
        return;
    }
    if (style && style->DrawStyle != TMcSectionStyle::MchsText) return;

    CellText look;
    bool background = false;
    look.font = tree_.CellFont(item, style);
    if (!style || style->UseParentProps) {
        look.color = rowText_;
        if (!style && !item->ParentColors()) {
            look.color = item->Color();
            if (item->UseBkColor()) {
                look.back = item->BkColor();
                background = true;
            }
        }
        if (style) {
            const TMcSAlignment align = section ? section->Alignment() : TMcSAlignment::hsaLeft;
            look.flags = kTextFlags | (align == TMcSAlignment::hsaCenter  ? gdi::DT_CENTER
                                       : align == TMcSAlignment::hsaRight ? gdi::DT_RIGHT
                                                                          : gdi::DT_LEFT);
        } else {
            look.flags = kTextFlags | (s.RightAlignedText ? gdi::DT_RIGHT | gdi::DT_RTLREADING : gdi::DT_LEFT);
        }
    } else {
        look.color = style->FontColor;
        look.back = style->TextBackColor;
        background = style->FillTextBack;
        look.flags = style->DrawTextFlags;
    }
    if (rowOwnBackground_ && !background) {
        look.back = rowBackground_;
        background = true;
    }
    if (s.Tracking && s.UnderlineTracked && item == hot_) look.font.underline = true;
    const bool inMain = s.SelectColumn == -1 || s.SelectColumn == main || s.RowSelect || !columns;
    if (SelectionShown(item, inMain)) {
        look.back = SelectColor();
        look.color = SelectTextColor();
        background = true;
    }
    if (s.Tracking && item == hot_) {
        const bool selectedHere =
            item->GetSelected() && (s.RowSelect || s.SelectColumn == -1 || (s.SelectColumn == main && columns));
        if (selectedHere) {
            look.back = s.FocusedSelectColor;
            look.color = s.FocusedSelectTextColor;
            background = true;
        } else {
            look.color = s.TrackColor;
        }
    }
    if (DropMarked(item, inMain)) {
        look.back = DropColor();
        look.color = DropTextColor();
        background = true;
    }

    canvas.SetFont(look.font);
    const std::u16string text = AnsiToWide(item->Text());
    const int32_t textWidth = canvas.TextExtent(text).cx;
    Rect box = c.mirrored ? Rect{std::max(c.edge - textWidth - 3, c.cell.left), c.top, c.edge + 1, c.bottom}
                          : Rect{c.edge - 1, c.top, std::min(c.edge + textWidth + 3, c.cell.right), c.bottom};
    if (box.IsEmpty()) {
        item->TextLeft = item->TextRight = box.left + left - 1;
        return;
    }
    if (background) canvas.FillRect(box, gdi::SolidBrush(look.back));
    canvas.SetTextColor(look.color);
    canvas.SetBkMode(gdi::BkMode::Transparent);
    Rect inside{box.left + 1, box.top, box.right, box.bottom};
    gdi::DrawText(canvas, text, inside, look.flags);
    item->TextLeft = box.left + left - 1;
    item->TextRight = box.right + left + 1;
}
