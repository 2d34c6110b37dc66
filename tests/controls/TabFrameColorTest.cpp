#include "ControlsTesting.h"

#include "controls/ControlPainting.h"
#include "controls/SpinEdit.h"
#include "controls/TabFrameColor.h"
#include "controls/ZRColorPopupButton.h"

#include "foundation/Localizer.h"
#include "foundation/MyMemIniFile.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>

namespace {

using Mode = TTabFrameColor::TDragMode;

std::vector<int> EditValues(const TTabFrameColor& page) {
    std::vector<int> values;
    for (int tag = 1; tag <= 6; ++tag) values.push_back(page.Edit(tag)->text().toInt());
    return values;
}

void WaitUntil(const std::function<bool()>& done, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void ClickCell(TColorCellGrid* grid, int cell) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(grid->CellRect(cell).center()),
                      QPointF(grid->mapToGlobal(grid->CellRect(cell).center())), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(grid, &press);
}

}  // namespace

TEST(ColourPage, StartsWithGreenAsOldAndNewColour) {
    TTabFrameColor page(nullptr);
    EXPECT_EQ(page.GetColor(), 0x008000);
    EXPECT_EQ(page.OldPanel()->Color(), 0x008000);
    EXPECT_EQ(page.NewPanel()->Color(), 0x008000);
    EXPECT_EQ(EditValues(page), (std::vector<int>{0, 128, 0, 85, 255, 64}));
    EXPECT_EQ(page.RingMarker(), QPoint(100 - 42, 100 + 73));  // hue 1/3: 120 degrees, clockwise
    EXPECT_EQ(page.SquareMarker(), QPoint(150, 75));
    EXPECT_EQ(page.UserColors().Count(), 32);
    EXPECT_EQ(page.size(), QSize(461, 400));
}

TEST(ColourPage, LivesInItsOwnerAtTheOrigin) {
    QWidget owner;
    owner.resize(500, 450);
    owner.show();
    auto* page = new TTabFrameColor(&owner);
    EXPECT_EQ(page->parentWidget(), &owner);
    EXPECT_FALSE(page->isWindow());
    EXPECT_EQ(page->pos(), QPoint(0, 0));
    EXPECT_TRUE(page->isVisible());
}

TEST(ColourPage, ImageHitTable) {
    struct Case {
        QPoint point;
        Mode mode;
        double first, second;  // saturation and lightness, or the hue
    };
    const Case cases[] = {
        {{100, 149}, Mode::None, 0, 0},        {{100, 148}, Mode::SatLight, 0.5, 0.98},
        {{50, 50}, Mode::SatLight, 0, 0},      {{150, 148}, Mode::SatLight, 1, 0.98},
        {{49, 100}, Mode::None, 0, 0},         {{151, 100}, Mode::None, 0, 0},
        {{173, 100}, Mode::Hue, 0, 0},         {{195, 100}, Mode::Hue, 0, 0},
        {{196, 100}, Mode::None, 0, 0},        {{100, 5}, Mode::Hue, 0.75, 0},
        {{27, 100}, Mode::Hue, 0.5, 0},        {{28, 100}, Mode::None, 0, 0},
        {{100, 173}, Mode::Hue, 0.25, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x() << "," << c.point.y());
        EXPECT_EQ(TTabFrameColor::PressMode(c.point), c.mode);
        if (c.mode == Mode::SatLight) {
            EXPECT_DOUBLE_EQ(TTabFrameColor::SatLightAt(c.point).x(), c.first);
            EXPECT_DOUBLE_EQ(TTabFrameColor::SatLightAt(c.point).y(), c.second);
        }
        if (c.mode == Mode::Hue) {
            EXPECT_NEAR(TTabFrameColor::HueAt(c.point), c.first, 1e-12);
        }
    }
}

