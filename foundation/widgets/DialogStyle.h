#pragma once
// The look of dialogs: the desktop's small status-bar font, and panels with
// a single-line border instead of bevels.

class QFont;
class QFrame;

// Gives the font the desktop's status-bar font.
void AssignStatusFont(QFont& font);
// A plain one-pixel border, no bevels (the desktop's styles always draw themed).
void ApplyThemedPanelStyle(QFrame* panel);
