// Header sections and their collection without a header: numbering,
// moving, the setters' rules, copying, and the sections' stream with its
// earlier versions and damaged input.
#include "treectl/header/McHeaderSections.h"

#include "foundation/LittleEndian.h"
#include "foundation/Stream.h"
#include "foundation/StreamHelp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Indexes(const TMcHeaderSections& sections) {
    std::string s;
    for (int32_t p = 0; p < sections.Count(); ++p) s += std::to_string(sections.ItemByPos(p)->Index());
    return s;
}

std::vector<uint8_t> Saved(const TMcHeaderSections& sections) {
    TMemoryStream s;
    sections.SaveToStream(s);
    return s.Bytes();
}

void Load(TMcHeaderSections& sections, const std::vector<uint8_t>& bytes) {
    TMemoryStream s(bytes);
    sections.LoadFromStream(s);
}

TEST(McHeaderSections, IndexesAndPositions) {
    TMcHeaderSections sections;
    for (const char* name : {"Name", "Größe", "Typ"}) sections.AddSection()->SetText(name);
    EXPECT_EQ(Indexes(sections), "012");
    EXPECT_NE(sections.Item(0)->SectionId(), sections.Item(1)->SectionId());
    sections.DeleteSection(sections.Item(1));
    EXPECT_EQ(Indexes(sections), "01");
    EXPECT_EQ(sections.Item(1)->Text(), "Typ");
    EXPECT_EQ(sections.AddSection()->Index(), 2);
    sections.MoveSection(sections.ItemByPos(0), 2);
    EXPECT_EQ(Indexes(sections), "120") << "moving keeps every Index";
    EXPECT_EQ(sections.Item(0)->Position(), 2);
    sections.InsertSection(0)->SetText("first");
    EXPECT_EQ(Indexes(sections), "3120");
    EXPECT_THROW(sections.DeleteSection(nullptr), EMcError);
    TMcHeaderSection stranger;
    EXPECT_THROW(sections.DeleteSection(&stranger), EMcError);
    EXPECT_EQ(stranger.Position(), -1);
    EXPECT_THROW(sections.InsertSection(9), EMcListError);
    EXPECT_EQ(sections.Count(), 4);
}

TEST(McHeaderSections, SetterRules) {
    TMcHeaderSections sections;
    TMcHeaderSection* a = sections.AddSection();
    TMcHeaderSection* b = sections.AddSection();
    TMcHeaderSection* c = sections.AddSection();
    a->SetSortMode(TMcSSortMode::hsmAscend);
    b->SetSortMode(TMcSSortMode::hsmDescend);
    EXPECT_EQ(a->SortMode(), TMcSSortMode::hsmNone) << "one sorted section per header";
    b->SetParentSection(a);
    c->SetParentSection(b);
    a->SetParentSection(c);
    EXPECT_EQ(a->ParentSection(), nullptr) << "a descendant is refused as parent";
    b->SetParentSection(b);
    EXPECT_EQ(b->ParentSection(), a);
    EXPECT_FALSE(b->Visible()) << "a child of a parent that is not expanded";
    a->SetExpanded(true);
    EXPECT_FALSE(a->Expanded()) << "only an expandable section expands";
    a->SetExpandable(true);
    a->SetExpanded(true);
    EXPECT_TRUE(b->Visible());
    EXPECT_FALSE(c->Visible()) << "b is not expanded";
    a->SetVisible(false);
    EXPECT_FALSE(c->Visible());
    a->SetExpandable(false);
    EXPECT_EQ(b->ParentSection(), nullptr) << "children lose a parent that stops being expandable";
    a->SetFilterEnabled(true);
    a->SetLookupEnabled(true);
    EXPECT_FALSE(a->FilterEnabled());
    a->SetMinWidth(50);
    a->SetMaxWidth(100);
    EXPECT_EQ(a->Width(), 100);
    a->SetWidth(30);
    a->SetWidth(130);
    EXPECT_EQ(a->Width(), 100) << "widths outside the limits are dropped";
    a->SetColor(0x123456);
    EXPECT_FALSE(a->ParentColor());
    a->RememberLookup("eins");
    a->RememberLookup("zwei");
    a->RememberLookup("eins");
    EXPECT_EQ(a->LookupHistory(), (std::vector<std::string>{"eins", "zwei"}));
}

