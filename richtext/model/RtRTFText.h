#pragma once
// TRtRTFText: the document object of the rich-text engine, the first class
// of the chain TRtRTFText > TRtRTFTextIo (positions, reading and writing,
// pagination) > TRtRTFTextPaint (measuring, line breaking, painting) >
// TRtRTFTextInput (editing).
//
// It holds the document: a doubly linked chain of paragraphs (TParagraph),
// each a chain of line pieces (TLine) whose texts together are the
// paragraph's text, with one attribute per character in attribute mode. It
// keeps the page settings (TTextHeader), the item lists, the numbering
// styles, the header and footer texts, the undo links and the cursor and
// selection, and offers the operations that create, split, join and delete
// paragraphs, pieces and characters.
//
// The model never lays out or paints: the operations that the layers above
// supply are virtual and empty here, and every change is told to the
// subscribers (Subscribe) as a TTextChange. Paragraphs whose characters or
// formatting changed carry pfChanged until the layout has handled them.
//
// The implementation is split by area: RtRTFText.cpp (creation, clearing,
// general services), RtRTFTextParagraphs.cpp, RtRTFTextChars.cpp,
// RtRTFTextPaste.cpp, RtRTFTextPositions.cpp (position rules),
// RtRTFTextZoom.cpp (zoom, measuring tables, progress), RtRTFTextUndo.cpp,
// RtRTFTextNumbering.cpp, RtRTFTextTables.cpp, RtRTFTextHeaderFooter.cpp,
// RtRTFTextReferences.cpp and RtRTFTextInvariants.cpp.

#include "richtext/model/Attr.h"
#include "richtext/model/AttrTable.h"
#include "richtext/model/CharacterAttr.h"
#include "richtext/model/Line.h"
#include "richtext/model/ParExtra.h"
#include "richtext/model/Paragraph.h"
#include "richtext/model/TextOptions.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TStream;
class TTextHeader;
class TRtCustomRtfEditClass;
class TRtCustomStyleCollection;
class TRtTableList;
class TRtFootnoteList;
class TRtObjReferenceList;
class TRtInsertpointList;
class TRtRTFExtraDataCollection;
class TRtRTFNumberingStyleCollection;
class TRtRTFNumberingStyle;
class TRtHeaderFooterCollection;
class TRtSpecialTextProperty;
class TRtUndoStack;
class TRtUndoManagerLink;
class TRtObjectBase;
class TScribenUndoObject;
struct TTextObj;

// A page number in a document's format: the format must hold exactly one
// integer conversion ("%d" when empty); any other format gives the plain number.
std::string FormatPageNumber(int32_t number, const std::string& format);

// A place in the text: paragraph, line piece and offset within the piece.
struct TRtPosition {
    TParagraph* par = nullptr;
    TLine* line = nullptr;
    int32_t offset = 0;
    bool IsSet() const { return par != nullptr; }
    friend bool operator==(const TRtPosition&, const TRtPosition&) = default;
};

// One entry of a row descriptor (see ApplyRowRecord).
struct TRtRowCell {
    uint8_t mask[4] = {};  // mask[0] & 0x01: apply the properties masked (ApplyParAttrs)
    int32_t firstIndent = 0;
    int32_t leftIndent = 0;
    int32_t rightIndent = 0;
    int32_t spaceBefore = 0;
    int32_t spaceAfter = 0;
    int32_t lineSpacing = 0;
    TBorderBlock border;
    uint8_t shadingColor = 0;
    uint8_t shadingPercent = 0;
    uint8_t align = 0;
    int32_t tabPositions[6] = {};
    uint8_t tabKinds[6] = {};
    uint64_t tabs = 0;
    uint8_t isProtected = 0;
    uint8_t vCenter = 0;
    uint8_t vBottom = 0;
    int32_t parId = 0;
    TAttr attr;
    std::string text;
    const char* textPtr = nullptr;   // used instead of text when set
    const TAttr* attrs = nullptr;    // optional attributes of the characters
    TTextObj* objectRef = nullptr;   // output: the reference made for `object`
    TRtObjectBase* object = nullptr; // optional embedded object (the text takes it over)
    uint8_t width = 0;               // 255ths; 0 in the first entry: split the row evenly
    std::string cellName;
    std::string cellComment;
    int32_t cellValue = 0;
};

