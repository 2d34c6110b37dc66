#pragma once
// TRtRTFTextPaint: the layout layer of the rich-text chain. It attaches an
// output canvas at any resolution and zoom (RtRTFTextPaintCanvas.cpp),
// measures characters through measuring tables kept least recently used
// (RtRTFTextPaintMeasure.cpp), breaks paragraphs into lines
// (RtRTFTextPaintWrap.cpp), scans words for spelling marks and hyphenation
// points (RtRTFTextPaintWords.cpp), and brings the whole layout up to date,
// fully or incrementally, with the edit-box modes (RtRTFTextPaintFormat.cpp,
// RtRTFTextPaintEditBox.cpp).
//
// Text is measured on a reference device (720 pixels per inch): lines break
// at the same characters on the screen at every zoom, in previews and on the
// printer. Unless WYSIWYG is switched off for the engine, the layout runs in
// print layout mode with the reference resolution as its unit, and the zoom
// and the device's resolution only map layout units to device pixels.

#include "platform/gdi/GdiTypes.h"
#include "richtext/layout/RtLayoutHost.h"
#include "richtext/layout/RtLinePaint.h"
#include "richtext/layout/RtRTFTextIo.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>

namespace gdi {
class Canvas;
}
namespace fonts {
struct FontRequest;
}
class TRtCharMeasurer;
class TCharacterAttr;
class TRtObjectBase;

// Paint modes (bits of the mode set).
constexpr uint32_t pmPrinter = 1u << 1;
constexpr uint32_t pmKeepScroll = 1u << 2;
constexpr uint32_t pmDeviceResolutionAsIs = 1u << 3;
constexpr uint32_t pmKeepCursor = 1u << 4;
constexpr uint32_t pmNoNotify = 1u << 5;
constexpr uint32_t pmShowHiddenText = 1u << 9;
constexpr uint32_t pmNoCanvas = 1u << 10;
constexpr uint32_t pmNoHorzOffset = 1u << 11;
constexpr uint32_t pmNoSelection = 1u << 12;
constexpr uint32_t pmOffWindowLines = 1u << 14;
constexpr uint32_t pmWhitePaper = 1u << 15;
constexpr uint32_t pmNoPaper = 1u << 16;
constexpr uint32_t pmTransparent = 1u << 24;

// Print options (TRtPrintOption), as bit masks.
constexpr uint8_t rtIgnoreBorders = 0x01;
constexpr uint8_t rtIgnoreShading = 0x02;
constexpr uint8_t rtIgnoreText = 0x04;
constexpr uint8_t rtIgnoreGraphics = 0x08;

// Edit-box modes (TRtEditBoxMode), as bit masks of the text's EditBoxModes.
constexpr uint8_t rtemLimitTextHeight = 0x01;
constexpr uint8_t rtemLimitTextWidth = 0x02;
constexpr uint8_t rtemAutoSizeWidth = 0x04;
constexpr uint8_t rtemAutoSizeHeight = 0x08;
constexpr uint8_t rtemCheckCursorMovement = 0x10;
constexpr uint8_t rtemCheckTextFlow = 0x20;

// Double-byte options.
constexpr uint8_t rtdb_Enabled = 0x01;
constexpr uint8_t rtdb_NoWordWrapAtSpace = 0x02;
constexpr uint8_t rtdb_CalcCharWidth = 0x04;
constexpr uint8_t rtdb_OnlyNotANSIChar = 0x08;

// Word-check result bits and the hyphenation-point record.
constexpr uint8_t wcKeepMarks = 0x01;
constexpr uint8_t wcMisspelled = 0x02;
constexpr uint8_t wcHyphenation = 0x04;
constexpr int kHyphenPoints = 8;
using THyphenPoints = std::array<uint8_t, kHyphenPoints>;

class TRtRTFTextPaint;

