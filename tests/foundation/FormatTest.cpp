#include "foundation/FormatText.h"

#include "foundation/Exceptions.h"
#include "foundation/Localizer.h"

#include <gtest/gtest.h>

#include <QtCore/QLocale>

namespace {

class GermanLocale : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::German)); }
    void TearDown() override { QLocale::setDefault(saved_); }
    QLocale saved_;
};

}  // namespace

TEST_F(GermanLocale, FormatSpecifiers) {
    struct Case {
        const char16_t* format;
        std::vector<FormatArg> args;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"Seite %d von %d", {2, 5}, u"Seite 2 von 5"},
        {u"%0:s-Datei (*.%0:s)|*.%0:s", {"qem"}, u"qem-Datei (*.qem)|*.qem"},
        {u"%1:s %0:s %s", {"a", "b"}, u"b a b"},
        {u"%x / %.4x / %x", {255, 10, -1}, u"FF / 000A / FFFFFFFF"},
        {u"%.4d %s", {7, "Start"}, u"0007 Start"},
        {u"%.4d", {123456}, u"123456"},
        {u"%.4d", {-7}, u"-0007"},
        {u"%f und %.1f", {1.5, 2.26}, u"1,50 und 2,3"},
        {u"Wert muß zwischen %f und %f liegen", {0.0, 100.0}, u"Wert muß zwischen 0,00 und 100,00 liegen"},
        {u"%n", {1234567.891}, u"1.234.567,89"},
        {u"%e", {1000.0}, u"1,00000000000000E+003"},
        {u"[%5s|%-5s|%.2s]", {"ab", "cd", "xyz"}, u"[   ab|cd   |xy]"},
        {u"[%*d]", {4, 7}, u"[   7]"},
        {u"100%%", {}, u"100%"},
        {u"%u", {-1}, u"4294967295"},
        {u"%s", {std::string("Gr\xFC\xDF" "e")}, u"Grüße"},  // model strings are Windows-1252
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.format).toStdString());
        EXPECT_EQ(FormatText(QString::fromUtf16(c.format), std::span<const FormatArg>(c.args)), QString::fromUtf16(c.expected));
    }
}

TEST_F(GermanLocale, MalformedFormatsRaise) {
    struct Case {
        const char16_t* format;
        std::vector<FormatArg> args;
    };
    const Case cases[] = {
        {u"%d", {"text"}}, {u"%s", {5}},     {u"%f", {5}},        {u"%d %d", {1}},
        {u"%q", {1}},      {u"trailing %", {}}, {u"%3:s", {"a"}}, {u"%.", {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.format).toStdString());
        EXPECT_THROW(FormatText(QString::fromUtf16(c.format), std::span<const FormatArg>(c.args)), EConvertError);
    }
}

TEST_F(GermanLocale, LocalizedFormatFallsBackToTheRawText) {
    EXPECT_EQ(LocalizedFormat("IDS_SEITEXVONX", {2, 5}), QStringLiteral("Seite 2 von 5"));
    EXPECT_EQ(LocalizedFormat("IDS_SEITEXVONX", {"zwei"}), QStringLiteral("Seite %d von %d"));
    EXPECT_EQ(FormatAnsi("%s: %d", {std::string("\x80"), 3}), "\x80: 3");
}
