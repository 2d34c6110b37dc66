#include "richtext/model/AttrTable.h"

size_t TAttrTable::Hash::operator()(const TAttr& a) const noexcept {
    uint64_t h = a.style;
    h = h * 0x9E3779B97F4A7C15ull + static_cast<uint32_t>(a.reference);
    h = h * 0x9E3779B97F4A7C15ull + (uint64_t(a.baseLine) << 16 | a.height);
    h = h * 0x9E3779B97F4A7C15ull +
        (uint64_t(a.textColor) | uint64_t(a.backColor) << 8 | uint64_t(a.font) << 16 | uint64_t(a.measureA) << 24 |
         uint64_t(a.size) << 32 | uint64_t(a.measureB) << 40);
    return static_cast<size_t>(h ^ (h >> 29));
}

TAttrTable::TAttrTable() {
    formats_.push_back(TAttr{});
    lookup_.emplace(TAttr{}, 0);
}

uint32_t TAttrTable::Intern(const TAttr& attr) {
    TAttr key = attr;
    key.width = 0;
    if (formats_[lastIndex_] == key) return lastIndex_;
    const auto [it, added] = lookup_.try_emplace(key, static_cast<uint32_t>(formats_.size()));
    if (added) formats_.push_back(key);
    lastIndex_ = it->second;
    return lastIndex_;
}
