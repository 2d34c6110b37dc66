#include "richtext/layout/RtCharMeasurer.h"

#include "foundation/CharsetText.h"

#include <string>

namespace {

class TReferenceMeasurer : public TRtCharMeasurer {
public:
    int32_t ReferenceDpi() const override { return fonts::kReferenceDpi; }
    void Measure(const fonts::FontRequest& request, std::array<int32_t, 256>& widths,
                 fonts::FontTableMetrics& metrics) override {
        std::u16string codes(256, u'\0');
        for (int i = 0; i < 256; ++i) codes[size_t(i)] = CharsetByteToUnicode(uint8_t(i), request.charSet);
        const std::vector<int32_t> advances = fonts::FontAdvances(request, codes);
        for (size_t i = 0; i < 256; ++i) widths[i] = i < advances.size() ? advances[i] : 0;
        metrics = fonts::FontMetricsOf(request);
    }
    int32_t TextWidth(const fonts::FontRequest& request, std::string_view bytes) override {
        int32_t width = 0;
        for (int32_t advance : fonts::FontAdvances(request, CharsetToWide(bytes, request.charSet))) width += advance;
        return width;
    }
};

}  // namespace

TRtCharMeasurer& ReferenceCharMeasurer() {
    static TReferenceMeasurer measurer;
    return measurer;
}
