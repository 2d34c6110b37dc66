#include "treectl/support/McGuiUtils.h"

#include "treectl/support/McTools.h"

#include "platform/gdi/Canvas.h"
#include "platform/gdi/Masks.h"
#include "platform/system/KeyboardSettings.h"

#include <QtCore/QEvent>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QWidget>

#include <algorithm>

using gdi::Canvas;
using gdi::Color;
using gdi::Rect;

int32_t KeyboardRepeatTime(int32_t action) {
    if (action == SPI_GETKEYBOARDSPEED) return 1000 / (sys::KeyboardSpeedSetting() + 1);
    if (action == SPI_GETKEYBOARDDELAY) return sys::KeyboardDelaySetting() * 250 + 250;
    return 0;
}

TShiftState GetShiftState() {
    const Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
    TShiftState state = 0;
    if (held & Qt::ShiftModifier) state |= ssShift;
    if (held & Qt::AltModifier) state |= ssAlt;
    if (held & Qt::ControlModifier) state |= ssCtrl;
    return state;
}

QWidget* GetOwnerForm(QObject* component) {
    for (QObject* o = component; o; o = o->parent()) {
        auto* widget = qobject_cast<QWidget*>(o);
        if (widget && widget->isWindow()) return widget;
    }
    return nullptr;
}

int ParentRepaintedMessage() {
    static const int type = QEvent::registerEventType();
    return type;
}

// ---- arrows

