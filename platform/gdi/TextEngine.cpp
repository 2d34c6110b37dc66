#include "platform/gdi/TextEngine.h"

#include "platform/fonts/FontSubstitutes.h"
#include "platform/gdi/QtConvert.h"

#include <QtCore/QHash>
#include <QtGui/QFont>
#include <QtGui/QFontDatabase>

#include <algorithm>
#include <climits>
#include <cmath>
#include <list>
#include <map>
#include <tuple>

namespace gdi {

namespace {

// The pixel size at which faces are loaded for measuring; metrics scale
// linearly from it.
constexpr double kReferenceSize = 2048.0;
// The em size of a logical font of height 0.
constexpr double kDefaultEm = 12.0;
constexpr size_t kMaxCachedFonts = 256;

QFont QueryFont(const std::string& faceName, int32_t weight, bool italic) {
    QFont font(QString::fromUtf8(faceName.data(), static_cast<qsizetype>(faceName.size())));
    font.setPixelSize(static_cast<int>(kReferenceSize));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight == 0 ? FW_NORMAL : weight, 1, 1000)));
    font.setItalic(italic);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::NoFontMerging));
    return font;
}

using FaceKey = std::tuple<std::string, int32_t, bool>;

int32_t SaturatedSum(int32_t a, int32_t b) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{a} + b, INT32_MIN, INT32_MAX));
}

}  // namespace

// The private-use characters of symbol-charset text.
constexpr char32_t kSymbolBase = 0xF000;
constexpr char32_t kSymbolFirst = 0xF020;
constexpr char32_t kSymbolLast = 0xF0FF;

// A face loaded at the reference size with its glyph and advance caches.
struct ReferenceFace {
    QRawFont raw;
    QHash<char32_t, std::pair<quint32, double>> glyphs;  // glyph and design advance at the reference size
    QHash<quint32, QPainterPath> paths;                  // outlines at the reference size

    std::pair<quint32, double> Glyph(char32_t code) {
        auto it = glyphs.constFind(code);
        if (it != glyphs.constEnd()) return *it;
        QChar units[2];
        int count = 1;
        if (code > 0xFFFF) {
            units[0] = QChar::highSurrogate(code);
            units[1] = QChar::lowSurrogate(code);
            count = 2;
        } else {
            units[0] = QChar(static_cast<char16_t>(code));
        }
        quint32 glyph[2] = {0, 0};
        int glyphCount = 2;
        double advance = 0;
        if (raw.glyphIndexesForChars(units, count, glyph, &glyphCount) && glyphCount > 0) {
            QPointF adv[2];
            raw.advancesForGlyphIndexes(glyph, adv, 1, QRawFont::LayoutFlags(QRawFont::UseDesignMetrics));
            advance = adv[0].x();
        }
        // Text in a symbol charset arrives as U+F000 + byte. Symbol fonts
        // whose table maps the byte codes themselves are asked for the byte.
        if (glyph[0] == 0 && code >= kSymbolFirst && code <= kSymbolLast) {
            const std::pair<quint32, double> byCode = Glyph(code - kSymbolBase);
            return *glyphs.insert(code, byCode);
        }
        return *glyphs.insert(code, {glyph[0], advance});
    }
};

struct TextEngine::Face {
    LogFont font;
    std::shared_ptr<ReferenceFace> reference;
    double em = kDefaultEm;  // logical units
    double scale = 1;        // logical units per reference pixel
    double stretch = 1;
    TextMetrics metrics;
    QRawFont paintFont;  // created on first paint
    uint64_t paintId = 0;
};

struct TextEngine::Cache {
    std::map<FaceKey, std::shared_ptr<ReferenceFace>> faces;
    // Resolved logical fonts, most recently used first.
    std::list<std::shared_ptr<Face>> fonts;
};

TextEngine::TextEngine() : cache_(std::make_unique<Cache>()) { fonts::InstallFontSubstitutes(); }
TextEngine::~TextEngine() = default;

TextEngine& TextEngine::Instance() {
    thread_local TextEngine engine;
    return engine;
}

