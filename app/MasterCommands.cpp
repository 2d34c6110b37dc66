// The main window's commands of the Edit, Format, Window and File menus, its
// palettes (colour, pen-width, grid-step and font controls, the colour strip)
// and the picture insertion; most act on the current design of the active
// document window.

#include "app/Master.h"

#include "app/Child.h"
#include "app/MMWindow.h"
#include "app/PictureChoice.h"
#include "app/SpeedButton.h"
#include "app/ToolbarDefaults.h"
#include "controls/ColorList.h"
#include "controls/ColorToolbar.h"
#include "controls/DropMenu.h"
#include "controls/QDXTBComboBox.h"
#include "controls/ZRPenWidthButton.h"
#include "controls/ZRRastenButton2.h"

#include "design/DesignDialogs.h"
#include "design/EinzelEtikett.h"
#include "design/FigureClipboard.h"
#include "document/DataBaseConnector.h"
#include "document/Etikett.h"
#include "figures/Bild32.h"
#include "figures/Rasten.h"
#include "figures/widgets/PropertyPageContainer.h"
#include "foundation/Codepage1252.h"
#include "foundation/FillData.h"
#include "foundation/Localizer.h"
#include "platform/gdi/QtConvert.h"

#include <QtGui/QAction>
#include <QtGui/QPixmap>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenu>
#include <QtWidgets/QStyle>

#include <algorithm>
#include <cmath>

namespace {

// Tiling lays the windows out in strips up to this many, then in a grid.
constexpr int kMaxStrips = 3;
// Minimised windows are lined up along the bottom of the area this wide.
constexpr int kIconWidth = 160;

// The document windows that tiling and cascading arrange: shown and not minimised.
QList<QMdiSubWindow*> ArrangedWindows(const QMdiArea& area) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : area.subWindowList())
        if (!sub->isMinimized() && sub->isVisible()) windows << sub;
    return windows;
}

}  // namespace

// ---- the palettes

TZRColorPopupButton* TMaster::ColorButton(const char* name) const {
    return findChild<TZRColorPopupButton*>(QString::fromLatin1(name));
}

int32_t TMaster::PenColor() const { return ColorButton("colpopPen")->Color(); }

int32_t TMaster::BrushColor() const { return ColorButton("colpopBrush")->Color(); }

int32_t TMaster::FontColor() const { return ColorButton("colpopFont")->Color(); }

void TMaster::ShowTextTools(const QString& fontName, int32_t size, uint8_t style, uint8_t horizontal, uint8_t vertical) {
    auto* names = findChild<TQDXTBFontComboBox*>(QStringLiteral("cbFontName"));
    const QSignalBlocker quietNames(names);
    names->SetFontName(fontName);
    auto* sizes = findChild<QComboBox*>(QStringLiteral("cbFontSize"));
    const QSignalBlocker quietSizes(sizes);
    if (size > 0) sizes->setCurrentText(QString::number(size));
    for (const TFontStyleButton& button : kFontStyleButtons) Button(button.Name)->SetDown((style & button.Style) != 0);
    if (horizontal < std::size(kHorizontalAlignButtons)) Button(kHorizontalAlignButtons[horizontal])->SetDown(true);
    if (vertical < std::size(kVerticalAlignButtons)) Button(kVerticalAlignButtons[vertical])->SetDown(true);
}

// ---- the palettes in the overflow menu of a narrow window

