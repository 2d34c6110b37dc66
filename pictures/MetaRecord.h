#pragma once
// One record of metafile data, read only within its own bytes: every field
// is checked against the record's size before it is used.

#include <cstdint>
#include <cstring>
#include <span>

class TMetaRecord {
public:
    explicit TMetaRecord(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t Size() const { return bytes_.size(); }
    // count bytes from offset lie inside the record.
    bool Has(uint64_t offset, uint64_t count) const { return offset <= bytes_.size() && count <= bytes_.size() - offset; }
    uint8_t U8(size_t offset) const { return bytes_[offset]; }
    uint16_t U16(size_t offset) const { return static_cast<uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8); }
    int16_t I16(size_t offset) const { return static_cast<int16_t>(U16(offset)); }
    uint32_t U32(size_t offset) const {
        return uint32_t{bytes_[offset]} | uint32_t{bytes_[offset + 1]} << 8 | uint32_t{bytes_[offset + 2]} << 16 |
               uint32_t{bytes_[offset + 3]} << 24;
    }
    int32_t I32(size_t offset) const { return static_cast<int32_t>(U32(offset)); }
    float F32(size_t offset) const {
        const uint32_t bits = U32(offset);
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    std::span<const uint8_t> Bytes(size_t offset, size_t count) const { return bytes_.subspan(offset, count); }
    std::span<const uint8_t> From(size_t offset) const { return bytes_.subspan(offset); }

private:
    std::span<const uint8_t> bytes_;
};
