#pragma once
// Drawing and system helpers of the tree control: small arrows, 3-D frames
// and button frames, flat borders, flat scroll bars, masked bitmap copies,
// colours as hue, lightness and saturation, the keyboard repeat times, the
// shift state, the owning window. Drawing goes through a canvas of the
// drawing layer; colours may be system colours (resolved before use).

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiTypes.h"

#include <cstdint>

namespace gdi {
class Canvas;
}
class QObject;
class QWidget;

// The system colours the controls name.
constexpr gdi::Color clScrollBar = gdi::SystemColor(gdi::COLOR_SCROLLBAR);
constexpr gdi::Color clWindow = gdi::SystemColor(gdi::COLOR_WINDOW);
constexpr gdi::Color clWindowFrame = gdi::SystemColor(gdi::COLOR_WINDOWFRAME);
constexpr gdi::Color clWindowText = gdi::SystemColor(gdi::COLOR_WINDOWTEXT);
constexpr gdi::Color clHighlight = gdi::SystemColor(gdi::COLOR_HIGHLIGHT);
constexpr gdi::Color clHighlightText = gdi::SystemColor(gdi::COLOR_HIGHLIGHTTEXT);
constexpr gdi::Color clBtnFace = gdi::SystemColor(gdi::COLOR_BTNFACE);
constexpr gdi::Color clBtnShadow = gdi::SystemColor(gdi::COLOR_BTNSHADOW);
constexpr gdi::Color clBtnText = gdi::SystemColor(gdi::COLOR_BTNTEXT);
constexpr gdi::Color clBtnHighlight = gdi::SystemColor(gdi::COLOR_BTNHIGHLIGHT);
constexpr gdi::Color cl3DDkShadow = gdi::SystemColor(gdi::COLOR_3DDKSHADOW);
constexpr gdi::Color clInfoText = gdi::SystemColor(gdi::COLOR_INFOTEXT);
constexpr gdi::Color clInfoBk = gdi::SystemColor(gdi::COLOR_INFOBK);

// ---- keyboard and shift state

constexpr int32_t SPI_GETKEYBOARDSPEED = 10;
constexpr int32_t SPI_GETKEYBOARDDELAY = 22;
// The repeat interval (SPI_GETKEYBOARDSPEED) or the delay before the first
// repeat (SPI_GETKEYBOARDDELAY) of a held key, in milliseconds; 0 for other actions.
int32_t KeyboardRepeatTime(int32_t action);

using TShiftState = uint32_t;
constexpr TShiftState ssShift = 0x01;
constexpr TShiftState ssAlt = 0x02;
constexpr TShiftState ssCtrl = 0x04;
// The modifier keys held now.
TShiftState GetShiftState();

// The widget itself when it is a window, else the first window among its
// parents; nil for nil.
QWidget* GetOwnerForm(QObject* component);

// The event type of "Transparent controls notification -- parent repainted",
// registered once.
int ParentRepaintedMessage();

// ---- arrows

enum class TMcArrowDirection : uint8_t { Left = 0, Up = 1, Right = 2, Down = 3 };
// A small solid arrow centred in r (4 x 7 pixels pointing left or right,
// 7 x 4 up or down); nothing in a smaller rectangle than 3 x 6 (6 x 3). A
// disabled arrow is embossed: highlight one pixel right and below, shadow over it.
void DrawArrow(gdi::Canvas& canvas, TMcArrowDirection direction, const gdi::Rect& r, gdi::Color color, bool enabled);

// ---- frames

// The srcRect part of bitmap at (x, y); its pixels of the transparent
// colour leave the canvas as it was.
void DrawTransparentBitmapEx(gdi::Canvas& canvas, const gdi::Bitmap& bitmap, int32_t x, int32_t y,
                             const gdi::Rect& srcRect, gdi::Color transparentColor);
// A filled rectangle; a negative width or height extends left or up.
void FillSolidRect(gdi::Canvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height, gdi::Color color);
// One-pixel frame: top and left in topLeft, right and bottom in bottomRight.
void Draw3dRect(gdi::Canvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height, gdi::Color topLeft,
                gdi::Color bottomRight);
// Two rings of system colours (given by their indexes): the outer on r, the inner one pixel inside.
void Draw3dFrame(gdi::Canvas& canvas, const gdi::Rect& r, uint32_t outerTopLeft, uint32_t outerBottomRight,
                 uint32_t innerTopLeft, uint32_t innerBottomRight);
