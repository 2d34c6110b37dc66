// Typing to search the tree, and the line hints over cut-off texts.
#include "TreeTesting.h"

#include "treectl/support/McHintWindow.h"

#include <gtest/gtest.h>

TEST(McTreeSearch, TypedTextFindsItemsAlsoInCollapsedBranches) {
    TreeWindow w;
    w.tree->SetIncrementalSearch(true);
    w.Build({"apple", "fruit-", "  ABACUS", "cherry"});
    std::string pressed;
    w.tree->OnKeyPress = [&](TCustomMcTree&, char16_t& key) { pressed += static_cast<char>(key); };
    w.Type("ab");
    EXPECT_EQ(w.Focused(), "ABACUS") << "any case, in a collapsed branch";
    EXPECT_EQ(w.Rows(), "apple fruit ABACUS cherry") << "its branch opened";
    EXPECT_EQ(pressed, "ab") << "OnKeyPress sees every key";
    EXPECT_EQ(Interval(w.View().SearchTimer()), 500);
    Fire(w.View().SearchTimer());
    EXPECT_EQ(w.View().SearchText(), "ab") << "a key came since the search began";
    Fire(w.View().SearchTimer());
    EXPECT_EQ(w.View().SearchText(), "") << "a tick without a key forgets the text";
    w.Type("c");
    EXPECT_EQ(w.Focused(), "cherry");

    Fire(w.View().SearchTimer());
    w.Type("ab");
    w.Key(Qt::Key_Backspace, Qt::NoModifier, QString(QChar(8)));
    EXPECT_EQ(w.View().SearchText(), "a");
    EXPECT_EQ(w.Focused(), "apple") << "Backspace widens the search";
    w.Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    EXPECT_EQ(w.View().SearchText(), "");
}

TEST(McTreeHints, LineHintsOverCutOffTexts) {
    TreeWindow w(104);
    w.Build({"short", "a text far too long for the narrow tree"});
    ASSERT_EQ(w.tree->Settings().LineHintMode, THintModes::shmLong);
    auto hover = [&](const char* text) {
        MoveTo(&w.View(), w.RowPoint(text, 30));
        Fire(w.View().LineHintTimer());
        return w.View().HintedItem() ? w.View().HintedItem()->Text() : std::string("-");
    };
    EXPECT_EQ(hover("short"), "-") << "a text that fits";
    EXPECT_EQ(hover("a text far too long for the narrow tree"), "a text far too long for the narrow tree");
    ASSERT_NE(w.View().LineHintWindow(), nullptr);
    EXPECT_EQ(w.View().LineHintWindow()->Text(), "a text far too long for the narrow tree");
    EXPECT_EQ(w.View().LineHintWindow()->pos(), w.View().mapToGlobal(QPoint(w.Find("short")->TextLeft, 17)))
        << "laid over the row's text";

    w.tree->SetLeftPosition(30);
    ASSERT_EQ(w.tree->LeftPosition(), 30);
    w.Paint();
    EXPECT_EQ(hover("short"), "short") << "scrolled partly out of view on the left";

    w.tree->SetHideHintOnTimer(true);
    w.tree->SetLineHintTimeout(0);
    hover("short");
    MoveTo(&w.View(), w.RowPoint("a text far too long for the narrow tree", 30));
    Fire(w.View().LineHintTimer());
    EXPECT_NE(w.View().HintedItem(), nullptr);
    EXPECT_EQ(Interval(w.View().LineHintTimer()), 2500) << "no timeout of its own: the hint hide pause";
    Fire(w.View().LineHintTimer());
    EXPECT_EQ(w.View().HintedItem(), nullptr);

    w.tree->OnShowLineHint = [](TCustomMcTree&, TMcTreeItem*, std::string&, TMcHintWindow&, QPoint, bool& show) {
        show = false;
    };
    EXPECT_EQ(hover("short"), "-") << "the handler refuses";
}
