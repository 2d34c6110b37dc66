#include "foundation/Codepage1252.h"

#include <gtest/gtest.h>

TEST(Codepage1252, EveryByteDecodesAndComesBack) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const QString text = AnsiToUnicode(all);
    ASSERT_EQ(text.size(), 256);
    struct Case {
        int byte;
        char16_t unicode;
    };
    const Case cases[] = {{0x41, u'A'}, {0x80, u'€'}, {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F},
                          {0x90, 0x0090}, {0x9D, 0x009D}, {0x92, u'\u2019'}, {0x9F, u'Ÿ'}, {0xE4, u'ä'}, {0xFF, u'ÿ'}};
    for (const Case& c : cases) EXPECT_EQ(text[c.byte].unicode(), c.unicode) << std::hex << c.byte;
    bool lossless = false;
    EXPECT_EQ(UnicodeToAnsi(text, &lossless), all);
    EXPECT_TRUE(lossless);
    EXPECT_EQ(WideToAnsi(AnsiToWide(all)), all);
}

TEST(Codepage1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    struct Case {
        const char16_t* text;
        const char* ansi;
        bool lossless;
    };
    const Case cases[] = {
        {u"Łódź", "?\xF3" "d?", false},
        {u"Жук", "???", false},
        {u"a\U0001F600b", "a?b", false},  // one mark for the surrogate pair
        {u"\u001A€", "\x1A\x80", true},    // a real SUB stays one
        {u"plain", "plain", true},
    };
    for (const Case& c : cases) {
        bool lossless = !c.lossless;
        EXPECT_EQ(UnicodeToAnsi(QString::fromUtf16(c.text), &lossless), c.ansi);
        EXPECT_EQ(lossless, c.lossless);
        EXPECT_EQ(IsAnsiRepresentable(QString::fromUtf16(c.text)), c.lossless);
    }
}

TEST(Codepage1252, CharacterFunctionsAgreeWithTheStringCodec) {
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const QString unicode = AnsiToUnicode(std::string_view(&byte, 1));
        ASSERT_EQ(Cp1252ToUnicode(static_cast<uint8_t>(b)), static_cast<char32_t>(unicode.at(0).unicode())) << b;
        bool ok = false;
        EXPECT_EQ(UnicodeToCp1252(Cp1252ToUnicode(static_cast<uint8_t>(b)), &ok), byte) << b;
        EXPECT_TRUE(ok);
    }
    EXPECT_EQ(UnicodeToCp1252(U'\u20AC'), '\x80');
    bool ok = true;
    EXPECT_EQ(UnicodeToCp1252(U'\u0141', &ok), '?');  // Polish L with stroke
    EXPECT_FALSE(ok);
}
