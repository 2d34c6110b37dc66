#include "MasterFixture.h"

#include "app/Application.h"
#include "app/FileInfo.h"
#include "app/SpeedButton.h"
#include "app/ToolState.h"
#include "app/ToolbarDefaults.h"
#include "app/ZRMenuSpacer.h"
#include "app/ZRStatusBar.h"
#include "controls/ZRPenWidthButton.h"
#include "controls/ZRRastenButton2.h"

#include "document/Stationery.h"
#include "document/widgets/DlgSelEtikett.h"
#include "figures/Rasten.h"
#include "foundation/Exceptions.h"
#include "foundation/GeneralHelpers.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtGui/QAction>
#include <QtGui/QCloseEvent>
#include <QtGui/QDragEnterEvent>
#include <QtGui/QDropEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenu>
#include <QtWidgets/QToolButton>

#include <map>

namespace {

QString GridStepCaption(const TMaster& m) { return m.findChild<TZRRastenButton2*>(QStringLiteral("RastenBtn"))->CaptionText(); }


QStringList EnabledControls(QWidget* panel) {
    QStringList names;
    for (QWidget* w : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isEnabled() && !w->isHidden() && !w->objectName().isEmpty()) names << w->objectName();
    names.sort();
    return names;
}

QStringList VisibleItems(QMenu* menu) {
    QStringList names;
    for (QAction* a : menu->actions())
        if (a->isVisible() && !a->isSeparator()) names << a->objectName();
    return names;
}

}  // namespace

TEST_F(MasterTest, WithoutADocumentOnlyNewAndOpenAreEnabled) {
    TMaster& m = CreateMaster();
    ReturnToLoop();
    // And the logo, which opens the maker's web site, and the help panel's
    // button (the overflow buttons of a narrow window are not commands of
    // their own).
    QStringList enabled = EnabledControls(m.ToolbarPanel());
    enabled.removeIf([](const QString& name) { return name.startsWith(QLatin1String("cmdWeitere")); });
    EXPECT_EQ(enabled, (QStringList{QStringLiteral("BtnHTMLHelp"), QStringLiteral("cmdKroxaHomepage"), QStringLiteral("cmdNeu"),
                                QStringLiteral("cmdOeffnen")}));
    EXPECT_TRUE(EnabledControls(m.ToolPalette()).isEmpty());
    EXPECT_TRUE(m.Control("cmdKroxaHomepage")->isVisibleTo(&m));
    EXPECT_TRUE(m.Control("BtnHTMLHelp")->isVisibleTo(&m));
    // The menus of a document are hidden; the File menu offers new, open and exit.
    for (const char* name : {"mnuBearbeiten", "mnuAnsicht", "mnuFormat", "mnuFenster", "mnuDatenbank", "mnuFelder"})
        EXPECT_FALSE(m.findChild<QMenu*>(QString::fromLatin1(name))->menuAction()->isVisible()) << name;
    EXPECT_EQ(VisibleItems(m.findChild<QMenu*>(QStringLiteral("mnuDatei"))),
              (QStringList{QStringLiteral("mnuNeu"), QStringLiteral("mnuOeffnen"), QStringLiteral("mnuBeenden")}));
    for (const char* name : {"mnuNeu", "mnuOeffnen", "mnuBeenden", "mnuUeber", "mnuUeberKroxa", "mnuOffscreenBMP", "mnuSpracheEnglisch"})
        EXPECT_TRUE(m.MenuItem(name)->isEnabled()) << name;
    // Commands that are not available yet stay disabled.
    EXPECT_FALSE(m.MenuItem("mnuSpeichern")->isEnabled());
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Kroxa Zorbit-Software"));
    EXPECT_TRUE(messages.empty());

    // A document enables the palette (but not the shape flyout, which is not there yet).
    AddDocument();
    m.ApplicationIdle();
    ReturnToLoop();
    EXPECT_TRUE(m.findChild<QMenu*>(QStringLiteral("mnuBearbeiten"))->menuAction()->isVisible());
    EXPECT_TRUE(m.MenuItem("mnuSpeichern")->isVisible());
    EXPECT_FALSE(m.findChild<QMenu*>(QStringLiteral("mnuDatenbank"))->menuAction()->isVisible());
    EXPECT_TRUE(m.Control("cmdLinie")->isEnabled());
    EXPECT_FALSE(m.Control("cmdAutoForm")->isEnabled());
}

