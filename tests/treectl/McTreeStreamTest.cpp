// The item record and the tree stream: the bytes written, round trips,
// records of earlier versions, and damaged streams, which are refused with
// the stream's read error and leave the tree as it was.
#include "FakeTreeHost.h"

#include "foundation/LittleEndian.h"
#include "foundation/Stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Little-endian bytes built value by value.
struct Bytes {
    std::vector<uint8_t> b;
    Bytes& Int(int32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
        return *this;
    }
    Bytes& Byte(uint8_t v) {
        b.push_back(v);
        return *this;
    }
    Bytes& Str(const std::string& s) {
        Int(static_cast<int32_t>(s.size()));
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& Zeros(size_t n) {
        b.insert(b.end(), n, 0);
        return *this;
    }
};

std::vector<uint8_t> Saved(TMcTreeItems& items) {
    TMemoryStream s;
    items.SaveToStream(s);
    return s.Bytes();
}

void Load(TMcTreeItems& items, const std::vector<uint8_t>& bytes) {
    TMemoryStream s(bytes);
    items.LoadFromStream(s);
}

std::string Texts(TMcTreeItems& items) {
    std::string s;
    for (int32_t i = 0; i < items.GetCount(); ++i) {
        const TMcTreeItem* item = items.GetItem(i);
        s += std::string(static_cast<size_t>(item->GetLevel()), '-') + item->Text() + " ";
    }
    return s;
}

int32_t IntAt(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<int32_t>(GetLittleEndian(b.data() + at, 4));
}

TEST(McTreeStream, RecordLayout) {
    FakeTree t;
    TMcTreeItem* a = t.items.AddChild(nullptr, "A");
    a->SetHint("h");
    a->SetColumnText({"x", "yz"});
    a->SetImageIndex(3);
    a->SetStateImageIndex2(-7);
    a->SetForceButtons(true);
    a->SetColor(0x0000FF);
    a->SetRowBkColor(0x00FF00);
    a->SetCheckBoxState(TCheckBoxState::cbGrayed);
    a->SetCheckBoxType(TMcCheckBoxType::ectRadioButton);
    a->SetHidden(true);
    a->SetUseBkColor(false);
    a->SetState(TMcTreeItem::kBold, true);
    t.items.AddChild(a, "c");
    TMemoryStream s;
    a->SaveToStream(s);
    const std::vector<uint8_t>& b = s.Bytes();
    EXPECT_EQ(IntAt(b, 0), -10);
    EXPECT_EQ(IntAt(b, 4), 1);
    EXPECT_EQ(b[8], 'A');
    const size_t block = 9;
    EXPECT_EQ(GetLittleEndian(b.data() + block, 2), TMcTreeItem::Bit(TMcTreeItem::kBold));
    EXPECT_EQ(IntAt(b, block + 4), 3);
    EXPECT_EQ(IntAt(b, block + 8), -1);
    EXPECT_EQ(IntAt(b, block + 12), -1) << "ForceButtons is written as -1";
    EXPECT_EQ(IntAt(b, block + 16), 0x0000FF);
    EXPECT_EQ(IntAt(b, block + 20), 0x00FF00);
    EXPECT_EQ(b[block + 28], 1);  // ParentColors
    EXPECT_EQ(b[block + 31], 2);  // grayed
    EXPECT_EQ(b[block + 33], 2);  // radio button
    EXPECT_EQ(IntAt(b, block + 40), -7);
    EXPECT_EQ(b[block + 44], 1);  // Enabled
    EXPECT_EQ(b[block + 45], 1);  // Hidden
    EXPECT_EQ(b[block + 46], 0);  // UseBkColor
    EXPECT_EQ(b[block + 48], 0) << "UseBkColor again";
    const size_t after = block + 49;
    const std::vector<uint8_t> rest(b.begin() + static_cast<long>(after), b.end());
    Bytes expected;
    expected.Int(-1).Str("h").Int(2).Str("x").Str("yz").Byte(0).Int(1);
    expected.Int(-10).Str("c").Zeros(48).Byte(0).Int(-1).Str("").Int(0).Byte(0).Int(0);
    ASSERT_EQ(rest.size(), expected.b.size());
    EXPECT_EQ(std::vector<uint8_t>(rest.begin(), rest.begin() + 31), std::vector<uint8_t>(expected.b.begin(), expected.b.begin() + 31));
}

TEST(McTreeStream, RoundTrip) {
    FakeTree t;
    TMcTreeItem* a = t.items.AddChild(nullptr, "Ordner");
    TMcTreeItem* b = t.items.AddChild(a, "Datei");
    t.items.AddChild(nullptr, "Zweiter");
    a->Expand(false);
    a->SetHint("Hinweis");
    a->SetColumnText({"1 KB", "Ordner"});
    a->SetImageIndex(1);
    a->SetStateImageIndex(2);
    a->SetImageIndex2(3);
    a->SetStateImageIndex2(4);
    a->SetColor(0x112233);
    a->SetBkColor(0x445566);
    a->SetParentColors(false);
    a->SetRowBkColor(0x778899);
    a->SetShowCheckBox(true);
    a->SetCheckBoxType(TMcCheckBoxType::ect3SCheckBox);
    a->SetCheckBoxState(TCheckBoxState::cbChecked);
    a->SetCheckBoxEnabled(false);
    a->SetEnabled(false);
    a->SetForceButtons(true);
    a->SetSuppressLines(true);
    for (int32_t bit : {TMcTreeItem::kCut, TMcTreeItem::kUnderlined, TMcTreeItem::kItalic, TMcTreeItem::kStrikeOut}) {
        a->SetState(bit, true);
    }
    b->SetHidden(true);
    b->SetUseStyles(true);
    b->MainStyle().FontName = "Liberation Sans";
    b->MainStyle().Tag = 42;
    TMcCellStyle* style = b->AddStyle();
    style->CellKind = TFieldTypes::sftDate;
    style->DrawStyle = TMcSectionStyle::MchsOwnerDraw;
    style->FontStyles = fsBold | fsStrikeOut;
    style->FillTextBack = true;
    a->SetState(TMcTreeItem::kFocused, true);
    a->SetSelected(true);
    const std::vector<uint8_t> bytes = Saved(t.items);
    EXPECT_EQ(t.host.FocusedItem(), a) << "the focus comes back after saving";

    FakeTree u;
    u.items.AddChild(nullptr, "wird ersetzt");
    Load(u.items, bytes);
    EXPECT_EQ(Texts(u.items), "Ordner -Datei Zweiter ");
    const TMcTreeItem* A = u.items.GetItem(0);
    EXPECT_EQ(A->Hint(), "Hinweis");
    EXPECT_EQ(A->ColumnText(), (std::vector<std::string>{"1 KB", "Ordner"}));
    EXPECT_EQ(A->ImageIndex(), 1);
    EXPECT_EQ(A->StateImageIndex(), 2);
    EXPECT_EQ(A->ImageIndex2(), 3);
    EXPECT_EQ(A->StateImageIndex2(), 4);
    EXPECT_EQ(A->Color(), 0x112233u);
    EXPECT_EQ(A->BkColor(), 0x445566u);
    EXPECT_EQ(A->RowBkColor(), 0x778899u);
    EXPECT_FALSE(A->ParentColors());
    EXPECT_TRUE(A->ShowCheckBox());
    EXPECT_EQ(A->CheckBoxType(), TMcCheckBoxType::ect3SCheckBox);
    EXPECT_TRUE(A->GetChecked());
    EXPECT_FALSE(A->CheckBoxEnabled());
    EXPECT_FALSE(A->Enabled());
    EXPECT_TRUE(A->ForceButtons());
    EXPECT_TRUE(A->Expanded() && A->Cut() && A->Underlined() && A->Italic() && A->StrikeOut());
    EXPECT_FALSE(A->Bold());
    EXPECT_FALSE(A->Focused() || A->GetSelected()) << "focus and selection are not restored";
    EXPECT_FALSE(A->SuppressLines()) << "not in the record";
    const TMcTreeItem* B = u.items.GetItem(1);
    EXPECT_TRUE(B->Hidden());
    EXPECT_EQ(u.host.hiddenCount, 1);
    EXPECT_TRUE(B->UseStyles());
    EXPECT_EQ(B->MainStyle().FontName, "Liberation Sans");
    EXPECT_EQ(B->MainStyle().Tag, 42);
    ASSERT_EQ(B->StylesCount(), 1);
    EXPECT_EQ(B->GetStyle(0)->CellKind, TFieldTypes::sftDate);
    EXPECT_EQ(B->GetStyle(0)->DrawStyle, TMcSectionStyle::MchsOwnerDraw);
    EXPECT_EQ(B->GetStyle(0)->FontStyles, fsBold | fsStrikeOut);
    EXPECT_FALSE(B->GetStyle(0)->FillTextBack) << "not stored";
    FakeTree v;
    Load(v.items, Saved(u.items));
    EXPECT_EQ(Saved(v.items), Saved(u.items)) << "what was read writes the same bytes again";
    EXPECT_EQ(u.host.UpdateDepth(), 0);
}

TEST(McTreeStream, EmptyTree) {
    FakeTree t;
    EXPECT_FALSE(t.items.StoresData());
    const std::vector<uint8_t> bytes = Saved(t.items);
    EXPECT_EQ(IntAt(bytes, bytes.size() - 4), 0) << "the root record ends with 0 children";
    FakeTree u;
    u.items.AddChild(nullptr, "x");
    EXPECT_TRUE(u.items.StoresData());
    Load(u.items, bytes);
    EXPECT_EQ(u.items.GetCount(), 0);
    EXPECT_TRUE(u.items.Root()->Expanded());
}

// A root record of the version with one top-level item of the same version.
std::vector<uint8_t> OldStream(int32_t version, const std::function<void(Bytes&)>& itemFields) {
    Bytes s;
    auto head = [&](const std::string& text) {
        if (version < 0) s.Int(version).Str(text);
        else s.Str(text);
    };
    head("");
    if (version == -3) s.Zeros(32);
    else if (version <= -4 && version >= -9 && version != -7) s.Zeros(44);
    if (version == -6 || version == -8 || version == -9) s.Byte(1);
    s.Int(0);
    if (version < 0) s.Byte(0);
    s.Int(1);
    head("Alt");
    itemFields(s);
    return s.b;
}

TEST(McTreeStream, EarlierVersions) {
    auto block44 = [](Bytes& s, bool hidden) {
        Bytes b;
        b.Byte(TMcTreeItem::Bit(TMcTreeItem::kBold) | TMcTreeItem::Bit(TMcTreeItem::kSelected)).Byte(0).Zeros(2);
        b.Int(5).Int(6).Int(1).Int(0x0A0B0C).Int(0x0D0E0F).Byte(0).Byte(1).Byte(1).Byte(1).Byte(1).Byte(2).Zeros(2);
        b.Int(7).Int(8).Byte(1).Byte(hidden).Zeros(2);
        s.b.insert(s.b.end(), b.b.begin(), b.b.end());
    };
    const struct {
        int32_t version;
        std::function<void(Bytes&)> fields;
        int32_t image2;
        bool hidden, bold;
    } cases[] = {
        {0, [](Bytes& s) { s.Int(-1).Str("Tipp").Int(1).Str("Spalte").Int(0); }, -1, false, false},
        {-1, [](Bytes& s) { s.Int(-1).Str("Tipp").Int(1).Str("Spalte").Byte(0).Int(0); }, -1, false, false},
        {-3,
         [&](Bytes& s) {
             Bytes b;
             block44(b, false);
             s.b.insert(s.b.end(), b.b.begin(), b.b.begin() + 32);
             s.Int(-1).Str("Tipp").Int(1).Str("Spalte").Byte(0).Int(0);
         },
         -1, false, true},
        {-4, [&](Bytes& s) { block44(s, true); s.Int(-1).Str("Tipp").Int(1).Str("Spalte").Byte(0).Int(0); }, 7, false, true},
        {-5, [&](Bytes& s) { block44(s, true); s.Int(-1).Str("Tipp").Int(1).Str("Spalte").Byte(0).Int(0); }, 7, true, true},
        {-9,
         [&](Bytes& s) {
             block44(s, true);
             s.Byte(0).Int(-1).Str("Tipp").Int(1).Str("Spalte").Byte(0).Int(0);
         },
         7, true, true},
    };
    for (const auto& c : cases) {
        FakeTree t;
        Load(t.items, OldStream(c.version, c.fields));
        ASSERT_EQ(t.items.GetCount(), 1) << c.version;
        const TMcTreeItem* item = t.items.GetItem(0);
        EXPECT_EQ(item->Text(), "Alt") << c.version;
        EXPECT_EQ(item->Hint(), "Tipp") << c.version;
        EXPECT_EQ(item->ColumnText(), std::vector<std::string>{"Spalte"}) << c.version;
        EXPECT_EQ(item->ImageIndex2(), c.image2) << c.version;
        EXPECT_EQ(item->Hidden(), c.hidden) << c.version;
        EXPECT_EQ(item->Bold(), c.bold) << c.version;
        EXPECT_FALSE(item->GetSelected()) << c.version;
        if (c.version <= -3) {
            EXPECT_EQ(item->ImageIndex(), 5);
            EXPECT_EQ(item->Color(), 0x0A0B0Cu);
            EXPECT_EQ(item->BkColor(), 0x0D0E0Fu);
            EXPECT_EQ(item->CheckBoxType(), TMcCheckBoxType::ectRadioButton);
            EXPECT_TRUE(item->ForceButtons());
        } else {
            EXPECT_EQ(item->ImageIndex(), -1) << "no block: defaults";
        }
    }
}

TEST(McTreeStream, DamagedStreamsLeaveTheTreeAsItWas) {
    FakeTree source;
    TMcTreeItem* a = source.items.AddChild(nullptr, "Ordner");
    a->SetColumnText({"eins", "zwei"});
    a->SetHint("Hinweis");
    a->SetUseStyles(true);
    a->AddStyle();
    source.items.AddChild(a, "Datei");
    const std::vector<uint8_t> good = Saved(source.items);

    FakeTree t;
    t.items.AddChild(nullptr, "bleibt");
    const std::vector<uint8_t> before = Saved(t.items);
    for (size_t length = 0; length < good.size(); ++length) {
        const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(length));
        EXPECT_THROW(Load(t.items, cut), EReadError) << "cut after " << length << " bytes";
    }
    EXPECT_EQ(Saved(t.items), before);

