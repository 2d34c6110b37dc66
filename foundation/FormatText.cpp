#include "foundation/FormatText.h"

#include "foundation/Codepage1252.h"
#include "foundation/Exceptions.h"
#include "foundation/Localizer.h"

#include <QtCore/QLocale>

#include <cmath>
#include <optional>

FormatArg::FormatArg(const std::string& ansi) : kind_(Kind::Text), text_(AnsiToUnicode(ansi)) {}
FormatArg::FormatArg(std::u16string_view wide) : kind_(Kind::Text), text_(WideToQString(wide)) {}

namespace {

[[noreturn]] void Invalid(QStringView format) {
    QString message = LocalizedText("IDS_FORMATERROR");
    message.replace(QLatin1String("%s"), format.toString());
    throw EConvertError(message);
}

class Formatter {
public:
    Formatter(QStringView format, std::span<const FormatArg> args) : format_(format), args_(args) {}

    QString Run() {
        QString out;
        out.reserve(format_.size() + 16);
        qsizetype i = 0;
        while (i < format_.size()) {
            const QChar c = format_[i];
            if (c != QLatin1Char('%')) {
                out += c;
                ++i;
                continue;
            }
            ++i;
            if (i < format_.size() && format_[i] == QLatin1Char('%')) {
                out += QLatin1Char('%');
                ++i;
                continue;
            }
            out += Specifier(i);
        }
        return out;
    }

private:
    // Parses a number or "*" at i; nullopt when there is neither.
    std::optional<int> Number(qsizetype& i) {
        if (i < format_.size() && format_[i] == QLatin1Char('*')) {
            ++i;
            const FormatArg& arg = NextArg();
            if (arg.kind() != FormatArg::Kind::Integer) Invalid(format_);
            return static_cast<int>(std::clamp<int64_t>(arg.integer(), -1000000, 1000000));
        }
        if (i >= format_.size() || !format_[i].isDigit()) return std::nullopt;
        int64_t n = 0;
        while (i < format_.size() && format_[i].isDigit()) {
            n = n * 10 + format_[i].digitValue();
            if (n > 1000000) Invalid(format_);
            ++i;
        }
        return static_cast<int>(n);
    }

    const FormatArg& NextArg() {
        if (next_ < 0 || next_ >= static_cast<int64_t>(args_.size())) Invalid(format_);
        return args_[static_cast<size_t>(next_++)];
    }

    QString Specifier(qsizetype& i) {
        std::optional<int> first = Number(i);
        if (i < format_.size() && format_[i] == QLatin1Char(':')) {
            ++i;
            if (!first) Invalid(format_);
            next_ = *first;
            first.reset();
        }
        bool leftAlign = false;
        if (!first && i < format_.size() && format_[i] == QLatin1Char('-')) {
            leftAlign = true;
            ++i;
        }
        std::optional<int> width = first ? first : Number(i);
        std::optional<int> precision;
        if (i < format_.size() && format_[i] == QLatin1Char('.')) {
            ++i;
            precision = Number(i);
            if (!precision) precision = 0;
        }
        if (i >= format_.size()) Invalid(format_);
        const char type = static_cast<char>(format_[i].toLower().unicode());
        ++i;
        const QString body = Convert(type, NextArg(), precision);
        const int w = width.value_or(0);
        if (body.size() >= w) return body;
        return leftAlign ? body.leftJustified(w, QLatin1Char(' ')) : body.rightJustified(w, QLatin1Char(' '));
    }

    static QString Digits(QString digits, std::optional<int> precision) {
        if (precision && digits.size() < *precision) digits = digits.rightJustified(*precision, QLatin1Char('0'));
        return digits;
    }