TEST_F(MasterTest, NoPrinterEndsTheProgramAfterStartUp) {
    TMaster& m = CreateMaster(0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, TMessageKind::Error);
    EXPECT_EQ(messages[0].text, LocalizedText("IDS_NOPRINTER"));
    ASSERT_TRUE(App());
    EXPECT_TRUE(App()->Terminated());
    // New does nothing once the program is ending.
    const auto savedLabelTypeDialog = TMaster::LabelTypeDialog;
    int labelTypeDialogs = 0;
    TMaster::LabelTypeDialog = [&](bool, QWidget*) {
        ++labelTypeDialogs;
        return TLabelTypeChoice{};
    };
    m.mnuNeuClick();
    EXPECT_EQ(labelTypeDialogs, 0);
    App()->CancelTerminate();
    m.mnuNeuClick();
    EXPECT_EQ(labelTypeDialogs, 1);
    TMaster::LabelTypeDialog = savedLabelTypeDialog;
}

TEST_F(MasterTest, LanguageMenuOffersTheAllowedAndPresentLanguagesAndRetextsEverything) {
    TMaster& m = CreateMaster();
    QMenu* languages = m.findChild<QMenu*>(QStringLiteral("mnuSprache"));
    ASSERT_EQ(languages->actions().size(), 22);
    m.mnuSpracheClick(languages->menuAction());
    EXPECT_EQ(VisibleItems(languages), (QStringList{QStringLiteral("mnuSpracheDeutsch"), QStringLiteral("mnuSpracheEnglisch")}));
    EXPECT_TRUE(m.MenuItem("mnuSpracheDeutsch")->isChecked());

    auto snapshot = [&] {
        QStringList texts;
        for (QAction* a : m.findChildren<QAction*>())
            if (!a->objectName().isEmpty() && !a->isSeparator()) texts << a->objectName() + QLatin1Char('=') + a->text();
        for (QMenu* menu : m.findChildren<QMenu*>())
            if (!menu->objectName().isEmpty()) texts << menu->objectName() + QLatin1Char('=') + menu->title();
        for (TSpeedButton* b : m.findChildren<TSpeedButton*>()) texts << b->objectName() + QLatin1Char('=') + b->Hint();
        return texts;
    };
    const QStringList german = snapshot();
    m.SetStatusText(QStringLiteral("Etiketten drucken"));

    m.mnuSpracheClick(m.MenuItem("mnuSpracheEnglisch"));
    EXPECT_EQ(Localizer().LanguageIndex(), 1);
    EXPECT_EQ(Settings().ReadInteger("", "Sprache", -1), 1);
    EXPECT_TRUE(m.MenuItem("mnuSpracheEnglisch")->isChecked());
    EXPECT_EQ(m.findChild<QMenu*>(QStringLiteral("mnuDatei"))->title(), QStringLiteral("&File"));
    EXPECT_EQ(m.MenuItem("mnuBeenden")->text(), QStringLiteral("E&xit"));
    EXPECT_EQ(m.Button("cmdNeu")->toolTip(), QStringLiteral("New"));
    EXPECT_EQ(m.Button("cmdNeu")->statusTip(), QStringLiteral("Create a new label file"));
    EXPECT_EQ(m.FontPreviewText(), QStringLiteral("AaBbYyZz 123"));
    EXPECT_TRUE(m.StatusBar()->SimpleText().isEmpty());
    EXPECT_TRUE(m.MenuItem("mnuAnleitung")->isVisible());
    // Every text changed, except those that read the same in both languages.
    const QStringList english = snapshot();
    ASSERT_EQ(english.size(), german.size());
    QStringList same;
    for (qsizetype i = 0; i < german.size(); ++i)
        if (german[i] == english[i]) same << german[i].section(QLatin1Char('='), 0, 0);
    const QStringList sameInBoth = {QStringLiteral("mnuFormatText"), QStringLiteral("mnuFormatFont"),
                                    QStringLiteral("mnuExport"), QStringLiteral("cmdBarcode"), QStringLiteral("cmdSymbol"),
                                    QStringLiteral("cmdClipart"), QStringLiteral("cmdRTF"), QStringLiteral("cmdText")};
    for (const QString& name : same) {
        const bool expected = name.startsWith(QLatin1String("mnuSprache")) || name.startsWith(QLatin1String("mnuAnsicht")) ||
                              name.startsWith(QLatin1String("mnuLD")) || sameInBoth.contains(name);
        EXPECT_TRUE(expected) << name.toStdString();
    }

    m.mnuSpracheClick(m.MenuItem("mnuSpracheDeutsch"));
    EXPECT_EQ(snapshot(), german);
    EXPECT_EQ(m.FontPreviewText(), QStringLiteral("Franz jagt im komplett ..."));
}