bool TMaster::AddPaletteOverflowItems(QMenu* menu, QWidget* control) {
    auto submenu = [&] {
        QMenu* items = menu->addMenu(control->toolTip());
        items->setEnabled(control->isEnabled());
        return items;
    };
    if (auto* button = qobject_cast<TZRColorPopupButton*>(control)) {
        QMenu* items = submenu();
        auto addRow = [&](int row) {
            connect(items->addAction(TZRColorPopupForm::RowText(row)), &QAction::triggered, button,
                    [button, row] { button->ItemChosen(row, 0); });
        };
        auto addColor = [&](int32_t color) {
            QPixmap swatch(12, 12);
            swatch.fill(gdi::ToQColor(static_cast<gdi::Color>(color)));
            connect(items->addAction(QIcon(swatch), QStringLiteral("%1").arg(color, 6, 16, QLatin1Char('0')).toUpper()),
                    &QAction::triggered, button,
                    [button, color] { button->ItemChosen(TZRColorPopupForm::kCellItem, color); });
        };
        const TColorList& user = GetCustomColorList();
        const TColorPaletteLayout layout = TColorPaletteLayout::For(button->ColorButtonStyle(), user.UsedCount());
        if (!layout.noColor.isEmpty()) addRow(kBtnNoColor);
        for (int32_t color : kStandardColors) addColor(color);
        for (int32_t i = 0; i < user.Count(); ++i)
            if (user.Colors(i) != clEmptySlot) addColor(user.Colors(i));
        addRow(kBtnOtherColor);
        if (!layout.gradient.isEmpty()) addRow(kBtnGradient);
        return true;
    }
    if (auto* widths = qobject_cast<TZRPenWidthButton*>(control)) {
        QMenu* items = submenu();
        for (size_t i = 0; i < TZRPenWidthButton::kWidths.size(); ++i)
            connect(items->addAction(widths->ItemCaption(i)), &QAction::triggered, widths,
                    [widths, i] { widths->ItemChosen(static_cast<int>(i)); });
        return true;
    }
    if (auto* steps = qobject_cast<TZRRastenButton2*>(control)) {
        QMenu* items = submenu();
        steps->BuildMenu();
        for (int i = 0; i < steps->Menu()->Count(); ++i) {
            const int tag = steps->Menu()->Tag(i);
            connect(items->addAction(steps->Menu()->Caption(i)), &QAction::triggered, steps, [steps, tag] { steps->ItemChosen(tag); });
        }
        return true;
    }
    return false;
}

// ---- wiring

void TMaster::ConnectCommands() {
    ConnectEditCommands();
    ConnectDatabaseCommands();
    ConnectFormatCommands();
    ConnectPaletteCommands();
    ConnectWindowCommands();
    ConnectHelpCommands();
}

void TMaster::DisconnectCommands() {
    for (const char* name : {"colpopPen", "colpopBrush", "colpopFont"}) {
        ColorButton(name)->OnColorChange = nullptr;
        ColorButton(name)->OnMenuButtonClick = nullptr;
    }
    findChild<TZRPenWidthButton*>(QStringLiteral("ZRPenWidthButton1"))->OnPenWidthChange = nullptr;
    findChild<TZRRastenButton2*>(QStringLiteral("RastenBtn"))->OnGWChange = nullptr;
    findChild<TQDXColorToolbar*>(QStringLiteral("QDXColorToolbar1"))->OnSelectColor = nullptr;
    for (TQDXTBComboBox* box : findChildren<TQDXTBComboBox*>()) box->OnCloseUp = nullptr;
}

void TMaster::WithCurrentDesign(const std::function<void(TEinzelEtikett&)>& command) {
    TChild* child = ActiveChild();
    if (!child || !child->CurrentDesign()) return;
    command(*child->CurrentDesign());
    child->RequestToolStateRefresh();
    child->MMWin().InvalidateAll();
}

void TMaster::ConnectEditCommands() {
    auto onItem = [this](const char* name, void (TChild::*handler)()) { ConnectItemToChild(name, handler); };
    auto onButton = [this](const char* name, void (TChild::*handler)()) { ConnectButtonToChild(name, handler); };
    connect(findChild<QMenu*>(QStringLiteral("mnuBearbeiten")), &QMenu::aboutToShow, this, [this] { mnuBearbeitenClick(); });
    onItem("mnuRueckgaengig", &TChild::mnuRueckgaengigClick);
    onButton("cmdZurueck", &TChild::mnuRueckgaengigClick);
    onItem("mnuAusschneiden", &TChild::mnuAusschneidenClick);
    onButton("cmdAusschneiden", &TChild::mnuAusschneidenClick);
    onItem("mnuKopieren", &TChild::mnuKopierenClick);
    onButton("cmdKopieren", &TChild::mnuKopierenClick);
    onItem("mnuEinfuegen", &TChild::mnuEinfuegenClick);
    onButton("cmdEinfuegen", &TChild::mnuEinfuegenClick);
    onItem("mnuLoeschen", &TChild::mnuLoeschenClick);
    onItem("mnuAllesAuswaehlen", &TChild::mnuAllesAuswaehlenClick);
    onItem("mnuAusrichten", &TChild::mnuElementeAusrichtenClick);
    onItem("mnuNeuZeichnen", &TChild::mnuNeuZeichnenClick);
    onItem("mnuEinsNachVorne", &TChild::mnuEinsNachVorneClick);
    onButton("cmdEinsNachVorn", &TChild::mnuEinsNachVorneClick);
    onItem("mnuNachVorne", &TChild::mnuNachVorneClick);
    onButton("cmdGanzNachVorn", &TChild::mnuNachVorneClick);
    onItem("mnuEinsNachHinten", &TChild::mnuEinsNachHintenClick);
    onButton("cmdEinsNachHinten", &TChild::mnuEinsNachHintenClick);
    onItem("mnuNachHinten", &TChild::mnuNachHintenClick);
    onButton("cmdGanzNachHinten", &TChild::mnuNachHintenClick);
    onItem("mnuGruppieren", &TChild::mnuGruppierenClick);
    onItem("mnuUnGroup", &TChild::mnuUnGroupClick);
    onItem("mnuDrucken", &TChild::mnuDruckenClick);
    onButton("cmdDrucken", &TChild::mnuDruckenClick);
    onItem("mnuDruckereinrichtung", &TChild::mnuDruckereinrichtungClick);
    onItem("mnuDruckposition", &TChild::mnuDruckpositionClick);
}

