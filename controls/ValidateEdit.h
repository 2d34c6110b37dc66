#pragma once
// Single-line edit fields that check what the user types and what they hold.
//
// TQDXValidateEdit checks each typed character (veOnKeyPress), the whole
// entry when the field is entered (veOnEnter) or left (veOnExit), and the
// whole entry when its dialog is about to close with OK
// (veOnOwnerCloseQuery, see CloseQueryDialog.h). InvalidAction says what a
// failure does: swallow the character (vaIgnoreChar), give the field the
// focus back with the bad part selected (vaFocusBack), raise EValidation
// with the program's message (vaInvalidCharException, vaFocusException,
// vaOutOfRangeException), tidy a valid entry (vaNormalize). vaIgnore, or no
// action at all, lets invalid characters and entries pass; the range check
// still applies.
//
// TQDXIntegerEdit and TQDXFloatEdit read and write their text through Value
// and check it against LowerLimit .. UpperLimit (no range check while the
// lower limit is not below the upper one, as with the default 0 and 0).
//
// Raised exceptions leave the event handler; the application object shows
// them as warnings.

#include "foundation/Exceptions.h"

#include <QtCore/QFlags>
#include <QtWidgets/QLineEdit>

#include <cstdint>
#include <functional>

enum TValCheck {
    veIgnore = 0x01,
    veOnOwnerCloseQuery = 0x02,
    veOnEnter = 0x04,
    veOnExit = 0x08,
    veOnKeyPress = 0x10,
};
Q_DECLARE_FLAGS(TValidityCheck, TValCheck)
Q_DECLARE_OPERATORS_FOR_FLAGS(TValidityCheck)

enum TValAction {
    vaIgnore = 0x01,
    vaNormalize = 0x02,
    vaIgnoreChar = 0x04,
    vaFocusBack = 0x08,
    vaFocusException = 0x10,
    vaOutOfRangeException = 0x20,
    vaInvalidCharException = 0x40,
};
Q_DECLARE_FLAGS(TInvalidAction, TValAction)
Q_DECLARE_OPERATORS_FOR_FLAGS(TInvalidAction)

// (sender, the character; may be changed)
using TCharValidationEvent = std::function<void(QObject* sender, QChar& key)>;
// (sender, the entry; may be corrected, is valid; may be set)
using TValidationEvent = std::function<void(QObject* sender, QString& text, bool& isValid)>;
// (the form, may it close; may be changed)
using TCloseQueryEvent = std::function<void(QObject* sender, bool& canClose)>;

class TQDXValidateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TQDXValidateEdit(QWidget* parent = nullptr);

    TValidityCheck Validate() const { return validate_; }
    void SetValidate(TValidityCheck validate) { validate_ = validate; }
    TInvalidAction InvalidAction() const { return invalidAction_; }
    void SetInvalidAction(TInvalidAction action) { invalidAction_ = action; }

    void SetOnInvalidChar(TCharValidationEvent handler) { onInvalidChar_ = std::move(handler); }
    void SetOnInvalidEntry(TValidationEvent handler) { onInvalidEntry_ = std::move(handler); }
    void SetOnInvalidRange(TValidationEvent handler) { onInvalidRange_ = std::move(handler); }
    // Setting a handler adds veOnOwnerCloseQuery to Validate, clearing it
    // removes it.
    void SetOnOwnerCloseQuery(TCloseQueryEvent handler);

    // The common check. A character (key not null) is checked and may be
    // swallowed (set to null); a null key checks the whole entry. True when
    // valid.
    bool ValidateInput(QChar& key);
    bool ValidateEntry() {
        QChar none;
        return ValidateInput(none);
    }

    // 1-based position where the last entry check failed; 0 for none.
    int ErrorPosition() const { return errorPosition_; }
    // The character refused last.
    QChar RejectedChar() const { return rejectedChar_; }

    // The field's part of its form's close query: runs the entry check when
    // canClose is still true and veOnOwnerCloseQuery is set, then
    // OnOwnerCloseQuery.
    void OwnerCloseQuery(QObject* form, bool& canClose);
    // Order of creation; the close query asks the fields in this order.
    uint64_t CreationNumber() const { return creationNumber_; }

    // The overridable checks.
    virtual bool IsValidEntry();
    virtual bool IsValidChar(QChar key);
    virtual bool IsInRange();
    virtual void Normalize();
    virtual void FocusBack();
    virtual QString GetRangeMessage() const;

protected:
    void SetErrorPosition(int position) { errorPosition_ = position; }

    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool ValidateChar(QChar& key);
    bool CheckEntry();
    bool CheckRange();
    bool HandlesFailures() const { return invalidAction_ != TInvalidAction() && !(invalidAction_ & vaIgnore); }
    bool ChecksOnExit(const QFocusEvent& event) const;

    TValidityCheck validate_ = veOnExit | veOnKeyPress;
    TInvalidAction invalidAction_ = vaNormalize | vaIgnoreChar | vaFocusBack;
    TCharValidationEvent onInvalidChar_;
    TValidationEvent onInvalidEntry_;
    TValidationEvent onInvalidRange_;
    TCloseQueryEvent onOwnerCloseQuery_;
    int errorPosition_ = 0;
    QChar rejectedChar_;
    bool focusingBack_ = false;
    uint64_t creationNumber_;
};

class TQDXIntegerEdit : public TQDXValidateEdit {
    Q_OBJECT
public:
    explicit TQDXIntegerEdit(QWidget* parent = nullptr);

    int32_t LowerLimit() const { return lowerLimit_; }
    void SetLowerLimit(int32_t limit) { lowerLimit_ = limit; }
    int32_t UpperLimit() const { return upperLimit_; }
    void SetUpperLimit(int32_t limit) { upperLimit_ = limit; }
    void SetLimits(int32_t lower, int32_t upper) {
        lowerLimit_ = lower;
        upperLimit_ = upper;
    }

    // The text as an integer; LowerLimit when it is none.
    int32_t GetValue() const;
    // Writes the value as text, without a limit check.
    void SetValue(int32_t value);
    int32_t Value() const { return GetValue(); }

    bool IsValidEntry() override;
    bool IsValidChar(QChar key) override;
    bool IsInRange() override;
    void Normalize() override;
    QString GetRangeMessage() const override;

private:
    int32_t lowerLimit_ = 0;
    int32_t upperLimit_ = 0;
};

class TQDXFloatEdit : public TQDXValidateEdit {
    Q_OBJECT
public:
    explicit TQDXFloatEdit(QWidget* parent = nullptr);

    double LowerLimit() const { return lowerLimit_; }
    void SetLowerLimit(double limit) { lowerLimit_ = limit; }
    double UpperLimit() const { return upperLimit_; }
    void SetUpperLimit(double limit) { upperLimit_ = limit; }
    void SetLimits(double lower, double upper) {
        lowerLimit_ = lower;
        upperLimit_ = upper;
    }
    // The locale's decimal separator when the field was created.
    QChar DecimalSeparator() const { return decimalSeparator_; }

    // The text as a float; LowerLimit when it is none.
    double GetValue() const;
    // Writes the shortest text of the value ("0,25" under a German locale).
    void SetValue(double value);
    double Value() const { return GetValue(); }

    bool IsValidEntry() override;
    bool IsValidChar(QChar key) override;
    bool IsInRange() override;
    void Normalize() override;
    QString GetRangeMessage() const override;

private:
    double lowerLimit_ = 0;
    double upperLimit_ = 0;
    QChar decimalSeparator_;
};
