// Zoom and clip regions of a sheet, and the shapes of the design-wizard data.
#include "document/MMRgn.h"
#include "document/WizDlgDaten.h"
#include "foundation/ZRRegIniFile.h"
#include "SheetTesting.h"

#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <array>

using namespace sheettest;

namespace {

std::array<float, 4> BoxOf(const TMMRgn& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

}  // namespace

TEST(ZoomRegions, CornersAreSortedExceptAroundACentre) {
    TMMRgnList list;
    list.AddRect(QStringLiteral("R"), 2, 150, 160, 20, 40, 1);
    list.AddEllipse(QStringLiteral("E"), 3, 150, 160, 20, 40, 2);
    list.AddCenteredEllipse(QStringLiteral("C"), 1, 100, 60, 114, 114, 3);
    list.AddCenteredEllipse(QStringLiteral("N"), 1, 100, 60, -20, 10, 0);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(BoxOf(list.GetItem(0)), (std::array{20.0f, 40.0f, 150.0f, 160.0f}));
    EXPECT_EQ(list.GetItem(0).Kind, TMMRgn::kKindRect);
    EXPECT_EQ(BoxOf(list.GetItem(1)), (std::array{20.0f, 40.0f, 150.0f, 160.0f}));
    EXPECT_EQ(list.GetItem(1).Kind, TMMRgn::kKindEllipse);
    EXPECT_EQ(BoxOf(list.GetItem(2)), (std::array{43.0f, 3.0f, 157.0f, 117.0f}));
    EXPECT_EQ(BoxOf(list.GetItem(3)), (std::array{110.0f, 55.0f, 90.0f, 65.0f}));
    EXPECT_EQ(list.GetItem(2).Grow, 3);
}

TEST(ZoomRegions, DeviceRegionsGrowAndReachOnePixelFurther) {
    struct Case {
        const char* what;
        float grow;
        gdi::DeviceCaps caps;
        bool anisotropic;
        gdi::Rect box;
    } cases[] = {
        {"screen", 1, gdi::ScreenCaps(), false, {9, 9, 22, 32}},
        {"no growth", 0, gdi::ScreenCaps(), false, {10, 10, 21, 31}},
        // A printer of 600 x 300 dpi works in square logical units of 1/600 inch.
        {"printer of two resolutions", 0, {600, 300}, true, {10, 5, 21, 16}},
    };
    for (const Case& c : cases) {
        gdi::RecordingCanvas canvas(c.caps, gdi::DeviceKind::Printer);
        if (c.anisotropic) {
            canvas.SetMapMode(gdi::MapMode::Anisotropic);
            canvas.SetWindowExt(600, 600);
            canvas.SetViewportExt(600, 300);
        }
        TScaleCanvas scale(&canvas);
        TMMRgnList list;
        list.AddRect(QStringLiteral("R"), 1, 10, 10, 20, 30, c.grow);
        EXPECT_EQ(list.GetItem(0).CreateGdiRegion(scale).Box(), c.box) << c.what;
        // The ellipse of the same box stays inside it and holds its centre.
        list.AddEllipse(QStringLiteral("E"), 1, 10, 10, 20, 30, c.grow);
        const gdi::Region ellipse = list.GetItem(1).CreateGdiRegion(scale);
        const gdi::Rect box = ellipse.Box();
        EXPECT_TRUE(box.left >= c.box.left && box.right <= c.box.right && box.bottom <= c.box.bottom) << c.what;
        EXPECT_TRUE(ellipse.Contains((c.box.left + c.box.right) / 2, (c.box.top + c.box.bottom) / 2)) << c.what;
        EXPECT_FALSE(ellipse.Contains(c.box.left, c.box.top)) << c.what;
    }
}

TEST(ZoomRegions, ClipAndZoomFlags) {
    struct Case {
        std::vector<uint8_t> flags;
        bool clip, zoom;
    } cases[] = {{{}, false, false}, {{2}, false, true}, {{1}, true, false}, {{2, 7}, true, true}, {{4}, false, false}};
    for (const Case& c : cases) {
        TMMRgnList list;
        for (uint8_t f : c.flags) list.AddRect(QStringLiteral("R"), f, 0, 0, 1, 1, 0);
        EXPECT_EQ(list.HasClipRegion(), c.clip);
        EXPECT_EQ(list.HasZoomRegion(), c.zoom);
    }
}

TEST(WizardData, RingOf114With41HoleIsAnAnnulus) {
    Recording rec;
    rec.scale.SetResolutionX(10);
    rec.scale.SetResolutionY(10);
    const TWizDlgRingData ring(114, 41);
    EXPECT_EQ(ring.Width, 114);
    EXPECT_EQ(ring.GetSettingsSection(), "Designwizzard\\CDLabel");
    const gdi::Region region = ring.CreateRegion(rec.scale);
    struct Probe {
        float radius;  // mm from the centre (57, 57), to the right
        bool inside;
    } probes[] = {{0, false}, {20, false}, {21.5f, true}, {40, true}, {56, true}, {58, false}};
    for (const Probe& p : probes)
        EXPECT_EQ(region.Contains(570 + static_cast<int32_t>(p.radius * 10), 570), p.inside) << p.radius;
    EXPECT_FALSE(region.Contains(60, 60));

    ring.DrawFilled(rec.scale);
    ASSERT_EQ(rec.Calls().size(), 1u);
    EXPECT_TRUE(rec.Calls()[0].fill && rec.Calls()[0].stroke);
    EXPECT_EQ(rec.Calls()[0].state.polyFillMode, gdi::PolyFillMode::Alternate);
}

TEST(WizardData, FoldersComeFromTheSettingsOrBelowTheProgram) {
    QTemporaryDir dir;
    UseSettingsFile(dir.path() + QStringLiteral("/registry.dat"));
    const TWizDlgRingData ring(117, 41);
    EXPECT_EQ(ring.GetBackgroundDir(), GetProgramFolder() + QStringLiteral("Wizzard/Labels/JPG/"));
    EXPECT_EQ(TWizDlgCovercardData(121, 121).GetTextDir(), GetProgramFolder() + QStringLiteral("Wizzard/Cover/Text/"));
    EXPECT_EQ(TWizDlgInlaycardData(151, 118, 6.5f).GetBackgroundDir(),
              GetProgramFolder() + QStringLiteral("Wizzard/Inlay/JPG/"));
    Settings().WriteText("Designwizzard\\CDLabel", "BackgroundDir", dir.path() + QStringLiteral("/Bilder"));
    EXPECT_EQ(ring.GetBackgroundDir(), dir.path() + QStringLiteral("/Bilder/"));
    EXPECT_EQ(TWizDlgData().GetBackgroundDir(), QString());
}
