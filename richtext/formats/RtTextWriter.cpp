#include "richtext/formats/RtTextWriter.h"

#include "foundation/Stream.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtObjectField.h"
#include "richtext/model/RtRTFText.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>

namespace {

// Style bits that do not split a run.
constexpr uint32_t kRunNeutralStyles = afsMisSpelled | afsWasChecked;

bool SameRun(const TAttr& a, const TAttr& b) {
    return a.font == b.font && a.size == b.size && a.textColor == b.textColor && a.backColor == b.backColor &&
           (a.style & ~kRunNeutralStyles) == (b.style & ~kRunNeutralStyles);
}

}  // namespace

int32_t TRtTextWriter::Put(const void* data, int64_t count) {
    if (count <= 0) return 0;
    return Output->Write(data, count) == count ? 0 : 5;
}

int32_t TRtTextWriter::EndWrite() {
    if (NoNulChar) return 0;
    static constexpr char kNul = 0;
    return Put(&kNul, 1);
}

int32_t TRtTextWriter::WriteRunStart(const TAttr&) { return 0; }
int32_t TRtTextWriter::BeginLinePiece() { return 0; }
int32_t TRtTextWriter::WriteBookmark(char, int32_t, TTextObj*) { return 0; }
int32_t TRtTextWriter::WriteFootnote(int32_t) { return 0; }

std::string TRtTextWriter::FieldTextOf(TTextObj* reference) const {
    auto* field = reference ? dynamic_cast<TRtObjectField*>(reference->object) : nullptr;
    if (!field) return {};
    field->SetOwningText(Text);
    field->ParNumber = Par ? Par->index : 0;
    std::string text;
    field->GetFieldText(false, text);
    return text;
}

int32_t TRtTextWriter::WriteObject(char, int32_t, TTextObj* reference) { return Put(FieldTextOf(reference)); }

int32_t TRtTextWriter::WriteChars(int32_t count) {
    const int32_t available = std::max(0, std::min(count, int32_t(Line->Length()) - CharIndex));
    const int32_t result = Put(Line->Text() + CharIndex, available);
    CharIndex += available;
    return result;
}

int32_t TRtTextWriter::WriteLineEnd() {
    if (!Text->Header().HasStoreOption(soHardLineBreaks)) return 0;
    return Put("\r\n", 2);
}

int32_t TRtTextWriter::EndParagraph() {
    if (Text->Header().HasStoreOption(soHardLineBreaks) || !AnotherParFollows) return 0;
    if (Par->IsCell() && Par->Has(pfNextCell)) return Put("\t", 1);
    return Put("\r\n", 2);
}

int32_t TRtTextWriter::BeginParagraph() {
    PrevAttr = TAttr{};
    if (Par->Has(pfPageBreak) && Text->Header().HasStoreOption(soANSIFormfeedCode)) return Put("\f", 1);
    return 0;
}

void TRtTextWriter::ClearEndEntryObjectBits() {
    if (!Line->HasAttrs()) return;
    const auto end = int32_t(Line->Length());
    TAttr tail = Text->GetAttr(Line, end);
    if (!tail.Has(afsIsInsertpoint | afsIsObject)) return;
    tail.style &= ~(afsIsInsertpoint | afsIsObject);
    Text->PutAttr(Line, end, tail);
}

int32_t TRtTextWriter::RunLength(int32_t at, int32_t end, const TAttr& attr) const {
    if (attr.Has(afsIsObject | afsIsInsertpoint)) return 1;
    int32_t count = 1;
    while (at + count < end && SameRun(Text->GetAttr(Line, at + count), attr)) ++count;
    return count;
}

int32_t TRtTextWriter::WriteObjectChar(char code, const TAttr& attr) {
    TTextObj* reference = Text->ObjRefs().GetItem(attr.reference);
    ++CharIndex;
    if (code == kObjectChar || !reference || reference->kind != tokTextCode) {
        return WriteObject(code, attr.reference, reference);
    }
    if (code == kCodeOpenChar) {
        OpenReferences.push_back(attr.reference);
    } else {
        const auto open = std::find(OpenReferences.begin(), OpenReferences.end(), attr.reference);
        if (open == OpenReferences.end()) return 0;
        OpenReferences.erase(open);
    }
    return WriteBookmark(code, attr.reference, reference);
}

