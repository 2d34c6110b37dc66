#include "platform/gdi/GdiTypes.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QPalette>

#include <algorithm>
#include <cmath>

namespace gdi {

Rect Rect::Normalized() const {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

Rect IntersectRect(const Rect& a, const Rect& b) {
    const Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    return r.IsEmpty() ? Rect{} : r;
}

Rect UnionRect(const Rect& a, const Rect& b) {
    if (a.IsEmpty()) return b.IsEmpty() ? Rect{} : b;
    if (b.IsEmpty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

XForm CombineTransform(const XForm& a, const XForm& b) {
    XForm r;
    r.eM11 = a.eM11 * b.eM11 + a.eM12 * b.eM21;
    r.eM12 = a.eM11 * b.eM12 + a.eM12 * b.eM22;
    r.eM21 = a.eM21 * b.eM11 + a.eM22 * b.eM21;
    r.eM22 = a.eM21 * b.eM12 + a.eM22 * b.eM22;
    r.eDx = a.eDx * b.eM11 + a.eDy * b.eM21 + b.eDx;
    r.eDy = a.eDx * b.eM12 + a.eDy * b.eM22 + b.eDy;
    return r;
}

bool IsIdentity(const XForm& x) {
    return x == XForm{};
}

namespace {

Color FromQColor(const QColor& c) {
    return Rgb(static_cast<uint32_t>(c.red()), static_cast<uint32_t>(c.green()), static_cast<uint32_t>(c.blue()));
}

// Fallbacks where no application palette exists (no application object yet).
Color DefaultSystemColor(uint32_t index) {
    switch (index) {
    case COLOR_WINDOW: case COLOR_BTNHIGHLIGHT: case COLOR_HIGHLIGHTTEXT: case COLOR_MENU:
        return Rgb(255, 255, 255);
    case COLOR_BTNFACE: case COLOR_3DLIGHT: case COLOR_ACTIVEBORDER: case COLOR_INACTIVEBORDER: case COLOR_SCROLLBAR:
        return Rgb(240, 240, 240);
    case COLOR_BTNSHADOW: case COLOR_GRAYTEXT: return Rgb(160, 160, 160);
    case COLOR_3DDKSHADOW: return Rgb(105, 105, 105);
    case COLOR_HIGHLIGHT: case COLOR_ACTIVECAPTION: return Rgb(0, 120, 215);
    case COLOR_APPWORKSPACE: return Rgb(171, 171, 171);
    case COLOR_INFOBK: return Rgb(255, 255, 225);
    default: return Rgb(0, 0, 0);
    }
}

}  // namespace

Color ResolveColor(Color c) {
    if (!(c & kSystemColorFlag)) return c & 0x00FFFFFF;
    const uint32_t index = c & 0xFF;
    if (!qGuiApp) return DefaultSystemColor(index);
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case COLOR_WINDOW: return FromQColor(palette.color(QPalette::Base));
    case COLOR_WINDOWTEXT: case COLOR_MENUTEXT: return FromQColor(palette.color(QPalette::Text));
    case COLOR_BTNFACE: case COLOR_MENU: case COLOR_3DLIGHT: case COLOR_SCROLLBAR:
        return FromQColor(palette.color(index == COLOR_3DLIGHT ? QPalette::Midlight : QPalette::Button));
    case COLOR_BTNTEXT: return FromQColor(palette.color(QPalette::ButtonText));
    case COLOR_BTNSHADOW: return FromQColor(palette.color(QPalette::Mid));
    case COLOR_3DDKSHADOW: return FromQColor(palette.color(QPalette::Shadow));
    case COLOR_BTNHIGHLIGHT: return FromQColor(palette.color(QPalette::Light));
    case COLOR_HIGHLIGHT: return FromQColor(palette.color(QPalette::Highlight));
    case COLOR_HIGHLIGHTTEXT: return FromQColor(palette.color(QPalette::HighlightedText));
    case COLOR_GRAYTEXT: return FromQColor(palette.color(QPalette::Disabled, QPalette::Text));
    case COLOR_INFOBK: return FromQColor(palette.color(QPalette::ToolTipBase));
    case COLOR_INFOTEXT: return FromQColor(palette.color(QPalette::ToolTipText));
    case COLOR_APPWORKSPACE: return FromQColor(palette.color(QPalette::Dark));
    default: return DefaultSystemColor(index);
    }
}

}  // namespace gdi
