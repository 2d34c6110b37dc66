// Tree view: painting. The rows on screen, each with its background, the
// cells of the columns, the focus rectangle and the drop-target marks; then
// the grid lines. The main cell (lines, button, check box, pictures, text)
// is in McTreeViewCells.cpp.
#include "treectl/view/McTreeView.h"

#include "treectl/support/McTools.h"
#include "treectl/tree/McTree.h"
#include "treectl/view/McTreeCellPaint.h"

#include "foundation/Codepage1252.h"
#include "platform/gdi/Canvas.h"
#include "platform/gdi/DrawText.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/FrameControl.h"

#include <QtGui/QPaintEvent>

using gdi::Rect;

void TMcTreeView::paintEvent(QPaintEvent* event) {
    buffer_.Paint(*this, *event, [this](gdi::Canvas& canvas) { Paint(canvas); });
}

void TMcTreeView::Paint(gdi::Canvas& canvas) {
    const TMcFlagScope painting(painting_);
    canvas.FillRect(canvas.GetClipBox(), gdi::SolidBrush(tree_.Settings().BkColor));
    PaintRows(canvas);
}

void TMcTreeView::PaintRows(gdi::Canvas& canvas) {
    const TMcTreeSettings& s = tree_.Settings();
    const int32_t left = tree_.LeftPosition();
    if (tree_.ShowColumns() && tree_.Header().LeftPos() != left) tree_.Header().SetLeftPos(left);
    if (tree_.MainTreeColumn() >= tree_.Header().Sections().Count()) tree_.options_.MainTreeColumn = 0;
    const Rect clip = canvas.GetClipBox();
    const bool gridRows = s.HorizontalLines && !s.BarStyle;
    const int32_t lineHeight = tree_.LineHeight();
    for (int32_t i = 0; i < rows_.Count(); ++i) {
        Rect row;
        GetRowRect(i, row);
        if (gridRows) row.bottom -= 1;
        Rect paint = gdi::IntersectRect({row.left, row.top, row.right, row.bottom + 1}, clip);
        if (paint.IsEmpty()) continue;
        paint.bottom = paint.top + lineHeight - (gridRows ? 1 : 0);
        paint.right = tree_.ShowColumns() ? tree_.Header().SectionsWidth() : std::max(contentWidth_, left + width());
        rowBackground_ = s.BkColor;
        rowText_ = s.TextColor;
        TMcTreeItem* item = rows_.At(i);
        if (s.BarStyle) {
            DrawRow(canvas, item, paint.Inflated(-1, -1), row.Inflated(-1, -1));
            DrawBar(canvas, item, row);
        } else {
            DrawRow(canvas, item, paint, row);
        }
    }
    DrawGridLines(canvas);
}

void TMcTreeView::DrawBar(gdi::Canvas& canvas, TMcTreeItem* item, Rect row) {
    row.bottom += 1;
    if (tree_.ShowColumns()) row.right = tree_.Header().SectionsWidth() - tree_.LeftPosition();
    gdi::DrawEdge(canvas, row, item->GetSelected() ? gdi::BDR_SUNKENOUTER : gdi::BDR_RAISEDINNER, gdi::BF_RECT);
}

// ---- colours

bool TMcTreeView::SelectionShown(TMcTreeItem* item, bool inColumn) const {
    return item->GetSelected() && !tree_.Settings().BarStyle && inColumn;
}

gdi::Color TMcTreeView::SelectColor() const {
    const TMcTreeSettings& s = tree_.Settings();
    return IsActiveControl() || !s.HideSelection ? s.FocusedSelectColor : s.HideSelectColor;
}

gdi::Color TMcTreeView::SelectTextColor() const {
    const TMcTreeSettings& s = tree_.Settings();
    return IsActiveControl() || !s.HideSelection ? s.FocusedSelectTextColor : s.HideSelectTextColor;
}

bool TMcTreeView::DropMarked(TMcTreeItem* item, bool inColumn) const {
    const TDragTargetDraw mode = tree_.Settings().DragTrgDrawMode;
    return item == dropTarget_ && inColumn && (mode == TDragTargetDraw::ColorRect || mode == TDragTargetDraw::SelColorRect);
}

