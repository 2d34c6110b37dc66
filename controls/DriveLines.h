#pragma once
// What the two drive lists share: where their volumes come from, the small
// picture of each volume type and the drawing of one line (picture, then the
// text on one line, vertically centred).

#include "platform/shell/Volumes.h"

#include <QtGui/QPixmap>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QStyledItemDelegate>

#include <functional>
#include <vector>

using TVolumeSource = std::function<std::vector<shell::Volume>()>;

// The volumes of this machine (shell::CurrentVolumes).
TVolumeSource SystemVolumeSource();

// A 16 x 16 picture of the volume type: a stick, a disk, a disk on a cable,
// a disc or a memory chip.
QPixmap DriveTypePicture(shell::VolumeType type);

// The volume whose root holds the folder (the longest root that does);
// nullptr when none does.
const shell::Volume* VolumeOfFolder(const std::vector<shell::Volume>& volumes, const QString& folder);

// Draws a line of a drive list: the line filled (in the highlight colour
// when selected), the item's picture at left + 2 centred vertically, the
// text from left + textLeft, on one line and vertically centred.
class TDriveLineDelegate : public QStyledItemDelegate {
public:
    TDriveLineDelegate(int textLeft, QObject* parent) : QStyledItemDelegate(parent), textLeft_(textLeft) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    void SetLineHeight(int height) { lineHeight_ = height; }

private:
    int textLeft_;
    int lineHeight_ = 17;
};

// The base of the drive lists: the volume source, the line drawing and the
// line height, which follows the font (font height + extra, at least the
// minimum). Each line keeps its volume's root path.
class TDriveListBase : public QListWidget {
protected:
    struct LineLayout {
        int textLeft;
        int extraHeight;
        int minimumHeight;
    };
    TDriveListBase(QWidget* parent, TVolumeSource source, LineLayout layout);

    std::vector<shell::Volume> Volumes() const;
    void AddVolumeLine(const QString& text, const shell::Volume& volume);
    QString RootOfRow(int row) const;
    // The row of the root path, -1 when it is not listed.
    int RowOfRoot(const QString& rootPath) const;

    void changeEvent(QEvent* event) override;

private:
    void UpdateLineHeight();

    TVolumeSource source_;
    LineLayout layout_;
    TDriveLineDelegate* delegate_;
};