void TMaster::ConnectDatabaseCommands() {
    connect(findChild<QMenu*>(QStringLiteral("mnuDatenbank")), &QMenu::aboutToShow, this, [this] { mnuDatenbankClick(); });
    auto onItem = [this](const char* name, void (*command)(TDataBaseConnector&)) {
        connect(MenuItem(name), &QAction::triggered, this,
                [this, command] { WithActiveChild([command](TChild& c) { command(c.DataBaseConnector()); }); });
    };
    onItem("mnuDatenbankOeffnen", [](TDataBaseConnector& link) { link.Open(); });
    onItem("mnuDatenbankSchliessen", [](TDataBaseConnector& link) { link.Close(); });
    onItem("mnuDatenFiltern", [](TDataBaseConnector& link) { link.Filter(); });
}

void TMaster::mnuDatenbankClick() {
    TChild* child = ActiveChild();
    const bool linked = child && child->DataBaseConnector().Link != nullptr;
    MenuItem("mnuDatenbankOeffnen")->setEnabled(child && !linked);
    MenuItem("mnuDatenbankSchliessen")->setEnabled(linked);
    MenuItem("mnuDatenFiltern")->setEnabled(linked);
}

void TMaster::ConnectFormatCommands() {
    auto onItem = [this](const char* name, void (TChild::*handler)()) { ConnectItemToChild(name, handler); };
    onItem("mnuFormatGroesse", &TChild::mnuGroesseClick);
    onItem("mnuFormatStiftfarbe", &TChild::mnuStiftfarbeClick);
    onItem("mnuFormatStiftdicke", &TChild::mnuStiftdickeClick);
    onItem("mnuFormatPinsel", &TChild::mnuPinselClick);
    onItem("mnuFormatText", &TChild::mnuTextClick);
    onItem("mnuFormatFont", &TChild::mnuFontClick);
    onItem("mnuFormatAusrichtung", &TChild::mnuAusrichtungClick);
    onItem("mnuFormatFeld", &TChild::mnuFormatFeldClick);
    onItem("mnuFormatEigenschaften", &TChild::mnuEigenschaftenClick);
    onItem("mnuEtikettentyp", &TChild::ChooseLabelType);
}

