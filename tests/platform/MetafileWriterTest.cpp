#include "platform/gdi/Metafile.h"
#include "platform/gdi/MetafileWriter.h"

#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

#include <map>
#include <memory>
#include <set>

namespace {

using namespace gdi;

uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }
int16_t I16(const std::vector<uint8_t>& b, size_t at) { return static_cast<int16_t>(U16(b, at)); }
uint32_t U32(const std::vector<uint8_t>& b, size_t at) { return U16(b, at) | (static_cast<uint32_t>(U16(b, at + 2)) << 16); }

// A WMF read back record by record, with every structural rule checked on the way.
struct WmfRecord {
    uint16_t function = 0;
    std::vector<uint8_t> params;
    int16_t Param(size_t i) const { return static_cast<int16_t>(params[2 * i] | (params[2 * i + 1] << 8)); }
};

struct ParsedWmf {
    int16_t left = 0, top = 0, right = 0, bottom = 0;
    uint16_t inch = 0;
    uint16_t objects = 0;
    std::vector<WmfRecord> records;
    std::map<uint16_t, int> counts;
    int peakObjects = 0;
    std::string problems;
};

int CreatesObject(uint16_t f) {
    return f == wmf::META_CREATEPENINDIRECT || f == wmf::META_CREATEBRUSHINDIRECT || f == wmf::META_CREATEFONTINDIRECT ||
           f == wmf::META_DIBCREATEPATTERNBRUSH || f == wmf::META_CREATEREGION;
}

ParsedWmf ParseWmf(const std::vector<uint8_t>& b) {
    ParsedWmf wmf;
    auto fail = [&wmf](const std::string& what) { wmf.problems += what + "; "; };
    if (b.size() < 40) {
        fail("too short");
        return wmf;
    }
    if (U32(b, 0) != wmf::kPlaceableKey) fail("no placeable key");
    uint16_t checksum = 0;
    for (size_t i = 0; i < 20; i += 2) checksum ^= U16(b, i);
    if (checksum != U16(b, 20)) fail("placeable checksum");
    wmf.left = I16(b, 6);
    wmf.top = I16(b, 8);
    wmf.right = I16(b, 10);
    wmf.bottom = I16(b, 12);
    wmf.inch = U16(b, 14);
    if (U16(b, 22) != 1 || U16(b, 24) != 9 || U16(b, 26) != 0x0300) fail("metafile header");
    if (static_cast<size_t>(U32(b, 28)) * 2 + 22 != b.size()) fail("size in the header");
    wmf.objects = U16(b, 32);
    const uint32_t maxRecord = U32(b, 34);
    uint32_t largest = 0;
    // The object table as a reader keeps it: the lowest free slot is taken.
    std::vector<bool> table(wmf.objects, false);
    size_t at = 40;
    bool ended = false;
    while (at < b.size()) {
        if (at + 6 > b.size()) {
            fail("record header past the end");
            break;
        }
        const uint32_t words = U32(b, at);
        if (words < 3 || at + static_cast<size_t>(words) * 2 > b.size()) {
            fail("record size");
            break;
        }
        largest = std::max(largest, words);
        WmfRecord r;
        r.function = U16(b, at + 4);
        r.params.assign(b.begin() + static_cast<std::ptrdiff_t>(at + 6),
                        b.begin() + static_cast<std::ptrdiff_t>(at + words * 2));
        at += static_cast<size_t>(words) * 2;
        ++wmf.counts[r.function];
        if (CreatesObject(r.function)) {
            auto free = std::find(table.begin(), table.end(), false);
            if (free == table.end()) {
                fail("more objects than the header allows");
            } else {
                *free = true;
            }
            wmf.peakObjects = std::max(wmf.peakObjects, static_cast<int>(std::count(table.begin(), table.end(), true)));
        } else if (r.function == wmf::META_SELECTOBJECT || r.function == wmf::META_DELETEOBJECT ||
                   r.function == wmf::META_SELECTCLIPREGION) {
            const auto slot = static_cast<size_t>(r.Param(0));
            if (slot >= table.size() || !table[slot]) fail("use of a slot without an object");
            if (r.function == wmf::META_DELETEOBJECT && slot < table.size()) table[slot] = false;
        }
        const bool eof = r.function == wmf::META_EOF;
        wmf.records.push_back(std::move(r));
        if (eof) {
            ended = true;
            break;
        }
    }
    if (!ended) fail("no end record");
    if (at != b.size()) fail("bytes after the end record");
    if (largest != maxRecord) fail("largest record in the header");
    return wmf;
}

