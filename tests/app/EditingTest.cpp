// Editing on the page: the geometry of the gestures, the select gestures on
// the view, figure creation from the tools, the keys, the zoom steps and the
// field panel, driven by synthesized mouse, key and drop events.
#include "MasterFixture.h"

#include "app/Child.h"
#include "app/DrawModes.h"
#include "app/FieldPanel.h"
#include "app/FigureMakers.h"
#include "app/MMWindow.h"
#include "app/PictureChoice.h"
#include "app/SpeedButton.h"
#include "app/ToolbarDefaults.h"
#include "controls/ZRColorPopupButton.h"
#include "controls/ZRPenWidthButton.h"

#include "../support/Screenshot.h"
#include "../support/SheetGrid.h"
#include "design/EinzelEtikett.h"
#include "document/Etikett.h"
#include "figures/Ellipse.h"
#include "figures/FigureDialogs.h"
#include "figures/Linie.h"
#include "figures/Rasten.h"
#include "figures/Rechteck.h"
#include "figures/Tracktabelle.h"
#include "cd/lookup/CDDBConnect.h"
#include "cd/lookup/CddbSettings.h"
#include "cd/lookup/FreeDBCache.h"
#include "cd/widgets/DlgFreeDBMultiMatch.h"
#include "cd/widgets/DlgTrackEinlesen.h"
#include "cd/widgets/DlgTrackTabelle.h"
#include "figures/widgets/FigureDialogs.h"
#include "foundation/ZRRegIniFile.h"
#include "platform/cdaudio/CdDrive.h"
#include "platform/printer/Printer.h"
#include "support/loopback/LoopbackServers.h"
#include "../support/PdfPage.h"
#include <QtCore/QTimer>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableWidget>
#include "cd/lookup/TrackTabelleData.h"
#include "foundation/Exceptions.h"
#include "foundation/FillData.h"
#include "foundation/Scaler.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QMimeData>
#include <QtGui/QAction>
#include <QtGui/QImage>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QScrollArea>

#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace {

// ---- the geometry of the gestures

