#include "controls/ControlPainting.h"

#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtGui/QPainter>

QColor ColorOf(int32_t bgr) {
    const auto c = static_cast<uint32_t>(bgr);
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QColor ButtonFace(const QPalette& palette) { return palette.color(QPalette::Button); }
QColor ButtonHighlight(const QPalette& palette) { return palette.color(QPalette::Light); }
QColor ButtonShadow(const QPalette& palette) { return palette.color(QPalette::Dark); }
QColor WindowFrame(const QPalette& palette) { return palette.color(QPalette::Shadow); }

void DrawEdge(QPainter& painter, const QRect& rect, const QColor& topLeft, const QColor& bottomRight) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), topLeft);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), topLeft);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), bottomRight);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
}

void DrawRaisedEdge(QPainter& painter, const QRect& rect, const QPalette& palette) {
    DrawEdge(painter, rect, ButtonHighlight(palette), ButtonShadow(palette));
}

void DrawSunkenEdge(QPainter& painter, const QRect& rect, const QPalette& palette) {
    DrawEdge(painter, rect, ButtonShadow(palette), ButtonHighlight(palette));
}

void DrawHotEdge(QPainter& painter, const QRect& rect, const QPalette& palette, bool pressed) {
    if (pressed) {
        DrawSunkenEdge(painter, rect, palette);
    } else {
        DrawRaisedEdge(painter, rect, palette);
    }
}

void DrawRaisedPanel(QPainter& painter, const QRect& rect, const QPalette& palette) {
    DrawEdge(painter, rect, ButtonFace(palette), WindowFrame(palette));
    DrawEdge(painter, rect.adjusted(1, 1, -1, -1), ButtonHighlight(palette), ButtonShadow(palette));
}

void DrawCross(QPainter& painter, const QRect& rect, const QColor& color) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(color, 1.0, Qt::SolidLine, Qt::FlatCap));
    const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.drawLine(r.topLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomLeft());
    painter.restore();
}

void DrawNoColorSwatch(QPainter& painter, const QRect& rect, const QColor& outline) {
    painter.fillRect(rect, Qt::white);
    DrawFrame(painter, rect, outline);
    DrawCross(painter, rect, outline);
}

void DrawDropArrow(QPainter& painter, const QPoint& topLeft, const QColor& color) {
    for (int row = 0; row < 3; ++row)
        painter.fillRect(QRect(topLeft.x() + row, topLeft.y() + row, 5 - 2 * row, 1), color);
}

void DrawFocusFrame(QPainter& painter, const QRect& rect) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 0, Qt::DotLine));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
}
