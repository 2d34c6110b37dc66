#include "controls/FlatPartButton.h"

#include "controls/ControlPainting.h"

#include "foundation/widgets/ZRThemeServices.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

TFlatPartButton::TFlatPartButton(QWidget* parent, QSize size, int arrowLeft)
    : QWidget(parent), size_(size), arrowLeft_(arrowLeft) {
    setFixedSize(size);
    setAttribute(Qt::WA_Hover);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void TFlatPartButton::SetHint(const QString& hint) {
    hint_ = hint;
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    setToolTip(bar < 0 ? hint : hint.left(bar));
    setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

void TFlatPartButton::SetArrowShown(bool shown) {
    arrowShown_ = shown;
    update();
}

QRect TFlatPartButton::MainPart() const {
    return arrowShown_ ? QRect(0, 0, arrowLeft_, size_.height()) : QRect(QPoint(0, 0), size_);
}

QRect TFlatPartButton::ArrowPart() const {
    return arrowShown_ ? QRect(arrowLeft_, 0, size_.width() - arrowLeft_, size_.height()) : QRect();
}

TFlatPartButton::Part TFlatPartButton::PartAt(const QPoint& point) const {
    if (ArrowPart().contains(point)) return Part::Arrow;
    if (MainPart().contains(point)) return Part::Main;
    return Part::None;
}

bool TFlatPartButton::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && DropDownOpen()) return true;  // no hint over an open drop-down
    return QWidget::event(event);
}

void TFlatPartButton::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton ? PartAt(event->position().toPoint()) : Part::None;
    update();
}

void TFlatPartButton::mouseReleaseEvent(QMouseEvent* event) {
    const Part pressed = pressed_;
    pressed_ = Part::None;
    update();
    if (event->button() != Qt::LeftButton || pressed == Part::None || PartAt(event->position().toPoint()) != pressed)
        return;
    if (pressed == Part::Arrow) {
        ArrowClicked();
    } else {
        MainClicked();
    }
}

void TFlatPartButton::enterEvent(QEnterEvent*) {
    hover_ = true;
    update();
}

void TFlatPartButton::leaveEvent(QEvent*) {
    hover_ = false;
    update();
}

void TFlatPartButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    // Themed, the control lets its parent show through and leaves hover
    // feedback to the style: no frame of its own.
    const bool themed = ThemeServices().GetThemesEnabled();
    if (themed) {
        ThemeServices().DrawParentBackground(*this, painter, nullptr, false, rect());
    } else {
        painter.fillRect(rect(), ButtonFace(pal));
    }
    const bool enabled = isEnabled();
    if (!enabled) painter.setOpacity(0.45);
    PaintFace(painter);
    const QRect arrow = ArrowPart();
    if (!arrow.isEmpty())
        DrawDropArrow(painter, QPoint(arrow.left() + (arrow.width() - 5) / 2, (height() - 3) / 2 + 1),
                      enabled ? Qt::black : ButtonShadow(pal));
    painter.setOpacity(1);
    if (!enabled) return;
    const bool open = DropDownOpen();
    if (!themed && (hover_ || open)) {
        DrawRaisedEdge(painter, rect(), pal);
        if (!arrow.isEmpty()) {
            painter.fillRect(QRect(arrow.left() - 1, 1, 1, height() - 2), ButtonShadow(pal));
            painter.fillRect(QRect(arrow.left(), 1, 1, height() - 2), ButtonHighlight(pal));
        }
    }
    if (pressed_ != Part::None && underMouse())
        DrawSunkenEdge(painter, pressed_ == Part::Arrow ? arrow : MainPart(), pal);
    if (open) DrawSunkenEdge(painter, arrow.isEmpty() ? MainPart() : arrow, pal);
}
