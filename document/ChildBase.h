#pragma once
// What the label-sheet and figure code needs of the document window (the
// owner of every figure). The application's document window implements
// this; tests use small fakes.

#include "foundation/ScaleCanvas.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Region.h"

#include <QtCore/QString>

#include <string>
#include <vector>

class TDataSet;
class TDesignBase;
class TEtikett;
class TFillData;
class TMMWindowBase;
class TScaleCanvas;

class TChildBase {
public:
    virtual ~TChildBase() = default;

    // The drawing surface of the window (the view).
    virtual TMMWindowBase* GetMMWindow() = 0;
    // The scale canvas of the view, on which figures paint.
    virtual TScaleCanvas& GetViewScaleCanvas() = 0;
    // The design of the current tab; none while the window has no design.
    virtual TDesignBase* GetCurrentDesign() = 0;

    // The device rectangle of the paint in progress; figures whose device
    // bounds miss it draw nothing.
    virtual gdi::Rect GetUpdateRect() const = 0;

    // True when the clip ring of round labels applies: the clip-ring menu
    // item is visible and the window's clip-ring switch is on.
    virtual bool ClipRingActive() const = 0;
    // One region per round label position, in device units of the view,
    // searched from the first entry.
    virtual const std::vector<TClipZone>& ClipRingRegions() const = 0;

    // Sets or clears the document's modified flag.
    virtual void SetModified(bool modified) = 0;
    // Set by the print engine while one label of a serial print is drawn.
    virtual void SetPrintingRecord(bool printing) = 0;
    virtual bool IsPrintingRecord() const = 0;
    // The data set the document is linked to; none while it has no link.
    virtual TDataSet* GetLinkedDataSet() { return nullptr; }
    // Refreshes the main window's buttons and menus from the current design.
    virtual void UpdateFrameControls() = 0;

    // ---- what a design asks of its document window, and through it of the
    // main window
    // The label-sheet definition of the document.
    virtual TEtikett& GetEtikett() = 0;
    // Posts a refresh of the main window's menus and tool buttons from the
    // active document; returns at once.
    virtual void RequestToolStateRefresh() = 0;
    // Presses the main window's select button and applies its drawing mode.
    virtual void SwitchToSelectTool() = 0;
    // The system's default sound: a command found nothing to work on.
    virtual void Beep() = 0;
    // The start values of the pen colour and fill dialogs when more than one
    // figure is selected: the main window's pen colour button and the fill
    // last chosen there.
    virtual gdi::Color MainPenColor() const = 0;
    virtual const TFillData& MainFillData() const = 0;
    // Rebuilds the field panel (one caption and one edit per field of the
    // current design).
    virtual void BuildFieldPanel() = 0;
    // Replaces the entries of the submenu "Feldtyp wechseln" by one entry
    // per name, in this order; choosing entry i calls
    // TEinzelEtikett::FieldTypeMenuClick(i) of the current design.
    virtual void SetFieldTypeMenu(const std::vector<std::string>& fieldNames) = 0;
    // Message boxes with one OK button (copying without a selection, a
    // paste that failed).
    virtual void ShowWarning(const QString& text) = 0;
    virtual void ShowError(const QString& text) = 0;
    // The hourglass cursor while busy (copying and pasting).
    virtual void SetBusyCursor(bool busy) = 0;
};

// The document window's hourglass cursor for as long as the object lives.
class TBusyCursor {
public:
    explicit TBusyCursor(TChildBase& owner) : owner_(owner) { owner_.SetBusyCursor(true); }
    ~TBusyCursor() { owner_.SetBusyCursor(false); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    TChildBase& owner_;
};
