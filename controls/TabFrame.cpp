#include "controls/TabFrame.h"

TTabFrame::TTabFrame(QWidget* owner) : TLocalizerWidget(owner, Qt::Widget) {
    move(0, 0);
    setAutoFillBackground(true);
    setVisible(true);
}
