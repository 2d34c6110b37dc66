#pragma once
// The one-line text input: a caption and a prompt of the caller's, the text
// in an edit field that has the focus.

#include "foundation/widgets/LocalizerForm.h"

class QLabel;
class QLineEdit;

class TDlgInputQuery : public TLocalizerDialog {
    Q_OBJECT
public:
    explicit TDlgInputQuery(QWidget* parent = nullptr);

    // The caller's caption and prompt; they stay through language switches.
    void SetQuery(const QString& caption, const QString& prompt);
    QLineEdit* TextField() const { return edText_; }
    QLabel* PromptLabel() const { return lPrompt_; }

protected:
    void AfterLocalize() override;

private:
    QLabel* lPrompt_;
    QLineEdit* edText_;
    QString caption_;
    QString prompt_;
};

// True and the text on OK; the text is left alone on "Abbrechen".
bool ShowInputQuery(const QString& caption, const QString& prompt, QString& text, QWidget* parent = nullptr);
