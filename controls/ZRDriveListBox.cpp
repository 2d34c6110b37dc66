#include "controls/ZRDriveListBox.h"

#include <QtCore/QDir>
#include <QtCore/QEvent>

#include <algorithm>

namespace {

constexpr int kDrivePictureSize = 16;
constexpr int kDriveTextGap = 6;

}  // namespace

TZRDriveListBox::TZRDriveListBox(QWidget* parent, TVolumeSource source)
    : QListWidget(parent),
      source_(std::move(source)),
      delegate_(new TDriveLineDelegate(kDrivePictureSize + kDriveTextGap, this)) {
    setItemDelegate(delegate_);
    setUniformItemSizes(true);
    UpdateLineHeight();
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) { SelectedRowChanged(row); });
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
    const std::vector<shell::Volume> volumes = source_ ? source_() : std::vector<shell::Volume>{};
    if (drive_.isEmpty()) {
        const shell::Volume* current = VolumeOfFolder(volumes, QDir::currentPath());
        if (current) drive_ = current->rootPath;
    }
    const QSignalBlocker quiet(this);
    clear();
    for (const shell::Volume& volume : volumes) {
        const QString text = LineText(volume);
        if (text.isEmpty()) continue;
        auto* line = new QListWidgetItem(text, this);
        line->setData(Qt::DecorationRole, DriveTypePicture(volume.type));
        line->setData(Qt::UserRole, volume.rootPath);
    }
    const QString wanted = drive_;
    drive_.clear();
    SetDrive(wanted);
}

void TZRDriveListBox::SetDrive(const QString& rootPath) {
    if (currentRow() >= 0 && rootPath == drive_) return;
    drive_ = rootPath;
    for (int row = 0; row < count(); ++row) {
        if (item(row)->data(Qt::UserRole).toString() != rootPath) continue;
        const QSignalBlocker quiet(this);
        setCurrentRow(row);
        break;
    }
    if (OnChange) OnChange(*this);
}

void TZRDriveListBox::SelectedRowChanged(int row) {
    if (row >= 0) SetDrive(item(row)->data(Qt::UserRole).toString());
}

void TZRDriveListBox::UpdateLineHeight() {
    delegate_->SetLineHeight(std::max(fontMetrics().height(), kDrivePictureSize));
    doItemsLayout();
}

void TZRDriveListBox::changeEvent(QEvent* event) {
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) UpdateLineHeight();
}
