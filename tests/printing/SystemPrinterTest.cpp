// The system-printer path end to end: pages printed through a CUPS queue that
// writes each job as a PDF file. scripts/test starts such a queue on a private
// print server (scripts/cups-test-server) and names it in ZORBIT_CUPS_QUEUE,
// its output folder in ZORBIT_CUPS_PDF_DIR; without them the test skips.
#include "PrintingTesting.h"

#include "foundation/ScaleCanvas.h"
#include "CupsQueue.h"
#include "support/PdfPage.h"

#include <QtCore/QDateTime>

namespace {

using test::kPointsPerMM;

// Black squares of 5 mm at the given places (mm from the paper's top-left corner).
void PrintMarks(const std::vector<std::pair<float, float>>& marks) {
    gdi::Printer& printer = gdi::CurrentPrinter();
    ASSERT_TRUE(printer.BeginDoc("Zorbit Testseite"));
    TScaleCanvas canvas(&printer.GetCanvas());
    canvas.Reset(kResetPrinter);
    canvas.Pen().style = gdi::PenStyle::Null;
    canvas.Brush() = gdi::SolidBrush(gdi::Rgb(0, 0, 0));
    for (const auto& [x, y] : marks) canvas.FillRect(x, y, x + 5, y + 5);
    ASSERT_TRUE(printer.EndDoc());
}

void ExpectMarks(const QString& pdf, const std::vector<std::pair<float, float>>& marks) {
    for (const auto& [x, y] : marks) {
        SCOPED_TRACE(testing::Message() << "mark at " << x << ", " << y);
        // A window of 5 mm around the mark.
        test::ExpectDarkBox(pdf, 1, x, y, 5, 5, 5, 15, 15);
    }
}

}  // namespace

TEST_F(PrintingTest, PagesPrintedThroughACupsQueueArriveWithTheirSizeAndMarks) {
    const std::optional<test::Queue> queue = test::TestQueue();
    if (!queue) GTEST_SKIP() << "no print queue for tests: scripts/test starts one with scripts/cups-test-server";
    if (!gdi::SelectPrinter(queue->name)) GTEST_SKIP() << "the print queue " << queue->name << " is not there";
    if (!test::HavePdfRenderer()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    EXPECT_GT(PrinterSupport().GetMaxCopies(), 1);
    TPrinterInfo info;
    PrinterSupport().GetPrinterInfo(info);
    EXPECT_EQ(info.PrinterName.toStdString(), queue->name);
    EXPECT_FALSE(info.DriverName.isEmpty());
    EXPECT_EQ(info.Status, QStringLiteral("Bereit"));
    // Smaller than the driver takes: A4 instead, and the caller hears of it.
    EXPECT_FALSE(PrinterSupport().SetUserPaperSize(10, 10));
    EXPECT_EQ(gdi::CurrentPrinter().CurrentPaper().key, "A4");

    const struct {
        float width, height;
        bool driversPaper;
        std::vector<std::pair<float, float>> marks;
    } pages[] = {
        {210, 297, true, {{20, 20}, {150, 40}, {60, 250}}},
        {100, 60, false, {{10, 10}, {80, 40}}},
    };
    for (const auto& p : pages) {
        SCOPED_TRACE(p.width);
        ASSERT_TRUE(PrinterSupport().SetUserPaperSize(p.width, p.height));
        EXPECT_EQ(gdi::CurrentPrinter().CurrentPaper().code != 0, p.driversPaper);
        const std::set<QString> before = test::PdfFiles(queue->output);
        PrintMarks(p.marks);
        const QString pdf = test::AwaitNewPdf(queue->output, before);
        ASSERT_FALSE(pdf.isEmpty()) << "the queue wrote no PDF into " << queue->output.path().toStdString();
        const auto [width, height] = test::PdfMediaBox(pdf);
        EXPECT_NEAR(width, p.width * kPointsPerMM, 1.5);
        EXPECT_NEAR(height, p.height * kPointsPerMM, 1.5);
        ExpectMarks(pdf, p.marks);
    }
}
