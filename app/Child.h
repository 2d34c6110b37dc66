#pragma once
// The document window: one for each open document, in the main window's
// multi-document area. It owns the document's label sheet, its designs (one
// per tab of the tab strip at the bottom, the tab's object being the design),
// its database block and its view: the drawing surface MMWin between a
// horizontal and a vertical ruler, with the corner square where they meet.
// Beside the view sits the host of the field panel (hidden until the panel
// is built); under it the design bar with the buttons to add and remove a
// design and the tab strip, or the zoom bar for sheets of one label.
//
// Painting (ChildPaint.cpp): each paint of the view draws the background,
// the label face with its shadow and guides, the sheet's name, the 5-mm grid
// clipped to the label's shape, the figures of the current design (outlines
// only while the main window is moved or sized), the guides again, the
// printer-margin lines and the handles of the selection. While it runs,
// GetUpdateRect() and PaintArea() give the area being painted and the clip
// regions of the label's zones are fresh; outside painting they give the
// whole client area and -1000 .. 1000 mm.
//
// Saving belongs to the file commands: the close question's Yes runs
// SaveCommand, which the file commands install.

#include "app/ChildGeometry.h"
#include "app/ChildGesture.h"
#include "app/MasterChild.h"
#include "design/DocumentBase.h"
#include "document/ChildBase.h"
#include "foundation/FillData.h"
#include "foundation/Scaler.h"
#include "foundation/widgets/LocalizerForm.h"

#include <QtCore/QPoint>
#include <QtCore/QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QFrame;
class QKeyEvent;
class QLabel;
class QMenu;
class QScrollArea;
class QToolButton;
class TDataBaseConnector;
class TEinzelEtikett;
class TEtikett;
class TFieldPanel;
class TMMWindow;
class TQDXTabSet;
class TQNLineal;
class TTemplateIndex;
class TPrintSource;

class TChild : public TLocalizerWidget, public TChildBase, public TDocumentBase, public TMasterChild {
    Q_OBJECT
public:
    // A design's name is cut to this many characters.
    static constexpr int kMaxDesignNameLength = 30;
    static constexpr gdi::Color kDefaultGridColor = 0xF0F0F0;
    // The colour of the sheet name under the label.
    static constexpr gdi::Color kSheetNameColor = 0x808080;
    static constexpr gdi::Color kPrinterMarginColor = 0xFFC0C0;
    static constexpr int kRulerSize = 20;
    static constexpr int kBottomBarHeight = 21;
    // FPaintArea outside painting (mm).
    static constexpr float kIdlePaintArea = 1000;

    explicit TChild(QWidget* parent = nullptr);
    ~TChild() override;

    // ---- parts of the window
    TMMWindow& MMWin() const { return *mmWin_; }
    TQNLineal& LinHori() const { return *linHori_; }
    TQNLineal& LinVert() const { return *linVert_; }
    TQDXTabSet& EtiTab() const { return *etiTab_; }
    QToolButton& EtiPlusButton() const { return *cmdEtiPlus_; }
    QToolButton& EtiMinusButton() const { return *cmdEtiMinus_; }
    // The bottom bar: design buttons and tab strip, or the zoom bar.
    QWidget& BottomBar() const { return *panel2_; }
    // The zoom bar's controls: the caption, the button of the whole page, then
    // one button per zoom zone of the sheet.
    const std::vector<QWidget*>& ZoomBarControls() const { return zoomBar_; }
    // The field panel's place at the right: its scroll box, hidden, and the
    // panel inside it.
    QScrollArea& FieldScrollBox() const { return *scroboField_; }
    QWidget& FieldPanel() const { return *panField_; }
    QMenu& TabMenu() const { return *pmTabset_; }

