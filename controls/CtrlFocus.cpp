#include "controls/CtrlFocus.h"

#include <QtCore/QMetaProperty>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QAbstractSpinBox>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QTextEdit>

namespace {

QColor FromColorRef(uint32_t value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }
uint32_t ToColorRef(const QColor& c) { return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16); }

// The declared colour property of the control, if it has one.
QMetaProperty ColorProperty(const QWidget* control) {
    const QMetaObject* meta = control->metaObject();
    for (const char* name : {"EditColor", "Color"}) {
        const int index = meta->indexOfProperty(name);
        if (index < 0) continue;
        const QMetaProperty p = meta->property(index);
        const int type = p.metaType().id();
        if (p.isWritable() && (type == QMetaType::QColor || type == QMetaType::Int || type == QMetaType::UInt)) return p;
    }
    return {};
}

bool IsEntryControl(const QWidget* control) {
    return qobject_cast<const QLineEdit*>(control) || qobject_cast<const QAbstractSpinBox*>(control) ||
           qobject_cast<const QComboBox*>(control) || qobject_cast<const QTextEdit*>(control) ||
           qobject_cast<const QPlainTextEdit*>(control) || qobject_cast<const QAbstractItemView*>(control);
}

}  // namespace

TZRCtrlFocus::TZRCtrlFocus(QWidget* form) : QObject(form), form_(form), focusedColor_(FromColorRef(kDefaultFocusedColor)) {
    connect(qApp, &QApplication::focusChanged, this, &TZRCtrlFocus::FocusChanged);
}

void TZRCtrlFocus::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (enabled) {
        Recolor();
    } else {
        RestoreLastControl();
    }
}

void TZRCtrlFocus::SetFocusedColor(const QColor& color) {
    focusedColor_ = color;
    if (enabled_) Recolor();
}

void TZRCtrlFocus::Recolor() {
    RestoreLastControl();
    ColorActiveControl();
}

// Focus moving inside the form and the form becoming active recolour; the
// focus leaving the form gives the colour back.
void TZRCtrlFocus::FocusChanged(QWidget* old, QWidget* now) {
    if (!form_) return;
    QWidget* window = form_->window();
    if (now && now->window() == window) {
        if (enabled_) Recolor();
    } else if (old && old->window() == window) {
        RestoreLastControl();
    }
}

void TZRCtrlFocus::ColorActiveControl() {
    QWidget* control = form_ ? form_->window()->focusWidget() : nullptr;
    if (!control) return;
    QColor color = focusedColor_;
    bool changeColor = true;
    DoBeforeFocus(control, changeColor, color);
    QColor own;
    if (changeColor && SetControlColor(control, color, &own)) {
        last_ = control;
        savedColor_ = own;
    }
}

void TZRCtrlFocus::RestoreLastControl() {
    QWidget* control = last_;
    if (!control) return;
    last_ = nullptr;
    QColor color = savedColor_;
    bool changeColor = true;
    DoAfterFocus(control, changeColor, color);
    if (changeColor) SetControlColor(control, color);
}

void TZRCtrlFocus::DoBeforeFocus(QWidget* control, bool& changeColor, QColor& newColor) {
    if (onBeforeFocus_) onBeforeFocus_(this, control, changeColor, newColor);
}

void TZRCtrlFocus::DoAfterFocus(QWidget* control, bool& changeColor, QColor& newColor) {
    if (onAfterFocus_) onAfterFocus_(this, control, changeColor, newColor);
}

bool TZRCtrlFocus::ControlColor(const QWidget* control, QColor& color) {
    if (const QMetaProperty p = ColorProperty(control); p.isValid()) {
        const QVariant value = p.read(control);
        color = p.metaType().id() == QMetaType::QColor ? value.value<QColor>() : FromColorRef(value.toUInt());
        return true;
    }
    if (!IsEntryControl(control)) return false;
    color = control->palette().color(QPalette::Base);
    return true;
}

bool TZRCtrlFocus::SetControlColor(QWidget* control, const QColor& color, QColor* previous) {
    QColor old;
    if (!ControlColor(control, old)) return false;
    if (previous) *previous = old;
    if (const QMetaProperty p = ColorProperty(control); p.isValid()) {
        p.write(control, p.metaType().id() == QMetaType::QColor ? QVariant(color) : QVariant(ToColorRef(color)));
        return true;
    }
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, color);
    control->setPalette(palette);
    return true;
}
