// The main window's controls and menus with their German texts (the texts of
// other languages come from the language resources by the objects' names).

#include "app/Master.h"

#include "app/Child.h"
#include "app/DrawModes.h"
#include "app/SpeedButton.h"
#include "app/ToolState.h"
#include "app/ZRMenuSpacer.h"
#include "app/ZRStatusBar.h"
#include "controls/ColorToolbar.h"
#include "controls/QDXTBComboBox.h"
#include "controls/ZRColorPopupButton.h"
#include "controls/ZRPenWidthButton.h"
#include "controls/ZRRastenButton2.h"
#include "controls/ZRThemeManager.h"

#include <QtGui/QAction>
#include <QtGui/QActionGroup>
#include <QtGui/QIcon>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QToolButton>

namespace {

constexpr int kToolbarHeight = 57;
constexpr int kPaletteWidth = 29;
constexpr QSize kToolbarButton(24, 22);
constexpr QSize kPaletteButton(24, 24);
constexpr QSize kGridStepButton(60, 22);
constexpr QSize kSpacerVert(8, 22);
constexpr QSize kSpacerHorz(24, 8);
// The pen of new figures (the button itself starts at 0.18 mm).
constexpr double kMainWindowPenWidth = 0.1;

enum ItemFlags : unsigned {
    kBuilt = 1,       // the command works; otherwise the item stays disabled
    kHidden = 2,      // never shown
    kCheckable = 4,
    kChecked = 8,
    kSeparator = 16,
};

struct MenuItemDef {
    const char* name;
    const char* text;  // UTF-8
    const char* shortcut;
    const char* icon;
    unsigned flags;
};

QIcon Icon(const char* file) { return QIcon(QStringLiteral(":/icons/") + QString::fromLatin1(file)); }

QAction* AddItem(QMenu* menu, const MenuItemDef& def) {
    QAction* action = def.flags & kSeparator ? menu->addSeparator() : menu->addAction(QString::fromUtf8(def.text));
    if (def.name) action->setObjectName(QString::fromLatin1(def.name));
    if (def.shortcut) action->setShortcut(QKeySequence::fromString(QString::fromLatin1(def.shortcut), QKeySequence::PortableText));
    if (def.icon) action->setIcon(Icon(def.icon));
    if (def.flags & kCheckable) action->setCheckable(true);
    if (def.flags & kChecked) action->setChecked(true);
    if (def.flags & kHidden) action->setVisible(false);
    if (!(def.flags & (kBuilt | kSeparator))) TMaster::MarkPending(action);
    return action;
}

QMenu* AddMenu(QWidget* owner, QMenuBar* bar, const char* name, const char* title, std::initializer_list<MenuItemDef> items) {
    auto* menu = new QMenu(QString::fromUtf8(title), owner);
    menu->setObjectName(QString::fromLatin1(name));
    for (const MenuItemDef& def : items) AddItem(menu, def);
    bar->addMenu(menu);
    return menu;
}

constexpr MenuItemDef Sep(const char* name = nullptr, unsigned flags = 0) { return {name, nullptr, nullptr, nullptr, kSeparator | flags}; }

}  // namespace

TSpeedButton* TMaster::AddSpeedButton(QWidget* parent, const char* name, const char* icon, const QString& hint, QSize size) {
    auto* button = new TSpeedButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    if (icon) button->setIcon(Icon(icon));
    button->setIconSize(QSize(16, 16));
    button->setFixedSize(size);
    button->SetHint(hint);
    return button;
}

TZRMenuSpacer* TMaster::AddSpacer(QWidget* parent, const char* name, bool horizontal) {
    auto* spacer = new TZRMenuSpacer(parent, horizontal ? TZRSpacerOrientation::soHorz : TZRSpacerOrientation::soVert);
    spacer->setObjectName(QString::fromLatin1(name));
    spacer->setFixedSize(horizontal ? kSpacerHorz : kSpacerVert);
    return spacer;
}

TZRColorPopupButton* TMaster::AddColorButton(QWidget* parent, const char* name, TColorButtonStyle style, int32_t color,
                                             const QString& hint) {
    auto* button = new TZRColorPopupButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->SetColorButtonStyle(style);
    button->SetColor(color);
    button->SetHint(hint);
    return button;
}

QList<QWidget*> TMaster::ControlList(std::initializer_list<const char*> names) const {
    QList<QWidget*> list;
    for (const char* name : names) list << Control(name);
    return list;
}

