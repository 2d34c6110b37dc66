// TRtRTFText: header and footer texts and the switch of the edited chain.
#include "richtext/model/RtRTFText.h"

#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtSpecialTextProperty.h"

namespace {

constexpr int32_t kHeaderFooterCapacity = 40;

TRtPagePropertyKind KindOf(uint8_t editedKind) { return editedKind == 2 ? rtIsFooter : rtIsHeader; }

}  // namespace

TRtSpecialTextProperty* TRtRTFText::GetHeaderFooter(int32_t index) { return headerFooters_->GetItem(index); }

int32_t TRtRTFText::GetHeaderFooterCount() { return headerFooters_->Count(); }

TRtSpecialTextProperty* TRtRTFText::FindHeaderFooter(uint8_t range, uint8_t kind) {
    for (const auto& item : headerFooters_->Items()) {
        if (item->Range == range && item->Kind == kind) return item.get();
    }
    return nullptr;
}

TRtSpecialTextProperty* TRtRTFText::AddHeaderFooter(uint8_t range, uint8_t kind) {
    TRtSpecialTextProperty& item = headerFooters_->Add();
    item.Range = TRtPagePropertyRange(range);
    item.Kind = TRtPagePropertyKind(kind);
    return &item;
}

TRtSpecialTextProperty* TRtRTFText::GetOrAddHeaderFooter(uint8_t range, uint8_t kind) {
    TRtSpecialTextProperty* item = FindHeaderFooter(range, kind);
    return item ? item : AddHeaderFooter(range, kind);
}

TRtSpecialTextProperty* TRtRTFText::GetHeaderFooterForPage(int32_t page, uint8_t kind, bool isLastPage) {
    // A one-page text shows its first-page item rather than a last-page footer.
    IsLastPage(0);
    const bool onePage = pageCountCache_ - 1 <= 0;
    if (page == 0 && onePage && FindHeaderFooter(rtraOnLastPage, rtIsFooter)) {
        if (TRtSpecialTextProperty* first = FindHeaderFooter(rtraOnFirstPage, kind)) return first;
        isLastPage = false;
    }
    TRtSpecialTextProperty* special = nullptr;
    if (page == 0) special = FindHeaderFooter(rtraOnFirstPage, kind);
    if (!special && isLastPage) special = FindHeaderFooter(rtraOnLastPage, kind);
    if (!special && page != 0 && !isLastPage) special = FindHeaderFooter(rtraNotOnFirstAndLastPages, kind);
    if (special) return special;
    const bool evenIndex = page % 2 == 0;
    if (TRtSpecialTextProperty* oddEven = FindHeaderFooter(evenIndex ? rtraOnOddPages : rtraOnEvenPages, kind)) {
        return oddEven;
    }
    for (const auto& item : headerFooters_->Items()) {
        if (item->Kind != kind) continue;
        const uint8_t r = item->Range;
        if (r == rtraOnAllPages || (r == rtraOnOddPages && evenIndex) || (r == rtraOnEvenPages && !evenIndex) ||
            (r == rtraOnFirstPage && page == 0)) {
            return item.get();
        }
    }
    return nullptr;
}

bool TRtRTFText::HasHeaderFooterText() {
    for (const auto& item : headerFooters_->Items()) {
        if (item->Range == rtraIgnored) continue;
        if (EditedKind != 0 && item->Id() == EditedId) {
            if (!IsEmpty()) return true;
        } else if (!item->IsEmpty()) {
            return true;
        }
    }
    return false;
}

void TRtRTFText::PutEditedChainAway() {
    if (EditedKind == 0) {
        bodyFirst_ = first_;
        bodyCursor_ = Cursor;
        return;
    }
    GetOrAddHeaderFooter(EditedRange, KindOf(EditedKind))->SetParagraphs(first_);
}

void TRtRTFText::SwitchEditedText(uint8_t kind) {
    if (!FullText || kind == EditedKind || kind > 2) return;
    objRefs_->ResetPlacement();
    PutEditedChainAway();
    first_ = nullptr;
    SelStart = SelEnd = {};
    if (kind == 0) {
        first_ = bodyFirst_;
        bodyFirst_ = nullptr;
        Cursor = bodyCursor_;
        EditedId = 0;
    } else {
        TRtSpecialTextProperty* item = GetOrAddHeaderFooter(RangeToEdit, KindOf(kind));
        first_ = item->TakeParagraphs();
        if (!first_) {
            TParagraph* par = nullptr;
            InsertParagraphAfter(par, kHeaderFooterCapacity);
            first_ = par;
        }
        RenumberFrom(first_);
        EditedId = item->Id();
        EditedRange = RangeToEdit;
        Cursor = {first_, first_->firstLine, 0};
        for (TParagraph* p = first_; p; p = p->next) p->MarkChanged();
    }
    EditedKind = kind;
    pageCountValid_ = false;
    NotifyReset();
    if (kind != 0) Refresh(true);
    if (OnHeaderFooterSwitch) OnHeaderFooterSwitch();
    CheckSelectionChange();
}

bool TRtRTFText::SwitchToHeaderFooterById(int32_t id) {
    const bool already = id == EditedId;
    if (!already) {
        if (id == 0) {
            SwitchEditedText(0);
        } else {
            for (const auto& item : headerFooters_->Items()) {
                if (item->Id() != id) continue;
                if (EditedKind != 0) SwitchEditedText(0);
                RangeToEdit = item->Range;
                SwitchEditedText(item->Kind == rtIsFooter ? 2 : 1);
                break;
            }
        }
    }
    CheckSelectionChange();
    return already;
}

void TRtRTFText::ClearHeaderFooters() { headerFooters_->Clear(); }