void TMaster::ConnectPaletteCommands() {
    struct ColorCommand {
        const char* button;
        void (TEinzelEtikett::*apply)(gdi::Color);
        void (TMaster::*menu)(int);
    };
    for (const ColorCommand& c : {ColorCommand{"colpopPen", &TEinzelEtikett::SetPenColor, &TMaster::colpopPenMenuBtnClick},
                                  ColorCommand{"colpopBrush", &TEinzelEtikett::SetFillColor, &TMaster::colpopBrushMenuBtnClick},
                                  ColorCommand{"colpopFont", &TEinzelEtikett::SetFontColor, &TMaster::colpopFontMenuBtnClick}}) {
        TZRColorPopupButton* button = ColorButton(c.button);
        const auto apply = c.apply;
        const auto menu = c.menu;
        button->OnColorChange = [this, apply](int32_t color) {
            WithCurrentDesign([&](TEinzelEtikett& d) { (d.*apply)(static_cast<gdi::Color>(color)); });
        };
        button->OnMenuButtonClick = [this, menu](int index) { (this->*menu)(index); };
    }
    findChild<TZRPenWidthButton*>(QStringLiteral("ZRPenWidthButton1"))->OnPenWidthChange = [this](double width) {
        WithCurrentDesign([&](TEinzelEtikett& d) { d.SetPenWidth(static_cast<float>(width)); });
    };
    findChild<TZRRastenButton2*>(QStringLiteral("RastenBtn"))->OnGWChange = [this](double step) { RastenBtnGWChange(step); };
    findChild<TQDXColorToolbar*>(QStringLiteral("QDXColorToolbar1"))->OnSelectColor = [this](TSelectColorTyp kind, int32_t color) {
        QDXColorToolbar1SelectColor(kind, color);
    };

    auto* names = findChild<TQDXTBFontComboBox*>(QStringLiteral("cbFontName"));
    connect(names, &QComboBox::activated, this, [this, names] { cbFontNameFontChange(names->GetFontName()); });
    names->OnCloseUp = [this] { FocusActiveDocument(); };
    auto* sizes = findChild<TQDXTBComboBox*>(QStringLiteral("cbFontSize"));
    sizes->setInsertPolicy(QComboBox::NoInsert);
    connect(sizes, &QComboBox::activated, this, [this] { cbFontSizeClick(); });
    // A typed size that no item shows: the box itself reports nothing.
    connect(sizes->lineEdit(), &QLineEdit::returnPressed, this, [this, sizes] {
        if (sizes->findText(sizes->currentText()) < 0) cbFontSizeClick();
    });
    sizes->OnCloseUp = [this] { FocusActiveDocument(); };

    for (const TFontStyleButton& style : kFontStyleButtons) {
        TSpeedButton* button = Button(style.Name);
        connect(button, &QToolButton::clicked, this, [this, button] { FontStyleClick(button); });
    }
    for (const char* name : kHorizontalAlignButtons)
        connect(Button(name), &QToolButton::clicked, this, [this] { TextAlignClick(); });
    for (const char* name : kVerticalAlignButtons)
        connect(Button(name), &QToolButton::clicked, this, [this] { TextAlignClick(); });
}

void TMaster::ConnectWindowCommands() {
    connect(mnuFenster_, &QMenu::aboutToShow, this, [this] { mnuFensterClick(); });
    connect(MenuItem("mnuUebereinander"), &QAction::triggered, this, [this] { TileDocuments(Qt::Vertical); });
    connect(MenuItem("mnuNebeneinander"), &QAction::triggered, this, [this] { TileDocuments(Qt::Horizontal); });
    connect(MenuItem("mnuUeberlappend"), &QAction::triggered, this, [this] { CascadeDocuments(); });
    connect(MenuItem("mnuSymboleanordnen"), &QAction::triggered, this, [this] { ArrangeIcons(); });
}

// ---- Edit

void TMaster::mnuBearbeitenClick() {
    TChild* child = ActiveChild();
    if (!child || !child->CurrentDesign()) return;
    QAction* undo = MenuItem("mnuRueckgaengig");
    const TEinzelEtikett& design = *child->CurrentDesign();
    if (design.UndoCount() == 0) {
        undo->setEnabled(false);
        undo->setText(LocalizedText("IDS_MNURUECKGAENGIG"));
    } else {
        undo->setEnabled(true);
        undo->setText(LocalizedText("IDS_MNURUECKGAENGIG") + QStringLiteral(" - ") + design.GetUndoCaption());
    }
}

// ---- Format

void TMaster::FontStyleClick(TSpeedButton* sender) {
    const uint8_t style = ReadToolbarDefaults(this).FontStyle;
    int32_t changed = 1;
    if (sender == Button("cmdUnderline"))
        changed = 3;
    else if (sender == Button("cmdKursiv"))
        changed = 2;
    WithCurrentDesign([&](TEinzelEtikett& d) { d.SetFontStyle(style, changed); });
}

void TMaster::TextAlignClick() {
    const TToolbarDefaults tools = ReadToolbarDefaults(this);
    const uint8_t horizontal = tools.HorizontalAlignment.value_or(0);
    const uint8_t vertical = tools.VerticalAlignment.value_or(0);
    WithCurrentDesign([&](TEinzelEtikett& d) { d.SetAlignment(horizontal, vertical); });
}

