// The commands of the main window's menus and tool bars and of the document
// window: the undo caption, the font size box, the colour buttons and the
// colour strip, the stacking order, ring centring, the states of the tools
// for a selection, the label-type change, the context menu, the window
// arrangement and printing through the print engine.
#include "MasterFixture.h"

#include "app/Child.h"
#include "app/ChildPrintSource.h"
#include "app/FontSizeText.h"
#include "app/MMWindow.h"
#include "app/SpeedButton.h"
#include "app/ToolbarDefaults.h"
#include "controls/ColorToolbar.h"
#include "controls/ZRColorPopupButton.h"

#include "../support/DialogsScope.h"
#include "../support/Screenshot.h"
#include "../support/SheetGrid.h"
#include "design/DesignDialogs.h"
#include "design/EinzelEtikett.h"
#include "document/Etikett.h"
#include "figures/Bild32.h"
#include "figures/Figure.h"
#include "figures/Rasten.h"
#include "figures/Rechteck.h"
#include "foundation/FillData.h"
#include "platform/imaging/Dib.h"
#include "printing/EtikettPrinter.h"
#include "printing/PrintDocumentFakes.h"
#include "printing/PrintSource.h"
#include "printing/PrintUi.h"

#include <QtCore/QAbstractEventDispatcher>
#include <QtCore/QDir>
#include <QtGui/QImage>
#include <QtGui/QMouseEvent>

#include <QtGui/QAction>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenu>

#include <functional>

namespace {

constexpr gdi::Color kYellow = gdi::Rgb(0xFF, 0xE0, 0x80);
constexpr gdi::Color kRed = gdi::Rgb(0xFF, 0, 0);

// A sheet of columns x rows labels; the article names the sheet's outline.
void MakeSheet(TEtikett& sheet, int32_t columns, int32_t rows, const char* article = "Test") {
    sheet.SetDefaults();
    sheet.SetName(article);
    sheet.SetArtikel(article);
    const bool single = columns * rows == 1;
    SetGrid(sheet, columns, rows, single ? 210 : 60, single ? 297 : 40, 0, 0, 0, 0);
}

TRechteck& AddRectangle(TEinzelEtikett& design, double x, double y) {
    TRechteck& figure = AddFilledFigure<TRechteck>(design, x, y, 20, 10, kYellow);
    figure.SetPenColor(0);
    return figure;
}

class CommandsTest : public MasterPrintTest {
protected:
    void SetUp() override {
        MasterPrintTest::SetUp();
        savedLabelType_ = TChild::LabelTypeDialog;
        savedPrint_ = TChild::PrintCommand;
    }
    void TearDown() override {
        TChild::LabelTypeDialog = savedLabelType_;
        TChild::PrintCommand = savedPrint_;
        MasterPrintTest::TearDown();
    }
    // The document with two rectangles, the first selected.
    TChild& DocumentWithSelection() {
        TChild& c = OpenShownDocument();
        TEinzelEtikett& d = *c.CurrentDesign();
        AddRectangle(d, 20, 15);
        AddRectangle(d, 30, 25);
        d.SelectFigure(0);
        return c;
    }
    TRechteck& Rect(TChild& c, int32_t index) { return static_cast<TRechteck&>(*c.CurrentDesign()->GetFigure(index)); }
    QAction* Item(const char* name) { return master->MenuItem(name); }
    bool Enabled(const char* name) {
        if (QAction* item = master->MenuItem(name)) return item->isEnabled();
        return master->Control(name)->isEnabled();
    }

private:
    DialogsScope dialogs_;
    decltype(TChild::LabelTypeDialog) savedLabelType_;
    decltype(TChild::PrintCommand) savedPrint_;
};

TEST(FontSizeText, WholeNumbersWithinTheDrawableSizesElseTheFallback) {
    const struct {
        const char* text;
        int32_t size;
    } cases[] = {
        {"12", 12}, {" 14 ", 14}, {"12a", 8}, {"", 8}, {"1,5", 8}, {"0", 1}, {"-5", 1}, {"99999", 1638}, {"1638", 1638},
    };
    for (const auto& c : cases) EXPECT_EQ(FontSizeFromText(QString::fromLatin1(c.text)), c.size) << c.text;
}

TEST_F(CommandsTest, TheUndoItemNamesTheNewestStepAndUndoesIt) {
    TChild& c = OpenShownDocument();
    QAction* undo = Item("mnuRueckgaengig");
    auto openEditMenu = [&] { emit master->findChild<QMenu*>(QStringLiteral("mnuBearbeiten"))->aboutToShow(); };
    openEditMenu();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("Rückgängig"));

