// The tab strip, its list of tabs and the scroller.
#include "app/QDXTabSet.h"

#include "foundation/Localizer.h"
#include "foundation/WideStrings.h"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtGui/QMouseEvent>

#include <functional>

namespace {

void Click(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent press(QEvent::MouseButtonPress, p, w->mapToGlobal(p), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), button, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}

void AddTabs(TQDXTabSet& strip, int count) {
    for (int i = 1; i <= count; ++i) strip.Tabs().Add(QStringLiteral("Design %1").arg(i));
}

}  // namespace

TEST(TabList, ChangesKeepTheSelectionWhereTheStripSaysSo) {
    const struct {
        const char* what;
        int selected;
        std::function<void(TTabList&)> change;
        int index;
        int clicks;
        QStringList captions;
    } cases[] = {
        {"delete the selected last tab", 3, [](TTabList& t) { t.Delete(3); }, 2, 1, {"A", "B", "C"}},
        {"delete the selected middle tab", 1, [](TTabList& t) { t.Delete(1); }, 1, 1, {"A", "C", "D"}},
        {"delete a tab before the selected one", 2, [](TTabList& t) { t.Delete(0); }, 2, 0, {"B", "C", "D"}},
        {"delete a tab after the selected one", 1, [](TTabList& t) { t.Delete(3); }, 1, 0, {"A", "B", "C"}},
        {"insert before the selected tab", 1, [](TTabList& t) { t.Insert(0, "X"); }, 2, 0, {"X", "A", "B", "C", "D"}},
        {"insert after the selected tab", 1, [](TTabList& t) { t.Insert(2, "X"); }, 1, 0, {"A", "B", "X", "C", "D"}},
        {"append", 0, [](TTabList& t) { t.Add("E"); }, 0, 0, {"A", "B", "C", "D", "E"}},
        {"rename", 0, [](TTabList& t) { t.Put(2, "Z"); }, 0, 0, {"A", "B", "Z", "D"}},
        {"move the selected tab", 0, [](TTabList& t) { t.Move(0, 2); }, 2, 0, {"B", "C", "A", "D"}},
        {"move another tab across it", 2, [](TTabList& t) { t.Move(3, 0); }, 3, 0, {"D", "A", "B", "C"}},
        {"clear", 2, [](TTabList& t) { t.Clear(); }, -1, 0, {}},
        {"delete every tab", 0, [](TTabList& t) { while (t.Count() > 0) t.Delete(t.Count() - 1); }, -1, 1, {}},
    };
    for (const auto& c : cases) {
        TQDXTabSet strip;
        strip.Tabs().AddStrings({"A", "B", "C", "D"});
        strip.SetTabIndex(c.selected);
        int clicks = 0;
        strip.OnClick = [&] { ++clicks; };
        c.change(strip.Tabs());
        EXPECT_EQ(strip.TabIndex(), c.index) << c.what;
        EXPECT_EQ(clicks, c.clicks) << c.what;
        EXPECT_EQ(strip.Tabs().Captions(), c.captions) << c.what;
    }
}

TEST(TabList, ObjectsTravelWithTheirCaptionsAndBadIndexesAreRefused) {
    TQDXTabSet strip;
    int first = 1, second = 2;
    strip.Tabs().Add(QStringLiteral("Design 1"), &first);
    strip.Tabs().Add(QStringLiteral("Design 2"), &second);
    strip.Tabs().Move(1, 0);
    EXPECT_EQ(strip.Tabs().Objects(0), &second);
    EXPECT_EQ(strip.Tabs().IndexOfObject(&first), 1);
    EXPECT_EQ(strip.Tabs().IndexOf(QStringLiteral("Design 1")), 1);
    EXPECT_THROW(strip.Tabs().Strings(2), EStringListError);
    EXPECT_THROW(strip.Tabs().Delete(-1), EStringListError);
    EXPECT_THROW(strip.Tabs().Insert(3, QStringLiteral("x")), EStringListError);

    TQDXTabSet copy;
    copy.SetTabs(strip.Tabs());
    EXPECT_EQ(copy.TabIndex(), 0);
    EXPECT_EQ(copy.Tabs().Objects(1), &first);
}

