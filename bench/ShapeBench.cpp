// All registered auto-shapes drawn filled and outlined onto an A4 page at
// 600 dpi (4961 x 7016 pixels), as printing a sheet of shapes does; target
// under 20 ms. The second benchmark draws the same point arrays through a
// plain QPainter on an image of the same size, the yardstick (ours at most
// 1.5 times that).
#include "foundation/FillData.h"
#include "platform/gdi/BitmapCanvas.h"
#include "shapes/AutoShape.h"

#include <benchmark/benchmark.h>

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPolygon>

#include <memory>
#include <vector>

namespace {

constexpr int kPageWidth = 4961, kPageHeight = 7016, kColumns = 8, kRows = 10;

std::vector<std::unique_ptr<TAbstractAutoShape>> PlacedShapes() {
    std::vector<std::unique_ptr<TAbstractAutoShape>> shapes;
    const int cellW = kPageWidth / kColumns, cellH = kPageHeight / kRows;
    int i = 0;
    for (const std::string& name : AutoShapeFactory().ShapeNames()) {
        auto shape = AutoShapeFactory().CreateShape(name);
        shape->SetCenterX((i % kColumns) * cellW + cellW / 2);
        shape->SetCenterY((i / kColumns) * cellH + cellH / 2);
        shape->SetWidth(cellW * 8 / 10);
        shape->SetHeight(cellH * 6 / 10);
        shape->GetBounds();  // built once, as on a page drawn again
        shapes.push_back(std::move(shape));
        ++i;
    }
    return shapes;
}

void BM_ShapesOnA4At600Dpi(benchmark::State& state) {
    auto shapes = PlacedShapes();
    gdi::BitmapCanvas page(kPageWidth, kPageHeight, 600, 600);
    TFillData fill;
    fill.SetKind(fkColor);
    fill.SetColor(0x40A0F0);
    page.pen().color = 0x202020;
    page.pen().width = 5;
    for (auto _ : state)
        for (auto& shape : shapes) shape->DrawFilled(page, fill);
}
BENCHMARK(BM_ShapesOnA4At600Dpi)->Unit(benchmark::kMillisecond);

void BM_SameOutlinesThroughQPainter(benchmark::State& state) {
    auto shapes = PlacedShapes();
    std::vector<QPolygon> polygons;
    for (auto& shape : shapes)
        for (const auto& array : shape->PointArrays()) {
            QPolygon polygon;
            for (const TPoint& p : array) polygon << QPoint(p.x, p.y);
            polygons.push_back(polygon);
        }
    QImage page(kPageWidth, kPageHeight, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 5));
    painter.setBrush(QColor(0xF0, 0xA0, 0x40));
    for (auto _ : state)
        for (const QPolygon& polygon : polygons) painter.drawPolygon(polygon, Qt::OddEvenFill);
}
BENCHMARK(BM_SameOutlinesThroughQPainter)->Unit(benchmark::kMillisecond);

}  // namespace