void TMaster::BuildWindow() {
    SetCaption(QStringLiteral("Kroxa Zorbit-Software"));
    setWindowIcon(Icon("zorbit.svg"));
    resize(857, 596);
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("panClient"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    panToolbar_ = new QWidget(central);
    panToolbar_->setObjectName(QStringLiteral("panToolbar"));
    panToolbar_->setFixedHeight(kToolbarHeight);
    panToolbar_->installEventFilter(this);
    column->addWidget(panToolbar_);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    column->addLayout(row, 1);
    panWerkzeug_ = new QWidget(central);
    panWerkzeug_->setObjectName(QStringLiteral("panWerkzeug"));
    panWerkzeug_->setFixedWidth(kPaletteWidth);
    panWerkzeug_->installEventFilter(this);
    row->addWidget(panWerkzeug_);
    mdiArea_ = new QMdiArea(central);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    mdiArea_->setBackground(palette().brush(QPalette::Dark));
    row->addWidget(mdiArea_, 1);
    panRight_ = new QWidget(central);
    panRight_->setObjectName(QStringLiteral("panRight"));
    row->addWidget(panRight_);
    setCentralWidget(central);

    BuildMenus();
    BuildToolbar();
    BuildToolPalette();
    BuildRightPanel();
    BuildStatusBar();
    // Themes every window and control; every control may be themed.
    auto* themeManager = new TZRThemeManager(this);
    themeManager->setObjectName(QStringLiteral("ThemeManager1"));
    themeManager->OnAllowSubclassing = [](TZRThemeManager*, QWidget*, bool&) {};
    ConnectDocumentCommands();
    ConnectCommands();
}

void TMaster::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MasterMenu"));
    AddMenu(this, bar, "mnuDatei", "&Datei",
            {
                {"mnuNeu", "&Neu...", "Ctrl+N", "neu.svg", kBuilt},
                {"mnuOeffnen", "&Öffnen...", "Ctrl+O", "oeffnen.svg", kBuilt},
                {"mnuSpeichern", "&Speichern", "Ctrl+S", "speichern.svg", kBuilt},
                {"mnuSpeichernUnter", "Speichern &unter...", nullptr, "speichernunter.svg", kBuilt},
                {"mnuSpeichernVorlage", "Speichern als &Vorlage ...", nullptr, nullptr, kBuilt | kHidden},
                {"mnuSchliessen", "Sch&ließen", "Ctrl+F4", "schliessen.svg", kBuilt},
                {"mnuVorlagenVerwalten", "V&orlagen verwalten ...", nullptr, nullptr, kBuilt | kHidden},
                Sep("mnuExportTrenn"),
                {"mnuExport", "E&xport...", nullptr, "export.svg", kBuilt},
                Sep("mnuDruckTrenn"),
                {"mnuDrucken", "&Drucken...", "Ctrl+P", "drucken.svg", kBuilt},
                {"mnuDruckereinrichtung", "Drucker&einrichtung...", nullptr, "druckereinrichtung.svg", kBuilt},
                {"mnuDruckposition", "Druck&position...", nullptr, "druckposition.svg", kBuilt},
                Sep("mnuBeendenTrenn"),
                {"mnuBeenden", "&Beenden", "Alt+F4", "beenden.svg", kBuilt},
                Sep("mnuSepLD", kHidden),
                {"mnuLD1", "&1 ", nullptr, nullptr, kBuilt | kHidden},
                {"mnuLD2", "&2 ", nullptr, nullptr, kBuilt | kHidden},
                {"mnuLD3", "&3 ", nullptr, nullptr, kBuilt | kHidden},
                {"mnuLD4", "&4 ", nullptr, nullptr, kBuilt | kHidden},
            });
    AddMenu(this, bar, "mnuBearbeiten", "&Bearbeiten",
            {
                {"mnuRueckgaengig", "Rückgängig", "Ctrl+Z", "zurueck.svg", kBuilt},
                Sep(),
                {"mnuAusschneiden", "&Ausschneiden", "Ctrl+X", "ausschneiden.svg", kBuilt},
                {"mnuKopieren", "&Kopieren", "Ctrl+C", "kopieren.svg", kBuilt},
                {"mnuEinfuegen", "&Einfügen", "Ctrl+V", "einfuegen.svg", kBuilt},
                {"mnuLoeschen", "&Löschen", "Del", "loeschen.svg", kBuilt},
                Sep(),
                {"mnuAusrichten", "Elemente ausrichten...", "Shift+Ctrl+A", "ausrichten.svg", kBuilt},
                {"mnuAllesAuswaehlen", "A&lles auswählen", "Ctrl+A", "allesauswaehlen.svg", kBuilt},
                {"mnuNeuZeichnen", "Neu zeichnen", "Ctrl+W", "neuzeichnen.svg", kBuilt},
                Sep(),
                {"mnuEinsNachVorne", "Eins nach v&orne", "Ctrl+PgUp", "einsnachvorn.svg", kBuilt},
                {"mnuNachVorne", "Nach &vorne setzen", "Shift+PgUp", "ganznachvorn.svg", kBuilt},
                {"mnuEinsNachHinten", "Eins nach h&inten", "Ctrl+PgDown", "einsnachhinten.svg", kBuilt},
                {"mnuNachHinten", "Nach &hinten setzen", "Shift+PgDown", "ganznachhinten.svg", kBuilt},
                Sep(),
                {"mnuEtikettUmbenennen", "Design &umbenennen...", "Ctrl+E", "etikettumbenennen.svg", kBuilt},
                {"mnuGruppieren", "Gruppieren", "Ctrl+G", "gruppieren.svg", kBuilt},
                {"mnuUnGroup", "Gruppierung aufheben", "Ctrl+U", "ungroup.svg", kBuilt},
                Sep("mnuGespiegeltSep", kHidden),
                {"mnuBildEinfuegen", "Bild einfügen", nullptr, "raruvir.svg", kBuilt | kHidden},
            });
    QMenu* view = AddMenu(this, bar, "mnuAnsicht", "&Ansicht",
                          {
                              {"mnuAnsichtOriginal", "Originalgröße", nullptr, "ansichtoriginal.svg", kBuilt},
                              {"mnuAnsichtEtikettenbreite", "Vorlagenbreite", nullptr, "ansichtetikettenbreite.svg", kBuilt},
                              {"mnuAnsichtEtikettenHoehe", "Vorlagenhöhe", nullptr, "ansichtetikettenhoehe.svg", kBuilt},
                              {"mnuAnsichtGanz", "Ganze Vorlage", "Shift+F4", "ansichtganz.svg", kBuilt},
                              {"mnuAnsichtZoomAlleObjekte", "Auf alle Objekte zoomen", "F4", "ansichtzoomalleobjekte.svg", kBuilt},
                              {"mnuAnsichtZoomAuswahl", "Auf Auswahl zoomen", "Shift+F2", "ansichtzoomauswahl.svg", kBuilt},
                          });
    auto* zoom = new QMenu(QStringLiteral("Zoom"), this);
    zoom->setObjectName(QStringLiteral("mnuAnsichtZoom"));
    zoom->setIcon(Icon("ansichtzoom.svg"));
    for (const MenuItemDef& def : {MenuItemDef{"mnuAnsicht050", "50%", nullptr, nullptr, kBuilt}, MenuItemDef{"mnuAnsicht075", "75%", nullptr, nullptr, kBuilt},
                                   MenuItemDef{"mnuAnsicht100", "100%", nullptr, nullptr, kBuilt}, MenuItemDef{"mnuAnsicht150", "150%", nullptr, nullptr, kBuilt},
                                   MenuItemDef{"mnuAnsicht200", "200%", nullptr, nullptr, kBuilt}, MenuItemDef{"mnuAnsicht400", "400%", nullptr, nullptr, kBuilt}})
        AddItem(zoom, def);
    view->addMenu(zoom);
    for (const MenuItemDef& def : {
             Sep(),
             MenuItemDef{"mnuVerwendungshinweis", "Verwendungshinweis", nullptr, nullptr, kBuilt | kHidden | kCheckable},
             MenuItemDef{"mnuAnsichtDruckrand", "Druckerränder", nullptr, "druckerrand.svg", kBuilt | kCheckable},
             MenuItemDef{"mnuAnsichtGitter", "Gitter", nullptr, "gitter.svg", kBuilt | kCheckable},
             Sep("mnuClipRingSep", kHidden),
             MenuItemDef{"mnuClipRing", "Etiketten abgrenzen", nullptr, "clipring.svg", kBuilt | kHidden | kCheckable | kChecked},
             MenuItemDef{"mnuBogenRueckseite", "Bogenrückseite anzeigen", nullptr, "bogenrueckseite.svg", kBuilt | kHidden | kCheckable},
             MenuItemDef{"mnuBogenGedreht", "Bogen gedreht anzeigen", nullptr, "bogengedreht.svg", kBuilt | kHidden | kCheckable},
             Sep(),
             MenuItemDef{"mnuOffscreenBMP", "Im Hintergrund zeichnen", nullptr, "offscreenbmp.svg", kBuilt | kCheckable | kChecked},
         })
        AddItem(view, def);
    AddMenu(this, bar, "mnuFormat", "&Format",
            {
                {"mnuFormatGroesse", "Größe und Position...", nullptr, "formatgroesse.svg", kBuilt},
                {"mnuFormatStiftfarbe", "Stiftfarbe...", nullptr, "formatstiftfarbe.svg", kBuilt},
                {"mnuFormatStiftdicke", "Stiftdicke...", nullptr, "formatstiftdicke.svg", kBuilt},
                {"mnuFormatPinsel", "Füllung...", nullptr, "formatpinsel.svg", kBuilt},
                {"mnuFormatText", "Text...", "Ctrl+T", "formattext.svg", kBuilt},
                {"mnuFormatFont", "Schrift...", "Ctrl+F", "formatfont.svg", kBuilt},
                {"mnuFormatAusrichtung", "Ausrichtung...", nullptr, "formatausrichtung.svg", kBuilt},
                {"mnuFormatFeld", "Feld...", nullptr, "fieldtext.svg", kBuilt},
                {"mnuFormatEigenschaften", "Eigenschaften...", "Alt+Return", "formateigenschaften.svg", kBuilt},
                Sep(),
                {"mnuEtikettentyp", "Etikettentyp...", "Ctrl+Q", "etikettentyp.svg", kBuilt},
                Sep("N6", kHidden),
                {"mnuGitter", "Gitter...", nullptr, nullptr, kHidden},
            });
    QMenu* fields = AddMenu(this, bar, "mnuFelder", "Fe&lder",
                            {
                                {"mnuFelderBearbeiten", "&Bearbeiten", "Ctrl+B", "fieldtext.svg", kBuilt},
                                {"mnuFeldlisteAnzeigen", "Feldliste anzeigen", nullptr, "feldliste.svg", kBuilt | kCheckable | kChecked},
                                {"mnuFeldnamenAnzeigen", "Feldnamen anzeigen", nullptr, nullptr, kBuilt | kCheckable},
                            });
    fields->menuAction()->setVisible(false);
    QMenu* database = AddMenu(this, bar, "mnuDatenbank", "Datenbank",
                              {
                                  {"mnuDatenbankOeffnen", "Datenbank öffnen...", nullptr, nullptr, kBuilt},
                                  {"mnuDatenbankSchliessen", "Datenbank schließen", nullptr, nullptr, kBuilt},
                                  {"mnuDatenFiltern", "Daten filtern...", nullptr, nullptr, kBuilt},
                              });
    database->menuAction()->setVisible(false);

    mnuSprache_ = AddMenu(this, bar, "mnuSprache", "Sprache", {});
    languageGroup_ = new QActionGroup(this);
    languageGroup_->setExclusive(true);
    static const char* const kLanguageItems[][2] = {
        {"mnuSpracheDeutsch", "Deutsch"},        {"mnuSpracheEnglisch", "English"},      {"mnuSpracheFranzoesisch", "Français"},
        {"mnuSpracheItalienisch", "Italiano"},   {"mnuSpracheSpanisch", "Español"},      {"mnuSprachePortugisisch", "Português"},
        {"mnuSprachePolnisch", "Polski"},        {"mnuSpracheUngarisch", "Magyar"},      {"mnuSpracheTschechisch", "Čeština"},
        {"mnuSpracheHollaendisch", "Nederlands"}, {"mnuSpracheFinnisch", "Suomi"},       {"mnuSpracheKroatisch", "Hrvatski"},
        {"mnuSpracheSerbisch", "Srpski"},        {"mnuSpracheRumaenisch", "Română"},     {"mnuSpracheGriechisch", "Ελληνικά"},
        {"mnuSpracheRussisch", "Русский"},       {"mnuSpracheSchweden", "Svenska"},      {"mnuSpracheNorwegen", "Norsk"},
        {"mnuSpracheDaenemark", "Dansk"},        {"mnuSpracheSlowenien", "Slovenščina"}, {"mnuSpracheSlowakei", "Slovenčina"},
        {"mnuSpracheTuerkei", "Türkçe"},
    };
    for (int index = 0; index < static_cast<int>(std::size(kLanguageItems)); ++index) {
        QAction* item = AddItem(mnuSprache_, {kLanguageItems[index][0], kLanguageItems[index][1], nullptr, nullptr, kBuilt | kCheckable});
        item->setProperty("Tag", index);
        item->setActionGroup(languageGroup_);
        connect(item, &QAction::triggered, this, [this, item] { mnuSpracheClick(item); });
    }
    connect(mnuSprache_, &QMenu::aboutToShow, this, [this] { mnuSpracheClick(mnuSprache_->menuAction()); });

    mnuFenster_ = AddMenu(this, bar, "mnuFenster", "&Fenster",
                          {
                              {"mnuUebereinander", "&Übereinander", nullptr, "uebereinander.svg", kBuilt},
                              {"mnuNebeneinander", "&Nebeneinander", nullptr, "nebeneinander.svg", kBuilt},
                              {"mnuUeberlappend", "&Überlappend", nullptr, "ueberlappend.svg", kBuilt},
                              {"mnuSymboleanordnen", "&Symbole anordnen", nullptr, "symboleanordnen.svg", kBuilt},
                          });
    connect(mnuFenster_, &QMenu::aboutToShow, this, [this] { UpdateWindowMenu(); });

    AddMenu(this, bar, "mnuHilfe", "&Hilfe",
            {
                {"mnuAnleitung", "&Anleitung", nullptr, "anleitung.svg", kBuilt},
                {"mnuHandbuch", "Handbuch", nullptr, "anleitung.svg", kHidden},
                {"mnuAnleitungPDF", "Anleitung (PDF)", nullptr, "anleitung.svg", kHidden},
                {"mnuHilfeWizzard", "Interaktive Hilfe", nullptr, "htmlhelp.svg", kBuilt | kCheckable},
                {"mnuKroxaNuetzlicheTipps", "Nützliche Tipps", nullptr, nullptr, kBuilt},
                {"mnuKroxaKeineTippsAnzeigen", "Keine Tipps mehr anzeigen", nullptr, nullptr, kBuilt | kHidden | kCheckable},
                Sep("mnuKatalogTrenn", kHidden),
                // The language names the catalogue files ("KroxaKatalog"); none does so far.
                {"mnuKroxaVisitenkartenKatalog", "Visitenkarten-Katalog", nullptr, nullptr, kBuilt | kHidden},
                {"mnuKroxaVisitenkartenzubehoerKatalog", "Visitenkartenzubehör-Katalog", nullptr, nullptr, kBuilt | kHidden},
                {"mnuKroxaVisitenkartenAccesoires", "Visitenkarten-Accessoires", nullptr, nullptr, kBuilt | kHidden},
                {"mnuKroxaEtiketten", "Etiketten-Katalog", nullptr, nullptr, kBuilt | kHidden},
                {"mnuKroxaProspekthalter", "Prospekthalter-Katalog", nullptr, nullptr, kBuilt | kHidden},
                {"mnuKroxaWeihnachtsartikel", "Weihnachtsartikel-Katalog", nullptr, nullptr, kBuilt | kHidden},
                Sep(),
                {"mnuUeberKroxa", "Über Kroxa", nullptr, "weblink.svg", kBuilt},
                Sep(),
                {"mnuUeber", "&Über", nullptr, "ueber.svg", kBuilt},
            });
    QMenu* news = AddMenu(this, bar, "mnuKroxaNewsUpdates", "Aktuelle News und Updates", {});
    news->menuAction()->setVisible(false);

    connect(MenuItem("mnuNeu"), &QAction::triggered, this, [this] { mnuNeuClick(); });
    connect(MenuItem("mnuOeffnen"), &QAction::triggered, this, [this] { mnuOeffnenClick(); });
    connect(MenuItem("mnuBeenden"), &QAction::triggered, this, [this] { close(); });
    connect(MenuItem("mnuUeber"), &QAction::triggered, this, [this] {
        ShowAboutBox();
        WithActiveChild([](TChild& c) { c.mnuNeuZeichnenClick(); });
    });
    connect(MenuItem("mnuUeberKroxa"), &QAction::triggered, this, [this] { cmdKroxaHomepageClick(); });
}

