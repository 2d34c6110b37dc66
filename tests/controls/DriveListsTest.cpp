#include "controls/ZRDriveListBox.h"
#include "controls/ZRDrivesList.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtGui/QImage>

namespace {

using shell::VolumeType;

std::vector<shell::Volume> g_volumes;

std::vector<shell::Volume> FakeVolumes() { return g_volumes; }

void UseVolumes(std::vector<shell::Volume> volumes) { g_volumes = std::move(volumes); }

std::vector<shell::Volume> MachineVolumes() {
    return {
        {"/", VolumeType::Fixed, "system", ""},
        {"/media/anna/DATEN_CD", VolumeType::CdRom, "", ""},
        {"/media/anna/STICK", VolumeType::Removable, "STICK", ""},
        {"/mnt/fotos", VolumeType::Remote, "", "//nas/fotos"},
        {"/mnt/fremd", VolumeType::Remote, "fremd", ""},
        {"/tmp", VolumeType::RamDisk, "", ""},
    };
}

QStringList Lines(const QListWidget& list) {
    QStringList lines;
    for (int i = 0; i < list.count(); ++i) lines << list.item(i)->text();
    return lines;
}

}  // namespace

TEST(DriveListBox, LinesShowTheRootWithTheLabelOrTheShare) {
    UseVolumes(MachineVolumes());
    TZRDriveListBox box(nullptr, FakeVolumes);
    EXPECT_EQ(Lines(box), QStringList({"/ [SYSTEM]", "/media/anna/DATEN_CD []", "/media/anna/STICK",
                                        "/mnt/fotos //NAS/FOTOS", "/mnt/fremd [FREMD]", "/tmp []"}));
    // At first the volume of the current folder is current.
    EXPECT_EQ(box.Drive(), VolumeOfFolder(MachineVolumes(), QDir::currentPath())->rootPath);
    ASSERT_GE(box.currentRow(), 0);
    EXPECT_EQ(box.currentItem()->data(Qt::UserRole).toString(), box.Drive());
}

TEST(DriveListBox, SettingTheDriveSelectsItsLineAndTellsOnceOnlyWhenItChanges) {
    UseVolumes(MachineVolumes());
    TZRDriveListBox box(nullptr, FakeVolumes);
    int changes = 0;
    box.OnChange = [&](TZRDriveListBox&) { ++changes; };
    box.SetDrive(QStringLiteral("/mnt/fotos"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.currentRow(), 3);
    box.SetDrive(QStringLiteral("/mnt/fotos"));
    EXPECT_EQ(changes, 1);
    // Choosing a line, as a click or an arrow key does, makes its volume current.
    box.setCurrentRow(2);
    EXPECT_EQ(box.Drive(), QStringLiteral("/media/anna/STICK"));
    EXPECT_EQ(changes, 2);
}

TEST(DrivesList, TheTypeFilterChoosesTheLinesAndTheSelectionSurvivesARebuild) {
    UseVolumes(MachineVolumes());
    TZRDrivesList list(nullptr, FakeVolumes);
    EXPECT_EQ(Lines(list), QStringList({"system (/)", "/media/anna/DATEN_CD", "STICK (/media/anna/STICK)",
                                         "/mnt/fotos", "fremd (/mnt/fremd)", "/tmp"}));
    EXPECT_EQ(list.Drive(), QStringLiteral("/"));

    int clicks = 0;
    list.OnClick = [&](TZRDrivesList&) { ++clicks; };
    list.SetDrive(QStringLiteral("/media/anna/DATEN_CD"));
    list.SetDrive(QStringLiteral("/not/listed"));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list.Drive(), QStringLiteral("/media/anna/DATEN_CD"));

    list.SetDrivesType({VolumeType::CdRom, VolumeType::Removable});
    EXPECT_EQ(Lines(list), QStringList({"/media/anna/DATEN_CD", "STICK (/media/anna/STICK)"}));
    EXPECT_EQ(list.Drive(), QStringLiteral("/media/anna/DATEN_CD"));

    // The disc is taken out: the first line is selected instead.
    UseVolumes({MachineVolumes()[2]});
    list.UpdateDrives();
    EXPECT_EQ(list.Drive(), QStringLiteral("/media/anna/STICK"));

    UseVolumes({});
    list.UpdateDrives();
    EXPECT_EQ(list.count(), 0);
}

TEST(DriveLists, EveryTypeHasItsOwnPicture) {
    const VolumeType types[] = {VolumeType::Removable, VolumeType::Fixed, VolumeType::Remote, VolumeType::CdRom,
                                VolumeType::RamDisk};
    std::vector<QImage> pictures;
    for (const VolumeType t : types) {
        const QImage picture = DriveTypePicture(t).toImage();
        EXPECT_EQ(picture.size(), QSize(16, 16));
        for (const QImage& other : pictures) EXPECT_NE(picture, other);
        pictures.push_back(picture);
    }
}
