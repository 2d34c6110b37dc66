// Speed of the picture work: preview thumbnails of large JPEG files (against
// the codec's own reduced decode of the same file), metafile playback on a
// printer page, and resampling of large pictures.
#include "pictures/PictureHelpers.h"
#include "pictures/Resample.h"
#include "pictures/ZRMetaFile.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/imaging/Jpeg.h"
#include "platform/imaging/PictureFile.h"

#include <benchmark/benchmark.h>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <cstdio>
#include <memory>
#include <random>

#include <jpeglib.h>

namespace {

// A 12-megapixel photo-like JPEG (smooth colour fields with grain), made once.
const QString& TwelveMegapixelJpeg() {
    static QTemporaryDir dir;
    static const QString path = [] {
        imaging::DibHandle dib = imaging::CreateDIB(4000, 3000, 24);
        std::mt19937 random(7);
        std::uniform_int_distribution<int> grain(-12, 12);
        for (int32_t y = 0; y < 3000; ++y) {
            uint8_t* row = dib->TopRow(y);
            for (int32_t x = 0; x < 4000; ++x) {
                row[3 * x] = uint8_t(std::clamp(x / 16 + grain(random), 0, 255));
                row[3 * x + 1] = uint8_t(std::clamp(y / 12 + grain(random), 0, 255));
                row[3 * x + 2] = uint8_t(std::clamp((x + y) / 28 + grain(random), 0, 255));
            }
        }
        const QString name = dir.filePath(QStringLiteral("photo.jpg"));
        imaging::ExportPictureFile(*dib, name.toStdString());
        return name;
    }();
    return path;
}

void MakeThumbnail12Megapixel(benchmark::State& state) {
    const QString& path = TwelveMegapixelJpeg();
    for (auto _ : state) {
        imaging::DibHandle thumb = MakeThumbnailDIB(path, 160, 120);
        if (!thumb || thumb->Width() != 160) state.SkipWithError("no thumbnail");
        benchmark::DoNotOptimize(thumb);
    }
}
BENCHMARK(MakeThumbnail12Megapixel)->Unit(benchmark::kMillisecond);

// The yardstick: libjpeg's own 1/8 decode of the same file, straight from the file.
void LibjpegOneEighthDecode(benchmark::State& state) {
    const QByteArray path = QFile::encodeName(TwelveMegapixelJpeg());
    for (auto _ : state) {
        FILE* file = std::fopen(path.constData(), "rb");
        jpeg_decompress_struct info;
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_stdio_src(&info, file);
        jpeg_read_header(&info, TRUE);
        info.scale_num = 1;
        info.scale_denom = 8;
        jpeg_start_decompress(&info);
        std::vector<uint8_t> pixels(size_t{info.output_width} * info.output_components * info.output_height);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = pixels.data() + size_t{info.output_scanline} * info.output_width * info.output_components;
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        std::fclose(file);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(LibjpegOneEighthDecode)->Unit(benchmark::kMillisecond);

// A clip-art metafile of 5,000 records: groups of brush, select, shape and
// delete, the shapes scattered over the picture.
std::vector<uint8_t> ClipArtWmf() {
    std::vector<uint8_t> records;
    auto u16 = [&records](uint32_t v) { records.push_back(uint8_t(v)), records.push_back(uint8_t(v >> 8)); };
    auto record = [&](uint16_t function, std::initializer_list<int32_t> params) {
        const uint32_t words = uint32_t(3 + params.size());
        u16(words & 0xFFFF), u16(words >> 16), u16(function);
        for (int32_t p : params) u16(uint32_t(uint16_t(int16_t(p))));
    };
    record(0x020C, {1000, 1000});  // window extent
    std::mt19937 random(3);
    std::uniform_int_distribution<int32_t> pos(0, 940), size(10, 60), colour(0, 255);
    int32_t count = 1;
    for (int32_t i = 0; count < 5000; ++i) {
        const int32_t x = pos(random), y = pos(random), s = size(random);
        record(0x02FC, {0, colour(random) | colour(random) << 8, colour(random), 0});
        record(0x012D, {0});
        switch (i % 4) {
        case 0: record(0x041B, {y + s, x + s, y, x}); break;
        case 1: record(0x0418, {y + s, x + s, y, x}); break;
        case 2: record(0x0324, {3, x, y, x + s, y, x + s / 2, y + s}); break;
        default: record(0x0325, {3, x, y, x + s, y + s / 2, x, y + s}); break;
        }
        record(0x01F0, {0});
        count += 4;
    }
    std::vector<uint8_t> file = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0xE8, 0x03, 0xE8, 0x03, 0xA0, 0x05, 0, 0, 0, 0};
    uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2) sum ^= uint16_t(file[i] | file[i + 1] << 8);
    file.push_back(uint8_t(sum)), file.push_back(uint8_t(sum >> 8));
    const uint32_t total = uint32_t((18 + records.size() + 6) / 2);
    const uint8_t header[18] = {1, 0, 9, 0, 0, 3, uint8_t(total), uint8_t(total >> 8), uint8_t(total >> 16), uint8_t(total >> 24),
                                4, 0, 10, 0, 0, 0, 0, 0};
    file.insert(file.end(), header, header + 18);
    file.insert(file.end(), records.begin(), records.end());
    file.insert(file.end(), {3, 0, 0, 0, 0, 0});
    return file;
}

// An 80 x 60 mm picture on an A4 page of a 600-dpi printer.
void PlayWmf5000Records600Dpi(benchmark::State& state) {
    TZRMetaFile picture;
    TMemoryStream stream(ClipArtWmf());
    picture.LoadFromStream(stream, stream.Size());
    gdi::BitmapCanvas page(4961, 7016, 600);
    const int32_t w = 1890, h = 1417;
    for (auto _ : state) picture.Draw(page, 2480, 3508, w, h, static_cast<float>(state.range(0)));
    state.SetItemsProcessed(state.iterations() * 5000);
}
BENCHMARK(PlayWmf5000Records600Dpi)->Arg(0)->Arg(30)->Unit(benchmark::kMillisecond);

void Lanczos3TwelveMegapixelTo1600(benchmark::State& state) {
    imaging::DibHandle dib = imaging::CreateDIB(4000, 3000, 32);
    std::mt19937 random(5);
    for (int32_t row = 0; row < 3000; ++row)
        for (int32_t x = 0; x < 4000; ++x) dib->Row32(row)[x] = random();
    for (auto _ : state) {
        imaging::DibHandle small = StretchDIBFiltered(*dib, 1600, 1200, KernelLanczos3, 3);
        benchmark::DoNotOptimize(small);
    }
}
BENCHMARK(Lanczos3TwelveMegapixelTo1600)->Unit(benchmark::kMillisecond);

}  // namespace
