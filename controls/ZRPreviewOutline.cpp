#include "controls/ZRPreviewOutline.h"

#include "controls/OutlinePictures.h"

#include <QtGui/QPainter>

TZRPreviewOutline::TZRPreviewOutline(QWidget* parent)
    : TZRBaseOutline(parent), marker_(OutlinePicture(TOutlinePicture::Marker)) {}

void TZRPreviewOutline::Rebuild() {
    FillLines([](const TZROutlData& e) { return e.Visible != 0 && e.CheckState != 0; });
    std::vector<int32_t> shown;
    shown.reserve(static_cast<size_t>(count()));
    for (int line = 0; line < count(); ++line) shown.push_back(EntryOfLine(line));
    Data().MarkLastShown(shown);
}

void TZRPreviewOutline::SetShowPlusMinus(bool show) {
    showPlusMinus_ = show;
    viewport()->update();
}

void TZRPreviewOutline::SetShowFolderIcons(bool show) {
    showFolderIcons_ = show;
    viewport()->update();
}

void TZRPreviewOutline::SetShowLines(bool show) {
    showLines_ = show;
    viewport()->update();
}

void TZRPreviewOutline::DrawVertLine(QPainter& p, int column, int top, int bottom) {
    p.fillRect(column * kColumnWidth + 9, top, 1, bottom - top, Qt::black);
}

void TZRPreviewOutline::DrawHalfVertLine(QPainter& p, int column, int top) {
    p.fillRect(column * kColumnWidth + 9, top, 1, 10, Qt::black);
}

void TZRPreviewOutline::DrawHorzLine(QPainter& p, int column, const QRect& rect) {
    p.fillRect(column * kColumnWidth + 9, rect.top() + 9, 19, 1, Qt::black);
}

void TZRPreviewOutline::DrawPlusMinus(QPainter& p, int column, const QRect& rect, bool collapsed) {
    if (collapsed) DrawBoxPicture(p, column, rect, marker_, 1);
}

void TZRPreviewOutline::DrawEntry(QPainter& p, int line, const QRect& rect, bool) {
    const int32_t index = EntryOfLine(line);
    const TZROutlData& e = Data().GetItem(index);
    if (showLines_) {
        for (int32_t a = Data().ParentIndex(index); a >= 0; a = Data().ParentIndex(a)) {
            const TZROutlData& ancestor = Data().GetItem(a);
            if (!ancestor.IsLastShown) DrawVertLine(p, ancestor.Level, rect.top(), rect.bottom() + 1);
        }
        if (e.IsLastShown)
            DrawHalfVertLine(p, e.Level, rect.top());
        else
            DrawVertLine(p, e.Level, rect.top(), rect.bottom() + 1);
        DrawHorzLine(p, e.Level, rect);
    }
    if (showPlusMinus_ && e.HasChildren && !e.Expanded) DrawPlusMinus(p, e.Level, rect, true);
    int textColumn = e.Level + 1;
    if (showFolderIcons_) {
        DrawFolderIcon(p, e.Level + 1, rect, !e.Expanded);
        textColumn = e.Level + 2;
    }
    DrawEntryText(p, textColumn, rect, false, EntryName(e));
}
