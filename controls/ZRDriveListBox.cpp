#include "controls/ZRDriveListBox.h"

#include <QtCore/QDir>

namespace {

constexpr int kDrivePictureSize = 16;
constexpr int kDriveTextGap = 6;

}  // namespace

TZRDriveListBox::TZRDriveListBox(QWidget* parent, TVolumeSource source)
    : TDriveListBase(parent, std::move(source), {kDrivePictureSize + kDriveTextGap, 0, kDrivePictureSize}) {
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) SetDrive(RootOfRow(row));
    });
    BuildList();
}

QString TZRDriveListBox::LineText(const shell::Volume& volume) {
    const QString label = QStringLiteral("[%1]").arg(volume.label.toUpper());
    switch (volume.type) {
        case shell::VolumeType::Removable:
            return volume.rootPath;
        case shell::VolumeType::Fixed:
        case shell::VolumeType::CdRom:
        case shell::VolumeType::RamDisk:
            return volume.rootPath + u' ' + label;
        case shell::VolumeType::Remote:
            return volume.rootPath + u' ' + (volume.share.isEmpty() ? label : volume.share.toUpper());
        default:
            return {};
    }
}

void TZRDriveListBox::BuildList() {
    const std::vector<shell::Volume> volumes = Volumes();
    if (drive_.isEmpty()) {
        const shell::Volume* current = VolumeOfFolder(volumes, QDir::currentPath());
        if (current) drive_ = current->rootPath;
    }
    {
        const QSignalBlocker quiet(this);
        clear();
        for (const shell::Volume& volume : volumes) {
            const QString text = LineText(volume);
            if (!text.isEmpty()) AddVolumeLine(text, volume);
        }
    }
    const QString wanted = drive_;
    drive_.clear();
    SetDrive(wanted);
}

void TZRDriveListBox::SetDrive(const QString& rootPath) {
    if (currentRow() >= 0 && rootPath == drive_) return;
    drive_ = rootPath;
    const int row = RowOfRoot(rootPath);
    if (row >= 0) {
        const QSignalBlocker quiet(this);
        setCurrentRow(row);
    }
    if (OnChange) OnChange(*this);
}
