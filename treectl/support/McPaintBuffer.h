#pragma once
// Double-buffered painting of the tree control's windows: a paint event is
// drawn into an off-screen bitmap of the client size through the drawing
// layer, clipped to the area to paint (grown by one pixel on each side),
// and that area is then copied to the window. The background is never
// erased first: every control paints all of its pixels.

#include "platform/gdi/BitmapCanvas.h"

#include <functional>
#include <memory>

class QPaintEvent;
class QWidget;

class TMcPaintBuffer {
public:
    using PaintFunction = std::function<void(gdi::Canvas& canvas)>;

    // Paints the event's area of the widget with paint.
    void Paint(QWidget& widget, const QPaintEvent& event, const PaintFunction& paint);
    // The last picture painted, for tests.
    const gdi::Bitmap* Picture() const { return canvas_ ? &canvas_->bitmap() : nullptr; }

private:
    std::unique_ptr<gdi::BitmapCanvas> canvas_;
};
