#include "LayoutFixtures.h"
#include "TestTextClasses.h"

#include "foundation/Exceptions.h"
#include "foundation/Stream.h"
#include "richtext/model/RtEngineErrors.h"
#include "richtext/model/RtSpecialTextProperty.h"
#include "richtext/model/ScribenUndoObject.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>

#include <climits>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::string Bytes(TMemoryStream& stream) { return std::string(stream.Bytes().begin(), stream.Bytes().end()); }

TMemoryStream StreamOf(const std::string& s) { return TMemoryStream(std::vector<uint8_t>(s.begin(), s.end())); }

std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Records which backup files exist while it writes.
std::vector<std::string> backupsWhileWriting;
fs::path probedFile;

class TBackupProbeWriter : public TRtCustomTextWriter {
    int32_t WriteBody() override {
        backupsWhileWriting.clear();
        for (const char* ext : {".BAK", ".BAK1", ".BAK2"}) {
            if (fs::exists(fs::path(probedFile).replace_extension(ext))) backupsWhileWriting.push_back(ext);
        }
        Output->WriteBuffer("new", 3);
        return 0;
    }
};

}  // namespace

TEST(ReadWrite, WriterChoice) {
    struct Case {
        const char* format;
        const char* extension;
        bool empty;
        const char* writer;
    };
    for (const Case c : {Case{"AUTO", "", true, "TRtTextWriter"}, Case{"AUTO", "", false, "TRtRTFWriter"},
                         Case{"", "", false, "TRtRTFWriter"}, Case{"AUTO", ".TXT", false, "TRtTextWriter"},
                         Case{"AUTO", ".DOC", true, "TRtRTFWriter"}, Case{"AUTO", ".HTML", false, "TRtHTMLWriter"},
                         Case{"", ".TXT", false, "TRtRTFWriter"}, Case{"ansi", ".RTF", false, "TRtTextWriter"},
                         Case{"Rtf", "", true, "TRtRTFWriter"}, Case{"TMyWriter", "", false, "TMyWriter"}}) {
        EXPECT_EQ(ChooseWriterClass(c.format, c.extension, c.empty), c.writer) << c.format << c.extension;
    }
    TLaidOutText t;
    TMemoryStream empty;
    t.text.SaveToStream(empty);
    EXPECT_EQ(Bytes(empty), "") << "an empty text goes to the text writer";
    t.Fill({"one", "two"});
    TMemoryStream full;
    t.text.SaveToStream(full);
    EXPECT_EQ(Bytes(full), "{\\rtf1 one\\par two}");
    t.text.TextSaveFormat = "ANSI";
    TMemoryStream plain;
    t.text.SaveToStream(plain);
    EXPECT_EQ(Bytes(plain), "one\r\ntwo");
}

TEST(ReadWrite, TheSelectionIsWrittenFromItsStart) {
    TLaidOutText t;
    t.Fill({"abcd", "efgh"});
    t.text.TextSaveFormat = "ANSI";
    TMemoryStream nothing;
    EXPECT_TRUE(t.text.SaveSelectionToStream(nothing));
    EXPECT_EQ(Bytes(nothing), "") << "no selection, nothing written";
    t.text.SelStart = {t.Par(1), t.Par(1)->firstLine, 2};
    t.text.SelEnd = {t.Par(0), t.Par(0)->firstLine, 1};
    TMemoryStream out;
    EXPECT_TRUE(t.text.SaveSelectionToStream(out));
    EXPECT_EQ(Bytes(out), "bcd\r\nef");
}

