#pragma once
// The small controls the system draws on request: check boxes and radio
// buttons in their classic sunken look (checked, three-state, inactive),
// and the dotted focus rectangle, drawn by inverting so that drawing it
// twice takes it away again.

#include "platform/gdi/GdiTypes.h"

namespace gdi {

class Canvas;

constexpr uint32_t DFC_BUTTON = 4;
constexpr uint32_t DFCS_BUTTONCHECK = 0x0000;
constexpr uint32_t DFCS_BUTTONRADIO = 0x0004;
constexpr uint32_t DFCS_BUTTON3STATE = 0x0008;
constexpr uint32_t DFCS_INACTIVE = 0x0100;
constexpr uint32_t DFCS_CHECKED = 0x0400;

// Draws a button control of the kind and state into rect (a check box fills
// it; a radio button is the circle in its top-left square). Only DFC_BUTTON
// is drawn; other types answer false.
bool DrawFrameControl(Canvas& canvas, const Rect& rect, uint32_t type, uint32_t state);

// Inverts every other pixel of the rectangle's one-pixel outline (those
// whose x + y is even, in device pixels).
void DrawFocusRect(Canvas& canvas, const Rect& rect);

}  // namespace gdi
