#include "app/Master.h"

#include "app/Application.h"
#include "app/Cursors.h"
#include "app/DlgInfo.h"
#include "app/ExceptionHandler.h"
#include "app/FileInfo.h"
#include "app/Last4Files.h"
#include "app/MasterChild.h"
#include "app/MessageBoxes.h"
#include "app/SpeedButton.h"
#include "app/ToolState.h"
#include "app/ZRMenuSpacer.h"
#include "app/ZRStatusBar.h"
#include "controls/QDXTBComboBox.h"
#include "controls/ZRPenWidthButton.h"
#include "controls/ZRRastenButton2.h"

#include "figures/Rasten.h"
#include "foundation/Debug.h"
#include "foundation/Exceptions.h"
#include "foundation/FillData.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "foundation/widgets/FormPlacement.h"
#include "foundation/ZRRegIniFile.h"
#include "platform/printer/Printer.h"

#include <QtCore/QAbstractEventDispatcher>
#include <QtCore/QMimeData>
#include <QtCore/QLocale>
#include <QtCore/QTimer>
#include <QtCore/QUrl>
#include <QtGui/QAction>
#include <QtGui/QActionGroup>
#include <QtGui/QCloseEvent>
#include <QtGui/QDragEnterEvent>
#include <QtGui/QDesktopServices>
#include <QtGui/QDropEvent>
#include <QtGui/QFontDatabase>
#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QScreen>
#include <QtGui/QStatusTipEvent>
#include <QtGui/QWindow>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenu>
#include <QtWidgets/QStyle>
#include <QtWidgets/QToolButton>

#include <algorithm>
#include <cstdlib>
#include <ctime>

TMaster* Master = nullptr;

const QEvent::Type TMaster::RefreshToolStateEvent = static_cast<QEvent::Type>(QEvent::registerEventType(QEvent::User + 1));