gdi::Color TMcTreeView::DropColor() const {
    const TMcTreeSettings& s = tree_.Settings();
    if (s.DragTrgDrawMode == TDragTargetDraw::SelColorRect || s.DragTrgDrawMode == TDragTargetDraw::dtdUpSelColorLine ||
        s.DragTrgDrawMode == TDragTargetDraw::dtdDownSelColorLine) {
        return clHighlight;
    }
    return dropAccepted_ ? s.DragRectAcceptColor : s.DragRectDenyColor;
}

gdi::Color TMcTreeView::DropTextColor() const {
    return tree_.Settings().DragTrgDrawMode == TDragTargetDraw::SelColorRect ? clHighlightText : clBtnText;
}

void TMcTreeView::RowColors(gdi::Canvas&, TMcTreeItem* item) {
    const TMcTreeSettings& s = tree_.Settings();
    rowOwnBackground_ = rowColorFromItem_ = false;
    if (!item->ParentColors() && item->UseBkColor()) {
        rowBackground_ = item->RowBkColor();
        rowOwnBackground_ = rowColorFromItem_ = true;
    }
    if (item->GetSelected() && !s.BarStyle && s.RowSelect) {
        if (IsActiveControl() || !s.HideSelection) {
            rowBackground_ = s.FocusedSelectColor;
            rowText_ = clHighlightText;
        } else {
            rowBackground_ = s.HideSelectColor;
            rowText_ = s.HideSelectTextColor;
        }
        rowOwnBackground_ = true;
    }
    if (s.RowSelect && DropMarked(item, true)) {
        rowBackground_ = DropColor();
        rowText_ = DropTextColor();
        rowOwnBackground_ = true;
    }
}

// ---- one row

void TMcTreeView::DrawRow(gdi::Canvas& canvas, TMcTreeItem* item, const Rect& paintRect, const Rect& rowRect) {
    RowColors(canvas, item);
    if (!tree_.ShowColumns()) {
        DrawMainCell(canvas, item, paintRect, rowRect);
    } else {
        const TMcHeaderSections& sections = tree_.Header().Sections();
        for (int32_t index = 0; index < sections.Count(); ++index) {
            TMcHeaderSection* section = sections.Item(index);
            if (!section || !section->Visible()) continue;
            if (index == tree_.MainTreeColumn()) DrawMainCell(canvas, item, paintRect, rowRect);
            else DrawCell(canvas, item, section, rowRect);
        }
        if (item->StrikeLine) DrawStrikeLine(canvas, item, rowRect);
    }
    DrawFocusAndMarks(canvas, item, rowRect);
}

void TMcTreeView::DrawStrikeLine(gdi::Canvas& canvas, TMcTreeItem* item, const Rect& rowRect) {
    const int32_t left = tree_.LeftPosition();
    const int32_t y = (rowRect.top + rowRect.bottom) / 2 + 1;
    const gdi::Pen saved = canvas.pen();
    canvas.pen() = gdi::Pen{gdi::PenStyle::Solid, 1, item->GetSelected() ? clHighlightText : item->StrikeLineColor};
    canvas.MoveTo(item->TextLeft - left - 2, y);
    canvas.LineTo(rowRect.right + left, y);
    canvas.SetPen(saved);
}

