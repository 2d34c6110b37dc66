#include "controls/ZRRastenButton2.h"

#include "controls/DropMenu.h"

#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"

#include <QtGui/QPainter>

TZRRastenButton2::TZRRastenButton2(QWidget* parent, QSize size) : TFlatPartButton(parent, size, size.width()) {
    SetArrowShown(false);
    menu_ = new TDropMenu(this);
    menu_->OnItemClick = [this](int tag) { ItemChosen(tag); };
    BuildMenu();
}

void TZRRastenButton2::SetGitterWeite(double millimetres) {
    gitterWeite_ = millimetres;
    update();
}

void TZRRastenButton2::SetShowInch(bool showInch) {
    if (showInch && !showInch_ && gitterWeite_ == 1.0) gitterWeite_ = 0.05 * kMMPerInch;
    showInch_ = showInch;
    BuildMenu();
    update();
}

void TZRRastenButton2::SetLocale(const QLocale& locale) {
    locale_ = locale;
    update();
}

QString TZRRastenButton2::NumberText(double value, int decimals) const {
    QLocale locale = locale_.value_or(QLocale());
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', decimals);
}

QString TZRRastenButton2::CaptionText() const {
    if (showInch_) return NumberText(gitterWeite_ / kMMPerInch, 3) + QLatin1Char('"');
    return NumberText(gitterWeite_, 1) + QStringLiteral(" mm");
}

void TZRRastenButton2::BuildMenu() {
    menu_->Clear();
    for (int tag = 0; tag < 6; ++tag) {
        const auto i = static_cast<size_t>(tag);
        menu_->AddItem(showInch_ ? NumberText(kInches[i], 3) + QStringLiteral("\" ")
                                 : NumberText(kMillimetres[i], 1) + QStringLiteral(" mm"),
                       tag);
    }
    if (OnGitterDlg) menu_->AddItem(LocalizedText("IDS_RASTERWEITERE"), kDialogTag);
}

void TZRRastenButton2::MainClicked() {
    BuildMenu();
    menu_->Popup(QRect(mapToGlobal(QPoint(0, 0)), size()));
    update();
}

bool TZRRastenButton2::DropDownOpen() const { return menu_->IsOpen(); }

void TZRRastenButton2::ItemChosen(int tag) {
    update();
    if (tag >= 0 && tag < 6) {
        const auto i = static_cast<size_t>(tag);
        SetGitterWeite(showInch_ ? kInches[i] * kMMPerInch : kMillimetres[i]);
        if (OnGWChange) OnGWChange(gitterWeite_);
        return;
    }
    if (tag != kDialogTag || !OnGitterDlg) return;
    double value = -1;
    OnGitterDlg(value);
    if (value == -1) return;
    SetGitterWeite(value);
    if (OnGWChange) OnGWChange(gitterWeite_);
}

void TZRRastenButton2::PaintFace(QPainter& painter) {
    const QString text = CaptionText();
    const QFontMetrics metrics = fontMetrics();
    const QSize glyph(metrics.horizontalAdvance(text) + 12, metrics.height());
    const QPoint at((width() - glyph.width()) / 2, (height() - glyph.height()) / 2);
    const QColor ink = palette().color(QPalette::ButtonText);
    // A small grid sign.
    painter.fillRect(QRect(at + QPoint(1, 2), QSize(1, 8)), ink);
    painter.fillRect(QRect(at + QPoint(1, 2), QSize(7, 1)), ink);
    painter.fillRect(QRect(at + QPoint(3, 7), QSize(5, 1)), ink);
    painter.fillRect(QRect(at + QPoint(5, 5), QSize(1, 5)), ink);
    painter.setPen(ink);
    painter.drawText(QRect(at + QPoint(12, 0), QSize(glyph.width() - 12, glyph.height())),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}
