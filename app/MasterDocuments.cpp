// The main window's document windows: new and opened documents, and the
// commands of the menus and tool bar that act on the active document.

#include "app/Master.h"

#include "app/Child.h"
#include "app/MMWindow.h"
#include "app/SpeedButton.h"

#include "app/ExceptionHandler.h"
#include "app/MessageBoxes.h"

#include "design/DocumentFile.h"
#include "design/widgets/OpenDocumentDialog.h"
#include "document/Etikett.h"
#include "document/widgets/DlgSelEtikett.h"
#include "figures/Bild32.h"
#include "foundation/Exceptions.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "foundation/WaitCursor.h"
#include "foundation/ZRRegIniFile.h"

#include <QtCore/QFileInfo>
#include <QtGui/QAction>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QToolButton>

namespace {

// The zoom buttons' step.
constexpr double kZoomButtonStep = 0.3;

struct ZoomItem {
    const char* name;
    double zoom;
};
constexpr ZoomItem kZoomItems[] = {{"mnuAnsicht050", 0.5}, {"mnuAnsicht075", 0.75}, {"mnuAnsicht100", 1.0},
                                   {"mnuAnsicht150", 1.5}, {"mnuAnsicht200", 2.0},  {"mnuAnsicht400", 4.0}};

}  // namespace

TChild* TMaster::ActiveChild() const { return dynamic_cast<TChild*>(ActiveDocument()); }

void TMaster::WithActiveChild(const std::function<void(TChild&)>& command) {
    if (TChild* child = ActiveChild()) command(*child);
}

TChild* TMaster::NewDocumentWindow() {
    const TWaitCursor busy;
    QString folder = Settings().ReadText("Allgemein", "SaveDir", {});
    // The program folder is not the user's to write in: new documents start in the documents folder.
    if (folder.isEmpty()) folder = GetPersonalFolder();
    const QString name =
        JoinPath(folder, LocalizedText("IDS_DATEINAME") + QString::number(NewDocumentCounter) + QLatin1Char('.') + DefaultExt);
    ++NewDocumentCounter;
    auto* child = new TChild;
    AddDocumentWindow(child);
    child->SetFileName(name);
    return child;
}

// ---- New and Open

std::function<TLabelTypeChoice(bool, QWidget*)> TMaster::LabelTypeDialog = [](bool offerOpen, QWidget* parent) {
    return ChooseLabelType(offerOpen, parent);
};
std::function<QString(const QString&, QWidget*)> TMaster::OpenDialog = [](const QString& lastFolder, QWidget* parent) {
    return ExecuteOpenDocumentDialog(lastFolder, parent);
};

void TMaster::NewDocumentFromLabelType() {
    const bool offerOpen = OfferOpenInTypeDialog;
    OfferOpenInTypeDialog = false;
    const TLabelTypeChoice choice = LabelTypeDialog(offerOpen, this);
    switch (choice.Result) {
    case TLabelTypeResult::Chosen: {
        if (!choice.Sheet) return;
        TChild* child = NewDocumentWindow();
        child->ApplyEtikett(*choice.Sheet);
        child->mnuGanzClick();
        child->MMWin().InvalidateAll();
        break;
    }
    case TLabelTypeResult::OpenDocument: mnuOeffnenClick(); break;
    case TLabelTypeResult::Cancelled: break;
    }
}

void TMaster::OpenDocumentFromDialog() {
    // The dialog remembers the folder and its preview switch itself.
    const QString path = OpenDialog(LastFolder, this);
    if (!path.isEmpty()) {
        LastFolder = QFileInfo(path).absolutePath() + QLatin1Char('/');
        OpenDocument(path);
    }
    if (TChild* child = ActiveChild()) child->MMWin().InvalidateAll();
}

QWidget* TMaster::OpenDocument(const QString& path) {
    const TWaitCursor busy;
    try {
        if (!documentLoader_) return LoadDocumentWindow(path);
        QWidget* window = documentLoader_(path);
        if (window) AddDocumentWindow(window);
        return window;
    } catch (const Exception& e) {
        ShowMessageBox(TMessageKind::Plain, QString::fromUtf8(e.Message()), this);
        return nullptr;
    } catch (...) {
        // Any other failure of the loader is reported like an error that
        // escaped a command; the files dropped after this one still open.
        ShowApplicationException(std::current_exception());
        return nullptr;
    }
}

TChild* TMaster::LoadDocumentWindow(const QString& path) {
    auto* child = new TChild;
    QMdiSubWindow* frame = AddDocumentWindow(child);
    // A load that fails takes its window with it, without the close question.
    struct DiscardOnFailure {
        QMdiSubWindow* frame;
        ~DiscardOnFailure() { delete frame; }
    } discard{frame};
    child->MMWin().hide();
    child->repaint();
    TDocumentFile file(*child);
    file.LoadFromFile(path);
    child->SetFileName(path);
    child->SetNamed(true);
    child->ApplyEtikett(child->GetEtikett());
    child->SetModified(false);
    RequestToolStateRefresh();
    child->mnuGanzClick();
    RequestToolStateRefresh();
    child->MMWin().show();
    discard.frame = nullptr;
    // Pictures that did not read are there as marked boxes: one message names them.
    const QString unreadable = UnreadablePicturesMessage(file.Filer.UnreadablePictures, path);
    if (!unreadable.isEmpty()) ShowMessageBox(TMessageKind::Warning, unreadable, this);
    return child;
}

