#include "foundation/WrappedText.h"

#include "foundation/Codepage1252.h"
#include "foundation/Rounding.h"
#include "platform/gdi/BitmapCanvas.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <optional>
#include <span>
#include <vector>

namespace {

constexpr int32_t kMaxLines = 10000;

bool IsWordEnd(char16_t c) { return c == u' ' || c == u'\r'; }

// Measures on the canvas's device, or on a screen-compatible bitmap with
// the same font when the device has no font metrics.
class Measurer {
public:
    explicit Measurer(gdi::Canvas& canvas) : canvas_(&canvas) {
        if (canvas.TextExtent(u"Xy").cx != 0) return;
        const gdi::DeviceCaps screen = gdi::ScreenCaps();
        screen_ = std::make_unique<gdi::BitmapCanvas>(1, 1, screen.logPixelsX, screen.logPixelsY);
        gdi::LogFont font = canvas.font();
        font.escapement = font.orientation = 0;
        screen_->SetFont(font);
        canvas_ = screen_.get();
    }
    // prefix[i] = the width of text[0..i).
    std::vector<int32_t> Prefix(std::u16string_view text) {
        std::vector<int32_t> prefix(text.size() + 1, 0);
        const std::vector<int32_t> extents = canvas_->PartialExtents(text);
        for (size_t i = 0; i < text.size() && i < extents.size(); ++i) prefix[i + 1] = extents[i];
        return prefix;
    }
    int32_t Height(std::u16string_view text) { return canvas_->TextExtent(text).cy; }

private:
    gdi::Canvas* canvas_;
    std::unique_ptr<gdi::BitmapCanvas> screen_;
};

struct Layout {
    std::u16string_view text;
    std::vector<int32_t> prefix;
    int32_t Width(size_t from, size_t to) const { return prefix[to] - prefix[from]; }
    size_t WordEnd(size_t from) const {
        size_t e = from;
        while (e < text.size() && !IsWordEnd(text[e])) ++e;
        return e;
    }
};

// The end (exclusive) of the line that starts at p, for the width w.
size_t BreakLine(const Layout& layout, size_t p, int32_t w) {
    const size_t n = layout.text.size();
    size_t lineEnd = p;
    int32_t words = 0;
    size_t q = p;
    while (true) {
        const size_t wordEnd = layout.WordEnd(q);
        const int32_t width = layout.Width(p, wordEnd);
        if (width > w) break;
        if (wordEnd == n || layout.text[wordEnd] == u'\r') {
            // A last word that makes the line exactly as wide as the box
            // moves to the next line.
            if (width < w) {
                lineEnd = wordEnd;
                ++words;
            }
            break;
        }
        lineEnd = wordEnd;
        ++words;
        q = wordEnd + 1;
    }
    if (words > 0) return lineEnd;
    // Not even the first word fits: it is cut after the last character that
    // fits, but keeps at least one.
    size_t e = layout.WordEnd(p);
    while (e > p && layout.text[e - 1] == u' ') --e;
    while (e > p + 1 && layout.Width(p, e) > w) --e;
    return e;
}

int32_t CountSpaces(std::u16string_view line) {
    return static_cast<int32_t>(std::count(line.begin(), line.end(), u' '));
}

std::vector<int32_t> PlainWidths(const Layout& layout, size_t from, size_t to) {
    std::vector<int32_t> widths;
    for (size_t i = from; i < to; ++i) widths.push_back(layout.Width(i, i + 1));
    return widths;
}

void ClearBrush(gdi::Canvas& canvas) {
    canvas.SetBrush(gdi::NullBrush());
    canvas.SetBkMode(gdi::BkMode::Transparent);
}

// Coordinates are worked out in 64 bits and saturate where they reach the
// device, so a rectangle near the ends of the 32-bit range cannot overflow.
int32_t At(int64_t v) { return gdi::Saturated(v); }

// One layout pass; returns the block height.
//
// Two places differ on purpose from a plain reading of the layout rules:
// - The check whether the next line fits comes after the separators of the
//   line just laid out (a blank, CR, LF and further empty CR LF lines) are
//   passed: empty lines take their height before the check, so a line below
//   them is never drawn outside the rectangle, and line breaks at the end of
//   the text are not text that "remained" (Complete stays true).
// - Justified lines give a space one more pixel when the running remainder
//   passes half the number of gaps, not when it reaches it: with one gap,
//   reaching would add a pixel too many and push the line past the edge.
int32_t WrapPass(gdi::Canvas& canvas, std::u16string_view text, const gdi::Rect& rect, gdi::Point centre,
                 uint8_t flags, double angle, TWrappedTextResult& result) {
    canvas.font().escapement = angle == 0 ? 0 : Round(-angle * 10);
    Measurer measurer(canvas);
    Layout layout{text, measurer.Prefix(text)};
    const int32_t w = rect.Width();
    const bool measureOnly = flags & wtMeasureOnly;
    const double radians = angle * std::numbers::pi / 180;
    const double cosine = std::cos(radians), sine = std::sin(radians);

    result.Complete = true;
    gdi::Rect& bounds = result.Bounds;
    bounds = {centre.x, centre.y, centre.x, centre.y};
    if (flags & (wtLeft | wtJustify)) bounds.left = At(int64_t{rect.left} + 1);
    if (flags & wtRight) bounds.right = At(int64_t{rect.right} - 1);
    if (flags & wtTop) bounds.top = At(int64_t{rect.top} + 1);
    if (flags & wtBottom) bounds.bottom = At(int64_t{rect.bottom} - 1);

    const size_t n = text.size();
    int64_t y = rect.top;
    size_t pos = 0;
    for (int32_t lines = 0; pos < n && lines < kMaxLines; ++lines) {
        const size_t start = pos;
        const size_t end = BreakLine(layout, start, w);
        const std::u16string_view line = text.substr(start, end - start);
        const int32_t width = layout.Width(start, end);
        const int32_t height = measurer.Height(line);
        int64_t x = rect.left;
        if (flags & wtRight) x = int64_t{rect.right} - width;
        if (flags & wtCenter) x = (int64_t{rect.left} + rect.right - width) / 2;
        const int32_t gaps = CountSpaces(line);
        const bool justify = (flags & wtJustify) && end < n && text[end] != u'\r' && gaps > 0;

        if (!measureOnly) {
            const int32_t top = At(y), bottom = At(y + height);
            const gdi::Rect lineRect = justify ? gdi::Rect{rect.left, top, rect.right, bottom}
                                               : gdi::Rect{At(x), top, At(x + width), bottom};
            bounds.left = std::min(bounds.left, lineRect.left);
            bounds.top = std::min(bounds.top, lineRect.top);
            bounds.right = std::max(bounds.right, lineRect.right);
            bounds.bottom = std::max(bounds.bottom, lineRect.bottom);
            ClearBrush(canvas);
            const double dx = static_cast<double>(x - centre.x), dy = static_cast<double>(y - centre.y);
            const int32_t tx = Round(centre.x + cosine * dx - sine * dy);
            const int32_t ty = Round(centre.y + sine * dx + cosine * dy);
            if (canvas.IsPrinter()) canvas.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
            if (justify) {
                const std::vector<int32_t> advances =
                    JustifiedAdvances(line, PlainWidths(layout, start, end), w - width);
                canvas.ExtTextOut(tx, ty, 0, nullptr, line, advances);
            } else {
                canvas.TextOut(tx, ty, line);
            }
        }

        y += height;
        pos = end;
        for (const char16_t separator : {u' ', u'\r', u'\n'}) {
            if (pos < n && text[pos] == separator) ++pos;
        }
        while (pos + 1 < n && text[pos] == u'\r' && text[pos + 1] == u'\n') {
            pos += 2;
            y += height;
        }
        if (rect.bottom < y + height) {
            if (pos < n) result.Complete = false;
            break;
        }
        if (pos == start) break;
    }
    canvas.font().escapement = 0;
    return At(y - rect.top);
}

}  // namespace

