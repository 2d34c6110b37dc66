// The design model: selection and its counts, the capability predicates,
// hit tests, extents and the hooks of printing, filling and saving.
#include "design/DesignTesting.h"

#include "document/EtikettFiler.h"
#include "figures/Ellipse.h"
#include "figures/FigureGroup.h"
#include "figures/Tracker.h"
#include "foundation/MyMemIniFile.h"
#include "support/FakePrinter.h"

#include <algorithm>
#include <random>

namespace {

using K = TFigureKind;

void ExpectSelectionInvariants(const TEinzelEtikett& design) {
    std::array<int, 21> counted{};
    for (int32_t i = 0; i < design.SelectedCount(); ++i) {
        const TFigure* f = design.GetSelected(i);
        ASSERT_GE(design.IndexOf(f), 0);
        for (int32_t j = 0; j < i; ++j) ASSERT_NE(design.GetSelected(j), f) << "selected twice";
        const int k = static_cast<int>(f->Kind);
        if (k >= 1 && k <= 20) ++counted[static_cast<size_t>(k)];
        if (design.GetHandlesVisible() == 1) {
            ASSERT_TRUE(f->Selected);
        }
    }
    for (int k = 1; k <= 20; ++k) ASSERT_EQ(design.KindCount(static_cast<K>(k)), counted[static_cast<size_t>(k)]) << k;
    for (int32_t i = 0; i < design.FigureCount(); ++i)
        if (!design.IsSelected(design.GetFigure(i))) {
            ASSERT_FALSE(design.GetFigure(i)->Selected);
        }
}

}  // namespace

TEST_F(DesignTest, KindCountsFollowRandomSelectionSequences) {
    std::mt19937 random(20240611);
    // Kinds 0, 21 and 22 are selected like any figure but counted nowhere.
    for (int i = 0; i < 30; ++i) Add(static_cast<K>(random() % 23), 8 + (i % 6) * 15, 8 + (i / 6) * 15);
    int changes = 0;
    design.OnSelectionChanged = [&](TEinzelEtikett&) { ++changes; };
    const auto pick = [&](int32_t n) { return static_cast<int32_t>(random() % static_cast<uint32_t>(n)); };
    for (int step = 0; step < 3000; ++step) {
        switch (random() % 10) {
        case 0: case 1: design.SelectFigure(pick(design.FigureCount())); break;
        case 2: if (design.SelectedCount() > 0) design.DeselectAt(pick(design.SelectedCount())); break;
        case 3: case 4: design.ToggleSelection(pick(design.FigureCount())); break;
        case 5: {
            const int x = pick(400), y = pick(300);
            design.SelectInRect({x, y, x + pick(300) - 100, y + pick(300) - 100});
            break;
        }
        case 6: if (random() % 8 == 0) design.SelectAll(); else design.SelectNext(); break;
        case 7: if (random() % 8 == 0) design.DeselectAll(); else design.SelectPrevious(); break;
        default: design.SetHandlesVisible(static_cast<uint8_t>(random() % 2)); break;
        }
        ExpectSelectionInvariants(design);
        if (HasFatalFailure()) FAIL() << "after step " << step;
    }
    EXPECT_GT(changes, 2000);
}

TEST_F(DesignTest, CapabilityPredicates) {
    struct Row {
        std::vector<K> kinds;
        bool bitmap;
        const char* expected;  // pen, fill, font, text, align, properties, picture filter
    } rows[] = {
        {{}, false, "-------"},
        {{K::Linie}, false, "P------"},
        {{K::Rechteck}, false, "PF-----"},
        {{K::Ellipse}, false, "PF-----"},
        {{K::Text}, false, "--NTA--"},
        {{K::RotateText}, false, "--NT---"},
        {{K::FieldText}, false, "--N-A--"},
        {{K::RTFText}, false, "PFNTA--"},
        {{K::RotateRTFText}, false, "--NT---"},
        {{K::DirOutline}, false, "P-N--E-"},
        {{K::DirOutline2}, false, "P-N--E-"},
        {{K::AutoForm}, false, "PF-----"},
        {{K::CharSymbol}, false, "PF-----"},
        {{K::Wordart}, false, "PF---E-"},
        {{K::Wordart, K::Wordart}, false, "PF-----"},
        {{K::Barcode}, false, "-----E-"},
        {{K::Barcode, K::Rechteck}, false, "PF-----"},
        {{K::Tracktabelle}, false, "PFN--E-"},
        {{K::RTFTabelle}, false, "PF---E-"},
        {{K::Zaehlerfeld, K::Rechteck, K::Wordart}, false, "PFN-AE-"},
        {{K::Bild32}, true, "------X"},
        {{K::Bild32}, false, "-------"},
        {{K::Bild32, K::Linie}, true, "P------"},
        {{K::Bild}, false, "-------"},
        {{K::FigureGroup}, false, "-------"},
        {{K::Figure}, false, "-------"},
    };
    for (const Row& row : rows) {
        TEinzelEtikett d(child);
        for (K kind : row.kinds) {
            auto f = std::make_unique<StubFigure>(&child, kind);
            f->bitmapPicture = row.bitmap;
            d.AddFigure(std::move(f), false);
            d.SelectFigure(d.FigureCount() - 1);
        }
        const std::string got = {d.CanSetPen() ? 'P' : '-',      d.CanFill() ? 'F' : '-',
                                 d.CanSetFont() ? 'N' : '-',     d.CanEditText() ? 'T' : '-',
                                 d.CanAlignText() ? 'A' : '-',   d.CanEditProperties() ? 'E' : '-',
                                 d.CanFilterPicture() ? 'X' : '-'};
        EXPECT_EQ(got, row.expected) << "row starting with kind "
                                     << (row.kinds.empty() ? -1 : static_cast<int>(row.kinds[0]));
    }
}

