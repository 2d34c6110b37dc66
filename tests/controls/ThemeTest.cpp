// The theme services and the theme manager.

#include "controls/ZRPenWidthButton.h"
#include "controls/ZRThemeManager.h"
#include "foundation/ZRRegIniFile.h"
#include "foundation/widgets/ZRThemeServices.h"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QTemporaryDir>
#include <QtGui/QEnterEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleFactory>
#include <QtWidgets/QVBoxLayout>

#include <memory>

namespace {

class ThemeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        UseSettingsFile(dir_.filePath(QStringLiteral("registry.dat")));
        styleName_ = QApplication::style()->name();
        SetThemesOn(false);
    }
    void TearDown() override {
        SetThemesOn(false);
        QApplication::setStyle(styleName_);
        QCoreApplication::processEvents();
    }

    static void SetThemesOn(bool on) {
        Settings().WriteBool(TZRThemeServices::kSettingsSection, TZRThemeServices::kSettingsKey, on);
        ThemeServices().SetAppProperties(kAllowNonClient | kAllowControls | kAllowWebContent);
        ThemeServices().UpdateThemes();
    }

private:
    QTemporaryDir dir_;
    QString styleName_;
};

// The top-left pixel of a pen-width button, with and without the mouse over it.
std::pair<QRgb, QRgb> CornerPixels(TZRPenWidthButton& button) {
    QEvent left(QEvent::Leave);
    QApplication::sendEvent(&button, &left);
    const QRgb plain = button.grab().toImage().pixel(0, 0);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    const QRgb hovered = button.grab().toImage().pixel(0, 0);
    return {plain, hovered};
}

}  // namespace

TEST(ThemeServices, DetailValuesMapToPartsAndStates) {
    struct Case {
        TThemedElement element;
        int detail;
        int part;
        int state;
    };
    const Case cases[] = {
        {TThemedElement::teButton, 2, 1, 1},    {TThemedElement::teButton, 6, 1, 5},
        {TThemedElement::teButton, 15, 3, 1},   {TThemedElement::teButton, 19, 3, 5},
        {TThemedElement::teButton, 26, 3, 12},  {TThemedElement::teButton, 27, 4, 1},
        {TThemedElement::teButton, 28, 4, 2},   {TThemedElement::teButton, 29, 5, 1},
        {TThemedElement::teButton, 30, 0, 31},  {TThemedElement::teEdit, 2, 1, 1},
        {TThemedElement::teEdit, 9, 2, 1},      {TThemedElement::teTab, 43, 10, 1},
        {TThemedElement::teTab, 41, 8, 5},      {TThemedElement::teTrackBar, 34, 9, 1},
        {TThemedElement::teStatus, 1, 0, 2},    {TThemedElement::teToolBar, 37, 6, 6},
        {TThemedElement::teRebar, 17, 5, 4},    {TThemedElement::teWindow, 5, 0, 6},
    };
    for (const Case& c : cases) {
        const TThemedElementDetails d = TZRThemeServices::GetElementDetails(c.element, c.detail);
        EXPECT_EQ(d, (TThemedElementDetails{c.element, c.part, c.state}))
            << TZRThemeServices::ElementClassName(c.element) << " " << c.detail << " -> " << d.Part << "/" << d.State;
    }
}

TEST_F(ThemeTest, ThemedDrawingFollowsTheSettingAndTheAllowFlags) {
    TZRThemeServices& services = ThemeServices();
    EXPECT_TRUE(services.ThemesAvailable());
    EXPECT_FALSE(services.GetThemesEnabled());
    EXPECT_EQ(services.GetTheme(TThemedElement::teButton), nullptr);

    SetThemesOn(true);
    EXPECT_TRUE(services.GetThemesEnabled());
    EXPECT_EQ(services.GetTheme(TThemedElement::teButton), QApplication::style());
    // Themes in use but not for controls.
    services.SetAppProperties(kAllowNonClient);
    services.UpdateThemes();
    EXPECT_TRUE(services.ThemesInUse());
    EXPECT_FALSE(services.GetThemesEnabled());
}

TEST_F(ThemeTest, AStyleChangeIsOneThemeChangeAndReachesTheHoverFrames) {
    QWidget window;
    auto* button = new TZRPenWidthButton(&window);
    window.resize(100, 40);
    window.show();
    int changes = 0;
    ThemeServices().OnThemeChange = [&] { ++changes; };

    // Classic: the mouse over the button raises a frame.
    const auto [plain, hovered] = CornerPixels(*button);
    EXPECT_NE(plain, hovered);

    Settings().WriteBool(TZRThemeServices::kSettingsSection, TZRThemeServices::kSettingsKey, true);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QCoreApplication::processEvents();
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(ThemeServices().GetThemesEnabled());
    // Themed: the style's look, no frame of the button's own.
    const auto [themedPlain, themedHovered] = CornerPixels(*button);
    EXPECT_EQ(themedPlain, themedHovered);
    EXPECT_EQ(QColor(themedPlain), window.palette().color(QPalette::Window));
    ThemeServices().OnThemeChange = nullptr;
}

