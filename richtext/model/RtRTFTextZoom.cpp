// TRtRTFText: zoom scaling, the measuring tables and nested progress ranges.
#include "richtext/model/RtRTFText.h"

#include "foundation/Rounding.h"
#include "richtext/model/RtCustomRtfEditClass.h"

#include <algorithm>
#include <cmath>

int32_t TRtRTFText::ScaleByZoom(int32_t value) const {
    if (PrintMode) return MulDiv(value, ScreenResolution, LayoutResolution);
    if (Zoom == 100 || LayoutIncludesZoom) return value;
    return MulDiv(value, Zoom, 100);
}

int32_t TRtRTFText::UnscaleByZoom(int32_t value) const {
    if (PrintMode) return MulDiv(value, LayoutResolution, ScreenResolution);
    if (Zoom == 100 || LayoutIncludesZoom) return value;
    return MulDiv(value, 100, Zoom);
}

void TRtRTFText::SetMeasureTableCount(int32_t count) {
    measureTables_.assign(static_cast<size_t>(std::max(count, 1)), TRtMeasureTable{});
    InitMeasureTable();
}

void TRtRTFText::InitMeasureTable() {
    MeasureTableNumber = 1;
    MeasureCounterA = 0;
    MeasureCounterB = 0;
    currentMeasureTable_ = 0;
    TRtMeasureTable& table = measureTables_.front();
    table.fill(0);
    std::fill(table.begin(), table.begin() + 257, 16);
    table[kMeasureLineHeight] = UnscaleByZoom(16);
    table[kMeasureBaseLine] = UnscaleByZoom(14);
}

// ---- progress

void TRtRTFText::ReportGauge(int32_t value) {
    if (OnSetGaugeValue && !(Editor && Editor->IsLoading())) OnSetGaugeValue(Editor, value);
}

int32_t TRtRTFText::BeginProgress(int32_t total) {
    if (!OnSetGaugeValue || ProgressOff) return 1;
    TRtProgressRange r;
    r.total = total;
    if (!progress_.empty()) {
        const TRtProgressRange& outer = progress_.back();
        r.position = outer.position;
        r.end = outer.end;
        if (outer.share <= 0) {
            r.end = r.position;
        } else if (outer.share < 100) {
            r.end = outer.share * (outer.end - r.position) / 100 + r.position;
        }
    } else {
        r.position = 0;
        r.end = 100;
    }
    r.factor = total > 0 ? float(r.end - r.position) / float(total) : 0.0f;
    if (total <= 0) {
        r.granularity = -1;
    } else {
        r.granularity = r.factor > 0 ? std::max(1, Round(1.0 / r.factor)) : 1;
    }
    progress_.push_back(r);
    return r.granularity;
}

void TRtRTFText::SetProgressShare(int32_t percent) {
    if (!OnSetGaugeValue || ProgressOff || progress_.empty()) return;
    progress_.back().share = percent;
}

void TRtRTFText::StepProgress(int32_t step) {
    if (!OnSetGaugeValue || ProgressOff || progress_.empty()) return;
    TRtProgressRange& r = progress_.back();
    if (step - r.lastStep < r.granularity) return;
    const int32_t before = r.position;
    if (r.position < r.end) r.position += Round(double(step - r.lastStep) * r.factor);
    if (r.position != before) ReportGauge(r.position);
    r.lastStep = step;
}

void TRtRTFText::EndProgress() {
    if (!OnSetGaugeValue || ProgressOff || progress_.empty()) return;
    ReportGauge(progress_.back().end);
    progress_.pop_back();
    if (progress_.empty()) ReportGauge(0);
}

void TRtRTFText::ResetProgress() {
    progress_.clear();
    if (OnSetGaugeValue && !ProgressOff) ReportGauge(0);
}
