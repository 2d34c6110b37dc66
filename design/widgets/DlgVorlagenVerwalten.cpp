#include "design/widgets/DlgVorlagenVerwalten.h"

#include "controls/DlgInputQuery.h"
#include "design/TemplateIndex.h"
#include "foundation/Localizer.h"
#include "foundation/widgets/DialogStyle.h"

#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>

TDlgVorlagenVerwalten::TDlgVorlagenVerwalten(TTemplateIndex& index, QWidget* parent)
    : TLocalizerDialog(parent), index_(index) {
    AssignStatusFont(this);
    setWindowTitle(QStringLiteral("Vorlagen verwalten"));
    lblVorlagen = Named(new QLabel(QStringLiteral("Vorlagen:"), this), "lblVorlagen");
    lbVorlagen = Named(new QListWidget(this), "lbVorlagen");
    lbVorlagen->setMinimumSize(260, 180);
    lblVorlagen->setBuddy(lbVorlagen);
    BtnUmbenennen = Named(new QPushButton(QStringLiteral("&Umbenennen"), this), "BtnUmbenennen");
    BtnLoeschen = Named(new QPushButton(QStringLiteral("&Löschen"), this), "BtnLoeschen");
    BtnSchliessen = Named(new QPushButton(QStringLiteral("Schließen"), this), "BtnSchliessen");
    BtnSchliessen->setDefault(true);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(BtnUmbenennen);
    buttons->addWidget(BtnLoeschen);
    buttons->addStretch();
    buttons->addWidget(BtnSchliessen);
    auto* grid = new QGridLayout(this);
    grid->addWidget(lblVorlagen, 0, 0);
    grid->addWidget(lbVorlagen, 1, 0);
    grid->addLayout(buttons, 1, 1);

    connect(BtnUmbenennen, &QPushButton::clicked, this, [this] { BtnUmbenennenClick(); });
    connect(BtnLoeschen, &QPushButton::clicked, this, [this] { BtnLoeschenClick(); });
    connect(BtnSchliessen, &QPushButton::clicked, this, &QDialog::accept);
    InputQuery = [this](const QString& caption, const QString& prompt, QString& text) {
        return ShowInputQuery(caption, prompt, text, this);
    };
    Confirm = [this](const QString& question) {
        return QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    // The list holds the user's descriptions, not texts of the program.
    Localizer().AddExportExclusion(QStringLiteral("TDlgVorlagenVerwalten"), QStringLiteral("lbVorlagen"), QStringLiteral("Items"));
    Localize();
    FormCreate();
}

void TDlgVorlagenVerwalten::BeforeLocalize() {
    RegisterText(QStringLiteral("RenameCaption"), QStringLiteral("Vorlage umbenennen"));
    RegisterText(QStringLiteral("RenamePrompt"), QStringLiteral("Bitte geben Sie die neue Bezeichnung der Vorlage ein."));
    RegisterText(QStringLiteral("DeleteQuestion"),
                 QStringLiteral("Soll die markierte Vorlage\n\n\"%s\"\n\nwirklich gelöscht werden?"));
}

void TDlgVorlagenVerwalten::FormCreate() {
    for (const TTemplateEntry& entry : index_.Templates()) {
        fileNames_.push_back(entry.FileName);
        lbVorlagen->addItem(entry.Description);
    }
    if (!fileNames_.empty()) lbVorlagen->setCurrentRow(0);
    UpdateButtons();
}

int TDlgVorlagenVerwalten::Selected() const {
    const int row = lbVorlagen->currentRow();
    return row >= 0 && row < static_cast<int>(fileNames_.size()) ? row : -1;
}

void TDlgVorlagenVerwalten::UpdateButtons() {
    const bool any = !fileNames_.empty();
    BtnUmbenennen->setEnabled(any);
    BtnLoeschen->setEnabled(any);
}

void TDlgVorlagenVerwalten::BtnUmbenennenClick() {
    const int row = Selected();
    if (row < 0) return;
    QString description = lbVorlagen->item(row)->text();
    if (!InputQuery(GetText(QStringLiteral("RenameCaption")), GetText(QStringLiteral("RenamePrompt")), description)) return;
    index_.RenameTemplate(fileNames_[row], description);
    lbVorlagen->item(row)->setText(description);
    lbVorlagen->setFocus();
}

void TDlgVorlagenVerwalten::BtnLoeschenClick() {
    const int row = Selected();
    if (row < 0) return;
    QString question = GetText(QStringLiteral("DeleteQuestion"));
    question.replace(QStringLiteral("%s"), lbVorlagen->item(row)->text());
    if (!Confirm(question)) return;
    index_.DeleteTemplate(fileNames_[row]);
    fileNames_.erase(fileNames_.begin() + row);
    delete lbVorlagen->takeItem(row);
    UpdateButtons();
    if (fileNames_.empty()) {
        BtnSchliessen->setFocus();
    } else {
        lbVorlagen->setCurrentRow(std::min(row, static_cast<int>(fileNames_.size()) - 1));
        lbVorlagen->setFocus();
    }
}