TEST(ReadWrite, ReaderChoiceByLookingAtTheData) {
    const std::string far = std::string(1999, 'x') + "<p> ";
    struct Case {
        const char* name;
        std::string data;
        const char* sniffed;
        const char* reader;
    };
    const Case cases[] = {
        {"blanks before the signature", " \r\n\t\b{\\rtf1 x}", "RTF", "TRtRTFReader"},
        {"plain text", "hello", "", "TRtTextReader"},
        {"a p tag in the first 2000 characters", "hello <p> world", "HTML", "TRtTextReader"},
        {"a tag in any case", "<HTML>", "HTML", "TRtTextReader"},
        {"a tag beyond 2000 characters", far, "", "TRtTextReader"},
        {"a tag of 10 characters", "<abcdefghij>", "", "TRtTextReader"},
        {"a tag broken by a carriage return", "<b\r>", "", "TRtTextReader"},
    };
    for (const Case& c : cases) {
        TMemoryStream stream = StreamOf("ab" + c.data);
        stream.SetPosition(2);
        EXPECT_EQ(SniffTextFormat(stream), c.sniffed) << c.name;
        // Data that looks like HTML is read as text: no HTML reader exists.
        EXPECT_EQ(ChooseReaderClass("AUTO", "", stream), c.reader) << c.name;
        EXPECT_EQ(stream.Position(), 2) << c.name;
    }
    TMemoryStream stream = StreamOf("{\\rtf1 x}");
    EXPECT_EQ(ChooseReaderClass("AUTO", ".TXT", stream), "TRtTextReader") << "the extension first";
}

TEST(ReadWrite, MissingClassesRaiseTheEnginesErrors) {
    TLaidOutText t;
    TMemoryStream stream = StreamOf("<p>");
    t.text.TextLoadFormat = "HTML";
    try {
        t.text.LoadFromStream(stream);
        FAIL() << "no error";
    } catch (const ERtIOClassError& e) {
        EXPECT_STREQ(e.what(), "Text-Reader class not found TRtHTMLReader");
    }
    t.Fill({"x"});
    t.text.TextSaveFormat = "TNoSuchWriter";
    TMemoryStream out;
    EXPECT_THROW(t.text.SaveToStream(out), ERtIOClassError);
}

TEST(ReadWrite, LoadingAndPasting) {
    TLaidOutText t;
    TMemoryStream stream = StreamOf("  {\\rtf1 alpha\\par beta}");
    t.text.LoadFromStream(stream);
    EXPECT_EQ(TextOf(t.text), "alpha|beta");
    EXPECT_EQ(t.text.LastIOResult, 0);
    EXPECT_EQ(t.text.Cursor.par, t.Par(1));
    EXPECT_EQ(t.text.CheckInvariants(), "");
    // Pasting at the cursor, with the cursor paragraph's indents kept.
    TParagraph* at = t.Par(0);
    at->leftIndent = 100;
    at->rightIndent = 50;
    at->firstIndent = -20;
    t.text.Cursor = {at, at->firstLine, 2};
    t.text.PasteOptions = rtcoPreserveIndents;
    TMemoryStream paste = StreamOf("one\r\ntwo\r\nthree");
    t.text.LoadFromStream(paste);
    EXPECT_EQ(TextOf(t.text), "alone|two|threepha|beta");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(t.Par(i)->leftIndent, 100) << i;
        EXPECT_EQ(t.Par(i)->rightIndent, 50) << i;
        EXPECT_EQ(t.Par(i)->firstIndent, -20) << i;
    }
    EXPECT_EQ(t.text.Cursor.par, t.Par(2));
    EXPECT_EQ(t.text.Cursor.offset, 5);
    EXPECT_EQ(t.text.CheckInvariants(), "");
}

TEST(ReadWrite, PastingWithUndo) {
    TLaidOutText t;
    t.text.EditOptions |= rtActivateUndo;
    t.Fill({"abcd"});
    t.text.Cursor = {t.Par(0), t.Par(0)->firstLine, 2};
    t.text.PasteUndoKind = 12;
    TMemoryStream paste = StreamOf("x\r\ny");
    t.text.LoadFromStream(paste);
    t.text.PasteUndoKind = 0;
    EXPECT_EQ(TextOf(t.text), "abx|ycd");
    t.text.Undo();
    EXPECT_EQ(TextOf(t.text), "abcd");
    EXPECT_EQ(t.text.CheckInvariants(), "");
}

