#include "richtext/formats/RtRtfWriter.h"

#include "foundation/Stream.h"
#include "richtext/model/RtRTFText.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>

namespace {

// Style bits a run writes, with their words.
struct TRtfStyleWord {
    uint32_t bit;
    const char* word;
};
constexpr TRtfStyleWord kRtfStyleWords[] = {
    {afsBold, "\\b"},        {afsItalic, "\\i"},     {afsUnderline, "\\ul"}, {afsSuper, "\\super"},
    {afsSub, "\\sub"},       {afsStrikeOut, "\\strike"}, {afsHidden, "\\v"},  {afsHyperLink, "\\uldb"},
    {afsProtected, "\\shad"},
};

constexpr char kRtfHex[] = "0123456789abcdef";

void AppendHexEscape(std::string& out, uint8_t byte) {
    out += "\\'";
    out += kRtfHex[byte >> 4];
    out += kRtfHex[byte & 15];
}

const char* FamilyWord(int32_t familyPitch) {
    switch (familyPitch & 0xF0) {
    case 0x10: return "\\froman";
    case 0x20: return "\\fswiss";
    case 0x30: return "\\fmodern";
    case 0x40: return "\\fscript";
    case 0x50: return "\\fdecor";
    default: return "\\fnil";
    }
}

// Tab kinds of the header (left, right, centre, decimal) as words before "\tx".
constexpr const char* kRtfTabKinds[] = {"", "\\tqr", "\\tqc", "\\tqdec"};

// Paragraph alignments as words.
constexpr const char* kRtfAlignWords[] = {"\\ql", "\\qc", "\\qr", "\\qj"};

}  // namespace

void TRtRTFWriter::AppendWord(std::string& out, const char* word, int32_t value) {
    out += word;
    char digits[kDecimalRoom];
    out.append(digits, PutDecimal(value, digits));
}

void TRtRTFWriter::AppendEscapedName(std::string& out, const std::string& name) {
    for (const char c : name) {
        const auto byte = uint8_t(c);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += c;
        } else if (c == ';' || byte < 33 || byte > 126) {
            if (byte == ' ') {
                out += ' ';
            } else {
                AppendHexEscape(out, byte);
            }
        } else {
            out += c;
        }
    }
}

void TRtRTFWriter::ResetOutput() {
    TRtTextWriter::ResetOutput();
    fontNumbers_.fill(0);
    colorNumbers_.fill(-1);
    runWritten_ = false;
}

void TRtRTFWriter::AppendFontTable(std::string& out) {
    const TTextHeader& h = Text->Header();
    out += "{\\fonttbl";
    int16_t number = 0;
    for (int i = 0; i < kFontCount; ++i) {
        const TRtFontEntry& f = h.Fonts[size_t(i)];
        if (f.name.empty()) continue;
        fontNumbers_[size_t(i)] = number;
        AppendWord(out, "{\\f", number++);
        out += FamilyWord(f.familyPitch);
        AppendWord(out, "\\fcharset", std::max(0, f.charset));
        out += ' ';
        AppendEscapedName(out, f.name);
        out += ";}";
    }
    out += '}';
}

void TRtRTFWriter::AppendColorTable(std::string& out) {
    const TTextHeader& h = Text->Header();
    if (h.HasStoreOption(soNoColorTableInRTF)) {
        for (int i = 0; i < kColorCount; ++i) colorNumbers_[size_t(i)] = int16_t(i);
        return;
    }
    out += "{\\colortbl";
    int16_t number = 0;
    for (int i = 0; i < kColorCount - 1; ++i) {
        const TRtColorEntry& c = h.Colors[size_t(i)];
        if (i >= 16 && !c.inUse) continue;
        colorNumbers_[size_t(i)] = number++;
        AppendWord(out, "\\red", c.red);
        AppendWord(out, "\\green", c.green);
        AppendWord(out, "\\blue", c.blue);
        out += ';';
    }
    out += '}';
}

void TRtRTFWriter::AppendPageFormat(std::string& out) const {
    const TTextHeader& h = Text->Header();
    if (h.HasStoreOption(soNoPageFormatInRTF)) return;
    if (h.Landscape()) out += "\\landscape";
    AppendWord(out, "\\paperw", h.StoredPageWidth());
    AppendWord(out, "\\paperh", h.StoredPageHeight());
    AppendWord(out, "\\margl", h.LeftMargin());
    AppendWord(out, "\\margr", h.RightMargin());
    AppendWord(out, "\\margt", h.TopMargin());
    AppendWord(out, "\\margb", h.BottomMargin());
    AppendWord(out, "\\margh", h.MarginHeader());
    AppendWord(out, "\\margf", h.MarginFooter());
    if (h.MarginMirror()) out += "\\margmirror";
}

