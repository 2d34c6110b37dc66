#include "richtext/model/RtSpecialTextProperty.h"

#include "foundation/Stream.h"
#include "richtext/model/RtEngineErrors.h"

#include <utility>

namespace {

constexpr int32_t kLockedChainCapacity = 40;

}  // namespace

int32_t NextHeaderFooterId() {
    static int32_t counter = 0;
    return ++counter;
}

// ---- contents

bool TRtSpecialTextPropertyContents::ReadData(TStream& stream) {
    return item_.Text().LoadHeaderFooterFromStream(item_.Range, item_.Kind, stream);
}

bool TRtSpecialTextPropertyContents::WriteData(TStream& stream) {
    return item_.Text().SaveHeaderFooterToStream(item_.Range, item_.Kind, stream);
}

std::string TRtSpecialTextPropertyContents::AsString() {
    TMemoryStream stream;
    WriteData(stream);
    return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

void TRtSpecialTextPropertyContents::SetFromString(const std::string& bytes) {
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    ReadData(stream);
}

void TRtSpecialTextPropertyContents::Assign(TRtSpecialTextPropertyContents& source) {
    SetFromString(source.AsString());
}

bool TRtSpecialTextPropertyContents::HasData() const { return !item_.IsEmpty(); }

// ---- item

TRtSpecialTextProperty::TRtSpecialTextProperty(TRtRTFText& text, int32_t id)
    : text_(text), contents_(*this), id_(id) {}

TRtSpecialTextProperty::~TRtSpecialTextProperty() {
    try {
        if (lockState_ == 1) SetLocked(0);
    } catch (...) {
    }
    text_.FreeParagraphChain(paragraphs_);
}

void TRtSpecialTextProperty::SetParagraphs(TParagraph* chain) {
    if (chain == paragraphs_) return;
    text_.FreeParagraphChain(paragraphs_);
    paragraphs_ = chain;
}

TParagraph* TRtSpecialTextProperty::TakeParagraphs() { return std::exchange(paragraphs_, nullptr); }

void TRtSpecialTextProperty::ClearParagraphs() { SetParagraphs(nullptr); }

bool TRtSpecialTextProperty::IsEmpty() const {
    return !paragraphs_ || (!paragraphs_->next && paragraphs_->firstLine && !paragraphs_->firstLine->next &&
                            paragraphs_->firstLine->Length() == 0);
}

void TRtSpecialTextProperty::UpdateHeight() {
    height_ = 0;
    if (IsEmpty()) return;
    for (const TParagraph* p = paragraphs_; p; p = p->next) {
        if (p->IsCell() && p->Has(pfPrevCell)) continue;
        for (const TLine* l = p->firstLine; l; l = l->next) height_ += l->height;
    }
}

void TRtSpecialTextProperty::Assign(TRtSpecialTextPropertyContents* contents) {
    if (!contents) {
        ClearParagraphs();
        return;
    }
    contents_.Assign(*contents);
}

void TRtSpecialTextProperty::SetLocked(uint8_t state) {
    if (state == lockState_) return;
    TRtRTFText& t = text_;
    if (state == 1) {
        if (t.Locked) throw ERtEngineModeError("Editor is already locked!");
        savedSelStart_ = t.SelStart;
        savedSelEnd_ = t.SelEnd;
        savedStateByte_ = t.StateByte;
        savedSelDirection_ = t.SelDirection;
        savedMarkedCount_ = t.MarkedCount;
        savedCursor_ = t.Cursor;
        savedFirst_ = t.FirstPar();
        TParagraph* chain = TakeParagraphs();
        if (!chain) t.InsertParagraphAfter(chain, kLockedChainCapacity);
        t.SetFirst(chain);
        t.RenumberFrom(chain);
        t.SelStart = t.SelEnd = {};
        t.Cursor = {chain, chain->firstLine, 0};
        t.Locked = true;
    } else {
        paragraphs_ = t.FirstPar();
        t.SetFirst(savedFirst_);
        t.SelStart = savedSelStart_;
        t.SelEnd = savedSelEnd_;
        t.StateByte = savedStateByte_;
        t.SelDirection = savedSelDirection_;
        t.MarkedCount = savedMarkedCount_;
        t.Cursor = savedCursor_;
        t.Locked = false;
    }
    lockState_ = state;
}

// ---- collection

TRtSpecialTextProperty* TRtHeaderFooterCollection::GetItem(int32_t index) const {
    return index >= 0 && index < Count() ? items_[size_t(index)].get() : nullptr;
}

TRtSpecialTextProperty& TRtHeaderFooterCollection::Add() {
    items_.push_back(std::make_unique<TRtSpecialTextProperty>(text_, NextHeaderFooterId()));
    return *items_.back();
}
