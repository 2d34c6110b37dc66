#include "controls/ZRLayoutOutline.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>

namespace {

// Events run at most this often while a volume is read.
constexpr qint64 kReadPumpMilliseconds = 30;

}  // namespace

TZRLayoutOutline::TZRLayoutOutline(QWidget* parent) : TZRBaseOutline(parent) {
    Data().OnProgress = [this](TZROutlDataList&, int32_t) {
        if (OnProgress) OnProgress(*this);
    };
}

void TZRLayoutOutline::ReadDrive(const QString& rootPath) {
    QElapsedTimer sincePump;
    sincePump.start();
    Data().OnIdle = [&sincePump] {
        if (sincePump.elapsed() < kReadPumpMilliseconds) return;
        QCoreApplication::processEvents();
        sincePump.restart();
    };
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    struct CursorBack {
        ~CursorBack() { QGuiApplication::restoreOverrideCursor(); }
    } cursorBack;
    const bool read = Data().ReadTree(rootPath);
    Data().OnIdle = nullptr;
    if (read) Rebuild();
}

void TZRLayoutOutline::Rebuild() {
    FillLines([](const TZROutlData& e) { return e.Visible != 0; });
}

void TZRLayoutOutline::DrawEntry(QPainter& p, int line, const QRect& rect, bool selected) {
    const int32_t index = EntryOfLine(line);
    const TZROutlData& e = Data().GetItem(index);
    for (int32_t a = Data().ParentIndex(index); a >= 0; a = Data().ParentIndex(a)) {
        const TZROutlData& ancestor = Data().GetItem(a);
        if (!ancestor.IsLast) DrawVertLine(p, ancestor.Level, rect.top(), rect.bottom());
    }
    if (e.IsLast)
        DrawHalfVertLine(p, e.Level, rect.top());
    else
        DrawVertLine(p, e.Level, rect.top(), rect.bottom());
    DrawHorzLine(p, e.Level, rect);
    if (e.HasChildren) DrawPlusMinus(p, e.Level, rect, !e.Expanded);
    DrawFolderIcon(p, e.Level + 1, rect, !e.Expanded);
    DrawEntryText(p, e.Level + 2, rect, selected, EntryName(e));
}

void TZRLayoutOutline::ExpandLine(int line) { ChangeLine(line, true); }

void TZRLayoutOutline::CollapseLine(int line) { ChangeLine(line, false); }

void TZRLayoutOutline::ChangeLine(int line, bool expand) {
    const int32_t index = EntryOfLine(line);
    if (index < 0) return;
    if (expand)
        Data().ExpandEntry(index);
    else
        Data().CollapseEntry(index);
    Rebuild();
    const auto& event = expand ? OnExpand : OnCollapse;
    if (event) event(*this);
}

void TZRLayoutOutline::ToggleLine(int line) {
    const int32_t index = EntryOfLine(line);
    if (index < 0 || !Data().GetItem(index).HasChildren) return;
    if (Data().GetItem(index).Expanded)
        CollapseLine(line);
    else
        ExpandLine(line);
}

void TZRLayoutOutline::mousePressEvent(QMouseEvent* event) {
    const int line = LineOfBoxPress(*event, plus_.width());
    if (line >= 0 && Data().GetItem(EntryOfLine(line)).HasChildren) {
        setCurrentRow(line);
        ToggleLine(line);
        return;
    }
    TZRBaseOutline::mousePressEvent(event);
}

void TZRLayoutOutline::mouseDoubleClickEvent(QMouseEvent* event) {
    ToggleLine(indexAt(event->position().toPoint()).row());
}

void TZRLayoutOutline::keyPressEvent(QKeyEvent* event) {
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    const int32_t index = EntryOfLine(currentRow());
    if (keypad && index >= 0 && (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Minus)) {
        const TZROutlData& e = Data().GetItem(index);
        if (e.HasChildren && event->key() == Qt::Key_Plus && !e.Expanded) ExpandLine(currentRow());
        if (e.HasChildren && event->key() == Qt::Key_Minus && e.Expanded) CollapseLine(currentRow());
        return;
    }
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) return;
    TZRBaseOutline::keyPressEvent(event);
}