// One nested progress range.
struct TRtProgressRange {
    int32_t end = 0;
    int32_t position = 0;
    int32_t share = 100;
    int32_t total = 0;
    int32_t lastStep = 0;
    float factor = 0;
    int32_t granularity = 1;
};

constexpr int kMeasureTableSize = 265;
using TRtMeasureTable = std::array<int32_t, kMeasureTableSize>;
constexpr int kMeasureLineHeight = 257;
constexpr int kMeasureBaseLine = 260;

// What Clear keeps (ClearKeep).
constexpr uint8_t ckHeaderFooter = 0x01;
constexpr uint8_t ckFonts = 0x02;
constexpr uint8_t ckUndo = 0x04;
constexpr uint8_t ckPageSettings = 0x08;

class TRtRTFText {
public:
    TRtRTFText();
    virtual ~TRtRTFText();
    TRtRTFText(const TRtRTFText&) = delete;
    TRtRTFText& operator=(const TRtRTFText&) = delete;

    // ================= virtual operations, in slot order
    // Stores an attribute at a character index and measures it from the
    // measuring table; nothing without attributes, past the capacity or
    // while the full-text switch is on.
    virtual void SetCharAttr(TLine* line, int32_t index, const TAttr& attr);
    virtual void NotifyProtectedChange(TParagraph* par, TLine* line, bool wholeParagraph, int32_t index);
    virtual int32_t PaintBackground() { return 0; }
    virtual bool ReadNextChar(TAttr& attr, char& ch, TParagraph*& par) { return false; }
    virtual void AppendChar(const TAttr& attr, char ch, const TParagraph* templatePar) {}
    virtual void SetSelectionAttr(const TAttr& attr) { CurrentAttr = attr; }
    virtual void Refresh(bool all) {}
    virtual void Reformat() {}
    virtual void RepaintAll() {}
    virtual void Clear();
    // The I/O layer's stream operations; false here, where the text cannot
    // be streamed yet.
    virtual bool LoadFromStream(TStream& stream) { return false; }
    virtual bool SaveToStream(TStream& stream) { return false; }
    virtual bool SaveSelectionToStream(TStream& stream) { return false; }
    virtual bool DeleteSelection() { return false; }
    virtual void Relayout() {}
    virtual void PrepareCanvas() {}
    virtual void SetParagraphText(int32_t index, const char* text, const TAttr* attrs, int32_t length);
    virtual int32_t InsertString(TParagraph* par, TLine* line, const char* text, int32_t count, int32_t index);
    virtual int32_t UpdateObjectPosition(TRtObjectBase* object) { return 0; }
    virtual int32_t PaintObject(TRtObjectBase* object) { return 0; }
    virtual void InvalidateObject(TTextObj* reference) {}
    virtual void SelectObject(TTextObj* reference, bool flag) {}
    virtual void ReportStatus(int32_t kind);
    virtual void ScrollToCursor() {}
    virtual void UpdateResolution() {}
    // The painter's ways of drawing an embedded object: selected (with its
    // handles) and with its frame; nothing here.
    virtual void PaintObjectSelection(TRtObjectBase* object) {}
    virtual void PaintObjectWithFrame(TRtObjectBase* object) {}
    // The I/O layer's copies of one header or footer through a stream; false here.
    virtual bool SaveHeaderFooterToStream(uint8_t range, uint8_t kind, TStream& stream) { return false; }
    virtual bool LoadHeaderFooterFromStream(uint8_t range, uint8_t kind, TStream& stream) { return false; }

    // ================= subscribers
    using TChangeListener = std::function<void(const TTextChange&)>;
    int32_t Subscribe(TChangeListener listener);
    void Unsubscribe(int32_t id);

    // ================= document state
    TParagraph* FirstPar() const { return first_; }
    TRtPosition Cursor;
    TRtPosition SelStart;
    TRtPosition SelEnd;
    int32_t SelDirection = 0;
    int32_t MarkedCount = 0;
    bool SelectionChanged = false;

    TTextHeader& Header() { return *header_; }
    const TTextHeader& Header() const { return *header_; }
    TAttrTable& Attrs() { return attrs_; }
    const TAttrTable& Attrs() const { return attrs_; }
    TRtTableList& Tables() { return *tables_; }
    TRtFootnoteList& Footnotes() { return *footnotes_; }
    TRtObjReferenceList& ObjRefs() { return *objRefs_; }
    TRtInsertpointList& Insertpoints() { return *insertpoints_; }
    TRtRTFExtraDataCollection& ExtraData() { return *extraData_; }
    TRtRTFNumberingStyleCollection& NumberStyles() { return *numberStyles_; }
    TRtHeaderFooterCollection& HeaderFooters() { return *headerFooters_; }