TEST(DrawModes, ADragIsRealOnceItPassesTheThresholdOfItsMode) {
    const struct {
        uint8_t mode;
        TPoint b;
        bool real;
    } cases[] = {
        {kModeSelect, {4, 0}, true},   {kModeSelect, {3, -3}, false}, {kModeLine, {0, -4}, true},
        {kModeLine, {3, 3}, false},    {kModeRectangle, {10, 3}, false}, {kModeRectangle, {-4, 4}, true},
        {kModeEllipse, {4, 100}, true}, {kModeZoom, {0, 0}, true},      {kModeBarcode, {0, 50}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsRealDrag(c.mode, {0, 0}, c.b), c.real) << int(c.mode) << " " << c.b.x << "," << c.b.y;
}

TEST(DrawModes, CtrlDrawsASquareAndShiftDrawsAboutThePressPoint) {
    const struct {
        TPoint current;
        uint32_t shift;
        TPoint start, end;
    } cases[] = {
        {{30, -10}, 0, {0, 0}, {30, -10}},
        {{30, -10}, kCtrlKey, {0, 0}, {30, -30}},
        {{30, -10}, kShiftKey, {-30, 10}, {30, -10}},
        {{30, -10}, kCtrlKey | kShiftKey, {-30, 30}, {30, -30}},
        {{0, 20}, kCtrlKey, {0, 0}, {0, 20}},  // no width: a line, not a square
    };
    for (const auto& c : cases) {
        const TRubberBand band = ConstrainDragRect({0, 0}, c.current, c.shift);
        EXPECT_EQ(band.start, c.start) << c.shift;
        EXPECT_EQ(band.end, c.end) << c.shift;
    }
}

TEST(DrawModes, AMovedSelectionLandsWithItsNearerEdgesOnTheGrid) {
    const double oldGrid = RasterWeite;
    SetGridX(10);  // one unit per millimetre: grid lines every 10 pixels
    const TCustomScaler scaler;
    const TRect rect{0, 0, 25, 15};
    const struct {
        TPoint p;
        TPoint snapped;
    } cases[] = {
        {{3, 2}, {0, 0}},    // left and top edges nearer
        {{7, 0}, {10, 0}},   // the right edge is only a pixel nearer: the left one wins
        {{4, 0}, {5, 0}},    // the right edge is 3 pixels nearer
        {{-4, 0}, {-5, 0}},
        {{0, 4}, {0, 5}},    // the bottom edge (19 -> 20) beats the top (4 -> 0)
    };
    for (const auto& c : cases) EXPECT_EQ(SnapMoveDelta(rect, {0, 0}, c.p, scaler), c.snapped) << c.p.x << "," << c.p.y;
    SetGridX(oldGrid);
}

TEST(DrawModes, HoverCursorsAndFieldDropBoxes) {
    const struct {
        uint8_t mode;
        bool ctrl;
        int32_t cursor;
    } cursors[] = {{kModeSelect, false, 0}, {kModeLine, false, 4},  {kModeZoom, false, 14}, {kModeZoom, true, 20},
                   {kModeRichText, false, 7}, {kModeIndexPrint, false, 10}, {23, false, 0}};
    for (const auto& c : cursors) EXPECT_EQ(DrawModeCursor(c.mode, c.ctrl), c.cursor) << int(c.mode);

    EXPECT_EQ(FieldDropBox(1, {200, 100}), (TRect{140, 85, 260, 115}));  // 120 x 30
    EXPECT_EQ(FieldDropBox(2, {200, 100}), (TRect{80, 70, 320, 130}));   // 240 x 60
    EXPECT_EQ(RubberShapeBox({10, 9}, {1, 0}), (TRect{1, 0, 11, 10}));  // centre on a whole pixel
}

// ---- the tool bar's style for new figures

TEST(ToolbarDefaults, NewFiguresTakeTheToolBarsStyleWhicheverSizeEntryIsShown) {
    QWidget bar;
    auto named = [&bar](auto* control, const char* name) {
        control->setObjectName(QString::fromLatin1(name));
        return control;
    };
    named(new TZRColorPopupButton(&bar), "colpopPen")->SetColor(gdi::Rgb(0, 0x80, 0));
    named(new TZRColorPopupButton(&bar), "colpopBrush")->SetColor(1);
    named(new TZRColorPopupButton(&bar), "colpopFont")->SetColor(gdi::Rgb(0x80, 0, 0));
    named(new TZRPenWidthButton(&bar), "ZRPenWidthButton1")->SetPenWidth(0.7);
    auto* fontName = named(new QComboBox(&bar), "cbFontName");
    fontName->addItems({QStringLiteral("Arial"), QStringLiteral("Courier New")});
    fontName->setCurrentIndex(1);
    auto* size = named(new QComboBox(&bar), "cbFontSize");
    size->setEditable(true);
    size->addItems({QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("14")});
    const struct {
        const char* name;
        int group;
    } toggles[] = {{"cmdFett", 3}, {"cmdUnderline", 5}, {"cmdHLeft", 1}, {"cmdHRight", 1}, {"cmdVTop", 2}, {"cmdVBottom", 2}};
    for (const auto& t : toggles) {
        TSpeedButton* button = named(new TSpeedButton(&bar), t.name);
        button->SetGroupIndex(t.group);
        button->SetAllowAllUp(true);
    }
    bar.findChild<TSpeedButton*>(QStringLiteral("cmdFett"))->SetDown(true);
    bar.findChild<TSpeedButton*>(QStringLiteral("cmdHRight"))->SetDown(true);

    TToolbarDefaults d = ReadToolbarDefaults(&bar);
    EXPECT_EQ(d.PenColor, gdi::Rgb(0, 0x80, 0));
    EXPECT_FLOAT_EQ(d.PenWidth, 0.7f);
    EXPECT_EQ(d.FillColor, 1u);
    EXPECT_EQ(d.FontName, "Courier New");
    EXPECT_EQ(d.FontColor, gdi::Rgb(0x80, 0, 0));
    EXPECT_EQ(d.FontStyle, fsBold);
    EXPECT_EQ(d.HorizontalAlignment, std::optional<uint8_t>(2));
    EXPECT_EQ(d.VerticalAlignment, std::nullopt);  // no button down: the figure's own

    // The first entry is a size like the others; an unreadable text falls back.
    const struct {
        int index;
        const char* text;
        int32_t points;
    } sizes[] = {{0, nullptr, 2}, {2, nullptr, 14}, {-1, "abc", 8}};
    for (const auto& s : sizes) {
        size->setCurrentIndex(s.index);
        if (s.text) size->setEditText(QString::fromLatin1(s.text));
        EXPECT_EQ(ReadToolbarDefaults(&bar).FontSize, s.points) << s.index;
    }
    fontName->setCurrentIndex(-1);
    EXPECT_EQ(ReadToolbarDefaults(&bar).FontName, "Arial");
}

TEST(ToolbarDefaults, TheFillButtonsValueOneMeansNoFill) {
    TFillData fill;
    TToolbarDefaults d;
    d.FillColor = 1;
    d.ApplyFill(fill);
    EXPECT_EQ(fill.Kind(), 0);
    d.FillColor = gdi::Rgb(0x10, 0x20, 0x30);
    d.ApplyFill(fill);
    EXPECT_EQ(fill.Kind(), fkColor);
    EXPECT_EQ(fill.Color(), gdi::Rgb(0x10, 0x20, 0x30));
}

// ---- the document window

// A recording stand-in for a field text.
class RecordingRectangle : public TRechteck {
public:
    using TRechteck::TRechteck;
    void SetFromPixelRect(TPoint p1, TPoint p2) override {
        given = {p1.x, p1.y, p2.x, p2.y};
        TRechteck::SetFromPixelRect(p1, p2);
    }
    TRect given;
};

class EditingTest : public MasterPrintTest {
protected:
    void SetUp() override {
        MasterPrintTest::SetUp();
        oldGrid_ = RasterWeite;
    }
    void TearDown() override {
        SetGridX(oldGrid_);
        SetPictureChooser(nullptr);
        SetBarcodeDialog({});
        SetTrackTableDialog({});
        SetFieldTextMaker({});
        SetIndexPrintWindow({});
        MasterPrintTest::TearDown();
    }

    // A shown main window with one document on a sheet of one 100 x 60 mm
    // label, at zoom 2 and scrolled to the top left.
    TChild& OpenDocument() {
        TMaster& m = CreateMaster();
        m.resize(1100, 800);
        m.show();
        TChild* child = m.NewDocumentWindow();
        TEtikett sheet;
        sheet.SetDefaults();
        sheet.SetName("Test");
        SetGrid(sheet, 1, 1, 100, 60, 0, 0, 0, 0);
        child->ApplyEtikett(sheet);
        child->MMWin().ZoomAt(2, 50, 30);
        ReturnToLoop();
        SetGridX(1);
        return *child;
    }

    // The tool bar's style control of the name (the main window's own stands
    // in for it until it has its colour and width buttons).
    template <class T>
    T* StyleButton(const char* name) {
        if (auto* own = master->findChild<T*>(QString::fromLatin1(name))) return own;
        auto* button = new T(master.get());
        button->setObjectName(QString::fromLatin1(name));
        button->hide();
        return button;
    }

    static TScaleCanvas& View(TChild& c) { return c.MMWin().GetScaleCanvas(); }
    static QPoint At(TChild& c, double xmm, double ymm) {
        return {View(c).MMToPixelX(static_cast<float>(xmm)), View(c).MMToPixelY(static_cast<float>(ymm))};
    }

    // A rectangle centred at (x, y) mm.
    static TRechteck& AddBox(TChild& c, double x, double y, double w, double h) {
        // Filled: hit inside, not only on the outline.
        return AddFilledFigure<TRechteck>(*c.CurrentDesign(), x, y, w, h, gdi::Rgb(0xC0, 0xE0, 0xFF));
    }

    static void Mouse(TChild& c, QEvent::Type type, QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier,
                      Qt::MouseButton button = Qt::LeftButton) {
        QWidget* view = c.MMWin().viewport();
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent e(type, p, view->mapToGlobal(p), type == QEvent::MouseMove ? Qt::NoButton : button, held, mods);
        QCoreApplication::sendEvent(view, &e);
    }
    static void Drag(TChild& c, QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        Mouse(c, QEvent::MouseButtonPress, from, mods);
        Mouse(c, QEvent::MouseMove, (from + to) / 2, mods);
        Mouse(c, QEvent::MouseMove, to, mods);
        Mouse(c, QEvent::MouseButtonRelease, to, mods);
    }
    static void Key(QWidget* target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, QEvent::Type type = QEvent::KeyPress) {
        QKeyEvent e(type, key, mods);
        QCoreApplication::sendEvent(target, &e);
    }
    static void FocusView(TChild& c) {
        QApplication::setActiveWindow(c.window());
        c.MMWin().setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), &c.MMWin());
    }

    double oldGrid_ = 5;
};

