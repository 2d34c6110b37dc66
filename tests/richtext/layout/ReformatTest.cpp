#include "LayoutFixtures.h"
#include "TestTextClasses.h"

#include "foundation/Stream.h"
#include "richtext/model/RtCustomRtfEditClass.h"

#include <gtest/gtest.h>

namespace {

// A box of a fixed client size; lines are 16 screen pixels high (120 layout pixels at 720 per inch).
struct TBoxHost : TRtLayoutHost {
    int32_t width = 300;
    int32_t height = 40;
    int32_t extentCalls = 0;
    bool widthChanges = false;
    int32_t ClientWidth() const override { return width; }
    int32_t ClientHeight() const override { return height; }
    bool VertExtentChanged() override {
        ++extentCalls;
        return widthChanges;
    }
    bool ResizeBox(int32_t w, int32_t h) override {
        width = w;
        height = h;
        return true;
    }
};

// The editor of a box, as far as the flow between boxes needs one.
class TBoxEditor : public TRtCustomRtfEditClass {
public:
    explicit TBoxEditor(TRtRTFTextPaint& text) : text_(text) { text_.Editor = this; }
    void InputCharAt(bool, int32_t index, TRtCustomRtfEditClass*, char) override { cursorAt = index; }
    void SaveToStreamAndClear(bool clear, TStream& stream) override {
        text_.SaveToStream(stream);
        if (clear) text_.Clear();
    }
    bool ExecuteCommand(int32_t) override { return false; }
    void DoChangePageSize() override {}
    bool ExecuteValueCommand(int32_t, int32_t) override { return false; }
    void SaveToStream(TStream& stream) override { text_.SaveToStream(stream); }
    void UpdateClientSize() override {}
    void Clear() override { text_.Clear(); }
    TTextHeader* GetHeader() override { return &text_.Header(); }
    TRtRTFText* GetTextInput() override { return &text_; }
    int32_t cursorAt = -1;

private:
    TRtRTFTextPaint& text_;
};

// A box of three lines.
struct TBox : TLaidOutText {
    TBoxHost host;
    TBoxEditor editor{text};
    TBox() {
        text.Host = &host;
        host.height = 3 * 16 + 4;
        SetWidthInChars(20);
    }
};

}  // namespace

TEST(Reformat, IncrementalPassRestartsOnceWhenTheWidthChanges) {
    TBox box;
    box.Fill({"one", "two"});
    box.host.widthChanges = true;
    box.host.extentCalls = 0;
    box.Par(0)->MarkChanged();
    box.text.ReformatAll(true);
    EXPECT_EQ(box.host.extentCalls, 2) << "one question after the pass, one after the pagination";
    EXPECT_FALSE(box.Par(0)->Has(pfChanged));
}

TEST(Reformat, IncrementalPassWrapsOnlyChangedParagraphs) {
    TLaidOutText t;
    t.SetWidthInChars(20);
    t.Fill({"one", "two", "three"});
    t.Layout();
    TLine* untouched = t.Par(0)->firstLine;
    t.text.InsertChar(t.Par(1), t.Par(1)->firstLine, nullptr, 'x', 0);
    t.text.ReformatAll(true);
    EXPECT_EQ(t.Par(0)->firstLine, untouched);
    EXPECT_EQ(t.Par(2)->firstLine->yPos, t.Par(0)->firstLine->height + t.Par(1)->firstLine->height);
}

TEST(Reformat, ABoxThatMayNotGrowRestoresTheText) {
    TBox box;
    box.text.EditBoxModes = rtemAutoSizeHeight | rtemLimitTextHeight;
    box.text.OnEditBoxChangeHeight = [](int32_t&, int32_t&, bool& change) { change = false; };
    box.Fill({"one", "two", "three"});
    box.text.InitEditBoxMode();
    box.text.Cursor = {box.Par(2), box.Par(2)->firstLine, 5};
    box.text.ArmRestorePoint();
    box.text.InsertParagraphText(3, "four", nullptr, 4);
    EXPECT_EQ(TextOf(box.text), "one|two|three");
    EXPECT_EQ(box.text.GetCursorIndex(), 13);
}

