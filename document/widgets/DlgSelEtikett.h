#pragma once
// "Vorlagentyp wählen": the label type of a new document, or the new type of
// an open one. The list holds the 23 built-in types, then the user's own
// types of the settings section "Vorlagen" (those whose text reads as a
// sheet); the dialog owns one sheet per entry. Each entry has a number: "1"
// for a built-in type, the settings value name (101 and up) for a user's
// type; only user's types may be changed or deleted. Beside the list: the
// orientation (locked for stationery that has one) and a reduced drawing of
// the selected sheet.
//
// OK (or a double click) gives the selected sheet the chosen orientation and
// remembers the entry's index in "Allgemein"/"DefVorlage", which the next
// dialog selects. The New, Change and Delete buttons are hidden; their
// operations write the user's types to the settings at once.

#include "document/LabelTypes.h"
#include "foundation/widgets/LocalizerForm.h"
#include "platform/gdi/Bitmap.h"

#include <QtCore/QString>

#include <functional>
#include <memory>
#include <vector>

class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class TEtikett;
namespace gdi {
class Canvas;
}

class TDlgSelEtikett : public TLocalizerDialog {
    Q_OBJECT
public:
    // Results of exec().
    static constexpr int kResultOK = 1;
    static constexpr int kResultCancel = 2;
    static constexpr int kResultOpen = 20;
    static constexpr int kItemHeight = 16;
    static constexpr int kPreviewSize = 150;

    explicit TDlgSelEtikett(QWidget* parent = nullptr);
    ~TDlgSelEtikett() override;

    int EntryCount() const { return static_cast<int>(entries_.size()); }
    const std::string& EntryText(int index) const { return entries_.at(index).Text; }
    TEtikett& EntrySheet(int index) const { return *entries_.at(index).Sheet; }
    // -1 when no entry is selected.
    int SelectedIndex() const;
    // Selects the entry and runs the selection handler.
    void SelectEntry(int index);
    // The sheet of the selected entry (owned by the dialog); null when none.
    TEtikett* GetSelectedEtikett() const;
    // Selects entry 0, then the first entry whose sheet has the geometry of
    // the given one.
    void SelectMatching(const TEtikett& sheet);

    // 0 portrait, 1 landscape. Setting it gives the selected sheet that
    // orientation, as a click on the buttons does.
    int OrientationIndex() const;
    void SetOrientationIndex(int index);
    // Offers to open a document instead (result kResultOpen).
    void ShowOpenButton() const;

    // The selection handler: orientation, its lock, Change and Delete.
    void lbEtikettClick();
    void rgAusrichtungClick();
    void BtnOKClick();
    void BtnOeffnenClick();
    void cmdNeuClick();
    void cmdAendernClick();
    void cmdLoeschenClick();
    void reject() override;

    // The picture of the selected sheet that the preview box shows.
    gdi::Bitmap RenderPreview(int width, int height, gdi::Color background);

    // The definition dialog and the yes/no question; tests replace them.
    std::function<bool(TLabelTypeDefinition& definition)> EditDefinition;
    std::function<bool(const QString& question)> Confirm;

    QListWidget* lbEtikett;
    QGroupBox* rgAusrichtung;
    QRadioButton* rbHochformat;
    QRadioButton* rbQuerformat;
    QGroupBox* gbVorschau;
    QWidget* pbVorschau;
    QPushButton* BtnOK;
    QPushButton* BtnAbbrechen;
    QPushButton* BtnOeffnen;
    QPushButton* cmdNeu;
    QPushButton* cmdAendern;
    QPushButton* cmdLoeschen;

protected:
    void AfterLocalize() override;

private:
    struct Entry {
        std::string Text;
        std::unique_ptr<TEtikett> Sheet;
    };
    void BuildWindow();
    void FillList();
    void AddEntry(std::string text, std::unique_ptr<TEtikett> sheet);
    // The selected entry's number; false when none is selected or its text is
    // no number.
    bool SelectedNumber(int32_t& number) const;

    std::vector<Entry> entries_;
};

// Draws the sheet in its orientation into a box of width x height pixels,
// fitted and centred.
void DrawLabelTypePreview(gdi::Canvas& canvas, int width, int height, TEtikett& sheet);

// ---- entry functions

enum class TLabelTypeResult { Cancelled, Chosen, OpenDocument };

struct TLabelTypeChoice {
    TLabelTypeResult Result = TLabelTypeResult::Cancelled;
    // The chosen sheet (a copy) when Result is Chosen.
    std::unique_ptr<TEtikett> Sheet;
};

// The label type of a new document. offerOpen shows the button that opens
// an existing document instead.
TLabelTypeChoice ChooseLabelType(bool offerOpen, QWidget* parent = nullptr);
// A new label type for an open document: its current type and orientation
// preselected. The chosen sheet (a copy), or null on Cancel.
std::unique_ptr<TEtikett> ChangeLabelType(const TEtikett& current, QWidget* parent = nullptr);
