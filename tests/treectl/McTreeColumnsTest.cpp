// The tree's columns and sorting: measuring cells, sizing columns, the
// column settings, resizing a column through the header, sorting by a click
// on a column both ways, sorts while items change, the comparison of typed
// columns, the header's lookup and the vertical bar's hint.
#include "TreeTesting.h"

#include "foundation/Codepage1252.h"
#include "platform/gdi/DrawText.h"

#include <gtest/gtest.h>

namespace {

int32_t Measured(const gdi::LogFont& font, const std::string& text) {
    gdi::BitmapCanvas canvas(1, 1);
    canvas.SetFont(font);
    gdi::Rect r;
    gdi::DrawText(canvas, AnsiToWide(text), r, gdi::DT_CALCRECT | gdi::DT_SINGLELINE | gdi::DT_NOPREFIX);
    return r.Width();
}

// A tree with columns of the given captions, each 80 pixels wide.
struct ColumnWindow : TreeWindow {
    explicit ColumnWindow(std::initializer_list<const char*> captions) : TreeWindow(404) {
        for (const char* caption : captions) {
            TMcHeaderSection* s = tree->HeaderSections().AddSection();
            s->SetText(caption);
            s->SetWidth(80);
        }
        tree->SetShowColumns(true);
    }
    // The texts of the top-level items in order.
    std::string Order() {
        std::string out;
        for (int i = 0; i < tree->RootItem()->GetChildCount(); ++i) out += (i ? " " : "") + tree->RootItem()->GetChild(i)->Text();
        return out;
    }
    void ClickHeader(int section) {
        const gdi::Rect r = tree->Header().GetSectionRect(section);
        Click(&tree->Header(), {r.left + 20, 5});
    }
};

}  // namespace

TEST(McTreeColumns, MeasuringCells) {
    ColumnWindow w({"Name", "Secret"});
    w.tree->HeaderSections().Item(1)->SetPassword(true);
    w.tree->SetShowRoot(true);
    w.Build({"A", "  B", "    level two"});
    TMcTreeItem* deep = w.Find("level two");
    const gdi::LogFont& font = w.tree->Font();
    gdi::Point size;
    w.tree->MeasureCell(deep, 0, size);
    EXPECT_EQ(size.x, 17 + 2 * 17 + 9 + Measured(font, "level two") + 2) << "root column, levels, margin, text, 2";
    EXPECT_EQ(size.y, 17);
    w.tree->SetShowRoot(false);
    w.tree->SetShowRootButtons(false);
    w.tree->MeasureCell(w.Find("A"), -1, size);
    EXPECT_EQ(size.x, 3 + 9 + Measured(font, "A") + 2) << "without a root column: a fifth of the indent";

    deep->SetColumnText({"a very long secret text"});
    w.tree->MeasureCell(deep, 1, size);
    EXPECT_EQ(size.x, 9 + Measured(font, "******") + 4) << "a password measures six stars";

    w.tree->HeaderSections().Item(1)->SetStyle(TMcSectionStyle::MchsOwnerDraw);
    gdi::Point owner;
    w.tree->MeasureCell(deep, 1, owner);
    EXPECT_EQ(owner, (gdi::Point{9, 0})) << "owner-drawn without a measuring handler: the margin only";
    w.tree->OnMeasureCell = [](TCustomMcTree&, TMcTreeItem*, int32_t, gdi::Point& s) { s = {50, 20}; };
    w.tree->MeasureCell(deep, 1, owner);
    EXPECT_EQ(owner, (gdi::Point{59, 20}));
}

