#include "platform/gdi/ThinLines.h"

#include "platform/gdi/LineDDA.inl"

#include <algorithm>

namespace gdi {

DashWalk::DashWalk(const QList<qreal>& pattern) {
    for (const qreal d : pattern) lengths_.push_back(std::max(1, static_cast<int>(d + 0.5)));
    for (const int64_t l : lengths_) period_ += l;
    left_ = lengths_.empty() ? 0 : lengths_[0];
}

void DashWalk::Advance(int64_t pixels) {
    if (lengths_.empty()) return;
    pixels %= period_;
    while (pixels > 0) {
        const int64_t step = std::min(pixels, left_);
        left_ -= step;
        pixels -= step;
        if (left_ == 0) {
            dash_ = (dash_ + 1) % lengths_.size();
            left_ = lengths_[dash_];
        }
    }
}

namespace {

// The steps of a line's walk whose position along the major axis lies in the
// window; the others are clipped away and need not be walked.
std::pair<int64_t, int64_t> StepsWithin(QPoint a, QPoint b, const QRect& window, int64_t length) {
    const bool xMajor = std::abs(int64_t{b.x()} - a.x()) >= std::abs(int64_t{b.y()} - a.y());
    const int64_t start = xMajor ? a.x() : a.y(), end = xMajor ? b.x() : b.y();
    const int64_t low = xMajor ? window.left() : window.top(), high = xMajor ? window.right() : window.bottom();
    const int64_t from = start < end ? low - start : start - high;
    const int64_t to = start < end ? high - start : start - low;
    const int64_t first = std::clamp<int64_t>(from, 0, length);
    return {first, std::clamp<int64_t>(to + 1, first, length)};
}

// Joins pixels that follow each other along a row or a column into one run.
class RunJoiner {
public:
    explicit RunJoiner(RunSink& sink) : sink_(sink) {}
    ~RunJoiner() { Flush(); }
    void Add(bool on, int32_t x, int32_t y) {
        if (open_ && on == on_) {
            if (bottom_ - top_ == 1 && y == top_ && (x == right_ || x == left_ - 1)) {
                (x == right_ ? right_ : left_) = x == right_ ? right_ + 1 : x;
                return;
            }
            if (right_ - left_ == 1 && x == left_ && (y == bottom_ || y == top_ - 1)) {
                (y == bottom_ ? bottom_ : top_) = y == bottom_ ? bottom_ + 1 : y;
                return;
            }
        }
        Flush();
        open_ = true;
        on_ = on;
        left_ = x;
        right_ = x + 1;
        top_ = y;
        bottom_ = y + 1;
    }
    void Flush() {
        if (!open_) return;
        if (bottom_ - top_ == 1) {
            sink_.Run(on_, top_, left_, right_);
        } else {
            sink_.Column(on_, left_, top_, bottom_);
        }
        open_ = false;
    }

private:
    RunSink& sink_;
    bool open_ = false, on_ = true;
    int32_t left_ = 0, right_ = 0, top_ = 0, bottom_ = 0;
};

}  // namespace

void WalkThinPolyline(std::span<const QPoint> points, const QList<qreal>& dashes, const QRect& window,
                      RunSink& sink) {
    DashWalk walk(dashes);
    RunJoiner runs(sink);
    const int32_t left = window.left(), right = window.right(), top = window.top(), bottom = window.bottom();
    auto shows = [&](int32_t x, int32_t y) { return x >= left && x <= right && y >= top && y <= bottom; };
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const QPoint a = points[i], b = points[i + 1];
        const int64_t length = LineDDALength(a.x(), a.y(), b.x(), b.y());
        const auto [first, last] = StepsWithin(a, b, window, length);
        if (dashes.isEmpty()) {
            LineDDASteps(a.x(), a.y(), b.x(), b.y(), first, last, [&](int32_t x, int32_t y) {
                if (shows(x, y)) runs.Add(true, x, y);
            });
            continue;
        }
        walk.Advance(first);
        LineDDASteps(a.x(), a.y(), b.x(), b.y(), first, last, [&](int32_t x, int32_t y) {
            if (shows(x, y)) runs.Add(walk.On(), x, y);
            walk.Advance(1);
        });
        walk.Advance(length - last);
    }
}

}  // namespace gdi
