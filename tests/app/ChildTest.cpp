// The document window: its designs on the tab strip, the close question,
// the sheet and its bottom bar, painting, and the main window's New. With
// ZORBIT_SCREENSHOTS set to a folder, the main window is saved there with a
// document at several zooms, on an address sheet and on a CD sheet.
#include "MasterFixture.h"

#include "app/Child.h"
#include "app/MMWindow.h"
#include "app/QDXTabSet.h"
#include "app/QNLineal.h"
#include "app/SpeedButton.h"

#include "../support/FormTexts.h"
#include "../support/Screenshot.h"
#include "../support/SheetGrid.h"
#include "design/EinzelEtikett.h"
#include "document/Etikett.h"
#include "document/Stationery.h"
#include "document/widgets/DlgSelEtikett.h"
#include "figures/Ellipse.h"
#include "figures/Linie.h"
#include "figures/Rechteck.h"
#include "foundation/ExportCanvas.h"
#include "foundation/FillData.h"
#include "foundation/GeneralHelpers.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QAction>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenu>

#include <cstdlib>
#include <optional>
#include <stdexcept>

namespace {

// A sheet of columns x rows labels of 60 x 40 mm on A4.
void GridSheet(TEtikett& sheet, int32_t columns, int32_t rows) {
    sheet.SetDefaults();
    sheet.SetName("Test " + std::to_string(columns) + "x" + std::to_string(rows));
    SetGrid(sheet, columns, rows, 60, 40, 10, 10, 0, 0);
}


// A few figures of each kind on a label of about 60 x 40 mm.
void AddSampleFigures(TEinzelEtikett& design) {
    AddFilledFigure<TRechteck>(design, 20, 14, 28, 16, gdi::Rgb(0xFF, 0xE0, 0x80));
    AddFilledFigure<TEllipse>(design, 42, 24, 24, 18, gdi::Rgb(0x80, 0xC0, 0xFF));
    auto line = std::make_unique<TLinie>(&design.GetOwner());
    line->SetCenterX(30);
    line->SetCenterY(34);
    line->SetWidth(50);
    line->SetHeight(4);
    line->SetPenWidth(0.5f);
    line->SetPenColor(gdi::Rgb(0xC0, 0, 0));
    line->UpdateTransform();
    design.AddFigure(std::move(line), false);
}

class ChildTest : public MasterPrintTest {
protected:
    void SetUp() override {
        MasterPrintTest::SetUp();
        // New makes documents on the stored default sheet: one A4 label.
        TMaster::LabelTypeDialog = [](bool, QWidget*) {
            TLabelTypeChoice choice;
            choice.Result = TLabelTypeResult::Chosen;
            choice.Sheet = std::make_unique<TEtikett>();
            choice.Sheet->LoadFromSettings("Standard", "Default");
            return choice;
        };
        SetQuestionHook([this](const QString& text, TQuestionButtons buttons) {
            questions << text;
            buttonsAsked.push_back(buttons);
            if (answers.empty()) return kAnswerCancel;
            const int answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        });
    }
    void TearDown() override {
        SetQuestionHook({});
        MasterPrintTest::TearDown();
        TMaster::LabelTypeDialog = savedLabelTypeDialog_;
    }

    static QStringList Captions(const TChild& c) { return c.EtiTab().Tabs().Captions(); }

    decltype(TMaster::LabelTypeDialog) savedLabelTypeDialog_ = TMaster::LabelTypeDialog;
    QStringList questions;
    std::vector<TQuestionButtons> buttonsAsked;
    std::vector<int> answers;
};

}  // namespace

