#include "platform/fonts/FontMetrics.h"

#include "platform/gdi/TextEngine.h"

#include <algorithm>

namespace fonts {

namespace {

gdi::LogFont LogFontOf(const FontRequest& request) {
    gdi::LogFont font;
    font.height = -std::max(1, request.pixelHeight);
    font.weight = request.bold ? 700 : 400;
    font.italic = request.italic;
    font.charSet = request.charSet;
    font.outPrecision = 4;
    font.clipPrecision = 16;
    font.quality = 2;
    font.pitchAndFamily = 4;
    font.faceName = request.face.empty() ? std::string("Arial") : request.face;
    return font;
}

}  // namespace

FontTableMetrics FontMetricsOf(const FontRequest& request) {
    const gdi::TextMetrics m = gdi::TextEngine::MeasureMetrics(LogFontOf(request));
    return {m.height, m.ascent, m.externalLeading, request.charSet};
}

std::vector<int32_t> FontAdvances(const FontRequest& request, std::u16string_view units) {
    gdi::TextEngine& engine = gdi::TextEngine::Instance();
    return gdi::TextEngine::Advances(*engine.Resolve(LogFontOf(request)), units);
}

std::string ResolvedFace(const FontRequest& request) { return gdi::TextEngine::ResolvedFaceName(LogFontOf(request)); }

}  // namespace fonts
