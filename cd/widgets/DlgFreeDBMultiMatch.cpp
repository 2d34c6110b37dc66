#include "cd/widgets/DlgFreeDBMultiMatch.h"

#include "cd/widgets/ServiceCaption.h"
#include "controls/DialogButtons.h"
#include "foundation/Codepage1252.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QVBoxLayout>

TDlgFreeDBMultiMatch::TDlgFreeDBMultiMatch(QWidget* parent) : TLocalizerDialog(parent) {
    setWindowTitle(QStringLiteral("Treffer auswählen"));
    lblHinweis = Named(new QLabel(QStringLiteral("Es wurden mehrere Treffer für die eingelegte Audio-CD gefunden. Bitte "
                                                 "wählen Sie den gewünschten Treffer aus."),
                                  this),
                       "lblHinweis");
    lblHinweis->setWordWrap(true);
    lbTreffer = Named(new QListWidget(this), "lbTreffer");
    lbTreffer->setMinimumSize(317, 89);
    MarkAsData(lbTreffer);
    lblDienst = ServiceCaption(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblHinweis);
    layout->addWidget(lbTreffer);
    layout->addWidget(lblDienst);
    AddOkCancel(this, layout, BtnOK, BtnAbbrechen);
    connect(lbTreffer, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        lbTreffer->setCurrentItem(item);
        accept();
    });
}

int32_t ChooseCddbMatch(const std::vector<std::string>& matches, QWidget* parent) {
    TDlgFreeDBMultiMatch dialog(parent);
    for (const std::string& line : matches) dialog.lbTreffer->addItem(AnsiToUnicode(line));
    dialog.lbTreffer->setCurrentRow(0);
    if (dialog.exec() != QDialog::Accepted) return -1;
    return dialog.lbTreffer->currentRow();
}
