#pragma once
// The main window: a multi-document frame with two tool-bar rows, the tool
// palette at the left, the colour strip and help panel at the right and the
// status bar. It reads its placement and view settings when it is created and
// writes them back when it is destroyed, switches the user-interface language
// at run time, keeps its buttons and menus in step with the active document
// through a deferred refresh, and shows every exception that escapes a
// command (TApplication).
//
// Controls whose commands are not available yet are present with their texts
// and stay disabled ("pending"); the refresh never enables them.

#include "controls/ZRColorPopupButton.h"
#include "foundation/widgets/LocalizerForm.h"

#include <QtCore/QEvent>
#include <QtCore/QList>
#include <QtCore/QRect>
#include <QtCore/QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QFrame;
class QMdiArea;
class QTextBrowser;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QUrl;
class QToolButton;
class TLast4Files;
class TMasterChild;
struct TLabelTypeChoice;
class TChild;
class TEinzelEtikett;
class TFillData;
class TSpeedButton;
class TZRColorPopupButton;
class TZRMenuSpacer;
class TZRStatusBar;

// Width of the colour strip along the main window's right edge.
inline constexpr int kColorStripWidth = 16;

class TMaster : public TLocalizerMainWindow {
    Q_OBJECT
    // The caption the language gives the window: the program's title. While a
    // document window is maximized the frame shows "caption - [document]".
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    // The refresh request: one posted event per call.
    static const QEvent::Type RefreshToolStateEvent;
    // The allowed languages: German, English, French, Italian, Spanish, Dutch.
    static constexpr uint32_t kAllowedLanguages = 0x21F;
    // After this long without a further move or resize of the frame, the
    // move or size is over.
    static constexpr int kSizeMoveSettleMs = 300;
    // The grid step in mm when the settings hold none (or a damaged one).
    static constexpr double kDefaultGridStep = 1.0;

    // Loads a document file into a new document window, or raises an
    // Exception with the reason. Without one, OpenDocument loads the file
    // into a TChild (LoadDocumentWindow); tests put stand-ins in its place.
    using DocumentLoader = std::function<QWidget*(const QString& path)>;
    // How many printers the system offers.
    using PrinterCounter = std::function<size_t()>;
    // Hands a web address to the desktop; false when no browser could be started.
    using UrlOpener = std::function<bool(const QUrl&)>;

    explicit TMaster(QWidget* parent = nullptr);
    // With a printer counter of its own (tests).
    TMaster(PrinterCounter printers, QWidget* parent = nullptr);
    ~TMaster() override;

    // Documents.
    QMdiArea* MdiArea() const { return mdiArea_; }
    int DocumentCount() const;
    TMasterChild* ActiveDocument() const;
    QList<TMasterChild*> Documents() const;
    // Puts a document window into the frame; the only one is maximised.
    QMdiSubWindow* AddDocumentWindow(QWidget* window);
    void SetDocumentLoader(DocumentLoader loader) { documentLoader_ = std::move(loader); }
    // The recent files of the File menu; the document windows add each saved path.
    TLast4Files& RecentFiles() const;

    // A new, empty document window named SaveDir + "Datei" n + "." +
    // DefaultExt, n counting the new documents of the program run from 1; its
    // sheet is the stored default until the caller applies another.
    TChild* NewDocumentWindow();
    // The active document window; null without one.
    TChild* ActiveChild() const;
    int NewDocumentCounter = 1;

    // ---- opening and creating documents (MasterDocuments.cpp)
    // The dialogs of New and Open; tests put their own in place. The
    // label-type dialog gives the chosen sheet (or Open, or nothing); the open
    // dialog gives the chosen file, empty when cancelled.
    static std::function<TLabelTypeChoice(bool offerOpen, QWidget* parent)> LabelTypeDialog;
    static std::function<QString(const QString& lastFolder, QWidget* parent)> OpenDialog;
    // Only the first label-type dialog of a program run offers to open a file.
    bool OfferOpenInTypeDialog = true;
    // The folder of the last opened document, with a trailing separator.
    QString LastFolder;
    // New: the label-type dialog, then a document on the chosen sheet.
    void NewDocumentFromLabelType();
    // Open: the open dialog with preview, then the chosen document.
    void OpenDocumentFromDialog();
    // The document file in a new document window, the whole label in view;
    // raises the reader's exception, leaving no window behind.
    TChild* LoadDocumentWindow(const QString& path);
    // The status bar's template export: the INI file chosen in a save dialog.
    void BtnVisiVorlageClick();

