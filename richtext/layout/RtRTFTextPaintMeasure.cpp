// TRtRTFTextPaint: measuring. Every character gets its width, ascent and
// height from the measuring table of its font; tables are kept in the text's
// block and reused least recently filled first. Embedded objects, anchors
// and codes are measured by their kind; hidden characters take no room.
#include "richtext/layout/RtRTFTextPaint.h"

#include "foundation/CharsetText.h"
#include "foundation/Rounding.h"
#include "platform/gdi/Canvas.h"
#include "richtext/layout/RtCharMeasurer.h"
#include "richtext/model/CharacterAttr.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtObjectField.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>

namespace {

// Entries of a measuring table beside widths, line height (257) and ascent (260).
constexpr int kCharsetEntry = 258;
constexpr int kResolutionEntry = 259;
constexpr int kFontSizeEntry = 261;
constexpr int kStyleEntry = 262;
constexpr int kStampEntry = 263;
constexpr int kInvalidEntry = 264;

// The style bits that do not change a font's measures.
constexpr uint32_t kMeasuredStyleMask = 0xCFF081FFu;


bool IsObjectCode(char ch) { return ch >= kObjectChar && ch <= kCodeCloseChar; }

}  // namespace

// ---- tables

fonts::FontRequest TRtRTFTextPaint::FontRequestOf(const TAttr& attr) const {
    const TRtFontEntry& font = Header().Fonts[attr.font];
    fonts::FontRequest request;
    request.face = font.name.empty() ? std::string("Arial") : font.name;
    request.charSet = uint8_t(font.charset < 2 ? 1 : font.charset);
    request.bold = (attr.style & afsBold) != 0;
    request.italic = (attr.style & afsItalic) != 0;
    request.dpi = measurer_->ReferenceDpi();
    const int32_t size = attr.size == 0 ? RtEngine().DefaultFontSize : attr.size;
    int64_t pixels = int64_t(size) * request.dpi * FontSizePercent / (72 * 100);
    if (attr.style & (afsSuper | afsSub | afsIsFootnote)) pixels = pixels * 2 / 3;
    request.pixelHeight = int32_t(std::clamp<int64_t>(pixels, 1, 1 << 20));
    return request;
}

void TRtRTFTextPaint::FillMeasureTable(TRtMeasureTable& table, const TAttr& attr) {
    const fonts::FontRequest request = FontRequestOf(attr);
    const int32_t reference = request.dpi;
    const int32_t size = attr.size == 0 ? RtEngine().DefaultFontSize : attr.size;
    std::array<int32_t, 256> widths{};
    fonts::FontTableMetrics metrics;
    measurer_->Measure(request, widths, metrics);
    const int32_t layout = std::max(1, Header().LayoutResX);
    const auto scale = [&](int64_t v) { return int32_t(v * layout / reference); };
    for (size_t i = 0; i < 256; ++i) table[i] = scale(widths[i]);
    table[256] = table[' '];
    table[kMeasureLineHeight] = scale(int64_t(metrics.height) + metrics.externalLeading);
    table[kMeasureBaseLine] = scale(int64_t(metrics.ascent) + metrics.externalLeading);
    if (ViewOptions & rtUseAbsoluteFontHeight) table[kMeasureLineHeight] = MulDiv(size, Header().LayoutResY, 72);
    if (request.italic) table['\''] = table['\''] * 5 / 4;
    table[160] = table[' '];
    table[128] = table['C'];
    if (OnMeasureChar) {
        bool ignore = true;
        double widthFactor = 1;
        double heightFactor = 1;
        OnMeasureChar(ignore, widthFactor, heightFactor, attr);
        if (!ignore) {
            table[kMeasureLineHeight] = Round(table[kMeasureLineHeight] * heightFactor);
            table[kMeasureBaseLine] = Round(table[kMeasureBaseLine] * heightFactor);
            if (widthFactor != 1) {
                for (size_t i = 0; i < 257; ++i) table[i] = Round(table[i] * widthFactor);
            }
        }
    }
    table[kCharsetEntry] = request.charSet;
}

