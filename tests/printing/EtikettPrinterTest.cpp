// The print engine's jobs on the fake printer: the four ways of filling
// multi-label sheets, one-label sheets with ranges and copies, cancelling,
// failures, and what the designs hear of the job.
#include "EnginePrintingTesting.h"

#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "printing/LabelPlacement.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <algorithm>
#include <tuple>

using printtest::PrintedLabel;

namespace {

// (sheet, position, design) of every printed label.
using Placed = std::tuple<int, int, int>;

// The 2 x 2 sheet of these tests: labels 90 x 130 mm.
// The 2 x 2 sheet with a cut line across the middle of the page.
void TwoByTwoWithCutMarks(TEtikett& s) {
    TwoByTwo(s);
    s.CutMarkScheme = "TA_DINA5";
}

std::vector<Placed> PlacedLabels(const TEtikett& sheet, const std::vector<PrintedLabel>& labels) {
    std::vector<Placed> placed;
    for (const PrintedLabel& l : labels) placed.emplace_back(l.page, PositionOf(sheet, l), l.design);
    return placed;
}

// Indexes of the cut-mark lines among the printer's calls.
std::vector<size_t> CutMarkCalls(const gdi::RecordingCanvas& canvas) {
    std::vector<size_t> found;
    const auto& calls = canvas.Calls();
    for (size_t i = 0; i < calls.size(); ++i)
        if (calls[i].op == gdi::RecordedCall::Op::Line && calls[i].state.pen.style == gdi::PenStyle::Dot)
            found.push_back(i);
    return found;
}

}  // namespace

