#include "foundation/MyMemIniFile.h"

#include "foundation/Codepage1252.h"
#include "foundation/FormatText.h"
#include "foundation/Stream.h"
#include "foundation/WideStrings.h"

#include <QtCore/QFileInfo>
#include <QtCore/QLocale>

struct TMyMemIniFile::Section {
    QString name;
    QStringList lines;
    // Case-folded name -> index of the first line with that name; built on
    // demand and dropped on every change.
    mutable QHash<QString, int> index;
    mutable bool indexed = false;

    static QString NameOf(const QString& line) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        return eq < 0 ? QString() : line.left(eq);
    }
    int Find(const QString& name) const {
        if (!indexed) {
            index.clear();
            // Backwards, so that the first matching line wins.
            for (int i = lines.size() - 1; i >= 0; --i)
                if (lines[i].contains(QLatin1Char('='))) index.insert(NameOf(lines[i]).toCaseFolded(), i);
            indexed = true;
        }
        return index.value(name.toCaseFolded(), -1);
    }
    void Touch() { indexed = false; }
};

namespace {

QStringList ToQStringList(const TWideStrings& list) {
    QStringList lines;
    lines.reserve(list.Count());
    for (int i = 0; i < list.Count(); ++i) lines << WideToQString(list.Get(i));
    return lines;
}

// The lines, each followed by CR LF, as UTF-16 LE with byte-order mark or as
// Windows-1252.
void WriteLines(const QStringList& lines, bool unicode, TStream& stream) {
    TWideStringList list;
    list.SetStoredAsUnicode(unicode);
    for (const QString& line : lines) list.Add(QStringToWide(line));
    list.SaveToStream(stream);
}

}  // namespace

TMyMemIniFile::TMyMemIniFile() = default;
TMyMemIniFile::~TMyMemIniFile() = default;

TMyMemIniFile::Section* TMyMemIniFile::FindSection(const QString& name) const {
    const int i = sectionIndex_.value(name.toCaseFolded(), -1);
    return i < 0 ? nullptr : sections_[static_cast<size_t>(i)].get();
}

TMyMemIniFile::Section& TMyMemIniFile::AddSection(const QString& name) {
    if (Section* existing = FindSection(name)) return *existing;
    sections_.push_back(std::make_unique<Section>());
    sections_.back()->name = name;
    sectionIndex_.insert(name.toCaseFolded(), static_cast<int>(sections_.size() - 1));
    return *sections_.back();
}

QString TMyMemIniFile::ReadString(const QString& section, const QString& name, const QString& defaultValue) const {
    const Section* s = FindSection(section);
    if (!s) return defaultValue;
    const int i = s->Find(name);
    if (i < 0) return defaultValue;
    const QString& line = s->lines[i];
    return line.mid(line.indexOf(QLatin1Char('=')) + 1);
}

void TMyMemIniFile::WriteString(const QString& section, const QString& name, const QString& value) {
    Section& s = AddSection(section);
    const int i = s.Find(name);
    const QString line = name + QLatin1Char('=') + value;
    if (i >= 0) {
        s.lines[i] = line;
    } else {
        s.lines.append(line);
    }
    s.Touch();
}

int32_t TMyMemIniFile::ReadInteger(const QString& section, const QString& name, int32_t defaultValue) const {
    const QString text = ReadString(section, name, QString());
    bool ok = false;
    const int32_t value = text.toInt(&ok, 10);
    return ok ? value : defaultValue;
}

void TMyMemIniFile::WriteInteger(const QString& section, const QString& name, int32_t value) {
    WriteString(section, name, QString::number(value));
}