    TEinzelEtikett& d = *c.CurrentDesign();
    AddRectangle(d, 20, 15);
    d.SelectFigure(0);
    openEditMenu();
    const QString added = undo->text();
    master->QDXColorToolbar1SelectColor(2, static_cast<int32_t>(kRed));
    EXPECT_EQ(Rect(c, 0).Fill->Color(), kRed);
    openEditMenu();
    EXPECT_TRUE(undo->isEnabled());
    const QString caption = d.GetUndoCaption();
    EXPECT_FALSE(caption.isEmpty());
    EXPECT_EQ(undo->text(), QStringLiteral("Rückgängig - ") + caption);
    EXPECT_NE(undo->text(), added);

    undo->trigger();
    EXPECT_EQ(Rect(c, 0).Fill->Color(), kYellow);
    openEditMenu();
    EXPECT_EQ(undo->text(), added);
}

TEST_F(CommandsTest, TheColourStripColoursByItsKind) {
    const struct {
        int kind;
        int32_t color;
        bool pen;
        bool fill;
    } cases[] = {
        {1, static_cast<int32_t>(kRed), true, false},  // right button: outline
        {2, static_cast<int32_t>(kRed), false, true},  // left button: fill
        {3, static_cast<int32_t>(kRed), false, false}, // text colour: a rectangle has none
        {0, static_cast<int32_t>(kRed), false, false},
        {4, static_cast<int32_t>(kRed), false, false},
        {2, -1, false, true},  // the no-colour cell removes the fill
    };
    TChild& c = DocumentWithSelection();
    for (const auto& k : cases) {
        TRechteck& r = Rect(c, 0);
        r.SetPenColor(0);
        r.SetFillColor(kYellow);
        master->QDXColorToolbar1SelectColor(k.kind, k.color);
        EXPECT_EQ(r.PenColor == kRed, k.pen) << k.kind;
        EXPECT_EQ(r.Fill->Color() != kYellow || r.Fill->Kind() != fkColor, k.fill) << k.kind;
        EXPECT_EQ(Rect(c, 1).Fill->Color(), kYellow) << "unselected figure, kind " << k.kind;
    }
    EXPECT_EQ(Rect(c, 0).Fill->Kind(), fkNone);
}

