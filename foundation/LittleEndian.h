#pragma once
// Little-endian integers inside byte buffers, for the readers and writers
// that lay out the records of a file format in memory (streams read their
// values one by one through StreamHelp.h). The caller has made sure that the
// bytes exist.

#include <cstdint>

// The bytes (1 to 8) at `at` as an unsigned number, lowest byte first.
inline uint64_t GetLittleEndian(const uint8_t* at, int bytes) {
    uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | at[i];
    return value;
}

// The low `bytes` bytes (1 to 8) of value at `at`, lowest byte first.
inline void PutLittleEndian(uint8_t* at, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}