TEST(ColourPage, DraggingOnTheImage) {
    TTabFrameColor page(nullptr);
    page.ImagePressed({100, 148});
    EXPECT_EQ(page.DragMode(), Mode::SatLight);
    EXPECT_DOUBLE_EQ(page.Model().Luminance(), 0.98);
    page.ImageDragged({400, -30});  // beyond the square: pinned
    EXPECT_DOUBLE_EQ(page.Model().Saturation(), 1);
    EXPECT_DOUBLE_EQ(page.Model().Luminance(), 0);
    EXPECT_EQ(page.GetColor(), 0);
    page.ImageReleased();

    page.SetColor(0x0000FF);  // red
    page.ImagePressed({100, 5});
    EXPECT_EQ(page.DragMode(), Mode::Hue);
    EXPECT_DOUBLE_EQ(page.SquareHue(), 0.75);  // the square follows the ring at once
    EXPECT_EQ(page.GetColor(), int32_t(HSLToRGB(0.5, 1, 0.75)));
    EXPECT_EQ(page.OldPanel()->Color(), 0x0000FF);
    page.ImageReleased();

    for (const QPoint hole : {QPoint(60, 150), QPoint(30, 30), QPoint(199, 199), QPoint(100, 149)}) {
        const int32_t before = page.GetColor();
        page.ImagePressed(hole);
        EXPECT_EQ(page.DragMode(), Mode::None);
        page.ImageDragged({60, 60});
        EXPECT_EQ(page.GetColor(), before);
    }
}

TEST(ColourPage, TypedValuesAndTheDelayedSquare) {
    TTabFrameColor page(nullptr);
    page.Edit(6)->setText(QStringLiteral("255"));  // lightness
    EXPECT_EQ(page.GetColor(), 0xFFFFFF);
    EXPECT_EQ(page.NewPanel()->Color(), 0xFFFFFF);
    EXPECT_EQ(page.Edit(1)->text(), QStringLiteral("255"));

    page.Edit(6)->setText(QStringLiteral("128"));
    page.Edit(4)->setText(QStringLiteral("0"));  // hue 0: red
    EXPECT_EQ(page.GetColor(), int32_t(HSLToRGB(128 / 255.0, 1, 0)));
    EXPECT_NEAR(page.SquareHue(), 1.0 / 3, 1e-9);  // not yet
    EXPECT_TRUE(page.RedrawTimer()->isActive());
    WaitUntil([&] { return page.SquareHue() == 0; }, 2000);
    EXPECT_EQ(page.SquareHue(), 0);
    EXPECT_FALSE(page.RedrawTimer()->isActive());

    page.Edit(1)->setText(QStringLiteral("300"));  // red beyond the range counts as 255
    EXPECT_EQ(page.Model().Red(), 255);
    EXPECT_EQ(page.Edit(1)->text(), QStringLiteral("300"));  // the field keeps what is typed
}

TEST(ColourPage, GridsAndUserColours) {
    TTabFrameColor page(nullptr);
    ClickCell(page.StandardGrid(), 13);  // row 2, column 6
    EXPECT_EQ(page.GetColor(), 0xFF0000);
    EXPECT_EQ(page.OldPanel()->Color(), 0x008000);

    TColorList& users = page.UserColors();
    users.SetColors(0, 0x0000FF);
    ClickCell(page.UserGrid(), 3);  // a free cell changes nothing
    EXPECT_EQ(page.GetColor(), 0xFF0000);
    page.AddColorClick();
    EXPECT_EQ(users.Colors(1), 0xFF0000);
    EXPECT_EQ(page.UserGrid()->CurrentCell(), 1);
    ClickCell(page.UserGrid(), 0);
    EXPECT_EQ(page.GetColor(), 0x0000FF);
    page.AddColorClick();  // already there: its cell, no second copy
    EXPECT_EQ(page.UserGrid()->CurrentCell(), 0);
    EXPECT_EQ(users.UsedCount(), 2);

    for (int i = 0; i < 32; ++i) users.SetColors(i, i);
    page.UserGrid()->SetCurrentCell(20);
    page.AddColorClick();  // a full list: the focused slot
    EXPECT_EQ(users.Colors(20), 0x0000FF);
    Key(page.UserGrid(), Qt::Key_Delete);
    EXPECT_EQ(users.Colors(20), clEmptySlot);
    Key(page.UserGrid(), Qt::Key_Right);
    EXPECT_EQ(page.GetColor(), 21);
}

