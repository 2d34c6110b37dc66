// The preview window: paging, the zoom steps and their limits, fitting on
// resize, a page that cannot be loaded, and serial-print pages shown in it.
#include "EnginePrintingTesting.h"

#include "foundation/Rounding.h"
#include "printing/DatasetPreview.h"
#include "printing/widgets/PrintPreviewDlg.h"
#include "support/FormTexts.h"

#include <QtCore/QFile>
#include <QtGui/QImage>
#include <QtWidgets/QLabel>

namespace {

class PrintPreview : public EnginePrinting {
protected:
    // A raster page of the given size.
    QString Page(const char* name, int w, int h) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QString file = TempPath(QString::fromLatin1(name));
        EXPECT_TRUE(image.save(file));
        return file;
    }
};

}  // namespace

TEST_F(PrintPreview, ZoomStepsByATenthBetweenATenthAndFourTimesThePicture) {
    TPrintPreviewDlg preview;
    preview.SetFiles({Page("a.png", 100, 141)});
    preview.ShowPage(0);
    preview.Btn1zu1Click();
    EXPECT_EQ(preview.ImageSize(), QSize(100, 141));
    int presses = 0;
    int width = 100;
    while (preview.ImageSize().width() < 400 && presses < 30) {
        preview.BtnZoomInClick();
        ++presses;
        width = Round(std::min(400.0L, width * 1.1L));
        EXPECT_EQ(preview.ImageSize().width(), width);
        EXPECT_EQ(preview.ImageSize().height(), MulDiv(width, 141, 100));
    }
    EXPECT_EQ(presses, 15);
    preview.BtnZoomInClick();
    EXPECT_EQ(preview.ImageSize().width(), 400);
    for (int i = 0; i < 40; ++i) preview.BtnZoomOutClick();
    EXPECT_EQ(preview.ImageSize(), QSize(10, 14));
    EXPECT_EQ(preview.FitMode(), TPrintPreviewDlg::Fit::None);
}

TEST_F(PrintPreview, PagesTurnAndAPageThatCannotBeLoadedStillCounts) {
    QFile broken(TempPath(QStringLiteral("broken.emf")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a metafile");
    broken.close();
    TPrintPreviewDlg preview;
    preview.SetFiles({Page("a.png", 200, 300), broken.fileName()});
    preview.resize(700, 600);
    preview.show();
    EXPECT_EQ(preview.Page(), 0);
    EXPECT_EQ(preview.FitMode(), TPrintPreviewDlg::Fit::WholePage);
    const QSize shown = preview.ImageSize();
    Key(&preview, Qt::Key_PageDown);
    EXPECT_EQ(preview.Page(), 1);
    EXPECT_EQ(preview.PictureSize(), QSize(1, 1));
    EXPECT_EQ(preview.PageNumberText(), QStringLiteral("2/2"));
    EXPECT_EQ(preview.ImageSize(), shown);  // a new page keeps the displayed size
    preview.BtnNextClick();
    EXPECT_EQ(preview.Page(), 1);
    Key(&preview, Qt::Key_PageUp);
    EXPECT_EQ(preview.PageNumberText(), QStringLiteral("1/2"));
}

TEST_F(PrintPreview, ResizingRefitsTheWidthAndTheWholePage) {
    TPrintPreviewDlg preview;
    preview.SetFiles({Page("a.png", 200, 300)});
    preview.resize(700, 600);
    preview.show();
    preview.BtnZoomBreiteClick();
    const int first = preview.ImageSize().width();
    preview.resize(900, 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(preview.ImageSize().width(), first + 200);
    EXPECT_EQ(preview.ImageSize().height(), preview.ImageSize().width() * 300 / 200);
    preview.BtnZoomGanzeSeiteClick();
    preview.resize(900, 400);
    QCoreApplication::processEvents();
    // The whole page with its margins fits the height now.
    EXPECT_LT(preview.ImageSize().height(), 400 - 2 * TPrintPreviewDlg::kMargin);
    preview.Btn1zu1Click();
    preview.resize(700, 700);
    QCoreApplication::processEvents();
    EXPECT_EQ(preview.ImageSize(), QSize(200, 300));  // 1:1 stays
}

TEST_F(PrintPreview, SerialPrintPagesInThePreview) {
    TwoByFour(doc.sheet);
    doc.AddStandardFigures();
    printtest::NumberedRecords records(11);
    TDatasetPrintOptions options;
    options.Mask = "01111111";
    printtest::PreviewProgress progress;
    const std::vector<QString> files = BuildDatasetPreview(doc, records, options, progress);
    ASSERT_EQ(files.size(), 2u);
    TPrintPreviewDlg preview;
    preview.SetFiles(files);
    preview.resize(760, 820);
    preview.show();
    EXPECT_GT(preview.PictureSize().width(), 700);
    EXPECT_EQ(preview.PageNumberText(), QStringLiteral("1/2"));
    QCoreApplication::processEvents();
    SaveScreenshot(preview, "print-preview", true);
    for (const QString& file : files) QFile::remove(file);
    EXPECT_EQ(ExpectFormTextsInBothLanguages({&preview}, [](const QString& key) { return key.startsWith("lblSeitenzahl"); }),
              19);
}
