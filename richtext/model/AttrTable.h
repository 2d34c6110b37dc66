#pragma once
// The attribute table of a text: every distinct character attribute (without
// its width) is kept once, and lines refer to it by index. A plain run of text
// thus costs its characters and their widths, not a whole TAttr per
// character. Indexes stay valid for the life of the table; index 0 is the
// all-zero attribute.

#include "richtext/model/Attr.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

class TAttrTable {
public:
    TAttrTable();
    TAttrTable(const TAttrTable&) = delete;
    TAttrTable& operator=(const TAttrTable&) = delete;

    // The index of the attribute with its width left out; added when new.
    uint32_t Intern(const TAttr& attr);
    // The attribute at an index with the given width.
    TAttr Get(uint32_t index, uint16_t width) const {
        TAttr a = formats_[index];
        a.width = width;
        return a;
    }
    const TAttr& Format(uint32_t index) const { return formats_[index]; }
    uint32_t StyleOf(uint32_t index) const { return formats_[index].style; }
    uint32_t Count() const { return static_cast<uint32_t>(formats_.size()); }

private:
    struct Hash {
        size_t operator()(const TAttr& a) const noexcept;
    };
    std::vector<TAttr> formats_;
    std::unordered_map<TAttr, uint32_t, Hash> lookup_;
    uint32_t lastIndex_ = 0;
};
