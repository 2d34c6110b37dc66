#include "platform/imaging/Dib.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Canvas.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace imaging {

namespace {

std::atomic<int64_t> pixelLimit{150'000'000};

uint32_t GetU32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
uint16_t GetU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
void PutU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void PutU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

bool SizeAllowed(int64_t width, int64_t height) {
    return width >= 1 && height >= 1 && width <= INT32_MAX / 32 && height <= INT32_MAX / 32 &&
           width * height <= pixelLimit.load();
}

bool IsPaletted(int32_t bits) { return bits == 1 || bits == 4 || bits == 8; }

// Rows of 32-bit pixels of any DIB, for the operations that work in 32 bits.
uint32_t Pixel32(const Dib& dib, int32_t x, int32_t memoryRow) {
    const uint8_t* row = dib.Row(memoryRow);
    switch (dib.BitCount()) {
    case 32: return GetU32(row + 4 * x);
    case 24: return 0xFF000000u | uint32_t{row[3 * x]} | uint32_t{row[3 * x + 1]} << 8 | uint32_t{row[3 * x + 2]} << 16;
    default: {
        const gdi::Color c = dib.PixelColor(x, memoryRow);  // $00BBGGRR
        return 0xFF000000u | gdi::BlueOf(c) | gdi::GreenOf(c) << 8 | gdi::RedOf(c) << 16;
    }
    }
}

void PutPixel32(Dib& dib, int32_t x, int32_t memoryRow, uint32_t bgra) {
    uint8_t* row = dib.Row(memoryRow);
    if (dib.BitCount() == 32) {
        PutU32(row + 4 * x, bgra);
    } else {
        row[3 * x] = static_cast<uint8_t>(bgra);
        row[3 * x + 1] = static_cast<uint8_t>(bgra >> 8);
        row[3 * x + 2] = static_cast<uint8_t>(bgra >> 16);
    }
}

// The depth that the turning, scaling and greying operations give.
int32_t WorkingDepth(const Dib& dib) { return dib.BitCount() == 32 ? 32 : 24; }

}  // namespace

int64_t PixelLimit() { return pixelLimit.load(); }
void SetPixelLimit(int64_t pixels) { pixelLimit.store(std::max<int64_t>(1, pixels)); }

// ---- Dib

int32_t Dib::Width() const { return static_cast<int32_t>(GetU32(bytes_.data() + 4)); }
int32_t Dib::Height() const { return static_cast<int32_t>(GetU32(bytes_.data() + 8)); }
int32_t Dib::BitCount() const { return GetU16(bytes_.data() + 14); }

BitmapInfoHeader Dib::Header() const {
    const uint8_t* p = bytes_.data();
    BitmapInfoHeader h;
    h.size = GetU32(p);
    h.width = static_cast<int32_t>(GetU32(p + 4));
    h.height = static_cast<int32_t>(GetU32(p + 8));
    h.planes = GetU16(p + 12);
    h.bitCount = GetU16(p + 14);
    h.compression = GetU32(p + 16);
    h.sizeImage = GetU32(p + 20);
    h.xPelsPerMeter = static_cast<int32_t>(GetU32(p + 24));
    h.yPelsPerMeter = static_cast<int32_t>(GetU32(p + 28));
    h.clrUsed = GetU32(p + 32);
    h.clrImportant = GetU32(p + 36);
    return h;
}

uint32_t Dib::ColorCount() const {
    const int32_t bits = BitCount();
    if (!IsPaletted(bits)) return 0;
    const uint32_t used = GetU32(bytes_.data() + 32);
    return used ? used : 1u << bits;
}

gdi::Color Dib::PixelColor(int32_t x, int32_t memoryRow) const {
    const uint8_t* row = Row(memoryRow);
    const int32_t bits = BitCount();
    if (bits == 24 || bits == 32) {
        const uint8_t* p = row + x * (bits / 8);
        return gdi::Rgb(p[2], p[1], p[0]);
    }
    uint32_t index = 0;
    if (bits == 8) index = row[x];
    else if (bits == 4) index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
    else index = (row[x / 8] >> (7 - x % 8)) & 1;
    if (index >= ColorCount()) return 0;
    const uint8_t* entry = ColorTable() + 4 * index;
    return gdi::Rgb(entry[2], entry[1], entry[0]);
}

