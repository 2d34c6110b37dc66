// The printers: the PDF printer's pages and the list of printers.

#include "platform/printer/Printer.h"

#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

namespace gdi {
namespace {

struct Gray {
    int width = 0, height = 0;
    QByteArray pixels;
    uint8_t At(int x, int y) const { return static_cast<uint8_t>(pixels[y * width + x]); }
};

// A binary portable graymap as pdftoppm writes it.
Gray ReadPgm(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = file.readAll();
    const QList<QByteArray> header = data.left(64).simplified().split(' ');
    if (header.size() < 4 || header[0] != "P5") return {};
    Gray g;
    g.width = header[1].toInt();
    g.height = header[2].toInt();
    // The pixels follow the single white-space character after the maximum value.
    g.pixels = data.right(static_cast<qsizetype>(g.width) * g.height);
    return g;
}

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

    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString content = QString::fromLatin1(file.readAll());
    const QRegularExpressionMatch box =
        QRegularExpression(R"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+)\s*\])").match(content);
    ASSERT_TRUE(box.hasMatch());
    EXPECT_NEAR(box.captured(1).toDouble(), 595.28, 0.5);  // 210 mm in points
    EXPECT_NEAR(box.captured(2).toDouble(), 841.89, 0.5);  // 297 mm

    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    QProcess render;
    render.start(pdftoppm, {"-r", "600", "-gray", "-aa", "no", "-aaVector", "no", "-x", "0", "-y", "0", "-W", "1400",
                            "-H", "900", "-singlefile", pdf, dir.filePath("page")});
    ASSERT_TRUE(render.waitForFinished(60000));
    const Gray page = ReadPgm(dir.filePath("page.pgm"));
    ASSERT_EQ(page.width, 1400);
    int left = page.width, top = page.height, right = -1, bottom = -1;
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < page.width; ++x) {
            if (page.At(x, y) >= 128) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    EXPECT_EQ(right - left + 1, 1000);
    EXPECT_EQ(bottom - top + 1, 500);
    EXPECT_NEAR(left, 118 + 100, 1);
    EXPECT_NEAR(top, 118 + 100, 1);
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
