// The flat scroll bar: part and thumb geometry, the scroll information,
// position rules, presses with auto-repeat, dragging the thumb, secondary
// buttons, the keyboard, the track hint's place and the style set.
#include "MouseTesting.h"

#include "treectl/header/McScrollBarStyles.h"
#include "treectl/support/McHintWindow.h"

#include "foundation/Exceptions.h"

#include "platform/gdi/BitmapCanvas.h"

#include <QtGui/QKeyEvent>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using enum TMcScrollBarPart;

TMcScrollGeometry Bar121() {
    TMcScrollGeometry g;
    g.length = 121;
    g.cross = 16;
    g.buttonBase = 16;
    g.min = 0;
    g.max = 100;
    g.page = 10;
    return g;
}

TEST(McScrollBarGeometry, ThumbTable) {
    const struct {
        const char* what;
        std::function<void(TMcScrollGeometry&)> change;
        int32_t button, thumb, thumbPos;
    } cases[] = {
        {"page 10 of 101", [](TMcScrollGeometry& g) { g.position = 91; }, 16, 9, 96},  // 16 + MulDiv(80, 91, 91)
        {"at the start", [](TMcScrollGeometry&) {}, 16, 9, 16},
        {"beyond the end", [](TMcScrollGeometry& g) { g.position = 500; }, 16, 9, 96},
        {"least thumb", [](TMcScrollGeometry& g) { g.max = 10000; }, 16, 4, 16},
        {"page 0: the system's", [](TMcScrollGeometry& g) { g.page = 0; }, 16, 17, 16},
        {"page covers all", [](TMcScrollGeometry& g) { g.max = 5; g.position = 3; }, 16, 89, 16},
        {"fixed thumb", [](TMcScrollGeometry& g) { g.thumbMode = TMcScrollThumbMode::etmFixed; g.fixedThumb = 20; }, 16, 20, 16},
        {"too short for the buttons", [](TMcScrollGeometry& g) { g.length = 20; }, 10, 0, 10},
        {"thumb wider than the track", [](TMcScrollGeometry& g) { g.length = 36; g.minThumb = 8; }, 16, 0, 16},
        {"secondary buttons", [](TMcScrollGeometry& g) { g.secondaryButtons = true; g.position = 91; }, 16, 6, 83},
    };
    for (const auto& c : cases) {
        TMcScrollGeometry g = Bar121();
        c.change(g);
        EXPECT_EQ(g.ButtonSize(), c.button) << c.what;
        EXPECT_EQ(g.ThumbSize(), c.thumb) << c.what;
        EXPECT_EQ(g.ThumbFromPosition(), c.thumbPos) << c.what;
    }
    TMcScrollGeometry g = Bar121();
    EXPECT_EQ(g.TrackLength(), 89);
    g.min = 10;
    g.max = 110;
    EXPECT_EQ(g.PositionFromThumb(121 - 16 - g.ThumbSize()), 101) << "the thumb at the end";
    EXPECT_EQ(g.PositionFromThumb(16), 10);
    EXPECT_EQ(g.PositionFromThumb(1000), 110) << "never beyond the range";
    g.max = 15;
    g.page = 10;
    g.length = 36 + 32;
    EXPECT_EQ(g.PositionFromThumb(30), 10) << "no travel and no division by it";
}

TEST(McScrollBarGeometry, Parts) {
    TMcScrollGeometry g = Bar121();
    g.secondaryButtons = true;
    const int32_t thumb = 40;
    const struct {
        int32_t a, c;
        TMcScrollBarPart part;
    } cases[] = {
        {0, 8, sbpStartArrow},     {16, 8, sbpStartArrow},     {17, 8, sbpStartSecondary}, {32, 8, sbpStartSecondary},
        {33, 8, sbpTrackBefore},   {40, 8, sbpThumb},          {45, 8, sbpThumb},          {46, 8, sbpTrackAfter},
        {89, 8, sbpEndSecondary},  {105, 8, sbpEndSecondary},  {106, 8, sbpEndArrow},      {120, 8, sbpEndArrow},
        {50, -1, sbpNone},         {50, 17, sbpNone},
    };
    for (const auto& c : cases) EXPECT_EQ(g.PartAt(c.a, c.c, thumb), c.part) << c.a << "," << c.c;
    g.showStartArrows = false;
    EXPECT_EQ(g.PartAt(5, 8, 0), sbpThumb);
}