    QString Convert(char type, const FormatArg& arg, std::optional<int> precision) {
        using Kind = FormatArg::Kind;
        switch (type) {
        case 'd':
            if (arg.kind() == Kind::Integer) {
                const int64_t v = arg.integer();
                const uint64_t magnitude = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
                return (v < 0 ? QStringLiteral("-") : QString()) + Digits(QString::number(magnitude), precision);
            }
            if (arg.kind() == Kind::Unsigned) return Digits(QString::number(arg.unsignedValue()), precision);
            Invalid(format_);
        case 'u':
            if (arg.kind() == Kind::Integer)
                return Digits(QString::number(static_cast<uint32_t>(arg.integer())), precision);
            if (arg.kind() == Kind::Unsigned) return Digits(QString::number(arg.unsignedValue()), precision);
            Invalid(format_);
        case 'x':
            if (arg.kind() == Kind::Integer) {
                const int64_t v = arg.integer();
                const uint64_t bits = (v >= INT32_MIN && v <= INT32_MAX) ? static_cast<uint32_t>(v) : static_cast<uint64_t>(v);
                return Digits(QString::number(bits, 16).toUpper(), precision);
            }
            if (arg.kind() == Kind::Unsigned) return Digits(QString::number(arg.unsignedValue(), 16).toUpper(), precision);
            Invalid(format_);
        case 's':
            if (arg.kind() != Kind::Text) Invalid(format_);
            return precision ? arg.text().left(*precision) : arg.text();
        case 'f': case 'e': case 'g': case 'n': case 'm':
            if (arg.kind() != Kind::Float) Invalid(format_);
            return FormatFloat(type, arg.floating(), precision);
        default:
            Invalid(format_);
        }
    }

    static QString FormatFloat(char type, double v, std::optional<int> precision) {
        QLocale locale;
        if (!std::isfinite(v)) return std::isnan(v) ? QStringLiteral("NAN") : (v > 0 ? QStringLiteral("INF") : QStringLiteral("-INF"));
        switch (type) {
        case 'f':
            locale.setNumberOptions(QLocale::OmitGroupSeparator);
            return locale.toString(v, 'f', std::clamp(precision.value_or(2), 0, 18));
        case 'n': case 'm':
            locale.setNumberOptions(QLocale::DefaultNumberOptions);
            return locale.toString(v, 'f', std::clamp(precision.value_or(2), 0, 18));
        case 'e': {
            const int digits = std::clamp(precision.value_or(15), 1, 18);
            locale.setNumberOptions(QLocale::OmitGroupSeparator);
            QString s = locale.toString(v, 'e', digits - 1);  // "1,5e+03"
            const qsizetype e = s.indexOf(QLatin1Char('e'), 0, Qt::CaseInsensitive);
            if (e < 0) return s;
            const QString mantissa = s.left(e);
            QString exponent = s.mid(e + 1);
            const QChar sign = exponent.isEmpty() ? QLatin1Char('+') : exponent[0];
            exponent = exponent.mid(1).rightJustified(3, QLatin1Char('0'));
            return mantissa + QLatin1Char('E') + (sign == QLatin1Char('-') ? QLatin1Char('-') : QLatin1Char('+')) + exponent;
        }
        default:  // 'g'
            locale.setNumberOptions(QLocale::OmitGroupSeparator);
            return locale.toString(v, 'g', std::clamp(precision.value_or(15), 1, 18));
        }
    }

    QStringView format_;
    std::span<const FormatArg> args_;
    int64_t next_ = 0;
};

}  // namespace

QString FormatText(QStringView format, std::span<const FormatArg> args) {
    return Formatter(format, args).Run();
}

QString FormatText(QStringView format, std::initializer_list<FormatArg> args) {
    return FormatText(format, std::span<const FormatArg>(args.begin(), args.size()));
}

std::string FormatAnsi(std::string_view format, std::initializer_list<FormatArg> args) {
    return UnicodeToAnsi(FormatText(AnsiToUnicode(format), args));
}

QString FloatToLocaleText(double value) { return FloatToLocaleText(value, QLocale()); }

QString FloatToLocaleText(double value, const QLocale& locale) {
    QLocale ungrouped = locale;
    ungrouped.setNumberOptions(QLocale::OmitGroupSeparator);
    return ungrouped.toString(value, 'g', QLocale::FloatingPointShortest);
}

bool LocaleTextToFloat(QStringView text, double& value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double result = locale.toDouble(text.trimmed(), &ok);
    // "nan", "inf" and values beyond the double's range are no numbers here.
    if (!ok || !std::isfinite(result)) return false;
    value = result;
    return true;
}
