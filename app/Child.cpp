#include "app/Child.h"

#include "app/Application.h"
#include "app/FieldPanel.h"
#include "app/Master.h"
#include "app/MessageBoxes.h"
#include "app/MMWindow.h"
#include "app/MyScrollBox.h"
#include "app/QDXTabSet.h"
#include "app/QNLineal.h"
#include "app/SpeedButton.h"
#include "controls/DlgInputQuery.h"

#include "design/EinzelEtikett.h"
#include "design/RingLabels.h"
#include "document/DataBaseConnector.h"
#include "document/Etikett.h"
#include "figures/Figure.h"
#include "foundation/Debug.h"
#include "foundation/Exceptions.h"
#include "foundation/ExportCanvas.h"
#include "foundation/Localizer.h"
#include "foundation/widgets/DialogStyle.h"
#include "foundation/ZRRegIniFile.h"
#include "platform/gdi/QtConvert.h"
#include "printing/PrinterSupport.h"

#include <QtCore/QFileInfo>
#include <QtCore/QTimer>
#include <QtGui/QCloseEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QFrame>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QStyle>

#include <algorithm>

namespace {

constexpr int kDefaultWidth = 788;
constexpr int kDefaultHeight = 584;
constexpr int kDesignButtonsWidth = 83;
constexpr int kFieldPanelWidth = 105;
constexpr int kSplitterWidth = 5;
// The main window's size after a double click on the corner square.
constexpr QSize kCornerDoubleClickSize(800, 580);
// The design buttons are as wide as their caption and this.
constexpr int kButtonTextMargin = 20;

const char* const kSettingsSection = "Standard";
const char* const kSettingsDefaultSheet = "Default";

void SetBackground(QWidget* w, gdi::Color c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, gdi::ToQColor(c));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

TEinzelEtikett* DesignOf(void* object) { return static_cast<TEinzelEtikett*>(object); }

}  // namespace

TChild::TChild(QWidget* parent)
    : TLocalizerWidget(parent),
      etikett_(std::make_unique<TEtikett>()),
      connector_(std::make_unique<TDataBaseConnector>()) {
    setObjectName(QStringLiteral("Child"));
    BuildWindow();
    Localize();
    FormCreate();
}

TChild::~TChild() {
    destroying_ = true;
    // The designs go first: their figures still reach the view while they end.
    // No design becomes current on the way (no field panel, no repaint).
    etiTab_->OnClick = nullptr;
    while (etiTab_->Tabs().Count() > 0) {
        if (etiTab_->TabIndex() < 0) etiTab_->SetTabIndex(0);
        DeleteCurrentDesign();
    }
    ClearZoomBar();
    clipRegions_.clear();
    RequestToolStateRefresh();
}

// ---- building

