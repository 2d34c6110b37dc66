#pragma once
// A window's placement in the settings: "WindowState" (0 normal,
// 1 minimised, 2 maximised) and, for a normal window, "Left", "Top", "Width"
// and "Height" in a section of its own. Left and top are the position of the
// window frame, width and height the size of its client area, as Qt moves
// and sizes a top-level window.

#include <QtCore/QRect>

#include <string>

class QWidget;

enum class TStoredWindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// Stored bounds made to fit the screen area: no larger than the screen, moved
// back onto it when they reach past its right or bottom edge, never left of
// or above it.
QRect FitBoundsToScreen(const QRect& bounds, const QRect& screen);

// Reads the state (default: the window's current state) and applies it; for
// a normal window also the bounds (defaults: the current ones), fitted to the
// window's screen.
void LoadFormPlacement(QWidget* form, const std::string& section);
// Writes the state and, unless the window is maximised, its bounds.
void SaveFormPlacement(QWidget* form, const std::string& section);