TEST(McHeaderSections, AssignGivesExactlyTheSource) {
    TMcHeaderSections source, target;
    for (const char* name : {"A", "B"}) source.AddSection()->SetText(name);
    source.Item(1)->SetWidth(77);
    source.Item(0)->SetExpandable(true);
    source.Item(1)->SetParentSection(source.Item(0));
    source.Item(1)->SetFieldName("not copied");
    for (int i = 0; i < 3; ++i) target.AddSection();
    target.Assign(source);
    ASSERT_EQ(target.Count(), 2);
    EXPECT_EQ(target.Item(1)->Text(), "B");
    EXPECT_EQ(target.Item(1)->Width(), 77);
    EXPECT_EQ(target.Item(1)->ParentSection(), target.Item(0));
    EXPECT_EQ(target.Item(1)->FieldName(), "");
}

TEST(McHeaderSections, StreamOfOneSection) {
    TMcHeaderSections sections;
    TMcHeaderSection* s = sections.AddSection();
    s->SetText("Name");
    const std::vector<uint8_t> bytes = Saved(sections);
    EXPECT_EQ(bytes.size(), 8u + 90u) << "head, record of 68, C strings of 9 and 5, two counted strings of 4";
    EXPECT_EQ(static_cast<int32_t>(GetLittleEndian(bytes.data(), 4)), -10);
    EXPECT_EQ(GetLittleEndian(bytes.data() + 4, 4), 1u);
    EXPECT_EQ(static_cast<int32_t>(GetLittleEndian(bytes.data() + 8 + 8, 4)), -1) << "no parent";
    EXPECT_EQ(GetLittleEndian(bytes.data() + 8 + 20, 4), 120u);
    EXPECT_EQ(GetLittleEndian(bytes.data() + 8 + 28, 4), 10000u);
    EXPECT_EQ(GetLittleEndian(bytes.data() + 8 + 68, 4), 5u);
    EXPECT_EQ(std::string(bytes.begin() + 80, bytes.begin() + 85), std::string("Name\0", 5));
}

TEST(McHeaderSections, RoundTrip) {
    TMcHeaderSections sections;
    for (const char* name : {"Name", "Größe", "Typ"}) sections.AddSection()->SetText(name);
    TMcHeaderSection* a = sections.Item(0);
    TMcHeaderSection* b = sections.Item(1);
    a->SetExpandable(true);
    a->SetExpanded(true);
    b->SetParentSection(a);
    b->SetAlignment(TMcSAlignment::hsaRight);
    b->SetFieldType(TFieldTypes::sftNumber);
    b->SetFieldName("Size");
    b->SetHint("Bytes");
    b->SetFilterEnabled(true);
    b->SetTextLayout(TTextLayout::tlBottom);
    b->SetAutoSize(true);
    b->SetColor(0x00FF00);
    sections.MoveSection(sections.Item(2), 0);
    const std::vector<uint8_t> bytes = Saved(sections);
    TMcHeaderSections copy;
    copy.AddSection()->SetText("ersetzt");
    Load(copy, bytes);
    EXPECT_EQ(Indexes(copy), "201");
    const TMcHeaderSection* B = copy.Item(1);
    EXPECT_EQ(B->Text(), "Größe");
    EXPECT_EQ(B->ParentSection(), copy.Item(0));
    EXPECT_EQ(B->Alignment(), TMcSAlignment::hsaRight);
    EXPECT_EQ(B->FieldType(), TFieldTypes::sftNumber);
    EXPECT_EQ(B->FieldName(), "Size");
    EXPECT_EQ(B->Hint(), "Bytes");
    EXPECT_TRUE(B->FilterEnabled() && B->AutoSize());
    EXPECT_EQ(B->TextLayout(), TTextLayout::tlBottom);
    EXPECT_EQ(B->Color(), 0x00FF00u);
    EXPECT_EQ(B->SectionId(), b->SectionId());
    EXPECT_EQ(Saved(copy), bytes);
}

