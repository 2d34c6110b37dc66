// The document window's edit, arrange, format, print and label-type
// commands, its figures' context menu, and the states of the main window's
// tools and menu items for the current design.

#include "app/Child.h"

#include "app/ChildPrintSource.h"
#include "app/Master.h"
#include "app/MessageBoxes.h"
#include "app/MMWindow.h"
#include "app/RingCentres.h"
#include "app/SpeedButton.h"

#include "document/Etikett.h"
#include "document/design/EinzelEtikett.h"
#include "document/design/FigureClipboard.h"
#include "document/widgets/DlgSelEtikett.h"
#include "figures/Figure.h"
#include "figures/FigureGroup.h"
#include "foundation/Codepage1252.h"
#include "foundation/Font.h"
#include "foundation/Localizer.h"
#include "printing/PrinterSupport.h"
#include "printing/widgets/DlgDruckPosition2.h"
#include "printing/widgets/DlgSelPrinter.h"
#include "printing/widgets/PrintDialogsUi.h"

#include <QtCore/QFileInfo>
#include <QtGui/QAction>
#include <QtWidgets/QMenu>

#include <algorithm>

std::function<std::unique_ptr<TEtikett>(const TEtikett&, QWidget*)> TChild::LabelTypeDialog =
    [](const TEtikett& current, QWidget* parent) { return ChangeLabelType(current, parent); };

std::function<void(TPrintSource&, QWidget*)> TChild::PrintCommand = [](TPrintSource& source, QWidget* mainWindow) {
    PrintDocument(source, mainWindow);
};

namespace {

// The labels a sheet offers designs for; sheets with free designs take any number.
int64_t DesignRoomOf(const TEtikett& sheet) {
    if (sheet.FreeDesigns != 0) return INT64_MAX;
    return int64_t{sheet.Columns} * sheet.Rows;
}

bool IsFieldText(const TFigure* figure) { return figure && figure->Kind == TFigureKind::FieldText; }

// The entries of the context menu that need a selection (hidden on empty space).
constexpr const char* kSelectionEntries[] = {
    "mnuGroesse", "mnuStiftdicke", "mnuStiftfarbe", "mnuPinsel", "mnuText", "mnuFont", "mnuAusrichtung",
    "mnuEigenschaften", "mnuFeld", "mnuFeldtyp", "mnuSepRotate", "mnu90Clockwise", "mnu90CounterClockwise",
    "mnu180drehen", "mnuSep", "mnuZentrierenHaupt", "mnuZwZentrieren",
};

}  // namespace

// ---- delegated commands

void TChild::RunDesignCommand(void (TEinzelEtikett::*command)()) {
    if (!currentDesign_) return;
    (currentDesign_->*command)();
    RequestToolStateRefresh();
    mmWin_->InvalidateAll();
}

void TChild::mnuAusschneidenClick() {
    if (!currentDesign_) return;
    if (currentDesign_->SelectedCount() == 0) {
        Beep();
        return;
    }
    RunDesignCommand(&TEinzelEtikett::CutSelection);
}

void TChild::mnuKopierenClick() {
    if (!currentDesign_) return;
    if (currentDesign_->SelectedCount() == 0) {
        Beep();
        return;
    }
    RunDesignCommand(&TEinzelEtikett::CopySelection);
}

void TChild::mnuEinfuegenClick() { RunDesignCommand(&TEinzelEtikett::Paste); }

void TChild::mnuLoeschenClick() { RunDesignCommand(&TEinzelEtikett::DeleteSelection); }

void TChild::mnuRueckgaengigClick() { RunDesignCommand(&TEinzelEtikett::Undo); }

void TChild::mnuAllesAuswaehlenClick() { RunDesignCommand(&TEinzelEtikett::SelectAll); }

void TChild::ChangeStackingOrder(void (TEinzelEtikett::*command)()) {
    if (!currentDesign_ || currentDesign_->SelectedCount() == 0) return;
    RunDesignCommand(command);
    SetModified(true);
}

void TChild::mnuEinsNachVorneClick() { ChangeStackingOrder(&TEinzelEtikett::BringForward); }

void TChild::mnuNachVorneClick() { ChangeStackingOrder(&TEinzelEtikett::BringToFront); }

