#include "PopupTesting.h"

#include "controls/ColorList.h"
#include "controls/ZRColorPopupButton.h"

#include <vector>

namespace {

// The shared user colours hold the first n standard colours.
void SetUserColors(int n) {
    TColorList& colors = GetCustomColorList();
    colors.Clear();
    for (int i = 0; i < n; ++i) colors.SetColors(i, kStandardColors[size_t(39 - i)]);
}

class ColorPopupButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUserColors(0);
        button = new TZRColorPopupButton(&window);
        window.layout->addWidget(button, 0, Qt::AlignTop);
        button->OnColorChange = [this](int32_t c) { events.push_back("colour " + std::to_string(c)); };
        button->OnMenuButtonClick = [this](int i) { events.push_back("menu " + std::to_string(i)); };
        window.Show();
    }
    void TearDown() override { SetUserColors(0); }

    QPoint Global(const QPoint& local) const { return button->mapToGlobal(local); }
    QPoint PalettePoint(const QPoint& local) const { return button->Palette()->mapToGlobal(local); }
    void OpenByArrow() {
        SystemClick(Global(button->ArrowPart().center()));
        ASSERT_TRUE(button->PaletteOpen());
    }

    PopupHostWindow window;
    TZRColorPopupButton* button = nullptr;
    std::vector<std::string> events;
};

}  // namespace

TEST(ColorPaletteLayout, RowsByStyleAndUserColours) {
    struct Case {
        TColorButtonStyle style;
        int users;
        bool noColor, gradient;
        int userRows, otherTop, height;
    };
    const Case cases[] = {
        {cbsBrush, 0, true, true, 0, 129, 178}, {cbsPen, 0, true, false, 0, 129, 156},
        {cbsFont, 0, false, false, 0, 107, 134}, {cbsColor, 0, false, false, 0, 107, 134},
        {cbsColor, 1, false, false, 1, 137, 164}, {cbsPen, 8, true, false, 1, 159, 186},
        {cbsPen, 9, true, false, 2, 177, 204},   {cbsBrush, 32, true, true, 4, 213, 262},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.style) << " " << c.users);
        const TColorPaletteLayout l = TColorPaletteLayout::For(c.style, c.users);
        EXPECT_EQ(!l.noColor.isEmpty(), c.noColor);
        EXPECT_EQ(!l.gradient.isEmpty(), c.gradient);
        EXPECT_EQ(l.user.height(), 18 * c.userRows);
        EXPECT_EQ(l.separators[1] >= 0, c.userRows > 0);  // no second separator without user colours
        EXPECT_EQ(l.otherColor, QRect(5, c.otherTop, 144, 22));
        EXPECT_EQ(l.height, c.height);
    }
}

TEST(ColorPaletteLayout, HitsOfCellsAndRows) {
    SetUserColors(9);
    TZRColorPopupButton button;
    button.SetColorButtonStyle(cbsBrush);
    const TZRColorPopupForm& palette = *button.Palette();
    ASSERT_EQ(palette.Layout().user, QRect(5, 129, 144, 36));
    struct Case {
        QPoint point;
        int item;
        int32_t color;
        QRect frame;
    };
    const int cell = TZRColorPopupForm::kCellItem;
    const int nothing = TZRColorPopupForm::kNothing;
    const Case cases[] = {
        {{5, 27}, cell, 0x000000, {5, 27, 18, 18}},
        {{148, 44}, cell, 0x333333, {131, 27, 18, 18}},
        {{23, 116}, cell, 0x99CCFF, {23, 99, 18, 18}},  // row 5, column 2
        {{5, 129}, cell, kStandardColors[39], {5, 129, 18, 18}},
        {{5, 147}, cell, kStandardColors[31], {5, 147, 18, 18}},  // the ninth user colour
        {{23, 147}, nothing, 0, {}},                            // no tenth
        {{70, 10}, kBtnNoColor, 0, {5, 5, 144, 22}},
        {{70, 180}, kBtnOtherColor, 0, {5, 177, 144, 22}},
        {{70, 200}, kBtnGradient, 0, {5, 199, 144, 22}},
        {{70, 122}, nothing, 0, {}},  // separator
        {{2, 50}, nothing, 0, {}},    // margin
        {{149, 50}, nothing, 0, {}},
    };
    for (const Case& c : cases) {
        const TZRColorPopupForm::Hit hit = palette.HitAt(c.point);
        EXPECT_EQ(hit.item, c.item) << c.point.x() << "," << c.point.y();
        if (c.item == cell) {
            EXPECT_EQ(hit.color, c.color) << c.point.x() << "," << c.point.y();
        }
        if (c.item != nothing) {
            EXPECT_EQ(hit.frame, c.frame) << c.point.x() << "," << c.point.y();
        }
    }
    SetUserColors(0);
}

TEST(ColorPaletteLayout, PlacementAtTheScreenEdges) {
    const QRect screen(0, 0, 1000, 800);
    const QSize size(154, 178);
    struct Case {
        QRect button;
        QPoint at;
    };
    const Case cases[] = {
        {{100, 100, 36, 22}, {100, 122}},  // below, left-aligned
        {{100, 700, 36, 22}, {100, 522}},  // above
        {{900, 100, 36, 22}, {780, 122}},  // right-aligned, 2 pixels in
        {{900, 700, 36, 22}, {780, 522}},
        {{100, 600, 36, 22}, {100, 622}},  // exactly fits
    };
    for (const Case& c : cases) EXPECT_EQ(TPopupCapture::PlaceBelow(c.button, size, screen), c.at) << c.button.x();
}

