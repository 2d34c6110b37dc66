#include "ControlsTesting.h"

#include "controls/SpinEdit.h"

#include <QtCore/QTimer>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QVBoxLayout>

namespace {

// Counts the beeps instead of sounding them.
class CountingSpinEdit : public TQNSpinEdit {
public:
    using TQNSpinEdit::TQNSpinEdit;
    int beeps = 0;

protected:
    void Beep() override { ++beeps; }
};

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButtons held) {
    QMouseEvent event(type, pos, w->mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

void Click(QWidget* w) {
    SendMouse(w, QEvent::MouseButtonPress, {2, 2}, Qt::LeftButton);
    SendMouse(w, QEvent::MouseButtonRelease, {2, 2}, Qt::NoButton);
}

}  // namespace

TEST(SpinEdit, TypedCharactersTheFieldRefusesBeep) {
    struct Case {
        const char* name;
        bool editorEnabled;
        int key;
        QString text;
        QString expected;
        int beeps;
    };
    const Case cases[] = {
        {"digit", true, Qt::Key_7, QStringLiteral("7"), QStringLiteral("07"), 0},
        {"minus", true, Qt::Key_Minus, QStringLiteral("-"), QStringLiteral("0-"), 0},
        {"comma", true, Qt::Key_Comma, QStringLiteral(","), QStringLiteral("0"), 1},
        {"full stop", true, Qt::Key_Period, QStringLiteral("."), QStringLiteral("0"), 1},
        {"letter", true, Qt::Key_A, QStringLiteral("a"), QStringLiteral("0"), 1},
        {"backspace", true, Qt::Key_Backspace, QString(), QString(), 0},
        {"editor off: digit", false, Qt::Key_7, QStringLiteral("7"), QStringLiteral("0"), 1},
        {"editor off: backspace", false, Qt::Key_Backspace, QString(), QStringLiteral("0"), 1},
        {"editor off: Delete", false, Qt::Key_Delete, QString(), QStringLiteral("0"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CountingSpinEdit edit;
        edit.SetEditorEnabled(c.editorEnabled);
        edit.setCursorPosition(c.key == Qt::Key_Delete ? 0 : 1);
        Key(&edit, c.key, Qt::NoModifier, c.text);
        EXPECT_EQ(edit.text(), c.expected);
        EXPECT_EQ(edit.beeps, c.beeps);
    }
}

TEST(SpinEdit, ValueIsClampedToTheLimitsUnlessTheyAreEqual) {
    struct Case {
        int32_t minValue, maxValue, value;
        const char* shown;
    };
    const Case cases[] = {
        {0, 255, 300, "255"},
        {0, 255, -5, "0"},
        {0, 255, 17, "17"},
        {7, 7, 300, "300"},
        {0, 0, INT32_MIN, "-2147483648"},
    };
    for (const Case& c : cases) {
        TQNSpinEdit edit;
        edit.SetLimits(c.minValue, c.maxValue);
        edit.SetValue(c.value);
        EXPECT_EQ(edit.text(), QString::fromLatin1(c.shown)) << c.value;
    }
    TQNSpinEdit edit;
    edit.SetLimits(3, 9);
    for (const char* unreadable : {"", "abc", "1.5"}) {
        edit.setText(QString::fromLatin1(unreadable));
        EXPECT_EQ(edit.GetValue(), 3) << unreadable;
    }
    edit.setText(QStringLiteral("20"));
    EXPECT_EQ(edit.GetValue(), 20);  // reading does not clamp
}

TEST(SpinEdit, ATypedValueBeyondTheLimitsIsClampedWhenTheFieldIsLeft) {
    QWidget window;
    auto* edit = new TQNSpinEdit(&window);
    auto* other = new TQNSpinEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(edit);
    layout->addWidget(other);
    edit->SetLimits(0, 255);
    ShowActive(&window);
    edit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit->selectedText(), QStringLiteral("0"));  // AutoSelect
    Type(edit, QStringLiteral("300"));
    EXPECT_EQ(edit->text(), QStringLiteral("300"));
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit->text(), QStringLiteral("255"));
}

TEST(SpinEdit, ArrowKeysButtonsAndTheStripStepByTheIncrement) {
    CountingSpinEdit edit;
    edit.resize(80, edit.minimumSizeHint().height());
    edit.SetIncrement(5);
    edit.SetValue(100);
    Key(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.GetValue(), 105);
    Key(&edit, Qt::Key_Down);
    Key(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.GetValue(), 95);
    Click(edit.Button()->UpButton());
    EXPECT_EQ(edit.GetValue(), 100);
    Click(edit.Button()->DownButton());
    EXPECT_EQ(edit.GetValue(), 95);

    // Five pixels up on the strip, then three down.
    QWidget* strip = edit.Button()->Strip();
    SendMouse(strip, QEvent::MouseButtonPress, {3, 4}, Qt::LeftButton);
    SendMouse(strip, QEvent::MouseMove, {3, -1}, Qt::LeftButton);
    EXPECT_EQ(edit.GetValue(), 120);
    SendMouse(strip, QEvent::MouseMove, {3, 2}, Qt::LeftButton);
    EXPECT_EQ(edit.GetValue(), 105);
    SendMouse(strip, QEvent::MouseButtonRelease, {3, 2}, Qt::NoButton);
    SendMouse(strip, QEvent::MouseMove, {3, 9}, Qt::NoButton);
    EXPECT_EQ(edit.GetValue(), 105);

    // A read-only edit beeps and keeps its value.
    edit.SetReadOnly(true);
    Key(&edit, Qt::Key_Up);
    Click(edit.Button()->DownButton());
    EXPECT_EQ(edit.GetValue(), 105);
    EXPECT_EQ(edit.beeps, 2);
}

TEST(SpinEdit, StepsStopAtTheEndOfTheIntegerRange) {
    TQNSpinEdit edit;
    edit.SetIncrement(10);
    edit.SetValue(INT32_MAX - 3);
    edit.UpClick();
    EXPECT_EQ(edit.GetValue(), INT32_MAX);
    edit.SetValue(INT32_MIN + 3);
    edit.DownClick();
    EXPECT_EQ(edit.GetValue(), INT32_MIN);
}

TEST(SpinButton, PartsAreLaidOutAroundTheVisibleGap) {
    struct Case {
        QSize size;
        QRect up, down, strip;
    };
    const Case cases[] = {
        {{20, 15}, {0, 1, 20, 6}, {0, 9, 20, 6}, {0, 7, 21, 9}},
        {{20, 18}, {0, 1, 20, 8}, {0, 10, 20, 8}, {0, 9, 21, 10}},
        {{10, 18}, {0, 1, 16, 8}, {0, 10, 16, 8}, {0, 9, 17, 10}},  // narrower than 16 is widened
    };
    for (const Case& c : cases) {
        TQNSpinButton button;
        button.show();
        button.resize(c.size);
        EXPECT_EQ(button.UpButton()->geometry(), c.up) << c.size.width() << "x" << c.size.height();
        EXPECT_EQ(button.DownButton()->geometry(), c.down);
        EXPECT_EQ(button.Strip()->geometry(), c.strip);
    }
}

TEST(SpinButton, KeysClickAndMoveTheFocusRectangle) {
    QWidget window;
    auto* button = new TQNSpinButton(&window);
    int ups = 0;
    int downs = 0;
    button->SetOnUpClick([&] { ++ups; });
    button->SetOnDownClick([&] { ++downs; });
    ShowActive(&window);
    button->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(button->UpButton()->TimeBtnState() & TQNTimerSpeedButton::tbFocusRect);
    Key(button, Qt::Key_Down);
    EXPECT_EQ(button->FocusedButton(), button->DownButton());
    EXPECT_TRUE(button->DownButton()->TimeBtnState() & TQNTimerSpeedButton::tbFocusRect);
    EXPECT_FALSE(button->UpButton()->TimeBtnState() & TQNTimerSpeedButton::tbFocusRect);
    Key(button, Qt::Key_Space);
    Key(button, Qt::Key_Up);
    EXPECT_EQ(downs, 2);
    EXPECT_EQ(ups, 1);
    button->clearFocus();
    EXPECT_FALSE(button->UpButton()->TimeBtnState() & TQNTimerSpeedButton::tbFocusRect);
}

TEST(SpinButton, PressingAButtonFocusesTheFocusControl) {
    QWidget window;
    auto* edit = new TQNSpinEdit(&window);
    auto* other = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(edit);
    layout->addWidget(other);
    ShowActive(&window);
    other->setFocus();
    Click(edit->Button()->UpButton());
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->GetValue(), 1);
}

