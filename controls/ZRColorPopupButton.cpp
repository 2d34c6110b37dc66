#include "controls/ZRColorPopupButton.h"

#include "controls/ColorList.h"
#include "controls/ControlPainting.h"

#include "foundation/Localizer.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QScreen>

const std::array<int32_t, 40> kStandardColors = {
    0x000000, 0x003399, 0x003333, 0x003300, 0x663300, 0x800000, 0x993333, 0x333333,  //
    0x000080, 0x0066FF, 0x008080, 0x008000, 0x808000, 0xFF0000, 0x996666, 0x808080,  //
    0x0000FF, 0x0099FF, 0x00CC99, 0x669933, 0xCCCC33, 0xFF6633, 0x800080, 0x969696,  //
    0xFF00FF, 0x00CCFF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFFCC00, 0x663399, 0xC0C0C0,  //
    0xCC99FF, 0x99CCFF, 0x99FFFF, 0xCCFFCC, 0xFFFFCC, 0xFFCC99, 0xFF99CC, 0xFFFFFF,
};

namespace {

const QColor kPictureInk(0x28, 0x31, 0x3c);
const QColor kWood(0xe5, 0x89, 0x2a);

int CellsHit(const QRect& area, const QPoint& p, int count) {
    if (!area.contains(p)) return -1;
    const int cell = (p.x() - area.left()) / TColorPaletteLayout::kCell +
                     (p.y() - area.top()) / TColorPaletteLayout::kCell * 8;
    return cell < count ? cell : -1;
}

QRect CellFrame(const QRect& area, int cell) {
    const int size = TColorPaletteLayout::kCell;
    return QRect(area.left() + cell % 8 * size, area.top() + cell / 8 * size, size, size);
}

// The pictures beside the swatch, in the column x 17 .. 23.
void DrawPencil(QPainter& p) {
    QPainterPath body;
    body.addRect(QRectF(18.5, 1.5, 4, 12));
    p.setPen(QPen(kPictureInk, 1));
    p.setBrush(kWood);
    p.drawPath(body);
    QPainterPath tip;
    tip.moveTo(18.5, 13.5);
    tip.lineTo(22.5, 13.5);
    tip.lineTo(20.5, 19.5);
    tip.closeSubpath();
    p.setBrush(QColor(0xf8, 0xd6, 0xa2));
    p.drawPath(tip);
    p.setBrush(kPictureInk);
    p.drawPolygon(QPolygonF({QPointF(19.8, 17.5), QPointF(21.2, 17.5), QPointF(20.5, 19.5)}));
}

void DrawBrush(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kWood);
    p.drawRoundedRect(QRectF(19.25, 1, 2.5, 9), 1, 1);
    p.setBrush(QColor(0x8a, 0x95, 0xa1));
    p.drawRect(QRectF(18.25, 9.5, 4.5, 3));
    QPainterPath bristles;
    bristles.moveTo(18.25, 12.5);
    bristles.lineTo(22.75, 12.5);
    bristles.lineTo(22.75, 17);
    bristles.quadTo(20.5, 20.5, 18.25, 17);
    bristles.closeSubpath();
    p.setBrush(kPictureInk);
    p.drawPath(bristles);
}

