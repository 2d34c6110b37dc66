#pragma once
// Where the layout gets the widths and metrics of the 256 character codes of
// a font: the reference device of the font-metrics service in the program,
// a fake of fixed widths in tests.

#include "platform/fonts/FontMetrics.h"

#include <array>
#include <cstdint>
#include <string_view>

class TRtCharMeasurer {
public:
    virtual ~TRtCharMeasurer() = default;
    // The resolution at which the measurer answers.
    virtual int32_t ReferenceDpi() const = 0;
    // Advances of the codes 0 to 255 in the request's character set, and the font's metrics.
    virtual void Measure(const fonts::FontRequest& request, std::array<int32_t, 256>& widths,
                         fonts::FontTableMetrics& metrics) = 0;
    // The advance of a run of bytes in the request's character set, measured
    // as one string (a double-byte character is one glyph, not two bytes).
    virtual int32_t TextWidth(const fonts::FontRequest& request, std::string_view bytes) = 0;
};

// The reference device at 720 pixels per inch.
TRtCharMeasurer& ReferenceCharMeasurer();