TEST(Reformat, TextFlowsToTheNextBoxAndTheCursorFollows) {
    TBox first;
    TBox next;
    first.Fill({"one", "two", "three", "four", "five"});
    first.text.EditBoxModes = rtemCheckTextFlow | rtemCheckCursorMovement;
    first.text.OnEditBoxTextFlowsOut = [&next](TStream& stream) {
        next.text.LoadFromStream(stream);
        return true;
    };
    first.text.OnEditBoxCursorLeaves = [&next](bool, TRtCustomRtfEditClass*& box, char) { box = &next.editor; };
    first.text.Cursor = {first.Par(4), first.Par(4)->firstLine, 2};
    first.text.InitEditBoxMode();
    EXPECT_EQ(TextOf(first.text), "one|two|three") << "three lines fit";
    EXPECT_EQ(TextOf(next.text), "four|five");
    EXPECT_GE(next.editor.cursorAt, 0) << "the cursor went on in the next box";
}

TEST(Reformat, TextThatNoBoxTakesStays) {
    TBox box;
    box.Fill({"one", "two", "three", "four", "five"});
    box.text.EditBoxModes = rtemCheckTextFlow;
    box.text.OnEditBoxTextFlowsOut = [](TStream&) { return false; };
    box.text.InitEditBoxMode();
    EXPECT_EQ(TextOf(box.text), "one|two|three|four|five");
}

namespace {

// A box that takes text back from the next box ("later") when its text shrank.
struct TFlowBack {
    TBox first;
    TBox next;
    TFlowBack() {
        next.Fill({"later"});
        first.text.EditBoxModes = rtemCheckTextFlow;
        first.text.OnEditBoxTextFlowsIn = [this](TRtCustomRtfEditClass*& source) { source = &next.editor; };
        first.text.OnEditBoxTextFlowsOut = [](TStream&) { return false; };
        first.Fill({"one", ""});  // the text comes in at the end, as pasted there
        first.text.TextRemoved = true;
    }
};

}  // namespace

TEST(Reformat, TextFlowsBackFromTheNextBox) {
    TFlowBack boxes;
    boxes.first.text.InitEditBoxMode();
    EXPECT_EQ(TextOf(boxes.first.text), "one|later");
    EXPECT_TRUE(boxes.next.text.IsEmpty()) << "the source is cleared after this box read its text";
}

TEST(Reformat, ASourceBoxKeepsItsTextWhenThisBoxCannotReadIt) {
    TFlowBack boxes;
    boxes.first.text.TextLoadFormat = "TNoSuchReader";
    EXPECT_ANY_THROW(boxes.first.text.InitEditBoxMode());
    EXPECT_EQ(TextOf(boxes.next.text), "later");
}

TEST(Reformat, LengthLimits) {
    TLaidOutText t;
    t.Fill({"abc", "de"});
    t.text.MaxTextLength = 12;  // 3 + 2 characters and 2 for each paragraph end
    EXPECT_TRUE(t.text.CheckMaxLength('x', 1));
    EXPECT_FALSE(t.text.CheckMaxLength('x', 3));
    EXPECT_FALSE(t.text.CheckMaxLength(13, 1)) << "a new paragraph counts 2 more";
    EXPECT_TRUE(t.text.CheckMaxLength(8, 5)) << "backspace always passes";
    t.text.MaxTextLength = 0;
    t.text.MaxParLength = 4;
    t.text.Cursor = {t.Par(0), t.Par(0)->firstLine, 0};
    EXPECT_FALSE(t.text.CheckMaxLength('x', 1));
    EXPECT_TRUE(t.text.CheckMaxLength(13, 1));
}

TEST(Reformat, PrintedWidthOfALine) {
    TLaidOutText t;
    t.SetWidthInChars(40);
    t.Fill({"ab  cd  ", "    "});
    t.Layout();
    EXPECT_EQ(t.text.GetLineTextWidth(t.Par(0)->firstLine), 60) << "trailing blanks do not count";
    EXPECT_EQ(t.text.GetLineTextWidth(t.Par(1)->firstLine), 40) << "a line of blanks counts them";
}
