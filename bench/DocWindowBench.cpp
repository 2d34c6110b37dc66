// The document window's view: an inverting rubber band dragged across a
// 1600 x 1000 client area. Each step erases the band where it was and draws
// it at the new corner, as a mouse move does, and the view asks for the
// touched pixels to be shown. The first benchmark times that; the second
// also the event loop's turn that shows them (the platform's own copying to
// the screen included). The third times a full repaint of a document
// window's view at zoom 1 with 1,000 figures on the label, grid, guides and
// printer margins included (into the off-screen bitmap and the presented
// frame, and the view's own paint of the frame). The fourth times one step
// of a resize of the document window, as dragging its corner makes them
// (the view's images sized, the label fitted again and the view repainted
// with 30 figures). Target: under 8 ms.
#include "app/Child.h"
#include "app/DottedLine.h"
#include "app/MMWindow.h"

#include "design/EinzelEtikett.h"
#include "document/Etikett.h"
#include "figures/Ellipse.h"
#include "figures/Linie.h"
#include "figures/Rechteck.h"
#include "foundation/ZRRegIniFile.h"

#include <benchmark/benchmark.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QTemporaryDir>

namespace {

constexpr int kClientWidth = 1600;
constexpr int kClientHeight = 1000;

// A shown view whose client area is 1600 x 1000, painted once.
class BenchView {
public:
    BenchView() {
        view.resize(kClientWidth, kClientHeight);
        view.show();
        QCoreApplication::processEvents();
        view.resize(2 * kClientWidth - view.ClientWidth(), 2 * kClientHeight - view.ClientHeight());
        QCoreApplication::processEvents();
        view.SetColor(gdi::Rgb(255, 255, 255));
        view.InvalidateAll();
        view.UpdateNow();
    }
    TMMWindow view;
};

// The band's moving corner walks a diagonal from near the start to the far corner and back.
gdi::Point CornerAt(int64_t step) {
    const int64_t i = step % 400;
    const int64_t t = i < 200 ? i : 400 - i;
    return {static_cast<int32_t>(20 + t * (kClientWidth - 40) / 200), static_cast<int32_t>(20 + t * (kClientHeight - 40) / 200)};
}

void MoveRubberBand(benchmark::State& state, bool present) {
    BenchView bench;
    TMMWindow& view = bench.view;
    if (view.ClientWidth() != kClientWidth || view.ClientHeight() != kClientHeight) {
        state.SkipWithError("the client area could not be sized");
        return;
    }
    gdi::Canvas& canvas = view.DrawCanvas();
    const gdi::Point start{10, 10};
    gdi::Point corner = CornerAt(0);
    DrawDottedRect(canvas, start.x, start.y, corner.x, corner.y);
    int64_t step = 0;
    for (auto _ : state) {
        DrawDottedRect(canvas, start.x, start.y, corner.x, corner.y);
        corner = CornerAt(++step);
        DrawDottedRect(canvas, start.x, start.y, corner.x, corner.y);
        if (!present) state.PauseTiming();
        QCoreApplication::processEvents();
        if (!present) state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations());
}

// 1,000 figures spread over an A4 label: rectangles, ellipses and lines in turn.
void AddFigures(TChild& child, int count) {
    TEinzelEtikett& design = *child.CurrentDesign();
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<TFigure> figure;
        switch (i % 3) {
        case 0: figure = std::make_unique<TRechteck>(&child); break;
        case 1: figure = std::make_unique<TEllipse>(&child); break;
        default: figure = std::make_unique<TLinie>(&child); break;
        }
        figure->SetCenterX(10 + (i * 37) % 190);
        figure->SetCenterY(10 + (i * 53) % 277);
        figure->SetWidth(8 + i % 12);
        figure->SetHeight(5 + i % 9);
        figure->SetFillColor(gdi::Rgb((i * 40) % 256, 0xC0, 0xFF - (i * 30) % 256));
        figure->UpdateTransform();
        design.AddFigure(std::move(figure), false);
    }
}

void BM_RepaintThousandFigures(benchmark::State& state) {
    QTemporaryDir dir;
    UseSettingsFile(dir.filePath(QStringLiteral("registry.dat")));
    TChild child;
    child.resize(kClientWidth + 100, kClientHeight + 100);
    child.show();
    QCoreApplication::processEvents();
    TMMWindow& view = child.MMWin();
    child.resize(child.width() + kClientWidth - view.ClientWidth(), child.height() + kClientHeight - view.ClientHeight());
    QCoreApplication::processEvents();
    if (view.ClientWidth() != kClientWidth || view.ClientHeight() != kClientHeight) {
        state.SkipWithError("the client area could not be sized");
        return;
    }
    AddFigures(child, 1000);
    child.ZoomCentered(1);
    view.UpdateNow();
    for (auto _ : state) {
        view.InvalidateAll();
        view.UpdateNow();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}

void BM_ResizeDocumentWindowStep(benchmark::State& state) {
    QTemporaryDir dir;
    UseSettingsFile(dir.filePath(QStringLiteral("registry.dat")));
    TChild child;
    child.resize(kClientWidth, kClientHeight);
    child.show();
    QCoreApplication::processEvents();
    AddFigures(child, 30);
    child.mnuGanzClick();
    child.MMWin().UpdateNow();
    int64_t step = 0;
    for (auto _ : state) {
        // The corner goes out by 6 pixels a step for 60 steps, then back.
        const int64_t i = ++step % 120;
        const int out = static_cast<int>(i < 60 ? i : 120 - i) * 6;
        child.resize(kClientWidth + out, kClientHeight + out / 2);
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_RubberBandStep(benchmark::State& state) { MoveRubberBand(state, false); }
void BM_RubberBandStepPresented(benchmark::State& state) { MoveRubberBand(state, true); }

}  // namespace

BENCHMARK(BM_RubberBandStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RubberBandStepPresented)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintThousandFigures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResizeDocumentWindowStep)->Unit(benchmark::kMillisecond);

