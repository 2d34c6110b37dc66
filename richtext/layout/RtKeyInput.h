#pragma once
// What a key press or an input-method commit types into a rich text: the
// characters as bytes of the text's charset (so "ä", "ß" and the euro sign
// of Windows-1252 arrive as single bytes), or the control code of an editing
// key (8 backspace, 127 delete, 13 new paragraph, 12 page break, 10 line
// break, 9 tab). Characters the charset cannot hold and control characters
// from the keyboard are dropped: codes 1 to 3 stand for objects in the text.
// Composed characters of dead keys come as key text or as a commit string.

#include <QtCore/QString>
#include <QtCore/Qt>

#include <cstdint>
#include <string>

std::string EngineCharsForKey(int key, Qt::KeyboardModifiers modifiers, const QString& text, uint8_t charset);
std::string EngineCharsForText(const QString& text, uint8_t charset);
