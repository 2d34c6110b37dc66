#pragma once
// A design: the content of one label of a document, shown on one tab of the
// document window. It owns its figures (in z-order: index 0 is drawn first
// and lies lowest), keeps the selection and its counts per figure kind, the
// undo list, the field list that field texts show and the placeholder table
// that plain texts expand. Every label of a printed sheet is filled from a
// design.
//
// Selection: SelectedFigures holds the selected figures in the order they
// were selected; each is also in the figure list. A figure's Selected flag
// is set while it is selected and its handles are shown: hiding the handles
// clears the flags of the selected figures while they stay selected, and
// showing them sets the flags again. Printing and exporting the selection go
// by the flags, so with hidden handles they draw nothing.
//
// Every change to the figures goes through a command of the design, which
// first records an undo step with a localised caption (see the undo
// manager below); a cancelled dialog or a change that no figure takes removes
// that step again. Changing commands mark the design modified, and a modified
// design marks its document modified.

#include "document/DesignBase.h"
#include "document/FeldListe.h"
#include "document/SuchTabelle.h"
#include "figures/FigureKinds.h"
#include "figures/FigureList.h"
#include "foundation/PointHelpers.h"
#include "foundation/Scaler.h"
#include "platform/imaging/Dib.h"

#include <QtCore/QString>

#include <array>
#include <initializer_list>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TBild32;
class TChildBase;
class TCustomScaler;
class TDataSet;
class TEtikettFiler;
class TExportCanvas;
class TFigure;
class TFillData;
class TMyMemIniFile;
class TRegionScaleCanvas;
class TScaleCanvas;
class TZRUndoItem;

class TEinzelEtikett : public TDesignBase {
public:
    static constexpr int kKindCount = 20;
    using TSelectionChangedEvent = std::function<void(TEinzelEtikett& design)>;

    // An empty design of the document; the default field names and a new
    // placeholder table.
    explicit TEinzelEtikett(TChildBase& owner);
    // Frees every figure and the undo list with what its records own.
    ~TEinzelEtikett() override;
    TEinzelEtikett(const TEinzelEtikett&) = delete;
    TEinzelEtikett& operator=(const TEinzelEtikett&) = delete;

    // ---- content
    // Records a creation step ("IDS_UNDONEWELEMENT"), puts the figure on top
    // of the z-order and, with select, makes it the only selection and marks
    // the design modified. Returns the figure, which the design now owns.
    TFigure* AddFigure(std::unique_ptr<TFigure> figure, bool select);
    int32_t FigureCount() const { return Figures.Count(); }
    TFigure* GetFigure(int32_t index) const { return Figures.Items(index); }
    int32_t IndexOf(const TFigure* figure) const { return Figures.IndexOf(figure); }
    int32_t SelectedCount() const { return SelectedFigures.Count(); }
    TFigure* GetSelected(int32_t index) const { return SelectedFigures.Items(index); }
    bool IsSelected(const TFigure* figure) const { return SelectedFigures.IndexOf(figure) >= 0; }
    // 0 nothing selected, 1 one figure, 2 several.
    int32_t GetSelectionState() const;
    // Setting the flag marks the document modified too; clearing it leaves
    // the document alone (the document clears every design's flag itself).
    void SetModified(bool modified);
    bool IsModified() const { return Modified; }
    uint8_t GetHandlesVisible() const { return HandlesVisible; }
    TChildBase& GetOwner() const { return owner_; }

    // ---- selection
    // Figure indexes are z-order indexes; selection indexes count in
    // SelectedFigures. Each operation requests a tool-state refresh of the
    // main window and fires OnSelectionChanged once.
    // Appends the figure to the selection; a figure already selected stays
    // as it is.
    void SelectFigure(int32_t index);
    void DeselectAt(int32_t selectionIndex);
    void ToggleSelection(int32_t index);
    void DeselectAll();
    // Each figure whose device extent lies wholly inside the rectangle
    // changes its state: a selected one is deselected, the others selected.
    void SelectInRect(const TRect& deviceRect);
    // Switches the main window to the select tool and selects everything.
    void SelectAll();
    // Tab and Shift+Tab: the figure after (before) the first selected one,
    // wrapping round; without a selection the first (last) figure.
    void SelectNext();
    void SelectPrevious();
    // 0 hides the handles of the selected figures (clearing their Selected
    // flags), 1 shows them; nothing when showing without a selection or when
    // hiding hidden handles.
    void SetHandlesVisible(uint8_t mode);

