#include "treectl/support/McHashList.h"

#include "treectl/support/McCRC32.h"

#include <exception>

TMcHashList::~TMcHashList() {
    try {
        Clear();
    } catch (...) {
        // A listener that raises while the list goes away cannot keep it.
    }
}

void TMcHashList::SetHashKind(HashKind kind) {
    if (kind == kind_) return;
    if (!entries_.empty()) throw EMcHashListError("Hash kind can't change while the HashList holds entries.");
    kind_ = kind;
}

uint32_t TMcHashList::Hash(const std::string& key) const {
    uint32_t h = 0;
    for (const char c : key) h = h * 5 + static_cast<uint8_t>(c);
    return h;
}

TMcHashList::Entry TMcHashList::HashOf(const std::string& key) const {
    std::string upper;
    if (UpperCaseKeys) {
        upper = key;
        for (char& c : upper) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        }
    }
    const std::string& k = UpperCaseKeys ? upper : key;
    Entry e;
    switch (kind_) {
    case HashKind::MD5: e.digest = TMcMD5::Of(k); break;
    case HashKind::Custom: e.value = Hash(k); break;
    case HashKind::CRC32: e.value = CrcOfString(k); break;
    }
    return e;
}

bool TMcHashList::SameHash(const Entry& a, const Entry& b) const {
    return kind_ == HashKind::MD5 ? a.digest == b.digest : a.value == b.value;
}

int32_t TMcHashList::Find(const Entry& probe) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (SameHash(entries_[i], probe)) return static_cast<int32_t>(i);
    }
    return -1;
}

void TMcHashList::Insert(int32_t index, const std::string& key, Data data) {
    if (index < 0 || index > Count()) throw EMcHashListError("Invalid position for HashList.");
    Entry entry = HashOf(key);
    if (Duplicates != DuplicatePolicy::Insert) {
        const int32_t existing = Find(entry);
        if (existing >= 0) {
            if (Duplicates == DuplicatePolicy::Raise) throw EMcHashListError("Duplicate entry.");
            if (Duplicates == DuplicatePolicy::Replace) {
                Entry& old = entries_[static_cast<size_t>(existing)];
                if (OnDelete) OnDelete(*this, old.data);
                old.data = data;
            }
            return;
        }
    }
    entry.data = data;
    if (Count() == capacity_) Grow();
    entries_.insert(entries_.begin() + index, entry);
}

int32_t TMcHashList::IndexOf(const std::string& key) const {
    const int32_t index = Find(HashOf(key));
    if (index < 0 && RaiseWhenAbsent) throw EMcHashListError("Hash is absent.");
    return index;
}

TMcHashList::Data TMcHashList::GetData(int32_t index) const {
    if (index < 0 || index >= Count()) throw EMcHashListError("Invalid index.");
    return entries_[static_cast<size_t>(index)].data;
}

void TMcHashList::Clear() {
    // Every entry leaves the list first, so that a listener or a data value
    // that raises cannot leave it half cleared.
    const std::vector<Entry> leaving = std::move(entries_);
    entries_ = {};
    capacity_ = 0;
    std::exception_ptr failure;
    for (const Entry& e : leaving) {
        try {
            if (OnDelete) OnDelete(*this, e.data);
            if (AutoFree && FreeData && e.data) FreeData(e.data);
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);
}

void TMcHashList::SetCapacity(int32_t capacity) {
    if (capacity < Count() || capacity > kMaxCapacity) throw EMcHashListError("Invalid McHashList capacity.");
    capacity_ = capacity;
    entries_.reserve(static_cast<size_t>(capacity));
}

void TMcHashList::Grow() {
    const int32_t step = capacity_ > 64 ? capacity_ / 4 : capacity_ > 8 ? 16 : 4;
    SetCapacity(capacity_ + step);
}