    uint8_t FullText = 1;  // SwitchEditedText works only while on
    TAttr CurrentAttr;     // for new characters
    TAttr DefaultAttr;
    TAttr InsertionAttr;   // for InsertLineText without an attribute; never changed by the model
    int32_t DefaultLineHeight = 16;
    bool InsertMode = true;
    uint8_t ClearKeep = 0;  // ck... flags: what Clear keeps
    std::string FileName;   // for the status texts 20 and 21

    TCharacterAttr InsertPointAttr{7};
    TCharacterAttr HiddenTextAttr{11};
    TCharacterAttr AutomaticTextAttr{8};
    TCharacterAttr HyperlinkTextAttr{2};
    TCharacterAttr ProtectedTextAttr{5};
    TCharacterAttr BookmarkTextAttr{15};
    TCharacterAttr FieldObjectTextAttr{17};

    uint32_t EditOptions = rtObjectDeletion;
    uint32_t ViewOptions = 0;
    uint8_t EditBoxModes = 0;
    uint16_t ProtectedProp = 0;
    bool HasEditOption(uint32_t o) const { return (EditOptions & o) != 0; }

    TRtCustomRtfEditClass* Editor = nullptr;
    bool IsAttrMode() const;
    bool Busy() const { return busy_; }

    // ================= events (all optional)
    std::function<void(TRtCustomRtfEditClass*, int32_t kind, const std::string& text)> OnSetStatusString;
    std::function<void(TRtCustomRtfEditClass*, int32_t value)> OnSetGaugeValue;
    std::function<void(TRtCustomRtfEditClass*, const std::string& text, int32_t tag)> OnProtectedChange;
    std::function<void(TRtCustomRtfEditClass*)> OnChangeSelection;
    std::function<void(TRtCustomRtfEditClass*, TRtUndoStack&)> OnUndoChange;
    std::function<void(TRtRTFText&)> NumberingOverride;
    // Answers a position check instead of the rules: closed, and the attribute looked at.
    std::function<bool(TParagraph*, TLine*, int32_t offset, TAttr& attr)> PositionCheckHook;
    std::function<void(TRtCustomRtfEditClass*, std::string& text, const std::string& name, const std::string& extra,
                       bool isOpening, bool isClosing, TTextObj* ref, TParagraph* par, TLine* line, int32_t index)>
        OnCodeGetText;
    std::function<void(TRtCustomRtfEditClass*, const std::string& name, const std::string& format, TTextObj* ref,
                       std::string& text, bool& done)>
        OnReferenceGetText;
    // Supplies an object that is not loaded yet; may replace it; sets the flag to keep it unloaded.
    std::function<void(TRtObjectBase*& object, bool& flag)> OnObjectRequest;
    std::function<void(TRtCustomRtfEditClass*, TRtObjectBase&)> OnTextObjectDestroying;
    std::function<void(int32_t)> OnTabChange;
    std::function<void()> OnHeaderFooterSwitch;

    // ================= paragraphs (RtRTFTextParagraphs.cpp)
    TParagraph* NewParagraph();
    int32_t InsertParagraphAfter(TParagraph*& par, int32_t capacity);
    void DeleteParagraph(TParagraph*& par);
    void FreeParagraph(TParagraph*& par) noexcept;
    void FreeParExtras(TParagraph& par) noexcept;
    void FreeParagraphChain(TParagraph* first) noexcept;
    void FreeAllParagraphs(bool addEmpty);
    TParExtra& GetParExtra(TParagraph& par);
    TParExtra* LastExtraUsed() const { return lastExtra_; }
    class TParBandObject* GetParBand(const TParagraph& par) const;
    bool SplitParagraph(TParagraph* par, TLine* line, int32_t offset);
    int32_t CountParagraphsTo(const TParagraph* from, const TParagraph* to) const;
    static TLine* GetLastLine(const TParagraph* par);
    int32_t CountParagraphs() const;
    int32_t CountPages();
    bool IsLastPage(int32_t page);
    void InvalidatePageCount() { pageCountValid_ = false; }
    int32_t GetParagraphText(int32_t index, char* buffer, int32_t size) const;
    int32_t GetParagraphLength(int32_t index) const;
    void InsertParagraphText(int32_t index, const char* text, const TAttr* attrs, int32_t length);
    void DeleteParagraphByIndex(int32_t index);
    TParagraph* ParagraphByIndex(int32_t index) const;
    // Indices from par on; returns the last index given.
    int32_t RenumberFrom(TParagraph* par);
    TParagraph* GetLastParagraph() const;
    static int32_t ParagraphLength(const TParagraph* par);
    // The whole text of a paragraph.
    static std::string ParagraphString(const TParagraph* par);
    bool IsEmpty() const;