TEST_F(MasterTest, ToolbarRowsLeaveNoGapsForHiddenControls) {
    TMaster& m = CreateMaster();
    const char* const firstRow[] = {"cmdNeu", "cmdOeffnen", "cmdSpeichern", "ZRMenuSpacer1", "cmdDrucken", "ZRMenuSpacer2",
                                    "cmdAusschneiden", "cmdKopieren", "cmdEinfuegen", "ZRMenuSpacer3", "cmdZurueck",
                                    "ZRMenuSpacer13", "cmdZoomIn", "cmdZoomOut", "ZRMenuSpacer4", "cmdDruckerrand", "cmdGitter",
                                    "ZRMenuSpacer14", "RastenBtn", "ZRMenuSpacer5", "colpopPen", "ZRPenWidthButton1",
                                    "ZRMenuSpacer6", "colpopBrush", "ZRMenuSpacer7"};
    int x = 4;
    for (const char* name : firstRow) {
        QWidget* w = m.Control(name);
        EXPECT_EQ(w->x(), x) << name;
        EXPECT_EQ(w->y(), 4) << name;
        x += w->width();
    }
    // Clip ring and field list are hidden: the help button follows the spacer directly.
    QWidget* help = m.Control("BtnHTMLHelp");
    EXPECT_EQ(help->x(), x);
    QWidget* clipRing = m.Control("cmdClipRing");
    clipRing->show();
    m.panToolbarResize();
    EXPECT_EQ(help->x(), x + clipRing->width());

    // The brand button keeps to the right edge, never over the second row.
    m.resize(1200, 700);
    m.show();
    ReturnToLoop();
    QWidget* brand = m.Control("cmdKroxaHomepage");
    EXPECT_EQ(brand->x(), m.ToolbarPanel()->width() - brand->width() - 4);
    m.ToolbarPanel()->resize(300, m.ToolbarPanel()->height());
    m.panToolbarResize();
    QWidget* last = m.Control("ZRMenuSpacer12");
    EXPECT_EQ(brand->x(), last->x() + last->width());
    EXPECT_EQ(m.Control("bvToolbar2")->width(), brand->x() - 4);

    // The palette stacks its visible buttons from the top.
    int y = 4;
    for (const char* name : {"cmdPfeil", "cmdZoomRect", "msVert1", "cmdLinie", "cmdRechteck", "cmdKreis", "msVert2", "cmdRTF",
                             "msVert3", "cmdRaruvir", "cmdBarcode"}) {
        QWidget* w = m.Control(name);
        EXPECT_FALSE(w->isHidden()) << name;
        EXPECT_EQ(w->pos(), QPoint(2, y)) << name;
        y += w->height();
    }
    for (const char* name : {"cmdAutoForm", "cmdWordart", "cmdSymbol", "cmdFieldText", "cmdText", "cmdPicture", "cmdClipart"})
        EXPECT_TRUE(m.Control(name)->isHidden()) << name;
    m.Control("cmdWordart")->show();
    m.ArrangeToolPalette();
    EXPECT_EQ(m.Control("cmdWordart")->y(), m.Control("cmdRTF")->y() + m.Control("cmdRTF")->height());
}

