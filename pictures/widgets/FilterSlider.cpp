#include "pictures/widgets/FilterSlider.h"

#include "controls/ControlPainting.h"
#include "controls/NumberText.h"
#include "foundation/FormatText.h"
#include "foundation/Rounding.h"
#include "foundation/ViewTimer.h"

#include <QtCore/QLocale>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QLineEdit>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kTrackLeft = 6;
constexpr int kTrackTop = 4;
constexpr int kThumbHalfWidth = 3;
constexpr int kTickTop = 6;  // below the track's top

QChar DecimalSeparator() {
    const QString separator = QLocale().decimalPoint();
    return separator.isEmpty() ? QLatin1Char('.') : separator.front();
}

}  // namespace

TFilterSlider::TFilterSlider(QWidget* parent)
    : QWidget(parent), edit_(new QLineEdit(this)), timer_(std::make_unique<TQtViewTimer>()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    timer_->OnTimeout = [this] { FireChange(); };
    edit_->installEventFilter(this);
    connect(edit_, &QLineEdit::textChanged, this, [this] { EditTextChanged(); });
    resize(300, 40);
    FitHeightToFont();
    WriteEditText();
}

TFilterSlider::~TFilterSlider() = default;

void TFilterSlider::SetChangeTimer(std::unique_ptr<TViewTimer> timer) {
    timer_ = std::move(timer);
    timer_->OnTimeout = [this] { FireChange(); };
}

// ---- values

float TFilterSlider::Minimum() const { return mode_ == TSliderMode::smLinear ? -100.0f : 0.1f; }
float TFilterSlider::Maximum() const { return mode_ == TSliderMode::smLinear ? 100.0f : 10.0f; }
float TFilterSlider::Neutral() const { return mode_ == TSliderMode::smLinear ? 0.0f : 1.0f; }

float TFilterSlider::Clamped(float value) const {
    if (!(value == value)) return Neutral();
    return std::clamp(value, Minimum(), Maximum());
}

void TFilterSlider::StorePosition(float value) {
    if (value == position_) return;
    position_ = value;
    update();
}

void TFilterSlider::SetPosition(float value) {
    StorePosition(Clamped(value));
    WriteEditText();
    SignalChange();
}

void TFilterSlider::SetSliderMode(TSliderMode value) {
    mode_ = value;
    position_ = Clamped(position_);
    WriteEditText();  // the text's form follows the mode
    update();
}

void TFilterSlider::SetChangeDelay(int milliseconds) {
    changeDelay_ = std::max(0, milliseconds);
    if (changeDelay_ == 0) timer_->Stop();
}

// ---- change signalling

void TFilterSlider::SignalChange() {
    if (changeDelay_ == 0) {
        FireChange();
        return;
    }
    timer_->Stop();
    timer_->Start(changeDelay_);
}

void TFilterSlider::FireChange() {
    timer_->Stop();
    repaint();
    if (OnChange) OnChange(*this);
}

// ---- the edit field

QString TFilterSlider::PositionText() const {
    if (mode_ == TSliderMode::smLinear) return QString::number(Round(position_));
    return FormatText(u"%2f", {position_});
}

void TFilterSlider::WriteEditText() {
    const QString text = PositionText();
    if (edit_->text() == text) return;
    writingEdit_ = true;
    edit_->setText(text);
    writingEdit_ = false;
}

void TFilterSlider::EditTextChanged() {
    if (writingEdit_) return;
    double typed = 0;
    int stop = 0;
    if (!ParseFloat(edit_->text(), DecimalSeparator(), typed, stop)) return;
    const float clamped = Clamped(static_cast<float>(typed));
    StorePosition(clamped);
    if (std::fabs(clamped - typed) >= 1e-6) WriteEditText();
    SignalChange();
}

// Typed characters: digits, the minus sign and the decimal separator (and
// backspace); Enter hands the focus to the slider.
bool TFilterSlider::EditKey(QKeyEvent* key) {
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        setFocus(Qt::OtherFocusReason);
        return true;
    }
    const QString text = key->text();
    if (text.isEmpty() || key->modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier)) return false;
    const QChar c = text.front();
    if (c.unicode() < 0x20 && c != QLatin1Char('\b')) return false;  // other control keys keep their work
    const bool allowed = c == QLatin1Char('\b') || c == QLatin1Char('-') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                         c == DecimalSeparator();
    return !allowed;
}

bool TFilterSlider::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_) {
        if (event->type() == QEvent::KeyPress && EditKey(static_cast<QKeyEvent*>(event))) return true;
        if (event->type() == QEvent::FocusOut) WriteEditText();
    }
    return QWidget::eventFilter(watched, event);
}

// ---- geometry

