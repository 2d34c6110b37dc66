#pragma once
// A list of data values looked up by string keys through a hash of the key:
// its MD5 digest, its CRC-32 checksum or an overridable hash. The key itself
// is not kept, so two keys with the same hash are the same key to the list.
// Look-up is a linear scan; the list is meant for a few hundred keys.

#include "foundation/Exceptions.h"
#include "treectl/support/McMD5.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

ZORBIT_DECLARE_EXCEPTION(EMcHashListError, Exception);

class TMcHashList {
public:
    static constexpr int32_t kMaxCapacity = 134217727;
    enum class HashKind : uint8_t { MD5 = 0, Custom = 1, CRC32 = 2 };
    // What inserting a key that is already present does.
    enum class DuplicatePolicy : uint8_t { Insert = 0, Raise = 1, Replace = 2, Ignore = 3 };
    using Data = intptr_t;
    using DeleteEvent = std::function<void(TMcHashList& sender, Data data)>;
    using DataDeleter = std::function<void(Data data)>;

    TMcHashList() = default;
    virtual ~TMcHashList();
    TMcHashList(const TMcHashList&) = delete;
    TMcHashList& operator=(const TMcHashList&) = delete;

    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
    int32_t Capacity() const { return capacity_; }

    // With auto-free, Clear frees every non-nil data value through the deleter.
    bool AutoFree = false;
    DataDeleter FreeData;
    // Keys are upper-cased (a to z only) before they are hashed.
    bool UpperCaseKeys = false;
    DuplicatePolicy Duplicates = DuplicatePolicy::Insert;
    // IndexOf raises "Hash is absent." instead of answering -1.
    bool RaiseWhenAbsent = false;
    // Called with an entry's data when Clear removes it and when a duplicate replaces it.
    DeleteEvent OnDelete;

    HashKind GetHashKind() const { return kind_; }
    // Refused while the list holds entries: their hashes are of the old kind.
    void SetHashKind(HashKind kind);

    void AddItem(const std::string& key, Data data) { Insert(Count(), key, data); }
    void Insert(int32_t index, const std::string& key, Data data);
    int32_t IndexOf(const std::string& key) const;
    Data GetData(int32_t index) const;
    void Clear();
    void SetCapacity(int32_t capacity);
    void Grow();

    // The overridable hash: h = h * 5 + c over the key's bytes, wrapping at 32 bits.
    virtual uint32_t Hash(const std::string& key) const;

private:
    struct Entry {
        TMcDigest digest{};  // MD5
        uint32_t value = 0;  // custom hash or CRC-32
        Data data = 0;
    };
    Entry HashOf(const std::string& key) const;
    bool SameHash(const Entry& a, const Entry& b) const;
    int32_t Find(const Entry& probe) const;

    std::vector<Entry> entries_;
    int32_t capacity_ = 0;
    HashKind kind_ = HashKind::MD5;
};
