// TRtRTFTextPaint: construction and clearing, the output canvas, the
// device, layout and zoomed resolutions and the zoom mapping of the canvas.
#include "richtext/layout/RtRTFTextPaint.h"

#include "foundation/Rounding.h"
#include "platform/gdi/Canvas.h"
#include "richtext/layout/RtCharMeasurer.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>

TRtRTFTextPaint::TRtRTFTextPaint() : measurer_(&ReferenceCharMeasurer()) {
    PrintMode = !RtEngine().WysiwygOff;
    PaintModes = pmNoCanvas;
    // A new page size or margin changes every paragraph's width.
    Header().OnChange = [this](int) {
        for (TParagraph* p = FirstPar(); p; p = p->next) p->MarkChanged();
        Refresh(true);
    };
}

TRtRTFTextPaint::~TRtRTFTextPaint() = default;

void TRtRTFTextPaint::Clear() {
    CurrentAttr = TAttr{};
    PendingObjects().clear();
    for (TRtColorEntry& c : Header().Colors) c.inUse = 0;
    TRtRTFTextIo::Clear();
    MeasureCounterA = 0;
    if (OnDocumentChange) OnDocumentChange();
}

TRtLayoutHost& TRtRTFTextPaint::HostOrNone() {
    static TRtLayoutHost none;
    return Host ? *Host : none;
}

void TRtRTFTextPaint::SetMeasurer(TRtCharMeasurer* measurer) {
    measurer_ = measurer ? measurer : &ReferenceCharMeasurer();
    InitMeasureTable();
    MeasureCounterA = 0;
}

// ---- canvas

void TRtRTFTextPaint::SetCanvas(gdi::Canvas* canvas) {
    if (canvas == canvas_ && canvas) return;
    canvas_ = canvas;
    if (!canvas) {
        PaintModes = pmNoCanvas;
        return;
    }
    PaintModes &= ~pmNoCanvas;
    InitCanvasMetrics();
}

void TRtRTFTextPaint::InitCanvasMetrics() {
    InitMeasureTable();
    MeasureCounterA = 0;
    if (NoCanvas()) return;
    UpdateDeviceResolution();
    const int32_t zoom = Zoom;
    Zoom = 100;
    TAttr plain;
    plain.size = uint8_t(RtEngine().DefaultFontSize);
    SelectCharFont(&plain);
    DefaultLineHeight = MeasureTable()[kMeasureLineHeight];
    Zoom = zoom;
    UpdatePageLayout(nullptr);
}

int32_t TRtRTFTextPaint::LayoutResolutionForDevice() const {
    return PrintLayoutResolution > 0 ? PrintLayoutResolution : measurer_->ReferenceDpi();
}

void TRtRTFTextPaint::UpdateDeviceResolution() {
    if (PrintMode) {
        Zoom = std::max(Zoom, 1);
        const int32_t r = LayoutResolutionForDevice();
        const int32_t raw = (PaintModes & pmDeviceResolutionAsIs) ? r : MulDiv(r, 100, Zoom);
        SetResolution(raw, raw);
        OnePixel = std::max(1, UnscaleByZoom(1));
    } else {
        OnePixel = 1;
        SetResolution(canvas_ ? canvas_->Caps().logPixelsX : 0, canvas_ ? canvas_->Caps().logPixelsY : 0);
    }
    VisibleWidth = HostOrNone().ClientWidth();
    VisibleHeight = HostOrNone().ClientHeight();
    VisibleLayoutWidth = UnscaleByZoom(VisibleWidth);
    VisibleLayoutHeight = UnscaleByZoom(VisibleHeight);
    ZoomedScreenResolution = Zoom > 0 ? MulDiv(ScreenResolution, Zoom, 100) : ScreenResolution;
    UpdateParRectObjects();
}

void TRtRTFTextPaint::SetResolution(int32_t x, int32_t y) {
    const int32_t fallback = PrintMode ? LayoutResolutionForDevice() : ScreenResolution;
    if (x == 0) x = fallback;
    if (y == 0) y = fallback;
    const bool asIs = (PaintModes & pmDeviceResolutionAsIs) != 0;
    const int32_t sx = asIs ? x : std::max(1, MulDiv(x, Zoom, 100));
    const int32_t sy = asIs ? y : std::max(1, MulDiv(y, Zoom, 100));
    TTextHeader& header = Header();
    const bool scaled = LayoutIncludesZoom || PrintMode;
    header.LayoutResX = scaled ? sx : x;
    header.LayoutResY = scaled ? sy : y;
    LayoutResolution = y;
    const bool deviceChanged = header.DisplayResX != sx || header.DisplayResY != sy;
    header.DisplayResX = sx;
    header.DisplayResY = sy;
    header.FontResolution = sy;
    if (PrintMode) {
        header.LayoutResY = LayoutResolutionForDevice();
        header.LayoutResX = header.LayoutResY;
        header.DisplayResX = header.DisplayResY;
    }
    if (NoCanvas()) return;
    if (header.DisplayResX == 0) header.DisplayResX = 96;
    header.UpdatePixelMetrics();
    header.UpdateTabPixels();
    Relayout();
    if (deviceChanged && !formatting_ && !PrintMode) Reformat();
}

void TRtRTFTextPaint::SetZoom(int32_t percent) {
    if (percent == Zoom) return;
    Zoom = percent;
    if (!NoCanvas()) UpdateDeviceResolution();
}

// ---- zoom mapping

void TRtRTFTextPaint::PrepareCanvasMapping(bool force) {
    if (!canvas_) return;
    const bool needed = CustomScale || PrintMode || !(LayoutIncludesZoom || Zoom == 100 || Zoom <= 0 || CustomMapping);
    if (!needed) return;
    if (force || canvas_->state().mapMode != gdi::MapMode::Anisotropic) SetZoomMapping(*canvas_);
}

void TRtRTFTextPaint::SetZoomMapping(gdi::Canvas& canvas) {
    if (!PrintMode && !CustomScale && (LayoutIncludesZoom || Zoom == 100 || Zoom <= 0)) return;
    const int32_t ppiX = canvas.Caps().logPixelsX;
    const int32_t ppiY = canvas.Caps().logPixelsY;
    canvas.SetMapMode(gdi::MapMode::Anisotropic);
    const int32_t zoom = std::max(Zoom, 1);
    if (PrintMode) {
        const int32_t extent = MulDiv(LayoutResolutionForDevice(), 100, zoom);
        canvas.SetWindowExt(extent, extent);
    } else if (CustomScale) {
        canvas.SetWindowExt(Round(ppiX * ScaleX), Round(ppiY * ScaleY));
    } else {
        canvas.SetWindowExt(MulDiv(ppiX, 100, zoom), MulDiv(ppiY, 100, zoom));
    }
    canvas.SetViewportExt(ppiX, ppiY);
    canvas.SetViewportOrg(0, 0);
}

void TRtRTFTextPaint::SetDefaultMapMode(gdi::Canvas& canvas) {
    if (!CustomMapping) canvas.SetMapMode(gdi::MapMode::Text);
}
