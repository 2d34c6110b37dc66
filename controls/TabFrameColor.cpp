#include "controls/TabFrameColor.h"

#include "controls/ControlPainting.h"
#include "controls/EnterAsTab.h"
#include "controls/SpinEdit.h"
#include "controls/StatusFont.h"
#include "controls/ZRColorPopupButton.h"

#include "foundation/Rounding.h"

#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

QColor Average(const QColor& a, const QColor& b) {
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

// The colour covering that share of a pixel, the rest left transparent.
QRgb Covering(const QColor& color, double coverage) {
    return qPremultiply(qRgba(color.red(), color.green(), color.blue(), int(std::lround(coverage * 255))));
}

}  // namespace

// The hue ring with the saturation and lightness square; the page does the
// drawing and takes the mouse.
class TColorImage : public QWidget {
public:
    TColorImage(TTabFrameColor* page, QWidget* parent) : QWidget(parent), page_(page) {
        setObjectName(QStringLiteral("imColor"));
        setFixedSize(TTabFrameColor::kImageSize, TTabFrameColor::kImageSize);
        setCursor(Qt::CrossCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        page_->PaintImage(painter);
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) page_->ImagePressed(e->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (e->buttons() & Qt::LeftButton) page_->ImageDragged(e->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent*) override { page_->ImageReleased(); }

private:
    TTabFrameColor* page_;
};

// ---- TColorCellGrid

TColorCellGrid::TColorCellGrid(int rows, QWidget* parent) : QWidget(parent), rows_(rows) {
    setFixedSize(kColumns * kCellSize, rows * kCellSize);
    setFocusPolicy(Qt::StrongFocus);
}

void TColorCellGrid::SetCurrentCell(int cell) {
    current_ = std::clamp(cell, 0, kColumns * rows_ - 1);
    update();
}

int TColorCellGrid::CellAt(const QPoint& point) const {
    if (!rect().contains(point)) return -1;
    return point.x() / kCellSize + point.y() / kCellSize * kColumns;
}

QRect TColorCellGrid::CellRect(int cell) const {
    return QRect(cell % kColumns * kCellSize, cell / kColumns * kCellSize, kCellSize, kCellSize);
}

void TColorCellGrid::Select(int cell) {
    if (cell < 0 || cell >= kColumns * rows_) return;
    SetCurrentCell(cell);
    if (OnSelectCell) OnSelectCell(cell);
}

void TColorCellGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    for (int cell = 0; cell < kColumns * rows_; ++cell) {
        const QRect r = CellRect(cell);
        const int32_t color = CellColor ? CellColor(cell) : clEmptySlot;
        if (color == clEmptySlot) {
            painter.fillRect(r, ButtonFace(pal));
            const QRect inner = r.adjusted(1, 1, -1, -1);
            painter.fillRect(inner, Qt::white);
            DrawFrame(painter, inner, ButtonFace(pal));
            DrawCross(painter, inner, ButtonFace(pal));
        } else {
            painter.fillRect(r, ColorOf(color));
        }
        DrawSunkenEdge(painter, r, pal);
        if (cell == current_) DrawFocusFrame(painter, r.adjusted(1, 1, -1, -1));
    }
}

void TColorCellGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Select(CellAt(event->position().toPoint()));
}

void TColorCellGrid::keyPressEvent(QKeyEvent* event) {
    const int column = current_ % kColumns;
    const int row = current_ / kColumns;
    switch (event->key()) {
        case Qt::Key_Left:
            if (column > 0) Select(current_ - 1);
            break;
        case Qt::Key_Right:
            if (column < kColumns - 1) Select(current_ + 1);
            break;
        case Qt::Key_Up:
            if (row > 0) Select(current_ - kColumns);
            break;
        case Qt::Key_Down:
            if (row < rows_ - 1) Select(current_ + kColumns);
            break;
        case Qt::Key_Delete:
            if (OnDeleteKey) OnDeleteKey(current_);
            break;
        default: QWidget::keyPressEvent(event); return;
    }
}

// ---- TColorPanel

TColorPanel::TColorPanel(QWidget* parent) : QWidget(parent) { setMinimumSize(60, 28); }

void TColorPanel::SetColor(int32_t color) {
    color_ = color;
    update();
}

