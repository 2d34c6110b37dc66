#include "ControlsTesting.h"

#include "controls/DataTip.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>

TEST(DataTip, OpensAwayFromTheScreenEdges) {
    const QRect screen(0, 0, 1024, 768);
    struct Case {
        const char* name;
        QRect hint;
        QRect tip;
    };
    const Case cases[] = {
        {"middle", {500, 300, 60, 16}, {500, 300, 64, 20}},
        {"right edge + 4 exactly at the screen edge", {960, 300, 60, 16}, {960, 300, 64, 20}},
        {"right edge", {961, 300, 60, 16}, {961 - 64 - 24, 300, 64, 20}},
        {"bottom edge", {500, 750, 60, 16}, {500, 750 - 20 - 20, 64, 20}},
        {"corner", {1000, 760, 60, 16}, {1000 - 88, 760 - 40, 64, 20}},
    };
    for (const Case& c : cases) EXPECT_EQ(TQNDataTip::PlaceTip(c.hint, screen), c.tip) << c.name;
    // A screen that does not start at 0.
    EXPECT_EQ(TQNDataTip::PlaceTip({1980, 10, 60, 16}, {1024, 0, 1000, 768}).left(), 1980 - 88);
}

TEST(DataTip, ShowsTheTextAfterABlankUnlessDisabled) {
    TQNDataTip& tip = DataTip();
    EXPECT_EQ(&tip, &DataTip());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    tip.ShowFormatted(screen.left() + 100, screen.top() + 50, u"%d mm", {12});
    EXPECT_TRUE(tip.isVisible());
    EXPECT_EQ(tip.Text(), QStringLiteral(" 12 mm"));
    EXPECT_EQ(tip.geometry().topLeft(), QPoint(screen.left() + 100, screen.top() + 50));
    EXPECT_EQ(tip.size(), tip.CalcHintRect(TQNDataTip::kMaxTextWidth, tip.Text()).size() + QSize(4, 4));
    // Long texts wrap at 300 pixels.
    const QString words = QStringLiteral("Abstand vom linken Rand ").repeated(10);
    const QRect wrapped = tip.CalcHintRect(TQNDataTip::kMaxTextWidth, words);
    EXPECT_LE(wrapped.width(), TQNDataTip::kMaxTextWidth + 6);
    EXPECT_GT(wrapped.height(), 3 * tip.fontMetrics().height());
    tip.HideTip();
    EXPECT_FALSE(tip.isVisible());
    tip.SetEnabled(false);
    tip.ShowAt(10, 10, QStringLiteral("x"));
    EXPECT_FALSE(tip.isVisible());
    tip.SetEnabled(true);
}