void TMaster::BuildToolbar() {
    auto* top = new QFrame(panToolbar_);
    top->setObjectName(QStringLiteral("bvToolbar1"));
    top->setFrameShape(QFrame::HLine);
    top->setFrameShadow(QFrame::Sunken);
    top->setGeometry(0, 0, 4000, 2);
    auto* between = new QFrame(panToolbar_);
    between->setObjectName(QStringLiteral("bvToolbar2"));
    between->setFrameShape(QFrame::HLine);
    between->setFrameShadow(QFrame::Sunken);
    between->setGeometry(0, 29, 800, 2);

    QWidget* bar = panToolbar_;
    AddSpeedButton(bar, "cmdNeu", "neu.svg", QStringLiteral("Neu|Neue Etikettendatei anlegen"), kToolbarButton);
    AddSpeedButton(bar, "cmdOeffnen", "oeffnen.svg", QStringLiteral("Öffnen|Etikettendatei öffnen"), kToolbarButton);
    AddSpeedButton(bar, "cmdSpeichern", "speichern.svg", QStringLiteral("Speichern|Etikettendatei speichern"), kToolbarButton);
    AddSpacer(bar, "ZRMenuSpacer1", false);
    AddSpeedButton(bar, "cmdDrucken", "drucken.svg", QStringLiteral("Drucken|Etiketten drucken"), kToolbarButton);
    AddSpacer(bar, "ZRMenuSpacer2", false);
    AddSpeedButton(bar, "cmdAusschneiden", "ausschneiden.svg", QStringLiteral("Ausschneiden|Markierte Elemente ausschneiden"), kToolbarButton);
    AddSpeedButton(bar, "cmdKopieren", "kopieren.svg", QStringLiteral("Kopieren|Markierte Elemente in die Zwischenablage kopieren"), kToolbarButton);
    AddSpeedButton(bar, "cmdEinfuegen", "einfuegen.svg", QStringLiteral("Einfügen|Elemente aus der Zwischenablage einfügen"), kToolbarButton);
    AddSpacer(bar, "ZRMenuSpacer3", false);
    AddSpeedButton(bar, "cmdZurueck", "zurueck.svg", QStringLiteral("Rückgängig|Die letzte Änderung rückgängig machen"), kToolbarButton);
    AddSpacer(bar, "ZRMenuSpacer13", false);
    AddSpeedButton(bar, "cmdZoomIn", "zoomin.svg", QStringLiteral("Vergrößern|Die Ansicht vergrößern"), kToolbarButton);
    AddSpeedButton(bar, "cmdZoomOut", "zoomout.svg", QStringLiteral("Verkleinern|Die Ansicht verkleinern"), kToolbarButton);
    AddSpacer(bar, "ZRMenuSpacer4", false);
    TSpeedButton* margins = AddSpeedButton(bar, "cmdDruckerrand", "druckerrand.svg", QStringLiteral("Druckerränder|Die Druckerränder anzeigen"), kToolbarButton);
    margins->SetGroupIndex(6);
    margins->SetAllowAllUp(true);
    TSpeedButton* grid = AddSpeedButton(bar, "cmdGitter", "gitter.svg", QStringLiteral("Gitter|Das Gitter anzeigen"), kToolbarButton);
    grid->SetGroupIndex(7);
    grid->SetAllowAllUp(true);
    AddSpacer(bar, "ZRMenuSpacer14", false);
    auto* step = new TZRRastenButton2(bar, kGridStepButton);
    step->setObjectName(QStringLiteral("RastenBtn"));
    step->SetHint(QStringLiteral("Rasterweite|Die Rasterweite wählen"));
    AddSpacer(bar, "ZRMenuSpacer5", false);
    AddColorButton(bar, "colpopPen", cbsPen, kDefaultPenColor, QStringLiteral("Stiftfarbe|Die Stiftfarbe der markierten Elemente"));
    auto* penWidth = new TZRPenWidthButton(bar);
    penWidth->setObjectName(QStringLiteral("ZRPenWidthButton1"));
    penWidth->SetPenWidth(kMainWindowPenWidth);
    penWidth->SetHint(QStringLiteral("Stiftdicke|Die Stiftdicke der markierten Elemente"));
    AddSpacer(bar, "ZRMenuSpacer6", false);
    AddColorButton(bar, "colpopBrush", cbsBrush, kDefaultFillColor, QStringLiteral("Füllung|Die Füllfarbe der markierten Elemente"));
    AddSpacer(bar, "ZRMenuSpacer7", false);
    TSpeedButton* clipRing = AddSpeedButton(bar, "cmdClipRing", "clipring.svg", QStringLiteral("Etiketten abgrenzen|Elemente an den Etikettengrenzen abschneiden"), kToolbarButton);
    clipRing->SetGroupIndex(9);
    clipRing->SetAllowAllUp(true);
    clipRing->hide();
    TSpeedButton* fieldList = AddSpeedButton(bar, "cmdFeldliste", "feldliste.svg", QStringLiteral("Feldliste|Die Feldliste anzeigen"), kToolbarButton);
    fieldList->SetGroupIndex(8);
    fieldList->SetAllowAllUp(true);
    fieldList->hide();
    TSpeedButton* help = AddSpeedButton(bar, "BtnHTMLHelp", "htmlhelp.svg", QStringLiteral("Interaktive Hilfe|Die Hilfe am rechten Rand anzeigen"), kToolbarButton);
    help->SetGroupIndex(10);
    help->SetAllowAllUp(true);
    TSpeedButton* brand = AddSpeedButton(bar, "cmdKroxaHomepage", "kroxahomepage.svg", QStringLiteral("Kroxa im Internet|Die Internetseite von Kroxa öffnen"), QSize(64, 48));
    brand->setIconSize(QSize(64, 48));
    brand->setCursor(Qt::PointingHandCursor);
    brand->move(0, 4);

    // Second row.
    auto* fontName = new TQDXTBFontComboBox(bar);
    fontName->setObjectName(QStringLiteral("cbFontName"));
    fontName->setFixedSize(152, 22);
    fontName->setToolTip(QStringLiteral("Schriftart"));
    auto* fontSize = new TQDXTBComboBox(bar);
    fontSize->setObjectName(QStringLiteral("cbFontSize"));
    fontSize->setFixedSize(44, 22);
    fontSize->setEditable(true);
    QStringList sizes;
    for (int s = 2; s <= 12; ++s) sizes << QString::number(s);
    for (int s = 14; s <= 36; s += 2) sizes << QString::number(s);
    for (int s = 40; s <= 64; s += 4) sizes << QString::number(s);
    sizes << QStringLiteral("72") << QStringLiteral("80") << QStringLiteral("88") << QStringLiteral("96");
    fontSize->addItems(sizes);
    fontSize->setToolTip(QStringLiteral("Schriftgröße"));
    AddSpacer(bar, "ZRMenuSpacer8", false);
    AddColorButton(bar, "colpopFont", cbsFont, kDefaultFontColor, QStringLiteral("Schriftfarbe|Die Schriftfarbe der markierten Texte"));
    AddSpacer(bar, "ZRMenuSpacer9", false);
    struct StyleButton {
        const char* name;
        const char* hint;
        int group;
        bool allowAllUp;
    };
    const StyleButton styleButtons[] = {
        {"cmdFett", "Fett|Die markierten Texte fett setzen", 3, true},
        {"cmdKursiv", "Kursiv|Die markierten Texte kursiv setzen", 4, true},
        {"cmdUnderline", "Unterstrichen|Die markierten Texte unterstreichen", 5, true},
        {"cmdHLeft", "Linksbündig|Den Text linksbündig ausrichten", 1, false},
        {"cmdHCenter", "Zentriert|Den Text zentriert ausrichten", 1, false},
        {"cmdHRight", "Rechtsbündig|Den Text rechtsbündig ausrichten", 1, false},
        {"cmdHFull", "Blocksatz|Den Text im Blocksatz ausrichten", 1, false},
        {"cmdVTop", "Oben|Den Text oben ausrichten", 2, false},
        {"cmdVCenter", "Mitte|Den Text vertikal zentrieren", 2, false},
        {"cmdVBottom", "Unten|Den Text unten ausrichten", 2, false},
    };
    for (const StyleButton& s : styleButtons) {
        const QByteArray icon = QByteArray(s.name + 3).toLower() + ".svg";
        TSpeedButton* b = AddSpeedButton(bar, s.name, icon.constData(), QString::fromUtf8(s.hint), kToolbarButton);
        b->SetGroupIndex(s.group);
        b->SetAllowAllUp(s.allowAllUp);
        if (qstrcmp(s.name, "cmdUnderline") == 0) AddSpacer(bar, "ZRMenuSpacer10", false);
        if (qstrcmp(s.name, "cmdHFull") == 0) AddSpacer(bar, "ZRMenuSpacer11", false);
        if (qstrcmp(s.name, "cmdVBottom") == 0) AddSpacer(bar, "ZRMenuSpacer15", false);
    }
    Button("cmdHLeft")->SetDown(true);
    Button("cmdVTop")->SetDown(true);
    AddSpeedButton(bar, "cmdEinsNachHinten", "einsnachhinten.svg", QStringLiteral("Eins nach hinten|Die markierten Elemente eine Ebene nach hinten setzen"), kToolbarButton);
    AddSpeedButton(bar, "cmdGanzNachHinten", "ganznachhinten.svg", QStringLiteral("Ganz nach hinten|Die markierten Elemente ganz nach hinten setzen"), kToolbarButton);
    AddSpeedButton(bar, "cmdGanzNachVorn", "ganznachvorn.svg", QStringLiteral("Ganz nach vorne|Die markierten Elemente ganz nach vorne setzen"), kToolbarButton);
    AddSpeedButton(bar, "cmdEinsNachVorn", "einsnachvorn.svg", QStringLiteral("Eins nach vorne|Die markierten Elemente eine Ebene nach vorne setzen"), kToolbarButton);
    AddSpacer(bar, "ZRMenuSpacer12", false);

    BuildToolbarOverflow();

    connect(Button("cmdNeu"), &QToolButton::clicked, this, [this] { mnuNeuClick(); });
    connect(Button("cmdOeffnen"), &QToolButton::clicked, this, [this] { mnuOeffnenClick(); });
    connect(Button("cmdKroxaHomepage"), &QToolButton::clicked, this, [this] { cmdKroxaHomepageClick(); });
    for (const char* name : {"cmdDruckerrand", "cmdGitter"})
        connect(Button(name), &QToolButton::clicked, this, [this] { ViewButtonsChanged(); });
}

