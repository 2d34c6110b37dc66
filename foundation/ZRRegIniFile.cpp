#include "foundation/ZRRegIniFile.h"

#include "foundation/Codepage1252.h"
#include "foundation/Debug.h"
#include "foundation/FormatText.h"
#include "foundation/Localizer.h"
#include "platform/registry/RegistryStore.h"
#include "platform/shell/SpecialFolders.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <charconv>

namespace {

QString Ansi(const std::string& s) { return AnsiToUnicode(s); }

// A decimal 32-bit integer with an optional sign, nothing else.
bool ParseDecimal(const QString& text, int32_t& value) {
    const std::string s = text.toStdString();
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (first != last && *first == '+') ++first;
    if (first == last) return false;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last;
}

std::unique_ptr<TZRRegIniFile>& Instance() {
    static std::unique_ptr<TZRRegIniFile> instance;
    return instance;
}

void ReportLoadProblem(const TZRRegIniFile& settings) {
    const auto& problem = settings.Store().Problem();
    if (!problem) return;
    Debug().Log(QStringLiteral("Settings store %1 unreadable (%2); moved to %3; defaults in use")
                    .arg(problem->fileName, problem->reason,
                         problem->movedTo.isEmpty() ? QStringLiteral("nowhere") : problem->movedTo));
}

}  // namespace

TZRRegIniFile::TZRRegIniFile(const QString& storeFilePath) : store_(std::make_unique<registry::Store>(storeFilePath)) {}

TZRRegIniFile::~TZRRegIniFile() = default;

std::string TZRRegIniFile::SectionKey(const std::string& section) const {
    std::string key(SettingsRoot);
    if (!section.empty()) key += "\\" + section;
    return key;
}

QString TZRRegIniFile::KeyPath(const std::string& section) const { return Ansi(SectionKey(section)); }

std::optional<QString> TZRRegIniFile::StringValue(const std::string& section, const std::string& ident) const {
    const auto value = store_->ReadValue(KeyPath(section), Ansi(ident));
    if (!value) return std::nullopt;
    if (value->type != registry::ValueType::String)
        throw ERegistryException(LocalizedFormat("IDS_REGINVALIDTYPE", {Ansi(ident)}));
    return value->text;
}

QString TZRRegIniFile::ReadText(const std::string& section, const std::string& ident, const QString& defaultValue) const {
    return StringValue(section, ident).value_or(defaultValue);
}

std::string TZRRegIniFile::ReadString(const std::string& section, const std::string& ident,
                                      const std::string& defaultValue) const {
    const auto text = StringValue(section, ident);
    return text ? UnicodeToAnsi(*text) : defaultValue;
}

int32_t TZRRegIniFile::ReadInteger(const std::string& section, const std::string& ident, int32_t defaultValue) const {
    const auto text = StringValue(section, ident);
    int32_t result = 0;
    return text && ParseDecimal(*text, result) ? result : defaultValue;
}

bool TZRRegIniFile::ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

double TZRRegIniFile::ReadFloat(const std::string& section, const std::string& ident, double defaultValue) const {
    try {
        double value = defaultValue;
        if (const auto text = StringValue(section, ident)) LocaleTextToFloat(*text, value);
        return value;
    } catch (...) {
        return defaultValue;
    }
}

template <class F>
void TZRRegIniFile::Write(F&& write) {
    try {
        write();
    } catch (const registry::StoreError& e) {
        throw ERegistryException(LocalizedFormat("IDS_REGWRITEERROR", {QString::fromUtf8(e.what())}));
    }
}

void TZRRegIniFile::WriteText(const std::string& section, const std::string& ident, const QString& value) {
    Write([&] { store_->WriteString(KeyPath(section), Ansi(ident), value); });
}

void TZRRegIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
    WriteText(section, ident, Ansi(value));
}

void TZRRegIniFile::WriteInteger(const std::string& section, const std::string& ident, int32_t value) {
    WriteText(section, ident, QString::number(value));
}

void TZRRegIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
    WriteText(section, ident, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TZRRegIniFile::WriteFloat(const std::string& section, const std::string& ident, double value) {
    WriteText(section, ident, FloatToLocaleText(value));
}

bool TZRRegIniFile::SectionExists(const std::string& section) const { return store_->KeyExists(KeyPath(section)); }

bool TZRRegIniFile::ValueExists(const std::string& section, const std::string& ident) const {
    return store_->ValueExists(KeyPath(section), Ansi(ident));
}

void TZRRegIniFile::ReadSection(const std::string& section, std::vector<std::string>& list) const {
    if (!store_->KeyExists(KeyPath(section))) return;
    list.clear();
    for (const QString& name : store_->ValueNames(KeyPath(section))) list.push_back(UnicodeToAnsi(name));
}

std::vector<std::string> TZRRegIniFile::ReadSubSections(const std::string& section) const {
    std::vector<std::string> names;
    for (const QString& name : store_->SubKeyNames(KeyPath(section))) names.push_back(UnicodeToAnsi(name));
    return names;
}

void TZRRegIniFile::DeleteKey(const std::string& section, const std::string& ident) {
    Write([&] { store_->DeleteValue(KeyPath(section), Ansi(ident)); });
}

void TZRRegIniFile::EraseSection(const std::string& section) {
    if (section.empty()) return;  // never the whole root
    Write([&] { store_->DeleteKey(KeyPath(section)); });
}

void TZRRegIniFile::BeginUpdate() { store_->BeginUpdate(); }

void TZRRegIniFile::EndUpdate() {
    Write([&] { store_->EndUpdate(); });
}

QString TZRRegIniFile::LoadProblemMessage() const {
    const auto& problem = store_->Problem();
    if (!problem) return {};
    if (problem->movedTo.isEmpty()) return LocalizedFormat("IDS_SETTINGSDAMAGED2", {problem->fileName});
    return LocalizedFormat("IDS_SETTINGSDAMAGED", {problem->fileName, problem->movedTo});
}

// ---- the process-wide settings

void UseSettingsFile(const QString& storeFilePath) {
    Instance() = std::make_unique<TZRRegIniFile>(storeFilePath);
    ReportLoadProblem(*Instance());
}

TZRRegIniFile& Settings() {
    auto& instance = Instance();
    if (!instance) {
        UseSettingsFile(registry::Store::DefaultFilePath());
        try {
            instance->WriteText("", "InstallDir", GetProgramFolder());
        } catch (const std::exception& e) {
            Debug().Log(QString::fromUtf8(e.what()));
        }
    }
    return *instance;
}

// ---- folders

namespace {

QString WithSlash(QString path) {
    if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
    return path;
}

}  // namespace

QString GetProgramFolder() { return WithSlash(shell::GetProgramFolderPath()); }

QString GetPersonalFolder() {
    // Desktops name a documents folder that need not exist; file dialogs
    // would then open in the working folder.
    const QString folder = shell::GetSpecialFolder(shell::SpecialFolder::Personal);
    return WithSlash(folder.isEmpty() || !QFileInfo(folder).isDir() ? QDir::homePath() : folder);
}

QString DataFolderBelow(const QString& appDataFolder, const QString& programFolder) {
    if (appDataFolder.isEmpty()) return WithSlash(programFolder);
    // The settings root without its leading "Software\".
    QString below = AnsiToUnicode(SettingsRoot.substr(9));
    below.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString path = WithSlash(appDataFolder) + below;
    QDir().mkpath(path);
    if (!QFileInfo(path).isDir()) return WithSlash(programFolder);
    return WithSlash(path);
}

QString GetDataFolder() {
    return DataFolderBelow(shell::GetSpecialFolder(shell::SpecialFolder::AppData), GetProgramFolder());
}

QString GetDataFilePath(const QString& fileName, const QString& dataFolder, const QString& programFolder) {
    const QString target = WithSlash(dataFolder) + fileName;
    if (QFileInfo::exists(target)) return target;
    const QString old = WithSlash(programFolder) + fileName;
    if (old != target && QFileInfo::exists(old)) {
        if (QFile::copy(old, target)) QFile::remove(old);
    }
    return target;
}

QString GetDataFilePath(const QString& fileName) {
    return GetDataFilePath(fileName, GetDataFolder(), GetProgramFolder());
}
