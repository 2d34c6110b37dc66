#include "shapes/TTFConverter.h"

#include "foundation/CharsetText.h"
#include "foundation/LittleEndian.h"
#include "shapes/KonturList.h"

#include <optional>
#include <span>

namespace {

constexpr int32_t kDefaultHeight = 288;

uint32_t ReadU32(std::span<const uint8_t> d, size_t at) { return static_cast<uint32_t>(GetLittleEndian(&d[at], 4)); }
uint16_t ReadU16(std::span<const uint8_t> d, size_t at) { return static_cast<uint16_t>(GetLittleEndian(&d[at], 2)); }

TPoint ReadPoint(std::span<const uint8_t> d, size_t at) {
    return {gdi::RoundFixed(static_cast<gdi::Fixed>(ReadU32(d, at))),
            gdi::RoundFixed(static_cast<gdi::Fixed>(ReadU32(d, at + 4)))};
}

// Walks the contours of native outline data into the list, each point moved
// by offset with y turned downwards.
class TGlyphWalker {
public:
    TGlyphWalker(TKonturList& list, TPoint offset) : list_(list), offset_(offset) {}

    void Walk(std::span<const uint8_t> data) {
        list_.AddKontur();
        for (size_t at = 0; data.size() - at >= gdi::kContourHeaderSize;) {
            const uint32_t cb = ReadU32(data, at);
            if (ReadU32(data, at + 4) != gdi::kPolygonContour) break;
            if (cb < gdi::kContourHeaderSize || cb > data.size() - at) break;
            WalkContour(data.subspan(at, cb));
            list_.AddKontur();
            at += cb;
        }
        for (int32_t i = list_.Count() - 1; i >= 0; --i)
            if (list_.Items(i).Count() == 0) list_.Delete(i);
    }

private:
    TKontur& Current() { return list_.Items(list_.Count() - 1); }
    void MoveIfEmpty(TPoint p) {
        if (Current().Count() == 0) Current().MoveTo(X(p), Y(p));
    }
    float X(TPoint p) const { return static_cast<float>(int64_t{p.x} + offset_.x); }
    float Y(TPoint p) const { return static_cast<float>(-int64_t{p.y} + offset_.y); }

    void LineTo(TPoint& current, TPoint p) {
        const TPoint previous = current;
        current = p;
        if (current != previous) {
            MoveIfEmpty(previous);
            Current().LineTo(X(current), Y(current));
        }
    }

    void WalkContour(std::span<const uint8_t> contour) {
        const TPoint start = ReadPoint(contour, 8);
        TPoint current = start;
        for (size_t at = gdi::kContourHeaderSize; contour.size() - at >= gdi::kRecordHeaderSize;) {
            const uint16_t type = ReadU16(contour, at);
            const size_t count = ReadU16(contour, at + 2);
            const size_t first = at + gdi::kRecordHeaderSize;
            if (count * gdi::kFixedPointSize > contour.size() - first) break;
            const auto point = [&](size_t i) { return ReadPoint(contour, first + i * gdi::kFixedPointSize); };
            if (type == gdi::kLineRecord) {
                for (size_t i = 0; i < count; ++i) LineTo(current, point(i));
            } else if (type == gdi::kQSplineRecord && count >= 2) {
                TPoint s = current;
                for (size_t i = 0; i + 1 < count; ++i) {
                    const TPoint control = point(i);
                    const TPoint next = point(i + 1);
                    const TPoint end = i + 2 == count ? next
                                                      : TPoint{static_cast<int32_t>((int64_t{control.x} + next.x) / 2),
                                                               static_cast<int32_t>((int64_t{control.y} + next.y) / 2)};
                    MoveIfEmpty(s);
                    Current().QuadTo(X(control), Y(control), X(end), Y(end));
                    s = end;
                }
                current = s;
            }
            at = first + count * gdi::kFixedPointSize;
        }
        LineTo(current, start);
    }

    TKonturList& list_;
    TPoint offset_;
};

}  // namespace

TTTFConverter::TTTFConverter() {
    Font.SetName("Arial");
    Font.SetHeight(kDefaultHeight);
}

void TTTFConverter::CharToKonturList(TKonturList& list, int32_t code) {
    Pen = {0, 0};
    AddGlyph(static_cast<uint8_t>(code & 0xFF), list);
}

void TTTFConverter::UnicodeCharToKonturList(TKonturList& list, char32_t code) {
    Pen = {0, 0};
    AddGlyphOf(code, list);
}

void TTTFConverter::AddGlyph(uint8_t code, TKonturList& list) {
    AddGlyphOf(CharsetByteToUnicode(code, Font.Charset()), list);
}

void TTTFConverter::AddGlyphOf(char32_t code, TKonturList& list) {
    // Every field of the matrix has the fraction 1/65536.
    const gdi::Mat2 matrix{65537, 1, 1, 65537};
    const std::optional<gdi::GlyphOutlineData> outline = gdi::BuildGlyphOutline(Font.ToLogFont(), code, matrix);
    if (!outline || outline->data.empty()) return;
    Metrics = outline->metrics;
    const TPoint offset{static_cast<int32_t>(int64_t{Origin.x} + Pen.x), static_cast<int32_t>(int64_t{Origin.y} + Pen.y)};
    TGlyphWalker(list, offset).Walk(outline->data);
}
