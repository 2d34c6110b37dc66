#include "foundation/widgets/FormPlacement.h"

#include "foundation/ZRRegIniFile.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QWidget>

TEST(FormPlacement, StoredBoundsAreFittedToTheScreen) {
    struct Case {
        QRect stored;
        QRect screen;
        QRect expected;
    };
    const Case cases[] = {
        {{100, 50, 400, 300}, {0, 0, 800, 600}, {100, 50, 400, 300}},     // fits
        {{100, 50, 1000, 300}, {0, 0, 800, 600}, {0, 50, 800, 300}},      // too wide
        {{100, 50, 400, 900}, {0, 0, 800, 600}, {100, 0, 400, 600}},      // too high
        {{600, 500, 400, 300}, {0, 0, 800, 600}, {400, 300, 400, 300}},   // past the right and bottom edges
        {{-40, -10, 400, 300}, {0, 0, 800, 600}, {0, 0, 400, 300}},       // left of and above the screen
        {{1300, 20, 400, 300}, {1280, 0, 1024, 768}, {1300, 20, 400, 300}},  // a screen right of the first
        {{100, 20, 400, 300}, {1280, 0, 1024, 768}, {1280, 20, 400, 300}},
    };
    for (const Case& c : cases) EXPECT_EQ(FitBoundsToScreen(c.stored, c.screen), c.expected);
}

TEST(FormPlacement, SavedPlacementLoadsIntoAnotherWindow) {
    QTemporaryDir dir;
    UseSettingsFile(dir.filePath(QStringLiteral("registry.dat")));
    QWidget form;
    form.move(30, 40);
    form.resize(300, 200);
    SaveFormPlacement(&form, "TestForm");
    EXPECT_EQ(Settings().ReadInteger("TestForm", "WindowState", -1), 0);
    EXPECT_EQ(Settings().ReadInteger("TestForm", "Height", -1), 200);

    QWidget other;
    other.resize(100, 100);
    LoadFormPlacement(&other, "TestForm");
    EXPECT_EQ(other.pos(), QPoint(30, 40));
    EXPECT_EQ(other.size(), QSize(300, 200));

    // Missing values keep the window's own bounds.
    QWidget fresh;
    fresh.move(10, 10);
    fresh.resize(120, 90);
    LoadFormPlacement(&fresh, "Unbekannt");
    EXPECT_EQ(fresh.size(), QSize(120, 90));
    EXPECT_FALSE(fresh.isMaximized());

    // A maximised window stores its state only.
    Settings().DeleteKey("TestForm", "Left");
    form.setWindowState(Qt::WindowMaximized);
    SaveFormPlacement(&form, "TestForm");
    EXPECT_EQ(Settings().ReadInteger("TestForm", "WindowState", -1), 2);
    EXPECT_FALSE(Settings().ValueExists("TestForm", "Left"));
    QWidget maximised;
    LoadFormPlacement(&maximised, "TestForm");
    EXPECT_TRUE(maximised.windowState() & Qt::WindowMaximized);
}
