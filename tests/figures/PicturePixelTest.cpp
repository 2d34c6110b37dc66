// Picture figures of every kind (JPEG, PNG with a transparent corner, BMP,
// WMF, EMF) turned by 30 and 90 degrees, drawn on a 300-dpi bitmap and
// printed through the PDF printer: each quadrant of the picture lands where
// the turn takes it, in its own colour, and the transparent corner shows
// what lies below. The pictures are kept under /tmp to look at.
#include "figures/Bild32.h"

#include "PictureFixtures.h"
#include "foundation/BmpScaleCanvas.h"
#include "foundation/ScaleCanvas.h"
#include "platform/printer/Printer.h"
#include "support/PdfPage.h"
#include "support/Colors.h"

#include <gtest/gtest.h>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <cmath>
#include <functional>

namespace {

constexpr double kFigureWidth = 32, kFigureHeight = 24;  // mm, the pictures' 4:3
constexpr double kRowTop = 30, kRowStep = 60;            // mm: one row per angle

struct Placed {
    const char* name;
    QString file;
    bool clearCorner;
};

std::vector<Placed> AllKinds(const fixtures::PictureFiles& files) {
    return {{"JPEG", files.jpeg, false}, {"PNG", files.png, true}, {"BMP", files.bmp, false},
            {"WMF", files.wmf, false},   {"EMF", files.emf, false}};
}

double CentreX(size_t i) { return 25 + 40.0 * double(i); }

// Every figure of the row, turned by angle, drawn by draw.
void DrawRow(const std::vector<Placed>& kinds, double cy, double angle, const std::function<void(TBild32&)>& draw) {
    for (size_t i = 0; i < kinds.size(); ++i) {
        const auto figure = CreatePictureFigure(kinds[i].file, nullptr);
        ASSERT_TRUE(figure) << kinds[i].name;
        figure->SetCenterX(CentreX(i));
        figure->SetCenterY(cy);
        figure->SetWidth(kFigureWidth);
        figure->SetHeight(kFigureHeight);
        figure->RotateBy(angle);
        draw(*figure);
    }
}

// The colour at each quadrant's centre, turned with the figure, against what
// the picture holds there; pixel(x, y) in mm.
void ExpectQuadrants(const std::vector<Placed>& kinds, double cy, double angle,
                     const std::function<gdi::Color(double, double)>& pixel, const char* where) {
    const double a = angle * M_PI / 180;
    for (size_t i = 0; i < kinds.size(); ++i)
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < 2; ++column) {
                const double dx = (column ? 1 : -1) * kFigureWidth / 4, dy = (row ? 1 : -1) * kFigureHeight / 4;
                const double x = CentreX(i) + dx * std::cos(a) - dy * std::sin(a);
                const double y = cy + dx * std::sin(a) + dy * std::cos(a);
                const bool clear = kinds[i].clearCorner && row == 1 && column == 1;
                const gdi::Color expected = clear ? kWhite : fixtures::kQuadrants[row][column];
                EXPECT_LE(ColorDistance(pixel(x, y), expected), 60)
                    << where << ": " << kinds[i].name << " at " << angle << " degrees, quadrant " << row << column;
            }
}

}  // namespace

TEST(PicturePixels, EveryKindTurnedOnA300DpiBitmap) {
    QTemporaryDir dir;
    const std::vector<Placed> kinds = AllKinds(fixtures::WriteAllKinds(dir.path()));
    const double pixelsPerMM = 300 / 25.4;
    TBmpScaleCanvas sheet;
    sheet.SetSize(int32_t(210 * pixelsPerMM), int32_t(150 * pixelsPerMM));
    sheet.Reset(kResetUnit);
    sheet.SetResolutionX(float(pixelsPerMM));
    sheet.SetResolutionY(float(pixelsPerMM));
    const double angles[] = {30, 90};
    for (size_t r = 0; r < 2; ++r)
        DrawRow(kinds, kRowTop + kRowStep * double(r), angles[r], [&sheet](TBild32& f) { f.DrawTo(sheet); });
    sheet.Bitmap().image().save(QStringLiteral("/tmp/picfig-bitmap-300dpi.png"));
    const auto pixel = [&](double x, double y) {
        return sheet.Bitmap().Pixel(int32_t(x * pixelsPerMM), int32_t(y * pixelsPerMM));
    };
    for (size_t r = 0; r < 2; ++r) ExpectQuadrants(kinds, kRowTop + kRowStep * double(r), angles[r], pixel, "bitmap");
    // Outside the turned frames the sheet stays white.
    EXPECT_EQ(pixel(25, 30 - kFigureHeight / 2 - 2), kWhite);
    EXPECT_EQ(pixel(25 - kFigureHeight / 2 - 1, 90), kWhite);
}

TEST(PicturePixels, EveryKindTurnedThroughThePdfPrinter) {
    QTemporaryDir dir;
    const std::vector<Placed> kinds = AllKinds(fixtures::WriteAllKinds(dir.path()));
    ASSERT_TRUE(gdi::SelectPrinter(gdi::PdfPrinterName()));
    gdi::Printer& printer = gdi::CurrentPrinter();
    const QString pdf = QStringLiteral("/tmp/picfig-print.pdf");
    QFile::remove(pdf);
    printer.SetOutputFile(pdf.toStdString());
    ASSERT_TRUE(printer.BeginDoc("Bilder"));
    {
        TRegionScaleCanvas canvas(&printer.GetCanvas());
        canvas.Reset(kResetPrinter);
        const double angles[] = {30, 90};
        for (size_t r = 0; r < 2; ++r)
            DrawRow(kinds, kRowTop + kRowStep * double(r), angles[r], [&canvas](TBild32& f) { f.DrawTo(canvas); });
    }
    ASSERT_TRUE(printer.EndDoc());
    if (!test::HavePdfRenderer()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const int dpi = 150;
    const QImage page = test::RenderPdfColour(pdf, dpi);
    ASSERT_FALSE(page.isNull());
    page.save(QStringLiteral("/tmp/picfig-pdf-150dpi.png"));
    const auto pixel = [&](double x, double y) {
        const QRgb c = page.pixel(int(x / 25.4 * dpi), int(y / 25.4 * dpi));
        return gdi::Rgb(uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c)));
    };
    ExpectQuadrants(kinds, kRowTop, 30, pixel, "PDF");
    ExpectQuadrants(kinds, kRowTop + kRowStep, 90, pixel, "PDF");
}
