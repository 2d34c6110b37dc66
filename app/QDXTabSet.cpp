#include "app/QDXTabSet.h"

#include "figures/widgets/TrackerDragLoop.h"
#include "foundation/Localizer.h"
#include "platform/gdi/QtConvert.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMdiSubWindow>

#include <algorithm>

namespace {

// The scroller stands 2 pixels from the right edge, 3 from the top, and
// takes its width less 4 from the room of the tabs.
constexpr int kScrollerRight = 2;
constexpr int kScrollerTop = 3;
constexpr int kScrollerOverlap = 4;
constexpr int kTabCaptionTop = 2;

QColor SysQColor(gdi::SystemColorIndex index) { return gdi::ToQColor(gdi::SystemColor(index)); }

// The character after a single '&' of a caption ("&&" is a plain ampersand).
QChar AcceleratorOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] != u'&') return caption[i + 1];
        ++i;
    }
    return {};
}

}  // namespace

TQDXTabSet::TQDXTabSet(QWidget* parent)
    : QWidget(parent),
      scroller_(new TScroller(this)),
      selectedColor_(gdi::SystemColor(gdi::COLOR_BTNFACE)),
      unselectedColor_(gdi::SystemColor(gdi::COLOR_WINDOW)),
      backgroundColor_(gdi::SystemColor(gdi::COLOR_BTNFACE)) {
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(185, 21);
    scroller_->hide();
    scroller_->OnClick = [this] {
        if (!settingScroller_) SetFirstIndex(scroller_->Position());
    };
}

TQDXTabSet::~TQDXTabSet() { qApp->removeEventFilter(this); }

// ---- tabs and selection

void TQDXTabSet::SetTabs(const TTabList& tabs) {
    tabs_.items_ = tabs.items_;
    tabIndex_ = -1;
    firstIndex_ = 0;
    if (tabs_.Count() > 0) {
        SetTabIndex(0);
    } else {
        TabsChanged();
    }
}

void TQDXTabSet::TabsChanged() {
    firstIndex_ = std::clamp(firstIndex_, 0, std::max(0, tabs_.Count() - 1));
    Relayout();
    update();
}

void TQDXTabSet::SetTabIndex(int index) {
    if (index == tabIndex_) return;
    if (index < -1 || index >= tabs_.Count()) throw ETabSetError(LocalizedText("IDS_TABINDEXOUTOFRANGE"));
    bool allow = true;
    if (OnChange) OnChange(index, allow);
    if (!allow) return;
    tabIndex_ = index;
    ScrollIntoView(index);
    if (OnClick) OnClick();
    update();
}

void TQDXTabSet::ScrollIntoView(int index) {
    if (index < 0) return;
    Relayout();
    if (index < firstIndex_) {
        firstIndex_ = index;
    } else if (index >= firstIndex_ + VisibleTabs()) {
        firstIndex_ = index - std::max(1, FitsEndingAt(index, Limit(true))) + 1;
    }
    Relayout();
}

void TQDXTabSet::SetFirstIndex(int index) {
    if (index < 0 || index >= tabs_.Count() || index == firstIndex_) return;
    firstIndex_ = index;
    Relayout();
    update();
}

// ---- layout

int TQDXTabSet::EdgeHeight() const {
    if (style_ == TTabStyle::tsOwnerDraw) return tabHeight_;
    return fontMetrics().height() + 4;
}

int TQDXTabSet::TabWidth(int index) const {
    int w = fontMetrics().size(Qt::TextShowMnemonic, QStringLiteral("  ") + tabs_.Strings(index)).width();
    if (style_ == TTabStyle::tsOwnerDraw && OnMeasureTab) OnMeasureTab(index, w);
    return w;
}

int TQDXTabSet::Limit(bool withScroller) const {
    const int limit = width() - endMargin_;
    return withScroller ? limit - (TScroller::kWidth - kScrollerOverlap) : limit;
}

