// The document window's keys (it sees every key before the focused control),
// the keys of its view, the zoom steps and the view switches of the main
// window's View menu.

#include "app/Child.h"

#include "app/DrawModes.h"
#include "app/Master.h"
#include "app/MMWindow.h"
#include "app/SpeedButton.h"

#include "design/EinzelEtikett.h"
#include "document/Etikett.h"
#include "figures/Rasten.h"
#include "figures/Tracker.h"
#include "figures/widgets/TrackerDragLoop.h"

#include <QtGui/QAction>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QAbstractSpinBox>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QTextEdit>

namespace {

constexpr double kZoomKeyStep = 0.25;
constexpr double kQuarterTurnKeyStep = 15;
// The zoom tool: Ctrl + release zooms out by this, a click zooms in by its inverse.
constexpr double kZoomToolFactor = 0.7;
constexpr int kZoomClickLimit = 2;

// Keys typed into these edit text and never move figures.
bool IsEditBox(const QWidget* w) {
    if (!w) return false;
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
        qobject_cast<const QAbstractSpinBox*>(w))
        return true;
    const auto* combo = qobject_cast<const QComboBox*>(w);
    return combo && combo->isEditable();
}

// The keys and buttons held after the key event (a modifier's own event may
// or may not carry it).
uint32_t ShiftStateAfter(const QKeyEvent& e) {
    uint32_t shift = ShiftStateOf(e.modifiers(), QApplication::mouseButtons());
    if (const uint32_t own = ModifierOfKey(e.key())) shift = e.type() == QEvent::KeyPress ? (shift | own) : (shift & ~own);
    return shift;
}

// Shows every key that reaches a control of the window to the window first.
class TKeyPreview : public QObject {
public:
    explicit TKeyPreview(TChild& window) : QObject(&window), window_(window) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
        // A key travels up from the focused control; the window looks at it once.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget != QApplication::focusWidget() || !window_.isAncestorOf(widget)) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        key->setAccepted(false);
        if (event->type() == QEvent::KeyPress) {
            window_.FormKeyDown(*key);
        } else {
            window_.FormKeyUp(*key);
        }
        return key->isAccepted();
    }

private:
    TChild& window_;
};

// The grid and printer-margin buttons of the main window serve every
// document: their click brings the menu items in step and repaints the views.
void ToggleMainViewButton(const char* name) {
    TSpeedButton* button = Master ? Master->Button(name) : nullptr;
    if (!button) return;
    button->SetDown(!button->Down());
    emit button->clicked(button->Down());
}

}  // namespace

void TChild::ConnectKeys() {
    keyPreview_ = new TKeyPreview(*this);
    mmWin_->OnKeyDown = [this](QKeyEvent& e) { sbKeyDown(e); };
    mmWin_->OnKeyUp = [this](QKeyEvent& e) { sbKeyUp(e); };
    // The view does not scroll under a running gesture.
    mmWin_->OnMouseWheelDown = [this](uint32_t, QPoint) { return gesture_.Dragging; };
    mmWin_->OnMouseWheelUp = [this](uint32_t, QPoint) { return gesture_.Dragging; };
}

// ---- the window's keys

void TChild::FormKeyDown(QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    switch (event.key()) {
    case Qt::Key_Delete:
        if (IsEditBox(QApplication::focusWidget())) return;
        if (currentDesign_) currentDesign_->DeleteSelection();
        RequestToolStateRefresh();
        return;
    case Qt::Key_Space:
        SwitchToSelectTool();
        return;
    case Qt::Key_F2:
        if (Master)
            if (TSpeedButton* zoom = Master->Button("cmdZoomRect")) zoom->SetDown(true);
        SetDrawMode(kModeZoom);
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (IsEditBox(QApplication::focusWidget())) return;
        MoveSelectionByGrid(event.key(), ShiftStateOf(mods, Qt::NoButton));
        event.accept();
        return;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        if (mods != Qt::ControlModifier) return;
        ZoomBy(event.key() == Qt::Key_Period ? kZoomKeyStep : -kZoomKeyStep);
        event.accept();
        return;
    default:
        return;
    }
}