    // Commands of the main window itself.
    void mnuNeuClick();
    void mnuOeffnenClick();
    // Loads the file into a new document window; a failure of any kind is
    // shown and gives null. The command line, dropped files, the open dialog
    // and the recent files all open documents here (MasterDocuments.cpp).
    QWidget* OpenDocument(const QString& path);
    void ShowAboutBox();
    void mnuSpracheClick(QAction* sender);
    // The brand's web site for the current language (the logo button and
    // "Über Kroxa"); when no browser can be started the user is told so.
    void cmdKroxaHomepageClick();
    static QString BrandWebAddress(int language);
    void SetUrlOpener(UrlOpener opener) { urlOpener_ = std::move(opener); }

    // ---- help, manuals and web links (MasterHelp.cpp)
    // Where the manuals ("<program>_<language code>.htm") and the help pages
    // ("HTMLHelp/<language code>/") are: the program folder, with a trailing
    // "/"; tests use a folder of their own.
    QString HelpFolder() const { return helpFolder_; }
    void SetHelpFolder(const QString& folder) { helpFolder_ = folder; }
    // The manual of the current language (FindManualFile) through the
    // desktop; raises an Exception with "IDS_NOPDFFILE" when there is none.
    void mnuAnleitungClick();
    QString FindManualFile() const;
    // A document beside the program through the desktop; false, and the
    // user told so, when it is missing.
    bool OpenPdfFile(const QString& path);
    // The catalogue named under the key in the language's "KroxaKatalog"
    // section; nothing when the language names none.
    void OpenCatalogue(const char* key);
    // The news page the language names ("AktuelleNewsUndUpdatesLink").
    void mnuKroxaNewsUpdatesClick();
    // The help panel at the right edge: 400 pixels wide with the start page,
    // or only the colour strip.
    void ShowHelpPanel(bool visible);
    bool HelpVisible() const { return helpVisible_; }
    // The menu item and the tool button: the panel on or off, kept in "HelpVisible".
    void ToggleHelpPanel();
    void ImgSchliessenClick();
    void InitHelpPanel();
    // A link clicked in the help panel: "intern" opens the manual, "http..."
    // goes to the browser, "redir.htm?dir=next|prev&n=k" shows a tip page;
    // anything else is left to the panel (handled stays false).
    void HTMLViewerHotSpotClick(const QString& address, bool& handled);
    // The first tip page (w0.htm) in the help panel.
    void ShowTipPage();
    // The tip pages w1.htm, w2.htm, ... of the language that are present (at least 1).
    int GetTipPageCount() const;
    void mnuKroxaKeineTippsAnzeigenClick();
    void panRightResize();
    void panHTMLHelpTitleResize();
    QTextBrowser* HelpViewer() const { return helpViewer_; }

    // Tool state and application events.
    void RequestToolStateRefresh();
    void WMRefreshToolState();
    void UpdateDrawState(TSpeedButton* sender);
    void ApplicationIdle();
    void SetStatusText(const QString& text);
    QString StatusText() const;
    void DropFiles(const QStringList& paths);
    void WMEnterSizeMove();
    void WMExitSizeMove();
    bool InSizeMove() const { return inSizeMove_; }
    void FocusActiveDocument();
    bool Closing() const { return closing_; }
    // The window's own caption (the program's title), without a document.
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    // Layout.
    // Places the visible controls side by side from x = left; hidden ones
    // take no room. Returns where the row ends.
    int ArrangeToolbar(const QList<QWidget*>& controls, int left);
    void ArrangeToolPalette();
    void panToolbarResize();
    // The button at the right end of a tool-bar row (0 or 1) whose menu holds
    // the controls that a narrow window cannot show; hidden while all fit.
    QToolButton* ToolbarOverflowButton(int row) const { return overflow_[row]; }
    // Fills the row's overflow menu with the controls it cannot show.
    void FillOverflowMenu(int row);
    // The window's size fitted to the screen (30 pixels smaller where it is
    // larger than the screen) and centred on it.
    static QRect CentredBounds(QSize size, const QRect& screen);
    void LoadViewSettings();

