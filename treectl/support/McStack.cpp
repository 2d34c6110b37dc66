#include "treectl/support/McStack.h"

void TMcStack::Push(void* item) {
    if (count_ == capacity_) Grow();
    items_[static_cast<size_t>(count_++)] = item;
}

void* TMcStack::Pop() {
    if (count_ == 0) throw EMcStackError("McStack is empty.");
    void* item = items_[static_cast<size_t>(--count_)];
    if (count_ < capacity_ / 2) SetCapacity(capacity_ / 2);
    return item;
}

void TMcStack::Grow() {
    const int32_t step = capacity_ > 64 ? capacity_ / 4 : capacity_ > 8 ? 16 : 4;
    SetCapacity(capacity_ + step);
}

void TMcStack::SetCapacity(int32_t capacity) {
    if (capacity < count_ || capacity > kMaxCapacity) throw EMcStackError("Invalid McStack capacity.");
    items_.resize(static_cast<size_t>(capacity));
    items_.shrink_to_fit();
    capacity_ = capacity;
}
