// The file-open preview: the thumbnail of an A4 document with 1,000 figures
// over 4 designs (lines, rectangles, ellipses, plain and framed rich texts),
// drawn at twice the size, halved and stored in a fresh thumbnail cache; and
// the same thumbnail taken from the cache.
#include "design/DocumentPreview.h"
#include "figures/Ellipse.h"
#include "pictures/ThumbManager.h"
#include "platform/gdi/Bitmap.h"
#include "tests/support/DocumentBuilder.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// 250 figures per design spread over the A4 page, a third of them turned.
void WriteDesign(TDocumentBuilder& doc, uint32_t seed) {
    auto next = [&seed](int range) {
        seed = seed * 1103515245 + 12345;
        return static_cast<int>((seed >> 16) % static_cast<uint32_t>(range));
    };
    for (int i = 0; i < 250; ++i) {
        TBoxValues v;
        v.CenterX = 15 + next(180);
        v.CenterY = 15 + next(267);
        v.Width = 5 + next(25);
        v.Height = 5 + next(25);
        v.Angle = next(3) == 0 ? next(360) : 0;
        v.PenColor = gdi::Rgb(next(256), 0, 0);
        v.FillKind = next(2);
        v.FillColor = gdi::Rgb(next(256), next(256), next(256));
        switch (i % 5) {
        case 0: {
            TLinie line(nullptr);
            line.SetCenterX(v.CenterX);
            line.SetCenterY(v.CenterY);
            line.SetWidth(v.Width);
            line.SetHeight(v.Height);
            doc.Figure(line);
            break;
        }
        case 1:
            doc.Box(ecRechteck, v);
            break;
        case 2:
            doc.Box(ecEllipse, v);
            break;
        case 3: {
            doc.Box(ecText, v);
            TTextRecord text;
            text.Font.Size = 8 + next(10);
            text.Text = "Etikett " + std::to_string(i);
            text.Write(doc.filer);
            break;
        }
        default: {
            doc.Box(ecRTFText, v);
            TRTFTextRecord rtf;
            rtf.FrameKind = static_cast<uint8_t>(next(3));
            rtf.RTF = "{\\rtf1\\ansi Etikett}";
            rtf.Write(doc.filer);
            break;
        }
        }
    }
}

QString WriteDocument(const QTemporaryDir& dir) {
    TDocumentBuilder doc;
    doc.Sheet(210, 297).Designs(4);
    for (int d = 0; d < 4; ++d) {
        doc.BeginDesign("Etikett " + std::to_string(d + 1));
        WriteDesign(doc, 777 + d);
        doc.EndDesign();
    }
    const QString path = dir.filePath(QStringLiteral("1000.qem"));
    doc.SaveTo(path);
    return path;
}

}  // namespace

static void BM_ThumbnailOfDocumentWith1000Figures(benchmark::State& state) {
    QTemporaryDir dir;
    const QString document = WriteDocument(dir);
    const QString cachePath = dir.filePath(QStringLiteral("QNTHUMB.DAT"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(cachePath);
        TThumbManager cache(cachePath);
        gdi::Bitmap target(200, 200);
        state.ResumeTiming();
        if (!GetDocumentThumbnail(target, document, cache)) state.SkipWithError("no thumbnail");
        benchmark::DoNotOptimize(target);
    }
}
BENCHMARK(BM_ThumbnailOfDocumentWith1000Figures)->Unit(benchmark::kMillisecond);

static void BM_CachedThumbnailOfDocumentWith1000Figures(benchmark::State& state) {
    QTemporaryDir dir;
    const QString document = WriteDocument(dir);
    TThumbManager cache(dir.filePath(QStringLiteral("QNTHUMB.DAT")));
    gdi::Bitmap first(200, 200);
    GetDocumentThumbnail(first, document, cache);
    for (auto _ : state) {
        gdi::Bitmap target(200, 200);
        if (!GetDocumentThumbnail(target, document, cache)) state.SkipWithError("no thumbnail");
        benchmark::DoNotOptimize(target);
    }
}
BENCHMARK(BM_CachedThumbnailOfDocumentWith1000Figures)->Unit(benchmark::kMillisecond);
