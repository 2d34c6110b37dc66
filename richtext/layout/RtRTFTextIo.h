#pragma once
// TRtRTFTextIo: the second class of the rich-text chain. It adds to the text
// model the cursor and position conversions, table navigation and object
// selection (RtRTFTextIo.cpp), the horizontal and vertical measures of lines
// (RtRTFTextIoMetrics.cpp), the vertical layout and pagination
// (RtRTFTextIoPages.cpp), and loading, saving and assigning through the
// registered readers and writers (RtRTFTextIoStreams.cpp,
// RtRTFTextIoAssign.cpp).
//
// All horizontal and vertical values are layout pixels (twips converted with
// the header's layout resolution) unless twips are named. The painting
// layer above fills in what this layer leaves open: the number label width,
// font selection for measuring and the cursor metrics of the caret.

#include "richtext/model/RtRTFText.h"
#include "richtext/model/RtTextIoClasses.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TRtSpecialTextProperty;

// Paste options (copied from the editor's clipboard options).
constexpr uint8_t rtcoPreserveBorders = 0x01;
constexpr uint8_t rtcoPreserveShading = 0x02;
constexpr uint8_t rtcoPreserveIndents = 0x04;

// The layout flag word (the editor's LayoutMode) and its bits.
constexpr uint16_t rtlayNormal = 0;
constexpr uint16_t rtlayPageGap = 0x40;
constexpr uint16_t rtlayLayout = 0x8F;
constexpr uint16_t rtlayFullLayout = 0xBF;
constexpr uint16_t rtlayShowManualPageBreaks = 0x140;
constexpr uint16_t lyPageView = 0x01;
constexpr uint16_t lyPageFill = 0x02;
constexpr uint16_t lyFixedGap = 0x40;
constexpr uint16_t lyManualBreaksOnly = 0x100;

enum TRtPrintHeaderFooter : uint8_t { rtrNever, rtrOnAllPages, rtrNotOnFirstPage, rtrOnlyOnFirstPage };

// Paragraph marks the layout keeps in free bits of the paragraph flags.
constexpr uint32_t pfHasObjects = 0x00200000;       // holds embedded objects or anchors
constexpr uint32_t pfHasFieldObjects = 0x00400000;  // holds field objects
constexpr uint32_t pfBookmarkStart = 0x00800000;    // a bookmark starts in it
constexpr uint32_t pfNoMeasure = 0x04000000;        // not to be measured
constexpr uint32_t pfHiddenAny = pfHidden | pfCollapsedHidden;

// Style bits a writer copies: the object characters a skip option drops.
constexpr uint32_t skAutomaticText = 0x01;
constexpr uint32_t skInsertpoints = 0x02;

// One set of header and footer of the page layout, with the space each takes.
struct TRtHeaderFooterSet {
    TRtSpecialTextProperty* header = nullptr;
    TRtSpecialTextProperty* footer = nullptr;
    int32_t headerSpace = 0;
    int32_t footerSpace = 0;
};

class TRtRTFTextIo : public TRtRTFText {
public:
    TRtRTFTextIo();
    ~TRtRTFTextIo() override;

    // ================= virtual operations, in slot order
    virtual void ReadDataProperty(TStream& stream);
    virtual void WriteDataProperty(TStream& stream);
    // The room of a paragraph's number label before a line's text; the
    // painting layer supplies it (0 here).
    virtual int32_t GetNumberLabelWidth(const TParagraph* par, const TLine* line) { return 0; }
    virtual void ResetView() {}
    // Selects an attribute's font for measuring (the current attribute for
    // null); the painting layer supplies it.
    virtual void SelectCharFont(const TAttr* attr) {}
    virtual int32_t WriteWithWriter(TStream& stream, TRtCustomTextWriter& writer);
    virtual int32_t WriteSelectionWithWriter(TStream& stream, TRtCustomTextWriter* writer);
    virtual void ReadWithReader(TStream& stream, TRtCustomTextReader& reader);
    bool SaveHeaderFooterToStream(uint8_t range, uint8_t kind, TStream& stream) override;
    bool LoadHeaderFooterFromStream(uint8_t range, uint8_t kind, TStream& stream) override;
    virtual void SaveToFile(const std::string& fileName);
    virtual void GetCursorPosition(int32_t& index, int32_t& lines, int32_t& offset, int32_t& paragraphs);
    virtual void SetCursorFromPosition(int32_t index, int32_t lineNumber, int32_t column, int32_t parNumber);
    virtual int32_t UpdatePageLayout(TParagraph* start);

    // ================= overrides of the model
    void Clear() override;
    bool ReadNextChar(TAttr& attr, char& ch, TParagraph*& par) override;
    void AppendChar(const TAttr& attr, char ch, const TParagraph* templatePar) override;
    bool LoadFromStream(TStream& stream) override;
    bool SaveToStream(TStream& stream) override;
    bool SaveSelectionToStream(TStream& stream) override;
    void SelectObject(TTextObj* reference, bool flag) override;

