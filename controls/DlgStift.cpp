#include "controls/DlgStift.h"

#include "controls/DialogButtons.h"
#include "controls/ValidateEdit.h"
#include "foundation/widgets/DialogStyle.h"

#include "foundation/GeneralHelpers.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace {

const char* const kQuickCaptions[] = {"0,1 mm", "0,18 mm", "0,25 mm", "0,35 mm", "0,5 mm",
                                      "0,7 mm", "1,0 mm",  "2,0 mm",  "5,0 mm"};

}  // namespace

TDlgStift::TDlgStift(QWidget* parent) : TCloseQueryDialog(parent) {
    AssignStatusFont(this);
    setWindowTitle(QStringLiteral("Stiftdicke"));
    auto* group = new QGroupBox(QStringLiteral("Strichstärke"), this);
    group->setObjectName(QStringLiteral("gbStrichstaerke"));
    feDicke_ = new TQDXFloatEdit(group);
    feDicke_->setObjectName(QStringLiteral("feDicke"));
    feDicke_->SetLimits(0.001, 10);
    feDicke_->SetValidate(veOnOwnerCloseQuery | veOnExit | veOnKeyPress);
    feDicke_->SetInvalidAction(vaNormalize | vaIgnoreChar | vaFocusBack | vaFocusException | vaOutOfRangeException |
                               vaInvalidCharException);
    feDicke_->setMaximumWidth(90);
    auto* unit = new QLabel(QStringLiteral("mm"), group);
    unit->setObjectName(QStringLiteral("lblMM"));

    auto* grid = new QGridLayout(group);
    grid->addWidget(feDicke_, 0, 0);
    grid->addWidget(unit, 0, 1, 1, 2);
    for (size_t i = 0; i < kQuickWidths.size(); ++i) {
        auto* button = new QPushButton(QString::fromUtf8(kQuickCaptions[i]), group);
        button->setObjectName(QStringLiteral("btnDicke%1").arg(i + 1));
        button->setAutoDefault(false);
        const double width = kQuickWidths[i];
        connect(button, &QPushButton::clicked, this, [this, width] { feDicke_->SetValue(width); });
        grid->addWidget(button, 1 + int(i) / 3, int(i) % 3);
        quick_[i] = button;
    }

    QDialogButtonBox* buttons = CreateOkCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    feDicke_->setFocus();
    Localize();
}

void TDlgStift::SetWidth(float widthMM) {
    feDicke_->SetValue(RoundTo2Decimals(widthMM));
    feDicke_->selectAll();
}

float TDlgStift::Width() const { return float(RoundTo2Decimals(feDicke_->GetValue())); }

bool EditPenWidth(float& widthMM, QWidget* parent) {
    TDlgStift dialog(parent);
    dialog.SetWidth(widthMM);
    if (dialog.exec() != QDialog::Accepted) return false;
    widthMM = dialog.Width();
    return true;
}
