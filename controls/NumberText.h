#pragma once
// Reading numbers typed into the controls. Blanks around the number are
// allowed; a sign may lead; nothing else may follow. On failure the stop
// position is the 1-based position of the character where the scan gave up
// (one past the end when the text ended too early), so that a field can
// select the bad part.

#include <QtCore/QChar>
#include <QtCore/QStringView>

#include <cstdint>

// '0' to '9'; the digits of other scripts are no digits here.
inline bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Decimal 32-bit integer; a value beyond the range stops at the digit that
// overflows it.
bool ParseInteger(QStringView text, int32_t& value, int& stopPosition);
inline bool ParseInteger(QStringView text, int32_t& value) {
    int stop = 0;
    return ParseInteger(text, value, stop);
}

// Decimal float with the given decimal separator and an optional exponent
// ("1,5", "-,25", "2e3", "1,5E-2"); no thousands separators. Values beyond
// the range of a double fail.
bool ParseFloat(QStringView text, QChar decimalSeparator, double& value, int& stopPosition);

// The shortest text that reads back to the value, with the decimal separator
// ("0,25", "1e+20").
QString FloatText(double value, QChar decimalSeparator);
