#pragma once
// An integer edit with a small up/down button pair at its right edge.
//
// TQNTimerSpeedButton repeats its click while it is held: first after
// 400 ms, then every 100 ms. TQNSpinButton holds an up and a down button
// and, between them, a thin strip that changes the value by dragging: every
// pixel of vertical movement is one click. TQNSpinEdit is the edit with such
// a button pair; its Value is clamped to MinValue .. MaxValue unless both are
// equal.

#include <QtCore/QPointer>
#include <QtGui/QPixmap>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QToolButton>

#include <cstdint>
#include <functional>

class QTimer;

class TQNTimerSpeedButton : public QToolButton {
    Q_OBJECT
public:
    static constexpr int kFirstDelay = 400;
    static constexpr int kRepeatDelay = 100;
    enum State { tbFocusRect = 0x01, tbAllowTimer = 0x02 };

    explicit TQNTimerSpeedButton(QWidget* parent = nullptr);

    int TimeBtnState() const { return state_; }
    void SetTimeBtnState(int state) { state_ = state; }
    // The repeat timer; null until the button was first pressed with
    // tbAllowTimer.
    QTimer* RepeatTimer() const { return timer_; }
    // One expiry of the repeat timer: the delay shortens, and the button
    // clicks while it is still held down. An exception from the click stops
    // the timer and goes on.
    void RepeatTimerExpired();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int state_ = 0;
    QTimer* timer_ = nullptr;
};

class TQNSpinButton : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinimumWidth = 16;

    explicit TQNSpinButton(QWidget* parent = nullptr);

    // Glyphs of the buttons; a null pixmap shows the default arrow.
    QPixmap UpGlyph() const { return upGlyph_; }
    void SetUpGlyph(const QPixmap& glyph);
    QPixmap DownGlyph() const { return downGlyph_; }
    void SetDownGlyph(const QPixmap& glyph);

    // The control that takes the focus when a button is pressed.
    QWidget* FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget* control) { focusControl_ = control; }

    void SetOnUpClick(std::function<void()> handler) { onUpClick_ = std::move(handler); }
    void SetOnDownClick(std::function<void()> handler) { onDownClick_ = std::move(handler); }

    TQNTimerSpeedButton* UpButton() const { return up_; }
    TQNTimerSpeedButton* DownButton() const { return down_; }
    // The button that has the focus rectangle.
    TQNTimerSpeedButton* FocusedButton() const { return focused_; }
    QWidget* Strip() const { return strip_; }

    // Dragging on the strip: press at y, move with the left button held,
    // release.
    void StripPressed(int y) { dragY_ = y; }
    void StripDragged(int y);
    void StripReleased() { dragY_ = 0; }

    QSize sizeHint() const override { return {20, 15}; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    TQNTimerSpeedButton* CreateButton(Qt::ArrowType arrow);
    void ButtonPressed(TQNTimerSpeedButton* button);
    void SetFocusedButton(TQNTimerSpeedButton* button);
    void ButtonClicked(TQNTimerSpeedButton* button);
    void LayoutParts();

    QWidget* strip_;
    TQNTimerSpeedButton* up_;
    TQNTimerSpeedButton* down_;
    TQNTimerSpeedButton* focused_;
    QPixmap upGlyph_;
    QPixmap downGlyph_;
    QPointer<QWidget> focusControl_;
    std::function<void()> onUpClick_;
    std::function<void()> onDownClick_;
    int dragY_ = 0;
};

class TQNSpinEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TQNSpinEdit(QWidget* parent = nullptr);

    int32_t MinValue() const { return minValue_; }
    void SetMinValue(int32_t value) { minValue_ = value; }
    int32_t MaxValue() const { return maxValue_; }
    void SetMaxValue(int32_t value) { maxValue_ = value; }
    void SetLimits(int32_t minValue, int32_t maxValue) {
        minValue_ = minValue;
        maxValue_ = maxValue;
    }
    int32_t Increment() const { return increment_; }
    void SetIncrement(int32_t increment) { increment_ = increment; }
    // False: the value changes only through the buttons, the arrow keys and
    // code; nothing can be typed, pasted or cut.
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool enabled);
    // Read-only: nothing changes the value, the buttons and arrow keys beep.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool autoSelect) { autoSelect_ = autoSelect; }

    // The text as an integer, not clamped; MinValue when it is none.
    int32_t GetValue() const;
    // Writes the clamped value.
    void SetValue(int32_t value);
    int32_t Value() const { return GetValue(); }
    // The value clamped to the limits; any value while they are equal.
    int32_t CheckValue(int32_t value) const;

    virtual bool IsValidChar(QChar key) const;
    virtual void UpClick();
    virtual void DownClick();

    TQNSpinButton* Button() const { return button_; }
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    // A refused key or a click on a read-only edit; tests count them.
    virtual void Beep();

    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Step(int64_t delta);
    int MinimumHeight() const;
    void LayoutButton();
    void UpdateEditable();

    TQNSpinButton* button_;
    int32_t minValue_ = 0;
    int32_t maxValue_ = 0;
    int32_t increment_ = 1;
    bool editorEnabled_ = true;
    bool readOnly_ = false;
    bool autoSelect_ = true;
};
