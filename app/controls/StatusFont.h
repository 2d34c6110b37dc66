#pragma once
// The font the small dialogs take when they are created: the system's font of
// status bars.

class QFont;
class QWidget;

void AssignStatusFont(QFont& font);
// The window's font := the status-bar font.
void AssignStatusFont(QWidget* window);