TEST_F(ColorPopupButtonTest, ACellSetsAndReportsTheColour) {
    button->SetColorButtonStyle(cbsPen);
    OpenByArrow();
    TZRColorPopupForm* palette = button->Palette();
    EXPECT_EQ(palette->geometry().topLeft(), Global(QPoint(0, 22)));
    EXPECT_EQ(QApplication::focusWidget(), window.document);
    SystemMove(PalettePoint({70, 40}));
    EXPECT_EQ(palette->Tracked().item, TZRColorPopupForm::kCellItem);
    SystemClick(PalettePoint({14 + 18 * 5, 27 + 18 + 9}));  // row 2, column 6: FF0000
    EXPECT_FALSE(button->PaletteOpen());
    EXPECT_EQ(button->Color(), 0xFF0000);
    EXPECT_EQ(events, (std::vector<std::string>{"colour 16711680"}));
    EXPECT_EQ(PixelOf(button, {10, 10}), QColor(0, 0, 255));

    // The swatch applies the colour again; the arrow part does not.
    SystemClick(Global({10, 10}));
    EXPECT_EQ(events.size(), 2u);
    EXPECT_EQ(events.back(), "colour 16711680");
}

TEST_F(ColorPopupButtonTest, CommandRowsReportTheirCodes) {
    struct Case {
        TColorButtonStyle style;
        int item;
        int32_t colorAfter;
    };
    const Case cases[] = {{cbsPen, kBtnNoColor, clNoColor}, {cbsBrush, kBtnNoColor, clNoColor},
                          {cbsBrush, kBtnOtherColor, 0x123456}, {cbsBrush, kBtnGradient, 0x123456},
                          {cbsFont, kBtnOtherColor, 0x123456}};
    for (const Case& c : cases) {
        events.clear();
        button->SetColorButtonStyle(c.style);
        button->SetColor(0x123456);
        OpenByArrow();
        const TColorPaletteLayout& l = button->Palette()->Layout();
        const QRect row = c.item == kBtnNoColor ? l.noColor : c.item == kBtnGradient ? l.gradient : l.otherColor;
        SystemClick(PalettePoint(row.center()));
        EXPECT_EQ(events, (std::vector<std::string>{"menu " + std::to_string(c.item)}));
        EXPECT_EQ(button->Color(), c.colorAfter);
    }
    // The crossed swatch of no colour.
    EXPECT_EQ(button->Color(), 0x123456);
    button->SetColor(clNoColor);
    EXPECT_EQ(PixelOf(button, {11, 7}), QColor(Qt::white));
}

TEST_F(ColorPopupButtonTest, PlainColourStyleOpensFromAnywhereWithoutNoColourAndGradient) {
    button->SetColorButtonStyle(cbsColor);
    EXPECT_TRUE(button->ArrowPart().isEmpty());
    SystemClick(Global({4, 4}));
    ASSERT_TRUE(button->PaletteOpen());
    const TColorPaletteLayout& l = button->Palette()->Layout();
    EXPECT_TRUE(l.noColor.isEmpty());
    EXPECT_TRUE(l.gradient.isEmpty());
    EXPECT_EQ(button->Palette()->height(), 134);
    // A release on the margin closes without a choice.
    SystemClick(PalettePoint({2, 2}));
    EXPECT_FALSE(button->PaletteOpen());
    EXPECT_TRUE(events.empty());
}

TEST_F(ColorPopupButtonTest, PressesOutsideCloseAndStillReachTheirTarget) {
    OpenByArrow();
    SystemClick(window.GlobalCentre(window.other));
    EXPECT_FALSE(button->PaletteOpen());
    EXPECT_EQ(window.otherClicks, 1);
    // A press on the button itself only closes the palette.
    OpenByArrow();
    SystemClick(Global(button->ArrowPart().center()));
    EXPECT_FALSE(button->PaletteOpen());
    OpenByArrow();
    SystemKey(Qt::Key_Escape);
    EXPECT_FALSE(button->PaletteOpen());
    EXPECT_EQ(QApplication::focusWidget(), window.document);
    OpenByArrow();
    window.hide();  // the palette does not stay behind its window
    EXPECT_FALSE(button->PaletteOpen());
    EXPECT_FALSE(button->Palette()->isVisible());
}

TEST_F(ColorPopupButtonTest, UserColoursAppearAfterTheStandardOnesAndSizeStaysFixed) {
    SetUserColors(9);
    OpenByArrow();
    EXPECT_EQ(button->Palette()->height(), 178 + 36 + 12);
    SystemClick(PalettePoint({14, 129 + 18 + 9}));
    EXPECT_EQ(button->Color(), kStandardColors[31]);
    button->resize(100, 40);
    EXPECT_EQ(button->size(), QSize(36, 22));
    button->setEnabled(false);
    SystemClick(Global(button->ArrowPart().center()));
    EXPECT_FALSE(button->PaletteOpen());
}