// The advances of a line's characters as the painter places them, taken in
// order: each character's width, the stretched width for the blanks of a
// justified line (the first ones a pixel more).
class TRtLineAdvances {
public:
    TRtLineAdvances(TRtRTFTextPaint& text, const TLine* line);
    int32_t Next(uint32_t i);
    TAttr AttrAt(uint32_t i) const;

private:
    TRtRTFTextPaint& text_;
    const TLine* line_;
    uint32_t trailing_;  // blanks from here on keep their width
    bool stretch_;
    int32_t stretched_ = 0;
};

class TRtRTFTextPaint : public TRtRTFTextIo {
public:
    TRtRTFTextPaint();
    ~TRtRTFTextPaint() override;

    // ================= overrides
    void Clear() override;
    void Refresh(bool all) override;
    void Reformat() override;
    void RepaintAll() override;
    void Relayout() override {}
    void PrepareCanvas() override { PrepareCanvasMapping(false); }
    int32_t InsertString(TParagraph* par, TLine* line, const char* text, int32_t count, int32_t index) override;
    void UpdateResolution() override;
    void SelectCharFont(const TAttr* attr) override;
    int32_t UpdatePageLayout(TParagraph* start) override;
    int32_t LaidOutHeight(TRtSpecialTextProperty& item) override;

    // ================= canvas and resolutions (RtRTFTextPaintCanvas.cpp)
    void SetCanvas(gdi::Canvas* canvas);
    gdi::Canvas* Canvas() const { return canvas_; }
    void InitCanvasMetrics();
    void UpdateDeviceResolution();
    void SetResolution(int32_t x, int32_t y);
    // Maps the canvas so that one logical unit is one layout pixel at the zoom.
    void PrepareCanvasMapping(bool force);
    void SetZoomMapping(gdi::Canvas& canvas);
    void SetDefaultMapMode(gdi::Canvas& canvas);
    void SetZoom(int32_t percent);
    bool NoCanvas() const { return (PaintModes & pmNoCanvas) != 0 || !canvas_; }
    uint32_t PaintModes = 0;
    int32_t PrintLayoutResolution = 0;  // the reference device's when 0
    int32_t OnePixel = 1;               // one screen pixel in layout units
    int32_t ZoomedScreenResolution = 96;
    int32_t VisibleWidth = 0;           // screen pixels
    int32_t VisibleHeight = 0;
    int32_t VisibleLayoutWidth = 0;
    int32_t VisibleLayoutHeight = 0;
    bool CustomMapping = false;
    bool CustomScale = false;
    double ScaleX = 1;
    double ScaleY = 1;

    // ================= measuring (RtRTFTextPaintMeasure.cpp)
    void SetMeasurer(TRtCharMeasurer* measurer);
    void MeasurePar(TParagraph* par);
    void MeasureFieldObjects(TParagraph* par, TLine* line);
    int32_t TextWidthFromTable(const TAttr& attr, const std::string& text);
    int32_t UpdateBookmarkMarks(TParagraph* first, int32_t depth);
    void UpdateHiddenMask();
    TCharacterAttr* GetSpecialAttr(const TAttr& attr);
    // Sets the canvas font and colours for an attribute (the current one for null).
    void ApplyAttrToCanvas(const TAttr* attr);
    int32_t FontSizePercent = 100;
    uint8_t DoubleByteOptions = 0;
    // Whether a byte of a character with this attribute starts a double-byte character.
    bool IsLeadByte(char ch, const TAttr& attr, char lookAhead) const;
    // Characters above 64 of colour 0 are measured as "*".
    bool SubstituteDisplay = false;
    // The measure-character hook: ignore (preset true), width and height factors.
    std::function<void(bool& ignore, double& widthFactor, double& heightFactor, const TAttr& attr)> OnMeasureChar;

    // ================= line breaking (RtRTFTextPaintWrap.cpp)
    // Change code: 0 nothing, 1 new content, 2 a later line's height, 3 the paragraph's or first line's height.
    void WrapParagraph(TParagraph* par, bool compare, uint8_t& change);
    void RewrapPar(TParagraph* par);
    void UpdateParObjectEdges(TParagraph* par);
    void UpdateParRectObjects();
    int32_t MaxCharsPerLine = 0;
    bool KeepScreenLineBreaks = false;  // set by the print layer for a printout that is not WYSIWYG
    bool CursorTrackingSuspended = false;
    // Hyphenation hook: word, character set (0), points, count.
    std::function<void(const std::string& word, int32_t charset, THyphenPoints& points, int32_t& count)> OnHyphenate;