namespace {

// Arial where it is installed, else the desktop's own font, else the first in
// the list: the box never starts empty while fonts exist.
void SelectStartFont(TQDXTBFontComboBox& box) {
    for (const QString& name : {QStringLiteral("Arial"), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()}) {
        box.SetFontName(name);
        if (!box.GetFontName().isEmpty()) return;
    }
    if (box.count() > 0) box.setCurrentIndex(0);
}

constexpr const char* kPendingProperty = "zorbitPending";

// The two tool-bar rows, left to right.
const std::initializer_list<const char*> kFirstRow = {
    "cmdNeu",     "cmdOeffnen",    "cmdSpeichern",    "ZRMenuSpacer1",  "cmdDrucken",       "ZRMenuSpacer2",
    "cmdAusschneiden", "cmdKopieren", "cmdEinfuegen", "ZRMenuSpacer3",  "cmdZurueck",       "ZRMenuSpacer13",
    "cmdZoomIn",  "cmdZoomOut",    "ZRMenuSpacer4",   "cmdDruckerrand", "cmdGitter",        "ZRMenuSpacer14",
    "RastenBtn",  "ZRMenuSpacer5", "colpopPen",       "ZRPenWidthButton1", "ZRMenuSpacer6", "colpopBrush",
    "ZRMenuSpacer7", "cmdClipRing", "cmdFeldliste",   "BtnHTMLHelp",
};
const std::initializer_list<const char*> kSecondRow = {
    "cbFontName", "cbFontSize", "ZRMenuSpacer8", "colpopFont", "ZRMenuSpacer9", "cmdFett", "cmdKursiv", "cmdUnderline",
    "ZRMenuSpacer10", "cmdHLeft", "cmdHCenter", "cmdHRight", "cmdHFull", "ZRMenuSpacer11", "cmdVTop", "cmdVCenter",
    "cmdVBottom", "ZRMenuSpacer15", "cmdEinsNachHinten", "cmdGanzNachHinten", "cmdGanzNachVorn", "cmdEinsNachVorn",
    "ZRMenuSpacer12",
};
constexpr int kFirstRowTop = 4;
constexpr int kSecondRowTop = 34;
constexpr int kRowTops[2] = {kFirstRowTop, kSecondRowTop};
constexpr const char* kOverflowNames[2] = {"cmdWeitere1", "cmdWeitere2"};
constexpr int kComboTop = 33;

const std::initializer_list<const char*> kPaletteOrder = {
    "cmdPfeil",   "cmdZoomRect", "msVert1",       "cmdLinie",        "cmdRechteck", "cmdKreis",          "cmdAutoForm",   "msVert2",
    "cmdRTF",     "cmdRTFTabelle", "cmdWordart",  "cmdRotateText",   "cmdSymbol",   "cmdZaehlerfeld",    "msVert3",       "cmdRaruvir",
    "cmdBarcode", "cmdDirOutline", "cmdTrackTabelle", "cmdClipart",  "cmdClipartTavolux", "cmdIndexPrint",
};

// Menus and items shown only while a document is open.
const char* const kDocumentMenus[] = {"mnuBearbeiten", "mnuAnsicht", "mnuFormat", "mnuFenster"};
const char* const kDocumentItems[] = {"mnuSpeichern", "mnuSpeichernUnter", "mnuSchliessen",
                                      "mnuDrucken", "mnuDruckereinrichtung", "mnuDruckposition"};

QRect ScreenArea(const QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// The picture suffix of the bold, italic and underline buttons per language.
const char* StyleGlyphSuffix(int language) {
    switch (language) {
    case 0: return "";
    case 2: return "_fr";
    case 3: return "_it";
    case 4: return "_es";
    case 9: return "_nl";
    default: return "_en";
    }
}

}  // namespace

TMaster::TMaster(QWidget* parent) : TMaster([] { return gdi::AvailablePrinters().size(); }, parent) {}

TMaster::TMaster(PrinterCounter printers, QWidget* parent)
    : TLocalizerMainWindow(parent),
      printers_(std::move(printers)),
      urlOpener_([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      helpFolder_(GetProgramFolder()) {
    Master = this;
    InitAppResources();
    sizeMoveTimer_ = new QTimer(this);
    sizeMoveTimer_->setSingleShot(true);
    sizeMoveTimer_->setInterval(kSizeMoveSettleMs);
    connect(sizeMoveTimer_, &QTimer::timeout, this, [this] { WMExitSizeMove(); });
    BuildWindow();
    Localize();
    FormCreate();
    created_ = true;
}

TLast4Files& TMaster::RecentFiles() const { return *recentFiles_; }

TMaster::~TMaster() {
    // The window's parts go after this destructor and may still signal.
    DisconnectCommands();
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(mdiArea_, nullptr, this, nullptr);
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) disconnect(dispatcher, nullptr, this, nullptr);
    FormDestroy();
    if (Master == this) Master = nullptr;
}

// ---- creation and destruction

void TMaster::FormCreate() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    Localizer().ChooseStartLanguage();
    if (printers_() == 0) {
        ShowMessageBox(TMessageKind::Error, LocalizedText("IDS_NOPRINTER"), this);
        if (TApplication* app = App()) app->Terminate();
    }
    if (const QString problem = Settings().LoadProblemMessage(); !problem.isEmpty())
        ShowMessageBox(TMessageKind::Warning, problem, this);
    Localizer().SetAllowedLanguages(kAllowedLanguages);
    DefaultExt = QStringLiteral("qem");
    mnuSprache_->menuAction()->setVisible(true);
    MenuItem("mnuAnleitung")->setVisible(true);
    for (const char* name : {"cmdFieldText", "cmdDirOutline", "cmdRotateText", "cmdAutoForm", "cmdWordart", "cmdSymbol"})
        Control(name)->hide();
    FitAndCentre();
    LoadFormPlacement(this, "MDIFrame");
    for (QWidget* w : ControlList(kFirstRow)) w->move(w->x(), kFirstRowTop);
    for (QWidget* w : ControlList(kSecondRow)) w->move(w->x(), qobject_cast<QComboBox*>(w) ? kComboTop : kSecondRowTop);
    ArrangeToolbar(ControlList(kFirstRow), 4);
    ArrangeToolbar(ControlList(kSecondRow), 4);
    panToolbarResize();
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] { RequestToolStateRefresh(); });
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        RequestToolStateRefresh();
        if (auto* document = sub ? dynamic_cast<TMasterChild*>(sub->widget()) : nullptr) document->Activated();
    });
    LoadCursors();
    // A damaged value (no number, negative) gives the default, which is
    // written back on exit.
    const double gridStep = Settings().ReadFloat("Raster", "Gitterweite2", kDefaultGridStep);
    gitterWeite_ = IsValidStep(gridStep) ? gridStep : kDefaultGridStep;
    SetGridX(gitterWeite_);
    ShowGridStep();
    auto* fontSize = findChild<QComboBox*>(QStringLiteral("cbFontSize"));
    fontSize->setCurrentIndex(fontSize->findText(QStringLiteral("10")));
    LoadViewSettings();
    InitHelpPanel();
    setAcceptDrops(true);
    closing_ = false;
    for (const char* name : {"mnuExport", "mnuExportTrenn", "mnuFormatFeld"}) MenuItem(name)->setVisible(false);
    SelectStartFont(*findChild<TQDXTBFontComboBox*>(QStringLiteral("cbFontName")));
    MenuItem("mnuOffscreenBMP")->setChecked(Settings().ReadBool("Allgemein", "OffscreenBMP", true));
    fillData_ = std::make_unique<TFillData>();
    Settings().WriteString("", "Version", FileInfo().ShortVersionText().toStdString());
    ArrangeToolPalette();
    RegisterFileAssociation(DefaultExt);
    for (const char* name : kDocumentMenus) documentActions_ << findChild<QMenu*>(QString::fromLatin1(name))->menuAction();
    for (const char* name : kDocumentItems) documentActions_ << MenuItem(name);
    databaseMenu_ = findChild<QMenu*>(QStringLiteral("mnuDatenbank"))->menuAction();
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { ApplicationIdle(); });
    CreateRecentFiles();
    ApplicationIdle();
    RequestToolStateRefresh();
}