    // The number of selected figures of a kind (1 to 20); 0 for others.
    int32_t KindCount(TFigureKind kind) const;
    // Whether a figure of one of the kinds is selected.
    bool AnySelectedOf(std::initializer_list<TFigureKind> kinds) const;
    bool CanSetPen() const;
    bool CanFill() const;
    bool CanSetFont() const;
    bool CanEditText() const;
    bool CanAlignText() const;
    bool CanEditProperties() const;
    bool CanFilterPicture() const;

    // ---- hit tests and the pointer (device units of the view)
    // The selection index of the last selected figure under the point; -1.
    int32_t HitTestSelected(int32_t x, int32_t y);
    // The z-order index of the topmost figure under the point; -1.
    int32_t HitTestFigures(int32_t x, int32_t y);
    int32_t FigureAt(int32_t x, int32_t y, bool& isSelected);
    // Offers a mouse-down to the handles of the selected figures, the last
    // selected first; true when one took it (its drag has then run). A drag
    // that applied its result marks the design modified; one that was
    // abandoned (Escape) takes back the undo step it made.
    bool TrackerMouseDown(int32_t x, int32_t y);
    // Gives the view the cursor of the handle, else of the figure, under the point.
    void UpdateCursor(int32_t x, int32_t y);

    // ---- geometry
    // Unions over the selected figures (device units of the view); all 0
    // without a selection.
    TRect GetSelectionBounds();
    TRect GetSelectionPixelRect();
    // The union of the selected figures' extents on the scaler; (0, 0, 1, 1)
    // without a selection.
    TRect GetSelectionExtentOn(const TCustomScaler& scaler) const;
    // In mm, measured on the measuring canvas; all 0 when there is nothing.
    TFloatRect GetSelectionExtent() const;
    TFloatRect GetFiguresExtent() const;

    // ---- drawing
    // Every figure on the view, each followed by the view's AfterFigurePainted.
    void PaintFigures();
    void PaintHandles();
    // The outlines of all figures in silver; the pen is black afterwards.
    void DrawOutlines(TScaleCanvas& canvas);
    // The outlines of the selected figures with the canvas's pen.
    void DrawSelectionOutlines(TScaleCanvas& canvas);
    // Every figure whose Selected flag is set, in z-order.
    void ExportSelection(TExportCanvas& canvas);

    // ---- printing, filling and saving
    // Every figure (or each whose Selected flag is set) in z-order; on the
    // printer's canvas the loop ends after the figure during which the job
    // was aborted.
    void PrintAllFigures(TRegionScaleCanvas& canvas);
    void PrintSelectedFigures(TRegionScaleCanvas& canvas);
    // The record's values into every figure (serial printing).
    void ResolveFields(TDataSet* record);
    // Around a print job and each label, every figure in z-order. The flag
    // is 0 for a real job and 1 for a preview; at the end of a job it tells
    // the figures to give back what the job changed (EndPrintJob(aborted)).
    void NotifyPrintJobStart(int32_t flag);
    void NotifyPrintJobEnd(int32_t flag);
    void NotifyLabelStart(int32_t flag);
    void NotifyLabelEnd(int32_t flag);
    // Element code and record of every figure, in z-order.
    void SaveFigures(TEtikettFiler& filer);
    // The same for the selected figures, in the order they were selected.
    void SaveSelectedFigures(TEtikettFiler& filer);
    // Rich texts (also on a circle) into sections "Fig0", "Fig1", ..., and
    // their number as "FigCount" of section "Template".
    void ExportTextFiguresToIni(TMyMemIniFile& ini);

    // ---- the undo manager
    // A step with a snapshot of every selected figure (also of none);
    // nothing while undo is suspended. Figures ask for it when a handle
    // drag starts.
    void BeginPropertyUndo(const char* captionKey) override;
    // A step that removes every figure added after it; nothing while suspended.
    void PushCreateUndo(const char* captionKey);
    // A step that restores the present z-order; nothing while suspended.
    void PushLayerUndo(const char* captionKey);
    // A step that gives the selected picture figure its present picture
    // back (the picture filters); nothing while suspended or unless the
    // first selected figure holds a raster picture.
    void SaveUndoBitmapEffekt(const char* captionKey);
    // Removes the last step, if there is one.
    void DiscardLastUndo();
    // Every step goes (after saving and loading).
    void ClearUndo();
    int32_t UndoCount() const { return static_cast<int32_t>(UndoList.size()); }
    // The caption of the last step; empty when there is none.
    QString GetUndoCaption() const;
    // Reverts the last step and removes it; marks the design modified when
    // figures changed. Nothing when there is no step.
    void Undo();
    bool IsUndoSuspended() const { return UndoSuspended; }