    // ================= word scan (RtRTFTextPaintWords.cpp)
    bool ScanParagraphWords(TParagraph* par, bool cursorFlag);
    void ClearCursorWordChecked();
    void RecheckCursorParagraph(bool clear);
    bool WordCheckSuspended = false;
    bool HoldBackCursorWord = false;
    // Word-check hook: word, result (preset 1), hyphenation points (preset 0).
    std::function<void(const std::string& word, uint8_t& result, THyphenPoints& points)> OnSpellCheckWord;

    // ================= formatting passes (RtRTFTextPaintFormat.cpp)
    void ReformatAll(bool measure);
    void FormatHeadersFooters();
    int32_t FormatParList(TParagraph* first);
    void InvalidateVisiblePars();
    bool AfterWrapHook() { return false; }
    std::string GetParText(TParagraph* par);
    std::string GetParNumberText(int32_t number) { return std::to_string(number); }
    int32_t GetLineTextWidth(const TLine* line);
    bool Formatting() const { return formatting_; }
    bool WordWrap = true;
    bool PaintLocked = false;
    int32_t TotalHeight = 0;
    int32_t TextHeightForEditor = 0;
    TRtLayoutHost* Host = nullptr;
    std::function<void()> OnDocumentChange;

    // ================= edit boxes (RtRTFTextPaintEditBox.cpp)
    void InitEditBoxMode();
    bool UpdateEditBox();
    bool CheckMaxLength(char ch, int32_t count);
    // Stores a restore point (a copy of the text, cursor and current attribute)
    // when the box may refuse a change; the input layer calls it before a change.
    void ArmRestorePoint();
    int32_t MaxParLength = 0;
    int32_t MaxTextLength = 0;
    bool TextRemoved = false;  // the input layer notes removed text
    std::function<void(int32_t& width, int32_t& height, bool& change)> OnEditBoxChangeWidth;
    std::function<void(int32_t& width, int32_t& height, bool& change)> OnEditBoxChangeHeight;
    // The text that flowed out, as RTF; answers whether a next box took it.
    std::function<bool(TStream& stream)> OnEditBoxTextFlowsOut;
    std::function<void(TRtCustomRtfEditClass*& source)> OnEditBoxTextFlowsIn;
    std::function<void(bool up, TRtCustomRtfEditClass*& next, char ch)> OnEditBoxCursorLeaves;

    // ================= painting the window and its lines (RtRTFTextPaintLines.cpp)
    // Painting works in layout pixels relative to the window; the zoom
    // mapping of the canvas takes them to device pixels.
    virtual void PaintWindow();
    // An area of the window in screen pixels, or in layout pixels.
    void PaintScreenRect(int32_t x, int32_t y, int32_t height, int32_t width);
    void PaintArea(int32_t x, int32_t y, int32_t height, int32_t width);
    void PaintLine(TParagraph* par, TLine* line);
    void ComputeLineRects(TRtLinePaint& rec, int32_t horzOffset, TLine* line, TParagraph* par, int32_t y);
    // White while printing, else the text's colour.
    gdi::Color GetBackgroundColor() const;
    // A 2-pixel mark at a character (while text is dragged); a null paragraph removes it.
    void SetDropMark(TParagraph* par, TLine* line, gdi::Color color, int32_t index);
    // Flags the lines between the selection's ends as lying in the selection.
    void MarkSelectedLines();
    // The selection's ends in text order.
    void SelectionBounds(TRtPosition& first, TRtPosition& last) const;
    gdi::Color Color = gdi::Rgb(255, 255, 255);  // the paper
    gdi::Color PageGapColor = gdi::SysColor(gdi::COLOR_BTNSHADOW);
    gdi::Color SelectionColor = gdi::SysColor(gdi::COLOR_HIGHLIGHT);
    gdi::Color SelectionTextColor = gdi::SysColor(gdi::COLOR_HIGHLIGHTTEXT);
    int32_t TopInset = 0;   // layout pixels
    int32_t LeftInset = 0;
    int32_t EditorPageGap = 0;  // layout pixels left of the page in the page view
    bool CellsMarked = false;  // whole cells are selected (pfMarked)
    bool HideSelection = false;
    uint8_t PrintOptions = 0;  // while printing