void TChild::MoveSelectionByGrid(int key, uint32_t shift) {
    if (!currentDesign_) return;
    TEinzelEtikett& design = *currentDesign_;
    const bool up = key == Qt::Key_Up, down = key == Qt::Key_Down, left = key == Qt::Key_Left;
    if (shift & kCtrlKey) {
        if (up || down) {
            design.RotateSelection(up ? -RasterWinkel : RasterWinkel);
        } else {
            design.RotateSelection(left ? -kQuarterTurnKeyStep : kQuarterTurnKeyStep);
        }
    } else if (shift & kShiftKey) {
        if (up || down) {
            design.ResizeSelection(0, up ? RasterWeite : -RasterWeite);
        } else {
            design.ResizeSelection(left ? -RasterWeite : RasterWeite, 0);
        }
    } else if ((shift & kAltKey) == 0) {
        const double dx = left ? -RasterWeite : key == Qt::Key_Right ? RasterWeite : 0;
        const double dy = up ? -RasterWeite : down ? RasterWeite : 0;
        design.MoveSelectionBy(dx, dy);
    }
}

void TChild::FormKeyUp(QKeyEvent& event) {
    if (event.key() != Qt::Key_Plus || !(event.modifiers() & Qt::KeypadModifier) || !currentDesign_) return;
    if (IsEditBox(QApplication::focusWidget())) return;
    currentDesign_->Duplicate();
}

// ---- the view's keys

void TChild::sbKeyDown(QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        event.accept();
        if (gesture_.Dragging || !currentDesign_) return;
        if (event.key() == Qt::Key_Backtab || (event.modifiers() & Qt::ShiftModifier)) {
            currentDesign_->SelectPrevious();
        } else {
            currentDesign_->SelectNext();
        }
        return;
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
        if (gesture_.Dragging || drawMode_ == kModeZoom) ReplayMouseMove(ShiftStateAfter(event));
        return;
    case Qt::Key_Menu:
        event.accept();
        if (!gesture_.Dragging) ShowContextMenuAtSelection();
        return;
    default:
        event.ignore();
        return;
    }
}

void TChild::sbKeyUp(QKeyEvent& event) {
    if (ModifierOfKey(event.key()) == 0) {
        event.ignore();
        return;
    }
    if (gesture_.Dragging || drawMode_ == kModeZoom) ReplayMouseMove(ShiftStateAfter(event));
}

void TChild::ReplayMouseMove(uint32_t shift) {
    const QPoint p = mmWin_->CursorPosition();
    pbMouseMove(shift, p.x(), p.y());
}

void TChild::ShowContextMenuAtSelection() {
    if (!currentDesign_) return;
    TPoint p{0, 0};
    int32_t state = 0;
    if (currentDesign_->SelectedCount() > 0) {
        const TRect r = currentDesign_->GetSelectionPixelRect();
        p = {static_cast<int32_t>((int64_t{r.left} + r.right) / 2), static_cast<int32_t>((int64_t{r.top} + r.bottom) / 2)};
        state = 2;
    }
    PopUpFiguresMenu(p, state);
}

// ---- zoom

void TChild::ZoomToDraggedRect(TPoint start, TPoint end, uint32_t shift) {
    if (shift & kCtrlKey) {
        mmWin_->SetZoom(mmWin_->GetZoom() * kZoomToolFactor);
    } else {
        const TRect r = TRect{start.x, start.y, end.x, end.y}.Normalized();
        if (r.Width() < kZoomClickLimit || r.Height() < kZoomClickLimit) {
            mmWin_->SetZoom(mmWin_->GetZoom() / kZoomToolFactor);
        } else {
            mmWin_->ZoomToPixelRect(r.left, r.top, r.right, r.bottom);
        }
    }
    UpdateRulers();
}

void TChild::ZoomBy(double delta) { ZoomCentered(mmWin_->GetZoom() + delta); }

// ---- view switches

void TChild::mnuAnsichtDruckrandClick() { ToggleMainViewButton("cmdDruckerrand"); }

void TChild::mnuAnsichtGitterClick() { ToggleMainViewButton("cmdGitter"); }

void TChild::mnuVerwendungshinweisClick() {
    if (Master) {
        QAction* item = Master->MenuItem("mnuVerwendungshinweis");
        item->setChecked(!item->isChecked());
    }
    mmWin_->InvalidateAll();
}

void TChild::mnuBogenRueckseiteClick() {
    etikett_->SetBackSide(etikett_->BackSide == 0 ? 1 : 0);
    if (Master) Master->MenuItem("mnuBogenRueckseite")->setChecked(etikett_->BackSide != 0);
    mmWin_->InvalidateAll();
}

void TChild::mnuBogenGedrehtClick() {
    etikett_->SetSheetTurned(etikett_->SheetTurned == 0 ? 1 : 0);
    if (Master) Master->MenuItem("mnuBogenGedreht")->setChecked(etikett_->SheetTurned != 0);
    mmWin_->InvalidateAll();
}
