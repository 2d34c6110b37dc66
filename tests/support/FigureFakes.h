#pragma once
// Small stand-ins for the document window, its view and its design, on
// which figures paint, hit-test and drag in tests: the view is an off-screen
// bitmap with a scale canvas (4 pixels per millimetre unless a test says
// otherwise) and a drag loop that plays a list of events.

#include "document/ChildBase.h"
#include "document/DesignBase.h"
#include "document/MMWindowBase.h"
#include "foundation/ScaleCanvas.h"
#include "platform/gdi/BitmapCanvas.h"

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <deque>
#include <functional>
#include <vector>

class FakeMMWindow : public TMMWindowBase {
public:
    explicit FakeMMWindow(int width = 400, int height = 300, float pixelsPerMM = 4)
        : image(width, height), scale(&image) {
        scale.Reset(kResetUnit);
        scale.SetResolutionX(pixelsPerMM);
        scale.SetResolutionY(pixelsPerMM);
        image.FillRect({0, 0, width, height}, gdi::SolidBrush(0xFFFFFF));
    }

    TScaleCanvas& GetScaleCanvas() override { return scale; }
    void InvalidateRect(const TRect& r) override { invalidated.push_back(r); }
    void ShowFeedback(const TRect&) override {}
    int32_t GetCursor() const override { return cursor; }
    void SetCursor(int32_t id) override { cursor = id; }
    void ReleaseMouseCapture() override {}
    uint32_t KeyboardShiftState() const override { return 8; }  // the left button
    int32_t ScreenWidth() const override { return 1600; }
    void RunDragLoop(const std::function<bool(const TDragEvent&)>& handler) override {
        while (!script.empty()) {
            const TDragEvent e = script.front();
            script.pop_front();
            if (handler(e)) return;
        }
    }
    float GetZoom() const override { return scale.Zoom; }
    void InvalidateAll() override { ++invalidatedAll; }
    bool HasMouseCapture() const override { return false; }
    TPoint ClientToScreen(TPoint p) const override { return p; }

    void Move(int x, int y) { script.push_back({TDragEvent::Kind::Move, {x, y}, 8}); }
    void Up(int x, int y) { script.push_back({TDragEvent::Kind::ButtonUp, {x, y}, 0}); }
    gdi::Color Pixel(int x, int y) const { return image.bitmap().Pixel(x, y); }

    gdi::BitmapCanvas image;
    TScaleCanvas scale;
    std::deque<TDragEvent> script;
    std::vector<TRect> invalidated;
    int invalidatedAll = 0;
    int32_t cursor = 0;
};

class FakeDesign : public TDesignBase {
public:
    void BeginPropertyUndo(const QString& caption) override { captions << caption; }
    QStringList captions;
};

class FakeChild : public TChildBase {
public:
    explicit FakeChild(FakeMMWindow& view) : view_(view) {}

    TMMWindowBase* GetMMWindow() override { return &view_; }
    TScaleCanvas& GetViewScaleCanvas() override { return view_.scale; }
    TDesignBase* GetCurrentDesign() override { return &design; }
    gdi::Rect GetUpdateRect() const override { return updateRect; }
    bool ClipRingActive() const override { return clipRing; }
    const std::vector<gdi::Region>& ClipRingRegions() const override { return regions; }
    void SetModified(bool m) override { modified = m; }
    void SetPrintingRecord(bool p) override { printingRecord = p; }
    bool IsPrintingRecord() const override { return printingRecord; }
    TDataSet* GetLinkedDataSet() override { return dataSet; }
    void UpdateFrameControls() override {}

    FakeDesign design;
    gdi::Rect updateRect{-100000, -100000, 100000, 100000};
    bool clipRing = false;
    std::vector<gdi::Region> regions;
    bool modified = false;
    bool printingRecord = false;
    TDataSet* dataSet = nullptr;

private:
    FakeMMWindow& view_;
};
