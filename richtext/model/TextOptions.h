#pragma once
// The option sets of a rich text and the change report it sends to its
// subscribers.

#include <cstdint>

// Edit options (TRtEditOption), as bit masks.
enum TRtEditOption : uint32_t {
    rtTableResizing = 1u << 0,
    rtTableColumnResizing = 1u << 1,
    rtTableOneCellResizing = 1u << 2,
    rtObjectMoving = 1u << 3,
    rtObjectResizingWidth = 1u << 4,
    rtObjectResizingHeight = 1u << 5,
    rtObjectResizingKeepRatio = 1u << 6,
    rtObjectSelecting = 1u << 7,
    rtObjectDeletion = 1u << 8,
    rtSpreadsheetCursorMovement = 1u << 9,
    rtActivateUndo = 1u << 10,
    rtActivateUndoHotkey = 1u << 11,
    rtActivateRedo = 1u << 12,
    rtActivateRedoHotkey = 1u << 13,
    rtMoveCPOnPageUpDown = 1u << 14,
    rtNoEditOutsideTable = 1u << 15,
    rtAlwaysInsert = 1u << 16,
    rtDeactivateCharsetSwitching = 1u << 17,
    rtUseHyphenation = 1u << 18,
    rtStreamUndoOperation = 1u << 19,
    rtAutoInsertRow = 1u << 20,
    rtAutoDetectHyperlinks = 1u << 21,
    rtDontJoinParsWithDifferentStyles = 1u << 22,
    rtDontDeleteExtraSpace = 1u << 23,
    rtNoAutomaticHangingBulletsAndNumbers = 1u << 24,
};

// View options (TRtViewOption), as bit masks.
enum TRtViewOption : uint32_t {
    rtShowReferenceObjects = 1u << 0,
    rtShowBookmarkCodes = 1u << 1,
    rtShowObjectAnchors = 1u << 2,
    rtShowInvisibleText = 1u << 3,
    rtShowEmbeddedCodes = 1u << 4,
    rtShowCR = 1u << 5,
    rtShowTAB = 1u << 6,
    rtShowSPC = 1u << 7,
    rtShowNL = 1u << 8,
    rtShowHardSPC = 1u << 9,
    rtShowGridlines = 1u << 10,
    rtShowPageNRinGap = 1u << 11,
    rtHideObjectFrame = 1u << 12,
    rtHideSelection = 1u << 13,
    rtDrawFineUnderlines = 1u << 14,
    rtUseDoubleBuffer = 1u << 15,
    rtNoEndOfDocumentLine = 1u << 16,
    rtDontIgnoreTabsInRightMargin = 1u << 17,
    rtCenterLinesVertically = 1u << 18,
    rtUseAbsoluteFontHeight = 1u << 19,
};

// The protection set ProtectedProp (TProtectProps), as bit masks.
enum TProtectProps : uint16_t {
    ppProtected = 1u << 0,
    ppHidden = 1u << 1,
    ppIsInsertpoint = 1u << 2,
    ppAutomatic = 1u << 3,
    ppIsInvisible = 1u << 4,
    ppParProtected = 1u << 5,
    ppProtectSelectedTextToo = 1u << 6,
    ppDontCopyProtectedAttribute = 1u << 7,
    ppDontUseAttrOfProtected = 1u << 8,
    ppNoEditAfterProtection = 1u << 9,
    ppInsertBetweenProtectedPar = 1u << 10,
    ppAllowEditAtTextEnd = 1u << 11,
    ppAllExceptForEditFields = 1u << 12,
};

// What a change did to the edited text: at `offset` characters into
// paragraph `paragraph` (its index), `removed` characters were replaced by
// `added` ones; a paragraph end counts as one character. A change of
// formatting only reports the same count removed and added. `reset` says
// that the whole edited text was replaced (clearing, switching to a header
// or footer, whole-text undo); the counts are then 0.
struct TTextChange {
    int32_t paragraph = 0;
    int32_t offset = 0;
    int32_t removed = 0;
    int32_t added = 0;
    bool reset = false;
    friend bool operator==(const TTextChange&, const TTextChange&) = default;
};
