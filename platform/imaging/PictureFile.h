#pragma once
// Picture files in and out of DIBs: JPEG and PNG through their libraries,
// BMP, GIF and TIFF through Qt's image readers and writers. The extension
// names the format; the reader looks at the bytes themselves too, so a file
// whose extension names another picture format still loads. An unknown
// extension, a file that does not decode or one that is too large gives an
// ImageError, never a crash.

#include "platform/imaging/Dib.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace imaging {

enum class PictureFormat { Unknown, Jpeg, Png, Bmp, Gif, Tiff };

// ".jpg", "JPEG", ".tif" ... (with or without the dot, any case).
PictureFormat FormatOfExtension(std::string_view extension);
// By the signature at the start of the bytes.
PictureFormat FormatOfBytes(std::span<const uint8_t> bytes);

// The largest file the readers take (512 MiB).
constexpr int64_t kMaxPictureFileBytes = int64_t{512} << 20;

// The whole file; false with CannotOpen or TooLarge.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, ImageError* error = nullptr);
bool WriteFileBytes(const std::string& path, std::span<const uint8_t> bytes);

// Decodes the bytes of a picture file with that extension (an empty
// extension: by the bytes alone). PNG gives 32 bits with alpha; every other
// format 24 bits, transparent parts laid on white.
DibHandle DecodePicture(std::span<const uint8_t> bytes, std::string_view extension, ImageError* error = nullptr);
DibHandle ImportPictureFile(const std::string& path, ImageError* error = nullptr);

// Reading large pictures smaller. JPEG is read at 1/2, 1/4 or 1/8 of its
// size by the codec itself, PNG by any whole factor (averaging the blocks
// row by row, never holding the whole picture); other formats only whole.
struct PictureSize {
    int32_t width = 0;
    int32_t height = 0;
    int64_t Pixels() const { return int64_t{width} * height; }
};
// The format the bytes are read as (as DecodePicture chooses) and the
// picture's size from its header; false when that cannot be told cheaply
// (formats other than JPEG and PNG, bytes that are no picture).
bool ReadPictureSize(std::span<const uint8_t> bytes, std::string_view extension, PictureFormat& format,
                     PictureSize& size);
// The reduction to use: the least factor the format allows that brings the
// picture to maxPixels or fewer (1 when it has no more, or for formats that
// are read only whole).
int32_t ReductionWithin(PictureFormat format, PictureSize size, int64_t maxPixels);
// The greatest factor the format allows that keeps at least minWidth x
// minHeight pixels (1 when even the whole picture has fewer).
int32_t ReductionKeeping(PictureFormat format, PictureSize size, int32_t minWidth, int32_t minHeight);
// The picture read factor times smaller (sizes round up): JPEG in 24 bits,
// PNG in 32 with its alpha; alphaVaries as DecodePngReduced tells it (PNG
// only). A factor of 1 is DecodePicture.
DibHandle DecodePictureReduced(std::span<const uint8_t> bytes, std::string_view extension, int32_t factor,
                               ImageError* error = nullptr, bool* alphaVaries = nullptr);

// Encodes the DIB in the format (GIF is read only); JPEG at that quality.
bool EncodePicture(const Dib& dib, PictureFormat format, std::vector<uint8_t>& out, int32_t jpegQuality = 75);
// Writes the DIB in the format that the file's extension names.
bool ExportPictureFile(const Dib& dib, const std::string& path, ImageError* error = nullptr);

}  // namespace imaging
