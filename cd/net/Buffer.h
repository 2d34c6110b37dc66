#pragma once
// One chunk of a socket's send queue: bytes written behind WrCount, sent up
// to RdCount. A full chunk is not compacted; it takes new bytes once it has
// been sent completely (both counts then return to 0).

#include <cstdint>
#include <memory>

class TBuffer {
public:
    // A size of 0 or less gives 1514 bytes.
    explicit TBuffer(int32_t size);

    // Copies what fits; returns the count copied (0 when full).
    int32_t Append(const void* data, int32_t length);
    // The unsent bytes and their count (nullptr and 0 when none).
    const uint8_t* Peek(int32_t& count) const;
    // Marks up to n bytes sent; returns the count.
    int32_t Consume(int32_t n);

    int32_t Size() const { return size_; }
    int32_t WrCount() const { return wrCount_; }
    int32_t RdCount() const { return rdCount_; }

private:
    void SetSize(int32_t size);

    std::unique_ptr<uint8_t[]> buffer_;
    int32_t size_ = 0;
    int32_t wrCount_ = 0;
    int32_t rdCount_ = 0;
};
