// The right click on a design and what its context menu offers.
#include "design/DesignTesting.h"

#include "design/ContextMenuModel.h"

#include <set>

namespace {

using K = TFigureKind;
using E = TContextEntry;

std::set<E> VisibleEntries(const TContextMenuModel& menu) {
    std::set<E> visible;
    for (size_t i = 0; i < TContextMenuModel::kEntryCount; ++i)
        if (menu.Visible[i]) visible.insert(static_cast<E>(i));
    return visible;
}

class ContextMenuTest : public DesignTest {
protected:
    void UseSheet(const char* article) {
        child.sheet.SetName(article);
        child.sheet.SetArtikel(article);
    }
};

}  // namespace

TEST_F(ContextMenuTest, EntriesByModeAndSelection) {
    const std::set<E> zoom{E::SeparatorBeforeZoom, E::Zoom};
    const std::set<E> turning{E::SizeAndPosition,        E::SeparatorBeforeRotation, E::RotateClockwise,
                              E::RotateCounterClockwise, E::Rotate180,               E::SeparatorAfterRotation};
    const auto with = [](std::set<E> a, std::initializer_list<std::set<E>> more) {
        for (const auto& m : more) a.insert(m.begin(), m.end());
        return a;
    };
    const std::set<E> rings{E::CenterOnRing, E::CopyToRing, E::MoveToRing};
    const std::set<E> filters{E::FilterBrightness, E::FilterHueSaturation, E::FilterBlackWhite};
    const struct {
        const char* name;
        const char* article;
        std::vector<K> selected;
        int32_t mode;
        std::set<E> visible;
    } rows[] = {
        {"empty space", "", {K::Rechteck}, 0, zoom},
        {"empty space on a ring sheet", "QN-2049", {K::Rechteck}, 0, zoom},
        {"a rectangle", "", {K::Rechteck}, 2, with(zoom, {turning, {E::PenWidth, E::PenColor, E::Fill}})},
        {"a text clicked", "", {K::Text}, 1, with(zoom, {turning, {E::Text, E::Font, E::TextAlignment}})},
        {"text and rectangle", "", {K::Text, K::Rechteck}, 2,
         with(zoom, {{E::SeparatorBeforeRotation, E::SeparatorAfterRotation, E::PenWidth, E::PenColor, E::Fill,
                      E::Font, E::TextAlignment}})},
        {"a field text", "", {K::FieldText}, 2,
         with(zoom, {turning, {E::Font, E::TextAlignment, E::Field, E::FieldType}})},
        {"two field texts", "", {K::FieldText, K::FieldText}, 2,
         with(zoom, {{E::SeparatorBeforeRotation, E::SeparatorAfterRotation, E::Font, E::TextAlignment}})},
        {"a barcode", "", {K::Barcode}, 2, with(zoom, {turning, {E::Properties}})},
        {"a picture", "", {K::Bild32}, 2, with(zoom, {turning, filters})},
        {"two pictures", "", {K::Bild32, K::Bild32}, 2,
         with(zoom, {{E::SeparatorBeforeRotation, E::SeparatorAfterRotation}})},
        {"empty space beside a picture", "", {K::Bild32}, 0, zoom},
        {"a rectangle on a ring sheet", "QN-2049", {K::Rechteck}, 2,
         with(zoom, {turning, rings, {E::PenWidth, E::PenColor, E::Fill}})},
        {"a text on a two-ring sheet", "KROXARING", {K::Text}, 1,
         with(zoom, {turning, rings, {E::Text, E::Font, E::TextAlignment}})},
        {"a rectangle on the centred ring label", "QN-2051EX", {K::Rechteck}, 2,
         with(zoom, {turning, {E::PenWidth, E::PenColor, E::Fill, E::CenterOnLabel}})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        UseSheet(row.article);
        TEinzelEtikett d(child);
        for (K kind : row.selected) {
            auto figure = std::make_unique<StubFigure>(&child, kind);
            figure->SetCenterX(60);
            figure->SetCenterY(60);
            figure->SetWidth(10);
            figure->SetHeight(10);
            figure->bitmapPicture = kind == K::Bild32;
            d.AddFigure(std::move(figure), false);
            d.SelectFigure(d.FigureCount() - 1);
        }
        const TContextMenuModel menu = BuildContextMenuModel(d, child.sheet, row.mode);
        EXPECT_EQ(menu.Mode, row.mode);
        EXPECT_EQ(VisibleEntries(menu), row.visible);
        for (E e : row.visible)
            EXPECT_EQ(menu.IsEnabled(e), e != E::FieldType || !menu.FieldTypes.empty()) << static_cast<int>(e);
        EXPECT_EQ(menu.FieldTypes.empty(), !row.visible.contains(E::FieldType));
    }
}

TEST_F(ContextMenuTest, FieldTypesAreTheDesignsFields) {
    Add(K::FieldText);
    design.SelectFigure(0);
    TContextMenuModel menu = BuildContextMenuModel(design, child.sheet, 2);
    EXPECT_EQ(menu.FieldTypes, design.FieldList.Names);
    EXPECT_TRUE(menu.IsEnabled(E::FieldType));
    design.FieldList.Names.clear();
    menu = BuildContextMenuModel(design, child.sheet, 2);
    EXPECT_TRUE(menu.IsVisible(E::FieldType));
    EXPECT_FALSE(menu.IsEnabled(E::FieldType));
}

TEST_F(ContextMenuTest, RingSubmenusLeaveOutTheSelectionsRing) {
    const struct {
        const char* article;
        double x, y;  // the selection's centre
        std::array<bool, 3> centre, copyAndMove;
    } rows[] = {
        {"QN-2049", 146, 150, {true, true, true}, {true, false, true}},
        {"QN-2049", 62, 67, {true, true, true}, {false, true, true}},
        {"QN-2052", 62.5, 221.5, {true, true, true}, {true, true, false}},
        {"KROXARING", 105, 74.5, {true, false, true}, {false, false, true}},
        {"KROXARING", 105, 222.5, {true, false, true}, {true, false, false}},
        {"QN-2071", 105, 78.5, {true, false, true}, {false, false, true}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.article << " at " << row.x << ", " << row.y);
        UseSheet(row.article);
        TEinzelEtikett d(child);
        auto figure = std::make_unique<StubFigure>(&child, K::Rechteck);
        figure->SetCenterX(row.x);
        figure->SetCenterY(row.y);
        figure->SetWidth(10);
        figure->SetHeight(10);
        d.AddFigure(std::move(figure), true);
        const TContextMenuModel menu = BuildContextMenuModel(d, child.sheet, 2);
        EXPECT_EQ(menu.CenterRings, row.centre);
        EXPECT_EQ(menu.CopyRings, row.copyAndMove);
        EXPECT_EQ(menu.MoveRings, row.copyAndMove);
    }
}

TEST_F(ContextMenuTest, RightClickSelectsByWhatItHits) {
    // 4 pixels per mm: a at 40..80 x 40..80, b at 120..160 x 40..80.
    StubFigure& a = Add(K::Rechteck, 15, 15, 10, 10);
    StubFigure& b = Add(K::Rechteck, 35, 15, 10, 10);
    a.SetFillColor(0xFFFFFF);  // hit inside, not only on the outline
    b.SetFillColor(0xFFFFFF);
    design.SelectFigure(design.IndexOf(&a));
    design.SetHandlesVisible(1);

    // Empty space keeps the selection.
    auto request = design.ContextClick(300, 250);
    EXPECT_EQ(request.Mode, 0);
    EXPECT_EQ(request.ScreenPoint, (TPoint{300, 250}));
    ASSERT_EQ(design.SelectedCount(), 1);
    EXPECT_EQ(design.GetSelected(0), &a);

    // An unselected figure becomes the only selection, with its handles.
    request = design.ContextClick(140, 60);
    EXPECT_EQ(request.Mode, 1);
    ASSERT_EQ(design.SelectedCount(), 1);
    EXPECT_EQ(design.GetSelected(0), &b);
    EXPECT_TRUE(b.Selected);
    EXPECT_FALSE(a.Selected);

    // A click on the selection keeps it as it is.
    design.SelectFigure(design.IndexOf(&a));
    request = design.ContextClick(60, 60);
    EXPECT_EQ(request.Mode, 2);
    EXPECT_EQ(design.SelectedCount(), 2);
}

TEST_F(ContextMenuTest, TheMenuKeyOpensAtTheSelectionOrTheOrigin) {
    auto request = design.ContextKey();
    EXPECT_EQ(request.Mode, 0);
    EXPECT_EQ(request.ScreenPoint, (TPoint{0, 0}));
    StubFigure& a = Add(K::Rechteck, 15, 15, 10, 10);
    StubFigure& b = Add(K::Rechteck, 35, 25, 10, 10);
    Select({&a, &b});
    request = design.ContextKey();
    EXPECT_EQ(request.Mode, 2);
    const TRect r = design.GetSelectionPixelRect();
    EXPECT_EQ(request.ScreenPoint, (TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
    EXPECT_EQ(request.ScreenPoint, (TPoint{100, 80}));
}
