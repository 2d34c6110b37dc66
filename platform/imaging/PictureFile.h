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

// Encodes the DIB in the format (GIF is read only); JPEG at that quality.
bool EncodePicture(const Dib& dib, PictureFormat format, std::vector<uint8_t>& out, int32_t jpegQuality = 75);
// Writes the DIB in the format that the file's extension names.
bool ExportPictureFile(const Dib& dib, const std::string& path, ImageError* error = nullptr);

}  // namespace imaging
