#include "platform/gdi/DrawText.h"

#include "platform/gdi/Canvas.h"

#include <algorithm>
#include <string>
#include <vector>

namespace gdi {
namespace {

const std::u16string kEllipsis = u"...";

std::u16string WithoutPrefixes(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) ++i;  // "&x" shows x, "&&" one "&"
        else if (text[i] == u'&') continue;
        out += text[i];
    }
    return out;
}

int32_t WidthOf(Canvas& canvas, std::u16string_view text) {
    return text.empty() ? 0 : canvas.TextExtent(text).cx;
}

// The longest start of text that ends at a blank and fits into width; at
// least one word (or one character when the first word alone is too wide).
size_t BreakAt(Canvas& canvas, std::u16string_view text, int32_t width) {
    const std::vector<int32_t> extents = canvas.PartialExtents(text);
    size_t fits = 0;
    while (fits < text.size() && extents[fits] <= width) ++fits;
    if (fits == text.size()) return fits;
    for (size_t i = fits; i > 0; --i) {
        if (text[i] == u' ') return i;
    }
    const size_t word = text.find(u' ');
    if (word != std::u16string_view::npos && word > 0 && fits == 0) return word;
    return std::max<size_t>(fits, 1);
}

std::vector<std::u16string> SplitLines(Canvas& canvas, std::u16string_view text, int32_t width, uint32_t format) {
    std::vector<std::u16string> lines;
    if (format & DT_SINGLELINE) {
        lines.emplace_back(text);
        return lines;
    }
    size_t start = 0;
    while (true) {
        size_t end = text.find(u'\n', start);
        std::u16string_view paragraph = text.substr(start, end == std::u16string_view::npos ? text.npos : end - start);
        if (!paragraph.empty() && paragraph.back() == u'\r') paragraph.remove_suffix(1);
        if (!(format & DT_WORDBREAK) || paragraph.empty()) {
            lines.emplace_back(paragraph);
        }
        while ((format & DT_WORDBREAK) && !paragraph.empty()) {
            const size_t cut = BreakAt(canvas, paragraph, width);
            std::u16string_view line = paragraph.substr(0, cut);
            while (!line.empty() && line.back() == u' ') line.remove_suffix(1);
            lines.emplace_back(line);
            paragraph.remove_prefix(cut);
            while (!paragraph.empty() && paragraph.front() == u' ') paragraph.remove_prefix(1);
        }
        if (end == std::u16string_view::npos) break;
        start = end + 1;
    }
    return lines;
}

// The line itself when it fits, else its longest start followed by "..." that does.
std::u16string Ellipsized(Canvas& canvas, const std::u16string& line, int32_t width) {
    if (WidthOf(canvas, line) <= width) return line;
    const int32_t ellipsis = WidthOf(canvas, kEllipsis);
    const std::vector<int32_t> extents = canvas.PartialExtents(line);
    size_t keep = 0;
    while (keep < line.size() && extents[keep] + ellipsis <= width) ++keep;
    return line.substr(0, keep) + kEllipsis;
}

int32_t LineLeft(const Rect& r, int32_t lineWidth, uint32_t format) {
    if (format & DT_CENTER) return r.left + (r.Width() - lineWidth) / 2;
    if (format & DT_RIGHT) return r.right - lineWidth;
    return r.left;
}

int32_t FirstLineTop(const Rect& r, int32_t textHeight, uint32_t format) {
    if (!(format & DT_SINGLELINE)) return r.top;
    if (format & DT_VCENTER) return r.top + (r.Height() - textHeight) / 2;
    if (format & DT_BOTTOM) return r.bottom - textHeight;
    return r.top;
}

}  // namespace

int32_t DrawText(Canvas& canvas, std::u16string_view text, Rect& rect, uint32_t format) {
    const std::u16string shown = (format & DT_NOPREFIX) ? std::u16string(text) : WithoutPrefixes(text);
    std::vector<std::u16string> lines = SplitLines(canvas, shown, rect.Width(), format);
    const int32_t lineHeight = canvas.GetTextMetrics().height;
    if (format & DT_END_ELLIPSIS) {
        for (std::u16string& line : lines) line = Ellipsized(canvas, line, rect.Width());
    }
    const int32_t height = lineHeight * static_cast<int32_t>(lines.size());
    if (format & DT_CALCRECT) {
        int32_t widest = 0;
        for (const std::u16string& line : lines) widest = std::max(widest, WidthOf(canvas, line));
        rect.right = rect.left + widest;
        rect.bottom = rect.top + height;
        return height;
    }
    const uint32_t savedAlign = canvas.SetTextAlign(TA_LEFT | TA_TOP);
    const uint32_t options = (format & DT_NOCLIP) ? 0 : ETO_CLIPPED;
    int32_t y = FirstLineTop(rect, height, format);
    for (const std::u16string& line : lines) {
        if (!line.empty()) canvas.ExtTextOut(LineLeft(rect, WidthOf(canvas, line), format), y, options, &rect, line);
        y += lineHeight;
    }
    canvas.SetTextAlign(savedAlign);
    return height;
}

}  // namespace gdi
