#pragma once
// Drawing pieces that the hand-drawn controls share: colours in the
// program's 00BBGGRR form, one-pixel edges and frames, the cross of the
// no-colour swatch and the small drop-down arrow. Everything is drawn in
// logical pixels with filled rectangles, so that lines stay sharp at any
// screen scaling.

#include <QtGui/QColor>
#include <QtGui/QPalette>

#include <cstdint>

class QPainter;
class QPoint;
class QRect;

// A colour of the program's 00BBGGRR form (red in the low byte).
QColor ColorOf(int32_t bgr);

// The system colours of three-dimensional frames.
QColor ButtonFace(const QPalette& palette);
QColor ButtonHighlight(const QPalette& palette);
QColor ButtonShadow(const QPalette& palette);
QColor WindowFrame(const QPalette& palette);

// A one-pixel frame along the inside of the rectangle: top and left edge in
// one colour, right and bottom edge in the other.
void DrawEdge(QPainter& painter, const QRect& rect, const QColor& topLeft, const QColor& bottomRight);
inline void DrawFrame(QPainter& painter, const QRect& rect, const QColor& color) {
    DrawEdge(painter, rect, color, color);
}
void DrawRaisedEdge(QPainter& painter, const QRect& rect, const QPalette& palette);
void DrawSunkenEdge(QPainter& painter, const QRect& rect, const QPalette& palette);
// The frame of a hot item or button: sunken while pressed, raised otherwise.
void DrawHotEdge(QPainter& painter, const QRect& rect, const QPalette& palette, bool pressed);
// Two pixels deep: the outer frame of a popup.
void DrawRaisedPanel(QPainter& painter, const QRect& rect, const QPalette& palette);

// Two diagonal lines from corner to corner of the rectangle.
void DrawCross(QPainter& painter, const QRect& rect, const QColor& color);
// A white swatch with a cross: "no colour".
void DrawNoColorSwatch(QPainter& painter, const QRect& rect, const QColor& outline);
// The downward triangle of drop-down buttons: rows 5, 3 and 1 pixels wide,
// the first row's left end at topLeft.
void DrawDropArrow(QPainter& painter, const QPoint& topLeft, const QColor& color);
// A dotted focus rectangle along the inside of the rectangle.
void DrawFocusFrame(QPainter& painter, const QRect& rect);
