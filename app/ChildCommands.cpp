// The document window's edit, arrange, format, print and label-type
// commands, its figures' context menu, and the states of the main window's
// tools and menu items for the current design.

#include "app/Child.h"

#include "app/ChildPrintSource.h"
#include "app/Master.h"
#include "app/MessageBoxes.h"
#include "app/MMWindow.h"
#include "app/SpeedButton.h"

#include "design/ContextMenuModel.h"
#include "design/EinzelEtikett.h"
#include "design/FigureClipboard.h"
#include "design/RingLabels.h"
#include "document/Etikett.h"
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

bool IsFieldText(const TFigure* figure) { return figure && figure->Kind == TFigureKind::FieldText; }

}  // namespace

// ---- delegated commands

void TChild::RunDesignCommand(void (TEinzelEtikett::*command)()) {
    if (!currentDesign_) return;
    (currentDesign_->*command)();
    RequestToolStateRefresh();
    mmWin_->InvalidateAll();
}

void TChild::RunSelectionCommand(void (TEinzelEtikett::*command)()) {
    if (!currentDesign_) return;
    if (currentDesign_->SelectedCount() == 0) {
        Beep();
        return;
    }
    RunDesignCommand(command);
}

void TChild::mnuAusschneidenClick() { RunSelectionCommand(&TEinzelEtikett::CutSelection); }

void TChild::mnuKopierenClick() { RunSelectionCommand(&TEinzelEtikett::CopySelection); }

void TChild::mnuEinfuegenClick() { RunDesignCommand(&TEinzelEtikett::Paste); }

void TChild::mnuLoeschenClick() { RunDesignCommand(&TEinzelEtikett::DeleteSelection); }

void TChild::mnuRueckgaengigClick() { RunDesignCommand(&TEinzelEtikett::Undo); }

void TChild::mnuAllesAuswaehlenClick() { RunDesignCommand(&TEinzelEtikett::SelectAll); }

void TChild::mnuElementeAusrichtenClick() {
    if (currentDesign_ && currentDesign_->SelectedCount() > 0) RunDesignCommand(&TEinzelEtikett::AlignSelectionDialog);
}

// The design records a step even with nothing selected; the menu records none then.
void TChild::ChangeStackingOrder(void (TEinzelEtikett::*command)()) {
    if (currentDesign_ && currentDesign_->SelectedCount() > 0) RunDesignCommand(command);
}

void TChild::mnuEinsNachVorneClick() { ChangeStackingOrder(&TEinzelEtikett::BringForward); }

void TChild::mnuNachVorneClick() { ChangeStackingOrder(&TEinzelEtikett::BringToFront); }

void TChild::mnuEinsNachHintenClick() { ChangeStackingOrder(&TEinzelEtikett::SendBackward); }

void TChild::mnuNachHintenClick() { ChangeStackingOrder(&TEinzelEtikett::SendToBack); }

void TChild::mnuGruppierenClick() { RunDesignCommand(&TEinzelEtikett::GroupSelection); }

void TChild::mnuUnGroupClick() { RunDesignCommand(&TEinzelEtikett::UngroupSelection); }

void TChild::mnuNeuZeichnenClick() { mmWin_->InvalidateAll(); }

void TChild::RotateSelectionBy(double angle) {
    if (currentDesign_) currentDesign_->RotateSelection(angle);
    RequestToolStateRefresh();
}

void TChild::mnu90ClockwiseClick() { RotateSelectionBy(90); }

void TChild::mnu90CounterClockwiseClick() { RotateSelectionBy(-90); }

void TChild::mnu180drehenClick() { RotateSelectionBy(180); }

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
    const std::optional<TFloatPoint> centre = RingCenter(*etikett_, ring);
    if (!centre) return;
    currentDesign_->SetSelectionCenter(centre->X, centre->Y);
    RequestToolStateRefresh();
}

void TChild::mnuZwZentrierenClick() {
    if (!currentDesign_) return;
    const TFloatPoint centre = LabelCenter(*etikett_);
    currentDesign_->SetSelectionCenter(centre.X, centre.Y);
    RequestToolStateRefresh();
}

// ---- the context menu

