#include "app/SpeedButton.h"

TSpeedButton::TSpeedButton(QWidget* parent) : QToolButton(parent) {
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void TSpeedButton::SetGroupIndex(int groupIndex) {
    groupIndex_ = groupIndex;
    setCheckable(groupIndex_ > 0);
}

void TSpeedButton::SetDown(bool down) {
    if (groupIndex_ <= 0 || down == isChecked()) return;
    if (!down) {
        if (allowAllUp_) setChecked(false);
        return;
    }
    if (QWidget* parent = parentWidget()) {
        for (TSpeedButton* other : parent->findChildren<TSpeedButton*>(Qt::FindDirectChildrenOnly))
            if (other != this && other->groupIndex_ == groupIndex_ && other->isChecked()) other->setChecked(false);
    }
    setChecked(true);
}

void TSpeedButton::nextCheckState() { SetDown(!isChecked()); }

QString TSpeedButton::ShortHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

QString TSpeedButton::LongHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void TSpeedButton::SetHint(const QString& hint) {
    hint_ = hint;
    setToolTip(ShortHint(hint));
    setStatusTip(LongHint(hint));
}
