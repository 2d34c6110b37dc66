#include "printing/widgets/DlgDruckAbbrechen.h"

#include "controls/StatusFont.h"
#include "platform/printer/Printer.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace {

TDlgDruckAbbrechen* current = nullptr;

}  // namespace

TDlgDruckAbbrechen::TDlgDruckAbbrechen(QWidget* owner) : TLocalizerDialog(owner) {
    AssignStatusFont(this);
    setWindowTitle(QStringLiteral("Drucken"));
    lText_ = new QLabel(this);
    lText_->setObjectName(QStringLiteral("lText"));
    lText_->setMinimumWidth(260);
    lText_->setAlignment(Qt::AlignCenter);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("cmdAbbrechen"));
    connect(cancel, &QPushButton::clicked, this, [this] { cmdAbbrechenClick(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lText_);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    current = this;
    Localize();
}

TDlgDruckAbbrechen::~TDlgDruckAbbrechen() {
    if (current == this) current = nullptr;
}

void TDlgDruckAbbrechen::SetText(const QString& text) {
    lText_->setText(text);
    lText_->repaint();
}

QString TDlgDruckAbbrechen::Text() const { return lText_->text(); }

void TDlgDruckAbbrechen::cmdAbbrechenClick() {
    gdi::Printer& printer = gdi::CurrentPrinter();
    if (printer.Printing()) printer.Abort();
}

TDlgDruckAbbrechen* TDlgDruckAbbrechen::Current() { return current; }
