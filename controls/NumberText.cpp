#include "controls/NumberText.h"

#include <QtCore/QLocale>
#include <QtCore/QString>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool IsSign(QChar c) { return c == QLatin1Char('+') || c == QLatin1Char('-'); }

qsizetype SkipBlanks(QStringView text, qsizetype i) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    return i;
}

bool Fail(qsizetype index, int& stopPosition) {
    stopPosition = static_cast<int>(index) + 1;
    return false;
}

}  // namespace

bool ParseInteger(QStringView text, int32_t& value, int& stopPosition) {
    qsizetype i = SkipBlanks(text, 0);
    bool negative = false;
    if (i < text.size() && IsSign(text[i])) negative = text[i++] == QLatin1Char('-');
    const qsizetype firstDigit = i;
    int64_t magnitude = 0;
    const int64_t limit = negative ? -int64_t(std::numeric_limits<int32_t>::min()) : std::numeric_limits<int32_t>::max();
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i].unicode() - '0');
        if (magnitude > limit) return Fail(i, stopPosition);
    }
    if (i == firstDigit) return Fail(i, stopPosition);
    i = SkipBlanks(text, i);
    if (i != text.size()) return Fail(i, stopPosition);
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    stopPosition = 0;
    return true;
}

bool ParseFloat(QStringView text, QChar decimalSeparator, double& value, int& stopPosition) {
    qsizetype i = SkipBlanks(text, 0);
    const qsizetype start = i;
    std::string plain;  // the number in the form from_chars reads
    if (i < text.size() && IsSign(text[i])) {
        if (text[i] == QLatin1Char('-')) plain += '-';
        ++i;
    }
    int mantissaDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++mantissaDigits) plain += char(text[i].unicode());
    if (i < text.size() && text[i] == decimalSeparator) {
        plain += '.';
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++mantissaDigits) plain += char(text[i].unicode());
    }
    if (mantissaDigits == 0) return Fail(i, stopPosition);
    if (i < text.size() && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        plain += 'e';
        ++i;
        if (i < text.size() && IsSign(text[i])) plain += char(text[i++].unicode());
        const qsizetype firstDigit = i;
        for (; i < text.size() && IsDigit(text[i]); ++i) plain += char(text[i].unicode());
        if (i == firstDigit) return Fail(i, stopPosition);
    }
    i = SkipBlanks(text, i);
    if (i != text.size()) return Fail(i, stopPosition);
    double result = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), result);
    if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(result)) return Fail(start, stopPosition);
    value = result;
    stopPosition = 0;
    return true;
}

QString FloatText(double value, QChar decimalSeparator) {
    QString text = QString::number(value, 'g', QLocale::FloatingPointShortest);
    text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}
