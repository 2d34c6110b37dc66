#include "document/CsvRecordSet.h"
#include "document/WpsCsvParser.h"
#include "foundation/Exceptions.h"
#include "support/Files.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Fields = std::vector<std::string>;

}  // namespace

TEST(SplitCsvLine, FieldsOfOneLine) {
    const struct {
        std::string line;
        Fields fields;
    } cases[] = {
        {"a;b", {"a", "b"}},
        {"a;b;", {"a", "b", ""}},
        {";a", {"", "a"}},
        {";", {"", ""}},
        {"\"x;y\";z", {"x;y", "z"}},
        {"\"a\"\"b\";c", {"a\"b", "c"}},
        {"\"a\"\"\"", {"a\""}},
        {"a\"b;c", {"a\"b", "c"}},
        // A closing quote followed by other text, or a line ending inside
        // quotes, loses the last field.
        {"\"ab\"cd;e", {}},
        {"x;\"ab\"cd", {"x"}},
        {"x;\"open", {"x"}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitCsvLine(c.line, ';'), c.fields) << c.line;
}

TEST(TwpsCsvParser, ReadsLinesWithEveryLineEndAndSkipsTheHeader) {
    QTemporaryDir dir;
    const QString path = WriteFile(dir, "t.csv", "name,value\r\na,1\nb,2\rc,3");
    TwpsCsvParser parser;
    parser.HeaderLine = true;
    parser.Open(path);
    std::vector<Fields> records;
    while (parser.ReadRecord()) records.push_back(parser.Fields());
    EXPECT_EQ(records, (std::vector<Fields>{{"a", "1"}, {"b", "2"}, {"c", "3"}}));
    EXPECT_EQ(parser.Line(), "c,3");
    EXPECT_FALSE(parser.ReadRecord());
    EXPECT_TRUE(parser.Fields().empty());
}

TEST(TwpsCsvParser, SeparatorKinds) {
    TwpsCsvParser parser;
    EXPECT_EQ(parser.Separator(), ',');
    parser.SetSeparatorKind(kCsvSeparatorTab);
    EXPECT_EQ(parser.Separator(), '\t');
    parser.SetSeparatorKind(kCsvSeparatorSemicolon);
    EXPECT_EQ(parser.Separator(), ';');
    parser.SetSeparatorKind(7);  // stored, the separator stays
    EXPECT_EQ(parser.SeparatorKind(), 7);
    EXPECT_EQ(parser.Separator(), ';');
}

TEST(TwpsCsvParser, MissingFileAndOverlongLine) {
    QTemporaryDir dir;
    TwpsCsvParser parser;
    EXPECT_THROW(parser.Open(dir.filePath(QStringLiteral("none.csv"))), EFOpenError);
    EXPECT_FALSE(parser.IsOpen());
    parser.Open(WriteFile(dir, "long.csv", std::string(TwpsCsvParser::kMaxLineLength + 1, 'x')));
    EXPECT_THROW(parser.ReadRecord(), EReadError);
}

TEST(TCsvRecordSet, FieldsValuesAndWalking) {
    QTemporaryDir dir;
    const QString path = WriteFile(dir, "r.csv", "Name;Ort;PLZ\nMeier;Bonn;53111\n\nKurz\n\"Lang; Anna\";Köln;50667;extra\n");
    TCsvRecordSet records;
    records.Open(path, kCsvSeparatorSemicolon);
    ASSERT_EQ(records.Fields().size(), 3u);
    EXPECT_EQ(records.Fields()[1].name, "Ort");
    EXPECT_EQ(records.Fields()[1].type, TFieldType::String);
    // The empty line is no record.
    ASSERT_EQ(records.RecordCount(), 3);
    EXPECT_EQ(records.RecNo(), 1);
    EXPECT_EQ(records.FieldValue("ort"), "Bonn");
    EXPECT_THROW(records.FieldValue("Telefon"), EDatabaseError);

    records.Next();
    EXPECT_EQ(records.FieldValue("Name"), "Kurz");
    EXPECT_EQ(records.FieldValue("PLZ"), "");  // fewer fields than names
    records.Next();
    EXPECT_EQ(records.FieldValue("Name"), "Lang; Anna");
    EXPECT_FALSE(records.Eof());
    records.Next();
    EXPECT_TRUE(records.Eof());
    EXPECT_EQ(records.FieldValue("Name"), "");

    records.MoveTo(99);
    EXPECT_EQ(records.RecNo(), 3);
    records.MoveTo(-5);
    EXPECT_EQ(records.RecNo(), 1);
    records.Next();
    records.First();
    EXPECT_EQ(records.FieldValue("PLZ"), "53111");
}

// Names are found without regard to case, also beyond ASCII (Windows-1252
// umlauts), alike for the value and for the field; of two names equal so,
// the first counts. A record of thousands of columns reads every value.
TEST(TCsvRecordSet, NamesAreFoundWithoutRegardToCaseThroughAnIndex) {
    QTemporaryDir dir;
    std::string header = "Gr\xF6\xDF" "e;Name;NAME";
    std::string values = "klein;erste;zweite";
    for (int i = 0; i < 5000; ++i) {
        header += ";Spalte" + std::to_string(i);
        values += ";" + std::to_string(i * 7);
    }
    TCsvRecordSet records;
    records.Open(WriteFile(dir, "breit.csv", header + "\n" + values + "\n"), kCsvSeparatorSemicolon);
    ASSERT_EQ(records.Fields().size(), 5003u);
    for (const std::string name : {"Gr\xF6\xDF" "e", "GR\xD6\xDF" "E", "gr\xF6\xDF" "e"}) {
        EXPECT_EQ(records.FieldValue(name), "klein");
        ASSERT_TRUE(FindDataSetField(records, name));
        EXPECT_EQ(FindDataSetField(records, name)->name, "Gr\xF6\xDF" "e");
    }
    EXPECT_EQ(records.FieldValue("name"), "erste");
    EXPECT_EQ(FindDataSetField(records, "NAME")->name, "Name");
    for (int i = 0; i < 5000; ++i) ASSERT_EQ(records.FieldValue("SPALTE" + std::to_string(i)), std::to_string(i * 7));
    EXPECT_FALSE(FindDataSetField(records, "Spalte5000"));
    EXPECT_THROW(records.FieldValue("Spalte5000"), EDatabaseError);
}

TEST(TCsvRecordSet, EmptyFileHasNoRecords) {
    QTemporaryDir dir;
    TCsvRecordSet records;
    records.Open(WriteFile(dir, "e.csv", ""), kCsvSeparatorComma);
    EXPECT_TRUE(records.Fields().empty());
    EXPECT_EQ(records.RecordCount(), 0);
    EXPECT_EQ(records.RecNo(), 0);
    EXPECT_TRUE(records.Eof());
    records.MoveTo(1);
    records.Next();
    EXPECT_TRUE(records.Eof());
}