std::shared_ptr<TextEngine::Face> TextEngine::Resolve(const LogFont& font) {
    auto& fonts = cache_->fonts;
    for (auto it = fonts.begin(); it != fonts.end(); ++it) {
        if ((*it)->font == font) {
            if (it != fonts.begin()) fonts.splice(fonts.begin(), fonts, it);
            return fonts.front();
        }
    }
    const FaceKey key{font.faceName, font.weight, font.italic};
    std::shared_ptr<ReferenceFace>& reference = cache_->faces[key];
    if (!reference) {
        reference = std::make_shared<ReferenceFace>();
        reference->raw = QRawFont::fromFont(QueryFont(font.faceName, font.weight, font.italic));
    }
    auto face = std::make_shared<Face>();
    thread_local uint64_t faces = 0;  // the mask cache is per thread too
    face->paintId = ++faces;
    face->font = font;
    face->reference = reference;
    const QRawFont& raw = reference->raw;
    const double ascent = raw.isValid() ? raw.ascent() : kReferenceSize * 0.9;
    const double descent = raw.isValid() ? raw.descent() : kReferenceSize * 0.2;
    if (font.height < 0) {
        face->em = -static_cast<double>(font.height);
    } else if (font.height > 0) {
        face->em = font.height * kReferenceSize / std::max(1.0, ascent + descent);
    }
    face->scale = face->em / kReferenceSize;
    const double average = raw.isValid() ? raw.averageCharWidth() : kReferenceSize / 2;
    if (font.width != 0 && average > 0) face->stretch = std::abs(font.width) / (average * face->scale);

    TextMetrics& m = face->metrics;
    // The cell holds the glyphs whole: ascent and descent round up, and a
    // cell height asked for is kept exactly. Sizes saturate, however large
    // the font.
    auto roundUp = [](double v) { return RoundCoord(std::ceil(v - 1e-6)); };
    if (font.height > 0) {
        m.height = font.height;
        m.descent = std::min(m.height, roundUp(descent * face->scale));
        m.ascent = m.height - m.descent;
    } else {
        m.ascent = roundUp(ascent * face->scale);
        m.descent = roundUp(descent * face->scale);
        m.height = SaturatedSum(m.ascent, m.descent);
    }
    m.internalLeading = std::max(0, m.height - RoundCoord(face->em));
    m.externalLeading = raw.isValid() ? RoundCoord(raw.leading() * face->scale) : 0;
    m.aveCharWidth = RoundCoord(average * face->scale * face->stretch);
    m.maxCharWidth = raw.isValid() ? RoundCoord(raw.maxCharWidth() * face->scale * face->stretch) : m.aveCharWidth;
    m.weight = font.weight == 0 ? FW_NORMAL : font.weight;
    m.italic = font.italic;
    m.underlined = font.underline;
    m.struckOut = font.strikeOut;
    m.charSet = font.charSet;
    // Vector, TrueType; the lowest bit set means a variable pitch.
    const bool fixedPitch = QFontDatabase::isFixedPitch(raw.familyName(), raw.styleName());
    m.pitchAndFamily = static_cast<uint8_t>((font.pitchAndFamily & 0xF0) | 0x06 | (fixedPitch ? 0 : 1));

    fonts.push_front(face);
    if (fonts.size() > kMaxCachedFonts) fonts.pop_back();
    return face;
}

TextMetrics TextEngine::Metrics(const Face& face) { return face.metrics; }

TextMetrics TextEngine::MeasureMetrics(const LogFont& font) { return Instance().Resolve(font)->metrics; }

std::vector<int32_t> TextEngine::MeasurePartialExtents(const LogFont& font, std::u16string_view text) {
    std::vector<int32_t> extents = Advances(*Instance().Resolve(font), text);
    int32_t sum = 0;
    for (int32_t& e : extents) e = sum = SaturatedSum(sum, e);
    return extents;
}

std::string TextEngine::ResolvedFaceName(const LogFont& font) { return FaceName(*Instance().Resolve(font)); }

std::vector<int32_t> TextEngine::Advances(Face& face, std::u16string_view text) {
    std::vector<int32_t> advances(text.size(), 0);
    const double factor = face.scale * face.stretch;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        const bool pair = QChar::isHighSurrogate(text[i]) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1]);
        if (pair) code = QChar::surrogateToUcs4(text[i], text[i + 1]);
        advances[i] = RoundCoord(face.reference->Glyph(code).second * factor);
        if (pair) ++i;
    }
    return advances;
}

std::vector<quint32> TextEngine::Glyphs(Face& face, std::u16string_view text) {
    std::vector<quint32> glyphs(text.size(), 0);
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        const bool pair = QChar::isHighSurrogate(text[i]) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1]);
        if (pair) code = QChar::surrogateToUcs4(text[i], text[i + 1]);
        glyphs[i] = face.reference->Glyph(code).first;
        if (pair) ++i;
    }
    return glyphs;
}

TextEngine::OutlineInfo TextEngine::Outline(const Face& face) { return {face.scale, face.stretch}; }

QPainterPath TextEngine::GlyphPath(Face& face, quint32 glyph) {
    ReferenceFace& reference = *face.reference;
    auto it = reference.paths.constFind(glyph);
    if (it != reference.paths.constEnd()) return *it;
    const QPainterPath path = reference.raw.isValid() ? reference.raw.pathForGlyph(glyph) : QPainterPath();
    return *reference.paths.insert(glyph, path);
}

std::string TextEngine::FaceName(const Face& face) { return face.reference->raw.familyName().toStdString(); }

uint64_t TextEngine::PaintId(const Face& face) { return face.paintId; }

TextEngine::PaintInfo TextEngine::Paint(Face& face) {
    const QRawFont& raw = face.reference->raw;
    if (!face.paintFont.isValid() && raw.isValid()) {
        face.paintFont = raw;
        face.paintFont.setPixelSize(face.em);
    }
    PaintInfo info;
    info.font = face.paintFont;
    info.stretch = face.stretch;
    if (raw.isValid()) {
        info.underlinePosition = raw.underlinePosition() * face.scale;
        info.lineThickness = std::max(raw.lineThickness() * face.scale, 0.0);
        info.strikeOutPosition = raw.xHeight() * face.scale / 2;
    }
    return info;
}

}  // namespace gdi