TEST_F(DesignTest, SelectNextAndPreviousWrapRound) {
    design.SelectNext();  // an empty design: nothing happens
    EXPECT_EQ(design.SelectedCount(), 0);
    const std::vector<StubFigure*> f = AddRow(4);
    struct Case {
        std::vector<int> selected;
        bool next;
        int expected;
    } cases[] = {
        {{3}, true, 0}, {{0}, false, 3}, {{}, true, 0}, {{}, false, 3}, {{1, 3}, true, 2}, {{2, 0}, false, 1},
    };
    for (const Case& c : cases) {
        design.DeselectAll();
        for (int i : c.selected) design.SelectFigure(i);
        c.next ? design.SelectNext() : design.SelectPrevious();
        ASSERT_EQ(design.SelectedCount(), 1);
        EXPECT_EQ(design.GetSelected(0), f[static_cast<size_t>(c.expected)]);
        EXPECT_EQ(design.GetHandlesVisible(), 1);
        EXPECT_TRUE(f[static_cast<size_t>(c.expected)]->Selected);
    }
}

TEST_F(DesignTest, RubberBandTogglesOnlyWhollyCoveredFigures) {
    StubFigure& a = Add(K::Rechteck, 10, 10);  // device 20..60
    StubFigure& b = Add(K::Ellipse, 30, 10);   // device 100..140
    StubFigure& partly = Add(K::Linie, 50, 10);  // device 180..220
    Select({&a, &partly});
    design.SetHandlesVisible(1);
    design.SelectInRect({200, 80, 10, 10});  // drawn from right to left; half of the line
    EXPECT_FALSE(design.IsSelected(&a));
    EXPECT_TRUE(design.IsSelected(&b));
    EXPECT_TRUE(design.IsSelected(&partly));
    EXPECT_EQ(design.KindCount(K::Rechteck), 0);
    EXPECT_EQ(design.KindCount(K::Ellipse), 1);
    EXPECT_EQ(design.KindCount(K::Linie), 1);
}

TEST_F(DesignTest, HandlesHiddenKeepTheSelectionButClearTheFlags) {
    StubFigure& a = Add(K::Rechteck);
    design.SetHandlesVisible(1);  // nothing selected: nothing happens
    EXPECT_EQ(design.GetHandlesVisible(), 0);
    design.SelectFigure(0);
    design.SetHandlesVisible(1);
    EXPECT_TRUE(a.Selected);
    EXPECT_TRUE(a.Tracker->Visible);
    design.SetHandlesVisible(0);
    EXPECT_FALSE(a.Selected);
    EXPECT_FALSE(a.Tracker->Visible);
    EXPECT_EQ(design.SelectedCount(), 1);
    EXPECT_EQ(design.KindCount(K::Rechteck), 1);

    // What goes by the flags sees nothing now.
    gdi::test::FakePrinter printer;
    TRegionScaleCanvas canvas(&printer.GetCanvas());
    design.PrintSelectedFigures(canvas);
    EXPECT_EQ(a.drawn, 0);
    design.SetHandlesVisible(1);
    design.PrintSelectedFigures(canvas);
    EXPECT_EQ(a.drawn, 1);
}

