#include "controls/ElementAusrichtenDlg.h"

#include "controls/AlignGlyphs.h"
#include "controls/DialogButtons.h"
#include "foundation/widgets/DialogStyle.h"

#include "foundation/ZRRegIniFile.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

#include <array>
#include <initializer_list>

using namespace ElementAlign;

namespace {

struct AlignButtonDef {
    int32_t flag;
    const char* name;
    const char* caption;
    int group;  // 0, 1: horizontal and vertical aligning; 2, 3: distributing
};

constexpr std::array<AlignButtonDef, 14> kButtons = {{
    {kLeft, "sbLinks", "Links", 0},
    {kHCenter, "sbHMitte", "Mitte", 0},
    {kRight, "sbRechts", "Rechts", 0},
    {kTop, "sbOben", "Oben", 1},
    {kVCenter, "sbVMitte", "Mitte", 1},
    {kBottom, "sbUnten", "Unten", 1},
    {kSpreadLeft, "sbVerteilenLinks", "Links", 2},
    {kSpreadHCenter, "sbVerteilenHMitte", "Mitte", 2},
    {kSpreadRight, "sbVerteilenRechts", "Rechts", 2},
    {kSpreadHGaps, "sbVerteilenHAbstand", "Abstand", 2},
    {kSpreadTop, "sbVerteilenOben", "Oben", 3},
    {kSpreadVCenter, "sbVerteilenVMitte", "Mitte", 3},
    {kSpreadBottom, "sbVerteilenUnten", "Unten", 3},
    {kSpreadVGaps, "sbVerteilenVAbstand", "Abstand", 3},
}};

constexpr std::array<int32_t, 7> kHorizontalOrder = {kLeft, kHCenter, kRight, kSpreadLeft, kSpreadHCenter, kSpreadRight,
                                                     kSpreadHGaps};
constexpr std::array<int32_t, 7> kVerticalOrder = {kTop, kVCenter, kBottom, kSpreadTop, kSpreadVCenter, kSpreadBottom,
                                                   kSpreadVGaps};

QString Utf8(const char* text) { return QString::fromUtf8(text); }

QGroupBox* GroupBox(const QString& name, const QString& title, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    return box;
}

}  // namespace

TElementAusrichtenDlg::TElementAusrichtenDlg(int32_t selectedCount, QWidget* parent) : TLocalizerDialog(parent) {
    AssignStatusFont(this);
    setWindowTitle(QStringLiteral("Elemente ausrichten"));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("PageControl"));
    tabs_->addTab(CreatePage("tsAusrichten", 0), QStringLiteral("Ausrichten"));
    distributePage_ = CreatePage("tsVerteilen", 2);
    cbGesamt_ = new QCheckBox(QStringLiteral("Verteilen auf gesamter Vorlage"), distributePage_);
    cbGesamt_->setObjectName(QStringLiteral("cbGesamteVorlage"));
    static_cast<QVBoxLayout*>(distributePage_->layout())->addWidget(cbGesamt_);
    tabs_->addTab(distributePage_, QStringLiteral("Verteilen"));

    auto* relative = GroupBox(QStringLiteral("gbRelativ"), QStringLiteral("Bezug"), this);
    rbAuswahl_ = new QRadioButton(QStringLiteral("Relativ zur Auswahl"), relative);
    rbAuswahl_->setObjectName(QStringLiteral("rbAuswahl"));
    rbVorlage_ = new QRadioButton(QStringLiteral("Relativ zur Vorlage"), relative);
    rbVorlage_->setObjectName(QStringLiteral("rbVorlage"));
    rbLetztes_ = new QRadioButton(QStringLiteral("Relativ zum zuletzt markierten Element"), relative);
    rbLetztes_->setObjectName(QStringLiteral("rbLetztesElement"));
    auto* relativeLayout = new QVBoxLayout(relative);
    for (QRadioButton* rb : {rbAuswahl_, rbVorlage_, rbLetztes_}) relativeLayout->addWidget(rb);
    rbAuswahl_->setChecked(true);

    QDialogButtonBox* buttons = CreateOkCancelButtons(this, [this] { OkClicked(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(relative);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const bool distribute = selectedCount >= 3 && Settings().ReadInteger("Ausrichten", "Verteilen", 0) != 0;
    if (!distribute) tabs_->removeTab(tabs_->indexOf(distributePage_));
    if (selectedCount < 2) {
        rbVorlage_->setChecked(true);
        for (QRadioButton* rb : {rbAuswahl_, rbVorlage_, rbLetztes_}) rb->setEnabled(false);
    }
    Localize();
}

QWidget* TElementAusrichtenDlg::CreatePage(const char* name, int firstGroup) {
    auto* page = new QWidget(this);
    page->setObjectName(Utf8(name));
    const QString prefix = firstGroup == 0 ? QString() : QStringLiteral("Verteilen");
    auto* row = new QHBoxLayout;
    for (int group : {firstGroup, firstGroup + 1}) {
        const bool horizontal = group % 2 == 0;
        auto* box = GroupBox(QStringLiteral("gb") + prefix + (horizontal ? QStringLiteral("Horizontal") : QStringLiteral("Vertikal")),
                             horizontal ? QStringLiteral("Horizontal") : QStringLiteral("Vertikal"), page);
        auto* boxLayout = new QHBoxLayout(box);
        for (const AlignButtonDef& def : kButtons) {
            if (def.group != group) continue;
            auto* button = new QToolButton(box);
            button->setObjectName(Utf8(def.name));
            button->setText(Utf8(def.caption));
            button->setIcon(ElementAlignGlyph(def.flag));
            button->setIconSize(QSize(24, 24));
            button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            button->setCheckable(true);
            button->setAutoRaise(true);
            button->setMinimumWidth(56);
            connect(button, &QToolButton::toggled, this, [this, button](bool down) { ButtonToggled(button, down); });
            boxLayout->addWidget(button);
            buttons_[def.flag] = button;
            groupOf_[button] = def.group;
        }
        row->addWidget(box);
    }
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(row);
    return page;
}

// At most one button of a group is down; the down one can be released.
void TElementAusrichtenDlg::ButtonToggled(QToolButton* button, bool down) {
    if (!down) return;
    const int group = groupOf_.at(button);
    for (auto& [other, otherGroup] : groupOf_)
        if (other != button && otherGroup == group) other->setChecked(false);
}

bool TElementAusrichtenDlg::OffersDistribution() const { return tabs_->indexOf(distributePage_) >= 0; }

int32_t TElementAusrichtenDlg::ComputeCode() const {
    int32_t code = 0;
    for (const auto& order : {kHorizontalOrder, kVerticalOrder}) {
        for (int32_t flag : order) {
            if (buttons_.at(flag)->isChecked()) {
                code |= flag;
                break;
            }
        }
    }
    if (rbVorlage_->isChecked()) {
        code |= kToLabel;
    } else if (rbAuswahl_->isChecked()) {
        code |= kToSelection;
    } else if (rbLetztes_->isChecked()) {
        code |= kToLastSelected;
    }
    if (cbGesamt_->isChecked()) code |= kWholeLabel;
    return code;
}

void TElementAusrichtenDlg::OkClicked() {
    code_ = ComputeCode();
    if (code_ & kMoveFlags) {
        accept();
    } else {
        reject();
    }
}

bool ShowElementAlignDialog(int32_t& code, int32_t selectedCount, QWidget* parent) {
    TElementAusrichtenDlg dialog(selectedCount, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    code = dialog.Code();
    return true;
}
