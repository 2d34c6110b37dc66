#include "controls/DlgInputQuery.h"

#include "controls/DialogButtons.h"
#include "foundation/widgets/DialogStyle.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QVBoxLayout>

TDlgInputQuery::TDlgInputQuery(QWidget* parent) : TLocalizerDialog(parent) {
    AssignStatusFont(this);
    setWindowTitle(QStringLiteral("Frage"));
    lPrompt_ = new QLabel(this);
    lPrompt_->setObjectName(QStringLiteral("lPrompt"));
    lPrompt_->setWordWrap(true);
    edText_ = new QLineEdit(this);
    edText_->setObjectName(QStringLiteral("edText"));
    edText_->setMinimumWidth(280);
    lPrompt_->setBuddy(edText_);
    QDialogButtonBox* buttons = CreateOkCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lPrompt_);
    layout->addWidget(edText_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    edText_->setFocus();
    Localize();
}

void TDlgInputQuery::SetQuery(const QString& caption, const QString& prompt) {
    caption_ = caption;
    prompt_ = prompt;
    AfterLocalize();
}

void TDlgInputQuery::AfterLocalize() {
    if (!caption_.isEmpty()) setWindowTitle(caption_);
    lPrompt_->setText(prompt_);
}

bool ShowInputQuery(const QString& caption, const QString& prompt, QString& text, QWidget* parent) {
    TDlgInputQuery dialog(parent);
    dialog.SetQuery(caption, prompt);
    dialog.TextField()->setText(text);
    dialog.TextField()->selectAll();
    if (dialog.exec() != QDialog::Accepted) return false;
    text = dialog.TextField()->text();
    return true;
}
