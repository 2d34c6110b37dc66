#include "PopupTesting.h"

#include "controls/DropMenu.h"
#include "controls/ZRPenWidthButton.h"
#include "controls/ZRRastenButton2.h"

#include <vector>

namespace {

QStringList Captions(const TDropMenu& menu) {
    QStringList captions;
    for (int i = 0; i < menu.Count(); ++i) captions << menu.Caption(i);
    return captions;
}

// Rows of the column that are darker than the button face.
int DarkRows(const QImage& image, int x) {
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) rows += qGray(image.pixel(x, y)) < 100;
    return rows;
}

class ToolbarButtons : public GermanLocale {
protected:
    void SetUp() override {
        GermanLocale::SetUp();
        window.layout->addWidget(grid, 0, Qt::AlignTop);
        window.layout->addWidget(pen, 0, Qt::AlignTop);
        window.Show();
    }
    void Click(QWidget* w, const QPoint& local) { SystemClick(w->mapToGlobal(local)); }
    QPoint ItemPoint(TDropMenu* menu, int index) { return menu->mapToGlobal(menu->ItemRect(index).center()); }

    PopupHostWindow window;
    TZRRastenButton2* grid = new TZRRastenButton2(&window);
    TZRPenWidthButton* pen = new TZRPenWidthButton(&window);
};

}  // namespace

TEST_F(ToolbarButtons, GridStepCaptionsAndItemsInMillimetresAndInches) {
    EXPECT_EQ(grid->GitterWeite(), 1.0);
    EXPECT_EQ(grid->CaptionText(), QStringLiteral("1,0 mm"));
    grid->BuildMenu();  // as every drop-down does
    EXPECT_EQ(Captions(*grid->Menu()), (QStringList{"0,1 mm", "0,2 mm", "0,5 mm", "1,0 mm", "2,0 mm", "5,0 mm"}));
    grid->SetShowInch(true);  // at exactly 1 mm the step becomes 0.05"
    EXPECT_DOUBLE_EQ(grid->GitterWeite(), 1.27);
    EXPECT_EQ(grid->CaptionText(), QStringLiteral("0,050\""));
    EXPECT_EQ(Captions(*grid->Menu()),
              (QStringList{"0,005\" ", "0,010\" ", "0,020\" ", "0,050\" ", "0,100\" ", "0,200\" "}));
    grid->SetShowInch(false);
    grid->SetGitterWeite(2.0);
    grid->SetShowInch(true);  // any other step stays
    EXPECT_EQ(grid->GitterWeite(), 2.0);
    EXPECT_EQ(grid->CaptionText(), QStringLiteral("0,079\""));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    grid->SetShowInch(false);
    EXPECT_EQ(grid->CaptionText(), QStringLiteral("2.0 mm"));
}

TEST_F(ToolbarButtons, GridStepMenuChoosesAndAsksForOtherSteps) {
    std::vector<double> changes;
    grid->OnGWChange = [&](double v) { changes.push_back(v); };
    Click(grid, {10, 10});
    TDropMenu* menu = grid->Menu();
    ASSERT_TRUE(menu->IsOpen());
    EXPECT_EQ(menu->Count(), 6);  // no "weitere..." without a handler
    EXPECT_EQ(menu->geometry().topLeft(), grid->mapToGlobal(QPoint(0, grid->height())));
    EXPECT_EQ(QApplication::focusWidget(), window.document);
    SystemClick(ItemPoint(menu, 4));
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_EQ(changes, std::vector<double>{2.0});

    grid->SetShowInch(true);
    Click(grid, {10, 10});
    SystemKey(Qt::Key_Down);
    SystemKey(Qt::Key_Down);
    SystemKey(Qt::Key_Down);
    SystemKey(Qt::Key_Return);  // 0.02"
    EXPECT_DOUBLE_EQ(grid->GitterWeite(), 0.508);
    EXPECT_DOUBLE_EQ(changes.back(), 0.508);

    double offered = 0;
    grid->OnGitterDlg = [&](double& v) {
        offered = v;
        v = 0.75;
    };
    Click(grid, {10, 10});
    ASSERT_EQ(menu->Count(), 7);
    EXPECT_EQ(menu->Caption(6), QStringLiteral("weitere..."));
    SystemClick(ItemPoint(menu, 6));
    EXPECT_EQ(offered, -1);
    EXPECT_EQ(grid->GitterWeite(), 0.75);
    grid->OnGitterDlg = [](double&) {};  // left at -1: nothing changes
    grid->ItemChosen(TZRRastenButton2::kDialogTag);
    EXPECT_EQ(grid->GitterWeite(), 0.75);
    EXPECT_EQ(changes.size(), 3u);
}

