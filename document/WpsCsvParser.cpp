#include "document/WpsCsvParser.h"

#include "foundation/Exceptions.h"

#include <QtCore/QFile>

namespace {

constexpr char kCsvQuote = '"';

enum class CsvState { FieldStart, Unquoted, Quoted, AfterQuote };

}  // namespace

std::vector<std::string> SplitCsvLine(const std::string& line, char separator) {
    std::vector<std::string> fields;
    std::string field;
    CsvState state = CsvState::FieldStart;
    const size_t count = line.size();
    for (size_t i = 0; i < count; ++i) {
        const char c = line[i];
        const bool last = i + 1 == count;
        switch (state) {
        case CsvState::FieldStart:
            field.clear();
            if (c == kCsvQuote) {
                state = CsvState::Quoted;
            } else if (c == separator) {
                fields.push_back(field);
                if (last) fields.emplace_back();
            } else {
                field = c;
                state = CsvState::Unquoted;
                if (last) fields.push_back(field);
            }
            break;
        case CsvState::Unquoted:
            if (c == separator) {
                fields.push_back(field);
                if (last) fields.emplace_back();
                state = CsvState::FieldStart;
            } else {
                field += c;
                if (last) fields.push_back(field);
            }
            break;
        case CsvState::Quoted:
            if (c != kCsvQuote) {
                field += c;
            } else if (last) {
                fields.push_back(field);
            } else {
                // The separator behind the closing quote emits the field.
                state = line[i + 1] == separator ? CsvState::Unquoted : CsvState::AfterQuote;
            }
            break;
        case CsvState::AfterQuote:
            // Two quotes inside a quoted field stand for one; anything else
            // behind a closing quote is dropped.
            if (c == kCsvQuote) {
                field += kCsvQuote;
                state = CsvState::Quoted;
            }
            break;
        }
    }
    return fields;
}

TwpsCsvParser::TwpsCsvParser() = default;

TwpsCsvParser::~TwpsCsvParser() {
    Close();
}

void TwpsCsvParser::Open(const QString& fileName) {
    Close();
    auto file = std::make_unique<QFile>(fileName);
    if (!file->open(QIODevice::ReadOnly))
        throw EFOpenError("Cannot open file \"" + fileName.toStdString() + "\": " + file->errorString().toStdString());
    file_ = std::move(file);
    fileName_ = fileName;
    firstLine_ = true;
}

void TwpsCsvParser::SetSeparatorKind(uint8_t kind) {
    separatorKind_ = kind;
    switch (kind) {
    case kCsvSeparatorComma: separator_ = ','; break;
    case kCsvSeparatorTab: separator_ = '\t'; break;
    case kCsvSeparatorSemicolon: separator_ = ';'; break;
    default: break;
    }
}

bool TwpsCsvParser::AtEnd() const {
    return !file_ || file_->atEnd();
}

void TwpsCsvParser::ReadLine() {
    line_.clear();
    char c = 0;
    while (file_->getChar(&c)) {
        if (c == '\n') return;
        if (c == '\r') {
            char next = 0;
            if (file_->peek(&next, 1) == 1 && next == '\n') file_->getChar(&next);
            return;
        }
        if (static_cast<int64_t>(line_.size()) >= kMaxLineLength)
            throw EReadError("Line too long in \"" + fileName_.toStdString() + "\"");
        line_ += c;
    }
}

bool TwpsCsvParser::ReadRecord() {
    fields_.clear();
    if (firstLine_ && HeaderLine) {
        if (!AtEnd()) ReadLine();
        firstLine_ = false;
    }
    if (AtEnd()) return false;
    ReadLine();
    fields_ = SplitCsvLine(line_, separator_);
    return true;
}

void TwpsCsvParser::Close() {
    file_.reset();
}
