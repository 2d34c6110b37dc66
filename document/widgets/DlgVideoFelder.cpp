#include "document/widgets/DlgVideoFelder.h"

#include "foundation/Codepage1252.h"
#include "foundation/Debug.h"
#include "foundation/Localizer.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QInputDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QVBoxLayout>

namespace {

bool AskText(QWidget* parent, const QString& caption, const QString& prompt, QString& text) {
    bool ok = false;
    const QString entered = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, text, &ok);
    if (ok) text = entered;
    return ok;
}

}  // namespace

TDlgVideoFelder::TDlgVideoFelder(QWidget* parent) : TLocalizerDialog(parent) {
    setWindowTitle(QStringLiteral("Felder bearbeiten"));
    lblFelder = Named(new QLabel(QStringLiteral("verfügbare Felder"), this), "lblFelder");
    lbFelder = Named(new QListWidget(this), "lbFelder");
    lblFelder->setBuddy(lbFelder);
    cmdNeu = Named(new QPushButton(QStringLiteral("&Neu"), this), "cmdNeu");
    cmdUmbenennen = Named(new QPushButton(QStringLiteral("&Umbenennen"), this), "cmdUmbenennen");
    cmdLoeschen = Named(new QPushButton(QStringLiteral("&Löschen"), this), "cmdLoeschen");
    cmdUp = Named(new QPushButton(this), "cmdUp");
    cmdUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    cmdUp->setToolTip(QStringLiteral("Feld nach oben verschieben"));
    cmdDown = Named(new QPushButton(this), "cmdDown");
    cmdDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    cmdDown->setToolTip(QStringLiteral("Feld nach unten verschieben"));
    cmdSchliessen = Named(new QPushButton(QStringLiteral("&Schließen"), this), "cmdSchliessen");
    cmdSchliessen->setDefault(true);
    cbStandard = Named(new QCheckBox(QStringLiteral("diese Felder"), this), "cbStandard");
    lblStandard = Named(new QLabel(QStringLiteral("als Standard für neue Etiketten verwenden"), this), "lblStandard");

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdNeu, cmdUmbenennen, cmdLoeschen}) buttons->addWidget(b);
    auto* arrows = new QHBoxLayout;
    arrows->addWidget(cmdUp);
    arrows->addWidget(cmdDown);
    buttons->addLayout(arrows);
    buttons->addStretch();
    buttons->addWidget(cmdSchliessen);
    auto* standard = new QVBoxLayout;
    standard->setSpacing(0);
    standard->addWidget(cbStandard);
    standard->addWidget(lblStandard);
    auto* grid = new QGridLayout(this);
    grid->addWidget(lblFelder, 0, 0);
    grid->addWidget(lbFelder, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->addLayout(standard, 2, 0, 1, 2);

    // Esc closes like "Schließen" (QDialog's own Esc handling rejects).
    connect(cmdNeu, &QPushButton::clicked, this, [this] { cmdNeuClick(); });
    connect(cmdUmbenennen, &QPushButton::clicked, this, [this] { cmdUmbenennenClick(); });
    connect(lbFelder, &QListWidget::itemDoubleClicked, this, [this] { cmdUmbenennenClick(); });
    connect(cmdLoeschen, &QPushButton::clicked, this, [this] { cmdLoeschenClick(); });
    connect(cmdUp, &QPushButton::clicked, this, [this] { cmdUpClick(); });
    connect(cmdDown, &QPushButton::clicked, this, [this] { cmdDownClick(); });
    connect(cmdSchliessen, &QPushButton::clicked, this, &QDialog::accept);

    InputQuery = [this](const QString& caption, const QString& prompt, QString& text) {
        return AskText(this, caption, prompt, text);
    };
    Confirm = [this](const QString& question) {
        return QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    };
    // The list holds the user's field names, not texts of the program.
    Localizer().AddExportExclusion(QStringLiteral("TDlgVideoFelder"), QStringLiteral("lbFelder"),
                                   QStringLiteral("Items"));
    Localize();
}