    // ---- the document
    const QString& FileName() const { return fileName_; }
    // The window's title becomes the file name without its folder.
    void SetFileName(const QString& path);
    // The path was chosen by the user (Save As, or the document was opened);
    // a new document's generated path is not.
    bool IsNamed() const { return named_; }
    void SetNamed(bool named) { named_ = named; }
    bool IsModified() const { return modified_; }
    // Set: the current design is marked modified too; cleared: every design
    // is marked unmodified.
    void SetModified(bool modified) override;
    // The file commands set it when the user cancels the Save As dialog.
    void SetSaveAsCancelled(bool cancelled) { saveAsCancelled_ = cancelled; }
    bool SaveAsCancelled() const { return saveAsCancelled_; }
    // Saves the document (installed by the file commands). The close question's
    // Yes runs it; a Save As cancelled within it keeps the window open.
    std::function<void()> SaveCommand;
    // Asks to save a modified document ("IDS_CHILDSAVE3", Yes, No, Cancel) and
    // returns kAnswerYes, kAnswerNo or kAnswerCancel; 1 when nothing was asked.
    // No clears the modified flag. Without a save command, Yes reports that the
    // file could not be saved and answers Cancel.
    int AskSaveChanges();
    // May the window close? Asks for a modified document; Cancel refuses.
    bool CloseQuery() override;

    // ---- designs (tab order)
    TEinzelEtikett* CurrentDesign() const { return currentDesign_; }
    // Adds a design after the last with the first free caption "Design n" and
    // makes it current.
    void NewDesignTab();
    // The "Neu" button: from the button (askToCopy) the user is asked whether
    // the figures of the current design go onto the new one as well, when
    // there are any; Yes copies them in their order, without undo steps.
    void cmdEtiPlusClick(bool askToCopy);
    // The "Löschen" button: asks, then removes the current design.
    void cmdEtiMinusClick();
    // Removes the current tab with its design.
    void DeleteCurrentDesign();
    // Makes the selected tab's design current.
    void EtiTabClick();
    // The tab strip's menu: rename (asks for the name), move left, move right.
    void mnuDesignUmbenennenClick();
    // The caption of the current design becomes the text, trimmed and cut to
    // kMaxDesignNameLength characters (an empty text is taken as it is).
    void RenameCurrentDesign(const QString& text);
    void mnuDesignNachLinksClick();
    void mnuDesignNachRechtsClick();
    // Sets the enabled states of the tab strip's menu items.
    void pmTabsetPopup();

    // ---- the sheet
    // Copies the sheet into the document, sizes the view's template to the
    // label as displayed and arranges the bottom bar.
    void ApplyEtikett(const TEtikett& sheet);
    // The design bar for sheets of several labels, else the zoom bar.
    void ArrangeDesignBar();
    // The printer-margin lines from the current printer and the sheet.
    void UpdatePrinterMargins();
    const TPrinterMargins& PrinterMargins() const { return printerMargins_; }
    // Labels drawn in their own zone ("Etiketten abgrenzen"); on for a new window.
    void SetClipRing(bool on);
    gdi::Color GridColor() const { return gridColor_; }

    // ---- painting
    // The paint of the view (its OnPaint).
    void pbPaint();
    // The update rectangle in mm (left, top, right, bottom).
    TFloatRect PaintArea() const { return paintArea_; }

    // ---- view commands
    // Rulers in step with the view's zoom and scroll position.
    void UpdateRulers();
    // The view's scroll event: rulers updated and repainted.
    void sbScroll();
    void mnuGanzClick();
    void mnuZoomBreiteClick();
    void mnuAnsichtEtikettenHoeheClick();
    // The figures of the current design (all, or the selected ones) fill the
    // view; without figures the whole label, without a selection nothing.
    void mnuAnsichtZoomAlleObjekteClick();
    void mnuAnsichtZoomAuswahlClick();
    // Zoom about the middle of the view, as the zoom menu items set it.
    void ZoomCentered(double zoom);
    // "Etiketten abgrenzen" on or off, with the main window's item and button.
    void mnuClipRingClick();
    // Moves both rulers' marks to a point of the view (client coordinates).
    void UpdateCursorMarks(int x, int y);