TEST(McTreeColumns, AutoSizingAndColumnSettings) {
    ColumnWindow w({"Name", "Size", "Type"});
    w.Build({"A-", "  a child with a rather long name", "B"});
    TMcHeaderSection* name = w.tree->HeaderSections().Item(0);
    name->SetAutoSize(true);
    w.tree->SetUpdating(true);
    name->SetWidth(80);
    w.tree->AutoSizeColumn(0);
    EXPECT_EQ(name->Width(), 80) << "nothing inside a bracket";
    w.Items().AddChild(nullptr, "C");
    w.tree->SetUpdating(false);
    int32_t caption = 0;
    EXPECT_EQ(name->Width(), w.tree->Header().MeasureSectionWidth(name, caption))
        << "the bracket's end sized it; the collapsed child does not count, the caption is wider";
    w.Find("A")->Expand(false);
    EXPECT_GT(name->Width(), 150) << "the child is shown now";

    w.tree->SetMainTreeColumn(5);
    EXPECT_EQ(w.tree->MainTreeColumn(), 0) << "no such section";
    while (w.tree->HeaderSections().Count() > 0) {
        w.tree->HeaderSections().DeleteSection(w.tree->HeaderSections().ItemByPos(0));
    }
    EXPECT_FALSE(w.tree->ShowColumns()) << "the last section went";
    w.tree->SetShowColumns(true);
    EXPECT_FALSE(w.tree->ShowColumns()) << "no columns without sections";
}

TEST(McTreeColumns, ResizingAColumnThroughTheHeader) {
    ColumnWindow w({"Name", "Size"});
    w.Build({"A", "B"});
    w.Find("A")->SetColumnText({"12"});
    std::vector<int32_t> resized;
    w.tree->OnHeaderColumnResize = [&](TCustomMcTree&, int32_t index) { resized.push_back(index); };
    TMcHeader& header = w.tree->Header();
    Press(&header, {78, 5});
    MoveTo(&header, {118, 5});
    Release(&header, {118, 5});
    EXPECT_EQ(w.tree->HeaderSections().Item(0)->Width(), 120);
    EXPECT_EQ(resized, std::vector<int32_t>{0});
    w.Paint();
    TMcTreeHitPart part;
    int32_t column;
    w.View().HitTest(125, 8, part, column);
    EXPECT_EQ(part, TMcTreeHitPart::tpColumn) << "the second column begins at 120 now";
    EXPECT_EQ(column, 1);
}

TEST(McTreeColumns, ClickingAColumnSortsBothWays) {
    ColumnWindow w({"Name", "Size"});
    w.tree->HeaderSections().Item(1)->SetFieldType(TFieldTypes::sftNumber);
    w.Build({"b", "a", "c"});
    w.Find("a")->SetColumnText({"10"});
    w.Find("b")->SetColumnText({"9"});
    w.Find("c")->SetColumnText({"x"});
    std::vector<std::string> events;
    w.tree->OnHeaderColumnClick = [&](TCustomMcTree&, int32_t index) { events.push_back("click " + std::to_string(index)); };
    w.tree->OnSortBegin = [&](TCustomMcTree&) { events.push_back("begin"); };
    w.tree->OnSortEnd = [&](TCustomMcTree&) { events.push_back("end"); };
    w.ClickHeader(1);
    EXPECT_EQ(w.Order(), "b a c") << "SortMode smNone: a click sorts nothing";
    EXPECT_EQ(events, std::vector<std::string>{"click 1"});

    w.tree->SetSortMode(TSortModes::smClick);
    events.clear();
    w.ClickHeader(1);
    EXPECT_EQ(w.Order(), "c b a") << "first click: ascending; x does not convert and comes first";
    EXPECT_EQ(events, (std::vector<std::string>{"begin", "end", "click 1"}));
    w.ClickHeader(1);
    EXPECT_EQ(w.Order(), "a b c") << "second click: descending";
    EXPECT_EQ(w.tree->HeaderSections().Item(1)->SortMode(), TMcSSortMode::hsmDescend);

    w.tree->SetSortDir(TSortDirs::sdDescend);
    w.tree->HeaderSections().Item(0)->SetFieldType(TFieldTypes::sftText);
    w.ClickHeader(0);
    EXPECT_EQ(w.Order(), "c b a") << "with SortDir descending the first click sorts descending";
}

