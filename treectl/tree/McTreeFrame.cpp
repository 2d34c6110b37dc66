// Tree control: its window frame (the desktop's sunken edge, or a flat
// border drawn by the tree), the square where both custom bars meet, and
// the mouse and focus that reach the tree window itself.
#include "treectl/tree/McTree.h"

#include "treectl/tree/McStandardScrollBar.h"

#include "platform/gdi/Canvas.h"
#include "platform/gdi/Edges.h"
#include "platform/system/SystemMetrics.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPaintEvent>

bool TCustomMcTree::Focused() const { return hasFocus() || (view_ && view_->hasFocus()); }

int32_t TCustomMcTree::BorderWidth() const {
    return settings_.BorderStyle == TBorderStyle::bsSingle ? sys::GetSystemMetrics(sys::SM_CXEDGE) : 0;
}

TMcFlatBorderType TCustomMcTree::CurrentBorderType() const {
    TMcFlatBorderType type = Focused() || mouseOver_ ? settings_.ActiveBorderType : settings_.InactiveBorderType;
    if (settings_.UseCustomScrollBars && !settings_.Flat) type = TMcFlatBorderType::fbtSunken;
    if (type == TMcFlatBorderType::fbtRaised) type = TMcFlatBorderType::fbtRaisedOuter;
    return type;
}

void TCustomMcTree::RedrawFrame() {
    if (settings_.BorderStyle == TBorderStyle::bsSingle) update();
    const bool raised = Focused() && !settings_.FlatFocusedScrollbars;
    const bool flatBars = settings_.Flat && !settings_.UseCustomScrollBars;
    horzStandard_->SetFlatLook(flatBars, raised);
    vertStandard_->SetFlatLook(flatBars, raised);
}

// Without Flat and custom bars the frame is the desktop's own sunken edge.
void TCustomMcTree::DrawBorder(gdi::Canvas& canvas) {
    if (settings_.BorderStyle != TBorderStyle::bsSingle) return;
    const gdi::Rect r{0, 0, width(), height()};
    if (settings_.Flat || settings_.UseCustomScrollBars) {
        DrawFlatFrame(canvas, r, settings_.BkColor, CurrentBorderType());
        return;
    }
    gdi::Rect edge = r;
    gdi::DrawEdge(canvas, edge, gdi::EDGE_SUNKEN, gdi::BF_RECT);
}

void TCustomMcTree::paintEvent(QPaintEvent* event) {
    frameBuffer_.Paint(*this, *event, [this](gdi::Canvas& canvas) {
        canvas.FillRect({0, 0, width(), height()}, gdi::SolidBrush(settings_.BkColor));
        DrawBorder(canvas);
        if (!settings_.UseCustomScrollBars && horzShown_ && vertShown_) {
            const QRect v = vertStandard_->geometry(), h = horzStandard_->geometry();
            canvas.FillRect({v.left(), h.top(), v.right() + 1, h.bottom() + 1}, gdi::SolidBrush(clBtnFace));
        }
        if (settings_.UseCustomScrollBars && horzShown_ && vertShown_) {
            const QRect v = vertBar_->geometry(), h = horzBar_->geometry();
            canvas.FillRect({v.left(), h.top(), v.right() + 1, h.bottom() + 1}, gdi::SolidBrush(vertBar_->Color()));
        }
    });
}

void TCustomMcTree::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && (settings_.Flat || settings_.UseCustomScrollBars)) RedrawFrame();
}

void TCustomMcTree::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    mouseOver_ = true;
    if (settings_.Flat && !Focused() && settings_.ActiveBorderType != settings_.InactiveBorderType) RedrawFrame();
}

void TCustomMcTree::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    mouseOver_ = false;
    if (settings_.Flat && !Focused() && settings_.ActiveBorderType != settings_.InactiveBorderType) RedrawFrame();
}

// A move over the tree's own pixels (the frame, the corner square) is the view's move.
void TCustomMcTree::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    const QPoint p = event->position().toPoint() - view_->pos();
    QMouseEvent moved(QEvent::MouseMove, QPointF(p), event->globalPosition(), Qt::NoButton, event->buttons(),
                      event->modifiers());
    view_->mouseMoveEvent(&moved);
}

void TCustomMcTree::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (view_->isEnabled()) view_->setFocus(event->reason());
}

void TCustomMcTree::FocusChanged() {
    if ((settings_.Flat && settings_.ActiveBorderType != settings_.InactiveBorderType) || settings_.UseCustomScrollBars ||
        !settings_.FlatFocusedScrollbars) {
        RedrawFrame();
    }
}