TDlgVideoFelder::~TDlgVideoFelder() {
    if (!cbStandard->isChecked()) return;
    try {
        fields_.SaveToSettings();
    } catch (const std::exception& e) {
        Debug().Log(QString::fromUtf8(e.what()));
    }
}

void TDlgVideoFelder::BeforeLocalize() {
    RegisterText(QStringLiteral("NewCaption"), QStringLiteral("Neues Feld"));
    RegisterText(QStringLiteral("NewPrompt"), QStringLiteral("Bitte geben Sie den Namen des neuen Feldes ein."));
    RegisterText(QStringLiteral("RenameCaption"), QStringLiteral("Feld umbenennen"));
    RegisterText(QStringLiteral("RenamePrompt"), QStringLiteral("Bitte geben Sie den neuen Namen des Feldes ein."));
    RegisterText(QStringLiteral("DeleteQuestion"), QStringLiteral("Soll das ausgewählte Feld wirklich gelöscht werden?"));
}

void TDlgVideoFelder::SetFields(const TFeldListe& fields) {
    fields_.Assign(fields);
    FillList(0);
}

void TDlgVideoFelder::FillList(int selected) {
    lbFelder->clear();
    for (const std::string& name : fields_.Names) lbFelder->addItem(AnsiToUnicode(name));
    if (selected >= 0 && selected < lbFelder->count()) lbFelder->setCurrentRow(selected);
}

int TDlgVideoFelder::Selected() const {
    const int row = lbFelder->currentRow();
    return (row >= 0 && row < fields_.Count() && lbFelder->currentItem() && lbFelder->currentItem()->isSelected())
               ? row
               : -1;
}

void TDlgVideoFelder::cmdNeuClick() {
    QString name;
    if (!InputQuery(GetText(QStringLiteral("NewCaption")), GetText(QStringLiteral("NewPrompt")), name)) return;
    if (name.isEmpty()) return;
    fields_.AddField(UnicodeToAnsi(name), "");
    FillList(fields_.Count() - 1);
}

void TDlgVideoFelder::cmdUmbenennenClick() {
    const int index = Selected();
    if (index < 0) return;
    QString name = AnsiToUnicode(fields_.Names[index]);
    if (!InputQuery(GetText(QStringLiteral("RenameCaption")), GetText(QStringLiteral("RenamePrompt")), name)) return;
    if (name.isEmpty()) return;
    fields_.Rename(index, UnicodeToAnsi(name));
    lbFelder->item(index)->setText(AnsiToUnicode(fields_.Names[index]));
    lbFelder->setCurrentRow(index);
    lbFelder->setFocus();
}

void TDlgVideoFelder::cmdLoeschenClick() {
    const int index = Selected();
    if (index < 0) return;
    if (!Confirm(GetText(QStringLiteral("DeleteQuestion")))) return;
    fields_.Delete(index);
    delete lbFelder->takeItem(index);
    if (lbFelder->count() > 0) lbFelder->setCurrentRow(std::min(index, lbFelder->count() - 1));
}

void TDlgVideoFelder::Move(int delta) {
    const int index = Selected();
    const int target = index + delta;
    if (index < 0 || target < 0 || target >= fields_.Count()) return;
    fields_.Exchange(index, target);
    lbFelder->item(index)->setText(AnsiToUnicode(fields_.Names[index]));
    lbFelder->item(target)->setText(AnsiToUnicode(fields_.Names[target]));
    lbFelder->setCurrentRow(target);
}

void TDlgVideoFelder::cmdUpClick() { Move(-1); }
void TDlgVideoFelder::cmdDownClick() { Move(+1); }

void InstallFieldListEditor() {
    SetFieldListEditor([](TFeldListe& list) {
        TDlgVideoFelder dialog(QApplication::activeWindow());
        dialog.SetFields(list);
        dialog.exec();
        list.Assign(dialog.Fields());
    });
}
