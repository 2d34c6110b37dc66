#pragma once
// A recording canvas whose font has fixed metrics: every character is
// `charWidth` wide, lines are 20 high (ascent 16, descent 4). Layout tests
// read the text calls it records.

#include "platform/gdi/RecordingCanvas.h"

#include <string>
#include <vector>

class FixedMetricCanvas : public gdi::RecordingCanvas {
public:
    explicit FixedMetricCanvas(gdi::DeviceKind kind = gdi::DeviceKind::Bitmap)
        : gdi::RecordingCanvas(gdi::ScreenCaps(), kind) {}

    int32_t charWidth = 10;

    struct Line {
        std::string text;
        gdi::Point at;
        std::vector<int32_t> dx;
        int32_t escapement = 0;
    };
    std::vector<Line> TextLines() const {
        std::vector<Line> lines;
        for (const auto& call : Calls()) {
            if (call.op != gdi::RecordedCall::Op::Text) continue;
            lines.push_back({std::string(call.text.begin(), call.text.end()), call.points.front(), call.dx,
                             call.state.font.escapement});
        }
        return lines;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Line& l : TextLines()) texts.push_back(l.text);
        return texts;
    }

protected:
    gdi::TextMetrics DoTextMetrics() override {
        gdi::TextMetrics m;
        m.height = 20;
        m.ascent = 16;
        m.descent = 4;
        m.aveCharWidth = charWidth;
        m.maxCharWidth = charWidth;
        return m;
    }
    std::vector<int32_t> DoPartialExtents(std::u16string_view text) override {
        std::vector<int32_t> extents(text.size());
        for (size_t i = 0; i < text.size(); ++i) extents[i] = static_cast<int32_t>(i + 1) * charWidth;
        return extents;
    }
};
