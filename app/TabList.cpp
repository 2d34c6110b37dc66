#include "app/TabList.h"

#include "app/QDXTabSet.h"
#include "foundation/Localizer.h"
#include "foundation/WideStrings.h"

#include <algorithm>

void TTabList::CheckIndex(int index, int count) const {
    if (index < 0 || index >= count) throw EStringListError(LocalizedFormat("IDS_LISTINDEXERROR", {index}));
}

void TTabList::Changed() {
    if (strip_) strip_->TabsChanged();
}

QString TTabList::Strings(int index) const {
    CheckIndex(index, Count());
    return items_[static_cast<size_t>(index)].caption;
}

void* TTabList::Objects(int index) const {
    CheckIndex(index, Count());
    return items_[static_cast<size_t>(index)].object;
}

int TTabList::IndexOf(const QString& caption) const {
    const auto found = std::find_if(items_.begin(), items_.end(), [&](const Item& i) { return i.caption == caption; });
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

int TTabList::IndexOfObject(const void* object) const {
    const auto found = std::find_if(items_.begin(), items_.end(), [&](const Item& i) { return i.object == object; });
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

int TTabList::Add(const QString& caption, void* object) {
    items_.push_back({caption, object});
    Changed();
    return Count() - 1;
}

void TTabList::Put(int index, const QString& caption) {
    CheckIndex(index, Count());
    items_[static_cast<size_t>(index)].caption = caption;
    Changed();
}

void TTabList::PutObject(int index, void* object) {
    CheckIndex(index, Count());
    items_[static_cast<size_t>(index)].object = object;
}

void TTabList::Insert(int index, const QString& caption, void* object) {
    CheckIndex(index, Count() + 1);
    items_.insert(items_.begin() + index, {caption, object});
    if (strip_ && strip_->tabIndex_ >= index) ++strip_->tabIndex_;
    Changed();
}

void TTabList::Delete(int index) {
    CheckIndex(index, Count());
    items_.erase(items_.begin() + index);
    if (!strip_) return;
    const bool selectedWent = strip_->tabIndex_ == index;
    strip_->tabIndex_ = std::min(strip_->tabIndex_, Count() - 1);
    Changed();
    if (selectedWent && strip_->OnClick) strip_->OnClick();
}

void TTabList::Clear() {
    items_.clear();
    if (strip_) strip_->tabIndex_ = -1;
    Changed();
}

void TTabList::AddStrings(const QStringList& captions) {
    for (const QString& c : captions) items_.push_back({c, nullptr});
    Changed();
}

void TTabList::Move(int from, int to) {
    CheckIndex(from, Count());
    CheckIndex(to, Count());
    if (from == to) return;
    const Item moved = items_[static_cast<size_t>(from)];
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, moved);
    if (strip_) {
        int& selected = strip_->tabIndex_;
        if (selected == from) {
            selected = to;
        } else if (from < selected && selected <= to) {
            --selected;
        } else if (to <= selected && selected < from) {
            ++selected;
        }
    }
    Changed();
}

QStringList TTabList::Captions() const {
    QStringList list;
    for (const Item& i : items_) list << i.caption;
    return list;
}
