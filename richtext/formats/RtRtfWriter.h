#pragma once
// TRtRTFWriter: writes the text model, or a part of it, as RTF that
// TRtRtfReader reads back to the same model: the font table (names with
// ";", braces and backslashes escaped), the colour table (the 16 fixed
// entries and every other entry in use), the page format, and per paragraph
// "\pard" with its alignment, indents, spacing, keep flag and tab stops,
// per run of equal attributes "\plain" with font, size, colours and styles.
// The output is 7-bit: other characters are written as hex escapes.
//
// Every step returns 0, or 5 when the stream took fewer bytes than offered.

#include "richtext/formats/RtTextWriter.h"

#include <array>
#include <cstdint>
#include <string>

class TRtRTFWriter : public TRtTextWriter {
public:
    void ResetOutput() override;
    int32_t BeginWrite() override;
    int32_t EndWrite() override;
    int32_t WriteRunStart(const TAttr& attr) override;
    int32_t WriteChars(int32_t count) override;
    int32_t WriteLineEnd() override;
    int32_t EndParagraph() override;
    int32_t BeginParagraph() override;
    int32_t WriteObject(char code, int32_t id, TTextObj* reference) override;

    // Appends text escaped for a group: backslash and braces get a
    // backslash, ";" and characters below 33 or above 126 become hex escapes.
    static void AppendEscapedName(std::string& out, const std::string& name);

protected:
    // Appends a control word with its value.
    static void AppendWord(std::string& out, const char* word, int32_t value);

private:
    std::array<int16_t, 256> fontNumbers_{};
    std::array<int16_t, 256> colorNumbers_{};
    bool runWritten_ = false;
    std::string lastRun_;  // the words of the run written last

    void AppendFontTable(std::string& out);
    void AppendColorTable(std::string& out);
    void AppendPageFormat(std::string& out) const;
    void AppendTabs(std::string& out) const;
    int32_t ColorNumber(uint8_t index) const;
};
