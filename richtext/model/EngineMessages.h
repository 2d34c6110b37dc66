#pragma once
// The engine's own message table (86 texts indexed by TRtGuiString) and the
// undo captions chosen by an undo kind. The engine has no translation of its
// own: each entry keeps its text for the whole run, and callers put in
// placeholders such as "%s" themselves.

#include <cstdint>
#include <string>

enum TRtGuiString : int32_t {
    meDefaultUnit_INCH_or_CM, meUnitInch, meUnitCm, meDecimalSeperator, meDefaultCharSet,
    meFilterRTF, meFilterHTML, meFilterTXT, meFilterXML, meFilterCSS, meFilterALL, meFilter,
    meUserCancel, meReady, meReading, meWriting, meFormatA, meFormatB, meClearMemory, meNoSelection,
    meRichText, mePlainText, meSysError, meClearTabs, meObjGraphicFilter, meObjGraphicFilterExt,
    meObjTextFilter, meObjNotSupported, meObjGraphicNotLinked, meObjDelete, meObjInsert,
    meSaveChangedText, meClearChangedText, meCannotRenameFile, meErrorWriteToFile, meErrorReadingFile,
    meRecursiveToolbarUsage, meWrongScreenmode, meTextNotFound, meUndefinedInsertpoint,
    meNotSupportedProperty, meUseOnlyBitmaps, meWrongUsageOfFastAppend, mePaletteCompletelyUsed,
    meWriterClassNotFound, meReaderClassNotFound, meWrongArgumentError, meIOClassError,
    meNotSupportedError, meutNone, meutAny, meutInput, meutDeleteText, meutChangeAttributes,
    meutChangeIndent, meutChangeSpacing, meutChangeAlignment, meutChangeTabs, meutChangeBorder,
    meutDeleteSelection, meutDragAndDrop, meutPaste, meutChangeTable, meutChangeGraphic,
    meutChangeCode, meutUpdateStyle, meutChangeTemplate, meutInsertBookmark, meutInsertHyperlink,
    meutInsertField, meDiaAlLeft, meDiaAlCenter, meDiaAlRight, meDiaAlJustified, meDiaYes, meDiaNo,
    meTkLeft, meTkCenter, meTkRight, meTkDecimal, meSpacingMultiple, meSpacingAtLeast, meSpacingExact,
    mePaperCustom, meWrongFormat, meReportTemplateErr,
    kEngineMessageCount
};

// The text of a message; empty outside the table.
std::string GetEngineMessage(int32_t index);
// The caption of an undo kind (its low 7 bits count).
std::string GetUndoKindText(uint8_t kind);
// The message index an undo kind selects.
TRtGuiString UndoKindMessage(uint8_t kind);
