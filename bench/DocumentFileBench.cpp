// Saving and loading a document of 1,000 figures over 4 designs (lines,
// filled rectangles and ellipses, and groups of three): to memory, and
// through the disk with the backup, the sync and the rename of a real save.
// Target: under 20 ms each way.
#include "design/DocumentFile.h"
#include "figures/Ellipse.h"
#include "figures/FigureGroup.h"
#include "tests/support/FakeDocument.h"

#include <benchmark/benchmark.h>

#include <QtCore/QTemporaryDir>

#include <memory>

namespace {

constexpr int kDesigns = 4;
constexpr int kFiguresPerDesign = 250;

std::unique_ptr<TFigure> Placed(std::unique_ptr<TFigure> figure, int i) {
    figure->SetCenterX(5 + i % 20 * 4);
    figure->SetCenterY(5 + i / 20 * 4);
    figure->SetWidth(3 + i % 5);
    figure->SetHeight(2 + i % 3);
    figure->SetAngle(i * 7 % 360);
    figure->SetPenColor(gdi::Rgb(i % 256, 0, 128));
    figure->SetFillColor(gdi::Rgb(255, i % 256, 0));
    return figure;
}

// Figure i of a design: a line, a rectangle, an ellipse or a group of three.
std::unique_ptr<TFigure> MakeFigure(TChildBase* owner, int i) {
    switch (i % 4) {
    case 0: return Placed(std::make_unique<TLinie>(owner), i);
    case 1: return Placed(std::make_unique<TRechteck>(owner), i);
    case 2: return Placed(std::make_unique<TEllipse>(owner), i);
    default: {
        auto group = std::make_unique<TFigureGroup>(owner);
        for (int k = 0; k < 3; ++k) group->AddMember(Placed(std::make_unique<TEllipse>(owner), i + k));
        return Placed(std::move(group), i);
    }
    }
}

void Fill(FakeDocument& document) {
    for (int d = 0; d < kDesigns; ++d) {
        TEinzelEtikett& design = d == 0 ? document.Design(0) : document.AddDesignTab(QStringLiteral("Etikett"));
        for (int i = 0; i < kFiguresPerDesign; ++i) design.AddFigure(MakeFigure(&document.child, i), false);
    }
}

}  // namespace

static void BM_SaveDocumentToMemory(benchmark::State& state) {
    FakeDocument document;
    Fill(document);
    int64_t bytes = 0;
    for (auto _ : state) {
        TMemoryStream stream;
        TDocumentFile(document).SaveToStream(stream);
        bytes = stream.Size();
    }
    state.counters["fileKB"] = static_cast<double>(bytes) / 1024;
}
BENCHMARK(BM_SaveDocumentToMemory)->Unit(benchmark::kMillisecond);

static void BM_SaveDocumentToFile(benchmark::State& state) {
    FakeDocument document;
    Fill(document);
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("bench.qem"));
    for (auto _ : state) TDocumentFile(document).SaveToFile(fileName);
}
BENCHMARK(BM_SaveDocumentToFile)->Unit(benchmark::kMillisecond);

static void BM_LoadDocumentFromFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("bench.qem"));
    {
        FakeDocument document;
        Fill(document);
        TDocumentFile(document).SaveToFile(fileName);
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto document = std::make_unique<FakeDocument>();
        state.ResumeTiming();
        TDocumentFile(*document).LoadFromFile(fileName);
        state.PauseTiming();
        if (document->DesignCount() != kDesigns) state.SkipWithError("not read");
        document.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadDocumentFromFile)->Unit(benchmark::kMillisecond);