void TRtRTFTextPaint::SelectCharFont(const TAttr* attr) {
    if (!canvas_) return;
    const TAttr& a = attr ? *attr : CurrentAttr;
    ++stamp_;
    const int32_t size = a.size == 0 ? RtEngine().DefaultFontSize : a.size;
    const int32_t fontSize = a.font | size << 8;
    const int32_t style = int32_t(a.style & kMeasuredStyleMask);
    const int32_t resolution = Header().LayoutResX;
    const auto matches = [&](const TRtMeasureTable& t) {
        return t[kInvalidEntry] == 0 && t[kFontSizeEntry] == fontSize && t[kStyleEntry] == style &&
               t[kResolutionEntry] == resolution;
    };
    std::vector<TRtMeasureTable>& tables = MeasureTables();
    if (MeasureCounterA > 0 && matches(MeasureTable())) return;
    const size_t inUse = size_t(std::clamp<int32_t>(MeasureCounterA, 0, int32_t(tables.size())));
    for (size_t i = 0; i < inUse; ++i) {
        if (matches(tables[i])) {
            SelectMeasureTable(i);
            return;
        }
    }
    size_t slot = 0;
    if (inUse < tables.size()) {
        slot = inUse;
        MeasureCounterA = int32_t(inUse + 1);
    } else {
        for (size_t i = 1; i < tables.size(); ++i) {
            if (uint32_t(tables[i][kStampEntry]) < uint32_t(tables[slot][kStampEntry])) slot = i;
        }
    }
    TRtMeasureTable& table = tables[slot];
    table.fill(0);
    table[kFontSizeEntry] = fontSize;
    table[kStyleEntry] = style;
    table[kResolutionEntry] = resolution;
    table[kStampEntry] = int32_t(stamp_);
    TAttr measured = a;
    measured.size = uint8_t(size);
    FillMeasureTable(table, measured);
    SelectMeasureTable(slot);
}

int32_t TRtRTFTextPaint::TextWidthFromTable(const TAttr& attr, const std::string& text) {
    SelectCharFont(&attr);
    const TRtMeasureTable& table = MeasureTable();
    int32_t width = 0;
    for (char ch : text) width += table[uint8_t(ch)];
    return width;
}

// ---- hidden styles and display attributes

void TRtRTFTextPaint::UpdateHiddenMask() {
    uint32_t mask = afsDelete;
    if (!(ViewOptions & rtShowInvisibleText)) {
        if (InsertPointAttr.Hidden()) mask |= afsIsInsertpoint;
        if (AutomaticTextAttr.Hidden()) mask |= afsAutomatic;
        if (HyperlinkTextAttr.Hidden()) mask |= afsHyperLink;
        if (ProtectedTextAttr.Hidden()) mask |= afsProtected;
        if (BookmarkTextAttr.Hidden()) mask |= afsBookmark;
        if (HiddenTextAttr.Hidden() && !(PaintModes & pmShowHiddenText)) mask |= afsHidden;
    }
    HiddenStyleMask = mask;
    ShowHiddenText = (PaintModes & pmShowHiddenText) != 0;
}

TCharacterAttr* TRtRTFTextPaint::GetSpecialAttr(const TAttr& attr) {
    TCharacterAttr* special = nullptr;
    if (attr.style & afsHidden) {
        special = &HiddenTextAttr;
    } else if (attr.style & afsIsInsertpoint) {
        special = &InsertPointAttr;
    } else if (attr.style & afsHyperLink) {
        special = &HyperlinkTextAttr;
    } else if (attr.style & afsAutomatic) {
        special = &AutomaticTextAttr;
    } else if (attr.style & afsProtected) {
        special = &ProtectedTextAttr;
    } else if (attr.style & afsBookmark) {
        special = &BookmarkTextAttr;
    }
    return special;
}

void TRtRTFTextPaint::ApplyAttrToCanvas(const TAttr* attr) {
    if (!canvas_) return;
    const TAttr& a = attr ? *attr : CurrentAttr;
    TTextHeader& header = Header();
    const uint8_t colorIndex = ExtendedColors ? a.textColor : uint8_t(a.textColor & 0x0F);
    TRtColorEntry& color = header.Colors[colorIndex];
    color.inUse = 1;
    canvas_->SetTextColor(colorIndex == 0 && color.Rgb() == 0 ? RtEngine().DefaultTextColor : color.Rgb());
    const TRtFontEntry& font = header.Fonts[a.font];
    gdi::LogFont logFont = canvas_->font();
    logFont.faceName = font.name.empty() ? std::string("Arial") : font.name;
    logFont.charSet = uint8_t(font.charset < 2 ? 1 : font.charset);
    logFont.weight = (a.style & afsBold) ? 700 : 400;
    logFont.italic = (a.style & afsItalic) != 0;
    logFont.strikeOut = (a.style & afsStrikeOut) != 0;
    const int32_t size = a.size == 0 ? RtEngine().DefaultFontSize : a.size;
    int64_t pixels = int64_t(size) * header.LayoutResY * FontSizePercent / (72 * 100);
    if (a.style & (afsSuper | afsSub | afsIsFootnote)) pixels = pixels * 2 / 3;
    logFont.height = -int32_t(std::clamp<int64_t>(pixels, 1, 1 << 20));
    canvas_->SetFont(logFont);
}

