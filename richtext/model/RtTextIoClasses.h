#pragma once
// The readers and writers of rich text: their common bases, the registry in
// which their classes are found by name (without regard to case), the
// default class names and the choice of a class by format name, by file
// extension or by looking at the data. The plain-text and RTF classes live
// with the formats and register themselves at start-up; the HTML classes are
// named but not part of the program.

#include "richtext/model/Attr.h"
#include "richtext/model/Paragraph.h"
#include "richtext/model/RtClassRegistry.h"

#include <cstdint>
#include <memory>
#include <string>

class TStream;
class TRtRTFText;
class TTextHeader;

class TRtCustomTextReader {
public:
    TRtCustomTextReader() = default;
    virtual ~TRtCustomTextReader() = default;
    TRtCustomTextReader(const TRtCustomTextReader&) = delete;
    TRtCustomTextReader& operator=(const TRtCustomTextReader&) = delete;

    // The reader's own operations, in the order of their slots.
    virtual void PutSpecialChar(char ch) = 0;
    virtual void ProcessChar(char ch) = 0;
    virtual void OutputChar(char ch) = 0;
    virtual void AppendChar(char ch) = 0;
    virtual void SetStream(TStream& stream) = 0;
    // Reads the stream into the chain that starts at `first`: the text's own
    // (empty) first paragraph when a text is loaded, null for a separate
    // chain when pasting. A reader that starts a chain of its own sets
    // `first` to it; the paragraph it was given is then not part of it and
    // the text frees it. Leaves its result in Result (0 success) and may raise.
    virtual void Read(TStream& stream, TParagraph*& first) = 0;
    virtual int32_t Reserved() { return 0; }

    // What the text hands over before a run.
    TRtRTFText* Text = nullptr;
    TTextHeader* Header = nullptr;
    std::string BaseFolder;
    uint32_t Options = 0;
    uint32_t MoreOptions = 0;
    int32_t CurrentFont = 0;
    int32_t CurrentSize = 0;
    TAttr CurrentAttr;
    TParagraph TemplatePar;  // a copy of the cursor paragraph's fields (no lines, no links)
    int32_t InsertPosition = 0;
    int32_t FirstParNumber = 0;
    // Counters of the run, cleared before it.
    int32_t CharCount = 0;
    int32_t ParCount = 0;
    int32_t Result = 0;
};

// The part of the text a writer writes; all empty: the whole text.
struct TRtWriteRange {
    TParagraph* startPar = nullptr;
    TParagraph* endPar = nullptr;
    TLine* startLine = nullptr;
    TLine* endLine = nullptr;
    int32_t startPos = 0;
    int32_t endPos = 0;
    bool IsWholeText() const { return !startPar && !endPar; }
};

class TRtCustomTextWriter {
public:
    TRtCustomTextWriter() = default;
    virtual ~TRtCustomTextWriter() = default;
    TRtCustomTextWriter(const TRtCustomTextWriter&) = delete;
    TRtCustomTextWriter& operator=(const TRtCustomTextWriter&) = delete;

    virtual void ResetOutput() { State = 0; }
    // Each returns 0 on success or an error code.
    virtual int32_t BeginWrite() { return 0; }
    virtual int32_t WriteBody() { return 0; }
    virtual int32_t EndWrite() { return 0; }

    TStream* Output = nullptr;
    uint8_t State = 0;
    bool WantsUsage = false;
    TRtRTFText* Text = nullptr;
    TRtWriteRange Range;
    uint32_t SkipOptions = 0;
    uint32_t MoreSkipOptions = 0;
    bool EmptyText = false;
    bool NoNulChar = false;
    uint32_t WriterOptions = 0;
    int32_t UsedFont = 0;
    int32_t UsedSize = 0;
    int32_t UsedColor = 0;
    std::string BaseFolder;

    // Room PutDecimal needs: a sign and ten digits.
    static constexpr size_t kDecimalRoom = 11;
    // Writes the decimal digits of any 32-bit value (with a '-' before a
    // negative one) into the buffer; returns the count written.
    static size_t PutDecimal(int32_t value, char* buffer);
    // Two lowercase hexadecimal digits.
    static void PutHexByte(uint8_t value, char* buffer);
    // The bytes as lowercase hexadecimal digits, high digit first, written in
    // one piece; 0, or 5 when fewer bytes were written.
    int32_t WriteHex(const uint8_t* data, int32_t count);
};

// The class names of the process (one object for the whole engine).
struct TRtIoClassNames {
    std::string TextWriter = "TRtTextWriter";
    std::string RTFWriter = "TRtRTFWriter";
    std::string HTMLWriter = "TRtHTMLWriter";
    std::string TextReader = "TRtTextReader";
    std::string RTFReader = "TRtRTFReader";
    std::string HTMLReader = "TRtHTMLReader";
};
TRtIoClassNames& RtIoClassNames();

TRtClassRegistry<TRtCustomTextReader>& RtReaderClasses();
TRtClassRegistry<TRtCustomTextWriter>& RtWriterClasses();

// Registers reader and writer classes under their class names; a name that
// is registered already keeps its first class.
template <typename T>
bool RegisterRtReaderClass(const std::string& name) {
    return RtReaderClasses().Register(name, [] { return std::make_unique<T>(); });
}
template <typename T>
bool RegisterRtWriterClass(const std::string& name) {
    return RtWriterClasses().Register(name, [] { return std::make_unique<T>(); });
}

// The writer class for a format name and the upper-case extension (with its
// dot) of the file being saved ("" when none); textIsEmpty: the text has no
// characters and no header or footer text.
std::string ChooseWriterClass(const std::string& format, const std::string& extension, bool textIsEmpty);
// The reader class for a format name and extension; "AUTO" or an empty name
// looks at the data from the stream's position (which is restored). Data
// that looks like HTML goes to the text reader while no HTML reader is
// registered.
std::string ChooseReaderClass(const std::string& format, const std::string& extension, TStream& stream);
// What the data looks like: "RTF", "HTML" or "" (plain text).
std::string SniffTextFormat(TStream& stream);