void TColorPanel::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void TColorPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor color = ColorOf(color_);
    painter.fillRect(rect(), color);
    DrawSunkenEdge(painter, rect(), palette());
    painter.setPen(color.lightnessF() < 0.55 ? Qt::white : Qt::black);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, caption_);
}

// ---- TTabFrameColor

TTabFrameColor::TTabFrameColor(QWidget* owner) : TTabFrame(owner) {
    setObjectName(QStringLiteral("TabFrameColor"));
    AssignStatusFont(this);
    BuildControls();
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(kRedrawDelay);
    connect(timer_, &QTimer::timeout, this, &TTabFrameColor::TimerFired);
    SetColor(kStartColor);
    Localize();
}

void TTabFrameColor::BuildControls() {
    auto* colours = new QGroupBox(this);
    colours->setObjectName(QStringLiteral("GroupBox1"));
    imColor_ = new TColorImage(this, colours);
    auto* standardLabel = new QLabel(QStringLiteral("Standardfarben"), colours);
    standardLabel->setObjectName(QStringLiteral("lblStandardfarben"));
    dgStandardFarben_ = new TColorCellGrid(5, colours);
    dgStandardFarben_->setObjectName(QStringLiteral("dgStandardFarben"));
    dgStandardFarben_->CellColor = [](int cell) { return kStandardColors[static_cast<size_t>(cell)]; };
    dgStandardFarben_->OnSelectCell = [this](int cell) {
        model_.SetColor(static_cast<gdi::Color>(kStandardColors[static_cast<size_t>(cell)]));
        ShowModel();
    };
    auto* userLabel = new QLabel(QStringLiteral("Benutzerfarben"), colours);
    userLabel->setObjectName(QStringLiteral("lblBenutzerfarben"));
    dgBenutzerfarben_ = new TColorCellGrid(4, colours);
    dgBenutzerfarben_->setObjectName(QStringLiteral("dgBenutzerfarben"));
    dgBenutzerfarben_->CellColor = [this](int cell) { return userColors_.Colors(cell); };
    dgBenutzerfarben_->OnSelectCell = [this](int cell) {
        if (userColors_.Colors(cell) == clEmptySlot) return;
        model_.SetColor(static_cast<gdi::Color>(userColors_.Colors(cell)));
        ShowModel();
    };
    dgBenutzerfarben_->OnDeleteKey = [this](int cell) {
        userColors_.SetColors(cell, clEmptySlot);
        dgBenutzerfarben_->update();
    };
    btnColorAdd_ = new QPushButton(QStringLiteral("<< Farbe hinzufügen"), colours);
    btnColorAdd_->setObjectName(QStringLiteral("BtnColorAdd"));
    btnColorAdd_->setAutoDefault(false);
    connect(btnColorAdd_, &QPushButton::clicked, this, &TTabFrameColor::AddColorClick);

    // The ring above, the standard colours below it on the left, the user
    // colours with their button on the right.
    auto* left = new QGridLayout(colours);
    left->addWidget(imColor_, 0, 0, 1, 2, Qt::AlignHCenter | Qt::AlignTop);
    left->addWidget(standardLabel, 1, 0);
    left->addWidget(dgStandardFarben_, 2, 0, Qt::AlignLeft | Qt::AlignTop);
    left->addWidget(userLabel, 1, 1);
    left->addWidget(dgBenutzerfarben_, 2, 1, Qt::AlignLeft | Qt::AlignTop);
    left->addWidget(btnColorAdd_, 3, 1, Qt::AlignLeft);
    left->setRowStretch(4, 1);

    auto* values = new QGroupBox(this);
    values->setObjectName(QStringLiteral("GroupBox2"));
    auto* right = new QGridLayout(values);
    const char* const names[] = {"edR", "edG", "edB", "edH", "edS", "edL"};
    const char* const labels[] = {"Rot", "Grün", "Blau", "Farbe", "Sätt.", "Hell."};
    for (int i = 0; i < 6; ++i) {
        auto* label = new QLabel(QString::fromUtf8(labels[i]), values);
        label->setObjectName(QStringLiteral("lbl") + QString::fromLatin1(names[i] + 2));
        auto* edit = new TQNSpinEdit(values);
        edit->setObjectName(QString::fromLatin1(names[i]));
        edit->SetLimits(0, 255);
        edit->setFixedWidth(64);
        label->setBuddy(edit);
        const int tag = i + 1;
        connect(edit, &QLineEdit::textChanged, this, [this, tag] { EditChanged(tag); });
        edits_[static_cast<size_t>(i)] = edit;
        right->addWidget(label, i, 0);
        right->addWidget(edit, i, 1);
    }
    panNeu_ = new TColorPanel(values);
    panNeu_->setObjectName(QStringLiteral("panNeu"));
    panNeu_->SetCaption(QStringLiteral("Neu"));
    panAlt_ = new TColorPanel(values);
    panAlt_->setObjectName(QStringLiteral("panAlt"));
    panAlt_->SetCaption(QStringLiteral("Alt"));
    right->addWidget(panNeu_, 6, 0, 1, 2);
    right->addWidget(panAlt_, 7, 0, 1, 2);
    right->setRowStretch(8, 1);

    auto* page = new QHBoxLayout(this);
    page->addWidget(colours);
    page->addWidget(values);
    enterAsTab_ = new TZREnterAsTab(this);
    enterAsTab_->setObjectName(QStringLiteral("kEnterAsTab1"));
    resize(461, 400);
}