TEST_F(EditingTest, ARubberBandSelectsOnlyFiguresWhollyInsideAndShiftTogglesWithoutDeselecting) {
    TChild& c = OpenDocument();
    TEinzelEtikett& d = *c.CurrentDesign();
    TRechteck& a = AddBox(c, 20, 20, 10, 10);
    TRechteck& b = AddBox(c, 50, 20, 10, 10);
    TRechteck& e = AddBox(c, 80, 20, 10, 10);

    // Around a wholly, through b: a only.
    Drag(c, At(c, 10, 5), At(c, 50, 35));
    EXPECT_TRUE(d.IsSelected(&a));
    EXPECT_FALSE(d.IsSelected(&b));
    EXPECT_FALSE(d.IsSelected(&e));

    // Shift on empty space keeps the selection; the band toggles b and e.
    Drag(c, At(c, 40, 5), At(c, 95, 35), Qt::ShiftModifier);
    EXPECT_EQ(d.SelectedCount(), 3);
    // Shift+click on a selected figure takes it out.
    Mouse(c, QEvent::MouseButtonPress, At(c, 50, 20), Qt::ShiftModifier);
    Mouse(c, QEvent::MouseButtonRelease, At(c, 50, 20), Qt::ShiftModifier);
    EXPECT_FALSE(d.IsSelected(&b));
    EXPECT_EQ(d.SelectedCount(), 2);

    // A plain click on empty space deselects everything.
    Mouse(c, QEvent::MouseButtonPress, At(c, 5, 50));
    Mouse(c, QEvent::MouseButtonRelease, At(c, 5, 50));
    EXPECT_EQ(d.SelectedCount(), 0);
}

TEST_F(EditingTest, AMoveLandsOnTheGridAndCtrlKeepsOnlyTheLargerDirection) {
    TChild& c = OpenDocument();
    TEinzelEtikett& d = *c.CurrentDesign();
    TRechteck& box = AddBox(c, 20, 20, 10, 10);
    const double pixel = View(c).PixelToMM(1);

    // A press on an unselected figure selects it and moves it; the edges
    // snap to whole mm (as near as the pixels of the view come).
    Drag(c, At(c, 20, 20), At(c, 30.3, 24.2));
    EXPECT_TRUE(d.IsSelected(&box));
    EXPECT_NEAR(box.CenterX, 30, pixel);
    EXPECT_NEAR(box.CenterY, 24, pixel);
    EXPECT_TRUE(c.IsModified());

    // Ctrl: the vertical part of a mostly horizontal move is dropped, and the other way round.
    const double y = box.CenterY;
    Drag(c, At(c, 30, 24), At(c, 45, 28), Qt::ControlModifier);
    EXPECT_NEAR(box.CenterX, 45, pixel);
    EXPECT_DOUBLE_EQ(box.CenterY, y);
    const double x = box.CenterX;
    Drag(c, At(c, 45, 24), At(c, 47, 40), Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(box.CenterX, x);
    EXPECT_NEAR(box.CenterY, 40, pixel);

    // Less than 4 pixels is a click, not a move.
    const double before = box.CenterY;
    Drag(c, At(c, 45, 40), At(c, 45, 40) + QPoint(3, 3));
    EXPECT_DOUBLE_EQ(box.CenterX, x);
    EXPECT_DOUBLE_EQ(box.CenterY, before);
}

TEST_F(EditingTest, ClicksInTheShapeToolsMakeFiguresInTheToolBarsStyleAndReturnToSelect) {
    TChild& c = OpenDocument();
    TEinzelEtikett& d = *c.CurrentDesign();
    auto* pen = StyleButton<TZRColorPopupButton>("colpopPen");
    pen->SetColor(gdi::Rgb(0, 0x80, 0));
    StyleButton<TZRPenWidthButton>("ZRPenWidthButton1")->SetPenWidth(0.5);
    auto* fill = StyleButton<TZRColorPopupButton>("colpopBrush");
    const float hundredPixels = View(c).PixelToMM(100);

    const struct {
        uint8_t mode;
        int32_t fillColour;  // 1: none
        double height;       // in units of 100 pixels
    } cases[] = {{kModeRectangle, 1, 1}, {kModeEllipse, gdi::Rgb(0xFF, 0, 0), 1}, {kModeLine, 1, 0}};
    double y = 10;
    for (const auto& t : cases) {
        fill->SetColor(t.fillColour);
        c.SetModified(false);
        c.SetDrawMode(t.mode);
        const QPoint p = At(c, 10, y);
        Mouse(c, QEvent::MouseButtonPress, p);
        Mouse(c, QEvent::MouseButtonRelease, p);
        y += 20;
        ASSERT_EQ(d.FigureCount(), static_cast<int32_t>(&t - cases) + 1);
        auto* figure = dynamic_cast<TLinie*>(d.GetFigure(d.FigureCount() - 1));
        ASSERT_NE(figure, nullptr);
        EXPECT_NEAR(figure->Width, hundredPixels, 1) << int(t.mode);  // snapped to whole mm
        EXPECT_NEAR(figure->Height, hundredPixels * t.height, 1) << int(t.mode);
        EXPECT_EQ(figure->PenColor, gdi::Rgb(0, 0x80, 0));
        EXPECT_FLOAT_EQ(figure->PenWidth, 0.5f);
        if (auto* shape = dynamic_cast<TRechteck*>(figure)) {
            EXPECT_EQ(shape->Fill->Kind(), t.fillColour == 1 ? 0 : fkColor);
            if (t.fillColour != 1) {
                EXPECT_EQ(shape->Fill->Color(), static_cast<gdi::Color>(t.fillColour));
            }
        }
        EXPECT_EQ(d.SelectedCount(), 1);
        EXPECT_TRUE(d.IsSelected(figure));
        EXPECT_TRUE(c.IsModified());
        EXPECT_EQ(c.DrawMode(), kModeSelect);
        EXPECT_TRUE(master->Button("cmdPfeil")->Down());
    }
    EXPECT_TRUE(dynamic_cast<TEllipse*>(d.GetFigure(1)));
}

TEST_F(EditingTest, ToolsWhoseDialogIsCancelledOrThatHaveNoFigureCreateNothing) {
    TChild& c = OpenDocument();
    TEinzelEtikett& d = *c.CurrentDesign();
    SetPictureChooser([](QString&, QWidget*) { return false; });
    SetBarcodeDialog([](TZRBarcode&, TDataSet*) { return false; });
    SetTrackTableDialog([](TZRTrackTabelleData&) { return false; });
    SetIndexPrintWindow([](QWidget*) { return std::optional<TIndexPrintResult>(); });
    for (const uint8_t mode : std::initializer_list<uint8_t>{kModePicture, kModeClipart, kModeBarcode, kModeTrackTable, kModeIndexPrint, kModeText, uint8_t{5},
                               kModeRotatedText, kModeFieldText, kModeAutoShape}) {
        c.SetModified(false);
        c.SetDrawMode(mode);
        Drag(c, At(c, 10, 10), At(c, 40, 30));
        EXPECT_EQ(d.FigureCount(), 0) << int(mode);
        EXPECT_FALSE(c.IsModified()) << int(mode);
        EXPECT_EQ(c.DrawMode(), kModeSelect) << int(mode);
    }
    EXPECT_FALSE(DrawModeAvailable(kModeText));
    EXPECT_TRUE(DrawModeAvailable(kModeBarcode));
}

TEST_F(EditingTest, TheTrackTableToolPlacesItsTableVisibleInTheToolBarsFont) {
    TChild& c = OpenDocument();
    TEinzelEtikett& d = *c.CurrentDesign();
    SetTrackTableDialog([](TZRTrackTabelleData& tracks) {
        tracks.AddTrack("Erster", "3:08");
        return true;
    });
    StyleButton<TZRColorPopupButton>("colpopPen")->SetColor(kNoColor);
    EXPECT_TRUE(DrawModeAvailable(kModeTrackTable));
    c.SetDrawMode(kModeTrackTable);
    Drag(c, At(c, 10, 10), At(c, 60, 40));
    ASSERT_EQ(d.FigureCount(), 1);
    auto* table = dynamic_cast<TTracktabelle*>(d.GetFigure(0));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->TrackData->GetTitle(0), "Erster");
    // Neither fill nor pen from the tool bar: a black pen, so that it shows.
    EXPECT_EQ(table->PenStyle, kPenSolid);
    EXPECT_EQ(table->PenColor, 0u);
    EXPECT_EQ(table->Font.Name(), ReadToolbarDefaults(master.get()).FontName);
    EXPECT_TRUE(c.IsModified());
}