// ---- measuring paragraphs

void TRtRTFTextPaint::MeasureObjectChar(TParagraph* par, TLine* line, uint32_t index, TAttr attr,
                                        int32_t& bookmarkDepth) {
    SelectCharFont(&attr);
    const TRtMeasureTable& table = MeasureTable();
    attr.height = ClampToUint16(table[kMeasureLineHeight]);
    attr.baseLine = ClampToUint16(table[kMeasureBaseLine]);
    attr.width = 0;
    const char code = line->CharAt(index);
    TTextObj* ref = ObjRefs().GetItem(attr.reference);
    if (!ref) {
        PutAttr(line, int32_t(index), attr);
        return;
    }
    const int32_t resX = Header().LayoutResX;
    const int32_t resY = Header().LayoutResY;
    if (ref->kind == tokParRelative || ref->kind == tokPageRelative) {
        attr.width = (ViewOptions & rtShowObjectAnchors) ? ClampToUint16(MulDiv(10, resX, 96)) : 1;
        par->flags |= pfHasObjects;
    } else if (ref->kind == tokTextCode) {
        if (ref->subKind == tosPageRef) {
            std::string text;
            GetReferenceText(ref, par, text, code, int32_t(index), line);
            attr.width = ClampToUint16(std::max<int32_t>(1, TextWidthFromTable(attr, text)));
            SelectCharFont(&attr);
        } else if (ref->subKind == tosBookmark) {
            if (code == kCodeOpenChar) ++bookmarkDepth;
            if (code == kCodeCloseChar) bookmarkDepth = std::max(0, bookmarkDepth - 1);
            if (code == kCodeOpenChar) par->flags |= pfBookmarkStart;
            if (ViewOptions & rtShowBookmarkCodes) {
                attr.width = ClampToUint16(TextWidthFromTable(attr, ref->name) + MulDiv(14, resX, 96));
            }
        } else if (ViewOptions & rtShowEmbeddedCodes) {
            attr.width = ClampToUint16(TextWidthFromTable(attr, ref->name) + MulDiv(14, resX, 96));
        }
    } else if (ref->object) {
        auto* object = ref->object;
        auto* field = dynamic_cast<TRtObjectField*>(object);
        auto* rtObject = dynamic_cast<TRtObject*>(object);
        if (rtObject && rtObject->UsePageWidth()) {
            attr.width = ClampToUint16(Header().TextAreaWidthPx);
        } else {
            attr.width = ClampToUint16(MulDiv(ref->width, resX, 1440));
        }
        attr.height = attr.baseLine = ClampToUint16(MulDiv(ref->height, resY, 1440));
        if (field) {
            std::string text;
            field->GetFieldText(true, text);
            const int32_t own = field->BoundsWidth;
            attr.width = ClampToUint16(own > 0 ? MulDiv(own, resX, 1440) : TextWidthFromTable(attr, text));
            if (field->BoundsHeight > 0) {
                attr.height = ClampToUint16(MulDiv(field->BoundsHeight, resY, 1440));
                const int32_t base = field->BoundsBaseLine > 0 ? field->BoundsBaseLine : field->BoundsHeight;
                attr.baseLine = ClampToUint16(MulDiv(base, resY, 1440));
            } else {
                SelectCharFont(&attr);
                attr.height = ClampToUint16(MeasureTable()[kMeasureLineHeight]);
                attr.baseLine = ClampToUint16(MeasureTable()[kMeasureBaseLine]);
            }
            par->flags |= pfHasFieldObjects;
        }
        ref->line = line;
        par->flags |= pfHasObjects;
    }
    PutAttr(line, int32_t(index), attr);
}

