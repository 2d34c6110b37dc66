#include "tools/WindowlessDocument.h"

#include "foundation/MMCalcScaleCanvas.h"

TScaleCanvas& TWindowlessOwner::GetViewScaleCanvas() { return GetMMCalcScaleCanvas(); }

TWindowlessDocument::TWindowlessDocument() { AddDesignTab(QStringLiteral("Etikett 1")); }

TEinzelEtikett& TWindowlessDocument::AddDesignTab(const QString& caption) {
    designs_.push_back(std::make_unique<TEinzelEtikett>(owner_));
    captions_ << caption;
    SetCurrentDesignIndex(DesignCount() - 1);
    return *designs_.back();
}

void TWindowlessDocument::SetCurrentDesignIndex(int32_t index) {
    current_ = index;
    owner_.currentDesign = designs_.at(static_cast<size_t>(index)).get();
}
