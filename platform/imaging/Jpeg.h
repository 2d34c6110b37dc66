#pragma once
// JPEG through libjpeg(-turbo), called directly: decoding into 24-bit DIBs,
// also at 1/2, 1/4 and 1/8 of the size by the codec's scaled DCT (far less
// work than decoding the whole picture), and encoding DIBs at a chosen quality.

#include "platform/imaging/Dib.h"

#include <cstdint>
#include <span>
#include <vector>

namespace imaging {

struct JpegSize {
    int32_t width = 0;
    int32_t height = 0;
};

// The picture's size from its header; false when the bytes are no JPEG.
bool ReadJpegSize(std::span<const uint8_t> bytes, JpegSize& size);
// A 24-bit DIB of the picture decoded at 1/scaleDenominator of its size
// (1, 2, 4 or 8; sizes round up). Grey, colour and CMYK pictures are read.
DibHandle DecodeJpeg(std::span<const uint8_t> bytes, int32_t scaleDenominator, ImageError* error = nullptr);
// Encodes a DIB of any depth (alpha ignored) at quality 1 to 100.
bool EncodeJpeg(const Dib& dib, int32_t quality, std::vector<uint8_t>& out);

}  // namespace imaging
