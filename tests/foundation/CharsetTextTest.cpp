// Bytes of a font's character set as Unicode, with the bytes each character came from.
#include "foundation/CharsetText.h"

#include <gtest/gtest.h>

namespace {

TEST(CharsetText, DecodesByTheCharsetsCodePage) {
    struct Case {
        uint8_t charset;
        std::string bytes;
        std::u16string text;
        std::vector<uint32_t> byteEnd;
    };
    const Case cases[] = {
        {0, "Gr\xFC\xDF" "e\x80", u"Grüße€", {1, 2, 3, 4, 5, 6}},
        {1, "\x93x\x94", u"“x”", {1, 2, 3}},
        {2, "a\xB7", u"\uF061\uF0B7", {1, 2}},  // symbol fonts: the private-use characters
        {204, "\xC0\xE1", u"Аб", {1, 2}},
        {238, "\x8A\xB9", u"Šą", {1, 2}},
        {161, "\xC1\xE9", u"Αι", {1, 2}},
        {128, "a\x82\xA0" "b\xB1", u"aあbｱ", {1, 3, 4, 5}},  // Shift-JIS: a pair and a half-width kana
        {134, "\xD6\xD0x\xB0", u"中x\uFFFD", {2, 3, 4}},  // a lead byte at the end stands alone
        {99, "\x80", u"€", {1}},  // a charset without a code page of its own: Windows-1252
    };
    for (const Case& c : cases) {
        const TCharsetText decoded = DecodeCharsetText(c.bytes, c.charset);
        EXPECT_EQ(decoded.Text, c.text) << int(c.charset);
        EXPECT_EQ(decoded.ByteEnd, c.byteEnd) << int(c.charset);
    }
    EXPECT_EQ(CharsetCharLength("\x82\xA0", 0, 128), 2u);
    EXPECT_EQ(CharsetCharLength("\x82", 0, 128), 1u);
    EXPECT_EQ(CharsetCharLength("\x82\xA0", 0, 0), 1u);
}

}  // namespace