    // ==== Editing on the page: mouse gestures and drawing modes
    // (ChildMouse.cpp), figure creation (ChildCreate.cpp), keys, zoom and
    // view switches (ChildKeys.cpp), the field panel (FieldPanel.cpp).

    // ---- mouse gestures on the view (client coordinates of the view; shift
    // is the trackers' shift state, with kDoubleClick for a double click)
    void pbMouseDown(Qt::MouseButton button, uint32_t shift, int x, int y);
    void pbMouseMove(uint32_t shift, int x, int y);
    void pbMouseUp(Qt::MouseButton button, uint32_t shift, int x, int y);
    // A double click: the text dialog of the one selected figure, else its
    // properties dialog; nothing for a figure that has neither.
    void EditSelectedFigure();
    // Every design calls it after its selection changed.
    void SelectionChanged(TEinzelEtikett& design);
    const TChildGesture& Gesture() const { return gesture_; }
    // Shows the figures' context menu at a screen point for the selection
    // state (0 nothing, 1 one figure, 2 a selection); installed by the edit
    // commands, which own the menu. Without it a right click only selects.
    std::function<void(QPoint screen, int32_t state)> OnFiguresMenu;

    // ---- figure creation
    // Runs the creator of the mode on the rubber band's corners; true when a
    // figure was added to the current design and selected alone. Modes without a creator
    // (DrawModeAvailable) create nothing.
    bool CreateFigure(uint8_t mode, TPoint p1, TPoint p2);
    // The main window's "Bild einfügen": a chosen picture fills the middle
    // 80 % of the view, fitted to its proportions.
    void InsertPictureFile();

    // ---- keys (the window sees every key before the focused control)
    void FormKeyDown(QKeyEvent& event);
    void FormKeyUp(QKeyEvent& event);
    // Keys of the view while it has the focus.
    void sbKeyDown(QKeyEvent& event);
    void sbKeyUp(QKeyEvent& event);
    // The last mouse move again with another modifier state, so that a
    // rubber band follows Ctrl and Shift at once.
    void ReplayMouseMove(uint32_t shift);
    void ShowContextMenuAtSelection();

    // ---- zoom and view switches
    // The release of a drag in zoom mode: Ctrl zooms out by 0.7; a click
    // (less than 2 pixels) zooms in by 1 / 0.7; else the rectangle fills the view.
    void ZoomToDraggedRect(TPoint start, TPoint end, uint32_t shift);
    // The zoom keys: the zoom changed by delta about the middle of the view.
    void ZoomBy(double delta);
    void mnuAnsichtDruckrandClick();
    void mnuAnsichtGitterClick();
    void mnuVerwendungshinweisClick();
    void mnuBogenRueckseiteClick();
    void mnuBogenGedrehtClick();

    // ---- the field panel
    void mnuFeldlisteAnzeigenClick();
    void mnuFelderBearbeitenClick();
    void mnuFeldnamenAnzeigenClick();
    // The value being typed into a field's edit goes into the field list now
    // (before a save, a print or a change of design).
    void CommitFieldEdit();
    TFieldPanel& FieldPanelRows() const { return *fieldPanel_; }

    // ---- TMasterChild
    uint8_t DrawMode() const override { return drawMode_; }
    // A creation mode deselects everything; select and zoom show the
    // selection's handles (ChildMouse.cpp).
    void SetDrawMode(uint8_t mode) override;
    void UpdateFrameControls() override;
    void InvalidateDrawing() override;
    // Refresh of the main window, new printer margins, rulers repainted.
    void Activated() override;

