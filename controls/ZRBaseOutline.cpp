#include "controls/ZRBaseOutline.h"

#include "controls/OutlinePictures.h"
#include "foundation/Codepage1252.h"
#include "platform/shell/Volumes.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyledItemDelegate>

namespace {

const QColor kOutlineGrey(0x80, 0x80, 0x80);

class TOutlineLineDelegate : public QStyledItemDelegate {
public:
    explicit TOutlineLineDelegate(TZRBaseOutline* outline) : QStyledItemDelegate(outline), outline_(outline) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        outline_->PaintLine(*p, index.row(), option.rect, option.state & QStyle::State_Selected);
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {1, TZRBaseOutline::kLineHeight};
    }

private:
    TZRBaseOutline* outline_;
};

}  // namespace

TZRBaseOutline::TZRBaseOutline(QWidget* parent)
    : QListWidget(parent),
      plus_(OutlinePicture(TOutlinePicture::PlusBox)),
      minus_(OutlinePicture(TOutlinePicture::MinusBox)),
      closedFolder_(OutlinePicture(TOutlinePicture::ClosedFolder)),
      openFolder_(OutlinePicture(TOutlinePicture::OpenFolder)),
      checkBoxes_{OutlinePicture(TOutlinePicture::CheckEmpty), OutlinePicture(TOutlinePicture::CheckGrey),
                  OutlinePicture(TOutlinePicture::CheckBlack)} {
    setItemDelegate(new TOutlineLineDelegate(this));
    setUniformItemSizes(true);
}

void TZRBaseOutline::AssignData(const TZROutlDataList& list) {
    data_.Assign(list);
    Rebuild();
}

int32_t TZRBaseOutline::EntryOfLine(int line) const {
    const QListWidgetItem* it = item(line);
    return it ? it->data(Qt::UserRole).toInt() : -1;
}

void TZRBaseOutline::PaintLine(QPainter& p, int line, const QRect& rect, bool selected) {
    const int32_t entry = EntryOfLine(line);
    p.save();
    p.fillRect(rect, entry < 0 ? palette().base() : QBrush(Qt::white));
    if (entry >= 0 && entry < data_.Count()) DrawEntry(p, line, rect, selected);
    p.restore();
}

void TZRBaseOutline::DrawVertLine(QPainter& p, int column, int top, int bottom) {
    const int x = column * kColumnWidth + 9;
    for (int y = top; y <= bottom; ++y) p.fillRect(x, y, 1, 1, (y & 1) ? kOutlineGrey : QColor(Qt::white));
}

void TZRBaseOutline::DrawHalfVertLine(QPainter& p, int column, int top) { DrawVertLine(p, column, top, top + 9); }

void TZRBaseOutline::DrawHorzLine(QPainter& p, int column, const QRect& rect) {
    const int x = column * kColumnWidth + 9;
    for (int i = 0; i <= 18; ++i)
        p.fillRect(x + i, rect.top() + 9, 1, 1, (i & 1) ? QColor(Qt::white) : kOutlineGrey);
}

void TZRBaseOutline::DrawEntryText(QPainter& p, int column, const QRect& rect, bool selected, const QString& text) {
    const QFontMetrics metrics(font());
    const int x = column * kColumnWidth + 2;
    const QRect back(x, rect.top() + 1, metrics.horizontalAdvance(text) + 2, rect.height() - 2);
    if (selected) p.fillRect(back, palette().highlight());
    p.setFont(font());
    p.setPen(selected ? palette().highlightedText().color() : QColor(Qt::black));
    const int textHeight = metrics.boundingRect(QStringLiteral("Xy")).height();
    p.drawText(QPoint(x + 1, rect.top() + (rect.height() - textHeight) / 2 + metrics.ascent()), text);
}

void TZRBaseOutline::DrawBoxPicture(QPainter& p, int column, const QRect& rect, const QPixmap& picture, int offset) {
    const int x = column * kColumnWidth + offset + (kColumnWidth - picture.width()) / 2;
    const int y = (rect.top() + rect.bottom() + 1 - picture.height()) / 2;
    p.drawPixmap(x, y, picture);
}

void TZRBaseOutline::DrawPlusMinus(QPainter& p, int column, const QRect& rect, bool collapsed) {
    DrawBoxPicture(p, column, rect, collapsed ? plus_ : minus_, 1);
}

void TZRBaseOutline::DrawFolderIcon(QPainter& p, int column, const QRect& rect, bool collapsed) {
    DrawBoxPicture(p, column, rect, collapsed ? closedFolder_ : openFolder_, 0);
}

void TZRBaseOutline::DrawCheckBox(QPainter& p, int column, const QRect& rect, int state) {
    DrawBoxPicture(p, column, rect, checkBoxes_[std::clamp(state, 0, 2)], 1);
}

void TZRBaseOutline::FillLines(const std::function<bool(const TZROutlData&)>& shown) {
    const int32_t selectedEntry = EntryOfLine(currentRow());
    const int top = verticalScrollBar()->value();
    setUpdatesEnabled(false);
    clear();
    int selectedLine = -1;
    for (int32_t i = 0; i < data_.Count(); ++i) {
        if (!shown(data_.GetItem(i))) continue;
        auto* line = new QListWidgetItem(QString::number(i), this);
        line->setData(Qt::UserRole, i);
        if (i == selectedEntry) selectedLine = count() - 1;
    }
    if (selectedLine >= 0) setCurrentRow(selectedLine);
    verticalScrollBar()->setValue(top);
    setUpdatesEnabled(true);
}

int TZRBaseOutline::LineOfBoxPress(const QMouseEvent& event, int boxWidth) const {
    const int line = indexAt(event.position().toPoint()).row();
    const int32_t index = EntryOfLine(line);
    if (index < 0) return -1;
    const int column = data_.GetItem(index).Level;
    const int x = static_cast<int>(event.position().x());
    const int left = column * kColumnWidth + (kColumnWidth - boxWidth) / 2;
    const int right = column * kColumnWidth + (boxWidth + kColumnWidth) / 2;
    return x >= left && x <= right ? line : -1;
}

QString TZRBaseOutline::EntryName(const TZROutlData& entry) {
    return shell::LastPathName(AnsiToUnicode(entry.Path));
}
