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
// keepAlpha: RGBA from a 32-bit DIB; otherwise RGB and the alpha bytes ignored.
bool EncodePng(const Dib& dib, bool keepAlpha, std::vector<uint8_t>& out);

}  // namespace imaging
