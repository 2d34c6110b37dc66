#include "app/HelpLinks.h"

#include "foundation/Localizer.h"

#include <QtCore/QFileInfo>

#include <algorithm>

namespace {

constexpr qsizetype kMaxQueryLength = 5000;

int HexDigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

// "+" as a blank, "%hh" as its character; a "%" without two hex digits is kept.
QString DecodeQueryValue(QStringView value) {
    QString decoded;
    decoded.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'+') {
            decoded += QLatin1Char(' ');
        } else if (c == u'%' && i + 2 < value.size() && HexDigitValue(value[i + 1]) >= 0 &&
                   HexDigitValue(value[i + 2]) >= 0) {
            decoded += QChar(char16_t(HexDigitValue(value[i + 1]) * 16 + HexDigitValue(value[i + 2])));
            i += 2;
        } else {
            decoded += c;
        }
    }
    return decoded;
}

}  // namespace

QString GetUrlParam(const QString& address, const QString& name, const QString& defaultValue) {
    const qsizetype question = address.indexOf(u'?');
    if (question < 0) return defaultValue;
    const QStringView query = QStringView(address).mid(question + 1, kMaxQueryLength);
    for (QStringView pair : query.split(u'&')) {
        const qsizetype equals = pair.indexOf(u'=');
        const QStringView key = equals < 0 ? pair : pair.left(equals);
        if (key.compare(name, Qt::CaseInsensitive) != 0) continue;
        return equals < 0 ? QString() : DecodeQueryValue(pair.mid(equals + 1));
    }
    return QString();
}

int GetUrlParamInt(const QString& address, const QString& name, int defaultValue) {
    bool ok = false;
    const int value = GetUrlParam(address, name, QString()).trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

int TipPageAfter(const QString& address, int pageCount) {
    const int n = std::max(pageCount, 1);
    const QString direction = GetUrlParam(address, QStringLiteral("dir"), QString()).toLower();
    int k = GetUrlParamInt(address, QStringLiteral("n"), 0);
    if (k != 0) {
        if (direction == u"next") k = k % n + 1;
        if (direction == u"prev") k = (k + n - 2) % n + 1;
    }
    // k may be negative or beyond the pages in a hand-written link.
    return ((k + n - 1) % n + n) % n + 1;
}

QString FindManualFile(const QString& folder, const QString& program, const QString& code) {
    for (const QString& candidate : {ManualFileName(folder, program, code), ManualFileName(folder, program, QStringLiteral("deu"))})
        if (QFileInfo(candidate).isFile()) return candidate;
    return folder + program + QStringLiteral(".htm");
}

QString HelpPagePath(const QString& folder, const QString& code, const QString& page) {
    return folder + QStringLiteral("HTMLHelp/") + code + QLatin1Char('/') + page;
}

QString TipPageName(int number) { return QStringLiteral("w%1.htm").arg(number); }
