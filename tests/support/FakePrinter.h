#pragma once
// A printer for tests: records what a print job draws on a recording canvas
// of kind Printer (600 x 1200 dpi, A4 portrait with 4 mm unprintable margins
// unless other capabilities are given). Install it with
// gdi::SetCurrentPrinter(std::make_unique<FakePrinter>()).

#include "platform/gdi/RecordingCanvas.h"
#include "platform/printer/Printer.h"

#include <cmath>
#include <string>
#include <vector>

namespace gdi::test {

class FakePrinter : public Printer {
public:
    // The capabilities of an A4 page at the given resolution.
    static DeviceCaps A4Caps(int32_t dpiX = 600, int32_t dpiY = 1200, double marginMM = 4.0) {
        DeviceCaps caps;
        caps.logPixelsX = dpiX;
        caps.logPixelsY = dpiY;
        caps.physicalWidth = static_cast<int32_t>(std::lround(210.0 / 25.4 * dpiX));
        caps.physicalHeight = static_cast<int32_t>(std::lround(297.0 / 25.4 * dpiY));
        caps.physicalOffsetX = static_cast<int32_t>(std::lround(marginMM / 25.4 * dpiX));
        caps.physicalOffsetY = static_cast<int32_t>(std::lround(marginMM / 25.4 * dpiY));
        caps.horzRes = caps.physicalWidth - 2 * caps.physicalOffsetX;
        caps.vertRes = caps.physicalHeight - 2 * caps.physicalOffsetY;
        caps.horzSizeMM = static_cast<int32_t>(std::lround(210.0 - 2 * marginMM));
        caps.vertSizeMM = static_cast<int32_t>(std::lround(297.0 - 2 * marginMM));
        caps.bitsPerPixel = 24;
        return caps;
    }

    explicit FakePrinter(const DeviceCaps& caps = A4Caps(), std::string name = "Fake")
        : caps_(caps), name_(std::move(name)), canvas_(caps, DeviceKind::Printer) {}

    std::string Name() const override { return name_; }
    DeviceCaps Caps() const override { return caps_; }
    PageOrientation Orientation() const override { return orientation_; }
    void SetOrientation(PageOrientation o) override {
        if (o == orientation_) return;
        orientation_ = o;
        std::swap(caps_.logPixelsX, caps_.logPixelsY);
        std::swap(caps_.physicalWidth, caps_.physicalHeight);
        std::swap(caps_.horzRes, caps_.vertRes);
        std::swap(caps_.physicalOffsetX, caps_.physicalOffsetY);
        std::swap(caps_.horzSizeMM, caps_.vertSizeMM);
        canvas_.SetDeviceCaps(caps_);
    }
    void SetPaperSizeMM(double width, double height) override { paperMM_ = {width, height}; }
    int32_t Copies() const override { return copies_; }
    void SetCopies(int32_t copies) override { copies_ = copies; }
    void SetOutputFile(const std::string& fileName) override { outputFile_ = fileName; }
    bool BeginDoc(const std::string& title) override {
        if (printing_) return false;
        printing_ = true;
        title_ = title;
        pages_ = 1;
        canvas_.Clear();
        return true;
    }
    void NewPage() override {
        if (printing_) ++pages_;
    }
    bool EndDoc() override {
        const bool was = printing_;
        printing_ = false;
        return was;
    }
    void Abort() override {
        printing_ = false;
        aborted_ = true;
    }
    bool Printing() const override { return printing_; }
    Canvas& GetCanvas() override { return canvas_; }

    // What the test looks at.
    RecordingCanvas& Recording() { return canvas_; }
    int32_t Pages() const { return pages_; }
    const std::string& Title() const { return title_; }
    bool Aborted() const { return aborted_; }
    std::pair<double, double> PaperMM() const { return paperMM_; }

private:
    DeviceCaps caps_;
    std::string name_;
    RecordingCanvas canvas_;
    PageOrientation orientation_ = PageOrientation::Portrait;
    std::pair<double, double> paperMM_{210, 297};
    int32_t copies_ = 1;
    std::string outputFile_;
    std::string title_;
    bool printing_ = false;
    bool aborted_ = false;
    int32_t pages_ = 0;
};

}  // namespace gdi::test