// The drawing every format test uses: a rectangle, an ellipse, a polygon,
// text and a bitmap, with two pens and two brushes.
std::shared_ptr<Bitmap> CheckerBitmap() {
    auto bitmap = std::make_shared<Bitmap>(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) bitmap->SetPixel(x, y, (x + y) % 2 ? Rgb(255, 0, 0) : Rgb(0, 0, 255));
    return bitmap;
}

void DrawTestPicture(Canvas& c) {
    c.pen().width = 2;
    c.pen().color = Rgb(0, 0, 255);
    c.brush() = SolidBrush(Rgb(255, 255, 0));
    c.Rectangle(10, 10, 110, 60);
    c.Rectangle(20, 20, 40, 40);  // same objects: nothing new
    c.brush() = SolidBrush(Rgb(0, 128, 0));
    c.Ellipse(130, 10, 230, 60);
    c.pen().color = Rgb(255, 0, 0);
    const Point triangle[] = {{10, 80}, {60, 140}, {110, 80}};
    c.Polygon(triangle);
    c.SetTextColor(Rgb(0, 0, 0));
    c.SetBkMode(BkMode::Transparent);
    c.font().height = -20;
    c.TextOut(130, 80, u"Grüße €");
    c.StretchBlt({130, 110, 170, 150}, *CheckerBitmap(), {0, 0, 4, 4});
    c.MoveTo(0, 160);
    c.LineTo(240, 160);
}

Metafile RecordedPicture() {
    Metafile metafile;
    metafile.SetSize(241, 171);
    {
        MetafileCanvas canvas(metafile);
        DrawTestPicture(canvas);
    }
    return metafile;
}

TEST(WmfWriter, HeaderAndRecordsAreValid) {
    const Metafile metafile = RecordedPicture();
    const ParsedWmf wmf = ParseWmf(metafile.WmfBytes());
    ASSERT_EQ(wmf.problems, "");
    EXPECT_EQ(wmf.left, 0);
    EXPECT_EQ(wmf.top, 0);
    EXPECT_EQ(wmf.right, 241);
    EXPECT_EQ(wmf.bottom, 171);
    EXPECT_EQ(wmf.inch, metafile.Reference().logPixelsX);
    EXPECT_GE(wmf.objects, wmf.peakObjects);
    // Pen, brush and font alive at once, and one more while an object is replaced.
    EXPECT_LE(wmf.peakObjects, 4);

    const std::map<uint16_t, int> expected = {
        {wmf::META_RECTANGLE, 2}, {wmf::META_ELLIPSE, 1},          {wmf::META_POLYGON, 1},
        {wmf::META_EXTTEXTOUT, 1}, {wmf::META_STRETCHDIB, 1},       {wmf::META_MOVETO, 1},
        {wmf::META_LINETO, 1},     {wmf::META_CREATEPENINDIRECT, 2}, {wmf::META_CREATEBRUSHINDIRECT, 2},
        {wmf::META_CREATEFONTINDIRECT, 1}, {wmf::META_SETBKMODE, 2}, {wmf::META_SETTEXTCOLOR, 1},
        {wmf::META_EOF, 1},
    };
    for (const auto& [function, count] : expected) {
        const auto found = wmf.counts.find(function);
        EXPECT_EQ(found == wmf.counts.end() ? 0 : found->second, count) << std::hex << function;
    }
    // Every object made is deleted again, except the ones still selected.
    EXPECT_EQ(wmf.counts.at(wmf::META_DELETEOBJECT), 1 + 1);
}

// Stands in for the program's codec: the euro sign and Latin-1.
char TestEncoder(char32_t code, bool* ok) {
    if (ok) *ok = code <= 0xFF || code == 0x20AC;
    if (code == 0x20AC) return '\x80';
    return code <= 0xFF ? static_cast<char>(code) : '?';
}

