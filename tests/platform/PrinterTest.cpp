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

    const auto [width, height] = test::PdfMediaBox(pdf);
    EXPECT_NEAR(width, 595.28, 0.5);  // 210 mm in points
    EXPECT_NEAR(height, 841.89, 0.5);  // 297 mm

    if (!test::HavePdfRenderer()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const test::GrayPage page = test::RenderPdf(pdf, 600, 0, 0, 1400, 900);
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
    printer.GetCanvas().Rectangle(0, 0, 100, 100);
    printer.Abort();
    EXPECT_FALSE(printer.Printing());
    EXPECT_FALSE(QFile::exists(pdf));
    // Outside a job the canvas still measures, for the printer's resolution.
    EXPECT_EQ(printer.GetCanvas().Caps().logPixelsX, 600);
    EXPECT_GT(printer.GetCanvas().TextExtent(u"x").cx, 0);
}

}  // namespace
}  // namespace gdi