TEST_F(ThemeTest, ParentBackgroundOnlyUnderTransparentParts) {
    QWidget parent;
    QWidget child(&parent);
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    const TThemedElementDetails edit = TZRThemeServices::GetElementDetails(TThemedElement::teEdit, 2);
    EXPECT_EQ(ThemeServices().DrawParentBackground(child, painter, &edit, true, image.rect()), 0);
    EXPECT_EQ(image.pixel(5, 5), QColor(Qt::red).rgb());
    const TThemedElementDetails button = TZRThemeServices::GetElementDetails(TThemedElement::teButton, 2);
    EXPECT_EQ(ThemeServices().DrawParentBackground(child, painter, &button, true, image.rect()), 1);
    painter.end();
    EXPECT_EQ(QColor(image.pixel(5, 5)), parent.palette().color(parent.backgroundRole()));
}

TEST_F(ThemeTest, ASecondManagerIsPassiveAndTakesOverWhenTheFirstGoes) {
    auto first = std::make_unique<TZRThemeManager>();
    first->SetOptions(TZRThemeManager::TThemeOptions::fromInt(TZRThemeManager::kDefaultOptions) & ~TZRThemeManager::toSubclassPanel);
    TZRThemeManager second;
    EXPECT_TRUE(first->IsActive());
    EXPECT_FALSE(second.IsActive());
    EXPECT_EQ(second.Options(), first->Options());

    QWidget window;
    auto* panel = new QFrame(&window);
    auto* inside = new QPushButton(QStringLiteral("OK"), panel);
    auto* check = new QCheckBox(&window);
    second.UpdateThemedControls(&window);  // passive: nothing
    EXPECT_EQ(second.SubclassedCount(), 0);
    window.show();  // the active manager takes every shown window
    EXPECT_TRUE(first->IsSubclassed(&window));
    EXPECT_TRUE(first->IsSubclassed(inside));
    EXPECT_TRUE(first->IsSubclassed(check));
    EXPECT_FALSE(first->IsSubclassed(panel));  // panels are off

    first.reset();
    EXPECT_TRUE(second.IsActive());
    EXPECT_TRUE(second.IsSubclassed(inside));
    EXPECT_FALSE(second.IsSubclassed(panel));
}

TEST_F(ThemeTest, WatchedControlsAreSeenFirstUntilRestored) {
    TZRThemeManager manager;
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("OK"), &window);
    button->setProperty("ZRNoTheming", false);
    auto* refusing = new QPushButton(QStringLiteral("No"), &window);
    refusing->setProperty("ZRNoTheming", true);
    int seen = 0;
    manager.OnControlMessage = [&](TZRThemeManager*, QWidget* control, QEvent* event, bool& handled) {
        if (control == button && event->type() == QEvent::MouseButtonPress) {
            ++seen;
            handled = true;  // swallowed: the button is never pressed
        }
    };
    manager.AddListener(&window, [](QWidget*, QEvent*) -> bool { throw std::runtime_error("listener"); });
    manager.UpdateThemedControls(&window);
    EXPECT_FALSE(manager.IsSubclassed(refusing));
    // A control put into the window later is watched too.
    auto* later = new QPushButton(QStringLiteral("Later"), &window);
    QCoreApplication::sendPostedEvents();
    window.show();
    EXPECT_TRUE(manager.IsSubclassed(later));

    // Deleted or moved out, a control is let go.
    delete later;
    auto* moved = new QPushButton(QStringLiteral("Moved"), &window);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(manager.IsSubclassed(moved));
    {
        QWidget elsewhere;
        moved->setParent(&elsewhere);
        EXPECT_FALSE(manager.IsSubclassed(moved));
    }

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &press);
    EXPECT_EQ(seen, 1);
    EXPECT_FALSE(button->isDown());

    manager.UpdateThemedControls();  // restores all, then takes every window again
    EXPECT_TRUE(manager.IsSubclassed(button));
    manager.SubclassControl(&window, false);  // the window and all its controls
    for (const QWidget* control : {static_cast<const QWidget*>(&window), static_cast<const QWidget*>(button)})
        EXPECT_FALSE(manager.IsSubclassed(control));
    QApplication::sendEvent(button, &press);
    EXPECT_EQ(seen, 1);
    EXPECT_TRUE(button->isDown());
}
