#pragma once
// Version information of a file: the four version numbers and the eight
// strings of its version resource, and its date stamp. The program carries
// its own version resource, generated at build time from the project version
// (ProgramVersionResource); other files have none.

#include <QtCore/QDateTime>
#include <QtCore/QMap>
#include <QtCore/QString>

#include <array>
#include <cstdint>

// The version resource of a file: 16-bit version parts (major, minor,
// release, build), the translation of its string table and the strings.
struct TVersionResource {
    std::array<uint16_t, 4> fileVersion{};
    std::array<uint16_t, 4> productVersion{};
    QString translation;
    QMap<QString, QString> strings;
};

// The program's own version resource (German string table, code page 1252).
const TVersionResource& ProgramVersionResource();

// A version number as the program shows it: the low byte of each part.
class TProjVersion {
public:
    void Assign(const std::array<uint16_t, 4>& parts);

    uint8_t vv = 0;  // major
    uint8_t rr = 0;  // minor
    uint8_t mm = 0;  // release
    uint8_t pp = 0;  // build
};

class TFileInfo {
public:
    static constexpr const char* kTranslationKey = "040704E4";
    static constexpr const char* kNotFound = "Nicht gefunden";

    // resource: the file's version resource, none when the file has none.
    explicit TFileInfo(const QString& fileName, const TVersionResource* resource = nullptr);

    // The string of the version resource under the key; "Nicht gefunden"
    // when the resource lacks it; empty when there is no resource.
    QString GetVersionValue(const QString& key) const;

    // "Version 1.05" (major and minor) and "1.05.00.12" (all four parts).
    QString ShortVersionText() const;
    QString FullVersionText() const;

    QString fileName;
    QDateTime fileDate;  // invalid when the file cannot be opened
    QString translationKey;
    TProjVersion fileVersion;
    TProjVersion productVersion;
    bool hasVersionResource = false;

    QString companyName;
    QString fileDescription;
    QString fileVersionText;
    QString internalName;
    QString legalCopyright;
    QString originalFilename;
    QString productName;
    QString productVersionText;

private:
    void ReadFileInfo(const QString& name);

    const TVersionResource* resource_;
};

// The process-wide description of the program file, created on first use.
TFileInfo& FileInfo();
