#pragma once
// Small stand-ins for the document window, its view and its design, on
// which figures paint, hit-test and drag in tests: the view is an off-screen
// bitmap with a scale canvas (4 pixels per millimetre unless a test says
// otherwise) and a drag loop that plays a list of events.

#include "document/ChildBase.h"
#include "document/DesignBase.h"
#include "document/Etikett.h"
#include "document/MMWindowBase.h"
#include "foundation/FillData.h"
#include "foundation/Localizer.h"
#include "foundation/ScaleCanvas.h"
#include "platform/gdi/BitmapCanvas.h"

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <deque>
#include <functional>
#include <string>
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
    void BeginPropertyUndo(const char* captionKey) override { captions << LocalizedText(captionKey); }
    QStringList captions;
};

// The current design is the fake design unless a test names another one.
class FakeChild : public TChildBase {
public:
    explicit FakeChild(FakeMMWindow& view) : view_(view) {}

    TMMWindowBase* GetMMWindow() override { return &view_; }
    TScaleCanvas& GetViewScaleCanvas() override { return view_.scale; }
    TDesignBase* GetCurrentDesign() override { return currentDesign ? currentDesign : &design; }
    gdi::Rect GetUpdateRect() const override { return updateRect; }
    bool ClipRingActive() const override { return clipRing; }
    const std::vector<TClipZone>& ClipRingRegions() const override { return regions; }
    void SetModified(bool m) override { modified = m; }
    void SetPrintingRecord(bool p) override { printingRecord = p; }
    bool IsPrintingRecord() const override { return printingRecord; }
    TDataSet* GetLinkedDataSet() override { return dataSet; }
    void UpdateFrameControls() override {}
    TEtikett& GetEtikett() override { return sheet; }
    void RequestToolStateRefresh() override { ++refreshRequests; }
    void SwitchToSelectTool() override { ++selectToolSwitches; }
    void Beep() override { ++beeps; }
    gdi::Color MainPenColor() const override { return mainPenColor; }
    const TFillData& MainFillData() const override { return mainFill; }
    void BuildFieldPanel() override { ++fieldPanelBuilds; }
    void SetFieldTypeMenu(const std::vector<std::string>& names) override { fieldTypeMenu = names; }
    void ShowWarning(const QString& text) override { warnings << text; }
    void ShowError(const QString& text) override { errors << text; }
    void SetBusyCursor(bool busy) override { busyCursor = busy; }

    FakeDesign design;
    TDesignBase* currentDesign = nullptr;
    TEtikett sheet;
    int refreshRequests = 0;
    int selectToolSwitches = 0;
    int beeps = 0;
    gdi::Color mainPenColor = 0;
    TFillData mainFill;
    int fieldPanelBuilds = 0;
    std::vector<std::string> fieldTypeMenu;
    QStringList warnings;
    QStringList errors;
    bool busyCursor = false;
    gdi::Rect updateRect{-100000, -100000, 100000, 100000};
    bool clipRing = false;
    std::vector<TClipZone> regions;
    bool modified = false;
    bool printingRecord = false;
    TDataSet* dataSet = nullptr;

private:
    FakeMMWindow& view_;
};