    // ================= positions and tables (RtRTFTextIo.cpp)
    void PositionToIndex(int32_t position, const TLine* line, const TParagraph* par, int32_t& index, int32_t& lines,
                         int32_t& offset, int32_t& paragraphs) const;
    bool FindPositionAt(int32_t index, int32_t lineNumber, int32_t& position, TLine*& line, TParagraph*& par,
                        int32_t column, int32_t parNumber) const;
    bool HasSelection() const;
    static TParagraph* GetRowStartAbove(TParagraph* cell);
    static TParagraph* GetRowStartBelow(TParagraph* cell);
    static TParagraph* GetCellOfRow(TParagraph* cell, int32_t index);
    static int32_t GetCellIndex(const TParagraph* cell);
    static TParagraph* GetTableRow(TParagraph* cell, int32_t index);
    bool MoveCursorToRow(bool up);
    void SelectObjectChars(const TRtObjectBase* object, bool setStart, bool setEnd);
    bool WholeCellDeletion = false;

    // ================= line metrics (RtRTFTextIoMetrics.cpp)
    int32_t GetParLeft(const TParagraph* par, bool withoutBorder = false);
    int32_t GetParRight(const TParagraph* par, bool withoutBorder = false);
    int32_t GetIndentPixels(const TParagraph* par, const TLine* line) const;
    int32_t GetRightIndentPixels(TParagraph* par) const;
    int32_t GetWrapIndent(TParagraph* par, const TLine* line);
    bool GetWrapAroundOffset(TParagraph* par, int32_t y, int32_t* rightLimit, int32_t& leftSpace, int32_t height);
    void GetCellRect(const TParagraph* par, int32_t& x, int32_t& width);
    int32_t NextTabStop(const TParagraph* par, const TLine* line, int32_t x, int32_t charIndex);
    // The same for a line being built: whether it is the paragraph's first
    // line and has a tab before, and where the text after the tab is read.
    int32_t NextTabStopAt(const TParagraph* par, bool firstLine, bool tabBefore, const TLine* textLine, int32_t x,
                          int32_t charIndex);
    void ComputeTabsAndJustify(TParagraph* par);
    int32_t ApplyLineSpacing(TParagraph* par, int32_t& height, int32_t& spacing, int32_t& ascent) const;
    bool MeasureLineHeight(TParagraph* par, TLine* line);
    uint32_t GetShadedColor(int32_t colorIndex, int32_t percent) const;
    void ModifyCharAttr(TLine* line, TAttr& attr, uint16_t mask, const TAttr& source, const char* ch);
    void MeasureModifiedChar(TLine* line, TAttr& attr, char ch);

    int32_t CellMargin = 25;          // twips, subtracted from a cell's right edge
    int32_t LastBorderSpacing = 0;    // pixels, as the last GetParLeft or GetParRight found
    bool RightOrDecimalTab = false;   // the last tab stop found was a right or decimal one
    int8_t LastTabKind = -1;          // kind of the last tab stop found (-1: none)
    bool CentringTab = false;         // the last tab stop found was a centre one
    int32_t LeftOffset = 0;           // the text's left offset in layout pixels
    int32_t HorzScroll = 0;           // layout pixels
    int32_t VertScroll = 0;           // layout pixels
    int32_t WrapSearchHeight = 2000;  // layout pixels searched back for wrapping objects
    int32_t DefaultCellLineHeight = -1;
    int32_t BandSize = 0;             // twips: the height of header and footer band paragraphs
    bool KeepStoredLineHeights = false;
    bool ShowHiddenText = false;      // paint-mode bit 9
    bool InsertingObject = false;     // the editing layer inserts an object
    bool ExtendedColors = false;      // colour indexes use a whole byte
    // The styles whose characters are neither measured nor painted (the
    // painting layer keeps it up to date).
    uint32_t HiddenStyleMask = afsHidden | afsDelete;

    // ================= pagination (RtRTFTextIoPages.cpp)
    int32_t LocatePage(int32_t page, TParagraph*& par, int32_t& charIndex, TLine*& line) const;
    int32_t GetCursorPage() const;
    int32_t GetTextHeight() const;
    int32_t PageTextHeight(int32_t page);
    const std::array<TRtHeaderFooterSet, 3>& HeaderFooterSets() const { return sets_; }
    uint16_t LayoutFlags = rtlayNormal;
    TRtPrintHeaderFooter PrintHeaderFooter = rtrOnAllPages;
    int32_t PageCount = 0;
    int32_t PageGapHalf = 0;
    int32_t FullPageGap = 0;
    int32_t TextBottomSpacing = 0;
    bool PageMarksFrozen = false;
    bool FirstPassOnly = false;
    bool Paginate = true;  // pages break by height (else only at hard breaks)
    // Asked for every page: page number, page height and margins (twips).
    std::function<void(TRtCustomRtfEditClass*, int32_t page, int32_t& height, int32_t& top, int32_t& bottom)>
        OnMeasurePage;
    // The formatting notification around a layout (1 begin, 0 end).
    std::function<void(int32_t)> OnFormatting;
    // The height of a header or footer text as laid out; the painting layer
    // lays the texts out before pagination.
    virtual int32_t LaidOutHeight(TRtSpecialTextProperty& item);

