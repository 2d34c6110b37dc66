#include "figures/widgets/DlgPosition.h"

#include "controls/CtrlFocus.h"
#include "controls/DialogButtons.h"
#include "controls/EnterAsTab.h"
#include "controls/ValidateEdit.h"
#include "figures/FigureDialogs.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/widgets/DialogStyle.h"
#include "foundation/widgets/LocalizerForm.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include <functional>

// A float field that tells its dialog when it has been left (after its own check).
class TExitFloatEdit : public TQDXFloatEdit {
public:
    using TQDXFloatEdit::TQDXFloatEdit;
    std::function<void()> OnExit;

protected:
    void focusOutEvent(QFocusEvent* event) override {
        TQDXFloatEdit::focusOutEvent(event);
        if (OnExit) OnExit();
    }
};

namespace {

constexpr double kNoHeightRatio = 99999999999.0;

QGroupBox* FieldGroup(QWidget* parent, const char* name, const QString& title,
                      std::initializer_list<std::pair<QLabel*, QWidget*>> rows) {
    auto* box = Named(new QGroupBox(title, parent), name);
    auto* grid = new QGridLayout(box);
    int row = 0;
    for (const auto& [label, field] : rows) {
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row++, 1);
    }
    return box;
}

}  // namespace

TDlgPosition::TDlgPosition(QWidget* parent) : TCloseQueryDialog(parent) {
    setWindowTitle(QStringLiteral("Element Position"));
    AssignStatusFont(this);
    EnterAsTab = new TZREnterAsTab(this);
    CtrlFocus = new TZRCtrlFocus(this);
    edHori = MakeEdit("edHori", -1000, 1000);
    edVert = MakeEdit("edVert", -1000, 1000);
    edWidth = MakeEdit("edWidth", 0, 1000);
    edHeight = MakeEdit("edHeight", 0, 1000);
    edWinkel = MakeEdit("edWinkel", -360, 360);
    Label1 = Named(new QLabel(QStringLiteral("Horizontal:"), this), "Label1");
    Label2 = Named(new QLabel(QStringLiteral("Vertikal:"), this), "Label2");
    Label3 = Named(new QLabel(QStringLiteral("Breite:"), this), "Label3");
    Label4 = Named(new QLabel(QStringLiteral("Höhe:"), this), "Label4");
    lWinkel = Named(new QLabel(QStringLiteral("Winkel:"), this), "lWinkel");
    gbPosition = FieldGroup(this, "gbPosition", QStringLiteral("Mitte des Elements"),
                            {{Label1, edHori}, {Label2, edVert}});
    gbSize = FieldGroup(this, "gbSize", QStringLiteral("Breite und Höhe"), {{Label3, edWidth}, {Label4, edHeight}});
    gbWinkel = FieldGroup(this, "gbWinkel", QStringLiteral("Winkel"), {{lWinkel, edWinkel}});
    auto* layout = new QVBoxLayout(this);
    for (QWidget* group : {gbPosition, gbSize, gbWinkel}) layout->addWidget(group);
    AddOkCancel(this, layout, BtnOK, BtnAbbrechen);
    static_cast<TExitFloatEdit*>(edWidth)->OnExit = [this] { edWidthExit(); };
    static_cast<TExitFloatEdit*>(edHeight)->OnExit = [this] { edHeightExit(); };
    SetFlags(kPositionEditable);
}

TExitFloatEdit* TDlgPosition::MakeEdit(const char* name, double lower, double upper) {
    auto* edit = Named(new TExitFloatEdit(this), name);
    edit->setMaxLength(10);
    edit->SetLimits(lower, upper);
    edit->SetValidate(veOnOwnerCloseQuery | veOnExit | veOnKeyPress);
    edit->SetInvalidAction(vaNormalize | vaIgnoreChar | vaFocusBack | vaOutOfRangeException);
    return edit;
}

void TDlgPosition::SetFlags(uint8_t flags) {
    Flags = flags;
    const bool position = flags & kPositionEditable;
    const bool size = flags & (kSizeEditable | kSizeProportional);
    const bool angle = flags & kAngleEditable;
    for (QWidget* w : std::initializer_list<QWidget*>{gbPosition, edHori, edVert, Label1, Label2}) w->setEnabled(position);
    for (QWidget* w : std::initializer_list<QWidget*>{gbSize, edWidth, edHeight, Label3, Label4}) w->setEnabled(size);
    for (QWidget* w : std::initializer_list<QWidget*>{gbWinkel, edWinkel, lWinkel}) w->setEnabled(angle);
}

void TDlgPosition::showEvent(QShowEvent* event) {
    const double height = edHeight->Value();
    Ratio = height == 0 ? kNoHeightRatio : edWidth->Value() / height;
    TCloseQueryDialog::showEvent(event);
}

void TDlgPosition::edWidthExit() {
    if (Flags & kSizeProportional) edHeight->SetValue(RoundToDecimals(edWidth->Value() / Ratio, 2));
}

void TDlgPosition::edHeightExit() {
    if (Flags & kSizeProportional) edWidth->SetValue(RoundToDecimals(edHeight->Value() * Ratio, 2));
}
