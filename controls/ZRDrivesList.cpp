#include "controls/ZRDrivesList.h"

#include <QtCore/QEvent>

#include <algorithm>

namespace {

constexpr int kDrivesListTextLeft = 22;

}  // namespace

TZRDrivesList::TZRDrivesList(QWidget* parent, TVolumeSource source)
    : QListWidget(parent),
      source_(std::move(source)),
      delegate_(new TDriveLineDelegate(kDrivesListTextLeft, this)) {
    setItemDelegate(delegate_);
    setUniformItemSizes(true);
    UpdateLineHeight();
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* line) {
        drive_ = line->data(Qt::UserRole).toString();
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
    if (!source_) return;
    for (const shell::Volume& volume : source_()) {
        if (!drivesType_.Contains(volume.type)) continue;
        auto* line = new QListWidgetItem(DisplayName(volume), this);
        line->setData(Qt::DecorationRole, DriveTypePicture(volume.type));
        line->setData(Qt::UserRole, volume.rootPath);
    }
}

void TZRDrivesList::UpdateDrives() {
    const QString remembered = currentItem() ? currentItem()->data(Qt::UserRole).toString() : drive_;
    Rebuild();
    if (count() == 0) return;
    int row = 0;
    for (int i = 0; i < count(); ++i)
        if (item(i)->data(Qt::UserRole).toString() == remembered) row = i;
    setCurrentRow(row);
    drive_ = item(row)->data(Qt::UserRole).toString();
}

void TZRDrivesList::SetDrive(const QString& rootPath) {
    for (int row = 0; row < count(); ++row) {
        if (item(row)->data(Qt::UserRole).toString() != rootPath) continue;
        setCurrentRow(row);
        drive_ = rootPath;
        if (OnClick) OnClick(*this);
        return;
    }
}

void TZRDrivesList::SetDrivesType(TDrivesType types) {
    drivesType_ = types;
    UpdateDrives();
}

void TZRDrivesList::UpdateLineHeight() {
    // The picture keeps a pixel above and below it even with a small font.
    delegate_->SetLineHeight(std::max(fontMetrics().height() + 1, 18));
    doItemsLayout();
}

void TZRDrivesList::changeEvent(QEvent* event) {
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) UpdateLineHeight();
}
