// TRtRTFText: the consistency check of the model (tests and fuzzing run it
// after every step) and the heap its chain takes.
#include "richtext/model/RtRTFText.h"

#include "richtext/model/RtObjReferenceList.h"

#include <string>
#include <unordered_set>

namespace {

std::string At(const TParagraph* p) { return "paragraph " + std::to_string(p->index) + ": "; }

std::string CheckLine(const TLine* l, bool attrMode, uint32_t formats) {
    if (l->Capacity() <= l->Length()) return "capacity does not exceed the length";
    if (l->Text()[l->Length()] != 0) return "text not NUL-terminated";
    if (l->HasAttrs() != attrMode) return "attribute entries do not follow the text mode";
    if (!l->HasAttrs()) return {};
    for (uint32_t i = 0; i <= l->Length(); ++i) {
        if (l->FormatAt(i) >= formats) return "attribute index outside the table";
    }
    return {};
}

}  // namespace

std::string TRtRTFText::CheckInvariants() const {
    if (!first_) return "no paragraph";
    if (first_->prev) return "the first paragraph has a previous one";
    std::unordered_set<const TParagraph*> pars;
    std::unordered_set<const TLine*> lines;
    int32_t index = 0;
    for (const TParagraph* p = first_; p; p = p->next, ++index) {
        if (!pars.insert(p).second) return "the paragraph chain runs in a circle";
        if (p->index != index) return At(p) + "index is " + std::to_string(p->index) + ", expected " + std::to_string(index);
        if (p->next && p->next->prev != p) return At(p) + "next paragraph does not point back";
        if (!p->firstLine) return At(p) + "no line";
        if (p->firstLine->prev) return At(p) + "first line has a previous line";
        if (p->uniqueId > idCounter_) return At(p) + "id above the counter";
        for (const TLine* l = p->firstLine; l; l = l->next) {
            if (!lines.insert(l).second) return At(p) + "line chain runs in a circle";
            if (l->next && l->next->prev != l) return At(p) + "next line does not point back";
            const std::string bad = CheckLine(l, IsAttrMode(), attrs_.Count());
            if (!bad.empty()) return At(p) + bad;
            if (!l->HasAttrs()) continue;
            for (uint32_t i = 0; i < l->Length(); ++i) {
                const TAttr& f = attrs_.Format(l->FormatAt(i));
                if ((f.style & afsIsObject) && f.reference != 0 && !objRefs_->GetItem(f.reference)) {
                    return At(p) + "object character without its reference";
                }
            }
        }
        if (p->Has(pfNextCell) && !(p->next && p->next->IsCell() && p->next->Has(pfPrevCell))) {
            return At(p) + "row continues into a paragraph that is no following cell";
        }
        if (p->Has(pfPrevCell) && !(p->prev && p->prev->IsCell() && p->prev->Has(pfNextCell))) {
            return At(p) + "cell follows a paragraph that is no cell of its row";
        }
        if (p->IsCell() && p->extra && int32_t(p->extra->start) + p->extra->width > kRowWidth) {
            return At(p) + "cell ends past the row";
        }
    }
    for (const TRtPosition* pos : {&Cursor, &SelStart, &SelEnd}) {
        if (!pos->par) continue;
        if (!pars.count(pos->par)) return "a position lies outside the text";
        if (!pos->line || !IsLaterPiece(pos->par->firstLine, pos->line)) return "a position's line is not in its paragraph";
        if (pos->offset < 0 || pos->offset > int32_t(pos->line->Length())) return "a position lies past its line";
    }
    return {};
}

size_t TRtRTFText::ChainHeapBytes() const {
    size_t bytes = 0;
    for (const TParagraph* p = first_; p; p = p->next) {
        bytes += sizeof(TParagraph) + (p->extra ? sizeof(TParExtra) : 0);
        for (const TLine* l = p->firstLine; l; l = l->next) bytes += sizeof(TLine) + l->HeapBytes();
    }
    return bytes;
}
