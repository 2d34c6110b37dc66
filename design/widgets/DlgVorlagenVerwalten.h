#pragma once
// "Vorlagen verwalten": the user's templates listed by their descriptions,
// in the order of the template index, with buttons to rename and delete one.
// Every change goes to the index at once; "Schließen" (or Esc) closes.

#include "foundation/widgets/LocalizerForm.h"

#include <QtCore/QString>

#include <functional>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class TTemplateIndex;

class TDlgVorlagenVerwalten : public TLocalizerDialog {
    Q_OBJECT
public:
    explicit TDlgVorlagenVerwalten(TTemplateIndex& index, QWidget* parent = nullptr);

    // The file names (without folder) of the listed templates, in list order.
    const std::vector<QString>& FileNames() const { return fileNames_; }

    void BtnUmbenennenClick();
    void BtnLoeschenClick();

    // The input dialog and the yes/no question; tests replace them.
    std::function<bool(const QString& caption, const QString& prompt, QString& text)> InputQuery;
    std::function<bool(const QString& question)> Confirm;

    QLabel* lblVorlagen;
    QListWidget* lbVorlagen;
    QPushButton* BtnUmbenennen;
    QPushButton* BtnLoeschen;
    QPushButton* BtnSchliessen;

protected:
    void BeforeLocalize() override;

private:
    void FormCreate();
    // The selected row; -1 when none.
    int Selected() const;
    void UpdateButtons();

    TTemplateIndex& index_;
    std::vector<QString> fileNames_;
};
