#include "ModelFixtures.h"

#include "richtext/model/RtEngineErrors.h"
#include "richtext/model/RtFootnoteList.h"
#include "richtext/model/RtInsertpointList.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtObject.h"
#include "richtext/model/RtRTFExtraData.h"
#include "richtext/model/RtTableList.h"

#include <gtest/gtest.h>

TEST(ItemLists, IdsGrowAndRestartAfterClear) {
    TRtTableList list;
    EXPECT_EQ(list.Add("a", "", 0, 0, 0), 1);
    EXPECT_EQ(list.Add("b", "", 0, 0, 0), 2);
    EXPECT_EQ(list.Add("c", "", 0, 0, 0), 3);
    list.Remove(list.Find(3));
    EXPECT_EQ(list.Add("d", "", 0, 0, 0), 4);
    list.Clear();
    EXPECT_EQ(list.Add("e", "", 0, 0, 0), 1);
}

TEST(ItemLists, LinkedIdsGoToTheEndOrTheFront) {
    TRtInsertpointList list;
    for (int i = 0; i < 3; ++i) list.AddInsertpoint("p", "", i, "");
    auto* ten = new TRtInsertpointItem();
    ten->id = 10;
    EXPECT_EQ(list.Link(ten), 10);
    EXPECT_EQ(list.Last(), ten);
    EXPECT_EQ(list.AddInsertpoint("q", "", 0, ""), 11);
    auto* two = new TRtInsertpointItem();
    two->id = 2;
    list.Link(two);
    EXPECT_EQ(list.First(), two);
    EXPECT_EQ(two->refCount, 1);
}

TEST(ItemLists, NamesAreFoundWithoutRegardToCase) {
    TRtTableList list;
    list.Add("Table1", "caption", 10, 20, 30);
    list.Add("Table2", "", 0, 0, 0);
    EXPECT_EQ(list.FindByName("TABLE1"), 1);
    EXPECT_EQ(list.CurrentId(), 1);
    EXPECT_EQ(list.FindByName("nothing"), 0);
    int32_t a = 0, b = 0;
    EXPECT_TRUE(list.GetTableWidths(1, a, b));
    EXPECT_EQ(a + b, 30);
    EXPECT_FALSE(list.GetTableWidths(9, a, b));
    EXPECT_EQ(a + b, 0);
    list.ReuseCurrent = true;
    EXPECT_EQ(list.Add("x", "", 0, 0, 0), list.CurrentId());
}

TEST(ItemLists, CountsReleaseAndAssign) {
    TRtFootnoteList notes;
    const int32_t id = notes.AddNamedItem("note", 2, 7);
    auto* item = notes.FindItem(id);
    EXPECT_EQ(item->kind, 2);
    EXPECT_EQ(item->noteValue, 7);
    EXPECT_EQ(notes.AddRef(id), 2);
    EXPECT_EQ(notes.AddRef(99), 0);
    notes.AutoFree = true;
    EXPECT_EQ(notes.Release(id), 1);
    EXPECT_EQ(notes.Release(id), 0);
    EXPECT_EQ(notes.Release(id), -1);  // below 0 with auto-free: gone
    EXPECT_EQ(notes.Find(id), nullptr);

    TRtFootnoteList copy;
    notes.AddNamedItem("n2", 0, 0);
    copy.Assign(notes);
    EXPECT_EQ(copy.GetItemName(notes.HighestId()), "n2");
    TRtTableList tables;
    EXPECT_THROW(tables.Assign(notes), ERtEngineModeError);
}

TEST(ItemLists, SharedObjectGoesWithItsLastReference) {
    TRtRTFText text;
    int destroyed = 0;
    text.OnTextObjectDestroying = [&destroyed](TRtCustomRtfEditClass*, TRtObjectBase&) { ++destroyed; };
    TRtObjReferenceList& refs = text.ObjRefs();
    auto* object = new TRtObject();
    TTextObj* first = refs.AddObject(object);
    auto* second = static_cast<TRtObjReferenceItem*>(refs.AddItem());
    second->obj.object = object;
    refs.Remove(refs.Find(refs.FindObjectId(first)));
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(second->obj.object, object);
    refs.Remove(second);
    EXPECT_EQ(destroyed, 1);
}

