// The RTF tokenizer of label texts: its events, escapes, swallowed
// destinations and errors.
#include "figures/RTFParser.h"

#include "foundation/Stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The events of a parse as text: "{1" / "}0" for groups with the depth after
// them, "w name value" or "w name" for control words, "t text" for text.
std::vector<std::string> Events(std::string_view rtf, std::string* error = nullptr) {
    std::vector<std::string> events;
    TRTFParser parser;
    int32_t lastDepth = 0;
    parser.OnGroup = [&](TRTFParser& p) {
        events.push_back((p.Depth > lastDepth ? "{" : "}") + std::to_string(p.Depth));
        lastDepth = p.Depth;
    };
    parser.OnControlWord = [&](TRTFParser&, const std::string& name, int32_t value, bool has) {
        events.push_back("w " + name + (has ? " " + std::to_string(value) : ""));
    };
    parser.OnText = [&](TRTFParser&, const std::string& text) { events.push_back("t " + text); };
    try {
        parser.Parse(rtf);
    } catch (const Exception& e) {
        if (!error) throw;
        *error = std::string(e.ClassName()) + ": " + e.what();
    }
    return events;
}

using Ev = std::vector<std::string>;

struct ParseCase {
    const char* name;
    std::string rtf;
    Ev events;
};

class ParserEvents : public testing::TestWithParam<ParseCase> {};

TEST_P(ParserEvents, AreDeliveredInOrder) {
    EXPECT_EQ(Events(GetParam().rtf), GetParam().events) << GetParam().rtf;
}

