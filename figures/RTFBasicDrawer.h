#pragma once
// What the label-text drawers share: the RTF turned into a flat list of
// styled tokens (words, spaces, paragraph ends, alignment marks, data
// fields), the font and colour tables, measuring every token once at a fixed
// resolution of 720 pixels per inch in millimetres, and filling the data
// fields from a data set. Measuring at one resolution makes line breaks and
// positions the same on every device and at every zoom.
//
// Of RTF the drawer honours the font table ("fonttbl", "f", "fcharset"),
// "deff", "f", "fs", "b", "i", "ul", "ulnone", "strike", the colour table
// ("colortbl", "red", "green", "blue"), "cf", "plain", "pard", "par", "ql",
// "qc", "qr", "qj", "tab" (one space), ignorable groups ("*") and fields
// ("field" with "fldinst"); everything else is ignored.

#include "figures/RTFTokenList.h"
#include "foundation/Font.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TDataSet;
class TRTFParser;
class TRTFTextMeasurer;
class TScaleCanvas;

// An entry of the font, charset or colour table: its text and its number
// (font number, or the colour for the colour table).
struct TRTFTableEntry {
    std::string Text;
    int32_t Object = 0;
};

// The font state while the RTF is read; one entry of the font-state stack.
using TRTFFontState = TRTFSave;

// The resolution at which tokens are measured.
constexpr int32_t kRTFMeasureResolution = 720;

// Destinations of the reader.
constexpr uint8_t kDestBody = 0;
constexpr uint8_t kDestFontTable = 1;
constexpr uint8_t kDestColorTable = 2;
constexpr uint8_t kDestField = 3;

class TRTFBasicDrawer {
public:
    TRTFBasicDrawer();
    virtual ~TRTFBasicDrawer();
    TRTFBasicDrawer(const TRTFBasicDrawer&) = delete;
    TRTFBasicDrawer& operator=(const TRTFBasicDrawer&) = delete;

    // Reads the RTF into tokens and measures them. Parser errors propagate;
    // the tokens then hold what was read up to the failure, unmeasured.
    virtual void SetRTF(const std::string& rtf);
    // Empties the tokens and the three tables.
    virtual void Clear();
    virtual void Measure(int32_t pixelsPerInch);
    // Replaces every data field by the value of the current record, as words
    // of the field's font; a field the data set lacks shows nothing. Nothing
    // happens while the data set is closed (the fields show their names).
    void FillFromDataSet(TDataSet* dataSet);

    // Measuring happens on this measurer (the screen-like one by default).
    void SetMeasurer(TRTFTextMeasurer* measurer);
    TRTFTextMeasurer& Measurer() const { return *measurer_; }

    // The attributes of a token font at a resolution (face "Default" as "Arial").
    static gdi::LogFont TokenLogFont(const TRTFFontState& font, int32_t pixelsPerInch);
    // Gives the canvas font the token font's five attributes, where they differ.
    static void ApplyTokenFont(TRTFFontState& font, TScaleCanvas& canvas);
    // The face "Default" becomes "Arial" the first time a token font is used.
    static void ResolveDefaultFace(TRTFFontState& font);

    std::string Text;
    TRTFTokenList Tokens;
    std::vector<TRTFTableEntry> FontNames;
    std::vector<TRTFTableEntry> FontCharsets;
    std::vector<TRTFTableEntry> Colors;
    TRTFFontState CurrentFont;
    int32_t LastDepth = 0;
    int32_t Red = 0, Green = 0, Blue = 0;
    int32_t TableFontNumber = 0;
    int32_t TableCharset = 0;
    int32_t DefaultFont = 0;
    uint8_t Destination = kDestBody;
    int32_t IgnoreDepth = 0;
    bool Ignoring = false;
    bool InFieldInstruction = false;
    int32_t DestinationDepth = 0;
    bool PerCharacter = false;

protected:
    // The size of a device pixel in millimetres at a resolution.
    static float MillimetresPerPixel(int32_t pixelsPerInch);
    // Measures a token style's font metrics into Height and Ascent (mm) and
    // returns the metrics in device units of the resolution.
    gdi::TextMetrics MeasureFont(TRTFTokenStyle& style, int32_t pixelsPerInch);
    // The token's text in its charset, with the advance of each byte of a
    // word or field, in the style's font (selected on the measurer).
    void MeasureAdvances(TRTFTokenList::Record& token, int32_t pixelsPerInch);

private:
    void StartReading();
    void HandleGroup(TRTFParser& parser);
    void HandleControlWord(TRTFParser& parser, const std::string& name, int32_t value, bool hasParameter);
    void HandleBodyWord(TRTFParser& parser, const std::string& name, int32_t value, bool hasParameter);
    void HandleText(TRTFParser& parser, const std::string& text);
    void AddFontTableEntry(const std::string& text);
    void AddColorTableEntry();
    void AddMark(uint8_t alignment);
    void AddToken(uint8_t kind, std::string_view text, const TRTFFontState& font);
    // Body text split into words, spaces and breaks after hyphens.
    static void SplitText(std::string_view text, bool perCharacter, uint32_t style, uint8_t charset,
                          TRTFTokenList& into);
    static void AddPiece(std::string_view piece, uint32_t style, TRTFTokenList& into);
    void RemoveTrailingParagraphs();
    void SetPlainFont();
    std::string FontNameOf(int32_t number) const;
    uint8_t CharsetOf(int32_t number) const;
    gdi::Color ColorOf(int32_t index) const;
    bool IsFontInstalled(const std::string& name) const;

    // The font state saved at every opened group; equal states pushed one
    // after the other are one entry with a count.
    struct TFontRun {
        TRTFSave Save;
        uint64_t Count = 0;
    };
    std::vector<TFontRun> fontStack_;
    // The first table entry of each font number.
    std::unordered_map<int32_t, size_t> fontIndex_;
    TRTFTextMeasurer* measurer_;
};

// Turns (x, y) about (mx, my) by angle degrees clockwise (device y down),
// rounding to the nearest point. The sine and cosine of the last angle are
// kept for all drawers.
gdi::Point RotateDevicePoint(int32_t x, int32_t y, int32_t mx, int32_t my, double angle);
