#include "document/CommaText.h"

#include <gtest/gtest.h>

TEST(CommaText, SplitsAtCommasAndBlanksOutsideQuotes) {
    struct Case {
        const char* text;
        std::vector<std::string> items;
    } cases[] = {
        {"", {}},
        {"a,b", {"a", "b"}},
        {"a b", {"a", "b"}},
        {"  a ,  b  ", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {"\"a b\",c", {"a b", "c"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"\"open", {"open"}},
        {"\"Eckradius=2,5\",Schnittmarke=TA_DINA5", {"Eckradius=2,5", "Schnittmarke=TA_DINA5"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitCommaText(c.text), c.items) << c.text;
}

TEST(CommaText, JoinQuotesWhatSplittingWouldBreak) {
    struct Case {
        std::vector<std::string> items;
        const char* text;
    } cases[] = {
        {{}, ""},
        {{""}, "\"\""},
        {{"a", "", "b"}, "a,,b"},
        {{"a b", "c,d", "e\"f", "plain"}, "\"a b\",\"c,d\",\"e\"\"f\",plain"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JoinCommaText(c.items), c.text);
        if (c.items.size() != 1) {
            EXPECT_EQ(SplitCommaText(JoinCommaText(c.items)), c.items) << c.text;
        }
    }
    EXPECT_EQ(CommaTextValue({"Eckradius=3", "schnittmarke=TA_DINA6"}, "Schnittmarke"), "TA_DINA6");
    EXPECT_EQ(CommaTextValue({"Eckradius"}, "Eckradius"), "");
}