TEST_F(CommandsTest, TheColourButtonsCommandRows) {
    TChild& c = DocumentWithSelection();
    TRechteck& r = Rect(c, 0);
    std::vector<bool> fillAsked;
    bool fillAnswer = true;
    DesignDialogs().EditFill = [&](TFillData& fill, bool gradientFirst) {
        fillAsked.push_back(gradientFirst);
        fill.SetKind(fkColor);
        fill.SetColor(kRed);
        return fillAnswer;
    };
    int colorsAsked = 0;
    DesignDialogs().PickColor = [&](gdi::Color& color) {
        ++colorsAsked;
        color = gdi::Rgb(0, 0, 0xFF);
        return true;
    };

    // "- ohne -": no outline, no fill.
    master->colpopPenMenuBtnClick(kBtnNoColor);
    EXPECT_EQ(r.PenStyle, kPenClear);
    master->colpopBrushMenuBtnClick(kBtnNoColor);
    EXPECT_EQ(r.Fill->Kind(), fkNone);

    // "andere Farbe..." and "Farbverlauf..." open the fill dialog on its page;
    // cancelling it changes nothing.
    fillAnswer = false;
    master->colpopBrushMenuBtnClick(kBtnOtherColor);
    EXPECT_EQ(r.Fill->Kind(), fkNone);
    fillAnswer = true;
    master->colpopBrushMenuBtnClick(kBtnGradient);
    master->colpopBrushMenuBtnClick(kBtnOtherColor);
    EXPECT_EQ(fillAsked, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(r.Fill->Kind(), fkColor);
    EXPECT_EQ(r.Fill->Color(), kRed);
    EXPECT_EQ(master->BrushColor(), static_cast<int32_t>(kRed));

    // The text colour's "andere Farbe..." takes the dialog's colour onto the button.
    master->colpopFontMenuBtnClick(kBtnOtherColor);
    EXPECT_EQ(colorsAsked, 1);
    EXPECT_EQ(master->FontColor(), static_cast<int32_t>(gdi::Rgb(0, 0, 0xFF)));
    master->colpopFontMenuBtnClick(kBtnNoColor);
    EXPECT_EQ(colorsAsked, 1);
}

TEST_F(CommandsTest, TheAlignmentDatabaseFontSizeAndGridStepItems) {
    TChild& c = DocumentWithSelection();
    std::vector<int32_t> asked;
    DesignDialogs().AlignElements = [&](int32_t&, int32_t selected) {
        asked.push_back(selected);
        return false;
    };
    ReturnToLoop();
    Item("mnuAusrichten")->trigger();
    c.CurrentDesign()->SelectFigure(1);
    ReturnToLoop();
    Item("mnuAusrichten")->trigger();
    c.CurrentDesign()->DeselectAll();
    ReturnToLoop();
    EXPECT_FALSE(Item("mnuAusrichten")->isEnabled());
    c.mnuElementeAusrichtenClick();
    EXPECT_EQ(asked, (std::vector<int32_t>{1, 2}));

    auto openDatabaseMenu = [&] { emit master->findChild<QMenu*>(QStringLiteral("mnuDatenbank"))->aboutToShow(); };
    openDatabaseMenu();
    EXPECT_TRUE(Item("mnuDatenbankOeffnen")->isEnabled());
    EXPECT_FALSE(Item("mnuDatenbankSchliessen")->isEnabled());
    EXPECT_FALSE(Item("mnuDatenFiltern")->isEnabled());

    // The size box's typed text as the size command reads it.
    auto* sizes = master->findChild<QComboBox*>(QStringLiteral("cbFontSize"));
    sizes->setEditText(QStringLiteral("12a"));
    EXPECT_EQ(ReadToolbarDefaults(master.get()).FontSize, 8);
    sizes->setEditText(QStringLiteral("14"));
    EXPECT_EQ(ReadToolbarDefaults(master.get()).FontSize, 14);

    // A grid step of 0 stands for 0.1 mm, on the button too.
    master->RastenBtnGWChange(0);
    EXPECT_DOUBLE_EQ(master->GitterWeite(), 0.1);
    EXPECT_DOUBLE_EQ(GetGridX(), 0.1);
    master->RastenBtnGWChange(2.5);
    EXPECT_DOUBLE_EQ(GetGridX(), 2.5);
    master->RastenBtnGWChange(-1);
    EXPECT_DOUBLE_EQ(master->GitterWeite(), 2.5);
}

TEST_F(CommandsTest, ZoomButtonsStopAtTheViewsLimits) {
    TChild& c = OpenShownDocument();
    for (int i = 0; i < 40; ++i) master->Button("cmdZoomIn")->click();
    EXPECT_FLOAT_EQ(c.MMWin().GetZoom(), TMMWindow::kMaxZoom);
    for (int i = 0; i < 40; ++i) master->Button("cmdZoomOut")->click();
    EXPECT_FLOAT_EQ(c.MMWin().GetZoom(), TMMWindow::kMinZoom);
}

TEST_F(CommandsTest, EveryStackingCommandMarksTheDocumentModified) {
    using Command = void (TChild::*)();
    const struct {
        const char* name;
        Command command;
        int selectedFrom;
        int selectedTo;
    } cases[] = {
        {"one forward", &TChild::mnuEinsNachVorneClick, 0, 1},
        {"to the front", &TChild::mnuNachVorneClick, 0, 2},
        {"one backward", &TChild::mnuEinsNachHintenClick, 2, 1},
        {"to the back", &TChild::mnuNachHintenClick, 2, 0},
    };
    for (const auto& k : cases) {
        TChild& c = OpenShownDocument();
        TEinzelEtikett& d = *c.CurrentDesign();
        for (int i = 0; i < 3; ++i) AddRectangle(d, 10 + 10 * i, 20);
        TFigure* chosen = d.GetFigure(k.selectedFrom);
        d.SelectFigure(k.selectedFrom);
        c.SetModified(false);
        (c.*k.command)();
        EXPECT_TRUE(c.IsModified()) << k.name;
        EXPECT_EQ(d.GetFigure(k.selectedTo), chosen) << k.name;
        c.SetModified(false);
        master->MenuItem("mnuSchliessen")->trigger();
        ReturnToLoop();
    }
}

TEST_F(CommandsTest, RingCentringOnCdSheets) {
    const struct {
        const char* article;
        int ring;
        double x;
        double y;
    } cases[] = {
        {"QN-2052", 2, 147.5, 142},
        {"QN-2052", 1, 62.5, 62.5},
        {"KROXARING", 3, 105, 222.5},
        {"KROXARING", 2, 40, 30},  // no middle ring: unchanged
        {"Test", 1, 40, 30},       // no rings at all
    };
    for (const auto& k : cases) {
        TEtikett sheet;
        MakeSheet(sheet, 1, 1, k.article);
        TChild& c = OpenShownDocument(&sheet);
        TEinzelEtikett& d = *c.CurrentDesign();
        TFigure& f = AddRectangle(d, 40, 30);
        d.SelectFigure(0);
        c.CenterSelectionOnRing(k.ring);
        EXPECT_NEAR(f.CenterX, k.x, 0.01) << k.article << " ring " << k.ring;
        EXPECT_NEAR(f.CenterY, k.y, 0.01) << k.article << " ring " << k.ring;

        // The context menu offers exactly the rings of the article.
        c.PrepareContextMenu(2);
        const bool rings = std::string(k.article) != "Test";
        EXPECT_EQ(c.PopupItem("mnuZentrierenHaupt")->isVisible(), rings) << k.article;
        if (rings) {
            EXPECT_EQ(c.PopupItem("mnuZentrierenMitte")->isVisible(), std::string(k.article) == "QN-2052") << k.article;
        }
        c.SetModified(false);
        master->MenuItem("mnuSchliessen")->trigger();
        ReturnToLoop();
    }
}

TEST_F(CommandsTest, TheToolsFollowTheSelection) {
    TChild& c = OpenShownDocument();
    TEinzelEtikett& d = *c.CurrentDesign();
    AddRectangle(d, 20, 15);
    d.ClearUndo();
    struct Expect {
        bool cut, layers, group, ungroup, sizeDialog, selectAll;
    };
    auto check = [&](const char* what, Expect e) {
        c.UpdateFrameControls();
        EXPECT_EQ(Enabled("cmdAusschneiden"), e.cut) << what;
        EXPECT_EQ(Enabled("mnuKopieren"), e.cut) << what;
        EXPECT_EQ(Enabled("mnuLoeschen"), e.cut) << what;
        for (const char* name : {"cmdEinsNachVorn", "cmdGanzNachHinten", "mnuEinsNachVorne", "mnuNachHinten"})
            EXPECT_EQ(Enabled(name), e.layers) << what << " " << name;
        EXPECT_EQ(Enabled("mnuGruppieren"), e.group) << what;
        EXPECT_EQ(Enabled("mnuUnGroup"), e.ungroup) << what;
        EXPECT_EQ(Enabled("mnuFormatGroesse"), e.sizeDialog) << what;
        EXPECT_EQ(Enabled("mnuAllesAuswaehlen"), e.selectAll) << what;
        EXPECT_TRUE(Enabled("mnuNeuZeichnen")) << what;
        EXPECT_TRUE(Enabled("cmdDrucken")) << what;
    };
    check("one figure, not selected", {false, false, false, false, false, true});
    EXPECT_FALSE(Enabled("cmdZurueck"));
    d.SelectFigure(0);
    check("the only figure selected", {true, false, false, false, true, true});
    AddRectangle(d, 40, 25);
    check("one of two selected", {true, true, false, false, true, true});
    d.SelectFigure(1);
    check("two selected", {true, true, true, false, false, true});
    d.GroupSelection();
    check("one group selected", {true, false, false, true, true, true});
    AddRectangle(d, 50, 30);
    d.SelectFigure(1);
    check("a group and another figure", {true, true, true, false, false, true});
    EXPECT_TRUE(Enabled("cmdZurueck"));
    EXPECT_EQ(Enabled("mnuRueckgaengig"), d.UndoCount() > 0);
}

TEST_F(CommandsTest, ALabelTypeWithTooFewLabelsForTheDesignsIsRefused) {
    TEtikett start;
    MakeSheet(start, 3, 1);
    TChild& c = OpenShownDocument(&start);
    c.cmdEtiPlusClick(true);
    c.cmdEtiPlusClick(true);
    ASSERT_EQ(c.DesignCount(), 3);
    AddRectangle(*c.CurrentDesign(), 80, 20);  // partly outside the 60 mm label
    const struct {
        int32_t columns;
        int32_t rows;
        bool taken;
    } cases[] = {{2, 1, false}, {1, 1, false}, {2, 2, true}};
    for (const auto& k : cases) {
        TEtikett chosen;
        MakeSheet(chosen, k.columns, k.rows);
        chosen.SetName("Neu");
        TChild::LabelTypeDialog = [&](const TEtikett&, QWidget*) {
            auto copy = std::make_unique<TEtikett>();
            copy->Assign(chosen);
            return copy;
        };
        messages.clear();
        c.SetModified(false);
        c.ChooseLabelType();
        EXPECT_EQ(c.Sheet().Columns * c.Sheet().Rows, k.taken ? k.columns * k.rows : 3) << k.columns << "x" << k.rows;
        EXPECT_EQ(c.DesignCount(), 3);
        EXPECT_EQ(c.IsModified(), k.taken);
        if (k.taken) {
            EXPECT_TRUE(messages.empty());
            EXPECT_TRUE(c.EtiPlusButton().isEnabled());  // room for a fourth design
            // The view shows the whole label and the figure beyond its edge.
            const TScaleCanvas& s = c.MMWin().WindowCanvas();
            const QRect view = c.MMWin().rect();
            EXPECT_GE(s.MMToPixelX(0), view.left() - 1);
            EXPECT_LE(s.MMToPixelX(90), view.right() + 1);
        } else {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, LocalizedText("IDS_CHILDMSG3"));
        }
    }
    // Cancelling the dialog changes nothing.
    TChild::LabelTypeDialog = [](const TEtikett&, QWidget*) { return std::unique_ptr<TEtikett>(); };
    c.SetModified(false);
    c.ChooseLabelType();
    EXPECT_FALSE(c.IsModified());
}

