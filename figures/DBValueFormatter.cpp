#include "figures/DBValueFormatter.h"

#include "content/DataSet.h"
#include "foundation/Codepage1252.h"

#include <charconv>
#include <cmath>

const std::array<TColFormat, 14> ColFormats{{
    {kColFormatText, "Standard"},
    {kColFormatNumber, "1000"},
    {kColFormatNumber, "1000,0"},
    {kColFormatNumber, "1000,00"},
    {kColFormatNumber, "1000,000"},
    {kColFormatNumber, "1.000"},
    {kColFormatNumber, "1.000,0"},
    {kColFormatNumber, "1.000,00"},
    {kColFormatNumber, "1.000,000"},
    {kColFormatTrim, "Trim: \"  xxx  \" -> \"xxx\""},
    {kColFormatTrim, "LTrim: \"  xxx  \" -> \"xxx  \""},
    {kColFormatTrim, "RTrim: \"  xxx  \" -> \"  xxx\""},
    {kColFormatTrim, "LTrimSpace: \"  xxx\" -> \"xxx \""},
    {kColFormatTrim, "RTrimSpace: \"xxx  \" -> \" xxx\""},
}};

namespace {

constexpr int32_t kFirstNumberCode = 1;
constexpr int32_t kFirstGroupedCode = 5;
constexpr int32_t kLastNumberCode = 8;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string TrimLeft(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return s.substr(i);
}

std::string TrimRight(const std::string& s) {
    size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1])) --n;
    return s.substr(0, n);
}

// The digits of |value| with exactly `decimals` places, the last rounded half
// away from zero on the shortest decimal form of the value.
std::string FixedDigits(double value, int decimals) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
    std::string digits(buffer, result.ptr);
    const size_t point = digits.find('.');
    std::string whole = point == std::string::npos ? digits : digits.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : digits.substr(point + 1);
    const bool roundUp = fraction.size() > static_cast<size_t>(decimals) && fraction[decimals] >= '5';
    fraction.resize(decimals, '0');
    std::string all = whole + fraction;
    if (roundUp) {
        size_t i = all.size();
        while (i > 0 && all[i - 1] == '9') all[--i] = '0';
        if (i == 0)
            all.insert(all.begin(), '1');
        else
            ++all[i - 1];
    }
    return all;  // whole digits followed by the decimals, no point
}

QString Grouped(const QString& whole, const QString& separator) {
    QString out;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) out += separator;
        out += whole[i];
    }
    return out;
}

}  // namespace

const TColFormat& ColFormatOf(int32_t code) {
    if (code < 0 || code >= static_cast<int32_t>(ColFormats.size())) return ColFormats[0];
    return ColFormats[static_cast<size_t>(code)];
}

std::string TDBValueFormatter::FormatField(const TDataSet& dataSet, const TDataSetField& field) const {
    const TColFormat& format = ColFormatOf(field.tag);
    if (format.Kind == kColFormatNumber) {
        if (const std::optional<double> number = dataSet.FieldValueAsFloat(field.name))
            return FormatNumber(field.tag, *number);
        return dataSet.FieldValue(field.name);
    }
    if (format.Kind == kColFormatTrim) return FormatText(dataSet.FieldValue(field.name), field.tag);
    return dataSet.FieldValue(field.name);
}

std::string TDBValueFormatter::FormatNumber(int32_t code, double value) const {
    return FormatNumber(code, value, QLocale());
}

std::string TDBValueFormatter::FormatNumber(int32_t code, double value, const QLocale& locale) const {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (code < kFirstNumberCode || code > kLastNumberCode) {
        QLocale plain = locale;
        plain.setNumberOptions(QLocale::OmitGroupSeparator);
        return UnicodeToAnsi(plain.toString(value, 'g', 15));
    }
    const int decimals = (code - kFirstNumberCode) % 4;
    const std::string digits = FixedDigits(value, decimals);
    const QString whole = QString::fromLatin1(digits.substr(0, digits.size() - decimals));
    QString text = code >= kFirstGroupedCode ? Grouped(whole, locale.groupSeparator()) : whole;
    if (decimals > 0) text += locale.decimalPoint() + QString::fromLatin1(digits.substr(digits.size() - decimals));
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    if (value < 0 && !zero) text.prepend(locale.negativeSign());
    return UnicodeToAnsi(text);
}

std::string TDBValueFormatter::FormatText(const std::string& text, int32_t code) const {
    switch (code) {
    case 9: return TrimLeft(TrimRight(text));
    case 10: return TrimLeft(text);
    case 11: return TrimRight(text);
    case 12: return TrimLeft(text + " ");
    case 13: return TrimRight(" " + text);
    default: return text;
    }
}

TDBValueFormatter& DBValueFormatter() {
    static TDBValueFormatter formatter;
    return formatter;
}
