#pragma once
// A delimited text file as a record set: the first line names the fields,
// every further line that holds a field is one record. Values are the texts
// as they stand in the file; a record with fewer fields than the first line
// has empty values for the rest, fields beyond the names are not reachable.
// Field names are found without regard to letter case, through an index, so
// reading every field of a record with thousands of columns stays linear;
// of two names that differ only in case the first one counts.

#include "content/RecordSet.h"

#include <QtCore/QHash>
#include <QtCore/QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TCsvRecordSet : public TRecordSet {
public:
    // Reads the whole file with the separator kind (0 comma, 1 tab,
    // 2 semicolon) and stands on the first record. EFOpenError when the file
    // cannot be opened, EReadError when a line is no text.
    void Open(const QString& fileName, uint8_t separatorKind);

    std::vector<TDataSetField> Fields() const override;
    void First() override;
    std::string FieldValue(const std::string& name) const override;
    std::optional<TDataSetField> FindField(const std::string& name) const override;
    int32_t RecordCount() const override;
    int32_t RecNo() const override;
    void MoveTo(int32_t recNo) override;
    void Next() override;
    bool Eof() const override;

private:
    // The column of the name; none when the file has no such field.
    std::optional<size_t> ColumnOf(const std::string& name) const;

    std::vector<std::string> names_;
    QHash<QString, size_t> columns_;  // by FieldNameKey
    std::vector<std::vector<std::string>> records_;
    size_t current_ = 0;  // index of the current record; records_.size() past the end
};