void DrawLetterA(QPainter& p) {
    QPainterPath a;
    a.moveTo(17.4, 15);
    a.lineTo(20.25, 4.5);
    a.lineTo(23.1, 15);
    a.moveTo(18.6, 11);
    a.lineTo(21.9, 11);
    p.setPen(QPen(kPictureInk, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(a);
}

}  // namespace

// ---- layout

TColorPaletteLayout TColorPaletteLayout::For(TColorButtonStyle style, int userColors) {
    TColorPaletteLayout l;
    const int width = kWidth - 2 * kMargin;
    int y = kMargin;
    auto take = [&](int height) {
        const QRect r(kMargin, y, width, height);
        y += height;
        return r;
    };
    auto separator = [&](size_t index) {
        l.separators[index] = y + kSeparatorHeight / 2;
        y += kSeparatorHeight;
    };
    if (style == cbsBrush || style == cbsPen) l.noColor = take(kRowHeight);
    l.standard = take(5 * kCell);
    separator(0);  // every style has rows below the standard colours
    if (userColors > 0) {
        l.userCells = userColors;
        l.user = take(((userColors - 1) / 8 + 1) * kCell);
        separator(1);
    }
    l.otherColor = take(kRowHeight);
    if (style == cbsBrush) l.gradient = take(kRowHeight);
    l.height = y + kMargin;
    return l;
}

// ---- TZRColorPopupForm

TZRColorPopupForm::TZRColorPopupForm(TZRColorPopupButton* button) : TPopupWindow(button), button_(button) {
    setContextMenuPolicy(Qt::PreventContextMenu);
    LayoutFor(cbsBrush);
}

void TZRColorPopupForm::LayoutFor(TColorButtonStyle style) {
    layout_ = TColorPaletteLayout::For(style, GetCustomColorList().UsedCount());
    setFixedSize(TColorPaletteLayout::kWidth, layout_.height);
    tracked_ = Hit();
    update();
}

int32_t TZRColorPopupForm::UserColor(int cell) const {
    const TColorList& colors = GetCustomColorList();
    return cell < colors.Count() ? colors.Colors(cell) : clEmptySlot;
}

TZRColorPopupForm::Hit TZRColorPopupForm::HitAt(const QPoint& point) const {
    Hit hit;
    if (const int cell = CellsHit(layout_.standard, point, 40); cell >= 0) {
        return {kCellItem, kStandardColors[static_cast<size_t>(cell)], CellFrame(layout_.standard, cell)};
    }
    if (const int cell = CellsHit(layout_.user, point, layout_.userCells); cell >= 0) {
        return {kCellItem, UserColor(cell), CellFrame(layout_.user, cell)};
    }
    const std::pair<const QRect*, int> rows[] = {
        {&layout_.noColor, kBtnNoColor}, {&layout_.otherColor, kBtnOtherColor}, {&layout_.gradient, kBtnGradient}};
    for (const auto& [rect, item] : rows)
        if (rect->contains(point)) return {item, 0, *rect};
    return hit;
}

QString TZRColorPopupForm::RowText(int item) {
    switch (item) {
        case kBtnNoColor: return LocalizedText("cCaptionNoColor");
        case kBtnOtherColor: return LocalizedText("cCaptionMoreColor");
        case kBtnGradient: return LocalizedText("cCaptionGradient");
        case kBtnPattern: return LocalizedText("cCaptionStruktur");
        default: return {};
    }
}

void TZRColorPopupForm::PaintCells(QPainter& painter, const QRect& area, int count, bool user) const {
    const QColor outline = ButtonShadow(palette());
    for (int cell = 0; cell < count; ++cell) {
        const QRect swatch = CellFrame(area, cell).adjusted(3, 3, -3, -3);
        const int32_t color = user ? UserColor(cell) : kStandardColors[static_cast<size_t>(cell)];
        painter.fillRect(swatch, ColorOf(color));
        DrawFrame(painter, swatch, outline);
    }
}

void TZRColorPopupForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), ButtonFace(pal));
    DrawRaisedPanel(painter, rect(), pal);
    painter.setPen(pal.color(QPalette::ButtonText));
    if (!layout_.noColor.isEmpty()) {
        DrawFrame(painter, layout_.noColor.adjusted(4, 4, -4, -4), ButtonShadow(pal));
        painter.drawText(layout_.noColor, Qt::AlignCenter | Qt::TextSingleLine, RowText(kBtnNoColor));
    }
    PaintCells(painter, layout_.standard, 40, false);
    PaintCells(painter, layout_.user, layout_.userCells, true);
    for (const int middle : layout_.separators) {
        if (middle < 0) continue;
        const int left = TColorPaletteLayout::kMargin;
        const int length = width() - 2 * left;
        painter.fillRect(QRect(left, middle - 1, length, 1), ButtonShadow(pal));
        painter.fillRect(QRect(left, middle, length, 1), ButtonHighlight(pal));
    }
    painter.setPen(pal.color(QPalette::ButtonText));
    painter.drawText(layout_.otherColor, Qt::AlignCenter | Qt::TextSingleLine, RowText(kBtnOtherColor));
    if (!layout_.gradient.isEmpty())
        painter.drawText(layout_.gradient, Qt::AlignCenter | Qt::TextSingleLine, RowText(kBtnGradient));
    if (tracked_.item != kNothing) DrawHotEdge(painter, tracked_.frame, pal, trackedPressed_);
}