namespace {

// The context menu's entries by the model's entry.
struct TPopupEntry {
    TContextEntry entry;
    const char* name;
};
constexpr TPopupEntry kPopupEntries[] = {
    {TContextEntry::SizeAndPosition, "mnuGroesse"},
    {TContextEntry::PenWidth, "mnuStiftdicke"},
    {TContextEntry::PenColor, "mnuStiftfarbe"},
    {TContextEntry::Fill, "mnuPinsel"},
    {TContextEntry::Text, "mnuText"},
    {TContextEntry::Font, "mnuFont"},
    {TContextEntry::TextAlignment, "mnuAusrichtung"},
    {TContextEntry::Properties, "mnuEigenschaften"},
    {TContextEntry::Field, "mnuFeld"},
    {TContextEntry::FieldType, "mnuFeldtyp"},
    {TContextEntry::SeparatorBeforeRotation, "mnuSepRotate"},
    {TContextEntry::RotateClockwise, "mnu90Clockwise"},
    {TContextEntry::RotateCounterClockwise, "mnu90CounterClockwise"},
    {TContextEntry::Rotate180, "mnu180drehen"},
    {TContextEntry::SeparatorAfterRotation, "mnuSep"},
    {TContextEntry::GridColor, "mnuGitterfarbe"},
    {TContextEntry::FilterBrightness, "mnuFilterHKIG"},
    {TContextEntry::FilterHueSaturation, "mnuFilterHSL"},
    {TContextEntry::FilterBlackWhite, "mnuFilterSWCol"},
    {TContextEntry::SeparatorBeforeRings, "mnuSepRings"},
    {TContextEntry::CenterOnRing, "mnuZentrierenHaupt"},
    {TContextEntry::CopyToRing, "mnuAuswahlkopieren"},
    {TContextEntry::MoveToRing, "mnuAuswahlverschieben"},
    {TContextEntry::CenterOnLabel, "mnuZwZentrieren"},
    {TContextEntry::SeparatorBeforeZoom, "N1"},
    {TContextEntry::Zoom, "mnuZoom"},
};

// The ring submenus; their entries are named by the prefix and the ring.
struct TRingMenu {
    const char* menu;
    const char* itemPrefix;
};
constexpr TRingMenu kCenterRings = {"mnuZentrierenHaupt", "mnuZentrieren"};
constexpr TRingMenu kCopyRings = {"mnuAuswahlkopieren", "mnuAuswahlkopieren"};
constexpr TRingMenu kMoveRings = {"mnuAuswahlverschieben", "mnuAuswahlverschieben"};
constexpr const char* kRingSuffixes[] = {"Oben", "Mitte", "Unten"};
constexpr const char* kRingCaptions[] = {"Ring oben", "Ring mitte", "Ring unten"};

}  // namespace

void TChild::mnuAuswahlkopierenClick(int ring) {
    if (!currentDesign_) return;
    currentDesign_->CopySelectionToRing(ring);
    RequestToolStateRefresh();
}

void TChild::mnuAuswahlverschiebenClick(int ring) {
    if (!currentDesign_) return;
    currentDesign_->MoveSelectionToRing(ring);
    RequestToolStateRefresh();
}

void TChild::BuildPopupMenu() {
    mnuPopUp_ = new QMenu(this);
    mnuPopUp_->setObjectName(QStringLiteral("mnuPopUp"));
    auto name = [](QAction* item, const char* objectName) {
        item->setObjectName(QString::fromLatin1(objectName));
        return item;
    };
    auto add = [this, name](QMenu* menu, const char* objectName, const char* caption, std::function<void()> handler) {
        QAction* item = name(menu->addAction(QString::fromUtf8(caption)), objectName);
        if (handler) connect(item, &QAction::triggered, this, std::move(handler));
        return item;
    };
    auto command = [this](void (TChild::*handler)()) { return [this, handler] { (this->*handler)(); }; };
    auto design = [this](void (TEinzelEtikett::*handler)()) { return [this, handler] { RunDesignCommand(handler); }; };
    auto separator = [this, name](const char* objectName) { name(mnuPopUp_->addSeparator(), objectName); };
    auto submenu = [this, name](const char* objectName, const char* caption) {
        QMenu* menu = mnuPopUp_->addMenu(QString::fromUtf8(caption));
        menu->setObjectName(QString::fromLatin1(objectName));
        name(menu->menuAction(), objectName);
        return menu;
    };
    auto ringMenu = [&](const TRingMenu& names, const char* caption, void (TChild::*handler)(int)) {
        QMenu* menu = submenu(names.menu, caption);
        for (int ring = 1; ring <= 3; ++ring) {
            const QByteArray itemName = QByteArray(names.itemPrefix) + kRingSuffixes[ring - 1];
            QAction* item = add(menu, itemName.constData(), kRingCaptions[ring - 1], [this, handler, ring] { (this->*handler)(ring); });
            item->setProperty("Tag", ring);
        }
    };
    add(mnuPopUp_, "mnuGroesse", "Größe und Position...", command(&TChild::mnuGroesseClick));
    add(mnuPopUp_, "mnuStiftdicke", "Stiftdicke...", command(&TChild::mnuStiftdickeClick));
    add(mnuPopUp_, "mnuStiftfarbe", "Stiftfarbe...", command(&TChild::mnuStiftfarbeClick));
    add(mnuPopUp_, "mnuPinsel", "Füllung...", command(&TChild::mnuPinselClick));
    add(mnuPopUp_, "mnuText", "Text...", command(&TChild::mnuTextClick));
    add(mnuPopUp_, "mnuFont", "Schrift...", command(&TChild::mnuFontClick));
    add(mnuPopUp_, "mnuAusrichtung", "Ausrichtung...", command(&TChild::mnuAusrichtungClick));
    add(mnuPopUp_, "mnuEigenschaften", "Eigenschaften...", command(&TChild::mnuEigenschaftenClick));
    add(mnuPopUp_, "mnuFeld", "Feld...", command(&TChild::mnuFeldClick));
    submenu("mnuFeldtyp", "Feldtyp wechseln");
    separator("mnuSepRotate");
    add(mnuPopUp_, "mnu90Clockwise", "90° im Uhrzeigersinn drehen", command(&TChild::mnu90ClockwiseClick));
    add(mnuPopUp_, "mnu90CounterClockwise", "90° gegen Uhrzeigersinn drehen", command(&TChild::mnu90CounterClockwiseClick));
    add(mnuPopUp_, "mnu180drehen", "180° drehen", command(&TChild::mnu180drehenClick));
    separator("mnuSep");
    add(mnuPopUp_, "mnuGitterfarbe", "Gitterfarbe...", nullptr);
    add(mnuPopUp_, "mnuFilterHKIG", "Helligkeit, Kontrast, Intensität, Gamma...", design(&TEinzelEtikett::FilterBrightness));
    add(mnuPopUp_, "mnuFilterHSL", "Farbton, Sättigung, Helligkeit...", design(&TEinzelEtikett::FilterHueSaturation));
    add(mnuPopUp_, "mnuFilterSWCol", "Schwarz-Weiß, Kolorieren...", design(&TEinzelEtikett::FilterBlackWhite));
    separator("mnuSepRings");
    ringMenu(kCenterRings, "Zentrieren auf", &TChild::CenterSelectionOnRing);
    ringMenu(kCopyRings, "Auswahl kopieren auf", &TChild::mnuAuswahlkopierenClick);
    ringMenu(kMoveRings, "Auswahl verschieben auf", &TChild::mnuAuswahlverschiebenClick);
    add(mnuPopUp_, "mnuZwZentrieren", "Zentrieren", command(&TChild::mnuZwZentrierenClick));
    separator("N1");
    QMenu* zoom = submenu("mnuZoom", "Zoom");
    add(zoom, "mnuZoomGanz", "Ganze Vorlage", command(&TChild::mnuGanzClick));
    add(zoom, "mnuZoomBreite", "Vorlagenbreite", command(&TChild::mnuZoomBreiteClick));
    for (const auto& [objectName, caption, factor] : {std::tuple{"mnuZoom050", "50%", 0.5}, std::tuple{"mnuZoom100", "100%", 1.0},
                                                      std::tuple{"mnuZoom200", "200%", 2.0}}) {
        const double value = factor;
        add(zoom, objectName, caption, [this, value] { ZoomCentered(value); });
    }
}

