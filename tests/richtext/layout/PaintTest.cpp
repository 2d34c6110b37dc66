// Painting lines on a recording canvas: runs and the selection, the marks
// drawn beside and under the text, and the areas that paint nothing. The
// fixed-width measurer makes every character 10 layout pixels wide.
#include "LayoutFixtures.h"

#include "foundation/Rounding.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtObject.h"
#include "richtext/model/TextOptions.h"

#include <stdexcept>

#include <gtest/gtest.h>

namespace {

using gdi::RecordedCall;

struct TPainted : TLaidOutText {
    TPainted(const std::vector<std::string>& pars, int32_t widthInChars = 40) {
        SetWidthInChars(widthInChars);
        Fill(pars);
        Layout();
    }
    void Select(int32_t par, int32_t from, int32_t toPar, int32_t to) {
        auto at = [this](int32_t p, int32_t offset) {
            TLine* line = TRtRTFText::LocateInParagraph(Par(p), offset);
            return TRtPosition{Par(p), line, offset};
        };
        text.SelStart = at(par, from);
        text.SelEnd = at(toPar, to);
        text.MarkSelectedLines();
    }
    void Paint() {
        canvas.Clear();
        text.PaintArea(0, 0, 100000, 100000);
    }
    std::vector<RecordedCall> Texts() const {
        std::vector<RecordedCall> out;
        for (const RecordedCall& c : canvas.Calls()) {
            if (c.op == RecordedCall::Op::Text) out.push_back(c);
        }
        return out;
    }
    std::u16string AllText() const {
        std::u16string s;
        for (const RecordedCall& c : Texts()) s += c.text;
        return s;
    }
    // The device rectangle of a layout rectangle.
    gdi::Rect Device(const gdi::Rect& r) const {
        const gdi::Point a = canvas.LPtoDP({r.left, r.top});
        const gdi::Point b = canvas.LPtoDP({r.right, r.bottom});
        return {a.x, a.y, b.x, b.y};
    }
};

bool IsSelected(const RecordedCall& c, const TRtRTFTextPaint& text) {
    return c.state.bkColor == text.SelectionColor && c.state.textColor == text.SelectionTextColor &&
           (c.options & gdi::ETO_OPAQUE);
}

}  // namespace

TEST(Paint, SelectionBoundariesSplitRunsWithoutMovingGlyphs) {
    TPainted t({"Labels for jars"});
    const int32_t left = t.text.GetParLeft(t.Par(0));
    t.Paint();
    const std::vector<RecordedCall> whole = t.Texts();
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].text, u"Labels for jars");
    EXPECT_EQ(whole[0].points[0].x, left);
    EXPECT_FALSE(IsSelected(whole[0], t.text));

    t.Select(0, 3, 0, 8);  // "els f"
    t.Paint();
    const std::vector<RecordedCall> runs = t.Texts();
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, u"Lab");
    EXPECT_EQ(runs[1].text, u"els f");
    EXPECT_EQ(runs[2].text, u"or jars");
    // Every glyph keeps the place it had in the single run.
    EXPECT_EQ(runs[0].points[0].x, left);
    EXPECT_EQ(runs[1].points[0].x, left + 30);
    EXPECT_EQ(runs[2].points[0].x, left + 80);
    for (const RecordedCall& r : runs) {
        EXPECT_EQ(r.points[0].y, whole[0].points[0].y);
        EXPECT_EQ(r.dx, std::vector<int32_t>(r.text.size(), 10));
    }
    EXPECT_FALSE(IsSelected(runs[0], t.text));
    EXPECT_TRUE(IsSelected(runs[1], t.text));
    EXPECT_FALSE(IsSelected(runs[2], t.text));
    // The selected run's box covers exactly its characters.
    EXPECT_EQ(runs[1].rect.left, left + 30);
    EXPECT_EQ(runs[1].rect.right, left + 80);
}