    // ================= lines (RtRTFTextParagraphs.cpp)
    void InsertLine(TLine*& line, int32_t size);
    // An unlinked line of the capacity (rounded up to even).
    TLine* NewLine(int32_t capacity);
    void AllocLineBuffer(TLine& line, int32_t size);
    void AllocLineAttrs(TLine& line, int32_t count);
    static void FreeLineBuffers(TLine& line) { line.FreeBuffers(); }
    bool SetLineCapacity(TLine* line, int32_t size);
    void RemoveLine(TParagraph* par, TLine* line);
    void SplitLinePiece(TLine* line, int32_t offset);
    static void FreeLineChain(TLine* first) noexcept;

    // ================= attributes of characters
    TAttr GetAttr(const TLine* line, int32_t index) const;
    uint32_t StyleAt(const TLine* line, int32_t index) const;
    // Stores an attribute as it is (no measuring).
    void PutAttr(TLine* line, int32_t index, const TAttr& attr);
    uint32_t FormatOf(const TAttr& attr) { return attrs_.Intern(attr); }

    // ================= characters (RtRTFTextChars.cpp)
    int32_t ReplaceText(TParagraph* par, TLine* line, const TAttr* attr, int32_t newCount, const char* text,
                        int32_t oldCount, int32_t index);
    bool InsertChar(TParagraph* par, TLine* line, const TAttr* attr, char ch, int32_t index);
    void InsertLineText(TParagraph* par, int32_t offset, const TAttr* attr, const std::string& text);
    void InsertTextAtCursor(const std::string& text, const TAttr& attr);
    void ClearParText(TParagraph* par, int32_t from, int32_t to);
    int32_t CopyParChars(const TParagraph* par, int32_t offset, char* buffer, int32_t count) const;
    bool DeleteChar(TParagraph* par, TLine* line, int32_t index);
    void PurgeMarkedChars(TParagraph* par);
    void DeleteRange(TParagraph* fromPar, TParagraph* toPar, int32_t toIndex, int32_t fromIndex, TLine* toLine,
                     TLine* fromLine);
    int32_t CopyTextAndAttrs(char* text, TAttr* attrs, int32_t maximum);
    void AddLineRefs(TLine* first);
    void ReleaseLineRefs(TLine* first);
    bool InvalidateParsWithAttr(uint32_t mask);
    int32_t ReferenceFilter = 0;  // InvalidateParsWithAttr: only characters of this reference (0: all)
    void MarkAttrDifferences(const TAttr& attr, uint32_t mask, TParagraph* par);
    std::string GetWordAt(TLine* line, int32_t offset) const;
    int32_t GetCursorIndex() const;
    void SetCursorToIndex(int32_t index);
    void SetTextMode(int32_t mode);
    void CheckSelectionChange();
    void ClearSelection();
    uint32_t GetColor(int32_t index) const;
    int32_t FindOrAddName(const char* name);
    std::string GetNameByIndex(int32_t index) const;
    bool CountDecimalTabs(const char* text, const TParagraph* par, const TLine* line) const;
    void DropUnreferencedTabs();
    // Offset of a place within its paragraph (earlier pieces plus the offset).
    static int32_t OffsetInParagraph(const TParagraph* par, const TLine* line, int32_t offset);
    // The piece and offset of a paragraph offset (the end of a piece before a later piece).
    static TLine* LocateInParagraph(const TParagraph* par, int32_t& offset);

    // ================= position rules (RtRTFTextPositions.cpp)
    // Closed: true when no edit may happen at the place; attr receives the
    // attribute the decision looked at (null when none).
    bool ValidatePosition(TParagraph* par, TLine* line, int32_t offset, TAttr* attr = nullptr);
    bool ChecksSuspended = false;
    bool NoReporting = false;
    bool SelectionScan = false;
    bool InsertPointSwitch = false;
    bool EditHiddenParagraphs = false;

