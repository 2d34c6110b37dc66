#pragma once
// The pointer list of the tree control: tree items, child lists, header
// sections and cell styles live in one. It grows and shrinks in steps of
// 256 slots, tells a listener about every pointer that leaves it, and may
// own the objects it holds.

#include "foundation/Exceptions.h"

#include <cstdint>
#include <functional>

ZORBIT_DECLARE_EXCEPTION(EMcListError, Exception);

class TMcList {
public:
    static constexpr int32_t kMaxCapacity = 134217727;
    static constexpr int32_t kGrowStep = 256;
    // Called before a pointer leaves the list (Delete, DeleteRange, Remove,
    // Put for the replaced one, Clear).
    using DeleteEvent = std::function<void(TMcList& sender, void* item)>;
    // Frees one owned object.
    using ObjectDeleter = std::function<void(void* item)>;

    TMcList() = default;
    virtual ~TMcList();
    TMcList(const TMcList&) = delete;
    TMcList& operator=(const TMcList&) = delete;

    int32_t Count() const { return count_; }
    int32_t Capacity() const { return capacity_; }

    // With owned objects, Delete and Clear free what leaves the list.
    bool AutoClearObjects() const { return autoClear_; }
    void SetAutoClearObjects(bool on, ObjectDeleter deleter = {});
    template <typename T>
    void OwnObjects() {
        SetAutoClearObjects(true, [](void* p) { delete static_cast<T*>(p); });
    }
    DeleteEvent OnDelete;

    int32_t Add(void* item);
    void Insert(int32_t index, void* item);
    virtual void* Get(int32_t index) const;
    // Without a range check: callers pass valid indexes.
    void* FastGet(int32_t index) const { return items_[index]; }
    virtual void Put(int32_t index, void* item);
    void* Last() const;
    int32_t IndexOf(const void* item) const;
    int32_t IndexOfFrom(int32_t start, const void* item) const;
    virtual void Delete(int32_t index);
    // Closes the gap only: no event, no freeing, no shrinking.
    void DeleteAt(int32_t index);
    int32_t Remove(void* item);
    virtual void DeleteRange(int32_t first, int32_t last);
    virtual void Clear();
    void Move(int32_t curIndex, int32_t newIndex);
    // Moves first..last so that the block stands just before the item now at dest.
    void MoveRange(int32_t first, int32_t last, int32_t dest);
    virtual void Grow();
    void SetCapacity(int32_t capacity);
    void SetCount(int32_t count);
    void Assign(const TMcList& source);

    void* const* begin() const { return items_; }
    void* const* end() const { return items_ + count_; }

protected:
    virtual void TriggerDeleteEvent(void* item);

private:
    [[noreturn]] static void IndexError(int32_t index);
    void CheckIndex(int32_t index) const;
    void Reallocate(int32_t capacity);
    void ShrinkAfterRemoval();

    void** items_ = nullptr;
    int32_t count_ = 0;
    int32_t capacity_ = 0;
    bool autoClear_ = false;
    ObjectDeleter deleter_;
};

// The same list with typed access, for lists of one kind of object.
template <typename T>
class TMcListOf : public TMcList {
public:
    T* operator[](int32_t index) const { return static_cast<T*>(Get(index)); }
    T* At(int32_t index) const { return static_cast<T*>(FastGet(index)); }
    T* LastItem() const { return static_cast<T*>(Last()); }
    T* const* begin() const { return reinterpret_cast<T* const*>(TMcList::begin()); }
    T* const* end() const { return reinterpret_cast<T* const*>(TMcList::end()); }
};
