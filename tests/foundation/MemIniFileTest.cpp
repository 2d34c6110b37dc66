#include "foundation/MyMemIniFile.h"

#include "foundation/Stream.h"
#include "support/Utf16Bytes.h"

#include <gtest/gtest.h>

namespace {

TMemoryStream Bytes(const std::string& s) { return TMemoryStream(std::vector<uint8_t>(s.begin(), s.end())); }

TMemoryStream Utf16Stream(const std::u16string& text, bool bigEndian) { return TMemoryStream(Utf16Bytes(text, bigEndian)); }

}  // namespace

TEST(MemIniFile, LoadsUtf16BothWaysAnd8BitText) {
    const char16_t* text = u"[a]\r\nx=1\r\n";
    TMemoryStream streams[] = {Utf16Stream(text, false), Utf16Stream(text, true), Bytes("[a]\r\nx=1\r\n")};
    for (TMemoryStream& s : streams) {
        TMyMemIniFile ini;
        ini.LoadFromStream(s);
        EXPECT_EQ(ini.ReadSections(), QStringList{QStringLiteral("a")});
        EXPECT_EQ(ini.ReadString(QStringLiteral("a"), QStringLiteral("x"), QStringLiteral("-")), QStringLiteral("1"));
    }
}

TEST(MemIniFile, ParsingRules) {
    TMyMemIniFile ini;
    TMemoryStream s = Bytes(
        "y=2\r\n; comment\r\n\r\n[A]\r\nx=1\r\nk = v\r\nf=a=b\r\nno equals sign\r\nX=second\r\n[ B ]\r\nz=3\r\n[a]\r\nlate=4\r\n");
    ini.LoadFromStream(s);
    const QString a = QStringLiteral("a");
    EXPECT_EQ(ini.ReadSections(), (QStringList{QStringLiteral("A"), QStringLiteral(" B ")}));
    EXPECT_EQ(ini.ReadString(a, QStringLiteral("X"), {}), QStringLiteral("1"));  // first match wins
    EXPECT_EQ(ini.ReadString(a, QStringLiteral("k"), QStringLiteral("-")), QStringLiteral("-"));
    EXPECT_EQ(ini.ReadString(a, QStringLiteral("k "), {}), QStringLiteral(" v"));
    EXPECT_EQ(ini.ReadString(a, QStringLiteral("f"), {}), QStringLiteral("a=b"));
    EXPECT_EQ(ini.ReadString(a, QStringLiteral("late"), {}), QStringLiteral("4"));
    EXPECT_EQ(ini.ReadString(QStringLiteral(" b "), QStringLiteral("z"), {}), QStringLiteral("3"));
    EXPECT_EQ(ini.ReadString(QString(), QStringLiteral("y"), QStringLiteral("-")), QStringLiteral("-"));
    EXPECT_EQ(ini.ReadSection(a), (QStringList{QStringLiteral("x"), QStringLiteral("k "), QStringLiteral("f"), QString(),
                                               QStringLiteral("X"), QStringLiteral("late")}));
    EXPECT_TRUE(ini.ReadSection(QStringLiteral("missing")).isEmpty());
}

TEST(MemIniFile, WritesAndSerialisation) {
    TMyMemIniFile ini;
    ini.WriteString(QStringLiteral("First"), QStringLiteral("a"), QStringLiteral("1"));
    ini.WriteString(QStringLiteral("Second"), QStringLiteral("b"), QStringLiteral("ä€"));
    ini.WriteString(QStringLiteral("first"), QStringLiteral("A"), QStringLiteral("2"));  // replaces, keeps the name
    ini.WriteInteger(QStringLiteral("Second"), QStringLiteral("n"), -5);
    ini.WriteBool(QStringLiteral("Second"), QStringLiteral("f"), true);
    TMemoryStream out;
    ini.SaveToStream(out);
    const std::string expected = "[First]\r\nA=2\r\n\r\n[Second]\r\nb=\xE4\x80\r\nn=-5\r\nf=1\r\n\r\n";
    EXPECT_EQ(std::string(out.Bytes().begin(), out.Bytes().end()), expected);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("second"), QStringLiteral("N"), 0), -5);
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("second"), QStringLiteral("f"), false));
    for (const char* noNumber : {"nan", "inf", "-inf", "1e999"}) {
        ini.WriteString(QStringLiteral("Floats"), QStringLiteral("x"), QString::fromLatin1(noNumber));
        EXPECT_EQ(ini.ReadFloat(QStringLiteral("Floats"), QStringLiteral("x"), 2.5), 2.5) << noNumber;
    }
    ini.EraseSection(QStringLiteral("Floats"));

    ini.DeleteKey(QStringLiteral("Second"), QStringLiteral("B"));
    ini.EraseSection(QStringLiteral("FIRST"));
    EXPECT_EQ(ini.SaveToStrings(), (QStringList{QStringLiteral("[Second]"), QStringLiteral("n=-5"), QStringLiteral("f=1"), QString()}));

    // Unicode save and reload keep every character.
    ini.WriteString(QStringLiteral("Second"), QStringLiteral("pl"), QStringLiteral("Łódź Жук"));
    TMemoryStream wide;
    ini.SaveToStreamUnicode(wide);
    wide.SetPosition(0);
    TMyMemIniFile back;
    back.LoadFromStream(wide);
    EXPECT_EQ(back.ReadString(QStringLiteral("Second"), QStringLiteral("pl"), {}), QStringLiteral("Łódź Жук"));
}

TEST(MemIniFile, MemoryStreamAppendsAndMissingFileIsEmpty) {
    TMyMemIniFile ini;
    ini.WriteString(QStringLiteral("S"), QStringLiteral("a"), QStringLiteral("1"));
    TMemoryStream more = Bytes("[s]\r\nb=2\r\n[T]\r\nc=3");
    ini.LoadFromMemoryStream(more);
    EXPECT_EQ(ini.ReadSection(QStringLiteral("S")), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(ini.ReadString(QStringLiteral("T"), QStringLiteral("c"), {}), QStringLiteral("3"));
    ini.LoadFromFile("/nonexistent/folder/file.ini");
    EXPECT_TRUE(ini.ReadSections().isEmpty());
}
