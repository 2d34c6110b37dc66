#pragma once
// Trace output: timed diagnostic lines "%.4d %s" (milliseconds since the
// trace object was created, at least four digits, then the text). Lines are
// discarded unless a sink is set (tests) or the environment variable
// ZORBIT_TRACE is set, which sends them to standard error.

#include "foundation/FormatText.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QString>

#include <cstdint>
#include <functional>
#include <initializer_list>

class TDebug {
public:
    using Sink = std::function<void(const QString& line)>;

    TDebug();
    virtual ~TDebug();
    TDebug(const TDebug&) = delete;
    TDebug& operator=(const TDebug&) = delete;

    void Log(const QString& text);
    void Log(const char* utf8) { Log(QString::fromUtf8(utf8)); }
    // Formats with FormatText; a format that does not fit its arguments is
    // logged as it is.
    void LogFmt(QStringView format, std::initializer_list<FormatArg> args);

    // Milliseconds since creation, rounded.
    int64_t Elapsed() const;
    static QString FormatLine(int64_t elapsedMs, const QString& text);

    // Where lines go; an empty sink discards them.
    void SetSink(Sink sink) { sink_ = std::move(sink); }

protected:
    virtual void Send(const QString& line);

private:
    QElapsedTimer timer_;
    Sink sink_;
    bool toStandardError_ = false;
};

// The process-wide trace object, created on first use; it logs
// "**** BEGINN ****" when created and "**** ENDE ****" at the end.
TDebug& Debug();
inline TDebug& GetDebug() { return Debug(); }