    // ---- TChildBase
    TMMWindowBase* GetMMWindow() override;
    TScaleCanvas& GetViewScaleCanvas() override;
    TDesignBase* GetCurrentDesign() override;
    gdi::Rect GetUpdateRect() const override { return updateRect_; }
    bool ClipRingActive() const override;
    const std::vector<TClipZone>& ClipRingRegions() const override { return clipRegions_; }
    void SetPrintingRecord(bool printing) override { printingRecord_ = printing; }
    bool IsPrintingRecord() const override { return printingRecord_; }
    TEtikett& GetEtikett() override { return *etikett_; }
    void RequestToolStateRefresh() override;
    void SwitchToSelectTool() override;
    void Beep() override;
    gdi::Color MainPenColor() const override;
    const TFillData& MainFillData() const override;
    void BuildFieldPanel() override;
    void SetFieldTypeMenu(const std::vector<std::string>& fieldNames) override;
    void ShowWarning(const QString& text) override;
    void ShowError(const QString& text) override;
    void SetBusyCursor(bool busy) override;

    // ---- TDocumentBase
    TChildBase& Owner() override { return *this; }
    TEtikett& Sheet() override { return *etikett_; }
    TDataBaseConnector& DataBaseConnector() override { return *connector_; }
    int32_t DesignCount() const override;
    TEinzelEtikett& Design(int32_t index) override;
    QString DesignCaption(int32_t index) const override;
    void SetDesignCaption(int32_t index, const QString& caption) override;
    TEinzelEtikett& AddDesignTab(const QString& caption) override;
    int32_t CurrentDesignIndex() const override;
    void SetCurrentDesignIndex(int32_t index) override;
    void ShowLoadProgress(const QString& caption) override;

    // ---- file commands (ChildFileCommands.cpp)
    // What a save dialog is asked to show.
    struct TSaveDialogRequest {
        QString Title;
        QString Filter;  // "description|pattern|..."
        QString DefaultExt;
        QString InitialPath;  // folder and file name
    };
    // The dialogs of the file commands; tests put their own in place. The
    // save dialog gives the chosen path, empty when cancelled.
    static std::function<QString(const TSaveDialogRequest& request, QWidget* parent)> SaveDialog;
    static std::function<bool(const QString& caption, const QString& prompt, QString& text)> TemplateQuery;
    static std::function<void(QWidget* owner)> TemplateManager;
    // The templates' index (the process-wide one; tests give their own).
    static std::function<TTemplateIndex&()> Templates;
    // Save: Save As for a document without a chosen name or on a CD, else
    // writes the file. A successful write clears the modified flag and the
    // undo stacks and puts the path first in the recent files; a failing one
    // raises and changes nothing of the window's state.
    void mnuSpeichernClick();
    // Save As: the save dialog, then the document written under the chosen
    // name, which it takes only once written. Cancel sets SaveAsCancelled.
    void mnuSpeichernUnterClick();
    void mnuSpeichernVorlageClick();
    void mnuVorlagenVerwaltenClick();
    // The selected figures of the current design as "export.wmf" in the
    // user's data folder.
    void mnuExportClick();
    static QString MetafileExportPath();
    // The label size and the current design's text figures as an INI file,
    // numbers with a decimal comma.
    void ExportToIni(const QString& path);
    void mnuSchliessenClick();
    // The save dialog's request of Save As.
    TSaveDialogRequest SaveAsRequest() const;
    // ---- edit, arrange, print and label-type commands (ChildCommands.cpp)
    // Each runs the current design's command, then requests the main
    // window's refresh; nothing without a current design.
    void mnuAusschneidenClick();
    void mnuKopierenClick();
    void mnuEinfuegenClick();
    void mnuLoeschenClick();
    void mnuRueckgaengigClick();
    void mnuAllesAuswaehlenClick();
    // The element-alignment dialog for the selection; nothing without one.
    void mnuElementeAusrichtenClick();
    // The stacking order; each marks the document modified.
    void mnuEinsNachVorneClick();
    void mnuNachVorneClick();
    void mnuEinsNachHintenClick();
    void mnuNachHintenClick();
    void mnuGruppierenClick();
    void mnuUnGroupClick();
    void mnuNeuZeichnenClick();
    void mnu90ClockwiseClick();
    void mnu90CounterClockwiseClick();
    void mnu180drehenClick();
    void mnuGroesseClick();
    void mnuStiftdickeClick();
    void mnuStiftfarbeClick();
    void mnuPinselClick();
    void mnuTextClick();
    void mnuFontClick();
    void mnuAusrichtungClick();
    void mnuEigenschaftenClick();
    void mnuFeldClick();
    void mnuFormatFeldClick() { mnuFeldClick(); }
    // The centre of every selected figure onto the ring (1 top, 2 middle,
    // 3 bottom) of a CD sheet; nothing on other sheets. The selection copied
    // onto, or moved to, the ring.
    void CenterSelectionOnRing(int ring);
    void mnuAuswahlkopierenClick(int ring);
    void mnuAuswahlverschiebenClick(int ring);
    // The selection's centre onto the middle of the label.
    void mnuZwZentrierenClick();

