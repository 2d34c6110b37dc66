#include "platform/imaging/Jpeg.h"

// libjpeg reports fatal errors through a function that must not return; it
// jumps back to the setjmp of the call in progress. Everything that outlives
// such a jump sits in a job object on the heap, made before the setjmp, so
// that no destructor is skipped and no local is read after the jump.
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <jpeglib.h>

namespace imaging {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

extern "C" void JumpOnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}
extern "C" void IgnoreMessage(j_common_ptr, int) {}
extern "C" void IgnoreOutput(j_common_ptr) {}

void InstallErrors(ErrorManager& errors) {
    jpeg_std_error(&errors.pub);
    errors.pub.error_exit = JumpOnError;
    errors.pub.emit_message = IgnoreMessage;  // warnings of slightly damaged files are not fatal
    errors.pub.output_message = IgnoreOutput;
}

struct DecodeJob {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    DibHandle dib;
    ImageError error = ImageError::Damaged;
    std::vector<uint8_t> cmykRow;
};

uint8_t FromCmyk(uint32_t colour, uint32_t black, bool inverted) {
    // Adobe writes the inks inverted (0 = full ink).
    if (!inverted) {
        colour = 255 - colour;
        black = 255 - black;
    }
    return static_cast<uint8_t>((colour * black + 127) / 255);
}

bool RunDecode(DecodeJob& job, std::span<const uint8_t> bytes, int32_t denominator, bool headerOnly) {
    InstallErrors(job.errors);
    job.info.err = &job.errors.pub;
    if (setjmp(job.errors.jump)) return false;
    jpeg_create_decompress(&job.info);
    // The codec's own buffers (whole coefficient planes of progressive
    // pictures) stay within the budget of the pixel limit.
    job.info.mem->max_memory_to_use = static_cast<long>(std::min<int64_t>(PixelLimit() * 8, INT32_MAX));
    jpeg_mem_src(&job.info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&job.info, TRUE) != JPEG_HEADER_OK) return false;
    if (headerOnly) return true;
    job.info.scale_num = 1;
    job.info.scale_denom = static_cast<unsigned>(denominator);
    const bool cmyk = job.info.jpeg_color_space == JCS_CMYK || job.info.jpeg_color_space == JCS_YCCK;
    job.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_calc_output_dimensions(&job.info);
    job.dib = CreateDIBForWriting(static_cast<int32_t>(job.info.output_width), static_cast<int32_t>(job.info.output_height), 24);
    if (!job.dib) {
        job.error = ImageError::TooLarge;
        return false;
    }
    if (cmyk) job.cmykRow.resize(size_t{job.info.output_width} * 4);
    jpeg_start_decompress(&job.info);
    const bool inverted = job.info.saw_Adobe_marker;
    while (job.info.output_scanline < job.info.output_height) {
        const auto y = static_cast<int32_t>(job.info.output_scanline);
        uint8_t* target = job.dib->TopRow(y);
        JSAMPROW row = cmyk ? job.cmykRow.data() : target;
        if (jpeg_read_scanlines(&job.info, &row, 1) != 1) return false;
        if (!cmyk) continue;
        for (uint32_t x = 0; x < job.info.output_width; ++x) {
            const uint8_t* ink = job.cmykRow.data() + 4 * x;
            target[3 * x + 2] = FromCmyk(ink[0], ink[3], inverted);
            target[3 * x + 1] = FromCmyk(ink[1], ink[3], inverted);
            target[3 * x] = FromCmyk(ink[2], ink[3], inverted);
        }
    }
    jpeg_finish_decompress(&job.info);
    return true;
}

struct EncodeJob {
    jpeg_compress_struct info{};
    ErrorManager errors{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<uint8_t> row;
};

bool RunEncode(EncodeJob& job, const Dib& dib, int32_t quality) {
    InstallErrors(job.errors);
    job.info.err = &job.errors.pub;
    if (setjmp(job.errors.jump)) return false;
    jpeg_create_compress(&job.info);
    jpeg_mem_dest(&job.info, &job.buffer, &job.size);
    job.info.image_width = static_cast<JDIMENSION>(dib.Width());
    job.info.image_height = static_cast<JDIMENSION>(dib.Height());
    const bool direct = dib.BitCount() == 24 || dib.BitCount() == 32;
    job.info.input_components = dib.BitCount() == 32 ? 4 : 3;
    job.info.in_color_space = dib.BitCount() == 32 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(&job.info);
    jpeg_set_quality(&job.info, quality, TRUE);
    jpeg_start_compress(&job.info, TRUE);
    while (job.info.next_scanline < job.info.image_height) {
        const auto y = static_cast<int32_t>(job.info.next_scanline);
        JSAMPROW row;
        if (direct) {
            row = const_cast<uint8_t*>(dib.TopRow(y));
        } else {
            // Colour-table pictures go through one row of 24-bit pixels.
            const int32_t memoryRow = dib.Height() - 1 - y;
            for (int32_t x = 0; x < dib.Width(); ++x) {
                const gdi::Color c = dib.PixelColor(x, memoryRow);
                job.row[3 * static_cast<size_t>(x)] = static_cast<uint8_t>(gdi::BlueOf(c));
                job.row[3 * static_cast<size_t>(x) + 1] = static_cast<uint8_t>(gdi::GreenOf(c));
                job.row[3 * static_cast<size_t>(x) + 2] = static_cast<uint8_t>(gdi::RedOf(c));
            }
            row = job.row.data();
        }
        jpeg_write_scanlines(&job.info, &row, 1);
    }
    jpeg_finish_compress(&job.info);
    return true;
}

}  // namespace

bool ReadJpegSize(std::span<const uint8_t> bytes, JpegSize& size) {
    if (bytes.empty()) return false;
    auto job = std::make_unique<DecodeJob>();
    const bool ok = RunDecode(*job, bytes, 1, true);
    if (ok) size = {static_cast<int32_t>(job->info.image_width), static_cast<int32_t>(job->info.image_height)};
    jpeg_destroy_decompress(&job->info);
    return ok;
}

DibHandle DecodeJpeg(std::span<const uint8_t> bytes, int32_t scaleDenominator, ImageError* error) {
    if (scaleDenominator != 2 && scaleDenominator != 4 && scaleDenominator != 8) scaleDenominator = 1;
    auto job = std::make_unique<DecodeJob>();
    const bool ok = !bytes.empty() && RunDecode(*job, bytes, scaleDenominator, false);
    jpeg_destroy_decompress(&job->info);
    if (!ok) {
        if (error) *error = job->error;
        return nullptr;
    }
    if (error) *error = ImageError::None;
    return std::move(job->dib);
}

bool EncodeJpeg(const Dib& dib, int32_t quality, std::vector<uint8_t>& out) {
    auto job = std::make_unique<EncodeJob>();
    job->row.resize(size_t{3} * static_cast<size_t>(dib.Width()));
    const bool ok = RunEncode(*job, dib, std::clamp(quality, 1, 100));
    jpeg_destroy_compress(&job->info);
    if (ok) out.assign(job->buffer, job->buffer + job->size);
    std::free(job->buffer);
    return ok;
}

}  // namespace imaging
