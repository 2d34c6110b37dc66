#include "richtext/formats/RtRtfReader.h"

#include "foundation/CharsetText.h"
#include "foundation/Stream.h"
#include "richtext/formats/RtRtfKeywords.h"
#include "richtext/model/EngineMessages.h"
#include "richtext/model/RtEngineErrors.h"
#include "richtext/model/RtRTFText.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace {

// RTF alignment values (ql, qr, qc, qj) as paragraph alignments.
constexpr uint8_t kRtfAlignments[] = {paralLeft, paralRight, paralCenter, paralBlock};

// A right tab stop this close to the text width is moved just inside it.
constexpr int32_t kRightTabSnap = 57;
constexpr int32_t kRightTabInset = 24;

// Page sizes and margins are taken up to 100 inches.
constexpr int32_t kMaxPageTwips = 144000;

int16_t ClampToInt16(int32_t value) {
    return int16_t(std::clamp<int32_t>(value, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

int RtfHexDigit(uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsRtfLetter(uint8_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

void SetStyleBit(TAttr& attr, uint32_t bit, bool on) {
    if (on) {
        attr.style |= bit;
    } else {
        attr.style &= ~bit;
    }
}

}  // namespace

TRtRtfReader::TRtRtfReader() {
    LineCapacity = 400;
    FollowLineCapacity = 400;
}

void TRtRtfReader::ResetRead() {
    Groups.clear();
    State = TGroupState{};
    State.attr = CurrentAttr;
    State.props = TemplatePar;
    GroupSeen = false;
    lastParagraphEnded_ = false;
    IgnorableNext = false;
    FallbackToSkip = 0;
    fontMap_.fill(0);
    fontAddedUnused_.fill(false);
    colorMap_.fill(-1);
    colorCount_ = 0;
    red_ = green_ = blue_ = 0;
    tabKind_ = 0;
    tabSeenInPar_ = false;
    const TTextHeader& h = *Header;
    // Width and height of the upright page; a "\landscape" word turns it.
    Page = {h.PageWidth(), h.PageHeight(), h.LeftMargin(), h.RightMargin(), h.TopMargin(), h.BottomMargin(),
            h.DefaultTabstop(), h.MarginHeader(), h.MarginFooter(), false, false, false, h.MarginMirror()};
}

// ---- the byte loop

void TRtRtfReader::ProcessChar(char ch) {
    switch (ch) {
    case '\\':
        ReadControlWord();
        return;
    case '{':
        PushGroup();
        return;
    case '}':
        PopGroup();
        return;
    case 9:
    case 10:
    case 13:
        return;
    default:
        // Nothing before the document's first brace is text.
        if (GroupSeen) OutputSymbol(ch);
    }
}

void TRtRtfReader::PushGroup() {
    if (int32_t(Groups.size()) >= kMaxGroupDepth) {
        Result = 5;
        StopReading = true;
        return;
    }
    Groups.push_back(State);
    GroupSeen = true;
}

void TRtRtfReader::PopGroup() {
    FallbackToSkip = 0;
    if (Groups.empty()) {
        StopReading = true;
        return;
    }
    if (State.destination == TDestination::FontTable && !fontName_.empty()) EndFontEntry();
    if (Groups.size() == 1) {
        // The document ends: its last paragraph takes what is in force.
        EndLastParagraph();
        StopReading = true;
    }
    State = Groups.back();
    Groups.pop_back();
}

void TRtRtfReader::ReadControlWord() {
    uint8_t c = 0;
    if (!NextByte(c)) {
        Result = 5;
        StopReading = true;
        return;
    }
    if (!IsRtfLetter(c)) {
        DispatchControlWord(std::string(1, char(c)), 0, false);
        return;
    }
    std::string word;
    while (IsRtfLetter(c)) {
        if (word.size() < kMaxWordLength) word += char(c);
        if (!NextByte(c)) {
            DispatchControlWord(word, 0, false);
            return;
        }
    }
    bool negative = false;
    if (c == '-') {
        negative = true;
        if (!NextByte(c)) {
            Result = 5;
            StopReading = true;
            return;
        }
    }
    int64_t value = 0;
    bool hasValue = false;
    bool more = true;
    while (more && c >= '0' && c <= '9') {
        hasValue = true;
        value = std::min<int64_t>(value * 10 + (c - '0'), int64_t(std::numeric_limits<int32_t>::max()));
        more = NextByte(c);
    }
    if (more && c != ' ') UnreadByte();
    DispatchControlWord(word, int32_t(negative ? -value : value), hasValue);
}

void TRtRtfReader::DispatchControlWord(const std::string& word, int32_t value, bool hasValue) {
    const bool ignorable = IgnorableNext;
    IgnorableNext = false;
    if (word == "bin") {
        SkipBinary(hasValue ? value : 0);
        return;
    }
    if (State.destination == TDestination::Skip) return;
    if (word == "'") {
        ReadHexEscape();
        return;
    }
    if (word == "u") {
        ReadUnicode(value);
        return;
    }
    if (word == "uc") {
        State.unicodeSkip = std::clamp(value, 0, 16);
        return;
    }
    if (State.destination == TDestination::FontTable && ReadFontFamily(word)) return;
    const TRtfKeyword* keyword = FindRtfKeyword(word);
    if (!keyword) {
        if (ignorable) State.destination = TDestination::Skip;
        return;
    }
    const int32_t v = RtfKeywordValue(*keyword, value, hasValue);
    switch (keyword->kind) {
    case TRtfWordKind::Character:
        if (keyword->action == 1010) {
            PutTextChar(kLineBreakChar);
        } else if (keyword->action != 10) {
            OutputSymbol(char(keyword->action));
        }
        break;
    case TRtfWordKind::Destination:
        BeginDestination(keyword->action, v);
        break;
    case TRtfWordKind::Property:
        DoAction(keyword->action, v);
        break;
    case TRtfWordKind::Special:
        if (keyword->action == 3) IgnorableNext = true;
        break;
    }
}

void TRtRtfReader::ReadHexEscape() {
    uint8_t high = 0;
    uint8_t low = 0;
    if (!NextByte(high)) return;
    if (RtfHexDigit(high) < 0) {
        // A bad escape is dropped; the byte is read as it stands.
        UnreadByte();
        return;
    }
    if (!NextByte(low)) return;
    if (RtfHexDigit(low) < 0) {
        UnreadByte();
        return;
    }
    const char ch = char(RtfHexDigit(high) * 16 + RtfHexDigit(low));
    // In the font table an escaped character belongs to the name, ";" too.
    if (State.destination == TDestination::FontTable) {
        if (fontName_.size() < kMaxFontName) fontName_ += ch;
        return;
    }
    OutputSymbol(ch);
}

bool TRtRtfReader::ByteOfCharacter(char32_t code, uint8_t& byte) {
    if (code < 128) {
        byte = uint8_t(code);
        return true;
    }
    const int32_t charset = State.attr.font < kFontCount ? Header->Fonts[State.attr.font].charset : -1;
    const uint8_t set = uint8_t(charset < 0 ? 0 : charset);
    if (IsDoubleByteCharset(set)) return false;
    auto& bytes = charsetBytes_[set];
    if (bytes.empty()) {
        for (int b = 255; b >= 128; --b) bytes[CharsetByteToUnicode(uint8_t(b), set)] = uint8_t(b);
        bytes.erase(0xFFFD);
    }
    const auto found = bytes.find(code);
    if (found == bytes.end()) return false;
    byte = found->second;
    return true;
}

void TRtRtfReader::ReadUnicode(int32_t value) {
    const char32_t code = char32_t(value < 0 ? value + 65536 : value);
    uint8_t byte = 0;
    if (code == 0 || !ByteOfCharacter(code, byte)) return;  // the fallback text stands for it
    OutputSymbol(char(byte));
    FallbackToSkip = State.unicodeSkip;
}

void TRtRtfReader::SkipBinary(int32_t count) {
    if (count < 0 || count > BytesLeft()) {
        Result = 5;
        StopReading = true;
        return;
    }
    uint8_t ignored = 0;
    for (int32_t i = 0; i < count && NextByte(ignored); ++i) {
    }
}

// ---- characters by destination

void TRtRtfReader::OutputSymbol(char ch) {
    switch (State.destination) {
    case TDestination::Body:
    case TDestination::FieldResult:
        PutTextChar(ch);
        break;
    case TDestination::FontTable:
        if (ch == ';') {
            EndFontEntry();
        } else if (fontName_.size() < kMaxFontName) {
            fontName_ += ch;
        }
        break;
    case TDestination::ColorTable:
        if (ch == ';') EndColorEntry();
        break;
    case TDestination::Skip:
        break;
    }
}

void TRtRtfReader::PutTextChar(char ch) {
    if (FallbackToSkip > 0) {
        --FallbackToSkip;
        return;
    }
    // Bytes 1 to 3 mark objects and codes in the model; from the input they
    // would be marks without an object.
    if (ch == 13 || (ch != kLineBreakChar && uint8_t(ch) <= uint8_t(kCodeCloseChar))) return;
    StoreSymbol(ch);
}

void TRtRtfReader::StoreSymbol(char ch) {
    const TAttr saved = CurrentAttr;
    CurrentAttr = State.attr;
    if (Header->HasLoadOption(loIgnoreFonts)) CurrentAttr.font = uint8_t(CurrentFont);
    if (Header->HasLoadOption(loIgnoreFontSize)) CurrentAttr.size = uint8_t(CurrentSize);
    fontAddedUnused_[CurrentAttr.font] = false;
    AppendChar(ch);
    CurrentAttr = saved;
}

// ---- tables of the header

void TRtRtfReader::EndFontEntry() {
    std::string name = fontName_;
    fontName_.clear();
    while (!name.empty() && std::isspace(uint8_t(name.back()))) name.pop_back();
    while (!name.empty() && std::isspace(uint8_t(name.front()))) name.erase(0, 1);
    if (name.empty() || fontNumber_ < 0 || fontNumber_ > 255 || Header->HasLoadOption(loIgnoreFonts)) return;
    const auto namedFonts = [&] {
        return std::count_if(Header->Fonts.begin(), Header->Fonts.end(),
                             [](const TRtFontEntry& f) { return !f.name.empty(); });
    };
    const auto before = namedFonts();
    const int32_t index = Header->FindOrAddFont(name, fontCharset_);
    const bool existed = namedFonts() == before;
    TRtFontEntry& entry = Header->Fonts[size_t(index)];
    if (entry.charset < 0 && fontCharset_ >= 0) entry.charset = fontCharset_;
    if (!existed) entry.familyPitch = fontFamily_;
    fontMap_[size_t(fontNumber_)] = int16_t(index);
    if (!existed) fontAddedUnused_[size_t(index)] = true;
    fontNumber_ = -1;
}

bool TRtRtfReader::ReadFontFamily(const std::string& word) {
    static constexpr std::pair<std::string_view, int32_t> kFamilies[] = {
        {"fnil", 0x00}, {"froman", 0x10}, {"fswiss", 0x20}, {"fmodern", 0x30}, {"fscript", 0x40}, {"fdecor", 0x50},
    };
    for (const auto& [name, family] : kFamilies) {
        if (word != name) continue;
        fontFamily_ = family;
        return true;
    }
    return false;
}

void TRtRtfReader::EndColorEntry() {
    if (colorCount_ < int32_t(colorMap_.size())) {
        int32_t index = 0;
        const uint32_t rgb = red_ | uint32_t(green_) << 8 | uint32_t(blue_) << 16;
        if (!Header->HasLoadOption(loIgnoreColorTable) && Header->FindOrAddColor(rgb, true, index) && index >= 0) {
            colorMap_[size_t(colorCount_)] = int16_t(index);
        }
        ++colorCount_;
    }
    red_ = green_ = blue_ = 0;
}

int32_t TRtRtfReader::MapColor(int32_t value) const {
    if (value < 0 || value >= int32_t(colorMap_.size())) return -1;
    return colorMap_[size_t(value)];
}

// ---- destinations and actions

void TRtRtfReader::BeginDestination(int32_t action, int32_t) {
    switch (action) {
    case 1:  // fldedit
        State.destination = TDestination::Body;
        break;
    case 4:  // fonttbl
        State.destination = TDestination::FontTable;
        fontNumber_ = -1;
        fontName_.clear();
        break;
    case 5:  // colortbl
        State.destination = TDestination::ColorTable;
        colorCount_ = 0;
        break;
    case 10:  // field: its result is read as text
        State.destination = TDestination::FieldResult;
        break;
    case 43:  // shprslt: read as text
    case 44:  // do
        break;
    case 160:  // pntext, listtext
        if (!Header->HasLoadOption(loOnlyListText)) State.destination = TDestination::Skip;
        break;
    default:
        State.destination = TDestination::Skip;
    }
}

void TRtRtfReader::CharacterAction(int32_t action, int32_t value) {
    TAttr& a = State.attr;
    const bool on = value != 0;
    switch (action) {
    case 1: SetStyleBit(a, afsBold, on); break;
    case 2: SetStyleBit(a, afsItalic, on); break;
    case 3: SetStyleBit(a, afsUnderline, on); break;
    case 30: SetStyleBit(a, afsHyperLink, on); break;
    case 31: SetStyleBit(a, afsProtected, on); break;
    case 44: SetStyleBit(a, afsStrikeOut, on); break;
    case 52: SetStyleBit(a, afsHidden, on); break;
    case 53: a.style &= ~(afsSuper | afsSub); break;
    case 54: case 159: SetStyleBit(a, afsSuper, on); break;
    case 55: case 160: SetStyleBit(a, afsSub, on); break;
    case 23: {  // plain
        const uint32_t keep = a.style & afsBookmark;
        const int32_t reference = keep ? a.reference : 0;
        a = TAttr{};
        a.style = keep;
        a.reference = reference;
        a.font = uint8_t(fontMap_[0]);
        break;
    }
    case 26:  // f
        if (State.destination == TDestination::FontTable) {
            if (!fontName_.empty()) EndFontEntry();
            fontNumber_ = value;
            fontCharset_ = -1;
            fontFamily_ = 0;
            fontName_.clear();
        } else if (value >= 0 && value < 255) {
            a.font = uint8_t(fontMap_[size_t(value)]);
        }
        break;
    case 27:  // fs, in half points; beyond the byte clamped
        if (!Header->HasLoadOption(loIgnoreFontSize)) a.size = uint8_t(std::clamp(value / 2, 0, 255));
        break;
    case 28:
    case 29: {  // cf, cb, highlight: unmapped numbers and 255 are ignored
        const int32_t index = MapColor(value);
        if (index < 0) break;
        (action == 28 ? a.textColor : a.backColor) = uint8_t(index);
        break;
    }
    case 101:  // fcharset
        if (State.destination == TDestination::FontTable) fontCharset_ = std::clamp(value, 0, 255);
        break;
    case 161:  // "-"
        SoftHyphenMark = true;
        break;
    case 82: {  // typographic characters
        static constexpr char kTypographic[] = {0, '"', '"', '\'', '\'', char(150), char(160)};
        if (value >= 1 && value <= 6) OutputSymbol(kTypographic[value]);
        break;
    }
    case 38: red_ = uint8_t(std::clamp(value, 0, 255)); break;
    case 39: green_ = uint8_t(std::clamp(value, 0, 255)); break;
    case 40: blue_ = uint8_t(std::clamp(value, 0, 255)); break;
    default: break;
    }
}

void TRtRtfReader::AddTabStop(int32_t position) {
    if (!tabSeenInPar_) State.props.tabs = 0;
    tabSeenInPar_ = true;
    uint8_t kind = tabKind_;
    tabKind_ = 0;
    const int64_t textWidth = int64_t(Page.landscape ? Page.height : Page.width) - Page.left - Page.right;
    if (kind == 1 && textWidth > 0 && std::abs(int64_t(position) - textWidth) <= kRightTabSnap) {
        position = int32_t(textWidth - kRightTabInset);
    }
    const int32_t slot = Header->AddTab(position, kind);
    if (slot >= 0) State.props.tabs |= uint64_t(1) << slot;
}

bool TRtRtfReader::ParagraphAction(int32_t action, int32_t value) {
    TParagraph& p = State.props;
    switch (action) {
    case 22:  // pard
        p = TParagraph{};
        tabSeenInPar_ = false;
        break;
    case 4: p.leftIndent = ClampToInt16(std::max(0, value)); break;
    case 5: p.rightIndent = ClampToInt16(value); break;
    case 6: p.firstIndent = ClampToInt16(value); break;
    case 41: p.spaceBefore = ClampToInt16(value); break;
    case 43: p.spaceAfter = ClampToInt16(value); break;
    case 42:
        p.lineSpacing = value == 1000 ? 0 : ClampToInt16(value);
        p.flags &= ~pfMultSpacing;
        break;
    case 92:
        if (value != 0) {
            p.flags |= pfMultSpacing;
        } else {
            p.flags &= ~pfMultSpacing;
        }
        break;
    case 21: p.align = kRtfAlignments[std::clamp(value, 0, 3)]; break;
    case 77: p.flags |= pfKeepTogether; break;
    case 71: tabKind_ = uint8_t(std::clamp(value, 0, 3)); break;
    case 32: AddTabStop(value); break;
    case 125: p.flags |= pfContentsEntry; break;
    case 114: p.flags |= pfHidden; break;
    case 124: p.flags |= pfNoWrap; break;
    case 113: p.parId = value; break;
    case 143: p.outlineLevel = value; break;
    case 106: {
        static constexpr uint32_t kFlags[] = {0, pfNoParLines, pfProtected, pfHeaderBand, pfFooterBand};
        if (value >= 1 && value <= 4) p.flags |= kFlags[value];
        break;
    }
    case 25: EndRtfParagraph(false); break;
    case 33: EndRtfParagraph(true); break;
    default: return false;
    }
    return true;
}

void TRtRtfReader::PageAction(int32_t action, int32_t value) {
    value = std::clamp(value, 0, kMaxPageTwips);
    switch (action) {
    case 10: Page.width = value; break;
    case 11: Page.height = value; break;
    case 12: Page.left = value; break;
    case 13: Page.right = value; break;
    case 14: Page.top = value; break;
    case 15: Page.bottom = value; break;
    case 127: Page.header = value; break;
    case 128: Page.footer = value; break;
    case 20: Page.landscape = value != 0; break;
    case 19: Page.facingPages = value != 0; break;
    case 144: Page.titlePage = value != 0; break;
    case 145: Page.mirrorMargins = value != 0; break;
    case 105:
        if (!Header->HasLoadOption(loIgnoreDefaultTabstop)) Page.defaultTab = value;
        break;
    default: break;
    }
}

void TRtRtfReader::DoAction(int32_t action, int32_t value) {
    if (State.destination == TDestination::Skip) return;
    if (ParagraphAction(action, value)) return;
    CharacterAction(action, value);
    PageAction(action, value);
}

// ---- paragraphs

void TRtRtfReader::ApplyProps(TParagraph& par) const {
    const TParagraph& p = State.props;
    par.firstIndent = p.firstIndent;
    par.leftIndent = p.leftIndent;
    par.rightIndent = p.rightIndent;
    par.spaceBefore = p.spaceBefore;
    par.spaceAfter = p.spaceAfter;
    par.lineSpacing = p.lineSpacing;
    par.align = p.align;
    par.tabs = p.tabs;
    par.parId = p.parId;
    par.outlineLevel = p.outlineLevel;
    par.shadingColor = p.shadingColor;
    par.shadingPercent = p.shadingPercent;
    par.border = p.border;
    constexpr uint32_t kOwnFlags = pfPageBreak | pfChanged;
    par.flags = (par.flags & kOwnFlags) | (p.flags & ~kOwnFlags);
}

void TRtRtfReader::EndRtfParagraph(bool pageBreak) {
    if (pageBreak && Line == Par->firstLine && LineChars == 0) {
        Par->flags |= pfPageBreak;
        return;
    }
    ApplyProps(*Par);
    TakeMarkAttr();
    NewParagraph();
    ApplyProps(*Par);
    tabSeenInPar_ = false;
    if (pageBreak) Par->flags |= pfPageBreak;
}

// ---- the whole read

void TRtRtfReader::DropUnusedFonts() {
    for (size_t i = 0; i < kFontCount; ++i) {
        if (fontAddedUnused_[i]) Header->Fonts[i] = TRtFontEntry{};
    }
}

void TRtRtfReader::CopyPageBlock() {
    if (!IntoEmptyText || Header->HasLoadOption(loIgnorePageSize)) return;
    TTextHeader& h = *Header;
    h.BeginUpdate();
    // The paper words give the size as the page is turned.
    h.SetLandscape(false);
    if (Page.width > 0) h.SetPageWidth(Page.landscape ? Page.height : Page.width);
    if (Page.height > 0) h.SetPageHeight(Page.landscape ? Page.width : Page.height);
    if (!h.HasLoadOption(loIgnorePageMargins)) {
        h.SetLeftMargin(std::max(0, Page.left));
        h.SetRightMargin(std::max(0, Page.right));
        h.SetTopMargin(std::max(0, Page.top));
        h.SetBottomMargin(std::max(0, Page.bottom));
    }
    h.SetMarginHeader(std::max(0, Page.header));
    h.SetMarginFooter(std::max(0, Page.footer));
    if (Page.defaultTab > 0) h.SetDefaultTabstop(Page.defaultTab);
    h.SetLandscape(Page.landscape);
    h.SetMarginMirror(Page.mirrorMargins);
    h.EndUpdate();
}

void TRtRtfReader::EndLastParagraph() {
    if (lastParagraphEnded_) return;
    lastParagraphEnded_ = true;
    ApplyProps(*Par);
    TakeMarkAttr();
}

void TRtRtfReader::TakeMarkAttr() {
    Par->markAttr = State.attr;
    // An empty paragraph keeps its font through its own attribute.
    if (ParChars == 0) fontAddedUnused_[State.attr.font] = false;
}

void TRtRtfReader::FinishRead() {
    EndLastParagraph();
    DropUnusedFonts();
    CopyPageBlock();
}

void TRtRtfReader::Read(TStream& stream, TParagraph*& first) {
    if (!Text || !Header) throw ERtEngineModeError(GetEngineMessage(meWrongArgumentError));
    IntoEmptyText = first != nullptr;
    ResetRead();
    try {
        TRtTextReader::Read(stream, first);
        FinishRead();
    } catch (...) {
        if (Result == 0 || Result == 3) Result = 5;
        for (TParagraph* p = first; p; p = p->next) p->MarkChanged();
        AfterRead(first);
        throw;
    }
    AfterRead(first);
}
