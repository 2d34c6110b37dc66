#pragma once
// Formatted text in a rectangle, as the system's DrawText lays it out: one
// line or several (broken at the rectangle's width), aligned left, centred
// or right, on one line also vertically, cut short with "..." when it does
// not fit, and the rectangle measured instead of drawn on request. The
// canvas's current font, text colour and background mode apply.

#include "platform/gdi/GdiTypes.h"

#include <string_view>

namespace gdi {

class Canvas;

constexpr uint32_t DT_LEFT = 0x0000;
constexpr uint32_t DT_TOP = 0x0000;
constexpr uint32_t DT_CENTER = 0x0001;
constexpr uint32_t DT_RIGHT = 0x0002;
constexpr uint32_t DT_VCENTER = 0x0004;  // one line only
constexpr uint32_t DT_BOTTOM = 0x0008;   // one line only
constexpr uint32_t DT_WORDBREAK = 0x0010;
constexpr uint32_t DT_SINGLELINE = 0x0020;
constexpr uint32_t DT_EXPANDTABS = 0x0040;
constexpr uint32_t DT_NOCLIP = 0x0100;
constexpr uint32_t DT_CALCRECT = 0x0400;
constexpr uint32_t DT_NOPREFIX = 0x0800;
constexpr uint32_t DT_END_ELLIPSIS = 0x8000;
constexpr uint32_t DT_RTLREADING = 0x20000;

// Draws text into rect by the DT_ flags; returns the height of the text.
// With DT_CALCRECT nothing is drawn: rect keeps its left and top and gets
// the width of the widest line and the height of all lines. Unless
// DT_NOPREFIX, "&" is dropped ("&&" stays one "&"). Lines break at "\n"
// (a "\r" before it belongs to the break) unless DT_SINGLELINE; with
// DT_WORDBREAK also between words where a line would pass the rectangle's
// right edge. Drawn text is clipped at rect unless DT_NOCLIP.
int32_t DrawText(Canvas& canvas, std::u16string_view text, Rect& rect, uint32_t format);

}  // namespace gdi