TEST_F(CommandsTest, TheContextMenuShowsWhatTheClickOffers) {
    TChild& c = DocumentWithSelection();
    c.PrepareContextMenu(0);
    for (const char* name : {"mnuGroesse", "mnuPinsel", "mnu90Clockwise", "mnuFilterHKIG", "mnuZentrierenHaupt"})
        EXPECT_FALSE(c.PopupItem(name)->isVisible()) << name;
    EXPECT_TRUE(c.PopupItem("mnuZoom")->isVisible());
    c.PrepareContextMenu(2);
    for (const char* name : {"mnuGroesse", "mnuStiftfarbe", "mnuPinsel", "mnu90Clockwise"})
        EXPECT_TRUE(c.PopupItem(name)->isVisible()) << name;
    // A rectangle has no text, field or picture to edit.
    for (const char* name : {"mnuText", "mnuFont", "mnuFeld", "mnuFilterHKIG", "mnuGitterfarbe", "mnuZwZentrieren"})
        EXPECT_FALSE(c.PopupItem(name)->isVisible()) << name;

    // Rotating from the menu turns the selected figure.
    TRechteck& r = Rect(c, 0);
    ASSERT_EQ(r.Angle, 0);
    c.PopupItem("mnu90Clockwise")->trigger();
    EXPECT_DOUBLE_EQ(r.Angle, 90);
    EXPECT_DOUBLE_EQ(r.Width, 20);
    EXPECT_DOUBLE_EQ(r.Height, 10);
    EXPECT_NE(c.CurrentDesign()->UndoCount(), 0);
}

