// Check characters, full texts and module patterns of the twelve symbologies
// against the published encodings.
#include "support/BarcodeSupport.h"

#include "content/barcode/EanUpcSymbology.h"
#include "content/barcode/ZRBarcodeImplCode128.h"
#include "content/barcode/ZRBarcodeImplUPC.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Vector {
    const char* name;
    BarcodeSetup setup;
    const char* checkDigit;  // GetCheckDigit of the text as entered
    const char* fullText;
    const char* pattern;     // nullptr: not compared
    int32_t units;
};

void PrintTo(const Vector& v, std::ostream* os) { *os << v.name; }

class SymbolVectors : public ::testing::TestWithParam<Vector> {
protected:
    WithPrinterDpi printer{600};
};

TEST_P(SymbolVectors, GiveTheirCheckCharactersFullTextAndPattern) {
    const Vector& v = GetParam();
    TZRBarcode barcode;
    Apply(barcode, v.setup);
    EXPECT_EQ(barcode.GetCheckDigit(), v.checkDigit);
    ScaleRecording r;
    const LaidOut laid = LayOut(barcode, r.canvas);
    ASSERT_TRUE(laid.ok);
    EXPECT_EQ(laid.s.fullText, v.fullText);
    if (v.pattern) {
        EXPECT_EQ(laid.s.pattern, v.pattern);
    }
    EXPECT_EQ(laid.s.units, v.units);
}

