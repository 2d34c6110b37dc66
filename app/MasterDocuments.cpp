// The main window's document windows: new documents, and the commands of the
// menus and tool bar that act on the active document.

#include "app/Master.h"

#include "app/Child.h"
#include "app/MMWindow.h"
#include "app/SpeedButton.h"

#include "document/Etikett.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "foundation/ZRRegIniFile.h"

#include <QtGui/QAction>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>

namespace {

// The zoom buttons' step.
constexpr double kZoomButtonStep = 0.3;

// The settings' default sheet: its section and value.
const char* const kDefaultSheetSection = "Standard";
const char* const kDefaultSheetValue = "Default";

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
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    struct RestoreCursor {
        ~RestoreCursor() { QGuiApplication::restoreOverrideCursor(); }
    } restore;
    QString folder = Settings().ReadText("Allgemein", "SaveDir", {});
    if (folder.isEmpty()) folder = GetProgramFolder();
    const QString name =
        JoinPath(folder, LocalizedText("IDS_DATEINAME") + QString::number(NewDocumentCounter) + QLatin1Char('.') + DefaultExt);
    ++NewDocumentCounter;
    auto* child = new TChild;
    AddDocumentWindow(child);
    child->SetFileName(name);
    return child;
}

void TMaster::NewDocumentOnDefaultSheet() {
    TEtikett sheet;
    sheet.LoadFromSettings(kDefaultSheetSection, kDefaultSheetValue);
    TChild* child = NewDocumentWindow();
    child->ApplyEtikett(sheet);
    child->mnuGanzClick();
    child->MMWin().InvalidateAll();
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

void TMaster::ConnectDocumentCommands() {
    auto onItem = [this](const char* name, std::function<void(TChild&)> command) {
        connect(MenuItem(name), &QAction::triggered, this, [this, command] { WithActiveChild(command); });
    };
    onItem("mnuSchliessen", [this](TChild&) {
        if (QMdiSubWindow* sub = mdiArea_->currentSubWindow()) sub->close();
    });
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
    connect(Button("cmdClipRing"), &QToolButton::clicked, this, [this] { WithActiveChild([](TChild& c) { c.mnuClipRingClick(); }); });
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