TEST_F(MasterTest, NoTwoVisibleToolbarControlsOverlapOnAnAddressOrACdSheet) {
    for (const char* part : {"L7160", "L7676"}) {
        SCOPED_TRACE(part);
        const TStationeryProduct* product = FindStationeryProduct("Avery", part);
        ASSERT_NE(product, nullptr);
        TEtikett sheet;
        AssignStationeryProduct(sheet, *product);
        OpenShownDocument(&sheet);
        master->resize(1400, 800);
        ReturnToLoop();
        const bool cd = sheet.ZoomRegions.HasClipRegion();
        QWidget* panel = master->ToolbarPanel();
        EXPECT_EQ(master->Control("cmdClipRing")->isVisibleTo(panel), cd);
        QList<QWidget*> controls;
        for (QWidget* w : panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (w->isVisibleTo(panel) && !qobject_cast<QFrame*>(w)) controls << w;
        ASSERT_GT(controls.size(), 40);
        for (int i = 0; i < controls.size(); ++i)
            for (int j = i + 1; j < controls.size(); ++j)
                EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                    << controls[i]->objectName().toStdString() << " over " << controls[j]->objectName().toStdString();
        master.reset();
    }
}

TEST_F(MasterTest, EveryMenuShortcutBelongsToOneCommandAndWorksOnce) {
    TChild& c = OpenShownDocument();
    OpenShownDocument();  // a second document window brings its own window actions
    // Every shortcut of the window, the document windows' own included, has
    // one owner, also after a language switch.
    for (const int language : {1, 0}) {
        std::map<QString, QStringList> owners;
        for (const QAction* action : master->findChildren<QAction*>())
            for (const QKeySequence& key : action->shortcuts())
                if (action->shortcutContext() != Qt::WidgetShortcut)
                    owners[key.toString(QKeySequence::PortableText)] << action->objectName() + u' ' + action->text();
        ASSERT_GT(owners.size(), 20u);
        for (const auto& [key, names] : owners)
            EXPECT_EQ(names.size(), 1) << key.toStdString() << ": " << names.join(", ").toStdString();
        Localizer().SetLanguage(language);
    }

    // Ctrl+W redraws, Ctrl+F4 closes the document, each once.
    QMdiSubWindow* sub = master->MdiArea()->subWindowList().front();
    ASSERT_EQ(sub->widget(), &c);
    master->MdiArea()->setActiveSubWindow(sub);
    master->ApplicationIdle();  // the document menus are shown when the loop rests
    QApplication::setActiveWindow(master.get());
    c.setFocus();
    int redraws = 0;
    QObject::connect(master->MenuItem("mnuNeuZeichnen"), &QAction::triggered, [&] { ++redraws; });
    QTest::keyClick(&c, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(redraws, 1);
    const int documents = master->DocumentCount();
    QTest::keyClick(&c, Qt::Key_F4, Qt::ControlModifier);
    ReturnToLoop();
    EXPECT_EQ(master->DocumentCount(), documents - 1);
}

TEST_F(MasterTest, TheFrameShowsTheProgramAndTheMaximizedDocumentAndNothingElse) {
    TChild& first = OpenShownDocument();
    TChild& second = OpenShownDocument();
    const auto title = [&] { return master->windowTitle(); };
    QMdiArea* area = master->MdiArea();
    EXPECT_EQ(title(), QStringLiteral("Kroxa Zorbit-Software - [Datei2.qem]"));
    area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first.parentWidget()));
    EXPECT_EQ(title(), QStringLiteral("Kroxa Zorbit-Software - [Datei1.qem]"));
    Localizer().SetLanguage(1);
    EXPECT_EQ(title(), QStringLiteral("Kroxa Zorbit Software - [Datei1.qem]"));
    area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(second.parentWidget()));
    EXPECT_EQ(title(), QStringLiteral("Kroxa Zorbit Software - [Datei2.qem]"));
    // The program's title names no document, and Qt adds nothing to the
    // captions of the windows (its display name would follow every caption).
    EXPECT_EQ(ApplicationTitle(), QStringLiteral("Kroxa Zorbit Software"));
    EXPECT_FALSE(QGuiApplication::applicationDisplayName().contains(QStringLiteral("Zorbit")));
    // The document windows' own window menus follow the language too.
    for (QMdiSubWindow* sub : area->subWindowList())
        EXPECT_EQ(sub->systemMenu()->actions().last()->text(), QStringLiteral("&Close"));
    Localizer().SetLanguage(0);
    EXPECT_EQ(ApplicationTitle(), QStringLiteral("Kroxa Zorbit-Software"));
    EXPECT_EQ(master->Caption(), QStringLiteral("Kroxa Zorbit-Software"));
    area->currentSubWindow()->showNormal();
    EXPECT_EQ(title(), QStringLiteral("Kroxa Zorbit-Software"));
}

TEST_F(MasterTest, NewFiguresStartWithAPenOfATenthMillimetre) {
    TMaster& m = CreateMaster();
    EXPECT_DOUBLE_EQ(m.findChild<TZRPenWidthButton*>(QStringLiteral("ZRPenWidthButton1"))->PenWidth(), 0.1);
    EXPECT_FLOAT_EQ(ReadToolbarDefaults(&m).PenWidth, 0.1f);
}

