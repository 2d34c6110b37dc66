// Data-set values formatted by their fields' format codes.
#include "figures/DBValueFormatter.h"

#include "content/DataSet.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(DBValueFormatter, NumberCodesInGermanAndEnglish) {
    const QLocale german(QLocale::German, QLocale::Germany), english(QLocale::English, QLocale::UnitedStates);
    struct Case {
        int32_t code;
        const char* german;
        const char* english;
    };
    const Case cases[] = {
        {1, "1235", "1235"},          {2, "1234,5", "1234.5"},       {3, "1234,50", "1234.50"},
        {4, "1234,500", "1234.500"},  {5, "1.235", "1,235"},         {6, "1.234,5", "1,234.5"},
        {7, "1.234,50", "1,234.50"},  {8, "1.234,500", "1,234.500"}, {0, "1234,5", "1234.5"},
        {99, "1234,5", "1234.5"},
    };
    const TDBValueFormatter& f = DBValueFormatter();
    for (const Case& c : cases) {
        EXPECT_EQ(f.FormatNumber(c.code, 1234.5, german), c.german) << c.code;
        EXPECT_EQ(f.FormatNumber(c.code, 1234.5, english), c.english) << c.code;
    }
    // Halves round away from zero; no minus sign on a value that rounds to zero.
    EXPECT_EQ(f.FormatNumber(7, -1234567.125, german), "-1.234.567,13");
    EXPECT_EQ(f.FormatNumber(3, -0.001, english), "0.00");
    EXPECT_EQ(f.FormatNumber(5, 999.5, english), "1,000");
}

TEST(DBValueFormatter, TrimCodes) {
    struct Case {
        int32_t code;
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {9, "  xxx  ", "xxx"},  {10, "  xxx  ", "xxx  "}, {11, "  xxx  ", "  xxx"}, {12, "  xxx", "xxx "},
        {13, "xxx  ", " xxx"},  {12, "", ""},             {13, "", ""},             {9, "\t\r\nx\x01", "x"},
        {0, "  xxx  ", "  xxx  "}, {5, " a ", " a "},
    };
    for (const Case& c : cases) EXPECT_EQ(DBValueFormatter().FormatText(c.in, c.code), c.out) << c.code;
}

class Values : public TDataSet {
public:
    std::map<std::string, std::string> values;
    std::vector<TDataSetField> Fields() const override { return {}; }
    void First() override {}
    std::string FieldValue(const std::string& name) const override { return values.at(name); }
};

TEST(DBValueFormatter, FieldsByTheirTag) {
    Values data;
    data.values = {{"a", " 1234.5 "}, {"b", "kein Wert"}};
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    struct Case {
        TDataSetField field;
        const char* out;
    };
    const Case cases[] = {
        {{"a", TFieldType::String, 0}, " 1234.5 "},
        {{"a", TFieldType::Float, 7}, "1.234,50"},
        {{"a", TFieldType::String, 9}, "1234.5"},
        // A tag outside the table is code 0; a number format on text shows the text.
        {{"a", TFieldType::String, 99}, " 1234.5 "},
        {{"a", TFieldType::String, -1}, " 1234.5 "},
        {{"b", TFieldType::String, 3}, "kein Wert"},
    };
    for (const Case& c : cases) EXPECT_EQ(DBValueFormatter().FormatField(data, c.field), c.out) << c.field.tag;
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(ColFormatOf(99).Kind, kColFormatText);
    EXPECT_STREQ(ColFormats[13].Caption, "RTrimSpace: \"xxx  \" -> \" xxx\"");
}

}  // namespace