// ---- operations

DibHandle CreateDIBForWriting(int32_t width, int32_t height, int32_t bits) {
    if (!IsPaletted(bits) && bits != 24 && bits != 32) return nullptr;
    if (!SizeAllowed(width, height)) return nullptr;
    const uint32_t colors = IsPaletted(bits) ? 1u << bits : 0;
    const uint32_t rowBytes = RowBytesFor(width, bits);
    const size_t imageBytes = size_t{rowBytes} * static_cast<size_t>(height);
    auto dib = std::unique_ptr<Dib>(new Dib);
    dib->bytes_.resize(kInfoHeaderSize + 4 * size_t{colors} + imageBytes);
    uint8_t* p = dib->bytes_.data();
    std::memset(p, 0, kInfoHeaderSize);
    PutU32(p, kInfoHeaderSize);
    PutU32(p + 4, static_cast<uint32_t>(width));
    PutU32(p + 8, static_cast<uint32_t>(height));
    PutU16(p + 12, 1);
    PutU16(p + 14, static_cast<uint16_t>(bits));
    PutU32(p + 20, static_cast<uint32_t>(imageBytes <= UINT32_MAX ? imageBytes : 0));
    PutU32(p + 32, colors);
    for (uint32_t i = 0; i < colors; ++i) {
        const auto grey = static_cast<uint8_t>(colors > 1 ? i * 255 / (colors - 1) : 0);
        uint8_t* entry = p + kInfoHeaderSize + 4 * i;
        entry[0] = entry[1] = entry[2] = grey;
        entry[3] = 0;
    }
    const uint32_t used = static_cast<uint32_t>((int64_t{width} * bits + 7) / 8);
    if (used < rowBytes) {
        for (int32_t row = 0; row < height; ++row) std::memset(dib->Row(row) + used, 0, rowBytes - used);
    }
    return dib;
}

DibHandle CreateDIB(int32_t width, int32_t height, int32_t bits) {
    DibHandle dib = CreateDIBForWriting(width, height, bits);
    if (dib) std::memset(dib->Bits(), 0, size_t{dib->RowBytes()} * static_cast<size_t>(height));
    return dib;
}

bool DIBInfo(const Dib* dib, BitmapInfoHeader& header) {
    if (!dib) return false;
    header = dib->Header();
    return true;
}

void DIBFree(DibHandle& dib) { dib.reset(); }

DibHandle CopyHandle(const Dib& dib) {
    auto copy = std::unique_ptr<Dib>(new Dib);
    copy->bytes_ = dib.bytes_;
    return copy;
}

namespace {

// One row of any depth as 24 or 32 bits (32: alpha 255 unless the source has its own).
void ConvertRow(const Dib& dib, int32_t row, int32_t bits, uint8_t* out) {
    const int32_t w = dib.Width();
    const uint8_t* in = dib.Row(row);
    if (dib.BitCount() == 24 && bits == 32) {
        for (int32_t x = 0; x < w; ++x, in += 3, out += 4) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            out[3] = 255;
        }
    } else if (dib.BitCount() == 32 && bits == 24) {
        for (int32_t x = 0; x < w; ++x, in += 4, out += 3) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
    } else {
        for (int32_t x = 0; x < w; ++x, out += bits / 8) {
            const uint32_t p = Pixel32(dib, x, row);
            out[0] = static_cast<uint8_t>(p);
            out[1] = static_cast<uint8_t>(p >> 8);
            out[2] = static_cast<uint8_t>(p >> 16);
            if (bits == 32) out[3] = static_cast<uint8_t>(p >> 24);
        }
    }
}

}  // namespace

bool ConvertDIB(DibHandle& dib, int32_t bits) {
    if (!dib || (bits != 24 && bits != 32)) return false;
    if (dib->BitCount() == bits) return true;
    DibHandle out = CreateDIBForWriting(dib->Width(), dib->Height(), bits);
    if (!out) return false;
    for (int32_t row = 0; row < dib->Height(); ++row) ConvertRow(*dib, row, bits, out->Row(row));
    dib = std::move(out);
    return true;
}

