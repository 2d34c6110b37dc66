#include "cd/net/Buffer.h"

#include <algorithm>
#include <cstring>

TBuffer::TBuffer(int32_t size) { SetSize(size <= 0 ? 1514 : size); }

void TBuffer::SetSize(int32_t size) {
    buffer_ = std::make_unique<uint8_t[]>(static_cast<size_t>(size));
    size_ = size;
}

int32_t TBuffer::Append(const void* data, int32_t length) {
    const int32_t count = std::clamp(length, 0, size_ - wrCount_);
    if (count > 0) std::memcpy(buffer_.get() + wrCount_, data, static_cast<size_t>(count));
    wrCount_ += count;
    return count;
}

const uint8_t* TBuffer::Peek(int32_t& count) const {
    count = wrCount_ - rdCount_;
    return count > 0 ? buffer_.get() + rdCount_ : nullptr;
}

int32_t TBuffer::Consume(int32_t n) {
    const int32_t count = std::clamp(n, 0, wrCount_ - rdCount_);
    rdCount_ += count;
    if (rdCount_ == wrCount_) rdCount_ = wrCount_ = 0;
    return count;
}
