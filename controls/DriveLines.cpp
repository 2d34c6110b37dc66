#include "controls/DriveLines.h"

#include <QtCore/QEvent>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

#include <algorithm>

TVolumeSource SystemVolumeSource() { return shell::CurrentVolumes; }

namespace {

void DrawDiskBody(QPainter& p, const QColor& body) {
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(body);
    p.drawRect(QRectF(1.5, 5.5, 13, 6));
    p.setBrush(QColor(0x30, 0xC0, 0x30));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(11, 8, 2, 2));
}

void DrawStick(QPainter& p) {
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(QColor(0x30, 0x60, 0xC0));
    p.drawRoundedRect(QRectF(1.5, 4.5, 10, 7), 1.5, 1.5);
    p.setBrush(QColor(0xD0, 0xD0, 0xD0));
    p.drawRect(QRectF(11.5, 5.5, 3, 5));
}

void DrawDisc(QPainter& p) {
    p.setPen(QColor(0x60, 0x60, 0x60));
    QRadialGradient shine(QPointF(6, 6), 8);
    shine.setColorAt(0, QColor(0xF0, 0xF0, 0xFF));
    shine.setColorAt(1, QColor(0xB0, 0xC0, 0xE0));
    p.setBrush(shine);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6, 6, 4, 4));
}

void DrawChip(QPainter& p) {
    p.setPen(QColor(0x40, 0x40, 0x40));
    for (int x = 3; x <= 12; x += 3) {
        p.drawLine(QPointF(x + 0.5, 2), QPointF(x + 0.5, 4));
        p.drawLine(QPointF(x + 0.5, 12), QPointF(x + 0.5, 14));
    }
    p.setBrush(QColor(0x20, 0x70, 0x30));
    p.drawRect(QRectF(1.5, 4.5, 13, 7));
}

}  // namespace

QPixmap DriveTypePicture(shell::VolumeType type) {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    switch (type) {
        case shell::VolumeType::Removable:
            DrawStick(p);
            break;
        case shell::VolumeType::Remote:
            DrawDiskBody(p, QColor(0xC8, 0xC8, 0xC8));
            p.setPen(QColor(0x40, 0x40, 0x40));
            p.drawLine(QPointF(8, 12), QPointF(8, 15));
            p.drawLine(QPointF(3, 15), QPointF(13, 15));
            break;
        case shell::VolumeType::CdRom:
            DrawDisc(p);
            break;
        case shell::VolumeType::RamDisk:
            DrawChip(p);
            break;
        default:
            DrawDiskBody(p, QColor(0xC8, 0xC8, 0xC8));
            break;
    }
    return picture;
}

const shell::Volume* VolumeOfFolder(const std::vector<shell::Volume>& volumes, const QString& folder) {
    const shell::Volume* best = nullptr;
    for (const shell::Volume& v : volumes) {
        const bool holds = v.rootPath == QLatin1String("/") || folder == v.rootPath ||
                           folder.startsWith(v.rootPath + u'/');
        if (holds && (!best || v.rootPath.size() > best->rootPath.size())) best = &v;
    }
    return best;
}

void TDriveLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& pal = option.palette;
    painter->save();
    painter->fillRect(r, selected ? pal.highlight() : pal.base());
    const QPixmap picture = index.data(Qt::DecorationRole).value<QPixmap>();
    if (!picture.isNull()) {
        const QRect inner = r.adjusted(0, 1, 0, -1);
        painter->drawPixmap(r.left() + 2, inner.top() + (inner.height() - picture.height()) / 2, picture);
    }
    painter->setFont(option.font);
    painter->setPen(selected ? pal.highlightedText().color() : pal.text().color());
    const QRect textRect(r.left() + textLeft_, r.top(), r.width() - textLeft_, r.height());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

QSize TDriveLineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QSize base = QStyledItemDelegate::sizeHint(option, index);
    return {base.width() + textLeft_, lineHeight_};
}

TDriveListBase::TDriveListBase(QWidget* parent, TVolumeSource source, LineLayout layout)
    : QListWidget(parent),
      source_(std::move(source)),
      layout_(layout),
      delegate_(new TDriveLineDelegate(layout.textLeft, this)) {
    setItemDelegate(delegate_);
    setUniformItemSizes(true);
    UpdateLineHeight();
}

std::vector<shell::Volume> TDriveListBase::Volumes() const {
    return source_ ? source_() : std::vector<shell::Volume>{};
}

void TDriveListBase::AddVolumeLine(const QString& text, const shell::Volume& volume) {
    auto* line = new QListWidgetItem(text, this);
    line->setData(Qt::DecorationRole, DriveTypePicture(volume.type));
    line->setData(Qt::UserRole, volume.rootPath);
}

QString TDriveListBase::RootOfRow(int row) const {
    const QListWidgetItem* line = item(row);
    return line ? line->data(Qt::UserRole).toString() : QString();
}

int TDriveListBase::RowOfRoot(const QString& rootPath) const {
    for (int row = 0; row < count(); ++row)
        if (RootOfRow(row) == rootPath) return row;
    return -1;
}

void TDriveListBase::UpdateLineHeight() {
    delegate_->SetLineHeight(std::max(fontMetrics().height() + layout_.extraHeight, layout_.minimumHeight));
    doItemsLayout();
}

void TDriveListBase::changeEvent(QEvent* event) {
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) UpdateLineHeight();
}