namespace {

// One axis of the box scaling: target i covers source [first[i], first[i + 1]),
// at least one pixel.
struct Spans {
    std::vector<int32_t> start, count;
};

Spans SpansFor(int32_t source, int32_t target) {
    Spans s;
    s.start.resize(static_cast<size_t>(target));
    s.count.resize(static_cast<size_t>(target));
    for (int32_t i = 0; i < target; ++i) {
        const auto a = static_cast<int32_t>(int64_t{i} * source / target);
        const auto b = static_cast<int32_t>(int64_t{i + 1} * source / target);
        s.start[static_cast<size_t>(i)] = std::min(a, source - 1);
        s.count[static_cast<size_t>(i)] = std::max(1, b - a);
    }
    return s;
}

}  // namespace

DibHandle StretchDIB(const Dib& dib, int32_t width, int32_t height) {
    if (width < 1 || height < 1) return nullptr;
    const int32_t depth = WorkingDepth(dib);
    DibHandle out = CreateDIBForWriting(width, height, depth);
    if (!out) return nullptr;
    const Spans xs = SpansFor(dib.Width(), width);
    // Rows are counted from the top in both pictures.
    const Spans ys = SpansFor(dib.Height(), height);
    std::vector<uint64_t> sums(static_cast<size_t>(width) * 4);
    for (int32_t ty = 0; ty < height; ++ty) {
        std::fill(sums.begin(), sums.end(), 0);
        const int32_t y0 = ys.start[static_cast<size_t>(ty)], ny = ys.count[static_cast<size_t>(ty)];
        for (int32_t sy = y0; sy < y0 + ny; ++sy) {
            const int32_t memoryRow = dib.Height() - 1 - sy;
            for (int32_t tx = 0; tx < width; ++tx) {
                const int32_t x0 = xs.start[static_cast<size_t>(tx)], nx = xs.count[static_cast<size_t>(tx)];
                uint64_t* sum = &sums[static_cast<size_t>(tx) * 4];
                for (int32_t sx = x0; sx < x0 + nx; ++sx) {
                    const uint32_t p = Pixel32(dib, sx, memoryRow);
                    for (int c = 0; c < 4; ++c) sum[c] += (p >> (8 * c)) & 0xFF;
                }
            }
        }
        for (int32_t tx = 0; tx < width; ++tx) {
            const uint64_t n = uint64_t(ny) * uint64_t(xs.count[static_cast<size_t>(tx)]);
            const uint64_t* sum = &sums[static_cast<size_t>(tx) * 4];
            uint32_t p = 0;
            for (int c = 0; c < 4; ++c) p |= static_cast<uint32_t>((sum[c] + n / 2) / n) << (8 * c);
            PutPixel32(*out, tx, height - 1 - ty, p);
        }
    }
    return out;
}

DibHandle RotateDIB(const Dib& dib, int32_t tenthsOfDegree, gdi::Color) {
    if (tenthsOfDegree % 900 != 0) return nullptr;
    const int32_t quarter = ((tenthsOfDegree / 900) % 4 + 4) % 4;  // counter-clockwise quarters
    const int32_t w = dib.Width(), h = dib.Height();
    const bool swapped = quarter % 2 == 1;
    DibHandle out = CreateDIBForWriting(swapped ? h : w, swapped ? w : h, WorkingDepth(dib));
    if (!out) return nullptr;
    const int32_t outH = out->Height();
    // In picture coordinates (y from the top): a counter-clockwise quarter
    // takes (x, y) to (y, w - 1 - x).
    for (int32_t y = 0; y < h; ++y) {
        const int32_t memoryRow = h - 1 - y;
        for (int32_t x = 0; x < w; ++x) {
            int32_t tx = x, ty = y;
            switch (quarter) {
            case 1: tx = y; ty = w - 1 - x; break;
            case 2: tx = w - 1 - x; ty = h - 1 - y; break;
            case 3: tx = h - 1 - y; ty = x; break;
            default: break;
            }
            PutPixel32(*out, tx, outH - 1 - ty, Pixel32(dib, x, memoryRow));
        }
    }
    return out;
}

