#pragma once
// Three-dimensional edges as the system draws them around buttons, fields
// and frames: up to two one-pixel rings, each with a top-left and a
// bottom-right colour from the desktop's button colours.

#include "platform/gdi/GdiTypes.h"

namespace gdi {

class Canvas;

// The rings of an edge.
constexpr uint32_t BDR_RAISEDOUTER = 0x0001;
constexpr uint32_t BDR_SUNKENOUTER = 0x0002;
constexpr uint32_t BDR_RAISEDINNER = 0x0004;
constexpr uint32_t BDR_SUNKENINNER = 0x0008;
constexpr uint32_t BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
constexpr uint32_t BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
constexpr uint32_t EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr uint32_t EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr uint32_t EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr uint32_t EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

// The sides and options.
constexpr uint32_t BF_LEFT = 0x0001;
constexpr uint32_t BF_TOP = 0x0002;
constexpr uint32_t BF_RIGHT = 0x0004;
constexpr uint32_t BF_BOTTOM = 0x0008;
constexpr uint32_t BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr uint32_t BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr uint32_t BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr uint32_t BF_MIDDLE = 0x0800;  // fills the inside with the button face
constexpr uint32_t BF_SOFT = 0x1000;    // the lighter and darker colours trade places
constexpr uint32_t BF_ADJUST = 0x2000;  // rect becomes what is left inside the edge
constexpr uint32_t BF_FLAT = 0x4000;    // a plain shadow-coloured ring
constexpr uint32_t BF_MONO = 0x8000;    // a plain window-frame-coloured ring

// Draws the edge inside rect on the sides that flags name. Each ring is one
// pixel: its top and left lines come first, its right and bottom lines over
// them, so the two far corners take the bottom-right colour. The inner ring
// lies one pixel inside the outer one on each side that was drawn. With
// BF_ADJUST, rect is moved in by the drawn rings. Returns false when edge
// names no ring (nothing drawn, rect unchanged).
bool DrawEdge(Canvas& canvas, Rect& rect, uint32_t edge, uint32_t flags);

// One ring of one-pixel lines inside rect on the named sides (BF_ values):
// left and top in topLeft, then right and bottom in bottomRight.
void DrawEdgeRing(Canvas& canvas, const Rect& rect, uint32_t sides, Color topLeft, Color bottomRight);

}  // namespace gdi
