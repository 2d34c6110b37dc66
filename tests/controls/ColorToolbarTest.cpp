#include "PopupTesting.h"

#include "controls/ColorToolbar.h"

#include "foundation/RGBHSL.h"

#include <optional>

namespace {

struct Choice {
    TSelectColorTyp typ;
    int32_t color;
    bool operator==(const Choice&) const = default;
};

class ColorToolbarTest : public ::testing::Test {
protected:
    void SetUp() override {
        toolbar = new TQDXColorToolbar(&window);
        window.layout->addWidget(toolbar, 0, Qt::AlignTop);
        toolbar->OnSelectColor = [this](TSelectColorTyp typ, int32_t color) {
            ASSERT_FALSE(chosen) << "one choice only";
            chosen = Choice{typ, color};
        };
        window.Show();
    }

    // The screen point of a strip cell's middle.
    QPoint CellPoint(int cell) const { return toolbar->mapToGlobal(QPoint(8, cell * 14 + 7)); }
    // The screen point of a popup cell's middle.
    QPoint PopupPoint(int index) const {
        TColorPopup* popup = toolbar->Popup();
        return popup->mapToGlobal(popup->CellRect(index).center());
    }
    int MarkedShade() const { return TColorPopup::kBaseColumn + TColorPopup::kBaseRow * 7; }

    PopupHostWindow window;
    TQDXColorToolbar* toolbar = nullptr;
    std::optional<Choice> chosen;
};

}  // namespace

TEST(ColorToolbarTables, CellsColoursAndHeights) {
    EXPECT_EQ(TQDXColorToolbar::CellColor(0), 0xFFFFFF);
    EXPECT_EQ(TQDXColorToolbar::CellColor(1), 0x000000);
    EXPECT_EQ(TQDXColorToolbar::CellColor(2), 0x0000FF);   // hue 0: red
    EXPECT_EQ(TQDXColorToolbar::CellColor(13), 0xFFFF00);  // hue 0.5: cyan
    EXPECT_EQ(TQDXColorToolbar::CellColor(3), int32_t(HSLToRGB(0.5, 1, 0.06)));
    EXPECT_EQ(TQDXColorToolbar::CellColor(26), int32_t(HSLToRGB(0.5, 1, 0.97)));
    const std::pair<int, int> heights[] = {{-1, -1}, {0, 0}, {13, 0}, {14, 1}, {377, 26}, {378, -1}, {500, -1}};
    for (auto [y, cell] : heights) EXPECT_EQ(TQDXColorToolbar::CellAt(y), cell) << y;
}

TEST(ColorToolbarTables, PopupModesAndTheirCells) {
    TQDXColorToolbar toolbar;
    TColorPopup& popup = *toolbar.Popup();
    struct Layout {
        uint8_t mode;
        int columns, rows;
        QSize size;
        QPoint anchor;
    };
    const Layout layouts[] = {{TColorPopup::pmNoColor, 1, 1, {21, 21}, {22, 0}},
                              {TColorPopup::pmGreys, 11, 1, {161, 21}, {162, 0}},
                              {TColorPopup::pmShades, 7, 7, {105, 105}, {106, 28}}};
    for (const Layout& l : layouts) {
        popup.SetMode(l.mode, 0x00FF00);
        EXPECT_EQ(popup.Columns(), l.columns);
        EXPECT_EQ(popup.Rows(), l.rows);
        EXPECT_EQ(popup.size(), l.size);
        EXPECT_EQ(popup.Anchor(), l.anchor);
    }
    EXPECT_EQ(popup.CellColor(TColorPopup::kBaseColumn + 7 * TColorPopup::kBaseRow), 0x00FF00);
    EXPECT_EQ(popup.CellColor(0), int32_t(HSLToRGB(0.28, 0.16, 1.0 / 3)));
    popup.SetMode(TColorPopup::pmGreys, 0);
    EXPECT_EQ(popup.CellColor(0), 0x000000);
    EXPECT_EQ(popup.CellColor(5), 0x808080);
    EXPECT_EQ(popup.CellColor(10), 0xFFFFFF);
}

TEST(ColorToolbarTables, PopupHitsStayInsideTheGrid) {
    TQDXColorToolbar toolbar;
    TColorPopup& popup = *toolbar.Popup();
    struct Hit {
        uint8_t mode;
        QPoint point;
        int cell;
    };
    const int none = TColorPopup::kNoCell;
    const Hit hits[] = {
        {TColorPopup::pmShades, {3, 3}, 0},     {TColorPopup::pmShades, {16, 16}, 0},
        {TColorPopup::pmShades, {17, 3}, 1},    {TColorPopup::pmShades, {100, 3}, 6},
        {TColorPopup::pmShades, {3, 17}, 7},    {TColorPopup::pmShades, {50, 50}, 24},
        {TColorPopup::pmShades, {100, 100}, 48},
        // The right and bottom margins belong to no cell (not to the next row).
        {TColorPopup::pmShades, {101, 3}, none}, {TColorPopup::pmShades, {102, 17}, none},
        {TColorPopup::pmShades, {3, 101}, none}, {TColorPopup::pmShades, {2, 3}, none},
        {TColorPopup::pmShades, {-2, 3}, none},
        {TColorPopup::pmGreys, {156, 10}, 10},  {TColorPopup::pmGreys, {157, 10}, none},
        {TColorPopup::pmGreys, {10, 17}, none}, {TColorPopup::pmNoColor, {10, 10}, 0},
        {TColorPopup::pmNoColor, {17, 10}, none},
    };
    for (const Hit& h : hits) {
        popup.SetMode(h.mode, 0x0000FF);
        EXPECT_EQ(popup.CellAt(h.point), h.cell) << int(h.mode) << " " << h.point.x() << "," << h.point.y();
    }
}

