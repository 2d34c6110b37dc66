#include "document/Etikett.h"

#include "document/Stationery.h"
#include "foundation/ZRRegIniFile.h"
#include "SheetTesting.h"

#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>

using namespace sheettest;

namespace {

// The tagged values of a stream as text: "S:text", "F:value", "I:value", "B:0/1".
std::string TagSequence(TMemoryStream& stream, int64_t from) {
    std::ostringstream out;
    const uint8_t* p = stream.Memory() + from;
    const uint8_t* end = stream.Memory() + stream.Size();
    while (p < end) {
        const uint8_t tag = *p++;
        if (tag == kTagString) {
            int32_t n = 0;
            std::memcpy(&n, p, 4);
            out << "S:" << std::string(reinterpret_cast<const char*>(p + 4), static_cast<size_t>(n)) << ' ';
            p += 4 + n;
        } else if (tag == kTagSingle) {
            float f = 0;
            std::memcpy(&f, p, 4);
            out << "F:" << f << ' ';
            p += 4;
        } else if (tag == kTagInteger) {
            int32_t i = 0;
            std::memcpy(&i, p, 4);
            out << "I:" << i << ' ';
            p += 4;
        } else if (tag == kTagBoolean) {
            out << "B:" << int{*p++} << ' ';
        } else {
            out << "?" << int{tag};
            break;
        }
    }
    return out.str();
}

void ExpectDefaults(const TEtikett& sheet) {
    EXPECT_EQ(sheet.Name, "Standard");
    EXPECT_EQ(sheet.Artikel, "DIN A4 Seite");
    EXPECT_EQ(sheet.PageWidth, 210);
    EXPECT_EQ(sheet.PageHeight, 297);
    EXPECT_EQ(sheet.LabelWidth, 210);
    EXPECT_EQ(sheet.LabelHeight, 297);
    EXPECT_EQ(sheet.Columns, 1);
    EXPECT_EQ(sheet.Rows, 1);
}

// The address sheet of the settings examples: 3 x 8 labels of 70 x 36 mm.
void MakeAddressSheet(TEtikett& sheet) {
    sheet.SetLabelWidth(70);
    sheet.SetLabelHeight(36);
    sheet.SetMarginTop(4.5f);
    sheet.SetColumns(3);
    sheet.SetRows(8);
}

}  // namespace

TEST(Etikett, NewSheetWritesItsBlockInOrder) {
    TEtikett sheet;
    Block b;
    sheet.SaveToFiler(b.filer);
    ASSERT_GT(b.stream.Size(), 0);
    EXPECT_EQ(b.stream.Memory()[0], 3);
    EXPECT_EQ(TagSequence(b.stream, 1),
              "S:<EtiVersion2> S:Standard S:DIN A4 Seite@@@Eckradius=0 F:210 F:297 F:0 F:0 F:0 F:0 I:1 I:1 I:0 "
              "B:0 B:0 B:0 F:210 F:297 ");
}

TEST(Etikett, ExtraTextCarriesRadiusAndSchemeInTheLocalesForm) {
    struct Case {
        float radius;
        const char* scheme;
        QLocale::Language language;
        const char* article;
    } cases[] = {
        {0, "", QLocale::English, "DIN A4 Seite@@@Eckradius=0"},
        {3, "TA_DINA6", QLocale::English, "DIN A4 Seite@@@Eckradius=3,Schnittmarke=TA_DINA6"},
        {0.3f, "", QLocale::English, "DIN A4 Seite@@@Eckradius=0.300000011920929"},
        {2.5f, "", QLocale::German, "DIN A4 Seite@@@\"Eckradius=2,5\""},
        {2.5f, "TA_DINA5", QLocale::English, "DIN A4 Seite@@@Eckradius=2.5,Schnittmarke=TA_DINA5"},
    };
    for (const Case& c : cases) {
        ScopedLocale locale(c.language);
        TEtikett sheet;
        sheet.CornerRadius = c.radius;
        sheet.CutMarkScheme = c.scheme;
        Block b;
        sheet.WriteBlock(b.filer);
        auto reader = b.Reader();
        reader->ReadTaggedString();
        reader->ReadTaggedString();
        EXPECT_EQ(reader->ReadTaggedString(), c.article);
    }
}

