#pragma once
// The print engine's tests: a fake printer, a document with figures, the
// scripted print windows and the user's print offset.

#include "PrintDocumentFakes.h"
#include "PrintingTesting.h"

#include "foundation/ZRRegIniFile.h"
#include "printing/EtikettPrinter.h"
#include "printing/LabelPlacement.h"

#include <cmath>

// The position whose label origin the printed label had (no print offset); 0 for none.
inline int PositionOf(const TEtikett& sheet, const printtest::PrintedLabel& label) {
    for (int n = 1; n <= sheet.Columns * sheet.Rows; ++n) {
        const TLabelPlace place = LabelPlaceOf(sheet, n);
        if (std::abs(place.OriginX - label.worldX) < 0.01 && std::abs(place.OriginY - label.worldY) < 0.01) return n;
    }
    return 0;
}

// A logical point of a recorded call in device pixels.
inline gdi::Point ToDevice(const gdi::Canvas::State& state, gdi::Point p) {
    const gdi::XForm m = gdi::Canvas::LogicalToDevice(state);
    return {static_cast<int32_t>(std::lround(p.x * m.eM11 + p.y * m.eM21 + m.eDx)),
            static_cast<int32_t>(std::lround(p.x * m.eM12 + p.y * m.eM22 + m.eDy))};
}

// A sheet of columns x rows labels of w x h mm on A4.
inline void SetGrid(TEtikett& s, int32_t columns, int32_t rows, float w, float h, float left, float top, float gapX,
                    float gapY) {
    s.SetColumns(columns);
    s.SetRows(rows);
    s.SetLabelWidth(w);
    s.SetLabelHeight(h);
    s.SetMarginLeft(left);
    s.SetMarginTop(top);
    s.SetGapX(gapX);
    s.SetGapY(gapY);
}

// The 2 x 2 sheet of several tests: labels 90 x 130 mm.
inline void TwoByTwo(TEtikett& s) { SetGrid(s, 2, 2, 90, 130, 10, 15, 10, 7); }

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
    void Print() {
        TEtikettPrinter engine(doc, ui);
        engine.Print();
    }

    printtest::TestDocument doc;
    printtest::ScriptedUi ui;
};