TEST_F(CommandsTest, TilingAndCascadingArrangeTheDocuments) {
    OpenShownDocument();
    OpenShownDocument();
    auto* area = master->findChild<QMdiArea*>();
    const QList<QMdiSubWindow*> windows = area->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    const QRect room = area->viewport()->rect();
    Item("mnuUebereinander")->trigger();
    EXPECT_EQ(windows[0]->geometry(), QRect(room.left(), room.top(), room.width(), room.height() / 2));
    EXPECT_EQ(windows[1]->geometry().top(), windows[0]->geometry().bottom() + 1);
    EXPECT_EQ(windows[1]->geometry().bottom(), room.bottom());
    Item("mnuNebeneinander")->trigger();
    EXPECT_EQ(windows[0]->geometry(), QRect(room.left(), room.top(), room.width() / 2, room.height()));
    EXPECT_EQ(windows[1]->geometry().right(), room.right());
    Item("mnuUeberlappend")->trigger();
    EXPECT_EQ(windows[0]->geometry(), QRect(room.topLeft(), QSize(room.width() * 3 / 4, room.height() * 3 / 4)));
    const QPoint step = windows[1]->pos() - windows[0]->pos();
    EXPECT_GT(step.x(), 0);
    EXPECT_EQ(step.x(), step.y());
    EXPECT_EQ(windows[1]->size(), windows[0]->size());

    // Without documents the arrangement items are disabled.
    for (QMdiSubWindow* sub : windows) static_cast<TChild*>(sub->widget())->SetModified(false);
    area->closeAllSubWindows();
    ReturnToLoop();
    emit master->findChild<QMenu*>(QStringLiteral("mnuFenster"))->aboutToShow();
    EXPECT_FALSE(Item("mnuUebereinander")->isEnabled());
}