TEST_F(ChildTest, DesignsTakeTheSmallestFreeNumberAndStayWithinTheLabelsOfTheSheet) {
    TEtikett sheet;
    GridSheet(sheet, 3, 1);
    TChild& c = OpenShownDocument(&sheet);
    EXPECT_EQ(Captions(c), QStringList{QStringLiteral("Design 1")});
    EXPECT_FALSE(c.IsModified());
    EXPECT_FALSE(c.EtiMinusButton().isEnabled());

    c.cmdEtiPlusClick(true);  // an empty design: nothing is asked
    c.cmdEtiPlusClick(true);
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_EQ(Captions(c), (QStringList{QStringLiteral("Design 1"), QStringLiteral("Design 2"), QStringLiteral("Design 3")}));
    EXPECT_EQ(c.CurrentDesign(), &c.Design(2));
    EXPECT_TRUE(c.IsModified());
    EXPECT_FALSE(c.EtiPlusButton().isEnabled());  // three labels, three designs
    EXPECT_TRUE(c.EtiMinusButton().isEnabled());

    // Deleting the first asks with its name; the next new design is number 1 again.
    c.SetModified(false);
    c.SetCurrentDesignIndex(0);
    answers = {kAnswerNo, kAnswerYes};
    c.cmdEtiMinusClick();
    EXPECT_EQ(c.DesignCount(), 3);
    c.cmdEtiMinusClick();
    EXPECT_EQ(questions.back(), QStringLiteral("Soll das Design Design 1 wirklich entfernt werden?"));
    EXPECT_EQ(Captions(c), (QStringList{QStringLiteral("Design 2"), QStringLiteral("Design 3")}));
    EXPECT_EQ(c.CurrentDesign(), &c.Design(0));
    EXPECT_TRUE(c.IsModified());
    EXPECT_TRUE(c.EtiPlusButton().isEnabled());
    c.cmdEtiPlusClick(true);
    EXPECT_EQ(Captions(c), (QStringList{QStringLiteral("Design 2"), QStringLiteral("Design 3"), QStringLiteral("Design 1")}));

    // Renaming trims and cuts; an empty name is taken; the tab moves with its design.
    const struct {
        QString typed;
        QString caption;
    } names[] = {
        {QStringLiteral("  Rückseite  "), QStringLiteral("Rückseite")},
        {QString(40, QLatin1Char('x')), QString(30, QLatin1Char('x'))},
        {QStringLiteral("   "), QString()},
    };
    for (const auto& n : names) {
        c.RenameCurrentDesign(n.typed);
        EXPECT_EQ(c.DesignCaption(2), n.caption);
    }
    TEinzelEtikett* moved = c.CurrentDesign();
    c.pmTabsetPopup();
    EXPECT_TRUE(c.TabMenu().actions()[1]->isEnabled());
    EXPECT_FALSE(c.TabMenu().actions()[2]->isEnabled());
    c.mnuDesignNachLinksClick();
    c.mnuDesignNachLinksClick();
    EXPECT_EQ(c.CurrentDesignIndex(), 0);
    EXPECT_EQ(&c.Design(0), moved);
    EXPECT_EQ(c.CurrentDesign(), moved);
    c.pmTabsetPopup();
    EXPECT_FALSE(c.TabMenu().actions()[1]->isEnabled());
    EXPECT_TRUE(c.TabMenu().actions()[2]->isEnabled());
}

TEST_F(ChildTest, ANewDesignFromTheButtonMayTakeCopiesOfTheFigures) {
    TEtikett sheet;
    GridSheet(sheet, 2, 2);
    TChild& c = OpenShownDocument(&sheet);
    TEinzelEtikett& first = *c.CurrentDesign();
    AddSampleFigures(first);

    answers = {kAnswerNo};
    c.cmdEtiPlusClick(true);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], QStringLiteral("Sollen die aktuellen Elemente auf das neue Design kopiert werden?"));
    EXPECT_EQ(buttonsAsked[0], TQuestionButtons::YesNo);
    EXPECT_EQ(c.CurrentDesign()->FigureCount(), 0);

    c.SetCurrentDesignIndex(0);
    answers = {kAnswerYes};
    c.cmdEtiPlusClick(true);
    TEinzelEtikett& copy = *c.CurrentDesign();
    ASSERT_EQ(copy.FigureCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_STREQ(copy.GetFigure(i)->ClassName(), first.GetFigure(i)->ClassName()) << i;
        EXPECT_EQ(copy.GetFigure(i)->CenterX, first.GetFigure(i)->CenterX) << i;
        EXPECT_NE(copy.GetFigure(i), first.GetFigure(i));
    }
    EXPECT_EQ(copy.UndoCount(), 0);
    // The file reader's way asks nothing.
    c.cmdEtiPlusClick(false);
    EXPECT_EQ(questions.size(), 2);
}

