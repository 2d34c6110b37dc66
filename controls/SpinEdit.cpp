#include "controls/SpinEdit.h"

#include "controls/NumberText.h"
#include "controls/TypedChar.h"

#include <QtCore/QTimer>
#include <QtGui/QFontDatabase>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOptionFocusRect>
#include <QtWidgets/QStylePainter>

#include <algorithm>
#include <limits>

namespace {

// The strip between the two buttons of a spin button: dragging on it
// changes the value.
class SpinStrip : public QWidget {
public:
    explicit SpinStrip(TQNSpinButton* owner) : QWidget(owner), owner_(owner) {
        setCursor(Qt::SizeVerCursor);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Dark));
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) owner_->StripPressed(OwnerY(event));
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (event->buttons() & Qt::LeftButton) owner_->StripDragged(OwnerY(event));
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) owner_->StripReleased();
    }

private:
    int OwnerY(const QMouseEvent* event) const { return mapToParent(event->position().toPoint()).y(); }

    TQNSpinButton* owner_;
};

bool TakesTabFocus(const QWidget* w) { return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled(); }

}  // namespace

// ---- TQNTimerSpeedButton

TQNTimerSpeedButton::TQNTimerSpeedButton(QWidget* parent) : QToolButton(parent) { setFocusPolicy(Qt::NoFocus); }

void TQNTimerSpeedButton::mousePressEvent(QMouseEvent* event) {
    QToolButton::mousePressEvent(event);
    if (!(state_ & tbAllowTimer) || event->button() != Qt::LeftButton) return;
    if (!timer_) {
        timer_ = new QTimer(this);
        connect(timer_, &QTimer::timeout, this, &TQNTimerSpeedButton::RepeatTimerExpired);
    }
    timer_->start(kFirstDelay);
}

void TQNTimerSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
    if (timer_) timer_->stop();
    QToolButton::mouseReleaseEvent(event);
}

void TQNTimerSpeedButton::RepeatTimerExpired() {
    if (!timer_) return;
    timer_->setInterval(kRepeatDelay);
    if (!isDown()) return;
    try {
        emit clicked();
    } catch (...) {
        timer_->stop();
        throw;
    }
}

void TQNTimerSpeedButton::paintEvent(QPaintEvent* event) {
    QToolButton::paintEvent(event);
    if (!(state_ & tbFocusRect)) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(3, 3, -3, -3);
    if (isDown()) option.rect.translate(1, 1);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

// ---- TQNSpinButton

TQNSpinButton::TQNSpinButton(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumWidth(kMinimumWidth);
    strip_ = new SpinStrip(this);
    up_ = CreateButton(Qt::UpArrow);
    down_ = CreateButton(Qt::DownArrow);
    focused_ = up_;
    resize(sizeHint());
}

TQNTimerSpeedButton* TQNSpinButton::CreateButton(Qt::ArrowType arrow) {
    auto* button = new TQNTimerSpeedButton(this);
    button->SetTimeBtnState(TQNTimerSpeedButton::tbAllowTimer);
    button->setArrowType(arrow);
    button->installEventFilter(this);
    connect(button, &QAbstractButton::clicked, this, [this, button] { ButtonClicked(button); });
    return button;
}

void TQNSpinButton::SetUpGlyph(const QPixmap& glyph) {
    upGlyph_ = glyph;
    up_->setArrowType(glyph.isNull() ? Qt::UpArrow : Qt::NoArrow);
    up_->setIcon(QIcon(glyph));
}

void TQNSpinButton::SetDownGlyph(const QPixmap& glyph) {
    downGlyph_ = glyph;
    down_->setArrowType(glyph.isNull() ? Qt::DownArrow : Qt::NoArrow);
    down_->setIcon(QIcon(glyph));
}

void TQNSpinButton::StripDragged(int y) {
    for (int i = y; i < dragY_; ++i) ButtonClicked(up_);
    for (int i = dragY_; i < y; ++i) ButtonClicked(down_);
    dragY_ = y;
}

void TQNSpinButton::ButtonClicked(TQNTimerSpeedButton* button) {
    const std::function<void()>& handler = button == up_ ? onUpClick_ : onDownClick_;
    if (handler) handler();
}

void TQNSpinButton::ButtonPressed(TQNTimerSpeedButton* button) {
    if (TakesTabFocus(this)) SetFocusedButton(button);
    if (focusControl_ && TakesTabFocus(focusControl_) && !focusControl_->hasFocus()) {
        focusControl_->setFocus(Qt::MouseFocusReason);
    } else if (TakesTabFocus(this) && !hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
}

void TQNSpinButton::SetFocusedButton(TQNTimerSpeedButton* button) {
    focused_ = button;
    for (TQNTimerSpeedButton* b : {up_, down_}) {
        const bool focusRect = b == focused_ && hasFocus();
        b->SetTimeBtnState(focusRect ? b->TimeBtnState() | TQNTimerSpeedButton::tbFocusRect
                                     : b->TimeBtnState() & ~TQNTimerSpeedButton::tbFocusRect);
        b->update();
    }
}

bool TQNSpinButton::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == up_ || watched == down_) ButtonPressed(static_cast<TQNTimerSpeedButton*>(watched));
    }
    return QWidget::eventFilter(watched, event);
}

void TQNSpinButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
        ButtonClicked(focused_);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        TQNTimerSpeedButton* button = event->key() == Qt::Key_Up ? up_ : down_;
        SetFocusedButton(button);
        ButtonClicked(button);
        break;
    }
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TQNSpinButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    SetFocusedButton(focused_);
}

void TQNSpinButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    SetFocusedButton(focused_);
}

void TQNSpinButton::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutParts();
}

void TQNSpinButton::LayoutParts() {
    const int w = std::max(width(), kMinimumWidth);
    const int h = height();
    const int half = h / 2;
    up_->setGeometry(0, 1, w, half - 1);
    down_->setGeometry(0, h - half + 1, w, half - 1);
    strip_->setGeometry(0, half, w + 1, h - half + 1);
}

void TQNSpinButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
}

// ---- TQNSpinEdit

TQNSpinEdit::TQNSpinEdit(QWidget* parent) : QLineEdit(parent) {
    button_ = new TQNSpinButton(this);
    button_->setFocusPolicy(Qt::NoFocus);
    button_->resize(15, 18);
    button_->setCursor(Qt::ArrowCursor);
    button_->SetFocusControl(this);
    button_->SetOnUpClick([this] { UpClick(); });
    button_->SetOnDownClick([this] { DownClick(); });
    setMinimumHeight(MinimumHeight());
    setText(QStringLiteral("0"));
    LayoutButton();
}

void TQNSpinEdit::SetEditorEnabled(bool enabled) {
    editorEnabled_ = enabled;
    UpdateEditable();
}

void TQNSpinEdit::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    UpdateEditable();
}

// The line edit itself refuses typing, pasting, cutting and deleting.
void TQNSpinEdit::UpdateEditable() { QLineEdit::setReadOnly(readOnly_ || !editorEnabled_); }

int32_t TQNSpinEdit::GetValue() const {
    int32_t value = 0;
    return ParseInteger(text(), value) ? value : minValue_;
}

void TQNSpinEdit::SetValue(int32_t value) { setText(QString::number(CheckValue(value))); }

int32_t TQNSpinEdit::CheckValue(int32_t value) const {
    if (minValue_ == maxValue_) return value;
    return std::clamp(value, std::min(minValue_, maxValue_), std::max(minValue_, maxValue_));
}

bool TQNSpinEdit::IsValidChar(QChar key) const {
    const char16_t code = key.unicode();
    bool valid = key == QLatin1Char('+') || key == QLatin1Char('-') || (code >= u'0' && code <= u'9') ||
                 (code < 32 && code != 13);
    if (!editorEnabled_ && (code == 8 || code >= 32)) valid = false;
    return valid;
}

void TQNSpinEdit::UpClick() {
    if (readOnly_) {
        Beep();
    } else {
        Step(increment_);
    }
}

void TQNSpinEdit::DownClick() {
    if (readOnly_) {
        Beep();
    } else {
        Step(-int64_t(increment_));
    }
}

// A step past the 32-bit range stops at its end.
void TQNSpinEdit::Step(int64_t delta) {
    const int64_t value = std::clamp<int64_t>(int64_t(GetValue()) + delta, std::numeric_limits<int32_t>::min(),
                                              std::numeric_limits<int32_t>::max());
    SetValue(int32_t(value));
}

void TQNSpinEdit::Beep() { QApplication::beep(); }

void TQNSpinEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        if (event->key() == Qt::Key_Up) {
            UpClick();
        } else {
            DownClick();
        }
        event->accept();
        return;
    }
    const QChar key = TypedChar(*event);
    if (!key.isNull() && !IsValidChar(key)) {
        Beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TQNSpinEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (autoSelect_ && !(QGuiApplication::mouseButtons() & Qt::LeftButton)) selectAll();
}

void TQNSpinEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    const int32_t value = GetValue();
    if (CheckValue(value) != value) SetValue(value);
}

int TQNSpinEdit::MinimumHeight() const {
    const int fontHeight = fontMetrics().height();
    const int systemHeight = QFontMetrics(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).height();
    constexpr int kBorderHeight = 1;
    return fontHeight + std::min(fontHeight, systemHeight) / 4 + 4 * kBorderHeight + 2;
}

QSize TQNSpinEdit::minimumSizeHint() const {
    const QSize size = QLineEdit::minimumSizeHint();
    return {size.width() + button_->width(), std::max(size.height(), MinimumHeight())};
}

QSize TQNSpinEdit::sizeHint() const {
    const QSize size = QLineEdit::sizeHint();
    return {size.width(), std::max(size.height(), MinimumHeight())};
}

void TQNSpinEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    LayoutButton();
}

void TQNSpinEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) setMinimumHeight(MinimumHeight());
}

// The buttons sit inside the frame at the right; the text ends two pixels
// before them.
void TQNSpinEdit::LayoutButton() {
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int buttonWidth = button_->width();
    button_->setGeometry(width() - buttonWidth - frame, frame, buttonWidth, height() - 2 * frame);
    setTextMargins(0, 0, buttonWidth + 2, 0);
}
