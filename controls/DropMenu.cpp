#include "controls/DropMenu.h"

#include "controls/ControlPainting.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QScreen>

#include <algorithm>

TDropMenu::TDropMenu(QWidget* button) : TPopupWindow(button), button_(button) {
    setContextMenuPolicy(Qt::PreventContextMenu);
    capture_ = new TPopupCapture(button, this);
    capture_->OnCancel = [this] { Close(); };  // the button shows its arrow raised again
}

TDropMenu::~TDropMenu() { capture_->Close(); }

void TDropMenu::Clear() {
    items_.clear();
    highlighted_ = -1;
}

void TDropMenu::AddItem(const QString& caption, int tag) { items_.append({caption, tag}); }

int TDropMenu::ItemHeight() const { return fontMetrics().height() + 4; }

QRect TDropMenu::ItemRect(int index) const {
    return QRect(kFrame, kFrame + index * ItemHeight(), width() - 2 * kFrame, ItemHeight());
}

int TDropMenu::ItemAt(const QPoint& point) const {
    for (int i = 0; i < Count(); ++i)
        if (ItemRect(i).contains(point)) return i;
    return -1;
}

void TDropMenu::Popup(const QRect& buttonOnScreen) {
    int textWidth = 0;
    for (const Item& item : items_) textWidth = std::max(textWidth, fontMetrics().horizontalAdvance(item.caption));
    setFixedSize(textWidth + 2 * (kFrame + kTextMargin), Count() * ItemHeight() + 2 * kFrame);
    highlighted_ = -1;
    const QScreen* screen = button_->screen() ? button_->screen() : QGuiApplication::primaryScreen();
    capture_->Open(TPopupCapture::PlaceBelow(buttonOnScreen, size(), screen ? screen->geometry() : QRect()));
    update();
}

void TDropMenu::Close() {
    capture_->Close();
    button_->update();
}

void TDropMenu::Highlight(int index) {
    if (index == highlighted_) return;
    highlighted_ = index;
    update();
}

void TDropMenu::Choose(int index) {
    Close();
    if (index >= 0 && index < Count() && OnItemClick) OnItemClick(Tag(index));
}

void TDropMenu::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), pal.color(QPalette::Window));
    DrawRaisedPanel(painter, rect(), pal);
    for (int i = 0; i < Count(); ++i) {
        const QRect r = ItemRect(i);
        const bool selected = i == highlighted_;
        if (selected) painter.fillRect(r, pal.color(QPalette::Highlight));
        painter.setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::WindowText));
        painter.drawText(r.adjusted(kTextMargin, 0, -kTextMargin, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         Caption(i));
    }
}

void TDropMenu::mousePressEvent(QMouseEvent* event) {
    if (rect().contains(event->position().toPoint())) {
        Highlight(ItemAt(event->position().toPoint()));
        return;
    }
    Close();
    TPopupCapture::RepeatPress(*event, button_);
}

void TDropMenu::mouseMoveEvent(QMouseEvent* event) { Highlight(ItemAt(event->position().toPoint())); }

void TDropMenu::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int index = ItemAt(event->position().toPoint());
    if (index >= 0) Choose(index);
}

void TDropMenu::keyPressEvent(QKeyEvent* event) {
    if (Count() == 0) return;
    switch (event->key()) {
        case Qt::Key_Down: Highlight(highlighted_ < 0 ? 0 : (highlighted_ + 1) % Count()); break;
        case Qt::Key_Up: Highlight(highlighted_ <= 0 ? Count() - 1 : highlighted_ - 1); break;
        case Qt::Key_Home: Highlight(0); break;
        case Qt::Key_End: Highlight(Count() - 1); break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space: Choose(highlighted_); break;
        default: break;
    }
}
