#include "platform/gdi/GlyphMaskCache.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

#include <cmath>
#include <functional>

namespace gdi {

namespace {

// Masks of larger glyphs are not made: their pixels cost more than the fill.
constexpr double kMaxMaskSide = 2048;

void Combine(size_t& seed, size_t value) { seed ^= value + 0x9E3779B97F4A7C15ull + (seed << 6) + (seed >> 2); }

}  // namespace

GlyphMaskCache& GlyphMaskCache::Instance() {
    thread_local GlyphMaskCache cache;
    return cache;
}

size_t GlyphMaskCache::KeyHash::operator()(const Key& k) const {
    size_t seed = std::hash<uint64_t>()(k.face);
    Combine(seed, k.glyph);
    for (const double d : {k.m11, k.m12, k.m21, k.m22}) Combine(seed, std::hash<double>()(d));
    Combine(seed, static_cast<size_t>(k.phaseX * 16 + k.phaseY * 2 + (k.smooth ? 1 : 0)));
    return seed;
}

const GlyphMask& GlyphMaskCache::Mask(const Key& key, const QRawFont& font) {
    const auto it = masks_.find(key);
    if (it != masks_.end()) return *it->second;
    auto mask = std::make_unique<GlyphMask>(Render(key, font));
    const size_t bytes = sizeof(GlyphMask) + mask->runs.size() * sizeof(GlyphMask::Run) + mask->coverage.size() + 64;
    if (bytes_ + bytes > kBudget) {
        masks_.clear();
        bytes_ = 0;
    }
    bytes_ += bytes;
    return *masks_.emplace(key, std::move(mask)).first->second;
}

GlyphMask GlyphMaskCache::Render(const Key& key, const QRawFont& font) {
    GlyphMask mask;
    QPainterPath path = font.pathForGlyph(key.glyph);
    if (path.isEmpty()) return mask;
    // Glyphs of a run are filled together by the winding rule.
    path.setFillRule(Qt::WindingFill);
    const QTransform place(key.m11, key.m12, key.m21, key.m22, static_cast<double>(key.phaseX) / kGlyphPhases,
                           static_cast<double>(key.phaseY) / kGlyphPhases);
    const QPainterPath device = place.map(path);
    const QRectF bounds = device.controlPointRect();
    if (!(bounds.width() < kMaxMaskSide && bounds.height() < kMaxMaskSide)) return mask;
    const int left = static_cast<int>(std::floor(bounds.left())) - 1;
    const int top = static_cast<int>(std::floor(bounds.top())) - 1;
    const int width = static_cast<int>(std::ceil(bounds.right())) + 1 - left;
    const int height = static_cast<int>(std::ceil(bounds.bottom())) + 1 - top;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return mask;
    image.fill(0);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, key.smooth);
        p.translate(-left, -top);
        p.fillPath(device, QColor(Qt::white));
    }
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width;) {
            const int a = qAlpha(row[x]);
            if (a == 0) {
                ++x;
                continue;
            }
            // Fully covered pixels make runs of their own; the others keep their coverage.
            const bool full = a == 255;
            int end = x + 1;
            while (end < width && qAlpha(row[end]) != 0 && (qAlpha(row[end]) == 255) == full) ++end;
            GlyphMask::Run run{top + y, left + x, end - x, -1};
            if (!full) {
                run.coverage = static_cast<int32_t>(mask.coverage.size());
                for (int k = x; k < end; ++k) mask.coverage.push_back(static_cast<uint8_t>(qAlpha(row[k])));
            }
            mask.runs.push_back(run);
            x = end;
        }
    }
    return mask;
}

}  // namespace gdi
