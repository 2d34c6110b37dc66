// The small helpers: centred boxes, strings in streams, the message pump,
// the operating-system flags, currency texts and case-blind comparison.
#include "treectl/support/McStrUtils.h"
#include "treectl/support/McTools.h"

#include "foundation/Stream.h"
#include "foundation/StreamHelp.h"

#include <QtCore/QEventLoop>
#include <QtCore/QLocale>
#include <QtCore/QTimer>

#include <gtest/gtest.h>

namespace {

TEST(McTools, CenterBoxGivesInclusiveEdges) {
    gdi::Rect r;
    CenterBox(4, 10, 7, r, 20);
    EXPECT_EQ(r, (gdi::Rect{3, 7, 6, 13}));
    CenterBox(7, 3, 4, r, 2);  // larger than the outer box: starts at 0, cut at its end
    EXPECT_EQ(r, (gdi::Rect{0, 0, 2, 1}));
}

TEST(McTools, StringsInStreams) {
    TMemoryStream s;
    EXPECT_TRUE(WriteStringToStream(s, "Zorbit"));
    EXPECT_TRUE(WriteStringToStream(s, ""));
    EXPECT_EQ(s.Size(), 4 + 6 + 4);
    s.SetPosition(0);
    std::string a = "old", b = "old";
    EXPECT_TRUE(ReadStringFromStream(s, a));
    EXPECT_TRUE(ReadStringFromStream(s, b));
    EXPECT_EQ(a, "Zorbit");
    EXPECT_EQ(b, "");

    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } damaged[] = {
        {"negative length", {0xFF, 0xFF, 0xFF, 0xFF, 'x'}},
        {"length beyond the end", {0x05, 0, 0, 0, 'a', 'b'}},
        {"huge length", {0xFF, 0xFF, 0xFF, 0x7F}},
        {"short header", {0x01, 0}},
    };
    for (const auto& d : damaged) {
        TMemoryStream in(d.bytes);
        std::string kept = "kept";
        EXPECT_FALSE(ReadStringFromStream(in, kept)) << d.what;
        EXPECT_EQ(kept, "kept") << d.what;
    }
}

TEST(McTools, PumpingLeavesAQuitPending) {
    QEventLoop loop;
    bool pumped = false;
    QTimer::singleShot(0, &loop, [&] {
        QTimer::singleShot(0, &loop, [&] { loop.quit(); });
        PumpAllMessages();  // runs the quit request, which must still end the loop
        pumped = true;
    });
    QTimer watchdog;
    bool timedOut = false;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        timedOut = true;
        loop.exit(1);
    });
    watchdog.start(5000);
    EXPECT_EQ(loop.exec(), 0);
    EXPECT_TRUE(pumped);
    EXPECT_FALSE(timedOut);
}

TEST(McTools, OsFlags) {
    const TMcOsFlags nt = DetectOsVersion(kPlatformWinNT, 5, 1, 2600);
    EXPECT_TRUE(nt.IsWinNT && nt.IsWinNT5Up);
    EXPECT_FALSE(nt.IsWin9x || nt.IsWin98Up);
    const TMcOsFlags me = DetectOsVersion(kPlatformWin9x, 4, 90, 3000);
    EXPECT_TRUE(me.IsWin9x && me.IsWin98Up && me.IsWinMe && me.IsWin9xBuildAbove999);
    EXPECT_FALSE(DetectOsVersion(kPlatformWin9x, 4, 0, 950).IsWin98Up);
    EXPECT_FALSE(OsFlags().IsWin98Up) << "the flat thumb's least length is then 8";
}

class LocaleTexts : public ::testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(saved_); }
    QLocale saved_;
};

TEST_F(LocaleTexts, CurrencyTextToValue) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const struct {
        const char* text;
        int64_t value;
    } german[] = {
        {"", 0},
        {"-1.234,50", -12345000},  // point: thousands, comma: decimals
        {"1.234,50 \x80", 12345000},
        {"12,34567", 123456},  // a fifth decimal is dropped
        {"3,5,7", 35000},      // a second separator ends the amount
        {"(7)", -70000},
        {"7 x 8", 70000},
        {"\x80 -5", -50000},
    };
    for (const auto& c : german) EXPECT_EQ(CurrencyTextToValue(c.text), c.value) << c.text;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(CurrencyTextToValue("(12.5)"), -125000);
    EXPECT_EQ(CurrencyTextToValue("$1,234.50"), 12345000);
    EXPECT_EQ(CurrencyTextToValue("-$3"), -30000);
}

TEST_F(LocaleTexts, TextEqualsNoCase) {
    EXPECT_TRUE(TextEqualsNoCase("Ordner", "ORDNER"));
    EXPECT_TRUE(TextEqualsNoCase("\xC4pfel", "\xE4PFEL"));  // Äpfel, äPFEL
    EXPECT_FALSE(TextEqualsNoCase("Ordner", "Order"));
}

}  // namespace