struct Raw {
    std::vector<uint8_t> b;
    Raw& Int(int32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
        return *this;
    }
    Raw& Bytes(std::initializer_list<uint8_t> bytes) {
        b.insert(b.end(), bytes);
        return *this;
    }
    Raw& CStr(const std::string& s) {
        Int(static_cast<int32_t>(s.size() + 1));
        b.insert(b.end(), s.begin(), s.end());
        b.push_back(0);
        return *this;
    }
    Raw& Str(const std::string& s) {
        Int(static_cast<int32_t>(s.size()));
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
};

TEST(McHeaderSections, Version4) {
    Raw r;
    r.Int(-4).Int(1);
    r.Bytes({1, 1, 0, 0}).Int(60).Int(50).Int(120).Bytes({1, 0, 2, 0}).Int(0).Bytes({5, 0, 0, 0}).Int(-1).Bytes({0, 0, 0, 0});
    r.CStr("Datum").CStr("Date");
    TMcHeaderSections sections;
    Load(sections, r.b);
    ASSERT_EQ(sections.Count(), 1);
    const TMcHeaderSection* s = sections.Item(0);
    EXPECT_EQ(s->Text(), "Datum");
    EXPECT_EQ(s->FieldName(), "Date");
    EXPECT_EQ(s->Width(), 60);
    EXPECT_EQ(s->MinWidth(), 50);
    EXPECT_EQ(s->MaxWidth(), 120);
    EXPECT_FALSE(s->Resizable());
    EXPECT_EQ(s->Alignment(), TMcSAlignment::hsaCenter);
    EXPECT_EQ(s->FieldType(), TFieldTypes::sftDate);
    EXPECT_EQ(s->ImageIndex(), -1);
    EXPECT_EQ(s->Hint(), "");
    EXPECT_TRUE(s->ParentColor());
    EXPECT_EQ(s->ParentSection(), nullptr);
}

TEST(McHeaderSections, DamagedAndStrangeStreams) {
    TMcHeaderSections sections;
    sections.AddSection()->SetText("bleibt");
    const std::vector<uint8_t> before = Saved(sections);
    TMcHeaderSections two;
    two.AddSection()->SetText("A");
    two.AddSection()->SetText("B");
    const std::vector<uint8_t> good = Saved(two);
    for (size_t length = 0; length < good.size(); ++length) {
        EXPECT_THROW(Load(sections, std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(length))),
                     EReadError)
            << length;
    }
    std::vector<uint8_t> huge = good;
    PutLittleEndian(huge.data() + 4, 0x7FFFFFFF, 4);
    EXPECT_THROW(Load(sections, huge), EReadError);
    std::vector<uint8_t> badStyle = good;
    badStyle[8 + 17] = 7;
    EXPECT_THROW(Load(sections, badStyle), EReadError);
    EXPECT_EQ(Saved(sections), before) << "nothing changed";

    // Each the other's parent, and both with Index 5: loaded without a cycle, numbered anew.
    std::vector<uint8_t> cyclic = good;
    const size_t second = 8 + 68 + 6 + 5 + 4 + 4;
    PutLittleEndian(cyclic.data() + 8 + 8, 5, 4);
    PutLittleEndian(cyclic.data() + 8 + 40, 5, 4);
    PutLittleEndian(cyclic.data() + second + 8, 5, 4);
    PutLittleEndian(cyclic.data() + second + 40, 5, 4);
    Load(sections, cyclic);
    EXPECT_EQ(Indexes(sections), "01");
    EXPECT_EQ(sections.Item(0)->ParentSection(), nullptr);
    EXPECT_NE(sections.Item(0)->SectionId(), sections.Item(1)->SectionId());

    Load(sections, Raw().Int(-7).Int(3).b);
    EXPECT_EQ(sections.Count(), 0) << "an unknown marker gives no sections and no error";
}

TEST(McHeaderSections, StickyArithmetic) {
    TMcHeaderSections sections;
    for (int32_t width : {150, 50, 100}) sections.AddSection()->SetWidth(width);
    sections.Item(1)->SetResizable(false);
    EXPECT_EQ(sections.SectionsWidth(), 300);
    EXPECT_EQ(sections.ResizableWidth(301), 251);
    sections.InitProportions(301);
    EXPECT_FLOAT_EQ(sections.Item(0)->Proportion(), 150.0f / 251.0f);
    EXPECT_EQ(sections.Item(1)->Proportion(), 0.0f);
    // Too narrow: the resizable ones give way first, the last one first.
    sections.FitSections(nullptr, 201);
    EXPECT_EQ(sections.Item(2)->Width(), 0);
    EXPECT_EQ(sections.Item(0)->Width(), 150);
    EXPECT_EQ(sections.SectionsWidth(), 200);
    sections.FitSections(sections.Item(0), 101);
    EXPECT_EQ(sections.Item(1)->Width(), 0) << "then the fixed ones and the one just changed";
    EXPECT_EQ(sections.Item(1)->SavedWidth(), 50);
    EXPECT_EQ(sections.SectionsWidth(), 100);
    sections.FitSections(nullptr, 301);
    EXPECT_EQ(sections.Item(1)->Width(), 50) << "room again: the fixed width comes back";
    EXPECT_EQ(sections.Item(1)->SavedWidth(), -1);
    EXPECT_EQ(sections.SectionsWidth(), 300);
}

}  // namespace