TEST_F(EditingTest, ACreatorThatThrowsStillEndsTheToolAndTheGesture) {
    TChild& c = OpenDocument();
    SetBarcodeDialog([](TZRBarcode&, TDataSet*) -> bool { throw std::runtime_error("dialog failed"); });
    c.SetDrawMode(kModeBarcode);
    const QPoint p = At(c, 10, 10);
    c.pbMouseDown(Qt::LeftButton, 0, p.x(), p.y());
    EXPECT_THROW(c.pbMouseUp(Qt::LeftButton, 0, p.x() + 50, p.y() + 50), std::runtime_error);
    EXPECT_EQ(c.DrawMode(), kModeSelect);
    EXPECT_TRUE(master->Button("cmdPfeil")->Down());
    EXPECT_FALSE(c.Gesture().Dragging);
    EXPECT_EQ(c.CurrentDesign()->FigureCount(), 0);
}

TEST_F(EditingTest, ArrowKeysMoveTurnAndResizeButNoFigureKeyActsWhileAnEditHasTheFocus) {
    TChild& c = OpenDocument();
    TEinzelEtikett& d = *c.CurrentDesign();
    SetGridX(2);
    TRechteck& box = AddBox(c, 40, 30, 10, 10);
    d.SelectFigure(0);
    FocusView(c);
    QWidget* view = &c.MMWin();

    const struct {
        int key;
        Qt::KeyboardModifiers mods;
        double x, y, w, h, angle;
    } cases[] = {
        {Qt::Key_Right, Qt::NoModifier, 42, 30, 10, 10, 0},
        {Qt::Key_Up, Qt::NoModifier, 42, 28, 10, 10, 0},
        {Qt::Key_Right, Qt::ShiftModifier, 42, 28, 12, 10, 0},
        {Qt::Key_Up, Qt::ShiftModifier, 42, 28, 12, 12, 0},
        {Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier, 42, 28, 12, 12, -RasterWinkel},  // Ctrl wins
        {Qt::Key_Right, Qt::ControlModifier, 42, 28, 12, 12, 15 - RasterWinkel},
    };
    for (const auto& k : cases) {
        Key(view, k.key, k.mods);
        EXPECT_NEAR(box.CenterX, k.x, 1e-6) << k.key << " " << k.mods;
        EXPECT_NEAR(box.CenterY, k.y, 1e-6) << k.key << " " << k.mods;
        EXPECT_NEAR(box.Width, k.w, 1e-6) << k.key << " " << k.mods;
        EXPECT_NEAR(box.Height, k.h, 1e-6) << k.key << " " << k.mods;
        EXPECT_NEAR(std::remainder(box.Angle - k.angle, 360), 0, 1e-6) << k.key << " " << k.mods;
    }

    // In a field's edit the arrows belong to the text.
    d.FieldList.Clear();
    d.FieldList.AddField("Name", "Wert");
    c.mnuFeldlisteAnzeigenClick();
    c.BuildFieldPanel();
    QLineEdit* edit = c.FieldPanelRows().Edit(0);
    ASSERT_NE(edit, nullptr);
    edit->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), edit);
    d.SelectFigure(0);
    edit->setCursorPosition(4);
    Key(edit, Qt::Key_Left);
    EXPECT_EQ(edit->cursorPosition(), 3);
    EXPECT_NEAR(box.CenterX, 42, 1e-6);
    // Delete and keypad plus edit the text, not the figures.
    Key(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->text(), "Wer");
    Key(edit, Qt::Key_Plus, Qt::KeypadModifier);
    Key(edit, Qt::Key_Plus, Qt::KeypadModifier, QEvent::KeyRelease);
    EXPECT_EQ(d.FigureCount(), 1);
    EXPECT_TRUE(d.IsSelected(&box));
    // Keys of any focus: Space is the select tool, F2 the zoom tool.
    c.SetDrawMode(kModeRectangle);
    Key(edit, Qt::Key_F2);
    EXPECT_EQ(c.DrawMode(), kModeZoom);
}

