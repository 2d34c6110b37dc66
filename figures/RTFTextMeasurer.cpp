#include "figures/RTFTextMeasurer.h"

#include "platform/gdi/RecordingCanvas.h"

#include <string_view>
#include <vector>

namespace {

constexpr size_t kMaxCachedFonts = 64;

}  // namespace

TRTFTextMeasurer::TRTFTextMeasurer(gdi::Canvas& canvas) : canvas_(canvas) {}

const gdi::TextMetrics& TRTFTextMeasurer::Select(const gdi::LogFont& font) {
    for (auto it = caches_.begin(); it != caches_.end(); ++it) {
        if (it->font == font) {
            if (it != caches_.begin()) caches_.splice(caches_.begin(), caches_, it);
            return caches_.front().metrics;
        }
    }
    FontCache& cache = caches_.emplace_front();
    cache.font = font;
    canvas_.SetFont(font);
    cache.metrics = canvas_.GetTextMetrics();
    cache.low.fill(-1);
    if (caches_.size() > kMaxCachedFonts) caches_.pop_back();
    return cache.metrics;
}

int32_t TRTFTextMeasurer::Advance(char16_t unit) {
    if (caches_.empty()) Select(gdi::LogFont{});
    FontCache& cache = caches_.front();
    if (unit < cache.low.size()) {
        int32_t& slot = cache.low[unit];
        if (slot < 0) slot = Measure(unit);
        return slot;
    }
    if (const auto it = cache.other.find(unit); it != cache.other.end()) return it->second;
    return cache.other.emplace(unit, Measure(unit)).first->second;
}

int32_t TRTFTextMeasurer::Measure(char16_t unit) {
    canvas_.SetFont(caches_.front().font);
    const std::vector<int32_t> extents = canvas_.PartialExtents(std::u16string_view(&unit, 1));
    return extents.empty() ? 0 : extents.front();
}

std::string TRTFTextMeasurer::TextFace(const std::string& faceName) {
    gdi::LogFont font;
    font.faceName = faceName;
    canvas_.SetFont(font);
    return canvas_.TextFace();
}

TRTFTextMeasurer& ScreenRTFTextMeasurer() {
    static gdi::RecordingCanvas canvas(gdi::ScreenCaps(), gdi::DeviceKind::Screen);
    static TRTFTextMeasurer measurer(canvas);
    return measurer;
}