int32_t TRtTextWriter::WriteLinePiece(int32_t start, int32_t end) {
    ClearEndEntryObjectBits();
    int32_t result = 0;
    if (start < 1) result = BeginLinePiece();
    if (result != 0) return result;
    CharIndex = start;
    if (!Line->HasAttrs() || !Text->IsAttrMode()) return WriteChars(end - start);
    if (Line == Par->firstLine && Line->Length() == 0) {
        TAttr own = Par->markAttr;
        own.style &= ~(afsIsInsertpoint | afsIsObject | afsHyperLink);
        if ((result = WriteRunStart(own)) != 0) return result;
    }
    while (CharIndex < end) {
        const TAttr attr = Text->GetAttr(Line, CharIndex);
        PrevAttr = RunAttr;
        RunAttr = attr;
        if ((result = WriteRunStart(attr)) != 0) return result;
        const char ch = Line->CharAt(uint32_t(CharIndex));
        if (attr.Has(afsIsObject) && (ch == kObjectChar || ch == kCodeOpenChar || ch == kCodeCloseChar)) {
            result = WriteObjectChar(ch, attr);
        } else if (attr.Has(afsIsFootnote)) {
            ++CharIndex;
            result = WriteFootnote(attr.reference);
        } else {
            result = WriteChars(RunLength(CharIndex, end, attr)) == 0 ? 0 : 5;
        }
        if (result != 0) return result;
    }
    return 0;
}

int32_t TRtTextWriter::WriteParagraphLines(TLine* from, int32_t fromOffset, bool& endReached) {
    int32_t offset = fromOffset;
    for (Line = from; Line; Line = Line->next) {
        int32_t result = 0;
        if (Par == Range.endPar && Line == Range.endLine) {
            endReached = true;
            return WriteLinePiece(offset, std::min(Range.endPos, int32_t(Line->Length())));
        }
        if ((result = WriteLinePiece(offset, int32_t(Line->Length()))) != 0) return result;
        CharPosition += int32_t(Line->Length());
        PrevLine = Line;
        if ((result = WriteLineEnd()) != 0) return result;
        offset = 0;
    }
    return 0;
}

int32_t TRtTextWriter::CloseOpenReferences() {
    int32_t result = 0;
    while (!OpenReferences.empty()) {
        const int32_t id = OpenReferences.back();
        OpenReferences.pop_back();
        const int32_t r = WriteBookmark(kCodeCloseChar, id, Text->ObjRefs().GetItem(id));
        if (result == 0) result = r;
    }
    return result;
}

int32_t TRtTextWriter::WriteBody() {
    TParagraph* first = Range.IsWholeText() ? Text->FirstPar() : Range.startPar;
    if (!first) return 6;
    TParagraph* last = Range.endPar;
    if (!last) {
        for (last = first; last->next;) last = last->next;
    }
    PrevPar = nullptr;
    PrevLine = nullptr;
    PrevAttr = RunAttr = TAttr{};
    OpenReferences.clear();
    CharPosition = 0;
    int32_t total = 0;
    for (const TParagraph* p = first; p && p != last; p = p->next) total += TRtRTFText::ParagraphLength(p);
    Text->BeginProgress(total);
    TLine* fromLine = Range.startLine ? Range.startLine : first->firstLine;
    int32_t fromOffset = Range.startLine ? Range.startPos : 0;
    int32_t result = 0;
    for (Par = first; Par && result == 0; Par = Par->next) {
        if ((result = BeginParagraph()) != 0) break;
        bool endReached = false;
        if ((result = WriteParagraphLines(fromLine, fromOffset, endReached)) != 0) break;
        PrevPar = Par;
        if (Par == last || !Par->next) {
            AnotherParFollows = false;
            const bool withinOneCell = first == last && Range.startPar == Range.endPar && !Range.IsWholeText();
            if (Par->IsCell() && !withinOneCell) result = EndParagraph();
            break;
        }
        AnotherParFollows = true;
        result = EndParagraph();
        Text->StepProgress(CharPosition);
        fromLine = Par->next->firstLine;
        fromOffset = 0;
    }
    const int32_t closed = CloseOpenReferences();
    Text->EndProgress();
    return result != 0 ? result : closed;
}
