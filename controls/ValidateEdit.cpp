#include "controls/ValidateEdit.h"

#include "controls/NumberText.h"
#include "controls/TypedChar.h"

#include "foundation/Localizer.h"

#include <QtCore/QLocale>
#include <QtCore/QScopeGuard>
#include <QtGui/QFocusEvent>
#include <QtGui/QInputMethodEvent>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialogButtonBox>

#include <atomic>

namespace {

std::atomic<uint64_t> nextCreationNumber{1};

// A press on a dialog's cancel button discards the entry, so leaving the
// field for it is not checked.
bool IsRejectButton(QWidget* widget) {
    auto* button = qobject_cast<QAbstractButton*>(widget);
    auto* box = button ? qobject_cast<QDialogButtonBox*>(button->parentWidget()) : nullptr;
    return box && box->buttonRole(button) == QDialogButtonBox::RejectRole;
}

bool IsNumberChar(QChar c) {
    return c == QChar(8) || c == QLatin1Char('+') || c == QLatin1Char('-') || IsDigit(c);
}

}  // namespace

// ---- TQDXValidateEdit

TQDXValidateEdit::TQDXValidateEdit(QWidget* parent) : QLineEdit(parent), creationNumber_(nextCreationNumber++) {}

void TQDXValidateEdit::SetOnOwnerCloseQuery(TCloseQueryEvent handler) {
    onOwnerCloseQuery_ = std::move(handler);
    validate_.setFlag(veOnOwnerCloseQuery, bool(onOwnerCloseQuery_));
}

bool TQDXValidateEdit::ValidateInput(QChar& key) {
    if (!key.isNull()) return ValidateChar(key);
    if (!CheckEntry()) return false;
    if (!CheckRange()) return false;
    if (invalidAction_.testFlag(vaNormalize)) Normalize();
    return true;
}

bool TQDXValidateEdit::ValidateChar(QChar& key) {
    bool valid = IsValidChar(key);
    if (valid || !HandlesFailures()) return valid;
    if (onInvalidChar_) {
        onInvalidChar_(this, key);
        if (key.isNull()) return false;  // the handler dropped it
        valid = IsValidChar(key);
        if (valid) return true;
    }
    rejectedChar_ = key;
    if (invalidAction_.testFlag(vaIgnoreChar)) key = QChar();
    if (invalidAction_.testFlag(vaInvalidCharException))
        throw EValidation(LocalizedFormat("IDS_ZRFalscherBuchstabe", {QString(rejectedChar_)}));
    return false;
}

// False when the entry failed and the check must stop here.
bool TQDXValidateEdit::CheckEntry() {
    bool valid = IsValidEntry();
    if (valid || !HandlesFailures()) return true;
    QString entry = text();
    if (onInvalidEntry_) onInvalidEntry_(this, entry, valid);
    if (!valid) {
        if (invalidAction_.testFlag(vaFocusBack)) FocusBack();
        if (invalidAction_.testFlag(vaFocusException))
            throw EValidation(LocalizedFormat("IDS_ZRFalscherEintrag", {entry, objectName()}));
        return false;
    }
    setText(entry);
    return true;
}

bool TQDXValidateEdit::CheckRange() {
    bool valid = IsInRange();
    if (valid) return true;
    QString entry = text();
    if (onInvalidRange_) onInvalidRange_(this, entry, valid);
    if (!valid) {
        if (invalidAction_.testFlag(vaFocusBack)) FocusBack();
        if (invalidAction_.testFlag(vaOutOfRangeException)) throw EValidation(GetRangeMessage());
        return false;
    }
    setText(entry);
    return true;
}

void TQDXValidateEdit::OwnerCloseQuery(QObject* form, bool& canClose) {
    if (canClose && validate_.testFlag(veOnOwnerCloseQuery)) canClose = ValidateEntry();
    if (onOwnerCloseQuery_) onOwnerCloseQuery_(form, canClose);
}

bool TQDXValidateEdit::IsValidEntry() {
    errorPosition_ = 0;
    return true;
}

bool TQDXValidateEdit::IsValidChar(QChar) { return true; }

bool TQDXValidateEdit::IsInRange() { return true; }

void TQDXValidateEdit::Normalize() { setText(text().trimmed()); }

void TQDXValidateEdit::FocusBack() {
    focusingBack_ = true;
    const auto done = qScopeGuard([this] { focusingBack_ = false; });
    setFocus(Qt::OtherFocusReason);
    if (errorPosition_ >= 1) setSelection(errorPosition_ - 1, int(text().size()));
}

QString TQDXValidateEdit::GetRangeMessage() const { return QString(); }

