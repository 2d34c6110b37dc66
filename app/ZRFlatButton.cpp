#include "app/ZRFlatButton.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QMenu>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOptionFocusRect>

TZRFlatButton::TZRFlatButton(QWidget* parent) : QWidget(parent), color_(palette().color(QPalette::Button)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    resize(40, 20);
}

void TZRFlatButton::SetStyle(TZRFlatButtonStyle style) {
    style_ = style;
    update();
}

void TZRFlatButton::SetFlat(bool flat) {
    flat_ = flat;
    update();
}

void TZRFlatButton::SetDropDownWidth(int width) {
    dropDownWidth_ = width;
    update();
}

void TZRFlatButton::SetBorderColor(const QColor& color) {
    borderColor_ = color;
    update();
}

void TZRFlatButton::SetHighlightColor(const QColor& color) {
    highlightColor_ = color;
    update();
}

void TZRFlatButton::SetHighlightColorText(const QColor& color) {
    highlightColorText_ = color;
    update();
}

void TZRFlatButton::SetColor(const QColor& color) {
    color_ = color;
    update();
}

void TZRFlatButton::SetCaption(const QString& caption) {
    caption_ = caption;
    UpdateMnemonic();
    update();
}

void TZRFlatButton::UpdateMnemonic() {
    if (mnemonicId_) releaseShortcut(mnemonicId_);
    mnemonicId_ = 0;
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption_);
    if (!mnemonic.isEmpty()) mnemonicId_ = grabShortcut(mnemonic);
}

QRect TZRFlatButton::MainRect() const {
    if (style_ != TZRFlatButtonStyle::fbCombo) return rect();
    return {0, 0, width() - dropDownWidth_, height()};
}

QRect TZRFlatButton::DropDownRect() const {
    if (style_ != TZRFlatButtonStyle::fbCombo) return {};
    const int left = width() - dropDownWidth_ - 1;
    return {left, 0, width() - left, height()};
}

void TZRFlatButton::SetStateBit(int bit, bool on) {
    const int state = on ? (state_ | bit) : (state_ & ~bit);
    if (state == state_) return;
    state_ = state;
    update();
}

void TZRFlatButton::Click() { emit clicked(); }

void TZRFlatButton::DropDown() {
    if (!menu_) return;
    QMenu* menu = menu_;
    menu->exec(mapToGlobal(QPoint(0, height())));
    if (!rect().contains(mapFromGlobal(QCursor::pos()))) SetStateBit(kMouseOver, false);
    update();
}

void TZRFlatButton::Press(const QPoint& pos) {
    mouseDown_ = true;
    if (MainRect().contains(pos)) {
        pressPart_ = 1;
        SetStateBit(kMainPressed, true);
    } else if (DropDownRect().contains(pos)) {
        pressPart_ = 2;
        SetStateBit(kDropPressed, true);
    } else {
        pressPart_ = 0;
    }
    update();
}

void TZRFlatButton::Release(const QPoint& pos) {
    const int part = pressPart_;
    state_ &= ~(kMainPressed | kDropPressed);
    mouseDown_ = false;
    pressPart_ = 0;
    update();
    if (part == 1 && MainRect().contains(pos)) {
        if (style_ == TZRFlatButtonStyle::fbDropDown && menu_) {
            DropDown();
        } else {
            Click();
        }
    } else if (part == 2 && DropDownRect().contains(pos)) {
        DropDown();
    }
}

void TZRFlatButton::mousePressEvent(QMouseEvent* event) {
    if (focusPolicy() & Qt::TabFocus) setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) Press(event->position().toPoint());
}

void TZRFlatButton::mouseMoveEvent(QMouseEvent* event) {
    if (!mouseDown_) return;
    const QPoint pos = event->position().toPoint();
    SetStateBit(kMainPressed, pressPart_ == 1 && MainRect().contains(pos));
    SetStateBit(kDropPressed, pressPart_ == 2 && DropDownRect().contains(pos));
}

void TZRFlatButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && mouseDown_) Release(event->position().toPoint());
}

void TZRFlatButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
        if (!event->isAutoRepeat() && !mouseDown_) Press(QPoint(1, 1));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!isEnabled()) return;
        if (style_ == TZRFlatButtonStyle::fbDropDown || (event->modifiers() & Qt::ControlModifier)) {
            DropDown();
        } else {
            Click();
        }
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TZRFlatButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        if (mouseDown_) Release(QPoint(1, 1));
        return;
    }
    QWidget::keyReleaseEvent(event);
}

bool TZRFlatButton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        if (style_ == TZRFlatButtonStyle::fbDropDown) {
            DropDown();
        } else {
            Click();
        }
        return true;
    }
    return QWidget::event(event);
}

void TZRFlatButton::enterEvent(QEnterEvent*) { SetStateBit(kMouseOver, true); }

void TZRFlatButton::leaveEvent(QEvent*) { SetStateBit(kMouseOver, false); }

void TZRFlatButton::focusInEvent(QFocusEvent*) { SetStateBit(kFocused, true); }

void TZRFlatButton::focusOutEvent(QFocusEvent*) { SetStateBit(kFocused, false); }

void TZRFlatButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) update();
    QWidget::changeEvent(event);
}

void TZRFlatButton::DrawArrow(QPainter& painter, const QRect& area, const QColor& color) const {
    if (area.width() < 5) return;
    painter.setPen(color);
    const int x = area.left() + (area.width() - 5) / 2;
    const int y = area.top() + (area.height() - 3) / 2;
    painter.drawLine(x, y, x + 4, y);
    painter.drawLine(x + 1, y + 1, x + 3, y + 1);
    painter.drawPoint(x + 2, y + 2);
}

void TZRFlatButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const bool enabled = isEnabled();
    // Rectangles are drawn like the system draws them: the outline inside
    // the rectangle, the fill within it.
    auto frame = [&](const QRect& r, const QColor& pen, const QColor& brush) {
        painter.setPen(pen);
        painter.setBrush(brush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    };
    if (flat_) {
        const QColor pen = enabled ? borderColor_ : highlightColor_;
        frame(MainRect(), pen, (state_ & kMainPressed) ? highlightColor_ : color_);
        if (style_ == TZRFlatButtonStyle::fbCombo)
            frame(DropDownRect(), pen, (state_ & kDropPressed) ? highlightColor_ : color_);
    } else {
        painter.fillRect(rect(), color_);
        auto edge = [&](const QRect& r, bool sunken) {
            const QColor topLeft = palette().color(sunken ? QPalette::Dark : QPalette::Light);
            const QColor bottomRight = palette().color(sunken ? QPalette::Light : QPalette::Dark);
            painter.setPen(topLeft);
            painter.drawLine(r.topLeft(), r.topRight());
            painter.drawLine(r.topLeft(), r.bottomLeft());
            painter.setPen(bottomRight);
            painter.drawLine(r.bottomLeft(), r.bottomRight());
            painter.drawLine(r.topRight(), r.bottomRight());
        };
        edge(MainRect(), state_ & kMainPressed);
        if (style_ == TZRFlatButtonStyle::fbCombo) edge(DropDownRect().translated(1, 0), state_ & kDropPressed);
    }
    if (state_ & kFocused) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = MainRect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
    QColor text = palette().color(QPalette::ButtonText);
    if (state_ & (kMouseOver | kMainPressed | kDropPressed)) text = highlightColorText_;
    if (!enabled) text = highlightColor_;
    painter.setPen(text);
    const QFontMetrics metrics(font());
    if (style_ == TZRFlatButtonStyle::fbDropDown) {
        const int textWidth = metrics.horizontalAdvance(QString(caption_).remove(QLatin1Char('&')));
        const int x = (width() - textWidth - 12) / 2;
        const QRect textRect(x, 0, textWidth, height());
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, caption_);
        DrawArrow(painter, QRect(textRect.right() + 1, 0, dropDownWidth_, height()), text);
    } else {
        painter.drawText(MainRect(), Qt::AlignCenter | Qt::TextShowMnemonic, caption_);
        if (style_ == TZRFlatButtonStyle::fbCombo) DrawArrow(painter, DropDownRect(), text);
    }
}
