#include "printing/DatasetRange.h"

#include "printing/LabelPlacement.h"

#include <algorithm>
#include <limits>

namespace {

int32_t Clamped(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, 0, std::numeric_limits<int32_t>::max()));
}

}  // namespace

TRecordRange RecordRangeOf(TDatasetPrintOptions& options, int32_t recordCount, int32_t labelsPerSheet) {
    recordCount = std::max(recordCount, 0);
    labelsPerSheet = std::max(labelsPerSheet, 1);
    TRecordRange range;
    switch (options.RangeKind) {
    case TRecordRangeKind::AllRecords:
        range.Count = recordCount;
        break;
    case TRecordRangeKind::Records:
        options.RecordFrom = std::max(1, options.RecordFrom);
        options.RecordTo = std::min(recordCount, options.RecordTo);
        range.FirstRecord = options.RecordFrom;
        range.Count = Clamped(int64_t{options.RecordTo} - options.RecordFrom + 1);
        break;
    case TRecordRangeKind::Pages: {
        options.PageFrom = std::max(1, options.PageFrom);
        const int64_t pageStart = int64_t{labelsPerSheet} * (options.PageFrom - 1) + 1;
        // A first page past the records prints nothing (not the last record again).
        if (pageStart > recordCount) break;
        range.FirstRecord = static_cast<int32_t>(pageStart);
        const int64_t onPages = int64_t{labelsPerSheet} * (int64_t{options.PageTo} - options.PageFrom + 1);
        const int64_t left = int64_t{recordCount} - range.FirstRecord + 1;
        const int64_t missing = labelsPerSheet - CountMarkedPositions(options.Mask, labelsPerSheet);
        range.Count = Clamped(std::min(onPages - missing, left));
        break;
    }
    }
    return range;
}

int32_t DatasetPageCount(int64_t labels, int32_t labelsPerSheet) {
    labelsPerSheet = std::max(labelsPerSheet, 1);
    if (labels <= 0) return 0;
    return Clamped((labels + labelsPerSheet - 1) / labelsPerSheet);
}
