#include "figures/RTFParser.h"

#include "foundation/Localizer.h"
#include "foundation/Stream.h"

#include <algorithm>
#include <cstdint>

namespace {

// The offending text of a conversion error is cut here in the message.
constexpr size_t kMaxShownText = 64;

[[noreturn]] void RaiseNotAnInteger(std::string_view text) {
    std::string shown(text.substr(0, kMaxShownText));
    if (text.size() > kMaxShownText) shown += "...";
    throw EConvertError(LocalizedFormat("IDS_RTFNOTANINTEGER", {shown}));
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decimal digits as a 32-bit signed value.
int32_t DigitsToInt(std::string_view digits) {
    int64_t value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > INT32_MAX) RaiseNotAnInteger(digits);
    }
    return static_cast<int32_t>(value);
}

std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

constexpr char kLeftQuote = '\x91';
constexpr char kRightQuote = '\x92';
constexpr char kLeftDoubleQuote = '\x93';
constexpr char kRightDoubleQuote = '\x94';
constexpr char kBullet = '\x95';
constexpr char kEnDash = '\x96';
constexpr char kEmDash = '\x97';

}  // namespace

TRTFParser::TRTFParser()
    : SkipDestinations{"bin",      "author",   "buptim",   "comment",  "creatim",    "doccomm", "footer",
                       "footerf",  "footerl",  "footerr",  "footnote", "ftncn",      "ftnsep",  "ftnspec",
                       "header",   "headerf",  "headerl",  "headerr",  "info",       "keywords", "operator",
                       "pict",     "printim",  "private1", "revtim",   "rxe",        "stylesheet", "subject",
                       "tc",       "title",    "txe",      "xe"} {}

void TRTFParser::Parse(TStream& stream) {
    const int64_t remaining = stream.Remaining();
    std::string bytes(static_cast<size_t>(std::max<int64_t>(remaining, 0)), '\0');
    stream.ReadBuffer(bytes.data(), remaining);
    Parse(bytes);
}

void TRTFParser::Parse(std::string_view rtf) {
    input_ = rtf;
    pos_ = 0;
    while (!AtEnd()) {
        const char c = NextByte();
        switch (c) {
        case '\r':
        case '\n': break;
        case '\\': ReadControlWord(); break;
        case '{': PushGroup(); break;
        case '}': PopGroup(); break;
        default:
            if (HexState == 0)
                AddChar(c);
            else
                TakeHexDigits(c);
        }
    }
    input_ = {};
}

void TRTFParser::TakeHexDigits(char first) {
    // The second digit is taken as it comes, whatever it is.
    if (AtEnd()) return;
    const char second = NextByte();
    const int high = HexValue(first), low = HexValue(second);
    if (high < 0 || low < 0) RaiseNotAnInteger(std::string{'$', first, second});
    AddChar(static_cast<char>(high * 16 + low));
    HexState = 0;
}

void TRTFParser::AddChar(char c) {
    if (!Skipping) PendingText.push_back(c);
}

void TRTFParser::FlushText() {
    if (!PendingText.empty() && OnText) OnText(*this, PendingText);
    PendingText.clear();
}

void TRTFParser::ReadControlWord() {
    if (AtEnd()) return;
    const char first = NextByte();
    // A backslash and one byte at the very end mean nothing.
    if (AtEnd()) return;
    if (!IsRTFLetter(first)) {
        HandleControlWord(std::string(1, first), 0, false);
        return;
    }
    const size_t nameStart = pos_ - 1;
    while (!AtEnd() && IsRTFLetter(input_[pos_])) ++pos_;
    const std::string name(input_.substr(nameStart, pos_ - nameStart));
    // A word cut off by the end of the input is still reported.
    if (AtEnd()) {
        HandleControlWord(name, 0, false);
        return;
    }
    char delimiter = NextByte();
    bool negative = false;
    if (delimiter == '-') {
        negative = true;
        if (AtEnd()) return;
        delimiter = NextByte();
        if (AtEnd()) return;
    }
    int32_t value = 0;
    bool hasParameter = false;
    if (IsRTFDigit(delimiter)) {
        const size_t digitsStart = pos_ - 1;
        while (!AtEnd() && IsRTFDigit(input_[pos_])) ++pos_;
        value = DigitsToInt(input_.substr(digitsStart, pos_ - digitsStart));
        if (negative) value = -value;
        hasParameter = true;
        if (AtEnd()) {
            HandleControlWord(name, value, hasParameter);
            return;
        }
        delimiter = NextByte();
    }
    if (delimiter != ' ') --pos_;
    HandleControlWord(name, value, hasParameter);
}

void TRTFParser::HandleControlWord(const std::string& name, int32_t value, bool hasParameter) {
    if (name == "'") {
        HexState = 2;
        return;
    }
    if (name == "lquote") return AddChar(kLeftQuote);
    if (name == "rquote") return AddChar(kRightQuote);
    const std::string lower = LowerCase(name);
    if (lower == "ldblquote") return AddChar(kLeftDoubleQuote);
    if (lower == "rdblquote") return AddChar(kRightDoubleQuote);
    if (name == "bullet") return AddChar(kBullet);
    if (name == "endash") return AddChar(kEnDash);
    if (name == "emdash") return AddChar(kEmDash);
    if (name == "{" || name == "}" || name == "\\") return AddChar(name[0]);

    FlushText();
    if (std::find(SkipDestinations.begin(), SkipDestinations.end(), lower) != SkipDestinations.end()) {
        Skipping = true;
        return;
    }
    if (!Skipping && OnControlWord) OnControlWord(*this, lower, value, hasParameter);
}

void TRTFParser::PushGroup() {
    FlushText();
    const TGroupEntry entry{HexState, Skipping};
    if (!stack_.empty() && stack_.back().Entry == entry)
        ++stack_.back().Count;
    else
        stack_.push_back({entry, 1});
    HexState = 0;
    ++Depth;
    if (OnGroup) OnGroup(*this);
}

void TRTFParser::PopGroup() {
    FlushText();
    if (stack_.empty()) throw RTFParseException("StackUnderflow");
    TGroupRun& top = stack_.back();
    Skipping = top.Entry.Skipping;
    HexState = top.Entry.HexState;
    if (--top.Count == 0) stack_.pop_back();
    --Depth;
    if (OnGroup) OnGroup(*this);
}