TEST_F(MasterTest, ANarrowWindowKeepsEveryToolbarButtonReachable) {
    TMaster& m = CreateMaster();
    AddDocument();
    m.resize(1200, 700);
    m.show();
    ReturnToLoop();
    EXPECT_TRUE(m.ToolbarOverflowButton(0)->isHidden());
    EXPECT_TRUE(m.ToolbarOverflowButton(1)->isHidden());

    m.resize(250, 500);
    ReturnToLoop();
    const int width = m.ToolbarPanel()->width();
    ASSERT_LT(width, 300);
    for (int row = 0; row < 2; ++row) {
        SCOPED_TRACE(row);
        QToolButton* more = m.ToolbarOverflowButton(row);
        ASSERT_FALSE(more->isHidden());
        EXPECT_EQ(more->x() + more->width(), width);
        emit more->menu()->aboutToShow();
        QStringList offered;
        for (QAction* a : more->menu()->actions()) offered << (a->menu() ? a->menu()->title() : a->text());
        // Each shown control of the row is in full view or in the menu.
        for (QWidget* control : m.ToolbarPanel()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const bool inRow = row == 0 ? control->y() < 30 : control->y() >= 30 && control->height() < 30;
            if (!inRow || control->isHidden() || control == more || qobject_cast<TZRMenuSpacer*>(control) ||
                control->objectName().startsWith(QLatin1String("bvToolbar")))
                continue;
            if (control->x() + control->width() <= more->x()) continue;
            auto* speed = qobject_cast<TSpeedButton*>(control);
            const QString name = speed ? TSpeedButton::ShortHint(speed->Hint()) : control->toolTip();
            EXPECT_TRUE(std::any_of(offered.begin(), offered.end(), [&](const QString& o) { return o.startsWith(name); }))
                << control->objectName().toStdString();
        }
    }
    // An item does what its button does.
    QMenu* first = m.ToolbarOverflowButton(0)->menu();
    const QList<QAction*> items = first->actions();
    const auto grid = std::find_if(items.begin(), items.end(), [](QAction* a) { return a->text() == QLatin1String("Gitter"); });
    ASSERT_NE(grid, items.end());
    EXPECT_TRUE((*grid)->isChecked());
    (*grid)->trigger();
    EXPECT_FALSE(m.GridShown());
    const auto logo = std::find_if(items.begin(), items.end(), [](QAction* a) { return a->text() == QLatin1String("Kroxa im Internet"); });
    EXPECT_NE(logo, items.end());
    // The window cannot get narrower than the font boxes; a panel that is
    // offers them as lists.
    m.ToolbarPanel()->resize(180, m.ToolbarPanel()->height());
    m.panToolbarResize();
    QMenu* second = m.ToolbarOverflowButton(1)->menu();
    emit second->aboutToShow();
    const QList<QAction*> secondItems = second->actions();
    const auto sizes = std::find_if(secondItems.begin(), secondItems.end(),
                                    [](QAction* a) { return a->menu() && a->menu()->title() == QStringLiteral("Schriftgröße"); });
    ASSERT_NE(sizes, secondItems.end());
    EXPECT_EQ((*sizes)->menu()->actions().size(), m.findChild<QComboBox*>(QStringLiteral("cbFontSize"))->count());

    m.resize(1200, 700);
    ReturnToLoop();
    EXPECT_TRUE(m.ToolbarOverflowButton(0)->isHidden());
}

TEST_F(MasterTest, TheLogoOpensTheMakersSiteAndSaysSoWhenNoBrowserStarts) {
    TMaster& m = CreateMaster();
    QStringList opened;
    bool browser = true;
    m.SetUrlOpener([&](const QUrl& url) {
        opened << url.toString();
        return browser;
    });
    m.Button("cmdKroxaHomepage")->click();
    Localizer().SetLanguage(1);
    m.MenuItem("mnuUeberKroxa")->trigger();
    EXPECT_EQ(opened, (QStringList{QStringLiteral("https://www.kroxa.example/"), QStringLiteral("https://www.kroxa.example/en/")}));
    EXPECT_TRUE(messages.empty());
    browser = false;
    m.Button("cmdKroxaHomepage")->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, TMessageKind::Warning);
    EXPECT_EQ(messages[0].text, LocalizedFormat("IDS_NOBROWSER", {QStringLiteral("https://www.kroxa.example/en/")}));
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("The web browser")));
}

