#include "foundation/Scramble.h"

namespace {

uint16_t NextKey(uint16_t key, uint8_t scrambled, uint16_t multiplier, uint16_t addend) {
    return static_cast<uint16_t>((uint32_t{key} + scrambled) * multiplier + addend);
}

}  // namespace

std::string ScrambleString(std::string_view text, uint16_t key, uint16_t multiplier, uint16_t addend) {
    std::string out(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const auto scrambled = static_cast<uint8_t>(static_cast<uint8_t>(text[i]) ^ (key >> 8));
        out[i] = static_cast<char>(scrambled);
        key = NextKey(key, scrambled, multiplier, addend);
    }
    return out;
}

std::string UnscrambleString(std::string_view text, uint16_t key, uint16_t multiplier, uint16_t addend) {
    std::string out(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const auto scrambled = static_cast<uint8_t>(text[i]);
        out[i] = static_cast<char>(scrambled ^ (key >> 8));
        key = NextKey(key, scrambled, multiplier, addend);
    }
    return out;
}
