#include "foundation/Debug.h"

#include <QtCore/QDateTime>
#include <QtCore/QLocale>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

QString Now() {
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    return locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(now.time(), QLocale::LongFormat);
}

}  // namespace

TDebug::TDebug() {
    timer_.start();
    toStandardError_ = std::getenv("ZORBIT_TRACE") != nullptr;
    Log("Debug.Create");
}

TDebug::~TDebug() = default;

int64_t TDebug::Elapsed() const {
    return (timer_.nsecsElapsed() + 500000) / 1000000;
}

QString TDebug::FormatLine(int64_t elapsedMs, const QString& text) {
    return FormatText(u"%.4d %s", {elapsedMs, text});
}

void TDebug::Log(const QString& text) {
    Send(FormatLine(Elapsed(), text));
}

void TDebug::LogFmt(QStringView format, std::initializer_list<FormatArg> args) {
    QString text;
    try {
        text = FormatText(format, args);
    } catch (const std::exception&) {
        text = format.toString();
    }
    Log(text);
}

void TDebug::Send(const QString& line) {
    if (sink_) sink_(line);
    if (toStandardError_) std::fprintf(stderr, "%s\n", line.toUtf8().constData());
}

namespace {

class ProcessTrace {
public:
    ProcessTrace() { trace_.Log(QStringLiteral("**** BEGINN ****\t") + Now() + QStringLiteral(" **** ")); }
    ~ProcessTrace() {
        trace_.Log(QStringLiteral("**** ENDE ****\t") + Now() + QStringLiteral(" **** "));
        trace_.Log("Debug.Destroy");
    }
    TDebug trace_;
};

}  // namespace

TDebug& Debug() {
    static ProcessTrace instance;
    return instance.trace_;
}
