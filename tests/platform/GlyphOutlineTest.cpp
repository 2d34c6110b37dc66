// Glyph outlines in the native format: structure, fidelity to the font's
// own curves (quadratic and cubic fonts), the matrix and the size protocol.

#include "platform/gdi/GlyphOutline.h"
#include "platform/gdi/RecordingCanvas.h"
#include "platform/gdi/TextEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <unordered_map>

namespace gdi {
namespace {

struct Pt {
    double x, y;
};

// One contour as read from the buffer: its start and its records.
struct Record {
    uint16_t type;
    std::vector<Pt> points;
};
struct Contour {
    Pt start;
    std::vector<Record> records;
};

double Fx(const uint8_t* p) {
    int32_t v;
    std::memcpy(&v, p, 4);
    return v / 65536.0;
}

// Reads the buffer strictly: every header and record must fit exactly.
std::vector<Contour> Parse(const std::vector<uint8_t>& data) {
    std::vector<Contour> contours;
    size_t pos = 0;
    while (pos < data.size()) {
        EXPECT_GE(data.size() - pos, kContourHeaderSize);
        uint32_t cb, type;
        std::memcpy(&cb, &data[pos], 4);
        std::memcpy(&type, &data[pos + 4], 4);
        EXPECT_EQ(type, kPolygonContour);
        EXPECT_LE(cb, data.size() - pos);
        Contour c{{Fx(&data[pos + 8]), Fx(&data[pos + 12])}, {}};
        size_t at = pos + kContourHeaderSize;
        while (at < pos + cb) {
            uint16_t kind, count;
            std::memcpy(&kind, &data[at], 2);
            std::memcpy(&count, &data[at + 2], 2);
            EXPECT_TRUE(kind == kLineRecord || kind == kQSplineRecord);
            EXPECT_GE(count, kind == kQSplineRecord ? 2 : 1);
            Record r{kind, {}};
            for (size_t k = 0; k < count; ++k) {
                const uint8_t* p = &data[at + kRecordHeaderSize + k * kFixedPointSize];
                r.points.push_back({Fx(p), Fx(p + 4)});
            }
            c.records.push_back(r);
            at += kRecordHeaderSize + count * kFixedPointSize;
        }
        EXPECT_EQ(at, pos + cb);
        contours.push_back(c);
        pos += cb;
    }
    return contours;
}

// Points along the outline, many per piece.
std::vector<Pt> Sample(const std::vector<Contour>& contours) {
    std::vector<Pt> out;
    for (const Contour& c : contours) {
        Pt from = c.start;
        for (const Record& r : c.records) {
            if (r.type == kLineRecord) {
                for (const Pt& p : r.points) {
                    for (int s = 0; s <= 20; ++s) out.push_back({from.x + (p.x - from.x) * s / 20, from.y + (p.y - from.y) * s / 20});
                    from = p;
                }
                continue;
            }
            for (size_t k = 0; k + 1 < r.points.size(); ++k) {
                const Pt b = r.points[k];
                const Pt e = k + 2 == r.points.size() ? r.points[k + 1]
                                                      : Pt{(b.x + r.points[k + 1].x) / 2, (b.y + r.points[k + 1].y) / 2};
                for (int s = 0; s <= 20; ++s) {
                    const double t = s / 20.0, u = 1 - t;
                    out.push_back({u * u * from.x + 2 * u * t * b.x + t * t * e.x, u * u * from.y + 2 * u * t * b.y + t * t * e.y});
                }
                from = e;
            }
            from = r.points.back();
        }
    }
    return out;
}

// The font's own outline, finely flattened, in logical units with y up.
std::vector<std::pair<Pt, Pt>> Reference(const LogFont& font, char16_t code) {
    TextEngine::Face& face = *TextEngine::Instance().Resolve(font);
    const std::u16string text(1, code);
    const QPainterPath path = TextEngine::GlyphPath(face, TextEngine::Glyphs(face, text)[0]);
    const TextEngine::OutlineInfo info = TextEngine::Outline(face);
    auto map = [&](const QPointF& q) { return Pt{q.x() * info.scale * info.stretch, -q.y() * info.scale}; };
    // Cubic pieces cut into 200 chords each: far finer than the tolerances.
    std::vector<std::pair<Pt, Pt>> segments;
    Pt last{0, 0};
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.type == QPainterPath::MoveToElement) {
            last = map(e);
        } else if (e.type == QPainterPath::LineToElement) {
            segments.push_back({last, map(e)});
            last = map(e);
        } else if (e.type == QPainterPath::CurveToElement) {
            const Pt p0 = last, p1 = map(e), p2 = map(path.elementAt(i + 1)), p3 = map(path.elementAt(i + 2));
            for (int s = 1; s <= 200; ++s) {
                const double t = s / 200.0, u = 1 - t;
                const Pt p{u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x,
                           u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y};
                segments.push_back({last, p});
                last = p;
            }
            i += 2;
        }
    }
    return segments;
}

