#pragma once
// An INI file held in memory: an ordered list of sections, each an ordered
// list of lines "name=value" kept exactly as read (no trimming anywhere; the
// name is the text before the first "=", lines without "=" are kept but never
// match a name). Section and value names compare case-insensitively; the
// first match wins.
//
// Texts are Unicode: a UTF-16 source keeps every character. Loading accepts
// UTF-16 (with byte-order mark) and Windows-1252 text; SaveToStream writes
// Windows-1252 text with CR LF, SaveToStreamUnicode UTF-16 LE with FF FE.

#include <QtCore/QHash>
#include <QtCore/QString>
#include <QtCore/QStringList>

#include <memory>
#include <string>
#include <vector>

class TStream;
class TWideStrings;

class TMyMemIniFile {
public:
    TMyMemIniFile();
    ~TMyMemIniFile();
    TMyMemIniFile(const TMyMemIniFile&) = delete;
    TMyMemIniFile& operator=(const TMyMemIniFile&) = delete;

    QString ReadString(const QString& section, const QString& name, const QString& defaultValue) const;
    void WriteString(const QString& section, const QString& name, const QString& value);
    int32_t ReadInteger(const QString& section, const QString& name, int32_t defaultValue) const;
    void WriteInteger(const QString& section, const QString& name, int32_t value);
    bool ReadBool(const QString& section, const QString& name, bool defaultValue) const;
    void WriteBool(const QString& section, const QString& name, bool value);
    double ReadFloat(const QString& section, const QString& name, double defaultValue) const;
    void WriteFloat(const QString& section, const QString& name, double value);
    // WriteFloat then writes its numbers with this decimal separator and no
    // grouping, whatever the user's number format is (files for other
    // programs that expect one separator).
    void SetDecimalSeparator(QChar separator) { decimalSeparator_ = separator; }

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& name) const;
    // Names of all lines of the section ("" for lines without "="); empty
    // when the section is missing.
    QStringList ReadSection(const QString& section) const;
    QStringList ReadSections() const;
    // The section's lines as stored.
    QStringList ReadSectionValues(const QString& section) const;
    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& name);
    void UpdateFile() {}
    void Clear();

    // Clears, then parses the stream's text (UTF-16 or 8-bit, see TWideStrings).
    void LoadFromStream(TStream& stream);
    // A missing file gives an empty INI; an unreadable one raises EFOpenError.
    void LoadFromFile(const std::string& fileName);
    // Parses 8-bit (Windows-1252) lines without clearing first.
    void LoadFromMemoryStream(TStream& stream);
    // Parses lines without clearing first.
    void AddLines(const QStringList& lines);

    // "[name]", its lines, an empty line; for each section in order.
    QStringList SaveToStrings() const;
    void SaveToStream(TStream& stream) const;
    void SaveToStreamUnicode(TStream& stream) const;
    void SaveToFile(const std::string& fileName) const;
    void SaveToFileUnicode(const std::string& fileName) const;

private:
    struct Section;
    Section* FindSection(const QString& name) const;
    Section& AddSection(const QString& name);
    void Parse(const QStringList& lines);

    std::vector<std::unique_ptr<Section>> sections_;
    QChar decimalSeparator_;  // null: the user's number format
    // Case-folded section name -> index of its first occurrence.
    QHash<QString, int> sectionIndex_;
};
