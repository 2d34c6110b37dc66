#include "design/TemplateIndex.h"

#include "foundation/Codepage1252.h"
#include "foundation/Exceptions.h"
#include "foundation/Localizer.h"
#include "foundation/MyMemIniFile.h"
#include "foundation/Stream.h"
#include "foundation/ZRRegIniFile.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>

#include <cstdint>

namespace {

const QString kGeneralSection = QStringLiteral("Allgemein");
const QString kMaxName = QStringLiteral("Max");
const QString kStylesSection = QStringLiteral("Styles");

QString WithSeparator(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString TemplateFileName(int64_t number) {
    return QStringLiteral("STIL%1.sty").arg(number);
}

// A key of the index names a file of the template folder only when it is
// a plain file name.
bool IsPlainFileName(const QString& name) {
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(u'\\');
}

// A description stays on its line of the index.
QString OneLine(QString text) {
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

EFCreateError CannotSave(const QString& path) {
    return EFCreateError(LocalizedFormat("IDS_CANNOTSAVEFILE", {QDir::toNativeSeparators(path)}));
}

void LoadIndex(TMyMemIniFile& ini, const QString& path) {
    ini.LoadFromFile(QFile::encodeName(path).toStdString());
}

// Windows-1252 as the index has always been written; UTF-16 when a
// description holds characters beyond it.
void SaveIndex(const TMyMemIniFile& ini, const QString& path) {
    TMemoryStream bytes;
    if (IsAnsiRepresentable(ini.SaveToStrings().join(u'\n')))
        ini.SaveToStream(bytes);
    else
        ini.SaveToStreamUnicode(bytes);
    QSaveFile file(path);
    const auto size = static_cast<qint64>(bytes.Bytes().size());
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(bytes.Memory()), size) != size || !file.commit())
        throw CannotSave(path);
}

void EnsureFolder(const QString& folder) {
    if (!QDir().mkpath(folder)) throw CannotSave(folder);
}

// Template numbers are Integers; after the largest the numbering starts again
// at 1, still taking only numbers that are free.
constexpr int64_t kLastTemplateNumber = INT32_MAX;

// "Max" as a number; what is no number, below 0 or beyond the last template
// number counts as 0.
int64_t ReadMax(const TMyMemIniFile& ini) {
    bool ok = false;
    const int64_t max = ini.ReadString(kGeneralSection, kMaxName, QString()).trimmed().toLongLong(&ok);
    return ok && max > 0 && max <= kLastTemplateNumber ? max : 0;
}

int64_t NextTemplateNumber(int64_t number) {
    return number < kLastTemplateNumber ? number + 1 : 1;
}

}  // namespace

TTemplateIndex::TTemplateIndex(const QString& folder) : folder_(WithSeparator(folder)) {}

QString TTemplateIndex::NewTemplateFileName() {
    EnsureFolder(folder_);
    TMyMemIniFile ini;
    LoadIndex(ini, IndexPath());
    // Ends: only as many numbers can be taken as the folder holds files and
    // the index entries.
    int64_t number = NextTemplateNumber(ReadMax(ini));
    while (QFileInfo::exists(folder_ + TemplateFileName(number)) ||
           ini.ValueExists(kStylesSection, TemplateFileName(number)))
        number = NextTemplateNumber(number);
    ini.WriteString(kGeneralSection, kMaxName, QString::number(number));
    SaveIndex(ini, IndexPath());
    return folder_ + TemplateFileName(number);
}

void TTemplateIndex::RegisterTemplate(const QString& fileName, const QString& description) {
    EnsureFolder(folder_);
    TMyMemIniFile ini;
    LoadIndex(ini, IndexPath());
    ini.WriteString(kStylesSection, fileName, OneLine(description));
    SaveIndex(ini, IndexPath());
}

std::vector<TTemplateEntry> TTemplateIndex::Templates() const {
    TMyMemIniFile ini;
    LoadIndex(ini, IndexPath());
    std::vector<TTemplateEntry> entries;
    QStringList seen;
    for (const QString& key : ini.ReadSection(kStylesSection)) {
        if (key.isEmpty() || seen.contains(key, Qt::CaseInsensitive)) continue;
        seen << key;
        entries.push_back({key, ini.ReadString(kStylesSection, key, QString())});
    }
    return entries;
}

void TTemplateIndex::RenameTemplate(const QString& fileName, const QString& description) {
    RegisterTemplate(fileName, description);
}

void TTemplateIndex::DeleteTemplate(const QString& fileName) {
    if (IsPlainFileName(fileName)) QFile::remove(folder_ + fileName);
    TMyMemIniFile ini;
    LoadIndex(ini, IndexPath());
    if (!ini.ValueExists(kStylesSection, fileName)) return;
    ini.DeleteKey(kStylesSection, fileName);
    SaveIndex(ini, IndexPath());
}

QString TTemplateIndex::SaveTemplate(const QString& description, const TTemplateWriter& write) {
    const QString path = NewTemplateFileName();
    try {
        write(path);
        RegisterTemplate(QFileInfo(path).fileName(), description);
    } catch (...) {
        QFile::remove(path);
        throw;
    }
    return path;
}

QString TemplateFolderFrom(const QString& setting, const QString& dataFolder) {
    if (!setting.isEmpty()) return WithSeparator(setting);
    return WithSeparator(dataFolder) + QStringLiteral("Styles/");
}

QString GetTemplateFolder() {
    return TemplateFolderFrom(Settings().ReadText("StyleDir", "StyleDir", QString()), GetDataFolder());
}

TTemplateIndex& TemplateIndex() {
    static TTemplateIndex index(GetTemplateFolder());
    return index;
}

bool SaveAsTemplateCommand(TTemplateIndex& index, const TSaveTemplateUi& ui, const TTemplateWriter& write) {
    QString description = LocalizedText("IDS_TEMPLATENEWDEFAULT");
    if (!ui.InputQuery(LocalizedText("IDS_TEMPLATENEWCAPTION"), LocalizedText("IDS_TEMPLATENEWPROMPT"), description))
        return false;
    if (description.isEmpty()) {
        ui.ShowError(LocalizedText("IDS_TEMPLATENONAME"));
        return false;
    }
    index.SaveTemplate(description, write);
    ui.ShowInformation(LocalizedText("IDS_TEMPLATESAVED"));
    return true;
}
