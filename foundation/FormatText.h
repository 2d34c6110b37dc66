#pragma once
// The program's format routine, with the conventions of its message texts:
//   %s text, %d integer, %u unsigned, %x hexadecimal (upper case), %f fixed
//   (2 decimals unless a precision is given), %e scientific, %g general,
//   %n fixed with thousands separators, %m like %n, %% a percent sign.
// A specifier is  "%" [index ":"] ["-"] [width] ["." precision] type ;
// index, width and precision may be "*" (taken from the arguments). An index
// ("%0:s") selects the argument; the next plain specifier takes the one after
// it. With %d, %u and %x the precision is the least number of digits; with
// %s the most number of characters. Floats use the decimal separator of the
// current locale (QLocale()).
//
// A malformed format, a missing argument or an argument of the wrong kind
// raises EConvertError; LocalizedFormat turns that into the raw text.

#include <QtCore/QLocale>
#include <QtCore/QString>
#include <QtCore/QStringView>

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

class FormatArg {
public:
    enum class Kind { Integer, Unsigned, Float, Text };

    template <std::signed_integral T>
    FormatArg(T v) : kind_(Kind::Integer), integer_(static_cast<int64_t>(v)) {}
    template <std::unsigned_integral T>
    FormatArg(T v) : kind_(Kind::Unsigned), unsigned_(static_cast<uint64_t>(v)) {}
    FormatArg(bool v) : kind_(Kind::Integer), integer_(v ? 1 : 0) {}
    FormatArg(double v) : kind_(Kind::Float), float_(v) {}
    FormatArg(float v) : kind_(Kind::Float), float_(v) {}
    FormatArg(long double v) : kind_(Kind::Float), float_(static_cast<double>(v)) {}
    FormatArg(QString v) : kind_(Kind::Text), text_(std::move(v)) {}
    // A source literal: UTF-8.
    FormatArg(const char* utf8) : kind_(Kind::Text), text_(QString::fromUtf8(utf8)) {}
    // A model string: Windows-1252.
    FormatArg(const std::string& ansi);
    FormatArg(std::u16string_view wide);

    Kind kind() const { return kind_; }
    int64_t integer() const { return integer_; }
    uint64_t unsignedValue() const { return unsigned_; }
    double floating() const { return float_; }
    const QString& text() const { return text_; }

private:
    Kind kind_;
    int64_t integer_ = 0;
    uint64_t unsigned_ = 0;
    double float_ = 0;
    QString text_;
};

QString FormatText(QStringView format, std::span<const FormatArg> args);
QString FormatText(QStringView format, std::initializer_list<FormatArg> args);
// The same for 8-bit model strings: format and result in Windows-1252.
std::string FormatAnsi(std::string_view format, std::initializer_list<FormatArg> args);

// A float as the shortest text that reads back to the same value, with the
// decimal separator of the current locale and no grouping ("0,5" under a
// German locale): how settings and INI files store floats.
QString FloatToLocaleText(double value);
// The same in the given locale (numbers shown in the language of the program).
QString FloatToLocaleText(double value, const QLocale& locale);
// Reads such a text (blanks around it are ignored, grouping is refused);
// false when the text is no finite number ("nan", "inf", "1e999").
bool LocaleTextToFloat(QStringView text, double& value);