TEST_F(EditingTest, TabCyclesTheFiguresAndKeypadPlusDuplicates) {
    TChild& c = OpenDocument();
    TEinzelEtikett& d = *c.CurrentDesign();
    TRechteck& a = AddBox(c, 20, 20, 10, 10);
    AddBox(c, 50, 20, 10, 10);
    TRechteck& top = AddBox(c, 80, 20, 10, 10);
    FocusView(c);
    QWidget* view = &c.MMWin();

    Key(view, Qt::Key_Backtab, Qt::ShiftModifier);  // no selection: the topmost
    EXPECT_TRUE(d.IsSelected(&top));
    Key(view, Qt::Key_Tab);  // after the last, the first
    EXPECT_TRUE(d.IsSelected(&a));
    EXPECT_EQ(d.SelectedCount(), 1);

    Key(view, Qt::Key_Plus, Qt::KeypadModifier, QEvent::KeyRelease);
    ASSERT_EQ(d.FigureCount(), 4);
    EXPECT_TRUE(d.IsSelected(d.GetFigure(3)));
    EXPECT_DOUBLE_EQ(d.GetFigure(3)->CenterX, a.CenterX);
    // The plus of the main keyboard does not.
    Key(view, Qt::Key_Plus, Qt::NoModifier, QEvent::KeyRelease);
    EXPECT_EQ(d.FigureCount(), 4);
}

TEST_F(EditingTest, ZoomKeysStopAtTheLimitsAndTheZoomToolZoomsByClicksAndRectangles) {
    TChild& c = OpenDocument();
    FocusView(c);
    QWidget* view = &c.MMWin();
    const struct {
        double from;
        int key;
        double to;
    } steps[] = {{7.9, Qt::Key_Period, 8}, {0.3, Qt::Key_Comma, 0.2}, {1, Qt::Key_Period, 1.25}, {1, Qt::Key_Comma, 0.75}};
    for (const auto& s : steps) {
        c.MMWin().ZoomCentered(s.from);
        Key(view, s.key, Qt::ControlModifier);
        EXPECT_NEAR(c.MMWin().GetZoom(), s.to, 1e-5) << s.from;
    }
    // Without Ctrl the keys do nothing.
    c.MMWin().ZoomCentered(1);
    Key(view, Qt::Key_Period);
    EXPECT_NEAR(c.MMWin().GetZoom(), 1, 1e-6);

    c.SetDrawMode(kModeZoom);
    Drag(c, {200, 200}, {201, 200});
    EXPECT_NEAR(c.MMWin().GetZoom(), 1 / 0.7, 1e-4);
    EXPECT_EQ(c.DrawMode(), kModeZoom);  // the zoom tool stays
    Drag(c, {100, 100}, {300, 300}, Qt::ControlModifier);
    EXPECT_NEAR(c.MMWin().GetZoom(), 1, 1e-4);
    // A rectangle fills the view: a larger zoom.
    Drag(c, {100, 100}, {200, 150});
    EXPECT_GT(c.MMWin().GetZoom(), 2);
    // A right click zooms out by 0.3, not below 0.2.
    for (const auto& [from, to] : {std::pair{1.0, 0.7}, std::pair{0.3, 0.2}}) {
        c.MMWin().ZoomCentered(from);
        Mouse(c, QEvent::MouseButtonPress, {200, 200}, Qt::NoModifier, Qt::RightButton);
        Mouse(c, QEvent::MouseButtonRelease, {200, 200}, Qt::NoModifier, Qt::RightButton);
        EXPECT_NEAR(c.MMWin().GetZoom(), to, 1e-5) << from;
    }
}

TEST_F(EditingTest, OnlyTheToolsWhoseFiguresExistCanBeChosen) {
    OpenDocument();
    ReturnToLoop();
    for (const char* name : {"cmdPfeil", "cmdZoomRect", "cmdLinie", "cmdRechteck", "cmdKreis", "cmdRaruvir", "cmdBarcode"})
        EXPECT_TRUE(master->Button(name)->isEnabled()) << name;
    for (const char* name : {"cmdRTF", "cmdText", "cmdFieldText", "cmdWordart", "cmdZaehlerfeld"})
        EXPECT_FALSE(master->Button(name)->isEnabled()) << name;
}

TEST_F(EditingTest, TheFieldPanelShowsTheFieldsAndCommitsTheTypedValue) {
    TChild& c = OpenDocument();
    TEinzelEtikett& d = *c.CurrentDesign();
    d.FieldList.Clear();
    const std::string id = d.FieldList.AddField("Vorname", "Anna");
    d.FieldList.AddField("Name", "Berg");

    c.mnuFeldlisteAnzeigenClick();
    c.BuildFieldPanel();
    TFieldPanel& panel = c.FieldPanelRows();
    ASSERT_EQ(panel.RowCount(), 2);
    EXPECT_EQ(panel.Caption(1)->text(), QStringLiteral("Name"));
    EXPECT_EQ(panel.Edit(0)->text(), QStringLiteral("Anna"));
    EXPECT_EQ(c.FieldPanel().height(), 2 * 40 + 10);
    EXPECT_TRUE(master->MenuItem("mnuFeldlisteAnzeigen")->isChecked());

    // Typing the same text as on entry changes nothing.
    QLineEdit* edit = panel.Edit(0);
    QApplication::setActiveWindow(c.window());
    edit->setFocus(Qt::OtherFocusReason);
    c.SetModified(false);
    edit->setText(QStringLiteral("Anna"));
    c.CommitFieldEdit();
    EXPECT_FALSE(c.IsModified());

    // A save commits the value still in the edit, which keeps the focus.
    edit->setText(QStringLiteral("Bea"));
    c.CommitFieldEdit();
    EXPECT_EQ(d.FieldList.GetValueById(id), "Bea");
    EXPECT_TRUE(c.IsModified());
    EXPECT_EQ(QApplication::focusWidget(), edit);

    // Down in the last row goes to the first; Up in the first to the last.
    panel.Edit(1)->setFocus(Qt::OtherFocusReason);
    Key(panel.Edit(1), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), panel.Edit(0));
    Key(panel.Edit(0), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), panel.Edit(1));

    // Rows are as wide as the panel less its margin, less the scroll bar's
    // room while the rows do not fit in height.
    EXPECT_EQ(edit->width(), c.FieldPanel().width() - 10);
    for (int i = 0; i < 18; ++i) d.FieldList.AddField("Feld" + std::to_string(i), "");
    c.BuildFieldPanel();
    ASSERT_EQ(panel.RowCount(), 20);
    ASSERT_GT(c.FieldPanel().height(), c.FieldScrollBox().height());
    EXPECT_EQ(panel.Edit(19)->width(), c.FieldPanel().width() - 10 - 20);

    // Hidden and shown again, the panel keeps its width.
    c.FieldScrollBox().setFixedWidth(160);
    c.mnuFeldlisteAnzeigenClick();
    EXPECT_FALSE(c.FieldScrollBox().isVisible());
    c.mnuFeldlisteAnzeigenClick();
    EXPECT_EQ(c.FieldScrollBox().width(), 160);
}