TEST(WmfWriter, RecordsCarryTheCallsParameters) {
    Metafile metafile = RecordedPicture();
    metafile.SetAnsiEncoder(&TestEncoder);
    const ParsedWmf wmf = ParseWmf(metafile.WmfBytes());
    ASSERT_EQ(wmf.problems, "");
    std::vector<const WmfRecord*> rectangles, texts, pens;
    const WmfRecord* stretch = nullptr;
    for (const WmfRecord& r : wmf.records) {
        if (r.function == wmf::META_RECTANGLE) rectangles.push_back(&r);
        if (r.function == wmf::META_EXTTEXTOUT) texts.push_back(&r);
        if (r.function == wmf::META_CREATEPENINDIRECT) pens.push_back(&r);
        if (r.function == wmf::META_STRETCHDIB) stretch = &r;
    }
    ASSERT_EQ(rectangles.size(), 2u);
    // Bottom, right, top, left.
    EXPECT_EQ(std::vector<int>({rectangles[0]->Param(0), rectangles[0]->Param(1), rectangles[0]->Param(2),
                                rectangles[0]->Param(3)}),
              std::vector<int>({60, 110, 10, 10}));
    ASSERT_EQ(pens.size(), 2u);
    EXPECT_EQ(pens[0]->Param(1), 2);  // width
    EXPECT_EQ(U32(pens[1]->params, 6), Rgb(255, 0, 0));

    ASSERT_EQ(texts.size(), 1u);
    const WmfRecord& text = *texts[0];
    EXPECT_EQ(text.Param(0), 80);  // y
    EXPECT_EQ(text.Param(1), 130);  // x
    ASSERT_EQ(text.Param(2), 7);
    const std::string bytes(text.params.begin() + 8, text.params.begin() + 15);
    EXPECT_EQ(bytes, "Gr\xFC\xDF" "e \x80");  // through the encoder
    // The advances follow the (even-padded) string.
    int advanceSum = 0;
    for (int i = 0; i < 7; ++i) advanceSum += text.Param(4 + 4 + i);
    EXPECT_GT(advanceSum, 40);

    ASSERT_NE(stretch, nullptr);
    // Destination height, width, y, x; then a 24-bit DIB of 4 x 4.
    EXPECT_EQ(stretch->Param(7), 40);
    EXPECT_EQ(stretch->Param(8), 40);
    EXPECT_EQ(stretch->Param(9), 110);
    EXPECT_EQ(stretch->Param(10), 130);
    EXPECT_EQ(U32(stretch->params, 22), 40u);  // header size
    EXPECT_EQ(U16(stretch->params, 22 + 14), 24);
    // The bottom row comes first: pixel (0, 3) is red, (1, 3) blue (B, G, R bytes).
    const size_t bits = 22 + 40;
    EXPECT_EQ(stretch->params[bits + 2], 255);
    EXPECT_EQ(stretch->params[bits + 3], 255);
}

// The bytes of the one text record of a picture with the text in the font.
std::string WmfTextBytes(std::u16string_view text, uint8_t charSet, Metafile::AnsiEncoder encoder) {
    Metafile metafile;
    metafile.SetSize(10, 10);
    metafile.SetAnsiEncoder(encoder);
    {
        MetafileCanvas c(metafile);
        c.font().charSet = charSet;
        c.TextOut(0, 0, text);
    }
    for (const WmfRecord& r : ParseWmf(metafile.WmfBytes()).records) {
        if (r.function != wmf::META_EXTTEXTOUT) continue;
        const auto n = static_cast<size_t>(r.Param(2));
        return std::string(r.params.begin() + 8, r.params.begin() + 8 + static_cast<std::ptrdiff_t>(n));
    }
    return "(no text)";
}

TEST(WmfWriter, TextBytes) {
    EXPECT_EQ(WmfTextBytes(u"a\u00E9\u20AC", DEFAULT_CHARSET, nullptr), "a\xE9?");  // no encoder: Latin-1
    EXPECT_EQ(WmfTextBytes(u"a\u00E9\u20AC", DEFAULT_CHARSET, &TestEncoder), "a\xE9\x80");
    EXPECT_EQ(WmfTextBytes(u"x\U0001F600y", DEFAULT_CHARSET, &TestEncoder), "x?y");  // a pair is one character
    EXPECT_EQ(WmfTextBytes(u"\uF041\uF0E0", SYMBOL_CHARSET, &TestEncoder), "A\xE0");
}