std::vector<int32_t> JustifiedAdvances(std::u16string_view line, std::span<const int32_t> widths, int32_t extra) {
    std::vector<int32_t> advances(widths.begin(), widths.end());
    const int32_t gaps = CountSpaces(line);
    if (gaps == 0) return advances;
    const int32_t each = extra / gaps, spread = extra % gaps;
    int32_t remainder = 0;
    for (size_t i = 0; i < line.size() && i < advances.size(); ++i) {
        if (line[i] != u' ') continue;
        int64_t advance = int64_t{advances[i]} + each;
        remainder += spread;
        // Bresenham's rule: one more pixel whenever the remainder passes
        // (not reaches) half the gaps, so that the spaces add up to exactly
        // `extra`, also on a line of one gap.
        if (remainder > gaps / 2) {
            ++advance;
            remainder -= gaps;
        }
        advances[i] = At(advance);
    }
    return advances;
}

int32_t DrawWrappedTextRotated(gdi::Canvas& canvas, const std::string& text, const gdi::Rect& rect,
                               TWrappedTextResult& result, uint8_t flags, double angle) {
    const std::u16string wide = AnsiToWide(text);
    const gdi::Point centre{At((int64_t{rect.left} + rect.right) / 2), At((int64_t{rect.top} + rect.bottom) / 2)};
    gdi::Rect r = rect;
    if (flags & (wtVCenter | wtBottom)) {
        TWrappedTextResult measured;
        const int32_t height = WrapPass(canvas, wide, r, centre, flags | wtMeasureOnly, angle, measured);
        if (flags & wtVCenter) {
            r.top = At(r.top + (int64_t{r.Height()} - height) / 2);
        } else {
            r.top = At(int64_t{r.bottom} - height);
        }
    }
    return WrapPass(canvas, wide, r, centre, flags, angle, result);
}

