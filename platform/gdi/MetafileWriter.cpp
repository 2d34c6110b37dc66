#include "platform/gdi/MetafileWriter.h"

#include "platform/gdi/CanvasGeometry.h"
#include "platform/gdi/Metafile.h"
#include "platform/gdi/QtConvert.h"
#include "platform/gdi/TextEngine.h"

#include <QtGui/QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

namespace gdi {

namespace {

// ---- little-endian bytes

class Bytes {
public:
    void U8(uint8_t v) { data_.push_back(v); }
    void U16(uint16_t v) {
        U8(static_cast<uint8_t>(v));
        U8(static_cast<uint8_t>(v >> 8));
    }
    void I16(int32_t v) { U16(static_cast<uint16_t>(static_cast<int16_t>(std::clamp(v, -32768, 32767)))); }
    void U32(uint32_t v) {
        U16(static_cast<uint16_t>(v));
        U16(static_cast<uint16_t>(v >> 16));
    }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void F32(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        U32(bits);
    }
    void Append(const std::vector<uint8_t>& bytes) { data_.insert(data_.end(), bytes.begin(), bytes.end()); }
    void Zeros(size_t n) { data_.insert(data_.end(), n, 0); }
    void PadTo(size_t multiple) {
        while (data_.size() % multiple) U8(0);
    }
    void PutU32At(size_t offset, uint32_t v) {
        for (int i = 0; i < 4; ++i) data_[offset + i] = static_cast<uint8_t>(v >> (8 * i));
    }
    size_t Size() const { return data_.size(); }
    std::vector<uint8_t>& data() { return data_; }

private:
    std::vector<uint8_t> data_;
};

// ---- device-independent bitmaps

// A 24-bit bottom-up DIB of the source rectangle of the bitmap: the 40-byte
// header, then the rows padded to four bytes. Pixels with alpha are laid on
// white.
struct Dib {
    std::vector<uint8_t> header;
    std::vector<uint8_t> bits;
    int32_t width = 0;
    int32_t height = 0;
};

uint8_t OnWhite(uint32_t channel, uint32_t alpha) {
    return static_cast<uint8_t>((channel * alpha + 255 * (255 - alpha) + 127) / 255);
}

Dib MakeDib(const Bitmap& bitmap, const Rect& source) {
    Dib dib;
    const Rect r = IntersectRect(source.Normalized(), {0, 0, bitmap.Width(), bitmap.Height()});
    dib.width = std::max(1, r.Width());
    dib.height = std::max(1, r.Height());
    const size_t rowBytes = (static_cast<size_t>(dib.width) * 3 + 3) & ~size_t{3};
    dib.bits.assign(rowBytes * static_cast<size_t>(dib.height), 0xFF);
    const bool alpha = bitmap.image().hasAlphaChannel();
    for (int32_t y = 0; y < r.Height(); ++y) {
        const uint32_t* line = bitmap.ScanLine(r.top + y);
        uint8_t* out = dib.bits.data() + rowBytes * static_cast<size_t>(dib.height - 1 - y);
        for (int32_t x = 0; x < r.Width(); ++x) {
            const uint32_t p = line[r.left + x];
            const uint32_t a = alpha ? p >> 24 : 255;
            out[3 * x] = OnWhite(p & 0xFF, a);
            out[3 * x + 1] = OnWhite((p >> 8) & 0xFF, a);
            out[3 * x + 2] = OnWhite((p >> 16) & 0xFF, a);
        }
    }
    Bytes h;
    h.U32(40);
    h.I32(dib.width);
    h.I32(dib.height);
    h.U16(1);
    h.U16(24);
    h.U32(0);  // BI_RGB
    h.U32(static_cast<uint32_t>(dib.bits.size()));
    h.I32(0);
    h.I32(0);
    h.U32(0);
    h.U32(0);
    dib.header = std::move(h.data());
    return dib;
}

// ---- text

uint8_t AnsiByte(char32_t c, bool symbolFont, Metafile::AnsiEncoder encode) {
    if (symbolFont && c >= 0xF000 && c <= 0xF0FF) return static_cast<uint8_t>(c & 0xFF);
    if (encode) return static_cast<uint8_t>(encode(c, nullptr));
    return c <= 0xFF ? static_cast<uint8_t>(c) : '?';
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// ---- the common walk over the calls

constexpr uint32_t PS_ENDCAP_SQUARE = 0x100;
constexpr uint32_t PS_ENDCAP_FLAT = 0x200;
constexpr uint32_t PS_JOIN_BEVEL = 0x1000;
constexpr uint32_t PS_JOIN_MITER = 0x2000;
constexpr uint32_t BS_DIBPATTERNPT = 6;

// A pen as a metafile stores it: device width, style bits, resolved colour.
struct PenObject {
    uint32_t style = 0;
    int32_t width = 1;
    Color color = 0;
    friend bool operator==(const PenObject&, const PenObject&) = default;
};

PenObject PenFor(const Pen& pen, const XForm& m) {
    PenObject p;
    p.color = ResolveColor(pen.color);
    p.width = std::max(1, geometry::PenDeviceWidth(m, pen));
    const auto style = pen.style == PenStyle::UserStyle ? PenStyle::Solid : pen.style;
    p.style = static_cast<uint32_t>(style);
    if (pen.geometric) {
        if (pen.cap == PenEndCap::Square) p.style |= PS_ENDCAP_SQUARE;
        if (pen.cap == PenEndCap::Flat) p.style |= PS_ENDCAP_FLAT;
        if (pen.join == PenJoin::Bevel) p.style |= PS_JOIN_BEVEL;
        if (pen.join == PenJoin::Miter) p.style |= PS_JOIN_MITER;
    }
    return p;
}

Brush BrushFor(const Brush& brush) {
    Brush b = brush;
    b.color = ResolveColor(b.color);
    if (b.style == BrushStyle::Pattern && (!b.pattern || b.pattern->IsEmpty())) b.style = BrushStyle::Solid;
    if (b.style != BrushStyle::Pattern) b.pattern.reset();
    return b;
}

LogFont FontFor(const LogFont& font, const XForm& m) {
    LogFont f = font;
    f.height = RoundCoord(font.height * geometry::ScaleY(m));
    f.width = RoundCoord(font.width * geometry::ScaleX(m));
    // A map that mirrors turns the text the other way on the device.
    if (geometry::Determinant(m) < 0) {
        // Reduced to one turn first, so that any stored value negates.
        f.escapement = -(f.escapement % 3600);
        f.orientation = -(f.orientation % 3600);
    }
    return f;
}

// What the writers encode; coordinates are device units.
class Encoder {
public:
    virtual ~Encoder() = default;
    virtual void SaveDC() = 0;
    virtual void RestoreDC() = 0;
    virtual void IntersectClipRect(const Rect& r) = 0;
    virtual void ClipRegion(const Region& region, int slot) = 0;  // intersects; the slot is free for a moment
    virtual void TextColor(Color c) = 0;
    virtual void BkColor(Color c) = 0;
    virtual void BkMode(gdi::BkMode m) = 0;
    virtual void Rop2(gdi::Rop2 r) = 0;
    virtual void PolyFillMode(gdi::PolyFillMode m) = 0;
    virtual void TextAlign(uint32_t flags) = 0;
    virtual void StretchMode(gdi::StretchMode m) = 0;
    virtual void CreatePen(int slot, const PenObject& pen) = 0;
    virtual void CreateBrush(int slot, const Brush& brush) = 0;
    virtual void CreateFont(int slot, const LogFont& font) = 0;
    virtual void Select(int slot) = 0;
    virtual void Delete(int slot) = 0;
    virtual void Line(Point from, Point to) = 0;
    virtual void Polyline(const std::vector<Point>& points) = 0;
    virtual void Polygon(const std::vector<Point>& points) = 0;
    virtual void PolyPolygon(const std::vector<Point>& points, const std::vector<int32_t>& counts) = 0;
    virtual void Shape(Canvas::Shape shape, const Rect& box, Point a, Point b) = 0;
    virtual void Arc(const Rect& box, Point start, Point end) = 0;
    virtual void Text(Point at, uint32_t options, const Rect* rect, std::u16string_view text,
                      const std::vector<int32_t>& dx, bool symbolFont) = 0;
    virtual void StretchDib(const Rect& dest, const Dib& dib, uint32_t rop) = 0;
    virtual void SetPixel(Point p, Color c) = 0;
    virtual void PatBlt(const Rect& r, uint32_t rop) = 0;
};

// Walks the calls, keeps the device context's state as the reader will see
// it, and asks the encoder for the records that bring it to each call's state.
class Translator {
public:
    Translator(Encoder& out, int firstSlot) : out_(out), firstSlot_(firstSlot) {}

    void Run(const std::vector<RecordedCall>& calls) {
        for (const RecordedCall& call : calls) Translate(call);
        if (clipScope_) EndClipScope();
    }
    // The most objects alive at one time, and the highest slot number used + 1.
    int MaxObjects() const { return maxObjects_; }
    int SlotLimit() const { return static_cast<int>(slots_.size()) + firstSlot_; }

private:
    struct Objects {
        std::optional<int> pen, brush, font;
        PenObject penValue;
        Brush brushValue;
        LogFont fontValue;
    };
    struct Attributes {
        std::optional<Color> textColor, bkColor;
        std::optional<gdi::BkMode> bkMode;
        std::optional<gdi::Rop2> rop2;
        std::optional<gdi::PolyFillMode> fillMode;
        std::optional<uint32_t> textAlign;
        std::optional<gdi::StretchMode> stretchMode;
    };

    // ---- object slots: the lowest free one, as readers number them
    int Allocate() {
        auto free = std::find(slots_.begin(), slots_.end(), false);
        int index;
        if (free == slots_.end()) {
            slots_.push_back(true);
            index = static_cast<int>(slots_.size()) - 1;
        } else {
            *free = true;
            index = static_cast<int>(free - slots_.begin());
        }
        maxObjects_ = std::max(maxObjects_, static_cast<int>(std::count(slots_.begin(), slots_.end(), true)));
        return index + firstSlot_;
    }
    void Free(int slot) {
        out_.Delete(slot);
        slots_[static_cast<size_t>(slot - firstSlot_)] = false;
    }
    // An object replaced by another is deleted unless a saved state still
    // holds it selected.
    void Replace(std::optional<int>& current, const std::optional<int>& saved, int slot) {
        out_.Select(slot);
        if (current && !(clipScope_ && saved == current)) Free(*current);
        current = slot;
    }

    void UsePen(const PenObject& pen) {
        if (objects_.pen && objects_.penValue == pen) return;
        const int slot = Allocate();
        out_.CreatePen(slot, pen);
        Replace(objects_.pen, savedObjects_.pen, slot);
        objects_.penValue = pen;
    }
    void UseBrush(const Brush& brush) {
        if (objects_.brush && objects_.brushValue == brush) return;
        const int slot = Allocate();
        out_.CreateBrush(slot, brush);
        Replace(objects_.brush, savedObjects_.brush, slot);
        objects_.brushValue = brush;
    }
    void UseFont(const LogFont& font) {
        if (objects_.font && objects_.fontValue == font) return;
        const int slot = Allocate();
        out_.CreateFont(slot, font);
        Replace(objects_.font, savedObjects_.font, slot);
        objects_.fontValue = font;
    }

    // ---- clipping within a saved state
    void BeginClipScope() {
        out_.SaveDC();
        savedObjects_ = objects_;
        savedAttributes_ = attributes_;
        clipScope_ = true;
    }
    void EndClipScope() {
        out_.RestoreDC();
        clipScope_ = false;
        // The restored state selects the saved objects again; those made
        // since are no longer selected and can go.
        auto release = [this](const std::optional<int>& current, const std::optional<int>& saved) {
            if (current && current != saved) Free(*current);
        };
        release(objects_.pen, savedObjects_.pen);
        release(objects_.brush, savedObjects_.brush);
        release(objects_.font, savedObjects_.font);
        objects_ = savedObjects_;
        attributes_ = savedAttributes_;
        savedObjects_ = {};
    }
    void UseClip(const std::optional<Region>& clip) {
        if (clip == clip_) return;
        if (clipScope_) EndClipScope();
        clip_ = clip;
        if (!clip) return;
        BeginClipScope();
        const std::vector<Rect> rects = clip->Rects();
        if (rects.size() <= 1) {
            out_.IntersectClipRect(rects.empty() ? Rect{} : rects.front());
        } else {
            const int slot = Allocate();
            out_.ClipRegion(*clip, slot);
            slots_[static_cast<size_t>(slot - firstSlot_)] = false;
        }
    }

    // ---- attributes
    template <class T, class F>
    void Sync(std::optional<T>& known, T wanted, F write) {
        if (known && *known == wanted) return;
        write(wanted);
        known = wanted;
    }
    void UseAttributes(const Canvas::State& s) {
        Sync(attributes_.bkColor, ResolveColor(s.bkColor), [this](Color c) { out_.BkColor(c); });
        Sync(attributes_.bkMode, s.bkMode, [this](gdi::BkMode m) { out_.BkMode(m); });
        Sync(attributes_.rop2, s.rop2, [this](gdi::Rop2 r) { out_.Rop2(r); });
        Sync(attributes_.fillMode, s.polyFillMode, [this](gdi::PolyFillMode m) { out_.PolyFillMode(m); });
    }
    void UseTextAttributes(const Canvas::State& s) {
        Sync(attributes_.textColor, ResolveColor(s.textColor), [this](Color c) { out_.TextColor(c); });
        // Every text record names its own position.
        Sync(attributes_.textAlign, s.textAlign & ~TA_UPDATECP, [this](uint32_t a) { out_.TextAlign(a); });
    }

    // ---- the calls
    void Translate(const RecordedCall& call) {
        const Canvas::State& s = call.state;
        const XForm m = Canvas::LogicalToDevice(s);
        UseClip(s.clip);
        UseAttributes(s);
        switch (call.op) {
        case RecordedCall::Op::Line: TranslateLine(call, m); break;
        case RecordedCall::Op::Bezier: TranslateBezier(call, m); break;
        case RecordedCall::Op::Arc: TranslateArc(call, m); break;
        case RecordedCall::Op::Shape: TranslateShape(call, m); break;
        case RecordedCall::Op::Polygon: TranslatePolygon(call, m); break;
        case RecordedCall::Op::FillRegion: TranslateFillRegion(call); break;
        case RecordedCall::Op::Path: TranslatePath(call, m); break;
        case RecordedCall::Op::Text: TranslateText(call, m); break;
        case RecordedCall::Op::StretchBlt: TranslateStretchBlt(call, m); break;
        case RecordedCall::Op::SetPixel:
            if (!call.points.empty()) out_.SetPixel(call.points.front(), ResolveColor(call.color));
            break;
        }
    }

    static std::vector<Point> ToPoints(const QPolygonF& polygon) {
        std::vector<Point> out;
        out.reserve(static_cast<size_t>(polygon.size()));
        for (const QPointF& p : polygon) out.push_back({RoundCoord(p.x()), RoundCoord(p.y())});
        return out;
    }

    void DrawPolyline(const std::vector<Point>& points) {
        if (points.size() < 2) return;
        if (points.size() == 2) {
            out_.Line(points[0], points[1]);
        } else {
            out_.Polyline(points);
        }
    }

    void TranslateLine(const RecordedCall& call, const XForm& m) {
        UsePen(PenFor(call.state.pen, m));
        DrawPolyline(geometry::MapPoints(m, call.points));
    }

    void TranslateBezier(const RecordedCall& call, const XForm& m) {
        if (call.points.size() < 4) return;
        UsePen(PenFor(call.state.pen, m));
        const std::vector<Point> p = geometry::MapPoints(m, call.points);
        QPainterPath path(QPointF(p[0].x, p[0].y));
        for (size_t i = 1; i + 2 < p.size(); i += 3)
            path.cubicTo(p[i].x, p[i].y, p[i + 1].x, p[i + 1].y, p[i + 2].x, p[i + 2].y);
        for (const QPolygonF& line : path.toSubpathPolygons()) DrawPolyline(ToPoints(line));
    }

    void TranslateArc(const RecordedCall& call, const XForm& m) {
        UsePen(PenFor(call.state.pen, m));
        if (geometry::IsRectilinear(m)) {
            Point a = geometry::Map(m, call.a), b = geometry::Map(m, call.b);
            if (geometry::Determinant(m) < 0) std::swap(a, b);
            out_.Arc(geometry::MapRect(m, call.rect), a, b);
            return;
        }
        for (const QPolygonF& line : geometry::ArcPath(m, call.rect, call.a, call.b).toSubpathPolygons())
            DrawPolyline(ToPoints(line));
    }

    void UsePenAndBrush(const Canvas::State& s, const XForm& m) {
        UsePen(PenFor(s.pen, m));
        UseBrush(BrushFor(s.brush));
    }

    void TranslateShape(const RecordedCall& call, const XForm& m) {
        UsePenAndBrush(call.state, m);
        if (geometry::IsRectilinear(m)) {
            Point a, b;
            if (call.shape == Canvas::Shape::RoundRect) {
                const QSizeF corner = geometry::MapCorner(m, call.a);
                a = {RoundCoord(corner.width()), RoundCoord(corner.height())};
            } else if (call.shape == Canvas::Shape::Pie || call.shape == Canvas::Shape::Chord) {
                a = geometry::Map(m, call.a);
                b = geometry::Map(m, call.b);
                if (geometry::Determinant(m) < 0) std::swap(a, b);
            }
            out_.Shape(call.shape, geometry::MapRect(m, call.rect), a, b);
            return;
        }
        const QPainterPath outline = geometry::ShapePath(call.shape, m, call.rect, call.a, call.b);
        for (const QPolygonF& polygon : outline.toFillPolygons()) out_.Polygon(ToPoints(polygon));
    }

    void TranslatePolygon(const RecordedCall& call, const XForm& m) {
        UsePenAndBrush(call.state, m);
        const std::vector<Point> points = geometry::MapPoints(m, call.points);
        if (call.counts.size() <= 1) {
            if (points.size() >= 2) out_.Polygon(points);
            return;
        }
        out_.PolyPolygon(points, call.counts);
    }

    // Each rectangle of the region as a rectangle without outline (which
    // fills one pixel less on the right and bottom), in the mix mode that
    // the raster operation amounts to; readers draw these more faithfully
    // than pattern blits, which are left for operations that need them.
    void TranslateFillRegion(const RecordedCall& call) {
        UseBrush(BrushFor(call.fillBrush));
        const std::optional<gdi::Rop2> mix = PatternRopAsRop2(call.rop);
        if (!mix) {
            for (const Rect& r : call.region.Rects()) out_.PatBlt(r, call.rop);
            return;
        }
        Pen none;
        none.style = PenStyle::Null;
        UsePen(PenFor(none, XForm{}));
        Sync(attributes_.rop2, *mix, [this](gdi::Rop2 r) { out_.Rop2(r); });
        for (const Rect& r : call.region.Rects())
            out_.Shape(Canvas::Shape::Rectangle, {r.left, r.top, r.right + 1, r.bottom + 1}, {}, {});
    }

    void TranslatePath(const RecordedCall& call, const XForm& m) {
        const PathData flat = Flattened(call.path);
        // The figures of the path: each starts at a move.
        std::vector<Point> points;
        std::vector<int32_t> counts;
        std::vector<bool> closed;
        for (size_t i = 0; i < flat.points.size() && i < flat.types.size(); ++i) {
            const uint8_t type = flat.types[i];
            if ((type & ~PT_CLOSEFIGURE) == PT_MOVETO || counts.empty()) {
                counts.push_back(0);
                closed.push_back(false);
            }
            points.push_back(flat.points[i]);
            ++counts.back();
            if (type & PT_CLOSEFIGURE) closed.back() = true;
        }
        if (points.empty()) return;
        if (call.fill) {
            Pen pen = call.state.pen;
            if (!call.stroke) pen.style = PenStyle::Null;
            UsePen(PenFor(pen, m));
            UseBrush(BrushFor(call.state.brush));
            if (counts.size() == 1) {
                out_.Polygon(points);
            } else {
                out_.PolyPolygon(points, counts);
            }
            return;
        }
        if (!call.stroke) return;
        UsePen(PenFor(call.state.pen, m));
        size_t start = 0;
        for (size_t f = 0; f < counts.size(); ++f) {
            std::vector<Point> figure(points.begin() + static_cast<std::ptrdiff_t>(start),
                                      points.begin() + static_cast<std::ptrdiff_t>(start + counts[f]));
            if (closed[f] && !figure.empty()) figure.push_back(figure.front());
            DrawPolyline(figure);
            start += static_cast<size_t>(counts[f]);
        }
    }

    void TranslateText(const RecordedCall& call, const XForm& m) {
        if (call.points.empty()) return;
        const Canvas::State& s = call.state;
        UseTextAttributes(s);
        const LogFont font = FontFor(s.font, m);
        UseFont(font);
        // Advances keep the layout on readers whose fonts measure otherwise.
        std::vector<int32_t> logicalDx = call.dx;
        if (logicalDx.size() < call.text.size()) {
            const std::vector<int32_t> extents = TextEngine::MeasurePartialExtents(s.font, call.text);
            logicalDx.assign(call.text.size(), 0);
            for (size_t i = 0; i < call.text.size() && i < extents.size(); ++i)
                logicalDx[i] = extents[i] - (i ? extents[i - 1] : 0);
        }
        // Scaled along the running sum, so rounding does not drift.
        std::vector<int32_t> dx(logicalDx.size());
        const double scale = geometry::ScaleX(m);
        int64_t sum = 0;
        int32_t previous = 0;
        for (size_t i = 0; i < logicalDx.size(); ++i) {
            sum += logicalDx[i];
            const int32_t position = RoundCoord(static_cast<double>(sum) * scale);
            dx[i] = position - previous;
            previous = position;
        }
        uint32_t options = call.options & (ETO_OPAQUE | ETO_CLIPPED);
        std::optional<Rect> rect;
        if (call.hasRect && options) {
            rect = geometry::MapRect(m, call.rect);
        } else {
            options = 0;
        }
        out_.Text(geometry::Map(m, call.points.front()), options, rect ? &*rect : nullptr, call.text, dx,
                  s.font.charSet == SYMBOL_CHARSET);
    }

    void TranslateStretchBlt(const RecordedCall& call, const XForm& m) {
        if (!call.bitmap || call.bitmap->IsEmpty()) return;
        Sync(attributes_.stretchMode, call.state.stretchMode, [this](gdi::StretchMode v) { out_.StretchMode(v); });
        const Rect dest = geometry::MapRect(m, call.rect);
        if (dest.IsEmpty()) return;
        out_.StretchDib(dest, MakeDib(*call.bitmap, call.srcRect), call.rop);
    }

    Encoder& out_;
    int firstSlot_;
    std::vector<bool> slots_;
    int maxObjects_ = 0;
    Objects objects_, savedObjects_;
    Attributes attributes_, savedAttributes_;
    std::optional<Region> clip_;
    bool clipScope_ = false;
};

// ---- WMF

class WmfEncoder : public Encoder {
public:
    explicit WmfEncoder(Metafile::AnsiEncoder encode) : encode_(encode) {}
    const std::vector<uint8_t>& Records() { return records_.data(); }
    uint32_t MaxRecordWords() const { return maxRecord_; }

    void Record(uint16_t function, Bytes params) {
        params.PadTo(2);
        const uint32_t words = 3 + static_cast<uint32_t>(params.Size() / 2);
        records_.U32(words);
        records_.U16(function);
        records_.Append(params.data());
        maxRecord_ = std::max(maxRecord_, words);
    }
    void Simple(uint16_t function, uint16_t value) {
        Bytes p;
        p.U16(value);
        Record(function, std::move(p));
    }
    void ColorRecord(uint16_t function, Color c) {
        Bytes p;
        p.U32(c);
        Record(function, std::move(p));
    }
    static void PutRect(Bytes& p, const Rect& r) {  // reversed: bottom, right, top, left
        p.I16(r.bottom);
        p.I16(r.right);
        p.I16(r.top);
        p.I16(r.left);
    }
    void Frame(int32_t width, int32_t height) {
        Bytes org;
        org.I16(0);
        org.I16(0);
        Record(wmf::META_SETWINDOWORG, std::move(org));
        Bytes ext;
        ext.I16(height);
        ext.I16(width);
        Record(wmf::META_SETWINDOWEXT, std::move(ext));
    }
    void End() { Record(wmf::META_EOF, {}); }

    void SaveDC() override { Record(wmf::META_SAVEDC, {}); }
    void RestoreDC() override { Simple(wmf::META_RESTOREDC, static_cast<uint16_t>(-1)); }
    void IntersectClipRect(const Rect& r) override {
        Bytes p;
        PutRect(p, r);
        Record(wmf::META_INTERSECTCLIPRECT, std::move(p));
    }
    void ClipRegion(const Region& region, int slot) override {
        if (std::optional<Bytes> object = RegionObject(region)) {
            Record(wmf::META_CREATEREGION, std::move(*object));
            Simple(wmf::META_SELECTCLIPREGION, static_cast<uint16_t>(slot));
            Simple(wmf::META_DELETEOBJECT, static_cast<uint16_t>(slot));
            return;
        }
        // Too many rectangles for one region object: the region's box less
        // what the region leaves out of it, one rectangle at a time.
        const Rect box = region.Box();
        IntersectClipRect(box);
        Region holes;
        holes.Combine(Region::FromRect(box), region, RegionCombine::Diff);
        for (const Rect& r : holes.Rects()) {
            Bytes p;
            PutRect(p, r);
            Record(wmf::META_EXCLUDECLIPRECT, std::move(p));
        }
    }
    void TextColor(Color c) override { ColorRecord(wmf::META_SETTEXTCOLOR, c); }
    void BkColor(Color c) override { ColorRecord(wmf::META_SETBKCOLOR, c); }
    void BkMode(gdi::BkMode m) override { Simple(wmf::META_SETBKMODE, static_cast<uint16_t>(m)); }
    void Rop2(gdi::Rop2 r) override { Simple(wmf::META_SETROP2, static_cast<uint16_t>(r)); }
    void PolyFillMode(gdi::PolyFillMode m) override { Simple(wmf::META_SETPOLYFILLMODE, static_cast<uint16_t>(m)); }
    void TextAlign(uint32_t flags) override { Simple(wmf::META_SETTEXTALIGN, static_cast<uint16_t>(flags)); }
    void StretchMode(gdi::StretchMode m) override {
        Simple(wmf::META_SETSTRETCHBLTMODE, static_cast<uint16_t>(m));
    }
    void CreatePen(int, const PenObject& pen) override {
        Bytes p;
        p.U16(static_cast<uint16_t>(pen.style));
        p.I16(pen.width);
        p.I16(0);
        p.U32(pen.color);
        Record(wmf::META_CREATEPENINDIRECT, std::move(p));
    }
    void CreateBrush(int, const Brush& brush) override {
        Bytes p;
        if (brush.style == BrushStyle::Pattern) {
            const Dib dib = MakeDib(*brush.pattern, {0, 0, brush.pattern->Width(), brush.pattern->Height()});
            p.U16(static_cast<uint16_t>(BS_DIBPATTERNPT));
            p.U16(0);  // DIB_RGB_COLORS
            p.Append(dib.header);
            p.Append(dib.bits);
            Record(wmf::META_DIBCREATEPATTERNBRUSH, std::move(p));
            return;
        }
        p.U16(static_cast<uint16_t>(brush.style));
        p.U32(brush.color);
        p.U16(static_cast<uint16_t>(brush.hatch));
        Record(wmf::META_CREATEBRUSHINDIRECT, std::move(p));
    }
    void CreateFont(int, const LogFont& font) override {
        Bytes p;
        p.I16(font.height);
        p.I16(font.width);
        p.I16(font.escapement);
        p.I16(font.orientation);
        p.I16(font.weight);
        p.U8(font.italic);
        p.U8(font.underline);
        p.U8(font.strikeOut);
        p.U8(font.charSet);
        p.U8(font.outPrecision);
        p.U8(font.clipPrecision);
        p.U8(font.quality);
        p.U8(font.pitchAndFamily);
        const std::u16string face = QString::fromUtf8(font.faceName).toStdU16String();
        size_t n = 0;
        for (; n < face.size() && n < 31; ++n) p.U8(AnsiByte(face[n], false, encode_));
        p.Zeros(32 - n);
        Record(wmf::META_CREATEFONTINDIRECT, std::move(p));
    }
    void Select(int slot) override { Simple(wmf::META_SELECTOBJECT, static_cast<uint16_t>(slot)); }
    void Delete(int slot) override { Simple(wmf::META_DELETEOBJECT, static_cast<uint16_t>(slot)); }
    void Line(Point from, Point to) override {
        Bytes move;
        move.I16(from.y);
        move.I16(from.x);
        Record(wmf::META_MOVETO, std::move(move));
        Bytes line;
        line.I16(to.y);
        line.I16(to.x);
        Record(wmf::META_LINETO, std::move(line));
    }
    void Polyline(const std::vector<Point>& points) override { PointList(wmf::META_POLYLINE, points); }
    void Polygon(const std::vector<Point>& points) override { PointList(wmf::META_POLYGON, points); }
    // Counts are 16 bits: polygons past 65535, and the points of a polygon
    // past 65535, are left out.
    void PolyPolygon(const std::vector<Point>& points, const std::vector<int32_t>& counts) override {
        const size_t polygons = std::min<size_t>(counts.size(), 0xFFFF);
        Bytes p;
        p.U16(static_cast<uint16_t>(polygons));
        for (size_t i = 0; i < polygons; ++i) p.U16(static_cast<uint16_t>(std::min(counts[i], 0xFFFF)));
        size_t start = 0;
        for (size_t i = 0; i < polygons; ++i) {
            const size_t used = static_cast<size_t>(std::min(counts[i], 0xFFFF));
            for (size_t k = 0; k < used; ++k) {
                p.I16(points[start + k].x);
                p.I16(points[start + k].y);
            }
            start += static_cast<size_t>(counts[i]);
        }
        Record(wmf::META_POLYPOLYGON, std::move(p));
    }
    void Shape(Canvas::Shape shape, const Rect& box, Point a, Point b) override {
        Bytes p;
        switch (shape) {
        case Canvas::Shape::Rectangle:
            PutRect(p, box);
            Record(wmf::META_RECTANGLE, std::move(p));
            return;
        case Canvas::Shape::Ellipse:
            PutRect(p, box);
            Record(wmf::META_ELLIPSE, std::move(p));
            return;
        case Canvas::Shape::RoundRect:
            p.I16(a.y);
            p.I16(a.x);
            PutRect(p, box);
            Record(wmf::META_ROUNDRECT, std::move(p));
            return;
        case Canvas::Shape::Pie:
        case Canvas::Shape::Chord:
            PutRadials(p, box, a, b);
            Record(shape == Canvas::Shape::Pie ? wmf::META_PIE : wmf::META_CHORD, std::move(p));
            return;
        }
    }
    void Arc(const Rect& box, Point start, Point end) override {
        Bytes p;
        PutRadials(p, box, start, end);
        Record(wmf::META_ARC, std::move(p));
    }
    void Text(Point at, uint32_t options, const Rect* rect, std::u16string_view text, const std::vector<int32_t>& dx,
              bool symbolFont) override {
        // One byte per character; a surrogate pair is one '?' with both advances.
        std::string bytes;
        std::vector<int32_t> advances;
        for (size_t i = 0; i < text.size(); ++i) {
            int32_t advance = i < dx.size() ? dx[i] : 0;
            char32_t code = text[i];
            if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
                advance += i + 1 < dx.size() ? dx[i + 1] : 0;
                code = 0x10000 + ((static_cast<char32_t>(text[i]) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
                ++i;
            }
            bytes += static_cast<char>(AnsiByte(code, symbolFont, encode_));
            advances.push_back(advance);
        }
        if (bytes.empty() && !rect) return;
        // The length is a 16-bit count; longer texts go out in pieces. An
        // empty text still fills or clips its rectangle.
        constexpr size_t kPiece = 8192;
        int32_t x = at.x;
        for (size_t start = 0; start == 0 || start < bytes.size(); start += kPiece) {
            const size_t n = std::min(kPiece, bytes.size() - start);
            Bytes p;
            p.I16(at.y);
            p.I16(x);
            p.U16(static_cast<uint16_t>(n));
            p.U16(static_cast<uint16_t>(options));
            if (rect) {
                p.I16(rect->left);
                p.I16(rect->top);
                p.I16(rect->right);
                p.I16(rect->bottom);
            }
            for (size_t i = 0; i < n; ++i) p.U8(static_cast<uint8_t>(bytes[start + i]));
            p.PadTo(2);
            for (size_t i = 0; i < n; ++i) {
                p.I16(advances[start + i]);
                x += advances[start + i];
            }
            Record(wmf::META_EXTTEXTOUT, std::move(p));
        }
    }
    void StretchDib(const Rect& dest, const Dib& dib, uint32_t rop) override {
        Bytes p;
        p.U32(rop);
        p.U16(0);  // DIB_RGB_COLORS
        p.I16(dib.height);
        p.I16(dib.width);
        p.I16(0);
        p.I16(0);
        p.I16(dest.Height());
        p.I16(dest.Width());
        p.I16(dest.top);
        p.I16(dest.left);
        p.Append(dib.header);
        p.Append(dib.bits);
        Record(wmf::META_STRETCHDIB, std::move(p));
    }
    void SetPixel(Point pt, Color c) override {
        Bytes p;
        p.U32(c);
        p.I16(pt.y);
        p.I16(pt.x);
        Record(wmf::META_SETPIXEL, std::move(p));
    }
    void PatBlt(const Rect& r, uint32_t rop) override {
        Bytes p;
        p.U32(rop);
        p.I16(r.Height());
        p.I16(r.Width());
        p.I16(r.top);
        p.I16(r.left);
        Record(wmf::META_PATBLT, std::move(p));
    }

private:
    // The count is 16 bits: points past 65535 are left out.
    void PointList(uint16_t function, const std::vector<Point>& points) {
        const size_t n = std::min<size_t>(points.size(), 0xFFFF);
        Bytes p;
        p.U16(static_cast<uint16_t>(n));
        for (size_t i = 0; i < n; ++i) {
            p.I16(points[i].x);
            p.I16(points[i].y);
        }
        Record(function, std::move(p));
    }
    static void PutRadials(Bytes& p, const Rect& box, Point a, Point b) {
        p.I16(b.y);
        p.I16(b.x);
        p.I16(a.y);
        p.I16(a.x);
        PutRect(p, box);
    }
    // A region object: its header, then one scan per band of rectangles;
    // nothing when it is larger than its 16-bit size field can say.
    static std::optional<Bytes> RegionObject(const Region& region) {
        std::vector<std::vector<Rect>> bands;
        for (const Rect& r : region.Rects()) {
            if (bands.empty() || bands.back().front().top != r.top || bands.back().front().bottom != r.bottom)
                bands.emplace_back();
            bands.back().push_back(r);
        }
        Bytes scans;
        size_t maxScan = 0;
        for (const auto& band : bands) {
            const auto count = static_cast<uint16_t>(band.size() * 2);
            scans.U16(count);
            scans.I16(band.front().top);
            scans.I16(band.front().bottom);
            for (const Rect& r : band) {
                scans.I16(r.left);
                scans.I16(r.right);
            }
            scans.U16(count);
            maxScan = std::max(maxScan, band.size() * 2);
        }
        constexpr size_t kHeaderBytes = 22;
        if (kHeaderBytes + scans.Size() > 0x7FFF) return std::nullopt;
        const Rect box = region.Box();
        Bytes p;
        p.U16(0);       // next in chain
        p.U16(0x0006);  // region object
        p.U32(0);       // object count
        p.I16(static_cast<int32_t>(kHeaderBytes + scans.Size()));
        p.U16(static_cast<uint16_t>(bands.size()));
        p.U16(static_cast<uint16_t>(maxScan));
        p.I16(box.left);
        p.I16(box.top);
        p.I16(box.right);
        p.I16(box.bottom);
        p.Append(scans.data());
        return p;
    }

    Metafile::AnsiEncoder encode_;
    Bytes records_;
    uint32_t maxRecord_ = 3;
};

// ---- EMF

class EmfEncoder : public Encoder {
public:
    std::vector<uint8_t>& Records() { return records_.data(); }
    uint32_t RecordCount() const { return count_; }

    void Record(uint32_t type, Bytes params) {
        params.PadTo(4);
        records_.U32(type);
        records_.U32(static_cast<uint32_t>(8 + params.Size()));
        records_.Append(params.data());
        ++count_;
    }
    void Value(uint32_t type, uint32_t value) {
        Bytes p;
        p.U32(value);
        Record(type, std::move(p));
    }
    static void PutRect(Bytes& p, const Rect& r) {
        p.I32(r.left);
        p.I32(r.top);
        p.I32(r.right);
        p.I32(r.bottom);
    }
    // Bounds of points, inclusive.
    static void PutBounds(Bytes& p, const std::vector<Point>& points) {
        Rect b{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (const Point& pt : points) {
            b.left = std::min(b.left, pt.x);
            b.top = std::min(b.top, pt.y);
            b.right = std::max(b.right, pt.x);
            b.bottom = std::max(b.bottom, pt.y);
        }
        if (points.empty()) b = {};
        PutRect(p, b);
    }
    void End() {
        Bytes p;
        p.U32(0);   // palette entries
        p.U32(16);  // their offset
        p.U32(20);  // this record's size
        Record(emf::EMR_EOF, std::move(p));
    }

    void SaveDC() override { Record(emf::EMR_SAVEDC, {}); }
    void RestoreDC() override { Value(emf::EMR_RESTOREDC, static_cast<uint32_t>(-1)); }
    void IntersectClipRect(const Rect& r) override {
        Bytes p;
        PutRect(p, r);
        Record(emf::EMR_INTERSECTCLIPRECT, std::move(p));
    }
    void ClipRegion(const Region& region, int) override {
        const std::vector<Rect> rects = region.Rects();
        Bytes p;
        p.U32(static_cast<uint32_t>(32 + 16 * rects.size()));
        p.U32(1);  // RGN_AND
        p.U32(32);
        p.U32(1);  // RDH_RECTANGLES
        p.U32(static_cast<uint32_t>(rects.size()));
        p.U32(static_cast<uint32_t>(16 * rects.size()));
        PutRect(p, region.Box());
        for (const Rect& r : rects) PutRect(p, r);
        Record(emf::EMR_EXTSELECTCLIPRGN, std::move(p));
    }
    void TextColor(Color c) override { Value(emf::EMR_SETTEXTCOLOR, c); }
    void BkColor(Color c) override { Value(emf::EMR_SETBKCOLOR, c); }
    void BkMode(gdi::BkMode m) override { Value(emf::EMR_SETBKMODE, static_cast<uint32_t>(m)); }
    void Rop2(gdi::Rop2 r) override { Value(emf::EMR_SETROP2, static_cast<uint32_t>(r)); }
    void PolyFillMode(gdi::PolyFillMode m) override { Value(emf::EMR_SETPOLYFILLMODE, static_cast<uint32_t>(m)); }
    void TextAlign(uint32_t flags) override { Value(emf::EMR_SETTEXTALIGN, flags); }
    void StretchMode(gdi::StretchMode m) override { Value(emf::EMR_SETSTRETCHBLTMODE, static_cast<uint32_t>(m)); }
    void CreatePen(int slot, const PenObject& pen) override {
        Bytes p;
        p.U32(static_cast<uint32_t>(slot));
        p.U32(pen.style);
        p.I32(pen.width);
        p.I32(0);
        p.U32(pen.color);
        Record(emf::EMR_CREATEPEN, std::move(p));
    }
    void CreateBrush(int slot, const Brush& brush) override {
        Bytes p;
        p.U32(static_cast<uint32_t>(slot));
        if (brush.style == BrushStyle::Pattern) {
            const Dib dib = MakeDib(*brush.pattern, {0, 0, brush.pattern->Width(), brush.pattern->Height()});
            p.U32(0);   // DIB_RGB_COLORS
            p.U32(32);  // header offset
            p.U32(static_cast<uint32_t>(dib.header.size()));
            p.U32(static_cast<uint32_t>(32 + dib.header.size()));
            p.U32(static_cast<uint32_t>(dib.bits.size()));
            p.Append(dib.header);
            p.Append(dib.bits);
            Record(emf::EMR_CREATEDIBPATTERNBRUSHPT, std::move(p));
            return;
        }
        p.U32(static_cast<uint32_t>(brush.style));
        p.U32(brush.color);
        p.U32(static_cast<uint32_t>(brush.hatch));
        Record(emf::EMR_CREATEBRUSHINDIRECT, std::move(p));
    }
    void CreateFont(int slot, const LogFont& font) override {
        Bytes p;
        p.U32(static_cast<uint32_t>(slot));
        p.I32(font.height);
        p.I32(font.width);
        p.I32(font.escapement);
        p.I32(font.orientation);
        p.I32(font.weight);
        p.U8(font.italic);
        p.U8(font.underline);
        p.U8(font.strikeOut);
        p.U8(font.charSet);
        p.U8(font.outPrecision);
        p.U8(font.clipPrecision);
        p.U8(font.quality);
        p.U8(font.pitchAndFamily);
        const std::u16string face = QString::fromUtf8(font.faceName).toStdU16String();
        size_t n = 0;
        for (; n < face.size() && n < 31; ++n) p.U16(face[n]);
        p.Zeros(2 * (32 - n));
        // The rest of the panose form of the font: full name, style, version,
        // style size, match, reserved, vendor, culture, panose, padding.
        p.Zeros(128 + 64 + 6 * 4 + 10 + 2);
        Record(emf::EMR_EXTCREATEFONTINDIRECTW, std::move(p));
    }
    void Select(int slot) override { Value(emf::EMR_SELECTOBJECT, static_cast<uint32_t>(slot)); }
    void Delete(int slot) override { Value(emf::EMR_DELETEOBJECT, static_cast<uint32_t>(slot)); }
    void Line(Point from, Point to) override {
        Bytes move;
        move.I32(from.x);
        move.I32(from.y);
        Record(emf::EMR_MOVETOEX, std::move(move));
        Bytes line;
        line.I32(to.x);
        line.I32(to.y);
        Record(emf::EMR_LINETO, std::move(line));
    }
    void Polyline(const std::vector<Point>& points) override { PointList(emf::EMR_POLYLINE, points); }
    void Polygon(const std::vector<Point>& points) override { PointList(emf::EMR_POLYGON, points); }
    void PolyPolygon(const std::vector<Point>& points, const std::vector<int32_t>& counts) override {
        Bytes p;
        PutBounds(p, points);
        p.U32(static_cast<uint32_t>(counts.size()));
        p.U32(static_cast<uint32_t>(points.size()));
        for (int32_t c : counts) p.U32(static_cast<uint32_t>(c));
        PutPoints(p, points);
        Record(emf::EMR_POLYPOLYGON, std::move(p));
    }
    void Shape(Canvas::Shape shape, const Rect& box, Point a, Point b) override {
        Bytes p;
        PutRect(p, box);
        switch (shape) {
        case Canvas::Shape::Rectangle: Record(emf::EMR_RECTANGLE, std::move(p)); return;
        case Canvas::Shape::Ellipse: Record(emf::EMR_ELLIPSE, std::move(p)); return;
        case Canvas::Shape::RoundRect:
            p.I32(a.x);
            p.I32(a.y);
            Record(emf::EMR_ROUNDRECT, std::move(p));
            return;
        case Canvas::Shape::Pie:
        case Canvas::Shape::Chord:
            p.I32(a.x);
            p.I32(a.y);
            p.I32(b.x);
            p.I32(b.y);
            Record(shape == Canvas::Shape::Pie ? emf::EMR_PIE : emf::EMR_CHORD, std::move(p));
            return;
        }
    }
    void Arc(const Rect& box, Point start, Point end) override {
        Bytes p;
        PutRect(p, box);
        p.I32(start.x);
        p.I32(start.y);
        p.I32(end.x);
        p.I32(end.y);
        Record(emf::EMR_ARC, std::move(p));
    }
    void Text(Point at, uint32_t options, const Rect* rect, std::u16string_view text, const std::vector<int32_t>& dx,
              bool) override {
        const size_t n = text.size();
        const uint32_t stringOffset = 76;
        const uint32_t dxOffset = stringOffset + static_cast<uint32_t>((2 * n + 3) & ~size_t{3});
        Bytes p;
        PutRect(p, {0, 0, -1, -1});  // bounds not computed
        p.U32(1);                    // GM_COMPATIBLE
        p.F32(0);
        p.F32(0);
        p.I32(at.x);
        p.I32(at.y);
        p.U32(static_cast<uint32_t>(n));
        p.U32(stringOffset);
        p.U32(options);
        PutRect(p, rect ? *rect : Rect{});
        p.U32(dxOffset);
        for (char16_t c : text) p.U16(c);
        p.PadTo(4);
        for (size_t i = 0; i < n; ++i) p.I32(i < dx.size() ? dx[i] : 0);
        Record(emf::EMR_EXTTEXTOUTW, std::move(p));
    }
    void StretchDib(const Rect& dest, const Dib& dib, uint32_t rop) override {
        Bytes p;
        PutRect(p, {dest.left, dest.top, dest.right - 1, dest.bottom - 1});
        p.I32(dest.left);
        p.I32(dest.top);
        p.I32(0);
        p.I32(0);
        p.I32(dib.width);
        p.I32(dib.height);
        p.U32(80);  // header offset
        p.U32(static_cast<uint32_t>(dib.header.size()));
        p.U32(static_cast<uint32_t>(80 + dib.header.size()));
        p.U32(static_cast<uint32_t>(dib.bits.size()));
        p.U32(0);  // DIB_RGB_COLORS
        p.U32(rop);
        p.I32(dest.Width());
        p.I32(dest.Height());
        p.Append(dib.header);
        p.Append(dib.bits);
        Record(emf::EMR_STRETCHDIBITS, std::move(p));
    }
    void SetPixel(Point pt, Color c) override {
        Bytes p;
        p.I32(pt.x);
        p.I32(pt.y);
        p.U32(c);
        Record(emf::EMR_SETPIXELV, std::move(p));
    }
    void PatBlt(const Rect& r, uint32_t rop) override {
        Bytes p;
        PutRect(p, {r.left, r.top, r.right - 1, r.bottom - 1});
        p.I32(r.left);
        p.I32(r.top);
        p.I32(r.Width());
        p.I32(r.Height());
        p.U32(rop);
        p.I32(0);
        p.I32(0);
        for (float v : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f}) p.F32(v);  // source transform
        p.U32(0);  // source background colour
        p.U32(0);  // DIB_RGB_COLORS
        p.Zeros(16);  // no source bitmap
        Record(emf::EMR_BITBLT, std::move(p));
    }

private:
    static void PutPoints(Bytes& p, const std::vector<Point>& points) {
        for (const Point& pt : points) {
            p.I32(pt.x);
            p.I32(pt.y);
        }
    }
    void PointList(uint32_t type, const std::vector<Point>& points) {
        Bytes p;
        PutBounds(p, points);
        p.U32(static_cast<uint32_t>(points.size()));
        PutPoints(p, points);
        Record(type, std::move(p));
    }

    Bytes records_;
    uint32_t count_ = 0;
};

}  // namespace

std::vector<uint8_t> WritePlaceableWmf(const Metafile& metafile) {
    WmfEncoder encoder(metafile.GetAnsiEncoder());
    encoder.Frame(metafile.Width(), metafile.Height());
    Translator translator(encoder, 0);
    translator.Run(metafile.Calls());
    encoder.End();
    const std::vector<uint8_t>& records = encoder.Records();

    Bytes out;
    // The placeable header: key, no handle, frame, units per inch, checksum.
    out.U32(wmf::kPlaceableKey);
    out.U16(0);
    out.I16(0);
    out.I16(0);
    out.I16(metafile.Width());
    out.I16(metafile.Height());
    out.U16(static_cast<uint16_t>(std::clamp(metafile.Reference().logPixelsX, 1, 0xFFFF)));
    out.U32(0);
    uint16_t checksum = 0;
    for (size_t i = 0; i < 20; i += 2) checksum ^= static_cast<uint16_t>(out.data()[i] | (out.data()[i + 1] << 8));
    out.U16(checksum);
    // The metafile header: in memory, 9 words, version 3.
    out.U16(1);
    out.U16(9);
    out.U16(0x0300);
    out.U32(static_cast<uint32_t>((18 + records.size()) / 2));
    out.U16(static_cast<uint16_t>(std::max(translator.MaxObjects(), translator.SlotLimit())));
    out.U32(encoder.MaxRecordWords());
    out.U16(0);
    out.Append(records);
    return std::move(out.data());
}

std::vector<uint8_t> WriteEmf(const Metafile& metafile) {
    EmfEncoder encoder;
    Translator translator(encoder, 1);
    translator.Run(metafile.Calls());
    encoder.End();
    std::vector<uint8_t>& records = encoder.Records();

    const DeviceCaps& ref = metafile.Reference();
    const int32_t dpiX = std::max(1, ref.logPixelsX), dpiY = std::max(1, ref.logPixelsY);
    const int32_t deviceW = ref.horzRes > 0 ? ref.horzRes : 1920, deviceH = ref.vertRes > 0 ? ref.vertRes : 1080;
    const int32_t mmW = ref.horzSizeMM > 0 ? ref.horzSizeMM : RoundCoord(deviceW * 25.4 / dpiX);
    const int32_t mmH = ref.vertSizeMM > 0 ? ref.vertSizeMM : RoundCoord(deviceH * 25.4 / dpiY);
    const int32_t w = metafile.Width(), h = metafile.Height();

    Bytes out;
    constexpr uint32_t kHeaderSize = 108;
    out.U32(emf::EMR_HEADER);
    out.U32(kHeaderSize);
    EmfEncoder::PutRect(out, {0, 0, std::max(0, w - 1), std::max(0, h - 1)});
    // The frame in hundredths of a millimetre, inclusive.
    EmfEncoder::PutRect(out, {0, 0, std::max(0, RoundCoord(w * 2540.0 / dpiX) - 1),
                              std::max(0, RoundCoord(h * 2540.0 / dpiY) - 1)});
    out.U32(emf::kSignature);
    out.U32(0x10000);
    out.U32(static_cast<uint32_t>(kHeaderSize + records.size()));
    out.U32(encoder.RecordCount() + 1);
    out.U16(static_cast<uint16_t>(std::max(1, translator.SlotLimit())));
    out.U16(0);
    out.U32(0);  // no description
    out.U32(0);
    out.U32(0);  // no palette
    out.I32(deviceW);
    out.I32(deviceH);
    out.I32(mmW);
    out.I32(mmH);
    out.U32(0);  // no pixel format
    out.U32(0);
    out.U32(0);  // no OpenGL
    out.I32(mmW * 1000);
    out.I32(mmH * 1000);
    out.Append(records);
    return std::move(out.data());
}

}  // namespace gdi