TEST(WmfWriter, ClipRegionsAreSetWithinASavedState) {
    Metafile metafile;
    metafile.SetSize(100, 100);
    {
        MetafileCanvas c(metafile);
        c.pen().color = Rgb(1, 2, 3);
        c.Rectangle(0, 0, 10, 10);
        c.IntersectClipRect(5, 5, 50, 50);
        c.Rectangle(0, 0, 60, 60);
        Region two = Region::FromRect({0, 0, 10, 10});
        two.Combine(two, Region::FromRect({20, 20, 30, 40}), RegionCombine::Or);
        c.SelectClipRgn(&two);
        c.pen().color = Rgb(4, 5, 6);  // a new pen inside the saved state
        c.Rectangle(0, 0, 60, 60);
        c.SelectClipRgn(nullptr);
        c.Rectangle(0, 0, 60, 60);
    }
    const ParsedWmf wmf = ParseWmf(metafile.WmfBytes());
    ASSERT_EQ(wmf.problems, "");
    std::vector<uint16_t> sequence;
    for (const WmfRecord& r : wmf.records)
        if (r.function == wmf::META_SAVEDC || r.function == wmf::META_RESTOREDC ||
            r.function == wmf::META_INTERSECTCLIPRECT || r.function == wmf::META_CREATEREGION ||
            r.function == wmf::META_SELECTCLIPREGION || r.function == wmf::META_RECTANGLE)
            sequence.push_back(r.function);
    const std::vector<uint16_t> expected = {
        wmf::META_RECTANGLE,
        wmf::META_SAVEDC,     wmf::META_INTERSECTCLIPRECT, wmf::META_RECTANGLE,
        wmf::META_RESTOREDC,  wmf::META_SAVEDC,            wmf::META_CREATEREGION, wmf::META_SELECTCLIPREGION,
        wmf::META_RECTANGLE,  wmf::META_RESTOREDC,         wmf::META_RECTANGLE,
    };
    EXPECT_EQ(sequence, expected);
    // After the state is restored, the second pen is gone and the first one is
    // selected again: the last rectangle needs a new pen of the second colour.
    EXPECT_EQ(wmf.counts.at(wmf::META_CREATEPENINDIRECT), 3);
}

// Other programs' readers ignore region clips: a clip that is one rectangle,
// however it was made, goes out as a clip rectangle in both formats.
TEST(MetafileWriter, AClipOfOneRectangleIsWrittenAsAClipRectangle) {
    Region joined = Region::FromRect({10, 20, 40, 60});
    joined.Combine(joined, Region::FromRect({40, 20, 70, 60}), RegionCombine::Or);  // one rectangle again
    Region single = Region::FromRect({10, 20, 70, 60});
    for (const Region* clip : std::initializer_list<const Region*>{&single, &joined}) {
        Metafile metafile;
        metafile.SetSize(100, 100);
        {
            MetafileCanvas c(metafile);
            c.SelectClipRgn(clip);
            c.Rectangle(0, 0, 90, 90);
        }
        const ParsedWmf wmf = ParseWmf(metafile.WmfBytes());
        ASSERT_EQ(wmf.problems, "");
        EXPECT_EQ(wmf.counts.count(wmf::META_CREATEREGION), 0u);
        ASSERT_EQ(wmf.counts.count(wmf::META_INTERSECTCLIPRECT), 1u);
        for (const WmfRecord& r : wmf.records)
            if (r.function == wmf::META_INTERSECTCLIPRECT)  // bottom, right, top, left
                EXPECT_EQ((std::vector<int16_t>{r.Param(0), r.Param(1), r.Param(2), r.Param(3)}),
                          (std::vector<int16_t>{60, 70, 20, 10}));

        const std::vector<uint8_t> emf = metafile.EmfBytes();
        std::map<uint32_t, int> counts;
        std::vector<int32_t> clipRect;
        for (size_t at = 0; at + 8 <= emf.size() && U32(emf, at + 4) >= 8; at += U32(emf, at + 4)) {
            ++counts[U32(emf, at)];
            if (U32(emf, at) == emf::EMR_INTERSECTCLIPRECT)
                for (size_t k = 0; k < 4; ++k) clipRect.push_back(static_cast<int32_t>(U32(emf, at + 8 + 4 * k)));
        }
        EXPECT_EQ(counts[emf::EMR_EXTSELECTCLIPRGN], 0);
        EXPECT_EQ(counts[emf::EMR_INTERSECTCLIPRECT], 1);
        EXPECT_EQ(clipRect, (std::vector<int32_t>{10, 20, 70, 60}));
    }
}

