// Speed of the drawing layer on page-sized off-screen bitmaps, alone and
// side by side with a plain QPainter on a QImage (antialiasing off): the
// side-by-side benchmarks draw the same work both ways in every iteration and
// report the canvas's time, the painter's time and their ratio beside the
// ratio the drawing layer is held to.
#include "foundation/Gradient.h"
#include "foundation/GradientPalette.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/RecordingCanvas.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QRadialGradient>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <random>

namespace {

// An A4 page at 600 dpi.
constexpr int32_t kPageWidth = 4961, kPageHeight = 7016;
// 100 mm at 600 dpi.
constexpr int32_t kGradientSide = 2362;

std::vector<gdi::Rect> RandomRects(size_t count) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int32_t> x(0, kPageWidth - 400), y(0, kPageHeight - 400), size(1, 400);
    std::vector<gdi::Rect> rects;
    for (size_t i = 0; i < count; ++i) {
        const int32_t l = x(random), t = y(random);
        rects.push_back({l, t, l + size(random), t + size(random)});
    }
    return rects;
}

void FillRects600Dpi(benchmark::State& state) {
    gdi::BitmapCanvas canvas(kPageWidth, kPageHeight, 600);
    const std::vector<gdi::Rect> rects = RandomRects(10000);
    gdi::Brush brush;
    brush.color = gdi::Rgb(200, 30, 30);
    for (auto _ : state) {
        for (const gdi::Rect& r : rects) canvas.FillRect(r, brush);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(rects.size()));
}
BENCHMARK(FillRects600Dpi)->Unit(benchmark::kMillisecond);

void OutlinedRectangles600Dpi(benchmark::State& state) {
    gdi::BitmapCanvas canvas(kPageWidth, kPageHeight, 600);
    const std::vector<gdi::Rect> rects = RandomRects(10000);
    canvas.brush().color = gdi::Rgb(30, 200, 30);
    for (auto _ : state) {
        for (const gdi::Rect& r : rects) canvas.Rectangle(r.left, r.top, r.right, r.bottom);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(rects.size()));
}
BENCHMARK(OutlinedRectangles600Dpi)->Unit(benchmark::kMillisecond);

void Ellipses600Dpi(benchmark::State& state) {
    gdi::BitmapCanvas canvas(kPageWidth, kPageHeight, 600);
    const std::vector<gdi::Rect> rects = RandomRects(1000);
    canvas.brush().color = gdi::Rgb(30, 30, 200);
    for (auto _ : state) {
        for (const gdi::Rect& r : rects) canvas.Ellipse(r.left, r.top, r.right, r.bottom);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(rects.size()));
}
BENCHMARK(Ellipses600Dpi)->Unit(benchmark::kMillisecond);

void MeasureText(benchmark::State& state) {
    gdi::RecordingCanvas canvas;
    canvas.font().height = -240;
    for (auto _ : state) {
        benchmark::DoNotOptimize(canvas.PartialExtents(u"Zorbit druckt Etiketten auf vorgestanzte Bogen."));
    }
}
BENCHMARK(MeasureText);

void DrawText600Dpi(benchmark::State& state) {
    gdi::BitmapCanvas canvas(2000, 400, 600);
    canvas.font().height = -100;
    for (auto _ : state) canvas.TextOut(10, 10, u"Zorbit druckt Etiketten");
}
BENCHMARK(DrawText600Dpi);

