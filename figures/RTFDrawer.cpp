#include "figures/RTFDrawer.h"

#include "foundation/CharsetText.h"
#include "foundation/ScaleCanvas.h"

#include <algorithm>
#include <vector>

namespace {

// Lines may reach this far (mm) below the box and still be drawn.
constexpr float kBottomSlack = 0.05f;
// DrawCell cuts a word only when it passes the cell's right edge by this much:
// 0.1 mm plus 10 device units.
constexpr float kCellCutSlackMM = 0.1f;
constexpr int32_t kCellCutSlackUnits = 10;

using TRecord = TRTFTokenList::Record;

bool IsWordOrField(const TRecord& token) { return token.Kind == kTokenWord || token.Kind == kTokenField; }
// Only real spaces widen in a justified line, not the breaks after hyphens.
bool IsJustifiedSpace(const TRecord& token) { return token.Kind == kTokenSpace && token.Length > 0; }

// Keeps the text alignment and background mode of the canvas for the draw.
class TTextModeGuard {
public:
    explicit TTextModeGuard(gdi::Canvas& canvas)
        : canvas_(canvas), align_(canvas.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP)),
          bkMode_(canvas.SetBkMode(gdi::BkMode::Transparent)) {}
    ~TTextModeGuard() {
        canvas_.SetTextAlign(align_);
        canvas_.SetBkMode(bkMode_);
    }
    TTextModeGuard(const TTextModeGuard&) = delete;
    TTextModeGuard& operator=(const TTextModeGuard&) = delete;

private:
    gdi::Canvas& canvas_;
    uint32_t align_;
    gdi::BkMode bkMode_;
};

}  // namespace

TRTFDrawer::TRTFDrawer() = default;

void TRTFDrawer::SetRTF(const std::string& rtf) {
    WrapWidth = -1.0;
    TRTFBasicDrawer::SetRTF(rtf);
    WrapWidth = -1.0;
}

void TRTFDrawer::Clear() {
    TRTFBasicDrawer::Clear();
    Lines.clear();
    TotalHeight = 0;
}

// ---- word wrap

void TRTFDrawer::CloseLine(int32_t first, int32_t last, uint8_t alignment, bool paragraphEnd) {
    if (first > last) return;
    const auto range = Tokens.Records().subspan(static_cast<size_t>(first), static_cast<size_t>(last - first + 1));
    if (std::all_of(range.begin(), range.end(), [](const TRecord& t) { return t.Kind == kTokenAlignment; })) return;
    TRTFLine& line = Lines.emplace_back();
    line.FirstToken = first;
    line.LastToken = last;
    line.Alignment = alignment;
    line.ParagraphEnd = paragraphEnd;
}

void TRTFDrawer::BreakLines(float width) {
    Lines.clear();
    TotalHeight = 0;
    WrapWidth = width;
    const auto count = static_cast<int32_t>(Tokens.size());
    if (count == 0 || width < 0) return;
    int32_t start = 0, lastBreak = 0;
    float x = 0;
    uint8_t alignment = kAlignLeft;
    for (int32_t i = 0; i < count;) {
        const TRecord& token = Tokens.At(static_cast<size_t>(i));
        switch (token.Kind) {
        case kTokenParagraph:
            CloseLine(start, i, alignment, true);
            x = 0;
            start = lastBreak = i + 1;
            break;
        case kTokenAlignment: alignment = token.Alignment; break;
        case kTokenSpace:
            if (x + token.Width > width) {
                // The space that overflows belongs to neither line.
                CloseLine(start, i - 1, alignment, false);
                x = 0;
                start = lastBreak = i + 1;
            } else {
                lastBreak = i;
                x += token.Width;
            }
            break;
        default:
            if (x + token.Width <= width) {
                x += token.Width;
            } else if (lastBreak == start) {
                CloseLine(start, i - 1, alignment, false);
                start = lastBreak = i;
                x = token.Width;
            } else {
                // Back to the last break: the tokens after it start the next line.
                CloseLine(start, lastBreak - 1, alignment, false);
                start = lastBreak = lastBreak + 1;
                x = 0;
                i = start;
                continue;
            }
        }
        ++i;
    }
    if (start < count) CloseLine(start, count - 1, alignment, false);
    if (!Lines.empty()) Lines.back().ParagraphEnd = true;
    for (TRTFLine& line : Lines) {
        for (int32_t i = line.FirstToken; i <= line.LastToken; ++i) {
            const TRecord& token = Tokens.At(static_cast<size_t>(i));
            line.Height = std::max(line.Height, Tokens.Style(token).Height);
            line.Width += token.Width;
            if (IsJustifiedSpace(token)) ++line.SpaceCount;
        }
        TotalHeight += line.Height;
    }
}

