#include "app/Scroller.h"

#include "app/Application.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

#include <algorithm>

namespace {

// The left picture takes the first 11 columns; the right one starts there.
constexpr int kRightHalfX = 11;

}  // namespace

TScroller::TScroller(QWidget* parent) : QWidget(parent) {
    InitAppResources();
    setFixedSize(kWidth, kHeight);
}

void TScroller::SetMin(int value) {
    if (value >= max_) return;
    min_ = value;
    SetPosition(position_);
    update();
}

void TScroller::SetMax(int value) {
    if (value <= min_) return;
    max_ = value;
    SetPosition(position_);
    update();
}

void TScroller::SetPosition(int value) {
    value = std::clamp(value, min_, std::max(min_, max_));
    if (value == position_) return;
    position_ = value;
    update();
    if (OnClick) OnClick();
}

TScroller::Half TScroller::HalfAt(QPoint p) const {
    if (!rect().contains(p)) return Half::None;
    return p.x() < kRightHalfX ? Half::Left : Half::Right;
}

bool TScroller::Enabled(Half h) const {
    if (h == Half::Left) return position_ > min_;
    if (h == Half::Right) return position_ < max_;
    return false;
}

QPixmap TScroller::Picture(Half h) const {
    const QString base = h == Half::Left ? QStringLiteral("sbleft") : QStringLiteral("sbright");
    QString state;
    if (!Enabled(h)) {
        state = QStringLiteral("dis");
    } else if (pressed_ && held_ == h) {
        state = QStringLiteral("dn");
    }
    return QPixmap(QStringLiteral(":/pictures/%1%2.xpm").arg(base, state));
}

void TScroller::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, Picture(Half::Left));
    painter.drawPixmap(kRightHalfX, 0, Picture(Half::Right));
}

void TScroller::mousePressEvent(QMouseEvent* event) {
    const Half h = HalfAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !Enabled(h)) return;
    held_ = h;
    pressed_ = true;
    update();
}

void TScroller::mouseMoveEvent(QMouseEvent* event) {
    if (held_ == Half::None) return;
    const bool over = HalfAt(event->position().toPoint()) == held_;
    if (over != pressed_) {
        pressed_ = over;
        update();
    }
}

void TScroller::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || held_ == Half::None) return;
    const Half h = held_;
    const bool over = HalfAt(event->position().toPoint()) == h;
    held_ = Half::None;
    pressed_ = false;
    update();
    if (over) SetPosition(position_ + (h == Half::Left ? -Change : Change));
}