TEST_F(EditingTest, AFieldNameDroppedOnThePageBecomesAFieldTextOfAZoomSizedBox) {
    TChild& c = OpenDocument();
    TEinzelEtikett& d = *c.CurrentDesign();
    d.FieldList.Clear();
    d.FieldList.AddField("Vorname", "Anna");
    const std::string second = d.FieldList.AddField("Name", "Berg");
    c.mnuFeldlisteAnzeigenClick();
    c.BuildFieldPanel();
    QWidget* view = c.MMWin().viewport();

    auto drop = [&](QPoint at, const QByteArray& payload) {
        QMimeData data;
        data.setData(QString::fromLatin1(TFieldPanel::kMimeType), payload);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &dropped);
        return dropped.isAccepted();
    };
    const QByteArray field1 = c.FieldPanelRows().DragText(1).toUtf8();

    // Until field texts exist, the drop is refused.
    EXPECT_FALSE(drop({300, 200}, field1));
    EXPECT_EQ(d.FigureCount(), 0);

    std::vector<std::string> boundIds;
    SetFieldTextMaker([&](TChildBase& owner, const std::string& id, const TToolbarDefaults&) {
        boundIds.push_back(id);
        return std::make_unique<RecordingRectangle>(&owner);
    });
    EXPECT_FALSE(drop({300, 200}, "not a field"));
    EXPECT_FALSE(drop({300, 200}, "0/1"));  // another window's panel
    const struct {
        double zoom;
        TRect box;
    } cases[] = {{1, {240, 185, 360, 215}}, {2, {180, 170, 420, 230}}};
    for (const auto& t : cases) {
        c.MMWin().ZoomCentered(t.zoom);
        c.SetModified(false);
        EXPECT_TRUE(drop({300, 200}, field1));
        auto* figure = dynamic_cast<RecordingRectangle*>(d.GetFigure(d.FigureCount() - 1));
        ASSERT_NE(figure, nullptr);
        EXPECT_EQ(figure->given, t.box) << t.zoom;
        EXPECT_TRUE(d.IsSelected(figure));
        EXPECT_EQ(d.SelectedCount(), 1);
        EXPECT_TRUE(c.IsModified());
    }
    EXPECT_EQ(boundIds, (std::vector<std::string>{second, second}));
}

QString& ChosenPicture() {
    static QString file;
    return file;
}

TEST_F(EditingTest, APictureFillsTheDraggedBoxOrTheMiddleOfTheViewInItsProportions) {
    TChild& c = OpenDocument();
    TEinzelEtikett& d = *c.CurrentDesign();
    QImage wide(200, 100, QImage::Format_RGB32);
    wide.fill(Qt::darkCyan);
    ChosenPicture() = TempPath(QStringLiteral("wide.png"));
    ASSERT_TRUE(wide.save(ChosenPicture()));
    SetPictureChooser([](QString& fileName, QWidget*) {
        fileName = ChosenPicture();
        return true;
    });

    c.SetDrawMode(kModePicture);
    Drag(c, At(c, 10, 10), At(c, 50, 50));
    ASSERT_EQ(d.FigureCount(), 1);
    TFigure& drawn = *d.GetFigure(0);
    EXPECT_NEAR(drawn.Width, 40, 0.5);
    EXPECT_NEAR(drawn.Height, 20, 0.5);  // shrunk to the picture's 2 : 1
    EXPECT_TRUE(d.IsSelected(&drawn));
    EXPECT_EQ(c.DrawMode(), kModeSelect);

    c.SetModified(false);
    c.InsertPictureFile();
    ASSERT_EQ(d.FigureCount(), 2);
    TFigure& inserted = *d.GetFigure(1);
    const TRect extent = inserted.GetPixelExtent();
    const int w = c.MMWin().ClientWidth();
    const int h = c.MMWin().ClientHeight();
    EXPECT_GE(extent.left, w / 10 - 4);
    EXPECT_LE(extent.right, w * 9 / 10 + 4);  // the extent holds the pen
    EXPECT_GE(extent.top, h / 10 - 4);
    EXPECT_LE(extent.bottom, h * 9 / 10 + 4);
    EXPECT_NEAR(inserted.Width / inserted.Height, 2, 0.05);
    EXPECT_TRUE(c.IsModified());

    // A file that is no picture is reported and makes nothing.
    ChosenPicture() = TempPath(QStringLiteral("broken.png"));
    QFile broken(ChosenPicture());
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("no picture");
    broken.close();
    c.SetDrawMode(kModePicture);
    Drag(c, At(c, 10, 10), At(c, 50, 50));
    EXPECT_EQ(d.FigureCount(), 2);
    EXPECT_EQ(c.DrawMode(), kModeSelect);
}

TEST_F(EditingTest, ModifierKeysRedrawTheRubberBandAtOnceAndRightClicksOpenTheFiguresMenu) {
    TChild& c = OpenDocument();
    FocusView(c);
    QPoint cursor;
    c.MMWin().CursorPosition = [&cursor] { return cursor; };
    c.SetDrawMode(kModeEllipse);
    const QPoint start = At(c, 20, 30);
    const QPoint end = At(c, 30, 27);
    Mouse(c, QEvent::MouseButtonPress, start);
    cursor = end;
    Mouse(c, QEvent::MouseMove, end);
    const TPoint rubberEnd = c.Gesture().RubberEnd;
    Key(&c.MMWin(), Qt::Key_Control, Qt::ControlModifier);
    const TPoint square = c.Gesture().RubberEnd;
    EXPECT_EQ(square.x, rubberEnd.x);
    EXPECT_EQ(square.x - start.x(), start.y() - square.y);  // as high as wide
    Key(&c.MMWin(), Qt::Key_Control, Qt::NoModifier, QEvent::KeyRelease);
    EXPECT_EQ(c.Gesture().RubberEnd, rubberEnd);
    Mouse(c, QEvent::MouseButtonRelease, end);
    ASSERT_EQ(c.CurrentDesign()->FigureCount(), 1);

    // The figures' menu: on the selection, on an unselected figure, on empty space.
    std::vector<int32_t> states;
    c.OnFiguresMenu = [&states](QPoint, int32_t state) { states.push_back(state); };
    TRechteck& other = AddBox(c, 70, 30, 10, 10);
    Mouse(c, QEvent::MouseButtonPress, At(c, 70, 30), Qt::NoModifier, Qt::RightButton);
    EXPECT_TRUE(c.CurrentDesign()->IsSelected(&other));
    EXPECT_EQ(c.CurrentDesign()->SelectedCount(), 1);
    Mouse(c, QEvent::MouseButtonPress, At(c, 70, 30), Qt::NoModifier, Qt::RightButton);
    Mouse(c, QEvent::MouseButtonPress, At(c, 95, 55), Qt::NoModifier, Qt::RightButton);
    Key(&c.MMWin(), Qt::Key_Menu);
    EXPECT_EQ(states, (std::vector<int32_t>{1, 2, 0, 2}));
}