TEST(ItemLists, PageReferencesShowThePageOfTheirBookmark) {
    TRtRTFText text;
    Fill(text, {"x", "bookmark here"});
    TRtObjReferenceList& refs = text.ObjRefs();
    const int32_t mark = refs.FindOrAddNamed("intro", tosBookmark);
    TLine* line = Par(text, 1)->firstLine;
    line->pageNumber = 2;
    TAttr a = text.GetAttr(line, 0);
    line->SetCharAt(0, kCodeOpenChar);
    a.style |= afsIsObject;
    a.reference = mark;
    text.PutAttr(line, 0, a);
    TTextObj* ref = refs.GetItem(refs.FindOrAddNamed("intro", tosPageRef));
    std::string shown;
    text.GetReferenceText(ref, nullptr, shown, kObjectChar, 0, nullptr);
    EXPECT_EQ(shown, "3");

    struct Case {
        const char* format;
        const char* shown;
    };
    const Case formats[] = {{"", "3"},          {"page %d", "page 3"}, {"%3d.", "  3."}, {"%s%n", "3"},
                            {"%d%d", "3"},      {"100%% %d", "100% 3"}, {"%x", "3"},     {"%", "3"},
                            {"%*d", "3"},       {"%0:d", "3"}};
    for (const Case& c : formats) {
        ref->extra = c.format;
        text.GetReferenceText(ref, nullptr, shown, kObjectChar, 0, nullptr);
        EXPECT_EQ(shown, c.shown) << c.format;
    }

    TTextObj* missing = refs.GetItem(refs.FindOrAddNamed("nowhere", tosPageRef));
    text.GetReferenceText(missing, nullptr, shown, kObjectChar, 0, nullptr);
    EXPECT_EQ(shown, "[?]");

    text.ViewOptions = rtShowReferenceObjects;
    ref->name = "intro";
    ref->extra = "x";
    text.GetReferenceText(ref, nullptr, shown, kObjectChar, 0, nullptr);
    EXPECT_EQ(shown, "<PAGEREF intro> x");
}

TEST(ItemLists, ExtraDataItems) {
    TRtRTFText text;
    TRtRTFExtraDataItem& author = text.ExtraData().Add();
    author.Name = "author";
    author.SetText("Jo");
    EXPECT_TRUE(author.IsReservedName());
    EXPECT_EQ(author.GetDisplayName(), "author= \"Jo\"");
    TRtRTFExtraDataItem& kept = text.ExtraData().Add();
    kept.Name = "Mine";
    kept.Options |= rtxDoNotRemoveOnClear;
    kept.SetText("stays?");
    EXPECT_FALSE(kept.IsReservedName());
    EXPECT_EQ(text.ExtraData().FindItem("AUTHOR"), &author);
    text.Clear();
    EXPECT_EQ(text.ExtraData().Count(), 1);
    EXPECT_EQ(text.ExtraData().GetItem(0)->GetDisplayName(), "Mine <empty>");
}

TEST(ItemLists, ObjectSizeMarksItsParagraphs) {
    TRtRTFText text;
    Fill(text, {"a", "b"});
    TTextObj* ref = text.ObjRefs().AddObject(new TRtObject());
    const int32_t id = text.ObjRefs().FindObjectId(ref);
    TLine* line = Par(text, 1)->firstLine;
    TAttr a = text.GetAttr(line, 0);
    line->SetCharAt(0, kObjectChar);
    a.style |= afsIsObject;
    a.reference = id;
    text.PutAttr(line, 0, a);
    Par(text, 0)->flags &= ~pfChanged;
    Par(text, 1)->flags &= ~pfChanged;
    text.SetObjectSize(ref, 500, 600);
    EXPECT_EQ(ref->width, 500);
    EXPECT_FALSE(Par(text, 0)->Has(pfChanged));
    EXPECT_TRUE(Par(text, 1)->Has(pfChanged));
    EXPECT_EQ(text.CheckInvariants(), "");
}
