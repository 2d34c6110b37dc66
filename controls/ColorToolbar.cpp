#include "controls/ColorToolbar.h"

#include "controls/ControlPainting.h"

#include "foundation/Localizer.h"
#include "foundation/RGBHSL.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QToolTip>

namespace {

constexpr int32_t kWhite = 0xFFFFFF;

struct PopupLayout {
    int columns;
    int rows;
    int anchorY;
};

PopupLayout LayoutOf(uint8_t mode) {
    switch (mode) {
        case TColorPopup::pmNoColor: return {1, 1, 0};
        case TColorPopup::pmGreys: return {11, 1, 0};
        default: return {7, 7, 28};
    }
}

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

// ---- TColorPopup

TColorPopup::TColorPopup(TQDXColorToolbar* toolbar) : TPopupWindow(toolbar), toolbar_(toolbar) {
    SetMode(pmShades, 255);
}

void TColorPopup::SetMode(uint8_t mode, int32_t baseColor) {
    mode_ = mode;
    const PopupLayout layout = LayoutOf(mode);
    columns_ = layout.columns;
    rows_ = layout.rows;
    colors_.assign(static_cast<size_t>(columns_ * rows_), kWhite);
    const double hue = RGBToHSL(static_cast<gdi::Color>(baseColor)).Hue;
    for (int row = 0; row < rows_; ++row) {
        for (int column = 0; column < columns_; ++column) {
            int32_t& color = colors_[static_cast<size_t>(column + row * columns_)];
            if (mode == pmGreys) color = static_cast<int32_t>(HSLToRGB(column / 10.0, 0, 0));
            if (mode == pmShades)
                color = static_cast<int32_t>(HSLToRGB(0.28 + 0.11 * row, 0.16 + 0.14 * column, hue));
        }
    }
    const QSize client(2 * kCellOrigin + columns_ * kCellSize + 1, 2 * kCellOrigin + rows_ * kCellSize + 1);
    setFixedSize(client);
    anchor_ = QPoint(client.width() + 1, layout.anchorY);
    hover_ = kNoCell;
    update();
}

int TColorPopup::CellAt(const QPoint& point) const {
    const int column = FloorDiv(point.x() - kCellOrigin, kCellSize);
    const int row = FloorDiv(point.y() - kCellOrigin, kCellSize);
    if (column < 0 || column >= columns_ || row < 0 || row >= rows_) return kNoCell;
    return column + row * columns_;
}

QRect TColorPopup::CellRect(int index) const {
    return QRect(kCellOrigin + (index % columns_) * kCellSize, kCellOrigin + (index / columns_) * kCellSize, kCellSize,
                 kCellSize);
}

TSelectColorTyp TColorPopup::KindOf(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    if (button != Qt::LeftButton && button != Qt::RightButton) return sctNone;
    if (modifiers & Qt::ControlModifier) return sctText;
    return button == Qt::RightButton ? sctOutline : sctFill;
}

void TColorPopup::SetHover(int index, bool pressed) {
    if (index == hover_ && pressed == hoverPressed_) return;
    hover_ = index;
    hoverPressed_ = pressed;
    update();
}

void TColorPopup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), ButtonFace(pal));
    DrawRaisedPanel(painter, rect(), pal);
    for (int i = 0; i < columns_ * rows_; ++i) {
        const QRect swatch = CellRect(i).adjusted(2, 2, -2, -2);
        if (mode_ == pmNoColor) {
            DrawNoColorSwatch(painter, swatch, ButtonShadow(pal));
        } else {
            painter.fillRect(swatch, ColorOf(CellColor(i)));
            DrawFrame(painter, swatch, ButtonShadow(pal));
        }
    }
    if (mode_ == pmShades) DrawFocusFrame(painter, CellRect(kBaseColumn + kBaseRow * columns_).adjusted(1, 1, -1, -1));
    if (hover_ != kNoCell) DrawHotEdge(painter, CellRect(hover_), pal, hoverPressed_);
}

void TColorPopup::mousePressEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint())) {
        toolbar_->CancelByPress(*event);
        return;
    }
    SetHover(CellAt(event->position().toPoint()), true);
}

void TColorPopup::mouseMoveEvent(QMouseEvent* event) {
    SetHover(CellAt(event->position().toPoint()), bool(event->buttons() & (Qt::LeftButton | Qt::RightButton)));
}

