#include "platform/gdi/Spans.h"

#include <algorithm>

namespace gdi {

void IntersectSpans(std::span<const Span> a, std::span<const Span> b, SpanList& out) {
    out.clear();
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const int32_t left = std::max(a[i].left, b[j].left);
        const int32_t right = std::min(a[i].right, b[j].right);
        if (left < right) out.push_back({left, right});
        if (a[i].right < b[j].right) {
            ++i;
        } else {
            ++j;
        }
    }
}

void SubtractSpans(std::span<const Span> a, std::span<const Span> b, SpanList& out) {
    out.clear();
    size_t j = 0;
    for (const Span& s : a) {
        int32_t left = s.left;
        while (j < b.size() && b[j].right <= left) ++j;
        for (size_t k = j; k < b.size() && b[k].left < s.right; ++k) {
            if (b[k].left > left) out.push_back({left, b[k].left});
            left = std::max(left, b[k].right);
        }
        if (left < s.right) out.push_back({left, s.right});
    }
}

void InnerSpans(std::span<const Span> above, std::span<const Span> row, std::span<const Span> below, SpanList& out) {
    out.clear();
    size_t i = 0, j = 0;
    for (const Span& r : row) {
        const int32_t left = r.left + 1, right = r.right - 1;  // both neighbours in the row
        if (left >= right) continue;
        while (i < above.size() && above[i].right <= left) ++i;
        for (size_t a = i; a < above.size() && above[a].left < right; ++a) {
            const int32_t l = std::max(left, above[a].left), rr = std::min(right, above[a].right);
            while (j < below.size() && below[j].right <= l) ++j;
            for (size_t b = j; b < below.size() && below[b].left < rr; ++b) {
                const int32_t from = std::max(l, below[b].left), to = std::min(rr, below[b].right);
                if (from < to) out.push_back({from, to});
            }
        }
    }
}

void ClipSpans(SpanList& spans, int32_t left, int32_t right) {
    size_t kept = 0;
    for (const Span& s : spans) {
        const int32_t l = std::max(s.left, left), r = std::min(s.right, right);
        if (l < r) spans[kept++] = {l, r};
    }
    spans.resize(kept);
}

// ---- BandBuilder

void BandBuilder::AddRow(int32_t y, std::span<const Span> spans) {
    if (spans.empty()) return;
    if (y == bandEnd_ && std::equal(spans.begin(), spans.end(), current_.begin(), current_.end())) {
        ++bandEnd_;
        return;
    }
    Flush();
    current_.assign(spans.begin(), spans.end());
    bandTop_ = y;
    bandEnd_ = int64_t{y} + 1;
}

void BandBuilder::Flush() {
    for (const Span& s : current_) {
        const QRect r(s.left, bandTop_, s.right - s.left, static_cast<int>(bandEnd_ - bandTop_));
        if (onRect_) {
            onRect_(r);
        } else {
            rects_.push_back(r);
        }
    }
    current_.clear();
    bandEnd_ = INT64_MIN;
}

QRegion BandBuilder::Finish() {
    Flush();
    QRegion region;
    if (!rects_.empty()) region.setRects(rects_.data(), static_cast<int>(rects_.size()));
    rects_.clear();
    bandEnd_ = INT64_MIN;
    return region;
}

// ---- RegionRows

RegionRows::RegionRows(const QRegion& region) {
    spans_.reserve(static_cast<size_t>(region.rectCount()));
    for (const QRect& r : region) {
        const int32_t top = r.top(), bottom = r.top() + r.height();
        if (bands_.empty() || bands_.back().top != top) bands_.push_back({top, bottom, spans_.size(), 0});
        spans_.push_back({r.left(), r.left() + r.width()});
        ++bands_.back().count;
    }
}

RegionRows::RegionRows(std::vector<std::pair<int32_t, Span>> runs) {
    std::sort(runs.begin(), runs.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second.left < b.second.left;
    });
    for (const auto& [y, span] : runs) {
        if (bands_.empty() || bands_.back().top != y) {
            bands_.push_back({y, y + 1, spans_.size(), 0});
        } else if (spans_.back().right >= span.left) {
            spans_.back().right = std::max(spans_.back().right, span.right);
            continue;
        }
        spans_.push_back(span);
        ++bands_.back().count;
    }
}

std::span<const Span> RegionRows::At(int32_t y) const {
    if (bands_.empty()) return {};
    // Most calls ask for the band of the last call or the next one.
    if (last_ >= bands_.size() || bands_[last_].top > y) last_ = 0;
    if (bands_[last_].bottom <= y) {
        if (last_ + 1 < bands_.size() && bands_[last_ + 1].bottom > y) {
            ++last_;
        } else {
            const auto it = std::upper_bound(bands_.begin(), bands_.end(), y,
                                             [](int32_t row, const Band& b) { return row < b.bottom; });
            if (it == bands_.end()) return {};
            last_ = static_cast<size_t>(it - bands_.begin());
        }
    }
    const Band& band = bands_[last_];
    if (y < band.top) return {};
    return std::span<const Span>(spans_).subspan(band.first, band.count);
}

}  // namespace gdi
