#include "document/SuchTabelle.h"

#include "foundation/Debug.h"

#include <gtest/gtest.h>

#include <QtCore/QStringList>

namespace {

std::unique_ptr<TSuchTabelle> GermanTable() {
    return CreateDefaultPlaceholderTable(QDate(2024, 3, 5), QLocale(QLocale::German, QLocale::Germany));
}

}  // namespace

TEST(SuchTabelle, DefaultPlaceholders) {
    const auto table = GermanTable();
    const std::vector<std::string> names = {"DATUM", "DATUMKURZ", "DATUMLANG", "LFDNR", "GESNR"};
    const std::vector<std::string> values = {"05.03.24", "05.03.24", "05. M\xE4rz 2024", "1", "##"};
    EXPECT_EQ(table->Names, names);
    EXPECT_EQ(table->Values, values);

    const auto english = CreateDefaultPlaceholderTable(QDate(1999, 12, 31), QLocale(QLocale::English));
    std::string value;
    ASSERT_TRUE(english->LookupValue("DatumLang", value));
    EXPECT_EQ(value, "31. December 1999");
    ASSERT_TRUE(english->LookupValue("Datum", value));
    EXPECT_EQ(value, "31.12.99");

    // Without arguments: today, with the month names of the system locale.
    const auto today = CreateDefaultPlaceholderTable();
    EXPECT_EQ(today->Values, CreateDefaultPlaceholderTable(QDate::currentDate(), QLocale::system())->Values);
}

TEST(SuchTabelle, ExpandPlaceholders) {
    auto table = GermanTable();
    table->SetValue("Zitat", "{Datum}");
    table->SetValue("Leer", "");
    struct Case {
        const char* text;
        const char* expanded;
    };
    const Case cases[] = {
        {"{datum}", "05.03.24"},
        {"Am {DatumLang}.", "Am 05. M\xE4rz 2024."},
        {"Nr. {lfdNr} von {GesNr}", "Nr. 1 von ##"},
        {"{ Datum}", "{ Datum}"},              // the blank belongs to the name
        {"{Unbekannt} bleibt", "{Unbekannt} bleibt"},
        {"offen {Datum", "offen {Datum"},      // no closing brace: not a placeholder
        {"{Zitat}", "{Datum}"},                // values are not expanded again
        {"a{}b", "a{}b"},
        {"x{Leer}y", "xy"},
        {"}{lfdNr}{", "}1{"},
        {"Zeile 1\r\n{lfdNr}\tEnde ", "Zeile 1\r\n1\tEnde "},
        {"{{lfdNr}}", "{{lfdNr}}"},            // the name is "{lfdNr"
        {"", ""},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_TRUE(ExpandPlaceholders(text, *table));
        EXPECT_EQ(text, c.expanded) << c.text;
    }
}

TEST(SuchTabelle, ExpansionTracesEachToken) {
    QStringList lines;
    Debug().SetSink([&lines](const QString& line) { lines << line; });
    auto table = GermanTable();
    std::string text = "{lfdNr} {Fehlt";
    ExpandPlaceholders(text, *table);
    Debug().SetSink({});
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(" Token: lfdNr"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" Token: Fehlt"))) << lines[1].toStdString();
}

TEST(SuchTabelle, SetLookupIncrementAndReset) {
    TSuchTabelle table;
    table.SetValue("z\xE4hler", "9");
    EXPECT_EQ(table.Names, std::vector<std::string>{"Z\xC4HLER"});
    struct Case {
        const char* value;
        const char* after;
    };
    const Case cases[] = {
        {"9", "10"},     {"-1", "0"},   {"007", "8"},  {"+5", "6"},
        {"A1", "A1"},    {"1A", "1A"},  {"", ""},      {" 5", " 5"},
        {"1.5", "1.5"},  {"$10", "$10"},
        {"2147483647", "2147483647"},  // no successor in 32 bits: stays
        {"-2147483648", "-2147483647"},
        {"99999999999", "99999999999"},
    };
    for (const Case& c : cases) {
        table.SetValue("Z\xC4HLER", c.value);
        table.IncrementValue("Z\xE4hler");
        std::string value;
        ASSERT_TRUE(table.LookupValue("z\xC4hler", value));
        EXPECT_EQ(value, c.after) << c.value;
    }
    table.IncrementValue("fehlt");
    std::string value;
    EXPECT_FALSE(table.LookupValue("fehlt", value));
    EXPECT_EQ(table.Names.size(), 1u);

    table.ResetCounters();
    ASSERT_TRUE(table.LookupValue("lfdnr", value));
    EXPECT_EQ(value, "1");
    ASSERT_TRUE(table.LookupValue("GESNR", value));
    EXPECT_EQ(value, "##");
}

TEST(SuchTabelle, AnsiUpperCase) {
    EXPECT_EQ(AnsiUpperCase("abc \xE4\xF6\xFC\xDF \xFF\x9A\xF7 xyz"), "ABC \xC4\xD6\xDC\xDF \x9F\x8A\xF7 XYZ");
}