TEST(WmfWriter, MappedCoordinatesAreWrittenInDeviceUnits) {
    Metafile metafile;
    metafile.SetSize(200, 200);
    {
        MetafileCanvas c(metafile);
        c.SetMapMode(MapMode::Anisotropic);
        c.SetWindowExt(10, 10);
        c.SetViewportExt(20, 20);
        c.SetWindowOrg(5, 5);
        c.Rectangle(5, 5, 15, 10);
    }
    const ParsedWmf wmf = ParseWmf(metafile.WmfBytes());
    ASSERT_EQ(wmf.problems, "");
    for (const WmfRecord& r : wmf.records) {
        if (r.function != wmf::META_RECTANGLE) continue;
        EXPECT_EQ(std::vector<int>({r.Param(0), r.Param(1), r.Param(2), r.Param(3)}), std::vector<int>({10, 20, 0, 0}));
    }
}

TEST(WmfWriter, FilledRegionsBecomeRectanglesWithoutOutline) {
    Metafile metafile;
    metafile.SetSize(100, 100);
    {
        MetafileCanvas c(metafile);
        Region two = Region::FromRect({0, 0, 10, 10});
        two.Combine(two, Region::FromRect({20, 30, 40, 50}), RegionCombine::Or);
        c.FillRgn(two, SolidBrush(Rgb(0, 255, 0)));
        c.InvertRgn(Region::FromRect({5, 5, 6, 6}));
    }
    const ParsedWmf wmf = ParseWmf(metafile.WmfBytes());
    ASSERT_EQ(wmf.problems, "");
    std::vector<std::vector<int>> rectangles;
    std::vector<int> mixes;
    for (const WmfRecord& r : wmf.records) {
        if (r.function == wmf::META_CREATEPENINDIRECT) {
            EXPECT_EQ(r.Param(0), static_cast<int>(PenStyle::Null));
        }
        if (r.function == wmf::META_SETROP2) mixes.push_back(r.Param(0));
        if (r.function == wmf::META_RECTANGLE) rectangles.push_back({r.Param(3), r.Param(2), r.Param(1), r.Param(0)});
    }
    // One pixel more on the right and bottom: a rectangle without outline
    // fills one pixel less there.
    EXPECT_EQ(rectangles, (std::vector<std::vector<int>>{{0, 0, 11, 11}, {20, 30, 41, 51}, {5, 5, 7, 7}}));
    EXPECT_EQ(mixes, (std::vector<int>{static_cast<int>(Rop2::CopyPen), static_cast<int>(Rop2::Not)}));
}

TEST(WmfWriter, AnEmptyOpaqueTextStillFillsItsRectangle) {
    Metafile metafile;
    metafile.SetSize(100, 100);
    {
        MetafileCanvas c(metafile);
        const Rect box{10, 20, 30, 40};
        c.ExtTextOut(10, 20, ETO_OPAQUE, &box, u"");
        c.ExtTextOut(10, 20, 0, nullptr, u"");  // nothing to write
    }
    const ParsedWmf wmf = ParseWmf(metafile.WmfBytes());
    ASSERT_EQ(wmf.problems, "");
    std::vector<const WmfRecord*> texts;
    for (const WmfRecord& r : wmf.records)
        if (r.function == wmf::META_EXTTEXTOUT) texts.push_back(&r);
    ASSERT_EQ(texts.size(), 1u);
    // y, x, no characters, the options, then left, top, right, bottom.
    ASSERT_EQ(texts[0]->params.size(), 16u);
    std::vector<int> params;
    for (size_t i = 0; i < 8; ++i) params.push_back(texts[0]->Param(i));
    EXPECT_EQ(params, (std::vector<int>{20, 10, 0, static_cast<int>(ETO_OPAQUE), 10, 20, 30, 40}));
}

