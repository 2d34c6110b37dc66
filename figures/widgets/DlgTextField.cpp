#include "figures/widgets/DlgTextField.h"

#include "controls/DialogButtons.h"
#include "document/FeldListe.h"
#include "foundation/Codepage1252.h"
#include "foundation/widgets/DialogStyle.h"
#include "foundation/widgets/LocalizerForm.h"

#include <QtCore/QEvent>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

TDlgTextField::TDlgTextField(QWidget* parent) : TLocalizerDialog(parent) {
    setWindowTitle(QStringLiteral("Feld auswählen"));
    AssignStatusFont(this);
    lblFields = Named(new QLabel(QStringLiteral("Felder:"), this), "lblFields");
    lbFields = Named(new QListWidget(this), "lbFields");
    lblFields->setBuddy(lbFields);
    lblData = Named(new QLabel(QStringLiteral("Inhalt:"), this), "lblData");
    edData = Named(new QLineEdit(this), "edData");
    edData->setMaxLength(250);
    lblData->setBuddy(edData);
    edData->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : std::initializer_list<QWidget*>{lblFields, lbFields, lblData, edData}) layout->addWidget(w);
    AddOkCancel(this, layout, BtnOK, BtnAbbrechen);

    connect(lbFields, &QListWidget::itemClicked, this, [this] { lbFieldsClick(); });
    connect(lbFields, &QListWidget::currentRowChanged, this, [this] { lbFieldsClick(); });
    connect(lbFields, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

void TDlgTextField::SetFieldList(const TFeldListe* fields) {
    Fields = fields;
    lbFields->clear();
    Values.clear();
    if (!fields) return;
    for (const std::string& name : fields->Names) lbFields->addItem(AnsiToUnicode(name));
    for (const std::string& value : fields->Values) Values << AnsiToUnicode(value);
    if (lbFields->count() > 0) lbFields->setCurrentRow(0);
    lbFieldsClick();
}

void TDlgTextField::lbFieldsClick() {
    const int row = lbFields->currentRow();
    if (row >= 0 && row < Values.size()) edData->setText(Values[row]);
}

void TDlgTextField::edDataExit() {
    const int row = lbFields->currentRow();
    if (row >= 0 && row < Values.size()) Values[row] = edData->text();
}

bool TDlgTextField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edData && event->type() == QEvent::FocusOut) edDataExit();
    return TLocalizerDialog::eventFilter(watched, event);
}