void TColorPopup::mouseReleaseEvent(QMouseEvent* event) {
    toolbar_->SetButtonDown(false);
    const int cell = CellAt(event->position().toPoint());
    const TSelectColorTyp typ = KindOf(event->button(), event->modifiers());
    if (cell == kNoCell || typ == sctNone) {
        SetHover(cell, false);
        return;
    }
    toolbar_->ClosePopup(typ, mode_ == pmNoColor ? -1 : CellColor(cell));
}

// ---- TQDXColorToolbar

const double TQDXColorToolbar::kHues[kCellCount - 2] = {0.00, 0.06, 0.09, 0.11, 0.14, 0.17, 0.20, 0.23, 0.33,
                                                         0.42, 0.46, 0.50, 0.52, 0.55, 0.58, 0.61, 0.66, 0.73,
                                                         0.75, 0.78, 0.80, 0.84, 0.89, 0.92, 0.97};

TQDXColorToolbar::TQDXColorToolbar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedWidth(kWidth);
    setContextMenuPolicy(Qt::PreventContextMenu);
    popup_ = new TColorPopup(this);
    capture_ = new TPopupCapture(this, popup_);
    capture_->OwnerKeeps = [this](const QMouseEvent& e) { return rect().contains(e.position().toPoint()); };
    capture_->OnCancel = [this] { ClosePopup(sctNone, 0); };
}

TQDXColorToolbar::~TQDXColorToolbar() { capture_->Close(); }

int32_t TQDXColorToolbar::CellColor(int index) {
    if (index <= 0) return kWhite;
    if (index == 1) return 0;
    return static_cast<int32_t>(HSLToRGB(0.5, 1, kHues[index - 2]));
}

int TQDXColorToolbar::CellAt(int y) {
    if (y < 0) return -1;
    const int cell = y / kCellHeight;
    return cell < kCellCount ? cell : -1;
}

QSize TQDXColorToolbar::sizeHint() const { return {kWidth, kCellCount * kCellHeight + 1}; }

void TQDXColorToolbar::SetHint(const QString& hint) { hint_ = hint; }

bool TQDXColorToolbar::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        if (!PopupActive()) {
            const QString text = hint_.isEmpty() ? LocalizedText("IDS_COLORTOOLBARHINT") : hint_;
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}

void TQDXColorToolbar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), ButtonFace(pal));
    const int w = width();
    const QRect noColor(2, 0, w - 2, 15);
    painter.fillRect(noColor, Qt::white);
    DrawCross(painter, noColor, Qt::black);
    for (int k = 1; k < kCellCount; ++k) {
        const QRect cell(2, k * kCellHeight, w - 2, kCellHeight + 1);
        painter.fillRect(cell, ColorOf(CellColor(k)));
        DrawFrame(painter, cell, Qt::black);
    }
    if (current_ >= 0) {
        const QRect cell(2, current_ * kCellHeight, w - 2, kCellHeight + 1);
        DrawSunkenEdge(painter, cell.adjusted(1, 1, -1, -1), pal);
    }
}

void TQDXColorToolbar::mousePressEvent(QMouseEvent* event) {
    buttonDown_ = true;
    const int cell = CellAt(event->position().toPoint().y());
    if (cell < 0) {
        if (PopupActive()) ClosePopup(sctNone, 0);
        current_ = -1;
        update();
        return;
    }
    ShowPopupFor(cell);
}

void TQDXColorToolbar::mouseMoveEvent(QMouseEvent* event) {
    if (!buttonDown_ || !PopupActive()) return;
    const int cell = CellAt(event->position().toPoint().y());
    if (cell >= 0 && cell != current_) ShowPopupFor(cell);
}

void TQDXColorToolbar::mouseReleaseEvent(QMouseEvent*) { buttonDown_ = false; }

void TQDXColorToolbar::ShowPopupFor(int cell) {
    current_ = cell;
    update();
    QToolTip::hideText();
    const uint8_t mode = cell == 0 ? TColorPopup::pmNoColor : cell == 1 ? TColorPopup::pmGreys : TColorPopup::pmShades;
    popup_->SetMode(mode, CellColor(cell));
    const QPoint origin = mapToGlobal(QPoint(2, cell * kCellHeight)) - popup_->Anchor() - QPoint(0, 3);
    capture_->Open(origin);
}

void TQDXColorToolbar::ClosePopup(TSelectColorTyp typ, int32_t color) {
    if (!PopupActive()) return;
    capture_->Close();
    buttonDown_ = false;
    if (typ != sctNone && OnSelectColor) OnSelectColor(typ, color);
}

void TQDXColorToolbar::CancelByPress(const QMouseEvent& press) {
    ClosePopup(sctNone, 0);
    TPopupCapture::RepeatPress(press, this);
}
