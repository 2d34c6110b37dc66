#pragma once
// The dialog that aligns and distributes the selected figures. It returns an
// alignment code of bit flags for the design's alignment operation: at most
// one horizontal and one vertical flag, exactly one reference, and the
// "whole label" flag of the distribution.
//
// Distribution needs three figures and is offered only when the setting
// "Verteilen" of the section "Ausrichten" is set; with fewer than two
// figures the label is the only reference.

#include "foundation/ElementAlignFlags.h"
#include "foundation/widgets/LocalizerForm.h"

#include <cstdint>
#include <map>

class QCheckBox;
class QRadioButton;
class QTabWidget;
class QToolButton;

class TElementAusrichtenDlg : public TLocalizerDialog {
    Q_OBJECT
public:
    explicit TElementAusrichtenDlg(int32_t selectedCount, QWidget* parent = nullptr);

    // The code of the buttons as they are now.
    int32_t ComputeCode() const;
    // The code that OK returned.
    int32_t Code() const { return code_; }

    QToolButton* Button(int32_t flag) const { return buttons_.at(flag); }
    bool OffersDistribution() const;
    QRadioButton* ToSelection() const { return rbAuswahl_; }
    QRadioButton* ToLabel() const { return rbVorlage_; }
    QRadioButton* ToLastSelected() const { return rbLetztes_; }
    QCheckBox* WholeLabel() const { return cbGesamt_; }

    // OK: the code, or Cancel when it moves nothing.
    void OkClicked();

private:
    QWidget* CreatePage(const char* name, int firstGroup);
    void ButtonToggled(QToolButton* button, bool down);

    QTabWidget* tabs_;
    QWidget* distributePage_ = nullptr;
    std::map<int32_t, QToolButton*> buttons_;
    std::map<QToolButton*, int> groupOf_;
    QRadioButton* rbAuswahl_;
    QRadioButton* rbVorlage_;
    QRadioButton* rbLetztes_;
    QCheckBox* cbGesamt_ = nullptr;
    int32_t code_ = 0;
};

// Shows the dialog for that many selected figures; true and the code on OK.
bool ShowElementAlignDialog(int32_t& code, int32_t selectedCount, QWidget* parent = nullptr);
