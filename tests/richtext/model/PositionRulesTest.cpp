#include "ModelFixtures.h"

#include <gtest/gtest.h>

namespace {

// Gives characters from..to-1 of the paragraph's first piece a style (and
// the entry after the last character too when `to` is the piece's end).
void Style(TRtRTFText& text, int32_t par, int32_t from, int32_t to, uint32_t style, int32_t reference = 0) {
    TLine* line = Par(text, par)->firstLine;
    const int32_t last = to == int32_t(line->Length()) ? to : to - 1;
    for (int32_t i = from; i <= last; ++i) {
        TAttr a = text.GetAttr(line, i);
        a.style |= style;
        if (reference) a.reference = reference;
        text.PutAttr(line, i, a);
    }
}

struct Reports {
    std::vector<std::pair<std::string, int32_t>> runs;
    void Attach(TRtRTFText& text) {
        text.OnProtectedChange = [this](TRtCustomRtfEditClass*, const std::string& t, int32_t tag) {
            runs.emplace_back(t, tag);
        };
    }
};

}  // namespace

TEST(PositionRules, TableOfPositions) {
    enum Fixture { kProtectedRunAtEnd, kProtectedBeforeProtected, kInsertPoint, kProtectedPar, kHiddenPar, kInvisible, kObject };
    struct Case {
        const char* name;
        Fixture fixture;
        uint16_t props;
        bool insertMode;
        int32_t par;
        int32_t offset;
        bool closed;
    };
    const Case cases[] = {
        {"protected inside", kProtectedRunAtEnd, ppProtected, true, 0, 2, true},
        {"before the run", kProtectedRunAtEnd, ppProtected, true, 0, 1, true},
        {"plain text", kProtectedRunAtEnd, ppProtected, true, 0, 0, false},
        {"no protection set", kProtectedRunAtEnd, 0, true, 0, 2, false},
        {"after the run, next paragraph open", kProtectedRunAtEnd, ppProtected, true, 0, 3, false},
        {"after the run, next paragraph protected", kProtectedBeforeProtected, ppProtected, true, 0, 3, true},
        {"no edit after protection", kProtectedRunAtEnd, ppProtected | ppNoEditAfterProtection, true, 0, 3, true},
        {"text end without allowance", kProtectedRunAtEnd, ppProtected | ppNoEditAfterProtection, true, 1, 1, false},
        {"text end, last character protected", kProtectedBeforeProtected, ppProtected | ppNoEditAfterProtection,
         true, 1, 1, true},
        {"text end allowed", kProtectedBeforeProtected,
         ppProtected | ppNoEditAfterProtection | ppAllowEditAtTextEnd, true, 1, 1, false},
        {"insert point, insert mode", kInsertPoint, ppIsInsertpoint, true, 0, 1, false},
        {"insert point, overwrite mode", kInsertPoint, ppIsInsertpoint, false, 0, 1, true},
        {"protected paragraph", kProtectedPar, ppParProtected, true, 0, 1, true},
        {"protected paragraph, flag not asked", kProtectedPar, 0, true, 0, 1, false},
        {"between protected paragraphs", kProtectedPar, ppParProtected | ppInsertBetweenProtectedPar, true, 0, 3, false},
        {"hidden paragraph", kHiddenPar, 0, true, 0, 1, true},
        {"invisible with the rule", kInvisible, ppIsInvisible, true, 0, 1, true},
        {"invisible without it", kInvisible, 0, true, 0, 1, false},
        {"object without object deletion", kObject, 0, true, 0, 1, true},
    };
    for (const Case& c : cases) {
        TRtRTFText text;
        Fill(text, {"xPR", "z"});
        switch (c.fixture) {
        case kProtectedRunAtEnd: Style(text, 0, 1, 3, afsProtected); break;
        case kProtectedBeforeProtected:
            Style(text, 0, 1, 3, afsProtected);
            Style(text, 1, 0, 1, afsProtected);
            break;
        case kInsertPoint: Style(text, 0, 1, 2, afsIsInsertpoint); break;
        case kProtectedPar: Par(text, 0)->flags |= pfProtected; break;
        case kHiddenPar: Par(text, 0)->flags |= pfHidden; break;
        case kInvisible: {
            TLine* line = Par(text, 0)->firstLine;
            line->SetWidthAt(1, 0);
            break;
        }
        case kObject:
            Style(text, 0, 1, 2, afsIsObject);
            text.EditOptions = 0;
            break;
        }
        text.ProtectedProp = c.props;
        text.InsertMode = c.insertMode;
        TParagraph* p = Par(text, c.par);
        EXPECT_EQ(text.ValidatePosition(p, p->firstLine, c.offset), c.closed) << c.name;
    }
}

