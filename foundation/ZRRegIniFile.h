#pragma once
// The settings of the program: typed, defaulted values in sections below the
// root key "Software\Kroxa\Zorbit Software" of the per-user settings store.
// A section name may hold backslashes ("freedb\Sites") and then names a
// nested key; the empty section is the root key itself.
//
// Every value is written as a string: integers as decimal text, Booleans as
// "1"/"0", floats as the shortest text in the user's locale ("0,5" under a
// German locale). Section, value names and string values are Windows-1252
// model strings; ReadText/WriteText take Unicode text (file and folder paths).
// Nothing is cached: every write reaches the store file at once, and every
// read sees what another running instance of the program wrote last.

#include "foundation/Exceptions.h"

#include <QtCore/QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace registry {
class Store;
}

// A value exists with a type other than string, or the store file cannot be
// written.
ZORBIT_DECLARE_EXCEPTION(ERegistryException, Exception);

inline constexpr std::string_view SettingsRoot = "Software\\Kroxa\\Zorbit Software";

class TZRRegIniFile {
public:
    // The store in storeFilePath (registry::Store::DefaultFilePath() for the
    // user's own).
    explicit TZRRegIniFile(const QString& storeFilePath);
    ~TZRRegIniFile();
    TZRRegIniFile(const TZRRegIniFile&) = delete;
    TZRRegIniFile& operator=(const TZRRegIniFile&) = delete;

    // SettingsRoot + "\" + section; the root for an empty section.
    std::string SectionKey(const std::string& section) const;

    std::string ReadString(const std::string& section, const std::string& ident, const std::string& defaultValue) const;
    int32_t ReadInteger(const std::string& section, const std::string& ident, int32_t defaultValue) const;
    bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;
    // Never raises: any failure gives the default.
    double ReadFloat(const std::string& section, const std::string& ident, double defaultValue) const;
    QString ReadText(const std::string& section, const std::string& ident, const QString& defaultValue) const;

    void WriteString(const std::string& section, const std::string& ident, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& ident, int32_t value);
    void WriteBool(const std::string& section, const std::string& ident, bool value);
    void WriteFloat(const std::string& section, const std::string& ident, double value);
    void WriteText(const std::string& section, const std::string& ident, const QString& value);

    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& ident) const;
    // When the section exists: list becomes the names of its values in the
    // order they were written; otherwise list stays as it is.
    void ReadSection(const std::string& section, std::vector<std::string>& list) const;
    // The names of the section's sub-keys (for "Druckoption\..." and the like).
    std::vector<std::string> ReadSubSections(const std::string& section) const;
    // Deletes one value; nothing when it is missing.
    void DeleteKey(const std::string& section, const std::string& ident);
    // Deletes the section with all its sub-sections; nothing when missing.
    void EraseSection(const std::string& section);

    // Groups several writes into one write of the store file.
    void BeginUpdate();
    void EndUpdate();

    registry::Store& Store() { return *store_; }
    const registry::Store& Store() const { return *store_; }
    // A localized message when the store file was damaged and set aside at
    // start (empty otherwise); the main window shows it once.
    QString LoadProblemMessage() const;

private:
    QString KeyPath(const std::string& section) const;
    // The value's text; nothing when it is missing; raises for another type.
    std::optional<QString> StringValue(const std::string& section, const std::string& ident) const;
    template <class F>
    void Write(F&& write);

    std::unique_ptr<registry::Store> store_;
};

// The process-wide settings, created on first use on the user's store file;
// at creation "InstallDir" (the program folder) is written into the root.
TZRRegIniFile& Settings();
inline TZRRegIniFile& GetSettings() { return Settings(); }
// Replaces the process-wide settings by a store in another file (tests).
void UseSettingsFile(const QString& storeFilePath);

// Folders, each with a trailing "/".
QString GetProgramFolder();
QString GetPersonalFolder();
// <app data>/Kroxa/Zorbit Software/, created on demand; the program folder
// when it cannot be created.
QString GetDataFolder();
QString DataFolderBelow(const QString& appDataFolder, const QString& programFolder);
// The path of a data file in the data folder. A copy found only in the
// program folder is moved there first (failures are ignored: the old file
// stays and the path names a file that does not exist yet).
QString GetDataFilePath(const QString& fileName);
QString GetDataFilePath(const QString& fileName, const QString& dataFolder, const QString& programFolder);