BarcodeSetup Set(TBarcodeTyp type, const char* text, bool check = true, const char* addOn = "") {
    BarcodeSetup s = Symbol(type, text);
    s.checkDigit = check;
    s.addOn = addOn;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Barcode, SymbolVectors,
    ::testing::Values(
        Vector{"Ean13", Set(btEAN13, "123456789012"), "8", "1234567890128",
               "11121221411231112314111213111111121331123211222121221213111", 95},
        Vector{"Ean13WithWrongCheckDigitAsEntered", Set(btEAN13, "1234567890127"), "", "1234567890127", nullptr, 95},
        Vector{"Ean13WithFiveDigitAddOn", Set(btEAN13, "123456789012", true, "52495"), "8", "1234567890128",
               "11121221411231112314111213111111121331123211222121221213111"
               "505"
               "1121321112122112311113112111231",
               152},
        Vector{"Ean13WithRefusedAddOn", Set(btEAN13, "123456789012", true, "123"), "8", "1234567890128", nullptr, 95},
        Vector{"Ean8", Set(btEAN8, "1234567"), "0", "12345670", "1112221212214111132111111231111413123211111", 67},
        Vector{"Ean8WithTwoDigitAddOn", Set(btEAN8, "1234567", true, "12"), "0", "12345670",
               "1112221212214111132111111231111413123211111"
               "505"
               "1122221112122",
               97},
        Vector{"UpcA", Set(btUPC_A, "03600029145"), "2", "036000291452",
               "11132111411111432113211321111111212231122221113212312122111", 95},
        Vector{"UpcA_CheckDigitWhateverTheOption", Set(btUPC_A, "03600029145", false), "2", "036000291452", nullptr,
               95},
        Vector{"UpcE", Set(btUPC_E, "425261"), "4", "04252614", "111231121221321221211142221111111", 51},
        Vector{"UpcE_ZerosAfterThreeDigits", Set(btUPC_E, "0123450"), "5", "01234505", nullptr, 51},
        Vector{"Interleaved", Set(btCode25Interleaved, "1234567"), "0", "12345670",
               "22225225222255525225222552255522222222255552522", 145},
        Vector{"InterleavedWithoutCheckDigit", Set(btCode25Interleaved, "1234567", false), "0", "01234567", nullptr,
               145},
        Vector{"InterleavedPair", Set(btCode25Interleaved, "12", false), "3", "12", "22225225222255522", 49},
        Vector{"Standard", Set(btCode25Standard, "1234"), "8", "12348", nullptr, 164},
        Vector{"StandardWithoutCheckDigit", Set(btCode25Standard, "1", false), "7", "1",
               "525222" "5222222252" "52225", 18 + 26 + 16},
        Vector{"Itf14", Set(btITF14, "1234567890123"), "1", "12345678901231", nullptr, 241},
        Vector{"Itf14WithoutCheckDigit", Set(btITF14, "1234567890123", false), "1", "01234567890123", nullptr, 241},
        Vector{"Code128Mixed", Set(btCode128, "AB12"), "", "AB12", "21121411132313112312322122321122113223311122", 81},
        Vector{"Code128Digits", Set(btCode128, "123456"), "", "123456", "21123211223213112333112113213123311122",
               70},
        Vector{"Ean128", Set(btEAN128, "(01)12345678901231"), "", "(01)12345678901231", nullptr, 136},
        Vector{"Code39", Set(btCode39, "CODE39"), "W", "CODE39W", nullptr, 7 * 27 + 2 * 27 + 8 * 2},
        Vector{"Code39InCapitals", Set(btCode39, "code39", false), "W", "CODE39", nullptr, 6 * 27 + 2 * 27 + 7 * 2},
        Vector{"CodabarCompletedWithStartAndStop", Set(btCodabar, "40156"), "0", "A40156A", nullptr, 2 * 23 + 6 * 20 + 7 * 2},
        Vector{"Code93", Set(btCode93, "TEST93"), "+6", "TEST93+6", nullptr, 9 + 8 * 9 + 10},
        Vector{"Code93SixteenCharacters", Set(btCode93, "ABCDEFGHIJKLMNOP"), "J3", "ABCDEFGHIJKLMNOPJ3", nullptr,
               9 + 18 * 9 + 10}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

TEST(EanAddOn, PatternsFollowTheParityOfTheirChecksum) {
    EXPECT_EQ(EncodeAddOn("12"), "1122221112122");
    EXPECT_EQ(EncodeAddOn("52495"), "1121321112122112311113112111231");
    for (const char* refused : {"", "1", "123", "1234", "123456", "1a"}) EXPECT_EQ(EncodeAddOn(refused), "") << refused;
}

TEST(UpcE, ExpandsToUpcAAndRefusesNumbersTheZeroRulesForbid) {
    WithPrinterDpi printer(600);
    EXPECT_EQ(TZRBarcodeImplCodeUPC_E::ExpandToUpcA("0425261"), "04210000526");
    EXPECT_EQ(TZRBarcodeImplCodeUPC_E::ExpandToUpcA("0123450"), "01200000345");
    struct Case {
        const char* text;
        bool setTextValid;
    };
    // Number system 1; 3 after a 0, 1 or 2 in fourth place; 4 after a 0 in
    // fifth place; 5 to 9 after a 0 in sixth place.
    for (const Case c : {Case{"1234567", true}, Case{"0120453", true}, Case{"0123044", true}, Case{"0123405", true}}) {
        TZRBarcode barcode;
        Apply(barcode, Set(btUPC_E, c.text));
        EXPECT_EQ(barcode.IsValid(), c.setTextValid) << c.text;
        ScaleRecording r;
        EXPECT_FALSE(LayOut(barcode, r.canvas).ok) << c.text;
    }
    EXPECT_FALSE(LayOut(Set(btUPC_A, "036000291452")).ok) << "a 12-digit UPC-A";
}

TEST(Code128, EncodesTheSpecimenTextsWithTheirCheckValues) {
    const TCode128Encoding shortRun = EncodeCode128("12345", false);
    EXPECT_EQ(shortRun.values, (std::vector<int32_t>{105, 12, 34, 100, 21, 54}));
    const TCode128Encoding gs1 = EncodeCode128(StripParentheses("(01)12345678901231"), true);
    EXPECT_EQ(gs1.values, (std::vector<int32_t>{105, 102, 1, 12, 34, 56, 78, 90, 12, 31, 74}));
    EXPECT_EQ(PatternUnits(gs1.pattern), 136);
    const TCode128Encoding mixed = EncodeCode128("10ABC1234", true);
    EXPECT_EQ(mixed.values, (std::vector<int32_t>{104, 102, 17, 16, 33, 34, 35, 99, 12, 34, 41}));

    // The German letters share the values of the characters they replace.
    TZRBarcode barcode;
    Apply(barcode, Set(btCode128, "Stra\xDF" "e"));
    EXPECT_TRUE(barcode.IsValid());
    EXPECT_EQ(Code128ValueB('\xDF'), Code128ValueB('~'));
    EXPECT_EQ(EncodeCode128("Stra\xDF" "e", false).values[5], 94);
    barcode.SetText("\x80");  // the euro sign has no value
    EXPECT_FALSE(barcode.IsValid());
}

// A field whose length its application identifier does not fix ends with
// FNC1 when another identifier follows; fixed-length fields and the last
// field do not.
TEST(Ean128, VariableLengthFieldsEndWithFnc1BeforeTheNextIdentifier) {
    struct Case {
        const char* text;
        std::string elements;
    };
    const std::string fnc1(1, kFnc1Separator);
    const Case cases[] = {
        {"(10)ABC123(21)XYZ", "10ABC123" + fnc1 + "21XYZ"},
        {"(01)12345678901231(10)ABC", "0112345678901231" "10ABC"},
        {"(17)201231(10)ABC(21)XYZ", "17201231" "10ABC" + fnc1 + "21XYZ"},
        {"(3103)000150(400)PO1(11)200101", "3103000150" "400PO1" + fnc1 + "11200101"},
        {"(00)123456789012345675(01)12345678901231", "00123456789012345675" "0112345678901231"},
        {"(21)XYZ", "21XYZ"},
        {"10ABC1234", "10ABC1234"},       // without parentheses no identifier is known
        {"(x)AB(21)C", "xAB21C"},          // nor in parentheses without two to four digits
    };
    for (const Case& c : cases) EXPECT_EQ(GS1ElementString(c.text), c.elements) << c.text;

    // The separator is FNC1 in whichever code set is current.
    const TCode128Encoding mixed = EncodeCode128(GS1ElementString("(10)ABC123(21)XYZ"), true);
    EXPECT_EQ(mixed.values, (std::vector<int32_t>{104, 102, 17, 16, 33, 34, 35, 17, 18, 19, 102, 18, 17, 56, 57, 58,
                                                  mixed.values.back()}));
    const TCode128Encoding digits = EncodeCode128(GS1ElementString("(10)1234(21)5678"), true);
    EXPECT_EQ(digits.values, (std::vector<int32_t>{105, 102, 10, 12, 34, 102, 21, 56, 78, digits.values.back()}));
}

TEST(Code128, DigitRunsTakeCodeSetCAtTheEndsFromFourAndInsideFromSix) {
    struct Case {
        const char* text;
        std::vector<int32_t> values;  // without the check value
    };
    const Case cases[] = {
        {"AB1234", {104, 33, 34, 99, 12, 34}},
        {"AB12345", {104, 33, 34, 17, 99, 23, 45}},  // an odd run at the end gives up its first digit
        {"1234AB", {105, 12, 34, 100, 33, 34}},
        {"12345AB", {105, 12, 34, 100, 21, 33, 34}},  // at the start its last
        {"123AB", {104, 17, 18, 19, 33, 34}},
        {"A1234B", {104, 33, 17, 18, 19, 20, 34}},
        {"A123456B", {104, 33, 99, 12, 34, 56, 100, 34}},
        {"A1234567B", {104, 33, 99, 12, 34, 56, 100, 23, 34}},
        {"12345", {105, 12, 34, 100, 21}},
        {"A", {104, 33}},
    };
    for (const Case& c : cases) {
        std::vector<int32_t> values = EncodeCode128(c.text, false).values;
        values.pop_back();
        EXPECT_EQ(values, c.values) << c.text;
    }
}

TEST(Codabar, CheckCharacterCompletesTheSumToAMultipleOfSixteen) {
    WithPrinterDpi printer(600);
    TZRBarcode barcode;
    Apply(barcode, Set(btCodabar, "A40156B"));
    // Values A 16, 4, 0, 1, 5, 6, B 17: sum 49, so the check value is 15 ("+").
    EXPECT_EQ(barcode.GetCheckDigit(), "+");
    ScaleRecording r;
    const LaidOut laid = LayOut(barcode, r.canvas);
    ASSERT_TRUE(laid.ok);
    // A, 4, 0, 1, 5, 6, the check character +, then the stop character B.
    EXPECT_EQ(laid.s.pattern, "2255252" "2" "2252252" "2" "2222255" "2" "2222552" "2" "5222252" "2" "2522225" "2"
                              "2252525" "2" "2525225");

    TZRBarcode lower;
    Apply(lower, Set(btCodabar, "a40156b"));
    EXPECT_EQ(lower.Text(), "a40156b") << "the barcode keeps the text as typed";
    EXPECT_EQ(lower.Impl().Text, "A40156B");
    for (const char* refused : {"4A0156", "40E56", ""}) {
        lower.SetText(refused);
        EXPECT_FALSE(lower.IsValid()) << refused;
    }
}