    auto patched = [&](size_t at, int32_t value) {
        std::vector<uint8_t> b = good;
        PutLittleEndian(b.data() + at, static_cast<uint32_t>(value), 4);
        return b;
    };
    const size_t rootChildren = 4 + 4 + 49 + 4 + 4 + 4 + 1;
    const size_t itemText = rootChildren + 8;
    const size_t itemColumns = itemText + 4 + 6 + 49 + 4 + 4 + 7;
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } damaged[] = {
        {"huge child count", patched(rootChildren, 0x7FFFFFFF)},
        {"negative child count", patched(rootChildren, -2)},
        {"huge text length", patched(itemText, 0x7FFFFFF0)},
        {"huge column count", patched(itemColumns, 100000000)},
        {"negative column count", patched(itemColumns, -5)},
    };
    for (const auto& d : damaged) {
        EXPECT_THROW(Load(t.items, d.bytes), EReadError) << d.what;
        EXPECT_EQ(Saved(t.items), before) << d.what;
    }
    std::vector<uint8_t> badOrdinal = good;
    badOrdinal[itemText + 4 + 6 + 31] = 9;  // check-box state
    EXPECT_THROW(Load(t.items, badOrdinal), EReadError);

    Bytes deep;
    for (int i = 0; i < 3000; ++i) deep.Int(0).Int(0).Int(1);  // each a version-0 record with one child
    deep.Int(0).Int(0).Int(0);
    EXPECT_THROW(Load(t.items, deep.b), EReadError) << "nesting deeper than any folder tree";
    EXPECT_EQ(Saved(t.items), before);
    EXPECT_EQ(t.host.UpdateDepth(), 0);
}

