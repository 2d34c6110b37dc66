// The waits around photos on labels:
// - opening a document whose one picture is a 12,000 x 12,000 JPEG or PNG:
//   the load and the first draw of the label at a screen zoom, with the
//   memory the process needed for it (peakMB: the growth of the resident
//   set's high-water mark; run these one at a time, each in its own
//   process, with --benchmark_filter). Target: under 2 s and 300 MB. The
//   PNG's reduced reading is also timed alone, from memory.
// - loading a document of 4,000 small photos, each of which keeps a
//   temporary copy of its file: linear in the number of pictures.
// - the first paint of a 12-megapixel photo just decoded, in a document
//   window's view of 1600 x 1000 pixels (the label fitted). Target: 60 ms.
#include "app/Child.h"
#include "app/MMWindow.h"
#include "design/DocumentFile.h"
#include "design/EinzelEtikett.h"
#include "figures/Bild32.h"
#include "foundation/BmpScaleCanvas.h"
#include "foundation/ZRRegIniFile.h"
#include "pictures/QDXRotate90DIB.h"
#include "platform/imaging/Jpeg.h"
#include "platform/imaging/PictureFile.h"
#include "tests/support/FakeDocument.h"

#include <benchmark/benchmark.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>

#include <jpeglib.h>
#include <png.h>

