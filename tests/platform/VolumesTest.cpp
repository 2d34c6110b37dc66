#include "platform/shell/Volumes.h"

#include <gtest/gtest.h>

#include <QtCore/QFile>

#include <map>

namespace {

using shell::VolumeType;

std::vector<shell::MountEntry> FixtureMounts(const char* name) {
    QFile file(QStringLiteral(ZORBIT_FIXTURES_DIR "/mounts/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return shell::ParseMounts(file.readAll());
}

// Removable: the second and third disk; labels by device.
shell::VolumeProbe FakeProbe() {
    static const std::map<QString, QString> labels = {
        {QStringLiteral("/dev/sdb1"), QStringLiteral("URLAUB 2026")},
        {QStringLiteral("/dev/sr0"), QStringLiteral("DATEN_CD")},
    };
    return {[](const QString& device) { return device.startsWith(QLatin1String("/dev/sdb")) ||
                                               device.startsWith(QLatin1String("/dev/sdc")); },
            [](const QString& device) {
                const auto it = labels.find(device);
                return it == labels.end() ? QString() : it->second;
            }};
}

struct ExpectedVolume {
    const char* root;
    VolumeType type;
    const char* label;
    const char* share;
};

void ExpectVolumes(const std::vector<shell::Volume>& volumes, const std::vector<ExpectedVolume>& expected) {
    ASSERT_EQ(volumes.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].root);
        EXPECT_EQ(volumes[i].rootPath, QString::fromUtf8(expected[i].root));
        EXPECT_EQ(volumes[i].type, expected[i].type);
        EXPECT_EQ(volumes[i].label, QString::fromUtf8(expected[i].label));
        EXPECT_EQ(volumes[i].share, QString::fromUtf8(expected[i].share));
    }
}

}  // namespace

TEST(Volumes, ADesktopListsItsDisksAndMemoryVolumesButNoSystemAreas) {
    ExpectVolumes(shell::VolumesOfMounts(FixtureMounts("desktop.txt"), FakeProbe()),
                  {{"/", VolumeType::Fixed, "", ""},
                   {"/boot/efi", VolumeType::Fixed, "", ""},
                   {"/home", VolumeType::Fixed, "", ""},
                   {"/tmp", VolumeType::RamDisk, "", ""}});
}

TEST(Volumes, SticksDiscsAndSharesGetTheirTypeLabelAndShare) {
    ExpectVolumes(shell::VolumesOfMounts(FixtureMounts("media.txt"), FakeProbe()),
                  {{"/", VolumeType::Fixed, "", ""},
                   {"/media/anna/DATEN_CD", VolumeType::CdRom, "DATEN_CD", ""},
                   {"/media/anna/URLAUB 2026", VolumeType::Removable, "URLAUB 2026", ""},
                   {"/mnt/fotos", VolumeType::Remote, "", "//nas/fotos"},
                   {"/mnt/projekte", VolumeType::Remote, "", "fileserver:/export/projekte"},
                   {"/run/media/anna/STICK", VolumeType::Removable, "", ""}});
}

TEST(Volumes, AMountPointMountedTwiceIsListedOnceAsTheLastMount) {
    const auto mounts = shell::ParseMounts(
        "/dev/sdb1 /mnt/x ext4 rw 0 0\n"
        "//nas/a /mnt/x cifs rw 0 0\n"
        "/dev/sdc1 /mnt/y ext4 rw 0 0\n"
        "overlay /mnt/y overlay rw 0 0\n");
    ExpectVolumes(shell::VolumesOfMounts(mounts, {}), {{"/mnt/x", VolumeType::Remote, "", "//nas/a"}});
}

TEST(Volumes, RootPathsHaveOneForm) {
    const struct {
        const char* text;
        const char* root;
    } cases[] = {
        {"/", "/"}, {"/media/usb/", "/media/usb"}, {"//media//usb", "/media/usb"}, {"/a/b/../c", "/a/c"},
        {"", ""},   {"media/usb", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shell::VolumeRootPath(QString::fromUtf8(c.text)), QString::fromUtf8(c.root)) << c.text;

    EXPECT_EQ(shell::JoinVolumePath(QStringLiteral("/"), QStringLiteral("usr")), QStringLiteral("/usr"));
    EXPECT_EQ(shell::JoinVolumePath(QStringLiteral("/media/usb"), QStringLiteral("Fotos")),
              QStringLiteral("/media/usb/Fotos"));
    EXPECT_EQ(shell::LastPathName(QStringLiteral("/media/usb/Fotos")), QStringLiteral("Fotos"));
    EXPECT_EQ(shell::LastPathName(QStringLiteral("/")), QStringLiteral("/"));
}
