#pragma once
// The field dialog: edits the names and the order of a design's fields. It
// works on a list of its own; TFeldListe::EditFields copies the design's list
// in and takes the dialog's list back however the dialog was closed. When
// the dialog is destroyed with "diese Felder" ticked, its names become the
// default field names of new designs.

#include "document/FeldListe.h"
#include "foundation/widgets/LocalizerForm.h"

#include <QtCore/QString>

#include <functional>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

class TDlgVideoFelder : public TLocalizerDialog {
    Q_OBJECT
public:
    explicit TDlgVideoFelder(QWidget* parent = nullptr);
    ~TDlgVideoFelder() override;

    // Copies the list in and shows its names, the first one selected.
    void SetFields(const TFeldListe& fields);
    const TFeldListe& Fields() const { return fields_; }

    void cmdNeuClick();
    void cmdUmbenennenClick();
    void cmdLoeschenClick();
    void cmdUpClick();
    void cmdDownClick();

    // The one-line input and the yes/no question; tests replace them.
    std::function<bool(const QString& caption, const QString& prompt, QString& text)> InputQuery;
    std::function<bool(const QString& question)> Confirm;

    QLabel* lblFelder;
    QListWidget* lbFelder;
    QPushButton* cmdNeu;
    QPushButton* cmdUmbenennen;
    QPushButton* cmdLoeschen;
    QPushButton* cmdUp;
    QPushButton* cmdDown;
    QPushButton* cmdSchliessen;
    QCheckBox* cbStandard;
    QLabel* lblStandard;

protected:
    void BeforeLocalize() override;

private:
    void FillList(int selected);
    int Selected() const;
    void Move(int delta);

    TFeldListe fields_{TFeldListe::EmptyTag{}};
};

// Makes TFeldListe::EditFields run the dialog (once, at start-up).
void InstallFieldListEditor();