void TQDXValidateEdit::keyPressEvent(QKeyEvent* event) {
    QChar key = TypedChar(*event);
    const QChar typed = key;
    if (!key.isNull() && validate_.testFlag(veOnKeyPress)) ValidateInput(key);
    if (key == typed) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Swallowed, or replaced by the invalid-character handler.
    if (!key.isNull() && key.isPrint() && !isReadOnly()) insert(QString(key));
    event->accept();
}

void TQDXValidateEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!validate_.testFlag(veOnKeyPress) || event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QString accepted;
    for (QChar c : event->commitString()) {
        if (ValidateInput(c) || !c.isNull()) accepted += c;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(accepted, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

void TQDXValidateEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (validate_.testFlag(veOnEnter) && !focusingBack_ && reason != Qt::ActiveWindowFocusReason &&
        reason != Qt::PopupFocusReason)
        ValidateEntry();
}

bool TQDXValidateEdit::ChecksOnExit(const QFocusEvent& event) const {
    if (!validate_.testFlag(veOnExit)) return false;
    // Switching windows and opening popups is no leaving of the field.
    if (event.reason() == Qt::ActiveWindowFocusReason || event.reason() == Qt::PopupFocusReason) return false;
    return !IsRejectButton(QApplication::focusWidget());
}

void TQDXValidateEdit::focusOutEvent(QFocusEvent* event) {
    // When the check gave the focus back, the field has not been left.
    const auto leave = qScopeGuard([this, event] {
        if (!hasFocus()) QLineEdit::focusOutEvent(event);
    });
    if (ChecksOnExit(*event)) ValidateEntry();
}

// ---- TQDXIntegerEdit

TQDXIntegerEdit::TQDXIntegerEdit(QWidget* parent) : TQDXValidateEdit(parent) { SetValue(lowerLimit_); }

int32_t TQDXIntegerEdit::GetValue() const {
    int32_t value = 0;
    return ParseInteger(text(), value) ? value : lowerLimit_;
}

void TQDXIntegerEdit::SetValue(int32_t value) { setText(QString::number(value)); }

bool TQDXIntegerEdit::IsValidEntry() {
    TQDXValidateEdit::IsValidEntry();
    int32_t value = 0;
    int stop = 0;
    if (ParseInteger(text(), value, stop)) return true;
    SetErrorPosition(stop);
    return false;
}

bool TQDXIntegerEdit::IsValidChar(QChar key) { return IsNumberChar(key); }

bool TQDXIntegerEdit::IsInRange() {
    if (lowerLimit_ >= upperLimit_) return true;
    const int32_t value = GetValue();
    return lowerLimit_ <= value && value <= upperLimit_;
}

void TQDXIntegerEdit::Normalize() { SetValue(GetValue()); }

QString TQDXIntegerEdit::GetRangeMessage() const {
    QString format = LocalizedText("IDS_ZROutOfRange");
    format.replace(QLatin1String("%f"), QLatin1String("%d"));
    try {
        return FormatText(format, {lowerLimit_, upperLimit_});
    } catch (const EConvertError&) {
        return format;
    }
}

// ---- TQDXFloatEdit

TQDXFloatEdit::TQDXFloatEdit(QWidget* parent) : TQDXValidateEdit(parent) {
    const QString separator = QLocale().decimalPoint();
    decimalSeparator_ = separator.isEmpty() ? QLatin1Char('.') : separator.front();
    SetValue(0);
}

double TQDXFloatEdit::GetValue() const {
    double value = 0;
    int stop = 0;
    return ParseFloat(text(), decimalSeparator_, value, stop) ? value : lowerLimit_;
}

void TQDXFloatEdit::SetValue(double value) { setText(FloatText(value, decimalSeparator_)); }

bool TQDXFloatEdit::IsValidEntry() {
    TQDXValidateEdit::IsValidEntry();
    double value = 0;
    int stop = 0;
    if (ParseFloat(text(), decimalSeparator_, value, stop)) return true;
    SetErrorPosition(stop);
    return false;
}

bool TQDXFloatEdit::IsValidChar(QChar key) {
    return IsNumberChar(key) || key == QLatin1Char('E') || key == QLatin1Char('e') || key == decimalSeparator_;
}

bool TQDXFloatEdit::IsInRange() {
    if (lowerLimit_ >= upperLimit_) return true;
    const double value = GetValue();
    return lowerLimit_ <= value && value <= upperLimit_;
}

void TQDXFloatEdit::Normalize() { SetValue(GetValue()); }

QString TQDXFloatEdit::GetRangeMessage() const { return LocalizedFormat("IDS_ZROutOfRange", {lowerLimit_, upperLimit_}); }
