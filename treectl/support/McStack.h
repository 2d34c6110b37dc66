#pragma once
// A stack of untyped pointers, used to walk from an item up to the root and
// back down. Freeing the stack never frees what the pointers point to.

#include "foundation/Exceptions.h"

#include <cstdint>
#include <vector>

ZORBIT_DECLARE_EXCEPTION(EMcStackError, Exception);

class TMcStack {
public:
    static constexpr int32_t kMaxCapacity = 134217727;

    int32_t Count() const { return count_; }
    int32_t Capacity() const { return capacity_; }

    void Push(void* item);
    // The top item; EMcStackError "McStack is empty." on an empty stack.
    void* Pop();
    // Grows by a quarter above 64 slots, by 16 from 9 to 64, else by 4.
    void Grow();
    void SetCapacity(int32_t capacity);

private:
    std::vector<void*> items_;  // always Capacity() long
    int32_t count_ = 0;
    int32_t capacity_ = 0;
};
