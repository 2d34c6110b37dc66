#include "design/PreviewContentStreams.h"

#include "foundation/Exceptions.h"
#include "foundation/StreamHelp.h"
#include "platform/imaging/Dib.h"

#include <cstring>

namespace {

constexpr const char* kDamaged = "Stream read error";

void Skip(TStream& stream, int64_t count) {
    stream.RequireAvailable(count);
    stream.Seek(count, SeekOrigin::Current);
}

// A count of items that take at least itemSize bytes each; a negative count is none.
int64_t CheckedCount(TStream& stream, int32_t count, int64_t itemSize) {
    if (count <= 0) return 0;
    if (count > stream.Remaining() / itemSize) throw EReadError(kDamaged);
    return count;
}

void SkipStrings(TStream& stream, int64_t count) {
    for (int64_t i = 0; i < count; ++i) StreamReadString(stream);
}

// One bitmap file: the 14-byte file header ("BM", size, reserved, offset of
// the bits), the info header, the colour table and the rows.
void SkipBitmapFile(TStream& stream) {
    const int64_t start = stream.Position();
    uint8_t fileHeader[14];
    stream.ReadBuffer(fileHeader, sizeof fileHeader);
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') throw EReadError(kDamaged);
    uint32_t bitsOffset = 0;
    std::memcpy(&bitsOffset, fileHeader + 10, 4);
    const uint32_t infoSize = StreamReadValue<uint32_t>(stream);
    if (infoSize < 12 || bitsOffset < 14 + int64_t{infoSize}) throw EReadError(kDamaged);
    int32_t width = 0, height = 0;
    uint16_t bits = 0;
    if (infoSize == 12) {
        width = StreamReadValue<int16_t>(stream);
        height = StreamReadValue<int16_t>(stream);
        StreamReadValue<uint16_t>(stream);
        bits = StreamReadValue<uint16_t>(stream);
    } else {
        width = StreamReadInt(stream);
        height = StreamReadInt(stream);
        StreamReadValue<uint16_t>(stream);
        bits = StreamReadValue<uint16_t>(stream);
    }
    if (width < 0 || bits == 0 || bits > 32 || height == INT32_MIN) throw EReadError(kDamaged);
    const int64_t rows = height < 0 ? -int64_t{height} : height;
    const int64_t end = start + bitsOffset + int64_t{imaging::RowBytesFor(width, bits)} * rows;
    const int64_t here = stream.Position();
    if (end < here) throw EReadError(kDamaged);
    Skip(stream, end - here);
}

}  // namespace

void SkipImageList(TStream& stream) {
    uint8_t header[28];
    stream.ReadBuffer(header, sizeof header);
    if (header[0] != 'I' || header[1] != 'L') throw EReadError(kDamaged);
    uint16_t flags = 0;
    std::memcpy(&flags, header + 18, 2);
    SkipBitmapFile(stream);
    if (flags & 1) SkipBitmapFile(stream);
}

void SkipTreeData(TStream& stream) {
    // Five strings of four length bytes, three int32 and four bytes.
    const int64_t count = CheckedCount(stream, StreamReadInt(stream), 5 * 4 + 3 * 4 + 4);
    for (int64_t i = 0; i < count; ++i) {
        SkipStrings(stream, 5);
        Skip(stream, 3 * 4 + 4);
    }
    SkipImageList(stream);
    Skip(stream, 4 + 7);
}

void SkipContourList(TStream& stream) {
    const int64_t contours = CheckedCount(stream, StreamReadInt(stream), 4);
    for (int64_t i = 0; i < contours; ++i) {
        const int64_t strokes = CheckedCount(stream, StreamReadInt(stream), 28);
        Skip(stream, strokes * 28);
    }
}

void SkipRichTextTable(TStream& stream) {
    StreamReadInt(stream);  // the version
    const int32_t columns = StreamReadInt(stream);
    const int32_t rows = StreamReadInt(stream);
    const int64_t c = columns > 0 ? columns : 0;
    const int64_t r = rows > 0 ? rows : 0;
    // Sizes of 4 bytes per column and row, twice each, and the two defaults.
    if (c > stream.Remaining() / 8 || r > stream.Remaining() / 8) throw EReadError(kDamaged);
    Skip(stream, 8 * c + 8 * r + 8);
    // Every cell text takes at least its length.
    if (r > 0 && c > stream.Remaining() / 4 / r) throw EReadError(kDamaged);
    SkipStrings(stream, c * r);
}
