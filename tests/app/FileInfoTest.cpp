#include "app/FileInfo.h"

#include "app/ZorbitVersion.h"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QTemporaryDir>

TEST(FileInfo, VersionPartsAreTheirLowBytes) {
    struct Case {
        std::array<uint16_t, 4> parts;
        const char* shortText;
        const char* fullText;
    };
    const Case cases[] = {
        {{1, 5, 0, 12}, "Version 1.05", "1.05.00.12"},
        {{300, 2, 3, 4}, "Version 44.02", "44.02.03.04"},
        {{0, 0, 0, 0}, "Version 0.00", "0.00.00.00"},
        {{2, 10, 99, 100}, "Version 2.10", "2.10.99.100"},
    };
    for (const Case& c : cases) {
        TVersionResource resource;
        resource.fileVersion = c.parts;
        resource.translation = QString::fromLatin1(TFileInfo::kTranslationKey);
        const TFileInfo info(QString(), &resource);
        EXPECT_EQ(info.fileVersion.vv, c.parts[0] & 0xFF);
        EXPECT_EQ(info.ShortVersionText(), QString::fromLatin1(c.shortText));
        EXPECT_EQ(info.FullVersionText(), QString::fromLatin1(c.fullText));
    }
}

TEST(FileInfo, StringsOfTheVersionResource) {
    TVersionResource resource;
    resource.translation = QString::fromLatin1(TFileInfo::kTranslationKey);
    resource.strings = {{QStringLiteral("CompanyName"), QStringLiteral("Kroxa")}};
    const TFileInfo info(QString(), &resource);
    EXPECT_EQ(info.companyName, QStringLiteral("Kroxa"));
    EXPECT_EQ(info.productName, QStringLiteral("Nicht gefunden"));

    // Another translation: no string is found, the numbers are still read.
    resource.translation = QStringLiteral("040904E4");
    resource.fileVersion = {3, 1, 0, 0};
    const TFileInfo english(QString(), &resource);
    EXPECT_EQ(english.companyName, QStringLiteral("Nicht gefunden"));
    EXPECT_EQ(english.fileVersion.vv, 3);

    // No version resource: zeros and empty strings, the date from the file.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plain.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const TFileInfo plain(path);
    EXPECT_EQ(plain.fileVersion.vv, 0);
    EXPECT_TRUE(plain.companyName.isEmpty());
    EXPECT_TRUE(plain.GetVersionValue(QStringLiteral("CompanyName")).isEmpty());
    EXPECT_TRUE(plain.fileDate.isValid());
    EXPECT_FALSE(TFileInfo(dir.filePath(QStringLiteral("missing"))).fileDate.isValid());
}

TEST(FileInfo, TheProgramCarriesTheProjectVersion) {
    const TFileInfo& info = FileInfo();
    EXPECT_EQ(info.fileName, QCoreApplication::applicationFilePath());
    EXPECT_EQ(info.fileVersion.vv, ZORBIT_VERSION_MAJOR);
    EXPECT_EQ(info.fileVersion.pp, ZORBIT_VERSION_BUILD);
    EXPECT_EQ(info.fileVersionText, QStringLiteral(ZORBIT_VERSION_TEXT));
    EXPECT_EQ(info.ShortVersionText(),
              QStringLiteral("Version %1.%2").arg(ZORBIT_VERSION_MAJOR).arg(ZORBIT_VERSION_MINOR, 2, 10, QLatin1Char('0')));
    EXPECT_EQ(info.companyName, QStringLiteral("Kroxa"));
}
