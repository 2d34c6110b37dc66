#include "richtext/model/RtCustomRtfEditClass.h"

#include <algorithm>

TRtCustomRtfEditClass::~TRtCustomRtfEditClass() {
    if (styleCollection_) styleCollection_->RemoveEditor(this);
}

void TRtCustomRtfEditClass::SetRtStyleCollection(TRtCustomStyleCollection* collection) {
    if (collection == styleCollection_) return;
    if (styleCollection_) styleCollection_->RemoveEditor(this);
    styleCollection_ = collection;
    if (styleCollection_) styleCollection_->AddEditor(this);
}

void TRtCustomRtfEditClass::StyleCollectionFreed(TRtCustomStyleCollection* collection) {
    if (styleCollection_ == collection) styleCollection_ = nullptr;
}

TRtCustomStyleCollection::~TRtCustomStyleCollection() {
    for (TRtCustomRtfEditClass* editor : editors_) editor->StyleCollectionFreed(this);
}

void TRtCustomStyleCollection::AddEditor(TRtCustomRtfEditClass* editor) {
    if (std::find(editors_.begin(), editors_.end(), editor) == editors_.end()) editors_.push_back(editor);
}

void TRtCustomStyleCollection::RemoveEditor(TRtCustomRtfEditClass* editor) {
    std::erase(editors_, editor);
}
