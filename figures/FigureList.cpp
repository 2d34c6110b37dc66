#include "figures/FigureList.h"

#include "foundation/Localizer.h"

#include <algorithm>

void TFigureList::CheckIndex(int32_t index, int32_t count) const {
    if (index < 0 || index >= count) throw EListError(LocalizedFormat("IDS_LISTINDEXERROR", {index}));
}

int32_t TFigureList::Add(TFigure* figure) {
    items_.push_back(figure);
    return Count() - 1;
}

void TFigureList::Insert(int32_t index, TFigure* figure) {
    CheckIndex(index, Count() + 1);
    items_.insert(items_.begin() + index, figure);
}

void TFigureList::Delete(int32_t index) {
    CheckIndex(index, Count());
    items_.erase(items_.begin() + index);
}

int32_t TFigureList::Remove(TFigure* figure) {
    const int32_t index = IndexOf(figure);
    if (index >= 0) Delete(index);
    return index;
}

int32_t TFigureList::IndexOf(const TFigure* figure) const {
    const auto found = std::find(items_.begin(), items_.end(), figure);
    return found == items_.end() ? -1 : static_cast<int32_t>(found - items_.begin());
}

TFigure* TFigureList::Items(int32_t index) const {
    CheckIndex(index, Count());
    return items_[static_cast<size_t>(index)];
}

void TFigureList::Move(int32_t from, int32_t to) {
    if (from == to) return;
    CheckIndex(from, Count());
    CheckIndex(to, Count());
    TFigure* figure = items_[static_cast<size_t>(from)];
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, figure);
}

void TFigureList::Sort(const CompareFunc& compare) {
    std::stable_sort(items_.begin(), items_.end(),
                     [&](const TFigure* a, const TFigure* b) { return compare(a, b) < 0; });
}

void TFigureList::Assign(const TFigureList& source) {
    if (&source == this) return;
    items_ = source.items_;
}
