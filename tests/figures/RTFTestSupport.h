#pragma once
// Helpers of the label-text tests: a canvas whose fonts have fixed,
// proportional metrics, so that measured widths and drawn positions can be
// worked out by hand, and a summary of a drawer's tokens.

#include "figures/RTFBasicDrawer.h"
#include "figures/RTFTextMeasurer.h"
#include "platform/gdi/RecordingCanvas.h"

#include <cmath>
#include <string>
#include <vector>

namespace test {

// Every character is 0.72 em wide (0.36 em for "i"); a line is 1 em high
// with an ascent of 0.8 em. At the measuring resolution a 10-point font has
// an em of 100 units, so a character is 72 units = 2.54 mm wide.
class FixedTextCanvas : public gdi::RecordingCanvas {
public:
    explicit FixedTextCanvas(gdi::DeviceKind kind = gdi::DeviceKind::Bitmap)
        : gdi::RecordingCanvas(gdi::ScreenCaps(), kind) {}

    static int32_t Em(const gdi::LogFont& font) { return font.height == 0 ? 12 : std::abs(font.height); }
    static int32_t Advance(const gdi::LogFont& font, char16_t c) {
        return static_cast<int32_t>(std::lround(Em(font) * (c == u'i' ? 0.36 : 0.72)));
    }

    // The text calls: text (bytes below 256), reference point, advances, escapement.
    struct Text {
        std::u16string text;
        gdi::Point at;
        std::vector<int32_t> dx;
        int32_t escapement = 0;
        gdi::LogFont font;
        gdi::Color color = 0;
    };
    std::vector<Text> Texts() const {
        std::vector<Text> texts;
        for (const auto& call : Calls())
            if (call.op == gdi::RecordedCall::Op::Text)
                texts.push_back({call.text, call.points.front(), call.dx, call.state.font.escapement, call.state.font,
                                 call.state.textColor});
        return texts;
    }

protected:
    gdi::TextMetrics DoTextMetrics() override {
        const int32_t em = Em(font());
        gdi::TextMetrics m;
        m.height = em;
        m.ascent = static_cast<int32_t>(std::lround(em * 0.8));
        m.descent = m.height - m.ascent;
        return m;
    }
    std::vector<int32_t> DoPartialExtents(std::u16string_view text) override {
        std::vector<int32_t> extents(text.size());
        int32_t sum = 0;
        for (size_t i = 0; i < text.size(); ++i) extents[i] = sum += Advance(font(), text[i]);
        return extents;
    }
};

// A measurer on a fixed canvas, for drawers under test.
struct FixedMeasurer {
    FixedTextCanvas canvas;
    TRTFTextMeasurer measurer{canvas};
};

// The width in mm of n characters of a 10-point font at the measuring resolution.
inline float Chars(float n) { return n * 72 * 25.4f / 720; }

// "w:text", "s:text", "p", "a<alignment>", "f:text" per token.
inline std::vector<std::string> TokenSummary(const TRTFBasicDrawer& drawer) {
    std::vector<std::string> out;
    for (const TRTFToken& t : drawer.Tokens) {
        switch (t.Kind) {
        case kTokenWord: out.push_back("w:" + t.Text); break;
        case kTokenSpace: out.push_back("s:" + t.Text); break;
        case kTokenParagraph: out.push_back("p"); break;
        case kTokenAlignment: out.push_back("a" + std::to_string(t.Alignment)); break;
        case kTokenField: out.push_back("f:" + t.Text); break;
        default: out.push_back("?"); break;
        }
    }
    return out;
}

}  // namespace test
