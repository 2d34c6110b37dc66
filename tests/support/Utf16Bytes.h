#pragma once
// Text as the bytes of a UTF-16 file, as the readers of text files meet it.

#include <cstdint>
#include <string>
#include <vector>

// The byte-order mark, then each code unit in the given byte order.
inline std::vector<uint8_t> Utf16Bytes(const std::u16string& text, bool bigEndian) {
    std::vector<uint8_t> bytes = bigEndian ? std::vector<uint8_t>{0xFE, 0xFF} : std::vector<uint8_t>{0xFF, 0xFE};
    for (char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(bigEndian ? c >> 8 : c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(bigEndian ? c & 0xFF : c >> 8));
    }
    return bytes;
}
