// Whole sheets drawn at 150 dpi: the three-ring sheet normal and turned, a
// folded card sheet, round labels, a CD sheet and an address sheet of the
// catalogue. Each picture is written to "sheet-<name>.png" in the folder
// "zorbit-sheets" of the temporary folder for a look; the checks probe the
// guides where they must be.
#include "document/Etikett.h"
#include "document/Stationery.h"
#include "platform/gdi/BitmapCanvas.h"

#include <QtCore/QDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int32_t kDpi = 150;

int32_t Px(double mm) {
    return static_cast<int32_t>(mm * kDpi / 25.4 + 0.5);
}

struct Picture {
    std::unique_ptr<gdi::BitmapCanvas> canvas;
    const gdi::Bitmap& bitmap() const { return canvas->bitmap(); }

    // Whether a pixel of the colour lies within two pixels of the point (mm).
    bool HasColorNear(double xmm, double ymm, gdi::Color color) const {
        for (int32_t y = Px(ymm) - 2; y <= Px(ymm) + 2; ++y)
            for (int32_t x = Px(xmm) - 2; x <= Px(xmm) + 2; ++x)
                if (bitmap().Pixel(x, y) == color) return true;
        return false;
    }
};

Picture DrawSheetPicture(TEtikett& sheet, const char* name) {
    const bool landscape = sheet.Orientation != 0;
    const float w = landscape ? sheet.PageHeight : sheet.PageWidth;
    const float h = landscape ? sheet.PageWidth : sheet.PageHeight;
    Picture picture;
    picture.canvas = std::make_unique<gdi::BitmapCanvas>(Px(w) + 1, Px(h) + 1, kDpi, kDpi);
    TScaleCanvas scale(picture.canvas.get());
    scale.SetResolutionX(static_cast<float>(kDpi / 25.4L));
    scale.SetResolutionY(static_cast<float>(kDpi / 25.4L));
    sheet.DrawSheet(scale);
    const QDir folder(QDir::temp().filePath(QStringLiteral("zorbit-sheets")));
    QDir().mkpath(folder.path());
    picture.bitmap().image().save(folder.filePath(QStringLiteral("sheet-%1.png").arg(QLatin1String(name))));
    return picture;
}

constexpr gdi::Color kBlack = 0;
constexpr gdi::Color kWhite = 0xFFFFFF;

}  // namespace

TEST(SheetPicture, ThreeRingSheetNormalAndTurned) {
    TEtikett sheet;
    sheet.SetName("CD Etiketten");
    sheet.SetArtikel("QN-2049");
    const Picture normal = DrawSheetPicture(sheet, "QN-2049");
    // Ring 1 around (62, 67) mm with its 37 mm hole; the small label at the top right.
    EXPECT_TRUE(normal.HasColorNear(62 - 56.5, 67, TWasserzeichen::kGuideGrey));
    EXPECT_TRUE(normal.HasColorNear(62 + 18.5, 67, TWasserzeichen::kGuideGrey));
    EXPECT_TRUE(normal.HasColorNear(132.5, 30, TWasserzeichen::kGuideGrey));
    EXPECT_FALSE(normal.HasColorNear(148 + 56.5, 67, TWasserzeichen::kGuideGrey));

    sheet.SetSheetTurned(1);
    const Picture turned = DrawSheetPicture(sheet, "QN-2049-turned");
    // Turned about the page centre: a ring now stands at the top right.
    EXPECT_TRUE(turned.HasColorNear(148 + 56.5, 67, TWasserzeichen::kGuideGrey));
    EXPECT_TRUE(turned.HasColorNear(148 - 18.5, 67, TWasserzeichen::kGuideGrey));
    EXPECT_FALSE(turned.HasColorNear(62 - 56.5, 67, TWasserzeichen::kGuideGrey));
}

TEST(SheetPicture, FoldedCardsAndRoundLabels) {
    TEtikett cards;
    cards.SetArtikel("QN-3052");
    cards.SetLabelWidth(86);
    cards.SetLabelHeight(108);
    cards.SetMarginLeft(14);
    cards.SetMarginTop(35);
    cards.SetGapX(10);
    cards.SetGapY(11);
    cards.SetColumns(2);
    cards.SetRows(2);
    const Picture folded = DrawSheetPicture(cards, "QN-3052");
    // The fold band across the middle of the first card.
    EXPECT_TRUE(folded.HasColorNear(14 + 43, 35 + 54, TWasserzeichen::kFoldGrey));
    EXPECT_TRUE(folded.HasColorNear(14, 35 + 20, kBlack));

    TEtikett round;
    round.SetName("Kreis 60 mm");
    round.SetLabelWidth(60);
    round.SetLabelHeight(60);
    round.SetMarginLeft(15);
    round.SetMarginTop(13.5f);
    round.SetColumns(3);
    round.SetRows(4);
    const Picture circles = DrawSheetPicture(round, "Kreis");
    EXPECT_EQ(round.GetShapeKey(), "Kreis");
    // Each label is a circle: ink on its left edge, none in its bounding box's corner.
    EXPECT_TRUE(circles.HasColorNear(15, 13.5 + 30, kBlack));
    EXPECT_FALSE(circles.HasColorNear(15 + 2, 13.5 + 2, kBlack));
    EXPECT_EQ(circles.bitmap().Pixel(Px(15 + 30), Px(13.5 + 30)), kWhite);
}

TEST(SheetPicture, CatalogueSheets) {
    TEtikett cd;
    AssignStationeryProduct(cd, *FindStationeryProduct("Herma", "4093"));
    const Picture discs = DrawSheetPicture(cd, "cd-herma-4093");
    // Two 116 mm discs with 41 mm holes, centred at x 105.
    for (const double cy : {74.5, 222.5}) {
        EXPECT_TRUE(discs.HasColorNear(105, cy - 58, TWasserzeichen::kGuideGrey)) << cy;
        EXPECT_TRUE(discs.HasColorNear(105, cy - 20.5, TWasserzeichen::kGuideGrey)) << cy;
        EXPECT_EQ(discs.bitmap().Pixel(Px(105), Px(cy)), kWhite) << cy;
    }

    TEtikett address;
    AssignStationeryProduct(address, *FindStationeryProduct("Avery", "L7163"));
    const Picture labels = DrawSheetPicture(address, "address-avery-l7163");
    // Fourteen labels of 99.1 x 38.1 mm: the outline of the last one.
    const double left = 3.35 + 99.1 + 3.92, top = 15.17 + 6 * 38.1;
    EXPECT_TRUE(labels.HasColorNear(left, top + 19, kBlack));
    EXPECT_TRUE(labels.HasColorNear(left + 99.1, top + 19, kBlack));
    EXPECT_FALSE(labels.HasColorNear(left + 50, top + 19, kBlack));
}
