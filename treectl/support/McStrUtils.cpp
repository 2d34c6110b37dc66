#include "treectl/support/McStrUtils.h"

#include "foundation/Codepage1252.h"

#include <QtCore/QCollator>
#include <QtCore/QLocale>


bool TextEqualsNoCase(const std::string& a, const std::string& b) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator.compare(AnsiToUnicode(a), AnsiToUnicode(b)) == 0;
}

namespace {

struct CurrencyScan {
    int64_t value = 0;
    int64_t step = 0;  // the weight of the next decimal; 0 before the decimals and after the fourth
    bool negative = false;
    bool digits = false;
    bool decimals = false;

    void Digit(int d) {
        digits = true;
        if (step > 0) {
            value += d * step;
            step /= 10;
        } else if (!decimals) {
            value = value * 10 + d * 10000;
        }
    }
};

}  // namespace

int64_t CurrencyTextToValue(const std::string& ansi) {
    const QString text = AnsiToUnicode(ansi);
    const QLocale locale;
    const QString symbol = locale.currencySymbol();
    const QString thousands = locale.groupSeparator();
    const QString decimal = locale.decimalPoint();
    const qsizetype symbolAt = symbol.isEmpty() ? -1 : text.indexOf(symbol);
    CurrencyScan scan;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (i == symbolAt) {
            if (scan.negative && scan.digits) break;
            i += symbol.size();
            continue;
        }
        if (c == u'(' || c == u'-') {
            scan.negative = true;
            if (scan.digits) break;
        } else if (c.isDigit() && c.unicode() < 128) {
            scan.Digit(c.unicode() - u'0');
        } else if (!thousands.isEmpty() && text.mid(i, thousands.size()) == thousands) {
            i += thousands.size();
            continue;
        } else if (text.mid(i, decimal.size()) == decimal || c == u',' || c == u'.') {
            if (scan.decimals) break;
            scan.decimals = scan.digits = true;
            scan.step = 1000;
        } else if (c.unicode() >= u'!') {
            break;
        }
        ++i;
    }
    return scan.negative ? -scan.value : scan.value;
}
