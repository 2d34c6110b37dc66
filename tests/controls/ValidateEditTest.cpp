#include "ControlsTesting.h"

#include "controls/CloseQueryDialog.h"
#include "controls/NumberText.h"
#include "controls/ValidateEdit.h"

#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

class ValidateEditTest : public GermanLocale {};

// The message of the EValidation that f raises; nothing when it raises none.
template <class F>
std::optional<QString> RaisedMessage(F&& f) {
    try {
        f();
    } catch (const EValidation& e) {
        return QString::fromUtf8(e.Message());
    }
    return std::nullopt;
}

// A window with two fields, so that the first can be left.
struct TwoFields {
    QWidget window;
    TQDXIntegerEdit* first = new TQDXIntegerEdit(&window);
    TQDXIntegerEdit* second = new TQDXIntegerEdit(&window);
    TwoFields() {
        first->setObjectName(QStringLiteral("edAnzahl"));
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(second);
    }
};

}  // namespace

TEST(NumberText, ScansStopWhereTheNumberEnds) {
    struct IntCase {
        const char* text;
        std::optional<int32_t> value;
        int stop;
    };
    const IntCase ints[] = {
        {"42", 42, 0},          {" -7 ", -7, 0},         {"+5", 5, 0},  {"12x", {}, 3},
        {"", {}, 1},            {"-", {}, 2},            {"1 2", {}, 3}, {"2147483647", 2147483647, 0},
        {"2147483648", {}, 10}, {"-2147483648", INT32_MIN, 0},
    };
    for (const IntCase& c : ints) {
        int32_t value = 0;
        int stop = -1;
        const bool ok = ParseInteger(QString::fromLatin1(c.text), value, stop);
        EXPECT_EQ(ok, c.value.has_value()) << c.text;
        if (ok) {
            EXPECT_EQ(value, *c.value) << c.text;
        }
        EXPECT_EQ(stop, c.stop) << c.text;
    }
    struct FloatCase {
        const char* text;
        std::optional<double> value;
        int stop;
    };
    const FloatCase floats[] = {
        {"1,5", 1.5, 0}, {"-,25", -0.25, 0}, {"1,5E2", 150.0, 0}, {"2e-3", 0.002, 0}, {"1.5", {}, 2},
        {"1e", {}, 3},   {",", {}, 2},       {"1,5,0", {}, 4},    {"1e999", {}, 1},
    };
    for (const FloatCase& c : floats) {
        double value = 0;
        int stop = -1;
        const bool ok = ParseFloat(QString::fromLatin1(c.text), QLatin1Char(','), value, stop);
        EXPECT_EQ(ok, c.value.has_value()) << c.text;
        if (ok) {
            EXPECT_DOUBLE_EQ(value, *c.value) << c.text;
        }
        EXPECT_EQ(stop, c.stop) << c.text;
    }
    EXPECT_EQ(FloatText(0.25, QLatin1Char(',')), QStringLiteral("0,25"));
    EXPECT_EQ(FloatText(0.1 + 0.2, QLatin1Char('.')), QStringLiteral("0.30000000000000004"));
}

