#pragma once
// The look of dialogs: the desktop's small status-bar font, and panels with
// a single-line border instead of bevels.

class QFont;
class QFrame;
class QWidget;

// Gives the font the desktop's status-bar font.
void AssignStatusFont(QFont& font);
// The window's font := the status-bar font.
void AssignStatusFont(QWidget* window);
// A plain one-pixel border, no bevels (the desktop's styles always draw themed).
void ApplyThemedPanelStyle(QFrame* panel);