TEST(TimerSpeedButton, RepeatsWhileHeldFirstSlowlyThenFaster) {
    TQNTimerSpeedButton button;
    button.SetTimeBtnState(TQNTimerSpeedButton::tbAllowTimer);
    button.resize(20, 10);
    int clicks = 0;
    QObject::connect(&button, &QAbstractButton::clicked, [&] { ++clicks; });
    SendMouse(&button, QEvent::MouseButtonPress, {2, 2}, Qt::LeftButton);
    ASSERT_NE(button.RepeatTimer(), nullptr);
    EXPECT_TRUE(button.RepeatTimer()->isActive());
    EXPECT_EQ(button.RepeatTimer()->interval(), TQNTimerSpeedButton::kFirstDelay);
    button.RepeatTimerExpired();
    button.RepeatTimerExpired();
    EXPECT_EQ(button.RepeatTimer()->interval(), TQNTimerSpeedButton::kRepeatDelay);
    EXPECT_EQ(clicks, 2);
    SendMouse(&button, QEvent::MouseButtonRelease, {2, 2}, Qt::NoButton);
    EXPECT_FALSE(button.RepeatTimer()->isActive());
    EXPECT_EQ(clicks, 3);  // the release clicks too
    button.RepeatTimerExpired();  // a late expiry of a released button does nothing
    EXPECT_EQ(clicks, 3);
}
