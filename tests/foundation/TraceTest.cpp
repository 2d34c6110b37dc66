#include "foundation/Debug.h"

#include <gtest/gtest.h>

#include <QtCore/QRegularExpression>

TEST(Trace, LinesCarryTheMillisecondsSinceCreation) {
    EXPECT_EQ(TDebug::FormatLine(7, QStringLiteral("Start FormCreate")), QStringLiteral("0007 Start FormCreate"));
    EXPECT_EQ(TDebug::FormatLine(0, QStringLiteral("x")), QStringLiteral("0000 x"));
    EXPECT_EQ(TDebug::FormatLine(12345, QStringLiteral("Ende pbPaint")), QStringLiteral("12345 Ende pbPaint"));
    EXPECT_EQ(TDebug::FormatLine(5000000000LL, QStringLiteral("y")), QStringLiteral("5000000000 y"));
}

TEST(Trace, LogAndLogFmtGoToTheSink) {
    TDebug trace;
    QStringList lines;
    trace.SetSink([&](const QString& line) { lines << line; });
    trace.Log("Fehler in TEtikettPrinter.StartPrintJob");
    trace.LogFmt(u"Token: %s", {"abc"});
    trace.LogFmt(u"Token: %d", {"abc"});  // does not fit: logged as it is
    ASSERT_EQ(lines.size(), 3);
    const QRegularExpression line(QStringLiteral("^\\d{4,} (.*)$"));
    const QStringList texts = {QStringLiteral("Fehler in TEtikettPrinter.StartPrintJob"), QStringLiteral("Token: abc"),
                               QStringLiteral("Token: %d")};
    for (int i = 0; i < 3; ++i) {
        const auto match = line.match(lines[i]);
        ASSERT_TRUE(match.hasMatch()) << lines[i].toStdString();
        EXPECT_EQ(match.captured(1), texts[i]);
    }
    EXPECT_LT(trace.Elapsed(), 60000);
    trace.SetSink({});
    trace.Log("discarded");  // no sink: nothing happens
    EXPECT_EQ(lines.size(), 3);
}
