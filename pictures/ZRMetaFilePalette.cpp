// Logical palettes of metafile drawings: records that make, change and
// select them, and colours given as indices into the selected one.
#include "pictures/ZRMetaFile.h"

#include <algorithm>

namespace {

// The palette a device context starts with (the stock DEFAULT_PALETTE):
// the twenty colours of the system.
const std::vector<gdi::Color>& DefaultPalette() {
    static const std::vector<gdi::Color> colours = {
        gdi::Rgb(0, 0, 0),       gdi::Rgb(128, 0, 0),     gdi::Rgb(0, 128, 0),     gdi::Rgb(128, 128, 0),
        gdi::Rgb(0, 0, 128),     gdi::Rgb(128, 0, 128),   gdi::Rgb(0, 128, 128),   gdi::Rgb(192, 192, 192),
        gdi::Rgb(192, 220, 192), gdi::Rgb(166, 202, 240), gdi::Rgb(255, 251, 240), gdi::Rgb(160, 160, 164),
        gdi::Rgb(128, 128, 128), gdi::Rgb(255, 0, 0),     gdi::Rgb(0, 255, 0),     gdi::Rgb(255, 255, 0),
        gdi::Rgb(0, 0, 255),     gdi::Rgb(255, 0, 255),   gdi::Rgb(0, 255, 255),   gdi::Rgb(255, 255, 255),
    };
    return colours;
}

constexpr uint32_t kStockDefaultPalette = 15;
// A palette never has more entries than this.
constexpr size_t kLargestPalette = 1024;

gdi::Color EntryAt(std::span<const uint8_t> entries, size_t i) {
    return gdi::Rgb(entries[4 * i], entries[4 * i + 1], entries[4 * i + 2]);
}

}  // namespace

gdi::Color TCustomZRMetaFile::ColorRef(uint32_t value) const {
    if (value >> 24 != 1) return value & 0x00FFFFFF;
    const std::vector<gdi::Color>& palette = palette_ ? *palette_ : DefaultPalette();
    const size_t index = value & 0xFFFF;
    return index < palette.size() ? palette[index] : gdi::Rgb(0, 0, 0);
}

TMetaObject TCustomZRMetaFile::MakePalette(std::span<const uint8_t> entries, size_t count) {
    TMetaObject object(TMetaObject::Kind::Palette);
    count = std::min({count, entries.size() / 4, kLargestPalette});
    object.palette = std::make_shared<std::vector<gdi::Color>>();
    if (paletteEntries_ + count > kMaxPaletteEntries) {
        Stop();
        return object;
    }
    paletteEntries_ += count;
    object.palette->reserve(count);
    for (size_t i = 0; i < count; ++i) object.palette->push_back(EntryAt(entries, i));
    return object;
}

void TCustomZRMetaFile::SelectPalette(uint32_t index) {
    if (index == (0x80000000u | kStockDefaultPalette)) {
        palette_.reset();
        return;
    }
    const TMetaObject* object = Handle(index);
    if (object && object->kind == TMetaObject::Kind::Palette) palette_ = object->palette;
}

void TCustomZRMetaFile::SetPaletteEntries(uint32_t index, uint32_t start, std::span<const uint8_t> entries,
                                          size_t count) {
    const TMetaObject* object = Handle(index);
    if (!object || object->kind != TMetaObject::Kind::Palette) return;
    std::vector<gdi::Color>& palette = *object->palette;
    count = std::min(count, entries.size() / 4);
    for (size_t i = 0; i < count && start + i < palette.size(); ++i) palette[start + i] = EntryAt(entries, i);
}

void TCustomZRMetaFile::ResizePalette(uint32_t index, uint32_t count) {
    const TMetaObject* object = Handle(index);
    if (!object || object->kind != TMetaObject::Kind::Palette || count > kLargestPalette) return;
    std::vector<gdi::Color>& palette = *object->palette;
    if (count > palette.size()) {
        if (paletteEntries_ + (count - palette.size()) > kMaxPaletteEntries) return Stop();
        paletteEntries_ += count - palette.size();
    }
    palette.resize(count, gdi::Rgb(0, 0, 0));
}
