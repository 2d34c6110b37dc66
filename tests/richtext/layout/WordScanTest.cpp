#include "LayoutFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A text whose word-check hook, once armed, reports every word it sees as misspelled.
struct TCheckedText : TLaidOutText {
    std::vector<std::string> seen;
    THyphenPoints points{};
    void Arm() {
        text.OnSpellCheckWord = [this](const std::string& word, uint8_t& result, THyphenPoints& p) {
            seen.push_back(word);
            result = wcMisspelled | (points[0] ? wcHyphenation : 0);
            p = points;
        };
    }
    bool Misspelled(int32_t offset) {
        TLine* line = TRtRTFText::LocateInParagraph(Par(0), offset);
        return text.StyleAt(line, offset) & afsMisSpelled;
    }
};

}  // namespace

TEST(WordScan, AddressesAreNeverChecked) {
    for (const char* address : {"www.example.org", "http://example.org/a", "ftp:host", "mailto:me", "me@example.org"}) {
        TCheckedText t;
        t.Fill({std::string(address) + " word"});
        SetStyle(t.text, t.Par(0), 0, 3, afsMisSpelled);
        t.Arm();
        t.text.ScanParagraphWords(t.Par(0), false);
        EXPECT_EQ(t.seen, (std::vector<std::string>{"word"})) << address;
        EXPECT_FALSE(t.Misspelled(0)) << address << " loses its mark";
    }
}

TEST(WordScan, FootnoteMarksAreLeftOutAndWordsCheckedOnce) {
    TCheckedText t;
    t.Fill({"note1 other"});
    SetStyle(t.text, t.Par(0), 4, 5, afsSuper);
    t.Arm();
    EXPECT_TRUE(t.text.ScanParagraphWords(t.Par(0), false));
    EXPECT_EQ(t.seen, (std::vector<std::string>{"note", "other"}));
    EXPECT_TRUE(t.Misspelled(0));
    t.seen.clear();
    t.text.ScanParagraphWords(t.Par(0), false);
    EXPECT_EQ(std::count(t.seen.begin(), t.seen.end(), "other"), 0) << "checked words are not checked again";
}

TEST(WordScan, TheWordBeingTypedIsHeldBack) {
    TCheckedText t;
    t.Fill({"done typing"});
    t.text.Cursor = {t.Par(0), t.Par(0)->firstLine, 11};
    t.text.HoldBackCursorWord = true;
    t.Arm();
    t.text.ScanParagraphWords(t.Par(0), false);
    EXPECT_EQ(t.seen, (std::vector<std::string>{"done"}));
    EXPECT_FALSE(t.Misspelled(6));
    t.text.Cursor.offset = 0;
    t.text.RecheckCursorParagraph(false);
    EXPECT_EQ(t.seen.back(), "typing") << "checked once the cursor has left it";
    EXPECT_TRUE(t.Misspelled(6));
}

TEST(WordScan, HyphenationPointsMarkTheirCharacters) {
    TCheckedText t;
    t.points = {3, 5};
    t.Fill({"hyphenate"});
    t.Arm();
    t.text.ScanParagraphWords(t.Par(0), false);
    std::string marks;
    for (int32_t i = 0; i < 9; ++i) marks += (t.text.StyleAt(t.Par(0)->firstLine, i) & afsHyphen) ? '-' : '.';
    EXPECT_EQ(marks, "...-.-...");
}