DibHandle GrayDIB(const Dib& dib) {
    DibHandle out = CreateDIBForWriting(dib.Width(), dib.Height(), WorkingDepth(dib));
    if (!out) return nullptr;
    for (int32_t row = 0; row < dib.Height(); ++row) {
        for (int32_t x = 0; x < dib.Width(); ++x) {
            const uint32_t p = Pixel32(dib, x, row);
            const uint32_t grey = ((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF)) / 3;
            PutPixel32(*out, x, row, (p & 0xFF000000u) | grey | grey << 8 | grey << 16);
        }
    }
    return out;
}

DibHandle DIBFromBitmap(const gdi::Bitmap& bitmap, int32_t bits) {
    if (bitmap.IsEmpty() || (bits != 24 && bits != 32)) return nullptr;
    DibHandle out = CreateDIBForWriting(bitmap.Width(), bitmap.Height(), bits);
    if (!out) return nullptr;
    const bool alpha = bitmap.image().hasAlphaChannel();
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        const uint32_t* line = bitmap.ScanLine(y);
        const int32_t memoryRow = bitmap.Height() - 1 - y;
        for (int32_t x = 0; x < bitmap.Width(); ++x)
            PutPixel32(*out, x, memoryRow, alpha ? line[x] : (line[x] | 0xFF000000u));
    }
    return out;
}

gdi::Bitmap BitmapFromDIB(const Dib& dib, bool keepAlpha) {
    const bool alpha = keepAlpha && dib.BitCount() == 32;
    QImage image(dib.Width(), dib.Height(), alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull()) return gdi::Bitmap();
    for (int32_t y = 0; y < dib.Height(); ++y) {
        auto* line = reinterpret_cast<uint32_t*>(image.scanLine(y));
        const int32_t memoryRow = dib.Height() - 1 - y;
        if (alpha) {
            std::memcpy(line, dib.Row(memoryRow), static_cast<size_t>(dib.Width()) * 4);
        } else if (dib.BitCount() == 32) {
            const uint32_t* source = dib.Row32(memoryRow);
            for (int32_t x = 0; x < dib.Width(); ++x) line[x] = source[x] | 0xFF000000u;
        } else {
            for (int32_t x = 0; x < dib.Width(); ++x) line[x] = Pixel32(dib, x, memoryRow);
        }
    }
    return gdi::Bitmap(std::move(image));
}

void StretchDIBBlt(gdi::Canvas& canvas, int32_t x, int32_t y, int32_t w, int32_t h, const Dib& dib, int32_t sx,
                   int32_t sy, int32_t sw, int32_t sh, uint32_t rop) {
    // Blits are opaque: an alpha channel plays no part.
    const gdi::Bitmap bitmap = BitmapFromDIB(dib, false);
    if (bitmap.IsEmpty()) return;
    canvas.StretchBlt({x, y, x + w, y + h}, bitmap, {sx, sy, sx + sw, sy + sh}, rop);
}

// ---- reading DIBs of outside bytes

namespace {

int CountBits(uint32_t mask) {
    int n = 0;
    for (; mask; mask &= mask - 1) ++n;
    return n;
}
int LowBit(uint32_t mask) {
    int n = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++n;
    }
    return n;
}
// A masked channel scaled to 8 bits.
uint32_t Channel(uint32_t value, uint32_t mask) {
    if (!mask) return 0;
    const uint32_t raw = (value & mask) >> LowBit(mask);
    const int bits = CountBits(mask);
    if (bits >= 8) return raw >> (bits - 8);
    const uint32_t max = (1u << bits) - 1;
    return (raw * 255 + max / 2) / max;
}

struct Masks {
    uint32_t red = 0, green = 0, blue = 0, alpha = 0;
};

}  // namespace

