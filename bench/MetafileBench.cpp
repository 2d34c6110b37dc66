// Metafiles whose drawing once grew far beyond their size: a wide dashed
// pen on a huge round rectangle, and saved states that each select a clip
// region of many rectangles. Drawn on a window-sized bitmap, as a picture on
// a label is drawn on every repaint.
#include "pictures/ZRMetaFile.h"
#include "platform/gdi/BitmapCanvas.h"
#include "tests/pictures/MetaBuilders.h"

#include <benchmark/benchmark.h>

#include <QtCore/QFile>

namespace {

std::unique_ptr<TZRMetaFile> Picture(const std::vector<uint8_t>& bytes) {
    auto picture = std::make_unique<TZRMetaFile>();
    TMemoryStream stream(bytes);
    picture->LoadFromStream(stream, stream.Size());
    return picture;
}

std::vector<uint8_t> Fixture(const char* name) {
    QFile file(QStringLiteral(ZORBIT_FIXTURES_DIR "/metafiles/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}

void Draw(benchmark::State& state, const TZRMetaFile& picture, float angle) {
    gdi::BitmapCanvas window(1000, 700);
    for (auto _ : state) const_cast<TZRMetaFile&>(picture).Draw(window, 500, 350, 300, 200, angle);
}

// Argument: the angle in degrees.
void WideDashedRoundRect(benchmark::State& state) {
    const auto picture = Picture(Fixture("wide-dashed-round-rect.emf"));
    Draw(state, *picture, static_cast<float>(state.range(0)));
}
BENCHMARK(WideDashedRoundRect)->Arg(0)->Arg(30)->Unit(benchmark::kMillisecond);

// Arguments: the number of levels, the combine mode of their regions and
// the spread of their rectangles.
void ClipRegionLevels(benchmark::State& state) {
    const auto picture = Picture(metatest::ClipLevelsEmf(static_cast<int32_t>(state.range(0)), 500,
                                                         static_cast<uint32_t>(state.range(1)), static_cast<int32_t>(state.range(2))));
    Draw(state, *picture, 0);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ClipRegionLevels)
    ->ArgsProduct({{800, 1100}, {2, 5}, {1000, 100000}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
