#include "controls/OutlinePictures.h"

#include <QtGui/QPainter>

namespace {

QPixmap BlankPicture(int width, int height) {
    QPixmap picture(width, height);
    picture.fill(Qt::transparent);
    return picture;
}

// A white square in a grey frame.
QPixmap FramedSquare(int size) {
    QPixmap picture(size, size);
    picture.fill(QColor(0x80, 0x80, 0x80));
    QPainter(&picture).fillRect(1, 1, size - 2, size - 2, Qt::white);
    return picture;
}

QPixmap BoxPicture(bool plus) {
    QPixmap picture = FramedSquare(9);
    QPainter p(&picture);
    p.fillRect(2, 4, 5, 1, Qt::black);
    if (plus) p.fillRect(4, 2, 1, 5, Qt::black);
    return picture;
}

QPixmap FolderPicture(bool open) {
    QPixmap picture = BlankPicture(open ? 16 : 15, 13);
    QPainter p(&picture);
    const QColor edge(0x80, 0x60, 0x00);
    const QColor body(0xF0, 0xC8, 0x40);
    p.setPen(edge);
    p.setBrush(body);
    p.drawPolygon(QPolygon({{0, 2}, {5, 2}, {6, 3}, {13, 3}, {13, 12}, {0, 12}}));
    if (open) {
        p.setBrush(QColor(0xFF, 0xE0, 0x80));
        p.drawPolygon(QPolygon({{2, 6}, {15, 6}, {13, 12}, {0, 12}}));
    }
    return picture;
}

QPixmap CheckPicture(int state) {
    QPixmap picture = FramedSquare(10);
    if (state == 0) return picture;
    QPainter p(&picture);
    const QColor cross = state == 1 ? QColor(0x80, 0x80, 0x80) : QColor(Qt::black);
    for (int i = 0; i < 6; ++i) {
        p.fillRect(2 + i, 2 + i, 1, 1, cross);
        p.fillRect(7 - i, 2 + i, 1, 1, cross);
    }
    return picture;
}

QPixmap MarkerPicture() {
    QPixmap picture = BlankPicture(9, 9);
    QPainter p(&picture);
    p.fillRect(2, 4, 5, 1, Qt::black);
    p.fillRect(4, 2, 1, 5, Qt::black);
    return picture;
}

}  // namespace

QPixmap OutlinePicture(TOutlinePicture which) {
    switch (which) {
        case TOutlinePicture::PlusBox: return BoxPicture(true);
        case TOutlinePicture::MinusBox: return BoxPicture(false);
        case TOutlinePicture::ClosedFolder: return FolderPicture(false);
        case TOutlinePicture::OpenFolder: return FolderPicture(true);
        case TOutlinePicture::CheckEmpty: return CheckPicture(0);
        case TOutlinePicture::CheckGrey: return CheckPicture(1);
        case TOutlinePicture::CheckBlack: return CheckPicture(2);
        case TOutlinePicture::Marker: return MarkerPicture();
    }
    return {};
}