    // ================= zoom, measuring tables, progress (RtRTFTextZoom.cpp)
    int32_t Zoom = 100;
    int32_t ScreenResolution = 96;
    int32_t LayoutResolution = 96;
    int32_t TwipsPerInch = 1440;
    bool PrintMode = false;
    bool LayoutIncludesZoom = false;
    int32_t ScaleByZoom(int32_t value) const;
    int32_t UnscaleByZoom(int32_t value) const;
    void SetMeasureTableCount(int32_t count);
    void InitMeasureTable();
    TRtMeasureTable& MeasureTable() { return measureTables_[currentMeasureTable_]; }
    std::vector<TRtMeasureTable>& MeasureTables() { return measureTables_; }
    // The measuring layer makes another table of the block the current one.
    void SelectMeasureTable(size_t index) { currentMeasureTable_ = std::min(index, measureTables_.size() - 1); }
    size_t CurrentMeasureTableIndex() const { return currentMeasureTable_; }
    int32_t MeasureTableNumber = 1;
    int32_t MeasureCounterA = 0;
    int32_t MeasureCounterB = 0;
    int32_t BeginProgress(int32_t total);
    void SetProgressShare(int32_t percent);
    void StepProgress(int32_t step);
    void EndProgress();
    void ResetProgress();
    bool ProgressOff = false;

    // ================= undo (RtRTFTextUndo.cpp)
    TRtUndoStack& GetUndoStack();
    void SetUndoStack(TRtUndoStack* stack);  // an outside stack; null goes back to an own one
    void SaveUndo(TParagraph* par, uint8_t actionKind, uint8_t undoKind);
    void SaveObjectUndo(TTextObj* reference, TRtCustomStyleCollection* styles, uint8_t undoKind, uint8_t actionKind);
    bool Undo();
    bool Redo();
    void BeginUndoGroup();
    bool EndUndoGroup();
    void NewUndoGroup();
    void ForceNewUndoGroup();
    void ClearUndo();
    void NotifyUndoChange();
    bool UndoSwitch = true;       // the text's own undo switch
    bool UndoSuspended = false;   // recording suspended
    bool RecordCursor = true;     // records keep the cursor
    bool ForceSnapshots = false;  // a whole-text snapshot is never reused
    uint8_t PasteUndoKind = 0;    // set while pasting with undo
    int32_t ViewValue = 0;        // the view value that records keep
    // The identity under which this text's records go on a stack: its editor, else itself.
    const void* UndoSource() const;
    bool ApplyingUndo() const { return applying_ != 0; }
    bool LoadingForUndo = false;  // set while a whole-text record is read back
    // The editor's undo-change handler: the own stack's OnChange.
    std::function<void(TRtUndoStack&)> UndoChangeHandler;
    // A deep copy of a paragraph record with its lines and extra record (unlinked).
    TParagraph* CopyParagraphRecord(const TParagraph& source);
    TLine* CopyLineChain(const TLine* first);
    // Gives lines attribute entries, or drops them, as the text's mode says.
    void ConformLines(TLine* first);
    int32_t EditedTextId() const { return EditedId; }

    // ================= numbering (RtRTFTextNumbering.cpp)
    void UpdateNumbering();
    std::string GetNumberText(const TParagraph* par, TRtRTFNumberingStyle*& style);
    void OutlineDemote();
    void OutlinePromote();
    void ChangeOutlineLevels(int32_t delta);
    int32_t NumberingIndent = 360;
    uint8_t NumberingOptions = 0;   // bit 0: continuous numbering
    TParagraph* TypingPar = nullptr; // the paragraph being typed in

