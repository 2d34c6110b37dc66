#include "app/FileInfo.h"

#include "app/ZorbitVersion.h"

#include "foundation/FormatText.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

const TVersionResource& ProgramVersionResource() {
    static const TVersionResource resource = [] {
        TVersionResource r;
        r.fileVersion = {ZORBIT_VERSION_MAJOR, ZORBIT_VERSION_MINOR, ZORBIT_VERSION_RELEASE, ZORBIT_VERSION_BUILD};
        r.productVersion = r.fileVersion;
        r.translation = QString::fromLatin1(TFileInfo::kTranslationKey);
        const QString version = QStringLiteral(ZORBIT_VERSION_TEXT);
        r.strings = {
            {QStringLiteral("CompanyName"), QStringLiteral("Kroxa")},
            {QStringLiteral("FileDescription"), QStringLiteral("Zorbit Etiketten-Designer")},
            {QStringLiteral("FileVersion"), version},
            {QStringLiteral("InternalName"), QStringLiteral("zorbit")},
            {QStringLiteral("LegalCopyright"), QStringLiteral("© Kroxa")},
            {QStringLiteral("OriginalFilename"), QStringLiteral("zorbit")},
            {QStringLiteral("ProductName"), QStringLiteral("Zorbit Software")},
            {QStringLiteral("ProductVersion"), version},
        };
        return r;
    }();
    return resource;
}

void TProjVersion::Assign(const std::array<uint16_t, 4>& parts) {
    vv = static_cast<uint8_t>(parts[0] & 0xFF);
    rr = static_cast<uint8_t>(parts[1] & 0xFF);
    mm = static_cast<uint8_t>(parts[2] & 0xFF);
    pp = static_cast<uint8_t>(parts[3] & 0xFF);
}

TFileInfo::TFileInfo(const QString& name, const TVersionResource* resource) : fileName(name), resource_(resource) {
    ReadFileInfo(name);
}

void TFileInfo::ReadFileInfo(const QString& name) {
    if (resource_) {
        hasVersionResource = true;
        translationKey = QString::fromLatin1(kTranslationKey);
        fileVersion.Assign(resource_->fileVersion);
        productVersion.Assign(resource_->productVersion);
        companyName = GetVersionValue(QStringLiteral("CompanyName"));
        fileDescription = GetVersionValue(QStringLiteral("FileDescription"));
        fileVersionText = GetVersionValue(QStringLiteral("FileVersion"));
        internalName = GetVersionValue(QStringLiteral("InternalName"));
        legalCopyright = GetVersionValue(QStringLiteral("LegalCopyright"));
        originalFilename = GetVersionValue(QStringLiteral("OriginalFilename"));
        productName = GetVersionValue(QStringLiteral("ProductName"));
        productVersionText = GetVersionValue(QStringLiteral("ProductVersion"));
    }
    QFile file(name);
    if (file.open(QIODevice::ReadOnly)) fileDate = QFileInfo(file).lastModified();
}

QString TFileInfo::GetVersionValue(const QString& key) const {
    if (!resource_) return {};
    if (resource_->translation != translationKey) return QString::fromLatin1(kNotFound);
    const auto it = resource_->strings.constFind(key);
    return it == resource_->strings.constEnd() ? QString::fromLatin1(kNotFound) : *it;
}

QString TFileInfo::ShortVersionText() const {
    return FormatText(u"Version %d.%.2d", {int(fileVersion.vv), int(fileVersion.rr)});
}

QString TFileInfo::FullVersionText() const {
    return FormatText(u"%d.%.2d.%.2d.%.2d",
                      {int(fileVersion.vv), int(fileVersion.rr), int(fileVersion.mm), int(fileVersion.pp)});
}

TFileInfo& FileInfo() {
    static TFileInfo info(QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString(),
                          &ProgramVersionResource());
    return info;
}
