#include "figures/widgets/PropertyPageContainer.h"

#include "controls/ColorList.h"
#include "controls/TabFrameColor.h"
#include "foundation/Exceptions.h"
#include "foundation/FillData.h"
#include "foundation/Localizer.h"
#include "foundation/widgets/DialogStyle.h"
#include "foundation/widgets/LocalizerForm.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabBar>

TPropertyPageContainer::TPropertyPageContainer(QWidget* parent)
    : TLocalizerDialog(parent), fill_(std::make_unique<TFillData>()) {
    setObjectName(QStringLiteral("PropertyPageContainer"));
    setWindowTitle(QStringLiteral("Farbe und Füllung"));
    AssignStatusFont(this);
    auto* layout = new QVBoxLayout(this);
    tab = Named(new QTabBar(this), "tab");
    tab->setDrawBase(true);
    layout->addWidget(tab);
    panContainer = Named(new QWidget(this), "panContainer");
    panContainer->setAutoFillBackground(true);
    layout->addWidget(panContainer, 1);
    auto* row = new QHBoxLayout;
    BtnOhneFarbe = Named(new QPushButton(QStringLiteral("ohne Füllfarbe"), this), "BtnOhneFarbe");
    BtnOhneFarbe->hide();
    row->addWidget(BtnOhneFarbe);
    row->addStretch();
    BtnOK = Named(new QPushButton(QStringLiteral("OK"), this), "BtnOK");
    BtnOK->setDefault(true);
    BtnAbbrechen = Named(new QPushButton(QStringLiteral("Abbrechen"), this), "BtnAbbrechen");
    row->addWidget(BtnOK);
    row->addWidget(BtnAbbrechen);
    layout->addLayout(row);
    connect(BtnOK, &QPushButton::clicked, this, [this] { BtnOKClick(); });
    connect(BtnAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtnOhneFarbe, &QPushButton::clicked, this, [this] { BtnOhneFarbeClick(); });
    connect(tab, &QTabBar::currentChanged, this, [this] { TabChange(); });
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Localize();
}

TPropertyPageContainer::~TPropertyPageContainer() = default;

void TPropertyPageContainer::SetPages(uint8_t pages) {
    if ((pages & (pgNoColor | pgColor | pgGradient)) == 0)
        throw Exception(QStringLiteral("Eine Fülloption muß mindestens angegeben werden"));
    BtnOhneFarbe->setVisible((pages & pgNoColor) != 0);
    if ((pages & pgColor) && !colorPage_) {
        colorPage_ = new TTabFrameColor(panContainer);
        colorPage_->hide();
        panContainer->setFixedSize(colorPage_->size());
        tab->addTab(LocalizedText("IDS_PROPPAGEDLG2"));
    }
    OpenPage(0);
}

int TPropertyPageContainer::PageCount() const { return tab->count(); }

void TPropertyPageContainer::OpenPage(int index) {
    if (index < 0 || index >= tab->count()) return;
    tab->setCurrentIndex(index);
    TabChange();
}

int TPropertyPageContainer::CurrentPage() const { return tab->currentIndex(); }

void TPropertyPageContainer::TabChange() {
    if (colorPage_) colorPage_->setVisible(CurrentPage() == kColorPage);
}

int TPropertyPageContainer::exec() {
    if (colorPage_) {
        colorPage_->SetColor(static_cast<int32_t>(fill_->Color()));
        colorPage_->UserColors().AssignPacked(GetCustomColorList());
    }
    return TLocalizerDialog::exec();
}

void TPropertyPageContainer::BtnOKClick() {
    if (colorPage_ && CurrentPage() == kColorPage) {
        fill_->SetKind(fkColor);
        fill_->SetColor(static_cast<gdi::Color>(colorPage_->GetColor()));
        GetCustomColorList().AssignPacked(colorPage_->UserColors());
    }
    accept();
}

void TPropertyPageContainer::BtnOhneFarbeClick() {
    fill_->SetKind(fkNone);
    accept();
}

// ---- entry functions

namespace {

QWidget* OwnerOr(QWidget* parent) { return parent ? parent : QApplication::activeWindow(); }

bool RunColorDialog(gdi::Color& color, QWidget* parent, bool offerNone) {
    TPropertyPageContainer dialog(OwnerOr(parent));
    dialog.SetPages(offerNone ? pgNoColor | pgColor : pgColor);
    if (offerNone) dialog.BtnOhneFarbe->setText(LocalizedText("IDS_PROPPAGEDLG1"));
    dialog.Fill().SetKind(fkColor);
    dialog.Fill().SetColor(color);
    if (dialog.exec() != QDialog::Accepted) return false;
    color = dialog.Fill().Kind() == fkNone ? static_cast<gdi::Color>(1) : dialog.Fill().Color();
    return true;
}

}  // namespace

bool PickColor(gdi::Color& color, QWidget* parent) { return RunColorDialog(color, parent, false); }

bool PickColorOrNone(gdi::Color& color, QWidget* parent) { return RunColorDialog(color, parent, true); }

bool EditFillData(TFillData& fill, int page, QWidget* parent) {
    TPropertyPageContainer dialog(OwnerOr(parent));
    dialog.SetPages(pgNoColor | pgColor | pgGradient);
    dialog.Fill().Assign(fill);
    dialog.OpenPage(page);
    if (dialog.exec() != QDialog::Accepted) return false;
    fill.Assign(dialog.Fill());
    return true;
}