    // The figures' context menu: mode 0 on empty space, 1 on a figure that
    // the click selected, 2 on the selection. Sets which entries show, pops
    // it up at the screen point, then returns to the select tool.
    void ShowContextMenu(const QPoint& screenPoint, int mode);
    // The visibility of the entries for the mode (without showing the menu).
    void PrepareContextMenu(int mode);
    QAction* PopupItem(const char* name) const;

    // Prints the document through the print engine, after CommitFieldPanel.
    void mnuDruckenClick();
    // Takes an edit still open in the field panel into the document; the
    // field panel connects it.
    std::function<void()> CommitFieldPanel;
    void mnuDruckpositionClick();
    // The printer choice, then the sheet's page size on the chosen printer.
    void mnuDruckereinrichtungClick();
    // Another label type: refused (IDS_CHILDMSG3) when the new sheet has
    // fewer labels than the document has designs.
    void ChooseLabelType();
    // Takes the sheet as ChooseLabelType does once it is chosen; false when refused.
    bool ApplyLabelType(const TEtikett& sheet);
    // What the commands call; tests replace them. The label-type dialog gives
    // the chosen sheet or none; the print command prints the source.
    static std::function<std::unique_ptr<TEtikett>(const TEtikett& current, QWidget* parent)> LabelTypeDialog;
    static std::function<void(TPrintSource& source, QWidget* mainWindow)> PrintCommand;
    // The name of the document for the print job: the file name without its
    // folder, or the window's title.
    QString DocumentName() const;

protected:
    void BeforeLocalize() override;
    void AfterLocalize() override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWindow();
    void BuildBottomBar();
    void BuildTabMenu();
    void FormCreate();
    void ConnectView();
    TEinzelEtikett& AddTab(const QString& caption);
    void UpdateDesignButtons();
    int32_t DesignLimit() const;
    // The designs a sheet has room for: one per label, any number with free designs.
    static int32_t DesignLimitOf(const TEtikett& sheet);
    void MoveCurrentDesign(int delta);
    void EtiTabMouseDown(Qt::MouseButton button, int x, int y);
    void ClearZoomBar();
    void BuildZoomBar();
    int AddZoomBarButton(int x, int tag, const QString& caption);
    void ZoomBarButtonClick(int tag);
    void ResizeDesignButtons();
    void ShowTitle();
    // Writes the whole document to the path; raises when it cannot.
    void WriteDocumentFile(const QString& path);
    // Writes the document; once it is written, the path becomes the
    // document's name and the recent files' first entry, and the modified
    // flag and the undo stacks are cleared.
    void SaveDocumentTo(const QString& path);
    void ClearUndoStacks();
    // Commands (ChildCommands.cpp).
    void BuildPopupMenu();
    // The design's command, then the main window's refresh and a repaint.
    void RunDesignCommand(void (TEinzelEtikett::*command)());
    // The same for a command of the selection; a beep when nothing is selected.
    void RunSelectionCommand(void (TEinzelEtikett::*command)());
    void RotateSelectionBy(double angle);
    void ChangeStackingOrder(void (TEinzelEtikett::*command)());
    void UpdateMenuStates(TEinzelEtikett& design);
    void UpdateTextTools(TEinzelEtikett& design);

