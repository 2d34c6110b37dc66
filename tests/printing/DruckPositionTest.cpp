// The print offset: its settings with and without the landscape turn, its
// description, and the print-position dialog with its picture and test print.
#include "PrintingTesting.h"

#include "foundation/ScaleCanvas.h"
#include "foundation/ZRRegIniFile.h"
#include "printing/DruckPositionData.h"
#include "printing/widgets/DlgDruckPosition2.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>

namespace {

class DruckPosition : public PrintingTest {
protected:
    void SetUp() override {
        PrintingTest::SetUp();
        Store(0, 0);
    }
    void TearDown() override {
        DruckPositionHooks() = {};
        Settings().EraseSection("Drucker");
        PrintingTest::TearDown();
    }
    static void Store(double x, double y) {
        Settings().WriteFloat("Drucker", "OffsetX", x);
        Settings().WriteFloat("Drucker", "OffsetY", y);
    }
    static std::pair<double, double> Stored() {
        return {Settings().ReadFloat("Drucker", "OffsetX", 99), Settings().ReadFloat("Drucker", "OffsetY", 99)};
    }
};

bool IsArrowRed(gdi::Color c) { return c == gdi::Rgb(255, 0, 0); }

// Red pixels of the arrows from the picture's centre: right, left, down, up.
std::array<int, 4> ArrowPixels(const gdi::Bitmap& picture) {
    std::array<int, 4> counts{};
    const int cx = picture.Width() / 2, cy = picture.Height() / 2;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            if (!IsArrowRed(picture.Pixel(x, y))) continue;
            const bool alongX = std::abs(y - cy) <= 6, alongY = std::abs(x - cx) <= 6;
            if (alongX && x > cx + 2) ++counts[0];
            if (alongX && x < cx - 2) ++counts[1];
            if (alongY && y > cy + 2) ++counts[2];
            if (alongY && y < cy - 2) ++counts[3];
        }
    return counts;
}

}  // namespace

TEST_F(DruckPosition, LandscapeTurnOnLoadIsUndoneOnSave) {
    const struct {
        int32_t rotation;
        double x, y;  // loaded from the stored (1, 2)
    } cases[] = {{90, -2, 1}, {270, 2, -1}, {0, 2, -1}};
    for (const auto& c : cases) {
        fake().SetLandscapeRotation(c.rotation);
        Store(1, 2);
        TDruckPositionData turned(true);
        EXPECT_EQ(turned.X, c.x) << c.rotation;
        EXPECT_EQ(turned.Y, c.y) << c.rotation;
        turned.Save();
        EXPECT_EQ(Stored(), std::make_pair(1.0, 2.0)) << c.rotation;
        TDruckPositionData plain;
        EXPECT_EQ(plain.X, 1);
        EXPECT_EQ(plain.Y, 2);
    }
}

TEST_F(DruckPosition, OffsetsAreDescribedInWords) {
    const struct {
        double x, y;
        const char* textX;
        const char* textY;
    } cases[] = {
        {1.5, -0.5, "1,5 mm nach rechts", "0,5 mm nach oben"},
        {-2, 3, "2 mm nach links", "3 mm nach unten"},
        {0, 0, "keine Verschiebung", "keine Verschiebung"},
    };
    TDruckPositionData d;
    for (const auto& c : cases) {
        d.X = c.x;
        d.Y = c.y;
        EXPECT_EQ(d.DescribeX(), QString::fromUtf8(c.textX));
        EXPECT_EQ(d.DescribeY(), QString::fromUtf8(c.textY));
    }
}

TEST_F(DruckPosition, StoredValuesThatAreNoOffsetCountAsNone) {
    for (const char* text : {"abc", "1e308", "inf", "nan", "-1000,5"}) {
        Settings().WriteString("Drucker", "OffsetX", text);
        EXPECT_EQ(TDruckPositionData().X, 0) << text;
    }
    Settings().WriteString("Drucker", "OffsetX", "-1000");
    EXPECT_EQ(TDruckPositionData().X, -1000);
}

