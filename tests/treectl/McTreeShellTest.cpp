// The tree control's shell: the row height, the scroll ranges and which bars
// show, the update bracket's one recalculation, loading, the layout of
// header, view and bars, the frame and the focus.
#include "TreeTesting.h"

#include "treectl/tree/McStandardScrollBar.h"

#include "platform/gdi/ImageList.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>

#include <gtest/gtest.h>

namespace {
void SendTab(QWidget* w, Qt::KeyboardModifiers modifiers) {
    QKeyEvent tab(QEvent::KeyPress, modifiers & Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab, modifiers);
    QCoreApplication::sendEvent(w, &tab);
}
}  // namespace

TEST(McTreeShell, DefaultLineHeight) {
    TreeWindow w;
    TMcTree& t = *w.tree;
    EXPECT_EQ(t.DefaultLineHeight(), 17) << "font -11: 15, the indent 17";
    t.SetHorizontalLines(true);
    EXPECT_EQ(t.LineHeight(), 18);
    t.SetBarStyle(true);
    EXPECT_EQ(t.LineHeight(), 19) << "the bar style adds 2, not 3";
    t.SetHorizontalLines(false);
    EXPECT_EQ(t.LineHeight(), 19);
    t.SetBarStyle(false);
    EXPECT_EQ(t.Settings().BkColor, clBtnFace) << "switching the bar style off restores no colours";
    gdi::ImageList tall(16, 20);
    t.SetImages(&tall);
    EXPECT_EQ(t.LineHeight(), 20);
    t.SetImages(nullptr);
    gdi::Bitmap glyphs(6 * 13, 22);
    t.SetShowCheckboxes(true);
    t.SetCheckBoxGlyph(&glyphs);
    t.SetCustomCheckboxes(true);
    EXPECT_EQ(t.LineHeight(), 22);
    t.SetCheckBoxGlyph(nullptr);
    EXPECT_FALSE(t.Settings().CustomCheckboxes) << "no glyph, no custom check boxes";
    EXPECT_EQ(t.LineHeight(), 17);
    t.SetLineHeight(30);
    EXPECT_EQ(t.LineHeight(), 17) << "ignored while AutoLineHeight";
    t.SetAutoLineHeight(false);
    t.SetLineHeight(30);
    EXPECT_EQ(t.LineHeight(), 30);
}

TEST(McTreeShell, WhichScrollBarsShow) {
    TreeWindow w;
    TMcTree& t = *w.tree;
    EXPECT_FALSE(t.VertBarShown()) << "an empty tree";
    EXPECT_EQ(t.VertScrollBar().Max(), 0);
    EXPECT_EQ(t.VertScrollBar().Page(), 1);
    TMcHeaderSection* s = t.HeaderSections().AddSection();
    t.SetShowColumns(true);
    auto recalculate = [&] {
        t.SetUpdating(true);
        t.MarkChanged();
        t.SetUpdating(false);
    };
    s->SetWidth(t.View().width() + 1);
    recalculate();
    EXPECT_FALSE(t.HorzBarShown()) << "one pixel wider than the view is no reason to scroll";
    EXPECT_EQ(t.LeftPosition(), 0);
    s->SetWidth(t.View().width() + 2);
    recalculate();
    EXPECT_TRUE(t.HorzBarShown());
    EXPECT_TRUE(t.HorzScrollBar().isVisible());
    EXPECT_EQ(t.HorzScrollBar().geometry().bottom(), t.height() - 3) << "inside the frame";

    t.SetShowColumns(false);
    t.SetForcedScrollBars(TScrollStyle::ssBoth);
    EXPECT_TRUE(t.HorzBarShown() && t.VertBarShown()) << "forced bars stay, disabled";
    EXPECT_TRUE(t.VertScrollBar().isVisible());

    // The vertical bar on the left when exactly one of the two asks for it.
    const struct {
        bool opposite, rightText, left;
    } sides[] = {{false, false, false}, {true, false, true}, {false, true, true}, {true, true, false}};
    for (const auto& side : sides) {
        t.SetScrollbarOpposite(side.opposite);
        t.SetRightAlignedText(side.rightText);
        const bool left = t.VertScrollBar().x() < t.View().x();
        EXPECT_EQ(left, side.left) << side.opposite << side.rightText;
    }
}

TEST(McTreeShell, TheCornerSquareTakesTheBarsColour) {
    TreeWindow w;
    w.tree->SetForcedScrollBars(TScrollStyle::ssBoth);
    w.tree->VertScrollBar().SetColor(gdi::Rgb(1, 99, 2));
    const QImage picture = w.tree->grab().toImage();
    const QRect v = w.tree->VertScrollBar().geometry(), h = w.tree->HorzScrollBar().geometry();
    EXPECT_EQ(picture.pixelColor(v.center().x(), h.center().y()), QColor(1, 99, 2));
}

