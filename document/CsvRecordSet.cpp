#include "document/CsvRecordSet.h"

#include "document/WpsCsvParser.h"
#include "foundation/Codepage1252.h"

#include <algorithm>

void TCsvRecordSet::Open(const QString& fileName, uint8_t separatorKind) {
    TwpsCsvParser parser;
    parser.SetSeparatorKind(separatorKind);
    parser.Open(fileName);
    std::vector<std::string> names;
    std::vector<std::vector<std::string>> records;
    bool header = true;
    while (parser.ReadRecord()) {
        if (parser.Fields().empty()) continue;
        if (header)
            names = parser.Fields();
        else
            records.push_back(parser.Fields());
        header = false;
    }
    names_ = std::move(names);
    records_ = std::move(records);
    current_ = 0;
}

std::vector<TDataSetField> TCsvRecordSet::Fields() const {
    std::vector<TDataSetField> fields;
    for (const std::string& name : names_) fields.push_back({name, TFieldType::String});
    return fields;
}

void TCsvRecordSet::First() {
    current_ = 0;
}

std::string TCsvRecordSet::FieldValue(const std::string& name) const {
    const auto found =
        std::find_if(names_.begin(), names_.end(), [&](const std::string& n) { return SameTextAscii(n, name); });
    if (found == names_.end()) RaiseFieldNotFound(name);
    if (current_ >= records_.size()) return {};
    const std::vector<std::string>& record = records_[current_];
    const auto index = static_cast<size_t>(found - names_.begin());
    return index < record.size() ? record[index] : std::string();
}

int32_t TCsvRecordSet::RecordCount() const {
    return static_cast<int32_t>(std::min<size_t>(records_.size(), INT32_MAX));
}

int32_t TCsvRecordSet::RecNo() const {
    if (records_.empty()) return 0;
    return static_cast<int32_t>(std::min(current_, records_.size() - 1)) + 1;
}

void TCsvRecordSet::MoveTo(int32_t recNo) {
    if (records_.empty()) return;
    current_ = static_cast<size_t>(std::clamp(recNo, 1, RecordCount()) - 1);
}

void TCsvRecordSet::Next() {
    if (current_ < records_.size()) ++current_;
}

bool TCsvRecordSet::Eof() const {
    return current_ >= records_.size();
}