TEST(ReadWrite, BeforePasteEventMayRefuse) {
    TLaidOutText t;
    t.text.OnBeforePasteEvent = [](TRtCustomRtfEditClass*, bool& doIt, TParagraph*&) { doIt = false; };
    TMemoryStream stream = StreamOf("text");
    t.text.LoadFromStream(stream);
    EXPECT_TRUE(t.text.IsEmpty());
}

TEST(ReadWrite, WholeTextUndoStreamsTheText) {
    TLaidOutText t;
    t.text.EditOptions |= rtActivateUndo | rtStreamUndoOperation;
    t.Fill({"first", "second"});
    t.text.SaveUndo(t.Par(0), uakParagraph, 2);
    t.text.SetParagraphText(0, "changed", nullptr, 7);
    t.text.Undo();
    EXPECT_EQ(TextOf(t.text), "first|second");
}

TEST(ReadWrite, SavingKeepsANumberedBackupWhileItWrites) {
    QTemporaryDir dir;
    const fs::path file = fs::path(dir.path().toStdString()) / "label.txt";
    WriteFile(file, "old");
    WriteFile(fs::path(file).replace_extension(".BAK"), "older");
    RegisterRtWriterClass<TBackupProbeWriter>("TBackupProbeWriter");
    probedFile = file;
    TLaidOutText t;
    t.Fill({"new"});
    t.text.TextSaveFormat = "TBackupProbeWriter";
    t.text.SaveToFile(file.string());
    EXPECT_EQ(backupsWhileWriting, (std::vector<std::string>{".BAK", ".BAK1"})) << "the old file is label.BAK1";
    EXPECT_EQ(FileText(file), "new");
    EXPECT_EQ(FileText(fs::path(file).replace_extension(".BAK")), "older") << "the taken name is left alone";
    EXPECT_FALSE(fs::exists(fs::path(file).replace_extension(".BAK1"))) << "the backup goes after success";
    t.text.Header().StoreOptions |= OptionBit(soDontDeleteBAKFile);
    t.text.SaveToFile(file.string());
    EXPECT_EQ(FileText(fs::path(file).replace_extension(".BAK")), "new") << "kept backups overwrite the old one";
}

TEST(ReadWrite, AFailedSaveRestoresTheFile) {
    for (const char* writer : {"TThrowingWriter", "TFailingWriter"}) {
        QTemporaryDir dir;
        const fs::path file = fs::path(dir.path().toStdString()) / "label.rtf";
        WriteFile(file, "old");
        TLaidOutText t;
        t.Fill({"new"});
        t.text.TextSaveFormat = writer;
        EXPECT_THROW(t.text.SaveToFile(file.string()), Exception) << writer;
        EXPECT_EQ(FileText(file), "old") << writer;
        EXPECT_FALSE(fs::exists(fs::path(file).replace_extension(".BAK"))) << writer;
        // Without an old file nothing partial stays behind.
        fs::remove(file);
        EXPECT_THROW(t.text.SaveToFile(file.string()), Exception) << writer;
        EXPECT_FALSE(fs::exists(file)) << writer;
    }
}

TEST(ReadWrite, LoadingAFileGoesByItsExtension) {
    QTemporaryDir dir;
    const fs::path file = fs::path(dir.path().toStdString()) / "note.txt";
    WriteFile(file, "{\\rtf1 looks like rtf}");
    TLaidOutText t;
    t.text.LoadFromFile(file.string());
    EXPECT_EQ(TextOf(t.text), "{\\rtf1 looks like rtf}");
}