// The frame of a scroll-bar part, raised or pressed.
void DrawScrollPartFrame(gdi::Canvas& canvas, const gdi::Rect& r, bool raised);
// Two rings of colours; flat leaves out the inner one.
void DrawButtonFrame(gdi::Canvas& canvas, const gdi::Rect& r, gdi::Color outerTopLeft, gdi::Color outerBottomRight,
                     gdi::Color innerTopLeft, gdi::Color innerBottomRight, bool flat);
// A button frame in the shades of a face colour, raised or flat-raised, up or down.
void DrawButtonFrameEx(gdi::Canvas& canvas, const gdi::Rect& r, bool raised3D, bool flat, gdi::Color faceColor,
                       bool down);

// ---- hue, lightness and saturation on the scale 0 .. 252 (hue 168: none,
// for greys), packed as H in the low byte, L in the second, S in the third.
constexpr int32_t kHlsMax = 252;
constexpr int32_t kUndefinedHue = 168;
gdi::Color RGBtoHLS(gdi::Color color);
gdi::Color HLStoRGB(int32_t h, int32_t l, int32_t s);
inline int32_t HueOf(gdi::Color hls) { return static_cast<int32_t>(hls & 0xFF); }
inline int32_t LightnessOf(gdi::Color hls) { return static_cast<int32_t>((hls >> 8) & 0xFF); }
inline int32_t SaturationOf(gdi::Color hls) { return static_cast<int32_t>((hls >> 16) & 0xFF); }

// ---- flat borders and scroll bars

// Sides of DrawEdgeLines.
constexpr uint32_t kEdgeLeft = 1;
constexpr uint32_t kEdgeRight = 2;
constexpr uint32_t kEdgeTop = 4;
constexpr uint32_t kEdgeBottom = 8;
constexpr uint32_t kEdgeAll = 15;
// One-pixel lines on the named sides of r: left and top in topLeft, right and
// bottom in bottomRight; inner becomes r moved in on each drawn side.
void DrawEdgeLines(gdi::Canvas& canvas, const gdi::Rect& r, gdi::Color topLeft, gdi::Rect& inner, uint32_t sides,
                   gdi::Color bottomRight);

enum class TMcFlatBorderType : uint8_t {
    fbtFlat, fbtSunken, fbtSunkenInner, fbtSunkenOuter, fbtRaised, fbtRaisedInner, fbtRaisedOuter,
    fbtBump, fbtBigBump, fbtEtched, fbtFramed, fbtLine, fbtLineBorder, fbtNone,
};
// A border of the type inside r; color is the control's background.
void DrawFlatFrame(gdi::Canvas& canvas, const gdi::Rect& r, gdi::Color color, TMcFlatBorderType borderType);

// What a window's own scroll bar reports of itself.
struct TMcScrollInfo {
    int32_t min = 0;
    int32_t max = 0;
    int32_t page = 0;
    int32_t pos = 0;
    int32_t trackPos = 0;
};
// The window whose standard scroll bars are drawn flat: its rectangles in
// window coordinates, whether it has a border, which bars its style has,
// and their scroll information.
struct TMcScrollingWindow {
    gdi::Rect window;
    gdi::Rect client;
    bool bordered = false;
    bool hasHorzBar = false;
    bool hasVertBar = false;
    bool enabled = true;
    TMcScrollInfo horz, vert;
};
// Where a thumb lies along a flat bar, from the bar's start; length 0 when none is drawn.
struct TMcFlatThumb {
    int32_t start = 0;
    int32_t length = 0;
};
TMcFlatThumb FlatScrollThumb(int32_t barLength, int32_t buttonLength, const TMcScrollInfo& info, bool tracking,
                             bool isControlBar);
// barKinds: 0 none, 1 the horizontal bar only, 2 the vertical only, 3 both.
void DrawFlatScrollBars(gdi::Canvas& canvas, const TMcScrollingWindow& window, bool isControlBar, bool vertTracking,
                        bool horzTracking, int32_t barKinds, bool raised);
void DrawFlatScrollBar(gdi::Canvas& canvas, const gdi::Rect& bar, bool raised, bool tracking, bool isControlBar,
                       bool vertical, const TMcScrollInfo& info, bool enabled);
