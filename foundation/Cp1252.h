#pragma once
// The Windows-1252 code page, one character at a time: the table behind the
// byte strings of the model. The five positions the code page leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the code points of the
// same value, so every byte has a character and converts back to itself.

#include <cstdint>

// The Unicode character of a Windows-1252 byte.
char32_t Cp1252ToUnicode(uint8_t byte);

// The Windows-1252 byte of a Unicode character. For a character outside the
// code page *ok (when given) becomes false and the result is '?'.
char UnicodeToCp1252(char32_t code, bool* ok = nullptr);
