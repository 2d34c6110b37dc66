#pragma once
// A data set whose records can be walked one by one, as a serial print walks
// them: the record count, the current record's number, going to a record,
// the next record and the end of the data.

#include "content/DataSet.h"

#include <cstdint>

class TRecordSet : public TDataSet {
public:
    virtual int32_t RecordCount() const = 0;
    // The current record's number from 1; 0 when there are no records.
    virtual int32_t RecNo() const = 0;
    // To the record of that number, brought into 1 .. RecordCount.
    virtual void MoveTo(int32_t recNo) = 0;
    // To the next record; past the last one Eof is true.
    virtual void Next() = 0;
    // True past the last record, and always when there are no records.
    virtual bool Eof() const = 0;
};