TEST_F(ChildTest, ClosingAModifiedDocumentAsksToSaveIt) {
    enum Save { None, Saves, CancelsSaveAs };
    const struct {
        const char* what;
        bool modified;
        Save save;
        int answer;
        int result;
        bool closes;
        bool savedOnce;
        bool stillModified;
    } cases[] = {
        {"unchanged: nothing asked", false, Saves, kAnswerYes, 1, true, false, false},
        {"No: closes, nothing marked", true, Saves, kAnswerNo, kAnswerNo, true, false, false},
        {"Cancel: stays", true, Saves, kAnswerCancel, kAnswerCancel, false, false, true},
        {"Yes: saves and closes", true, Saves, kAnswerYes, kAnswerYes, true, true, false},
        {"Yes, Save As cancelled: stays", true, CancelsSaveAs, kAnswerYes, kAnswerCancel, false, true, true},
        {"Yes without a save command: stays", true, None, kAnswerYes, kAnswerCancel, false, false, true},
    };
    for (const auto& k : cases) {
        TChild& c = OpenShownDocument();
        AddSampleFigures(*c.CurrentDesign());
        c.SetModified(k.modified);
        int saves = 0;
        c.SaveCommand = nullptr;
        if (k.save != None) {
            c.SaveCommand = [&c, &saves, save = k.save] {
                ++saves;
                if (save == CancelsSaveAs) {
                    c.SetSaveAsCancelled(true);
                } else {
                    c.SetModified(false);
                }
            };
        }
        questions.clear();
        messages.clear();
        answers = {k.answer};
        EXPECT_EQ(c.AskSaveChanges(), k.result) << k.what;
        EXPECT_EQ(questions.size(), k.modified ? 1 : 0) << k.what;
        if (k.modified) {
            EXPECT_EQ(buttonsAsked.back(), TQuestionButtons::YesNoCancel);
        }
        EXPECT_EQ(saves, k.savedOnce ? 1 : 0) << k.what;
        EXPECT_EQ(c.IsModified(), k.stillModified) << k.what;
        EXPECT_FALSE(c.SaveAsCancelled()) << k.what;
        EXPECT_EQ(c.CurrentDesign()->IsModified(), k.stillModified) << k.what;
        if (k.save == None && k.answer == kAnswerYes) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, LocalizedFormat("IDS_CHILDSAVE4", {c.FileName()}));
        }

        // The same through the window's close.
        c.SetModified(k.modified);
        answers = {k.answer};
        const int before = master->DocumentCount();
        master->MdiArea()->currentSubWindow()->close();
        ReturnToLoop();
        EXPECT_EQ(master->DocumentCount(), before - (k.closes ? 1 : 0)) << k.what;
        if (!k.closes) {
            c.SaveCommand = {};
            c.SetModified(false);
            master->MdiArea()->currentSubWindow()->close();
            ReturnToLoop();
        }
        EXPECT_EQ(master->DocumentCount(), 0) << k.what;
    }
}

TEST_F(ChildTest, ASaveThatFailsKeepsTheWindowOpen) {
    TChild& c = OpenShownDocument();
    c.SetModified(true);
    c.SaveCommand = [] { throw std::runtime_error("disk full"); };
    answers = {kAnswerYes};
    messages.clear();
    // The application shows the failure; the window and its changes stay.
    EXPECT_FALSE(c.close());
    EXPECT_TRUE(c.IsModified());
    EXPECT_EQ(master->DocumentCount(), 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("disk full")));
}

TEST_F(ChildTest, NewOpensDocumentsNumberedInTheSaveFolderAndTheWindowMenuListsThem) {
    TMaster& m = CreateMaster();
    m.show();
    Settings().WriteText("Allgemein", "SaveDir", TempFolder());
    m.mnuNeuClick();
    m.mnuNeuClick();
    ReturnToLoop();
    ASSERT_EQ(m.DocumentCount(), 2);
    const QList<TMasterChild*> documents = m.Documents();
    const auto* first = dynamic_cast<TChild*>(documents[0]);
    const auto* second = dynamic_cast<TChild*>(documents[1]);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->FileName(), QDir(TempFolder()).filePath(QStringLiteral("Datei1.qem")));
    EXPECT_EQ(second->FileName(), QDir(TempFolder()).filePath(QStringLiteral("Datei2.qem")));
    EXPECT_EQ(second->windowTitle(), QStringLiteral("Datei2.qem"));
    EXPECT_FALSE(second->IsNamed());
    EXPECT_FALSE(second->IsModified());
    EXPECT_TRUE(messages.empty());
    // The stored default sheet: one A4 label, so the zoom bar instead of the tabs.
    EXPECT_FLOAT_EQ(second->MMWin().TemplateWidth(), 210);
    EXPECT_TRUE(second->EtiTab().isHidden());

    QMenu* windows = m.findChild<QMenu*>(QStringLiteral("mnuFenster"));
    emit windows->aboutToShow();
    QStringList listed;
    for (QAction* a : windows->actions())
        if (a->text().size() > 2 && a->text()[0] == QLatin1Char('&') && a->text()[1].isDigit()) listed << a->text();
    EXPECT_EQ(listed, (QStringList{QStringLiteral("&1 Datei1.qem"), QStringLiteral("&2 Datei2.qem")}));

    // The refresh enables the view buttons for the document.
    ReturnToLoop();
    EXPECT_TRUE(m.Control("cmdZoomIn")->isEnabled());
    EXPECT_TRUE(m.Control("cmdGitter")->isEnabled());
    EXPECT_TRUE(m.Control("cmdSpeichern")->isEnabled());
}

