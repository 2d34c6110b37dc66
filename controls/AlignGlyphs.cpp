#include "controls/AlignGlyphs.h"

#include <QtGui/QPainter>
#include <QtGui/QPixmap>

namespace {

constexpr int kSize = 24;
const QColor kFigure(0x4A, 0x7E, 0xC2);
const QColor kGuide(0xC0, 0x30, 0x30);
const QColor kInk(0x30, 0x30, 0x30);

QPixmap Blank() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// Draws the horizontal form; vertical flags are the same picture turned.
void TurnForVertical(QPainter& painter, bool vertical) {
    if (!vertical) return;
    painter.translate(kSize, 0);
    painter.rotate(90);
}

// Figures lined up on their left edges (0), centres (1) or right edges (2).
void DrawAligned(QPainter& painter, int edge) {
    const int widths[] = {16, 10, 13};
    const int guideX = edge == 0 ? 3 : edge == 1 ? kSize / 2 : kSize - 4;
    for (int i = 0; i < 3; ++i) {
        const int w = widths[i];
        const int left = edge == 0 ? guideX + 1 : edge == 1 ? guideX - w / 2 : guideX - w;
        painter.fillRect(left, 3 + i * 7, w, 5, kFigure);
    }
    painter.setPen(QPen(kGuide, 1));
    painter.drawLine(guideX, 1, guideX, kSize - 2);
}

// Three figures spread with equal steps between their left edges (0),
// centres (1), right edges (2), or with equal gaps (3).
void DrawDistributed(QPainter& painter, int kind) {
    const int widths[] = {4, 6, 4};
    const int lefts[] = {1, 9, 19};
    const int heights[] = {10, 16, 12};
    for (int i = 0; i < 3; ++i) painter.fillRect(lefts[i], (kSize - heights[i]) / 2, widths[i], heights[i], kFigure);
    painter.setPen(QPen(kGuide, 1));
    if (kind == 3) {
        for (int x : {5, 15}) painter.drawLine(x, kSize / 2, x + 3, kSize / 2);
        return;
    }
    for (int i = 0; i < 3; ++i) {
        const int x = kind == 0 ? lefts[i] : kind == 1 ? lefts[i] + widths[i] / 2 : lefts[i] + widths[i] - 1;
        painter.drawLine(x, 1, x, 3);
        painter.drawLine(x, kSize - 3, x, kSize - 1);
    }
}

}  // namespace

QIcon ElementAlignGlyph(int32_t flag) {
    QPixmap pixmap = Blank();
    QPainter painter(&pixmap);
    const int bit = [flag] {
        int b = 0;
        while (b < 14 && (1 << b) != flag) ++b;
        return b;
    }();
    if (bit < 6) {
        // 1, 2, 4 horizontal; 8, 16, 32 vertical.
        TurnForVertical(painter, bit >= 3);
        DrawAligned(painter, bit % 3);
    } else if (bit < 14) {
        // 64 .. 512 horizontal; 1024 .. 8192 vertical.
        TurnForVertical(painter, bit >= 10);
        DrawDistributed(painter, (bit - 6) % 4);
    }
    painter.end();
    return QIcon(pixmap);
}

QIcon TextAlignGlyph(bool vertical, int alignment) {
    QPixmap pixmap = Blank();
    QPainter painter(&pixmap);
    if (vertical) {
        painter.setPen(QPen(kInk, 1));
        painter.drawRect(2, 1, kSize - 5, kSize - 3);
        const int top = alignment == 0 ? 4 : alignment == 1 ? 9 : 14;
        for (int i = 0; i < 2; ++i) painter.fillRect(5, top + i * 4, kSize - 10 - i * 4, 2, kFigure);
    } else {
        const int widths[] = {18, 12, 16, 9};
        for (int i = 0; i < 4; ++i) {
            const bool last = i == 3;
            const int w = alignment == 3 && !last ? 20 : widths[i];
            const int left = alignment == 1 ? (kSize - w) / 2 : alignment == 2 ? kSize - 2 - w : 2;
            painter.fillRect(left, 4 + i * 5, w, 2, kInk);
        }
    }
    painter.end();
    return QIcon(pixmap);
}
