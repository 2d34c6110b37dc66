#pragma once
// Plain little-endian values on a stream: bytes, 32-bit integers and colours,
// singles, length-prefixed 8-bit strings and blocks. The readers check every
// length against the bytes that remain and raise EReadError rather than
// reading or allocating past the end.

#include "foundation/Stream.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

static_assert(std::endian::native == std::endian::little, "streams are little-endian");

// Any trivially copyable value, byte for byte (floats keep every bit).
template <typename T>
void StreamWriteValue(TStream& s, const T& value) {
    s.WriteBuffer(&value, sizeof(T));
}
template <typename T>
T StreamReadValue(TStream& s) {
    T value;
    s.ReadBuffer(&value, sizeof(T));
    return value;
}

inline void StreamWriteByte(TStream& s, uint8_t v) { StreamWriteValue(s, v); }
inline uint8_t StreamReadByte(TStream& s) { return StreamReadValue<uint8_t>(s); }
inline void StreamWriteInt(TStream& s, int32_t v) { StreamWriteValue(s, v); }
inline int32_t StreamReadInt(TStream& s) { return StreamReadValue<int32_t>(s); }
inline void StreamWriteColor(TStream& s, uint32_t v) { StreamWriteValue(s, v); }
inline uint32_t StreamReadColor(TStream& s) { return StreamReadValue<uint32_t>(s); }
inline void StreamWriteSingle(TStream& s, float v) { StreamWriteValue(s, v); }
inline float StreamReadSingle(TStream& s) { return StreamReadValue<float>(s); }

// Signed 32-bit length, then the bytes. A length of 0 or less reads as "".
void StreamWriteString(TStream& s, const std::string& text);
std::string StreamReadString(TStream& s);
// Signed 32-bit size, then the whole memory stream from position 0. Reading
// replaces the memory stream's content and leaves s just after the block.
void StreamWriteBlock(TStream& s, TMemoryStream& block);
void StreamReadBlock(TStream& s, TMemoryStream& block);