TEST(Etikett, ExtraTextIsReadWithEitherDecimalSeparator) {
    struct Case {
        const char* article;
        QLocale::Language language;
        float radius;
        const char* scheme;
        const char* expectedArticle = "DIN A4 Seite";
    } cases[] = {
        {"DIN A4 Seite@@@Eckradius=3,Schnittmarke=TA_DINA6", QLocale::English, 3, "TA_DINA6"},
        {"DIN A4 Seite@@@\"Eckradius=2,5\"", QLocale::English, 2.5f, ""},
        {"DIN A4 Seite@@@\"Eckradius=2,5\"", QLocale::German, 2.5f, ""},
        {"DIN A4 Seite@@@Eckradius=2.5", QLocale::German, 2.5f, ""},
        {"DIN A4 Seite@@@Eckradius=2.5", QLocale::English, 2.5f, ""},
        {"DIN A4 Seite@@@ECKRADIUS=4", QLocale::English, 4, ""},
        {"DIN A4 Seite@@@Eckradius=abc,Schnittmarke=TA_DINA5", QLocale::English, 0, "TA_DINA5"},
        {"DIN A4 Seite@@@Eckradius=nan", QLocale::English, 0, ""},
        {"DIN A4 Seite@@@Eckradius=1e30", QLocale::English, 0, ""},
        {"DIN A4 Seite@@@Eckradius=-2", QLocale::English, 0, ""},
        {"DIN A4 Seite@@@", QLocale::English, 0, ""},
        // An article that ends in "@" or holds the marker itself keeps it.
        {"Ende@@@@Eckradius=3", QLocale::English, 3, "", "Ende@"},
        {"a@@@b@@@\"Eckradius=2,5\",Schnittmarke=TA_DINA5", QLocale::German, 2.5f, "TA_DINA5", "a@@@b"},
    };
    for (const Case& c : cases) {
        ScopedLocale locale(c.language);
        TEtikett sheet;
        sheet.CornerRadius = 7;
        sheet.CutMarkScheme = "TA_DINA9";
        CurrentBlockValues v;
        v.article = c.article;
        Block b;
        WriteCurrentBlock(b, v);
        sheet.LoadFromFiler(*b.Reader());
        EXPECT_EQ(sheet.Artikel, c.expectedArticle) << c.article;
        EXPECT_EQ(sheet.CornerRadius, c.radius) << c.article;
        EXPECT_EQ(sheet.CutMarkScheme, c.scheme) << c.article;
    }
    // Without the marker radius and scheme stay as they were.
    TEtikett sheet;
    sheet.CornerRadius = 7;
    sheet.CutMarkScheme = "TA_DINA9";
    sheet.SetArtikel("DIN A4 Seite");
    sheet.ParseExtraText();
    EXPECT_EQ(sheet.CornerRadius, 7);
    EXPECT_EQ(sheet.CutMarkScheme, "TA_DINA9");
}

TEST(Etikett, BlockComesBackAcrossLocales) {
    TEtikett written;
    written.SetName("Runde Ecken");
    MakeAddressSheet(written);
    written.CornerRadius = 2.5f;
    written.CutMarkScheme = "TA_DINA5";
    Block b;
    {
        ScopedLocale german(QLocale::German);
        written.SaveToFiler(b.filer);
    }
    ScopedLocale english(QLocale::English);
    auto reader = b.Reader();
    ASSERT_EQ(reader->ReadRawByte(), 3);
    TEtikett read;
    read.LoadFromFiler(*reader);
    EXPECT_TRUE(read.IsSameGeometry(written));
    EXPECT_EQ(read.CornerRadius, 2.5f);
    EXPECT_EQ(read.CutMarkScheme, "TA_DINA5");
    EXPECT_EQ(b.stream.Remaining(), 0);
}