void TMaster::cbFontSizeClick() {
    const int32_t size = ReadToolbarDefaults(this).FontSize;
    WithCurrentDesign([&](TEinzelEtikett& d) { d.SetFontSize(size); });
}

void TMaster::cbFontNameFontChange(const QString& name) {
    if (name.isEmpty()) return;
    WithCurrentDesign([&](TEinzelEtikett& d) { d.SetFontName(UnicodeToAnsi(name)); });
    if (!findChild<QComboBox*>(QStringLiteral("cbFontName"))->view()->isVisible()) FocusActiveDocument();
}

// ---- colours

bool TMaster::PickButtonColor(TZRColorPopupButton& button, bool offerNoColor) {
    gdi::Color color = static_cast<gdi::Color>(button.Color());
    const TDesignDialogs& dialogs = DesignDialogs();
    const bool chosen = offerNoColor ? PickColorOrNone(color, this) : dialogs.PickColor && dialogs.PickColor(color);
    if (chosen) button.SetColor(static_cast<int32_t>(color));
    return chosen;
}

void TMaster::colpopPenMenuBtnClick(int index) {
    TZRColorPopupButton& button = *ColorButton("colpopPen");
    if (index == kBtnOtherColor) {
        if (PickButtonColor(button, true) && button.OnColorChange) button.OnColorChange(button.Color());
    } else if (index == kBtnNoColor) {
        WithCurrentDesign([](TEinzelEtikett& d) { d.SetPenColor(clNoColor); });
    }
}

void TMaster::colpopBrushMenuBtnClick(int index) {
    if (index == kBtnNoColor) {
        WithCurrentDesign([](TEinzelEtikett& d) { d.SetFillColor(clNoColor); });
        return;
    }
    if ((index != kBtnOtherColor && index != kBtnGradient) || !ActiveChild()) return;
    const TDesignDialogs& dialogs = DesignDialogs();
    if (!dialogs.EditFill || !dialogs.EditFill(*fillData_, index == kBtnGradient)) return;
    if (fillData_->Kind() != fkGradient)
        ColorButton("colpopBrush")->SetColor(fillData_->Kind() == fkNone ? clNoColor : static_cast<int32_t>(fillData_->Color()));
    WithCurrentDesign([this](TEinzelEtikett& d) { d.SetFillData(*fillData_); });
}

void TMaster::colpopFontMenuBtnClick(int index) {
    TZRColorPopupButton& button = *ColorButton("colpopFont");
    if (index == kBtnOtherColor && PickButtonColor(button, false) && button.OnColorChange) button.OnColorChange(button.Color());
}

void TMaster::QDXColorToolbar1SelectColor(int kind, int32_t color) {
    const auto value = static_cast<gdi::Color>(color);
    switch (kind) {
    case sctOutline: WithCurrentDesign([&](TEinzelEtikett& d) { d.SetPenColor(value); }); break;
    case sctFill: WithCurrentDesign([&](TEinzelEtikett& d) { d.SetFillColor(value); }); break;
    case sctText: WithCurrentDesign([&](TEinzelEtikett& d) { d.SetFontColor(value); }); break;
    default: break;
    }
}

// ---- the grid step

void TMaster::RastenBtnGWChange(double step) {
    if (!IsValidStep(step)) return;
    SetGridX(step);
    gitterWeite_ = GetGridX();
    if (gitterWeite_ != step) ShowGridStep();
}

// ---- the picture

void TMaster::InsertPictureCentred() {
    if (!ActiveChild()) return;
    QString path;
    if (!SelectPicture(path, this)) return;
    InsertPictureFileCentred(path);
}

bool TMaster::InsertPictureFileCentred(const QString& path) {
    TChild* child = ActiveChild();
    if (!child || !child->CurrentDesign()) return false;
    Button("cmdPfeil")->SetDown(true);
    child->SetDrawMode(0);
    std::unique_ptr<TBild32> picture = CreatePictureFigure(path, child);
    bool inserted = false;
    if (picture) {
        TEinzelEtikett& design = *child->CurrentDesign();
        const TEtikett& sheet = child->Sheet();
        const TFloatPoint centre = LabelCentre(sheet);
        const TFloatPoint label{centre.X * 2, centre.Y * 2};
        design.SetHandlesVisible(0);
        TFigure* figure = design.AddFigure(std::move(picture), true);
        figure->SetCenterX(centre.X);
        figure->SetCenterY(centre.Y);
        figure->SetWidth(label.X * 0.9);
        figure->SetHeight(label.Y * 0.9);
        static_cast<TBild32*>(figure)->FitToPictureAspect();
        figure->Invalidate();
        design.SetHandlesVisible(1);
        child->SetModified(true);
        RequestToolStateRefresh();
        inserted = true;
    }
    child->mnuNeuZeichnenClick();
    return inserted;
}

