#pragma once
// The canvas of a view outside painting: it draws into the view's presented
// frame (an off-screen image of the client area) and reports the device
// rectangle of every output, so that the view shows exactly the touched
// pixels without repainting them. Inverting feedback (rubber bands, tracker
// outlines, ruler marks) therefore lives only in the frame, and drawing it a
// second time erases it.

#include "platform/gdi/BitmapCanvas.h"

#include <functional>

class TWindowCanvas : public gdi::BitmapCanvas {
public:
    TWindowCanvas();

    // Called after each output with the device rectangle it may have changed
    // (already cut to the frame).
    std::function<void(const gdi::Rect&)> OnTouched;

protected:
    void DoLine(std::span<const gdi::Point> points) override;
    void DoBezier(std::span<const gdi::Point> points) override;
    void DoArc(const gdi::Rect& box, gdi::Point start, gdi::Point end) override;
    void DoShape(Shape shape, const gdi::Rect& box, gdi::Point a, gdi::Point b) override;
    void DoPolygon(std::span<const gdi::Point> points, std::span<const int32_t> counts) override;
    void DoFillRegion(const gdi::Region& deviceRegion, const gdi::Brush& b, uint32_t rop) override;
    void DoPath(const gdi::PathData& devicePath, bool fill, bool stroke) override;
    void DoText(int32_t x, int32_t y, uint32_t options, const gdi::Rect* rect, std::u16string_view text,
                std::span<const int32_t> dx) override;
    void DoStretchBlt(const gdi::Rect& dest, const gdi::Bitmap& src, const gdi::Rect& srcRect, uint32_t rop) override;
    void DoSetPixel(int32_t x, int32_t y, gdi::Color c) override;
    bool DoFloodFill(int32_t x, int32_t y, gdi::Color c, gdi::FloodFillType type) override;

private:
    // The device bounds of logical points, widened by what the pen adds.
    gdi::Rect LogicalBounds(std::span<const gdi::Point> points, bool withPen) const;
    gdi::Rect BoundsOf(std::span<const gdi::Point> points, int32_t margin) const;
    int32_t PenMargin() const;
    void Touch(const gdi::Rect& deviceRect);
    void TouchAll();
};