TEST(Etikett, OlderBlocksMapTheirArticlesAndFlags) {
    struct Case {
        const char* article;
        const char* expected;
        uint8_t turned;
        uint8_t backSide;
    } cases[] = {
        {"RINGETI|S", "QN-2049", 1, 0}, {"RINGETI", "QN-2049", 0, 0},   {"CDEINLEG|S", "QN-403X", 0, 1},
        {"CDEINLEG", "QN-403X", 0, 0},  {"Meins|S", "Meins", 0, 0},     {"Meins|S|S", "Meins", 0, 0},
    };
    for (const bool legacy : {false, true}) {
        for (const Case& c : cases) {
            TEtikett sheet;
            sheet.SetPageWidth(100);
            sheet.SetPageHeight(100);
            Block b(legacy);
            WriteOlderBlock(b, "Alt", c.article);
            sheet.LoadFromFiler(*b.Reader(legacy));
            EXPECT_EQ(sheet.Artikel, c.expected) << c.article;
            EXPECT_EQ(sheet.SheetTurned, c.turned) << c.article;
            EXPECT_EQ(sheet.BackSide, c.backSide) << c.article;
            EXPECT_EQ(sheet.PageWidth, 210);
            EXPECT_EQ(sheet.PageHeight, 297);
            EXPECT_EQ(sheet.Columns, 3);
            EXPECT_EQ(sheet.MarginTop, 4.5f);
            EXPECT_EQ(b.stream.Remaining(), 0) << "legacy " << legacy;
        }
    }
}