TEST(PositionRules, SwitchesAndHookOverrideTheRules) {
    TRtRTFText text;
    Fill(text, {"xPR", "z"});
    Style(text, 0, 1, 3, afsProtected);
    text.ProtectedProp = ppProtected;
    TParagraph* p = text.FirstPar();
    text.ChecksSuspended = true;
    EXPECT_FALSE(text.ValidatePosition(p, p->firstLine, 2));
    text.ChecksSuspended = false;
    text.InsertPointSwitch = true;
    EXPECT_FALSE(text.ValidatePosition(p, p->firstLine, 2));
    text.InsertPointSwitch = false;
    text.PositionCheckHook = [](TParagraph*, TLine*, int32_t offset, TAttr&) { return offset == 0; };
    EXPECT_TRUE(text.ValidatePosition(p, p->firstLine, 0));
    EXPECT_FALSE(text.ValidatePosition(p, p->firstLine, 2));
}

TEST(PositionRules, ClosedRunsAreReportedWhole) {
    struct Span {
        int32_t from;
        int32_t to;
        uint32_t style;
        int32_t reference;
    };
    struct Case {
        const char* name;
        const char* text;
        std::vector<Span> spans;
        uint16_t props;
        int32_t offset;
        const char* run;
        int32_t tag;
    };
    const Case cases[] = {
        // Bold inside the run does not split it; without an insert point there is no tag.
        {"protected word", "see Protected word", {{4, 13, afsProtected, 0x10007}, {6, 9, afsBold, 0}}, ppProtected, 8,
         "Protected", 0},
        // An insert point and its automatic text are one run with the insert point's tag.
        {"insert point", "a#Name b", {{1, 2, afsIsInsertpoint, 0x2A}, {2, 6, afsAutomatic, 0x2A}}, ppAutomatic, 4,
         "#Name", 0x2A},
    };
    for (const Case& c : cases) {
        TRtRTFText text;
        Fill(text, {c.text});
        for (const Span& s : c.spans) Style(text, 0, s.from, s.to, s.style, s.reference);
        text.ProtectedProp = c.props;
        Reports reports;
        reports.Attach(text);
        TParagraph* p = text.FirstPar();
        EXPECT_TRUE(text.ValidatePosition(p, p->firstLine, c.offset)) << c.name;
        ASSERT_EQ(reports.runs.size(), 1u) << c.name;
        EXPECT_EQ(reports.runs[0].first, c.run) << c.name;
        EXPECT_EQ(reports.runs[0].second, c.tag) << c.name;
        text.NoReporting = true;
        EXPECT_TRUE(text.ValidatePosition(p, p->firstLine, c.offset)) << c.name;
        EXPECT_EQ(reports.runs.size(), 1u) << c.name;
    }
}

TEST(PositionRules, ProtectedParagraphReportsItsFirstPiece) {
    TRtRTFText text;
    Fill(text, {"locked", "free"});
    Par(text, 0)->flags |= pfProtected;
    text.ProtectedProp = ppParProtected;
    Reports reports;
    reports.Attach(text);
    TParagraph* p = text.FirstPar();
    EXPECT_TRUE(text.ValidatePosition(p, p->firstLine, 2));
    ASSERT_EQ(reports.runs.size(), 1u);
    EXPECT_EQ(reports.runs[0].first, "locked");
    // Typing and splitting stop at the closed place.
    EXPECT_FALSE(text.InsertChar(p, p->firstLine, nullptr, 'x', 2));
    EXPECT_FALSE(text.SplitParagraph(p, p->firstLine, 2));
    EXPECT_EQ(TextOf(text), "locked|free");
}
