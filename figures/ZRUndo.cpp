#include "figures/ZRUndo.h"

#include "figures/FigureGroup.h"
#include "figures/FigureList.h"
#include "foundation/Localizer.h"

namespace {
void CheckIndex(int32_t index, int32_t count) {
    if (index < 0 || index >= count) throw EListError(LocalizedFormat("IDS_LISTINDEXERROR", {index}));
}
}  // namespace

TZRUndoFigureData& TZRUndoFigureList::Add() {
    entries_.push_back(std::make_unique<TZRUndoFigureData>());
    return *entries_.back();
}

TZRUndoFigureData& TZRUndoFigureList::Items(int32_t index) {
    CheckIndex(index, Count());
    return *entries_[static_cast<size_t>(index)];
}

const TZRUndoFigureData& TZRUndoFigureList::Items(int32_t index) const {
    CheckIndex(index, Count());
    return *entries_[static_cast<size_t>(index)];
}

void TZRUndoFigureList::Delete(int32_t index) {
    CheckIndex(index, Count());
    entries_.erase(entries_.begin() + index);
}

TZRUndoDeleteItem::~TZRUndoDeleteItem() {
    for (int32_t i = 0; i < Figures.Count(); ++i) {
        TZRUndoFigureData& entry = Figures.Items(i);
        delete entry.Figure;
        entry.Figure = nullptr;
    }
}

TZRUndoGroupToSelectionItem::~TZRUndoGroupToSelectionItem() {
    if (!Group) return;
    Group->Members.Clear();  // the members live on in the design
    delete Group;
}