// A horizontal bar 121 x 16 with buttons of 16, range 0 .. 100, page 10, and a log of its scrolls.
struct Bar {
    TMcScrollBar bar;
    std::vector<std::string> log;
    int32_t changes = 0;
    Bar() {
        bar.SetUseSystemMetrics(false);
        bar.resize(121, 16);
        bar.SetButtonSize(16);
        bar.SetPage(10);
        bar.OnScroll = [this](QObject*, TMcScrollCode code, int32_t& pos, bool&) {
            log.push_back(std::to_string(static_cast<int>(code)) + ":" + std::to_string(pos));
        };
        bar.OnChange = [this](QObject*) { ++changes; };
        bar.show();
    }
    std::vector<std::string> Take() {
        std::vector<std::string> taken;
        taken.swap(log);
        return taken;
    }
};

TEST(McScrollBar, PositionAndRange) {
    Bar b;
    EXPECT_EQ(b.bar.ThumbSize(), 9);
    b.bar.SetPosition(150);
    EXPECT_EQ(b.bar.Position(), 100);
    EXPECT_EQ(b.Take(), std::vector<std::string>{"4:150"}) << "the position asked for is reported";
    EXPECT_EQ(b.bar.ThumbPos(), 96);
    b.bar.SetMax(50);
    EXPECT_EQ(b.bar.Position(), 50);
    b.bar.SetMin(60);
    EXPECT_EQ(b.bar.Max(), 60);
    EXPECT_EQ(b.bar.Page(), 1);
    b.bar.SetPage(-3);
    EXPECT_EQ(b.bar.Page(), 1) << "negative pages are ignored";
    EXPECT_EQ(b.changes, 0) << "only users change the bar";
}

TEST(McScrollBar, CanScroll) {
    Bar b;
    b.bar.SetPosition(91);
    EXPECT_TRUE(b.bar.CanScrollForward());
    b.bar.SetAltDisablingArrows(true);
    EXPECT_FALSE(b.bar.CanScrollForward()) << "the page reaches the end";
    b.bar.SetPosition(0);
    EXPECT_FALSE(b.bar.CanScrollBack());
    b.bar.SetPage(101);
    EXPECT_FALSE(b.bar.CanScrollForward());
}

TEST(McScrollBar, ScrollInfo) {
    const struct {
        const char* what;
        TMcScrollBarInfo info;
        int32_t min, max, page, position;
    } cases[] = {
        {"all", {28, SIF_ALL, 0, 50, 5, 20, 0}, 0, 50, 5, 20},
        {"position below the range", {28, SIF_RANGE | SIF_POS, 10, 50, 0, 3, 0}, 10, 50, 10, 10},
        {"position above the range", {28, SIF_RANGE | SIF_POS, 0, 50, 0, 99, 0}, 0, 50, 10, 50},
        {"range without the position inside", {28, SIF_RANGE | SIF_PAGE, 30, 50, 4, 0, 0}, 0, 100, 10, 7},
        {"range around the position", {28, SIF_RANGE | SIF_PAGE, 0, 20, 4, 0, 0}, 0, 20, 4, 7},
        {"position alone", {28, SIF_POS, 0, 0, 0, 42, 0}, 0, 100, 10, 42},
        {"position outside alone", {28, SIF_POS, 0, 0, 0, 420, 0}, 0, 100, 10, 7},
        {"page alone", {28, SIF_PAGE, 0, 0, 33, 0, 0}, 0, 100, 33, 7},
        {"bad range", {28, SIF_RANGE, 9, 3, 0, 0, 0}, 0, 100, 10, 7},
        {"short record", {27, SIF_ALL, 0, 5, 1, 1, 0}, 0, 100, 10, 7},
    };
    for (const auto& c : cases) {
        Bar b;
        b.bar.SetPosition(7);
        b.Take();
        EXPECT_EQ(b.bar.SetScrollInfo(c.info, true), c.position) << c.what;
        EXPECT_EQ(b.bar.Min(), c.min) << c.what;
        EXPECT_EQ(b.bar.Max(), c.max) << c.what;
        EXPECT_EQ(b.bar.Page(), c.page) << c.what;
        EXPECT_EQ(b.bar.ThumbPos(), b.bar.ThumbFromPosition()) << c.what;
        EXPECT_TRUE(b.Take().empty()) << c.what << ": no events";
    }
    Bar b;
    TMcScrollBarInfo info;
    info.fMask = SIF_ALL;
    EXPECT_TRUE(b.bar.GetScrollInfo(info));
    EXPECT_EQ(info.nMax, 100);
    EXPECT_EQ(info.nPage, 10u);
    info.cbSize = 20;
    EXPECT_FALSE(b.bar.GetScrollInfo(info));
}

