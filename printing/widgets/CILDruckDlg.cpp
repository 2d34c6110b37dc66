#include "printing/widgets/CILDruckDlg.h"

#include "foundation/Localizer.h"
#include "printing/PrinterOptions.h"

#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

namespace {

bool AskWithMessageBox(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, LocalizedText("IDS_DLGDRUCKENCAPTION"), question,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

// The stored text has no question mark of its own.
QString InkjetQuestionText(const QString& driver) {
    QString text = LocalizedFormat("IDS_DRUCKDLG1", {driver});
    if (!text.endsWith(u'?')) text += u'?';
    return text;
}

TCILDruckDlg::InkjetQuestion& Question() {
    static TCILDruckDlg::InkjetQuestion question = AskWithMessageBox;
    return question;
}

}  // namespace

void TCILDruckDlg::SetInkjetQuestion(InkjetQuestion question) {
    Question() = question ? std::move(question) : InkjetQuestion(AskWithMessageBox);
}

TCILDruckDlg::TCILDruckDlg(QWidget* parent) : TSingleLabelDruckDlg(parent) {
    CreateControls([this](QVBoxLayout& layout) {
        auto* gbDruckstil = new QGroupBox(QStringLiteral("Druckstil"), this);
        gbDruckstil->setObjectName(QStringLiteral("gbDruckstil"));
        rbNormal_ = new QRadioButton(QStringLiteral("Tintenstrahldrucker"), gbDruckstil);
        rbNormal_->setObjectName(QStringLiteral("rbNormal"));
        rbSeiteAlsBitmap_ = new QRadioButton(QStringLiteral("Laserdrucker (und bei Druckproblemen)"), gbDruckstil);
        rbSeiteAlsBitmap_->setObjectName(QStringLiteral("rbSeiteAlsBitmap"));
        auto* styles = new QVBoxLayout(gbDruckstil);
        styles->addWidget(rbNormal_);
        styles->addWidget(rbSeiteAlsBitmap_);
        layout.addWidget(gbDruckstil);
    });
    ShowPrinterInfo();
    Localize();
}

void TCILDruckDlg::SetOptions(uint8_t options) { rbMarkierung_->setEnabled((options & kOfferSelection) != 0); }

int32_t TCILDruckDlg::PrintStyle() const {
    if (rbSeiteAlsBitmap_->isChecked()) return kPrintStyleBitmap;
    if (rbNormal_->isChecked()) return kPrintStyleInkjet;
    return kPrintStyleNotAsked;
}

void TCILDruckDlg::SetPrintStyle(int32_t style) {
    if (style == kPrintStyleInkjet) rbNormal_->setChecked(true);
    if (style == kPrintStyleBitmap) rbSeiteAlsBitmap_->setChecked(true);
}

void TCILDruckDlg::ShowPrinterInfo() {
    TSingleLabelDruckDlg::ShowPrinterInfo();
    int32_t style = ReadPrintStyle();
    if (style == kPrintStyleNotAsked) {
        // The dialog is not shown yet: the question stands over its owner.
        QWidget* over = parentWidget() ? parentWidget() : this;
        style = Question()(over, InkjetQuestionText(lblTyp_->text())) ? kPrintStyleInkjet : kPrintStyleBitmap;
        WritePrintStyle(style);
    }
    SetPrintStyle(style);
}

void TCILDruckDlg::Accepted() { WritePrintStyle(PrintStyle()); }