TEST_F(ChildTest, ZoomCommandsMoveTheRulersWithTheView) {
    TChild& c = OpenShownDocument();
    TMMWindow& view = c.MMWin();
    EXPECT_EQ(view.FitMode(), TMMWindow::kFitTemplate);
    auto expectRulersFollow = [&](const char* what) {
        const TScaleCanvas& s = view.WindowCanvas();
        EXPECT_DOUBLE_EQ(c.LinHori().PixPerdm(), static_cast<float>(s.Zoom * s.ResolutionX * 100)) << what;
        EXPECT_EQ(c.LinVert().PixPerdm(), c.LinHori().PixPerdm()) << what;
        EXPECT_EQ(c.LinHori().StartNull(), s.MMToPixelX(0) + TChild::kRulerSize) << what;
        EXPECT_EQ(c.LinVert().StartNull(), s.MMToPixelY(0)) << what;
    };
    expectRulersFollow("fit");
    const float fitted = view.GetZoom();
    c.ZoomCentered(1);
    master->Button("cmdZoomIn")->click();
    EXPECT_FLOAT_EQ(view.GetZoom(), 1.3f);
    expectRulersFollow("zoom in");
    master->Button("cmdZoomOut")->click();
    master->Button("cmdZoomOut")->click();
    EXPECT_FLOAT_EQ(view.GetZoom(), 0.7f);
    master->MenuItem("mnuAnsicht400")->trigger();
    EXPECT_FLOAT_EQ(view.GetZoom(), 4);
    expectRulersFollow("400%");
    view.ScrollTo(TMMWindow::kVertical, view.ScrollPosition(TMMWindow::kVertical) + 120);
    expectRulersFollow("scrolled");
    // The pointer over the view moves a mark on each ruler.
    const QPoint at(150, 90);
    QMouseEvent move(QEvent::MouseMove, at, view.viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &move);
    EXPECT_EQ(c.LinHori().CursorMark(), 150 + TChild::kRulerSize);
    EXPECT_EQ(c.LinVert().CursorMark(), 90);
    master->MenuItem("mnuAnsichtGanz")->trigger();
    EXPECT_FLOAT_EQ(view.GetZoom(), fitted);
    EXPECT_EQ(view.FitMode(), TMMWindow::kFitTemplate);
    expectRulersFollow("whole label");
    master->MenuItem("mnuAnsichtEtikettenbreite")->trigger();
    EXPECT_EQ(view.FitMode(), TMMWindow::kFitTemplateWidth);

    // A design's figures fill the view; without figures the whole label.
    AddFilledFigure<TRechteck>(*c.CurrentDesign(), 50, 50, 20, 10, 0);
    master->MenuItem("mnuAnsichtZoomAlleObjekte")->trigger();
    EXPECT_GT(view.GetZoom(), 5);
    expectRulersFollow("all objects");
}