TEST(McScrollBar, ArrowPressRepeats) {
    Bar b;
    Press(&b.bar, {5, 8});
    EXPECT_FALSE(b.bar.ScrollActive()) << "at the start the start arrow does nothing";
    EXPECT_TRUE(b.Take().empty());
    Release(&b.bar, {5, 8});
    Press(&b.bar, {115, 8});
    EXPECT_TRUE(b.bar.ScrollActive());
    EXPECT_EQ(b.bar.Position(), 1);
    EXPECT_TRUE(b.bar.RepeatRunning());
    EXPECT_EQ(b.bar.RepeatInterval() % 250, 0) << "first the keyboard delay";
    b.bar.RepeatTick();
    EXPECT_EQ(b.bar.Position(), 2);
    EXPECT_LT(b.bar.RepeatInterval(), 250) << "then the repeat rate";
    MoveTo(&b.bar, {60, 8});
    EXPECT_FALSE(b.bar.RepeatRunning()) << "off the pressed part the repeat pauses";
    MoveTo(&b.bar, {112, 8});
    EXPECT_TRUE(b.bar.RepeatRunning());
    Release(&b.bar, {112, 8});
    EXPECT_FALSE(b.bar.ScrollActive());
    EXPECT_EQ(b.Take(), (std::vector<std::string>{"1:1", "4:1", "1:2", "4:2", "8:2"}));
    EXPECT_EQ(b.changes, 2);

    b.bar.SetNoDisableButtons(true);
    b.bar.SetPosition(0);
    b.Take();
    Press(&b.bar, {5, 8});
    EXPECT_TRUE(b.bar.ScrollActive()) << "NoDisableButtons: the press goes on";
    Release(&b.bar, {5, 8});
}

TEST(McScrollBar, TrackPagesWhilePointedAt) {
    Bar b;
    Press(&b.bar, {100, 8});
    EXPECT_EQ(b.bar.Position(), 10);
    MoveTo(&b.bar, {5, 8});
    b.bar.RepeatTick();  // the pointer is not over the track after the thumb: no page
    EXPECT_EQ(b.bar.Position(), 10);
    Release(&b.bar, {5, 8});
}