TEST_F(ValidateEditTest, TypedCharactersAreCheckedAsTheActionsSay) {
    struct Case {
        const char* name;
        bool floatField;
        TInvalidAction actions;
        QString typed;
        QString expectedText;
        std::optional<QString> message;
    };
    const TInvalidAction defaults = vaNormalize | vaIgnoreChar | vaFocusBack;
    const Case cases[] = {
        {"digits and signs", false, defaults, QStringLiteral("-12"), QStringLiteral("0-12"), {}},
        {"letter swallowed", false, defaults, QStringLiteral("a"), QStringLiteral("0"), {}},
        {"letter raises", false, defaults | vaInvalidCharException, QStringLiteral("a"), QStringLiteral("0"),
         QStringLiteral("Falscher Buchstabe a in der Eingabe!")},
        {"raising alone types nothing", false, vaInvalidCharException, QStringLiteral("a"), QStringLiteral("0"),
         QStringLiteral("Falscher Buchstabe a in der Eingabe!")},
        {"vaIgnore lets it pass", false, vaIgnore | vaIgnoreChar, QStringLiteral("a"), QStringLiteral("0a"), {}},
        {"no action lets it pass", false, TInvalidAction(), QStringLiteral("a"), QStringLiteral("0a"), {}},
        {"comma in a float field", true, defaults, QStringLiteral(",5e"), QStringLiteral("0,5e"), {}},
        {"full stop refused there", true, defaults, QStringLiteral("."), QStringLiteral("0"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<TQDXValidateEdit> edit;
        if (c.floatField) {
            edit = std::make_unique<TQDXFloatEdit>();
        } else {
            edit = std::make_unique<TQDXIntegerEdit>();
        }
        edit->SetInvalidAction(c.actions);
        edit->end(false);
        EXPECT_EQ(RaisedMessage([&] { Type(edit.get(), c.typed); }), c.message);
        EXPECT_EQ(edit->text(), c.expectedText);
    }
}

TEST_F(ValidateEditTest, PasteShortcutAndOtherControlCharactersAreSwallowed) {
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    TQDXIntegerEdit edit;
    edit.selectAll();
    Key(&edit, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
    Key(&edit, Qt::Key_V, Qt::ControlModifier);  // a system that gives no text for it
    EXPECT_EQ(edit.text(), QStringLiteral("0"));
    // Backspace and keys that type nothing still work.
    edit.end(false);
    Key(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QString());
}

TEST_F(ValidateEditTest, InvalidCharHandlerMayReplaceTheKey) {
    TQDXFloatEdit edit;
    edit.clear();
    edit.SetOnInvalidChar([](QObject*, QChar& key) {
        if (key == QLatin1Char('.')) key = QLatin1Char(',');
    });
    Type(&edit, QStringLiteral("1.5x"));
    EXPECT_EQ(edit.text(), QStringLiteral("1,5"));
    EXPECT_EQ(edit.RejectedChar(), QLatin1Char('x'));
}

TEST_F(ValidateEditTest, LeavingAFieldWithABadEntryBringsTheFocusBackToTheBadPart) {
    TwoFields f;
    f.first->SetInvalidAction(vaFocusBack);
    ShowActive(&f.window);
    f.first->setFocus(Qt::TabFocusReason);
    f.first->setText(QStringLiteral("12x"));
    f.second->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(f.first->hasFocus());
    EXPECT_EQ(f.first->selectedText(), QStringLiteral("x"));
    EXPECT_EQ(f.first->ErrorPosition(), 3);

    // With vaFocusException the same check raises the entry message.
    f.first->SetInvalidAction(vaFocusBack | vaFocusException);
    EXPECT_EQ(RaisedMessage([&] { f.first->ValidateEntry(); }), QStringLiteral("Falscher Eintrag 12x im Feld edAnzahl"));
    EXPECT_TRUE(f.first->hasFocus());

    // A good entry lets the focus go, and the default actions tidy it.
    f.first->SetInvalidAction(vaNormalize | vaFocusBack);
    f.first->setText(QStringLiteral("0042"));
    f.second->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(f.second->hasFocus());
    EXPECT_EQ(f.first->text(), QStringLiteral("42"));
}

TEST_F(ValidateEditTest, AnEmptyFieldReadsAsTheLowerLimitButFailsTheEntryCheck) {
    TwoFields f;
    f.first->SetLimits(5, 10);
    f.first->clear();
    EXPECT_EQ(f.first->GetValue(), 5);
    ShowActive(&f.window);
    f.first->setFocus(Qt::TabFocusReason);
    f.second->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(f.first->hasFocus());
    EXPECT_EQ(f.first->text(), QString());
}

TEST_F(ValidateEditTest, LeavingForTheCancelButtonIsNotChecked) {
    QDialog dialog;
    auto* edit = new TQDXIntegerEdit(&dialog);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(edit);
    layout->addWidget(buttons);
    ShowActive(&dialog);
    edit->setFocus(Qt::TabFocusReason);
    edit->setText(QStringLiteral("12x"));
    buttons->button(QDialogButtonBox::Cancel)->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(buttons->button(QDialogButtonBox::Cancel)->hasFocus());
    // Leaving it for any other control is checked.
    edit->setFocus(Qt::TabFocusReason);
    buttons->button(QDialogButtonBox::Ok)->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(edit->hasFocus());
}

TEST_F(ValidateEditTest, RangeChecksAndTheirMessages) {
    struct Case {
        const char* name;
        bool floatField;
        double lower, upper;
        QString text;
        std::optional<QString> message;
    };
    const Case cases[] = {
        {"integer above", false, 1, 10, QStringLiteral("11"), QStringLiteral("Wert muß zwischen 1 und 10 liegen")},
        {"integer below", false, 1, 10, QStringLiteral("0"), QStringLiteral("Wert muß zwischen 1 und 10 liegen")},
        {"integer inside", false, 1, 10, QStringLiteral("10"), {}},
        {"float above", true, 0.001, 10, QStringLiteral("11"), QStringLiteral("Wert muß zwischen 0,00 und 10,00 liegen")},
        {"float inside", true, 0.001, 10, QStringLiteral("0,004"), {}},
        {"limits 0 and 0", false, 0, 0, QStringLiteral("-99999"), {}},
        {"lower not below upper", true, 5, 5, QStringLiteral("7"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<TQDXValidateEdit> edit;
        if (c.floatField) {
            auto* f = new TQDXFloatEdit;
            f->SetLimits(c.lower, c.upper);
            edit.reset(f);
        } else {
            auto* i = new TQDXIntegerEdit;
            i->SetLimits(int32_t(c.lower), int32_t(c.upper));
            edit.reset(i);
        }
        edit->SetInvalidAction(vaOutOfRangeException);
        edit->setText(c.text);
        bool valid = false;
        EXPECT_EQ(RaisedMessage([&] { valid = edit->ValidateEntry(); }), c.message);
        EXPECT_EQ(valid, !c.message.has_value());
        // Without the exception the failure is silent.
        edit->SetInvalidAction(TInvalidAction());
        EXPECT_EQ(edit->ValidateEntry(), !c.message.has_value());
    }
}

TEST_F(ValidateEditTest, HandlersMayCorrectTheEntryAndTheRange) {
    TQDXIntegerEdit edit;
    edit.SetLimits(1, 10);
    std::vector<QString> seen;
    edit.SetOnInvalidEntry([&](QObject*, QString& text, bool& valid) {
        seen.push_back(text);
        text.chop(1);
        valid = true;
    });
    edit.SetOnInvalidRange([&](QObject*, QString& text, bool& valid) {
        seen.push_back(text);
        text = QStringLiteral("10");
        valid = true;
    });
    edit.setText(QStringLiteral("12x"));
    EXPECT_TRUE(edit.ValidateEntry());
    EXPECT_EQ(edit.text(), QStringLiteral("10"));
    // The range handler also sees an entry that passed its check at once.
    edit.setText(QStringLiteral("011"));
    EXPECT_TRUE(edit.ValidateEntry());
    EXPECT_EQ(seen, (std::vector<QString>{QStringLiteral("12x"), QStringLiteral("12"), QStringLiteral("011")}));
}

TEST_F(ValidateEditTest, ValuesReadAndWriteTheText) {
    TQDXFloatEdit f;
    EXPECT_EQ(f.text(), QStringLiteral("0"));
    f.SetValue(0.25);
    EXPECT_EQ(f.text(), QStringLiteral("0,25"));
    f.setText(QStringLiteral("1,5E2"));
    EXPECT_DOUBLE_EQ(f.GetValue(), 150.0);
    f.SetLowerLimit(0.5);
    f.setText(QStringLiteral("1.5"));
    EXPECT_DOUBLE_EQ(f.GetValue(), 0.5);
    f.setText(QStringLiteral(" 1,50 "));
    EXPECT_TRUE(f.ValidateEntry());
    EXPECT_EQ(f.text(), QStringLiteral("1,5"));

    TQDXIntegerEdit i;
    EXPECT_EQ(i.text(), QStringLiteral("0"));
    i.SetValue(-3);
    EXPECT_EQ(i.GetValue(), -3);
}

TEST_F(ValidateEditTest, OkAsksTheFormAndThenEachFieldInTheOrderOfCreation) {
    struct Dialog : TCloseQueryDialog {
        std::vector<std::string> log;
        bool formAnswer = true;
        void FormCloseQuery(bool& canClose) override {
            log.push_back("form");
            canClose = formAnswer;
        }
    } dialog;
    auto* first = new TQDXIntegerEdit(&dialog);
    auto* second = new TQDXIntegerEdit(&dialog);
    auto* unchecked = new TQDXIntegerEdit(&dialog);
    unchecked->setText(QStringLiteral("x"));
    for (auto [edit, name] : {std::pair{first, "first"}, std::pair{second, "second"}}) {
        edit->SetOnOwnerCloseQuery([&dialog, name = std::string(name)](QObject* sender, bool& canClose) {
            EXPECT_EQ(sender, &dialog);
            dialog.log.push_back(name + (canClose ? " yes" : " no"));
        });
        EXPECT_TRUE(edit->Validate() & veOnOwnerCloseQuery);
    }
    second->SetValidate(second->Validate() | veOnOwnerCloseQuery);
    dialog.show();

    first->setText(QStringLiteral("1x"));
    second->setText(QStringLiteral("2x"));
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    // The second field skipped its check (its bad text would have been
    // selected) but heard the answer.
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"form", "first no", "second no"}));
    EXPECT_EQ(second->ErrorPosition(), 0);

    dialog.log.clear();
    dialog.formAnswer = false;
    first->setText(QStringLiteral("1"));
    dialog.accept();
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"form", "first no", "second no"}));
    EXPECT_TRUE(dialog.isVisible());

    // Cancel discards the entries and closes at once.
    dialog.log.clear();
    dialog.reject();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.log.empty());

    dialog.show();
    dialog.formAnswer = true;
    second->setText(QStringLiteral("2"));
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    // Clearing the handler takes the close check away again.
    first->SetOnOwnerCloseQuery({});
    EXPECT_FALSE(first->Validate() & veOnOwnerCloseQuery);
}

TEST_F(ValidateEditTest, ARangeExceptionOnOkKeepsTheDialogOpen) {
    TCloseQueryDialog dialog;
    auto* edit = new TQDXFloatEdit(&dialog);
    edit->SetLimits(0.001, 10);
    edit->SetValidate(veOnOwnerCloseQuery | veOnExit | veOnKeyPress);
    edit->SetInvalidAction(vaNormalize | vaIgnoreChar | vaFocusBack | vaFocusException | vaOutOfRangeException |
                           vaInvalidCharException);
    dialog.show();
    edit->setText(QStringLiteral("11"));
    EXPECT_EQ(RaisedMessage([&] { dialog.accept(); }), QStringLiteral("Wert muß zwischen 0,00 und 10,00 liegen"));
    EXPECT_TRUE(dialog.isVisible());
    edit->setText(QStringLiteral("0,004"));
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
}