int32_t DrawJustifiedText(gdi::Canvas& canvas, const std::string& text, const gdi::Rect& rect, int32_t vertical,
                          int32_t horizontal) {
    if (rect.Width() <= 0 || rect.Height() <= 0) return 0;
    const std::u16string wide = AnsiToWide(text);
    Measurer measurer(canvas);
    const Layout layout{wide, measurer.Prefix(wide)};
    const int32_t w = rect.Width();
    const size_t n = wide.size();

    struct Line {
        size_t start, end;
        bool paragraphEnd;
    };
    std::vector<Line> lines;
    if (n == 0) lines.push_back({0, 0, true});
    size_t q = 0;
    while (q < n) {
        std::optional<size_t> lastBreak;
        bool overflow = false;
        size_t i = q;
        for (;; ++i) {
            if (i < n && !IsWordEnd(wide[i])) continue;
            if (layout.Width(q, i) > w) {
                overflow = true;
                break;
            }
            if (i == n || wide[i] == u'\r') {
                lines.push_back({q, i, true});
                // CR LF; a CR alone ends the paragraph as well.
                q = i == n ? n : i + 1 + (i + 1 < n && wide[i + 1] == u'\n' ? 1 : 0);
                break;
            }
            lastBreak = i;
        }
        if (!overflow) continue;
        if (lastBreak) {
            lines.push_back({q, *lastBreak, false});
            q = *lastBreak + 1;
        } else {
            // A single word wider than the box: the longest part that fits,
            // at least one character.
            size_t e = q + 1;
            while (e < i && layout.Width(q, e + 1) <= w) ++e;
            lines.push_back({q, e, false});
            q = e;
        }
    }

    ClearBrush(canvas);
    const int64_t h = measurer.Height(u"Yy");
    const int64_t total = static_cast<int64_t>(lines.size()) * h;
    int64_t y = rect.top;
    if (vertical == 1) y = (int64_t{rect.top} + rect.bottom - total) / 2;
    if (vertical == 2) y = rect.bottom - total;
    y = std::max<int64_t>(y, rect.top);
    const int64_t firstTop = y;
    for (const Line& line : lines) {
        const std::u16string_view s = std::u16string_view(wide).substr(line.start, line.end - line.start);
        const int32_t width = layout.Width(line.start, line.end);
        if (horizontal == 3 && !line.paragraphEnd) {
            canvas.ExtTextOut(rect.left, At(y), 0, nullptr, s,
                              JustifiedAdvances(s, PlainWidths(layout, line.start, line.end), w - width));
        } else {
            int64_t x = rect.left;
            if (horizontal == 1) x = (int64_t{rect.left} + rect.right - width) / 2;
            if (horizontal == 2) x = int64_t{rect.right} - width;
            canvas.ExtTextOut(At(x), At(y), gdi::ETO_CLIPPED, &rect, s);
        }
        y += h;
        if (y > rect.bottom) break;
    }
    return At(std::min<int64_t>(total + firstTop - rect.top, rect.Height()));
}
