#pragma once
// Which records a serial print prints: all, a range of record numbers, or
// the records of a range of pages (a page holds one record per label
// position; labels missing on the first sheet take places off the pages).

#include "printing/PrintOptions.h"

#include <cstdint>

struct TRecordRange {
    int32_t FirstRecord = 1;
    int32_t Count = 0;
};

// The range of the options over a record set of recordCount records on a
// sheet of labelsPerSheet positions. The record range and the first page
// are brought within the records (the dialog shows them so afterwards); a
// range that holds no record counts 0.
TRecordRange RecordRangeOf(TDatasetPrintOptions& options, int32_t recordCount, int32_t labelsPerSheet);

// The pages that recordCount labels fill: a part-filled last page counts.
int32_t DatasetPageCount(int64_t labels, int32_t labelsPerSheet);