TEST(Etikett, CapabilitiesFollowTheArticle) {
    struct Case {
        const char* article;
        uint8_t capabilities;
        uint8_t orientation, turned, backSide;  // after setting each to 1
    } cases[] = {
        {"QN-2049", 3, 0, 1, 0},          {"QN-403X", 5, 0, 0, 1},     {"QN-2052", 1, 0, 0, 0},
        {"QN-2071", 1, 0, 0, 0},          {"QN-2051", 1, 0, 0, 0},     {"QN-4051", 1, 0, 0, 0},
        {"QN-2051EX", 0, 1, 0, 0},        {"DIN A4 Seite", 0, 1, 0, 0}, {"Herma 4093", 1, 0, 0, 0},
        {"Online Labels OL229", 1, 0, 0, 0}, {"KROXARING", 1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        TEtikett sheet;
        sheet.SetArtikel(c.article);
        EXPECT_EQ(sheet.Capabilities, c.capabilities) << c.article;
        sheet.SetOrientation(1);
        sheet.SetSheetTurned(1);
        sheet.SetBackSide(1);
        EXPECT_EQ(sheet.Orientation, c.orientation) << c.article;
        EXPECT_EQ(sheet.SheetTurned, c.turned) << c.article;
        EXPECT_EQ(sheet.BackSide, c.backSide) << c.article;
    }
}

TEST(Etikett, SetCapabilitiesClearsWhatTheValueForbids) {
    TEtikett plain;
    plain.Orientation = 1;
    plain.SheetTurned = plain.BackSide = 1;
    plain.SetCapabilities(0);
    EXPECT_EQ(plain.Orientation, 1);
    EXPECT_EQ(plain.SheetTurned, 0);
    EXPECT_EQ(plain.BackSide, 0);

    // Clearing the turned flag derives the capabilities anew, so the back side stays.
    TEtikett inlay;
    inlay.SetArtikel("QN-403X");
    inlay.SheetTurned = inlay.BackSide = 1;
    inlay.SetCapabilities(0);
    EXPECT_EQ(inlay.SheetTurned, 0);
    EXPECT_EQ(inlay.Capabilities, 5);
    EXPECT_EQ(inlay.BackSide, 1);
}

TEST(Etikett, SettingsTextHoldsFourteenItems) {
    ScopedLocale english(QLocale::English);
    TEtikett sheet;
    MakeAddressSheet(sheet);
    sheet.SetName("Meine Etiketten");
    sheet.SetArtikel("3475");
    EXPECT_EQ(sheet.SettingsText(), "210,297,70,36,0,4.5,0,0,3,8,0,0,\"Meine Etiketten\",3475");
    {
        ScopedLocale german(QLocale::German);
        EXPECT_EQ(sheet.SettingsText(), "210,297,70,36,0,\"4,5\",0,0,3,8,0,0,\"Meine Etiketten\",3475");
        TEtikett read;
        ASSERT_TRUE(read.ApplySettingsText(sheet.SettingsText()));
        EXPECT_TRUE(read.IsSameGeometry(sheet));
    }

    QTemporaryDir dir;
    UseSettingsFile(dir.path() + QStringLiteral("/registry.dat"));
    sheet.SaveToSettings("Vorlagen", "101");
    TEtikett read;
    ASSERT_TRUE(read.LoadFromSettings("Vorlagen", "101"));
    EXPECT_TRUE(read.IsSameGeometry(sheet));
    EXPECT_FALSE(read.LoadFromSettings("Vorlagen", "102"));
    ExpectDefaults(read);
}

TEST(Etikett, MalformedSettingsTextsGiveTheDefaults) {
    ScopedLocale english(QLocale::English);
    const char* texts[] = {
        "210,297,70,36,0,4.5,0,0,3,8,0,0,Name",                // 13 items
        "210,297,70,36,0,4.5,0,0,3,8,0,0,Name,3475,zuviel",    // 15 items
        "210,297,70,36,0,4.5,0,0,drei,8,0,0,Name,3475",        // columns not a number
        "210,297,70,36,0,4.5,0,0,2147483647,8,0,0,Name,3475",  // no sheet has so many columns
        "210,297,0,36,0,4.5,0,0,3,8,0,0,Name,3475",            // no label width
        "",
    };
    for (const char* text : texts) {
        TEtikett sheet;
        MakeAddressSheet(sheet);
        sheet.SetName("Vorher");
        EXPECT_FALSE(sheet.ApplySettingsText(text)) << text;
        ExpectDefaults(sheet);
    }
}

TEST(Etikett, AnyOrientationButZeroIsLandscape) {
    ScopedLocale english(QLocale::English);
    const struct {
        const char* orientation;
        uint8_t expected;
    } cases[] = {{"0", 0}, {"1", 1}, {"2", 1}, {"255", 1}};
    for (const auto& c : cases) {
        TEtikett sheet;
        ASSERT_TRUE(sheet.ApplySettingsText(std::string("210,297,70,36,0,4.5,0,0,3,8,") + c.orientation + ",0,Name,3475"));
        EXPECT_EQ(sheet.Orientation, c.expected) << c.orientation;
    }
}

TEST(Etikett, LabelsAreNumberedRowByRow) {
    struct Case {
        int32_t columns, n, column, row;
    } cases[] = {{3, 5, 1, 1}, {3, 1, 0, 0}, {3, 3, 2, 0}, {3, 4, 0, 1}, {1, 4, 0, 3}};
    for (const Case& c : cases) {
        TEtikett sheet;
        sheet.SetColumns(c.columns);
        int32_t column = -1, row = -1;
        sheet.GetLabelCell(c.n, column, row);
        EXPECT_EQ(column, c.column) << c.n;
        EXPECT_EQ(row, c.row) << c.n;
    }
    TEtikett sheet;
    MakeAddressSheet(sheet);
    sheet.SetGapX(2);
    const TFloatRect r = sheet.GetLabelRectMM(5);
    EXPECT_FLOAT_EQ(r.Left, 72);
    EXPECT_FLOAT_EQ(r.Top, 40.5f);
    EXPECT_FLOAT_EQ(r.Right, 142);
    EXPECT_FLOAT_EQ(r.Bottom, 76.5f);
}

TEST(Etikett, LandscapeSheetTransposesTheGrid) {
    TEtikett sheet;
    sheet.SetLabelWidth(100);
    sheet.SetLabelHeight(50);
    sheet.SetMarginLeft(10);
    sheet.SetMarginTop(20);
    sheet.SetGapX(5);
    sheet.SetColumns(2);
    sheet.SetOrientation(1);
    Recording rec;
    sheet.DrawSheet(rec.scale);
    ASSERT_FALSE(rec.Calls().empty());
    const gdi::RecordedCall& page = rec.Calls().front();
    ASSERT_EQ(page.op, gdi::RecordedCall::Op::Polygon);
    EXPECT_EQ(page.points[2], (gdi::Point{297, 210}));
    // Each cell's face is one path; its bounds are the cell.
    std::vector<gdi::Rect> cells;
    for (const gdi::RecordedCall& call : rec.Calls()) {
        if (call.op != gdi::RecordedCall::Op::Path || call.state.brush.style == gdi::BrushStyle::Null) continue;
        gdi::Rect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (const gdi::Point& p : call.path.points)
            box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x), std::max(box.bottom, p.y)};
        cells.push_back(box);
    }
    EXPECT_EQ(cells, (std::vector<gdi::Rect>{{20, 10, 70, 110}, {20, 115, 70, 215}}));
}