void TMaster::CreateRecentFiles() {
    recentFiles_ = std::make_unique<TLast4Files>();
    TLast4Files::TMenuItems items;
    items.Separator = MenuItem("mnuSepLD");
    for (int i = 0; i < TLast4Files::kMaxFiles; ++i)
        items.Items[i] = MenuItem(QStringLiteral("mnuLD%1").arg(i + 1).toLatin1().constData());
    recentFiles_->SetMenu(items);
    recentFiles_->SetOpenDocument([this](const QString& path) { OpenDocument(path); });
}

void TMaster::FormClose() { closing_ = true; }

void TMaster::FormDestroy() {
    closing_ = true;
    recentFiles_.reset();
    SaveSettings();
}

void TMaster::SaveSettings() {
    // Settings that cannot be written are lost, but the window still closes.
    auto guarded = [](auto&& work) {
        try {
            work();
        } catch (const std::exception& e) {
            Debug().Log(QStringLiteral("Main window settings not saved: ") + QString::fromUtf8(e.what()));
        }
    };
    TZRRegIniFile& settings = Settings();
    settings.BeginUpdate();
    guarded([&] {
        SaveFormPlacement(this, "MDIFrame");
        settings.WriteFloat("Raster", "Gitterweite2", gitterWeite_);
        settings.WriteBool("Allgemein", "OffscreenBMP", MenuItem("mnuOffscreenBMP")->isChecked());
        settings.WriteBool("Allgemein", "Gitter", GridShown());
        settings.WriteBool("Allgemein", "DruckerRand", PrinterMarginsShown());
    });
    guarded([&] { settings.EndUpdate(); });
}

QRect TMaster::CentredBounds(QSize size, const QRect& screen) {
    if (screen.width() < size.width()) size.setWidth(screen.width() - 30);
    if (screen.height() < size.height()) size.setHeight(screen.height() - 30);
    return {screen.left() + (screen.width() - size.width()) / 2, screen.top() + (screen.height() - size.height()) / 2,
            size.width(), size.height()};
}

void TMaster::FitAndCentre() {
    const QRect bounds = CentredBounds(size(), ScreenArea(this));
    resize(bounds.size());
    move(bounds.topLeft());
}

void TMaster::LoadCursors() { LoadScreenCursors(); }

void TMaster::LoadViewSettings() {
    TSpeedButton* grid = Button("cmdGitter");
    grid->SetDown(Settings().ReadBool("Allgemein", "Gitter", true));
    MenuItem("mnuAnsichtGitter")->setChecked(grid->Down());
    TSpeedButton* margins = Button("cmdDruckerrand");
    margins->SetDown(Settings().ReadBool("Allgemein", "DruckerRand", true));
    MenuItem("mnuAnsichtDruckrand")->setChecked(margins->Down());
}

bool TMaster::GridShown() const { return Button("cmdGitter")->Down(); }

bool TMaster::PrinterMarginsShown() const { return Button("cmdDruckerrand")->Down(); }

// ---- layout