int32_t TRtRTFWriter::BeginWrite() {
    std::string out = "{\\rtf1\\ansi\\deff0";
    AppendWord(out, "\\deftab", Text->Header().DefaultTabstop());
    AppendFontTable(out);
    AppendColorTable(out);
    AppendPageFormat(out);
    out += "\r\n";
    return Put(out);
}

int32_t TRtRTFWriter::EndWrite() { return Put("\r\n}", 3); }

int32_t TRtRTFWriter::ColorNumber(uint8_t index) const { return std::max<int32_t>(0, colorNumbers_[index]); }

void TRtRTFWriter::AppendTabs(std::string& out) const {
    const TTextHeader& h = Text->Header();
    for (int32_t slot : h.TabOrder) {
        if (slot < 0 || slot >= kTabSlots || !(Par->tabs & (uint64_t(1) << slot))) continue;
        const TRtTabSlot& tab = h.Tabs[size_t(slot)];
        if (tab.position <= 0) continue;
        out += kRtfTabKinds[std::min<uint8_t>(tab.kind, 3)];
        AppendWord(out, "\\tx", tab.position);
    }
}

int32_t TRtRTFWriter::BeginParagraph() {
    PrevAttr = TAttr{};
    runWritten_ = false;
    std::string out = "\\pard";
    if (Par->Has(pfPageBreak)) out += "\\page";
    out += kRtfAlignWords[std::min<uint8_t>(Par->align, 3)];
    if (Par->leftIndent) AppendWord(out, "\\li", Par->leftIndent);
    if (Par->firstIndent) AppendWord(out, "\\fi", Par->firstIndent);
    if (Par->rightIndent) AppendWord(out, "\\ri", Par->rightIndent);
    if (Par->spaceBefore) AppendWord(out, "\\sb", Par->spaceBefore);
    if (Par->lineSpacing) {
        AppendWord(out, "\\sl", Par->lineSpacing);
        if (Par->Has(pfMultSpacing)) out += "\\slmult1";
    }
    if (Par->spaceAfter) AppendWord(out, "\\sa", Par->spaceAfter);
    if (Par->Has(pfKeepTogether)) out += "\\keep";
    AppendTabs(out);
    out += ' ';
    return Put(out);
}

int32_t TRtRTFWriter::WriteRunStart(const TAttr& attr) {
    std::string out = "\\plain";
    AppendWord(out, "\\f", fontNumbers_[attr.font]);
    AppendWord(out, "\\fs", attr.size ? attr.size * 2 : 20);
    AppendWord(out, "\\cf", ColorNumber(attr.textColor));
    if (attr.backColor) AppendWord(out, "\\cb", ColorNumber(attr.backColor));
    for (const TRtfStyleWord& w : kRtfStyleWords) {
        if (attr.Has(w.bit)) out += w.word;
    }
    // Attributes that differ only where RTF does not see it make no new run.
    if (runWritten_ && out == lastRun_) return 0;
    runWritten_ = true;
    lastRun_ = out;
    out += ' ';
    return Put(out);
}

int32_t TRtRTFWriter::WriteChars(int32_t count) {
    const int32_t available = std::max(0, std::min(count, int32_t(Line->Length()) - CharIndex));
    const bool cellBreaks = Par->IsCell() && Text->Header().HasStoreOption(soNewParInTableCell);
    const bool hardBreaks = Text->Header().HasStoreOption(soHardLineBreaks);
    std::string out;
    out.reserve(size_t(available) + 16);
    for (int32_t i = 0; i < available; ++i) {
        const char c = Line->CharAt(uint32_t(CharIndex + i));
        const auto byte = uint8_t(c);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += c;
        } else if (c == kTabChar) {
            out += "\\tab ";
        } else if (c == kLineBreakChar) {
            if (cellBreaks) {
                out += "\\par ";
            } else if (!hardBreaks) {
                out += "\\line ";
            }
        } else if (byte <= 3) {
        } else if (byte >= 32 && byte <= 126) {
            out += c;
        } else {
            AppendHexEscape(out, byte);
        }
    }
    CharIndex += available;
    return Put(out);
}

int32_t TRtRTFWriter::WriteLineEnd() {
    // With hard line breaks every paragraph, the first included, ends its lines.
    if (!Text->Header().HasStoreOption(soHardLineBreaks) || !Line->next) return 0;
    return Put("\\par ", 5);
}

int32_t TRtRTFWriter::EndParagraph() {
    if (!AnotherParFollows) return 0;
    return Put("\\par\r\n", 6);
}

int32_t TRtRTFWriter::WriteObject(char, int32_t, TTextObj*) { return 0; }
