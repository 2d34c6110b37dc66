#include "platform/imaging/Png.h"

#include <png.h>

#include <algorithm>
#include <condition_variable>
#include <csetjmp>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace imaging {

DibHandle DecodePng(std::span<const uint8_t> bytes, ImageError* error) {
    auto fail = [error](ImageError e) {
        if (error) *error = e;
        return nullptr;
    };
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (bytes.empty() || !png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return fail(ImageError::Damaged);
    image.format = PNG_FORMAT_BGRA;
    DibHandle dib = CreateDIBForWriting(static_cast<int32_t>(image.width), static_cast<int32_t>(image.height), 32);
    if (!dib) {
        png_image_free(&image);
        return fail(ImageError::TooLarge);
    }
    // A negative stride: the bottom row comes first in memory, as in a DIB.
    const auto stride = -static_cast<png_int_32>(dib->RowBytes());
    if (!png_image_finish_read(&image, nullptr, dib->Bits(), stride, nullptr)) {
        png_image_free(&image);
        return fail(ImageError::Damaged);
    }
    if (error) *error = ImageError::None;
    return dib;
}

bool EncodePng(const Dib& dib, bool keepAlpha, std::vector<uint8_t>& out) {
    DibHandle converted;
    const Dib* source = &dib;
    const int32_t depth = keepAlpha ? 32 : 24;
    if (dib.BitCount() != depth) {
        converted = CopyHandle(dib);
        if (!ConvertDIB(converted, depth)) return false;
        // 32 to 24 drops the alpha; other conversions to 32 make it opaque.
        source = converted.get();
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(source->Width());
    image.height = static_cast<png_uint_32>(source->Height());
    image.format = keepAlpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    // The stride counts components, which are bytes here; negative: bottom row first.
    const png_int_32 components = -static_cast<png_int_32>(source->RowBytes());
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, source->Bits(), components, nullptr)) {
        png_image_free(&image);
        return false;
    }
    out.resize(size);
    const bool ok = png_image_write_to_memory(&image, out.data(), &size, 0, source->Bits(), components, nullptr);
    png_image_free(&image);
    if (!ok) return false;
    out.resize(size);
    return true;
}

bool ReadPngSize(std::span<const uint8_t> bytes, int32_t& width, int32_t& height) {
    // The signature, then the IHDR chunk: length, type, width, height (big-endian).
    static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() < 24 || std::memcmp(bytes.data(), kSignature, 8) != 0 || std::memcmp(bytes.data() + 12, "IHDR", 4) != 0)
        return false;
    auto big = [&bytes](size_t at) {
        return uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 | uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
    };
    const uint32_t w = big(16), h = big(20);
    if (w < 1 || h < 1 || w > INT32_MAX || h > INT32_MAX) return false;
    width = static_cast<int32_t>(w);
    height = static_cast<int32_t>(h);
    return true;
}

namespace {

// How the reader hands over a row's pixels.
enum class RowLayout { Rgb, Rgba, Bgra };

// Sums the rows of one band of factor rows into blocks and writes the
// averages as one row of the reduced picture.
class BlockAverager {
public:
    BlockAverager(Dib& out, int32_t width, int32_t factor, RowLayout layout)
        : out_(out), width_(width), factor_(factor), layout_(layout), sums_(size_t(out.Width()) * 4) {}

    // One row of the full picture, top to bottom.
    void AddRow(const uint8_t* row) {
        switch (layout_) {
        case RowLayout::Rgb: AddRowAs<3, 2, 1, 0>(row); break;
        case RowLayout::Rgba: AddRowAs<4, 2, 1, 0>(row); break;
        case RowLayout::Bgra: AddRowAs<4, 0, 1, 2>(row); break;
        }
        if (++rows_ == factor_) Emit();
    }
    // The last band, when it is shorter.
    void Finish() {
        if (rows_ > 0) Emit();
    }
    bool AlphaVaries() const { return alphaVaries_; }

private:
    // Bytes per pixel and where blue, green and red stand in it; alpha is
    // the fourth byte, or 255.
    template <int Bytes, int B, int G, int R>
    void AddRowAs(const uint8_t* row) {
        if constexpr (Bytes == 4) {
            if (!seenFirst_) firstAlpha_ = row[3];
        } else {
            firstAlpha_ = 255;
        }
        seenFirst_ = true;
        uint32_t* sum = sums_.data();
        bool varies = false;
        for (int32_t x0 = 0; x0 < width_; x0 += factor_, sum += 4) {
            const int32_t end = std::min(width_, x0 + factor_);
            uint32_t b = 0, g = 0, r = 0, a = 0;
            for (const uint8_t* p = row + size_t(x0) * Bytes; p < row + size_t(end) * Bytes; p += Bytes) {
                b += p[B];
                g += p[G];
                r += p[R];
                if constexpr (Bytes == 4) {
                    a += p[3];
                    varies |= p[3] != firstAlpha_;
                } else {
                    a += 255;
                }
            }
            sum[0] += b;
            sum[1] += g;
            sum[2] += r;
            sum[3] += a;
        }
        alphaVaries_ |= varies;
    }