int TMaster::ArrangeToolbar(const QList<QWidget*>& controls, int left) {
    int x = left;
    for (QWidget* control : controls) {
        if (!control || control->isHidden()) continue;
        control->move(x, control->y());
        x += control->width();
    }
    return x;
}

void TMaster::ArrangeToolPalette() {
    int y = 4;
    for (QWidget* control : ControlList(kPaletteOrder)) {
        if (!control || control->isHidden()) continue;
        control->move(2, y);
        y += control->height();
    }
}

void TMaster::panToolbarResize() {
    // The buttons a document shows or hides (the clip ring, the field list)
    // take their place in the row, and the help button follows them.
    const int rowEnd = ArrangeToolbar(ControlList(kFirstRow), 4);
    if (QWidget* help = Control("BtnHTMLHelp"); help->isHidden()) help->move(rowEnd, help->y());
    QWidget* between = Control("bvToolbar2");
    QWidget* brand = Control("cmdKroxaHomepage");
    QWidget* lastOfSecondRow = Control("ZRMenuSpacer12");
    const int width = panToolbar_->width();
    brand->move(std::max(width - brand->width() - 4, lastOfSecondRow->x() + lastOfSecondRow->width()), brand->y());
    between->resize(brand->x() - 4, between->height());
    UpdateToolbarOverflow();
}

// ---- tool-bar overflow

void TMaster::BuildToolbarOverflow() {
    for (int row = 0; row < 2; ++row) {
        auto* more = new QToolButton(panToolbar_);
        more->setObjectName(QString::fromLatin1(kOverflowNames[row]));
        more->setIcon(style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton));
        more->setAutoRaise(true);
        more->setAutoFillBackground(true);  // covers the controls it stands for
        more->setFixedSize(16, 22);
        more->setPopupMode(QToolButton::InstantPopup);
        more->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
        more->setToolTip(QStringLiteral("Weitere Schaltflächen"));
        auto* menu = new QMenu(more);
        more->setMenu(menu);
        connect(menu, &QMenu::aboutToShow, this, [this, row] { FillOverflowMenu(row); });
        more->hide();
        overflow_[row] = more;
    }
}

QList<QWidget*> TMaster::RowControls(int row) const {
    QList<QWidget*> controls = ControlList(row == 0 ? kFirstRow : kSecondRow);
    // The logo spans both rows; it counts for the first when out of view.
    if (row == 0 && RowEnd() == panToolbar_->width()) controls << Control("cmdKroxaHomepage");
    return controls;
}

// A row ends where the logo begins while the logo is in full view, else at
// the panel's edge; the overflow button takes the last piece.
int TMaster::RowEnd() const {
    const QWidget* brand = Control("cmdKroxaHomepage");
    const int width = panToolbar_->width();
    const bool brandInView = !brand->isHidden() && brand->x() + brand->width() <= width;
    return brandInView ? brand->x() : width;
}

QList<QWidget*> TMaster::OverflowingControls(int row) const {
    const int limit = RowEnd() - overflow_[row]->width();
    QList<QWidget*> controls;
    for (QWidget* control : RowControls(row)) {
        if (!control || control->isHidden() || qobject_cast<TZRMenuSpacer*>(control)) continue;
        if (control->x() + control->width() > limit) controls << control;
    }
    return controls;
}

void TMaster::UpdateToolbarOverflow() {
    for (int row = 0; row < 2; ++row) {
        QToolButton* more = overflow_[row];
        const bool needed = !OverflowingControls(row).isEmpty();
        more->setVisible(needed);
        if (!needed) continue;
        more->move(RowEnd() - more->width(), kRowTops[row]);
        more->raise();
    }
}

void TMaster::FillOverflowMenu(int row) {
    QMenu* menu = overflow_[row]->menu();
    menu->clear();
    for (QWidget* control : OverflowingControls(row)) {
        if (AddPaletteOverflowItems(menu, control)) continue;
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            QMenu* items = menu->addMenu(combo->toolTip());
            items->setEnabled(combo->isEnabled());
            for (int i = 0; i < combo->count(); ++i) {
                QAction* item = items->addAction(combo->itemText(i));
                item->setCheckable(true);
                item->setChecked(i == combo->currentIndex());
                connect(item, &QAction::triggered, combo, [combo, i] {
                    combo->setCurrentIndex(i);
                    emit combo->activated(i);
                });
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            auto* speed = qobject_cast<TSpeedButton*>(button);
            QString text = speed ? TSpeedButton::ShortHint(speed->Hint()) : button->toolTip();
            if (button->icon().isNull() && !button->text().isEmpty()) text += QStringLiteral(": ") + button->text();
            QAction* item = menu->addAction(button->icon(), text);
            item->setEnabled(button->isEnabled());
            item->setCheckable(button->isCheckable());
            item->setChecked(button->isChecked());
            connect(item, &QAction::triggered, button, [button] { button->click(); });
        }
    }
}