    // ================= tables (RtRTFTextTables.cpp)
    void SplitCell(TParagraph* par, bool moveText);
    void MergeCellWithNext(TParagraph* par);
    void SplitMarkedCells();
    void MergeMarkedCells();
    void DeleteMarkedCells();
    bool MarkCellBlock(TParagraph* a, TParagraph* b);
    void ClearMarkedParagraphs();
    bool ApplyRowRecord(TParagraph*& par, int32_t cellCount, TRtRowCell* cells);
    void ApplyParAttrs(TParagraph* par, const TRtRowCell& cell);
    int32_t AddTable(const std::string& name, const std::string& caption, int32_t a, int32_t b, int32_t c);
    void SetTableInfo(int32_t id, const std::string& name, const std::string& caption, int32_t a, int32_t b,
                      int32_t c);
    static TParagraph* RowStart(TParagraph* cell);
    static TParagraph* RowEnd(TParagraph* cell);
    TParagraph* FirstMarked() const;
    bool AnyMarked() const;
    void RecountMarked();
    bool KeepRowWidths = false;  // a row's last cell is not widened to 255
    bool RowUndo = false;        // ApplyRowRecord records each cell
    bool CursorRecording = false;

    // ================= header and footer texts (RtRTFTextHeaderFooter.cpp)
    TRtSpecialTextProperty* GetHeaderFooter(int32_t index);
    int32_t GetHeaderFooterCount();
    TRtSpecialTextProperty* FindHeaderFooter(uint8_t range, uint8_t kind);
    TRtSpecialTextProperty* GetOrAddHeaderFooter(uint8_t range, uint8_t kind);
    TRtSpecialTextProperty* AddHeaderFooter(uint8_t range, uint8_t kind);
    TRtSpecialTextProperty* GetHeaderFooterForPage(int32_t page, uint8_t kind, bool isLastPage);
    bool HasHeaderFooterText();
    void SwitchEditedText(uint8_t kind);
    bool SwitchToHeaderFooterById(int32_t id);
    void ClearHeaderFooters();
    uint8_t EditedKind = 0;  // 0 body, 1 header, 2 footer
    int32_t EditedId = 0;    // 0: the body
    uint8_t EditedRange = 0;
    uint8_t RangeToEdit = 0;
    uint8_t StateByte = 0;
    bool Locked = false;
    // Chains that are not being edited: the body while a header or footer is.
    TParagraph* SavedBodyFirst() const { return bodyFirst_; }

    // ================= references (RtRTFTextReferences.cpp)
    void SetObjectSize(TTextObj* reference, int32_t width, int32_t height);
    void GetReferenceText(TTextObj* reference, TParagraph* par, std::string& text, char code, int32_t index,
                          TLine* line);
    void ResolveObjectReferences();
    void RemovePendingObject(TTextObj* reference);
    std::vector<TTextObj*>& PendingObjects() { return pendingObjects_; }
    void FireTextObjectDestroying(TRtObjectBase& object);
    void FreeOwnedObjects() noexcept;
    std::vector<std::unique_ptr<TRtObjectBase>>& OwnedObjects() { return ownedObjects_; }
    // The object state the painting layer keeps.
    TTextObj* SelectedObjectRef = nullptr;
    TRtObjectBase* EditingObject = nullptr;
    bool PaintAllObjects = false;
    bool FramePaintMode = false;
    bool BufferedPaintMode = false;
    int32_t PrintResolution = 0;
    // Field texts: the page being painted or printed and the counts.
    bool Printing = false;
    int32_t PrintPage = 0;
    int32_t PrintPageCount = 0;
    int32_t PaintPage = 0;
    int32_t PageNumberOffset = 0;