TEST(McScrollBar, ThumbDrag) {
    Bar b;
    b.bar.SetPosition(37);
    b.Take();
    const int32_t thumb = b.bar.ThumbPos();
    Press(&b.bar, {thumb + 4, 8});
    EXPECT_EQ(b.bar.PressedPart(), sbpThumb);
    MoveTo(&b.bar, {thumb + 24, 8});
    EXPECT_EQ(b.bar.ThumbPos(), thumb + 20);
    MoveTo(&b.bar, {500, 8});
    EXPECT_EQ(b.bar.ThumbPos(), thumb) << "far beyond the bar the thumb goes back";
    Release(&b.bar, {500, 8});
    const std::vector<std::string> log = b.Take();
    ASSERT_EQ(log.size(), 2u) << "the way back is not reported";
    EXPECT_EQ(log[0].substr(0, 2), "5:");
    EXPECT_EQ(log[1], "4:37") << "released there: the position of the press";
    EXPECT_EQ(b.bar.Position(), 37);

    Press(&b.bar, {b.bar.ThumbPos() + 4, 8});
    MoveTo(&b.bar, {170, 8});  // past the end, but within half the bar's length
    Release(&b.bar, {170, 8});
    EXPECT_EQ(b.bar.Position(), 91) << "dragged to the end";
    b.bar.SetMin(10);
    b.bar.SetMax(110);
    b.bar.SetPosition(10);
    Press(&b.bar, {b.bar.ThumbPos() + 2, 8});
    MoveTo(&b.bar, {170, 8});
    Release(&b.bar, {170, 8});
    EXPECT_EQ(b.bar.Position(), 101);
}

TEST(McScrollBar, SecondaryButtons) {
    Bar b;
    b.bar.resize(140, 16);
    b.bar.SetSecondaryButtons(true);
    b.bar.SetPosition(50);
    b.Take();
    b.bar.SetSecondBtnKind(TMcSecButtonsKind::sbkPage);
    Click(&b.bar, {20, 8});
    EXPECT_EQ(b.bar.Position(), 40) << "sbkPage: a page back";
    b.bar.SetSecondBtnKind(TMcSecButtonsKind::sbkOpposite);
    Click(&b.bar, {20, 8});
    EXPECT_EQ(b.bar.Position(), 41) << "sbkOpposite: a line forward";
    b.bar.SetSecondBtnKind(TMcSecButtonsKind::sbkCustom);
    b.Take();
    Click(&b.bar, {120, 8});
    EXPECT_EQ(b.Take().front(), "9:41") << "sbkCustom: reported, not moved";
    EXPECT_EQ(b.bar.Position(), 41);
}

TEST(McScrollBar, Keyboard) {
    Bar b;
    b.bar.SetPosition(50);
    const struct {
        int key;
        int32_t position;
    } keys[] = {{Qt::Key_PageUp, 40}, {Qt::Key_PageDown, 50}, {Qt::Key_Left, 49}, {Qt::Key_Down, 50},
                {Qt::Key_Home, 0},    {Qt::Key_End, 100},      {Qt::Key_Right, 100}};
    for (const auto& k : keys) {
        QKeyEvent press(QEvent::KeyPress, k.key, Qt::NoModifier);
        QCoreApplication::sendEvent(&b.bar, &press);
        EXPECT_EQ(b.bar.Position(), k.position) << k.key;
    }
    QKeyEvent shifted(QEvent::KeyPress, Qt::Key_Home, Qt::ShiftModifier);
    QCoreApplication::sendEvent(&b.bar, &shifted);
    EXPECT_EQ(b.bar.Position(), 100) << "with a shift key the bar leaves the key alone";
}

TEST(McScrollBar, TrackHintStaysOnTheDesktop) {
    const QRect desktop(0, 0, 1024, 768);
    EXPECT_EQ(TCustomMcScrollBar::PlaceHint(desktop, {500, 300}, {60, 20}), QRect(439, 279, 60, 20));
    EXPECT_EQ(TCustomMcScrollBar::PlaceHint(desktop, {20, 10}, {60, 20}), QRect(0, 0, 60, 20));
    EXPECT_EQ(TCustomMcScrollBar::PlaceHint(desktop, {1200, 300}, {60, 20}).right(), 1023);
}

