#pragma once
// The font-metrics service of the rich-text layout: the metrics and the
// character advances of a font given by face, character set, pixel height,
// weight, slant and resolution. Answers come from the faces' design metrics
// scaled linearly, so they are the same on every device; the layout asks at
// the reference resolution and so breaks lines alike on the screen at any
// zoom, in previews and on the printer.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fonts {

// The resolution of the reference device on which text is measured.
inline constexpr int32_t kReferenceDpi = 720;

struct FontRequest {
    std::string face = "Arial";
    uint8_t charSet = 1;        // the font table's character set (1: default, 2: symbol)
    int32_t pixelHeight = 100;  // character (em) height in pixels at dpi
    bool bold = false;
    bool italic = false;
    int32_t dpi = kReferenceDpi;
    friend bool operator==(const FontRequest&, const FontRequest&) = default;
};

struct FontTableMetrics {
    int32_t height = 0;  // ascent + descent
    int32_t ascent = 0;
    int32_t externalLeading = 0;
    uint8_t charSet = 1;
};

FontTableMetrics FontMetricsOf(const FontRequest& request);
// One advance per UTF-16 unit (symbol text as U+F000 + byte).
std::vector<int32_t> FontAdvances(const FontRequest& request, std::u16string_view units);
// The face the system uses for a request (after substitution).
std::string ResolvedFace(const FontRequest& request);

}  // namespace fonts