// Distances to the nearest segment, looked up in a grid of 4-unit cells
// (only distances below 4 units are exact; larger ones count as 4 or more).
class NearestSegment {
public:
    explicit NearestSegment(std::vector<std::pair<Pt, Pt>> segments) : segments_(std::move(segments)) {
        for (size_t i = 0; i < segments_.size(); ++i) {
            const auto& [a, b] = segments_[i];
            for (int64_t x = Cell(std::min(a.x, b.x)); x <= Cell(std::max(a.x, b.x)); ++x) {
                for (int64_t y = Cell(std::min(a.y, b.y)); y <= Cell(std::max(a.y, b.y)); ++y) grid_[Key(x, y)].push_back(i);
            }
        }
    }
    double Distance(Pt p) const {
        double best = kCell;
        for (int64_t x = Cell(p.x) - 1; x <= Cell(p.x) + 1; ++x) {
            for (int64_t y = Cell(p.y) - 1; y <= Cell(p.y) + 1; ++y) {
                auto it = grid_.find(Key(x, y));
                if (it == grid_.end()) continue;
                for (size_t i : it->second) best = std::min(best, SegmentDistance(p, segments_[i].first, segments_[i].second));
            }
        }
        return best;
    }

private:
    static constexpr double kCell = 4;
    static int64_t Cell(double v) { return static_cast<int64_t>(std::floor(v / kCell)); }
    static int64_t Key(int64_t x, int64_t y) { return x * 1000003 + y; }
    static double SegmentDistance(Pt p, Pt a, Pt b) {
        const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
        const double t = len2 == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0);
        return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
    }
    std::vector<std::pair<Pt, Pt>> segments_;
    std::unordered_map<int64_t, std::vector<size_t>> grid_;
};

LogFont FontOf(const std::string& face, int32_t height) {
    LogFont f;
    f.faceName = face;
    f.height = height;
    return f;
}

}  // namespace

TEST(GlyphOutline, LetterOHasTwoContoursOfMergedSplines) {
    const std::optional<GlyphOutlineData> o = BuildGlyphOutline(FontOf("Arial", -100), u'O', Mat2{});
    ASSERT_TRUE(o);
    const std::vector<Contour> contours = Parse(o->data);
    ASSERT_EQ(contours.size(), 2u);
    size_t longest = 0;
    for (const Contour& c : contours) {
        for (const Record& r : c.records) longest = std::max(longest, r.points.size());
    }
    EXPECT_GT(longest, 2u);  // implied on-curve midpoints, as the font stores them
    // Black box: about the letter's size, sitting on the baseline.
    EXPECT_NEAR(o->metrics.blackBoxY, 74, 4);
    EXPECT_NEAR(o->metrics.blackBoxX, 70, 5);
    EXPECT_GT(o->metrics.glyphOrigin.y, 65);
    const std::vector<int32_t> advance = TextEngine::MeasurePartialExtents(FontOf("Arial", -100), u"O");
    EXPECT_EQ(o->metrics.cellIncX, advance[0]);
    EXPECT_EQ(o->metrics.cellIncY, 0);
}

TEST(GlyphOutline, FollowsTheFontsCurves) {
    // A TrueType face (quadratic: taken over exactly) and, where installed,
    // a CFF face (cubic: converted within 1/32 unit).
    struct Case { std::string face; double tolerance; };
    for (const Case& c : {Case{"Liberation Serif", 0.01}, Case{"Nimbus Sans", 1.0 / 32 + 0.01}}) {
        const LogFont font = FontOf(c.face, -2048);
        if (!TextEngine::ResolvedFaceName(font).starts_with(c.face)) {
            ADD_FAILURE() << c.face << " is not installed (scripts/setup): " << TextEngine::ResolvedFaceName(font);
            continue;
        }
        for (char16_t code : {u'S', u'g', u'&', u'@'}) {
            const std::optional<GlyphOutlineData> o = BuildGlyphOutline(font, code, Mat2{});
            ASSERT_TRUE(o);
            const NearestSegment reference(Reference(font, code));
            double worst = 0;
            for (const Pt& p : Sample(Parse(o->data))) worst = std::max(worst, reference.Distance(p));
            EXPECT_LT(worst, c.tolerance) << c.face << " " << char(code);
            EXPECT_GT(worst, 0) << c.face << " " << char(code);
        }
    }
}