TEST(ColorToolbarTables, ReleaseKinds) {
    struct Release {
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        TSelectColorTyp typ;
    };
    const Release releases[] = {
        {Qt::LeftButton, Qt::NoModifier, sctFill},         {Qt::RightButton, Qt::NoModifier, sctOutline},
        {Qt::LeftButton, Qt::ControlModifier, sctText},    {Qt::RightButton, Qt::ControlModifier, sctText},
        {Qt::LeftButton, Qt::ShiftModifier, sctFill},      {Qt::MiddleButton, Qt::NoModifier, sctNone},
        {Qt::MiddleButton, Qt::ControlModifier, sctNone},
    };
    for (const Release& r : releases) EXPECT_EQ(TColorPopup::KindOf(r.button, r.modifiers), r.typ) << int(r.button);
}

TEST_F(ColorToolbarTest, RightPressOnACellAndReleaseOnTheMarkedShade) {
    SystemPress(CellPoint(2 + 1), Qt::RightButton);
    ASSERT_TRUE(toolbar->PopupActive());
    EXPECT_EQ(toolbar->CurrentCell(), 3);
    TColorPopup* popup = toolbar->Popup();
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->GetMode(), TColorPopup::pmShades);
    // Left of the strip, its marked row level with the pressed cell.
    EXPECT_EQ(popup->geometry().right() + 1, toolbar->mapToGlobal(QPoint(1, 0)).x());
    EXPECT_EQ(popup->mapToGlobal(popup->CellRect(MarkedShade()).topLeft()).y(), toolbar->mapToGlobal(QPoint(0, 42)).y());
    EXPECT_EQ(QApplication::focusWidget(), window.document);

    SystemMove(PopupPoint(MarkedShade()), Qt::RightButton);
    EXPECT_EQ(popup->HoverIndex(), MarkedShade());
    SystemRelease(PopupPoint(MarkedShade()), Qt::RightButton);
    EXPECT_EQ(chosen, (Choice{sctOutline, int32_t(HSLToRGB(0.5, 1, 0.06))}));
    EXPECT_FALSE(toolbar->PopupActive());
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), window.document);
}

TEST_F(ColorToolbarTest, ChoicesByButtonAndModifier) {
    struct Case {
        int cell;
        int shade;
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        Choice expected;
    };
    const Case cases[] = {
        {0, 0, Qt::LeftButton, Qt::NoModifier, {sctFill, -1}},  // the cross: no fill
        {1, 10, Qt::LeftButton, Qt::NoModifier, {sctFill, 0xFFFFFF}},
        {2, 48, Qt::RightButton, Qt::ControlModifier, {sctText, int32_t(HSLToRGB(0.94, 1, 0))}},
    };
    for (const Case& c : cases) {
        chosen.reset();
        SystemPress(CellPoint(c.cell), c.button, c.modifiers);
        // Release over the strip: the popup stays; then a click on the shade.
        SystemRelease(CellPoint(c.cell), c.button, c.modifiers);
        ASSERT_TRUE(toolbar->PopupActive());
        EXPECT_FALSE(toolbar->ButtonDown());
        SystemClick(PopupPoint(c.shade), c.button, c.modifiers);
        EXPECT_EQ(chosen, c.expected) << c.cell;
    }
}

TEST_F(ColorToolbarTest, DraggingAlongTheStripFollowsTheCells) {
    SystemPress(CellPoint(3));
    SystemMove(CellPoint(5), Qt::LeftButton);
    EXPECT_EQ(toolbar->CurrentCell(), 5);
    TColorPopup* popup = toolbar->Popup();
    EXPECT_EQ(popup->CellColor(MarkedShade()), TQDXColorToolbar::CellColor(5));
    EXPECT_EQ(popup->mapToGlobal(popup->CellRect(MarkedShade()).topLeft()).y(), CellPoint(5).y() - 7);
    SystemMove(CellPoint(1), Qt::LeftButton);
    EXPECT_EQ(popup->GetMode(), TColorPopup::pmGreys);
    // A release in the popup's margin keeps it open; a middle release chooses nothing.
    SystemRelease(popup->mapToGlobal(QPoint(1, 1)));
    SystemClick(PopupPoint(3), Qt::MiddleButton);
    EXPECT_TRUE(toolbar->PopupActive());
    EXPECT_FALSE(chosen);
}

TEST_F(ColorToolbarTest, PressBelowTheLastCellOpensNothing) {
    toolbar->setFixedHeight(420);
    QCoreApplication::processEvents();
    SystemClick(toolbar->mapToGlobal(QPoint(8, 378)));
    EXPECT_FALSE(toolbar->PopupActive());
    EXPECT_EQ(toolbar->CurrentCell(), -1);
}

TEST_F(ColorToolbarTest, OutsidePressEscapeAndDeactivationCancel) {
    SystemClick(CellPoint(4));
    ASSERT_TRUE(toolbar->PopupActive());
    // The press closes the popup and still clicks the button under it.
    SystemClick(window.GlobalCentre(window.other));
    EXPECT_FALSE(toolbar->PopupActive());
    EXPECT_EQ(window.otherClicks, 1);

    SystemClick(CellPoint(4));
    SystemKey(Qt::Key_A, QStringLiteral("a"));  // swallowed while the popup is open
    EXPECT_TRUE(window.document->text().isEmpty());
    SystemKey(Qt::Key_Escape);
    EXPECT_FALSE(toolbar->PopupActive());
    SystemKey(Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(window.document->text(), QStringLiteral("a"));

    SystemClick(CellPoint(4));
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(toolbar->PopupActive());
    EXPECT_FALSE(chosen);
    EXPECT_EQ(QApplication::focusWidget(), window.document);
}