TEST(McTreeShell, OneRecalculationPerBracket) {
    TreeWindow w;
    TMcTree& t = *w.tree;
    const int32_t before = t.Recalculations();
    t.SetUpdating(true);
    t.SetUpdating(true);
    for (int i = 0; i < 500; ++i) t.Items().AddChild(nullptr, "item " + std::to_string(i));
    t.SetUpdating(false);
    EXPECT_EQ(t.Recalculations(), before) << "the inner bracket closes without work";
    t.SetUpdating(false);
    EXPECT_EQ(t.Recalculations(), before + 1);
    EXPECT_EQ(t.ShownItemCount(), 500);
    EXPECT_TRUE(t.VertBarShown());
    t.SetUpdating(false);
    EXPECT_FALSE(t.IsUpdating()) << "a close without an open is ignored";
    t.SetUpdating(true);
    EXPECT_TRUE(t.IsUpdating());
    t.SetUpdating(false);

    const int32_t loaded = t.Recalculations();
    t.BeginLoad();
    t.SetHeaderHeight(25);
    t.Items().AddChild(nullptr, "while loading");
    t.SetTopIndex(7);
    EXPECT_EQ(t.Recalculations(), loaded) << "nothing is worked out while loading";
    t.Loaded();
    EXPECT_EQ(t.Recalculations(), loaded + 1);
    EXPECT_EQ(t.HeaderHeight(), 25) << "the recorded header height";
    EXPECT_EQ(t.TopIndex(), 7);
}

TEST(McTreeShell, FrameTypes) {
    TreeWindow w;
    TMcTree& t = *w.tree;
    t.SetActiveBorderType(TMcFlatBorderType::fbtRaised);
    t.SetInactiveBorderType(TMcFlatBorderType::fbtEtched);
    EXPECT_EQ(t.CurrentBorderType(), TMcFlatBorderType::fbtSunken) << "custom bars without Flat: always sunken";
    t.SetFlat(true);
    EXPECT_EQ(t.CurrentBorderType(), TMcFlatBorderType::fbtEtched);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(w.tree, &enter);
    EXPECT_EQ(t.CurrentBorderType(), TMcFlatBorderType::fbtRaisedOuter) << "raised is drawn as raised outer";
    t.SetBorderStyle(TBorderStyle::bsNone);
    EXPECT_EQ(t.View().pos(), QPoint(0, 0)) << "no frame, no border";
}

TEST(McTreeShell, TabLandsOnTheViewAndShiftTabLeaves) {
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* tree = new TMcTree(&window);
    auto* after = new QLineEdit(&window);
    before->setGeometry(0, 0, 100, 20);
    tree->setGeometry(0, 30, 200, 100);
    after->setGeometry(0, 140, 100, 20);
    window.show();
    QApplication::setActiveWindow(&window);
    before->setFocus();
    ASSERT_TRUE(before->hasFocus());
    SendTab(before, Qt::NoModifier);
    EXPECT_TRUE(tree->View().hasFocus()) << "Tab into the tree lands on its view";
    SendTab(&tree->View(), Qt::NoModifier);
    EXPECT_TRUE(after->hasFocus()) << "the header and bars take no focus";
    SendTab(after, Qt::ShiftModifier);
    SendTab(&tree->View(), Qt::ShiftModifier);
    EXPECT_TRUE(before->hasFocus()) << "Shift+Tab from the view leaves the tree";
    tree->setFocus();
    EXPECT_TRUE(tree->View().hasFocus());
}

TEST(McTreeShell, StandardBarsTrackBeyondSixteenBits) {
    TreeWindow w;
    TMcTree& t = *w.tree;
    t.SetUseCustomScrollBars(false);
    t.SetScrollTracking(true);
    t.SetUpdating(true);
    for (int i = 0; i < 40100; ++i) t.Items().AddChild(nullptr, "i");
    t.SetUpdating(false);
    auto& bar = static_cast<TMcStandardScrollBar&>(t.StandardScrollBar(TScrollBarKind::sbVertical));
    EXPECT_TRUE(bar.isVisible());
    EXPECT_FALSE(t.VertScrollBar().isVisible());
    bar.setSliderDown(true);
    bar.setSliderPosition(40000);
    EXPECT_EQ(t.TopIndex(), 40000) << "a track position above 32767 stays positive";
    bar.setSliderDown(false);
    bar.triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(t.TopIndex(), 39999);
    EXPECT_EQ(bar.value(), 39999);
}