TEST(McTreeStream, HooksOfTheTree) {
    FakeTree t;
    t.host.itemSave = [](TMcTreeItem* item, TStream& s) { StreamWriteInt(s, static_cast<int32_t>(item->UserWord)); };
    t.host.itemLoad = [](TMcTreeItem* item, TStream& s) { item->UserWord = static_cast<uint32_t>(StreamReadInt(s)); };
    t.items.AddChild(nullptr, "A")->UserWord = 77;
    FakeTree u;
    u.host.itemLoad = t.host.itemLoad;
    Load(u.items, Saved(t.items));
    EXPECT_EQ(u.items.GetItem(0)->UserWord, 77u);

    FakeTree styled;
    styled.host.customStyles = true;
    TMcTreeItem* a = styled.items.AddChild(nullptr, "A");
    a->SetUseStyles(true);
    a->MainStyle().Tag = 5;
    a->AddStyle()->Tag = 6;
    const std::vector<uint8_t> bytes = Saved(styled.items);
    FakeTree v;
    v.host.customStyles = true;
    Load(v.items, bytes);
    EXPECT_EQ(v.items.GetItem(0)->MainStyle().Tag, 5);
    EXPECT_EQ(v.items.GetItem(0)->GetStyle(0)->Tag, 6);

    FakeTree without;  // no handler for the styles: refused, nothing changes
    without.items.AddChild(nullptr, "bleibt");
    try {
        Load(without.items, bytes);
        ADD_FAILURE() << "no error";
    } catch (const EMcTreeError& e) {
        EXPECT_STREQ(e.Message(), "McTree cell styles in the stream need an OnCellStyleLoad handler.");
    }
    EXPECT_EQ(Texts(without.items), "bleibt ");
}

}  // namespace