TEST(GlyphOutline, MatrixTurnsAndStretches) {
    const LogFont font = FontOf("Arial", -200);
    const std::optional<GlyphOutlineData> upright = BuildGlyphOutline(font, u'L', Mat2{});
    // A quarter turn counter-clockwise (y up): (x, y) becomes (-y, x).
    const Mat2 quarter{0, 65536, -65536, 0};
    const std::optional<GlyphOutlineData> turned = BuildGlyphOutline(font, u'L', quarter);
    ASSERT_TRUE(upright && turned);
    const std::vector<Contour> a = Parse(upright->data), b = Parse(turned->data);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_NEAR(b[0].start.x, -a[0].start.y, 1e-4);
    EXPECT_NEAR(b[0].start.y, a[0].start.x, 1e-4);
    EXPECT_EQ(turned->metrics.blackBoxX, upright->metrics.blackBoxY);
    EXPECT_EQ(turned->metrics.blackBoxY, upright->metrics.blackBoxX);
    EXPECT_EQ(turned->metrics.cellIncX, 0);
    EXPECT_EQ(turned->metrics.cellIncY, upright->metrics.cellIncX);

    // Twice the height, twice the outline; a font width half the average narrows it.
    const std::optional<GlyphOutlineData> big = BuildGlyphOutline(FontOf("Arial", -400), u'L', Mat2{});
    EXPECT_NEAR(big->metrics.blackBoxY, 2.0 * upright->metrics.blackBoxY, 2);
    LogFont narrow = font;
    narrow.width = TextEngine::MeasureMetrics(font).aveCharWidth / 2;
    const std::optional<GlyphOutlineData> thin = BuildGlyphOutline(narrow, u'L', Mat2{});
    EXPECT_NEAR(thin->metrics.blackBoxX, upright->metrics.blackBoxX / 2.0, 3);
    EXPECT_EQ(thin->metrics.blackBoxY, upright->metrics.blackBoxY);
}

TEST(GlyphOutline, SizeProtocolAndCharactersWithoutOutline) {
    RecordingCanvas canvas;
    canvas.font() = FontOf("Arial", -50);
    GlyphMetrics metrics;
    const int64_t size = canvas.GetGlyphOutline(u'B', &metrics, {}, Mat2{});
    ASSERT_GT(size, 0);
    std::vector<uint8_t> small(static_cast<size_t>(size - 1));
    EXPECT_EQ(canvas.GetGlyphOutline(u'B', &metrics, small, Mat2{}), kGlyphOutlineError);
    std::vector<uint8_t> buffer(static_cast<size_t>(size) + 8, 0xEE);
    EXPECT_EQ(canvas.GetGlyphOutline(u'B', &metrics, buffer, Mat2{}), size);
    EXPECT_EQ(buffer[static_cast<size_t>(size)], 0xEE);  // nothing written beyond
    buffer.resize(static_cast<size_t>(size));
    EXPECT_EQ(Parse(buffer).size(), 3u);  // the outside and two counters
    // The canvas measures with its selected font.
    canvas.font().height = -100;
    GlyphMetrics twice;
    canvas.GetGlyphOutline(u'B', &twice, {}, Mat2{});
    EXPECT_NEAR(twice.blackBoxY, 2.0 * metrics.blackBoxY, 2);

    // A space: no contours but an advance; a character the font lacks: nothing.
    EXPECT_EQ(canvas.GetGlyphOutline(u' ', &metrics, {}, Mat2{}), 0);
    EXPECT_GT(metrics.cellIncX, 0);
    EXPECT_EQ(canvas.GetGlyphOutline(0xE123, &metrics, {}, Mat2{}), 0);
    EXPECT_EQ(metrics.cellIncX, 0);
    EXPECT_FALSE(BuildGlyphOutline(canvas.font(), 0xE123, Mat2{}));
    // Nor one beyond Unicode, whose surrogates would wrap round to an 'A'.
    EXPECT_FALSE(BuildGlyphOutline(canvas.font(), 0xA20400, Mat2{}));
}

}  // namespace gdi