void TRtRTFTextPaint::MeasureRun(TLine* line, uint32_t from, uint32_t to, TAttr attr, int32_t& bookmarkDepth,
                                 TParagraph* par) {
    attr.style &= ~(afsDBCSOne | afsDBCSTwo);
    if (attr.size == 0) attr.size = uint8_t(RtEngine().DefaultFontSize);
    attr.style = bookmarkDepth > 0 ? (attr.style | afsBookmark) : (attr.style & ~afsBookmark);
    if (attr.style & HiddenStyleMask) {
        attr.width = attr.height = attr.baseLine = 0;
        const uint32_t format = Attrs().Intern(attr);
        for (uint32_t i = from; i < to; ++i) {
            line->SetFormatAt(i, format);
            line->SetWidthAt(i, 0);
        }
        return;
    }
    SelectCharFont(&attr);
    const TRtMeasureTable& table = MeasureTable();
    attr.height = ClampToUint16(table[kMeasureLineHeight]);
    attr.baseLine = ClampToUint16(table[kMeasureBaseLine]);
    const uint32_t format = Attrs().Intern(attr);
    if (from == 0 && to >= line->Length()) {
        if (line->IsUniform()) {
            line->FillFormat(format);
        } else {
            for (uint32_t i = from; i <= to && i < line->Capacity(); ++i) line->SetFormatAt(i, format);
        }
    } else {
        for (uint32_t i = from; i < to; ++i) line->SetFormatAt(i, format);
    }
    const char* text = line->Text();
    // In substitute display, letters of the first colour show as "*".
    const bool substitute = SubstituteDisplay && attr.textColor == 0;
    for (uint32_t i = from; i < to; ++i) {
        const uint8_t ch = uint8_t(text[i]);
        const int32_t w = table[substitute && ch > 64 ? uint8_t('*') : ch];
        line->SetWidthAt(i, w == 0 ? 1 : ClampToUint16(w));
    }
    if (DoubleByteOptions & rtdb_Enabled) MarkDoubleBytes(line, from, to, attr);
    line->height = std::max(line->height, attr.height);
    line->baseLine = std::max(line->baseLine, attr.baseLine);
    (void)par;
}

// The two bytes of a double-byte character differ only in their pair marks:
// they are measured in one run, so that the pair is found again.
bool TRtRTFTextPaint::SameRun(uint32_t format, uint32_t other) {
    if (format == other) return true;
    TAttr a = Attrs().Format(format);
    TAttr b = Attrs().Format(other);
    a.style &= ~(afsDBCSOne | afsDBCSTwo);
    b.style &= ~(afsDBCSOne | afsDBCSTwo);
    return a == b;
}

bool TRtRTFTextPaint::IsLeadByte(char ch, const TAttr& attr, char lookAhead) const {
    if ((DoubleByteOptions & rtdb_OnlyNotANSIChar) && lookAhead == 0) return false;
    return IsCharsetLeadByte(uint8_t(ch), Header().Fonts[attr.font].charset);
}

// Marks the pairs of a run that form one double-byte character: the lead
// byte and its trail byte. Measured as pairs, the lead byte takes the pair's
// width less 1 and the trail byte 1, so a pair broken apart is still drawn whole.
void TRtRTFTextPaint::MarkDoubleBytes(TLine* line, uint32_t from, uint32_t to, TAttr attr) {
    attr.style |= afsDBCSOne;
    const uint32_t lead = Attrs().Intern(attr);
    attr.style = (attr.style & ~afsDBCSOne) | afsDBCSTwo;
    const uint32_t trail = Attrs().Intern(attr);
    const bool measurePairs = (DoubleByteOptions & rtdb_CalcCharWidth) != 0;
    const fonts::FontRequest request = measurePairs ? FontRequestOf(attr) : fonts::FontRequest{};
    const int32_t layout = std::max(1, Header().LayoutResX);
    for (uint32_t i = from; i + 1 < to; ++i) {
        const char pair[2] = {line->CharAt(i), line->CharAt(i + 1)};
        if (!IsLeadByte(pair[0], attr, pair[1])) continue;
        line->SetFormatAt(i, lead);
        line->SetFormatAt(i + 1, trail);
        if (measurePairs) {
            const int64_t width = int64_t(measurer_->TextWidth(request, {pair, 2})) * layout / request.dpi;
            line->SetWidthAt(i, ClampToUint16(width - 1));
            line->SetWidthAt(i + 1, 1);
        }
        ++i;
    }
}

