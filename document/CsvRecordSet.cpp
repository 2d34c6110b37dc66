#include "document/CsvRecordSet.h"

#include "document/WpsCsvParser.h"

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
    columns_.clear();
    for (size_t i = 0; i < names_.size(); ++i) {
        const QString key = FieldNameKey(names_[i]);
        if (!columns_.contains(key)) columns_.insert(key, i);
    }
}

std::vector<TDataSetField> TCsvRecordSet::Fields() const {
    std::vector<TDataSetField> fields;
    for (const std::string& name : names_) fields.push_back({name, TFieldType::String});
    return fields;
}

void TCsvRecordSet::First() {
    current_ = 0;
}

std::optional<size_t> TCsvRecordSet::ColumnOf(const std::string& name) const {
    const auto found = columns_.constFind(FieldNameKey(name));
    if (found == columns_.constEnd()) return std::nullopt;
    return *found;
}

std::optional<TDataSetField> TCsvRecordSet::FindField(const std::string& name) const {
    const std::optional<size_t> column = ColumnOf(name);
    if (!column) return std::nullopt;
    return TDataSetField{names_[*column], TFieldType::String};
}

std::string TCsvRecordSet::FieldValue(const std::string& name) const {
    const std::optional<size_t> column = ColumnOf(name);
    if (!column) RaiseFieldNotFound(name);
    if (current_ >= records_.size()) return {};
    const std::vector<std::string>& record = records_[current_];
    return *column < record.size() ? record[*column] : std::string();
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
