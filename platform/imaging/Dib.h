#pragma once
// Device-independent bitmaps of our own: one packed block of memory holding
// the 40-byte BITMAPINFOHEADER, the colour table when the depth needs one,
// then the pixel rows bottom-up (memory row 0 is the picture's bottom row),
// each padded to a multiple of four bytes. 24-bit pixels are blue, green,
// red; 32-bit pixels blue, green, red, alpha.
//
// A DIB has one owner at a time (DibHandle); every operation that makes a DIB
// hands a new one to the caller. Sizes are checked before anything is
// allocated: a DIB never holds more than PixelLimit() pixels.

#include "platform/gdi/GdiTypes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace gdi {
class Bitmap;
class Canvas;
}  // namespace gdi

namespace imaging {

// The header as stored (little-endian, 40 bytes).
struct BitmapInfoHeader {
    uint32_t size = 40;
    int32_t width = 0;
    int32_t height = 0;  // positive: rows bottom-up
    uint16_t planes = 1;
    uint16_t bitCount = 0;
    uint32_t compression = 0;  // BI_RGB
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t clrUsed = 0;
    uint32_t clrImportant = 0;
};
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
constexpr uint32_t BI_BITFIELDS = 3;

// Why a picture could not be read or written.
enum class ImageError {
    None,
    UnknownFormat,  // an extension or content the module does not read or write
    CannotOpen,     // the file is missing or cannot be read
    Damaged,        // the bytes do not decode
    TooLarge,       // more pixels than the limit, or a file beyond the size limit
    CannotWrite,    // the file or the encoding failed
};

// The most pixels one DIB may hold (150 million by default). Tests and fuzz
// targets lower it.
int64_t PixelLimit();
void SetPixelLimit(int64_t pixels);

// Bytes of one padded row.
constexpr uint32_t RowBytesFor(int32_t width, int32_t bits) {
    return static_cast<uint32_t>(((static_cast<int64_t>(width) * bits + 31) / 32) * 4);
}

namespace detail {
// Leaves new bytes as they are, so that a block about to be written whole
// is not filled first.
template <class T>
struct UninitializedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UninitializedAllocator<U>;
    };
    UninitializedAllocator() = default;
    template <class U>
    UninitializedAllocator(const UninitializedAllocator<U>&) noexcept {}
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};
}  // namespace detail

class Dib {
public:
    int32_t Width() const;
    int32_t Height() const;
    int32_t BitCount() const;
    BitmapInfoHeader Header() const;
    uint32_t RowBytes() const { return RowBytesFor(Width(), BitCount()); }
    // Entries of the colour table (each blue, green, red, reserved).
    uint32_t ColorCount() const;
    const uint8_t* ColorTable() const { return bytes_.data() + kInfoHeaderSize; }
    uint8_t* ColorTable() { return bytes_.data() + kInfoHeaderSize; }
    uint8_t* Bits() { return bytes_.data() + BitsOffset(); }
    const uint8_t* Bits() const { return bytes_.data() + BitsOffset(); }
    // Memory row (0 = the bottom row of the picture).
    uint8_t* Row(int32_t memoryRow) { return Bits() + static_cast<size_t>(memoryRow) * RowBytes(); }
    const uint8_t* Row(int32_t memoryRow) const { return Bits() + static_cast<size_t>(memoryRow) * RowBytes(); }
    uint32_t* Row32(int32_t memoryRow) { return reinterpret_cast<uint32_t*>(Row(memoryRow)); }
    const uint32_t* Row32(int32_t memoryRow) const { return reinterpret_cast<const uint32_t*>(Row(memoryRow)); }
    // The picture's row y counted from the top.
    uint8_t* TopRow(int32_t y) { return Row(Height() - 1 - y); }
    const uint8_t* TopRow(int32_t y) const { return Row(Height() - 1 - y); }

    // A copy of the whole packed block.
    std::vector<uint8_t> Packed() const { return {bytes_.begin(), bytes_.end()}; }
    size_t BlockSize() const { return bytes_.size(); }