TEST_F(ToolbarButtons, PenWidthRoundingAndTexts) {
    const std::pair<double, double> rounding[] = {{0.126, 0.13}, {0.125, 0.12}, {0.135, 0.14}, {3.5, 3.5}, {0, 0}};
    for (auto [set, stored] : rounding) {
        pen->SetPenWidth(set);
        EXPECT_DOUBLE_EQ(pen->PenWidth(), stored) << set;
    }
    pen->SetPenWidth(0.18);
    EXPECT_EQ(pen->ValueText(), QStringLiteral("0,18"));
    EXPECT_EQ(pen->ItemCaption(1), QStringLiteral("0,18 mm"));
    EXPECT_EQ(pen->ItemCaption(6), QStringLiteral("1 mm"));
    EXPECT_EQ(TZRPenWidthButton::SampleLineWidth(3.5), 9);
    EXPECT_EQ(TZRPenWidthButton::SampleLineWidth(0.5), 1);  // 1.25
    EXPECT_EQ(TZRPenWidthButton::SampleLineWidth(0.1), 0);  // 0.25: the thinnest line
}

TEST(PenWidthTables, InchValuesOfTheStandardWidths) {
    const std::pair<double, double> inches[] = {
        {0.1, 0.1 / 25.4}, {0.25, 0.25 / 25.4},  // below 0.01": as they are
        {0.35, 0.015}, {0.7, 0.03}, {2.0, 0.08},  // multiples of 0.005
        {3.5, 0.15}, {5.0, 0.2},                   // multiples of 0.05
        {25.4, 1.0}, {40.0, 1.6},                  // multiples of 0.1
    };
    for (auto [mm, inch] : inches) EXPECT_NEAR(TZRPenWidthButton::InchValue(mm), inch, 1e-12) << mm;
    QLocale::setDefault(QLocale::c());
    TZRPenWidthButton pen;
    pen.SetShowInch(true);
    EXPECT_EQ(pen.ItemCaption(0), QStringLiteral("0.004\""));
    EXPECT_EQ(pen.ItemCaption(9), QStringLiteral("0.150\""));
    pen.SetPenWidth(1.0);
    EXPECT_EQ(pen.ValueText(), QStringLiteral("0.039\""));
    QLocale::setDefault(QLocale());
}

TEST_F(ToolbarButtons, PenWidthMenuAndValuePart) {
    std::vector<double> changes;
    pen->OnPenWidthChange = [&](double w) { changes.push_back(w); };
    SystemClick(pen->mapToGlobal(QPoint(50, 10)), Qt::RightButton);  // only the left button opens the menu
    EXPECT_FALSE(pen->Menu()->IsOpen());
    Click(pen, {50, 10});
    ASSERT_TRUE(pen->Menu()->IsOpen());
    EXPECT_EQ(Captions(*pen->Menu()), (QStringList{"0,1 mm", "0,18 mm", "0,25 mm", "0,35 mm", "0,5 mm", "0,7 mm",
                                                   "1 mm", "1,5 mm", "2 mm", "3,5 mm", "5 mm"}));
    SystemClick(ItemPoint(pen->Menu(), 9));
    EXPECT_EQ(pen->PenWidth(), 3.5);
    EXPECT_EQ(pen->ValueText(), QStringLiteral("3,5"));
    EXPECT_EQ(DarkRows(pen->grab().toImage(), 5), 9);
    Click(pen, {20, 10});  // the value part applies the width again
    EXPECT_EQ(changes, (std::vector<double>{3.5, 3.5}));

    pen->SetPenWidth(0);
    const QImage none = pen->grab().toImage();
    EXPECT_EQ(none.pixelColor(5, 11), QColor(0x80, 0x80, 0x80));  // the grey line
    EXPECT_EQ(DarkRows(none, 9), 2);                               // crossed by the first mark

    pen->setGeometry(0, 0, 100, 40);
    EXPECT_EQ(pen->size(), QSize(58, 22));
}

TEST_F(ToolbarButtons, MenusCloseLikeOtherPopups) {
    Click(pen, {50, 10});
    ASSERT_TRUE(pen->Menu()->IsOpen());
    SystemClick(window.GlobalCentre(window.other));
    EXPECT_FALSE(pen->Menu()->IsOpen());
    EXPECT_EQ(window.otherClicks, 1);
    Click(grid, {10, 10});
    SystemKey(Qt::Key_Escape);
    EXPECT_FALSE(grid->Menu()->IsOpen());
    Click(grid, {10, 10});
    Click(grid, {10, 10});  // a press on its own button only closes it
    EXPECT_FALSE(grid->Menu()->IsOpen());
    EXPECT_EQ(grid->GitterWeite(), 1.0);
}