TEST(WmfWriter, PolyPolygonCountsMatchThePointsWritten) {
    // A polygon with more points than a 16-bit count holds, then a triangle.
    std::vector<Point> points;
    for (int i = 0; i < 70000; ++i) points.push_back({i % 200, i / 400});
    const std::vector<Point> triangle = {{1, 2}, {3, 4}, {5, 6}};
    points.insert(points.end(), triangle.begin(), triangle.end());
    const int32_t counts[] = {70000, 3};
    Metafile metafile;
    metafile.SetSize(200, 200);
    {
        MetafileCanvas c(metafile);
        c.PolyPolygon(points, counts);
    }
    const ParsedWmf wmf = ParseWmf(metafile.WmfBytes());
    ASSERT_EQ(wmf.problems, "");
    const WmfRecord* poly = nullptr;
    for (const WmfRecord& r : wmf.records)
        if (r.function == wmf::META_POLYPOLYGON) poly = &r;
    ASSERT_NE(poly, nullptr);
    ASSERT_EQ(poly->Param(0), 2);
    const size_t first = U16(poly->params, 2), second = U16(poly->params, 4);
    EXPECT_EQ(first, 0xFFFFu);
    EXPECT_EQ(second, 3u);
    ASSERT_EQ(poly->params.size(), 6 + 4 * (first + second));
    // The triangle's points follow the first polygon's points that were kept.
    const size_t at = (6 + 4 * first) / 2;
    EXPECT_EQ(std::vector<int>({poly->Param(at), poly->Param(at + 1), poly->Param(at + 4), poly->Param(at + 5)}),
              std::vector<int>({1, 2, 5, 6}));
}

// A region whose object would not fit the 16-bit size of a region record.
Region ManyBandedRegion() {
    std::vector<Rect> rows;
    for (int y = 0; y < 6000; y += 2) rows.push_back({y % 7, y, 50 + y % 11, y + 1});
    return Region::FromRects(rows);
}

TEST(WmfWriter, ClipRegionsTooLargeForOneObjectAreSetRectangleByRectangle) {
    const Region clip = ManyBandedRegion();
    Metafile metafile;
    metafile.SetSize(100, 6000);
    {
        MetafileCanvas c(metafile);
        c.SelectClipRgn(&clip);
        c.Rectangle(0, 0, 100, 6000);
    }
    const ParsedWmf wmf = ParseWmf(metafile.WmfBytes());
    ASSERT_EQ(wmf.problems, "");
    EXPECT_EQ(wmf.counts.count(wmf::META_CREATEREGION), 0u);
    // The clip a reader ends up with: the box less every excluded rectangle.
    Region box;
    std::vector<Rect> excluded;
    for (const WmfRecord& r : wmf.records) {
        if (r.function != wmf::META_INTERSECTCLIPRECT && r.function != wmf::META_EXCLUDECLIPRECT) continue;
        const Rect rect{r.Param(3), r.Param(2), r.Param(1), r.Param(0)};
        if (r.function == wmf::META_INTERSECTCLIPRECT) box = Region::FromRect(rect);
        if (r.function == wmf::META_EXCLUDECLIPRECT) excluded.push_back(rect);
    }
    Region result;
    result.Combine(box, Region::FromRects(excluded), RegionCombine::Diff);
    EXPECT_TRUE(result == clip);
}

TEST(WmfWriter, AnEmptyPictureIsAValidFile) {
    Metafile metafile;
    metafile.SetSize(101, 51);
    const ParsedWmf wmf = ParseWmf(metafile.WmfBytes());
    EXPECT_EQ(wmf.problems, "");
    EXPECT_EQ(wmf.right, 101);
    EXPECT_EQ(wmf.bottom, 51);
}

// ---- EMF

