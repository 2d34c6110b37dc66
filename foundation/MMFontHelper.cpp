#include "foundation/MMFontHelper.h"

#include "foundation/Font.h"
#include "foundation/MMCalcScaleCanvas.h"
#include "foundation/ScaleCanvas.h"

namespace {

// Measures on the measuring canvas with the font, and puts its font back.
template <class Measure>
auto WithFont(const TFont& font, Measure measure) {
    TScaleCanvas& canvas = GetMMCalcScaleCanvas();
    TFont saved;
    saved.Assign(canvas.Font());
    canvas.AssignFont(font);
    const auto result = measure(canvas);
    canvas.AssignFont(saved);
    return result;
}

}  // namespace

float TMMFontHelper::TextWidthMM(const TFont& font, const std::string& text) const {
    return WithFont(font, [&](TScaleCanvas& c) { return c.TextWidthMM(text); });
}

float TMMFontHelper::TextHeightMM(const TFont& font, const std::string& text) const {
    return WithFont(font, [&](TScaleCanvas& c) { return c.TextHeightMM(text); });
}

std::string TMMFontHelper::ShortenText(const TFont& font, const std::string& text, float widthMM) const {
    if (widthMM <= 0) return {};
    return WithFont(font, [&](TScaleCanvas& c) -> std::string {
        if (c.TextWidthMM(text) <= widthMM) return text;
        // The most leading characters that fit, found by halving.
        size_t low = 0, high = text.size();
        while (low < high) {
            const size_t mid = (low + high + 1) / 2;
            if (c.TextWidthMM(text.substr(0, mid)) <= widthMM)
                low = mid;
            else
                high = mid - 1;
        }
        for (size_t fit = low; fit >= 2; --fit) {
            std::string candidate = text.substr(0, fit) + "...";
            if (c.TextWidthMM(candidate) <= widthMM) return candidate;
        }
        return {};
    });
}

const TMMFontHelper& MMFontHelper() {
    static const TMMFontHelper helper;
    return helper;
}
