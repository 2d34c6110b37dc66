#pragma once
// TScribenUndoObject: the undo record of the text model. It keeps what one
// action is about to change (a paragraph's text, some of its properties, a
// table cell, the page settings, an embedded object, the style collection or
// the whole text) and puts it back when applied, after recording the
// reverse change.

#include "richtext/model/Attr.h"
#include "richtext/model/ParExtra.h"
#include "richtext/model/Paragraph.h"
#include "richtext/model/RtUndoObject.h"

#include <cstdint>
#include <optional>
#include <string>

class TRtRTFText;
class TRtCustomStyleCollection;

// Action kinds of TRtRTFText::SaveUndo.
constexpr uint8_t uakParagraph = 1;     // text and formatting
constexpr uint8_t uakText = 2;          // text only
constexpr uint8_t uakIndents = 3;
constexpr uint8_t uakSpacing = 4;
constexpr uint8_t uakStyle = 5;
constexpr uint8_t uakAlignment = 6;
constexpr uint8_t uakBorders = 7;
constexpr uint8_t uakTabs = 8;
constexpr uint8_t uakCreated = 9;       // the paragraph was created
constexpr uint8_t uakDeleted = 10;      // the paragraph is about to be deleted
constexpr uint8_t uakProperties = 11;   // all paragraph properties
constexpr uint8_t uakCell = 12;         // the cell's extra record
constexpr uint8_t uakTable = 13;        // extra record and its table's values
constexpr uint8_t uakWholeText = 14;
constexpr uint8_t uakObjectSize = 15;
constexpr uint8_t uakObjectPos = 16;
constexpr uint8_t uakStyles = 17;
constexpr uint8_t uakPage = 18;
constexpr uint8_t uakCurrentAttr = 19;

// The owned object of object records: values of an object reference.
class TScribenUndo_ObjectPar : public TRtUndoPayload {
public:
    int32_t referenceId = 0;
    uint8_t kind = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint8_t flags = 0;
    uint8_t wrap = 0;
    int32_t x = 0;
    int32_t y = 0;
};

class TScribenUndoObject : public TRtUndoObject {
public:
    explicit TScribenUndoObject(TRtRTFText& text);
    ~TScribenUndoObject() override;

    std::string GetDescription() const override;
    void Apply() override;
    bool Merge(const TRtUndoObject&) const override { return false; }

    TRtRTFText& Text() const { return text_; }
    int32_t EditedId = 0;
    uint8_t ActionKind = 0;
    uint8_t UndoKind = 0;
    int32_t ParIndex = 0;
    // Snapshot of a paragraph with its own lines (kinds 1, 2 and 10).
    TParagraph* Snapshot = nullptr;
    // Saved paragraph properties (no lines, no links).
    TParagraph Saved;
    std::optional<TParExtra> SavedExtra;
    // Kind 13: the table's three values and name.
    int32_t TableValues[3] = {};
    std::string TableName;
    // Kind 18: page settings.
    int32_t PageLeft = 0, PageRight = 0, PageTop = 0, PageBottom = 0, PageHeader = 0, PageFooter = 0;
    bool PageLandscape = false;
    int32_t PageWidth = 0, PageHeight = 0;
    TAttr SavedAttr;  // kind 19
    TRtCustomStyleCollection* Styles = nullptr;
    int64_t SnapshotTime = 0;  // ms of a steady clock (kind 14)
    int32_t CursorParIndex = -1;
    int32_t CursorOffset = 0;
    int32_t ViewValue = 0;

    // Records the values of the action kind from a paragraph.
    void Capture(TParagraph* par);

private:
    TRtRTFText& text_;
    // Puts the values back; false when the record no longer fits the text.
    bool Restore();
    bool Skipped();
    void RestoreSnapshot(TParagraph& par, bool withFormatting);
    void RestoreObject();
    void RestoreCursor();
};

// A steady clock in milliseconds.
int64_t UndoClockMs();