TEST_F(DruckPosition, DialogMovesInHalfMillimetresAndSavesOnlyOnOk) {
    using Click = void (TDlgDruckPosition2::*)();
    const Click L = &TDlgDruckPosition2::sbLeftClick, R = &TDlgDruckPosition2::sbRightClick,
                U = &TDlgDruckPosition2::sbUpClick, D = &TDlgDruckPosition2::sbDownClick;
    const struct {
        std::vector<Click> clicks;
        bool ok;
        const char* hori;
        const char* vert;
        std::pair<double, double> stored;  // from (2, -1)
    } cases[] = {
        {{L, L, L}, true, "1,5 mm nach links", "keine Verschiebung", {-1.5, 0}},
        {{D, D, R, U, D}, true, "0,5 mm nach rechts", "1 mm nach unten", {0.5, 1}},
        {{}, true, "keine Verschiebung", "keine Verschiebung", {0, 0}},
        {{L, L, U}, false, "1 mm nach links", "0,5 mm nach oben", {2, -1}},
    };
    for (const auto& c : cases) {
        Store(0, 0);
        TDlgDruckPosition2 dialog;
        Store(2, -1);  // what OK overwrites and cancel keeps
        for (Click click : c.clicks) (dialog.*click)();
        EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("labHori"))->text(), QString::fromUtf8(c.hori));
        EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("labVert"))->text(), QString::fromUtf8(c.vert));
        if (c.ok)
            dialog.cmdOKClick();
        else
            ClickButton(&dialog, "BtnAbbrechen");
        EXPECT_EQ(dialog.result(), c.ok ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(Stored(), c.stored);
    }
}

TEST_F(DruckPosition, PictureCentresTheSheetAndPointsTheWayOfTheOffset) {
    TDlgDruckPosition2 dialog;
    const int w = 190, h = 250;
    gdi::Bitmap picture = dialog.RenderPicture(w, h);
    EXPECT_EQ(ArrowPixels(picture), (std::array<int, 4>{0, 0, 0, 0}));
    // The A4 page fills the height and stands in the middle.
    int left = w, right = -1;
    for (int x = 0; x < w; ++x)
        if (picture.Pixel(x, h / 2) == 0) {
            left = std::min(left, x);
            right = std::max(right, x);
        }
    EXPECT_EQ(picture.Pixel(w / 2, 0), 0u);
    EXPECT_EQ(picture.Pixel(w / 2, h - 1), 0u);
    EXPECT_NEAR(left, w - 1 - right, 1);
    EXPECT_NEAR(right - left, (h - 1) * 210.0 / 297, 1.5);

    dialog.sbRightClick();
    dialog.sbUpClick();
    const std::array<int, 4> arrows = ArrowPixels(dialog.RenderPicture(w, h));
    EXPECT_GT(arrows[0], 30);
    EXPECT_GT(arrows[3], 30);
    EXPECT_EQ(arrows[1], 0);
    EXPECT_EQ(arrows[2], 0);
}

TEST_F(DruckPosition, TestPrintWaitsForTheEngineAndUsesTheUnsavedOffsets) {
    {
        TDlgDruckPosition2 dialog;
        EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("BtnTestdruck"))->isEnabled());
    }
    int drawn = 0;
    DruckPositionHooks().ActiveSheet = [&] {
        TPrintSheetPicture sheet;
        sheet.PageWidth = 100;
        sheet.PageHeight = 150;
        sheet.Draw = [&](TScaleCanvas& canvas) {
            ++drawn;
            for (int row = 0; row < 4; ++row)
                for (int column = 0; column < 2; ++column) {
                    const float left = 5 + column * 47.5f, top = 10 + row * 33;
                    canvas.Rectangle(left, top, left + 42.5f, top + 30);
                }
        };
        return std::optional<TPrintSheetPicture>(sheet);
    };
    struct Printed {
        float pageWidth = 0;
        double x = 0, y = 0;
        QWidget* owner = nullptr;
    } printed;
    DruckPositionHooks().TestPrint = [&](QWidget* owner, const TPrintSheetPicture& sheet, double x, double y) {
        printed = {sheet.PageWidth, x, y, owner};
    };
    TDlgDruckPosition2 dialog;
    dialog.sbLeftClick();
    dialog.sbDownClick();
    dialog.sbDownClick();
    auto* button = dialog.findChild<QPushButton*>(QStringLiteral("BtnTestdruck"));
    ASSERT_TRUE(button->isEnabled());
    button->click();
    EXPECT_EQ(printed.pageWidth, 100);
    EXPECT_EQ(printed.x, -0.5);
    EXPECT_EQ(printed.y, 1);
    EXPECT_EQ(printed.owner, &dialog);
    EXPECT_EQ(Stored(), std::make_pair(0.0, 0.0));
    const int before = drawn;
    dialog.RenderPicture(190, 250);
    EXPECT_EQ(drawn, before + 1);  // the document's sheet draws its labels
    dialog.show();
    SaveScreenshot(dialog, "print-position");
}