TEST(DrawModes, TagsSelectModes) {
    const std::pair<int, int> table[] = {
        {1, 0},  {2, 1},  {3, 2},  {4, 3},  {5, 4},  {6, 5},  {7, 6},  {8, 7},  {9, 13}, {10, 9}, {11, 10}, {12, 11},
        {14, 12}, {15, 14}, {16, 15}, {17, 16}, {18, 7}, {19, 17}, {20, 18}, {21, 19}, {22, 20}, {23, 21}, {24, 22},
    };
    for (const auto& [tag, mode] : table) {
        ASSERT_TRUE(DrawModeForTag(tag).has_value()) << tag;
        EXPECT_EQ(*DrawModeForTag(tag), mode) << tag;
    }
    for (int tag : {-1, 0, 13, 25, 1000}) EXPECT_FALSE(DrawModeForTag(tag).has_value()) << tag;
}

TEST_F(MasterTest, ToolButtonsSetTheDocumentsDrawingModeAndFollowIt) {
    TMaster& m = CreateMaster();
    TStandInDocument* document = AddDocument();
    ReturnToLoop();
    EXPECT_TRUE(m.Button("cmdPfeil")->Down());

    m.Button("cmdRechteck")->click();
    EXPECT_EQ(document->mode, 2);
    m.Button("cmdRaruvir")->click();
    EXPECT_EQ(document->mode, 7);
    // Picture mode: the visible picture button ends down, although the hidden
    // one of the same mode comes first.
    m.RequestToolStateRefresh();
    ReturnToLoop();
    EXPECT_TRUE(m.Button("cmdRaruvir")->Down());
    EXPECT_FALSE(m.Button("cmdPicture")->Down());

    // The zoom tool keeps its own button down through a refresh.
    m.Button("cmdZoomRect")->click();
    EXPECT_EQ(document->mode, 10);
    m.RequestToolStateRefresh();
    ReturnToLoop();
    EXPECT_TRUE(m.Button("cmdZoomRect")->Down());

    // A button whose tag selects nothing leaves the mode alone.
    TSpeedButton unknown(m.ToolPalette());
    unknown.SetTag(13);
    m.UpdateDrawState(&unknown);
    EXPECT_EQ(document->mode, 10);

    document->mode = 0;
    m.RequestToolStateRefresh();
    ReturnToLoop();
    EXPECT_TRUE(m.Button("cmdPfeil")->Down());
    EXPECT_FALSE(m.Button("cmdZoomRect")->Down());
}

TEST_F(MasterTest, EveryRefreshRequestRunsTheRefreshOnceAfterReturningToTheLoop) {
    TMaster& m = CreateMaster();
    TStandInDocument* document = AddDocument();
    ReturnToLoop();
    document->frameUpdates = 0;
    for (int n : {1, 3, 5}) {
        for (int i = 0; i < n; ++i) m.RequestToolStateRefresh();
        EXPECT_EQ(document->frameUpdates, 0);
        ReturnToLoop();
        EXPECT_EQ(document->frameUpdates, n);
        document->frameUpdates = 0;
    }
    // Once the window closes, requests still queued are ignored.
    m.RequestToolStateRefresh();
    m.close();
    ReturnToLoop();
    EXPECT_EQ(document->frameUpdates, 0);
}

TEST_F(MasterTest, DroppedFilesOpenOneByOneAndAFailureStopsNone) {
    TMaster& m = CreateMaster();
    QStringList opened;
    // Failures of every kind: the program's own, the library's, and anything.
    m.SetDocumentLoader([&](const QString& path) -> QWidget* {
        if (path.endsWith(QLatin1String(".png"))) throw Exception(QStringLiteral("Die Datei hat nicht das richtige Format."));
        if (path.endsWith(QLatin1String(".big"))) throw std::bad_alloc();
        if (path.endsWith(QLatin1String(".odd"))) throw 42;
        opened << path;
        return new TStandInDocument;
    });
    // Paths of any length.
    const QString longFolder = QStringLiteral("/tmp/") + QString(600, QLatin1Char('x'));
    const QList<QUrl> urls = {QUrl::fromLocalFile(longFolder + QStringLiteral("/erste.qem")),
                              QUrl::fromLocalFile(QStringLiteral("/tmp/bild.png")),
                              QUrl::fromLocalFile(QStringLiteral("/tmp/riesig.big")),
                              QUrl::fromLocalFile(QStringLiteral("/tmp/seltsam.odd")),
                              QUrl::fromLocalFile(QStringLiteral("/tmp/zweite.qem"))};
    QMimeData data;
    data.setUrls(urls);
    m.show();
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&m, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&m, &drop);
    EXPECT_EQ(opened, (QStringList{urls[0].toLocalFile(), urls[4].toLocalFile()}));
    EXPECT_GT(opened[0].size(), 600);
    EXPECT_EQ(m.DocumentCount(), 2);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Die Datei hat nicht das richtige Format."));
    for (size_t i : {1u, 2u}) {
        EXPECT_EQ(messages[i].kind, TMessageKind::Error);
        EXPECT_TRUE(messages[i].text.startsWith(LocalizedText("IDS_ERROR"))) << messages[i].text.toStdString();
    }
    // The first document of an empty frame is maximised, and so the next.
    EXPECT_TRUE(m.MdiArea()->currentSubWindow()->isMaximized());
}