TEST(EmfWriter, HeaderAndRecordsAreValid) {
    const std::vector<uint8_t> b = RecordedPicture().EmfBytes();
    ASSERT_GE(b.size(), 108u);
    EXPECT_EQ(U32(b, 0), emf::EMR_HEADER);
    EXPECT_EQ(U32(b, 40), emf::kSignature);
    EXPECT_EQ(U32(b, 48), b.size());
    EXPECT_EQ(static_cast<int32_t>(U32(b, 16)), 240);  // bounds, inclusive
    EXPECT_EQ(static_cast<int32_t>(U32(b, 20)), 170);
    const uint32_t records = U32(b, 52);
    const uint16_t handles = U16(b, 56);
    size_t at = 0;
    uint32_t seen = 0, last = 0;
    std::map<uint32_t, int> counts;
    std::set<uint32_t> live;
    while (at + 8 <= b.size()) {
        const uint32_t type = U32(b, at), size = U32(b, at + 4);
        ASSERT_TRUE(size >= 8 && size % 4 == 0 && at + size <= b.size()) << "record " << seen;
        ++counts[type];
        if (type == emf::EMR_CREATEPEN || type == emf::EMR_CREATEBRUSHINDIRECT ||
            type == emf::EMR_EXTCREATEFONTINDIRECTW) {
            const uint32_t handle = U32(b, at + 8);
            EXPECT_TRUE(handle >= 1 && handle < handles);
            EXPECT_TRUE(live.insert(handle).second) << "handle in use";
        }
        if (type == emf::EMR_SELECTOBJECT || type == emf::EMR_DELETEOBJECT) {
            EXPECT_TRUE(live.count(U32(b, at + 8))) << "handle without object";
            if (type == emf::EMR_DELETEOBJECT) live.erase(U32(b, at + 8));
        }
        last = type;
        ++seen;
        at += size;
    }
    EXPECT_EQ(at, b.size());
    EXPECT_EQ(seen, records);
    EXPECT_EQ(last, emf::EMR_EOF);
    EXPECT_EQ(counts[emf::EMR_RECTANGLE], 2);
    EXPECT_EQ(counts[emf::EMR_ELLIPSE], 1);
    EXPECT_EQ(counts[emf::EMR_POLYGON], 1);
    EXPECT_EQ(counts[emf::EMR_EXTTEXTOUTW], 1);
    EXPECT_EQ(counts[emf::EMR_STRETCHDIBITS], 1);
}