// ---- controls by name

QWidget* TMaster::Control(const char* name) const { return findChild<QWidget*>(QString::fromLatin1(name)); }

QAction* TMaster::MenuItem(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }

TSpeedButton* TMaster::Button(const char* name) const { return findChild<TSpeedButton*>(QString::fromLatin1(name)); }

QString TMaster::FontPreviewText() const { return Control("cbFontName")->property("PreviewText").toString(); }

void TMaster::MarkPending(QObject* object) {
    object->setProperty(kPendingProperty, true);
    if (auto* w = qobject_cast<QWidget*>(object)) w->setEnabled(false);
    if (auto* a = qobject_cast<QAction*>(object)) a->setEnabled(false);
}

bool TMaster::IsPending(const QObject* object) { return object->property(kPendingProperty).toBool(); }

void TMaster::SetControlEnabled(QWidget* control, bool enabled) {
    if (control) control->setEnabled(enabled && !IsPending(control));
}

void TMaster::SetItemEnabled(QAction* item, bool enabled) {
    if (item) item->setEnabled(enabled && !IsPending(item));
}

// ---- localization

void TMaster::BeforeLocalize() {
    // Menu items have no hints of their own: their tool tips follow their texts.
    for (QAction* action : findChildren<QAction*>())
        if (!action->objectName().isEmpty()) Localizer().AddExportExclusion(SectionName(), action->objectName(), QStringLiteral("Hint"));
}

void TMaster::AfterLocalize() {
    TLocalizerMainWindow::AfterLocalize();
    const int language = Localizer().LanguageIndex();
    const QString suffix = QString::fromLatin1(StyleGlyphSuffix(language));
    auto glyph = [&](const char* name, const char* base) {
        Button(name)->setIcon(QIcon(QStringLiteral(":/icons/") + QString::fromLatin1(base) + suffix + QStringLiteral(".svg")));
    };
    glyph("cmdFett", "fett");
    glyph("cmdKursiv", "kursiv");
    glyph("cmdUnderline", "underline");
    Control("cbFontName")->setProperty("PreviewText", language == 0 ? QStringLiteral("Franz jagt im komplett ...")
                                                                      : QStringLiteral("AaBbYyZz 123"));
    SetLanguageDependentItems();
    ShowHelpPageInLanguage();
    // The numbers of the grid step and pen width lists follow the language;
    // other numbers keep the user's format.
    findChild<TZRRastenButton2*>(QStringLiteral("RastenBtn"))->SetLocale(Localizer().LanguageLocale());
    findChild<TZRPenWidthButton*>(QStringLiteral("ZRPenWidthButton1"))->SetLocale(Localizer().LanguageLocale());
    // The language's texts of the recent-file items are only their numbers.
    if (recentFiles_) recentFiles_->UpdateMenu();
    const QList<QAction*> languages = languageGroup_->actions();
    if (language < languages.size()) languages[language]->setChecked(true);
    statusBar_->SetSimpleText(QString());
    RetextDocumentWindowMenus();
}

// Qt names the items of a document window's own window menu once, when it
// makes the window; a language switch names them again in Qt's words.
void TMaster::RetextDocumentWindowMenus() {
    static const char* const kItems[] = {"&Restore", "&Move", "&Size", "Mi&nimize", "Ma&ximize", "Stay on &Top", "&Close"};
    for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
        QMenu* menu = sub->systemMenu();
        if (!menu) continue;
        size_t item = 0;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) continue;
            if (item == std::size(kItems)) break;
            action->setText(QCoreApplication::translate("QMdiSubWindow", kItems[item++]));
        }
    }
}

void TMaster::SetCaption(const QString& caption) {
    caption_ = caption;
    SetApplicationTitle(caption);
    setWindowTitle(caption);  // a maximized document window adds itself
}

void TMaster::ShowGridStep() { findChild<TZRRastenButton2*>(QStringLiteral("RastenBtn"))->SetGitterWeite(gitterWeite_); }

