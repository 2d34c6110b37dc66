#pragma once
// The one Windows-1252 codec of the program. Model strings, streams and
// document files hold 8-bit Windows-1252 text (std::string); texts shown to the
// user are Unicode (QString). Conversion happens here and nowhere else.
//
// Decoding is total: every byte has a character (the five positions that
// Windows-1252 leaves unassigned, 0x81 0x8D 0x8F 0x90 0x9D, become the C1
// controls U+0081 ... U+009D and convert back to the same byte).
// Encoding replaces every character outside the code page with '?'.

#include <QtCore/QString>
#include <QtCore/QStringView>

#include <cstdint>
#include <string>
#include <string_view>

// The byte written for a character outside the code page.
inline constexpr char kAnsiReplacementChar = '?';

QString AnsiToUnicode(std::string_view ansi);
// Replaces characters outside the code page with '?'; *lossless (when given)
// tells whether every character was representable.
std::string UnicodeToAnsi(QStringView text, bool* lossless = nullptr);

std::u16string AnsiToWide(std::string_view ansi);
std::string WideToAnsi(std::u16string_view text, bool* lossless = nullptr);

// One character at a time, for scanners that walk their input themselves.
char32_t Cp1252ToUnicode(uint8_t byte);
// For a character outside the code page *ok (when given) becomes false and the result is '?'.
char UnicodeToCp1252(char32_t code, bool* ok = nullptr);

// Equal without regard to the letter case of A to Z, as names and keys of
// the program's files are compared.
bool SameTextAscii(std::string_view a, std::string_view b);

// True when every character of text has a Windows-1252 byte.
bool IsAnsiRepresentable(QStringView text);

inline QString WideToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}
inline std::u16string QStringToWide(QStringView text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), static_cast<size_t>(text.size()));
}