// A cell of a column other than the main one.
void TMcTreeView::DrawCell(gdi::Canvas& canvas, TMcTreeItem* item, TMcHeaderSection* section, const Rect& rowRect) {
    const TMcTreeSettings& s = tree_.Settings();
    const int32_t index = section->Index();
    const int32_t entry = index > tree_.MainTreeColumn() ? index - 1 : index;
    const TMcCellStyle* style = nullptr;
    if (item->UseStyles()) {
        style = entry < item->StylesCount() && !section->UseMainStyle() ? item->GetStyle(entry) : &item->MainStyle();
    }
    const bool treeProps = !style || style->UseParentProps;
    gdi::Color brush = rowBackground_;
    bool filled = true;
    if (style && !rowOwnBackground_ && !style->UseParentProps) {
        // A style with its own colours fills its cell only when it asks to.
        brush = style->CellColor;
        filled = style->FillTextBack;
    }
    const bool inColumn = s.SelectColumn == index || s.RowSelect;
    if (SelectionShown(item, inColumn)) {
        brush = SelectColor();
        filled = true;
    }
    if (DropMarked(item, s.RowSelect || s.SelectColumn == index)) {
        brush = DropColor();
        filled = true;
    }
    const int32_t left = tree_.LeftPosition();
    const bool gridColumns = s.VerticalLines && !s.BarStyle;
    const Rect cell{section->Left() - left, rowRect.top, section->Right() - left - (gridColumns ? 1 : 0),
                    rowRect.bottom + 1};
    if (filled && brush != s.BkColor) canvas.FillRect(cell, gdi::SolidBrush(brush));
    const std::string text = section->Password() ? kPasswordText : item->CellText(index);
    if (tree_.OwnerDrawnCell(item, section, text, style)) {
        tree_.DoItemDraw(item, canvas, cell.Inflated(-1, -1), index);
        return;
    }
    if (style && style->DrawStyle == TMcSectionStyle::MchsPictureOnly) {
        if (style->Picture) {
            const gdi::Bitmap& picture = *style->Picture;
            const int32_t x = cell.left + (cell.Width() - picture.Width()) / 2;
            const int32_t y = cell.top + (cell.Height() - picture.Height()) / 2;
            ClippedBlt(canvas, picture, x, y, cell);
        }
        return;
    }
    if (style && style->DrawStyle != TMcSectionStyle::MchsText) return;
    CellText look;
    look.font = tree_.CellFont(item, style);
    look.color = treeProps ? rowText_ : style->FontColor;
    look.back = treeProps ? brush : style->TextBackColor;
    look.fill = !treeProps && filled;  // the cell itself is in the tree's colours already
    if (treeProps) {
        look.flags = AlignmentFlags(section->Alignment(), s.RightAlignedText);
    } else {
        look.flags = style->DrawTextFlags;
    }
    if (s.Tracking && item == hot_ && s.UnderlineTracked && s.RowHotTrack) look.font.underline = true;
    if (SelectionShown(item, inColumn)) look.color = SelectTextColor();
    if (DropMarked(item, s.RowSelect || s.SelectColumn == index)) look.color = DropTextColor();
    DrawColumnText(canvas, text, cell, look);
}

uint32_t TMcTreeView::AlignmentFlags(TMcSAlignment alignment, bool rightAlignedText) {
    uint32_t flags = gdi::DT_SINGLELINE | gdi::DT_NOPREFIX | gdi::DT_END_ELLIPSIS | gdi::DT_VCENTER;
    switch (alignment) {
    case TMcSAlignment::hsaCenter: return flags | gdi::DT_CENTER;
    case TMcSAlignment::hsaLeft: return flags | (rightAlignedText ? gdi::DT_RIGHT | gdi::DT_RTLREADING : gdi::DT_LEFT);
    case TMcSAlignment::hsaRight: return flags | (rightAlignedText ? gdi::DT_LEFT | gdi::DT_RTLREADING : gdi::DT_RIGHT);
    }
    return flags;
}

// The text box of a column cell, placed by the alignment, filled, and the text in it.
void TMcTreeView::DrawColumnText(gdi::Canvas& canvas, const std::string& text, const Rect& cell, const CellText& look) {
    const int32_t indent = tree_.Settings().ItemIndent;
    canvas.SetFont(look.font);
    const std::u16string wide = AnsiToWide(text);
    const int32_t textWidth = canvas.TextExtent(wide).cx;
    Rect r{cell.left + 1, cell.top, cell.right - 1, cell.bottom};
    if (look.flags & gdi::DT_CENTER) {
        const int32_t w = std::min(textWidth + 5, cell.Width());
        r.left = cell.left + (cell.Width() - w) / 2;
        r.right = r.left + w;
    } else if (look.flags & gdi::DT_RIGHT) {
        r.left = std::max(r.right - indent / 3 - (textWidth + 2), cell.left);
        r.right -= indent / 5;
    } else {
        r.right = std::min(r.left + indent / 3 + textWidth + 2, cell.right);
        r.left += indent / 5;
    }
    if (r.IsEmpty()) return;
    if (look.fill) canvas.FillRect(r, gdi::SolidBrush(look.back));
    canvas.SetTextColor(look.color);
    canvas.SetBkMode(gdi::BkMode::Transparent);
    Rect textRect = r;
    gdi::DrawText(canvas, wide, textRect, look.flags);
}

void TMcTreeView::ClippedBlt(gdi::Canvas& canvas, const gdi::Bitmap& picture, int32_t x, int32_t y, const Rect& clip) {
    const Rect shown = gdi::IntersectRect({x, y, x + picture.Width(), y + picture.Height()}, clip);
    if (shown.IsEmpty()) return;
    canvas.BitBlt(shown.left, shown.top, shown.Width(), shown.Height(), picture, shown.left - x, shown.top - y);
}