    // Painting (ChildPaint.cpp).
    void PaintSheet();
    void PaintSheetName(const gdi::Rect& label);
    void PaintGrid();
    void PaintLabelGuides();
    void UpdateClipRegions();
    void PaintPrinterMargins();
    void PaintPrinterMark(int32_t x, int32_t y);
    bool MainButtonDown(const char* name, bool mustBeEnabled) const;
    bool MainInSizeMove() const;

    // ==== Editing on the page (see the public block).
    void ConnectEditing();
    void ConnectKeys();
    void ConnectFieldPanel();
    void SelectMouseDown(uint32_t shift, int x, int y);
    void SelectMouseMove(uint32_t shift, int x, int y);
    void SelectMouseUp(uint32_t shift, int x, int y);
    void StartMove(TPoint p);
    void ContextClick(int x, int y);
    // The figures' context menu at a point of the view, then the select tool.
    void PopUpFiguresMenu(TPoint client, int32_t state);
    void CreationMouseUp();
    void PrepareOutlineShape();
    void DrawRubberLine();
    void DrawRubberShape(TPoint a, TPoint b);
    void DrawRubberBand();
    void DrawMoveOutlines(TPoint p);
    bool ViewMayMove() const;
    void SetViewCursorForMode(uint32_t shift, int x, int y);
    void MoveSelectionByGrid(int key, uint32_t shift);

    TChildGesture gesture_;
    std::unique_ptr<TFieldPanel> fieldPanel_;
    QObject* keyPreview_ = nullptr;

    QFrame* panel5_ = nullptr;
    QWidget* panel1_ = nullptr;
    QLabel* loadCaption_ = nullptr;
    TQNLineal* linHori_ = nullptr;
    TQNLineal* linVert_ = nullptr;
    QFrame* panel4_ = nullptr;
    TMMWindow* mmWin_ = nullptr;
    QWidget* panel2_ = nullptr;
    QWidget* panel3_ = nullptr;
    QToolButton* cmdEtiPlus_ = nullptr;
    QToolButton* cmdEtiMinus_ = nullptr;
    QFrame* shape1_ = nullptr;
    TQDXTabSet* etiTab_ = nullptr;
    QWidget* pSplitter_ = nullptr;
    QScrollArea* scroboField_ = nullptr;
    QWidget* panField_ = nullptr;
    QMenu* pmTabset_ = nullptr;
    QMenu* mnuPopUp_ = nullptr;
    QAction* mnuDesignUmbenennen_ = nullptr;
    QAction* mnuDesignNachLinks_ = nullptr;
    QAction* mnuDesignNachRechts_ = nullptr;
    std::vector<QWidget*> zoomBar_;

    std::unique_ptr<TEtikett> etikett_;
    std::unique_ptr<TDataBaseConnector> connector_;
    bool saveAsCancelled_ = false;
    TPrinterMargins printerMargins_;
    QString fileName_;
    bool modified_ = false;
    bool clipRing_ = true;
    bool printingRecord_ = false;
    gdi::Color gridColor_ = kDefaultGridColor;
    uint8_t drawMode_ = 0;
    TEinzelEtikett* currentDesign_ = nullptr;
    bool named_ = false;
    gdi::Rect updateRect_;
    TFloatRect paintArea_{-kIdlePaintArea, -kIdlePaintArea, kIdlePaintArea, kIdlePaintArea};
    std::vector<TClipZone> clipRegions_;
    bool destroying_ = false;
    // The fill the fill dialog starts from when the main window has none to offer.
    TFillData fallbackFill_;
};
