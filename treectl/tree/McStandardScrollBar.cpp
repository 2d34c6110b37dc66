#include "treectl/tree/McStandardScrollBar.h"

#include <QtGui/QPaintEvent>

TMcStandardScrollBar::TMcStandardScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
    setFocusPolicy(Qt::NoFocus);
    setSingleStep(1);
}

void TMcStandardScrollBar::SetScrollInfo(int32_t max, int32_t page, int32_t position) {
    info_ = {0, max, page, position, position};
    const QSignalBlocker quiet(this);
    setRange(0, std::max(0, max - std::max(page, 1) + 1));
    setPageStep(std::max(page, 1));
    setValue(position);
    setEnabled(CanScroll());
    update();
}

void TMcStandardScrollBar::SetFlatLook(bool flat, bool raised) {
    if (flat == flat_ && raised == raised_) return;
    flat_ = flat;
    raised_ = raised;
    update();
}

void TMcStandardScrollBar::paintEvent(QPaintEvent* event) {
    if (!flat_) {
        QScrollBar::paintEvent(event);
        return;
    }
    TMcScrollInfo shown = info_;
    shown.pos = shown.trackPos = sliderPosition();
    buffer_.Paint(*this, *event, [&](gdi::Canvas& canvas) {
        DrawFlatScrollBar(canvas, {0, 0, width(), height()}, raised_, isSliderDown(), false,
                          orientation() == Qt::Vertical, shown, isEnabled());
    });
}
