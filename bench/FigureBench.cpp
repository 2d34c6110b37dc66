// Figures: 1,000 mixed lines, rectangles and ellipses drawn onto an A4 page
// at 600 dpi, and one point hit-tested against all of them on the view.
#include "figures/Ellipse.h"
#include "foundation/BmpScaleCanvas.h"
#include "tests/support/FigureFakes.h"

#include <benchmark/benchmark.h>

#include <QtGui/QImage>
#include <QtGui/QPainter>

#include <memory>
#include <optional>
#include <vector>

namespace {

// What one figure of the mix is, in millimetres and degrees.
struct FigureSpec {
    int kind;  // 0 line, 1 rectangle, 2 ellipse
    int centerX, centerY, width, height;
    std::optional<gdi::Color> fill;
    gdi::Color pen;
    float penWidth;
    int angle;
};

// Lines, rectangles and ellipses of 5 to 30 mm spread over an A4 page, a
// third turned, half of the boxes filled.
std::vector<FigureSpec> MixedSpecs() {
    std::vector<FigureSpec> specs;
    uint32_t seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1103515245 + 12345;
        return static_cast<int>((seed >> 16) % static_cast<uint32_t>(range));
    };
    for (int i = 0; i < 1000; ++i) {
        FigureSpec f{};
        f.kind = i % 3;
        f.centerX = 15 + next(180);
        f.centerY = 15 + next(267);
        f.width = 5 + next(25);
        f.height = 5 + next(25);
        if (i % 3 != 0 && next(2)) f.fill = gdi::Rgb(next(256), next(256), next(256));
        f.pen = gdi::Rgb(next(256), 0, 0);
        f.penWidth = 0.1f * static_cast<float>(1 + next(5));
        if (next(3) == 0) f.angle = next(360);
        specs.push_back(f);
    }
    return specs;
}

std::vector<std::unique_ptr<TFigure>> MixedFigures(TChildBase* owner) {
    std::vector<std::unique_ptr<TFigure>> figures;
    for (const FigureSpec& spec : MixedSpecs()) {
        std::unique_ptr<TFigure> f;
        switch (spec.kind) {
        case 0:
            f = std::make_unique<TLinie>(owner);
            break;
        case 1:
            f = std::make_unique<TRechteck>(owner);
            break;
        default:
            f = std::make_unique<TEllipse>(owner);
            break;
        }
        f->SetCenterX(spec.centerX);
        f->SetCenterY(spec.centerY);
        f->SetWidth(spec.width);
        f->SetHeight(spec.height);
        if (spec.fill) f->SetFillColor(*spec.fill);
        f->SetPenColor(spec.pen);
        f->SetPenWidth(spec.penWidth);
        if (spec.angle) f->SetAngle(spec.angle);
        figures.push_back(std::move(f));
    }
    return figures;
}

QColor ToColor(gdi::Color c) { return QColor(gdi::RedOf(c), gdi::GreenOf(c), gdi::BlueOf(c)); }

}  // namespace

static void BM_Draw1000FiguresOnA4At600Dpi(benchmark::State& state) {
    TBmpScaleCanvas canvas;
    canvas.BitmapCanvas().SetResolution(600, 600);
    canvas.SetSize(4961, 7016);  // A4 at 600 dpi
    canvas.SetResolutionX(600 / 25.4f);
    canvas.SetResolutionY(600 / 25.4f);
    const auto figures = MixedFigures(nullptr);
    for (auto _ : state) {
        for (const auto& f : figures) f->DrawTo(canvas);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_Draw1000FiguresOnA4At600Dpi)->Unit(benchmark::kMillisecond);

// The same figures through a plain painter on an image of the page, without
// anti-aliasing: what the machine's own rasteriser makes of them, for
// comparison.
static void BM_Draw1000FiguresWithPlainPainter(benchmark::State& state) {
    QImage page(4961, 7016, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const double dots = 600 / 25.4;
    const auto specs = MixedSpecs();
    for (auto _ : state) {
        for (const FigureSpec& f : specs) {
            painter.save();
            painter.translate(f.centerX * dots, f.centerY * dots);
            painter.rotate(-f.angle);
            painter.setPen(QPen(ToColor(f.pen), f.penWidth * dots));
            painter.setBrush(f.fill ? QBrush(ToColor(*f.fill)) : QBrush(Qt::NoBrush));
            const QRectF box(-f.width * dots / 2, -f.height * dots / 2, f.width * dots, f.height * dots);
            switch (f.kind) {
            case 0: painter.drawLine(box.topLeft(), box.bottomRight()); break;
            case 1: painter.drawRect(box); break;
            default: painter.drawEllipse(box); break;
            }
            painter.restore();
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_Draw1000FiguresWithPlainPainter)->Unit(benchmark::kMillisecond);

static void BM_HitTestOnePointAgainst1000Figures(benchmark::State& state) {
    // The view at screen resolution, zoom 1.
    FakeMMWindow view(1, 1, 96 / 25.4f);
    FakeChild child(view);
    const auto figures = MixedFigures(&child);
    int hits = 0;
    int x = 0;
    for (auto _ : state) {
        // The design asks every figure from the top down until one is hit;
        // here all of them are asked.
        x = (x + 37) % 800;
        for (auto it = figures.rbegin(); it != figures.rend(); ++it) hits += (*it)->HitTestCode(x, 500) != 0;
    }
    benchmark::DoNotOptimize(hits);
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_HitTestOnePointAgainst1000Figures)->Unit(benchmark::kMicrosecond);
