#pragma once
// Fonts of the drawing layer: a logical font resolved to a face on this
// system, its metrics and character advances in logical units, and the glyphs
// to paint. Measuring uses the faces' design metrics scaled linearly to the
// font's size, so it is the same on every device and resolution; each
// character's advance is rounded on its own, so extents add up like those of
// a device context. Internal to the drawing layer; one instance per thread.

#include "platform/gdi/GdiTypes.h"

#include <QtGui/QPainterPath>
#include <QtGui/QRawFont>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace gdi {

class TextEngine {
public:
    // A resolved logical font.
    struct Face;

    // The engine of the calling thread.
    static TextEngine& Instance();

    std::shared_ptr<Face> Resolve(const LogFont& font);

    // What every canvas answers when asked to measure with a logical font.
    static TextMetrics MeasureMetrics(const LogFont& font);
    // result[i] is the width of text[0..i].
    static std::vector<int32_t> MeasurePartialExtents(const LogFont& font, std::u16string_view text);
    static std::string ResolvedFaceName(const LogFont& font);

    static TextMetrics Metrics(const Face& face);
    // One advance per UTF-16 unit (the second unit of a pair has none).
    static std::vector<int32_t> Advances(Face& face, std::u16string_view text);
    static std::string FaceName(const Face& face);

    // What painting needs: a raw font whose pixel size is the em size in
    // logical units, the horizontal stretch of the logical font's width, the
    // glyph of each UTF-16 unit (0: none) and the line positions.
    struct PaintInfo {
        QRawFont font;
        double stretch = 1;
        double underlinePosition = 0;  // below the baseline
        double strikeOutPosition = 0;  // above the baseline
        double lineThickness = 1;
    };
    static PaintInfo Paint(Face& face);
    // A number that names the face, as painted, for the life of the process.
    static uint64_t PaintId(const Face& face);
    static std::vector<quint32> Glyphs(Face& face, std::u16string_view text);

    // What glyph outlines need: a glyph's path at the face's reference size
    // (y down, origin on the baseline at the glyph's start; cached), and the
    // factors that take reference units to the logical font's units.
    struct OutlineInfo {
        double scale = 1;    // logical units per reference unit
        double stretch = 1;  // horizontal factor of the logical font's width
    };
    static OutlineInfo Outline(const Face& face);
    static QPainterPath GlyphPath(Face& face, quint32 glyph);

    TextEngine();
    ~TextEngine();

private:
    struct Cache;
    std::unique_ptr<Cache> cache_;
};

}  // namespace gdi
