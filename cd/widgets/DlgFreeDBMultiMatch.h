#pragma once
// "Treffer auswählen": one line per CDDB match (category, disc id, title);
// OK or a double click takes the selected one.

#include "foundation/widgets/LocalizerForm.h"

#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

class TDlgFreeDBMultiMatch : public TLocalizerDialog {
    Q_OBJECT
public:
    explicit TDlgFreeDBMultiMatch(QWidget* parent = nullptr);

    QLabel* lblHinweis;
    QListWidget* lbTreffer;
    QLabel* lblDienst;
    QPushButton* BtnOK;
    QPushButton* BtnAbbrechen;
};

// The matches in a modal choice, the first selected; the chosen index, or -1
// when the user cancels.
int32_t ChooseCddbMatch(const std::vector<std::string>& matches, QWidget* parent);
