// Tree view: line hints (a hint window laid exactly over a row's text that
// shows the whole text when it is cut off, or the item's Hint) and the
// items' ordinary tool tips.
#include "treectl/view/McTreeView.h"

#include "treectl/support/McHintWindow.h"
#include "treectl/support/McTimer.h"
#include "treectl/tree/McTree.h"

#include "foundation/Codepage1252.h"
#include "platform/gdi/BitmapCanvas.h"

#include <QtGui/QHelpEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>
#include <QtWidgets/QToolTip>

namespace {

// How long the mouse rests before a hint shows, and how long a hint stays.
int32_t HintPause() {
    const int32_t pause = QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay);
    return pause > 0 ? pause : 1000;
}
constexpr int32_t kHintHidePause = 2500;

}  // namespace

void TMcTreeView::LineHintMouseMove(QPoint p) {
    if (tree_.Settings().LineHintMode == THintModes::shmNone || p == lastMouse_) return;
    TMcTreeItem* item = GetItemAtY(p.y());
    const bool shown = hintWindow_ && hintWindow_->isVisible();
    lastMouse_ = p;
    if (item == hintedItem_ && (shown || !item)) return;
    HideLineHint();
    if (!lineHintTimer_) {
        lineHintTimer_ = NewMcTimer();
        lineHintTimer_->OnTimeout = [this] { LineHintTick(); };
    }
    lineHintTimer_->Start(HintPause());
}

bool TMcTreeView::HintWanted(TMcTreeItem* item) {
    const TMcTreeSettings& s = tree_.Settings();
    if (s.LineHintMode == THintModes::shmAll || !item->Hint().empty()) return true;
    if (s.LineHintMode != THintModes::shmLong) return false;
    measure_.SetFont(tree_.CellFont(item, item->UseStyles() ? &item->MainStyle() : nullptr));
    const int32_t textWidth = measure_.TextExtent(AnsiToWide(item->Text())).cx;
    const int32_t left = tree_.LeftPosition();
    return textWidth > item->TextRight - item->TextLeft || item->TextRight > width() + left || item->TextLeft < left;
}

void TMcTreeView::LineHintTick() {
    if (hintWindow_ && hintWindow_->isVisible()) {
        HideLineHint();
        return;
    }
    lineHintTimer_->Stop();
    TMcTreeItem* item = GetItemAtY(lastMouse_.y());
    if (!item || !HintWanted(item)) return;
    ShowLineHint(item);
    const TMcTreeSettings& s = tree_.Settings();
    if (s.HideHintOnTimer && hintedItem_) lineHintTimer_->Start(s.LineHintTimeout > 0 ? s.LineHintTimeout : kHintHidePause);
}

// The hint lies over the row's text, from the text's left edge in the view
// (also when the view is scrolled sideways with columns shown).
void TMcTreeView::ShowLineHint(TMcTreeItem* item) {
    gdi::Rect row;
    GetRowRect(rows_.IndexOf(item), row);
    if (row.IsEmpty()) return;
    if (!hintWindow_) hintWindow_ = std::make_unique<TMcHintWindow>(this);
    const TMcTreeSettings& s = tree_.Settings();
    std::string text = item->Hint().empty() ? item->Text() : item->Hint();
    hintWindow_->Color = s.UseSystemHintColors ? clInfoBk : s.LineHintColor;
    hintWindow_->FontColor = s.UseSystemHintColors ? clInfoText : s.TextColor;
    hintWindow_->SetFont(tree_.Font());
    const QPoint at(std::max(item->TextLeft - tree_.LeftPosition(), 0), row.top);
    auto sized = [&](const std::string& shown) {
        gdi::Rect r = hintWindow_->CalcHintRect(10000, shown);
        r.bottom -= 2;
        return r;
    };
    gdi::Rect size = sized(text);
    bool show = true;
    const std::string before = text;
    tree_.DoShowLineHint(item, text, *hintWindow_, lastMouse_ + pos(), show);
    if (!show) return;
    if (text != before) size = sized(text);
    hintedItem_ = item;
    const QPoint global = mapToGlobal(at);
    hintWindow_->ActivateHint({global.x(), global.y(), global.x() + size.Width(), global.y() + size.Height()}, text);
    qApp->installEventFilter(this);
}

void TMcTreeView::HideLineHint() {
    hintedItem_ = nullptr;
    if (lineHintTimer_) lineHintTimer_->Stop();
    if (hintWindow_) hintWindow_->hide();
    if (qApp) qApp->removeEventFilter(this);
}

// While a line hint shows, input anywhere may take it away.
void TMcTreeView::InputSeenByApplication(QObject*, QEvent* event) {
    if (!hintedItem_) return;
    const bool onMove = tree_.Settings().HideHintOnMove;
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
        if (onMove && GetItemAtY(mapFromGlobal(QCursor::pos()).y()) != hintedItem_) HideLineHint();
        break;
    case QEvent::NonClientAreaMouseMove: HideLineHint(); break;
    case QEvent::KeyPress:
    case QEvent::Shortcut:
        if (onMove) HideLineHint();
        break;
    case QEvent::ApplicationStateChange:
    case QEvent::WindowDeactivate: HideLineHint(); break;
    default: break;
    }
}

// ---- the items' own hints

bool TMcTreeView::ShowItemHint(QHelpEvent* event) {
    TMcTreeItem* item = GetItemAtY(event->pos().y());
    itemHintItem_ = item;
    const std::string& hint = item && !item->Hint().empty() ? item->Hint() : tree_.Settings().Hint;
    if (hint.empty() || !tree_.Settings().ShowHint || dragOver_) QToolTip::hideText();
    else QToolTip::showText(event->globalPos(), AnsiToUnicode(hint), this);
    return true;
}

void TMcTreeView::ItemHintMouseMove(QPoint p) {
    if (!itemHintItem_) return;
    if (GetItemAtY(p.y()) != itemHintItem_) {
        QToolTip::hideText();
        itemHintItem_ = nullptr;
    }
}