void TTabFrameColor::SetColor(int32_t color) {
    panAlt_->SetColor(color);
    model_.SetColor(static_cast<gdi::Color>(color));
    ShowModel();
}

void TTabFrameColor::ShowModel(bool drawSquare, int keepTag) {
    if (drawSquare && squareHue_ != model_.Hue()) DrawSquare();
    panNeu_->SetColor(GetColor());
    const bool wasUpdating = updating_;
    updating_ = true;
    const int values[] = {model_.Red(),
                          model_.Green(),
                          model_.Blue(),
                          Round(model_.Hue() * 255),
                          Round(model_.Saturation() * 255),
                          Round(model_.Luminance() * 255)};
    for (size_t i = 0; i < edits_.size(); ++i)
        if (int(i) + 1 != keepTag) edits_[i]->SetValue(values[i]);
    updating_ = wasUpdating;
    imColor_->update();
}

TTabFrameColor::TDragMode TTabFrameColor::PressMode(const QPoint& p) {
    if (p.x() >= kSquareLeft && p.x() <= kSquareLeft + kSquareSize && p.y() >= kSquareLeft && p.y() <= 148)
        return TDragMode::SatLight;
    const double distance = std::hypot(p.x() - kCentre, p.y() - kCentre);
    if (distance >= kInnerRadius && distance <= kOuterRadius) return TDragMode::Hue;
    return TDragMode::None;
}

double TTabFrameColor::HueAt(const QPoint& p) {
    double angle = std::atan2(double(p.y() - kCentre), double(p.x() - kCentre));
    if (angle < 0) angle += kTwoPi;
    return angle / kTwoPi;
}

QPointF TTabFrameColor::SatLightAt(const QPoint& p) {
    return {Clamp01((p.x() - kSquareLeft) / double(kSquareSize)), Clamp01((p.y() - kSquareLeft) / double(kSquareSize))};
}

QPoint TTabFrameColor::RingMarker() const {
    const double angle = model_.Hue() * kTwoPi;
    return {kCentre + Round(kMarkerRadius * std::cos(angle)), kCentre + Round(kMarkerRadius * std::sin(angle))};
}

QPoint TTabFrameColor::SquareMarker() const {
    return {kSquareLeft + Round(model_.Saturation() * kSquareSize), kSquareLeft + Round(model_.Luminance() * kSquareSize)};
}

void TTabFrameColor::ImagePressed(const QPoint& point) {
    drag_ = PressMode(point);
    ImageDragged(point);
}

void TTabFrameColor::ImageDragged(const QPoint& point) {
    if (drag_ == TDragMode::SatLight) {
        const QPointF values = SatLightAt(point);
        model_.SetSaturation(values.x());
        model_.SetLuminance(values.y());
    } else if (drag_ == TDragMode::Hue) {
        model_.SetHue(HueAt(point));
    } else {
        return;
    }
    ShowModel();
}

void TTabFrameColor::EditChanged(int tag) {
    if (updating_) return;
    updating_ = true;
    timer_->stop();
    const int value = std::clamp(Edit(tag)->GetValue(), 0, 255);
    switch (tag) {
        case 1: model_.SetRed(uint8_t(value)); break;
        case 2: model_.SetGreen(uint8_t(value)); break;
        case 3: model_.SetBlue(uint8_t(value)); break;
        case 4: model_.SetHue(value / 255.0); break;
        case 5: model_.SetSaturation(value / 255.0); break;
        default: model_.SetLuminance(value / 255.0); break;
    }
    timer_->start();
    // The square waits for the timer; the edit being typed in keeps its text.
    ShowModel(false, tag);
    updating_ = false;
}

