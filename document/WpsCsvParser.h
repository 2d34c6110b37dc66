#pragma once
// A line-by-line reader of delimited text files: comma, tab or semicolon
// between the fields, double quotes around a field that holds the separator
// (two double quotes inside it stand for one). Lines end with LF, CR LF or
// CR; texts are Windows-1252 bytes as they stand in the file.
//
// Splitting a line follows one state machine (SplitCsvLine): a field is
// emitted when the separator or the end of the line closes it. An empty line
// gives no fields; a line that ends inside a quoted field, or whose closing
// quote is followed by anything but the separator, loses its last field.

#include <QtCore/QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QFile;

constexpr uint8_t kCsvSeparatorComma = 0;
constexpr uint8_t kCsvSeparatorTab = 1;
constexpr uint8_t kCsvSeparatorSemicolon = 2;

// The fields of one line.
std::vector<std::string> SplitCsvLine(const std::string& line, char separator);

class TwpsCsvParser {
public:
    // Lines longer than this are no text: reading them raises EReadError.
    static constexpr int64_t kMaxLineLength = 1 << 20;

    // Comma separator, no header line.
    TwpsCsvParser();
    ~TwpsCsvParser();
    TwpsCsvParser(const TwpsCsvParser&) = delete;
    TwpsCsvParser& operator=(const TwpsCsvParser&) = delete;

    // Opens the file (Qt resource paths too) read-only; EFOpenError when it
    // cannot be opened. Any file open before is closed.
    void Open(const QString& fileName);
    // 0 comma, 1 tab, 2 semicolon; another kind is stored and leaves the
    // separator as it was.
    void SetSeparatorKind(uint8_t kind);
    // The next line split into Fields: false at the end of the file. The
    // first line is dropped when HeaderLine is set.
    bool ReadRecord();
    // Closes the file when it is open.
    void Close();

    bool IsOpen() const { return file_ != nullptr; }
    uint8_t SeparatorKind() const { return separatorKind_; }
    char Separator() const { return separator_; }
    const std::vector<std::string>& Fields() const { return fields_; }
    const std::string& Line() const { return line_; }

    // True: the first line is a header and is skipped.
    bool HeaderLine = false;

private:
    bool AtEnd() const;
    void ReadLine();

    std::unique_ptr<QFile> file_;
    QString fileName_;
    bool firstLine_ = false;
    std::vector<std::string> fields_;
    std::string line_;
    uint8_t separatorKind_ = kCsvSeparatorComma;
    char separator_ = ',';
};