namespace {

struct ArrowShape {
    int32_t boxWidth, boxHeight;  // also the least size of the rectangle, less one across
};

void Line(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

void ArrowPass(Canvas& canvas, TMcArrowDirection direction, int32_t x, int32_t y, Color color) {
    canvas.pen().color = color;
    const Color pixel = gdi::ResolveColor(color);
    switch (direction) {
    case TMcArrowDirection::Left:
        Line(canvas, x + 3, y, x + 3, y + 7);
        Line(canvas, x + 2, y + 1, x + 2, y + 6);
        Line(canvas, x + 1, y + 2, x + 1, y + 5);
        canvas.SetPixel(x, y + 3, pixel);
        break;
    case TMcArrowDirection::Up:
        Line(canvas, x, y + 3, x + 7, y + 3);
        Line(canvas, x + 1, y + 2, x + 6, y + 2);
        Line(canvas, x + 2, y + 1, x + 5, y + 1);
        canvas.SetPixel(x + 3, y, pixel);
        break;
    case TMcArrowDirection::Right:
        Line(canvas, x, y, x, y + 7);
        Line(canvas, x + 1, y + 1, x + 1, y + 6);
        Line(canvas, x + 2, y + 2, x + 2, y + 5);
        canvas.SetPixel(x + 3, y + 3, pixel);
        break;
    case TMcArrowDirection::Down:
        Line(canvas, x, y, x + 7, y);
        Line(canvas, x + 1, y + 1, x + 6, y + 1);
        Line(canvas, x + 2, y + 2, x + 5, y + 2);
        canvas.SetPixel(x + 3, y + 3, pixel);
        break;
    }
}

}  // namespace

void DrawArrow(Canvas& canvas, TMcArrowDirection direction, const Rect& r, Color color, bool enabled) {
    const bool across = direction == TMcArrowDirection::Left || direction == TMcArrowDirection::Right;
    const int32_t boxWidth = across ? 4 : 7, boxHeight = across ? 7 : 4;
    const int32_t leastWidth = across ? 3 : 6, leastHeight = across ? 6 : 3;
    if (r.Width() < leastWidth || r.Height() < leastHeight) return;
    Rect box;
    CenterBox(boxWidth, r.Width(), boxHeight, box, r.Height());
    const int32_t x = box.left + r.left, y = box.top + r.top;
    const gdi::Pen saved = canvas.pen();
    canvas.pen().style = gdi::PenStyle::Solid;
    canvas.pen().width = 1;
    if (enabled) {
        ArrowPass(canvas, direction, x, y, color);
    } else {
        ArrowPass(canvas, direction, x + 1, y + 1, clBtnHighlight);
        ArrowPass(canvas, direction, x, y, clBtnShadow);
    }
    canvas.SetPen(saved);
}

// ---- frames

void DrawTransparentBitmapEx(Canvas& canvas, const gdi::Bitmap& bitmap, int32_t x, int32_t y, const Rect& srcRect,
                             Color transparentColor) {
    const gdi::Bitmap mask = gdi::ColorKeyMask(bitmap, srcRect, transparentColor);
    gdi::MaskedBlt(canvas, x, y, bitmap, srcRect, mask);
}

void FillSolidRect(Canvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height, Color color) {
    const Color saved = canvas.SetBkColor(color);
    const Rect r = Rect{x, y, x + width, y + height}.Normalized();
    canvas.ExtTextOut(r.left, r.top, gdi::ETO_OPAQUE, &r, u"");
    canvas.SetBkColor(saved);
}

void Draw3dRect(Canvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height, Color topLeft,
                Color bottomRight) {
    FillSolidRect(canvas, x, y, width - 1, 1, topLeft);
    FillSolidRect(canvas, x, y, 1, height - 1, topLeft);
    FillSolidRect(canvas, x + width, y, -1, height, bottomRight);
    FillSolidRect(canvas, x, y + height, width, -1, bottomRight);
}

void Draw3dFrame(Canvas& canvas, const Rect& r, uint32_t outerTopLeft, uint32_t outerBottomRight,
                 uint32_t innerTopLeft, uint32_t innerBottomRight) {
    Draw3dRect(canvas, r.left, r.top, r.Width(), r.Height(), gdi::SystemColor(outerTopLeft),
               gdi::SystemColor(outerBottomRight));
    const Rect in = r.Inflated(-1, -1);
    Draw3dRect(canvas, in.left, in.top, in.Width(), in.Height(), gdi::SystemColor(innerTopLeft),
               gdi::SystemColor(innerBottomRight));
}

void DrawScrollPartFrame(Canvas& canvas, const Rect& r, bool raised) {
    if (raised) {
        Draw3dFrame(canvas, r, gdi::COLOR_BTNFACE, gdi::COLOR_3DDKSHADOW, gdi::COLOR_BTNHIGHLIGHT,
                    gdi::COLOR_BTNSHADOW);
    } else {
        Draw3dFrame(canvas, r, gdi::COLOR_BTNHIGHLIGHT, gdi::COLOR_BTNSHADOW, gdi::COLOR_BTNFACE, gdi::COLOR_BTNFACE);
    }
}

void DrawButtonFrame(Canvas& canvas, const Rect& r, Color outerTopLeft, Color outerBottomRight, Color innerTopLeft,
                     Color innerBottomRight, bool flat) {
    Draw3dRect(canvas, r.left, r.top, r.Width(), r.Height(), outerTopLeft, outerBottomRight);
    if (flat) return;
    const Rect in = r.Inflated(-1, -1);
    Draw3dRect(canvas, in.left, in.top, in.Width(), in.Height(), innerTopLeft, innerBottomRight);
}

void DrawButtonFrameEx(Canvas& canvas, const Rect& r, bool raised3D, bool flat, Color faceColor, bool down) {
    Color highlight = clBtnHighlight, dark = cl3DDkShadow, face = clBtnFace, shadow = clBtnShadow;
    if (faceColor != clBtnFace) {
        face = faceColor;
        const Color hls = RGBtoHLS(face);
        const int32_t h = HueOf(hls), l = LightnessOf(hls), s = SaturationOf(hls);
        highlight = HLStoRGB(h, Min(239, l + l / 3), s);
        dark = HLStoRGB(h, Min(239, l - l / 2), s);
        shadow = HLStoRGB(h, Min(239, l - l / 3), s);
    }
    if (!down && !raised3D) DrawButtonFrame(canvas, r, highlight, shadow, face, face, flat);
    else if (!down) DrawButtonFrame(canvas, r, highlight, dark, face, shadow, flat);
    else if (raised3D) DrawButtonFrame(canvas, r, dark, highlight, shadow, face, flat);
    else DrawButtonFrame(canvas, r, shadow, highlight, face, face, flat);
}

// ---- hue, lightness and saturation

namespace {

int32_t NormalizeHue(int32_t hue) {
    if (hue < 0) return hue + kHlsMax;
    if (hue > kHlsMax) return hue - kHlsMax;
    return hue;
}

int32_t HueToRGB(int32_t n1, int32_t n2, int32_t hue) {
    hue = NormalizeHue(hue);
    if (hue < 42) return n1 + ((n2 - n1) * hue + 21) / 42;
    if (hue < 126) return n2;
    if (hue < 168) return n1 + ((n2 - n1) * (168 - hue) + 21) / 42;
    return n1;
}

int32_t Channel(int32_t m1, int32_t m2, int32_t hue) {
    return std::clamp((HueToRGB(m1, m2, hue) * 255 + 126) / kHlsMax, 0, 255);
}

}  // namespace

Color RGBtoHLS(Color color) {
    const Color rgb = gdi::ResolveColor(color);
    const int32_t r = static_cast<int32_t>(gdi::RedOf(rgb)), g = static_cast<int32_t>(gdi::GreenOf(rgb)),
                  b = static_cast<int32_t>(gdi::BlueOf(rgb));
    const int32_t most = std::max({r, g, b}), least = std::min({r, g, b});
    const int32_t l = ((most + least) * kHlsMax + 255) / 510;
    int32_t h = kUndefinedHue, s = 0;
    if (most != least) {
        const int32_t d = most - least;
        // Above half lightness the saturation is measured against what is
        // left up to white, so that the colour converts back to itself.
        const int32_t range = l <= kHlsMax / 2 ? most + least : 510 - most - least;
        s = (d * kHlsMax + range / 2) / range;
        const int32_t rd = ((most - r) * 42 + d / 2) / d;
        const int32_t gd = ((most - g) * 42 + d / 2) / d;
        const int32_t bd = ((most - b) * 42 + d / 2) / d;
        h = r == most ? bd - gd : g == most ? 84 + rd - bd : 168 + gd - rd;
        h = NormalizeHue(h);
    }
    return static_cast<Color>(h) | (static_cast<Color>(l) << 8) | (static_cast<Color>(s) << 16);
}

Color HLStoRGB(int32_t h, int32_t l, int32_t s) {
    l = std::clamp(l, 0, kHlsMax);
    if (s == 0) {
        const uint32_t grey = static_cast<uint32_t>(l * 255 / kHlsMax);
        return gdi::Rgb(grey, grey, grey);
    }
    const int32_t m2 = l <= kHlsMax / 2 ? (l * (kHlsMax + s) + 126) / kHlsMax : l + s - (l * s + 126) / kHlsMax;
    const int32_t m1 = 2 * l - m2;
    return gdi::Rgb(static_cast<uint32_t>(Channel(m1, m2, h + 84)), static_cast<uint32_t>(Channel(m1, m2, h)),
                    static_cast<uint32_t>(Channel(m1, m2, h - 84)));
}