    // ================= consistency (RtRTFTextInvariants.cpp)
    // Empty when the model holds its invariants, else what is broken.
    std::string CheckInvariants() const;
    // Heap held by the paragraphs, lines and buffers of the edited chain.
    size_t ChainHeapBytes() const;

protected:
    void Notify(const TTextChange& change);
    void NotifyRange(const TParagraph* par, int32_t offset, int32_t removed, int32_t added);
    void NotifyParagraph(const TParagraph* par);
    void NotifyReset();
    void SetFirst(TParagraph* first) { first_ = first; }
    // A zero paragraph record from the id counter, not linked.
    void ResetIdCounter() { idCounter_ = 0; }
    void ClearPositions();
    void DeleteAtPieceEnd(TParagraph* par, TLine* line);
    void DeleteInsideLine(TParagraph* par, TLine* line, int32_t index);
    bool JoinFollower(TParagraph* par);
    void DeleteRangeBody(TParagraph* fromPar, TParagraph* toPar, int32_t toIndex, int32_t fromIndex, TLine* toLine,
                         TLine* fromLine);
    void FinishDeleteRange(int32_t cursorIndex);
    static bool RangeIsOrdered(const TParagraph* fromPar, const TLine* fromLine, int32_t fromIndex,
                               const TParagraph* toPar, const TLine* toLine, int32_t toIndex);
    // The width a stored character gets: its attribute's, else the measuring table's.
    uint16_t StoredWidth(char ch, const TAttr& attr);
    void StoreChar(TLine* line, uint32_t index, char ch, const TAttr& attr);
    // Positions on the line after `after` move by delta (not before `after`).
    void ShiftPositions(const TLine* line, int32_t after, int32_t delta);
    void ClampPositions();
    template <typename F>
    void ForEachObjectChar(TLine* first, F&& f) const;
    int32_t muteNotify_ = 0;
    void DeleteObjectCharacter(TParagraph* par, TLine* line, int32_t index, bool rangeDeletion);
    void InheritFromPrevious(TParagraph& created, const TParagraph& prev, bool inheritBorders);
    void AppendLines(TParagraph* target, TLine* lines);
    void UnlinkParagraph(TParagraph* par);
    static bool IsLaterPiece(const TLine* first, const TLine* line);
    void FillParagraph(TParagraph* par, const char* text, const TAttr* attrs, int32_t length);
    // The cursor and the two ends of the selection.
    template <typename F>
    void ForEachPosition(F&& f) {
        f(Cursor);
        f(SelStart);
        f(SelEnd);
    }
    void MovePositions(TParagraph* from, TParagraph* to, TLine* toLine, int32_t toOffset);
    void MovePositionsOnLine(TLine* from, TParagraph* to, TLine* toLine, int32_t toOffset);

    bool busy_ = false;
    bool rangeDeletion_ = false;
    bool noBordersOnSplit_ = false;
    int32_t applying_ = 0;  // 1 while an undo record, 2 while a redo record is applied
    bool recordApplied_ = false;

private:
    TParagraph* first_ = nullptr;
    std::unique_ptr<TTextHeader> header_;
    TAttrTable attrs_;
    std::unique_ptr<TRtTableList> tables_;
    std::unique_ptr<TRtFootnoteList> footnotes_;
    std::unique_ptr<TRtObjReferenceList> objRefs_;
    std::unique_ptr<TRtInsertpointList> insertpoints_;
    std::unique_ptr<TRtRTFExtraDataCollection> extraData_;
    std::unique_ptr<TRtRTFNumberingStyleCollection> numberStyles_;
    std::unique_ptr<TRtHeaderFooterCollection> headerFooters_;
    std::vector<std::string> names_;
    std::vector<TTextObj*> pendingObjects_;
    std::vector<std::unique_ptr<TRtObjectBase>> ownedObjects_;
    TParExtra* lastExtra_ = nullptr;
    int32_t idCounter_ = 0;
    int32_t pageCountCache_ = 0;
    bool pageCountValid_ = false;
    TRtPosition lastSelStart_;
    TRtPosition lastSelEnd_;

    std::vector<TRtMeasureTable> measureTables_;
    size_t currentMeasureTable_ = 0;
    std::vector<TRtProgressRange> progress_;
    void ReportGauge(int32_t value);

    std::unique_ptr<TRtUndoStack> ownUndoStack_;
    TRtUndoStack* outsideUndoStack_ = nullptr;
    bool UndoDisabledForEditor();
    void LinkToStack(TRtUndoStack& stack);
    uint32_t NeighbourTableId(const TParagraph& par);
    void EmptyCell(TParagraph* p);
    void ApplyCellFormatting(TParagraph* par, const TRtRowCell& cell);
    void FillCell(TParagraph* par, TRtRowCell& cell, std::string text);
    // Undo of a deletion: a paragraph after prev (first when null) made from a snapshot it takes over.
    TParagraph* RecreateParagraph(TParagraph* prev, TParagraph* snapshot);
    // Undo of a creation.
    void RemoveCreatedParagraph(TParagraph* par);
    TScribenUndoObject* ReusableRecord(TParagraph* par, uint8_t actionKind, bool toRedo);

    TParagraph* bodyFirst_ = nullptr;
    TRtPosition bodyCursor_;
    void PutEditedChainAway();

    struct TListener {
        int32_t id;
        TChangeListener listener;
    };
    std::vector<TListener> listeners_;
    int32_t nextListenerId_ = 1;

    friend class TScribenUndoObject;
    friend class TRtSpecialTextProperty;
};