    // View settings.
    double GitterWeite() const { return gitterWeite_; }
    bool GridShown() const;
    bool PrinterMarginsShown() const;

    // A control or menu item by its name (null when there is none).
    QWidget* Control(const char* name) const;
    QAction* MenuItem(const char* name) const;
    TSpeedButton* Button(const char* name) const;
    QWidget* ToolbarPanel() const { return panToolbar_; }
    QWidget* ToolPalette() const { return panWerkzeug_; }
    QWidget* RightPanel() const { return panRight_; }
    TZRStatusBar* StatusBar() const { return statusBar_; }
    QString FontPreviewText() const;

    // Pending controls and items belong to commands not available yet.
    static void MarkPending(QObject* object);
    static bool IsPending(const QObject* object);
    static void SetControlEnabled(QWidget* control, bool enabled);
    static void SetItemEnabled(QAction* item, bool enabled);

    // ---- commands of the menus and tool bars (MasterCommands.cpp)
    // The palettes at start: black pen and text, no fill.
    static constexpr int32_t kDefaultPenColor = 0x000000;
    static constexpr int32_t kDefaultFillColor = clNoColor;
    static constexpr int32_t kDefaultFontColor = 0x000000;

    // The palettes, which new figures and the design's dialogs start from.
    int32_t PenColor() const;
    int32_t BrushColor() const;
    int32_t FontColor() const;
    // The fill last edited through the fill button's dialog.
    TFillData& FillData() { return *fillData_; }
    // Shows a text figure's font and alignment on the tool bar, without
    // running the tools' commands.
    void ShowTextTools(const QString& fontName, int32_t size, uint8_t style, uint8_t horizontal, uint8_t vertical);

    // The Edit menu opens: "Rückgängig" names the newest undo step.
    void mnuBearbeitenClick();
    void FontStyleClick(TSpeedButton* sender);
    void TextAlignClick();
    void cbFontSizeClick();
    void cbFontNameFontChange(const QString& name);
    // The command rows of the colour buttons: -2 no colour, -3 another
    // colour, -4 a gradient.
    void colpopPenMenuBtnClick(int index);
    void colpopBrushMenuBtnClick(int index);
    void colpopFontMenuBtnClick(int index);
    // The colour strip: 1 outline, 2 fill, 3 text colour; -1 no colour.
    void QDXColorToolbar1SelectColor(int kind, int32_t color);
    // The grid-step button: the step goes to the snapping (0 stands for 0.1).
    void RastenBtnGWChange(double step);
    // A picture file chosen by the user, centred on the label at nine tenths
    // of its size and fitted to the picture's aspect.
    void InsertPictureCentred();
    // Inserts the picture file as InsertPictureCentred does once it has
    // the file; false when it cannot be read.
    bool InsertPictureFileCentred(const QString& path);
    // The Database menu opens: open needs a document without a linked
    // record set, close and filter one with it.
    void mnuDatenbankClick();
    // The Window menu opens: its arrangement items need a document.
    void mnuFensterClick();
    // Windows one above the other (Qt::Vertical stacking) or side by side.
    void TileDocuments(Qt::Orientation stacking);
    void CascadeDocuments();
    void ArrangeIcons();
    // Where tiling puts count windows in the area: one above the other
    // (Qt::Vertical) or side by side, in rows or columns once there are
    // more than three.
    static QList<QRect> TileRects(int count, const QRect& area, Qt::Orientation stacking);
    // Where cascading puts count windows: three quarters of the area each,
    // every one a step further down and right, starting over at the top
    // left when the next would leave the area.
    static QList<QRect> CascadeRects(int count, const QRect& area, int step);

protected:
    void BeforeLocalize() override;
    void AfterLocalize() override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void RetextDocumentWindowMenus();
    // Building (MasterBuild.cpp).
    void BuildWindow();
    void BuildMenus();
    void BuildToolbar();
    void BuildToolPalette();
    void BuildRightPanel();
    void BuildStatusBar();
    TSpeedButton* AddSpeedButton(QWidget* parent, const char* name, const char* icon, const QString& hint, QSize size);
    TZRMenuSpacer* AddSpacer(QWidget* parent, const char* name, bool horizontal);
    QList<QWidget*> ControlList(std::initializer_list<const char*> names) const;

