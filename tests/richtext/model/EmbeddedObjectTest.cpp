#include "ModelFixtures.h"

#include "foundation/Stream.h"
#include "foundation/StreamHelp.h"
#include "richtext/model/RtEngineErrors.h"
#include "richtext/model/RtOHorzLine.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtObjectClasses.h"
#include "richtext/model/RtObjectField.h"

#include <gtest/gtest.h>

namespace {

std::string Html(TRtObject& object) {
    TMemoryStream s;
    object.WriteHTML(s);
    return std::string(s.Bytes().begin(), s.Bytes().end());
}

// An object class with a long name, registered for the stream tests.
class TLongNamedObject : public TRtObject {
public:
    std::string ClassName() const override { return std::string(120, 'L'); }
};

}  // namespace

TEST(EmbeddedObjects, HorizontalLineHtml) {
    TRtOHorzLine line;
    EXPECT_EQ(line.HeightTW(), 40);
    EXPECT_EQ(Html(line), "<hr SIZE=2/>\r\n");
    line.SetHeightTW(20);
    EXPECT_EQ(Html(line), "<hr/>\r\n");
    EXPECT_EQ(line.GetContentHeight(), 10);
}

TEST(EmbeddedObjects, PageWidthObjects) {
    TRtRTFText text;
    TRtOHorzLine* line = new TRtOHorzLine();
    text.ObjRefs().AddObject(line);
    EXPECT_EQ(line->WidthTW(), 8470);
    line->SetWidthTW(100);
    EXPECT_EQ(line->WidthTW(), 8470);
}

TEST(EmbeddedObjects, StreamRoundTrip) {
    TRtObjectField field;
    field.FieldName = "PAGE";
    field.FieldMask = "#";
    field.ObjName = "pageNo";
    field.ObjTag = -300000;
    field.SetWidthTW(2000);
    field.WriteRTFMode = wobBoth;
    field.Extra = std::string(300, 'x');  // a long string
    TMemoryStream stream;
    field.WriteToStream(stream);
    const auto& bytes = stream.Bytes();
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(bytes[0] | bytes[1] << 8, 3601);
    EXPECT_EQ(std::string(bytes.end() - 4, bytes.end()), std::string("???\0", 4));

    int32_t height = 0, width = 0, tag = 0;
    std::string name;
    std::unique_ptr<TRtObject> read = LoadFromObjStream(nullptr, stream, height, width, name, tag);
    ASSERT_NE(read, nullptr);
    auto* copy = dynamic_cast<TRtObjectField*>(read.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->FieldName, "PAGE");
    EXPECT_EQ(copy->FieldMask, "#");
    EXPECT_EQ(copy->Extra, field.Extra);
    EXPECT_EQ(copy->WriteRTFMode, wobBoth);
    EXPECT_EQ(width, 2000);
    EXPECT_EQ(height, 720);
    EXPECT_EQ(name, "pageNo");
    EXPECT_EQ(tag, -300000);
    EXPECT_TRUE(copy->Loaded);

    TRtTagField tagField;
    tagField.SetCode("<b>");
    tagField.SetTagText("Name");
    std::unique_ptr<TRtObject> clone = tagField.Clone();
    auto* tagCopy = dynamic_cast<TRtTagField*>(clone.get());
    ASSERT_NE(tagCopy, nullptr);
    EXPECT_EQ(tagCopy->GetTagText(), "Name");
    EXPECT_EQ(tagCopy->GetCode(), "<b>");
    EXPECT_EQ(tagCopy->FrameOptions, rtfoCornersLeft | rtfoCornersRight | rtfoBackColor | rtfoFrameColor);
}

TEST(EmbeddedObjects, LinkedDataIsRequestedAfterReading) {
    TRtObject object;
    object.StreamName = "picture.bmp";
    TMemoryStream stream;
    object.WriteToStream(stream);
    EXPECT_EQ(std::string(stream.Bytes().end() - 4, stream.Bytes().end()), std::string(4, '\0'));

    TRtObject read;
    std::vector<std::pair<std::string, int32_t>> requests;
    read.OnLoadStream = [&requests](TRtObject&, const std::string& name, int32_t state, bool& done) {
        requests.emplace_back(name, state);
        done = true;
    };
    read.ReadFromStream(stream);
    EXPECT_EQ(requests, (std::vector<std::pair<std::string, int32_t>>{{"picture.bmp", 0}}));
    EXPECT_TRUE(read.Loaded);
    read.Activate();  // loaded: no second request
    EXPECT_EQ(requests.size(), 1u);
}

TEST(EmbeddedObjects, LongClassNamesAreCut) {
    RegisterRtObjectClass<TLongNamedObject>();
    TLongNamedObject object;
    TMemoryStream stream;
    object.WriteToStream(stream);
    const auto& bytes = stream.Bytes();
    EXPECT_EQ(bytes[2] | bytes[3] << 8, 99);
    EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 4 + 99), std::string(98, 'L') + std::string(1, '\0'));
    // The cut name is no registered class: nothing is made of the stream.
    int32_t h = 0, w = 0, t = 0;
    std::string n;
    EXPECT_EQ(LoadFromObjStream(nullptr, stream, h, w, n, t), nullptr);
}