void TChild::BuildWindow() {
    setWindowTitle(QStringLiteral("Blatt1"));
    resize(kDefaultWidth, kDefaultHeight);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    panel5_ = new QFrame(this);
    panel5_->setObjectName(QStringLiteral("Panel5"));
    panel5_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    outer->addWidget(panel5_);
    auto* row = new QHBoxLayout(panel5_);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(0);

    panel1_ = new QWidget(panel5_);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    SetBackground(panel1_, LabelFaceColor);
    panel1_->installEventFilter(this);
    row->addWidget(panel1_, 1);
    auto* grid = new QGridLayout(panel1_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);

    // The horizontal ruler spans the corner square, which lies on top of it.
    linHori_ = new TQNLineal(panel1_);
    linHori_->setObjectName(QStringLiteral("LinHori"));
    linHori_->setFixedHeight(kRulerSize);
    linHori_->SetPixPerdm(400);
    linHori_->SetShowInch(false);
    grid->addWidget(linHori_, 0, 0, 1, 2);
    linVert_ = new TQNLineal(panel1_);
    linVert_->setObjectName(QStringLiteral("LinVert"));
    linVert_->setFixedWidth(kRulerSize);
    linVert_->SetOrientation(TLinealOrientation::LOVertikal);
    grid->addWidget(linVert_, 1, 0);
    panel4_ = new QFrame(panel1_);
    panel4_->setObjectName(QStringLiteral("Panel4"));
    panel4_->setFixedSize(kRulerSize, kRulerSize);
    panel4_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel4_->setAutoFillBackground(true);
    panel4_->installEventFilter(this);
    grid->addWidget(panel4_, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    panel4_->raise();

    mmWin_ = new TMMWindow(panel1_);
    mmWin_->setObjectName(QStringLiteral("MMWin"));
    mmWin_->setFrameShape(QFrame::NoFrame);  // the rulers meet the view
    grid->addWidget(mmWin_, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);

    BuildBottomBar();
    grid->addWidget(panel2_, 2, 0, 1, 2);

    loadCaption_ = new QLabel(panel1_);
    loadCaption_->setAlignment(Qt::AlignCenter);
    SetBackground(loadCaption_, LabelFaceColor);
    loadCaption_->hide();

    pSplitter_ = new QWidget(panel5_);
    pSplitter_->setObjectName(QStringLiteral("pSplitter"));
    pSplitter_->setFixedWidth(kSplitterWidth);
    pSplitter_->setCursor(Qt::SplitHCursor);
    pSplitter_->hide();
    row->addWidget(pSplitter_);
    scroboField_ = new TMyScrollBox(panel5_);
    scroboField_->setObjectName(QStringLiteral("scroboField"));
    scroboField_->setFixedWidth(kFieldPanelWidth);
    scroboField_->setWidgetResizable(true);
    panField_ = new QWidget;
    panField_->setObjectName(QStringLiteral("panField"));
    scroboField_->setWidget(panField_);
    scroboField_->hide();
    row->addWidget(scroboField_);

    BuildTabMenu();
    BuildPopupMenu();
}

void TChild::BuildBottomBar() {
    panel2_ = new QWidget(panel1_);
    panel2_->setObjectName(QStringLiteral("Panel2"));
    panel2_->setFixedHeight(kBottomBarHeight);
    auto* bar = new QHBoxLayout(panel2_);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(0);
    panel3_ = new QWidget(panel2_);
    panel3_->setObjectName(QStringLiteral("Panel3"));
    panel3_->setFixedWidth(kDesignButtonsWidth);
    bar->addWidget(panel3_);
    auto addButton = [this](const char* name, const char* caption, const char* hint) {
        auto* b = new TSpeedButton(panel3_);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setText(QString::fromUtf8(caption));
        b->SetHint(QString::fromUtf8(hint));
        b->setFixedHeight(kBottomBarHeight);
        return b;
    };
    cmdEtiPlus_ = addButton("cmdEtiPlus", "Neu", "Einzeldesign hinzu|Neues Einzeldesign wird hinzugefügt");
    cmdEtiMinus_ = addButton("cmdEtiMinus", "Löschen", "Einzeldesign entfernen|Aktuelles Einzeldesign wird entfernt");
    connect(cmdEtiPlus_, &QToolButton::clicked, this, [this] { cmdEtiPlusClick(true); });
    connect(cmdEtiMinus_, &QToolButton::clicked, this, [this] { cmdEtiMinusClick(); });
    shape1_ = new QFrame(panel2_);
    shape1_->setObjectName(QStringLiteral("Shape1"));
    shape1_->setFixedWidth(1);
    SetBackground(shape1_, gdi::ResolveColor(gdi::SystemColor(gdi::COLOR_BTNSHADOW)));
    bar->addWidget(shape1_);
    etiTab_ = new TQDXTabSet(panel2_);
    etiTab_->setObjectName(QStringLiteral("EtiTab"));
    etiTab_->SetSelectedColor(gdi::SystemColor(gdi::COLOR_WINDOW));
    etiTab_->SetUnselectedColor(gdi::SystemColor(gdi::COLOR_BTNFACE));
    etiTab_->SetTabHeight(19);
    etiTab_->OnClick = [this] { EtiTabClick(); };
    etiTab_->OnMouseDown = [this](Qt::MouseButton button, uint32_t, int x, int y) { EtiTabMouseDown(button, x, y); };
    bar->addWidget(etiTab_, 1);
}

void TChild::BuildTabMenu() {
    pmTabset_ = new QMenu(this);
    pmTabset_->setObjectName(QStringLiteral("pmTabset"));
    auto add = [this](const char* name, const char* caption, void (TChild::*handler)()) {
        QAction* a = pmTabset_->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    mnuDesignUmbenennen_ = add("mnuDesignUmbenennen", "Design umbenennen", &TChild::mnuDesignUmbenennenClick);
    mnuDesignNachLinks_ = add("mnuDesignNachLinks", "Tabreiter nach links verschieben", &TChild::mnuDesignNachLinksClick);
    mnuDesignNachRechts_ = add("mnuDesignNachRechts", "Tabreiter nach rechts verschieben", &TChild::mnuDesignNachRechtsClick);
    connect(pmTabset_, &QMenu::aboutToShow, this, [this] { pmTabsetPopup(); });
}

void TChild::FormCreate() {
    Debug().Log("Start FormCreate");
    AssignStatusFont(this);
    etikett_->LoadFromSettings(kSettingsSection, kSettingsDefaultSheet);
    mmWin_->SetColor(LabelFaceColor);
    mmWin_->AutoScroll = false;
    mmWin_->SetTemplateWidth(100);
    mmWin_->SetTemplateHeight(100);
    mmWin_->SetWorldWidth(1000);
    mmWin_->SetWorldHeight(1000);
    ConnectView();
    gridColor_ = static_cast<gdi::Color>(Settings().ReadInteger("Allgemein", "Gitterfarbe", static_cast<int32_t>(kDefaultGridColor)));
    updateRect_ = {0, 0, mmWin_->ClientWidth(), mmWin_->ClientHeight()};
    cmdEtiPlusClick(false);
    mmWin_->SetZoom(1);
    mnuGanzClick();
    modified_ = false;
    saveAsCancelled_ = false;
    printingRecord_ = false;
    SaveCommand = [this] { mnuSpeichernClick(); };
    // The rulers once more after the window has its final size.
    QTimer::singleShot(0, this, [this] {
        linHori_->update();
        linVert_->update();
    });
    Debug().Log("Ende FormCreate");
}

void TChild::ConnectView() {
    mmWin_->OnPaint = [this] { pbPaint(); };
    mmWin_->OnScroll = [this] { sbScroll(); };
    ConnectEditing();
}

// ---- texts

void TChild::BeforeLocalize() {
    // Menu items have no hints of their own.
    for (QMenu* menu : {pmTabset_, mnuPopUp_})
        for (QAction* action : menu->findChildren<QAction*>())
            if (!action->objectName().isEmpty())
                Localizer().AddExportExclusion(SectionName(), action->objectName(), QStringLiteral("Hint"));
}

void TChild::AfterLocalize() {
    TLocalizerWidget::AfterLocalize();
    ShowTitle();
    etikett_->UpdateZoomRegions();
    if (!zoomBar_.empty()) ArrangeDesignBar();
    ResizeDesignButtons();
}

void TChild::ResizeDesignButtons() {
    int x = 0;
    for (QToolButton* b : {cmdEtiPlus_, cmdEtiMinus_}) {
        const int width = b->fontMetrics().horizontalAdvance(b->text()) + kButtonTextMargin;
        b->setGeometry(x, 0, width, kBottomBarHeight);
        x += width;
    }
    panel3_->setFixedWidth(x);
}

void TChild::ShowTitle() {
    if (!fileName_.isEmpty()) setWindowTitle(QFileInfo(fileName_).fileName());
}

// ---- the document

void TChild::SetFileName(const QString& path) {
    fileName_ = path;
    ShowTitle();
}

void TChild::SetModified(bool modified) {
    modified_ = modified;
    if (modified) {
        if (currentDesign_) currentDesign_->SetModified(true);
        return;
    }
    for (int32_t i = 0; i < DesignCount(); ++i) Design(i).SetModified(false);
}

int TChild::AskSaveChanges() {
    if (!modified_) return 1;
    int answer = AskQuestion(LocalizedFormat("IDS_CHILDSAVE3", {fileName_}), TQuestionButtons::YesNoCancel, this);
    if (answer == kAnswerYes) {
        if (SaveCommand) {
            SaveCommand();
        } else {
            // Nothing can save the document yet: it stays open with its changes.
            ShowMessageBox(TMessageKind::Error, LocalizedFormat("IDS_CHILDSAVE4", {fileName_}), this);
            answer = kAnswerCancel;
        }
        if (saveAsCancelled_) {
            saveAsCancelled_ = false;
            answer = kAnswerCancel;
        }
    } else if (answer == kAnswerNo) {
        SetModified(false);
    }
    return answer;
}

bool TChild::CloseQuery() {
    if (!modified_) return true;
    if (QWidget* frame = parentWidget()) frame->raise();
    raise();
    return AskSaveChanges() != kAnswerCancel;
}

void TChild::closeEvent(QCloseEvent* event) {
    // Refused until the question allowed it: a save that fails keeps the window.
    event->ignore();
    if (CloseQuery()) event->accept();
}

// ---- designs

int32_t TChild::DesignCount() const { return etiTab_->Tabs().Count(); }

TEinzelEtikett& TChild::Design(int32_t index) { return *DesignOf(etiTab_->Tabs().Objects(index)); }

QString TChild::DesignCaption(int32_t index) const { return etiTab_->Tabs().Strings(index); }

void TChild::SetDesignCaption(int32_t index, const QString& caption) { etiTab_->Tabs().Put(index, caption); }

int32_t TChild::CurrentDesignIndex() const { return etiTab_->TabIndex(); }

void TChild::SetCurrentDesignIndex(int32_t index) { etiTab_->SetTabIndex(index); }

TEinzelEtikett& TChild::AddTab(const QString& caption) {
    auto design = std::make_unique<TEinzelEtikett>(*this);
    design->OnSelectionChanged = [this](TEinzelEtikett& d) { SelectionChanged(d); };
    TEinzelEtikett& added = *design;
    etiTab_->Tabs().Add(caption, design.release());
    return added;
}

TEinzelEtikett& TChild::AddDesignTab(const QString& caption) {
    TEinzelEtikett& design = AddTab(caption);
    UpdateDesignButtons();
    return design;
}

void TChild::NewDesignTab() {
    const QString base = LocalizedText("IDS_CHILDMSG1") + QLatin1Char(' ');
    int n = 1;
    while (etiTab_->Tabs().IndexOf(base + QString::number(n)) >= 0) ++n;
    AddTab(base + QString::number(n));
    etiTab_->SetTabIndex(etiTab_->Tabs().Count() - 1);
}

int32_t TChild::DesignLimit() const { return DesignLimitOf(*etikett_); }

int32_t TChild::DesignLimitOf(const TEtikett& sheet) {
    if (sheet.FreeDesigns != 0) return INT32_MAX;
    return static_cast<int32_t>(std::min<int64_t>(INT32_MAX, int64_t{sheet.Columns} * sheet.Rows));
}

void TChild::UpdateDesignButtons() {
    cmdEtiPlus_->setEnabled(DesignCount() < DesignLimit());
    cmdEtiMinus_->setEnabled(DesignCount() > 1);
}

void TChild::cmdEtiPlusClick(bool askToCopy) {
    TEinzelEtikett* previous = currentDesign_;
    const bool copy = askToCopy && DesignCount() > 0 && previous && previous->FigureCount() > 0 &&
                      AskQuestion(LocalizedText("IDS_CHILDMSG6"), TQuestionButtons::YesNo, this) == kAnswerYes;
    NewDesignTab();
    if (DesignCount() > 1) SetModified(true);
    UpdateDesignButtons();
    if (!copy || !currentDesign_) return;
    TEinzelEtikett& design = *currentDesign_;
    const TUndoSuspension noUndo(design);
    for (int32_t i = 0; i < previous->FigureCount(); ++i) {
        if (std::unique_ptr<TFigure> clone = previous->GetFigure(i)->Clone()) design.AddFigure(std::move(clone), false);
    }
    mmWin_->InvalidateAll();
}

void TChild::cmdEtiMinusClick() {
    const int index = etiTab_->TabIndex();
    if (index < 0) return;
    const QString question = LocalizedFormat("IDS_CHILDMSG2", {etiTab_->Tabs().Strings(index)});
    if (AskQuestion(question, TQuestionButtons::YesNo, this) != kAnswerYes) return;
    DeleteCurrentDesign();
    UpdateDesignButtons();
    if (DesignCount() > 0) SetModified(true);
}

void TChild::DeleteCurrentDesign() {
    const int index = etiTab_->TabIndex();
    if (index < 0) return;
    std::unique_ptr<TEinzelEtikett> design(DesignOf(etiTab_->Tabs().Objects(index)));
    // Deleting the selected tab makes the next one current (the strip's click).
    etiTab_->Tabs().Delete(index);
    if (currentDesign_ == design.get()) currentDesign_ = nullptr;
    if (etiTab_->FirstIndex() > 0) etiTab_->SetFirstIndex(etiTab_->FirstIndex() - 1);
}

void TChild::EtiTabClick() {
    // A value being typed belongs to the design that is being left.
    CommitFieldEdit();
    const int index = etiTab_->TabIndex();
    if (index < 0) {
        currentDesign_ = nullptr;
    } else {
        if (currentDesign_ && !destroying_ && !ApplicationTerminating()) currentDesign_->DeselectAll();
        currentDesign_ = DesignOf(etiTab_->Tabs().Objects(index));
        mmWin_->InvalidateAll();
        BuildFieldPanel();
    }
    RequestToolStateRefresh();
}

void TChild::EtiTabMouseDown(Qt::MouseButton button, int x, int y) {
    if (button != Qt::RightButton) return;
    const int index = etiTab_->ItemAtPos(QPoint(x, y));
    if (index < 0) return;
    etiTab_->SetTabIndex(index);
    EtiTabClick();
    pmTabset_->popup(etiTab_->mapToGlobal(QPoint(x, y)));
}

void TChild::mnuDesignUmbenennenClick() {
    const int index = etiTab_->TabIndex();
    if (index < 0) return;
    QString text = etiTab_->Tabs().Strings(index);
    if (ShowInputQuery(LocalizedText("IDS_CHILDMSG4"), LocalizedText("IDS_CHILDMSG5"), text, this))
        RenameCurrentDesign(text);
}

void TChild::RenameCurrentDesign(const QString& text) {
    const int index = etiTab_->TabIndex();
    if (index < 0) return;
    etiTab_->Tabs().Put(index, text.trimmed().left(kMaxDesignNameLength));
    SetModified(true);
}

void TChild::MoveCurrentDesign(int delta) {
    const int from = etiTab_->TabIndex();
    const int to = from + delta;
    if (from < 0 || to < 0 || to >= DesignCount()) return;
    etiTab_->Tabs().Move(from, to);
    etiTab_->SetTabIndex(to);
    EtiTabClick();
    SetModified(true);
}

void TChild::mnuDesignNachLinksClick() { MoveCurrentDesign(-1); }

void TChild::mnuDesignNachRechtsClick() { MoveCurrentDesign(1); }

void TChild::pmTabsetPopup() {
    const int index = etiTab_->TabIndex();
    mnuDesignNachLinks_->setEnabled(index > 0);
    mnuDesignNachRechts_->setEnabled(index >= 0 && index < DesignCount() - 1);
}

// ---- the sheet

void TChild::ApplyEtikett(const TEtikett& sheet) {
    if (&sheet != etikett_.get()) etikett_->Assign(sheet);
    const TFloatPoint size = DisplayedLabelSize(*etikett_);
    mmWin_->SetTemplateWidth(size.X);
    mmWin_->SetTemplateHeight(size.Y);
    ArrangeDesignBar();
    UpdatePrinterMargins();
    mmWin_->InvalidateAll();
    RequestToolStateRefresh();
}

void TChild::ArrangeDesignBar() {
    ClearZoomBar();
    panel2_->setFixedHeight(kBottomBarHeight);
    panel2_->show();
    const bool oneLabel = DesignLimit() == 1;
    etiTab_->setVisible(!oneLabel);
    panel3_->setVisible(!oneLabel);
    shape1_->setVisible(!oneLabel);
    if (oneLabel) {
        panel2_->setFixedHeight(std::max(kBottomBarHeight, style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4));
        BuildZoomBar();
    } else {
        UpdateDesignButtons();
    }
    RequestToolStateRefresh();
}

void TChild::UpdatePrinterMargins() {
    TPrinterBorders borders;
    try {
        PrinterSupport().GetPhysicalPage(borders);
    } catch (const Exception& e) {
        // Without a printer's page the lines stay away; the document works on.
        Debug().Log(QStringLiteral("Printer margins unknown: ") + QString::fromUtf8(e.Message()));
        printerMargins_ = {};
        return;
    }
    printerMargins_ = ComputePrinterMargins(borders.LeftMM, borders.TopMM, borders.RightMM, borders.BottomMM, *etikett_);
}

void TChild::SetClipRing(bool on) {
    clipRing_ = on;
    mmWin_->InvalidateAll();
}

bool TChild::ClipRingActive() const { return clipRing_ && etikett_->ZoomRegions.HasClipRegion(); }

// ---- the main window

void TChild::InvalidateDrawing() { mmWin_->InvalidateAll(); }

void TChild::Activated() {
    RequestToolStateRefresh();
    UpdatePrinterMargins();
    linHori_->update();
    linVert_->update();
}

void TChild::RequestToolStateRefresh() {
    if (Master) Master->RequestToolStateRefresh();
}

void TChild::SwitchToSelectTool() {
    if (Master)
        if (TSpeedButton* select = Master->Button("cmdPfeil")) select->SetDown(true);
    SetDrawMode(0);
}

void TChild::Beep() { QApplication::beep(); }

gdi::Color TChild::MainPenColor() const { return Master ? static_cast<gdi::Color>(Master->PenColor()) : gdi::Rgb(0, 0, 0); }

const TFillData& TChild::MainFillData() const { return Master ? Master->FillData() : fallbackFill_; }

void TChild::ShowWarning(const QString& text) { ShowMessageBox(TMessageKind::Warning, text, this); }

void TChild::ShowError(const QString& text) { ShowMessageBox(TMessageKind::Error, text, this); }

void TChild::SetBusyCursor(bool busy) {
    if (busy) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

// ---- the view as figures see it

TMMWindowBase* TChild::GetMMWindow() { return mmWin_; }

TScaleCanvas& TChild::GetViewScaleCanvas() { return mmWin_->GetScaleCanvas(); }

TDesignBase* TChild::GetCurrentDesign() { return currentDesign_; }

void TChild::ShowLoadProgress(const QString& caption) {
    loadCaption_->setText(caption);
    loadCaption_->setGeometry(panel1_->rect());
    loadCaption_->setVisible(!caption.isEmpty());
    if (!caption.isEmpty()) {
        loadCaption_->raise();
        loadCaption_->repaint();
    }
}

bool TChild::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panel1_ && event->type() == QEvent::Resize) loadCaption_->setGeometry(panel1_->rect());
    if (watched == panel4_ && event->type() == QEvent::MouseButtonDblClick && Master) Master->resize(kCornerDoubleClickSize);
    return TLocalizerWidget::eventFilter(watched, event);
}