void TMaster::SetLanguageDependentItems() {
    const int language = Localizer().LanguageIndex();
    MenuItem("mnuAnleitung")->setVisible(language <= 2);
    MenuItem("mnuUeberKroxa")->setVisible(language <= 3);
}

void TMaster::mnuSpracheClick(QAction* sender) {
    if (!sender) return;
    if (sender == mnuSprache_->menuAction()) {
        for (QAction* item : languageGroup_->actions())
            item->setVisible(Localizer().IsLanguageAvailable(item->property("Tag").toInt()));
        return;
    }
    const int language = sender->property("Tag").toInt();
    Localizer().SetLanguage(language);
    if (Localizer().LanguageIndex() != language) return;  // not available: the localizer said so
    sender->setChecked(true);
    Settings().WriteInteger("", "Sprache", language);
}

// ---- documents and commands

int TMaster::DocumentCount() const { return static_cast<int>(mdiArea_->subWindowList().size()); }

TMasterChild* TMaster::ActiveDocument() const {
    QMdiSubWindow* sub = mdiArea_->currentSubWindow();
    if (!sub) {
        const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::ActivationHistoryOrder);
        if (windows.isEmpty()) return nullptr;
        sub = windows.last();
    }
    return dynamic_cast<TMasterChild*>(sub->widget());
}

QList<TMasterChild*> TMaster::Documents() const {
    QList<TMasterChild*> documents;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (auto* doc = dynamic_cast<TMasterChild*>(sub->widget())) documents << doc;
    return documents;
}

QMdiSubWindow* TMaster::AddDocumentWindow(QWidget* window) {
    QMdiSubWindow* sub = mdiArea_->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // The menus own the keys: the window menu's close would take Ctrl+W
    // ("Neu zeichnen") and Ctrl+F4 ("Schließen") from them.
    if (QMenu* systemMenu = sub->systemMenu())
        for (QAction* action : systemMenu->actions()) action->setShortcuts({});
    if (DocumentCount() == 1) {
        sub->showMaximized();
    } else {
        sub->show();
    }
    mdiArea_->setActiveSubWindow(sub);
    RequestToolStateRefresh();
    return sub;
}

// New and Open do nothing once the program is ending.
void TMaster::mnuNeuClick() {
    if (!ApplicationTerminating()) NewDocumentFromLabelType();
}

void TMaster::mnuOeffnenClick() {
    if (!ApplicationTerminating()) OpenDocumentFromDialog();
}

QString TMaster::BrandWebAddress(int language) {
    switch (language) {
    case 1: return QStringLiteral("https://www.kroxa.example/en/");
    case 2: return QStringLiteral("https://www.kroxa.example/fr/");
    case 3: return QStringLiteral("https://www.kroxa.example/it/");
    default: return QStringLiteral("https://www.kroxa.example/");
    }
}

void TMaster::cmdKroxaHomepageClick() {
    const QString address = BrandWebAddress(Localizer().LanguageIndex());
    if (!urlOpener_(QUrl(address))) ShowMessageBox(TMessageKind::Warning, LocalizedFormat("IDS_NOBROWSER", {address}), this);
}

void TMaster::ShowAboutBox() {
    TDlgInfo dialog(this);
    dialog.exec();
}

void TMaster::UpdateWindowMenu() {
    for (QAction* action : windowListActions_) {
        mnuFenster_->removeAction(action);
        delete action;
    }
    windowListActions_.clear();
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    if (windows.isEmpty()) return;
    windowListActions_ << mnuFenster_->addSeparator();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* sub = windows[i];
        QAction* item = mnuFenster_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(sub->windowTitle()));
        item->setCheckable(true);
        item->setChecked(sub == mdiArea_->currentSubWindow());
        connect(item, &QAction::triggered, this, [this, sub] { mdiArea_->setActiveSubWindow(sub); });
        windowListActions_ << item;
    }
}

// ---- tool state and application events

void TMaster::RequestToolStateRefresh() {
    if (ApplicationTerminating()) return;
    QCoreApplication::postEvent(this, new QEvent(RefreshToolStateEvent));
}

void TMaster::SetToolbarControlsEnabled(bool enabled) {
    for (QWidget* control : panToolbar_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control == overflow_[0] || control == overflow_[1]) continue;  // always open: their items decide
        SetControlEnabled(control, enabled);
    }
}

