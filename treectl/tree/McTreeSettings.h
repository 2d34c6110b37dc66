#pragma once
// The tree control's settings beyond those its items read (TMcTreeOptions):
// frame and scroll bars, colours, lines, selection, editing, hints and
// dragging. The view reads them directly; the tree's setters store them and
// run the setter's reaction.

#include "treectl/support/McGuiUtils.h"
#include "treectl/support/McTypes.h"

#include "platform/gdi/GdiTypes.h"

#include <QtCore/Qt>

#include <cstdint>
#include <string>

namespace gdi {
class ImageList;
}

enum class TBorderStyle : uint8_t { bsNone, bsSingle };
enum class TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
// How Ctrl, Shift and the arrows select: smUsual selects the focused item,
// smSimple leaves the selection to Space and clicks.
enum class TZRSelModes : uint8_t { smUsual, smSimple };
enum class THintModes : uint8_t { shmNone, shmLong, shmAll };
enum class TMcDragType : uint8_t { dtNative, dtOLE };
enum class TDragImgMode : uint8_t { dimNever, dimOne, dimAll };
// How the row under a drag is marked.
enum class TDragTargetDraw : uint8_t {
    ColorFrame, ColorRect, SelColorRect, dtdUpColorLine, dtdUpSelColorLine, dtdDownColorLine, dtdDownSelColorLine,
};

struct TMcTreeSettings {
    // ---- frame and scroll bars
    TBorderStyle BorderStyle = TBorderStyle::bsSingle;
    bool Flat = false;
    TMcFlatBorderType ActiveBorderType = TMcFlatBorderType::fbtSunken;
    TMcFlatBorderType InactiveBorderType = TMcFlatBorderType::fbtSunkenOuter;
    bool FlatFocusedScrollbars = true;
    bool UseCustomScrollBars = true;
    TScrollStyle ForcedScrollBars = TScrollStyle::ssNone;
    bool HideHorzScrollBar = false;
    bool HideVertScrollBar = false;
    bool ScrollbarOpposite = false;
    bool ScrollTracking = false;

    // ---- rows
    gdi::Color BkColor = clWindow;
    gdi::Color TextColor = clWindowText;
    bool BarStyle = false;
    bool BarStyleVerticalLines = false;
    bool AutoLineHeight = true;
    int32_t ItemIndent = 17;
    bool HorizontalLines = false;
    bool VerticalLines = false;
    bool VerticalLinesLong = true;
    gdi::Color DivLinesColor = clBtnFace;
    gdi::Color LinesColor = clBtnFace;
    gdi::PenStyle LinesStyle = gdi::PenStyle::Dot;
    bool ShowRoot = false;
    bool ShowRootButtons = true;
    bool CustomPlusMinus = false;
    bool PlusMinusTransparent = false;
    bool CustomCheckboxes = false;
    gdi::ImageList* Images = nullptr;
    gdi::ImageList* Images2 = nullptr;
    bool ChangeStateImage = false;
    bool RightAlignedText = false;
    bool RightAlignedTree = false;

    // ---- columns and sorting
    bool AutoResizeColumns = true;
    bool OwnerDrawByColumn = true;
    std::string OwnerDrawMask = "~~@~~";
    TSortDirs SortDir = TSortDirs::sdAscend;
    bool AutoLookup = false;

    // ---- selection and focus
    TZRSelModes SelectionMode = TZRSelModes::smUsual;
    bool RowSelect = true;
    bool FullRowSelect = true;
    int32_t SelectColumn = -1;
    bool AlwaysKeepFocus = false;
    bool AlwaysKeepSelection = true;
    bool RightClickSelect = true;
    bool AutoExpand = false;
    bool ExpandOnDblClick = true;
    int32_t ChangeDelay = 500;
    bool HideSelection = false;
    bool HideFocusRect = false;
    bool DrawFocusRect = true;
    gdi::Color FocusedSelectColor = clHighlight;
    gdi::Color FocusedSelectTextColor = clHighlightText;
    gdi::Color HideSelectColor = clBtnFace;
    gdi::Color HideSelectTextColor = clBtnShadow;
    bool Tracking = true;
    gdi::Color TrackColor = clHighlight;
    bool UnderlineTracked = true;
    bool RowHotTrack = false;

    // ---- editing, search and hints
    bool DoInplaceEdit = true;
    bool IncrementalSearch = false;
    THintModes LineHintMode = THintModes::shmLong;
    gdi::Color LineHintColor = clWindow;
    int32_t LineHintTimeout = 3000;
    bool HideHintOnTimer = false;
    bool HideHintOnMove = true;
    bool UseSystemHintColors = false;
    std::string Hint;
    bool ShowHint = true;  // the items' and the tree's tool tips

    // ---- dragging
    bool DragAllowed = false;
    TMcDragType DragType = TMcDragType::dtNative;
    TDragImgMode DragImageMode = TDragImgMode::dimNever;
    TDragTargetDraw DragTrgDrawMode = TDragTargetDraw::SelColorRect;
    gdi::Color DragRectAcceptColor = 0x8000;
    gdi::Color DragRectDenyColor = 0xFF;
    int32_t DragExpandDelay = 500;
    bool ExpandOnDragOver = false;
    Qt::CursorShape DragCursor = Qt::DragMoveCursor;

    // ---- kept for the application; nothing reads them
    std::string PathSeparator = "\\";
    bool DoubleBuffered = false;
};