QAction* TChild::PopupItem(const char* name) const {
    return mnuPopUp_->findChild<QAction*>(QString::fromLatin1(name), Qt::FindChildrenRecursively);
}

void TChild::PrepareContextMenu(int mode) {
    if (!currentDesign_) return;
    TEinzelEtikett& design = *currentDesign_;
    const TContextMenuModel model = BuildContextMenuModel(design, *etikett_, mode);
    for (const TPopupEntry& e : kPopupEntries) {
        QAction* item = PopupItem(e.name);
        item->setVisible(model.IsVisible(e.entry));
        item->setEnabled(model.IsEnabled(e.entry));
    }
    for (const auto& [names, rings] : {std::pair{kCenterRings, model.CenterRings}, std::pair{kCopyRings, model.CopyRings},
                                       std::pair{kMoveRings, model.MoveRings}}) {
        for (int ring = 1; ring <= 3; ++ring) {
            const QByteArray itemName = QByteArray(names.itemPrefix) + kRingSuffixes[ring - 1];
            PopupItem(itemName.constData())->setVisible(rings[static_cast<size_t>(ring - 1)]);
        }
    }
    if (model.IsVisible(TContextEntry::FieldType)) SetFieldTypeMenu(model.FieldTypes);
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
    if (CommitFieldPanel) CommitFieldPanel();
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
    if (DesignLimitOf(sheet) < DesignCount()) {
        ShowMessageBox(TMessageKind::Warning, LocalizedText("IDS_CHILDMSG3"), this);
        return false;
    }
    ApplyEtikett(sheet);
    SetModified(true);
    if (currentDesign_ && currentDesign_->FigureCount() > 0) {
        const TFloatRect figures = currentDesign_->GetFiguresExtent();
        const TFloatPoint label = DisplayedLabelSize(*etikett_);
        mmWin_->ZoomToRect(std::min(0.0f, figures.Left), std::min(0.0f, figures.Top), std::max(label.X, figures.Right),
                           std::max(label.Y, figures.Bottom));
        UpdateRulers();
    } else {
        mnuGanzClick();
    }
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
    auto enableItem = [](QAction* item, bool on) { TMaster::SetItemEnabled(item, on); };
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
        const bool severalLabels = DesignLimit() > 1;
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
    auto enableItem = [](const char* name, bool on) { TMaster::SetItemEnabled(Master->MenuItem(name), on); };
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
