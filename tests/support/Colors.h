#pragma once
// Plain colours that drawing tests paint and look for, and how far apart two
// colours lie.

#include "platform/gdi/GdiTypes.h"

#include <cstdlib>

inline constexpr gdi::Color kBlack = gdi::Rgb(0, 0, 0);
inline constexpr gdi::Color kWhite = gdi::Rgb(255, 255, 255);
inline constexpr gdi::Color kRed = gdi::Rgb(255, 0, 0);

// The sum of the differences of red, green and blue.
inline int ColorDistance(gdi::Color a, gdi::Color b) {
    return std::abs(int(gdi::RedOf(a)) - int(gdi::RedOf(b))) + std::abs(int(gdi::GreenOf(a)) - int(gdi::GreenOf(b))) +
           std::abs(int(gdi::BlueOf(a)) - int(gdi::BlueOf(b)));
}