    // A pixel as $00BBGGRR for any depth (colour-table entries for 1, 4 and 8 bits).
    gdi::Color PixelColor(int32_t x, int32_t memoryRow) const;

private:
    friend std::unique_ptr<Dib> CreateDIBForWriting(int32_t, int32_t, int32_t);
    friend std::unique_ptr<Dib> CopyHandle(const Dib&);
    size_t BitsOffset() const { return kInfoHeaderSize + 4 * size_t{ColorCount()}; }
    std::vector<uint8_t, detail::UninitializedAllocator<uint8_t>> bytes_;
};

using DibHandle = std::unique_ptr<Dib>;

// ---- the operations of the DIB module

// A new DIB of 1, 4, 8, 24 or 32 bits per pixel, all pixels 0 (1 to 8 bits:
// a grey colour table); nothing for another depth, a size below 1 or beyond
// the pixel limit.
DibHandle CreateDIB(int32_t width, int32_t height, int32_t bits);
// The same with the pixels left undefined (the padding at the rows' ends is
// 0), for code that writes every pixel: nothing is filled first.
DibHandle CreateDIBForWriting(int32_t width, int32_t height, int32_t bits);
// Copies the header; false without DIB.
bool DIBInfo(const Dib* dib, BitmapInfoHeader& header);
void DIBFree(DibHandle& dib);
// Converts in place to 24 or 32 bits (32: alpha 255, a 32-bit DIB keeps its
// alpha). False, the DIB unchanged, for any other target.
bool ConvertDIB(DibHandle& dib, int32_t bits);
DibHandle CopyHandle(const Dib& dib);
// Scaled to width x height (24 or 32 bits as the source, fewer bits become
// 24): reductions average the source pixels each target pixel covers,
// enlargements repeat the nearest one. Nothing when a size is below 1.
DibHandle StretchDIB(const Dib& dib, int32_t width, int32_t height);
// Turned by a multiple of 900 tenths of a degree; positive angles turn
// counter-clockwise as the picture is seen, so -900 turns it a quarter
// clockwise. Nothing for other angles. (No area is ever uncovered by a
// quarter turn; the background is accepted for the callers' sake.)
DibHandle RotateDIB(const Dib& dib, int32_t tenthsOfDegree, gdi::Color background);
// Grey pixels (blue + green + red) div 3 in the source's depth (fewer bits become 24); alpha kept.
DibHandle GrayDIB(const Dib& dib);
// The bitmap's pixels as a DIB of 24 or 32 bits (32 keeps the alpha).
DibHandle DIBFromBitmap(const gdi::Bitmap& bitmap, int32_t bits);
// The DIB as a bitmap of the drawing layer; a 32-bit DIB keeps its alpha
// unless keepAlpha is false (an opaque bitmap then).
gdi::Bitmap BitmapFromDIB(const Dib& dib, bool keepAlpha = true);
// Draws the source rectangle (picture pixels, y from the top) of the DIB into
// the rectangle of the canvas (logical units) with the raster operation.
void StretchDIBBlt(gdi::Canvas& canvas, int32_t x, int32_t y, int32_t w, int32_t h, const Dib& dib, int32_t sx,
                   int32_t sy, int32_t sw, int32_t sh, uint32_t rop);

// A DIB from a BITMAPINFO (header, masks, colour table) and its pixel bits,
// as metafile records and the clipboard carry them: 1, 4, 8, 16, 24 or 32
// bits, uncompressed or with bit fields, rows bottom-up or top-down (negative
// height). Depths of 16 bits and bit fields become 32 bits. Nothing when a
// size, count or offset does not fit the bytes given.
DibHandle DibFromParts(std::span<const uint8_t> info, std::span<const uint8_t> bits);
// The same for one packed block (the bits directly after the colour table).
DibHandle DibFromPacked(std::span<const uint8_t> packed);

}  // namespace imaging