TEST_F(DesignTest, SelectionOperationsNotifyOnceEach) {
    AddRow(3);
    int changes = 0;
    design.OnSelectionChanged = [&](TEinzelEtikett& d) {
        EXPECT_EQ(&d, &design);
        ++changes;
    };
    const int refreshes = child.refreshRequests;
    design.SelectFigure(0);
    design.ToggleSelection(1);
    design.DeselectAt(0);
    design.SelectInRect({0, 0, 400, 300});
    design.DeselectAll();
    design.SelectAll();
    EXPECT_EQ(changes, 6);
    EXPECT_EQ(child.refreshRequests - refreshes, 6);
    EXPECT_EQ(child.selectToolSwitches, 1);
    EXPECT_EQ(design.GetSelectionState(), 2);
    design.SelectNext();
    EXPECT_EQ(design.GetSelectionState(), 1);
}

TEST_F(DesignTest, HitTestsAndCursor) {
    StubFigure& low = Add(K::Rechteck, 20, 20, 20, 20);  // device 40..120
    StubFigure& high = Add(K::Rechteck, 25, 20, 20, 20);  // device 60..140
    low.SetFillColor(0xFFFFFF);
    high.SetFillColor(0xFFFFFF);
    EXPECT_EQ(design.HitTestFigures(100, 80), 1);
    EXPECT_EQ(design.HitTestFigures(50, 80), 0);
    EXPECT_EQ(design.HitTestFigures(300, 280), -1);
    bool isSelected = true;
    Select({&low});
    EXPECT_EQ(design.FigureAt(100, 80, isSelected), 1);
    EXPECT_FALSE(isSelected);
    EXPECT_EQ(design.HitTestSelected(100, 80), 0);
    EXPECT_EQ(design.HitTestSelected(130, 80), -1);
    Select({&high});
    EXPECT_EQ(design.HitTestSelected(100, 80), 1);  // the last selected first

    design.UpdateCursor(100, 80);
    EXPECT_EQ(view.cursor, kCursorMoveFigure);
    design.UpdateCursor(300, 280);
    EXPECT_EQ(view.cursor, 0);
    // Over a handle of a selected figure its tracker decides.
    design.SetHandlesVisible(1);
    int32_t handleCursor = 0;
    for (int dx = -4; dx <= 4 && handleCursor == 0; ++dx) {
        design.UpdateCursor(140 + dx, 80);
        handleCursor = view.cursor;
        if (handleCursor == kCursorMoveFigure) handleCursor = 0;
    }
    EXPECT_NE(handleCursor, 0);
}

TEST_F(DesignTest, ExtentsOfSelectionAndFigures) {
    EXPECT_EQ(design.GetSelectionExtentOn(view.scale), (TRect{0, 0, 1, 1}));
    EXPECT_EQ(design.GetSelectionPixelRect(), TRect{});
    EXPECT_EQ(design.GetSelectionBounds(), TRect{});
    const TFloatRect none = design.GetFiguresExtent();
    EXPECT_EQ(none.Left + none.Top + none.Right + none.Bottom, 0);

    StubFigure& a = Add(K::Rechteck, 10, 20, 10, 10);
    Add(K::Rechteck, 40, 30, 10, 20);
    StubFigure& c = Add(K::Rechteck, 60, 60, 10, 10);
    Select({&a, &c});
    EXPECT_EQ(design.GetSelectionExtentOn(view.scale), (TRect{20, 60, 261, 261}));
    EXPECT_EQ(design.GetSelectionPixelRect(), (TRect{20, 60, 261, 261}));
    const TRect bounds = design.GetSelectionBounds();
    EXPECT_LT(bounds.left, 20);
    EXPECT_GT(bounds.right, 261);
    const TFloatRect mm = design.GetSelectionExtent();
    EXPECT_NEAR(mm.Left, 5, 0.02);
    EXPECT_NEAR(mm.Top, 15, 0.02);
    EXPECT_NEAR(mm.Right, 65, 0.02);
    EXPECT_NEAR(mm.Bottom, 65, 0.02);
    const TFloatRect all = design.GetFiguresExtent();
    EXPECT_NEAR(all.Top, 15, 0.02);
    EXPECT_NEAR(all.Right, 65, 0.02);
}

TEST_F(DesignTest, SaveSelectedFiguresWritesInSelectionOrder) {
    auto line = std::make_unique<TLinie>(&child);
    auto box = std::make_unique<TRechteck>(&child);
    TFigure* bottom = design.AddFigure(std::move(line), false);
    TFigure* top = design.AddFigure(std::move(box), false);
    Select({top, bottom});
    TMemoryStream selected, all;
    TEtikettFiler filer;
    filer.Stream = &selected;
    design.SaveSelectedFigures(filer);
    filer.Stream = &all;
    design.SaveFigures(filer);
    ASSERT_EQ(selected.Size(), all.Size());
    EXPECT_EQ(selected.Bytes()[0], ecRechteck);
    EXPECT_EQ(all.Bytes()[0], ecLinie);
}

