// Where labels land and what they are clipped to: the grid example, the walk
// with the first-sheet mask, printers of unequal resolutions, landscape
// sheets, the masks of special articles and the clip regions of disc sheets,
// drawn directly or through the page bitmap.
#include "EnginePrintingTesting.h"

#include "printing/LabelPlacement.h"
#include "printing/LabelWalk.h"
#include "printing/MemMapDIBSection.h"
#include "document/Stationery.h"

using printtest::PrintedLabel;

namespace {

// The sheet of the examples: 3 x 3 labels of 50 x 30 mm, gaps 5 and 4, margins 10 and 12.
void ThreeByThree(TEtikett& s) { SetGrid(s, 3, 3, 50, 30, 10, 12, 5, 4); }

double Device(double mm, int dpi, int offset) { return mm * dpi / 25.4 - offset; }

}  // namespace

TEST(LabelPlacement, OriginAndClipOfTheGridExample) {
    TEtikett sheet;
    ThreeByThree(sheet);
    struct Case {
        int position;
        double x, y, left, top, right, bottom;
    };
    const Case cases[] = {
        {5, 65, 46, -2.5, -2, 52.5, 32},  // inside: half the gaps
        {1, 10, 12, -5, -6, 52.5, 32},    // top-left: half the margins
        {9, 120, 80, -2.5, -2, 55, 36},   // bottom-right: the margins stand for right and bottom
        {3, 120, 12, -2.5, -6, 55, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        const TLabelPlace p = LabelPlaceOf(sheet, c.position);
        EXPECT_DOUBLE_EQ(p.OriginX, c.x);
        EXPECT_DOUBLE_EQ(p.OriginY, c.y);
        EXPECT_DOUBLE_EQ(p.ClipLeft, c.left);
        EXPECT_DOUBLE_EQ(p.ClipTop, c.top);
        EXPECT_DOUBLE_EQ(p.ClipRight, c.right);
        EXPECT_DOUBLE_EQ(p.ClipBottom, c.bottom);
    }
    // One column: half the left margin on both sides.
    sheet.SetColumns(1);
    const TLabelPlace single = LabelPlaceOf(sheet, 2);
    EXPECT_DOUBLE_EQ(single.ClipLeft, -5);
    EXPECT_DOUBLE_EQ(single.ClipRight, 55);
}

TEST(LabelPlacement, WalkWithTheFirstSheetMask) {
    struct Case {
        const char* name;
        std::string mask;
        // (sheet, position) of the labels one after the other, and where a new page begins.
        std::vector<std::tuple<int, int, bool>> walk;
    };
    const Case cases[] = {
        {"0110: the first sheet uses 2 and 3, then every position",
         "0110",
         {{1, 2, false}, {1, 3, false}, {2, 1, true}, {2, 2, false}, {2, 3, false}, {2, 4, false}, {3, 1, true}}},
        {"a mask shorter than the sheet: the rest is free", "01", {{1, 2, false}, {1, 3, false}, {1, 4, false}, {2, 1, true}}},
        {"every label missing: the first sheet is passed over", "0000", {{2, 1, false}, {2, 2, false}}},
        {"only the last label left", "0001", {{1, 4, false}, {2, 1, true}}},
        {"characters past the sheet mean nothing", "01110000", {{1, 2, false}, {1, 3, false}, {1, 4, false}, {2, 1, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLabelWalk walk(c.mask, 4);
        for (const auto& [sheet, position, newPage] : c.walk) {
            EXPECT_EQ(walk.Advance() == TLabelWalk::Step::NewPage, newPage);
            EXPECT_EQ(walk.Sheet(), sheet);
            EXPECT_EQ(walk.Position(), position);
        }
    }
    // A limit of sheets stops the walk before the sheet beyond it.
    TLabelWalk limited("0001", 4);
    EXPECT_EQ(limited.Advance(1), TLabelWalk::Step::SamePage);
    EXPECT_EQ(limited.Advance(1), TLabelWalk::Step::Beyond);
    EXPECT_EQ(limited.Position(), 4);

    EXPECT_EQ(CountMarkedPositions("0110", 4), 2);
    EXPECT_EQ(CountMarkedPositions("01", 4), 3);
    EXPECT_EQ(CountMarkedPositions("0000111", 4), 0);
}

TEST_F(EnginePrinting, ClipRegionAndFiguresInDevicePixelsAtEqualAndUnequalResolutions) {
    struct Printer {
        int dpiX, dpiY;
    };
    for (const Printer p : {Printer{600, 600}, Printer{600, 300}, Printer{300, 600}}) {
        SCOPED_TRACE(testing::Message() << p.dpiX << " x " << p.dpiY);
        WithFakePrinter printer(gdi::test::FakePrinter::A4Caps(p.dpiX, p.dpiY));
        const gdi::DeviceCaps caps = printer.printer().Caps();
        printtest::TestDocument document(1);
        ThreeByThree(document.sheet);
        document.AddStandardFigures();
        printtest::ScriptedUi windows;
        windows.sheet = [](TSheetPrintOptions& o) {
            o.LabelsPerDesign = 1;
            o.Mask = "000011111";  // the first label goes to position 5
            return true;
        };
        TEtikettPrinter(document, windows).Print();
        ASSERT_EQ(document.log.labels.size(), 1u);
        const PrintedLabel& label = document.log.labels[0];
        EXPECT_FLOAT_EQ(label.worldX, 65);
        EXPECT_FLOAT_EQ(label.worldY, 46);
        ASSERT_TRUE(label.clip);
        // (-2.5, -2) to (52.5, 32) from the origin; right and bottom pixels included.
        EXPECT_NEAR(label.clip->left, Device(62.5, p.dpiX, caps.physicalOffsetX), 1);
        EXPECT_NEAR(label.clip->top, Device(44, p.dpiY, caps.physicalOffsetY), 1);
        EXPECT_NEAR(label.clip->right, Device(117.5, p.dpiX, caps.physicalOffsetX) + 1, 1);
        EXPECT_NEAR(label.clip->bottom, Device(78, p.dpiY, caps.physicalOffsetY) + 1, 1);
        // The frame's outline starts 2 mm into the label, wherever the printer's margins lie.
        const auto& calls = printer.printer().Recording().Calls();
        const auto outline = std::find_if(calls.begin(), calls.end(), [](const gdi::RecordedCall& c) {
            return c.op == gdi::RecordedCall::Op::Line && c.points.size() == 5;
        });
        ASSERT_NE(outline, calls.end());
        const gdi::Point corner = ToDevice(outline->state, outline->points[0]);
        EXPECT_NEAR(corner.x, Device(67, p.dpiX, caps.physicalOffsetX), 1.5);
        EXPECT_NEAR(corner.y, Device(48, p.dpiY, caps.physicalOffsetY), 1.5);
    }
}

TEST_F(EnginePrinting, LandscapeSheetsDrawFromTheLabelsBottomLeftCorner) {
    ThreeByThree(doc.sheet);
    ui.sheet = [](TSheetPrintOptions& o) {
        o.LabelsPerDesign = 1;
        return true;
    };
    Print();
    ASSERT_EQ(doc.log.labels.size(), 2u);
    const PrintedLabel portrait = doc.log.labels[1];

    doc.log.labels.clear();
    doc.sheet.SetOrientation(1);
    ASSERT_EQ(doc.sheet.Orientation, 1);
    StoreOffsets(1.5, -1);
    Print();
    ASSERT_EQ(doc.log.labels.size(), 2u);
    const PrintedLabel& landscape = doc.log.labels[1];
    EXPECT_TRUE(landscape.rotated);
    EXPECT_FALSE(portrait.rotated);
    EXPECT_FLOAT_EQ(landscape.worldX, portrait.worldX + 1.5f);
    EXPECT_FLOAT_EQ(landscape.worldY, portrait.worldY - 1 + 30);  // origin + label height
    // The clip is the portrait label's, moved by the offset only.
    ASSERT_TRUE(landscape.clip && portrait.clip);
    EXPECT_NEAR(landscape.clip->left - portrait.clip->left, 1.5 * 600 / 25.4, 1);
    EXPECT_NEAR(landscape.clip->top - portrait.clip->top, -1200 / 25.4, 1);
    EXPECT_EQ(landscape.clip->Width(), portrait.clip->Width());
}

TEST_F(EnginePrinting, ARingLabelIsClippedWithoutItsCentreHole) {
    // A sheet of single 39.88 mm discs with a 15.02 mm centre hole.
    const TStationeryProduct* discs = FindStationeryProduct("Online Labels", "OL9990");
    ASSERT_NE(discs, nullptr);
    AssignStationeryProduct(doc.sheet, *discs);
    ASSERT_NEAR(doc.sheet.LabelHoleDiameter(), 15.02, 0.05);
    ui.sheet = [](TSheetPrintOptions& o) {
        o.LabelsPerDesign = 1;
        return true;
    };
    Print();
    ASSERT_FALSE(doc.log.labels.empty());
    const gdi::DeviceCaps caps = fake().Caps();
    for (const PrintedLabel& label : doc.log.labels) {
        ASSERT_TRUE(label.clipRegion);
        const auto x = [&](double mm) { return static_cast<int>(Device(label.worldX + mm, caps.logPixelsX, caps.physicalOffsetX)); };
        const auto y = [&](double mm) { return static_cast<int>(Device(label.worldY + mm, caps.logPixelsY, caps.physicalOffsetY)); };
        const double middle = doc.sheet.LabelWidth / 2;
        EXPECT_FALSE(label.clipRegion->Contains(x(middle), y(middle)));
        EXPECT_FALSE(label.clipRegion->Contains(x(middle + 7), y(middle)));
        EXPECT_TRUE(label.clipRegion->Contains(x(middle + 8), y(middle)));
        EXPECT_TRUE(label.clipRegion->Contains(x(1), y(1)));  // the cell's corner stays
    }
}

TEST_F(EnginePrinting, SpecialArticlesGetTheirWhiteMasksOnEveryLabel) {
    auto whitePolygons = [this] {
        int n = 0;
        for (const gdi::RecordedCall& c : fake().Recording().Calls())
            if (c.op == gdi::RecordedCall::Op::Polygon && c.state.pen.color == gdi::Rgb(255, 255, 255) &&
                c.state.brush.color == gdi::Rgb(255, 255, 255) && c.state.brush.style == gdi::BrushStyle::Solid)
                ++n;
        return n;
    };
    ThreeByThree(doc.sheet);
    doc.AddStandardFigures();
    ui.sheet = [](TSheetPrintOptions& o) {
        o.LabelsPerDesign = 2;
        return true;
    };
    Print();
    EXPECT_EQ(whitePolygons(), 0);
    doc.sheet.Guides.ShapeKey = "KROXASTERNE2";
    Print();
    EXPECT_EQ(whitePolygons(), 8);

    // Also on one-label sheets printing the selection only.
    printtest::TestDocument single(1);
    single.sheet.Guides.ShapeKey = "KROXASTERNE3";
    single.AddStandardFigures();
    ui.single = [](TSingleLabelPrintOptions& o) {
        o.Range = TPrintRange::Selection;
        return true;
    };
    TEtikettPrinter(single, ui).Print();
    ASSERT_EQ(single.log.labels.size(), 1u);
    EXPECT_TRUE(single.log.labels[0].selectedOnly);
    EXPECT_EQ(whitePolygons(), 2);
}

// On a printer of 600 dpi both ways.
class ClipRingPrinting : public EnginePrinting {
protected:
    void SetUp() override {
        EnginePrinting::SetUp();
        square_ = std::make_unique<WithFakePrinter>(gdi::test::FakePrinter::A4Caps(600, 600));
        doc.log.page = [this] { return printer().Pages(); };
        doc.sheet.SetMarginLeft(0);
        doc.sheet.SetMarginTop(0);
        doc.sheet.SetLabelWidth(210);
        doc.sheet.SetLabelHeight(297);
        doc.sheet.ZoomRegions.Clear();
        doc.sheet.ZoomRegions.AddEllipse(QStringLiteral("Ring 1"), kRegionClip | kRegionZoom, 10, 10, 130, 130, 2, 40);
        doc.sheet.ZoomRegions.AddRect(QStringLiteral("Zoom only"), kRegionZoom, 0, 0, 100, 100, 0);
        doc.sheet.ZoomRegions.AddRect(QStringLiteral("Etikett 1"), kRegionClip, 140, 10, 200, 60, 1);
        doc.AddStandardFigures();
        doc.clipRing = true;
    }
    void TearDown() override {
        square_.reset();
        EnginePrinting::TearDown();
    }
    gdi::test::FakePrinter& printer() { return square_->printer(); }

    std::vector<const gdi::RecordedCall*> Transfers() {
        std::vector<const gdi::RecordedCall*> found;
        for (const gdi::RecordedCall& c : printer().Recording().Calls())
            if (c.op == gdi::RecordedCall::Op::StretchBlt) found.push_back(&c);
        return found;
    }

    // The ring's clip leaves out its 40 mm centre hole and keeps the ring
    // around it (dpi: the clip's pixels per inch).
    static void ExpectRingWithoutHole(const gdi::Region& clip, int dpi) {
        const gdi::Rect box = clip.Box();
        const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
        const auto mm = [dpi](double v) { return static_cast<int>(v * dpi / 25.4); };
        EXPECT_FALSE(clip.Contains(cx, cy));
        EXPECT_FALSE(clip.Contains(cx + mm(19), cy));
        EXPECT_TRUE(clip.Contains(cx + mm(21), cy));
        EXPECT_TRUE(clip.Contains(cx, cy - mm(50)));
    }

private:
    std::unique_ptr<WithFakePrinter> square_;
};

TEST_F(ClipRingPrinting, EveryClipRegionIsOneLabelDrawnDirectlyOrThroughThePageBitmap) {
    for (const bool bitmap : {false, true}) {
        SCOPED_TRACE(bitmap ? "page as bitmap" : "drawn directly");
        doc.log.labels.clear();
        ui.clipRing = [&](TClipRingPrintOptions& o) {
            o.Copies = 2;
            o.PageAsBitmap = bitmap;
            return true;
        };
        printer().SetMaxCopies(1);
        Print();
        ASSERT_EQ(doc.log.labels.size(), 4u);  // two regions on each of two pages
        const std::vector<std::string> running = {"1", "2", "3", "4"};
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(doc.log.labels[i].lfdNr, running[i]);
            EXPECT_EQ(doc.log.labels[i].gesNr, "2");
            EXPECT_EQ(doc.log.labels[i].page, i < 2 ? 1 : 2);
        }
        const std::vector<const gdi::RecordedCall*> transfers = Transfers();
        if (!bitmap) {
            EXPECT_TRUE(transfers.empty());
            // The ring's clip is its ellipse grown by 2 mm: 124 mm across at 600 dpi.
            ASSERT_TRUE(doc.log.labels[0].clip);
            EXPECT_NEAR(doc.log.labels[0].clip->Width(), 124 * 600 / 25.4, 2);
            ExpectRingWithoutHole(*doc.log.labels[0].clipRegion, 600);
            continue;
        }
        // At 300 dpi into the bitmap, each region sent clipped to itself.
        ASSERT_EQ(transfers.size(), 4u);
        EXPECT_NEAR(doc.log.labels[0].clip->Width(), 124 * 300 / 25.4, 2);
        ExpectRingWithoutHole(*doc.log.labels[0].clipRegion, 300);
        ExpectRingWithoutHole(*transfers[0]->state.clip, 600);
        for (const gdi::RecordedCall* t : transfers) {
            ASSERT_TRUE(t->state.clip);
            EXPECT_TRUE(t->rect.left <= t->state.clip->Box().left && t->state.clip->Box().right <= t->rect.right);
            EXPECT_LE(t->srcRect.right, TMemMapDIBSection::kWidth);
        }
        // The ring with its 1 mm border: 126 mm at 600 dpi, from 300 dpi pixels.
        EXPECT_NEAR(transfers[0]->rect.Width(), 126 * 600 / 25.4, 2);
        EXPECT_NEAR(transfers[0]->srcRect.Width(), 126 * 300 / 25.4, 2);
    }
}

TEST_F(ClipRingPrinting, ARegionLargerThanThePageBitmapIsSentInTiles) {
    doc.sheet.ZoomRegions.Clear();
    doc.sheet.ZoomRegions.AddRect(QStringLiteral("Seite"), kRegionClip, 0, 0, 210, 297, 0);
    ui.clipRing = [](TClipRingPrintOptions& o) {
        o.PageAsBitmap = true;
        return true;
    };
    Print();
    // 212 x 299 mm at 300 dpi: two tiles across, two down; one label.
    const std::vector<const gdi::RecordedCall*> transfers = Transfers();
    ASSERT_EQ(transfers.size(), 4u);
    ASSERT_EQ(doc.log.labels.size(), 4u);
    EXPECT_EQ(std::count(doc.log.events.begin(), doc.log.events.end(), "LabelStart 0 0"), 1);
    for (const PrintedLabel& l : doc.log.labels) EXPECT_EQ(l.lfdNr, "1");
    for (const auto* t : transfers) {
        EXPECT_LE(t->srcRect.right, TMemMapDIBSection::kWidth);
        EXPECT_LE(t->srcRect.bottom, TMemMapDIBSection::kHeight);
    }
    // The tiles meet without a gap and are cut at the printable page.
    EXPECT_EQ(transfers[0]->rect.right, transfers[1]->rect.left);
    EXPECT_EQ(transfers[0]->rect.bottom, transfers[2]->rect.top);
    const gdi::DeviceCaps caps = printer().Caps();
    EXPECT_EQ(transfers[0]->rect.left, 0);
    EXPECT_EQ(transfers[0]->rect.top, 0);
    EXPECT_EQ(transfers[3]->rect.right, caps.horzRes);
    EXPECT_EQ(transfers[3]->rect.bottom, caps.vertRes);
}
