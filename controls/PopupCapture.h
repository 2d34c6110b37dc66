#pragma once
// Popups of the tool-bar controls (colour palettes, the shades of the colour
// strip, drop-down menus) behave alike:
// - the popup is a frameless window on top of the others that never takes
//   the activation or the focus, so the document keeps its focus;
// - while it is open, its control holds the mouse: every mouse event goes to
//   the popup in the popup's coordinates, also over other windows (a
//   control may keep the events over itself);
// - a press outside the popup closes it, and the same press is then given to
//   the widget under the cursor, so that the click is not lost;
// - Escape closes it; every other key goes to the popup and nowhere else;
// - it closes when the application loses the activation.

#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QRect>
#include <QtWidgets/QWidget>

#include <functional>

class QMouseEvent;

// The window of a popup. Its parent is the control, so it goes with it, but
// it is a window of its own.
class TPopupWindow : public QWidget {
    Q_OBJECT
public:
    explicit TPopupWindow(QWidget* owner);
};

class TPopupCapture : public QObject {
    Q_OBJECT
public:
    TPopupCapture(QWidget* owner, QWidget* popup);
    ~TPopupCapture() override;

    bool Active() const { return active_; }
    // Shows the popup with its top-left corner at the screen point, without
    // activating it, and takes the mouse and keyboard.
    void Open(const QPoint& screenPos);
    // Gives the mouse and keyboard back and hides the popup.
    void Close();

    // True for the mouse events that the control handles itself while the
    // popup is open (none when empty).
    std::function<bool(const QMouseEvent& event)> OwnerKeeps;
    // Escape or the application losing the activation: the control closes
    // the popup without a choice.
    std::function<void()> OnCancel;

    // Gives the press to the widget under its screen position, unless that
    // widget is the control or lies in it.
    static void RepeatPress(const QMouseEvent& press, const QWidget* control);

    // Where a popup of the size goes below the anchor (a screen rectangle):
    // at its bottom-left corner; above it when the bottom would pass the
    // screen's; right-aligned to it (2 pixels further left) when the right
    // edge would pass the screen's.
    static QPoint PlaceBelow(const QRect& anchor, const QSize& size, const QRect& screen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool FilterOwnerMouse(QMouseEvent* event);
    bool FilterKey(QObject* watched, QEvent* event);
    void ApplicationStateChanged(Qt::ApplicationState state);
    void Cancel();

    QPointer<QWidget> owner_;
    QPointer<QWidget> popup_;
    bool active_ = false;
    bool ownerTracking_ = false;
};
