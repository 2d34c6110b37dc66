#include "treectl/support/McList.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

TMcList::~TMcList() {
    try {
        Clear();
    } catch (...) {
        // A listener that raises while the list goes away cannot keep it.
    }
    std::free(items_);
}

void TMcList::IndexError(int32_t index) {
    char text[64];
    std::snprintf(text, sizeof text, "List index [%d] out of bounds...", index);
    throw EMcListError(std::string(text));
}

void TMcList::CheckIndex(int32_t index) const {
    if (index < 0 || index >= count_) IndexError(index);
}

void TMcList::SetAutoClearObjects(bool on, ObjectDeleter deleter) {
    autoClear_ = on;
    if (deleter) deleter_ = std::move(deleter);
}

void TMcList::Reallocate(int32_t capacity) {
    if (capacity == 0) {
        std::free(items_);
        items_ = nullptr;
    } else {
        void* grown = std::realloc(items_, sizeof(void*) * static_cast<size_t>(capacity));
        if (!grown) throw std::bad_alloc();
        items_ = static_cast<void**>(grown);
    }
    capacity_ = capacity;
}

void TMcList::Grow() { SetCapacity(capacity_ + kGrowStep); }

void TMcList::SetCapacity(int32_t capacity) {
    if (capacity < count_ || capacity > kMaxCapacity) IndexError(capacity);
    if (capacity != capacity_) Reallocate(capacity);
}

void TMcList::SetCount(int32_t count) {
    if (count < 0 || count > kMaxCapacity) IndexError(count);
    if (count > capacity_) SetCapacity(count);
    if (count > count_) std::fill(items_ + count_, items_ + count, nullptr);
    count_ = count;
}

int32_t TMcList::Add(void* item) {
    if (count_ == capacity_) Grow();
    items_[count_] = item;
    return count_++;
}

void TMcList::Insert(int32_t index, void* item) {
    if (index < 0 || index > count_) IndexError(index);
    if (count_ == capacity_) Grow();
    std::memmove(items_ + index + 1, items_ + index, sizeof(void*) * static_cast<size_t>(count_ - index));
    items_[index] = item;
    ++count_;
}

void* TMcList::Get(int32_t index) const {
    CheckIndex(index);
    return items_[index];
}

void TMcList::Put(int32_t index, void* item) {
    CheckIndex(index);
    if (items_[index] && OnDelete) TriggerDeleteEvent(items_[index]);
    items_[index] = item;
}

// Callers never ask an empty list; it answers nil then.
void* TMcList::Last() const { return count_ > 0 ? items_[count_ - 1] : nullptr; }

int32_t TMcList::IndexOf(const void* item) const {
    const auto found = std::find(items_, items_ + count_, item);
    return found == items_ + count_ ? -1 : static_cast<int32_t>(found - items_);
}

int32_t TMcList::IndexOfFrom(int32_t start, const void* item) const {
    CheckIndex(start);
    const auto found = std::find(items_ + start, items_ + count_, item);
    return found == items_ + count_ ? -1 : static_cast<int32_t>(found - items_);
}

void TMcList::ShrinkAfterRemoval() {
    if (count_ < capacity_ - kGrowStep) SetCapacity(capacity_ - kGrowStep);
}

void TMcList::DeleteAt(int32_t index) {
    CheckIndex(index);
    std::memmove(items_ + index, items_ + index + 1, sizeof(void*) * static_cast<size_t>(count_ - index - 1));
    --count_;
}

void TMcList::Delete(int32_t index) {
    CheckIndex(index);
    void* item = items_[index];
    TriggerDeleteEvent(item);
    DeleteAt(index);
    ShrinkAfterRemoval();
    if (autoClear_ && deleter_ && item) deleter_(item);
}

int32_t TMcList::Remove(void* item) {
    const int32_t index = IndexOf(item);
    if (index < 0) return -1;
    TriggerDeleteEvent(item);
    DeleteAt(index);
    ShrinkAfterRemoval();
    return index;
}

void TMcList::DeleteRange(int32_t first, int32_t last) {
    CheckIndex(first);
    if (last < first || last >= count_) IndexError(last);
    for (int32_t i = first; i <= last; ++i) TriggerDeleteEvent(items_[i]);
    std::memmove(items_ + first, items_ + last + 1, sizeof(void*) * static_cast<size_t>(count_ - last - 1));
    count_ -= last - first + 1;
    ShrinkAfterRemoval();
}

void TMcList::Clear() {
    for (int32_t i = 0; i < count_; ++i) TriggerDeleteEvent(items_[i]);
    if (autoClear_ && deleter_) {
        for (int32_t i = 0; i < count_; ++i) {
            try {
                if (items_[i]) deleter_(items_[i]);
            } catch (...) {
                // One object that fails to go must not keep the others.
            }
        }
    }
    count_ = 0;
    Reallocate(0);
}

void TMcList::Move(int32_t curIndex, int32_t newIndex) {
    if (curIndex == newIndex) return;
    if (newIndex < 0 || newIndex >= count_) IndexError(newIndex);
    void* item = Get(curIndex);
    DeleteAt(curIndex);
    Insert(newIndex, item);
}

void TMcList::MoveRange(int32_t first, int32_t last, int32_t dest) {
    if (first == dest) return;
    if (dest < 0 || dest >= count_ || (dest >= first && dest <= last)) IndexError(dest);
    CheckIndex(first);
    if (last < first || last >= count_) IndexError(last);
    if (dest < first) std::rotate(items_ + dest, items_ + first, items_ + last + 1);
    else std::rotate(items_ + first, items_ + last + 1, items_ + dest);
}

void TMcList::Assign(const TMcList& source) {
    if (&source == this) return;
    Clear();
    SetCapacity(source.capacity_);
    SetCount(source.count_);
    std::copy(source.items_, source.items_ + source.count_, items_);
}

void TMcList::TriggerDeleteEvent(void* item) {
    if (OnDelete) OnDelete(*this, item);
}
