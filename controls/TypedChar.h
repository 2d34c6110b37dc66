#pragma once
// The character that a key press types into an edit field, as the field's
// character checks see it: the text of the key, backspace as character 8,
// Ctrl + a letter as its control character (Ctrl+V is 22) when the system
// gives no text for it. Keys that type nothing (arrows, Delete, function
// keys) and the keys the dialog handles (Enter, Escape, Tab) give a null
// character: they are never refused.

#include <QtCore/QChar>

class QKeyEvent;

QChar TypedChar(const QKeyEvent& event);
bool IsDialogKey(const QKeyEvent& event);
