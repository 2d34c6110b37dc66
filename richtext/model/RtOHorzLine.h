#pragma once
// TRtOHorzLine: a horizontal rule across the page width.

#include "richtext/model/RtObject.h"

class TRtOHorzLine : public TRtObject {
public:
    TRtOHorzLine();
    std::string ClassName() const override { return "TRtOHorzLine"; }
    int32_t GetContentHeight() override { return 10; }
    // "<hr/>" below 30 twips, else "<hr SIZE=n/>" with n = (height + 10) div 20.
    void WriteHTML(TStream& stream) override;
    void Paint() override;
    void PaintTo(gdi::Canvas& canvas, const gdi::Rect& rect) override;
};