namespace {

constexpr int kHugeSide = 12000;

// Photo-like pixels, one row at a time: smooth colour fields with grain.
void PhotoRow(int32_t y, int32_t width, int32_t height, std::mt19937& random, uint8_t* rgb) {
    std::uniform_int_distribution<int> grain(-10, 10);
    for (int32_t x = 0; x < width; ++x) {
        rgb[3 * x] = uint8_t(std::clamp(x * 255 / width + grain(random), 0, 255));
        rgb[3 * x + 1] = uint8_t(std::clamp(y * 255 / height + grain(random), 0, 255));
        rgb[3 * x + 2] = uint8_t(std::clamp((x + y) * 255 / (width + height) + grain(random), 0, 255));
    }
}

// A scan-like picture for PNG (a photo with its grain would make a file of
// hundreds of megabytes): smooth colour fields with a faint grain in green.
void ScanRow(int32_t y, int32_t width, int32_t height, std::mt19937& random, uint8_t* rgb) {
    std::uniform_int_distribution<int> grain(-1, 1);
    for (int32_t x = 0; x < width; ++x) {
        rgb[3 * x] = uint8_t(x * 255 / width);
        rgb[3 * x + 1] = uint8_t(std::clamp(y * 255 / height + grain(random), 0, 255));
        rgb[3 * x + 2] = uint8_t((x + y) * 255 / (width + height));
    }
}

void WriteHugeJpeg(const QString& path) {
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = info.image_height = kHugeSide;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 85, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(size_t{3} * kHugeSide);
    std::mt19937 random(11);
    while (info.next_scanline < info.image_height) {
        PhotoRow(int32_t(info.next_scanline), kHugeSide, kHugeSide, random, row.data());
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

void WriteHugePng(const QString& path) {
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, kHugeSide, kHugeSide, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<uint8_t> row(size_t{3} * kHugeSide);
    std::mt19937 random(13);
    for (int32_t y = 0; y < kHugeSide; ++y) {
        ScanRow(y, kHugeSide, kHugeSide, random, row.data());
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

std::vector<uint8_t> ReadAll(const QString& path) {
    std::vector<uint8_t> bytes;
    imaging::ReadFileBytes(path.toStdString(), bytes);
    return bytes;
}

// A document of one design with one picture figure of 120 x 90 mm holding
// the picture file. It is made around a small stand-in picture whose bytes
// are then replaced in the file by the large picture's, so that making it
// never holds the large picture decoded.
QString MakeDocumentWithPicture(const QTemporaryDir& dir, const QString& picturePath, const QString& extension) {
    const QString standIn = dir.filePath(QStringLiteral("small") + extension);
    imaging::DibHandle small = imaging::CreateDIB(2, 2, 24);
    imaging::ExportPictureFile(*small, standIn.toStdString());
    FakeDocument document;
    auto figure = std::make_unique<TBild32>(&document.child);
    figure->LoadFromFile(standIn);
    figure->SetCenterX(70);
    figure->SetCenterY(55);
    figure->SetWidth(120);
    figure->SetHeight(90);
    document.Design(0).AddFigure(std::move(figure), false);
    TMemoryStream stream;
    TDocumentFile(document).SaveToStream(stream);
    const std::vector<uint8_t>& bytes = stream.Bytes();

    const std::string ext = extension.toStdString();
    std::vector<uint8_t> needle = {uint8_t(ext.size()), 0, 0, 0};
    needle.insert(needle.end(), ext.begin(), ext.end());
    const std::vector<uint8_t> standInBytes = ReadAll(standIn);
    needle.insert(needle.end(), standInBytes.begin(), standInBytes.end());
    const auto at = std::search(bytes.begin(), bytes.end(), needle.begin(), needle.end());
    if (at == bytes.end()) return {};
    const size_t start = size_t(at - bytes.begin());
    const size_t pictureStart = start + 4 + size_t(extension.size());
    const auto pictureSize = static_cast<int32_t>(QFileInfo(picturePath).size());
    const int32_t streamSize = pictureSize + 4 + int32_t(extension.size());

    const QString documentPath = dir.filePath(QStringLiteral("photo.qem"));
    std::ofstream out(QFile::encodeName(documentPath).constData(), std::ios::binary);
    std::vector<uint8_t> head(bytes.begin(), bytes.begin() + ptrdiff_t(pictureStart));
    // The stream's length stands in front of the stream's tag (Longint tag, 4 bytes, Stream tag).
    std::memcpy(head.data() + start - 5, &streamSize, 4);
    out.write(reinterpret_cast<const char*>(head.data()), std::streamsize(head.size()));
    std::ifstream picture(QFile::encodeName(picturePath).constData(), std::ios::binary);
    std::vector<char> chunk(1 << 20);
    while (picture.read(chunk.data(), std::streamsize(chunk.size())) || picture.gcount() > 0)
        out.write(chunk.data(), picture.gcount());
    const size_t tail = pictureStart + standInBytes.size();
    out.write(reinterpret_cast<const char*>(bytes.data() + tail), std::streamsize(bytes.size() - tail));
    return documentPath;
}

// The resident set's high-water mark in megabytes, and its reset.
double PeakResidentMB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024;
    return 0;
}
double ResidentMB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024;
    return 0;
}
void ResetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

void OpenDocumentWithHugePicture(benchmark::State& state, const QString& extension) {
    QTemporaryDir dir;
    const QString picturePath = dir.filePath(QStringLiteral("huge") + extension);
    if (extension == QStringLiteral(".jpg"))
        WriteHugeJpeg(picturePath);
    else
        WriteHugePng(picturePath);
    const QString documentPath = MakeDocumentWithPicture(dir, picturePath, extension);
    if (documentPath.isEmpty()) {
        state.SkipWithError("the document could not be made");
        return;
    }
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const double before = ResidentMB();
        ResetPeakResident();
        auto document = std::make_unique<FakeDocument>();
        TBmpScaleCanvas screen;
        screen.SetSize(1600, 1000);
        screen.Reset(kResetScreen);
        screen.SetZoom(0.9f);
        state.ResumeTiming();
        TDocumentFile(*document).LoadFromFile(documentPath);
        auto* figure = dynamic_cast<TBild32*>(document->Design(0).GetFigure(0));
        figure->DrawTo(screen);
        state.PauseTiming();
        if (figure->PictureWidth() != kHugeSide) state.SkipWithError("the picture was not read");
        peak = std::max(peak, PeakResidentMB() - before);
        document.reset();
        state.ResumeTiming();
    }
    state.counters["peakMB"] = peak;
    state.counters["fileMB"] = double(QFileInfo(picturePath).size()) / (1 << 20);
}

void BM_OpenDocumentWithHugeJpeg(benchmark::State& state) { OpenDocumentWithHugePicture(state, QStringLiteral(".jpg")); }
void BM_OpenDocumentWithHugePng(benchmark::State& state) { OpenDocumentWithHugePicture(state, QStringLiteral(".png")); }
BENCHMARK(BM_OpenDocumentWithHugeJpeg)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_OpenDocumentWithHugePng)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_LoadDocumentWithManyPictures(benchmark::State& state) {
    QTemporaryDir dir;
    const QString pictureFile = dir.filePath(QStringLiteral("small.jpg"));
    imaging::DibHandle dib = imaging::CreateDIB(16, 16, 24);
    imaging::ExportPictureFile(*dib, pictureFile.toStdString());
    const QString documentPath = dir.filePath(QStringLiteral("many.qem"));
    {
        FakeDocument document;
        for (int64_t i = 0; i < state.range(0); ++i) {
            auto figure = std::make_unique<TBild32>(&document.child);
            figure->LoadFromFile(pictureFile);
            figure->SetCenterX(double(5 + i % 40 * 5));
            figure->SetCenterY(double(5 + i / 40 % 50 * 5));
            figure->SetWidth(4);
            figure->SetHeight(4);
            document.Design(0).AddFigure(std::move(figure), false);
        }
        TDocumentFile(document).SaveToFile(documentPath);
    }
    for (auto _ : state) {
        auto document = std::make_unique<FakeDocument>();
        TDocumentFile(*document).LoadFromFile(documentPath);
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadDocumentWithManyPictures)->Arg(500)->Arg(4000)->Unit(benchmark::kMillisecond);

// The reduced reading alone, from memory (a third each way, as the document
// load reads the 12,000-pixel PNG).
void BM_DecodeHugePngReduced(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.png"));
    WriteHugePng(path);
    const std::vector<uint8_t> bytes = ReadAll(path);
    for (auto _ : state) {
        imaging::DibHandle dib = imaging::DecodePictureReduced(bytes, ".png", 3);
        if (!dib) state.SkipWithError("not read");
        benchmark::DoNotOptimize(dib);
    }
}
BENCHMARK(BM_DecodeHugePngReduced)->Unit(benchmark::kMillisecond)->Iterations(3);

// A 4000 x 3000 photo as a JPEG stream form (".jpg" and the file).
std::vector<uint8_t> TwelveMegapixelPictureStream() {
    imaging::DibHandle dib = imaging::CreateDIB(4000, 3000, 24);
    std::mt19937 random(7);
    for (int32_t y = 0; y < 3000; ++y) PhotoRow(y, 4000, 3000, random, dib->TopRow(y));
    std::vector<uint8_t> jpeg;
    imaging::EncodeJpeg(*dib, 85, jpeg);
    std::vector<uint8_t> stream = {4, 0, 0, 0, '.', 'j', 'p', 'g'};
    stream.insert(stream.end(), jpeg.begin(), jpeg.end());
    return stream;
}

void BM_FirstPaintOfTwelveMegapixelPhoto(benchmark::State& state) {
    QTemporaryDir dir;
    UseSettingsFile(dir.filePath(QStringLiteral("registry.dat")));
    TChild child;
    child.resize(1700, 1100);
    child.show();
    QCoreApplication::processEvents();
    TMMWindow& view = child.MMWin();
    child.resize(child.width() + 1600 - view.ClientWidth(), child.height() + 1000 - view.ClientHeight());
    QCoreApplication::processEvents();
    auto figure = std::make_unique<TBild32>(&child);
    TBild32& photo = *figure;
    photo.SetCenterX(100);
    photo.SetCenterY(80);
    photo.SetWidth(160);
    photo.SetHeight(120);
    photo.UpdateTransform();
    child.CurrentDesign()->AddFigure(std::move(figure), false);
    child.mnuGanzClick();
    const std::vector<uint8_t> stream = TwelveMegapixelPictureStream();
    for (auto _ : state) {
        state.PauseTiming();
        TMemoryStream bytes(stream);
        photo.DIB->LoadFromStream(bytes);  // just decoded, as after Insert or Open
        state.ResumeTiming();
        view.InvalidateAll();
        view.UpdateNow();
    }
}
BENCHMARK(BM_FirstPaintOfTwelveMegapixelPhoto)->Unit(benchmark::kMillisecond);

}  // namespace
