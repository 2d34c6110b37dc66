// TRtRTFText: the rules that close positions to editing (protected, hidden,
// insert-point, automatic, invisible and object characters, protected and
// hidden paragraphs) and the report of a closed run.
#include "richtext/model/RtRTFText.h"

#include <algorithm>

namespace {

constexpr uint32_t kRunIgnoredStyles =
    afsBold | afsItalic | afsHyperLink | afsSuper | afsSub | afsUnderline | afsStrikeOut;
constexpr int32_t kMaxReportedRun = 254;

}  // namespace

bool TRtRTFText::ValidatePosition(TParagraph* par, TLine* line, int32_t offset, TAttr* attr) {
    if (attr) *attr = TAttr{};
    if (PositionCheckHook) {
        TAttr looked;
        const bool closed = PositionCheckHook(par, line, offset, looked);
        if (attr) *attr = looked;
        return closed;
    }
    if (!par || !line) return false;
    const bool noEditAfter = ProtectedProp & ppNoEditAfterProtection;
    if (!par->next && !line->next && offset >= int32_t(line->Length()) &&
        !(noEditAfter && !(ProtectedProp & ppAllowEditAtTextEnd))) {
        return false;
    }
    if (InsertPointSwitch) return false;
    offset = std::clamp(offset, 0, int32_t(line->Length()));
    const bool atPieceEnd = offset >= int32_t(line->Length());
    if ((ProtectedProp & ppInsertBetweenProtectedPar) && atPieceEnd && !line->next) return false;
    const bool parProtected = par->Has(pfProtected) && (ProtectedProp & ppParProtected) && !ChecksSuspended;
    const bool parHidden = par->Has(pfHidden) && !EditHiddenParagraphs;
    if (parProtected || parHidden || par->Has(pfCollapsedHidden)) {
        if (!NoReporting) NotifyProtectedChange(par, line, true, offset);
        return true;
    }
    if (!IsAttrMode() || ChecksSuspended || !line->HasAttrs()) return false;
    const int32_t looked = (atPieceEnd && line->Length() > 0 && noEditAfter) ? offset - 1 : offset;
    const TAttr a = GetAttr(line, looked);
    if (attr) *attr = a;
    const uint16_t pp = ProtectedProp;
    const bool closes = ((pp & ppProtected) && a.Has(afsProtected)) ||
                        ((pp & ppIsInsertpoint) && a.Has(afsIsInsertpoint) && !(InsertMode && !SelectionScan)) ||
                        ((pp & ppAutomatic) && a.Has(afsAutomatic)) || ((pp & ppHidden) && a.Has(afsHidden)) ||
                        ((pp & ppIsInvisible) && a.width == 0) ||
                        (a.Has(afsIsObject) && !HasEditOption(rtObjectDeletion));
    if (!closes) return false;
    if (!NoReporting) NotifyProtectedChange(par, line, false, looked);
    if (!atPieceEnd || noEditAfter) return true;
    if (line->next) return ValidatePosition(par, line->next, 0, attr);
    if (par->next) return ValidatePosition(par->next, par->next->firstLine, 0, attr);
    return true;
}

void TRtRTFText::NotifyProtectedChange(TParagraph* par, TLine* line, bool wholeParagraph, int32_t index) {
    if (!OnProtectedChange || !par) return;
    if (wholeParagraph) {
        const TLine* first = par->firstLine;
        OnProtectedChange(Editor, first ? std::string(first->Text(), first->Length()) : std::string(), 0);
        return;
    }
    if (!IsAttrMode() || !line || !line->HasAttrs() || line->Length() == 0) return;
    index = std::clamp(index, 0, int32_t(line->Length()) - 1);
    const auto bits = [&](int32_t i) { return StyleAt(line, i) & ~kRunIgnoredStyles; };
    uint32_t key = bits(index);
    int32_t start = index;
    while (start > 0 && bits(start - 1) == key) --start;
    bool insertPoint = key & afsIsInsertpoint;
    if ((key & afsAutomatic) && start > 0 && (bits(start - 1) & afsIsInsertpoint)) {
        while (start > 0 && (bits(start - 1) & afsIsInsertpoint)) --start;
        insertPoint = true;
        key = bits(start);
    }
    const TAttr first = GetAttr(line, start);
    const int32_t tag = first.Has(afsIsInsertpoint) || first.Has(afsAutomatic) ? (first.reference & 0xFFFF) : 0;
    std::string text;
    bool automaticSeen = false;
    for (int32_t j = start; j < int32_t(line->Length()) && int32_t(text.size()) < kMaxReportedRun; ++j) {
        const uint32_t b = bits(j);
        if (!automaticSeen && b == key) {
            text += line->CharAt(uint32_t(j));
        } else if (insertPoint && (b & afsAutomatic)) {
            automaticSeen = true;
            text += line->CharAt(uint32_t(j));
        } else {
            break;
        }
    }
    OnProtectedChange(Editor, text, tag);
}
