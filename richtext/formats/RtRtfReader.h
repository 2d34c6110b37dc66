#pragma once
// TRtRtfReader: reads RTF into the text model: groups and destinations, the
// font and colour tables, character and paragraph formatting, tab stops,
// page settings, hex escapes and "\u" characters (converted to the byte of
// the current font's charset, else the fallback text is kept), "\bin" data.
// Destinations it does not take in (pictures, style sheet, lists, headers
// and footers, field instructions, document information) are skipped; the
// result text of a field is read as text.
//
// Reading ends at the brace that closes the document; the stream is left
// behind it. Input is bounded: groups nest at most kMaxGroupDepth deep, a
// "\bin" count must lie within the stream; either failure ends the read with
// Result 5 and keeps what was read.

#include "richtext/formats/RtTextReader.h"
#include "richtext/model/Paragraph.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct TRtfKeyword;

class TRtRtfReader : public TRtTextReader {
public:
    static constexpr int32_t kMaxGroupDepth = 2048;
    static constexpr size_t kMaxWordLength = 29;
    static constexpr size_t kMaxFontName = 255;

    // What characters mean in the group being read.
    enum class TDestination : uint8_t {
        Body,
        Skip,
        FontTable,
        ColorTable,
        FieldResult,
    };

    TRtRtfReader();
    void ProcessChar(char ch) override;
    void Read(TStream& stream, TParagraph*& first) override;

    // Called with the first paragraph after reading, also after a failure.
    virtual void AfterRead(TParagraph*) {}

protected:
    // The state a group saves and its closing brace restores.
    struct TGroupState {
        TAttr attr;
        TParagraph props;  // the paragraph properties in force (no lines, no links)
        TDestination destination = TDestination::Body;
        int32_t unicodeSkip = 1;  // \uc: fallback characters after a \u
    };
    // The page settings read; copied to the text's header at the end when the
    // text was empty.
    struct TPageBlock {
        int32_t width = 0;
        int32_t height = 0;
        int32_t left = 0;
        int32_t right = 0;
        int32_t top = 0;
        int32_t bottom = 0;
        int32_t defaultTab = 0;
        int32_t header = 0;
        int32_t footer = 0;
        bool landscape = false;
        bool titlePage = false;
        bool facingPages = false;
        bool mirrorMargins = false;
    };

    TGroupState State;
    std::vector<TGroupState> Groups;
    bool GroupSeen = false;
    bool IgnorableNext = false;  // "\*" was read
    int32_t FallbackToSkip = 0;  // fallback characters of a \u still to drop
    TPageBlock Page;
    bool IntoEmptyText = false;

    virtual void PushGroup();
    virtual void PopGroup();
    virtual void ReadControlWord();
    virtual void DispatchControlWord(const std::string& word, int32_t value, bool hasValue);
    virtual void OutputSymbol(char ch);
    virtual void PutTextChar(char ch);
    virtual void BeginDestination(int32_t action, int32_t value);
    virtual void DoAction(int32_t action, int32_t value);
    // Ends the current paragraph (\par, \page, \sect).
    void EndRtfParagraph(bool pageBreak);

private:
    // Font table: RTF font number to document font index, and the fonts
    // this read added that the text has not used yet.
    std::array<int16_t, 256> fontMap_{};
    std::array<bool, 256> fontAddedUnused_{};
    int32_t fontNumber_ = -1;
    int32_t fontCharset_ = -1;
    int32_t fontFamily_ = 0;
    std::string fontName_;
    // Colour table: RTF colour number (0 to 254) to document colour index.
    std::array<int16_t, 255> colorMap_{};
    int32_t colorCount_ = 0;
    uint8_t red_ = 0, green_ = 0, blue_ = 0;
    uint8_t tabKind_ = 0;
    bool tabSeenInPar_ = false;
    std::unordered_map<int32_t, std::unordered_map<char32_t, uint8_t>> charsetBytes_;

    void ResetRead();
    void ReadHexEscape();
    void ReadUnicode(int32_t value);
    void SkipBinary(int32_t count);
    void EndFontEntry();
    void EndColorEntry();
    bool ReadFontFamily(const std::string& word);
    void TakeMarkAttr();
    void CharacterAction(int32_t action, int32_t value);
    bool ParagraphAction(int32_t action, int32_t value);
    void PageAction(int32_t action, int32_t value);
    void AddTabStop(int32_t position);
    void ApplyProps(TParagraph& par) const;
    void StoreSymbol(char ch);
    bool lastParagraphEnded_ = false;
    void EndLastParagraph();
    void FinishRead();
    void CopyPageBlock();
    void DropUnusedFonts();
    int32_t MapColor(int32_t value) const;
    bool ByteOfCharacter(char32_t code, uint8_t& byte);
};
