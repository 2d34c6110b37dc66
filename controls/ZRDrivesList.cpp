#include "controls/ZRDrivesList.h"

#include <algorithm>

namespace {

// The text starts after the picture; the picture keeps a pixel above and
// below it even with a small font.
constexpr int kDrivesListTextLeft = 22;
constexpr int kDrivesListMinimumHeight = 18;

}  // namespace

TZRDrivesList::TZRDrivesList(QWidget* parent, TVolumeSource source)
    : TDriveListBase(parent, std::move(source), {kDrivesListTextLeft, 1, kDrivesListMinimumHeight}) {
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* line) {
        drive_ = RootOfRow(row(line));
        if (OnClick) OnClick(*this);
    });
    UpdateDrives();
}

QString TZRDrivesList::DisplayName(const shell::Volume& volume) {
    if (volume.label.isEmpty()) return volume.rootPath;
    return QStringLiteral("%1 (%2)").arg(volume.label, volume.rootPath);
}

void TZRDrivesList::Rebuild() {
    clear();
    for (const shell::Volume& volume : Volumes())
        if (drivesType_.Contains(volume.type)) AddVolumeLine(DisplayName(volume), volume);
}

void TZRDrivesList::UpdateDrives() {
    const QString remembered = currentRow() >= 0 ? RootOfRow(currentRow()) : drive_;
    Rebuild();
    if (count() == 0) return;
    const int row = std::max(RowOfRoot(remembered), 0);
    setCurrentRow(row);
    drive_ = RootOfRow(row);
}

void TZRDrivesList::SetDrive(const QString& rootPath) {
    const int row = RowOfRoot(rootPath);
    if (row < 0) return;
    setCurrentRow(row);
    drive_ = rootPath;
    if (OnClick) OnClick(*this);
}

void TZRDrivesList::SetDrivesType(TDrivesType types) {
    drivesType_ = types;
    UpdateDrives();
}