TEST(Etikett, DamagedBlocksAreRefusedWithoutChangingTheSheet) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* what;
        int32_t columns, rows;
        float width, height, gapX, pageWidth;
    } cases[] = {
        {"huge grid", 2147483647, 2147483647, 70, 36, 0, 210},
        {"more labels than a sheet holds", 1000, 11, 70, 36, 0, 210},
        {"no rows", 3, 0, 70, 36, 0, 210},
        {"negative columns", -3, 8, 70, 36, 0, 210},
        {"NaN width", 3, 8, nan, 36, 0, 210},
        {"NaN height", 3, 8, 70, nan, 0, 210},
        {"zero width", 3, 8, 0, 36, 0, 210},
        {"infinite gap", 3, 8, 70, 36, inf, 210},
        {"NaN page", 3, 8, 70, 36, 0, nan},
    };
    for (const Case& c : cases) {
        CurrentBlockValues v;
        v.name = "Kaputt";
        v.columns = c.columns;
        v.rows = c.rows;
        v.lengths[0] = c.width;
        v.lengths[1] = c.height;
        v.lengths[4] = c.gapX;
        v.pageWidth = c.pageWidth;
        Block b;
        WriteCurrentBlock(b, v);
        TEtikett sheet;
        MakeAddressSheet(sheet);
        EXPECT_THROW(sheet.LoadFromFiler(*b.Reader()), EInvalidSheet) << c.what;
        EXPECT_EQ(sheet.Name, "Standard") << c.what;
        EXPECT_EQ(sheet.Columns, 3) << c.what;
    }
    // A block that ends early fails where the read fails, the sheet untouched.
    Block b;
    WriteOlderBlock(b, "Alt", "RINGETI");
    b.stream.SetSize(b.stream.Size() - 3);
    TEtikett sheet;
    EXPECT_THROW(sheet.LoadFromFiler(*b.Reader()), EFilerReadError);
    ExpectDefaults(sheet);
}

TEST(Etikett, AnUnsoundGridDrawsOnlyThePage) {
    TEtikett sheet;
    sheet.Columns = INT32_MAX;
    sheet.Rows = INT32_MAX;
    Recording rec;
    sheet.DrawSheet(rec.scale);
    EXPECT_EQ(rec.Calls().size(), 1u);
    sheet.Columns = sheet.Rows = 1;
    sheet.LabelWidth = std::numeric_limits<float>::quiet_NaN();
    rec.canvas.Clear();
    sheet.DrawLabelFace(rec.scale, true);
    EXPECT_TRUE(rec.Calls().empty());
}

TEST(Etikett, NameFirstWordAndShapeKeyFromTheName) {
    TEtikett sheet;
    EXPECT_EQ(sheet.GetNameFirstWord(), "");
    sheet.SetName("Herma CD Etiketten");
    EXPECT_EQ(sheet.GetNameFirstWord(), "Herma");
    sheet.SetName("Mein Kreis 60 mm");
    sheet.SetArtikel("QN-2049");
    EXPECT_EQ(sheet.GetShapeKey(), "Kreis");
    EXPECT_EQ(sheet.Capabilities, 0);
}

TEST(Etikett, RingSheetRegionsRunFromTheTopOfTheTurnedView) {
    TEtikett sheet;
    sheet.SetArtikel("QN-2049");
    auto names = [&] {
        std::vector<std::string> n;
        for (int32_t i = 0; i < sheet.ZoomRegions.Count(); ++i) n.push_back(sheet.ZoomRegions.GetItem(i).Name.toStdString());
        return n;
    };
    const std::vector<std::string> expected{"Ring 1", "Ring 2", "Ring 3", "Etikett 1", "Etikett 2", "Etikett 3"};
    EXPECT_EQ(names(), expected);
    const TMMRgn& ring1 = sheet.ZoomRegions.GetItem(0);
    EXPECT_EQ(ring1.Kind, TMMRgn::kKindEllipse);
    EXPECT_EQ(ring1.Flags, 3);
    EXPECT_EQ(ring1.Grow, 2);
    EXPECT_EQ(ring1.Hole, 37);  // the hole its guides draw
    EXPECT_EQ(sheet.ZoomRegions.GetItem(3).Hole, 0);
    EXPECT_EQ((std::array{ring1.Left, ring1.Top, ring1.Right, ring1.Bottom}), (std::array{5.5f, 10.5f, 118.5f, 123.5f}));

    sheet.SetSheetTurned(1);
    EXPECT_EQ(names(), expected);
    // Ring 1 of the turned sheet is the old ring 3 turned about the page centre.
    const TMMRgn& turned1 = sheet.ZoomRegions.GetItem(0);
    EXPECT_EQ((std::array{turned1.Left, turned1.Top, turned1.Right, turned1.Bottom}),
              (std::array{91.5f, 10.5f, 204.5f, 123.5f}));
    const TMMRgn& label3 = sheet.ZoomRegions.GetItem(5);
    EXPECT_EQ((std::array{label3.Left, label3.Top, label3.Right, label3.Bottom}), (std::array{7.5f, 234.5f, 77.5f, 286.5f}));
}

