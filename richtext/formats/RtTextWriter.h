#pragma once
// TRtTextWriter: writes paragraphs of the text model as single-byte
// (Windows-1252) text: paragraphs end with CR LF, the cells of a table row
// are separated by TAB, fields are written as their current text, other
// embedded objects leave no trace. Derived writers (RTF) reuse the walk over
// paragraphs, lines and runs of equal attributes and override its steps.
//
// Every step returns 0 on success, 5 when the stream took fewer bytes than
// offered, 6 when there is nothing to write.

#include "richtext/model/RtTextIoClasses.h"

#include <cstdint>
#include <vector>

struct TTextObj;

class TRtTextWriter : public TRtCustomTextWriter {
public:
    int32_t BeginWrite() override { return 0; }
    int32_t WriteBody() override;
    // A NUL byte, unless NoNulChar is set.
    int32_t EndWrite() override;

    // Called before every step of a line piece with the attribute of the run
    // that starts there (PrevAttr holds the one before), and once for an
    // empty paragraph with the paragraph's own attribute.
    virtual int32_t WriteRunStart(const TAttr& attr);
    // `count` characters from the current place in the current line.
    virtual int32_t WriteChars(int32_t count);
    // The characters of the current line from `start` to `end`.
    virtual int32_t WriteLinePiece(int32_t start, int32_t end);
    // CR LF after every line with soHardLineBreaks, else nothing.
    virtual int32_t WriteLineEnd();
    // Without soHardLineBreaks and with another paragraph following: TAB
    // between the cells of a row, else CR LF.
    virtual int32_t EndParagraph();
    virtual int32_t BeginLinePiece();
    // A form feed before a page-break paragraph with soANSIFormfeedCode.
    virtual int32_t BeginParagraph();
    // A single embedded object (code 1): a field writes its current text.
    virtual int32_t WriteObject(char code, int32_t id, TTextObj* reference);
    // The start (2) or end (3) of a paired reference.
    virtual int32_t WriteBookmark(char code, int32_t id, TTextObj* reference);
    virtual int32_t WriteFootnote(int32_t id);

protected:
    TParagraph* Par = nullptr;
    TLine* Line = nullptr;
    int32_t CharIndex = 0;  // the current place in Line
    TAttr RunAttr;          // the attribute of the current run
    TAttr PrevAttr;         // the one before; cleared at every paragraph start
    bool AnotherParFollows = false;
    int32_t CharPosition = 0;
    std::vector<int32_t> OpenReferences;

    // Writes bytes to the output: 0, or 5 when fewer were taken.
    int32_t Put(const void* data, int64_t count);
    int32_t Put(const std::string& text) { return Put(text.data(), int64_t(text.size())); }
    // The text a field object shows at the current place ("" for other objects).
    std::string FieldTextOf(TTextObj* reference) const;

    TParagraph* PrevPar = nullptr;  // the paragraph written before
    TLine* PrevLine = nullptr;      // the line written before

private:
    int32_t WriteParagraphLines(TLine* from, int32_t fromOffset, bool& endReached);
    int32_t WriteObjectChar(char code, const TAttr& attr);
    int32_t RunLength(int32_t at, int32_t end, const TAttr& attr) const;
    void ClearEndEntryObjectBits();
    int32_t CloseOpenReferences();
};
