// Saving and loading a document of 1,000 figures over 4 designs (lines,
// filled rectangles and ellipses, and groups of three): to memory, and
// through the disk with the backup, the sync and the rename of a real save.
// Target: under 20 ms each way.
//
// Loading 100,000 lines: by the reader alone (into a document without a
// window), and into a shown document window, whose load caption is
// repainted as the load goes on. Target: the window's load within 10 % of
// the reader's.
#include "app/Child.h"
#include "app/MMWindow.h"
#include "design/DocumentFile.h"
#include "figures/Ellipse.h"
#include "figures/FigureGroup.h"
#include "foundation/ZRRegIniFile.h"
#include "tests/support/FakeDocument.h"

#include <benchmark/benchmark.h>

#include <QtCore/QCoreApplication>
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

// Times loading the file into a new document per iteration; making the
// document and checking what was read are not timed.
template <class Make, class Check>
void TimeLoads(benchmark::State& state, const QString& fileName, Make make, Check check) {
    for (auto _ : state) {
        state.PauseTiming();
        auto document = make();
        state.ResumeTiming();
        TDocumentFile(*document).LoadFromFile(fileName);
        state.PauseTiming();
        if (!check(*document)) state.SkipWithError("not read");
        document.reset();
        state.ResumeTiming();
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
    TimeLoads(state, fileName, [] { return std::make_unique<FakeDocument>(); },
              [](FakeDocument& document) { return document.DesignCount() == kDesigns; });
}
BENCHMARK(BM_LoadDocumentFromFile)->Unit(benchmark::kMillisecond);

namespace {

constexpr int kManyFigures = 100000;

// A document of many small lines saved in the folder; its path.
QString SaveManyLines(const QTemporaryDir& dir) {
    const QString fileName = dir.filePath(QStringLiteral("many.qem"));
    FakeDocument document;
    for (int i = 0; i < kManyFigures; ++i)
        document.Design(0).AddFigure(Placed(std::make_unique<TLinie>(&document.child), i), false);
    TDocumentFile(document).SaveToFile(fileName);
    return fileName;
}

}  // namespace

static void BM_Load100000FiguresByTheReader(benchmark::State& state) {
    QTemporaryDir dir;
    TimeLoads(state, SaveManyLines(dir), [] { return std::make_unique<FakeDocument>(); },
              [](FakeDocument& document) { return document.Design(0).FigureCount() == kManyFigures; });
}
BENCHMARK(BM_Load100000FiguresByTheReader)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_Load100000FiguresIntoTheWindow(benchmark::State& state) {
    QTemporaryDir dir;
    UseSettingsFile(dir.filePath(QStringLiteral("registry.dat")));
    // A shown window whose view is hidden while it loads, as the program opens documents.
    auto shownWindow = [] {
        auto child = std::make_unique<TChild>();
        child->resize(800, 600);
        child->show();
        child->MMWin().hide();
        QCoreApplication::processEvents();
        return child;
    };
    TimeLoads(state, SaveManyLines(dir), shownWindow,
              [](TChild& child) { return child.CurrentDesign()->FigureCount() == kManyFigures; });
}
BENCHMARK(BM_Load100000FiguresIntoTheWindow)->Unit(benchmark::kMillisecond)->Iterations(3);
