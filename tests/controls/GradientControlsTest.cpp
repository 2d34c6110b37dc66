#include "ControlsTesting.h"

#include "controls/DataTip.h"
#include "controls/DefGradientPanel.h"
#include "controls/GradientPreview.h"

#include "foundation/Rounding.h"

#include <QtGui/QMouseEvent>

#include <vector>

namespace {

void Mouse(QWidget* w, QEvent::Type type, const QPoint& at, Qt::MouseButtons held = Qt::LeftButton) {
    QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

std::vector<int32_t> Positions(TGradientpalette& palette) {
    std::vector<int32_t> positions;
    for (int32_t i = 0; i < palette.Count(); ++i) positions.push_back(palette.Items(i)->Position());
    return positions;
}

class StopEditor : public ::testing::Test {
protected:
    void SetUp() override {
        panel.OnChange = [this] { ++changes; };
        panel.OnSelectionChange = [this] { ++selectionChanges; };
        panel.show();
        panel.AddStop(50, 0x0000FF);
        panel.EndEdit();
        selectionChanges = 0;
        changes = 0;
    }
    void TearDown() override { DataTip().HideTip(); }

    TDefGradientPanel panel;
    int changes = 0;
    int selectionChanges = 0;
};

}  // namespace

TEST_F(StopEditor, PressesNearAMarkerSelectIt) {
    const int marker = panel.MarkerX(50);
    ASSERT_EQ(marker, 127);  // MulDiv(50, 253, 100)
    struct Case {
        QPoint press;
        bool selects;
    };
    const Case cases[] = {{{marker - 5, 35}, true},  {{marker + 5, 35}, true},  {{marker - 6, 35}, false},
                          {{marker + 6, 35}, false}, {{marker, 30}, false},     {{marker, 40}, false},
                          {{marker, 20}, false},     {{panel.MarkerX(0), 35}, false}};
    for (const Case& c : cases) {
        Mouse(&panel, QEvent::MouseButtonPress, c.press);
        EXPECT_EQ(panel.Selected() != nullptr, c.selects) << c.press.x() << "," << c.press.y();
        Mouse(&panel, QEvent::MouseButtonRelease, c.press);
    }
    EXPECT_EQ(changes, 0);
}

TEST_F(StopEditor, DraggingReordersTheStopsAndShowsThePosition) {
    panel.AddStop(70, 0x00FF00);
    panel.EndEdit();
    changes = 0;
    TGradientEntry* dragged = panel.Palette().Items(1);  // the stop at 50
    Mouse(&panel, QEvent::MouseButtonPress, {panel.MarkerX(50) + 3, 35});
    ASSERT_EQ(panel.Selected(), dragged);
    EXPECT_TRUE(DataTip().isVisible());
    EXPECT_EQ(DataTip().Text(), QStringLiteral(" 50%"));
    Mouse(&panel, QEvent::MouseMove, {panel.MarkerX(80) + 3, 35});
    EXPECT_EQ(Positions(panel.Palette()), (std::vector<int32_t>{0, 70, 80, 100}));
    EXPECT_EQ(panel.Selected(), dragged);
    EXPECT_EQ(panel.Palette().Items(2), dragged);
    EXPECT_EQ(DataTip().Text(), QStringLiteral(" 80%"));
    Mouse(&panel, QEvent::MouseMove, {400, 35});  // beyond the end: 99
    EXPECT_EQ(dragged->Position(), 99);
    Mouse(&panel, QEvent::MouseButtonRelease, {400, 35});
    EXPECT_FALSE(DataTip().isVisible());
    EXPECT_EQ(changes, 2);

    Key(&panel, Qt::Key_Delete);
    EXPECT_EQ(Positions(panel.Palette()), (std::vector<int32_t>{0, 70, 100}));
    EXPECT_EQ(panel.Selected(), nullptr);
}

TEST_F(StopEditor, DoubleClickAddsTheColourShownThere) {
    const QPoint at(200, 10);
    const QColor shown = panel.grab().toImage().pixelColor(at);
    Mouse(&panel, QEvent::MouseButtonPress, at);
    Mouse(&panel, QEvent::MouseButtonRelease, at);
    Mouse(&panel, QEvent::MouseButtonDblClick, at);
    Mouse(&panel, QEvent::MouseButtonRelease, at);
    const int position = panel.PositionAt(200);
    ASSERT_NE(panel.Selected(), nullptr);
    EXPECT_EQ(panel.Selected()->Position(), position);
    const gdi::Color added = panel.Selected()->Color();
    EXPECT_EQ(QColor(int(gdi::RedOf(added)), int(gdi::GreenOf(added)), int(gdi::BlueOf(added))), shown);
    EXPECT_EQ(panel.Palette().Count(), 4);
    EXPECT_EQ(selectionChanges, 1);
}

TEST_F(StopEditor, EndsKeepTheirPlacesAndTheSizeStays) {
    panel.SetStartColor(0x123456);
    EXPECT_EQ(panel.StartColor(), 0x123456u);
    EXPECT_EQ(panel.Palette().Items(0)->Position(), 0);
    EXPECT_EQ(panel.EndColor(), 0u);
    const gdi::Color middle = panel.Palette().ColorAt(MulDiv(50, panel.Palette().RampSize(), 100));
    panel.AddStop(30, -1);  // the colour in the middle of the ramp
    EXPECT_EQ(panel.Selected()->Color(), middle);
    panel.SetSelectedColor(0xABCDEF);
    EXPECT_EQ(panel.Palette().Items(1)->Color(), 0xABCDEFu);
    TGradientpalette other(0xFF0000, 0x00FF00);
    panel.SetPalette(other);
    EXPECT_EQ(panel.Selected(), nullptr);
    EXPECT_EQ(Positions(panel.Palette()), (std::vector<int32_t>{0, 100}));
    panel.resize(400, 100);
    EXPECT_EQ(panel.size(), QSize(255, 50));
}

TEST(GradientPreview, DraggingMovesTheCentreOrTurnsTheAngle) {
    TGradientPreview preview;
    preview.resize(100, 80);
    int changes = 0;
    preview.OnChange = [&] { ++changes; };
    struct Case {
        TGradienttyp typ;
        QPoint point;
        double winkel, abstandX, abstandY;
    };
    const Case cases[] = {
        {TGradienttyp::gtLinear, {90, 80}, 45, 0, 0},    // lower right at 45 degrees
        {TGradienttyp::gtLinear, {10, 40}, 45, 0, 0},    // level with the centre: unchanged
        {TGradienttyp::gtLinear, {50, 10}, 45, 0, 0},    // above it: unchanged
        {TGradienttyp::gtLinear, {10, 0}, -135, 0, 0},
        {TGradienttyp::gtRadial, {75, 60}, -135, 0.25, 0.25},
        {TGradienttyp::gtRect, {-40, 200}, -135, -0.5, 0.5},  // clamped to the control
    };
    for (const Case& c : cases) {
        preview.SetTyp(c.typ);
        Mouse(&preview, QEvent::MouseButtonPress, {50, 40});
        Mouse(&preview, QEvent::MouseMove, c.point);
        Mouse(&preview, QEvent::MouseButtonRelease, c.point);
        EXPECT_NEAR(preview.Winkel(), c.winkel, 1e-9) << c.point.x() << "," << c.point.y();
        EXPECT_DOUBLE_EQ(preview.AbstandX(), c.abstandX);
        EXPECT_DOUBLE_EQ(preview.AbstandY(), c.abstandY);
    }
    EXPECT_EQ(changes, 12);
    Mouse(&preview, QEvent::MouseMove, {0, 0}, Qt::NoButton);  // not dragging
    EXPECT_EQ(changes, 12);
}

TEST(GradientPreview, PaintsThePaletteByType) {
    TGradientPreview preview;
    TGradientpalette redToBlue(0x0000FF, 0xFF0000);
    preview.SetPalette(redToBlue);
    const QImage linear = preview.RenderGradient({60, 20});
    EXPECT_GT(qRed(linear.pixel(1, 10)), 200);   // red on the left
    EXPECT_GT(qBlue(linear.pixel(58, 10)), 200);  // blue on the right
    preview.SetTyp(TGradienttyp::gtRadial);
    const QImage radial = preview.RenderGradient({60, 60});
    EXPECT_GT(qBlue(radial.pixel(30, 30)), 200);  // the last colour at the centre
    EXPECT_GT(qRed(radial.pixel(1, 30)), 2 * qBlue(radial.pixel(1, 30)));  // mostly the first at the edge
    preview.SetTyp(TGradienttyp::gtLinearDoppelt);
    const QImage none = preview.RenderGradient({20, 20});
    EXPECT_EQ(none.pixel(10, 10), qRgb(255, 255, 255));
}
