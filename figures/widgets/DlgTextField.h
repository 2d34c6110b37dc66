#pragma once
// The field dialog: the fields of a design's field list with a value each;
// the caller takes the selected field and the text of edData. The values
// are edited on a copy that goes with the dialog.

#include "foundation/widgets/LocalizerForm.h"

#include <QtCore/QStringList>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TFeldListe;

class TDlgTextField : public TLocalizerDialog {
    Q_OBJECT
public:
    explicit TDlgTextField(QWidget* parent = nullptr);

    // Lists the field names, copies the values, selects the first field.
    void SetFieldList(const TFeldListe* fields);
    // A click on a field shows its value; leaving edData keeps the text for
    // the selected field.
    void lbFieldsClick();
    void edDataExit();

    const TFeldListe* Fields = nullptr;  // not owned
    QStringList Values;

    QLabel* lblFields;
    QListWidget* lbFields;
    QLabel* lblData;
    QLineEdit* edData;
    QPushButton* BtnOK;
    QPushButton* BtnAbbrechen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