TEST(ColourPage, RingAndSquarePictures) {
    TTabFrameColor page(nullptr);
    page.Image()->grab();  // draws the ring at scale 1
    const QImage& ring = page.RingImage();
    EXPECT_EQ(QColor(ring.pixel(100 + 84, 100)), ColorOf(int32_t(HSLToRGB(0.5, 1, 0))));
    EXPECT_EQ(QColor(ring.pixel(100, 100 - 84)), ColorOf(int32_t(HSLToRGB(0.5, 1, 270 / 360.0))));
    EXPECT_EQ(qAlpha(ring.pixel(100, 100)), 0);  // the hole and the corners show what lies beneath
    page.show();
    const QImage shown = page.grab().toImage();
    QWidget* image = page.Image();
    const QColor groupBox = shown.pixelColor(image->mapTo(&page, QPoint(-3, 100)));
    for (const QPoint& p : {QPoint(100, 100), QPoint(2, 2), QPoint(197, 197)})
        EXPECT_EQ(shown.pixelColor(image->mapTo(&page, p)), groupBox) << p.x() << "," << p.y();
    const QImage& square = page.SquareImage();
    EXPECT_EQ(square.size(), QSize(50, 50));
    EXPECT_EQ(QColor(square.pixel(49, 25)), ColorOf(int32_t(HSLToRGB(0.5, 0.98, 1.0 / 3))));
    EXPECT_EQ(QColor(square.pixel(0, 0)), QColor(Qt::black));
}

TEST(ColourPage, TextsInBothLanguages) {
    QTemporaryDir dir;
    TLocalizer exporter({QStringLiteral("zorbit"), QStringLiteral("/RESWRITE")});
    exporter.SetInstallQtTranslations(false);
    exporter.SetExportFileName(dir.filePath(QStringLiteral("texts.txt")));
    TTabFrameColor page(nullptr);
    LocalizeFormTexts(&page, page.SectionName(), exporter);
    exporter.WriteExportFile();
    TMyMemIniFile exported;
    exported.LoadFromFile(dir.filePath(QStringLiteral("texts.txt")).toStdString());
    TMyMemIniFile german;
    TMyMemIniFile english;
    ASSERT_TRUE(Localizer().LoadLanguageResource(0, german));
    ASSERT_TRUE(Localizer().LoadLanguageResource(1, english));
    const QString section = QStringLiteral("TTabFrameColor");
    int checked = 0;
    for (const QString& key : exported.ReadSection(section)) {
        if (key.endsWith(QLatin1String(".Text"))) continue;  // values of the fields
        ++checked;
        EXPECT_EQ(german.ReadString(section, key, {}), exported.ReadString(section, key, {})) << key.toStdString();
        EXPECT_FALSE(english.ReadString(section, key, {}).isEmpty()) << key.toStdString();
    }
    EXPECT_EQ(checked, 11);
    for (const char* key : {"IDS_COLORTOOLBARHINT", "IDS_RASTERWEITERE"})
        EXPECT_FALSE(english.ReadString(QStringLiteral("Default"), QString::fromLatin1(key), {}).isEmpty()) << key;

    Localizer().SetLanguage(1);
    EXPECT_EQ(page.findChild<QPushButton*>(QStringLiteral("BtnColorAdd"))->text(), QStringLiteral("<< Add colour"));
    EXPECT_EQ(page.NewPanel()->Caption(), QStringLiteral("New"));
    EXPECT_EQ(TZRColorPopupForm::RowText(kBtnOtherColor), QStringLiteral("More colours..."));
    Localizer().SetLanguage(0);
    EXPECT_EQ(page.findChild<QLabel*>(QStringLiteral("lblS"))->text(), QStringLiteral("Sätt."));
    EXPECT_EQ(TZRColorPopupForm::RowText(kBtnNoColor), QStringLiteral("- ohne -"));
}
