#pragma once
// Renders part of a PDF page with pdftoppm (poppler-utils) into a graymap and
// finds the dark pixels on it, or a whole page in colour, so tests can
// measure what a print job drew.

#include <gtest/gtest.h>

#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QStandardPaths>
#include <QtCore/QStringList>
#include <QtGui/QImage>

#include <algorithm>
#include <cmath>
#include <optional>

namespace test {

struct GrayPage {
    int width = 0, height = 0;
    QByteArray pixels;
    uint8_t At(int x, int y) const { return static_cast<uint8_t>(pixels[y * width + x]); }

    // The bounding box (left, top, right, bottom inclusive) of pixels darker than 128.
    struct Box { int left, top, right, bottom; };
    std::optional<Box> DarkBounds() const {
        Box b{width, height, -1, -1};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (At(x, y) < 128) {
                    b.left = std::min(b.left, x);
                    b.right = std::max(b.right, x);
                    b.top = std::min(b.top, y);
                    b.bottom = std::max(b.bottom, y);
                }
        if (b.right < 0) return std::nullopt;
        return b;
    }
};

inline bool HavePdfRenderer() { return !QStandardPaths::findExecutable("pdftoppm").isEmpty(); }

// The number of pages of a PDF, as pdfinfo (poppler-utils) reports it; 0 when it cannot tell.
inline int PdfPageCount(const QString& pdf) {
    QProcess info;
    info.start(QStandardPaths::findExecutable("pdfinfo"), {pdf});
    if (!info.waitForFinished(60000)) return 0;
    const QRegularExpressionMatch pages =
        QRegularExpression(R"(^Pages:\s*(\d+))", QRegularExpression::MultilineOption).match(QString::fromLatin1(info.readAllStandardOutput()));
    return pages.hasMatch() ? pages.captured(1).toInt() : 0;
}

// The page's /MediaBox width and height in points; (0, 0) when there is none.
inline std::pair<double, double> PdfMediaBox(const QString& pdf) {
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly)) return {0, 0};
    const QString content = QString::fromLatin1(file.readAll());
    const QRegularExpressionMatch box =
        QRegularExpression(R"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+)\s*\])").match(content);
    if (!box.hasMatch()) return {0, 0};
    return {box.captured(1).toDouble(), box.captured(2).toDouble()};
}

// Renders the pixel rectangle (x, y, w, h) of a page (from 1) at dpi without smoothing.
inline GrayPage RenderPdf(const QString& pdf, int dpi, int x, int y, int w, int h, int pageNumber = 1) {
    const QString base = pdf + ".render";
    QProcess render;
    render.start(QStandardPaths::findExecutable("pdftoppm"),
                 {"-f", QString::number(pageNumber), "-l", QString::number(pageNumber), "-r", QString::number(dpi), "-gray", "-aa", "no", "-aaVector", "no", "-x", QString::number(x), "-y",
                  QString::number(y), "-W", QString::number(w), "-H", QString::number(h), "-singlefile", pdf, base});
    if (!render.waitForFinished(60000)) return {};
    QFile file(base + ".pgm");
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = file.readAll();
    const QList<QByteArray> header = data.left(64).simplified().split(' ');
    if (header.size() < 4 || header[0] != "P5") return {};
    GrayPage page;
    page.width = header[1].toInt();
    page.height = header[2].toInt();
    // The pixels follow the single white-space character after the maximum value.
    const qsizetype size = static_cast<qsizetype>(page.width) * page.height;
    if (page.width <= 0 || page.height <= 0 || data.size() < size) return {};
    page.pixels = data.right(size);
    return page;
}

// The resolution at which tests measure what a page shows.
inline constexpr int kRenderDpi = 300;
inline constexpr double kPointsPerMM = 72 / 25.4;

// Millimetres in pixels at kRenderDpi.
inline int Pixels(double mm) { return static_cast<int>(std::lround(mm / 25.4 * kRenderDpi)); }

// Expects a dark box of w x h mm with its top-left corner at (x, y) mm on the
// page (from 1), to within 0.3 mm, and nothing else dark in the window of
// windowW x windowH mm that starts margin mm above and left of the corner.
inline void ExpectDarkBox(const QString& pdf, int pageNumber, double x, double y, double w, double h, double margin,
                          double windowW, double windowH) {
    const int left = Pixels(x - margin), top = Pixels(y - margin);
    const GrayPage window = RenderPdf(pdf, kRenderDpi, left, top, Pixels(windowW), Pixels(windowH), pageNumber);
    ASSERT_GT(window.width, 0);
    const auto dark = window.DarkBounds();
    ASSERT_TRUE(dark);
    const double tolerance = Pixels(0.3);
    EXPECT_NEAR(left + dark->left, Pixels(x), tolerance);
    EXPECT_NEAR(top + dark->top, Pixels(y), tolerance);
    EXPECT_NEAR(dark->right - dark->left + 1, Pixels(w), tolerance);
    EXPECT_NEAR(dark->bottom - dark->top + 1, Pixels(h), tolerance);
}

}  // namespace test

namespace test {

// Renders page 1 of the PDF in colour at dpi (smoothing off); a null image
// when pdftoppm is missing or fails.
inline QImage RenderPdfColour(const QString& pdf, int dpi) {
    const QString base = pdf + ".colour";
    QProcess render;
    render.start(QStandardPaths::findExecutable("pdftoppm"), {"-r", QString::number(dpi), "-png", "-aa", "no", "-aaVector",
                                                             "no", "-singlefile", "-f", "1", "-l", "1", pdf, base});
    if (!render.waitForFinished(60000)) return {};
    return QImage(base + ".png");
}

}  // namespace test
