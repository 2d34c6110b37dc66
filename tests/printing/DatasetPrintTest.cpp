// Serial printing: which records a range prints, the job over the records with
// copies and the first-sheet mask, the document's record state, and the
// preview pages built from the same walk.
#include "EnginePrintingTesting.h"

#include "foundation/FillData.h"
#include "pictures/ZRMetaFile.h"
#include "printing/DatasetPreview.h"
#include "printing/DatasetRange.h"
#include "printing/LabelPlacement.h"

#include <QtCore/QFile>

using printtest::NumberedRecords;
using printtest::PreviewProgress;
using printtest::PrintedLabel;

TEST(DatasetRange, RecordsOfEachKindOfRange) {
    using K = TRecordRangeKind;
    struct Case {
        const char* name;
        K kind;
        int32_t from, to;
        const char* mask;
        int32_t first, count;
    };
    const Case cases[] = {
        {"all", K::AllRecords, 0, 0, "11111111", 1, 25},
        {"records 3 to 40", K::Records, 3, 40, "11111111", 3, 23},
        {"records 0 to 5", K::Records, 0, 5, "11111111", 1, 5},
        {"records 9 to 4", K::Records, 9, 4, "11111111", 9, 0},
        {"pages 2 to 3", K::Pages, 2, 3, "11111111", 9, 16},
        {"pages 2 to 3, two labels missing", K::Pages, 2, 3, "01101111", 9, 14},
        {"pages 4 to 9", K::Pages, 4, 9, "11111111", 25, 1},
        // Missing labels take places off the pages, not records off the range.
        {"pages 4 to 9, two labels missing", K::Pages, 4, 9, "01101111", 25, 1},
        {"pages 1 to 4, two labels missing", K::Pages, 1, 4, "01101111", 1, 25},
        {"pages 1 to 2, two labels missing", K::Pages, 1, 2, "01101111", 1, 14},
        {"pages 0 to 1", K::Pages, 0, 1, "11111111", 1, 8},
        {"page 5 past the records", K::Pages, 5, 5, "11111111", 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TDatasetPrintOptions options;
        options.RangeKind = c.kind;
        (c.kind == K::Pages ? options.PageFrom : options.RecordFrom) = c.from;
        (c.kind == K::Pages ? options.PageTo : options.RecordTo) = c.to;
        options.Mask = c.mask;
        const TRecordRange range = RecordRangeOf(options, 25, 8);
        EXPECT_EQ(range.FirstRecord, c.first);
        EXPECT_EQ(range.Count, c.count);
    }
    TDatasetPrintOptions written;
    written.RangeKind = K::Records;
    written.RecordFrom = -2;
    written.RecordTo = 99;
    RecordRangeOf(written, 25, 8);
    EXPECT_EQ(written.RecordFrom, 1);  // shown so in the dialog afterwards
    EXPECT_EQ(written.RecordTo, 25);

    // A part-filled last page counts; a full one does not add a page.
    EXPECT_EQ(DatasetPageCount(24, 8), 3);
    EXPECT_EQ(DatasetPageCount(25, 8), 4);
    EXPECT_EQ(DatasetPageCount(0, 8), 0);
    EXPECT_EQ(DatasetPageCount(1, 1), 1);
}

TEST_F(EnginePrinting, SerialPrintOfARangeOfPagesWithLabelsMissing) {
    TwoByFour(doc.sheet);
    NumberedRecords records(25);
    doc.records = &records;
    struct Case {
        const char* mask;
        std::vector<int> positions;
    };
    const Case cases[] = {
        {"11111111", {1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"01101111", {2, 3, 5, 6, 7, 8, 1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        doc.log.labels.clear();
        ui.dataset = [&](TDatasetPrintOptions& o) {
            EXPECT_EQ(o.RecordTo, 25);
            EXPECT_EQ(o.PageTo, 4);
            EXPECT_EQ(o.Mask, "11111111");
            o.Design = 1;
            o.RangeKind = TRecordRangeKind::Pages;
            o.PageFrom = 2;
            o.PageTo = 3;
            o.Mask = c.mask;
            return true;
        };
        Print();
        ASSERT_EQ(doc.log.labels.size(), c.positions.size());
        for (size_t i = 0; i < c.positions.size(); ++i) {
            const PrintedLabel& l = doc.log.labels[i];
            EXPECT_EQ(l.design, 1);
            EXPECT_EQ(l.record, std::to_string(9 + i));
            EXPECT_EQ(PositionOf(doc.sheet, l), c.positions[i]);
            EXPECT_EQ(l.page, i < c.positions.size() - 8 ? 1 : 2);
            EXPECT_TRUE(l.printingRecord);
            ASSERT_TRUE(l.clip);
        }
        EXPECT_FALSE(doc.log.printingRecord);
        EXPECT_FALSE(fake().Aborted());
    }
}

TEST_F(EnginePrinting, SerialPrintCopiesEachRecordAndLeavesThePlaceholders) {
    TwoByFour(doc.sheet);
    NumberedRecords records(3);
    doc.records = &records;
    doc.design(0).Placeholders().SetValue("lfdNr", "12");
    ui.dataset = [](TDatasetPrintOptions& o) {
        o.CopiesPerRecord = 2;
        return true;
    };
    Print();
    ASSERT_EQ(doc.log.labels.size(), 6u);
    const char* expected[] = {"1", "1", "2", "2", "3", "3"};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(doc.log.labels[i].record, expected[i]);
        EXPECT_EQ(PositionOf(doc.sheet, doc.log.labels[i]), static_cast<int>(i) + 1);
        EXPECT_EQ(doc.log.labels[i].lfdNr, "12");
    }
    // One notification per record, so that a counter advances once per record.
    EXPECT_EQ(std::count(doc.log.events.begin(), doc.log.events.end(), "LabelStart 0 0"), 3);
    EXPECT_EQ(doc.design(0).Placeholder("lfdNr"), "12");
}

TEST_F(EnginePrinting, SerialPrintFailureAbortsAndClearsTheRecordState) {
    TwoByFour(doc.sheet);
    NumberedRecords records(5);
    doc.records = &records;
    doc.log.afterLabel = [&](const PrintedLabel&) {
        if (doc.log.labels.size() == 2) throw std::runtime_error("field");
    };
    EXPECT_THROW(Print(), std::runtime_error);
    EXPECT_FALSE(doc.log.printingRecord);
    EXPECT_EQ(doc.printingRecordChanges, 4);
    EXPECT_TRUE(fake().Aborted());
    EXPECT_EQ(ui.jobsEnded, 1);
}

TEST(DatasetPreview, PagesAreMetafilesOfTheLabelsAndTheBuilderPutsEverythingBack) {
    printtest::TestDocument doc(1);
    doc.sheet.SetColumns(2);
    doc.sheet.SetRows(2);
    doc.sheet.SetLabelWidth(90);
    doc.sheet.SetLabelHeight(130);
    doc.AddStandardFigures();
    NumberedRecords records(3);
    TDatasetPrintOptions options;
    options.CopiesPerRecord = 2;
    options.Mask = "1111";
    UseScanlines = false;

    PreviewProgress progress;
    std::vector<QString> files = BuildDatasetPreview(doc, records, options, progress);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(progress.texts, (std::vector<QString>{QStringLiteral("Seite 1 von 2"), QStringLiteral("Seite 2 von 2")}));
    for (const QString& file : files) {
        TZRMetaFile page;
        page.LoadFromFile(file);
        EXPECT_FALSE(page.IsEmpty());
        EXPECT_GT(page.GetWidth(), 700);  // A4 at the screen's resolution
        QFile::remove(file);
    }
    EXPECT_EQ(doc.log.labels.size(), 6u);
    EXPECT_EQ(doc.log.events.front(), "JobStart 0 1");
    EXPECT_EQ(doc.log.events.back(), "JobEnd 0 1");
    EXPECT_EQ(std::count(doc.log.events.begin(), doc.log.events.end(), "LabelStart 0 1"), 3);
    for (const PrintedLabel& l : doc.log.labels) EXPECT_TRUE(l.printingRecord);
    EXPECT_FALSE(doc.log.printingRecord);
    EXPECT_EQ(records.RecNo(), 1);
    EXPECT_FALSE(UseScanlines);

    // "Sofort anzeigen" after the first page: the pages so far.
    PreviewProgress hurried;
    hurried.stopAfterPage = 1;
    files = BuildDatasetPreview(doc, records, options, hurried);
    EXPECT_EQ(files.size(), 1u);
    for (const QString& file : files) QFile::remove(file);
}
