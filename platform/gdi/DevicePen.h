#pragma once
// The pen of an output, as the device draws it. Internal to the drawing layer.

#include "platform/gdi/Canvas.h"

#include <QtGui/QPen>

#include <optional>

namespace gdi {

// A pen resolved for the device: cosmetic thin pens draw single pixels and
// leave out a line's last pixel; wide pens (and every pen on a printer) are
// stroked half a pixel down and right, centred on the pixels they pass.
struct DevicePen {
    bool null = true;
    bool cosmetic = false;
    QPen pen;
    std::optional<QPen> gaps;  // a thin dashed pen's gaps in the opaque background mode
    QList<qreal> dashes;       // a thin pen's dashes and gaps in device pixels (none: solid)
};

DevicePen MakeDevicePen(const Canvas::State& s, const XForm& m, bool raster, const QColor& color);

}  // namespace gdi
