#pragma once
// The print engine's tests: a fake printer, a document with figures, the
// scripted print windows and the user's print offset.

#include "PrintDocumentFakes.h"
#include "PrintingTesting.h"

#include "foundation/ZRRegIniFile.h"
#include "printing/EtikettPrinter.h"

class EnginePrinting : public PrintingTest {
protected:
    void SetUp() override {
        PrintingTest::SetUp();
        StoreOffsets(0, 0);
        doc.log.page = [this] { return fake().Pages(); };
    }
    void TearDown() override {
        Settings().EraseSection("Drucker");
        PrintingTest::TearDown();
    }
    static void StoreOffsets(double x, double y) {
        Settings().WriteFloat("Drucker", "OffsetX", x);
        Settings().WriteFloat("Drucker", "OffsetY", y);
    }
    // A sheet of columns x rows labels of w x h mm on A4.
    static void SetGrid(TEtikett& s, int32_t columns, int32_t rows, float w, float h, float left, float top,
                        float gapX, float gapY) {
        s.SetColumns(columns);
        s.SetRows(rows);
        s.SetLabelWidth(w);
        s.SetLabelHeight(h);
        s.SetMarginLeft(left);
        s.SetMarginTop(top);
        s.SetGapX(gapX);
        s.SetGapY(gapY);
    }
    void Print() {
        TEtikettPrinter engine(doc, ui);
        engine.Print();
    }

    printtest::TestDocument doc;
    printtest::ScriptedUi ui;
};