TEST(McTreeColumns, TypedComparisons) {
    ColumnWindow w({"Name", "Flag"});
    w.tree->HeaderSections().Item(1)->SetFieldType(TFieldTypes::sftBool);
    w.tree->SetSortMode(TSortModes::smClick);
    w.Build({"yes", "no", "also yes"});
    w.Find("yes")->SetColumnText({"x"});
    w.Find("also yes")->SetColumnText({"1"});
    w.ClickHeader(1);
    EXPECT_EQ(w.Order().substr(0, 2), "no") << "empty (false) before non-empty (true) ascending";

    // Without columns only OnCompareItems orders, whatever SortType says.
    TreeWindow plain;
    plain.Build({"b", "c", "a"});
    plain.tree->SetSortType(TSortTypes::stText);
    plain.tree->SortItems(false);
    plain.tree->OnCompareItems = [](TCustomMcTree&, TMcTreeItem* a, TMcTreeItem* b, int32_t& res) {
        res = a->Text() < b->Text() ? -1 : a->Text() > b->Text() ? 1 : 0;
    };
    plain.tree->SortItems(false);
    EXPECT_EQ(plain.tree->RootItem()->GetChild(0)->Text(), "a");
    plain.tree->SetSortDir(TSortDirs::sdDescend);
    plain.tree->SortItems(false);
    EXPECT_EQ(plain.tree->RootItem()->GetChild(0)->Text(), "c");
}

TEST(McTreeColumns, ChangesInsideABracketSortOnceAtItsEnd) {
    TreeWindow w;
    w.tree->SetSortMode(TSortModes::smAdd);
    w.tree->SetSortSection(-1);
    w.tree->OnCompareItems = [](TCustomMcTree&, TMcTreeItem* a, TMcTreeItem* b, int32_t& res) {
        res = a->Text() < b->Text() ? -1 : a->Text() > b->Text() ? 1 : 0;
    };
    w.Build({"a", "b", "c"});
    std::vector<std::string> events;
    w.tree->OnSortBegin = [&](TCustomMcTree&) { events.push_back("begin"); };
    w.tree->OnSortEnd = [&](TCustomMcTree&) { events.push_back("end"); };
    w.tree->SetUpdating(true);
    w.Find("a")->SetText("z");
    w.Find("b")->SetText("y");
    EXPECT_TRUE(events.empty());
    w.tree->SetUpdating(false);
    EXPECT_EQ(events, (std::vector<std::string>{"begin", "begin", "end", "end"})) << "one sort, announced twice, nested";
    EXPECT_EQ(w.Rows(), "c y z");
}

TEST(McTreeColumns, HeaderLookupAndTheScrollHint) {
    ColumnWindow w({"Name", "Kind"});
    w.tree->SetAutoLookup(true);
    w.Build({"one", "two", "three", "four"});
    w.Find("one")->SetColumnText({"Abacus"});
    w.Find("three")->SetColumnText({"ABC"});
    w.Find("four")->SetColumnText({"abstract"});
    w.tree->SetFocusedItem(w.Find("two"));
    TMcHeaderSection* kind = w.tree->HeaderSections().Item(1);
    std::string text = "ab";
    w.tree->Header().OnHeaderLookup(w.tree->Header(), kind, text);
    EXPECT_EQ(w.Focused(), "three") << "from the focused item on, any case";
    text = "abs";
    w.tree->Header().OnHeaderLookup(w.tree->Header(), kind, text);
    EXPECT_EQ(w.Focused(), "four");
    text = "abac";
    w.tree->Header().OnHeaderLookup(w.tree->Header(), kind, text);
    EXPECT_EQ(w.Focused(), "four") << "a match above the focused item is not found";

    w.tree->SetSortSection(1);
    std::string hint;
    w.tree->VertScrollBar().OnScrollHintNeeded(&w.tree->VertScrollBar(), 2, hint);
    EXPECT_EQ(hint, "ABC") << "the sort column of the row under the thumb";
}