void TChild::mnuEinsNachHintenClick() { ChangeStackingOrder(&TEinzelEtikett::SendBackward); }

void TChild::mnuNachHintenClick() { ChangeStackingOrder(&TEinzelEtikett::SendToBack); }

void TChild::mnuGruppierenClick() { RunDesignCommand(&TEinzelEtikett::GroupSelection); }

void TChild::mnuUnGroupClick() { RunDesignCommand(&TEinzelEtikett::UngroupSelection); }

void TChild::mnuNeuZeichnenClick() { mmWin_->InvalidateAll(); }

void TChild::mnu90ClockwiseClick() {
    if (currentDesign_) currentDesign_->RotateSelection(90);
    RequestToolStateRefresh();
}

void TChild::mnu90CounterClockwiseClick() {
    if (currentDesign_) currentDesign_->RotateSelection(-90);
    RequestToolStateRefresh();
}

void TChild::mnu180drehenClick() {
    if (currentDesign_) currentDesign_->RotateSelection(180);
    RequestToolStateRefresh();
}

void TChild::mnuGroesseClick() { RunDesignCommand(&TEinzelEtikett::EditSelectedPosition); }

void TChild::mnuStiftdickeClick() { RunDesignCommand(&TEinzelEtikett::EditPen); }

void TChild::mnuStiftfarbeClick() { RunDesignCommand(&TEinzelEtikett::EditPenColor); }

void TChild::mnuPinselClick() { RunDesignCommand(&TEinzelEtikett::EditFill); }

void TChild::mnuTextClick() { RunDesignCommand(&TEinzelEtikett::EditSelectedText); }

void TChild::mnuFontClick() { RunDesignCommand(&TEinzelEtikett::EditFont); }

void TChild::mnuAusrichtungClick() { RunDesignCommand(&TEinzelEtikett::EditTextAlignment); }

void TChild::mnuEigenschaftenClick() { RunDesignCommand(&TEinzelEtikett::EditProperties); }

void TChild::mnuFeldClick() { RunDesignCommand(&TEinzelEtikett::EditSelectedFieldText); }

void TChild::CenterSelectionOnRing(int ring) {
    if (!currentDesign_) return;
    const std::optional<TFloatPoint> centre = RingCentreOf(*etikett_, ring);
    if (!centre) return;
    currentDesign_->SetSelectionCenter(centre->X, centre->Y);
    RequestToolStateRefresh();
}

void TChild::mnuZwZentrierenClick() {
    if (!currentDesign_) return;
    const TFloatPoint centre = LabelCentre(*etikett_);
    currentDesign_->SetSelectionCenter(centre.X, centre.Y);
    RequestToolStateRefresh();
}

// ---- the context menu

