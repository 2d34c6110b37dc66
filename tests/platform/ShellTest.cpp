#include "platform/shell/DesktopRegistration.h"
#include "platform/shell/Mounts.h"

#include <QtCore/QFile>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>

namespace {

// ---- mounted file systems

const char kMounts[] =
    "sysfs /sys sysfs rw,nosuid 0 0\n"
    "/dev/sda1 / ext4 rw,relatime 0 0\n"
    "/dev/sr0 /media/cdrom0 iso9660 ro,nosuid 0 0\n"
    "/dev/loop3 /mnt/dvd\\040image udf ro 0 0\n"
    "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n"
    "/dev/sr1 /media/audio fuse.cdfs ro 0 0\n"
    "broken-line\n"
    "/dev/sdc1 /media/cdrom0/inner ext4 rw 0 0\n";

TEST(Mounts, OpticalDiscsAreFoundByTypeOrDevice) {
    const std::vector<shell::MountEntry> mounts = shell::ParseMounts(kMounts);
    ASSERT_EQ(mounts.size(), 7u);
    EXPECT_EQ(mounts[3].mountPoint, QStringLiteral("/mnt/dvd image"));
    struct Case {
        const char* path;
        bool optical;
    };
    const Case cases[] = {
        {"/media/cdrom0/etiketten/a.qem", true},
        {"/media/cdrom0", true},
        {"/media/cdrom0x/a.qem", false},         // a neighbour of the mount point
        {"/media/cdrom0/inner/a.qem", false},    // a disk mounted inside the disc's folder
        {"/mnt/dvd image/a.qem", true},          // UDF, escaped blank
        {"/media/usb stick/a.qem", false},
        {"/media/audio/track01.wav", true},      // a CD device
        {"/home/user/a.qem", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shell::IsOnOpticalDisc(QString::fromUtf8(c.path), mounts), c.optical) << c.path;
}

TEST(Mounts, TheProcessMountsAreReadable) {
    // Whatever the machine has mounted, the root folder is on some mount.
    const std::vector<shell::MountEntry> mounts = shell::CurrentMounts();
    ASSERT_FALSE(mounts.empty());
    EXPECT_NE(shell::MountOf(mounts, QStringLiteral("/")), nullptr);
}

// ---- desktop registration

shell::DocumentType QemType(const QString& programPath) {
    return {QStringLiteral("qem"), QStringLiteral("Zorbit"), QStringLiteral("Zorbit Datei"),
            QStringLiteral("Zorbit document"), programPath, {}};
}

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(DesktopRegistration, ExecLinePassesTheDocumentAsOneArgument) {
    EXPECT_EQ(shell::DesktopExecLine(QStringLiteral("/opt/zorbit/zorbit")), QStringLiteral("\"/opt/zorbit/zorbit\" %f"));
    // Blanks stay inside the quotes; quote, dollar and backslash are escaped
    // for the quoting and the backslashes once more for the entry's strings;
    // a percent sign is doubled.
    EXPECT_EQ(shell::DesktopExecLine(QStringLiteral("/my apps/\"z$\\100%/zorbit")),
              QStringLiteral("\"/my apps/\\\\\"z\\\\$\\\\\\\\100%%/zorbit\" %f"));
}

TEST(DesktopRegistration, FilesAreWrittenOnlyWhenMissingOrChanged) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString desktopFile = home.filePath(QStringLiteral("applications/zorbit-qem.desktop"));
    const QString mimeFile = home.filePath(QStringLiteral("mime/packages/zorbit-qem.xml"));

    const shell::RegistrationResult first = shell::RegisterDocumentType(QemType(QStringLiteral("/opt/z/zorbit")), home.path());
    EXPECT_TRUE(first.ok);
    EXPECT_TRUE(first.changed);
    const QString entry = ReadText(desktopFile);
    EXPECT_TRUE(entry.startsWith(QStringLiteral("[Desktop Entry]\n")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nExec=\"/opt/z/zorbit\" %f\n")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nMimeType=application/x-zorbit-qem;\n")));
    const QString mime = ReadText(mimeFile);
    EXPECT_TRUE(mime.contains(QStringLiteral("<mime-type type=\"application/x-zorbit-qem\">")));
    EXPECT_TRUE(mime.contains(QStringLiteral("<glob pattern=\"*.qem\"/>")));
    EXPECT_TRUE(mime.contains(QStringLiteral("<comment>Zorbit Datei</comment>")));
    EXPECT_TRUE(mime.contains(QStringLiteral("<comment xml:lang=\"en\">Zorbit document</comment>")));
    // The desktop's MIME database took the type in.
    if (!QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty()) {
        EXPECT_TRUE(QFile::exists(home.filePath(QStringLiteral("mime/application/x-zorbit-qem.xml"))));
    }

    // The next start with the same program writes nothing.
    const shell::RegistrationResult again = shell::RegisterDocumentType(QemType(QStringLiteral("/opt/z/zorbit")), home.path());
    EXPECT_TRUE(again.ok);
    EXPECT_FALSE(again.changed);

    // A program that moved rewrites the entry.
    EXPECT_TRUE(shell::RegisterDocumentType(QemType(QStringLiteral("/usr/bin/zorbit")), home.path()).changed);
    EXPECT_TRUE(ReadText(desktopFile).contains(QStringLiteral("\nExec=\"/usr/bin/zorbit\" %f\n")));
}

TEST(DesktopRegistration, AnUnwritableFolderIsReportedNotThrown) {
    QTemporaryDir home;
    QFile blocker(home.filePath(QStringLiteral("applications")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where the folder belongs
    blocker.close();
    const shell::RegistrationResult result = shell::RegisterDocumentType(QemType(QStringLiteral("/opt/z/zorbit")), home.path());
    EXPECT_FALSE(result.ok);
}

}  // namespace