    // ---- property commands: the value goes to every selected figure that
    // takes it. A command that no figure takes beeps and records nothing.
    void SetPenColor(gdi::Color color);
    void SetPenWidth(float mm);
    void SetFillColor(gdi::Color color);
    void SetBrushStyle(uint8_t style);
    void SetFillData(const TFillData& fill);
    void SetFontName(const std::string& name);
    void SetFontSize(int32_t points);
    // style bits 1 bold, 2 italic, 4 underline; element 1 bold, 2 italic,
    // 3 underline, 0 all of them.
    void SetFontStyle(uint8_t style, int32_t element);
    void SetFontColor(gdi::Color color);
    // horizontal 0 left, 1 centred, 2 right, 3 justified; vertical 0 top,
    // 1 centred, 2 bottom.
    void SetAlignment(uint8_t horizontal, uint8_t vertical);

    // ---- dialog commands (the dialogs are those of DesignDialogs.h and of
    // the figures; without one, a command does nothing and records nothing)
    void EditSelectedText();
    void EditSelectedFieldText();
    void EditSelectedPosition();
    void EditFill();
    void EditPen();
    void EditPenColor();
    void EditFont();
    void EditTextAlignment();
    void EditProperties();

    // ---- geometry commands (nothing without a selection)
    // From the end of a drag of the selection (device points of the view).
    void MoveSelectionByPixels(TPoint from, TPoint to);
    void MoveSelectionBy(double dx, double dy);
    // Puts the centre of each selected figure at the point (mm).
    void SetSelectionCenter(double x, double y);
    void RotateSelection(double degrees);
    void ResizeSelection(double dWidth, double dHeight);

    // ---- arranging the selection (EinzelEtikettArrange.cpp)
    // The element-alignment dialog for the selected figures, then
    // AlignSelection with its code; nothing without a selection.
    void AlignSelectionDialog();
    // Aligns, then distributes the selection by an alignment code (see
    // foundation/ElementAlignFlags.h) within one undo step; the label's size
    // is that of the document's sheet as the view shows it. Nothing without
    // a selection or when the code moves nothing; distributing needs at
    // least two figures.
    void AlignSelection(int32_t code);
    // The ring of the sheet's article (1 to 3, see RingLabels.h) whose centre
    // is nearest to the device point of the view; later rings win ties. 0
    // for articles without rings.
    int32_t RingAt(int32_t x, int32_t y);
    // The ring that holds the centre of the selection's device rectangle.
    int32_t SelectionRing();
    // Moves the selection from its ring to the target ring by the distance
    // of their centres (one undo step). Nothing without a selection, for
    // articles without rings, for a ring the article lacks, or when the
    // selection is on the target already.
    void MoveSelectionToRing(int32_t ring);
    // Copies of the selection, moved to the target ring: two undo steps (the
    // move, then the copies). Nothing where MoveSelectionToRing would move
    // nothing.
    void CopySelectionToRing(int32_t ring);

    // ---- the context menu (see ContextMenuModel.h for what it shows)
    // A right click at the device point of the view: on a selected figure
    // mode 2 with the selection unchanged; else on a figure that figure
    // alone is selected with its handles shown, mode 1; else mode 0 with
    // the selection unchanged. The answer holds the mode and the point in
    // screen coordinates.
    struct TContextMenuRequest {
        int32_t Mode = 0;
        TPoint ScreenPoint{};
    };
    TContextMenuRequest ContextClick(int32_t x, int32_t y);
    // The context-menu key: mode 2 at the centre of the selection's device
    // rectangle, or mode 0 at the view's origin without a selection.
    TContextMenuRequest ContextKey();

    // ---- stacking order, deletion, duplication, grouping
    void BringForward();
    void BringToFront();
    void SendBackward();
    void SendToBack();
    void DeleteSelection();
    // Copies of the selected figures on top, exactly on their originals.
    void Duplicate();
    // At least two figures selected.
    void GroupSelection();
    // Exactly one figure selected, and it is a group.
    void UngroupSelection();

