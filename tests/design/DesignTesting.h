#pragma once
// Helpers of the design tests: a design on the fake document window, and a
// stand-in figure of any kind that says which values it takes and counts
// what the design asks of it.

#include "design/DesignDialogs.h"
#include "design/EinzelEtikett.h"
#include "figures/Rechteck.h"
#include "support/DialogsScope.h"
#include "support/FigureFakes.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// A figure's or a ring's centre on the page (mm).
struct Centre {
    double x, y;
};

// A box of any kind. By default it takes pen and fill (as a rectangle does)
// and no font or alignment; the tests switch that per figure.
class StubFigure : public TRechteck {
public:
    StubFigure(TChildBase* owner, TFigureKind kind) : TRechteck(owner) { Kind = kind; }

    bool SetPenColor(gdi::Color color) override { return takesPen && TRechteck::SetPenColor(color); }
    bool SetPenWidth(float mm) override { return takesPen && TRechteck::SetPenWidth(mm); }
    bool SetFillColor(gdi::Color color) override { return takesFill && TRechteck::SetFillColor(color); }
    bool SetBrushStyle(uint8_t style) override { return takesFill && TRechteck::SetBrushStyle(style); }
    bool SetFillData(const TFillData& fill) override { return takesFill && TRechteck::SetFillData(fill); }
    bool SetFontName(const std::string& name) override { return Take(takesFont, fontName, name); }
    bool SetFontSize(int32_t points) override { return Take(takesFont, fontSize, points); }
    bool SetFontStyle(TFontStyles style, int32_t) override { return Take(takesFont, fontStyle, style); }
    bool SetFontColor(gdi::Color color) override { return Take(takesFont, fontColor, color); }
    bool SetAlignment(uint8_t h, uint8_t v) override {
        if (!takesAlignment) return false;
        alignH = h;
        alignV = v;
        return true;
    }
    bool GetAlignment(uint8_t& h, uint8_t& v) const override {
        if (!takesAlignment) return false;
        h = alignH;
        v = alignV;
        return true;
    }
    bool GetFont(TFont& font) const override {
        if (fontName.empty()) return false;
        font.SetName(fontName);
        return true;
    }
    bool EditText() override {
        ++dialogsOpened;
        if (dialogResult) SetCenterX(CenterX + 1);
        return dialogResult;
    }
    bool EditProperties() override { return EditText(); }
    bool HasBitmapPicture() const override { return bitmapPicture; }
    std::string GetFieldId() const override { return fieldId; }
    bool SetFieldId(const std::string& id) override {
        fieldId = id;
        return Kind == TFigureKind::FieldText;
    }
    void BeginPrintJob() override { calls.push_back("begin"); }
    void EndPrintJob(bool aborted) override { calls.push_back(aborted ? "end aborted" : "end"); }
    void BeforePrintLabel() override { calls.push_back("before"); }
    void AfterPrintLabel() override { calls.push_back("after"); }
    void FillFromDataSet(TDataSet*) override { calls.push_back("fill"); }
    void DrawTo(TScaleCanvas& canvas) override {
        ++drawn;
        if (onDraw) onDraw();
        TRechteck::DrawTo(canvas);
    }
    void Invalidate() override {
        ++invalidated;
        TRechteck::Invalidate();
    }
    std::unique_ptr<TFigure> Clone() const override {
        auto copy = std::make_unique<StubFigure>(Owner, Kind);
        copy->Assign(*this);
        return copy;
    }
    const char* ClassName() const override { return "StubFigure"; }

    bool takesPen = true, takesFill = true, takesFont = false, takesAlignment = false;
    bool dialogResult = false, bitmapPicture = false;
    int dialogsOpened = 0, drawn = 0, invalidated = 0;
    std::string fontName, fieldId;
    int32_t fontSize = 0;
    TFontStyles fontStyle = 0;
    gdi::Color fontColor = 0;
    uint8_t alignH = 0, alignV = 0;
    std::vector<std::string> calls;
    std::function<void()> onDraw;

private:
    template <class T, class V>
    static bool Take(bool takes, T& field, const V& value) {
        if (takes) field = value;
        return takes;
    }
};

// A design of 4 pixels per mm on the fake window.
class DesignTest : public ::testing::Test {
protected:
    DesignTest() : child(view), design(child) { child.currentDesign = &design; }

    // A figure of the kind at (cx, cy) mm of w x h mm, not selected.
    StubFigure& Add(TFigureKind kind, double cx = 20, double cy = 20, double w = 10, double h = 10) {
        auto figure = std::make_unique<StubFigure>(&child, kind);
        figure->SetCenterX(cx);
        figure->SetCenterY(cy);
        figure->SetWidth(w);
        figure->SetHeight(h);
        return static_cast<StubFigure&>(*design.AddFigure(std::move(figure), false));
    }
    // n rectangles in a row, each 10 mm wide with 5 mm between them.
    std::vector<StubFigure*> AddRow(int n) {
        std::vector<StubFigure*> row;
        for (int i = 0; i < n; ++i) row.push_back(&Add(TFigureKind::Rechteck, 10 + 15 * i, 20));
        return row;
    }
    // The z-order as positions in the given list.
    std::vector<int> Order(const std::vector<StubFigure*>& figures) const {
        std::vector<int> order;
        for (int32_t i = 0; i < design.FigureCount(); ++i)
            for (size_t k = 0; k < figures.size(); ++k)
                if (design.GetFigure(i) == figures[k]) order.push_back(static_cast<int>(k));
        return order;
    }
    // Deletes every figure of the design.
    void Clear() {
        while (design.FigureCount() > 0) {
            design.SelectAll();
            design.DeleteSelection();
        }
    }
    void Select(std::initializer_list<const TFigure*> figures) {
        for (const TFigure* f : figures) design.SelectFigure(design.IndexOf(f));
    }

    FakeMMWindow view{400, 300, 4};
    FakeChild child;
    TEinzelEtikett design;
};
