#include "figures/widgets/DlgTextNeu.h"

#include "controls/DialogButtons.h"
#include "foundation/widgets/DialogStyle.h"
#include "foundation/widgets/FormPlacement.h"
#include "foundation/widgets/LocalizerForm.h"

#include <QtGui/QTextCursor>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

TDlgTextNeu::TDlgTextNeu(QWidget* parent, const QWidget* mainWindow) : TLocalizerDialog(parent) {
    setWindowTitle(QStringLiteral("Text eingeben"));
    AssignStatusFont(this);
    Memo1 = Named(new QPlainTextEdit(this), "Memo1");
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo1);
    AddOkCancel(this, layout, BtnOK, BtnAbbrechen);
    // Enter breaks the line in the memo; the buttons take the mouse.
    BtnOK->setDefault(false);
    BtnOK->setAutoDefault(false);
    connect(Memo1, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = Memo1->toPlainText();
        if (text.size() <= kMaxLength) return;
        const QSignalBlocker block(Memo1);
        Memo1->setPlainText(text.left(kMaxLength));
        Memo1->moveCursor(QTextCursor::End);
    });
    Memo1->setFocus();
    resize(360, 240);
    if (mainWindow) CenterFormOnMaster(this, mainWindow);
}
