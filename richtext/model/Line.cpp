#include "richtext/model/Line.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

template <typename T>
T* AllocZeroed(uint32_t count) {
    void* p = std::calloc(count, sizeof(T));
    if (!p) throw std::bad_alloc();
    return static_cast<T*>(p);
}

}  // namespace

uint32_t EvenCapacity(uint64_t size) {
    const uint64_t even = (size + 1) & ~uint64_t(1);
    return static_cast<uint32_t>(std::min<uint64_t>(std::max<uint64_t>(even, 2), kMaxPieceCapacity));
}

void TLine::SetFormatAt(uint32_t i, uint32_t format) {
    if (!formats_) {
        if (format == uniform_) return;
        MakeFormatArray();
    }
    formats_[i] = format;
}

void TLine::FillFormat(uint32_t format) {
    std::free(formats_);
    formats_ = nullptr;
    uniform_ = format;
}

void TLine::MakeFormatArray() {
    formats_ = AllocZeroed<uint32_t>(capacity_);
    std::fill_n(formats_, capacity_, uniform_);
}

void TLine::Allocate(uint32_t capacity, bool withAttrs, uint32_t format) {
    const uint32_t cap = EvenCapacity(capacity);
    char* text = AllocZeroed<char>(cap);
    uint16_t* widths = nullptr;
    if (withAttrs) {
        widths = static_cast<uint16_t*>(std::calloc(cap, sizeof(uint16_t)));
        if (!widths) {
            std::free(text);
            throw std::bad_alloc();
        }
    }
    FreeBuffers();
    text_ = text;
    widths_ = widths;
    uniform_ = format;
    capacity_ = cap;
    length_ = 0;
}

void TLine::Reallocate(uint32_t capacity, bool withAttrs, uint32_t format) {
    const uint32_t cap = EvenCapacity(capacity);
    const uint32_t keep = std::min(length_ + 1, cap);  // characters and the end entry
    char* text = AllocZeroed<char>(cap);
    uint16_t* widths = nullptr;
    uint32_t* formats = nullptr;
    try {
        if (withAttrs) {
            widths = AllocZeroed<uint16_t>(cap);
            if (formats_) formats = AllocZeroed<uint32_t>(cap);
        }
    } catch (...) {
        std::free(text);
        std::free(widths);
        throw;
    }
    if (text_) std::memcpy(text, text_, std::min(length_, cap));
    if (widths && widths_) {
        std::memcpy(widths, widths_, keep * sizeof(uint16_t));
        if (formats) {
            std::memcpy(formats, formats_, keep * sizeof(uint32_t));
            std::fill(formats + keep, formats + cap, formats_[keep - 1]);
        }
    }
    const uint32_t uniform = widths_ ? uniform_ : format;
    const uint32_t length = std::min(length_, cap - 1);
    FreeBuffers();
    text_ = text;
    widths_ = widths;
    formats_ = formats;
    uniform_ = uniform;
    capacity_ = cap;
    length_ = length;
    text_[length_] = 0;
}

void TLine::FreeBuffers() {
    std::free(text_);
    std::free(widths_);
    std::free(formats_);
    text_ = nullptr;
    widths_ = nullptr;
    formats_ = nullptr;
    uniform_ = 0;
    capacity_ = 0;
    length_ = 0;
}

bool TLine::EnsureRoom(uint32_t room, uint32_t headroom) {
    const uint64_t needed = uint64_t(length_) + room + 1;
    if (needed <= capacity_) return true;
    if (needed > kMaxPieceCapacity) return false;
    Reallocate(EvenCapacity(needed - 1 + headroom), HasAttrs());
    return true;
}

void TLine::SetLength(uint32_t length) {
    length_ = length;
    text_[length_] = 0;
}