void TMaster::BuildToolPalette() {
    struct Tool {
        const char* name;
        int tag;
        const char* icon;
        const char* hint;
        bool shown;
    };
    // The hidden tools keep their numbers; creation hides some more.
    const Tool tools[] = {
        {"cmdPfeil", 1, "pfeil.svg", "Auswahl|Elemente auswählen", true},
        {"cmdZoomRect", 11, "zoomrect.svg", "Zoom auf Ausschnitt (Strg drücken -> verkleinern)", true},
        {"cmdLinie", 2, "linie.svg", "Linie|Linien erzeugen", true},
        {"cmdRechteck", 3, "rechteck.svg", "Rechteck|Rechtecke und Quadrate erzeugen", true},
        {"cmdKreis", 4, "kreis.svg", "Ellipse|Ellipsen und Kreise erzeugen", true},
        {"cmdAutoForm", 0, "autoform.svg", "Autoform|Autoformen einfügen", true},
        {"cmdRTF", 14, "rtf.svg", "Text|Statisches Textfeld einfügen", true},
        {"cmdRTFTabelle", 22, "rtftabelle.svg", "Tabelle einfügen", false},
        {"cmdWordart", 16, "wordart.svg", "Text mit Effekt", false},
        {"cmdRotateText", 9, "rotatetext.svg", "Rundtext|Rundes Textfeld einfügen", false},
        {"cmdSymbol", 19, "symbol.svg", "Symbol", false},
        {"cmdZaehlerfeld", 23, "zaehlerfeld.svg", "Zählerfeld", false},
        {"cmdRaruvir", 18, "raruvir.svg", "Bild einfügen", true},
        {"cmdBarcode", 17, "barcode.svg", "Barcode", true},
        {"cmdDirOutline", 10, "diroutline.svg", "Verzeichnisstruktur|Verzeichnisstruktur einfügen", false},
        {"cmdTrackTabelle", 20, "tracktabelle.svg", "Titeltabelle", true},
        {"cmdClipart", 21, "clipart.svg", "Clipart", false},
        {"cmdClipartTavolux", 21, "cliparttavolux.svg", "Vudoredudad einfügen", false},
        {"cmdIndexPrint", 24, "indexprint.svg", "Indexprint", false},
        {"cmdPicture", 8, "raruvir.svg", "Grafik|Bild (*.BMP oder *.WMF) einfügen", false},
        {"cmdText", 5, "text.svg", "Text|Statisches Textfeld einfügen", false},
        {"cmdFieldText", 12, "fieldtext.svg", "Feld|Variables Textfeld einfügen", false},
    };
    for (const Tool& t : tools) {
        TSpeedButton* b = AddSpeedButton(panWerkzeug_, t.name, t.icon, QString::fromUtf8(t.hint), kPaletteButton);
        b->SetTag(t.tag);
        b->SetGroupIndex(1);
        b->setVisible(t.shown);
        if (t.tag > 0) connect(b, &QToolButton::clicked, this, [this, b] { UpdateDrawState(b); });
        if (const std::optional<uint8_t> mode = DrawModeForTag(t.tag); mode && !DrawModeAvailable(*mode)) MarkPending(b);
    }
    // The auto-shape button opens its shape palette, which follows with the shapes.
    MarkPending(Button("cmdAutoForm"));
    Button("cmdPfeil")->SetDown(true);
    for (const char* name : {"msVert1", "msVert2", "msVert3"}) AddSpacer(panWerkzeug_, name, true);
    // Design places of the buttons that the palette does not stack.
    Button("cmdPicture")->move(2, 400);
    Button("cmdText")->move(2, 424);
    Button("cmdFieldText")->move(2, 448);
}

void TMaster::BuildRightPanel() {
    auto* strip = new TQDXColorToolbar(panRight_);
    strip->setObjectName(QStringLiteral("QDXColorToolbar1"));
    strip->setGeometry(0, 0, kColorStripWidth, TQDXColorToolbar::kCellCount * TQDXColorToolbar::kCellHeight + 1);
    strip->SetHint(QStringLiteral("Linke Maustaste - Füllung\nRechte Maustaste - Umriß\nStrg + linke Maustaste - Text"));
    BuildHelpPanel();
    panRight_->setFixedWidth(kColorStripWidth + 2);
}

void TMaster::BuildStatusBar() {
    statusBar_ = new TZRStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("ZRStatusBar1"));
    setStatusBar(statusBar_);
    // Hidden buttons on the status bar (template export and a spare one).
    auto* exportTemplate = new QPushButton(QStringLiteral("Vorlage exportieren"), statusBar_);
    exportTemplate->setObjectName(QStringLiteral("BtnVisiVorlage"));
    exportTemplate->hide();
    auto* spare = new QPushButton(QStringLiteral("Reserve"), statusBar_);
    spare->setObjectName(QStringLiteral("BtnVisiReserve"));
    spare->hide();
    MarkPending(spare);
}