TEST_F(ChildTest, SheetsOfOneLabelShowTheZoomBarWithTheirZones) {
    TEtikett cd;
    AssignStationeryProduct(cd, *FindStationeryProduct("Herma", "4093"));
    TChild& c = OpenShownDocument(&cd);
    EXPECT_TRUE(c.EtiTab().isHidden());
    EXPECT_FALSE(c.EtiPlusButton().isVisibleTo(&c));
    EXPECT_FALSE(c.BottomBar().isHidden());
    QStringList texts;
    for (QWidget* w : c.ZoomBarControls()) {
        if (auto* label = qobject_cast<QLabel*>(w)) texts << label->text();
        if (auto* button = qobject_cast<QToolButton*>(w)) texts << button->text();
    }
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Zoom:"), QStringLiteral("Seite"), QStringLiteral("Ring 1"), QStringLiteral("Ring 2")}));
    // A zone button shows the zone; the page button the whole label.
    qobject_cast<QToolButton*>(c.ZoomBarControls()[3])->click();
    const TScaleCanvas& s = c.MMWin().WindowCanvas();
    EXPECT_NEAR(s.MMToPixelY((164.5f + 280.5f) / 2), c.MMWin().ClientHeight() / 2, 2);
    qobject_cast<QToolButton*>(c.ZoomBarControls()[1])->click();
    EXPECT_EQ(c.MMWin().FitMode(), TMMWindow::kFitTemplate);

    // Without zones there is no bottom bar; a sheet of several labels has tabs.
    TEtikett plain;
    plain.SetDefaults();
    c.ApplyEtikett(plain);
    EXPECT_TRUE(c.BottomBar().isHidden());
    TEtikett labels;
    GridSheet(labels, 2, 1);
    c.ApplyEtikett(labels);
    EXPECT_TRUE(c.ZoomBarControls().empty());
    EXPECT_FALSE(c.BottomBar().isHidden());
    EXPECT_FALSE(c.EtiTab().isHidden());
    EXPECT_TRUE(c.EtiPlusButton().isEnabled());
    // Landscape exchanges the template's sides.
    labels.SetOrientation(1);
    c.ApplyEtikett(labels);
    EXPECT_FLOAT_EQ(c.MMWin().TemplateWidth(), 40);
    EXPECT_FLOAT_EQ(c.MMWin().TemplateHeight(), 60);
}

TEST(ChildGeometry, TheGridIsFixedAtFiveMillimetres) {
    const struct {
        float length;
        size_t lines;
        float last;
    } cases[] = {{52.5f, 11, 50}, {50, 11, 50}, {4.9f, 1, 0}, {0, 1, 0}, {-3, 0, 0}};
    for (const auto& c : cases) {
        const std::vector<float> lines = ViewGridLines(c.length);
        ASSERT_EQ(lines.size(), c.lines) << c.length;
        if (!lines.empty()) {
            EXPECT_FLOAT_EQ(lines.back(), c.last) << c.length;
        }
    }
}

TEST(ChildGeometry, PrinterMarginsReachIntoTheLabelsBeyondTheThreshold) {
    TEtikett sheet;
    GridSheet(sheet, 3, 7);  // 60 x 40 mm labels, 10 mm from the top
    sheet.SetGapX(5);
    sheet.SetGapY(2);
    // With the left margin 4 mm the last column ends at 4 + 3 x 60 + 2 x 5 = 194 mm;
    // the last row at 10 + 7 x 40 + 6 x 2 = 302 mm, beyond the page.
    const struct {
        const char* what;
        double marginLeft;
        uint8_t orientation;
        double l, t, r, b;
        TPrinterMargins margins;
        std::vector<TMarginLine> lines;
    } cases[] = {
        {"4.2 mm border at 4.0 mm", 4.0, 0, 4.2, 4, 4, 4, {0.2, -6, 12, -9}, {{true, 0.2}, {false, 40 - 9}}},
        {"0.1 mm: no line", 4.1, 0, 4.2, 4, 4, 4, {0.1, -6, 11.9, -9}, {{false, 40 - 9}}},
        {"the left line comes from the bottom in landscape", 4.0, 1, 4.2, 4, 4, 4, {9, 0.2, 6, 12}, {{true, 9}, {false, 0.2}}},
    };
    for (const auto& c : cases) {
        sheet.SetMarginLeft(static_cast<float>(c.marginLeft));
        sheet.Orientation = c.orientation;
        const TPrinterMargins m = ComputePrinterMargins(c.l, c.t, c.r, c.b, sheet);
        EXPECT_NEAR(m.Left, c.margins.Left, 1e-4) << c.what;
        EXPECT_NEAR(m.Top, c.margins.Top, 1e-4) << c.what;
        EXPECT_NEAR(m.Right, c.margins.Right, 1e-4) << c.what;
        EXPECT_NEAR(m.Bottom, c.margins.Bottom, 1e-4) << c.what;
        const double w = c.orientation ? 40 : 60;
        const double h = c.orientation ? 60 : 40;
        const std::vector<TMarginLine> lines = PrinterMarginLines(m, w, h);
        ASSERT_EQ(lines.size(), c.lines.size()) << c.what;
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].Vertical, c.lines[i].Vertical) << c.what;
            EXPECT_NEAR(lines[i].Position, c.lines[i].Position, 1e-4) << c.what;
        }
    }
    // Right and bottom lines stand inside the last label.
    const std::vector<TMarginLine> last = PrinterMarginLines({0, 0, -2, -3}, 60, 40);
    ASSERT_EQ(last.size(), 2u);
    EXPECT_EQ(last[0], (TMarginLine{true, 58}));
    EXPECT_EQ(last[1], (TMarginLine{false, 37}));
}

