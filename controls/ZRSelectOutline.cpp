#include "controls/ZRSelectOutline.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>

void TZRSelectOutline::Rebuild() {
    FillLines([](const TZROutlData& e) { return e.Visible != 0; });
}

void TZRSelectOutline::DrawEntry(QPainter& p, int line, const QRect& rect, bool selected) {
    const TZROutlData& e = Data().GetItem(EntryOfLine(line));
    DrawCheckBox(p, e.Level, rect, e.CheckState);
    DrawFolderIcon(p, e.Level + 1, rect, !e.Expanded);
    DrawEntryText(p, e.Level + 2, rect, selected, EntryName(e));
}

void TZRSelectOutline::CheckLine(int line) { ChangeLine(line, true); }

void TZRSelectOutline::UncheckLine(int line) { ChangeLine(line, false); }

void TZRSelectOutline::ChangeLine(int line, bool check) {
    const int32_t index = EntryOfLine(line);
    if (index < 0) return;
    if (check)
        Data().CheckEntry(index);
    else
        Data().UncheckEntry(index);
    viewport()->update();
}

void TZRSelectOutline::ToggleLine(int line) {
    const int32_t index = EntryOfLine(line);
    if (index < 0) return;
    if (Data().GetItem(index).CheckState != 0)
        UncheckLine(line);
    else
        CheckLine(line);
}

void TZRSelectOutline::mousePressEvent(QMouseEvent* event) {
    const int line = LineOfBoxPress(*event, checkBoxes_[0].width());
    if (line >= 0) {
        setCurrentRow(line);
        ToggleLine(line);
        return;
    }
    TZRBaseOutline::mousePressEvent(event);
}

void TZRSelectOutline::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        ToggleLine(currentRow());
        return;
    }
    TZRBaseOutline::keyPressEvent(event);
}