TEST_F(EditingTest, ADoubleClickOpensTheDialogOfTheOneSelectedFigure) {
    TChild& c = OpenDocument();
    TEinzelEtikett& d = *c.CurrentDesign();
    int dialogs = 0;
    SetBarcodeDialog([&dialogs](TZRBarcode&, TDataSet*) {
        ++dialogs;
        return true;
    });
    c.SetDrawMode(kModeBarcode);
    Drag(c, At(c, 10, 10), At(c, 40, 30));
    ASSERT_EQ(d.FigureCount(), 1);
    ASSERT_EQ(dialogs, 1);
    AddBox(c, 70, 30, 10, 10);
    auto doubleClick = [&c](QPoint p) {
        Mouse(c, QEvent::MouseButtonPress, p);
        Mouse(c, QEvent::MouseButtonRelease, p);
        Mouse(c, QEvent::MouseButtonDblClick, p);
        Mouse(c, QEvent::MouseButtonRelease, p);
    };
    doubleClick(At(c, 25, 20));
    EXPECT_EQ(dialogs, 2);
    // A rectangle has no dialog; two figures are not one.
    doubleClick(At(c, 70, 30));
    d.SelectAll();
    c.EditSelectedFigure();
    EXPECT_EQ(dialogs, 2);
}

TEST_F(EditingTest, ViewSwitchesToggleTheSheetAndTheirMenuItems) {
    TChild& c = OpenDocument();
    QAction* turned = master->MenuItem("mnuBogenGedreht");
    QAction* back = master->MenuItem("mnuBogenRueckseite");
    // A sheet that may not be turned or printed on its back stays as it is.
    c.mnuBogenGedrehtClick();
    c.mnuBogenRueckseiteClick();
    EXPECT_EQ(c.GetEtikett().SheetTurned, 0);
    EXPECT_FALSE(turned->isChecked());
    EXPECT_FALSE(back->isChecked());

    c.GetEtikett().SetCapabilities(kCapabilityMayTurn | kCapabilityBackSide);
    c.mnuBogenRueckseiteClick();
    EXPECT_EQ(c.GetEtikett().BackSide, 1);
    EXPECT_TRUE(back->isChecked());
    c.mnuBogenGedrehtClick();
    EXPECT_EQ(c.GetEtikett().SheetTurned, 1);
    EXPECT_TRUE(turned->isChecked());
    c.mnuBogenGedrehtClick();
    EXPECT_EQ(c.GetEtikett().SheetTurned, 0);
    EXPECT_FALSE(turned->isChecked());

    const bool grid = master->Button("cmdGitter")->Down();
    c.mnuAnsichtGitterClick();
    EXPECT_NE(master->Button("cmdGitter")->Down(), grid);
    EXPECT_EQ(master->MenuItem("mnuAnsichtGitter")->isChecked(), !grid);

    const bool hint = master->MenuItem("mnuVerwendungshinweis")->isChecked();
    c.mnuVerwendungshinweisClick();
    EXPECT_NE(master->MenuItem("mnuVerwendungshinweis")->isChecked(), hint);
}

