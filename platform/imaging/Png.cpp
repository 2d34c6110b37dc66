#include "platform/imaging/Png.h"

#include <png.h>

#include <cstring>

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

}  // namespace imaging