void TFilterSlider::FitHeightToFont() {
    setFixedHeight(fontMetrics().height() + 10);
    PlaceEdit();
}

// From the size itself: a hidden control learns of its resizing only when shown.
QRect TFilterSlider::EditRect() const {
    const int t = fontMetrics().horizontalAdvance(QStringLiteral("10,00"));
    return {width() - t - 12, 2, t + 10, height() - 4};
}

void TFilterSlider::PlaceEdit() { edit_->setGeometry(EditRect()); }

QRect TFilterSlider::TrackRect() const {
    const int right = EditRect().left() - 12;
    const int bottom = height() - 3;
    return {kTrackLeft, kTrackTop, right - kTrackLeft, bottom - kTrackTop};
}

int TFilterSlider::ThumbX() const {
    const QRect track = TrackRect();
    const int width = track.width();
    if (mode_ == TSliderMode::smLinear) return track.left() + Round((position_ + 100.0) / 200.0 * width);
    return track.left() + Round((std::log10(double(position_)) + 1.0) * width / 2.0);
}

float TFilterSlider::PositionFromX(int x) const {
    const int a = x - kTrackLeft;
    int w = TrackRect().width();
    if (w % 2 != 0) ++w;
    if (w <= 0) return position_;
    if (mode_ == TSliderMode::smLinear) return static_cast<float>(double(a) / w * 200.0 - 100.0);
    return static_cast<float>(std::pow(10.0, 2.0 * a / w - 1.0));
}

void TFilterSlider::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceEdit();
}

void TFilterSlider::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) FitHeightToFont();
}

// ---- painting

void TFilterSlider::PaintTicks(QPainter& painter, const QRect& track) const {
    const QColor shadow = ButtonShadow(palette());
    const int top = track.top() + kTickTop;
    const int full = track.bottom() + 1 - top;
    auto tick = [&](int x, int height) { painter.fillRect(QRect(x, top, 1, height), shadow); };
    const int width = track.width();
    if (mode_ == TSliderMode::smExpo) {
        constexpr std::array<double, 11> kValues = {0.1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        for (double value : kValues) tick(track.left() + Round(width / 2.0 + width / 2.0 * std::log10(value)), full);
        return;
    }
    for (int i = 0; i <= 20; ++i) tick(track.left() + MulDiv(i, width, 20), i % 5 == 0 ? full : full / 2);
}

void TFilterSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), ButtonFace(colours));
    const QRect track = TrackRect();
    if (track.width() > 0 && track.height() > 0) {
        DrawSunkenEdge(painter, QRect(track.left(), track.top(), track.width(), 4), colours);
        const int middle = track.left() + track.width() / 2;
        const int thumb = ThumbX();
        painter.fillRect(QRect(std::min(middle, thumb), track.top() + 1, std::abs(thumb - middle), 2),
                         colours.color(QPalette::Highlight));
        PaintTicks(painter, track);
        const QRect knob(thumb - kThumbHalfWidth, track.top(), 2 * kThumbHalfWidth, track.height());
        painter.fillRect(knob, ButtonFace(colours));
        DrawRaisedEdge(painter, knob, colours);
        painter.fillRect(knob.adjusted(2, 2, -2, -2), colours.color(QPalette::Highlight));
    }
    if (focused_) DrawFocusFrame(painter, rect());
}

// ---- keyboard, mouse and focus

void TFilterSlider::keyPressEvent(QKeyEvent* event) {
    const bool linear = mode_ == TSliderMode::smLinear;
    const float small = linear ? 1.0f : 0.1f;
    const float large = linear ? 10.0f : 1.0f;
    switch (event->key()) {
    case Qt::Key_End: SetPosition(Maximum()); break;
    case Qt::Key_Home: SetPosition(Minimum()); break;
    case Qt::Key_Left:
    case Qt::Key_Up: SetPosition(position_ - small); break;
    case Qt::Key_PageUp: SetPosition(position_ - large); break;
    case Qt::Key_Right:
    case Qt::Key_Down: SetPosition(position_ + small); break;
    case Qt::Key_PageDown: SetPosition(position_ + large); break;
    case Qt::Key_R: SetPosition(Neutral()); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void TFilterSlider::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    const QRect track = TrackRect();
    if (!track.contains(at)) return;
    dragging_ = true;
    const int thumb = ThumbX();
    if (at.x() >= thumb - kThumbHalfWidth && at.x() < thumb + kThumbHalfWidth) return;  // on the thumb: it stays
    SetPosition(PositionFromX(at.x()));
}

void TFilterSlider::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) SetPosition(PositionFromX(event->position().toPoint().x()));
}

void TFilterSlider::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

void TFilterSlider::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    focused_ = true;
    update();
}

void TFilterSlider::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    focused_ = false;
    update();
}