TEST(Metafile, SavesInTheChosenFormatAndReportsFailures) {
    QTemporaryDir dir;
    Metafile metafile = RecordedPicture();
    const QString wmfName = dir.filePath(QStringLiteral("a.wmf"));
    ASSERT_TRUE(metafile.SaveToFile(wmfName));
    QFile wmfFile(wmfName);
    ASSERT_TRUE(wmfFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(wmfFile.read(4) == QByteArray("\xD7\xCD\xC6\x9A", 4));

    metafile.SetEnhanced(true);
    const QString emfName = dir.filePath(QStringLiteral("a.emf"));
    ASSERT_TRUE(metafile.SaveToFile(emfName));
    QFile emfFile(emfName);
    ASSERT_TRUE(emfFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(emfFile.read(4), QByteArray("\x01\x00\x00\x00", 4));

    QString error;
    EXPECT_FALSE(metafile.SaveToFile(dir.filePath(QStringLiteral("missing/a.emf")), &error));
    EXPECT_FALSE(error.isEmpty());
}

// ---- a real reader

// The SVG that libwmf's converter makes of the metafile; empty when the
// converter fails (the reason goes to the test's output).
QString ConvertWithWmf2svg(const QString& converter, const Metafile& metafile, const QTemporaryDir& dir) {
    const QString input = dir.filePath(QStringLiteral("export.wmf"));
    const QString output = dir.filePath(QStringLiteral("export.svg"));
    if (!metafile.SaveToFile(input)) return {};
    QProcess process;
    process.start(converter, {QStringLiteral("-o"), output, input});
    process.waitForFinished(30000);
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    EXPECT_EQ(process.exitCode(), 0) << errors.toStdString();
    EXPECT_FALSE(errors.contains(QStringLiteral("ERROR"))) << errors.toStdString();
    QFile svgFile(output);
    if (!svgFile.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(svgFile.readAll());
}

// libwmf's converter reads the written file and shows the drawing: each
// shape, the text and the picture appear in its SVG.
TEST(WmfWriter, Wmf2svgReadsTheFile) {
    const QString converter = QStandardPaths::findExecutable(QStringLiteral("wmf2svg"));
    if (converter.isEmpty()) GTEST_SKIP() << "wmf2svg (libwmf-bin) is not installed";
    QTemporaryDir dir;
    const QString svg = ConvertWithWmf2svg(converter, RecordedPicture(), dir);
    ASSERT_FALSE(svg.isEmpty());
    // Two rectangles in yellow with a blue outline, the ellipse in green, the
    // triangle outlined red, the line, the picture, and the text placed
    // character by character along its advances.
    EXPECT_EQ(svg.count(QStringLiteral("<rect")), 2) << svg.toStdString();
    EXPECT_EQ(svg.count(QStringLiteral("fill:yellow")), 2);
    EXPECT_TRUE(svg.contains(QStringLiteral("stroke:blue")));
    EXPECT_EQ(svg.count(QStringLiteral("<ellipse")), 1);
    EXPECT_TRUE(svg.contains(QStringLiteral("fill:green")));
    EXPECT_EQ(svg.count(QStringLiteral("<polygon")), 1);
    EXPECT_TRUE(svg.contains(QStringLiteral("stroke:red")));
    EXPECT_EQ(svg.count(QStringLiteral("<line")), 1);
    EXPECT_EQ(svg.count(QStringLiteral("<image")), 1);
    EXPECT_TRUE(svg.contains(QStringLiteral(">G</text>")));
    EXPECT_TRUE(svg.contains(QStringLiteral(">r</text>")));
    EXPECT_TRUE(svg.contains(QStringLiteral(">e</text>")));
    // The picture's pixels arrive the right way up: a checker with blue at
    // the top-left corner and red beside it.
    const QImage picture(dir.filePath(QStringLiteral("export-1.png")));
    ASSERT_FALSE(picture.isNull());
    ASSERT_EQ(picture.size(), QSize(4, 4));
    EXPECT_EQ(picture.pixel(0, 0) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(picture.pixel(1, 0) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(picture.pixel(0, 3) & 0xFFFFFF, 0xFF0000u);
}

// The other kinds of records read without complaint: arcs and their
// shapes, rounded rectangles, hatch and pattern brushes, filled regions,
// pixels, clip rectangles and clip regions.
TEST(WmfWriter, Wmf2svgReadsEveryKindOfRecord) {
    const QString converter = QStandardPaths::findExecutable(QStringLiteral("wmf2svg"));
    if (converter.isEmpty()) GTEST_SKIP() << "wmf2svg (libwmf-bin) is not installed";
    Metafile metafile;
    metafile.SetSize(200, 200);
    {
        MetafileCanvas c(metafile);
        c.Arc(0, 0, 50, 50, 50, 25, 0, 25);
        c.brush() = HatchBrush(HatchStyle::Cross, Rgb(0, 0, 255));
        c.Pie(50, 0, 100, 50, 100, 25, 50, 25);
        c.Chord(100, 0, 150, 50, 150, 25, 100, 25);
        c.RoundRect(0, 60, 50, 100, 10, 10);
        c.brush().style = BrushStyle::Pattern;
        c.brush().pattern = CheckerBitmap();
        c.Rectangle(60, 60, 100, 100);
        c.SetPixel(5, 150, Rgb(255, 0, 0));
        c.IntersectClipRect(100, 100, 200, 200);
        c.Ellipse(90, 90, 150, 150);
        Region two = Region::FromRect({0, 100, 40, 140});
        two.Combine(two, Region::FromRect({50, 150, 90, 190}), RegionCombine::Or);
        c.SelectClipRgn(&two);
        c.FillRgn(Region::FromRect({0, 100, 100, 200}), SolidBrush(Rgb(0, 255, 0)));
        c.SelectClipRgn(nullptr);
        const Point bezier[] = {{150, 150}, {160, 100}, {190, 200}, {199, 150}};
        c.PolyBezier(bezier);
    }
    QTemporaryDir dir;
    const QString svg = ConvertWithWmf2svg(converter, metafile, dir);
    EXPECT_TRUE(svg.contains(QStringLiteral("<path")) || svg.contains(QStringLiteral("<polyline"))) << svg.toStdString();
}

}  // namespace
