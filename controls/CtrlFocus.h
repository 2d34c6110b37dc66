#pragma once
// Focus colouring: put on a form, it paints the control that has the focus
// in a highlight colour (light blue by default) and gives the control it
// coloured before its own colour back. A control takes part when it has a
// colour: a property "EditColor" or "Color" (QColor, or an integer
// 00BBGGRR), or the base colour of an entry control (line edit, spin box,
// combo box, text edit, list). Other controls keep their looks.
//
// OnBeforeFocus may refuse the colouring of a control or change its colour;
// OnAfterFocus may refuse or change the colour given back. A control whose
// colouring was refused keeps its own colour throughout.

#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtGui/QColor>

#include <cstdint>
#include <functional>

class QWidget;

// (sender, the control, colour it; may be cleared, the colour; may be changed)
using TNotifyColorChangeEvent = std::function<void(QObject* sender, QWidget* control, bool& changeColor, QColor& newColor)>;

class TZRCtrlFocus : public QObject {
    Q_OBJECT
public:
    static constexpr uint32_t kDefaultFocusedColor = 0xFFE9D2;  // 00BBGGRR

    // form: the window whose controls are coloured (its owner).
    explicit TZRCtrlFocus(QWidget* form);

    bool Enabled() const { return enabled_; }
    // On: recolours at once; off: gives the colour back.
    virtual void SetEnabled(bool enabled);
    QColor FocusedColor() const { return focusedColor_; }
    virtual void SetFocusedColor(const QColor& color);

    void SetOnBeforeFocus(TNotifyColorChangeEvent handler) { onBeforeFocus_ = std::move(handler); }
    void SetOnAfterFocus(TNotifyColorChangeEvent handler) { onAfterFocus_ = std::move(handler); }

    // The control coloured last; null when none is coloured.
    QWidget* LastControl() const { return last_; }

    // Colours the form's focused control.
    virtual void ColorActiveControl();
    // Gives the control coloured last its colour back.
    virtual void RestoreLastControl();

    // A control's colour as described above; false when it has none.
    static bool ControlColor(const QWidget* control, QColor& color);
    // Sets it and gives the previous one; false (nothing set) when it has none.
    static bool SetControlColor(QWidget* control, const QColor& color, QColor* previous = nullptr);

protected:
    virtual void DoBeforeFocus(QWidget* control, bool& changeColor, QColor& newColor);
    virtual void DoAfterFocus(QWidget* control, bool& changeColor, QColor& newColor);

private:
    void FocusChanged(QWidget* old, QWidget* now);
    void Recolor();

    QPointer<QWidget> form_;
    bool enabled_ = true;
    QColor focusedColor_;
    TNotifyColorChangeEvent onBeforeFocus_;
    TNotifyColorChangeEvent onAfterFocus_;
    QPointer<QWidget> last_;
    QColor savedColor_;
};