// ---- side by side with a plain QPainter

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs both sides once per iteration; the iteration time is the canvas's.
void SideBySide(benchmark::State& state, double target, const std::function<void()>& canvas,
                const std::function<void()>& painter) {
    double canvasTotal = 0, painterTotal = 0;
    for (auto _ : state) {
        const double c = Seconds(canvas);
        painterTotal += Seconds(painter);
        canvasTotal += c;
        state.SetIterationTime(c);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["canvas_ms"] = 1000 * canvasTotal / n;
    state.counters["qpainter_ms"] = 1000 * painterTotal / n;
    state.counters["ratio"] = canvasTotal / painterTotal;
    state.counters["target"] = target;
}

struct Page {
    gdi::BitmapCanvas canvas{kPageWidth, kPageHeight, 600};
    QImage image{kPageWidth, kPageHeight, QImage::Format_RGB32};
    QPainter painter;
    Page() {
        image.fill(Qt::white);
        painter.begin(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
};

void LinesVsPainter(benchmark::State& state) {
    Page page;
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> x(0, kPageWidth - 1), y(0, kPageHeight - 1);
    std::uniform_real_distribution<double> angle(0, 2 * 3.14159265358979), length(1, 600);
    std::vector<std::pair<gdi::Point, gdi::Point>> lines;
    for (int i = 0; i < 10000; ++i) {
        const gdi::Point a{x(random), y(random)};
        const double t = angle(random), l = length(random);
        lines.push_back({a, {a.x + static_cast<int32_t>(l * std::cos(t)), a.y + static_cast<int32_t>(l * std::sin(t))}});
    }
    page.painter.setPen(QPen(Qt::black, 0));
    SideBySide(
        state, 1.5,
        [&] {
            for (const auto& [a, b] : lines) {
                page.canvas.MoveTo(a.x, a.y);
                page.canvas.LineTo(b.x, b.y);
            }
        },
        [&] {
            for (const auto& [a, b] : lines) page.painter.drawLine(a.x, a.y, b.x, b.y);
        });
}
BENCHMARK(LinesVsPainter)->UseManualTime()->Unit(benchmark::kMillisecond);

// Random boxes drawn both ways, filled and outlined with a thin pen.
void Boxes(benchmark::State& state, size_t count, double target, void (gdi::Canvas::*shape)(int32_t, int32_t, int32_t, int32_t),
           void (QPainter::*painterShape)(const QRect&)) {
    Page page;
    const std::vector<gdi::Rect> boxes = RandomRects(count);
    page.canvas.brush().color = gdi::Rgb(30, 30, 200);
    page.painter.setPen(QPen(Qt::black, 0));
    page.painter.setBrush(QColor(30, 30, 200));
    SideBySide(
        state, target, [&] { for (const gdi::Rect& r : boxes) (page.canvas.*shape)(r.left, r.top, r.right, r.bottom); },
        [&] { for (const gdi::Rect& r : boxes) (page.painter.*painterShape)(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1)); });
}

void FilledEllipsesVsPainter(benchmark::State& state) {
    Boxes(state, 1000, 1.5, &gdi::Canvas::Ellipse, static_cast<void (QPainter::*)(const QRect&)>(&QPainter::drawEllipse));
}
BENCHMARK(FilledEllipsesVsPainter)->UseManualTime()->Unit(benchmark::kMillisecond);

void OutlinedRectanglesVsPainter(benchmark::State& state) {
    Boxes(state, 10000, 1.1, &gdi::Canvas::Rectangle, static_cast<void (QPainter::*)(const QRect&)>(&QPainter::drawRect));
}
BENCHMARK(OutlinedRectanglesVsPainter)->UseManualTime()->Unit(benchmark::kMillisecond);

void TextVsPainter(benchmark::State& state) {
    Page page;
    page.canvas.font().height = -100;
    page.canvas.SetBkMode(gdi::BkMode::Transparent);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(100);
    page.painter.setFont(font);
    page.painter.setPen(Qt::black);
    const QString text = QStringLiteral("Zorbit druckt Etiketten");
    SideBySide(
        state, 0, [&] { for (int y = 0; y < 6000; y += 60) page.canvas.TextOut(10, y, u"Zorbit druckt Etiketten"); },
        [&] { for (int y = 0; y < 6000; y += 60) page.painter.drawText(10, y + 90, text); });
}
BENCHMARK(TextVsPainter)->UseManualTime()->Unit(benchmark::kMillisecond);

// A radial gradient of 256 bands over 100 x 100 mm, rendered at full size,
// against a QRadialGradient fill of the same square.
void RadialGradientVsPainter(benchmark::State& state) {
    gdi::BitmapCanvas canvas(kGradientSide, kGradientSide, 600);
    TGradientpalette palette(gdi::Rgb(0, 0, 0), gdi::Rgb(255, 255, 255));
    palette.Add(40, gdi::Rgb(220, 60, 40));
    QImage image(kGradientSide, kGradientSide, QImage::Format_RGB32);
    QPainter painter(&image);
    const double half = kGradientSide / 2.0;
    QRadialGradient gradient(QPointF(half, half), half * std::sqrt(2.0));
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(0.6, QColor(220, 60, 40));
    gradient.setColorAt(1, Qt::black);
    SideBySide(
        state, 3.0, [&] { GradientRadial(canvas, {0, 0, kGradientSide, kGradientSide}, palette, 0, 0, 0, 1); },
        [&] { painter.fillRect(QRect(0, 0, kGradientSide, kGradientSide), gradient); });
}
BENCHMARK(RadialGradientVsPainter)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
