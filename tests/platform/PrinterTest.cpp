// The printers: the PDF printer's pages and the list of printers.

#include "platform/printer/Printer.h"

#include "support/PdfPage.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

namespace gdi {
namespace {

TEST(Printer, PdfPrinterIsAlwaysThereAndLast) {
    const std::vector<PrinterInfo> printers = AvailablePrinters();
    ASSERT_FALSE(printers.empty());
    EXPECT_EQ(printers.back().name, PdfPrinterName());
    EXPECT_EQ(PdfPrinterName(), "PDF");
    EXPECT_TRUE(printers.back().isPdf);
    EXPECT_FALSE(SelectPrinter("No such printer"));
    EXPECT_TRUE(SelectPrinter("PDF"));
    EXPECT_EQ(CurrentPrinter().Name(), "PDF");
}

TEST(Printer, PdfPageIsA4At600DpiWithPixelExactFills) {
    ASSERT_TRUE(SelectPrinter(PdfPrinterName()));
    Printer& printer = CurrentPrinter();
    const DeviceCaps caps = printer.Caps();
    EXPECT_EQ(caps.logPixelsX, 600);
    EXPECT_EQ(caps.logPixelsY, 600);
    EXPECT_EQ(caps.physicalWidth, 4961);
    EXPECT_EQ(caps.physicalHeight, 7016);
    EXPECT_EQ(caps.physicalOffsetX, 118);
    EXPECT_EQ(caps.physicalOffsetY, 118);
    EXPECT_EQ(caps.horzRes, 4724);  // 200 mm
    EXPECT_EQ(caps.vertRes, 6780);  // 287 mm
    EXPECT_EQ(caps.horzSizeMM, 200);
    EXPECT_EQ(printer.Orientation(), PageOrientation::Portrait);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath("page.pdf");
    EXPECT_FALSE(printer.BeginDoc("no file yet"));
    printer.SetOutputFile(pdf.toStdString());
    ASSERT_TRUE(printer.BeginDoc("Test"));
    Canvas& canvas = printer.GetCanvas();
    EXPECT_TRUE(canvas.IsPrinter());
    EXPECT_EQ(canvas.Caps().logPixelsX, 600);
    canvas.FillRect({100, 100, 1100, 600}, SolidBrush(Rgb(0, 0, 0)));
    ASSERT_TRUE(printer.EndDoc());
    EXPECT_FALSE(printer.Printing());

    const auto [width, height] = ::test::PdfMediaBox(pdf);
    EXPECT_NEAR(width, 595.28, 0.5);  // 210 mm in points
    EXPECT_NEAR(height, 841.89, 0.5);  // 297 mm

    if (!::test::HavePdfRenderer()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const ::test::GrayPage page = ::test::RenderPdf(pdf, 600, 0, 0, 1400, 900);
    ASSERT_EQ(page.width, 1400);
    const auto dark = page.DarkBounds();
    ASSERT_TRUE(dark);
    EXPECT_EQ(dark->right - dark->left + 1, 1000);
    EXPECT_EQ(dark->bottom - dark->top + 1, 500);
    EXPECT_NEAR(dark->left, 118 + 100, 1);
    EXPECT_NEAR(dark->top, 118 + 100, 1);
}

TEST(Printer, AbortedPdfJobLeavesNoFile) {
    ASSERT_TRUE(SelectPrinter(PdfPrinterName()));
    Printer& printer = CurrentPrinter();
    printer.SetOrientation(PageOrientation::Landscape);
    EXPECT_GT(printer.Caps().physicalWidth, printer.Caps().physicalHeight);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("aborted.pdf");
    printer.SetOutputFile(pdf.toStdString());
    ASSERT_TRUE(printer.BeginDoc("Abort"));
    Canvas& jobCanvas = printer.GetCanvas();
    jobCanvas.Rectangle(0, 0, 100, 100);
    printer.Abort();
    EXPECT_FALSE(printer.Printing());
    EXPECT_TRUE(printer.Aborted());
    EXPECT_FALSE(QFile::exists(pdf));
    // Whoever still holds the job's canvas may go on drawing: nothing happens.
    EXPECT_EQ(&printer.GetCanvas(), &jobCanvas);
    jobCanvas.Rectangle(0, 0, 100, 100);
    ASSERT_TRUE(printer.BeginDoc("Again"));
    EXPECT_FALSE(printer.Aborted());
    printer.Abort();
    // Outside a job the canvas still measures, for the printer's resolution.
    EXPECT_EQ(printer.GetCanvas().Caps().logPixelsX, 600);
    EXPECT_GT(printer.GetCanvas().TextExtent(u"x").cx, 0);
}

TEST(Printer, PdfPrinterTakesPicturesAtTheirOwnSize) {
    ASSERT_TRUE(SelectPrinter(PdfPrinterName()));
    Printer& printer = CurrentPrinter();
    QTemporaryDir dir;
    const QString pdf = dir.filePath("picture.pdf");
    printer.SetOutputFile(pdf.toStdString());
    ASSERT_TRUE(printer.BeginDoc("Picture"));
    // A 2 x 2 checker, black top-left and bottom-right, stretched to 1000 pixels square.
    Bitmap checker(2, 2);
    checker.SetPixel(0, 0, Rgb(0, 0, 0));
    checker.SetPixel(1, 1, Rgb(0, 0, 0));
    printer.GetCanvas().StretchBlt({100, 100, 1100, 1100}, checker, {0, 0, 2, 2});
    ASSERT_TRUE(printer.EndDoc());

    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.contains("/Width 2") && content.contains("/Height 2"));  // not 1000 x 1000

    if (!::test::HavePdfRenderer()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const int o = 118;  // the printable area's origin on the page
    const ::test::GrayPage page = ::test::RenderPdf(pdf, 600, o, o, 1200, 1200);
    ASSERT_EQ(page.width, 1200);
    // The renderer scales the picture by its own rounding: a few pixels from its edges.
    const struct {
        int x, y;
        bool dark;
    } points[] = {{104, 104, true}, {595, 595, true}, {605, 595, false}, {605, 605, true}, {1095, 1095, true},
                  {1095, 104, false}, {95, 300, false}, {1105, 900, false}, {300, 95, false}};
    for (const auto& p : points) EXPECT_EQ(page.At(p.x, p.y) < 128, p.dark) << p.x << ", " << p.y;
}

const PaperInfo* FindKey(const std::vector<PaperInfo>& papers, const std::string& key) {
    for (const PaperInfo& p : papers)
        if (p.key == key) return &p;
    return nullptr;
}

TEST(Printer, PdfPrinterOffersCommonPapersAndTakesSizesOfItsOwn) {
    ASSERT_TRUE(SelectPrinter(PdfPrinterName()));
    Printer& printer = CurrentPrinter();
    const std::vector<PaperInfo> papers = printer.Papers();
    const PaperInfo* a4 = FindKey(papers, "A4");
    const PaperInfo* letter = FindKey(papers, "Letter");
    ASSERT_TRUE(a4 && letter);
    EXPECT_EQ(a4->width, 2100);
    EXPECT_EQ(a4->height, 2970);
    EXPECT_EQ(letter->width, 2159);
    EXPECT_EQ(letter->height, 2794);
    EXPECT_EQ(printer.MaxCopies(), 1);  // a PDF file holds every copy the program sends
    EXPECT_EQ(printer.LandscapeRotation(), 90);

    ASSERT_TRUE(printer.SelectPaper(*letter));
    EXPECT_EQ(printer.CurrentPaper().key, "Letter");
    EXPECT_EQ(printer.Caps().physicalWidth, 5100);  // 8.5 inches at 600 dpi

    ASSERT_TRUE(printer.SetCustomPaper("BP 100,00 x 60,00", 100, 60));
    const PaperInfo custom = printer.CurrentPaper();
    EXPECT_EQ(custom.name, "BP 100,00 x 60,00");
    EXPECT_EQ(custom.width, 1000);
    EXPECT_EQ(custom.height, 600);
    EXPECT_EQ(custom.code, 0);
    EXPECT_EQ(printer.Caps().physicalHeight, 1417);
    EXPECT_FALSE(printer.SetCustomPaper("none", 0, 60));

    // The settings as a whole go back as they were.
    const PrinterSettings kept = printer.Settings();
    printer.SelectPaper(*a4);
    printer.SetOrientation(PageOrientation::Landscape);
    printer.SetCopies(3);
    printer.SetColor(false);
    EXPECT_NE(printer.Settings(), kept);
    printer.ApplySettings(kept);
    EXPECT_EQ(printer.Settings(), kept);

    printer.ResetToDefaults();
    EXPECT_EQ(printer.CurrentPaper().key, "A4");
    EXPECT_EQ(printer.Orientation(), PageOrientation::Portrait);
    EXPECT_EQ(printer.Copies(), 1);
    EXPECT_TRUE(printer.Color());
}

}  // namespace
}  // namespace gdi