std::vector<TQDXTabSet::TabPos> TQDXTabSet::LayoutFrom(int first, int limit) const {
    std::vector<TabPos> shown;
    int x = startMargin_ + kEdgeWidth;
    for (int i = std::max(0, first); i < tabs_.Count() && x <= limit; ++i) {
        const int w = TabWidth(i);
        const int start = x;
        x += w + kEdgeWidth;
        if (x > limit) break;
        shown.push_back({start, w});
    }
    return shown;
}

int TQDXTabSet::FitsEndingAt(int index, int limit) const {
    int x = startMargin_ + kEdgeWidth;
    int n = 0;
    for (int i = index; i >= 0; --i) {
        x += TabWidth(i) + kEdgeWidth;
        if (x > limit) break;
        ++n;
    }
    return n;
}

void TQDXTabSet::Relayout() {
    visible_ = LayoutFrom(firstIndex_, Limit(false));
    const bool allFit = firstIndex_ == 0 && VisibleTabs() == tabs_.Count();
    if (!autoScroll_ || allFit) {
        scroller_->hide();
        return;
    }
    visible_ = LayoutFrom(firstIndex_, Limit(true));
    scroller_->move(width() - TScroller::kWidth - kScrollerRight, kScrollerTop);
    settingScroller_ = true;
    scroller_->SetMin(0);
    scroller_->SetMax(tabs_.Count() - VisibleTabs());
    scroller_->SetPosition(firstIndex_);
    settingScroller_ = false;
    scroller_->show();
}

int TQDXTabSet::ItemAtPos(QPoint p) const {
    if (p.y() < 0 || p.y() >= EdgeHeight()) return -1;
    const int widen = p.y() < height() / 2 ? 3 : 4;
    for (int i = 0; i < VisibleTabs(); ++i) {
        const TabPos& t = visible_[static_cast<size_t>(i)];
        if (p.x() >= t.start - widen && p.x() < t.start + t.width + widen) return firstIndex_ + i;
    }
    return -1;
}

QRect TQDXTabSet::ItemRect(int index) const {
    const int i = index - firstIndex_;
    if (i < 0 || i >= VisibleTabs()) return {};
    const TabPos& t = visible_[static_cast<size_t>(i)];
    return QRect(t.start, 0, t.width, EdgeHeight());
}

void TQDXTabSet::resizeEvent(QResizeEvent*) {
    if (tabs_.Count() > 1) {
        const int fromFirst = static_cast<int>(LayoutFrom(0, Limit(false)).size());
        const int fitting = fromFirst == tabs_.Count() ? fromFirst : static_cast<int>(LayoutFrom(0, Limit(true)).size());
        if (fitting > VisibleTabs() || fitting == tabs_.Count()) firstIndex_ = std::max(0, tabs_.Count() - fitting);
        bringSelectedIntoView_ = true;
    }
    Relayout();
    update();
}

// ---- properties that change the look

void TQDXTabSet::SetStartMargin(int value) {
    startMargin_ = value;
    TabsChanged();
}

void TQDXTabSet::SetEndMargin(int value) {
    endMargin_ = value;
    TabsChanged();
}

void TQDXTabSet::SetSelectedColor(gdi::Color c) {
    selectedColor_ = c;
    update();
}

void TQDXTabSet::SetUnselectedColor(gdi::Color c) {
    unselectedColor_ = c;
    update();
}

void TQDXTabSet::SetBackgroundColor(gdi::Color c) {
    backgroundColor_ = c;
    update();
}

void TQDXTabSet::SetDitherBackground(bool on) {
    ditherBackground_ = on;
    update();
}

void TQDXTabSet::SetAutoScroll(bool on) {
    autoScroll_ = on;
    TabsChanged();
}

void TQDXTabSet::SetStyle(TTabStyle style) {
    style_ = style;
    TabsChanged();
}

void TQDXTabSet::SetTabHeight(int height) {
    tabHeight_ = height;
    TabsChanged();
}

// ---- painting

void TQDXTabSet::PaintBackground(QPainter& p) {
    const QColor background = gdi::ToQColor(backgroundColor_);
    if (!ditherBackground_) {
        p.fillRect(rect(), background);
        return;
    }
    QImage pattern(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) pattern.setPixel(x, y, (x + y) % 2 == 0 ? background.rgb() : qRgb(255, 255, 255));
    p.fillRect(rect(), QBrush(pattern));
}