    // ================= reading and writing (RtRTFTextIoStreams.cpp)
    int32_t SaveWithFormat(const std::string& format, const TRtWriteRange& range, TStream& stream);
    void LoadFromFile(const std::string& fileName);
    void LoadFromFileStream(TStream& stream, const std::string& fileName);
    void Assign(TRtRTFTextIo& source);
    std::string TextSaveFormat = "AUTO";
    std::string TextLoadFormat = "AUTO";
    std::string BaseFolder;
    std::string LoadedFolder;
    TRtCustomTextWriter* FixedWriter = nullptr;
    TRtCustomTextReader* FixedReader = nullptr;
    bool ForceClassChoice = false;
    int32_t LastIOResult = 0;
    uint8_t PasteOptions = 0;
    uint32_t ReaderOptions = 0;
    uint32_t WriterOptions = 0;
    uint32_t SkipOptions = 0;
    bool KeepLoadedLineBreaks = false;  // the stored word-wrap information is used
    std::function<void(TRtCustomRtfEditClass*, bool& doIt, TParagraph*& chain)> OnBeforePasteEvent;
    std::function<void(TRtCustomRtfEditClass*)> OnNewParagraph;
    // The editor's object notification (editor, reference, flag).
    std::function<void(TRtCustomRtfEditClass*, TTextObj*, bool)> OnObjectNotify;
    int32_t LastCopiedTable = -1;
    bool Loading() const { return loading_; }

    // ================= cursor metrics for the caret (filled by the painting layer)
    int32_t CursorX = 0;
    int32_t CursorY = 0;
    int32_t CursorHeight = 16;
    int32_t CursorWidth = 1;
    int32_t WindowLeft = 0;
    int32_t WindowTop = 0;

protected:
    // The painting layer's selection and object display; nothing here.
    virtual void ClearTextSelection() { SelStart = SelEnd = {}; }
    virtual void ShowObjectSelected(TTextObj* reference) {}
    virtual void ShowObjectDeselected() {}
    // The layout after a read (reformat after reading into an empty text, refresh after a paste).
    virtual void AfterRead(bool intoEmptyText) {}

    bool loading_ = false;
    bool cleared_ = false;
    bool savingToFile_ = false;
    std::string ioExtension_;
    std::string saveFileName_;
    std::array<TRtHeaderFooterSet, 3> sets_{};  // first page, even, odd
    bool lastPageRule_ = false;
    bool layoutRunning_ = false;

    // The border spacing of a paragraph (kept in LastBorderSpacing) and what of it an edge adds.
    int32_t BorderSpacing(const TParagraph* par, bool withoutBorder);
    int32_t PixelsX(int32_t twips) const;
    int32_t PixelsY(int32_t twips) const;
    int32_t TwipsY(int32_t pixels) const;
    int32_t TextWidthTwips() const;

private:
    // Pagination helpers (RtRTFTextIoPages.cpp).
    struct TPageState;
    void BuildHeaderFooterSets(bool empty);
    const TRtHeaderFooterSet& SetOfPage(int32_t page) const;
    void FirstPass(TParagraph* start, TPageState& s);
    void LayOutLines(TParagraph* par, TPageState& s);
    void CloseCell(TParagraph* par, TPageState& s);
    void BreakPageAt(TParagraph* par, TLine* line, TPageState& s);
    void SecondPass();
    void AlignCellsVertically();
    int32_t LineExcessOfSpacing(TParagraph* par, TLine* line);

    // Reading and writing helpers (RtRTFTextIoStreams.cpp).
    std::unique_ptr<TRtCustomTextWriter> CreateWriter(const std::string& className) const;
    std::unique_ptr<TRtCustomTextReader> CreateReader(const std::string& className) const;
    int32_t RunChosenWriter(TStream& stream, const std::string& className, bool selection);
    void PrepareReader(TRtCustomTextReader& reader);
    void PrepareWriter(TRtCustomTextWriter& writer);
    void CollectUsage(TRtCustomTextWriter& writer);
    void ReadIntoEmptyText(TStream& stream, TRtCustomTextReader& reader);
    void ReadIntoText(TStream& stream, TRtCustomTextReader& reader);
    void ApplyPasteOptions(TParagraph* chain) const;
    void InsertChainAtCursor(TParagraph* chain);
    void RestoreBackup(const std::string& fileName, const std::string& backup, bool hadBackup);

    // Assigning (RtRTFTextIoAssign.cpp).
    struct TCopyMaps;
    void BuildCopyMaps(TRtRTFTextIo& source, TCopyMaps& maps);
    // Copies of a chain of another text, their fonts, colours, tabs, objects
    // and references made this text's own; unlinked.
    TParagraph* CopyChain(TRtRTFTextIo& source, const TParagraph* first, TCopyMaps& maps, bool assigning);
    TParagraph* CopyParagraph(TRtRTFTextIo& source, const TParagraph& from, TCopyMaps& maps, bool assigning);
    TAttr MapAttr(TRtRTFTextIo& source, TAttr attr, const TCopyMaps& maps);
    int32_t CopyReference(TRtRTFTextIo& source, const TAttr& attr);
};
