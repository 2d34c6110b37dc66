#pragma once
// The tokenizer of label texts stored as RTF. It splits the bytes into three
// kinds of events (a run of text, a control word with its optional numeric
// parameter, a group opened or closed), decodes the escapes of special
// characters, and swallows the text and control words of the destinations a
// label never shows. It knows nothing of fonts or paragraphs: its client, the
// label-text drawer, makes styled tokens of the events.
//
// Pending text is always delivered before a group opens or closes and before
// a control word is reported, so every run arrives while the font state that
// applies to it is current. OnGroup fires after Depth has changed.
//
// Characters are bytes of the fonts' charsets; nothing here reads multi-byte
// sequences. One parser serves one parse. At the end of the input the parser
// stops: text still pending is not delivered and open groups stay open.

#include "foundation/Exceptions.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TStream;

// A "}" without its "{" ("StackUnderflow").
ZORBIT_DECLARE_EXCEPTION(RTFParseException, Exception);

class TRTFParser {
public:
    using TTextEvent = std::function<void(TRTFParser& sender, const std::string& text)>;
    using TControlWordEvent =
        std::function<void(TRTFParser& sender, const std::string& name, int32_t value, bool hasParameter)>;
    using TGroupEvent = std::function<void(TRTFParser& sender)>;

    TRTFParser();

    // Reads the bytes to their end and fires the events. Raises
    // RTFParseException for a group closed that was never opened, and
    // EConvertError for hexadecimal escape digits that are none or a
    // parameter beyond the 32-bit range; the parser is then spent.
    void Parse(std::string_view rtf);
    // The same from the stream's position to its end.
    void Parse(TStream& stream);

    // The destinations whose groups are swallowed, lower case.
    std::vector<std::string> SkipDestinations;
    TTextEvent OnText;
    TControlWordEvent OnControlWord;
    TGroupEvent OnGroup;

    // 0 before the first "{"; read by the client inside its handlers.
    int32_t Depth = 0;
    // 0 normally; 2 while the two digits of a hexadecimal escape are due.
    uint8_t HexState = 0;
    // Inside a group that began with a swallowed destination.
    bool Skipping = false;
    std::string PendingText;

private:
    struct TGroupEntry {
        uint8_t HexState = 0;
        bool Skipping = false;
        friend bool operator==(const TGroupEntry&, const TGroupEntry&) = default;
    };
    // Equal entries pushed one after the other are kept as one with a count,
    // so that deep nesting costs no memory per level.
    struct TGroupRun {
        TGroupEntry Entry;
        uint64_t Count = 0;
    };

    void AddChar(char c);
    void FlushText();
    void ReadControlWord();
    void HandleControlWord(const std::string& name, int32_t value, bool hasParameter);
    void PushGroup();
    void PopGroup();
    bool AtEnd() const { return pos_ >= input_.size(); }
    char NextByte() { return input_[pos_++]; }
    void TakeHexDigits(char first);

    std::vector<TGroupRun> stack_;
    std::string_view input_;
    size_t pos_ = 0;
};

// A-Z and a-z only.
inline bool IsRTFLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
// 0-9 only.
inline bool IsRTFDigit(char c) { return c >= '0' && c <= '9'; }