TEST(QDXTabSet, TabIndexOutOfRangeIsRefusedWithItsMessage) {
    TQDXTabSet strip;
    AddTabs(strip, 3);
    for (const int bad : {3, -2, 100}) {
        try {
            strip.SetTabIndex(bad);
            ADD_FAILURE() << bad;
        } catch (const ETabSetError& e) {
            EXPECT_STREQ(e.what(), "Registerindex außerhalb des zulässigen Bereichs");
        }
    }
    EXPECT_EQ(strip.TabIndex(), -1);
    strip.SetTabIndex(2);
    strip.SetTabIndex(-1);
    EXPECT_EQ(strip.TabIndex(), -1);

    // The change event may refuse a selection.
    int clicks = 0;
    strip.OnClick = [&] { ++clicks; };
    strip.OnChange = [](int index, bool& allow) { allow = index != 1; };
    strip.SetTabIndex(1);
    EXPECT_EQ(strip.TabIndex(), -1);
    strip.SetTabIndex(0);
    EXPECT_EQ(strip.TabIndex(), 0);
    EXPECT_EQ(clicks, 1);
}

TEST(QDXTabSet, ALeftClickOnATabSelectsIt) {
    TQDXTabSet strip;
    strip.resize(400, 21);
    AddTabs(strip, 3);
    strip.SetTabIndex(0);
    std::vector<int> presses;
    strip.OnMouseDown = [&](Qt::MouseButton, uint32_t, int x, int) { presses.push_back(x); };

    const QRect second = strip.ItemRect(1);
    ASSERT_FALSE(second.isEmpty());
    Click(&strip, second.center());
    EXPECT_EQ(strip.TabIndex(), 1);
    // Slightly beyond a tab's face still hits it; far beside every tab does not.
    Click(&strip, QPoint(strip.ItemRect(2).left() - 2, 3));
    EXPECT_EQ(strip.TabIndex(), 2);
    Click(&strip, QPoint(390, 5));
    EXPECT_EQ(strip.TabIndex(), 2);
    EXPECT_EQ(strip.ItemAtPos(QPoint(390, 5)), -1);
    // The right button selects nothing here (the document window decides).
    Click(&strip, strip.ItemRect(0).center(), Qt::RightButton);
    EXPECT_EQ(strip.TabIndex(), 2);
    EXPECT_EQ(presses.size(), 4u);
}

TEST(QDXTabSet, TabsThatDoNotFitAreReachedWithTheScroller) {
    QWidget window;
    TQDXTabSet strip(&window);
    strip.resize(300, 21);
    window.show();
    AddTabs(strip, 20);
    strip.SetTabIndex(0);
    EXPECT_TRUE(strip.Scroller().isVisible());
    EXPECT_LT(strip.VisibleTabs(), 20);
    EXPECT_EQ(strip.Scroller().Max(), 20 - strip.VisibleTabs());

    strip.SetTabIndex(19);
    EXPECT_EQ(strip.FirstIndex() + strip.VisibleTabs() - 1, 19);
    strip.SetTabIndex(2);
    EXPECT_EQ(strip.FirstIndex(), 2);

    // The scroller's arrows move the first tab; its left arrow stops at the start.
    const int first = strip.FirstIndex();
    Click(&strip.Scroller(), QPoint(TScroller::kWidth - 3, 5));
    EXPECT_EQ(strip.FirstIndex(), first + 1);
    Click(&strip.Scroller(), QPoint(3, 5));
    Click(&strip.Scroller(), QPoint(3, 5));
    Click(&strip.Scroller(), QPoint(3, 5));
    Click(&strip.Scroller(), QPoint(3, 5));
    EXPECT_EQ(strip.FirstIndex(), 0);
    EXPECT_EQ(strip.Scroller().Position(), 0);

    // Wide enough for all: the scroller goes and the first tab shows first.
    strip.SetTabIndex(19);
    strip.resize(3000, 21);
    QCoreApplication::processEvents();
    EXPECT_FALSE(strip.Scroller().isVisible());
    EXPECT_EQ(strip.FirstIndex(), 0);
    EXPECT_EQ(strip.VisibleTabs(), 20);
}