TEST(ReadWrite, CharacterInterface) {
    TLaidOutText t;
    t.Fill({"ab", "c"});
    t.Par(1)->flags |= pfPageBreak;
    t.text.Cursor = {t.Par(0), t.Par(0)->firstLine, 0};
    std::string read;
    TAttr attr;
    char ch = 0;
    TParagraph* par = nullptr;
    while (t.text.ReadNextChar(attr, ch, par)) read += ch;
    EXPECT_EQ(read, "ab\x0c" "c");
    TRtRTFTextIo text;
    TAttr plain;
    for (char c : std::string("xy\ryz")) text.AppendChar(plain, c, nullptr);
    EXPECT_EQ(TextOf(text), "xy|yz");
    // A paragraph linked to itself is an error, not an endless loop.
    TParagraph* first = t.Par(0);
    TParagraph* second = t.Par(1);
    first->next = first;
    t.text.Cursor = {first, first->firstLine, 2};
    EXPECT_THROW(t.text.ReadNextChar(attr, ch, par), ERtEngineError);
    first->next = second;
}

TEST(ReadWrite, WriterOutputRoutines) {
    struct Case {
        int32_t value;
        const char* text;
    };
    for (const Case c : {Case{0, "0"}, Case{7, "7"}, Case{-1, "-1"}, Case{123456, "123456"},
                         Case{1234567, "1234567"}, Case{INT32_MAX, "2147483647"}, Case{INT32_MIN, "-2147483648"}}) {
        char buffer[TRtCustomTextWriter::kDecimalRoom];
        const size_t n = TRtCustomTextWriter::PutDecimal(c.value, buffer);
        EXPECT_EQ(std::string(buffer, n), c.text);
    }
    char hex[2];
    TRtCustomTextWriter::PutHexByte(0xA7, hex);
    EXPECT_EQ(std::string(hex, 2), "a7");
    TRtCustomTextWriter writer;
    TMemoryStream out;
    writer.Output = &out;
    const uint8_t data[] = {0x01, 0xFE};
    EXPECT_EQ(writer.WriteHex(data, 2), 0);
    EXPECT_EQ(writer.WriteHex(data, 0), 0);
    EXPECT_EQ(Bytes(out), "01fe");
}

TEST(ReadWrite, AssignCopiesTextFontsAndHeaders) {
    TLaidOutText source;
    source.Fill({"one", "two"});
    const int32_t courier = source.text.Header().GetFontIndex("Courier New");
    ChangeAttrs(source.text, source.Par(1), 0, 3, [courier](TAttr& a) { a.font = uint8_t(courier); });
    source.text.GetOrAddHeaderFooter(rtraOnAllPages, rtIsHeader)->SetParagraphs(MakeChain(source.text, {"H"}));
    TLaidOutText target;
    target.text.Header().GetFontIndex("Liberation Serif");
    target.text.Assign(source.text);
    EXPECT_EQ(TextOf(target.text), "one|two");
    const TAttr copied = target.text.GetAttr(target.Par(1)->firstLine, 0);
    EXPECT_EQ(target.text.Header().Fonts[copied.font].name, "Courier New");
    ASSERT_NE(target.text.FindHeaderFooter(rtraOnAllPages, rtIsHeader), nullptr);
    EXPECT_EQ(TRtRTFText::ParagraphString(target.text.FindHeaderFooter(rtraOnAllPages, rtIsHeader)->Paragraphs()), "H");
    EXPECT_EQ(target.text.CheckInvariants(), "");
}

TEST(ReadWrite, HeaderFooterThroughAStream) {
    TLaidOutText t;
    TMemoryStream in = StreamOf("{\\rtf1 page header}");
    EXPECT_TRUE(t.text.LoadHeaderFooterFromStream(rtraOnAllPages, rtIsHeader, in));
    TRtSpecialTextProperty* item = t.text.FindHeaderFooter(rtraOnAllPages, rtIsHeader);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(TRtRTFText::ParagraphString(item->Paragraphs()), "page header");
    TMemoryStream out;
    EXPECT_TRUE(t.text.SaveHeaderFooterToStream(rtraOnAllPages, rtIsHeader, out));
    EXPECT_EQ(Bytes(out), "{\\rtf1 page header}");
}