TEST(ChildGeometry, NZonesGiveNPlusOneRegionsTheLastOutsideThemAll) {
    gdi::BitmapCanvas bitmap(400, 400);
    TScaleCanvas canvas(&bitmap);
    canvas.Reset(kResetUnit);
    canvas.SetResolutionX(2);
    canvas.SetResolutionY(2);
    for (const int zones : {0, 1, 3}) {
        TEtikett sheet;
        sheet.ZoomRegions.Clear();
        // Discs of 40 mm with a centre hole of 10 mm.
        for (int i = 0; i < zones; ++i)
            sheet.ZoomRegions.AddEllipse(QStringLiteral("Ring"), kRegionClip | kRegionZoom, 10 + 50.0f * i, 10, 50 + 50.0f * i, 50, 0, 10);
        sheet.ZoomRegions.AddRect(QStringLiteral("Zoom only"), kRegionZoom, 0, 100, 50, 150, 0);
        const std::vector<TClipZone> regions = BuildViewClipRegions(sheet, canvas, 400, 400);
        ASSERT_EQ(regions.size(), static_cast<size_t>(zones + 1)) << zones;
        const gdi::Region& outside = regions.back().Clip;
        EXPECT_EQ(regions.back().Area, outside);
        for (int i = 0; i < zones; ++i) {
            const TClipZone& disc = regions[static_cast<size_t>(i)];
            // The centre belongs to the disc, yet nothing is painted into its hole.
            const int centreX = 60 + 100 * i, ringX = centreX + 20;
            EXPECT_TRUE(disc.Area.Contains(centreX, 60)) << zones;
            EXPECT_FALSE(disc.Clip.Contains(centreX, 60)) << zones;
            EXPECT_FALSE(disc.Clip.Contains(centreX + 8, 60)) << zones;
            EXPECT_TRUE(disc.Clip.Contains(ringX, 60)) << zones;
            EXPECT_FALSE(outside.Contains(centreX, 60)) << zones;
            EXPECT_FALSE(outside.Contains(ringX, 60)) << zones;
        }
        EXPECT_TRUE(outside.Contains(-4999, -4999));
        EXPECT_TRUE(outside.Contains(5399, 5399));
        EXPECT_FALSE(outside.Contains(5400, 100));
        EXPECT_TRUE(outside.Contains(50, 250));  // the zoom-only zone clips nothing
    }
}

namespace {

// A rectangle that notes what its window publishes while it paints.
class WatchingRectangle : public TRechteck {
public:
    explicit WatchingRectangle(TChild* owner) : TRechteck(owner), child_(owner) {}
    void Paint() override {
        updateRects.push_back(child_->GetUpdateRect());
        paintAreas.push_back(child_->PaintArea());
        regionCount = child_->ClipRingRegions().size();
        TRechteck::Paint();
    }
    std::vector<gdi::Rect> updateRects;
    std::vector<TFloatRect> paintAreas;
    size_t regionCount = 0;

private:
    TChild* child_;
};

}  // namespace

