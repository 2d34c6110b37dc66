#include "treectl/items/McSortKey.h"

#include "treectl/support/McStrUtils.h"

#include "foundation/Codepage1252.h"

#include <QtCore/QDateTime>
#include <QtCore/QLocale>

#include <cmath>

namespace {

const QDate kDayZero(1899, 12, 30);

double DaysOf(const QDate& date, const QTime& time) {
    const double day = static_cast<double>(kDayZero.daysTo(date));
    const double fraction = time.isValid() ? time.msecsSinceStartOfDay() / 86400000.0 : 0.0;
    return day + fraction;
}

}  // namespace

bool TextToInteger(const std::string& text, int32_t& value) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return false;
    int64_t v = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return false;
        v = v * base + digit;
        if (v > int64_t{INT32_MAX} + 1) return false;
    }
    v = negative ? -v : v;
    if (v > INT32_MAX || v < INT32_MIN) return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool TextToFloating(const std::string& text, double& value) {
    bool ok = false;
    const double v = QLocale().toDouble(AnsiToUnicode(text).trimmed(), &ok);
    if (!ok || !std::isfinite(v)) return false;
    value = v;
    return true;
}

bool TextToDateTime(const std::string& text, TSortTypes sortType, double& value) {
    const QString t = AnsiToUnicode(text).trimmed();
    const QLocale locale;
    QDate date;
    QTime time;
    if (sortType == TSortTypes::stTime) {
        time = locale.toTime(t, QLocale::ShortFormat);
        if (!time.isValid()) time = locale.toTime(t, QLocale::LongFormat);
        if (!time.isValid()) time = QTime::fromString(t, Qt::ISODate);
        if (!time.isValid()) return false;
        value = DaysOf(kDayZero, time);
        return true;
    }
    if (sortType == TSortTypes::stDateTime) {
        QDateTime dt = locale.toDateTime(t, QLocale::ShortFormat);
        if (!dt.isValid()) dt = QDateTime::fromString(t, Qt::ISODate);
        if (dt.isValid()) {
            value = DaysOf(dt.date(), dt.time());
            return true;
        }
    }
    date = locale.toDate(t, QLocale::ShortFormat);
    if (!date.isValid()) date = locale.toDate(t, QLocale::LongFormat);
    if (!date.isValid()) date = QDate::fromString(t, Qt::ISODate);
    if (!date.isValid()) return false;
    value = DaysOf(date, QTime());
    return true;
}

void TMcSortKey::Prepare(const std::string& text, TSortTypes sortType, bool convert) {
    if (useCount_++ > 0 || !convert) return;
    switch (sortType) {
    case TSortTypes::stCustom:
    case TSortTypes::stText:
        value_ = text;
        kind_ = Kind::Text;
        break;
    case TSortTypes::stNumber: {
        int32_t v = 0;
        if (TextToInteger(text, v)) {
            value_ = v;
            kind_ = Kind::Number;
        }
        break;
    }
    case TSortTypes::stFloating: {
        double v = 0;
        if (TextToFloating(text, v)) {
            value_ = v;
            kind_ = Kind::Floating;
        }
        break;
    }
    case TSortTypes::stDateTime:
    case TSortTypes::stDate:
    case TSortTypes::stTime: {
        double v = 0;
        if (TextToDateTime(text, sortType, v)) {
            value_ = v;
            kind_ = Kind::Floating;
        }
        break;
    }
    case TSortTypes::stBoolean:
        value_ = static_cast<int64_t>(text.size());
        kind_ = Kind::Length;
        break;
    case TSortTypes::stCurrency:
        value_ = CurrencyTextToValue(text);
        kind_ = Kind::Currency;
        break;
    }
}

void TMcSortKey::Release() {
    if (useCount_ == 0 || --useCount_ > 0) return;
    value_ = std::monostate{};
    kind_ = Kind::None;
}