    // ================= hit-testing and selection by index (RtRTFTextPaintHit.cpp)
    // x values are layout pixels in the text's coordinates (the horizontal
    // scroll position included, the window's inset not).
    int32_t CharIndexToX(TParagraph* par, TLine* line, int32_t index);
    int32_t CharIndexToScreenX(TParagraph* par, TLine* line, int32_t index);
    int32_t CharIndexAtX(TParagraph* par, TLine* line, int32_t x);
    int32_t GetLineFreeSpace(TParagraph* par, TLine* line);
    virtual int32_t GetNumberingIndent(TParagraph* par, TLine* line);
    // The x where a line's text starts (alignment included).
    int32_t LineStartX(TParagraph* par, TLine* line);
    // False when the point lies below the text (the last line is given then).
    bool FindLineAtPos(TParagraph*& par, TLine*& line, int32_t x, int32_t y);
    // A point of the window (layout pixels).
    virtual bool SetCursorFromPoint(int32_t x, int32_t y, bool scroll, bool clearSelection);
    void SetSelection(int32_t start, int32_t length);
    bool GetSelPosLen(int32_t& start, int32_t& length) const;
    bool HiddenParagraph(const TParagraph* par) const;

    // ================= scrolling and the caret (RtRTFTextPaintScroll.cpp)
    // Amounts in screen pixels: down and right bring later or further-right text into view.
    void ScrollDown(int32_t dy);
    void ScrollUp(int32_t dy);
    void ScrollRight(int32_t dx);
    void ScrollLeft(int32_t dx);
    // Scroll-bar requests: 0 line up/left, 1 line down/right, 2 page up/left,
    // 3 page down/right, 4 and 5 to a position (layout pixels), 6 to the start, 7 to the end.
    void VertScrollRequest(int32_t code, int32_t position);
    void HorzScrollRequest(int32_t code, int32_t position);
    void ScrollToCursor() override;
    void ShowCursor();
    void UpdateCaretPos();
    int32_t GetLineTop(const TLine* line) const;
    void SkipZeroWidthAtCursor();
    // Moves the frame of a selected object with the text; the editing layer draws it.
    virtual void ScrollObjectFrame(int32_t dx, int32_t dy) {}
    int32_t CaretX = 0;  // layout pixels in text coordinates (the caret's top)
    int32_t CaretY = 0;
    int32_t CaretWidth = 0;
    int32_t CaretHeight = 0;
    bool ScrollLocked = false;    // while a table column is resized
    bool PutCursorAtTop = false;  // the next ScrollToCursor puts the cursor line at the top
    bool PartialScrollDone = false;
    std::function<void(int32_t y)> OnYPosChanged;
    std::function<void(int32_t x)> OnXPosChanged;