DibHandle DibFromParts(std::span<const uint8_t> info, std::span<const uint8_t> bits) {
    if (info.size() < kInfoHeaderSize) return nullptr;
    const uint8_t* p = info.data();
    const uint32_t headerSize = GetU32(p);
    if (headerSize < kInfoHeaderSize || headerSize > info.size()) return nullptr;
    const auto width = static_cast<int32_t>(GetU32(p + 4));
    const auto rawHeight = static_cast<int32_t>(GetU32(p + 8));
    const int32_t depth = GetU16(p + 14);
    const uint32_t compression = GetU32(p + 16);
    const uint32_t used = GetU32(p + 32);
    if (rawHeight == INT32_MIN) return nullptr;
    const bool topDown = rawHeight < 0;
    const int32_t height = topDown ? -rawHeight : rawHeight;
    if (!SizeAllowed(width, height)) return nullptr;

    Masks masks;
    size_t tableOffset = headerSize;
    if (depth == 16 || depth == 32) {
        if (compression == BI_BITFIELDS) {
            if (headerSize >= 52) {
                masks = {GetU32(p + 40), GetU32(p + 44), GetU32(p + 48), headerSize >= 56 ? GetU32(p + 52) : 0};
            } else {
                if (info.size() < size_t{headerSize} + 12) return nullptr;
                masks = {GetU32(p + headerSize), GetU32(p + headerSize + 4), GetU32(p + headerSize + 8), 0};
                tableOffset += 12;
            }
        } else if (compression == BI_RGB) {
            masks = depth == 16 ? Masks{0x7C00, 0x03E0, 0x001F, 0} : Masks{0xFF0000, 0xFF00, 0xFF, 0};
        } else {
            return nullptr;
        }
    } else if (compression != BI_RGB || (!IsPaletted(depth) && depth != 24)) {
        return nullptr;  // run-length coding and odd depths are not read
    }

    const uint32_t colors = IsPaletted(depth) ? (used ? used : 1u << depth) : 0;
    if (IsPaletted(depth) && colors > (1u << depth)) return nullptr;
    if (info.size() - tableOffset < size_t{colors} * 4) return nullptr;
    const uint32_t rowBytes = RowBytesFor(width, depth);
    if (uint64_t{rowBytes} * uint64_t(height) > bits.size()) return nullptr;

    const int32_t outDepth = (depth == 16 || depth == 32) ? 32 : depth;
    DibHandle out = CreateDIBForWriting(width, height, outDepth);
    if (!out) return nullptr;
    if (colors) {
        std::memcpy(out->ColorTable(), info.data() + tableOffset, size_t{colors} * 4);
        // The unused rest of the grey table becomes black, as readers expect of short tables.
        std::fill(out->ColorTable() + size_t{colors} * 4, out->ColorTable() + 4 * (size_t{1} << depth), 0);
    }
    for (int32_t row = 0; row < height; ++row) {
        const uint8_t* source = bits.data() + size_t{rowBytes} * static_cast<size_t>(topDown ? height - 1 - row : row);
        if (outDepth == depth && depth != 32) {
            std::memcpy(out->Row(row), source, rowBytes);
            continue;
        }
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t v = depth == 16 ? GetU16(source + 2 * x) : GetU32(source + 4 * x);
            const uint32_t a = masks.alpha ? Channel(v, masks.alpha) : (depth == 32 ? v >> 24 : 255);
            PutU32(out->Row(row) + 4 * x, Channel(v, masks.blue) | Channel(v, masks.green) << 8 |
                                              Channel(v, masks.red) << 16 | a << 24);
        }
    }
    return out;
}

DibHandle DibFromPacked(std::span<const uint8_t> packed) {
    if (packed.size() < kInfoHeaderSize) return nullptr;
    const uint32_t headerSize = GetU32(packed.data());
    if (headerSize < kInfoHeaderSize || headerSize > packed.size()) return nullptr;
    const int32_t depth = GetU16(packed.data() + 14);
    const uint32_t compression = GetU32(packed.data() + 16);
    uint64_t tableBytes = 0;
    if (IsPaletted(depth)) {
        const uint32_t used = GetU32(packed.data() + 32);
        tableBytes = 4 * uint64_t(used ? used : 1u << depth);
    } else if (compression == BI_BITFIELDS && headerSize < 52) {
        tableBytes = 12;
    }
    const uint64_t bitsOffset = headerSize + tableBytes;
    if (bitsOffset > packed.size()) return nullptr;
    return DibFromParts(packed.first(static_cast<size_t>(bitsOffset)), packed.subspan(static_cast<size_t>(bitsOffset)));
}

}  // namespace imaging
