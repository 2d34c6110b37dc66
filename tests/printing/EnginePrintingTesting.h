#pragma once
// The print engine's tests: a fake printer, a document with figures, the
// scripted print windows and the user's print offset.

#include "PrintDocumentFakes.h"
#include "PrintingTesting.h"
#include "support/SheetGrid.h"

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

// The 2 x 2 sheet of several tests: labels 90 x 130 mm.
inline void TwoByTwo(TEtikett& s) { SetGrid(s, 2, 2, 90, 130, 10, 15, 10, 7); }

// The serial-printing sheet: 2 x 4 labels of 95 x 65 mm.
inline void TwoByFour(TEtikett& s) { SetGrid(s, 2, 4, 95, 65, 8, 12, 4, 3); }

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