    // ================= painting the runs of a line (RtRTFTextPaintRuns.cpp)
    void PaintLineRuns(TParagraph* par, TLine* line, TRtLinePaint& rec);
    // Sets brush and text colour for a run; returns the text output options.
    uint32_t SetRunBrush(const TAttr& attr, bool selected, const TRtLinePaint& rec, bool force);
    void PaintPageHeaderFooter(bool header, const TRtLinePaint& body, TLine* line, TParagraph* par);
    void FillRunRect(const gdi::Rect& rect, const TAttr& attr, bool selected, const TRtLinePaint& rec, bool force);
    // One border side (0 left, 1 top, 2 right, 3 bottom) of a rectangle.
    void DrawBorderSide(int32_t side, bool dotted, gdi::Color color, int32_t width, const gdi::Rect& rect);

protected:
    void AfterRead(bool intoEmptyText) override;
    TRtLayoutHost& HostOrNone();

private:
    gdi::Canvas* canvas_ = nullptr;
    TRtCharMeasurer* measurer_ = nullptr;
    uint32_t stamp_ = 0;
    bool formatting_ = false;
    bool measuring_ = false;
    bool incremental_ = false;
    bool editBoxPending_ = false;
    bool editBoxRunning_ = false;
    bool resizing_ = false;
    bool checkRunning_ = false;
    bool recheckPending_ = false;
    const TParagraph* lastMeasured_ = nullptr;
    int32_t lastBookmarkDepth_ = 0;
    std::unique_ptr<TRtRTFTextIo> overflow_;
    bool restoreArmed_ = false;
    int32_t savedCursorIndex_ = 0;
    TAttr savedAttr_;

    int32_t LayoutResolutionForDevice() const;
    void FillMeasureTable(TRtMeasureTable& table, const TAttr& attr);
    fonts::FontRequest FontRequestOf(const TAttr& attr) const;
    void MarkDoubleBytes(TLine* line, uint32_t from, uint32_t to, TAttr attr);
    bool SameRun(uint32_t format, uint32_t other);
    void MeasureRun(TLine* line, uint32_t from, uint32_t to, TAttr attr, int32_t& bookmarkDepth, TParagraph* par);
    void MeasureObjectChar(TParagraph* par, TLine* line, uint32_t index, TAttr attr, int32_t& bookmarkDepth);
    void ReformatPass(bool measure, bool restarted, bool progress);
    void RestoreFromOverflow();
    bool FlowTextIn();
    void FlowTextOut();
    int32_t ScreenTextHeight();

    // scrolling
    bool scrolling_ = false;
    int32_t lastCaretX_ = -1;
    int32_t lastCaretY_ = -1;
    bool ScrollingBlocked() const;
    bool FixedBackground() const;
    void ScrollView(int32_t dx, int32_t dy);
    void FinishVerticalScroll(int32_t before);
    void FinishHorizontalScroll(int32_t offset);
    int32_t TextRightEnd() const;

    // painting
    int32_t maxPaintedBottom_ = 0;
    bool clipActive_ = false;
    gdi::Rect clipRect_;
    struct TDropMark {
        TParagraph* par = nullptr;
        TLine* line = nullptr;
        gdi::Color color = 0;
        int32_t index = 0;
    } dropMark_;
    bool OnPrinter() const;
    void ComputeRowPosition(TRtLinePaint& rec, TParagraph* par);
    void ComputeBands(TRtLinePaint& rec, TParagraph* par, TLine* line);
    void ComputeLineSelection(TRtLinePaint& rec, TParagraph* par, TLine* line);
    void PaintDropMark();
    void FillBands(const TRtLinePaint& rec, TParagraph* par);
    void PaintGapMark(const TRtLinePaint& rec, TParagraph* par);
    void PaintPageFrame(const TRtLinePaint& rec, TParagraph* par);
    int32_t PaintNumbering(TParagraph* par, TLine* line, const TRtLinePaint& rec, int32_t x);
    int32_t PaintRuns(TParagraph* par, TLine* line, TRtLinePaint& rec, int32_t x);
    void PaintRunMarks(const TAttr& attr, int32_t x, int32_t width, int32_t baseline, const TRtLinePaint& rec);
    void PaintEndMark(TParagraph* par, TLine* line, const TRtLinePaint& rec, int32_t x);
    void PaintBorders(TParagraph* par, TLine* line, const TRtLinePaint& rec);
    bool SharesTopWithCellAbove(TParagraph* par);
    void PaintObjectChar(const TAttr& attr, int32_t left, int32_t right, const TRtLinePaint& rec);
    std::unordered_set<const TRtObjectBase*> unpaintable_;
};