void TMaster::BtnVisiVorlageClick() {
    TChild* child = ActiveChild();
    if (!child) return;
    TChild::TSaveDialogRequest request;
    request.Filter = QStringLiteral("*.ini|*.ini|*.*|*.*");
    request.DefaultExt = QStringLiteral("ini");
    const QString path = TChild::SaveDialog(request, this);
    if (!path.isEmpty()) child->ExportToIni(path);
}

void TMaster::ViewButtonsChanged() {
    MenuItem("mnuAnsichtGitter")->setChecked(GridShown());
    MenuItem("mnuAnsichtDruckrand")->setChecked(PrinterMarginsShown());
    InvalidateAllDocuments();
}

void TMaster::ToggleViewButton(const char* button, const char* item) {
    Button(button)->SetDown(MenuItem(item)->isChecked());
    ViewButtonsChanged();
}

void TMaster::ConnectFileCommands() {
    ConnectItemToChild("mnuSpeichern", &TChild::mnuSpeichernClick);
    ConnectItemToChild("mnuSpeichernUnter", &TChild::mnuSpeichernUnterClick);
    ConnectItemToChild("mnuSpeichernVorlage", &TChild::mnuSpeichernVorlageClick);
    ConnectItemToChild("mnuVorlagenVerwalten", &TChild::mnuVorlagenVerwaltenClick);
    ConnectItemToChild("mnuExport", &TChild::mnuExportClick);
    ConnectItemToChild("mnuSchliessen", &TChild::mnuSchliessenClick);
    ConnectButtonToChild("cmdSpeichern", &TChild::mnuSpeichernClick);
    auto* exportTemplate = findChild<QPushButton*>(QStringLiteral("BtnVisiVorlage"));
    connect(exportTemplate, &QPushButton::clicked, this, [this] { BtnVisiVorlageClick(); });
}

void TMaster::ConnectDocumentCommands() {
    ConnectFileCommands();
    auto onItem = [this](const char* name, std::function<void(TChild&)> command) {
        connect(MenuItem(name), &QAction::triggered, this, [this, command] { WithActiveChild(command); });
    };
    onItem("mnuEtikettUmbenennen", [](TChild& c) { c.mnuDesignUmbenennenClick(); });
    onItem("mnuAnsichtOriginal", [](TChild& c) { c.ZoomCentered(1); });
    onItem("mnuAnsichtEtikettenbreite", [](TChild& c) { c.mnuZoomBreiteClick(); });
    onItem("mnuAnsichtEtikettenHoehe", [](TChild& c) { c.mnuAnsichtEtikettenHoeheClick(); });
    onItem("mnuAnsichtGanz", [](TChild& c) { c.mnuGanzClick(); });
    onItem("mnuAnsichtZoomAlleObjekte", [](TChild& c) { c.mnuAnsichtZoomAlleObjekteClick(); });
    onItem("mnuAnsichtZoomAuswahl", [](TChild& c) { c.mnuAnsichtZoomAuswahlClick(); });
    for (const ZoomItem& item : kZoomItems) {
        const double zoom = item.zoom;
        onItem(item.name, [zoom](TChild& c) { c.ZoomCentered(zoom); });
    }
    onItem("mnuClipRing", [](TChild& c) { c.mnuClipRingClick(); });
    ConnectEditingCommands();
    ConnectButtonToChild("cmdClipRing", &TChild::mnuClipRingClick);
    connect(MenuItem("mnuAnsichtGitter"), &QAction::triggered, this, [this] { ToggleViewButton("cmdGitter", "mnuAnsichtGitter"); });
    connect(MenuItem("mnuAnsichtDruckrand"), &QAction::triggered, this,
            [this] { ToggleViewButton("cmdDruckerrand", "mnuAnsichtDruckrand"); });
    for (const auto& [name, step] : {std::pair{"cmdZoomIn", kZoomButtonStep}, std::pair{"cmdZoomOut", -kZoomButtonStep}}) {
        const double delta = step;
        connect(Button(name), &QToolButton::clicked, this, [this, delta] {
            WithActiveChild([delta](TChild& c) { c.ZoomCentered(c.MMWin().GetZoom() + delta); });
        });
    }
}

void TMaster::ConnectEditingCommands() {
    ConnectItemToChild("mnuFeldlisteAnzeigen", &TChild::mnuFeldlisteAnzeigenClick);
    ConnectItemToChild("mnuFelderBearbeiten", &TChild::mnuFelderBearbeitenClick);
    ConnectItemToChild("mnuFeldnamenAnzeigen", &TChild::mnuFeldnamenAnzeigenClick);
    ConnectItemToChild("mnuVerwendungshinweis", &TChild::mnuVerwendungshinweisClick);
    ConnectItemToChild("mnuBogenRueckseite", &TChild::mnuBogenRueckseiteClick);
    ConnectItemToChild("mnuBogenGedreht", &TChild::mnuBogenGedrehtClick);
    ConnectItemToChild("mnuBildEinfuegen", &TChild::InsertPictureFile);
    ConnectButtonToChild("cmdFeldliste", &TChild::mnuFeldlisteAnzeigenClick);
}

void TMaster::ConnectItemToChild(const char* item, void (TChild::*command)()) {
    connect(MenuItem(item), &QAction::triggered, this, [this, command] { WithActiveChild([command](TChild& c) { (c.*command)(); }); });
}

void TMaster::ConnectButtonToChild(const char* button, void (TChild::*command)()) {
    connect(Button(button), &QToolButton::clicked, this, [this, command] { WithActiveChild([command](TChild& c) { (c.*command)(); }); });
}
