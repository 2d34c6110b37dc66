#pragma once
// Rows of pixel spans: what the rasterisers of the drawing layer make and
// what regions and the painter backend take. A span list is sorted, its
// spans are disjoint, not empty and do not touch. Internal to the drawing
// layer.

#include <QtGui/QRegion>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace gdi {

// The pixels left..right-1 of one row.
struct Span {
    int32_t left = 0;
    int32_t right = 0;
    friend bool operator==(const Span&, const Span&) = default;
};
using SpanList = std::vector<Span>;

// out := a ∩ b, a − b. out must be neither input.
void IntersectSpans(std::span<const Span> a, std::span<const Span> b, SpanList& out);
void SubtractSpans(std::span<const Span> a, std::span<const Span> b, SpanList& out);
// Keeps the spans' parts within left..right-1.
void ClipSpans(SpanList& spans, int32_t left, int32_t right);
// The pixels of a row whose four neighbours lie in the area too, from the
// spans of the row and of the rows above and below it.
void InnerSpans(std::span<const Span> above, std::span<const Span> row, std::span<const Span> below, SpanList& out);
// Appends a span, joining it to the last one when they touch; spans must come
// from left to right.
inline void AppendSpan(SpanList& spans, int32_t left, int32_t right) {
    if (left >= right) return;
    if (!spans.empty() && spans.back().right >= left) {
        spans.back().right = std::max(spans.back().right, right);
        return;
    }
    spans.push_back({left, right});
}

// Collects rows of spans into bands, joining equal rows that follow each
// other into one band: into the y-x banded rectangles of a region (rows from
// top to bottom), or handing each band's rectangles over as it ends.
class BandBuilder {
public:
    BandBuilder() = default;
    explicit BandBuilder(std::function<void(const QRect&)> onRect) : onRect_(std::move(onRect)) {}
    void AddRow(int32_t y, std::span<const Span> spans);
    // Ends the current band.
    void Flush();
    QRegion Finish();

private:
    std::function<void(const QRect&)> onRect_;
    SpanList current_;
    int32_t bandTop_ = 0;
    int64_t bandEnd_ = INT64_MIN;
    std::vector<QRect> rects_;
};

// The rows of a region: its bands with their spans, found by row. Rows come
// fastest one after another from top to bottom.
class RegionRows {
public:
    explicit RegionRows(const QRegion& region);
    // Runs of pixels (row, span) in any order, overlapping or not.
    explicit RegionRows(std::vector<std::pair<int32_t, Span>> runs);
    // The spans of row y (empty outside the region).
    std::span<const Span> At(int32_t y) const;
    bool IsEmpty() const { return bands_.empty(); }

private:
    struct Band {
        int32_t top, bottom;  // rows top..bottom-1
        size_t first, count;  // in spans_
    };
    std::vector<Band> bands_;
    SpanList spans_;
    mutable size_t last_ = 0;
};

}  // namespace gdi