void TZRColorPopupForm::Track(const QPoint& point, bool leftHeld) {
    const Hit hit = HitAt(point);
    if (hit.item == tracked_.item && hit.frame == tracked_.frame && leftHeld == trackedPressed_) return;
    tracked_ = hit;
    trackedPressed_ = leftHeld;
    update();
}

void TZRColorPopupForm::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (!rect().contains(p)) {
        button_->CancelByPress(*event);
        return;
    }
    Track(p, event->buttons() & Qt::LeftButton);
}

void TZRColorPopupForm::mouseMoveEvent(QMouseEvent* event) {
    Track(event->position().toPoint(), event->buttons() & Qt::LeftButton);
}

void TZRColorPopupForm::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !rect().contains(p)) return;
    Track(p, false);
    button_->ClosePalette(tracked_.item, tracked_.color);
}

// ---- TZRColorPopupButton

TZRColorPopupButton::TZRColorPopupButton(QWidget* parent) : TFlatPartButton(parent, kSize, kArrowLeft) {
    palette_ = new TZRColorPopupForm(this);
    capture_ = new TPopupCapture(this, palette_);
    capture_->OnCancel = [this] { ClosePalette(TZRColorPopupForm::kNothing, 0); };
}

TZRColorPopupButton::~TZRColorPopupButton() { capture_->Close(); }

void TZRColorPopupButton::SetColor(int32_t color) {
    if (color == color_) return;
    color_ = color;
    update();
}

void TZRColorPopupButton::SetColorButtonStyle(TColorButtonStyle style) {
    style_ = style;
    SetArrowShown(style != cbsColor);
    palette_->LayoutFor(style);
    update();
}

void TZRColorPopupButton::MainClicked() {
    if (style_ == cbsColor) {
        OpenPalette();
    } else if (OnColorChange) {
        OnColorChange(color_);
    }
}

void TZRColorPopupButton::OpenPalette() {
    palette_->LayoutFor(style_);
    const QRect anchor(mapToGlobal(QPoint(0, 0)), size());
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QPoint at = TPopupCapture::PlaceBelow(anchor, palette_->size(), screen ? screen->geometry() : QRect());
    capture_->Open(at);
    update();
}

void TZRColorPopupButton::ClosePalette(int item, int32_t color) {
    if (!PaletteOpen()) return;
    capture_->Close();
    ItemChosen(item, color);
}

void TZRColorPopupButton::ItemChosen(int item, int32_t color) {
    update();
    if (item == TZRColorPopupForm::kNothing) return;
    if (item == TZRColorPopupForm::kCellItem) {
        SetColor(color);
        if (OnColorChange) OnColorChange(color_);
        return;
    }
    if (OnMenuButtonClick) OnMenuButtonClick(item);
    if (item == kBtnNoColor) SetColor(clNoColor);
}

void TZRColorPopupButton::CancelByPress(const QMouseEvent& press) {
    ClosePalette(TZRColorPopupForm::kNothing, 0);
    TPopupCapture::RepeatPress(press, this);
}

void TZRColorPopupButton::PaintFace(QPainter& painter) {
    if (style_ == cbsColor) {
        const QRect swatch(5, 5, 17, 12);
        if (color_ == clNoColor) {
            DrawNoColorSwatch(painter, swatch, QColor(0x808080));
        } else {
            painter.fillRect(swatch, ColorOf(color_));
            DrawFrame(painter, swatch, QColor(0x808080));
        }
        DrawDropArrow(painter, QPoint(27, 10), isEnabled() ? Qt::black : ButtonShadow(palette()));
        return;
    }
    const QRect swatch(6, 5, 10, 10);
    if (color_ == clNoColor) {
        DrawNoColorSwatch(painter, swatch, Qt::black);
    } else {
        painter.fillRect(swatch, ColorOf(color_));
        DrawFrame(painter, swatch, Qt::black);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    switch (style_) {
        case cbsPen: DrawPencil(painter); break;
        case cbsFont: DrawLetterA(painter); break;
        default: DrawBrush(painter); break;
    }
    painter.restore();
}
