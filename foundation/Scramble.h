#pragma once
// The light scrambling of passwords kept in the settings (not encryption:
// it only keeps them from being read at a glance). Each byte is xor-ed with
// the high byte of a 16-bit key that advances with every scrambled byte:
//   out = c xor (key shr 8);  key = ((key + out) * multiplier + addend) mod 65536
// Unscrambling advances the key with its input byte, so it restores the text
// scrambled with the same three numbers. The whole text is processed,
// whatever its length.

#include <cstdint>
#include <string>
#include <string_view>

std::string ScrambleString(std::string_view text, uint16_t key, uint16_t multiplier, uint16_t addend);
std::string UnscrambleString(std::string_view text, uint16_t key, uint16_t multiplier, uint16_t addend);

// The numbers of the disc-lookup proxy password ("ProxyPWD").
inline constexpr uint16_t kProxyPasswordKey = 611;
inline constexpr uint16_t kProxyPasswordMultiplier = 20458;
inline constexpr uint16_t kProxyPasswordAddend = 47296;
