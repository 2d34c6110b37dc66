#pragma once
// Coverage masks of glyphs for text on raster devices. A glyph of a face,
// under one device transform, at one quarter-pixel phase of its origin and
// with or without smoothing, is filled once through the painter's own path
// fill and kept as runs of coverage, so that text drawn again costs only its
// pixels. Internal to the drawing layer; one instance per thread.

#include <QtGui/QRawFont>
#include <QtGui/QTransform>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace gdi {

// Origins are placed on a grid of this many steps per pixel.
constexpr int32_t kGlyphPhases = 4;

struct GlyphMask {
    // A run of pixels of one row, relative to the pixel that holds the
    // glyph's origin; coverage is the offset of its values in Coverage, or -1
    // when every pixel is fully covered.
    struct Run {
        int32_t y = 0;
        int32_t x = 0;
        int32_t length = 0;
        int32_t coverage = -1;
    };
    std::vector<Run> runs;
    std::vector<uint8_t> coverage;
};

class GlyphMaskCache {
public:
    static GlyphMaskCache& Instance();

    struct Key {
        uint64_t face = 0;  // a number that names the face and its size for good
        quint32 glyph = 0;
        double m11 = 1, m12 = 0, m21 = 0, m22 = 1;  // the device transform's linear part
        int8_t phaseX = 0, phaseY = 0;              // in steps of 1 / kGlyphPhases pixel
        bool smooth = true;
        friend bool operator==(const Key&, const Key&) = default;
    };

    // The mask of the glyph of the raw font (whose pixel size is the em in
    // the transform's source units) with its origin at the key's phase.
    const GlyphMask& Mask(const Key& key, const QRawFont& font);

    // Masks are dropped all at once when they take more than this many bytes.
    static constexpr size_t kBudget = size_t{24} << 20;

private:
    struct KeyHash {
        size_t operator()(const Key& k) const;
    };
    static GlyphMask Render(const Key& key, const QRawFont& font);

    std::unordered_map<Key, std::unique_ptr<GlyphMask>, KeyHash> masks_;
    size_t bytes_ = 0;
};

}  // namespace gdi