void TChild::BuildPopupMenu() {
    mnuPopUp_ = new QMenu(this);
    mnuPopUp_->setObjectName(QStringLiteral("mnuPopUp"));
    auto add = [this](QMenu* menu, const char* name, const char* caption, void (TChild::*handler)()) {
        QAction* item = menu->addAction(QString::fromUtf8(caption));
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return item;
    };
    auto separator = [this](const char* name) { mnuPopUp_->addSeparator()->setObjectName(QString::fromLatin1(name)); };
    auto submenu = [this](const char* name, const char* caption) {
        QMenu* menu = mnuPopUp_->addMenu(QString::fromUtf8(caption));
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    add(mnuPopUp_, "mnuGroesse", "Größe und Position...", &TChild::mnuGroesseClick);
    add(mnuPopUp_, "mnuStiftdicke", "Stiftdicke...", &TChild::mnuStiftdickeClick);
    add(mnuPopUp_, "mnuStiftfarbe", "Stiftfarbe...", &TChild::mnuStiftfarbeClick);
    add(mnuPopUp_, "mnuPinsel", "Füllung...", &TChild::mnuPinselClick);
    add(mnuPopUp_, "mnuText", "Text...", &TChild::mnuTextClick);
    add(mnuPopUp_, "mnuFont", "Font...", &TChild::mnuFontClick);
    add(mnuPopUp_, "mnuAusrichtung", "Ausrichtung...", &TChild::mnuAusrichtungClick);
    add(mnuPopUp_, "mnuEigenschaften", "Eigenschaften...", &TChild::mnuEigenschaftenClick);
    add(mnuPopUp_, "mnuFeld", "Feld...", &TChild::mnuFeldClick);
    submenu("mnuFeldtyp", "Feldtyp wechseln");
    separator("mnuSepRotate");
    add(mnuPopUp_, "mnu90Clockwise", "90° im Uhrzeigersinn drehen", &TChild::mnu90ClockwiseClick);
    add(mnuPopUp_, "mnu90CounterClockwise", "90° gegen Uhrzeigersinn drehen", &TChild::mnu90CounterClockwiseClick);
    add(mnuPopUp_, "mnu180drehen", "180° drehen", &TChild::mnu180drehenClick);
    separator("mnuSep");
    QMenu* rings = submenu("mnuZentrierenHaupt", "Zentrieren auf");
    add(rings, "mnuZentrierenOben", "Ring oben", &TChild::mnuZentrierenObenClick);
    add(rings, "mnuZentrierenMitte", "Ring mitte", &TChild::mnuZentrierenMitteClick);
    add(rings, "mnuZentrierenUnten", "Ring unten", &TChild::mnuZentrierenUntenClick);
    add(mnuPopUp_, "mnuZwZentrieren", "Zentrieren", &TChild::mnuZwZentrierenClick);
    separator("N1");
    QMenu* zoom = submenu("mnuZoom", "Zoom");
    add(zoom, "mnuZoomGanz", "Ganze Vorlage", &TChild::mnuGanzClick);
    add(zoom, "mnuZoomBreite", "Vorlagenbreite", &TChild::mnuZoomBreiteClick);
    for (const auto& [name, caption, factor] : {std::tuple{"mnuZoom050", "50%", 0.5}, std::tuple{"mnuZoom100", "100%", 1.0},
                                                std::tuple{"mnuZoom200", "200%", 2.0}}) {
        QAction* item = zoom->addAction(QString::fromLatin1(caption));
        item->setObjectName(QString::fromLatin1(name));
        const double value = factor;
        connect(item, &QAction::triggered, this, [this, value] { ZoomCentered(value); });
    }
}

QAction* TChild::PopupItem(const char* name) const {
    return mnuPopUp_->findChild<QAction*>(QString::fromLatin1(name), Qt::FindChildrenRecursively);
}

void TChild::PrepareContextMenu(int mode) {
    for (QAction* item : mnuPopUp_->actions()) item->setVisible(true);
    const bool selection = mode != 0 && currentDesign_ && currentDesign_->SelectedCount() > 0;
    if (!selection) {
        for (const char* name : kSelectionEntries) PopupItem(name)->setVisible(false);
        return;
    }
    TEinzelEtikett& design = *currentDesign_;
    const bool one = design.SelectedCount() == 1;
    const bool fieldText = one && IsFieldText(design.GetSelected(0));
    PopupItem("mnuGroesse")->setVisible(one);
    PopupItem("mnuStiftdicke")->setVisible(design.CanSetPen());
    PopupItem("mnuStiftfarbe")->setVisible(design.CanSetPen());
    PopupItem("mnuPinsel")->setVisible(design.CanFill());
    PopupItem("mnuText")->setVisible(one && design.CanEditText());
    PopupItem("mnuFont")->setVisible(design.CanSetFont());
    PopupItem("mnuAusrichtung")->setVisible(design.CanAlignText());
    PopupItem("mnuEigenschaften")->setVisible(design.CanEditProperties());
    PopupItem("mnuFeld")->setVisible(fieldText);
    PopupItem("mnuFeldtyp")->setVisible(fieldText);
    if (fieldText) design.BuildFieldTypeMenu();
    for (const char* name : {"mnu90Clockwise", "mnu90CounterClockwise", "mnu180drehen"}) PopupItem(name)->setVisible(one);
    const bool rings = RingCentreOf(*etikett_, 1).has_value();
    PopupItem("mnuZentrierenHaupt")->setVisible(rings);
    PopupItem("mnuZentrierenMitte")->setVisible(RingCentreOf(*etikett_, 2).has_value());
    PopupItem("mnuZwZentrieren")->setVisible(etikett_->GetShapeKey() == "QN-2051EX");
}

void TChild::SetFieldTypeMenu(const std::vector<std::string>& fieldNames) {
    QMenu* menu = PopupItem("mnuFeldtyp")->menu();
    menu->clear();
    for (size_t i = 0; i < fieldNames.size(); ++i) {
        QAction* item = menu->addAction(AnsiToUnicode(fieldNames[i]));
        const auto position = static_cast<int32_t>(i);
        connect(item, &QAction::triggered, this, [this, position] {
            if (!currentDesign_) return;
            currentDesign_->FieldTypeMenuClick(position);
            RequestToolStateRefresh();
        });
    }
}

void TChild::ShowContextMenu(const QPoint& screenPoint, int mode) {
    PrepareContextMenu(mode);
    mnuPopUp_->exec(screenPoint);
    SwitchToSelectTool();
}

// ---- printing and the sheet

QString TChild::DocumentName() const {
    if (!fileName_.isEmpty()) return QFileInfo(fileName_).fileName();
    return windowTitle();
}

void TChild::mnuDruckenClick() {
    {
        TChildPrintSource source(*this);
        PrintCommand(source, Master);
    }
    RequestToolStateRefresh();
    mmWin_->InvalidateAll();
}

void TChild::mnuDruckpositionClick() { ShowDruckPositionDialog(Master); }

void TChild::mnuDruckereinrichtungClick() {
    ExecuteSelPrinter(Master);
    PrinterSupport().SetUserPaperSize(etikett_->PageWidth, etikett_->PageHeight);
    UpdatePrinterMargins();
    mmWin_->InvalidateAll();
}

void TChild::ChooseLabelType() {
    std::unique_ptr<TEtikett> chosen = LabelTypeDialog(*etikett_, Master);
    if (chosen) ApplyLabelType(*chosen);
}

bool TChild::ApplyLabelType(const TEtikett& sheet) {
    if (DesignRoomOf(sheet) < DesignCount()) {
        ShowMessageBox(TMessageKind::Warning, LocalizedText("IDS_CHILDMSG3"), this);
        return false;
    }
    ApplyEtikett(sheet);
    SetModified(true);
    if (currentDesign_ && currentDesign_->FigureCount() > 0) {
        const TFloatRect figures = currentDesign_->GetFiguresExtent();
        const TFloatPoint label = DisplayedLabelSize();
        mmWin_->ZoomToRect(std::min(0.0f, figures.Left), std::min(0.0f, figures.Top), std::max(label.X, figures.Right),
                           std::max(label.Y, figures.Bottom));
        UpdateRulers();
    } else {
        mnuGanzClick();
    }
    ArrangeDesignBar();
    return true;
}

// ---- the main window's tools and menu items

void TChild::UpdateFrameControls() {
    if (!Master || !currentDesign_) return;
    for (const char* name : {"cmdSpeichern", "cmdDrucken", "cmdZoomIn", "cmdZoomOut", "cmdDruckerrand", "cmdGitter", "RastenBtn",
                             "colpopPen", "ZRPenWidthButton1", "colpopBrush", "cmdClipRing", "cbFontName", "cbFontSize", "colpopFont",
                             "cmdFett", "cmdKursiv", "cmdUnderline", "cmdHLeft", "cmdHCenter", "cmdHRight", "cmdHFull", "cmdVTop",
                             "cmdVCenter", "cmdVBottom"})
        TMaster::SetControlEnabled(Master->Control(name), true);
    TEinzelEtikett& design = *currentDesign_;
    const int32_t selected = design.SelectedCount();
    const int32_t figures = design.FigureCount();
    const bool layers = selected > 0 && figures > 1;
    auto enable = [](QWidget* control, bool on) { TMaster::SetControlEnabled(control, on); };
    auto enableItem = [](QAction* item, bool on) {
        if (item) item->setEnabled(on && !TMaster::IsPending(item));
    };
    const bool canPaste = CanPasteFromClipboard();
    enable(Master->Control("cmdAusschneiden"), selected > 0);
    enable(Master->Control("cmdKopieren"), selected > 0);
    enable(Master->Control("cmdEinfuegen"), canPaste);
    enable(Master->Control("cmdZurueck"), design.UndoCount() > 0);
    for (const char* name : {"cmdEinsNachHinten", "cmdGanzNachHinten", "cmdGanzNachVorn", "cmdEinsNachVorn"})
        enable(Master->Control(name), layers);
    for (const char* name : {"mnuEinsNachHinten", "mnuNachHinten", "mnuNachVorne", "mnuEinsNachVorne"})
        enableItem(Master->MenuItem(name), layers);
    enableItem(Master->MenuItem("mnuNeuZeichnen"), true);
    enableItem(Master->MenuItem("mnuLoeschen"), selected > 0);
    enableItem(Master->MenuItem("mnuAusrichten"), selected > 0);
    enableItem(Master->MenuItem("mnuRueckgaengig"), design.UndoCount() > 0);
    enableItem(Master->MenuItem("mnuAusschneiden"), selected > 0);
    enableItem(Master->MenuItem("mnuKopieren"), selected > 0);
    enableItem(Master->MenuItem("mnuEinfuegen"), canPaste);
    enableItem(Master->MenuItem("mnuAllesAuswaehlen"), figures > 0);
    if (QAction* rename = Master->MenuItem("mnuEtikettUmbenennen")) {
        const bool severalLabels = int64_t{etikett_->Columns} * etikett_->Rows > 1 || etikett_->FreeDesigns != 0;
        rename->setVisible(severalLabels);
        enableItem(rename, severalLabels);
    }
    enableItem(Master->MenuItem("mnuGruppieren"), selected > 1);
    enableItem(Master->MenuItem("mnuUnGroup"), selected == 1 && dynamic_cast<TFigureGroup*>(design.GetSelected(0)));

    const bool clipZones = etikett_->ZoomRegions.HasClipRegion();
    QAction* clipItem = Master->MenuItem("mnuClipRing");
    clipItem->setVisible(clipZones);
    clipItem->setChecked(clipRing_);
    Master->MenuItem("mnuClipRingSep")->setVisible(clipZones);
    if (TSpeedButton* clipButton = Master->Button("cmdClipRing")) {
        clipButton->setVisible(clipZones);
        clipButton->SetDown(clipRing_);
    }
    QAction* backSide = Master->MenuItem("mnuBogenRueckseite");
    backSide->setVisible((etikett_->Capabilities & kCapabilityBackSide) != 0);
    backSide->setChecked(etikett_->BackSide != 0);
    QAction* turned = Master->MenuItem("mnuBogenGedreht");
    turned->setVisible((etikett_->Capabilities & kCapabilityMayTurn) != 0);
    turned->setChecked(etikett_->SheetTurned != 0);
    Master->panToolbarResize();

    UpdateMenuStates(design);
    UpdateTextTools(design);
}

void TChild::UpdateMenuStates(TEinzelEtikett& design) {
    using K = TFigureKind;
    const int32_t selected = design.SelectedCount();
    auto enableItem = [](const char* name, bool on) {
        if (QAction* item = Master->MenuItem(name)) item->setEnabled(on && !TMaster::IsPending(item));
    };
    enableItem("mnuFormatGroesse", selected == 1);
    enableItem("mnuFormatStiftdicke", design.CanSetPen());
    enableItem("mnuFormatStiftfarbe", design.CanSetPen());
    enableItem("mnuFormatPinsel", design.CanFill());
    enableItem("mnuFormatText", selected == 1 && design.CanEditText());
    enableItem("mnuFormatFont", design.CanSetFont());
    enableItem("mnuFormatAusrichtung", design.KindCount(K::Text) + design.KindCount(K::FieldText) + design.KindCount(K::RTFText) > 0);
    enableItem("mnuFormatFeld", selected == 1 && IsFieldText(design.GetSelected(0)));
    enableItem("mnuFormatEigenschaften", design.CanEditProperties());
}

void TChild::UpdateTextTools(TEinzelEtikett& design) {
    if (design.SelectedCount() == 0) return;
    const TFigure* first = design.GetSelected(0);
    TFont font;
    if (!first->GetFont(font)) return;
    uint8_t horizontal = 0;
    uint8_t vertical = 0;
    const bool aligned = first->GetAlignment(horizontal, vertical);
    uint8_t style = 0;
    if (font.Style() & fsBold) style |= 1;
    if (font.Style() & fsItalic) style |= 2;
    if (font.Style() & fsUnderline) style |= 4;
    Master->ShowTextTools(AnsiToUnicode(font.Name()), font.Size(), style, aligned ? horizontal : 255, aligned ? vertical : 255);
}