TEST(EmbeddedObjects, DamagedStreamsEndTheRead) {
    TRtObjectField field;
    field.FieldName = "DATE";
    TMemoryStream good;
    field.WriteToStream(good);
    const std::vector<uint8_t> bytes = good.Bytes();

    struct Case {
        const char* name;
        std::vector<uint8_t> input;
    };
    std::vector<Case> cases;
    std::vector<uint8_t> badMagic = bytes;
    badMagic[0] ^= 0xFF;
    cases.push_back({"bad magic", badMagic});
    std::vector<uint8_t> longName = bytes;
    longName[2] = 100;
    cases.push_back({"name length 100", longName});
    cases.push_back({"cut in the property block", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 30)});
    cases.push_back({"cut before the data type", std::vector<uint8_t>(bytes.begin(), bytes.end() - 2)});
    std::vector<uint8_t> badSignature = bytes;
    badSignature[4 + 15] = 'X';  // "TRtObjectField\0" then "TPF0"
    cases.push_back({"bad signature", badSignature});
    for (const Case& c : cases) {
        TRtObjectField read;
        TMemoryStream s(c.input);
        EXPECT_THROW(read.ReadFromStream(s), ERtEngineError) << c.name;
        int32_t h = 0, w = 0, t = 0;
        std::string n;
        EXPECT_EQ(LoadFromObjStream(nullptr, s, h, w, n, t), nullptr) << c.name;
    }
}

TEST(EmbeddedObjects, UnknownPropertiesAreSkippedAndOtherClassesPassedOver) {
    TMemoryStream s;
    StreamWriteValue<uint16_t>(s, 3601);
    StreamWriteValue<uint16_t>(s, 10);
    s.WriteBuffer("TRtObject", 10);
    {
        TRtComponentWriter w(s, "TRtObject", "obj1");
        w.WriteString("Unknown", "skip me");
        w.WriteInteger("ObjTag", 12);
        w.WriteInteger("ObjName", 5);  // the wrong type: skipped
        w.Finish();
    }
    s.WriteBuffer("BMP", 4);
    TRtObject read;
    read.ReadFromStream(s);
    EXPECT_EQ(read.ObjTag, 12);
    EXPECT_EQ(read.ObjName, "");
    EXPECT_EQ(read.Name, "obj1");
    EXPECT_EQ(read.DataType, "BMP");

    TRtObjectField other;  // another class: its properties are passed over
    other.ReadFromStream(s);
    EXPECT_EQ(other.ObjTag, 0);
    EXPECT_EQ(other.DataType, "BMP");
}

TEST(EmbeddedObjects, FieldTexts) {
    TRtRTFText text;
    Fill(text, {"p1", "p2"});
    Par(text, 1)->flags |= pfPageBreak;
    auto field = std::make_unique<TRtObjectField>();
    field->SetOwningText(&text);
    std::string shown;
    struct Case {
        const char* name;
        int32_t page;
        bool measuring;
        const char* text;
    };
    const Case cases[] = {
        {"priorpage", 1, false, " "}, {"PRIORPAGE", 2, false, "1"}, {"PAGE", 2, false, "2"},
        {"NextPage", 2, false, "3"},  {"NUMPAGES", 0, false, "2"},  {"PARNUM", 0, false, "1"},
        {"unknown", 0, false, "<unknown>"},
    };
    for (const Case& c : cases) {
        field->FieldName = c.name;
        text.PaintPage = c.page;
        field->GetFieldText(c.measuring, shown);
        EXPECT_EQ(shown, c.text) << c.name;
    }
    EXPECT_TRUE(field->PageDependent);
    // Measuring a page number gives the widest it can be.
    for (int i = 0; i < 10; ++i) text.InsertParagraphText(99, "p", nullptr, 1);
    for (TParagraph* p = Par(text, 1); p; p = p->next) p->flags |= pfPageBreak;
    field->FieldName = "PAGE";
    field->GetFieldText(true, shown);
    EXPECT_EQ(shown, "99");
    TRtTagField tag;
    tag.GetFieldText(false, shown);
    EXPECT_EQ(shown, "<>");
    tag.SetTagText("Nm");
    tag.GetFieldText(false, shown);
    EXPECT_EQ(shown, " Nm ");
}

TEST(EmbeddedObjects, ClassRegistryAndFileTypes) {
    EXPECT_NE(CreateObjectByClassName("trtohorzline"), nullptr);
    EXPECT_THROW(CreateObjectByClassName("TRtOImageObject"), ERtEngineError);
    EXPECT_EQ(FindObjectClassForExtension("xyz"), "");
    AddObjectFileType(".XYZ", "TRtObject");
    AddObjectFileType(".xyz", "TRtOHorzLine");
    EXPECT_EQ(FindObjectClassForExtension("xyz"), "TRtOHorzLine");  // the last line wins
    std::unique_ptr<TRtObject> made = CreateObjectForExtension(".Xyz");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->HeightTW(), 10);
    std::unique_ptr<TRtObject> linked = CreateObjectForFile(nullptr, "/nowhere/pic.xyz", true);
    ASSERT_NE(linked, nullptr);
    EXPECT_EQ(linked->StreamName, "/nowhere/pic.xyz");
}

TEST(EmbeddedObjects, ValuesThatDifferFromAClassesOwnStartSurviveTheStream) {
    TRtOHorzLine line;  // starts with the page width and 40 twips
    line.SetUsePageWidth(false);
    line.SetHeightTW(720);
    TMemoryStream stream;
    line.WriteToStream(stream);
    TRtOHorzLine read;
    read.ReadFromStream(stream);
    EXPECT_FALSE(read.UsePageWidth());
    EXPECT_EQ(read.HeightTW(), 720);
}