// A line, a rectangle and an ellipse drawn with the mouse on the 5 mm grid,
// the rectangle selected, moved and turned as a user does it. With
// ZORBIT_SCREENSHOTS set to a folder, each step is saved there.
TEST_F(EditingTest, DrawSelectMoveAndTurnWithTheMouseAndKeys) {
    TChild& c = OpenDocument();
    TEinzelEtikett& d = *c.CurrentDesign();
    SetGridX(5);
    const gdi::Color brush = gdi::Rgb(0xFF, 0xE0, 0x80);
    StyleButton<TZRColorPopupButton>("colpopBrush")->SetColor(brush);
    auto shot = [&](const char* name) {
        ReturnToLoop();
        SaveScreenshot(*master, name, true);
    };
    const struct {
        uint8_t mode;
        QPoint from, to;
        TFigureKind kind;
    } strokes[] = {{kModeLine, At(c, 10, 10), At(c, 90, 15), TFigureKind::Linie},
                   {kModeRectangle, At(c, 10, 20), At(c, 45, 50), TFigureKind::Rechteck},
                   {kModeEllipse, At(c, 55, 20), At(c, 90, 50), TFigureKind::Ellipse}};
    for (const auto& s : strokes) {
        c.SetDrawMode(s.mode);
        ReturnToLoop();
        Mouse(c, QEvent::MouseButtonPress, s.from);
        Mouse(c, QEvent::MouseMove, (s.from + s.to) / 2);
        Mouse(c, QEvent::MouseMove, s.to);
        const int32_t before = d.FigureCount();
        if (s.mode == kModeEllipse) SaveScreenshot(*master, "edit-rubber", true);
        Mouse(c, QEvent::MouseButtonRelease, s.to);
        ASSERT_EQ(d.FigureCount(), before + 1);  // made on the release, not while dragging
        EXPECT_EQ(d.GetFigure(before)->Kind, s.kind);
    }
    auto& rect = static_cast<TRechteck&>(*d.GetFigure(1));
    EXPECT_NEAR(rect.CenterX, 27.5, 1e-6);
    EXPECT_NEAR(rect.CenterY, 35, 1e-6);
    EXPECT_NEAR(rect.Width, 35, 1e-6);
    EXPECT_NEAR(rect.Height, 30, 1e-6);
    EXPECT_EQ(rect.Fill->Color(), brush);
    shot("edit-drawn");

    Mouse(c, QEvent::MouseButtonPress, At(c, 5, 55));
    Mouse(c, QEvent::MouseButtonRelease, At(c, 5, 55));
    EXPECT_EQ(d.SelectedCount(), 0);
    Mouse(c, QEvent::MouseButtonPress, At(c, 30, 35));
    Mouse(c, QEvent::MouseButtonRelease, At(c, 30, 35));
    ASSERT_EQ(d.SelectedCount(), 1);
    EXPECT_EQ(d.GetSelected(0), &rect);
    shot("edit-selected");

    Mouse(c, QEvent::MouseButtonPress, At(c, 30, 35));
    Mouse(c, QEvent::MouseMove, At(c, 35, 37));
    Mouse(c, QEvent::MouseMove, At(c, 40, 40));
    EXPECT_NEAR(rect.CenterX, 27.5, 1e-6);  // only its outline moves until the release
    SaveScreenshot(*master, "edit-moving", true);
    Mouse(c, QEvent::MouseButtonRelease, At(c, 40, 40));
    // Moved by the mouse's way, to the pixel.
    const double pixel = 1.0 / View(c).ScaleX;
    EXPECT_NEAR(rect.CenterX, 37.5, pixel);
    EXPECT_NEAR(rect.CenterY, 40, pixel);
    const double movedX = rect.CenterX;
    shot("edit-moved");

    FocusView(c);
    Key(&c.MMWin(), Qt::Key_Right, Qt::ControlModifier);
    const double step = rect.Angle;
    EXPECT_NE(step, 0);
    Key(&c.MMWin(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_NEAR(std::remainder(rect.Angle - 2 * step, 360), 0, 1e-6);
    EXPECT_DOUBLE_EQ(rect.CenterX, movedX);  // turned about its centre
    shot("edit-turned");
}

}  // namespace

// A person's road through the track list, for the eye: a fake drive with a
// disc, a CDDB server on the loopback address that offers two matches, the
// real dialogs driven as a user would, the table on the label and printed
// into a PDF file.
TEST_F(EditingTest, TrackTableScreenshots) {
    if (!std::getenv("ZORBIT_SCREENSHOTS")) GTEST_SKIP() << "ZORBIT_SCREENSHOTS names no folder";
    loopback::LoopbackHttpServer server;
    cdaudio::InstallDriveSystem(cdaudio::MakeFakeDriveSystem(
        {{"/dev/sr0", cdaudio::TocFromFrames({150, 14290, 35635, 52000, 70100, 91375}, 110150)}}));
    Settings().WriteString(kCddbSection, "Server", "127.0.0.1 http " + std::to_string(server.Port()) + " /~cddb/cddb.cgi N0 W0 Test");
    const auto http = [](const std::string& body) {
        return "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    };
    server.QueueAnswers({http("211 close matches found\r\nrock 4a05ba06 Die Kroxa Band / Nachtfahrt\r\n"
                              "misc 4a05ba06 Die Kroxa Band / Nachtfahrt (Live)\r\n.\r\n"),
                         http("210 rock 4a05ba06 CD database entry follows\r\n# xmcd\r\n"
                              "DTITLE=Die Kroxa Band / Nachtfahrt\r\nTTITLE0=Aufbruch\r\nTTITLE1=Stadt im Regen\r\n"
                              "TTITLE2=\xDC" "ber die Br\xFC" "cke\r\nTTITLE3=Ein sehr langer Titel, der nicht in seine \r\n"
                              "TTITLE3=Spalte passt\r\nTTITLE4=\r\nTTITLE5=Heimkehr\r\n.\r\n")});
    InstallFigureDialogs();
    TChild& c = OpenDocument();
    int step = 0;
    QTimer driver;
    driver.setInterval(100);
    const auto later = [](QPushButton* b) { QTimer::singleShot(0, b, &QPushButton::click); };
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* table = qobject_cast<TDlgTrackTabelle*>(modal)) {
            if (step == 0) {
                SaveScreenshot(*table, "track-table-empty", true);
                step = 1;
                later(table->BtnAudioCD);
            } else if (step == 4) {
                SaveScreenshot(*table, "track-table-filled", true);
                step = 5;
                later(table->BtnOK);
            }
        } else if (auto* import = qobject_cast<TDlgTrackEinlesen*>(modal)) {
            if (step == 1) {
                SaveScreenshot(*import, "track-import-tracks", true);
                step = 2;
                later(import->BtnEinlesen);
            } else if (step == 3 && import->BtnOK->isEnabled()) {
                SaveScreenshot(*import, "track-import-filled", true);
                step = 4;
                later(import->BtnOK);
            }
        } else if (auto* match = qobject_cast<TDlgFreeDBMultiMatch*>(modal)) {
            if (step == 2) {
                SaveScreenshot(*match, "track-match", true);
                step = 3;
                match->lbTreffer->setCurrentRow(0);
                later(match->BtnOK);
            }
        }
    });
    driver.start();
    c.SetDrawMode(kModeTrackTable);
    Drag(c, At(c, 5, 5), At(c, 95, 55));
    driver.stop();
    ASSERT_EQ(c.CurrentDesign()->FigureCount(), 1);
    auto* table = dynamic_cast<TTracktabelle*>(c.CurrentDesign()->GetFigure(0));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->TrackData->GetTitle(2), "\xDC" "ber die Br\xFC" "cke");
    ReturnToLoop();
    SaveScreenshot(*master, "track-table-on-label", true);

    ASSERT_TRUE(gdi::SelectPrinter(gdi::PdfPrinterName()));
    gdi::Printer& pdf = gdi::CurrentPrinter();
    const QString file = QDir(QString::fromLocal8Bit(std::getenv("ZORBIT_SCREENSHOTS"))).filePath("track-table.pdf");
    pdf.SetOutputFile(file.toStdString());
    ASSERT_TRUE(pdf.BeginDoc("Titeltabelle"));
    {
        TRegionScaleCanvas canvas(&pdf.GetCanvas());
        canvas.Reset(kResetPrinter);
        table->DrawToSheetCanvas(canvas);
    }
    ASSERT_TRUE(pdf.EndDoc());
    if (test::HavePdfRenderer()) test::RenderPdfColour(file, 150).save(QString(file).replace(".pdf", "-pdf.png"));
    cdaudio::InstallDriveSystem(nullptr);
    SetCddbMatchChooser(nullptr);
    Settings().EraseSection(kCddbSection);
    QFile::remove(FreeDBCache().FileName());
}
