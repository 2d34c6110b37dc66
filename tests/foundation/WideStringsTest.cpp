#include "foundation/WideStrings.h"

#include "foundation/Stream.h"
#include "support/Utf16Bytes.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::u16string> LoadLines(std::vector<uint8_t> bytes, bool* unicode = nullptr) {
    TMemoryStream stream(std::move(bytes));
    TWideStringList list;
    list.LoadFromStream(stream);
    if (unicode) *unicode = list.StoredAsUnicode();
    std::vector<std::u16string> lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Get(i));
    return lines;
}

}  // namespace

TEST(WideStrings, ByteOrderMarksChooseTheEncoding) {
    const std::vector<std::u16string> expected = {u"[a]", u"x=Łódź"};
    bool unicode = false;
    EXPECT_EQ(LoadLines(Utf16Bytes(u"[a]\r\nx=Łódź\r\n", false), &unicode), expected);
    EXPECT_TRUE(unicode);
    EXPECT_EQ(LoadLines(Utf16Bytes(u"[a]\r\nx=Łódź\r\n", true), &unicode), expected);
    EXPECT_TRUE(unicode);
    const std::string ansi = "[a]\r\nx=\xE4\x80";
    EXPECT_EQ(LoadLines(std::vector<uint8_t>(ansi.begin(), ansi.end()), &unicode), (std::vector<std::u16string>{u"[a]", u"x=ä€"}));
    EXPECT_FALSE(unicode);
    // A trailing odd byte is dropped; a single byte is 8-bit text.
    std::vector<uint8_t> odd = Utf16Bytes(u"ab", false);
    odd.push_back('c');
    EXPECT_EQ(LoadLines(odd), std::vector<std::u16string>{u"ab"});
    EXPECT_EQ(LoadLines({'z'}), std::vector<std::u16string>{u"z"});
    EXPECT_TRUE(LoadLines({}).empty());
}

TEST(WideStrings, LineBreaks) {
    struct Case {
        std::u16string text;
        std::vector<std::u16string> lines;
    };
    const Case cases[] = {
        {u"", {}},
        {u"a", {u"a"}},
        {u"a\r\nb\r\n", {u"a", u"b"}},
        {u"a\n\rb", {u"a", u"", u"b"}},
        {u"a\r\r\nb", {u"a", u"", u"b"}},
        {u"a\vb\fc\u2028d\u2029e", {u"a", u"b", u"c", u"d", u"e"}},
        {std::u16string(u"a\nb\0c\nd", 7), {u"a", u"b"}},
        {u"\n", {u""}},
    };
    for (const Case& c : cases) EXPECT_EQ(TWideStrings::SplitLines(c.text), c.lines);
}

TEST(WideStrings, SavingWritesCrLfInTheLoadedEncoding) {
    TWideStringList list;
    list.Add(u"ä");
    list.Add(u"Ж");
    TMemoryStream ansi;
    list.SaveToStream(ansi);
    EXPECT_EQ(ansi.Bytes(), (std::vector<uint8_t>{0xE4, '\r', '\n', '?', '\r', '\n'}));
    list.SetStoredAsUnicode(true);
    TMemoryStream wide;
    list.SaveToStream(wide);
    EXPECT_EQ(wide.Bytes(), (std::vector<uint8_t>{0xFF, 0xFE, 0xE4, 0, '\r', 0, '\n', 0, 0x16, 0x04, '\r', 0, '\n', 0}));
}

TEST(WideStrings, SortedListsFindIgnoringCase) {
    TWideStringList list;
    for (const char16_t* s : {u"delta", u"Alpha", u"charlie", u"Bravo"}) list.Add(s);
    list.SetSorted(true);
    EXPECT_EQ(list.Get(0), u"Alpha");
    EXPECT_EQ(list.Get(3), u"delta");
    int index = -1;
    EXPECT_TRUE(list.Find(u"CHARLIE", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Find(u"beta", index));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(list.Add(u"ALPHA"), 0);  // ignored duplicate
    EXPECT_EQ(list.Count(), 4);
    list.SetDuplicates(TDuplicates::Error);
    EXPECT_THROW(list.Add(u"bravo"), EStringListError);
    EXPECT_THROW(list.Insert(0, u"x"), EStringListError);
    list.SetDuplicates(TDuplicates::Accept);
    list.Add(u"bravo");
    EXPECT_EQ(list.Count(), 5);
}

TEST(WideStrings, ListOperationsAndErrors) {
    TWideStringList list;
    int changes = 0;
    list.OnChange = [&](TWideStringList&) { ++changes; };
    list.SetText(u"a\r\nb\r\nc");
    EXPECT_EQ(changes, 1);  // one notification for the whole update
    list.Move(0, 2);
    list.Exchange(0, 1);
    EXPECT_EQ(list.Text(), u"c\r\nb\r\na\r\n");
    EXPECT_EQ(list.IndexOf(u"B"), 1);
    list.Delete(1);
    EXPECT_EQ(list.Count(), 2);
    try {
        list.Get(5);
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_STREQ(e.what(), "Der Index der Liste überschreitet das Maximum (5)");
    }
    for (int i = 0; i < 100; ++i) list.Add(u"x");
    EXPECT_GE(list.Capacity(), list.Count());
}