TEST_F(MasterTest, ClosingAsksEveryDocumentAndAnyRefusalKeepsAllOpen) {
    TMaster& m = CreateMaster();
    TStandInDocument* first = AddDocument();
    TStandInDocument* second = AddDocument();
    second->mayClose = false;
    QCloseEvent refused;
    QCoreApplication::sendEvent(&m, &refused);
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_EQ(first->closeQueries, 1);
    EXPECT_EQ(second->closeQueries, 1);
    EXPECT_EQ(m.DocumentCount(), 2);
    EXPECT_FALSE(m.Closing());

    second->mayClose = true;
    QCloseEvent accepted;
    QCoreApplication::sendEvent(&m, &accepted);
    EXPECT_TRUE(accepted.isAccepted());
    EXPECT_EQ(first->closeQueries, 2);
    EXPECT_EQ(second->closeQueries, 2);
    EXPECT_TRUE(m.Closing());
}

TEST_F(MasterTest, MovingTheWindowRepaintsEachDocumentOnceWhenTheMoveEnds) {
    TMaster& m = CreateMaster();
    TStandInDocument* first = AddDocument();
    TStandInDocument* second = AddDocument();
    m.show();
    ReturnToLoop();
    first->invalidations = second->invalidations = 0;
    m.move(m.pos() + QPoint(5, 5));
    m.move(m.pos() + QPoint(5, 5));
    m.resize(m.size() + QSize(10, 10));
    EXPECT_TRUE(m.InSizeMove());
    EXPECT_EQ(first->invalidations, 0);
    QElapsedTimer waited;
    waited.start();
    while (m.InSizeMove() && waited.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(m.InSizeMove());
    EXPECT_EQ(first->invalidations, 1);
    EXPECT_EQ(second->invalidations, 1);
}

TEST_F(MasterTest, PlacementAndViewSettingsSurviveARestart) {
    {
        TMaster& m = CreateMaster();
        EXPECT_TRUE(m.GridShown());
        EXPECT_TRUE(m.PrinterMarginsShown());
        EXPECT_TRUE(m.MenuItem("mnuOffscreenBMP")->isChecked());
        EXPECT_DOUBLE_EQ(m.GitterWeite(), 1.0);
        m.move(40, 30);
        m.resize(700, 500);
        m.Button("cmdGitter")->click();
        m.MenuItem("mnuOffscreenBMP")->trigger();
        master.reset();
    }
    EXPECT_EQ(Settings().ReadInteger("MDIFrame", "Left", -1), 40);
    EXPECT_EQ(Settings().ReadInteger("MDIFrame", "Width", -1), 700);
    EXPECT_FALSE(Settings().ReadBool("Allgemein", "Gitter", true));
    EXPECT_FALSE(Settings().ReadBool("Allgemein", "OffscreenBMP", true));
    EXPECT_EQ(Settings().ReadString("", "Version", ""), FileInfo().ShortVersionText().toStdString());
    Settings().WriteFloat("Raster", "Gitterweite2", 0.5);
    {
        TMaster& m = CreateMaster();
        EXPECT_EQ(m.pos(), QPoint(40, 30));
        EXPECT_EQ(m.size(), QSize(700, 500));
        EXPECT_FALSE(m.GridShown());
        EXPECT_FALSE(m.MenuItem("mnuAnsichtGitter")->isChecked());
        EXPECT_TRUE(m.PrinterMarginsShown());
        EXPECT_FALSE(m.MenuItem("mnuOffscreenBMP")->isChecked());
        EXPECT_DOUBLE_EQ(m.GitterWeite(), 0.5);
        EXPECT_DOUBLE_EQ(GetGridX(), 0.5);
        m.setWindowState(Qt::WindowMaximized);
        master.reset();
    }
    // Maximised: only the state is written, the normal bounds stay.
    EXPECT_EQ(Settings().ReadInteger("MDIFrame", "WindowState", -1), 2);
    EXPECT_EQ(Settings().ReadInteger("MDIFrame", "Left", -1), 40);
    EXPECT_TRUE(CreateMaster().windowState() & Qt::WindowMaximized);
    master.reset();
    // A grid step of 0 snaps to 0.1 mm while the window keeps 0.
    Settings().WriteFloat("Raster", "Gitterweite2", 0.0);
    EXPECT_DOUBLE_EQ(CreateMaster().GitterWeite(), 0.0);
    EXPECT_DOUBLE_EQ(GetGridX(), 0.1);
}

TEST_F(MasterTest, ADamagedGridStepGivesTheDefaultAndASoundValueIsWrittenBack) {
    for (const char* stored : {"nan", "inf", "-inf", "-5", "abc"}) {
        SCOPED_TRACE(stored);
        SetGridX(3);
        Settings().WriteString("Raster", "Gitterweite2", stored);
        TMaster& m = CreateMaster();
        EXPECT_DOUBLE_EQ(m.GitterWeite(), TMaster::kDefaultGridStep);
        EXPECT_DOUBLE_EQ(GetGridX(), TMaster::kDefaultGridStep);
        EXPECT_EQ(GridStepCaption(m), QStringLiteral("1,0 mm"));
        master.reset();
        EXPECT_DOUBLE_EQ(Settings().ReadFloat("Raster", "Gitterweite2", -1), TMaster::kDefaultGridStep);
    }
}

TEST_F(MasterTest, TheGridStepShowsTheDecimalSeparatorOfTheLanguage) {
    Settings().WriteFloat("Raster", "Gitterweite2", 2.5);
    TMaster& m = CreateMaster();
    EXPECT_EQ(GridStepCaption(m), QStringLiteral("2,5 mm"));
    Localizer().SetLanguage(1);
    EXPECT_EQ(GridStepCaption(m), QStringLiteral("2.5 mm"));
    Localizer().SetLanguage(0);
    EXPECT_EQ(GridStepCaption(m), QStringLiteral("2,5 mm"));
}

TEST_F(MasterTest, ALanguageSwitchLeavesTheUsersNumberFormatAlone) {
    const QLocale saved;
    const QLocale users(QLocale::French, QLocale::France);
    QLocale::setDefault(users);
    TMaster& m = CreateMaster();
    for (int language : {1, 0}) {
        Localizer().SetLanguage(language);
        EXPECT_EQ(QLocale(), users) << language;
    }
    EXPECT_EQ(GridStepCaption(m), QStringLiteral("1,0 mm"));
    QLocale::setDefault(saved);
}

TEST_F(MasterTest, TheNumberListsOfTheToolBarShowTheLanguagesSeparator) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));  // the user's own format
    TMaster& m = CreateMaster();
    auto* pen = m.findChild<TZRPenWidthButton*>(QStringLiteral("ZRPenWidthButton1"));
    pen->SetPenWidth(0.18);
    Localizer().SetLanguage(1);
    EXPECT_EQ(GridStepCaption(m), QStringLiteral("1.0 mm"));
    EXPECT_EQ(pen->ValueText(), QStringLiteral("0.18"));
    EXPECT_EQ(pen->ItemCaption(1), QStringLiteral("0.18 mm"));
    Localizer().SetLanguage(0);
    EXPECT_EQ(GridStepCaption(m), QStringLiteral("1,0 mm"));
    EXPECT_EQ(pen->ValueText(), QStringLiteral("0,18"));
    EXPECT_EQ(pen->ItemCaption(3), QStringLiteral("0,35 mm"));
    QLocale::setDefault(saved);
}

TEST(MasterWindow, FitsAndCentresOnTheScreen) {
    struct Case {
        QSize window;
        QRect screen;
        QRect expected;
    };
    const Case cases[] = {
        {{857, 596}, {0, 0, 800, 600}, {15, 2, 770, 596}},
        {{857, 596}, {0, 0, 1280, 1024}, {211, 214, 857, 596}},
        {{857, 596}, {0, 0, 640, 480}, {15, 15, 610, 450}},
        {{857, 596}, {1280, 0, 1024, 768}, {1280 + 83, 86, 857, 596}},
    };
    for (const Case& c : cases) EXPECT_EQ(TMaster::CentredBounds(c.window, c.screen), c.expected);
}
