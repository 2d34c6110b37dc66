#pragma once
// 8-bit text in the character set that a font names. Rich text keeps its
// characters as bytes of its fonts' charsets: Windows-1252 for the ANSI and
// default charsets, the Windows code page of each national charset, and for
// the symbol charset the private-use characters U+F000 + byte that symbol
// fonts are drawn with. The double-byte charsets (Japanese, Chinese, Korean)
// take two bytes for a character whose first byte is a lead byte. Decoding is
// total: a byte or pair without a character becomes U+FFFD.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TCharsetText {
    std::u16string Text;
    // For every UTF-16 unit of Text: one past the last byte it was made from.
    std::vector<uint32_t> ByteEnd;
};

TCharsetText DecodeCharsetText(std::string_view bytes, uint8_t charset);
std::u16string CharsetToWide(std::string_view bytes, uint8_t charset);
// True for the charsets whose characters may take two bytes.
bool IsDoubleByteCharset(uint8_t charset);
// True when the byte starts a two-byte character of a double-byte charset.
bool IsCharsetLeadByte(uint8_t byte, uint8_t charset);
// The character of one byte in a single-byte charset (or in the symbol charset).
char16_t CharsetByteToUnicode(uint8_t byte, uint8_t charset);
// The number of bytes of the character that starts at bytes[at] (1 or 2; 1
// for a lead byte at the very end).
size_t CharsetCharLength(std::string_view bytes, size_t at, uint8_t charset);
