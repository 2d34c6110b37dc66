#include "printing/widgets/ZRDruckDlg.h"

#include "controls/ValidateEdit.h"

#include <QtGui/QFocusEvent>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

namespace {

constexpr int32_t kMostPage = 9999;

// An integer edit that reports being entered.
class PageEdit : public TQDXIntegerEdit {
public:
    PageEdit(QWidget* parent, const char* name, bool& entered) : TQDXIntegerEdit(parent), entered_(entered) {
        setObjectName(QString::fromLatin1(name));
        SetLimits(1, kMostPage);
        setFixedWidth(60);
    }

protected:
    void focusInEvent(QFocusEvent* event) override {
        entered_ = true;
        TQDXIntegerEdit::focusInEvent(event);
    }

private:
    bool& entered_;
};

// An empty entry takes the other edit's text and counts as valid.
void TakeOtherWhenEmpty(TQDXIntegerEdit* edit, const TQDXIntegerEdit* other) {
    edit->SetOnInvalidEntry([other](QObject*, QString& text, bool& valid) {
        if (!text.trimmed().isEmpty()) return;
        text = other->text();
        valid = true;
    });
}

}  // namespace

TZRDruckDlg::TZRDruckDlg(QWidget* parent) : TSingleLabelDruckDlg(parent) {
    CreateControls([](QVBoxLayout&) {});
    rbSeiten_ = new QRadioButton(QStringLiteral("Seiten"), gbDruckbereich_);
    rbSeiten_->setObjectName(QStringLiteral("rbSeiten"));
    lblVon_ = new QLabel(QStringLiteral("von:"), gbDruckbereich_);
    lblVon_->setObjectName(QStringLiteral("lblVon"));
    lblBis_ = new QLabel(QStringLiteral("bis:"), gbDruckbereich_);
    lblBis_->setObjectName(QStringLiteral("lblBis"));
    edVon_ = new PageEdit(gbDruckbereich_, "edVon", vonEntered_);
    edBis_ = new PageEdit(gbDruckbereich_, "edBis", bisEntered_);
    TakeOtherWhenEmpty(edVon_, edBis_);
    TakeOtherWhenEmpty(edBis_, edVon_);
    auto* pages = new QHBoxLayout;
    pages->addWidget(rbSeiten_);
    pages->addWidget(lblVon_);
    pages->addWidget(edVon_);
    pages->addWidget(lblBis_);
    pages->addWidget(edBis_);
    pages->addStretch(1);
    static_cast<QVBoxLayout*>(gbDruckbereich_->layout())->addLayout(pages);
    connect(edVon_, &QLineEdit::textChanged, this, [this] { edVonChange(); });
    connect(edBis_, &QLineEdit::textChanged, this, [this] { edBisChange(); });
    SetOptions(0);
    ShowPrinterInfo();
    Localize();
}

void TZRDruckDlg::SetOptions(uint8_t options) {
    rbMarkierung_->setEnabled((options & kOfferSelection) != 0);
    const bool pages = (options & kOfferPages) != 0;
    for (QWidget* w : std::initializer_list<QWidget*>{rbSeiten_, lblVon_, edVon_, lblBis_, edBis_}) {
        w->setVisible(pages);
        w->setEnabled(pages);
    }
}

TPrintRange TZRDruckDlg::PrintRange() const {
    if (rbSeiten_->isChecked()) return TPrintRange::Pages;
    if (rbMarkierung_->isChecked()) return TPrintRange::Selection;
    return TPrintRange::All;
}

int32_t TZRDruckDlg::FromPage() const { return edVon_->Value(); }

void TZRDruckDlg::SetFromPage(int32_t page) { edVon_->SetValue(page); }

int32_t TZRDruckDlg::ToPage() const { return edBis_->Value(); }

void TZRDruckDlg::SetToPage(int32_t page) { edBis_->SetValue(page); }

void TZRDruckDlg::edVonChange() {
    if (vonEntered_) rbSeiten_->setChecked(true);
}

void TZRDruckDlg::edBisChange() {
    if (bisEntered_) rbSeiten_->setChecked(true);
}

void TZRDruckDlg::Accepted() { gdi::CurrentPrinter().SetCopies(Copies()); }
