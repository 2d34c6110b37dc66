#pragma once
// PNG through libpng: any PNG (grey, colour table, 16-bit, transparency)
// becomes a 32-bit DIB with straight (not premultiplied) alpha, and a DIB is
// written as PNG with or without its alpha channel.

#include "platform/imaging/Dib.h"

#include <cstdint>
#include <span>
#include <vector>

namespace imaging {

DibHandle DecodePng(std::span<const uint8_t> bytes, ImageError* error = nullptr);
// The picture's size from its header; false when the bytes are no PNG.
bool ReadPngSize(std::span<const uint8_t> bytes, int32_t& width, int32_t& height);
// A 32-bit DIB of the picture made factor times smaller each way (sizes
// round up), each pixel the average of the block it covers, read row by
// row so that the whole picture is never held; alphaVaries tells whether
// the full picture's alpha differs anywhere from its first pixel's.
// (Interlaced pictures are read whole first.)
DibHandle DecodePngReduced(std::span<const uint8_t> bytes, int32_t factor, ImageError* error, bool* alphaVaries);
// keepAlpha: RGBA from a 32-bit DIB; otherwise RGB and the alpha bytes ignored.
bool EncodePng(const Dib& dib, bool keepAlpha, std::vector<uint8_t>& out);

}  // namespace imaging
