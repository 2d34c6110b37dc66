#include "controls/ZRPenWidthButton.h"

#include "controls/ControlPainting.h"
#include "controls/DropMenu.h"

#include "foundation/FormatText.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Rounding.h"

#include <QtGui/QPainter>

namespace {

QString InchText(double inches) { return FormatText(u"%.3f\"", {inches}); }

double NearestMultiple(double x, double step) { return step * Round(x / step); }

}  // namespace

TZRPenWidthButton::TZRPenWidthButton(QWidget* parent) : TFlatPartButton(parent, kSize, kArrowLeft) {
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    menu_ = new TDropMenu(this);
    menu_->OnItemClick = [this](int index) { ItemChosen(index); };
}

void TZRPenWidthButton::SetPenWidth(double millimetres) {
    penWidth_ = RoundTo2Decimals(millimetres);
    update();
}

void TZRPenWidthButton::SetShowInch(bool showInch) {
    showInch_ = showInch;
    update();
}

void TZRPenWidthButton::SetLocale(const QLocale& locale) {
    locale_ = locale;
    update();
}

QString TZRPenWidthButton::ValueText() const {
    return showInch_ ? InchText(penWidth_ / kMMPerInch) : FloatToLocaleText(penWidth_, locale_.value_or(QLocale()));
}

QString TZRPenWidthButton::ItemCaption(size_t index) const {
    const double width = kWidths.at(index);
    return showInch_ ? InchText(InchValue(width))
                     : FloatToLocaleText(width, locale_.value_or(QLocale())) + QStringLiteral(" mm");
}

int TZRPenWidthButton::SampleLineWidth(double millimetres) { return Round(millimetres * 2.5); }

double TZRPenWidthButton::InchValue(double millimetres) {
    const double x = millimetres / kMMPerInch;
    if (x >= 1) return NearestMultiple(x, 0.1);
    if (x >= 0.1) return NearestMultiple(x, 0.05);
    if (x >= 0.01) return NearestMultiple(x, 0.005);
    return x;
}

void TZRPenWidthButton::ItemChosen(int index) {
    if (index < 0 || index >= int(kWidths.size())) return;
    penWidth_ = kWidths[static_cast<size_t>(index)];
    update();
    if (OnPenWidthChange) OnPenWidthChange(penWidth_);
}

void TZRPenWidthButton::MainClicked() {
    if (OnPenWidthChange) OnPenWidthChange(penWidth_);
}

void TZRPenWidthButton::ArrowClicked() {
    menu_->Clear();
    for (size_t i = 0; i < kWidths.size(); ++i) menu_->AddItem(ItemCaption(i), int(i));
    menu_->Popup(QRect(mapToGlobal(QPoint(0, 0)), size()));
    update();
}

bool TZRPenWidthButton::DropDownOpen() const { return menu_->IsOpen(); }

void TZRPenWidthButton::PaintFace(QPainter& painter) {
    // The picture: 41 x 18 pixels at (2, 2) of the value part.
    const QRect picture(2, 2, kArrowLeft - 5, kSize.height() - 4);
    const int middle = picture.top() + picture.height() / 2;
    const int left = picture.left() + 2;
    if (penWidth_ != 0) {
        const int thickness = std::max(SampleLineWidth(penWidth_), 1);
        painter.fillRect(QRect(left, middle - thickness / 2, picture.width() - 5, thickness), Qt::black);
    } else {
        painter.fillRect(QRect(left, middle, picture.width() - 4, 1), QColor(0x80, 0x80, 0x80));
        const QColor mark(0, 0, 0x80);
        for (const int from : {5, 28}) DrawCross(painter, QRect(picture.left() + from, middle - 3, 8, 8), mark);
    }
    const QString text = ValueText();
    const QFontMetrics metrics = fontMetrics();
    QRect box(0, 0, metrics.horizontalAdvance(text) + 4, metrics.height() + 4);
    box.moveCenter(picture.center());
    painter.fillRect(box, ButtonFace(palette()));
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, text);
}