TEST(Paint, SelectionAcrossLinesAndParagraphs) {
    // 12 characters a line: "first line " / "wraps here" / "second"
    struct Case {
        const char* name;
        int32_t fromPar, from, toPar, to;
        std::vector<std::u16string> selected;  // selected runs in paint order
    };
    const Case cases[] = {
        {"within a line", 0, 0, 0, 5, {u"first"}},
        {"to the next paragraph", 0, 6, 1, 3, {u"line ", u"wraps here", u"sec"}},
        {"ending at offset 0 of a line", 0, 6, 0, 11, {u"line "}},
        {"ending at offset 0 of a paragraph", 0, 6, 1, 0, {u"line ", u"wraps here"}},
        {"backwards", 1, 3, 0, 6, {u"line ", u"wraps here", u"sec"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TPainted t({"first line wraps here", "second"}, 11);
        ASSERT_EQ(LinesOf(t.Par(0)), (std::vector<std::string>{"first line ", "wraps here"}));
        t.Select(c.fromPar, c.from, c.toPar, c.to);
        t.Paint();
        std::vector<std::u16string> selected;
        for (const RecordedCall& r : t.Texts()) {
            if (IsSelected(r, t.text)) selected.push_back(r.text);
        }
        EXPECT_EQ(selected, c.selected);
        EXPECT_EQ(t.AllText(), u"first line wraps heresecond");
    }
}

TEST(Paint, WhollySelectedLinesPaintTheirEndSelectedToo) {
    TPainted t({"one", "two"});
    t.Select(0, 0, 1, 1);
    t.Paint();
    EXPECT_TRUE(t.Par(0)->firstLine->flags & lfWhollySelected);
    EXPECT_FALSE(t.Par(1)->firstLine->flags & lfWhollySelected);
    // The space right of "one" up to the paragraph's edge is filled with the selection colour.
    const int32_t right = t.text.GetParRight(t.Par(0), true);
    const TLine* line = t.Par(0)->firstLine;
    const int32_t top = line->yPos;
    bool found = false;
    for (const RecordedCall& c : t.canvas.Calls()) {
        if (c.op != RecordedCall::Op::FillRegion || c.fillBrush.color != t.text.SelectionColor) continue;
        const gdi::Rect box = c.region.Box();
        if (box.right == t.Device({0, 0, right, 0}).right && box.top == t.Device({0, top, 0, 0}).top) found = true;
    }
    EXPECT_TRUE(found);
}

TEST(Paint, HiddenAndControlCharactersAndJustifiedBlanks) {
    TPainted t({"ab\x01" "cd\tx"});
    SetStyle(t.text, t.Par(0), 1, 2, afsHidden);
    t.Layout();
    t.Paint();
    // The hidden "b" is not drawn and does not split the run; the object code
    // and the tab are drawn as blanks.
    EXPECT_EQ(t.AllText(), u"a cd x");

    TPainted j({"aa bb cc dd ee ff gg hh ii"}, 6);
    j.Par(0)->align = paralBlock;
    j.Par(0)->MarkChanged();
    j.Layout();
    const TLine* first = j.Par(0)->firstLine;
    ASSERT_TRUE(first->justAdd || first->justRest);
    j.Paint();
    int32_t blanks = 0;
    int32_t wider = 0;
    uint32_t index = 0;
    for (const RecordedCall& r : j.Texts()) {
        for (size_t k = 0; k < r.text.size() && index < first->Length(); ++k, ++index) {
            if (r.text[k] != u' ' || index + 1 == first->Length()) continue;  // the trailing blank keeps its width
            ++blanks;
            EXPECT_GE(r.dx[k], first->justAdd);
            wider += r.dx[k] > first->justAdd ? 1 : 0;
        }
    }
    EXPECT_GT(blanks, 0);
    EXPECT_EQ(wider, first->justRest);
}

TEST(Paint, UnderlineSpellingAndEndMarks) {
    TPainted t({"under line", "cell"});
    SetStyle(t.text, t.Par(0), 0, 5, afsUnderline);
    SetStyle(t.text, t.Par(0), 6, 10, afsMisSpelled);
    t.Layout();
    t.text.ViewOptions |= rtShowCR;
    t.Paint();
    const TLine* line = t.Par(0)->firstLine;
    const int32_t base = line->yPos + line->baseLine;
    const int32_t left = t.text.GetParLeft(t.Par(0));
    // The underline: two screen pixels below the base line but inside the
    // line, a tenth of the font's height thick, under "under" only.
    const int32_t thickness = std::max(t.text.OnePixel, 100 / 10);
    const int32_t y = std::min(base + 2 * t.text.OnePixel, line->yPos + line->height - thickness);
    EXPECT_LT(y, base + 2 * t.text.OnePixel);  // 10-point text on a 12-point line is cut
    const gdi::Rect expected = t.Device({left, y, left + 50, y + thickness});
    int32_t underlines = 0;
    for (const RecordedCall& c : t.canvas.Calls()) {
        if (c.op == RecordedCall::Op::FillRegion && c.region.Box() == expected) ++underlines;
    }
    EXPECT_EQ(underlines, 1);
    // Spelling strokes in red under "line", one every three screen pixels.
    int32_t strokes = 0;
    for (const RecordedCall& c : t.canvas.Calls()) {
        if (c.op == RecordedCall::Op::Line && c.state.pen.color == gdi::Rgb(255, 0, 0)) {
            ++strokes;
            EXPECT_EQ(c.points[0].y, base);
            EXPECT_EQ(c.points[1].y, base + 2 * t.text.OnePixel);
        }
    }
    EXPECT_EQ(strokes, (40 + 3 * t.text.OnePixel - 1) / (3 * t.text.OnePixel));
    // The paragraph mark after each paragraph.
    int32_t marks = 0;
    for (const RecordedCall& r : t.Texts()) marks += r.text == u"\u00B6" ? 1 : 0;
    EXPECT_EQ(marks, 2);
}

TEST(Paint, EmptyAreasAndModesPaintNothing) {
    TPainted t({"text"});
    for (auto [h, w] : {std::pair{0, 100}, {100, 0}, {-5, 100}}) {
        t.canvas.Clear();
        t.text.PaintArea(0, 0, h, w);
        EXPECT_TRUE(t.canvas.Calls().empty());
    }
    t.canvas.Clear();
    t.text.PaintLocked = true;
    t.text.PaintArea(0, 0, 100, 100);
    EXPECT_TRUE(t.canvas.Calls().empty());
    t.text.PaintLocked = false;
    t.Select(0, 0, 0, 4);
    t.text.HideSelection = true;
    t.Paint();
    for (const RecordedCall& r : t.Texts()) EXPECT_FALSE(IsSelected(r, t.text));
}

TEST(Paint, NumberingTextsAreCutToTheirLimit) {
    TRtLinePaint rec;
    rec.SetNumbering(std::string(500, '7'), std::string(300, 'F'));
    EXPECT_EQ(rec.numberText.size(), kLinePaintTextLimit);
    EXPECT_EQ(rec.numberFont.size(), kLinePaintTextLimit);
}

TEST(Paint, BordersDrawEachSideOnce) {
    TPainted t({"boxed", "plain"});
    t.Par(0)->border.flags = bfOn | bfBox;
    t.Paint();
    const TLine* line = t.Par(0)->firstLine;
    const int32_t w = MulDiv(15, t.text.Header().LayoutResX, 1440);
    const int32_t l = t.text.GetParLeft(t.Par(0), true);
    const int32_t r = t.text.GetParRight(t.Par(0), true);
    const int32_t top = line->yPos - line->spaceAbove;
    const int32_t bottom = line->yPos + line->height + line->spaceBelow;
    const gdi::Rect sides[] = {{l, top, l + w, bottom}, {l, top, r, top + w}, {r - w, top, r, bottom},
                               {l, bottom - w, r, bottom}};
    for (const gdi::Rect& side : sides) {
        int32_t n = 0;
        for (const RecordedCall& c : t.canvas.Calls()) {
            if (c.op == RecordedCall::Op::FillRegion && c.region.Box() == t.Device(side)) ++n;
        }
        EXPECT_EQ(n, 1);
    }
}

TEST(Paint, CellsShareTheLineBetweenThem) {
    TPainted t({"above"});
    for (int r = 0; r < 2; ++r) {
        std::vector<TRtRowCell> cells(2);
        for (TRtRowCell& c : cells) {
            c.text = "cell";
            c.border.flags = bfOn | bfBox;
        }
        TParagraph* last = t.text.GetLastParagraph();
        t.text.ApplyRowRecord(last, 2, cells.data());
    }
    t.Layout();
    t.Paint();
    // Horizontal border pieces by their device top: the line between the rows is drawn once per column.
    TParagraph* lower = nullptr;
    for (TParagraph* p = t.text.FirstPar(); p; p = p->next) {
        if (p->IsCell() && TRtRTFTextIo::GetRowStartAbove(p)) {
            lower = p;
            break;
        }
    }
    ASSERT_NE(lower, nullptr);
    const int32_t w = MulDiv(15, t.text.Header().LayoutResX, 1440);
    const int32_t between = lower->firstLine->yPos - lower->firstLine->spaceAbove;
    int32_t pieces = 0;
    for (const RecordedCall& c : t.canvas.Calls()) {
        if (c.op != RecordedCall::Op::FillRegion) continue;
        const gdi::Rect box = c.region.Box();
        const gdi::Rect thin = t.Device({0, between - w, 0, between + w});
        const bool horizontal = box.right - box.left > 4 * (box.bottom - box.top) && c.fillBrush.color == 0;
        if (horizontal && box.top >= thin.top && box.bottom <= thin.bottom) ++pieces;
    }
    EXPECT_EQ(pieces, 2);
}

namespace {

class TFailingObject : public TRtObject {
public:
    void Paint() override {
        ++paints;
        throw std::runtime_error("broken picture");
    }
    int32_t paints = 0;
};

}  // namespace

TEST(Paint, AnObjectThatFailsToPaintIsCrossedOutAndStays) {
    TPainted t({"a\x01" "b"});
    auto* object = new TFailingObject();
    TTextObj* ref = t.text.ObjRefs().AddObject(object);
    ref->width = ref->height = 200;
    const int32_t id = t.text.ObjRefs().FindObjectId(ref);
    ChangeAttrs(t.text, t.Par(0), 1, 2, [id](TAttr& a) {
        a.style |= afsIsObject;
        a.reference = id;
    });
    t.Layout();
    for (int pass = 0; pass < 2; ++pass) {
        t.Paint();
        // The text around the object is painted, and the object's place shows a crossed box.
        EXPECT_EQ(t.AllText(), u"ab");
        int32_t diagonals = 0;
        for (const RecordedCall& c : t.canvas.Calls()) diagonals += c.op == RecordedCall::Op::Line ? 1 : 0;
        EXPECT_EQ(diagonals, 2);
    }
    EXPECT_EQ(object->paints, 1);  // not tried again in this session
    EXPECT_EQ(t.text.ObjRefs().GetItem(id)->object, object);
    EXPECT_EQ(t.Par(0)->firstLine->Length(), 3u);
}