void TTabFrameColor::TimerFired() {
    timer_->stop();
    DrawSquare();
    imColor_->update();
}

void TTabFrameColor::AddColorClick() {
    const int slot = userColors_.AddColor(GetColor(), dgBenutzerfarben_->CurrentCell());
    dgBenutzerfarben_->SetCurrentCell(slot);
    dgBenutzerfarben_->update();
}

// ---- the colour image

void TTabFrameColor::DrawRing(qreal scale) {
    const int size = qCeil(kImageSize * scale);
    // Outside the ring the image is transparent: the group box shows through.
    ring_ = QImage(size, size, QImage::Format_ARGB32_Premultiplied);
    ring_.setDevicePixelRatio(scale);
    for (int y = 0; y < size; ++y) {
        auto* line = reinterpret_cast<QRgb*>(ring_.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const double dx = (x + 0.5) / scale - kCentre;
            const double dy = (y + 0.5) / scale - kCentre;
            const double r = std::hypot(dx, dy);
            const double coverage =
                std::min(Clamp01((r - kInnerRadius) * scale + 0.5), Clamp01((kOuterRadius - r) * scale + 0.5));
            if (coverage <= 0) {
                line[x] = 0;
                continue;
            }
            double degrees = std::atan2(dy, dx) * 180 / std::numbers::pi;
            if (degrees < 0) degrees += 360;
            const QColor hue = ColorOf(static_cast<int32_t>(HSLToRGB(0.5, 1, std::floor(degrees) / 360)));
            line[x] = Covering(hue, coverage);
        }
    }
    QPainter painter(&ring_);
    painter.setRenderHint(QPainter::Antialiasing, true);
    DrawRingEdge(painter, QRectF(5.5, 5.5, 189, 189), true);
    DrawRingEdge(painter, QRectF(26.5, 26.5, 147, 147), false);
}

void TTabFrameColor::DrawRingEdge(QPainter& painter, const QRectF& box, bool raised) const {
    const QPalette& pal = palette();
    const QColor light = raised ? ButtonHighlight(pal) : ButtonShadow(pal);
    const QColor dark = raised ? ButtonShadow(pal) : ButtonHighlight(pal);
    const QColor face = pal.color(QPalette::Window);
    const QColor lightSoft = Average(light, face);
    const QColor darkSoft = Average(dark, face);
    // Qt's angles run counter-clockwise from three o'clock, in 1/16 degree;
    // the colours change over at 45 and 225 degrees.
    const struct {
        int from, span;
        QColor color;
    } arcs[] = {{30, 15, darkSoft}, {45, 15, lightSoft}, {60, 150, light},
                {210, 15, lightSoft}, {225, 15, darkSoft}, {240, 150, dark}};
    for (const auto& arc : arcs) {
        painter.setPen(QPen(arc.color, 1));
        painter.drawArc(box, arc.from * 16, arc.span * 16);
    }
}

void TTabFrameColor::DrawSquare() {
    squareHue_ = model_.Hue();
    constexpr int blocks = kSquareSize / 2;
    square_ = QImage(blocks, blocks, QImage::Format_RGB32);
    for (int i = 0; i < blocks; ++i) {
        auto* line = reinterpret_cast<QRgb*>(square_.scanLine(i));
        for (int j = 0; j < blocks; ++j)
            line[j] = ColorOf(static_cast<int32_t>(HSLToRGB(2.0 * i / 100, 2.0 * j / 100, squareHue_))).rgb();
    }
}

void TTabFrameColor::PaintImage(QPainter& painter) {
    const qreal scale = imColor_->devicePixelRatioF();
    if (ring_.isNull() || ring_.devicePixelRatio() != scale) DrawRing(scale);
    painter.drawImage(QPoint(0, 0), ring_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(kSquareLeft, kSquareLeft, kSquareSize, kSquareSize), square_);
    // The markers invert what lies under them, so they show on every colour.
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.setPen(QPen(QColor(0, 0, 255), 1));
    painter.setBrush(Qt::NoBrush);
    for (const QPoint& marker : {RingMarker(), SquareMarker()}) painter.drawEllipse(marker, 4, 4);
}