// ---- Window

void TMaster::mnuFensterClick() {
    const bool documents = DocumentCount() > 0;
    for (const char* name : {"mnuUebereinander", "mnuNebeneinander", "mnuUeberlappend", "mnuSymboleanordnen"})
        MenuItem(name)->setEnabled(documents);
}

QList<QRect> TMaster::TileRects(int count, const QRect& area, Qt::Orientation stacking) {
    QList<QRect> rects;
    if (count <= 0 || area.isEmpty()) return rects;
    // Strips across the stacking direction; beyond kMaxStrips windows a grid.
    int strips = count;
    int perStrip = 1;
    if (count > kMaxStrips) {
        strips = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
        perStrip = (count + strips - 1) / strips;
    }
    const bool rows = stacking == Qt::Vertical;
    for (int i = 0; i < count; ++i) {
        const int strip = i / perStrip;
        const int inStrip = i % perStrip;
        // The last strip shares its room among the windows it holds.
        const int stripCount = std::min(perStrip, count - strip * perStrip);
        const int stripsUsed = (count + perStrip - 1) / perStrip;
        const int along = rows ? area.height() : area.width();
        const int across = rows ? area.width() : area.height();
        const int a0 = along * strip / stripsUsed;
        const int a1 = along * (strip + 1) / stripsUsed;
        const int c0 = across * inStrip / stripCount;
        const int c1 = across * (inStrip + 1) / stripCount;
        rects << (rows ? QRect(area.left() + c0, area.top() + a0, c1 - c0, a1 - a0)
                       : QRect(area.left() + a0, area.top() + c0, a1 - a0, c1 - c0));
    }
    return rects;
}

void TMaster::TileDocuments(Qt::Orientation stacking) {
    const QList<QMdiSubWindow*> windows = ArrangedWindows(*mdiArea_);
    if (windows.isEmpty()) return;
    for (QMdiSubWindow* sub : windows)
        if (sub->isMaximized()) sub->showNormal();
    const QList<QRect> rects = TileRects(static_cast<int>(windows.size()), mdiArea_->viewport()->rect(), stacking);
    for (qsizetype i = 0; i < windows.size(); ++i) windows[i]->setGeometry(rects[i]);
}

QList<QRect> TMaster::CascadeRects(int count, const QRect& area, int step) {
    QList<QRect> rects;
    if (count <= 0 || area.isEmpty()) return rects;
    const QSize size(area.width() * 3 / 4, area.height() * 3 / 4);
    const int room = std::min(area.width() - size.width(), area.height() - size.height());
    const int positions = std::max(1, room / std::max(1, step) + 1);
    for (int i = 0; i < count; ++i) {
        const int offset = (i % positions) * step;
        rects << QRect(area.topLeft() + QPoint(offset, offset), size);
    }
    return rects;
}

void TMaster::CascadeDocuments() {
    const QList<QMdiSubWindow*> windows = ArrangedWindows(*mdiArea_);
    if (windows.isEmpty()) return;
    QMdiSubWindow* active = mdiArea_->activeSubWindow();
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.first());
    const QList<QRect> rects = CascadeRects(static_cast<int>(windows.size()), mdiArea_->viewport()->rect(), step);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        if (windows[i]->isMaximized()) windows[i]->showNormal();
        windows[i]->setGeometry(rects[i]);
        windows[i]->raise();
    }
    if (active) mdiArea_->setActiveSubWindow(active);
}

void TMaster::ArrangeIcons() {
    const QRect area = mdiArea_->viewport()->rect();
    int x = area.left();
    int y = area.bottom() + 1;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
        if (!sub->isMinimized()) continue;
        const int height = sub->height();
        if (x + kIconWidth > area.right() + 1 && x > area.left()) {
            x = area.left();
            y -= height;
        }
        sub->move(x, y - height);
        x += sub->width();
    }
}
