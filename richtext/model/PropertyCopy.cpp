#include "richtext/model/PropertyCopy.h"

#include "richtext/model/ParExtra.h"
#include "richtext/model/ParObject.h"

namespace {

constexpr std::array<std::string_view, 28> kPropertyNames = {
    "IndentLeft", "IndentRight", "IndentFirst", "SpaceBefore", "MultSpaceBetween", "SpaceBetween",
    "SpaceAfter", "BrdLines", "BrdWidth", "BrdColor", "Align", "Color", "Shading", "Tabs", "Number",
    "NumLevel", "IsOutline", "BrdSpace", "KeepTogther", "KeepWithNext", "", "Bold", "Italic", "Underline",
    "Font", "Size", "FontColor", "FontBGColor",
};

// The paragraph flag that each flag-only property copies.
uint32_t FlagOfProperty(int bit) {
    switch (bit) {
    case 4: return pfMultSpacing;
    case 16: return pfContentsEntry;  // the outline (contents) flag
    case 18: return pfKeepTogether;
    case 19: return pfKeepWithNext;
    default: return 0;
    }
}

void CopyFlag(TParagraph& target, const TParagraph& source, uint32_t flag) {
    target.flags = (target.flags & ~flag) | (source.flags & flag);
}

void CopyParProperty(TParagraph& t, const TParagraph& s, int bit) {
    switch (bit) {
    case 0: t.leftIndent = s.leftIndent; break;
    case 1: t.rightIndent = s.rightIndent; break;
    case 2: t.firstIndent = s.firstIndent; break;
    case 3: t.spaceBefore = s.spaceBefore; break;
    case 5: t.lineSpacing = s.lineSpacing; break;
    case 6: t.spaceAfter = s.spaceAfter; break;
    case 7: t.border.flags = s.border.flags; break;
    case 8: t.border.width = s.border.width; break;
    case 9: std::copy(std::begin(s.border.colors), std::end(s.border.colors), t.border.colors); break;
    case 10: t.align = s.align; break;
    case 11:
        t.shadingColor = s.shadingColor;
        t.shadingPercent = s.shadingPercent == 0 ? 100 : s.shadingPercent;
        break;
    case 12: t.shadingPercent = s.shadingPercent; break;
    case 13: t.tabs = s.tabs; break;
    case 14:
        t.numberStyle = s.numberStyle;
        t.numberLevel = s.numberLevel;
        break;
    case 15:
        t.numberLevel = s.numberLevel;
        t.numberStyle = s.numberStyle;
        if (t.numberLevel == 0 && t.numberStyle != 0) t.numberStyle = 0;
        break;
    case 17: t.border.spacing = s.border.spacing; break;
    default: CopyFlag(t, s, FlagOfProperty(bit)); break;
    }
}

void ClearParProperty(TParagraph& t, int bit, uint32_t copyMask) {
    const auto inMask = [copyMask](int b) { return (copyMask & (1u << b)) != 0; };
    switch (bit) {
    case 0: t.leftIndent = 0; break;
    case 1: t.rightIndent = 0; break;
    case 2: t.firstIndent = 0; break;
    case 3: t.spaceBefore = 0; break;
    case 4: t.flags &= ~pfMultSpacing; break;
    case 5: t.lineSpacing = 0; break;
    case 6: t.spaceAfter = 0; break;
    case 8:
        if (!t.IsCell()) t.border.width = 0;
        break;
    case 9:
        if (!t.IsCell()) std::fill(std::begin(t.border.colors), std::end(t.border.colors), uint8_t(0));
        break;
    case 10: t.align = 0; break;
    case 11: t.shadingColor = 0; break;
    case 12:
        if (!inMask(11)) t.shadingPercent = 0;
        break;
    case 13: t.tabs = 0; break;
    case 14:
        if (!inMask(15)) t.numberStyle = 0;
        break;
    case 15:
        if (!inMask(14)) {
            t.numberStyle = 0;
            t.numberLevel = 0;
        }
        break;
    case 16: t.flags &= ~pfContentsEntry; break;
    default: break;  // 7 and 17 to 19 are never cleared
    }
}

}  // namespace

const std::array<std::string_view, 10> kDocInfoKeys = {
    "Title", "Subject", "Author", "Keywords", "Operator", "DocComm", "Manager", "Company", "Category", "HLinkBase",
};

std::string_view PropertyName(int bit) {
    return bit >= 0 && bit < static_cast<int>(kPropertyNames.size()) ? kPropertyNames[bit] : std::string_view();
}

void CopyParProperties(TParagraph& target, uint32_t lockSet, const TParagraph& source, uint32_t copyMask,
                       bool clear) {
    for (int bit = 0; bit < kParPropertyCount; ++bit) {
        const uint32_t mask = 1u << bit;
        if (lockSet & mask) continue;
        if (copyMask & mask) {
            CopyParProperty(target, source, bit);
        } else if (clear) {
            ClearParProperty(target, bit, copyMask);
        }
    }
}

void CopyCharAttrProperties(TAttr& target, uint32_t lockSet, const TAttr& source, uint32_t copyMask, bool clear) {
    static constexpr uint32_t kStyleBits[3] = {afsBold, afsItalic, afsUnderline};
    for (int j = 0; j < kCharPropertyCount; ++j) {
        if (lockSet & (1u << (kCharPropertyFirst + j))) continue;
        const bool copy = copyMask & (1u << j);
        if (!copy && !clear) continue;
        switch (j) {
        case 0:
        case 1:
        case 2: {
            const uint32_t bit = kStyleBits[j];
            target.style = (target.style & ~bit) | (copy ? source.style & bit : 0);
            break;
        }
        case 3:
            if (copy) target.font = source.font;
            break;
        case 4:
            if (copy) target.size = source.size;
            break;
        case 5: target.textColor = copy ? source.textColor : 0; break;
        case 6: target.backColor = copy ? source.backColor : 0; break;
        }
    }
}

void CopyParExtraRecord(const TParExtra& source, TParExtra& target) { target = source; }

bool IsHiddenParagraph(const TParagraph& par) { return par.Has(pfHidden) || par.Has(pfCollapsedHidden); }

bool SkipHiddenParagraphs(PTParagraph& par, bool forward) {
    while (par && IsHiddenParagraph(*par)) par = forward ? par->next : par->prev;
    return par != nullptr;
}

void FreeParObjectChain(TParObject*& first) noexcept {
    while (first) {
        TParObject* next = first->next;
        delete first;
        first = next;
    }
}