void TMaster::WMRefreshToolState() {
    if (closing_) return;
    if (DocumentCount() == 0) {
        for (QWidget* control : panWerkzeug_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) control->setEnabled(false);
        SetToolbarControlsEnabled(false);
        SetControlEnabled(Control("cmdNeu"), true);
        SetControlEnabled(Control("cmdOeffnen"), true);
        SetControlEnabled(Control("BtnHTMLHelp"), true);
    } else if (TMasterChild* document = ActiveDocument()) {
        for (QWidget* control : panWerkzeug_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) SetControlEnabled(control, true);
        const uint8_t mode = document->DrawMode();
        for (const TToolDownRule& rule : ToolDownRules()) {
            TSpeedButton* button = Button(rule.button);
            if (!button || (rule.onlyWhenVisible && button->isHidden())) continue;
            button->SetDown(mode == rule.mode);
        }
        document->UpdateFrameControls();
    }
    QWidget* brand = Control("cmdKroxaHomepage");
    SetControlEnabled(brand, true);
    brand->show();
}

void TMaster::UpdateDrawState(TSpeedButton* sender) {
    if (DocumentCount() == 0 || !sender) return;
    const std::optional<uint8_t> mode = DrawModeForTag(sender->Tag());
    if (!mode) return;
    if (TMasterChild* document = ActiveDocument()) document->SetDrawMode(*mode);
}

void TMaster::ApplicationIdle() {
    if (closing_) return;
    const bool documents = DocumentCount() > 0;
    for (QAction* action : documentActions_) action->setVisible(documents);
    databaseMenu_->setVisible(false);
}

void TMaster::SetStatusText(const QString& text) { statusBar_->SetSimpleText(QLatin1Char(' ') + text); }

QString TMaster::StatusText() const { return statusBar_->SimpleText(); }

void TMaster::DropFiles(const QStringList& paths) {
    for (const QString& path : paths) OpenDocument(path);
}

void TMaster::WMEnterSizeMove() { inSizeMove_ = true; }

void TMaster::WMExitSizeMove() {
    sizeMoveTimer_->stop();
    inSizeMove_ = false;
    InvalidateAllDocuments();
}

void TMaster::InvalidateAllDocuments() {
    for (TMasterChild* document : Documents()) document->InvalidateDrawing();
}

void TMaster::NoteSizeMoveActivity() {
    if (!created_ || !isVisible()) return;
    if (!inSizeMove_) WMEnterSizeMove();
    sizeMoveTimer_->start();
}

void TMaster::FocusActiveDocument() {
    QMdiSubWindow* sub = mdiArea_->currentSubWindow();
    if (!sub) return;
    try {
        mdiArea_->setActiveSubWindow(sub);
        sub->setEnabled(true);
        sub->show();
        if (sub->widget()) sub->widget()->setFocus();
    } catch (const Exception&) {
        // Focusing is a courtesy; a failure changes nothing for the user.
    }
}

// ---- events

bool TMaster::event(QEvent* event) {
    if (event->type() == RefreshToolStateEvent) {
        WMRefreshToolState();
        return true;
    }
    if (event->type() == QEvent::StatusTip) {
        SetStatusText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return TLocalizerMainWindow::event(event);
}

bool TMaster::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panToolbar_ && event->type() == QEvent::Resize) panToolbarResize();
    if (watched == panRight_ && event->type() == QEvent::Resize) panRightResize();
    if (watched == helpTitle_ && event->type() == QEvent::Resize) panHTMLHelpTitleResize();
    // Shift + click on the free palette: the window in the size of a small screen.
    if (watched == panWerkzeug_ && event->type() == QEvent::MouseButtonPress &&
        (static_cast<QMouseEvent*>(event)->modifiers() & Qt::ShiftModifier))
        resize(800, 600);
    return TLocalizerMainWindow::eventFilter(watched, event);
}

void TMaster::closeEvent(QCloseEvent* event) {
    for (TMasterChild* document : Documents()) {
        if (!document->CloseQuery()) {
            event->ignore();
            return;
        }
    }
    FormClose();
    event->accept();
}

void TMaster::moveEvent(QMoveEvent* event) {
    NoteSizeMoveActivity();
    TLocalizerMainWindow::moveEvent(event);
}

void TMaster::resizeEvent(QResizeEvent* event) {
    NoteSizeMoveActivity();
    TLocalizerMainWindow::resizeEvent(event);
}

void TMaster::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!data->hasUrls()) return;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void TMaster::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    event->acceptProposedAction();
    DropFiles(paths);
}