void TRTFDrawer::EnsureWrapped(float width) {
    if (WrapWidth != width) BreakLines(width);
}

// ---- drawing

void TRTFDrawer::MeasureDeviceMetrics(TScaleCanvas& canvas, float angle, float height) {
    ++draws_;
    measuredStyles_.resize(Tokens.Styles().size(), 0);
    std::vector<uint64_t>& measured = measuredStyles_;
    float y = 0;
    for (TRTFLine& line : Lines) {
        line.DeviceAscent = 0;
        for (int32_t i = line.FirstToken; i <= line.LastToken; ++i) {
            const TRecord& token = Tokens.At(static_cast<size_t>(i));
            if (!token.IsDrawable()) continue;
            TRTFTokenStyle& style = Tokens.Style(token);
            if (measured[token.Style] != draws_) {
                // Tokens of one font measure alike: once per draw.
                measured[token.Style] = draws_;
                ApplyTokenFont(style.Font, canvas);
                if (angle != 0) canvas.SetFontAngle(angle);
                const gdi::TextMetrics metrics = canvas.Canvas().GetTextMetrics();
                style.DeviceHeight = metrics.height;
                style.DeviceAscent = metrics.ascent;
            }
            line.DeviceAscent = std::max(line.DeviceAscent, style.DeviceAscent);
        }
        y += line.Height;
        if (y > height) break;
    }
}

size_t TRTFDrawer::ShownLength(TScaleCanvas& canvas, const TRecord& token, const TRTFLine& line, const TBox& box,
                               int32_t x, bool cell) const {
    size_t length = token.Length;
    if (!cell) {
        // A word alone on a line wider than the box is cut from the right until it fits.
        if (!IsWordOrField(token) || line.Width < box.w) return length;
        int32_t words = 0;
        for (int32_t i = line.FirstToken; i <= line.LastToken; ++i)
            if (IsWordOrField(Tokens.At(static_cast<size_t>(i)))) ++words;
        if (words >= 2) return length;
        while (length > 0 && Tokens.AdvanceAfter(token, length - 1) > box.w) --length;
        return length;
    }
    if (token.Kind != kTokenWord || length == 0) return length;
    const TCharsetText decoded = DecodeCharsetText(Tokens.Text(token), Tokens.Style(token).Font.Charset);
    const std::vector<int32_t> extents = canvas.Canvas().PartialExtents(decoded.Text);
    const auto widthOfUnits = [&](size_t units) { return units == 0 || extents.empty() ? 0 : extents[units - 1]; };
    size_t units = decoded.Text.size();
    const int64_t right = canvas.MMToPixelX(box.cx + box.w / 2);
    if (canvas.MMToPixelX(box.cx + box.w / 2 + kCellCutSlackMM) > int64_t{x} + widthOfUnits(units) - kCellCutSlackUnits)
        return length;
    while (units > 0 && right < int64_t{x} + widthOfUnits(units)) --units;
    return units == 0 ? 0 : decoded.ByteEnd[units - 1];
}

void TRTFDrawer::DrawToken(TScaleCanvas& canvas, const TRecord& token, const TBox& box, size_t length, gdi::Point at,
                           float x0, bool spaced) {
    if (canvas.TextSuppressed) return;
    const TCharsetText decoded = DecodeCharsetText(Tokens.Text(token).substr(0, length), Tokens.Style(token).Font.Charset);
    if (box.angle != 0)
        at = RotateDevicePoint(at.x, at.y, canvas.MMToPixelX(box.cx), canvas.MMToPixelY(box.cy), box.angle);
    if (!spaced) {
        canvas.Canvas().TextOut(at.x, at.y, decoded.Text);
        return;
    }
    // One device advance per character, from the measured advances.
    std::vector<int32_t> dx(decoded.Text.size());
    const int32_t origin = canvas.MMToPixelX(x0);
    int32_t placed = 0;
    for (size_t k = 0; k < dx.size(); ++k) {
        const int32_t end = canvas.MMToPixelX(x0 + Tokens.AdvanceAfter(token, decoded.ByteEnd[k] - 1)) - origin;
        dx[k] = end - placed;
        placed = end;
    }
    canvas.Canvas().ExtTextOut(at.x, at.y, 0, nullptr, decoded.Text, dx);
}