    void Emit() {
        uint8_t* target = out_.TopRow(outRow_++);
        const int32_t outWidth = out_.Width();
        for (int32_t ox = 0; ox < outWidth; ++ox) {
            const int32_t columns = std::min(factor_, width_ - ox * factor_);
            const uint32_t n = uint32_t(columns) * uint32_t(rows_);
            const double scale = 1.0 / n;
            const uint32_t* sum = &sums_[size_t(ox) * 4];
            for (int c = 0; c < 4; ++c) target[4 * ox + c] = static_cast<uint8_t>((sum[c] + n / 2) * scale);
        }
        std::fill(sums_.begin(), sums_.end(), 0);
        rows_ = 0;
    }

    Dib& out_;
    int32_t width_, factor_;
    RowLayout layout_;
    std::vector<uint32_t> sums_;
    int32_t rows_ = 0, outRow_ = 0;
    uint8_t firstAlpha_ = 0;
    bool seenFirst_ = false, alphaVaries_ = false;
};

// Rows handed from the reader (this thread) to the averager on a thread of
// its own, a batch at a time, so that the averaging costs no time of the
// reading. The averager's thread never calls the codec.
class RowPipeline {
public:
    static constexpr int32_t kBatchRows = 16;
    static constexpr int32_t kBatches = 4;

