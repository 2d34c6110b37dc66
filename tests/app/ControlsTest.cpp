#include "app/SpeedButton.h"
#include "app/ZRFlatButton.h"
#include "app/ZRStatusBar.h"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QWidget>

namespace {

void Mouse(QWidget* w, QEvent::Type type, QPoint pos) {
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, w->mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

void Key(QWidget* w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QCoreApplication::sendEvent(w, &release);
}

// Counts the times the menu opens, closing it again at once.
int* CountOpenings(QMenu* menu) {
    auto* count = new int(0);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, count] {
        ++*count;
        QTimer::singleShot(0, menu, &QMenu::close);
    });
    QObject::connect(menu, &QObject::destroyed, [count] { delete count; });
    return count;
}

}  // namespace

TEST(FlatButton, ComboSplitsOffItsDropDownPart) {
    TZRFlatButton button;
    EXPECT_EQ(button.size(), QSize(40, 20));
    EXPECT_EQ(button.DropDownRect(), QRect());
    button.SetStyle(TZRFlatButtonStyle::fbCombo);
    button.resize(60, 20);
    EXPECT_EQ(button.MainRect(), QRect(0, 0, 48, 20));
    EXPECT_EQ(button.DropDownRect().left(), 47);
    EXPECT_EQ(button.DropDownRect().left() + button.DropDownRect().width(), 60);
}

TEST(FlatButton, ClicksWhereThePressStartedAndEnded) {
    TZRFlatButton button;
    button.resize(60, 20);
    int clicks = 0;
    QObject::connect(&button, &TZRFlatButton::clicked, [&] { ++clicks; });
    Mouse(&button, QEvent::MouseButtonPress, {10, 10});
    EXPECT_TRUE(button.State() & TZRFlatButton::kMainPressed);
    Mouse(&button, QEvent::MouseMove, {100, 10});
    EXPECT_FALSE(button.State() & TZRFlatButton::kMainPressed);
    Mouse(&button, QEvent::MouseButtonRelease, {100, 10});
    EXPECT_EQ(clicks, 0);
    Mouse(&button, QEvent::MouseButtonPress, {10, 10});
    Mouse(&button, QEvent::MouseButtonRelease, {12, 8});
    EXPECT_EQ(clicks, 1);
    // Space presses and releases the button too.
    Key(&button, Qt::Key_Space);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(button.State() & (TZRFlatButton::kMainPressed | TZRFlatButton::kDropPressed), 0);
}

TEST(FlatButton, EnterClicksCtrlEnterAndTheArrowOpenTheMenu) {
    TZRFlatButton button;
    button.SetStyle(TZRFlatButtonStyle::fbCombo);
    button.resize(60, 20);
    auto* menu = new QMenu;
    menu->addAction(QStringLiteral("Eins"));
    button.SetComboPopupMenu(menu);
    const int* openings = CountOpenings(menu);
    int clicks = 0;
    QObject::connect(&button, &TZRFlatButton::clicked, [&] { ++clicks; });
    Key(&button, Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(*openings, 0);
    Key(&button, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(*openings, 1);
    Mouse(&button, QEvent::MouseButtonPress, {55, 10});
    Mouse(&button, QEvent::MouseButtonRelease, {55, 10});
    EXPECT_EQ(*openings, 2);
    EXPECT_EQ(clicks, 1);
    // A drop-down button opens its menu from its whole face.
    button.SetStyle(TZRFlatButtonStyle::fbDropDown);
    Mouse(&button, QEvent::MouseButtonPress, {10, 10});
    Mouse(&button, QEvent::MouseButtonRelease, {10, 10});
    EXPECT_EQ(*openings, 3);
    EXPECT_EQ(clicks, 1);
    // Without its menu the button opens nothing.
    delete menu;
    EXPECT_EQ(button.ComboPopupMenu(), nullptr);
    button.DropDown();
    Key(&button, Qt::Key_Return, Qt::ControlModifier);
}

TEST(SpeedButton, GroupsKeepOneButtonDownUnlessAllMayBeUp) {
    QWidget panel;
    TSpeedButton a(&panel), b(&panel), c(&panel), toggle(&panel), plain(&panel);
    for (TSpeedButton* button : {&a, &b, &c}) button->SetGroupIndex(1);
    toggle.SetGroupIndex(7);
    toggle.SetAllowAllUp(true);
    a.SetDown(true);
    b.click();
    EXPECT_FALSE(a.Down());
    EXPECT_TRUE(b.Down());
    b.click();  // the down button stays down
    EXPECT_TRUE(b.Down());
    b.SetDown(false);
    EXPECT_TRUE(b.Down());
    c.SetDown(true);
    EXPECT_FALSE(b.Down());
    toggle.click();
    EXPECT_TRUE(toggle.Down());
    EXPECT_TRUE(c.Down());  // another group
    toggle.click();
    EXPECT_FALSE(toggle.Down());
    plain.click();
    EXPECT_FALSE(plain.isCheckable());
    EXPECT_FALSE(plain.Down());
}

TEST(SpeedButton, HintsSplitIntoToolTipAndStatusText) {
    TSpeedButton button;
    button.SetHint(QStringLiteral("Neu|Neue Etikettendatei anlegen"));
    EXPECT_EQ(button.toolTip(), QStringLiteral("Neu"));
    EXPECT_EQ(button.statusTip(), QStringLiteral("Neue Etikettendatei anlegen"));
    button.SetHint(QStringLiteral("Barcode"));
    EXPECT_EQ(button.toolTip(), QStringLiteral("Barcode"));
    EXPECT_EQ(button.statusTip(), QStringLiteral("Barcode"));
}

TEST(StatusBar, CarriesTextAndChildControls) {
    TZRStatusBar bar;
    bar.SetSimpleText(QStringLiteral(" Bereit"));
    EXPECT_EQ(bar.SimpleText(), QStringLiteral(" Bereit"));
    QLabel child(QStringLiteral("x"), &bar);
    EXPECT_EQ(child.parentWidget(), &bar);
}
