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

#include "richtext/layout/RtLayoutHost.h"
#include "richtext/layout/RtRTFTextIo.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace gdi {
class Canvas;
}
namespace fonts {
struct FontRequest;
}
class TRtCharMeasurer;
class TCharacterAttr;

// Paint modes (bits of the mode set).
constexpr uint32_t pmDeviceResolutionAsIs = 1u << 3;
constexpr uint32_t pmShowHiddenText = 1u << 9;
constexpr uint32_t pmNoCanvas = 1u << 10;
constexpr uint32_t pmKeepScroll = 1u << 11;
constexpr uint32_t pmNoNotify = 1u << 12;

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
};