void TRtRTFTextPaint::MeasurePar(TParagraph* par) {
    if (!par) {
        SelectCharFont(&DefaultAttr);
        return;
    }
    if (measuring_ || loading_ || NoCanvas() || (par->flags & (pfHiddenAny | pfNoMeasure))) return;
    measuring_ = true;
    int32_t depth = par->prev && par->prev == lastMeasured_ ? lastBookmarkDepth_ : 0;
    par->flags &= ~(pfHasObjects | pfHasFieldObjects | pfBookmarkStart);
    const bool oneAttr = par->Has(pfOneAttr);
    uint32_t oneFormat = 0;
    if (oneAttr && par->firstLine && par->firstLine->HasAttrs() && par->firstLine->Length() > 0) {
        oneFormat = par->firstLine->FormatAt(0);
    }
    for (TLine* line = par->firstLine; line; line = line->next) {
        line->height = line->baseLine = 0;
        if (!line->HasAttrs()) {
            line->height = ClampToUint16(MeasureTable()[kMeasureLineHeight]);
            line->baseLine = ClampToUint16(MeasureTable()[kMeasureBaseLine]);
            continue;
        }
        if (oneAttr && par->firstLine->Length() > 0) line->FillFormat(oneFormat);
        const uint32_t length = line->Length();
        uint32_t i = 0;
        while (i < length) {
            const uint32_t format = line->FormatAt(i);
            const TAttr& attr = Attrs().Format(format);
            if ((attr.style & afsIsObject) && IsObjectCode(line->CharAt(i))) {
                MeasureObjectChar(par, line, i, Attrs().Get(format, 0), depth);
                const TAttr& measured = Attrs().Format(line->FormatAt(i));
                line->height = std::max(line->height, measured.height);
                line->baseLine = std::max(line->baseLine, measured.baseLine);
                ++i;
                continue;
            }
            uint32_t end = i + 1;
            if (line->IsUniform()) {
                end = length;
            } else {
                while (end < length && SameRun(format, line->FormatAt(end)) &&
                       !((attr.style & afsIsObject) && IsObjectCode(line->CharAt(end)))) {
                    ++end;
                }
            }
            MeasureRun(line, i, end, attr, depth, par);
            i = end;
        }
        const TRtMeasureTable& table = MeasureTable();
        if (length == 0 && par->prev && !line->prev && !line->next) {
            SelectCharFont(&par->markAttr);
            line->height = ClampToUint16(MeasureTable()[kMeasureLineHeight]);
            line->baseLine = ClampToUint16(MeasureTable()[kMeasureBaseLine]);
        } else {
            line->height = std::max(line->height, ClampToUint16(table[kMeasureLineHeight]));
            line->baseLine = std::max(line->baseLine, ClampToUint16(table[kMeasureBaseLine]));
        }
    }
    for (TLine* line = par->firstLine; line; line = line->next) MeasureLineHeight(par, line);
    par->MarkChanged();
    lastMeasured_ = par;
    lastBookmarkDepth_ = depth;
    measuring_ = false;
}

void TRtRTFTextPaint::MeasureFieldObjects(TParagraph* par, TLine* line) {
    if (!par || !par->Has(pfHasObjects)) return;
    int32_t depth = 0;
    for (TLine* l = line ? line : par->firstLine; l && l->HasAttrs(); l = line ? nullptr : l->next) {
        for (uint32_t i = 0; i < l->Length(); ++i) {
            const TAttr a = GetAttr(l, int32_t(i));
            if (!(a.style & afsIsObject) || !IsObjectCode(l->CharAt(i))) continue;
            const TTextObj* ref = ObjRefs().GetItem(a.reference);
            if (ref && dynamic_cast<TRtObjectField*>(ref->object)) MeasureObjectChar(par, l, i, a, depth);
        }
    }
    ComputeTabsAndJustify(par);
}

int32_t TRtRTFTextPaint::UpdateBookmarkMarks(TParagraph* first, int32_t depth) {
    for (TParagraph* p = first; p; p = p->next) {
        for (TLine* l = p->firstLine; l && l->HasAttrs(); l = l->next) {
            for (uint32_t i = 0; i < l->Length(); ++i) {
                TAttr a = GetAttr(l, int32_t(i));
                bool closing = false;
                if ((a.style & afsIsObject) && IsObjectCode(l->CharAt(i))) {
                    const TTextObj* ref = ObjRefs().GetItem(a.reference);
                    if (ref && ref->kind == tokTextCode && ref->subKind == tosBookmark) {
                        if (l->CharAt(i) == kCodeOpenChar) ++depth;
                        if (l->CharAt(i) == kCodeCloseChar) {
                            depth = std::max(0, depth - 1);
                            closing = true;
                        }
                    }
                }
                const bool marked = depth > 0 || closing;
                if (marked != ((a.style & afsBookmark) != 0)) {
                    a.style = marked ? (a.style | afsBookmark) : (a.style & ~afsBookmark);
                    PutAttr(l, int32_t(i), a);
                }
            }
        }
    }
    return depth;
}