// A tab hangs from the top line: its slanted sides run inwards from the top
// corners over kEdgeWidth pixels to the bottom edge.
void TQDXTabSet::PaintTab(QPainter& p, int visibleIndex, bool selected) {
    const TabPos& t = visible_[static_cast<size_t>(visibleIndex)];
    const int index = firstIndex_ + visibleIndex;
    const int bottom = EdgeHeight() - 1;
    const int left = t.start - kEdgeWidth;
    const int right = t.start + t.width + kEdgeWidth - 1;
    const QColor face = gdi::ToQColor(selected ? selectedColor_ : unselectedColor_);
    const QPolygon outline({QPoint(left, 0), QPoint(t.start - 1, bottom), QPoint(t.start + t.width, bottom), QPoint(right, 0)});
    p.setPen(SysQColor(gdi::COLOR_BTNSHADOW));
    p.setBrush(face);
    p.drawPolygon(outline);
    // The selected tab is open to the page above; the others lie behind the line.
    p.setPen(selected ? face : SysQColor(gdi::COLOR_BTNSHADOW));
    p.drawLine(left + 1, 0, right - 1, 0);
    if (selected) p.drawLine(left + 2, 1, right - 2, 1);

    const QRect faceRect(t.start, 0, t.width, EdgeHeight());
    if (style_ == TTabStyle::tsOwnerDraw && OnDrawTab) {
        OnDrawTab(p, faceRect, index, selected);
        return;
    }
    p.setPen(SysQColor(gdi::COLOR_BTNTEXT));
    p.drawText(faceRect.adjusted(0, kTabCaptionTop, 0, 0), Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextSingleLine,
               tabs_.Strings(index));
}

void TQDXTabSet::paintEvent(QPaintEvent*) {
    if (bringSelectedIntoView_) {
        bringSelectedIntoView_ = false;
        ScrollIntoView(tabIndex_);
    }
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    PaintBackground(p);
    p.setPen(SysQColor(gdi::COLOR_BTNSHADOW));
    p.drawLine(0, 0, width() - 1, 0);
    // Later tabs lie over earlier ones, the selected tab over all.
    int selectedVisible = -1;
    for (int i = 0; i < VisibleTabs(); ++i) {
        if (firstIndex_ + i == tabIndex_) {
            selectedVisible = i;
        } else {
            PaintTab(p, i, false);
        }
    }
    if (selectedVisible >= 0) PaintTab(p, selectedVisible, true);
}

// ---- mouse and keys

void TQDXTabSet::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        const int index = ItemAtPos(p);
        if (index >= 0) SetTabIndex(index);
    }
    if (OnMouseDown) OnMouseDown(event->button(), ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

// Alt and a caption's accelerator select its tab while the focus is
// anywhere in the strip's window (its document window inside a
// multi-document frame).
namespace {

const QWidget* FormOf(const QWidget* w) {
    while (w && !w->isWindow() && !qobject_cast<const QMdiSubWindow*>(w)) w = w->parentWidget();
    return w;
}

}  // namespace

void TQDXTabSet::showEvent(QShowEvent*) { qApp->installEventFilter(this); }

void TQDXTabSet::hideEvent(QHideEvent*) { qApp->removeEventFilter(this); }

bool TQDXTabSet::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType()) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!(key->modifiers() & Qt::AltModifier) || key->text().isEmpty()) return false;
    if (FormOf(static_cast<QWidget*>(watched)) != FormOf(this)) return false;
    if (!SelectByAccelerator(key->text()[0])) return false;
    event->accept();
    return true;
}

bool TQDXTabSet::SelectByAccelerator(QChar key) {
    for (int i = 0; i < tabs_.Count(); ++i) {
        const QChar accelerator = AcceleratorOf(tabs_.Strings(i));
        if (!accelerator.isNull() && accelerator.toCaseFolded() == key.toCaseFolded()) {
            SetTabIndex(i);
            return true;
        }
    }
    return false;
}