TEST(McScrollBar, TrackHintWhileDragging) {
    Bar b;
    b.bar.SetShowTrackHint(true);
    std::vector<int32_t> asked;
    b.bar.OnScrollHintNeeded = [&](QObject*, int32_t position, std::string& hint) {
        asked.push_back(position);
        hint = "Zeile " + std::to_string(position);
    };
    Press(&b.bar, {b.bar.ThumbPos() + 2, 8});
    MoveTo(&b.bar, {b.bar.ThumbPos() + 42, 8});
    ASSERT_NE(b.bar.TrackHintWindow(), nullptr);
    EXPECT_TRUE(b.bar.TrackHintWindow()->isVisible());
    Release(&b.bar, {60, 8});
    EXPECT_EQ(b.bar.TrackHintWindow(), nullptr);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], 0);
    EXPECT_GT(asked[1], 0);
}

TEST(McScrollBar, PaintsEveryPart) {
    Bar b;
    b.bar.SetPosition(40);
    b.bar.SetOwnerDraw(true);
    std::vector<TMcScrollBarPart> parts;
    b.bar.OnDrawPart = [&](QObject*, gdi::Canvas&, const gdi::Rect&, TMcScrollBarPart part, bool, bool, bool, bool&) {
        parts.push_back(part);
    };
    gdi::BitmapCanvas canvas(121, 16);
    b.bar.Paint(canvas);
    EXPECT_EQ(parts, (std::vector<TMcScrollBarPart>{sbpStartArrow, sbpEndArrow, sbpTrackBefore, sbpThumb, sbpTrackAfter}));
    b.bar.OnDrawPart = [](QObject*, gdi::Canvas&, const gdi::Rect&, TMcScrollBarPart part, bool, bool, bool, bool& d) {
        d = part != sbpThumb;
    };
    gdi::BitmapCanvas skipped(121, 16);
    skipped.FillRect({0, 0, 121, 16}, gdi::SolidBrush(gdi::Rgb(1, 2, 3)));
    b.bar.Paint(skipped);
    const int32_t thumb = b.bar.ThumbPos();
    EXPECT_EQ(skipped.bitmap().Pixel(thumb + 4, 8), gdi::Rgb(1, 2, 3)) << "the handler drew the thumb (nothing)";
    EXPECT_NE(skipped.bitmap().Pixel(thumb - 3, 8), gdi::Rgb(1, 2, 3)) << "the track was drawn";
    const gdi::Color a = skipped.bitmap().Pixel(20, 5), c = skipped.bitmap().Pixel(21, 5);
    EXPECT_NE(a, c) << "the track's checkerboard";
    parts.clear();
    b.bar.OnDrawPart = nullptr;
    b.bar.SetSecondaryButtons(true);
    for (auto kind : {TMcSecButtonsKind::sbkPage, TMcSecButtonsKind::sbkOpposite}) {
        b.bar.SetSecondBtnKind(kind);
        gdi::BitmapCanvas withSecondary(121, 16);
        b.bar.Paint(withSecondary);
        EXPECT_NE(withSecondary.bitmap().Pixel(24, 8), withSecondary.bitmap().Pixel(24, 1)) << "an arrow in the button";
    }
}

TEST(McScrollBarStyles, ForwardToTheBar) {
    try {
        TMcScrollBarStyles none(nullptr);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.Message(), "No scrollbar specified when attempting to create TMcScrollBarStyles instance");
    }
    TMcScrollBar vertical, other;
    vertical.SetKind(TScrollBarKind::sbVertical);
    TMcScrollBarStyles styles(&vertical), source(&other);
    int changes = 0;
    styles.OnChange = [&](TMcScrollBarStyles&) { ++changes; };
    styles.SetWidth(16);
    EXPECT_EQ(vertical.width(), 16);
    styles.SetWidth(0);
    EXPECT_EQ(vertical.width(), 17) << "0: the desktop's width";
    styles.SetUseSystemMetrics(false);
    EXPECT_EQ(changes, 3);
    source.SetFlat(false);
    source.SetMinThumbSize(12);
    source.SetDrawBars(false);
    styles.Assign(source);
    EXPECT_FALSE(vertical.Flat());
    EXPECT_EQ(vertical.MinThumbSize(), 12);
    EXPECT_TRUE(vertical.DrawBars()) << "not among the copied settings";
}

}  // namespace
