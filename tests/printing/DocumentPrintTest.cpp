// A document of two designs on a 3 x 7 address sheet of the catalogue,
// printed through the engine with four labels missing on the first sheet and
// a print offset: to the PDF printer, and through the tests' print queue of
// the system (skipped without it). The PDFs are measured: page size, and a
// black mark at each label's corner where the label lies on the paper.
#include "CupsQueue.h"
#include "EnginePrintingTesting.h"

#include "document/Stationery.h"
#include "printing/LabelPlacement.h"
#include "support/PdfPage.h"

#include <QtCore/QFile>

namespace {

using test::kPointsPerMM;
using test::kRenderDpi;
using test::Pixels;

constexpr double kOffsetX = 1.5, kOffsetY = -1;
constexpr double kMarkAt = 3;  // mm into the label

// The mark of design 0 is 4 x 4 mm, that of design 1 is 8 x 3 mm.
struct Mark {
    double w, h;
};
constexpr Mark kMarks[] = {{4, 4}, {8, 3}};

// (page, position, design) of every label: 10 of each design, kept together,
// starting at position 5.
struct Expected {
    int page, position, design;
};
std::vector<Expected> ExpectedLabels() {
    std::vector<Expected> labels;
    int page = 1, position = 4;
    for (int design : {0, 1})
        for (int k = 0; k < 10; ++k) {
            if (++position > 21) {
                position = 1;
                ++page;
            }
            labels.push_back({page, position, design});
        }
    return labels;
}

class DocumentPrint : public EnginePrinting {
protected:
    void SetUp() override {
        EnginePrinting::SetUp();
        const TStationeryProduct* product = FindStationeryProduct("Avery", "L7160");
        ASSERT_NE(product, nullptr);
        AssignStationeryProduct(doc.sheet, *product);
        ASSERT_EQ(doc.sheet.Columns * doc.sheet.Rows, 21);
        doc.AddStandardFigures();
        for (int d : {0, 1}) {
            auto mark = printtest::Box<TRechteck>(kMarkAt + kMarks[d].w / 2, kMarkAt + kMarks[d].h / 2, kMarks[d].w,
                                                  kMarks[d].h);
            mark->SetFillColor(gdi::Rgb(0, 0, 0));
            mark->SetPenColor(kNoColor);
            doc.design(d).Add(std::move(mark));
        }
        doc.log.page = nullptr;
        StoreOffsets(kOffsetX, kOffsetY);
        ui.sheet = [](TSheetPrintOptions& o) {
            o.LabelsPerDesign = 10;
            o.KeepTogether = true;
            o.Mask = "0000" + std::string(1020, '1');
            return true;
        };
    }

    // Every label's mark at its place; nothing where the missing labels are.
    void ExpectLabelsIn(const QString& pdf) {
        ASSERT_TRUE(test::HavePdfRenderer());
        const auto [width, height] = test::PdfMediaBox(pdf);
        EXPECT_NEAR(width, 210 * kPointsPerMM, 1.5);
        EXPECT_NEAR(height, 297 * kPointsPerMM, 1.5);
        EXPECT_EQ(test::PdfPageCount(pdf), 2);
        if (const char* folder = std::getenv("ZORBIT_SCREENSHOTS"))
            QFile::copy(pdf, QDir(QString::fromLocal8Bit(folder)).filePath(QFileInfo(pdf).fileName()));
        for (const Expected& e : ExpectedLabels()) {
            SCOPED_TRACE(testing::Message() << "page " << e.page << ", position " << e.position);
            const TLabelPlace place = LabelPlaceOf(doc.sheet, e.position);
            const double x = kOffsetX + place.OriginX + kMarkAt, y = kOffsetY + place.OriginY + kMarkAt;
            ExpectMark(pdf, e.page, x, y, kMarks[e.design]);
        }
        for (int position = 1; position <= 4; ++position) {
            const TLabelPlace place = LabelPlaceOf(doc.sheet, position);
            const test::GrayPage window = test::RenderPdf(pdf, kRenderDpi, Pixels(place.OriginX), Pixels(place.OriginY),
                                                          Pixels(20), Pixels(20), 1);
            EXPECT_FALSE(window.DarkBounds()) << "a mark on the missing label " << position;
        }
    }

    static void ExpectMark(const QString& pdf, int page, double x, double y, Mark mark) {
        // A window around the mark's corner (the mark is all of it that is dark).
        test::ExpectDarkBox(pdf, page, x, y, mark.w, mark.h, 2, 12, 9);
    }
};

}  // namespace

TEST_F(DocumentPrint, TwoDesignsOnAnAddressSheetThroughThePdfPrinter) {
    if (!test::HavePdfRenderer()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    ASSERT_TRUE(gdi::SelectPrinter(gdi::PdfPrinterName()));
    ui.pdfFile = TempPath(QStringLiteral("Adressen.pdf"));
    Print();
    ASSERT_EQ(doc.log.labels.size(), 20u);
    ExpectLabelsIn(ui.pdfFile);
}

TEST_F(DocumentPrint, TwoDesignsOnAnAddressSheetThroughTheSystemsPrintQueue) {
    const std::optional<test::Queue> queue = test::TestQueue();
    if (!queue) GTEST_SKIP() << "no print queue for tests: scripts/test starts one with scripts/cups-test-server";
    if (!gdi::SelectPrinter(queue->name)) GTEST_SKIP() << "the print queue " << queue->name << " is not there";
    if (!test::HavePdfRenderer()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const std::set<QString> before = test::PdfFiles(queue->output);
    Print();
    ASSERT_EQ(doc.log.labels.size(), 20u);
    const QString pdf = test::AwaitNewPdf(queue->output, before);
    ASSERT_FALSE(pdf.isEmpty()) << "the queue wrote no PDF into " << queue->output.path().toStdString();
    ExpectLabelsIn(pdf);
}