    void FormCreate();
    void CreateRecentFiles();
    void FormClose();
    void FormDestroy();
    void FitAndCentre();
    void LoadCursors();
    void SaveSettings();
    void SetLanguageDependentItems();
    // The grid step on its button, with the decimal separator of the language.
    void ShowGridStep();
    void NoteSizeMoveActivity();
    void InvalidateAllDocuments();
    void UpdateWindowMenu();
    // Document commands of the menus and tool bar (MasterDocuments.cpp).
    void ConnectDocumentCommands();
    // New, Open and the file commands of the document windows.
    void ConnectFileCommands();
    // The View and field items that the document window carries out.
    void ConnectEditingCommands();
    // A menu item's or tool button's command carried out by the active document window.
    void ConnectItemToChild(const char* item, void (TChild::*command)());
    void ConnectButtonToChild(const char* button, void (TChild::*command)());
    // Runs the command on the active document window, when there is one.
    void WithActiveChild(const std::function<void(TChild&)>& command);
    // The grid or printer-margin button changed: menu checks follow, views repaint.
    void ViewButtonsChanged();
    void ToggleViewButton(const char* button, const char* item);
    void SetToolbarControlsEnabled(bool enabled);
    // Commands of the menus and tool bars (MasterCommands.cpp).
    TZRColorPopupButton* AddColorButton(QWidget* parent, const char* name, TColorButtonStyle style, int32_t color,
                                        const QString& hint);
    TZRColorPopupButton* ColorButton(const char* name) const;
    void ConnectCommands();
    // The controls' callbacks go before the window's parts, which may still
    // report while they end.
    void DisconnectCommands();
    // The choices of a colour, pen-width or grid-step button as a submenu of
    // the tool-bar row's overflow menu; false for other controls.
    bool AddPaletteOverflowItems(QMenu* menu, QWidget* control);
    void ConnectEditCommands();
    void ConnectDatabaseCommands();
    void ConnectFormatCommands();
    void ConnectPaletteCommands();
    void ConnectWindowCommands();
    // Runs the command on the current design of the active document.
    void WithCurrentDesign(const std::function<void(TEinzelEtikett&)>& command);
    // Another colour for the button from the colour dialog; false on cancel.
    bool PickButtonColor(TZRColorPopupButton& button, bool offerNoColor);
    void BuildToolbarOverflow();
    QList<QWidget*> RowControls(int row) const;
    int RowEnd() const;
    // The shown controls of the row that do not fit before its overflow button.
    QList<QWidget*> OverflowingControls(int row) const;
    void UpdateToolbarOverflow();

    void BuildHelpPanel();
    void ConnectHelpCommands();
    // Shows the help page in the panel, opening it; false, and the user told
    // so, when the page is missing.
    bool ShowHelpPage(const QString& path);
    QString HelpPage(const QString& page) const;
    // After a change of language the open panel shows its page in the new
    // language (the start page when that language lacks it).
    void ShowHelpPageInLanguage();
    // The desktop opens the file; false when it could not.
    bool OpenWithDesktop(const QString& path);

    PrinterCounter printers_;
    UrlOpener urlOpener_;
    QToolButton* overflow_[2] = {};
    QWidget* panToolbar_ = nullptr;
    QWidget* panWerkzeug_ = nullptr;
    QWidget* panRight_ = nullptr;
    QString caption_;
    QMdiArea* mdiArea_ = nullptr;
    TZRStatusBar* statusBar_ = nullptr;
    QMenu* mnuSprache_ = nullptr;
    QMenu* mnuFenster_ = nullptr;
    QActionGroup* languageGroup_ = nullptr;
    QList<QAction*> windowListActions_;
    QList<QAction*> documentActions_;  // visible only while a document is open
    QAction* databaseMenu_ = nullptr;
    QTimer* sizeMoveTimer_ = nullptr;
    QWidget* panHTMLView_ = nullptr;
    QWidget* helpTitle_ = nullptr;
    QTextBrowser* helpViewer_ = nullptr;
    QString helpFolder_;
    bool helpVisible_ = false;

    DocumentLoader documentLoader_;
    std::unique_ptr<TLast4Files> recentFiles_;
    std::unique_ptr<TFillData> fillData_;

    bool inSizeMove_ = false;
    bool closing_ = false;
    bool created_ = false;
    double gitterWeite_ = kDefaultGridStep;
};

// The main window while it exists.
extern TMaster* Master;
