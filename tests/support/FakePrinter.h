#pragma once
// A printer for tests: records what a print job draws on a recording canvas
// of kind Printer (600 x 1200 dpi, A4 portrait with 4 mm unprintable margins
// unless other capabilities are given). Install it with
// gdi::SetCurrentPrinter(std::make_unique<FakePrinter>()).
//
// Its driver offers A4, Letter and A5 (SetPapers gives others) and takes sizes
// of the user's own unless told not to. A new paper keeps the resolution and
// the unprintable margins in pixels; landscape exchanges the two axes.

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
        caps.physicalWidth = Pixels(210.0, dpiX);
        caps.physicalHeight = Pixels(297.0, dpiY);
        caps.physicalOffsetX = Pixels(marginMM, dpiX);
        caps.physicalOffsetY = Pixels(marginMM, dpiY);
        caps.horzRes = caps.physicalWidth - 2 * caps.physicalOffsetX;
        caps.vertRes = caps.physicalHeight - 2 * caps.physicalOffsetY;
        caps.horzSizeMM = static_cast<int32_t>(std::lround(210.0 - 2 * marginMM));
        caps.vertSizeMM = static_cast<int32_t>(std::lround(297.0 - 2 * marginMM));
        caps.bitsPerPixel = 24;
        return caps;
    }

    static std::vector<PaperInfo> StandardPapers() {
        return {{"A4", 2100, 2970, 9, "A4"}, {"Letter", 2159, 2794, 1, "Letter"}, {"A5", 1480, 2100, 11, "A5"}};
    }

    explicit FakePrinter(const DeviceCaps& caps = A4Caps(), std::string name = "Fake")
        : caps_(caps), name_(std::move(name)), canvas_(caps, DeviceKind::Printer) {
        identity_.name = name_;
        identity_.driver = "Fake Driver";
        identity_.port = "fake:/";
    }

    std::string Name() const override { return name_; }
    DeviceCaps Caps() const override {
        ++capsReads_;
        return caps_;
    }
    PageOrientation Orientation() const override { return orientation_; }
    void SetOrientation(PageOrientation o) override {
        if (o == orientation_) return;
        ++orientationChanges_;
        orientation_ = o;
        std::swap(caps_.logPixelsX, caps_.logPixelsY);
        std::swap(caps_.physicalWidth, caps_.physicalHeight);
        std::swap(caps_.horzRes, caps_.vertRes);
        std::swap(caps_.physicalOffsetX, caps_.physicalOffsetY);
        std::swap(caps_.horzSizeMM, caps_.vertSizeMM);
        canvas_.SetDeviceCaps(caps_);
    }
    void SetPaperSizeMM(double width, double height) override { SetCustomPaper("", width, height); }
    int32_t Copies() const override { return copies_; }
    void SetCopies(int32_t copies) override { copies_ = copies; }

    PrinterIdentity Identity() const override { return identity_; }
    std::vector<PaperInfo> Papers() const override { return papers_; }
    PaperInfo CurrentPaper() const override { return paper_; }
    bool SelectPaper(const PaperInfo& paper) override {
        for (const PaperInfo& p : papers_)
            if (p.key == paper.key) {
                SetPaper(p);
                return true;
            }
        return false;
    }
    bool SetCustomPaper(const std::string& name, double widthMM, double heightMM) override {
        ++customPaperRequests_;
        if (!takesCustomSizes_ || !(widthMM > 0 && heightMM > 0)) return false;
        SetPaper({name, static_cast<int32_t>(std::lround(widthMM * 10)),
                  static_cast<int32_t>(std::lround(heightMM * 10)), 0, ""});
        return true;
    }
    int32_t MaxCopies() const override { return maxCopies_; }
    int32_t LandscapeRotation() const override { return landscapeRotation_; }
    bool Color() const override { return color_; }
    void SetColor(bool color) override { color_ = color; }
    PrinterChoices Choices() const override { return choices_; }
    int32_t Resolution() const override { return resolution_ > 0 ? resolution_ : caps_.logPixelsX; }
    void SetResolution(int32_t dpi) override { resolution_ = dpi; }
    DuplexMode Duplex() const override { return duplex_; }
    void SetDuplex(DuplexMode mode) override { duplex_ = mode; }
    PrinterSettings Settings() const override {
        return {paper_, orientation_, copies_, color_, Resolution(), duplex_};
    }
    void ApplySettings(const PrinterSettings& s) override {
        if (!SelectPaper(s.paper)) SetCustomPaper(s.paper.name, s.paper.width / 10.0, s.paper.height / 10.0);
        SetOrientation(s.orientation);
        copies_ = s.copies;
        color_ = s.color;
        resolution_ = s.resolution;
        duplex_ = s.duplex;
    }
    void ResetToDefaults() override {
        SetOrientation(PageOrientation::Portrait);
        if (!papers_.empty()) SetPaper(papers_.front());
        copies_ = 1;
        color_ = true;
        resolution_ = 0;
        duplex_ = DuplexMode::None;
    }

    void SetOutputFile(const std::string& fileName) override { outputFile_ = fileName; }
    bool BeginDoc(const std::string& title) override {
        if (printing_) return false;
        printing_ = true;
        aborted_ = false;
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
    bool Aborted() const override { return aborted_; }
    Canvas& GetCanvas() override { return canvas_; }

    // What the test sets.
    void SetPapers(std::vector<PaperInfo> papers) { papers_ = std::move(papers); }
    void SetChoices(PrinterChoices choices) { choices_ = std::move(choices); }
    void SetTakesCustomSizes(bool takes) { takesCustomSizes_ = takes; }
    void SetMaxCopies(int32_t copies) { maxCopies_ = copies; }
    void SetLandscapeRotation(int32_t degrees) { landscapeRotation_ = degrees; }
    PrinterIdentity& MutableIdentity() { return identity_; }

    // What the test looks at.
    RecordingCanvas& Recording() { return canvas_; }
    int32_t Pages() const { return pages_; }
    const std::string& Title() const { return title_; }
    std::pair<double, double> PaperMM() const { return {paper_.width / 10.0, paper_.height / 10.0}; }
    int32_t OrientationChanges() const { return orientationChanges_; }
    int32_t CapsReads() const { return capsReads_; }
    int32_t CustomPaperRequests() const { return customPaperRequests_; }

private:
    static int32_t Pixels(double mm, int32_t dpi) { return static_cast<int32_t>(std::lround(mm / 25.4 * dpi)); }

    // The page follows the paper; the margins in pixels stay.
    void SetPaper(const PaperInfo& paper) {
        paper_ = paper;
        const bool landscape = orientation_ == PageOrientation::Landscape;
        const double w = (landscape ? paper.height : paper.width) / 10.0;
        const double h = (landscape ? paper.width : paper.height) / 10.0;
        const int32_t marginRight = caps_.physicalWidth - caps_.physicalOffsetX - caps_.horzRes;
        const int32_t marginBottom = caps_.physicalHeight - caps_.physicalOffsetY - caps_.vertRes;
        caps_.physicalWidth = Pixels(w, caps_.logPixelsX);
        caps_.physicalHeight = Pixels(h, caps_.logPixelsY);
        caps_.horzRes = caps_.physicalWidth - caps_.physicalOffsetX - marginRight;
        caps_.vertRes = caps_.physicalHeight - caps_.physicalOffsetY - marginBottom;
        caps_.horzSizeMM = static_cast<int32_t>(std::lround(caps_.horzRes * 25.4 / caps_.logPixelsX));
        caps_.vertSizeMM = static_cast<int32_t>(std::lround(caps_.vertRes * 25.4 / caps_.logPixelsY));
        canvas_.SetDeviceCaps(caps_);
    }

    DeviceCaps caps_;
    std::string name_;
    PrinterIdentity identity_;
    RecordingCanvas canvas_;
    PageOrientation orientation_ = PageOrientation::Portrait;
    std::vector<PaperInfo> papers_ = StandardPapers();
    PaperInfo paper_ = StandardPapers().front();
    bool takesCustomSizes_ = true;
    int32_t maxCopies_ = 999;
    int32_t landscapeRotation_ = 90;
    int32_t copies_ = 1;
    bool color_ = true;
    PrinterChoices choices_;
    int32_t resolution_ = 0;  // 0: that of the caps
    DuplexMode duplex_ = DuplexMode::None;
    std::string outputFile_;
    std::string title_;
    bool printing_ = false;
    bool aborted_ = false;
    int32_t pages_ = 0;
    mutable int32_t capsReads_ = 0;
    int32_t orientationChanges_ = 0;
    int32_t customPaperRequests_ = 0;
};

}  // namespace gdi::test