TEST(Etikett, CatalogueProductsBecomeSheets) {
    // An address sheet keeps its grid and corner radius.
    const TStationeryProduct* address = FindStationeryProduct("Avery", "L7163");
    ASSERT_NE(address, nullptr);
    TEtikett sheet;
    AssignStationeryProduct(sheet, *address);
    EXPECT_EQ(sheet.Name, "Avery L7163");
    EXPECT_EQ(sheet.GetShapeKey(), "none");
    EXPECT_EQ(sheet.Columns, 2);
    EXPECT_EQ(sheet.Rows, 7);
    EXPECT_FLOAT_EQ(sheet.LabelWidth, 99.1f);
    EXPECT_FLOAT_EQ(sheet.CornerRadius, 1.76f);

    // A CD sheet is one page-sized label with a clip ring and a wizard ring per disc.
    const TStationeryProduct* cd = FindStationeryProduct("Herma", "4093");
    ASSERT_NE(cd, nullptr);
    AssignStationeryProduct(sheet, *cd);
    EXPECT_NE(sheet.GetShapeKey(), "none");
    EXPECT_EQ(sheet.Capabilities, 1);
    EXPECT_EQ(sheet.Columns * sheet.Rows, 1);
    EXPECT_EQ(sheet.LabelWidth, 210);
    ASSERT_EQ(sheet.ZoomRegions.Count(), 2);
    const TMMRgn& ring2 = sheet.ZoomRegions.GetItem(1);
    EXPECT_EQ(ring2.Name, QStringLiteral("Ring 2"));
    EXPECT_TRUE(ring2.IsClipRegion() && ring2.IsZoomRegion());
    EXPECT_EQ((std::array{ring2.Left, ring2.Top, ring2.Right, ring2.Bottom}), (std::array{47.0f, 164.5f, 163.0f, 280.5f}));
    EXPECT_EQ(ring2.Hole, 41);
    ASSERT_EQ(sheet.WizardData.Count(), 1);
    const TWizDlgData& ring = sheet.WizardData.GetItem(0);
    EXPECT_EQ(ring.Kind, TWizDlgData::kKindRing);
    EXPECT_EQ(ring.Caption, QStringLiteral("CD Label"));
    EXPECT_EQ(static_cast<const TWizDlgRingData&>(ring).HoleDiameter, 41);
    ASSERT_EQ(ring.Positions.size(), 2u);
    EXPECT_EQ(ring.Positions[1].Y, 164.5f);

    // An inlay sheet offers the inlay card with its spines and the front as zoom targets.
    const TStationeryProduct* inlay = FindStationeryProduct("Hama", "50432-2");
    ASSERT_NE(inlay, nullptr);
    AssignStationeryProduct(sheet, *inlay);
    EXPECT_EQ(sheet.Capabilities, 1);
    EXPECT_FALSE(sheet.ZoomRegions.HasClipRegion());
    EXPECT_TRUE(sheet.ZoomRegions.HasZoomRegion());
    ASSERT_GE(sheet.WizardData.Count(), 1);
    const auto& card = static_cast<const TWizDlgInlaycardData&>(sheet.WizardData.GetItem(0));
    EXPECT_EQ(card.Kind, TWizDlgData::kKindInlaycard);
    EXPECT_EQ(card.SpineWidth, 6.5f);
}
