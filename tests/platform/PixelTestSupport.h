#pragma once
// Helpers of the pixel tests: the canvas's pixels as text and their extent.

#include "platform/gdi/BitmapCanvas.h"

#include <string>

namespace gdi::test {

constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kBlack = Rgb(0, 0, 0);

// The smallest rectangle holding every pixel that differs from the background.
inline Rect InkBox(const Bitmap& b, Color background = kWhite) {
    Rect box;
    bool any = false;
    for (int32_t y = 0; y < b.Height(); ++y) {
        for (int32_t x = 0; x < b.Width(); ++x) {
            if (b.Pixel(x, y) == background) continue;
            if (!any) box = {x, y, x + 1, y + 1};
            box = UnionRect(box, {x, y, x + 1, y + 1});
            any = true;
        }
    }
    return box;
}

inline int32_t CountPixels(const Bitmap& b, Color c) {
    int32_t n = 0;
    for (int32_t y = 0; y < b.Height(); ++y) {
        for (int32_t x = 0; x < b.Width(); ++x) n += b.Pixel(x, y) == c;
    }
    return n;
}

// One character per pixel: '.' background, '#' black, 'o' anything else.
inline std::string Art(const Bitmap& b, Color background = kWhite) {
    std::string s;
    for (int32_t y = 0; y < b.Height(); ++y) {
        for (int32_t x = 0; x < b.Width(); ++x) {
            const Color c = b.Pixel(x, y);
            s += c == background ? '.' : c == kBlack ? '#' : 'o';
        }
        s += '\n';
    }
    return s;
}

inline bool SamePixels(const Bitmap& a, const Bitmap& b) { return a.image() == b.image(); }

}  // namespace gdi::test
