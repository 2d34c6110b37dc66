// Printer support on a fake printer: the paper lookup, page sizes of the
// user's own with their one fallback, the physical page and its cache, the
// driver reset, the printer's identity.
#include "PrintingTesting.h"

#include "foundation/Debug.h"
#include "foundation/MyMemIniFile.h"
#include "printing/PrinterSupport.h"

#include <QtCore/QFile>

using gdi::PageOrientation;
using gdi::PaperInfo;
using gdi::test::FakePrinter;

TEST(PrinterSupport, FindPaperAllowsLessThanTwoMillimetres) {
    TPrinterSupport support;
    EXPECT_EQ(support.FindPaper(2100, 2970), -1);  // no list yet
    WithFakePrinter fake;
    support.RefreshPaperList();
    ASSERT_EQ(support.Papers().size(), 3u);
    const struct {
        int32_t w, h, index;
    } cases[] = {
        {2100, 2970, 0}, {2119, 2970, 0}, {2120, 2970, -1}, {2081, 2951, 0}, {2080, 2970, -1},
        {2100, 2989, 0}, {2100, 2990, -1}, {2159, 2794, 1}, {1480, 2100, 2}, {2970, 2100, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(support.FindPaper(c.w, c.h), c.index) << c.w << " x " << c.h;
}

TEST_F(PrintingTest, UserPaperSizeTakesTheDriversPaperOrAFormOfItsOwn) {
    const struct {
        float w, h;
        const char* key;   // the driver's paper chosen; empty: a form of the user's own
        const char* name;  // the name of that form
    } cases[] = {
        {210, 297, "A4", ""},
        {211.9f, 297, "A4", ""},
        {212, 297, "", "BP 212,00 x 297,00"},
        {100, 60, "", "BP 100,00 x 60,00"},
        {215.9f, 279.4f, "Letter", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.w);
        fake().SelectPaper(FakePrinter::StandardPapers()[2]);
        EXPECT_TRUE(PrinterSupport().SetUserPaperSize(c.w, c.h));
        const PaperInfo paper = fake().CurrentPaper();
        EXPECT_EQ(paper.key, c.key);
        if (*c.key) continue;
        EXPECT_EQ(paper.name, c.name);
        EXPECT_EQ(paper.width, static_cast<int32_t>(std::lround(c.w * 10)));
        EXPECT_EQ(paper.height, static_cast<int32_t>(std::lround(c.h * 10)));
    }
}

TEST_F(PrintingTest, UserPaperSizeFallsBackToA4OnceAndReportsFailure) {
    QStringList trace;
    Debug().SetSink([&](const QString& line) { trace << line; });
    fake().SetTakesCustomSizes(false);
    const struct {
        std::vector<PaperInfo> papers;
        float w, h;
        const char* key;  // the paper afterwards
        int32_t customRequests;
    } cases[] = {
        // A4 is there: it becomes the page, but the asked size was not set.
        {FakePrinter::StandardPapers(), 100, 60, "A4", 1},
        // Neither the size nor A4: one try each, then it gives up.
        {{{"Letter", 2159, 2794, 1, "Letter"}}, 100, 60, "Letter", 2},
        // A4 itself fails: no second try of the same.
        {{{"Letter", 2159, 2794, 1, "Letter"}}, 210, 297, "Letter", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.w);
        fake().SetPapers(c.papers);
        fake().SelectPaper(c.papers.front());
        const int32_t before = fake().CustomPaperRequests();
        trace.clear();
        EXPECT_FALSE(PrinterSupport().SetUserPaperSize(c.w, c.h));
        EXPECT_EQ(fake().CurrentPaper().key, c.key);
        EXPECT_EQ(fake().CustomPaperRequests() - before, c.customRequests);
        EXPECT_FALSE(trace.isEmpty());
    }
    Debug().SetSink({});
}

TEST_F(PrintingTest, PhysicalPageOfA600By300DpiPrinterInPixelsAndMillimetres) {
    WithFakePrinter fake300(FakePrinter::A4Caps(600, 300, 5));
    TPrinterBorders b;
    PrinterSupport().GetPhysicalPage(b);
    EXPECT_EQ(b.Width, 4961);
    EXPECT_EQ(b.Height, 3508);
    EXPECT_EQ(b.Left, 118);
    EXPECT_EQ(b.Top, 59);
    EXPECT_EQ(b.Right, 118);
    EXPECT_EQ(b.Bottom, 59);
    // Each axis by its own resolution.
    EXPECT_FLOAT_EQ(b.WidthMM, 4961 / 600.0 * 25.4);
    EXPECT_FLOAT_EQ(b.HeightMM, 3508 / 300.0 * 25.4);
    EXPECT_NEAR(b.LeftMM, 118 / 600.0 * 25.4, 1e-4);
    EXPECT_NEAR(b.TopMM, 59 / 300.0 * 25.4, 1e-4);
    EXPECT_NEAR(b.BottomMM, b.TopMM, 1e-6);
}

TEST_F(PrintingTest, BorderCacheIsKeyedByPrinterPaperAndOrientation) {
    fake().SetOrientation(PageOrientation::Landscape);
    const int32_t turns = fake().OrientationChanges();

    // Measured in portrait: the printer is turned for it and back.
    TPrinterBorders portrait;
    PrinterSupport().GetPhysicalPage(portrait);
    EXPECT_EQ(fake().OrientationChanges(), turns + 2);
    EXPECT_EQ(fake().Orientation(), PageOrientation::Landscape);
    EXPECT_EQ(portrait.Width, 4961);
    EXPECT_EQ(portrait.Height, 14031);

    // The second time comes from the file: the printer is not touched.
    TMyMemIniFile ini;
    ini.LoadFromFile(BordersFile().toStdString());
    const QString section = TPrinterSupport::BordersSection("Fake", FakePrinter::StandardPapers()[0], PageOrientation::Portrait);
    ASSERT_TRUE(ini.SectionExists(section));
    ini.WriteInteger(section, QStringLiteral("Left"), 7);
    ini.SaveToFileUnicode(BordersFile().toStdString());
    TPrinterBorders cached;
    PrinterSupport().GetPhysicalPage(cached);
    EXPECT_EQ(fake().OrientationChanges(), turns + 2);
    EXPECT_EQ(cached.Left, 7);

    // The landscape page of the same paper is an entry of its own.
    TPrinterBorders landscape;
    PrinterSupport().GetPhysicalPage(landscape, PageOrientation::Landscape);
    EXPECT_EQ(fake().OrientationChanges(), turns + 2);
    EXPECT_EQ(landscape.Width, 14031);
    EXPECT_EQ(landscape.Left, 189);

    // Another paper, another entry.
    fake().SelectPaper(FakePrinter::StandardPapers()[2]);
    TPrinterBorders a5;
    PrinterSupport().GetPhysicalPage(a5);
    EXPECT_EQ(a5.Width, 3496);
    EXPECT_EQ(a5.Left, 94);

    // Another printer with the same paper: its own entry as well.
    WithFakePrinter other(FakePrinter::A4Caps(300, 300, 4), "Other");
    TPrinterBorders otherPage;
    PrinterSupport().GetPhysicalPage(otherPage);
    EXPECT_EQ(otherPage.Width, 2480);
    ini.LoadFromFile(BordersFile().toStdString());
    EXPECT_EQ(ini.ReadSections().size(), 4);
}

TEST(PrinterSupport, DamagedCacheEntriesAreMeasuredAgain) {
    const struct {
        const char* lines;
        bool valid;
    } cases[] = {
        {"Width=4961\nHeight=7016\nLeft=94\nTop=94\nRight=94\nBottom=94\nDpiX=600\nDpiY=600", true},
        {"Width=4961\nHeight=7016\nLeft=94\nTop=94\nRight=94\nBottom=94", false},  // no resolution
        {"Width=-1\nHeight=7016\nLeft=94\nTop=94\nRight=94\nBottom=94\nDpiX=600\nDpiY=600", false},
        {"Width=4961\nHeight=7016\nLeft=3000\nTop=94\nRight=3000\nBottom=94\nDpiX=600\nDpiY=600", false},
        {"Width=4961\nHeight=7016\nLeft=94\nTop=94\nRight=94\nBottom=-5\nDpiX=600\nDpiY=600", false},
        {"Width=4961\nHeight=7016\nLeft=94\nTop=94\nRight=94\nBottom=94\nDpiX=0\nDpiY=600", false},
        {"Width=2147483647\nHeight=7016\nLeft=94\nTop=94\nRight=94\nBottom=94\nDpiX=600\nDpiY=600", false},
        {"Width=abc\nHeight=7016\nLeft=94\nTop=94\nRight=94\nBottom=94\nDpiX=600\nDpiY=600", false},
    };
    for (const auto& c : cases) {
        TMyMemIniFile ini;
        ini.AddLines(QStringList{QStringLiteral("[P]")} + QString::fromLatin1(c.lines).split(QLatin1Char('\n')));
        TPrinterBorders b;
        EXPECT_EQ(TPrinterSupport::ReadCachedBorders(ini, QStringLiteral("P"), b), c.valid) << c.lines;
        if (c.valid) {
            EXPECT_NEAR(b.LeftMM, 3.98, 0.01);
        }
    }
}

TEST_F(PrintingTest, DriverResetKeepsOrientationAndPaper) {
    const struct {
        bool custom;
    } cases[] = {{false}, {true}};
    for (const auto& c : cases) {
        if (c.custom) {
            ASSERT_TRUE(PrinterSupport().SetUserPaperSize(100, 60));
        } else {
            fake().SelectPaper(FakePrinter::StandardPapers()[1]);
        }
        const PaperInfo paper = fake().CurrentPaper();
        fake().SetOrientation(PageOrientation::Landscape);
        fake().SetCopies(5);
        fake().SetColor(false);
        PrinterSupport().ResetDeviceMode();
        EXPECT_EQ(fake().CurrentPaper(), paper);
        EXPECT_EQ(fake().Orientation(), PageOrientation::Landscape);
        EXPECT_EQ(fake().Copies(), 1);
        EXPECT_TRUE(PrinterSupportsColor());
        fake().SetOrientation(PageOrientation::Portrait);
    }
}

TEST_F(PrintingTest, IdentityNamesTheSettingsSectionAndTheStatusLine) {
    gdi::PrinterIdentity& identity = fake().MutableIdentity();
    const struct {
        bool isDefault;
        uint32_t status;
        const char* line;
    } cases[] = {
        {true, 0, "Standarddrucker; Bereit"},
        {false, 0, "Bereit"},
        {true, gdi::PrinterIdentity::kStatusBusy, "Standarddrucker; Der Drucker ist beschäftigt bzw nicht bereit. (400)."},
        {false, gdi::PrinterIdentity::kStatusError, "Der Drucker ist beschäftigt bzw nicht bereit. (2)."},
    };
    for (const auto& c : cases) {
        identity.isDefault = c.isDefault;
        identity.status = c.status;
        TPrinterInfo info;
        PrinterSupport().GetPrinterInfo(info);
        EXPECT_EQ(info.Status, QString::fromUtf8(c.line));
        EXPECT_EQ(info.DriverName, QStringLiteral("Fake Driver"));
        EXPECT_EQ(info.PortName, QStringLiteral("fake:/"));
    }

    const struct {
        const char* device;
        const char* settings;
    } names[] = {{R"(\\server\Laser)", R"(server\Laser)"}, {"Laser", "Laser"}, {R"(a\\b\c)", R"(ab\c)"}};
    for (const auto& n : names) {
        WithFakePrinter named(FakePrinter::A4Caps(), n.device);
        EXPECT_EQ(PrinterSupport().GetSettingsPrinterName(), n.settings);
    }
}