INSTANTIATE_TEST_SUITE_P(
    Rtf, ParserEvents,
    testing::Values(
        ParseCase{"Hello", "{\\rtf1 Hello}", {"{1", "w rtf 1", "t Hello", "}0"}},
        ParseCase{"HexEscape", "{a\\'e4b}", {"{1", "t a\xE4" "b", "}0"}},
        ParseCase{"HexEscapeUpperCase", "{\\'C4\\'d6}", {"{1", "t \xC4\xD6", "}0"}},
        // The line feed ends the word and is ignored; the blank after it is text.
        ParseCase{"ParThenLineFeed", "{x\\par\n y}", {"{1", "t x", "w par", "t  y", "}0"}},
        ParseCase{"NegativeParameter", "{\\fs-20 }", {"{1", "w fs -20", "}0"}},
        ParseCase{"MinusWithoutDigits", "{\\fs-x}", {"{1", "w fs", "t x", "}0"}},
        ParseCase{"SuppressedInfoAndTitle", "{\\rtf1{\\info{\\title T}}Text}",
                  {"{1", "w rtf 1", "{2", "{3", "}2", "}1", "t Text", "}0"}},
        ParseCase{"TextWithoutBracesIsNeverFlushed", "plain text", {}},
        ParseCase{"EscapedBraces", "{a\\{b\\}c\\\\d}", {"{1", "t a{b}c\\d", "}0"}},
        // Braces inside the data of a \bin group still count; nothing of it comes through.
        ParseCase{"BinGroup", "{{\\bin5 {x}y}z}", {"{1", "{2", "{3", "}2", "}1", "t z", "}0"}},
        ParseCase{"SpecialCharacters", "{\\lquote\\rquote\\LDBLQUOTE\\rdblquote\\bullet\\endash\\emdash}",
                  {"{1", "t \x91\x92\x93\x94\x95\x96\x97", "}0"}},
        // Only the double quotes are known in any letter case.
        ParseCase{"OtherWordsOnlyAsWritten", "{\\Bullet x}", {"{1", "w bullet", "t x", "}0"}},
        ParseCase{"ControlSymbols", "{a\\~b\\*\\-}", {"{1", "t a", "w ~", "t b", "w *", "w -", "}0"}},
        ParseCase{"UpperCaseWordsAreReportedLowerCase", "{\\QC\\Par1}", {"{1", "w qc", "w par 1", "}0"}},
        ParseCase{"DelimiterOtherThanBlankIsPushedBack", "{\\b0;x}", {"{1", "w b 0", "t ;x", "}0"}},
        // A line break, backslash or brace where the first digit is due is handled as usual.
        ParseCase{"HexEscapeWaitsOverLineBreaks", "{\\'\n41}", {"{1", "t A", "}0"}},
        // Control words cut off by the end of the input.
        ParseCase{"WordCutOffAtTheEnd", "{x}\\par", {"{1", "t x", "}0", "w par"}},
        ParseCase{"ParameterCutOffAtTheEnd", "{x}\\fs24", {"{1", "t x", "}0", "w fs 24"}},
        ParseCase{"MinusCutOffAtTheEnd", "{x}\\fs-", {"{1", "t x", "}0"}},
        ParseCase{"BackslashAndOneByteAtTheEnd", "{x}\\b", {"{1", "t x", "}0"}}),
    [](const testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

TEST(RTFParser, SkippedGroupsSwallowWordsButStillCountGroups) {
    TRTFParser parser;
    std::vector<int32_t> depths;
    std::vector<std::string> words;
    parser.OnGroup = [&](TRTFParser& p) { depths.push_back(p.Depth); };
    parser.OnControlWord = [&](TRTFParser&, const std::string& name, int32_t, bool) { words.push_back(name); };
    parser.Parse("{\\b{\\header{\\i x}\\ul}\\strike}");
    EXPECT_EQ(depths, (std::vector<int32_t>{1, 2, 3, 2, 1, 0}));
    EXPECT_EQ(words, (std::vector<std::string>{"b", "strike"}));
    EXPECT_FALSE(parser.Skipping);
    EXPECT_EQ(parser.SkipDestinations.size(), 32u);
}

TEST(RTFParser, Errors) {
    struct Case {
        std::string rtf;
        Ev events;
        std::string error;
    };
    const Case cases[] = {
        // The text is flushed before the unmatched brace is refused.
        {"{A}}", {"{1", "t A", "}0"}, "RTFParseException: StackUnderflow"},
        // The closing brace is taken as the second digit.
        {"{\\'4}", {"{1"}, "EConvertError: '$4}' ist kein gültiger Integerwert"},
        {"{\\fs99999999999 x}", {"{1"}, "EConvertError: '99999999999' ist kein gültiger Integerwert"},
        {"{\\bin2147483648 x}", {"{1"}, "EConvertError: '2147483648' ist kein gültiger Integerwert"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(Events(c.rtf, &error), c.events) << c.rtf;
        EXPECT_EQ(error, c.error) << c.rtf;
    }
    // The message shows no more than the beginning of a long number.
    std::string error;
    Events("{\\fs" + std::string(100000, '9') + "}", &error);
    EXPECT_LT(error.size(), 120u);
}

TEST(RTFParser, ReadsAStreamFromItsPosition) {
    const std::string bytes = "xx{\\b y}";
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    stream.SetPosition(2);
    TRTFParser parser;
    std::string text;
    parser.OnText = [&](TRTFParser&, const std::string& t) { text += t; };
    parser.Parse(stream);
    EXPECT_EQ(text, "y");
    EXPECT_EQ(stream.Position(), stream.Size());
}

// Each input must end at all (a quadratic walk would outlast the test run's
// time-out); how fast it ends is the parser benchmark's business.
TEST(RTFParser, HostileInputEndsCleanly) {
    // A million groups deep, never closed, then closed one too many.
    std::string deep(1000000, '{');
    Events(deep);
    deep += std::string(1000000, '}') + "}";
    std::string error;
    Events(deep, &error);
    EXPECT_EQ(error, "RTFParseException: StackUnderflow");
    // Megabytes of text inside a skipped group, a \bin with a huge count.
    Events("{\\pict " + std::string(4000000, 'a') + "}");
    Events("{\\bin2000000000 " + std::string(100000, '}'), &error);
    // A control word of a million letters.
    Events("{\\" + std::string(1000000, 'a') + " x}");
}

}  // namespace