TEST_F(EnginePrinting, FourWaysOfFillingSheetsPlaceTheDesignsInTurnOrTogether) {
    struct Case {
        const char* name;
        bool bySheets, together;
        int count;
        const char* mask;
        std::vector<Placed> placed;
        std::vector<std::string> labelCounts;  // "GesNr" of design 0 and 1
    };
    const Case cases[] = {
        {"labels, together", false, true, 3, "1111",
         {{1, 1, 0}, {1, 2, 0}, {1, 3, 0}, {1, 4, 1}, {2, 1, 1}, {2, 2, 1}}, {"3", "3"}},
        {"labels, in turn", false, false, 3, "1111",
         {{1, 1, 0}, {1, 2, 1}, {1, 3, 0}, {1, 4, 1}, {2, 1, 0}, {2, 2, 1}}, {"3", "3"}},
        {"sheets, together", true, true, 2, "1111",
         {{1, 1, 0}, {1, 2, 0}, {1, 3, 0}, {1, 4, 0}, {2, 1, 1}, {2, 2, 1}, {2, 3, 1}, {2, 4, 1}}, {"4", "4"}},
        {"sheets, in turn, first label missing", true, false, 2, "0111",
         {{1, 2, 0}, {1, 3, 1}, {1, 4, 0}, {2, 1, 1}, {2, 2, 0}, {2, 3, 1}, {2, 4, 0}}, {"4", "3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printtest::TestDocument document;
        TwoByTwoWithCutMarks(document.sheet);
        document.AddStandardFigures();
        document.log.page = [this] { return fake().Pages(); };
        printtest::ScriptedUi windows;
        windows.sheet = [&](TSheetPrintOptions& o) {
            EXPECT_EQ(o.Designs, (std::vector<int32_t>{0, 1}));
            EXPECT_GE(o.Mask.size(), 1024u);
            o.CountBySheets = c.bySheets;
            o.KeepTogether = c.together;
            (c.bySheets ? o.SheetCount : o.LabelsPerDesign) = c.count;
            o.Mask = c.mask;
            return true;
        };
        TEtikettPrinter(document, windows).Print();

        EXPECT_EQ(PlacedLabels(document.sheet, document.log.labels), c.placed);
        int running[2] = {0, 0};
        for (const PrintedLabel& l : document.log.labels) {
            EXPECT_EQ(l.lfdNr, std::to_string(++running[l.design]));
            EXPECT_EQ(l.gesNr, c.labelCounts[static_cast<size_t>(l.design)]);
            ASSERT_TRUE(l.clip);
        }
        // Each sheet gets its cut marks once, after its labels, outside any label's clip.
        const std::vector<size_t> marks = CutMarkCalls(fake().Recording());
        ASSERT_EQ(marks.size(), 2u);
        const auto firstOnPage2 = std::find_if(document.log.labels.begin(), document.log.labels.end(),
                                               [](const PrintedLabel& l) { return l.page == 2; });
        ASSERT_NE(firstOnPage2, document.log.labels.end());
        EXPECT_LT(std::prev(firstOnPage2)->firstCall, marks[0]);
        EXPECT_LT(marks[0], firstOnPage2->firstCall);
        EXPECT_GT(marks[1], document.log.labels.back().firstCall);
        EXPECT_FALSE(fake().Recording().Calls()[marks[0]].state.clip);
        EXPECT_EQ(fake().Pages(), 2);
        EXPECT_FALSE(fake().Printing());
        EXPECT_FALSE(fake().Aborted());
        EXPECT_EQ(fake().Title(), (ApplicationTitle() + " - Adressen.qem").toStdString());
        // The designs hear of the job first and last; the counters are back afterwards.
        EXPECT_EQ(document.log.events.front(), "JobStart 0 0");
        EXPECT_EQ(document.log.events.back(), "JobEnd 1 0");
        for (int d : {0, 1}) {
            EXPECT_EQ(document.design(d).Placeholder("lfdNr"), "1");
            EXPECT_EQ(document.design(d).Placeholder("GesNr"), "##");
        }
        EXPECT_EQ(windows.jobsBegun, 1);
        EXPECT_EQ(windows.jobsEnded, 1);
        EXPECT_EQ(windows.texts.front(), QStringLiteral("Drucke Design 1 auf Seite 1"));
    }
}

TEST_F(EnginePrinting, DesignsLeftOutOfTheDialogAreNotPrinted) {
    printtest::TestDocument document(3);
    TwoByTwoWithCutMarks(document.sheet);
    document.log.page = [this] { return fake().Pages(); };
    ui.sheet = [](TSheetPrintOptions& o) {
        o.Designs = {2, 0};
        o.LabelsPerDesign = 1;
        return true;
    };
    TEtikettPrinter(document, ui).Print();
    EXPECT_EQ(PlacedLabels(document.sheet, document.log.labels), (std::vector<Placed>{{1, 1, 2}, {1, 2, 0}}));
    EXPECT_EQ(document.design(1).Placeholder("GesNr"), "##");  // untouched
}

TEST_F(EnginePrinting, NothingToPrintIsSaidAndNoJobBegins) {
    printtest::NumberedRecords records(5);
    // Every way of counting prints nothing when no design is chosen.
    auto noDesign = [&](bool bySheets, bool together) {
        return [&, bySheets, together] {
            TwoByTwoWithCutMarks(doc.sheet);
            ui.sheet = [=](TSheetPrintOptions& o) {
                o.Designs.clear();
                o.CountBySheets = bySheets;
                o.KeepTogether = together;
                return true;
            };
        };
    };
    const struct {
        const char* what;
        std::function<void()> arrange;
        const char* lfdNrAfter;  // one-label jobs put every design's counters back, also when nothing printed
    } rows[] = {
        {"a one-label range without designs",
         [&] {
             ui.single = [](TSingleLabelPrintOptions& o) {
                 o.Range = TPrintRange::Pages;
                 o.FromPage = 3;
                 o.ToPage = 1;
                 return true;
             };
         },
         "1"},
        {"sheets, designs together: one free label for two designs gives none to each",
         [&] {
             TwoByTwoWithCutMarks(doc.sheet);
             ui.sheet = [](TSheetPrintOptions& o) {
                 o.CountBySheets = true;
                 o.SheetCount = 1;
                 o.Mask = "0001";
                 return true;
             };
         },
         "7"},
        {"no design chosen, labels counted", noDesign(false, true), "7"},
        {"no design chosen, labels in turn", noDesign(false, false), "7"},
        {"no design chosen, sheets counted", noDesign(true, true), "7"},
        {"no design chosen, sheets in turn", noDesign(true, false), "7"},
        {"a record range without records",
         [&] {
             TwoByFour(doc.sheet);
             doc.records = &records;
             ui.dataset = [](TDatasetPrintOptions& o) {
                 o.RangeKind = TRecordRangeKind::Records;
                 o.RecordFrom = 4;
                 o.RecordTo = 2;
                 return true;
             };
         },
         "7"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        doc.design(0).Placeholders().SetValue("lfdNr", "7");
        row.arrange();
        ui.messages.clear();
        Print();
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0], LocalizedText("IDS_PRINTNOLABELS"));
        EXPECT_EQ(ui.jobsBegun, 0);
        EXPECT_TRUE(doc.log.labels.empty());
        EXPECT_EQ(doc.design(0).Placeholder("lfdNr"), row.lfdNrAfter);
    }
    EXPECT_EQ(fake().Title(), "");
    EXPECT_TRUE(doc.log.events.empty());
    doc.records = nullptr;
    TwoByTwoWithCutMarks(doc.sheet);

    // A cancelled dialog leaves everything as it was.
    ui.sheet = [](TSheetPrintOptions&) { return false; };
    Print();
    EXPECT_EQ(doc.design(0).Placeholder("lfdNr"), "7");
    EXPECT_EQ(ui.jobsBegun, 0);
}

TEST_F(EnginePrinting, CancellingAfterALabelAbortsTheJobWithoutCutMarks) {
    TwoByTwoWithCutMarks(doc.sheet);
    doc.AddStandardFigures();
    ui.sheet = [](TSheetPrintOptions& o) {
        o.LabelsPerDesign = 3;
        return true;
    };
    // The cancel window's button is pressed while the third label prints.
    doc.log.afterLabel = [&](const PrintedLabel&) {
        if (doc.log.labels.size() == 3) fake().Abort();
    };
    Print();
    EXPECT_EQ(doc.log.labels.size(), 3u);
    EXPECT_TRUE(fake().Aborted());
    EXPECT_TRUE(CutMarkCalls(fake().Recording()).empty());
    EXPECT_EQ(doc.log.events.back(), "JobEnd 1 0");
    EXPECT_EQ(ui.jobsEnded, 1);
    EXPECT_GE(ui.eventRuns, 3);
    EXPECT_EQ(doc.design(0).Placeholder("lfdNr"), "1");
}

TEST_F(EnginePrinting, AFailureWhilePrintingAbortsTheJobAndPassesOn) {
    TwoByTwoWithCutMarks(doc.sheet);
    ui.sheet = [](TSheetPrintOptions& o) {
        o.LabelsPerDesign = 3;
        return true;
    };
    doc.log.afterLabel = [&](const PrintedLabel&) {
        if (doc.log.labels.size() == 2) throw std::runtime_error("figure failed");
    };
    EXPECT_THROW(Print(), std::runtime_error);
    EXPECT_TRUE(fake().Aborted());  // no half sheet with cut marks is spooled
    EXPECT_FALSE(fake().Printing());
    EXPECT_TRUE(CutMarkCalls(fake().Recording()).empty());
    EXPECT_EQ(doc.log.events.back(), "JobEnd 1 0");
    EXPECT_EQ(ui.jobsEnded, 1);
    EXPECT_EQ(doc.design(1).Placeholder("GesNr"), "##");

    // A printer that takes no job: said, nothing else happens.
    doc.log.afterLabel = nullptr;
    fake().BeginDoc("another program's job");
    ui.messages.clear();
    Print();
    EXPECT_EQ(ui.messages, std::vector<QString>{LocalizedText("IDS_PRINTJOBFAILED")});
}

TEST_F(EnginePrinting, AFailingJobStartIsLoggedAndTheJobGoesOn) {
    TwoByTwoWithCutMarks(doc.sheet);
    doc.design(0).failJobStart = true;
    ui.sheet = [](TSheetPrintOptions& o) {
        o.LabelsPerDesign = 1;
        return true;
    };
    Print();
    EXPECT_EQ(doc.log.labels.size(), 2u);
    EXPECT_FALSE(fake().Aborted());
    const std::vector<std::string> expected = {"JobStart 0 0", "LabelStart 0 0", "LabelEnd 0 0", "LabelStart 1 0",
                                               "LabelEnd 1 0", "JobEnd 0 0", "JobEnd 1 0"};
    EXPECT_EQ(doc.log.events, expected);
}

TEST_F(EnginePrinting, OneLabelSheetsPrintARangeOfDesignsCollatedOrTheSelection) {
    struct Case {
        const char* name;
        int copies, maxCopies;
        TPrintRange range;
        int from, to;
        std::vector<int> pages;  // design of each page
        const char* gesNr;
        int driverCopies;
    };
    const Case cases[] = {
        {"all, collated", 2, 1, TPrintRange::All, 1, 1, {0, 1, 0, 1}, "2", 1},
        {"pages 2 to 9", 1, 1, TPrintRange::Pages, 2, 9, {1}, "1", 1},
        {"the driver makes the copies", 3, 999, TPrintRange::All, 1, 1, {0, 1}, "1", 3},
        {"selection of the current design", 2, 1, TPrintRange::Selection, 1, 1, {1, 1}, "2", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printtest::TestDocument document;
        document.sheet.SetMarginLeft(5);
        document.sheet.SetMarginTop(5);
        document.sheet.SetLabelWidth(200);
        document.sheet.SetLabelHeight(287);
        document.AddStandardFigures();
        document.current = 1;
        document.log.page = [this] { return fake().Pages(); };
        fake().SetMaxCopies(c.maxCopies);
        printtest::ScriptedUi windows;
        windows.single = [&](TSingleLabelPrintOptions& o) {
            EXPECT_TRUE(o.OfferSelection);
            EXPECT_TRUE(o.OfferPages);
            EXPECT_EQ(o.ToPage, 2);
            o.Copies = c.copies;
            o.Range = c.range;
            o.FromPage = c.from;
            o.ToPage = c.to;
            return true;
        };
        TEtikettPrinter(document, windows).Print();
        std::vector<int> pages;
        for (const PrintedLabel& l : document.log.labels) {
            EXPECT_EQ(l.page, static_cast<int>(pages.size()) + 1);
            pages.push_back(l.design);
            // Every page, copies included, at position 1 with its clip region.
            EXPECT_FLOAT_EQ(l.worldX, 5);
            EXPECT_FLOAT_EQ(l.worldY, 5);
            ASSERT_TRUE(l.clip);
            EXPECT_EQ(l.gesNr, c.gesNr);
            EXPECT_EQ(l.selectedOnly, c.range == TPrintRange::Selection);
        }
        EXPECT_EQ(pages, c.pages);
        EXPECT_EQ(fake().Copies(), c.driverCopies);
        if (c.driverCopies > 1) {
            for (const PrintedLabel& l : document.log.labels) EXPECT_EQ(l.lfdNr, "1");
        }
        EXPECT_EQ(document.design(0).Placeholder("GesNr"), "##");
    }
}

TEST_F(EnginePrinting, ThePdfPrinterWritesTheFileTheUserChose) {
    gdi::SelectPrinter(gdi::PdfPrinterName());
    gdi::CurrentPrinter().SetOutputFile("");
    TwoByTwoWithCutMarks(doc.sheet);
    doc.log.page = nullptr;
    ui.sheet = [](TSheetPrintOptions& o) {
        o.LabelsPerDesign = 1;
        return true;
    };
    Print();  // no file chosen: no job
    ASSERT_EQ(ui.suggestedPdfs.size(), 1u);
    EXPECT_TRUE(ui.suggestedPdfs[0].endsWith(QStringLiteral("/Adressen.pdf")));
    EXPECT_EQ(ui.jobsBegun, 0);

    const QString labels = TempPath(QStringLiteral("labels.pdf"));
    ui.pdfFile = labels;
    Print();
    EXPECT_EQ(ui.jobsBegun, 1);
    EXPECT_EQ(doc.log.labels.size(), 2u);
    const qint64 written = QFileInfo(labels).size();
    EXPECT_GT(written, 0);
    EXPECT_TRUE(ui.replaceQuestions.empty());  // a new file needs no question

    // Another document starts from its own name in its own folder, not from
    // the last PDF; an existing file is kept when the user says No.
    doc.name = QStringLiteral("CD-Huelle.qem");
    doc.path = TempPath(QStringLiteral("CD-Huelle.qem"));
    ui.replaceFiles = false;
    ui.suggestedPdfs.clear();
    QFile::resize(labels, 7);
    Print();
    // No goes back to the file choice, which the user leaves.
    EXPECT_EQ(ui.suggestedPdfs, (std::vector<QString>{TempPath(QStringLiteral("CD-Huelle.pdf")), labels}));
    EXPECT_EQ(ui.replaceQuestions, std::vector<QString>{labels});
    EXPECT_EQ(ui.jobsBegun, 1);
    EXPECT_EQ(QFileInfo(labels).size(), 7);

    // Yes replaces it.
    ui.replaceFiles = true;
    ui.pdfFile = labels;
    Print();
    EXPECT_EQ(ui.jobsBegun, 2);
    EXPECT_EQ(ui.replaceQuestions.size(), 2u);
    EXPECT_GT(QFileInfo(labels).size(), written / 2);
}