TEST(CascadeRects, StepDownAndStartOverWhenTheAreaEnds) {
    const QRect area(0, 0, 400, 200);
    const QList<QRect> rects = TMaster::CascadeRects(6, area, 20);
    ASSERT_EQ(rects.size(), 6);
    // 300 x 150 leaves 50 px of room: three positions of 20 px.
    const int offsets[] = {0, 20, 40, 0, 20, 40};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(rects[i], QRect(offsets[i], offsets[i], 300, 150)) << i;
    EXPECT_TRUE(TMaster::CascadeRects(0, area, 20).isEmpty());
    EXPECT_EQ(TMaster::CascadeRects(2, area, 0).size(), 2);
}

TEST_F(CommandsTest, APictureIsInsertedCentredAndFilteredFromTheContextMenu) {
    TEtikett sheet;
    MakeSheet(sheet, 2, 2);  // labels of 60 x 40 mm
    TChild& c = OpenShownDocument(&sheet);
    TEinzelEtikett& d = *c.CurrentDesign();
    QImage image(40, 10, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    const QString path = TempPath(QStringLiteral("wide.png"));
    ASSERT_TRUE(image.save(path));
    const QString broken = TempPath(QStringLiteral("broken.png"));
    QFile(broken).open(QIODevice::WriteOnly);

    c.SetModified(false);
    EXPECT_FALSE(master->InsertPictureFileCentred(broken));
    EXPECT_EQ(d.FigureCount(), 0);
    EXPECT_FALSE(c.IsModified());
    ASSERT_TRUE(master->InsertPictureFileCentred(path));
    ASSERT_EQ(d.FigureCount(), 1);
    const TFigure& picture = *d.GetFigure(0);
    EXPECT_NEAR(picture.CenterX, 30, 0.01);
    EXPECT_NEAR(picture.CenterY, 20, 0.01);
    EXPECT_NEAR(picture.Width, 54, 0.01);  // nine tenths of the label, fitted to 4 : 1
    EXPECT_NEAR(picture.Height, 13.5, 0.01);
    EXPECT_TRUE(c.IsModified());
    EXPECT_EQ(c.DrawMode(), 0);

    // The filters are offered for the selected picture; OK is one undo step.
    d.DeselectAll();
    d.SelectFigure(0);
    c.PrepareContextMenu(1);
    for (const char* name : {"mnuFilterHKIG", "mnuFilterHSL", "mnuFilterSWCol"}) EXPECT_TRUE(c.PopupItem(name)->isVisible()) << name;
    int filtered = 0;
    DesignDialogs().FilterBrightness = [&](const imaging::Dib& original) {
        ++filtered;
        return imaging::CopyHandle(original);
    };
    const int32_t undoSteps = d.UndoCount();
    c.PopupItem("mnuFilterHKIG")->trigger();
    EXPECT_EQ(filtered, 1);
    EXPECT_EQ(d.UndoCount(), undoSteps + 1);
    EXPECT_EQ(d.GetUndoCaption(), QStringLiteral("Bildänderung"));
    // The Undo entry names the step in the language of the moment.
    master->mnuBearbeitenClick();
    EXPECT_EQ(master->MenuItem("mnuRueckgaengig")->text(), QStringLiteral("Rückgängig - Bildänderung"));
    Localizer().SetLanguage(1);
    master->mnuBearbeitenClick();
    EXPECT_EQ(master->MenuItem("mnuRueckgaengig")->text(), QStringLiteral("Undo - Picture change"));
    Localizer().SetLanguage(0);
}

TEST_F(CommandsTest, PrintingADocumentRunsThePrintEngineOnIt) {
    TEtikett sheet;
    MakeSheet(sheet, 2, 2);
    TChild& c = OpenShownDocument(&sheet);
    AddRectangle(*c.CurrentDesign(), 20, 15);
    std::vector<std::string> steps;
    c.CommitFieldPanel = [&] { steps.push_back("commit"); };
    // The sheet dialog answered with one sheet of the first design.
    printtest::ScriptedUi ui;
    int sheetDialogs = 0;
    ui.sheet = [&](TSheetPrintOptions& options) {
        ++sheetDialogs;
        options.Designs = {0};
        options.CountBySheets = true;
        options.SheetCount = 1;
        return true;
    };
    TChild::PrintCommand = [&](TPrintSource& source, QWidget* mainWindow) {
        steps.push_back("print");
        EXPECT_EQ(mainWindow, master.get());
        EXPECT_EQ(&source.Sheet(), &c.Sheet());
        EXPECT_EQ(source.DesignCount(), 1);
        EXPECT_EQ(source.DocumentName(), c.DocumentName());
        TEtikettPrinter engine(source, ui);
        engine.Print();
    };
    master->Button("cmdDrucken")->click();
    EXPECT_EQ(steps, (std::vector<std::string>{"commit", "print"}));
    EXPECT_EQ(sheetDialogs, 1);
    EXPECT_EQ(ui.messages, std::vector<QString>{});
    EXPECT_EQ(fake().Pages(), 1);
}

// The colour strip as a mouse uses it: a left press opens its palette for
// the fill, a right press for the outline, and the colour chosen there goes
// to the selection; the Edit menu then names the step. With
// ZORBIT_SCREENSHOTS set to a folder, the palette, the coloured selection,
// the Edit menu and two documents tiled and cascaded are saved there.
TEST_F(CommandsTest, TheColourStripsPalettesColourTheSelection) {
    TEtikett sheet;
    MakeSheet(sheet, 2, 2);
    TChild& first = OpenShownDocument(&sheet);
    TEinzelEtikett& d = *first.CurrentDesign();
    TRechteck& r = AddRectangle(d, 30, 20);
    r.SetPenWidth(1.5f);
    TRechteck& other = AddRectangle(d, 45, 30);
    d.SelectFigure(0);
    d.SetHandlesVisible(1);
    auto* strip = master->findChild<TQDXColorToolbar*>(QStringLiteral("QDXColorToolbar1"));
    auto pressCell = [&](int cell, Qt::MouseButton button) {
        const QPointF at(8, cell * TQDXColorToolbar::kCellHeight + 7);
        QMouseEvent press(QEvent::MouseButtonPress, at, strip->mapToGlobal(at), button, button, Qt::NoModifier);
        QCoreApplication::sendEvent(strip, &press);
        ReturnToLoop();
    };
    const gdi::Color otherFill = other.Fill->Color();
    const gdi::Color otherPen = other.PenColor;
    pressCell(12, Qt::LeftButton);
    ASSERT_TRUE(strip->Popup() && strip->Popup()->isVisible());
    SaveScreenshot(*strip->Popup(), "commands-strip-popup", true);
    strip->ClosePopup(sctFill, TQDXColorToolbar::CellColor(12));
    EXPECT_EQ(r.Fill->Color(), static_cast<gdi::Color>(TQDXColorToolbar::CellColor(12)));
    pressCell(20, Qt::RightButton);
    ASSERT_TRUE(strip->Popup() && strip->Popup()->isVisible());
    strip->ClosePopup(sctOutline, TQDXColorToolbar::CellColor(20));
    EXPECT_EQ(r.PenColor, static_cast<gdi::Color>(TQDXColorToolbar::CellColor(20)));
    EXPECT_EQ(other.Fill->Color(), otherFill);  // not selected: unchanged
    EXPECT_EQ(other.PenColor, otherPen);
    ReturnToLoop();
    emit QAbstractEventDispatcher::instance()->aboutToBlock();  // the idle refresh shows the document's menus
    SaveScreenshot(*master, "commands-coloured", true);

    auto* edit = master->findChild<QMenu*>(QStringLiteral("mnuBearbeiten"));
    edit->popup(master->mapToGlobal(QPoint(60, 24)));
    ReturnToLoop();
    EXPECT_TRUE(Item("mnuRueckgaengig")->isEnabled());
    EXPECT_EQ(Item("mnuRueckgaengig")->text(), QStringLiteral("Rückgängig - ") + d.GetUndoCaption());
    SaveScreenshot(*edit, "commands-edit-menu", true);
    edit->hide();

    TChild& second = OpenShownDocument(&sheet);
    AddRectangle(*second.CurrentDesign(), 30, 20);
    const std::pair<const char*, const char*> arrangements[] = {
        {"mnuUebereinander", "commands-tiled"},
        {"mnuNebeneinander", "commands-side-by-side"},
        {"mnuUeberlappend", "commands-cascaded"},
    };
    for (const auto& [item, picture] : arrangements) {
        Item(item)->trigger();
        ReturnToLoop();
        SaveScreenshot(*master, QString::fromLatin1(picture), true);
    }
    first.SetModified(false);
    second.SetModified(false);
}

}  // namespace