TEST_F(ChildTest, PaintingDrawsTheSheetGridAndFiguresAndPublishesThePaintedArea) {
    TEtikett sheet;
    GridSheet(sheet, 1, 2);
    sheet.SetName("Testbogen");
    TChild& c = OpenShownDocument(&sheet);
    c.ZoomCentered(2);
    TMMWindow& view = c.MMWin();
    TEinzelEtikett& design = *c.CurrentDesign();
    auto watching = std::make_unique<WatchingRectangle>(&c);
    WatchingRectangle& figure = *watching;
    figure.SetCenterX(40);
    figure.SetCenterY(30);
    figure.SetWidth(10);
    figure.SetHeight(10);
    figure.SetFillColor(gdi::Rgb(0, 0xFF, 0));
    figure.UpdateTransform();
    design.AddFigure(std::move(watching), false);

    view.InvalidateAll();
    view.UpdateNow();
    const QImage& frame = view.PresentedFrame();
    const TScaleCanvas& s = view.WindowCanvas();
    auto pixel = [&](float x, float y) { return frame.pixel(s.MMToPixelX(x), s.MMToPixelY(y)) & 0xFFFFFF; };
    const QRgb face = qRgb(255, 255, 255) & 0xFFFFFF;
    const QRgb grid = qRgb(0xF0, 0xF0, 0xF0) & 0xFFFFFF;
    EXPECT_EQ(pixel(2.5f, 2.5f), face);
    EXPECT_EQ(pixel(5, 2.5f), grid);     // a grid line
    EXPECT_EQ(pixel(2.5f, 35), grid);
    EXPECT_EQ(pixel(40, 30), qRgb(0, 0xFF, 0) & 0xFFFFFF);
    EXPECT_NE(pixel(61.5f, 20), face);   // the shadow right of the label
    // The fake printer's 4 mm borders against the sheet.
    const TPrinterMargins margins = ComputePrinterMargins(4, 4, 4, 4, sheet);
    // (the fake printer's borders are whole printer pixels)
    EXPECT_NEAR(c.PrinterMargins().Left, margins.Left, 0.05);
    EXPECT_NEAR(c.PrinterMargins().Bottom, margins.Bottom, 0.05);
    // The sheet's name in grey under the label.
    bool name = false;
    const int top = s.MMToPixelY(40) + 10;
    for (int y = top; y < top + 20 && !name; ++y)
        for (int x = s.MMToPixelX(0); x < s.MMToPixelX(60); ++x)
            if ((frame.pixel(x, y) & 0xFFFFFF) != (qRgb(gdi::RedOf(LabelFaceColor), gdi::GreenOf(LabelFaceColor), gdi::BlueOf(LabelFaceColor)) & 0xFFFFFF))
                name = true;
    EXPECT_TRUE(name);

    // While painting, the area being painted; afterwards the whole client area.
    ASSERT_FALSE(figure.updateRects.empty());
    EXPECT_EQ(figure.updateRects.back(), (gdi::Rect{0, 0, view.ClientWidth(), view.ClientHeight()}));
    view.InvalidateRect({10, 20, 110, 220});
    view.UpdateNow();
    EXPECT_EQ(figure.updateRects.back(), (gdi::Rect{10, 20, 110, 220}));
    EXPECT_FLOAT_EQ(figure.paintAreas.back().Left, s.PixelToMMX(10));
    EXPECT_FLOAT_EQ(figure.paintAreas.back().Bottom, s.PixelToMMY(220));
    EXPECT_EQ(figure.regionCount, 0u);  // no zones: no clip ring, no regions
    EXPECT_EQ(c.GetUpdateRect(), (gdi::Rect{0, 0, view.ClientWidth(), view.ClientHeight()}));
    EXPECT_FLOAT_EQ(c.PaintArea().Left, -1000);
    EXPECT_FLOAT_EQ(c.PaintArea().Bottom, 1000);

    // Without the grid button the face stays plain.
    master->Button("cmdGitter")->click();
    view.UpdateNow();
    EXPECT_EQ(pixel(5, 2.5f), face);

    // With a clip zone and the clip ring on: the zone's region and the outside.
    c.GetEtikett().ZoomRegions.AddEllipse(QStringLiteral("Ring"), kRegionClip | kRegionZoom, 10, 10, 50, 50, 0);
    view.InvalidateAll();
    view.UpdateNow();
    EXPECT_EQ(figure.regionCount, 2u);
    c.SetClipRing(false);
    view.UpdateNow();
    EXPECT_EQ(figure.regionCount, 0u);
}

TEST_F(ChildTest, ALanguageSwitchRetextsTheWindowButKeepsItsTitle) {
    TChild& c = OpenShownDocument();
    EXPECT_EQ(c.EtiPlusButton().text(), QStringLiteral("Neu"));
    Localizer().SetLanguage(1);
    EXPECT_EQ(c.EtiPlusButton().text(), QStringLiteral("New"));
    EXPECT_EQ(c.windowTitle(), QFileInfo(c.FileName()).fileName());
    Localizer().SetLanguage(0);
    // The title is the file name; menu items have no hints of their own.
    const auto computed = [](const QString& key) {
        return key == QLatin1String("Child.Caption") || (key.startsWith(QLatin1String("mnu")) && key.endsWith(QLatin1String(".Hint")));
    };
    EXPECT_GT(ExpectFormTextsInBothLanguages({static_cast<TLocalizerForm*>(&c)}, computed), 5);
}