void TRTFDrawer::DrawLines(TScaleCanvas& canvas, const TBox& box, float top, bool cell, uint8_t alignment) {
    const float left = box.cx - box.w / 2;
    const float bottom = box.cy + box.ht / 2;
    float y = top;
    for (size_t index = 0; index < Lines.size(); ++index) {
        const TRTFLine& line = Lines[index];
        if ((index > 0 || cell) && y + line.Height > bottom + kBottomSlack) break;
        const uint8_t a = cell ? line.Alignment : alignment;
        float x0 = left;
        if (a == kAlignCenter) x0 = box.cx - line.Width / 2;
        if (a == kAlignRight) x0 = box.cx + box.w / 2 - line.Width;
        x0 = std::max(x0, left);
        const bool justified = a == kAlignJustify && !line.ParagraphEnd && line.SpaceCount > 0;
        const float gap = justified ? (box.w - line.Width) / static_cast<float>(line.SpaceCount) : 0;
        const int32_t lineTop = canvas.MMToPixelY(y);
        for (int32_t i = line.FirstToken; i <= line.LastToken; ++i) {
            const TRecord& token = Tokens.At(static_cast<size_t>(i));
            if (!token.IsDrawable()) continue;
            TRTFTokenStyle& style = Tokens.Style(token);
            ApplyTokenFont(style.Font, canvas);
            canvas.SetFontAngle(box.angle);
            const gdi::Point at{canvas.MMToPixelX(x0),
                                gdi::Saturated(int64_t{lineTop} + line.DeviceAscent - style.DeviceAscent)};
            const size_t length = ShownLength(canvas, token, line, box, at.x, cell);
            const bool spaced = cell ? token.Kind == kTokenWord : IsWordOrField(token);
            DrawToken(canvas, token, box, length, at, x0, spaced);
            x0 += token.Width;
            if (IsJustifiedSpace(token)) x0 += gap;
        }
        y += line.Height;
    }
}

TRect TRTFDrawer::DrawInRect(TScaleCanvas& canvas, uint8_t h, float cx, float cy, float w, float ht, float angle,
                             uint8_t v) {
    return DrawBox(canvas, {cx, cy, w, ht, angle}, v, false, h);
}

TRect TRTFDrawer::DrawCell(TScaleCanvas& canvas, float cx, float cy, float w, float ht, float angle) {
    if (w == 0 || ht == 0) return TRect{0, 0, 0, 0};
    return DrawBox(canvas, {cx, cy, w, ht, angle}, kVAlignTop, true, kAlignLeft);
}

TRect TRTFDrawer::DrawBox(TScaleCanvas& canvas, const TBox& box, uint8_t v, bool cell, uint8_t h) {
    EnsureWrapped(box.w);
    canvas.SetFontAngle(0);
    canvas.SetFontAngle(box.angle);
    MeasureDeviceMetrics(canvas, box.angle, box.ht);
    canvas.Brush().style = gdi::BrushStyle::Null;
    const TTextModeGuard guard(canvas.Canvas());
    const float boxTop = box.cy - box.ht / 2;
    float top = boxTop;
    if (v == kVAlignCenter) top = box.cy - TotalHeight / 2;
    if (v == kVAlignBottom) top = box.cy + box.ht / 2 - TotalHeight;
    top = std::max(top, boxTop);
    const TRect result{canvas.MMToPixelX(box.cx - box.w / 2), canvas.MMToPixelY(top),
                       canvas.MMToPixelX(box.cx + box.w / 2),
                       canvas.MMToPixelY(std::min(top + TotalHeight, box.cy + box.ht / 2))};
    DrawLines(canvas, box, top, cell, h);
    canvas.Font().SetCharset(gdi::DEFAULT_CHARSET);
    return result;
}

TRect TRTFDrawer::GetExtent(const TCustomScaler& scaler, float cx, float cy, float w, float ht, float angle) {
    EnsureWrapped(w);
    float sum = 0;
    for (const TRTFLine& line : Lines) {
        sum += line.Height;
        if (sum > ht) break;
    }
    const TFloatPoint centre{cx, cy};
    const float top = cy - ht / 2;
    const TFloatPoint corners[4] = {{cx - w / 2, top}, {cx + w / 2, top}, {cx - w / 2, top + sum}, {cx + w / 2, top + sum}};
    std::vector<TPoint> device;
    for (const TFloatPoint& corner : corners) {
        const TFloatPoint turned = RotateFloatPointAbout(corner, centre, angle);
        device.push_back({scaler.MMToPixelX(turned.X), scaler.MMToPixelY(turned.Y)});
    }
    return BoundsOfPoints(device);
}