    RowPipeline(BlockAverager& averager, size_t rowBytes)
        : averager_(averager), rowBytes_(rowBytes), memory_(rowBytes * kBatchRows * kBatches),
          worker_([this] { Work(); }) {}
    ~RowPipeline() {
        {
            const std::lock_guard<std::mutex> hold(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        worker_.join();
    }
    RowPipeline(const RowPipeline&) = delete;
    RowPipeline& operator=(const RowPipeline&) = delete;

    // The row to fill next; waits while every batch waits for the averager.
    uint8_t* NextRow() {
        if (filling_ == 0) {
            std::unique_lock<std::mutex> hold(mutex_);
            changed_.wait(hold, [this] { return handedOver_ - averaged_ < kBatches; });
        }
        return Batch(handedOver_) + size_t(filling_) * rowBytes_;
    }
    void RowFilled() {
        if (++filling_ == kBatchRows) HandOver();
    }
    // Hands over the last rows and waits until all are averaged.
    void Finish() {
        if (filling_ > 0) HandOver();
        std::unique_lock<std::mutex> hold(mutex_);
        changed_.wait(hold, [this] { return averaged_ == handedOver_; });
    }

private:
    uint8_t* Batch(int64_t number) { return memory_.data() + size_t(number % kBatches) * rowBytes_ * kBatchRows; }

    void HandOver() {
        {
            const std::lock_guard<std::mutex> hold(mutex_);
            rowsIn_[handedOver_ % kBatches] = filling_;
            ++handedOver_;
        }
        filling_ = 0;
        changed_.notify_all();
    }

    void Work() {
        for (;;) {
            int64_t batch = 0;
            int32_t rows = 0;
            {
                std::unique_lock<std::mutex> hold(mutex_);
                changed_.wait(hold, [this] { return stopping_ || averaged_ < handedOver_; });
                if (averaged_ == handedOver_) return;  // stopping with nothing left
                batch = averaged_;
                rows = rowsIn_[batch % kBatches];
            }
            for (int32_t r = 0; r < rows; ++r) averager_.AddRow(Batch(batch) + size_t(r) * rowBytes_);
            {
                const std::lock_guard<std::mutex> hold(mutex_);
                ++averaged_;
            }
            changed_.notify_all();
        }
    }

    BlockAverager& averager_;
    size_t rowBytes_;
    std::vector<uint8_t> memory_;
    std::mutex mutex_;
    std::condition_variable changed_;
    int64_t handedOver_ = 0, averaged_ = 0;  // batches
    int32_t rowsIn_[kBatches] = {};
    int32_t filling_ = 0;  // rows of the batch being filled
    bool stopping_ = false;
    std::thread worker_;  // last: starts once everything above is made
};

struct MemoryReader {
    std::span<const uint8_t> bytes;
    size_t at = 0;
};

extern "C" void ReadFromMemory(png_structp png, png_bytep data, size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->bytes.size() - reader->at) png_error(png, "PNG ends early");
    std::memcpy(data, reader->bytes.data() + reader->at, length);
    reader->at += length;
}
extern "C" void IgnoreWarning(png_structp, png_const_charp) {}
// A damaged picture is the caller's to report: no text on the terminal.
extern "C" void QuietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// What outlives a jump out of libpng sits here, made before the setjmp.
struct ReducedJob {
    png_structp png = nullptr;
    png_infop info = nullptr;
    MemoryReader reader;
    DibHandle dib;
    std::unique_ptr<BlockAverager> averager;
    std::unique_ptr<RowPipeline> pipeline;  // goes before the averager it feeds
    ImageError error = ImageError::Damaged;
    ~ReducedJob() {
        pipeline.reset();
        png_destroy_read_struct(&png, &info, nullptr);
    }
};

// The layout rows come in: plain 8-bit RGB and RGBA straight from the file,
// everything else made BGRA by the codec.
RowLayout SetUpTransforms(png_structp png, png_infop info) {
    const int type = png_get_color_type(png, info);
    const bool plain = png_get_bit_depth(png, info) == 8 && !png_get_valid(png, info, PNG_INFO_tRNS) &&
                       !png_get_valid(png, info, PNG_INFO_gAMA) && !png_get_valid(png, info, PNG_INFO_iCCP);
    if (plain && type == PNG_COLOR_TYPE_RGB) return RowLayout::Rgb;
    if (plain && type == PNG_COLOR_TYPE_RGB_ALPHA) return RowLayout::Rgba;
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_alpha_mode(png, PNG_ALPHA_PNG, PNG_DEFAULT_sRGB);
    return RowLayout::Bgra;
}

bool RunReducedDecode(ReducedJob& job, int32_t factor) {
    if (setjmp(png_jmpbuf(job.png))) return false;
    png_set_read_fn(job.png, &job.reader, ReadFromMemory);
    // The stream's own checksum costs a pass over every byte of a huge picture.
    png_set_option(job.png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
    png_read_info(job.png, job.info);
    const auto width = static_cast<int32_t>(png_get_image_width(job.png, job.info));
    const auto height = static_cast<int32_t>(png_get_image_height(job.png, job.info));
    if (int64_t{width} * height > PixelLimit()) {
        job.error = ImageError::TooLarge;
        return false;
    }
    const RowLayout layout = SetUpTransforms(job.png, job.info);
    const int passes = png_set_interlace_handling(job.png);
    png_read_update_info(job.png, job.info);
    const size_t rowBytes = size_t(width) * (layout == RowLayout::Rgb ? 3 : 4);
    if (passes != 1 || png_get_rowbytes(job.png, job.info) != rowBytes) return false;
    job.dib = CreateDIBForWriting((width + factor - 1) / factor, (height + factor - 1) / factor, 32);
    if (!job.dib) {
        job.error = ImageError::TooLarge;
        return false;
    }
    job.averager = std::make_unique<BlockAverager>(*job.dib, width, factor, layout);
    job.pipeline = std::make_unique<RowPipeline>(*job.averager, rowBytes);
    for (int32_t y = 0; y < height; ++y) {
        png_read_row(job.png, job.pipeline->NextRow(), nullptr);
        job.pipeline->RowFilled();
    }
    job.pipeline->Finish();
    job.averager->Finish();
    return true;
}

bool IsInterlaced(std::span<const uint8_t> bytes) { return bytes.size() > 28 && bytes[28] != 0; }

// An interlaced picture: read whole, then averaged the same way.
DibHandle ReduceWhole(std::span<const uint8_t> bytes, int32_t factor, ImageError* error, bool* alphaVaries) {
    const DibHandle whole = DecodePng(bytes, error);
    if (!whole) return nullptr;
    DibHandle out = CreateDIBForWriting((whole->Width() + factor - 1) / factor, (whole->Height() + factor - 1) / factor, 32);
    if (!out) {
        if (error) *error = ImageError::TooLarge;
        return nullptr;
    }
    BlockAverager averager(*out, whole->Width(), factor, RowLayout::Bgra);
    for (int32_t y = 0; y < whole->Height(); ++y) averager.AddRow(whole->TopRow(y));
    averager.Finish();
    if (alphaVaries) *alphaVaries = averager.AlphaVaries();
    return out;
}

}  // namespace

DibHandle DecodePngReduced(std::span<const uint8_t> bytes, int32_t factor, ImageError* error, bool* alphaVaries) {
    factor = std::max(1, factor);
    if (IsInterlaced(bytes)) return ReduceWhole(bytes, factor, error, alphaVaries);
    ReducedJob job;
    job.reader.bytes = bytes;
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, IgnoreWarning);
    if (job.png) job.info = png_create_info_struct(job.png);
    if (!job.png || !job.info || !RunReducedDecode(job, factor)) {
        if (error) *error = job.error;
        return nullptr;
    }
    if (error) *error = ImageError::None;
    if (alphaVaries) *alphaVaries = job.averager->AlphaVaries();
    return std::move(job.dib);
}

}  // namespace imaging