// The colour the view shows at a point of the label (mm); none outside the view.
std::optional<gdi::Color> ShownAt(TChild& c, float x, float y) {
    const QImage& frame = c.MMWin().PresentedFrame();
    const TScaleCanvas& s = c.MMWin().WindowCanvas();
    const QPoint at(s.MMToPixelX(x), s.MMToPixelY(y));
    if (!frame.rect().contains(at)) return std::nullopt;
    const QRgb rgb = frame.pixel(at);
    return gdi::Rgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

// A document at three zooms, on an address sheet with six designs and on a
// CD sheet, as a user sees it: the figures where they lie, a figure wider
// than the disc only within its ring. With ZORBIT_SCREENSHOTS set to a
// folder, each view is saved there.
TEST_F(ChildTest, TheViewShowsTheFiguresAtEveryZoomAndOnEverySheet) {
    const gdi::Color yellow = gdi::Rgb(0xFF, 0xE0, 0x80);
    TMaster& m = CreateMaster();
    m.resize(1100, 800);
    m.show();
    m.mnuNeuClick();  // the stored default sheet: one A4 label
    ReturnToLoop();
    TChild& c = *m.ActiveChild();
    TEinzelEtikett& design = *c.CurrentDesign();
    AddSampleFigures(design);
    AddFilledFigure<TRechteck>(design, 105, 150, 120, 60, gdi::Rgb(0xE0, 0xF0, 0xE0));
    design.SelectFigure(1);
    design.SetHandlesVisible(1);
    for (const double zoom : {0.5, 1.0, 4.0}) {
        SCOPED_TRACE(zoom);
        c.ZoomCentered(zoom);
        c.MMWin().ZoomAt(zoom, zoom > 2 ? 30.0f : 105.0f, zoom > 2 ? 25.0f : 148.0f);
        c.UpdateRulers();
        ReturnToLoop();
        EXPECT_DOUBLE_EQ(c.MMWin().GetZoom(), zoom);
        // The figure at the point zoomed to: the large rectangle, or inside
        // the first one, clear of its handles.
        if (zoom < 2) {
            EXPECT_EQ(ShownAt(c, 105, 150), gdi::Rgb(0xE0, 0xF0, 0xE0));
        } else {
            EXPECT_EQ(ShownAt(c, 20, 14), yellow);
        }
        c.LinHori().UpdateCursorMarkAt(QPoint(c.LinHori().StartNull() + 60, 0));
        c.LinVert().UpdateCursorMarkAt(QPoint(0, c.LinVert().StartNull() + 40));
        ReturnToLoop();
        SaveScreenshot(m, QStringLiteral("child-zoom-%1").arg(zoom), true);
    }
    TEtikett labels;
    AssignStationeryProduct(labels, *FindStationeryProduct("Avery", "L7163"));
    c.ApplyEtikett(labels);
    for (int i = 0; i < 5; ++i) c.cmdEtiPlusClick(false);
    AddSampleFigures(*c.CurrentDesign());
    c.mnuGanzClick();
    ReturnToLoop();
    EXPECT_EQ(c.DesignCount(), 6);
    EXPECT_EQ(c.CurrentDesignIndex(), 5);
    EXPECT_EQ(ShownAt(c, 20, 14), yellow);
    SaveScreenshot(m, "child-address", true);

    TEtikett cd;
    AssignStationeryProduct(cd, *FindStationeryProduct("Herma", "4093"));
    TChild& disc = OpenShownDocument(&cd);
    // Across the first disc (116 mm, centred at 105, 74.5 mm on the page)
    // and wider: drawn only within its ring.
    const gdi::Color pink = gdi::Rgb(0xFF, 0xC0, 0xC0);
    AddFilledFigure<TRechteck>(*disc.CurrentDesign(), 105, 74.5, 160, 30, pink);
    disc.mnuGanzClick();
    ReturnToLoop();
    EXPECT_EQ(ShownAt(disc, 145, 74.5), pink);
    EXPECT_EQ(ShownAt(disc, 65, 80), pink);
    EXPECT_NE(ShownAt(disc, 175, 74.5), pink);
    EXPECT_NE(ShownAt(disc, 35, 74.5), pink);
    SaveScreenshot(m, "child-cd", true);
}