TEST_F(DesignTest, PrintingStopsAfterTheFigureDuringWhichTheJobWasAborted) {
    auto owned = std::make_unique<gdi::test::FakePrinter>();
    gdi::test::FakePrinter& printer = *owned;
    gdi::SetCurrentPrinter(std::move(owned));
    std::vector<StubFigure*> f = AddRow(4);
    f[1]->onDraw = [&] { printer.Abort(); };

    // Another canvas draws every figure whatever the printer does.
    gdi::BitmapCanvas bitmap(100, 100);
    TRegionScaleCanvas onBitmap(&bitmap);
    printer.BeginDoc("Etiketten");
    design.PrintAllFigures(onBitmap);
    for (StubFigure* figure : f) EXPECT_EQ(figure->drawn, 1);

    printer.BeginDoc("Etiketten");
    TRegionScaleCanvas onPrinter(&printer.GetCanvas());
    design.PrintAllFigures(onPrinter);
    EXPECT_EQ(f[0]->drawn, 2);
    EXPECT_EQ(f[1]->drawn, 2);
    EXPECT_EQ(f[2]->drawn, 1);
    EXPECT_EQ(f[3]->drawn, 1);
    gdi::SelectPrinter(gdi::PdfPrinterName());
}

TEST_F(DesignTest, PrintNotificationsAndFieldsReachEveryFigure) {
    std::vector<StubFigure*> f = AddRow(2);
    design.NotifyPrintJobStart(0);
    design.NotifyLabelStart(0);
    design.ResolveFields(nullptr);
    design.NotifyLabelEnd(0);
    design.NotifyPrintJobEnd(1);
    design.NotifyPrintJobEnd(0);
    for (StubFigure* figure : f)
        EXPECT_EQ(figure->calls, (std::vector<std::string>{"begin", "before", "fill", "after", "end aborted", "end"}));
}

TEST_F(DesignTest, TextFiguresGoToTheTemplateIni) {
    Add(K::Rechteck);
    Add(K::RTFText, 12.344, 20);
    Add(K::Text);
    Add(K::RotateRTFText, 30, 40);
    TMyMemIniFile ini;
    design.ExportTextFiguresToIni(ini);
    EXPECT_EQ(ini.ReadInteger("Template", "FigCount", -1), 2);
    EXPECT_EQ(ini.ReadString("Fig0", "ClassName", ""), "StubFigure");
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Fig0", "CenterX", 0), 12.34);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Fig1", "CenterY", 0), 40);
    EXPECT_FALSE(ini.ReadSections().contains("Fig2"));
}

TEST_F(DesignTest, AddingAndModifiedFlags) {
    Add(K::Rechteck);
    EXPECT_FALSE(design.IsModified());
    EXPECT_EQ(design.UndoCount(), 1);
    EXPECT_EQ(design.GetUndoCaption(), "Neues Element");
    design.AddFigure(std::make_unique<TEllipse>(&child), true);
    EXPECT_TRUE(design.IsModified());
    EXPECT_TRUE(child.modified);
    EXPECT_EQ(design.SelectedCount(), 1);
    EXPECT_EQ(design.KindCount(K::Ellipse), 1);
    // Clearing the design's flag leaves the document's alone.
    design.SetModified(false);
    EXPECT_TRUE(child.modified);
}

TEST_F(DesignTest, PaintingAndOutlines) {
    AddRow(3);
    design.SelectFigure(1);
    design.SetHandlesVisible(1);
    int painted = 0;
    struct CountingView : FakeMMWindow {
        int* count;
        void AfterFigurePainted() override { ++*count; }
    };
    CountingView counting;
    counting.count = &painted;
    FakeChild other(counting);
    TEinzelEtikett d(other);
    for (int i = 0; i < 3; ++i) d.AddFigure(std::make_unique<TRechteck>(&other), false);
    d.PaintFigures();
    EXPECT_EQ(painted, 3);

    gdi::RecordingCanvas recording;
    TScaleCanvas canvas(&recording);
    design.DrawOutlines(canvas);
    EXPECT_EQ(canvas.Pen().color, 0x000000u);
    ASSERT_FALSE(recording.Calls().empty());
    EXPECT_EQ(recording.Calls().front().state.pen.color, 0xC0C0C0u);
}

TEST_F(DesignTest, FarOffFiguresShowAndHideTheirHandles) {
    // Handles at the end of the device range (the sanitizer watches).
    StubFigure& f = Add(K::FigureGroup, 1e12, -1e12, 1e12, 10);
    Select({&f});
    design.SetHandlesVisible(1);
    design.PaintHandles();
    design.SetHandlesVisible(0);
    EXPECT_FALSE(f.Tracker->Visible);
}