// ---- focus rectangle and drop marks

void TMcTreeView::DrawFocusAndMarks(gdi::Canvas& canvas, TMcTreeItem* item, const Rect& rowRect) {
    const TMcTreeSettings& s = tree_.Settings();
    const int32_t left = tree_.LeftPosition();
    const bool columns = tree_.ShowColumns();
    const bool gridColumns = s.VerticalLines && !s.BarStyle;
    Rect focus;
    if (s.RowSelect) {
        const int32_t right = columns ? tree_.Header().SectionsWidth() - left - (gridColumns ? 1 : 0) - (s.BarStyle ? 1 : 0)
                                      : rowRect.right + 1;
        focus = {rowRect.left - left, rowRect.top, right, rowRect.bottom + 1};
    } else if (TMcHeaderSection* section = columns ? tree_.Header().Sections().Item(s.SelectColumn) : nullptr) {
        focus = {section->Left() - left, rowRect.top, section->Right() - left - (s.VerticalLines ? 1 : 0),
                 rowRect.bottom + 1};
    } else {
        focus = {item->TextLeft + 1 - left, rowRect.top, item->TextRight - 1 - left, rowRect.bottom + 1};
    }
    bool drawFocus = tree_.Focused() || !s.HideFocusRect;
    tree_.DoItemPostDraw(canvas, item, rowRect, drawFocus);
    if (item == focused_ && drawFocus && s.DrawFocusRect) {
        canvas.SetBkColor(s.BkColor);
        canvas.SetTextColor(s.TextColor);
        gdi::DrawFocusRect(canvas, focus);
    }
    if (item != dropTarget_) return;
    Rect mark{rowRect.left - left, rowRect.top, columns ? width() - (s.BarStyle ? 1 : 0) : rowRect.right + 1,
              rowRect.bottom + 2};
    const gdi::Brush color = gdi::SolidBrush(DropColor());
    auto line = [&](int32_t y, int32_t tick) {
        canvas.FillRect({mark.left, y, mark.right, y + 1}, color);
        canvas.FillRect({mark.left, std::min(y, y + tick), mark.left + 1, std::max(y, y + tick) + 1}, color);
        canvas.FillRect({mark.right - 1, std::min(y, y + tick), mark.right, std::max(y, y + tick) + 1}, color);
    };
    switch (s.DragTrgDrawMode) {
    case TDragTargetDraw::ColorFrame: canvas.FrameRect(mark, color); break;
    case TDragTargetDraw::dtdUpColorLine:
    case TDragTargetDraw::dtdUpSelColorLine: line(mark.top, 3); break;
    case TDragTargetDraw::dtdDownColorLine:
    case TDragTargetDraw::dtdDownSelColorLine: line(mark.bottom - 1, -3); break;
    default: break;
    }
}

// ---- grid lines

void TMcTreeView::DrawGridLines(gdi::Canvas& canvas) {
    const TMcTreeSettings& s = tree_.Settings();
    if (s.BarStyle && !s.BarStyleVerticalLines) return;
    const gdi::Brush brush = gdi::SolidBrush(s.DivLinesColor);
    const Rect clip = canvas.GetClipBox();
    const int32_t left = tree_.LeftPosition();
    const bool columns = tree_.ShowColumns();
    if (s.HorizontalLines && !s.BarStyle) {
        const int32_t lineHeight = tree_.LineHeight();
        const int32_t right = columns ? tree_.Header().SectionsWidth() - left : width();
        for (int32_t i = 0; i < rows_.Count(); ++i) {
            const int32_t y = i * lineHeight + lineHeight - 1;
            if (y >= height()) break;
            if (rows_.At(i)->HorizontalLine) canvas.FillRect(gdi::IntersectRect({0, y, right, y + 1}, clip), brush);
        }
    }
    const TMcHeaderSections& sections = tree_.Header().Sections();
    if (!s.VerticalLines || !columns || sections.Count() == 0) return;
    const int32_t bottom = s.VerticalLinesLong ? height() : SummedRowsHeight();
    for (int32_t index = 0; index < sections.Count(); ++index) {
        const TMcHeaderSection* section = sections.Item(index);
        if (!section || !section->Visible() || section->Width() <= 0) continue;
        const int32_t x = section->Right() - left - 1;
        canvas.FillRect(gdi::IntersectRect({x, 0, x + 1, bottom}, clip), brush);
    }
}
