#include "ControlsTesting.h"

#include "controls/CtrlFocus.h"

#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace {

const QColor kLightBlue(0xD2, 0xE9, 0xFF);
const QColor kYellow(Qt::yellow);

QColor Base(const QWidget* w) { return w->palette().color(QPalette::Base); }

// A control with its own colour property (as the program's own controls).
class ColouredControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Color READ Color WRITE SetColor)
public:
    using QWidget::QWidget;
    int Color() const { return color_; }
    void SetColor(int color) { color_ = color; }

private:
    int color_ = 0x00FFFF;  // yellow as 00BBGGRR
};

struct Form {
    QWidget window;
    QLineEdit* first = new QLineEdit(&window);
    QLineEdit* second = new QLineEdit(&window);
    QPushButton* button = new QPushButton(QStringLiteral("OK"), &window);
    ColouredControl* own = new ColouredControl(&window);
    TZRCtrlFocus* focus = new TZRCtrlFocus(&window);
    QColor white;
    Form() {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(second), static_cast<QWidget*>(button),
                           static_cast<QWidget*>(own)}) {
            layout->addWidget(w);
        }
        own->setFocusPolicy(Qt::StrongFocus);
        white = Base(first);
    }
};

}  // namespace

TEST(CtrlFocus, TheFocusedControlIsLightBlueAndTheOthersKeepTheirColour) {
    Form f;
    ShowActive(&f.window);
    f.first->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Base(f.first), kLightBlue);
    f.second->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Base(f.second), kLightBlue);
    EXPECT_EQ(Base(f.first), f.white);
    // A push button has no colour: nothing changes on it, the edit is back.
    const QPalette buttonPalette = f.button->palette();
    f.button->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(f.button->palette(), buttonPalette);
    EXPECT_EQ(Base(f.second), f.white);
    EXPECT_EQ(f.focus->LastControl(), nullptr);
    // A colour property is used when the control has one.
    f.own->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(f.own->Color(), 0xFFE9D2);
    f.first->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(f.own->Color(), 0x00FFFF);
    // Switching off gives the colour back; on again colours at once.
    f.focus->SetEnabled(false);
    EXPECT_EQ(Base(f.first), f.white);
    f.focus->SetEnabled(true);
    EXPECT_EQ(Base(f.first), kLightBlue);
    f.focus->SetFocusedColor(Qt::green);
    EXPECT_EQ(Base(f.first), QColor(Qt::green));
}

TEST(CtrlFocus, AControlThatRefusedTheColourKeepsItsOwn) {
    Form f;
    QPalette yellow = f.first->palette();
    yellow.setColor(QPalette::Base, kYellow);
    f.first->setPalette(yellow);
    std::vector<QWidget*> restored;
    f.focus->SetOnBeforeFocus([&](QObject*, QWidget* control, bool& change, QColor&) {
        if (control == f.second) change = false;
    });
    f.focus->SetOnAfterFocus([&](QObject*, QWidget* control, bool&, QColor&) { restored.push_back(control); });
    ShowActive(&f.window);
    f.first->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Base(f.first), kLightBlue);
    f.second->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Base(f.first), kYellow);
    EXPECT_EQ(Base(f.second), f.white);
    // Leaving the refusing control must not give it the yellow of the one before.
    f.button->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Base(f.second), f.white);
    EXPECT_EQ(restored, std::vector<QWidget*>{f.first});
}

TEST(CtrlFocus, LeavingTheWindowGivesTheColourBack) {
    Form f;
    QWidget other;
    ShowActive(&f.window);
    f.first->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Base(f.first), kLightBlue);
    ShowActive(&other);
    EXPECT_EQ(Base(f.first), f.white);
    ShowActive(&f.window);
    EXPECT_EQ(Base(f.first), kLightBlue);
}

#include "CtrlFocusTest.moc"
