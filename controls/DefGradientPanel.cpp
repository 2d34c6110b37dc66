#include "controls/DefGradientPanel.h"

#include "controls/ControlPainting.h"
#include "controls/DataTip.h"

#include "foundation/Rounding.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

#include <algorithm>
#include <cstdlib>

TDefGradientPanel::TDefGradientPanel(QWidget* parent)
    : QWidget(parent), palette_(std::make_unique<TGradientpalette>(gdi::Rgb(255, 255, 255), gdi::Rgb(0, 0, 0))) {
    setFixedSize(kSize);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    palette_->SetRampSize(kSize.width());
    palette_->OnChange = [this](TGradientpalette&) {
        if (OnChange) OnChange();
    };
}

TDefGradientPanel::~TDefGradientPanel() = default;

void TDefGradientPanel::SetPalette(const TGradientpalette& palette) {
    palette_->Assign(palette);
    selected_ = nullptr;
    update();
}

gdi::Color TDefGradientPanel::StartColor() const { return palette_->Items(0)->Color(); }
gdi::Color TDefGradientPanel::EndColor() const { return palette_->Items(palette_->Count() - 1)->Color(); }

void TDefGradientPanel::SetStartColor(gdi::Color color) {
    palette_->Items(0)->SetColor(color);
    update();
}

void TDefGradientPanel::SetEndColor(gdi::Color color) {
    palette_->Items(palette_->Count() - 1)->SetColor(color);
    update();
}

int TDefGradientPanel::MarkerX(int32_t position) const { return MulDiv(position, width() - 2, 100); }

int TDefGradientPanel::PositionAt(int x) const { return std::clamp(Round(x * 100.0 / (width() - 2)), 1, 99); }

void TDefGradientPanel::Select(TGradientEntry* stop) {
    const bool changed = stop != selected_;
    selected_ = stop;
    if (changed && OnSelectionChange) OnSelectionChange();
    update();
}

void TDefGradientPanel::AddStop(int32_t position, int32_t color) {
    const gdi::Color c = color == -1 ? palette_->ColorAt(MulDiv(50, palette_->RampSize(), 100))
                                     : static_cast<gdi::Color>(color);
    selected_ = palette_->Add(position, c);
    if (OnSelectionChange) OnSelectionChange();
    update();
}

void TDefGradientPanel::DeleteSelected() {
    if (!selected_) return;
    TGradientEntry* stop = selected_;
    selected_ = nullptr;
    palette_->Remove(stop);
    if (OnSelectionChange) OnSelectionChange();
    update();
}

void TDefGradientPanel::SetSelectedColor(gdi::Color color) {
    if (!selected_) return;
    selected_->SetColor(color);
    update();
}

void TDefGradientPanel::EndEdit() {
    DataTip().HideTip();
    selected_ = nullptr;
    update();
}

void TDefGradientPanel::ShowTip(int x) {
    const QPoint at = mapToGlobal(QPoint(x, 0));
    DataTip().ShowFormatted(at.x(), at.y() - 20, u"%d%%", {selected_->Position()});
}

void TDefGradientPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    const QPoint p = event->position().toPoint();
    TGradientEntry* hit = nullptr;
    if (p.y() > kStripBottom && p.y() < kMarkerBottom) {
        for (int32_t i = 1; i + 1 < palette_->Count(); ++i) {
            const int marker = MarkerX(palette_->Items(i)->Position());
            if (std::abs(marker - p.x()) < 6) {
                hit = palette_->Items(i);
                dragOffset_ = p.x() - marker;
                break;
            }
        }
    }
    Select(hit);
    dragging_ = hit != nullptr;
    if (hit) ShowTip(p.x());
}

void TDefGradientPanel::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !selected_) return;
    selected_->SetPos(PositionAt(event->position().toPoint().x() - dragOffset_));
    ShowTip(MarkerX(selected_->Position()));
    repaint();
}

void TDefGradientPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = false;
    DataTip().HideTip();
}

void TDefGradientPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    // Qt sends this instead of the second press, so that press never
    // deselects the new stop.
    const QPoint p = event->position().toPoint();
    if (event->button() != Qt::LeftButton || p.y() >= kMarkerBottom) return;
    const int position = PositionAt(p.x());
    AddStop(position, static_cast<int32_t>(palette_->ColorAt(MulDiv(position, palette_->RampSize(), 100))));
}

void TDefGradientPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete) {
        DeleteSelected();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TDefGradientPanel::DrawMarker(QPainter& painter, int x, bool selected) const {
    const QPolygonF triangle({QPointF(x + 0.5, 31), QPointF(x + 6.5, 37.5), QPointF(x - 5.5, 37.5)});
    const QColor ink = palette().color(QPalette::WindowText);
    painter.setPen(QPen(ink, 1));
    painter.setBrush(selected ? ink : palette().color(QPalette::Base));
    painter.drawPolygon(triangle);
}

void TDefGradientPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), ButtonFace(pal));
    const int ramp = palette_->RampSize();
    const int w = width() - 2;
    for (int k = 0; k < ramp; ++k) {
        const int left = MulDiv(k, w, ramp) + 1;
        const int right = MulDiv(k + 1, w, ramp) + 1;
        painter.fillRect(QRect(left, 0, right - left, kStripBottom), ColorOf(static_cast<int32_t>(palette_->ColorAt(k))));
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (int32_t i = 1; i + 1 < palette_->Count(); ++i) DrawMarker(painter, MarkerX(palette_->Items(i)->Position()), false);
    if (selected_) DrawMarker(painter, MarkerX(selected_->Position()), true);
    DrawSunkenEdge(painter, QRect(0, 0, width(), kStripBottom), pal);
    DrawSunkenEdge(painter, QRect(0, kStripBottom, width(), kMarkerBottom - kStripBottom), pal);
}
