// The colour and tool-bar controls together in a small window, as the main
// window's tool bars hold them, with their popups open one after the other.
// With ZORBIT_SCREENSHOTS set to a folder, the window and each popup are
// saved there (run once with QT_SCALE_FACTOR=2 for the 200 % pictures; the
// offscreen screen then needs room, for example
// QT_QPA_PLATFORM=offscreen:configfile=screen.json with
// {"screens":[{"name":"big","x":0,"y":0,"width":1600,"height":1200,"logicalDpi":96}]}).
#include "PopupTesting.h"

#include "controls/ColorList.h"
#include "controls/ColorToolbar.h"
#include "controls/DefGradientPanel.h"
#include "controls/DropMenu.h"
#include "controls/GradientPreview.h"
#include "controls/QDXTBComboBox.h"
#include "controls/TabFrameColor.h"
#include "controls/ZRColorPopupButton.h"
#include "controls/ZRPenWidthButton.h"
#include "controls/ZRRastenButton2.h"

#include <QtCore/QDir>
#include <QtWidgets/QAbstractItemView>

#include <cstdlib>

namespace {

class Showcase : public QWidget {
public:
    Showcase() {
        setWindowTitle(QStringLiteral("Farben"));
        auto* row = new QHBoxLayout(this);
        auto* bar = new QHBoxLayout;
        grid = new TZRRastenButton2(this);
        bar->addWidget(grid);
        pen = AddColorButton(bar, cbsPen, 0x0000C0);
        width = new TZRPenWidthButton(this);
        width->SetPenWidth(0.5);
        bar->addWidget(width);
        brush = AddColorButton(bar, cbsBrush, 0x00C0FF);
        font = AddColorButton(bar, cbsFont, 0x800000);
        plain = AddColorButton(bar, cbsColor, 0x008000);
        none = AddColorButton(bar, cbsBrush, clNoColor);
        bar->addStretch();
        auto* second = new QHBoxLayout;
        fontName = new TQDXTBFontComboBox(this);
        fontName->setFixedWidth(152);
        fontName->SetFontName(QStringLiteral("Liberation Sans"));
        second->addWidget(fontName);
        fontSize = new TQDXTBComboBox(this);
        fontSize->setEditable(true);
        fontSize->addItems({"8", "10", "12", "14"});
        fontSize->setCurrentIndex(1);
        fontSize->setFixedWidth(44);
        second->addWidget(fontSize);
        second->addStretch();
        auto* column = new QVBoxLayout;
        column->addLayout(bar);
        column->addLayout(second);
        preview = new TGradientPreview(this);
        preview->setFixedSize(160, 100);
        preview->SetTyp(TGradienttyp::gtRadial);
        preview->SetAbstandX(0.15);
        stops = new TDefGradientPanel(this);
        stops->SetStartColor(0x00FFFF);
        stops->AddStop(40, 0x0000FF);
        stops->AddStop(75, 0x800000);
        stops->SetEndColor(0x400000);
        preview->SetPalette(stops->Palette());
        column->addSpacing(20);
        column->addWidget(preview);
        column->addWidget(stops);
        row->addLayout(column, 1);
        strip = new TQDXColorToolbar(this);
        row->addWidget(strip, 0, Qt::AlignTop);
        resize(460, 420);
        stops->EndEdit();
    }

    TZRColorPopupButton* AddColorButton(QHBoxLayout* bar, TColorButtonStyle style, int32_t color) {
        auto* b = new TZRColorPopupButton(this);
        b->SetColorButtonStyle(style);
        b->SetColor(color);
        bar->addWidget(b);
        return b;
    }

    TZRRastenButton2* grid;
    TZRPenWidthButton* width;
    TZRColorPopupButton *pen, *brush, *font, *plain, *none;
    TQDXTBFontComboBox* fontName;
    TQDXTBComboBox* fontSize;
    TGradientPreview* preview;
    TDefGradientPanel* stops;
    TQDXColorToolbar* strip;
};

void Save(QWidget* w, const char* name) {
    const char* folder = std::getenv("ZORBIT_SCREENSHOTS");
    if (!folder) return;
    QDir().mkpath(QString::fromLocal8Bit(folder));
    w->grab().save(QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
}

}  // namespace

TEST(ColourControlsShowcase, PopupsOpenBesideTheirControls) {
    TColorList& users = GetCustomColorList();
    users.Clear();
    for (int i = 0; i < 11; ++i) users.SetColors(i, int32_t(0x102030 * (i + 1) & 0xFFFFFF));
    Showcase window;
    ShowActive(&window);
    Save(&window, "controls");

    SystemClick(window.brush->mapToGlobal(window.brush->ArrowPart().center()));
    ASSERT_TRUE(window.brush->PaletteOpen());
    SystemMove(window.brush->Palette()->mapToGlobal(QPoint(40, 60)));
    Save(window.brush->Palette(), "palette-brush");
    SystemKey(Qt::Key_Escape);

    SystemClick(window.plain->mapToGlobal(QPoint(5, 5)));
    Save(window.plain->Palette(), "palette-colour");
    SystemKey(Qt::Key_Escape);

    SystemClick(window.width->mapToGlobal(QPoint(50, 10)));
    SystemMove(window.width->Menu()->mapToGlobal(window.width->Menu()->ItemRect(4).center()));
    Save(window.width->Menu(), "menu-penwidth");
    SystemKey(Qt::Key_Escape);
    SystemClick(window.grid->mapToGlobal(QPoint(10, 10)));
    SystemKey(Qt::Key_Down);
    Save(window.grid->Menu(), "menu-gridstep");
    SystemKey(Qt::Key_Escape);
    window.fontName->showPopup();
    Save(window.fontName->Preview(), "font-preview");
    Save(window.fontName->view()->window(), "font-list");
    window.fontName->hidePopup();

    SystemPress(window.strip->mapToGlobal(QPoint(8, 5 * 14 + 7)));
    SystemMove(window.strip->Popup()->mapToGlobal(QPoint(40, 40)), Qt::LeftButton);
    Save(window.strip->Popup(), "strip-shades");
    Save(&window, "strip-pressed");
    SystemRelease(window.strip->mapToGlobal(QPoint(8, 5 * 14 + 7)));
    SystemKey(Qt::Key_Escape);
    SystemClick(window.strip->mapToGlobal(QPoint(8, 1 * 14 + 7)));
    Save(window.strip->Popup(), "strip-greys");
    SystemKey(Qt::Key_Escape);
    SystemClick(window.strip->mapToGlobal(QPoint(8, 7)));
    Save(window.strip->Popup(), "strip-nocolour");
    SystemKey(Qt::Key_Escape);
    EXPECT_FALSE(window.strip->PopupActive());
    users.Clear();
}

TEST(ColourControlsShowcase, ColourPage) {
    QWidget dialog;
    dialog.setWindowTitle(QStringLiteral("Füllung"));
    dialog.resize(461, 400);
    auto* page = new TTabFrameColor(&dialog);
    page->SetColor(0x3080E0);
    page->UserColors().SetColors(0, 0x0000FF);
    page->UserColors().SetColors(1, 0x00FF00);
    page->UserColors().SetColors(2, 0xFF8000);
    page->ImagePressed({120, 80});
    page->ImageReleased();
    ShowActive(&dialog);
    EXPECT_EQ(page->OldPanel()->Color(), 0x3080E0);
    Save(&dialog, "colour-page");
}