void TLine::OpenGap(uint32_t index, uint32_t count) {
    // The tail with its NUL moves right; the end entry travels with it.
    const uint32_t tail = length_ - index + 1;
    std::memmove(text_ + index + count, text_ + index, tail);
    if (widths_) {
        const uint32_t entries = std::min(tail, capacity_ - index - count);
        std::memmove(widths_ + index + count, widths_ + index, entries * sizeof(uint16_t));
        if (formats_) std::memmove(formats_ + index + count, formats_ + index, entries * sizeof(uint32_t));
    }
    length_ += count;
}

void TLine::Erase(uint32_t index, uint32_t count) {
    count = std::min(count, length_ - index);
    const uint32_t tail = length_ - index - count + 1;
    std::memmove(text_ + index, text_ + index + count, tail);
    if (widths_) {
        std::memmove(widths_ + index, widths_ + index + count, tail * sizeof(uint16_t));
        if (formats_) std::memmove(formats_ + index, formats_ + index + count, tail * sizeof(uint32_t));
    }
    length_ -= count;
}

void TLine::CopyChars(TLine& target, uint32_t targetIndex, const TLine& source, uint32_t sourceIndex,
                      uint32_t count) {
    if (count == 0) return;
    std::memmove(target.text_ + targetIndex, source.text_ + sourceIndex, count);
    if (!target.widths_) return;
    if (source.widths_) {
        std::memmove(target.widths_ + targetIndex, source.widths_ + sourceIndex, count * sizeof(uint16_t));
    } else {
        std::fill_n(target.widths_ + targetIndex, count, uint16_t(0));
        return;
    }
    if (source.formats_) {
        if (!target.formats_) target.MakeFormatArray();
        std::memmove(target.formats_ + targetIndex, source.formats_ + sourceIndex, count * sizeof(uint32_t));
    } else if (target.formats_ || source.uniform_ != target.uniform_) {
        if (!target.formats_) target.MakeFormatArray();
        std::fill_n(target.formats_ + targetIndex, count, source.uniform_);
    }
}

void TLine::MoveTailTo(uint32_t offset, TLine& target) {
    const uint32_t count = length_ - offset;
    const uint32_t at = target.length_;
    // The characters and the end entry of this piece.
    CopyChars(target, at, *this, offset, std::min(count + 1, target.capacity_ - at));
    target.SetLength(at + count);
    SetLength(offset);
}

namespace {

template <typename T>
T* AllocCopy(const T* source, uint32_t used, uint32_t count) {
    void* p = std::malloc(size_t(count) * sizeof(T));
    if (!p) throw std::bad_alloc();
    T* target = static_cast<T*>(p);
    std::memcpy(target, source, size_t(used) * sizeof(T));
    std::fill(target + used, target + count, used > 0 ? target[used - 1] : T{});
    return target;
}

}  // namespace

void TLine::CopyFrom(const TLine& source) {
    const uint32_t used = source.length_ + 1;
    const uint32_t cap = EvenCapacity(used);
    char* text = nullptr;
    uint16_t* widths = nullptr;
    uint32_t* formats = nullptr;
    try {
        text = static_cast<char*>(std::calloc(cap, 1));
        if (!text) throw std::bad_alloc();
        if (source.text_) std::memcpy(text, source.text_, source.length_);
        if (source.widths_) widths = AllocCopy(source.widths_, used, cap);
        if (source.formats_) formats = AllocCopy(source.formats_, used, cap);
    } catch (...) {
        std::free(text);
        std::free(widths);
        throw;
    }
    FreeBuffers();
    text_ = text;
    widths_ = widths;
    formats_ = formats;
    uniform_ = source.uniform_;
    capacity_ = cap;
    length_ = source.length_;
    yPos = source.yPos;
    height = source.height;
    baseLine = source.baseLine;
    pageNumber = source.pageNumber;
    flags = source.flags;
}

size_t TLine::HeapBytes() const {
    size_t bytes = capacity_;
    if (widths_) bytes += capacity_ * sizeof(uint16_t);
    if (formats_) bytes += capacity_ * sizeof(uint32_t);
    return bytes;
}