    // ---- picture filters: the selected picture figure's raster picture
    // through its post-processing dialog (see DesignDialogs.h). Without such a
    // figure a beep; OK is one undo step ("Bildänderung"), Cancel changes
    // nothing and records nothing.
    void FilterBrightness();
    void FilterHueSaturation();
    void FilterBlackWhite();
    // Gives the figure a copy of the filtered picture and marks the design
    // modified. A picture that came from a file is kept as a file of the same
    // kind again, holding the filtered pixels, and shows what that file holds;
    // a kind that cannot be written (or a file that fails) makes it a picture
    // without file, which is saved as PNG.
    void ApplyFilteredPicture(const imaging::Dib& bitmap, TBild32& figure);

    // ---- clipboard commands (see FigureClipboard.h)
    void CopySelection();
    void CutSelection();
    // One undo step removes everything pasted.
    void Paste();

    // ---- field commands
    void EditFieldList();
    // The document window's submenu "Feldtyp wechseln": one entry per field.
    void BuildFieldTypeMenu();
    // Binds the first selected figure, when it is a field text, to the field
    // at the position of the field list.
    void FieldTypeMenuClick(int32_t position);
    // Repaints the field texts bound to the id (every field text when the id
    // is empty).
    void RefreshFieldTexts(const std::string& fieldId);

    TSelectionChangedEvent OnSelectionChanged;
    TFeldListe FieldList;
    std::unique_ptr<TSuchTabelle> Placeholders;

private:
    friend class TUndoSuspension;

    // Selection bookkeeping without notifications.
    void AddToSelection(TFigure* figure);
    void RemoveFromSelection(int32_t selectionIndex);
    void ClearSelection();
    void SelectionChanged();
    void CountKind(const TFigure& figure, int32_t delta);
    // Selects the figure at the z-order index alone and shows its handles.
    void SelectOnly(int32_t index);

    // The value to every selected figure (property commands).
    template <class Apply>
    void ApplyProperty(const char* captionKey, bool refreshAfter, Apply apply);
    // Moves, turns or resizes every selected figure within one undo step.
    template <class Change>
    void ChangeGeometry(const char* captionKey, bool hideFirst, Change change);
    // One undo step for a change of the whole selection: handles hidden,
    // the step recorded, the change, the design modified, handles shown.
    void ChangeSelection(const char* captionKey, bool hideFirst, const std::function<void()>& change);
    // Runs a dialog command within an undo step (suspended while dialog runs
    // when suspend is set); the step goes again unless dialog returns true.
    template <class Dialog>
    bool RunRecordedDialog(const char* captionKey, bool suspend, Dialog dialog);
    bool BeepUnless(bool condition);
    // The dialog on the picture of the one selected raster picture figure.
    void FilterPicture(const std::function<imaging::DibHandle(const imaging::Dib&)>& dialog);
    void MoveLayer(int32_t from, int32_t to);
    TFigure* FirstSelectedOfKind(TFigureKind kind) const;
    TFloatRect ExtentInMM(const TFigureList& figures) const;

    void UndoProperty(TZRUndoItem& item);
    void UndoCreate(TZRUndoItem& item);
    void UndoLayers(TZRUndoItem& item);
    void UndoDelete(TZRUndoItem& item);
    void UndoGroup(TZRUndoItem& item);
    void UndoUngroup(TZRUndoItem& item);
    void UndoBitmapEffekt(TZRUndoItem& item);

    TChildBase& owner_;
    uint8_t HandlesVisible = 0;
    bool Modified = false;
    TFigureList Figures;  // owning (freed with the design)
    TFigureList SelectedFigures;
    std::vector<std::unique_ptr<TZRUndoItem>> UndoList;
    std::array<int32_t, kKindCount> KindCounts{};
    bool UndoSuspended = false;
};

// Suspends the undo push operations of a design for its lifetime; nested
// suspensions keep it suspended until the outermost one ends.
class TUndoSuspension {
public:
    explicit TUndoSuspension(TEinzelEtikett& design) : design_(design), previous_(design.UndoSuspended) {
        design.UndoSuspended = true;
    }
    ~TUndoSuspension() { design_.UndoSuspended = previous_; }
    TUndoSuspension(const TUndoSuspension&) = delete;
    TUndoSuspension& operator=(const TUndoSuspension&) = delete;

private:
    TEinzelEtikett& design_;
    bool previous_;
};