bool TMyMemIniFile::ReadBool(const QString& section, const QString& name, bool defaultValue) const {
    return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

void TMyMemIniFile::WriteBool(const QString& section, const QString& name, bool value) {
    WriteString(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

double TMyMemIniFile::ReadFloat(const QString& section, const QString& name, double defaultValue) const {
    double value = defaultValue;
    LocaleTextToFloat(ReadString(section, name, QString()), value);
    return value;
}

void TMyMemIniFile::WriteFloat(const QString& section, const QString& name, double value) {
    if (decimalSeparator_.isNull()) {
        WriteString(section, name, FloatToLocaleText(value));
        return;
    }
    QString text = QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
    text.replace(QLatin1Char('.'), decimalSeparator_);
    WriteString(section, name, text);
}

bool TMyMemIniFile::SectionExists(const QString& section) const { return FindSection(section) != nullptr; }

bool TMyMemIniFile::ValueExists(const QString& section, const QString& name) const {
    const Section* s = FindSection(section);
    return s && s->Find(name) >= 0;
}

QStringList TMyMemIniFile::ReadSection(const QString& section) const {
    QStringList names;
    if (const Section* s = FindSection(section))
        for (const QString& line : s->lines) names << Section::NameOf(line);
    return names;
}

QStringList TMyMemIniFile::ReadSections() const {
    QStringList names;
    for (const auto& s : sections_) names << s->name;
    return names;
}

QStringList TMyMemIniFile::ReadSectionValues(const QString& section) const {
    if (const Section* s = FindSection(section)) return s->lines;
    return {};
}

void TMyMemIniFile::EraseSection(const QString& section) {
    const int i = sectionIndex_.value(section.toCaseFolded(), -1);
    if (i < 0) return;
    sections_.erase(sections_.begin() + i);
    sectionIndex_.clear();
    for (int k = static_cast<int>(sections_.size()) - 1; k >= 0; --k)
        sectionIndex_.insert(sections_[static_cast<size_t>(k)]->name.toCaseFolded(), k);
}

void TMyMemIniFile::DeleteKey(const QString& section, const QString& name) {
    Section* s = FindSection(section);
    if (!s) return;
    const int i = s->Find(name);
    if (i < 0) return;
    s->lines.removeAt(i);
    s->Touch();
}

void TMyMemIniFile::Clear() {
    sections_.clear();
    sectionIndex_.clear();
}

void TMyMemIniFile::Parse(const QStringList& lines) {
    Section* current = nullptr;
    for (const QString& line : lines) {
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')) && line.size() >= 2) {
            current = &AddSection(line.mid(1, line.size() - 2));
            continue;
        }
        if (!current) continue;  // lines before the first header
        current->lines.append(line);
        current->Touch();
    }
}

void TMyMemIniFile::AddLines(const QStringList& lines) { Parse(lines); }

void TMyMemIniFile::LoadFromStream(TStream& stream) {
    TWideStringList list;
    list.LoadFromStream(stream);
    Clear();
    Parse(ToQStringList(list));
}

void TMyMemIniFile::LoadFromFile(const std::string& fileName) {
    Clear();
    if (!QFileInfo::exists(QString::fromStdString(fileName))) return;
    TFileStream stream(fileName, FileMode::OpenRead);
    LoadFromStream(stream);
}

void TMyMemIniFile::LoadFromMemoryStream(TStream& stream) {
    const int64_t n = stream.Remaining();
    std::string bytes(static_cast<size_t>(n), '\0');
    stream.ReadBuffer(bytes.data(), n);
    TWideStringList list;
    list.SetText(AnsiToWide(bytes));
    Parse(ToQStringList(list));
}

QStringList TMyMemIniFile::SaveToStrings() const {
    QStringList out;
    for (const auto& s : sections_) {
        out << QLatin1Char('[') + s->name + QLatin1Char(']');
        out << s->lines;
        out << QString();
    }
    return out;
}

void TMyMemIniFile::SaveToStream(TStream& stream) const { WriteLines(SaveToStrings(), false, stream); }

void TMyMemIniFile::SaveToStreamUnicode(TStream& stream) const { WriteLines(SaveToStrings(), true, stream); }

void TMyMemIniFile::SaveToFile(const std::string& fileName) const {
    TFileStream stream(fileName, FileMode::Create);
    SaveToStream(stream);
}

void TMyMemIniFile::SaveToFileUnicode(const std::string& fileName) const {
    TFileStream stream(fileName, FileMode::Create);
    SaveToStreamUnicode(stream);
}
