#include "design/DocumentPreview.h"

#include "document/DataBaseConnector.h"
#include "foundation/GeneralHelpers.h"
#include "pictures/ThumbManager.h"
#include "platform/gdi/Bitmap.h"
#include "tests/design/PreviewTesting.h"
#include "support/Colors.h"

#include <QtCore/QDateTime>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>

using namespace preview_testing;

namespace {

constexpr gdi::Color kBlue = gdi::Rgb(0, 0, 255);
constexpr gdi::Color kGreen = gdi::Rgb(0, 255, 0);

struct Rendered {
    bool ok = false;
    gdi::Bitmap bitmap;
};

Rendered Render(const std::vector<uint8_t>& bytes, int32_t width = 400, int32_t height = 400) {
    Rendered r{false, gdi::Bitmap(width, height)};
    TMemoryStream stream(bytes);
    r.ok = RenderDocumentPreview(r.bitmap, stream);
    return r;
}

// The pixel at (x, y) mm of a 100 x 100 mm label drawn at 399 pixels per 100 mm.
gdi::Color PixelAtMM(const gdi::Bitmap& bitmap, double x, double y) {
    return bitmap.Pixel(static_cast<int>(x * 3.99 + 0.5), static_cast<int>(y * 3.99 + 0.5));
}

// A document of one 100 x 100 mm label whose first design is written by body.
template <class Body>
std::vector<uint8_t> Document(Body body) {
    TDocumentBuilder doc;
    doc.Sheet(100, 100).Designs(1).BeginDesign();
    body(doc);
    doc.EndDesign();
    return doc.Bytes();
}

std::vector<uint8_t> WithRedSquare() {
    return Document([](TDocumentBuilder& doc) { doc.Box(ecRechteck, BoxAt(50, 50, 20, 20, kRed)); });
}

bool SamePixels(const gdi::Bitmap& a, const gdi::Bitmap& b) {
    return a.image() == b.image();
}

}  // namespace

TEST(RenderDocumentPreview, LandscapeLabelFitsTheBitmap) {
    TDocumentBuilder doc;
    doc.Sheet(50, 100, 1).Designs(1).BeginDesign().EndDesign();
    const Rendered r = Render(doc.Bytes(), 400, 400);
    ASSERT_TRUE(r.ok);
    // 100 mm across span 399 pixels: the bitmap is 400 wide, half as high.
    EXPECT_EQ(r.bitmap.Width(), 400);
    EXPECT_NEAR(r.bitmap.Height(), 200, 1);
}

TEST(RenderDocumentPreview, DrawsFiguresTurnedLikeTheDesign) {
    const Rendered r = Render(Document([](TDocumentBuilder& doc) {
        // A bar turned clockwise by 45 degrees runs from top-left to bottom-right.
        doc.Box(ecRechteck, BoxAt(50, 50, 60, 4, kBlue, 45));
        doc.Box(ecEllipse, BoxAt(20, 80, 10, 10, kGreen));
    }));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(PixelAtMM(r.bitmap, 65, 65), kBlue);
    EXPECT_NE(PixelAtMM(r.bitmap, 65, 35), kBlue);
    EXPECT_EQ(PixelAtMM(r.bitmap, 20, 80), kGreen);
    EXPECT_NE(PixelAtMM(r.bitmap, 16, 76), kGreen);  // outside the ellipse, inside its box
}

// Label texts are drawn as on the page, by the label text drawers: a text
// box's words within its margins, a round text along its circle.
TEST(RenderDocumentPreview, RichTextAndTextOnACircleAreDrawn) {
    auto unframed = [](double x, double y, double w, double h) {
        TBoxValues box = BoxAt(x, y, w, h);
        box.PenStyle = kPenClear;  // no frame: whatever is drawn is the text
        return box;
    };
    const Rendered r = Render(Document([&](TDocumentBuilder& doc) {
        TRTFTextRecord text;
        text.RTF = "{\\rtf1\\fs96 MMMM}";
        doc.Box(ecRTFText, unframed(50, 20, 80, 30));
        text.Write(doc.filer);
        TRTFTextRecord round;
        round.RTF = "{\\rtf1\\fs40 RUNDSCHRIFT RUNDSCHRIFT}";
        doc.Box(ecRotateRTFText, unframed(50, 70, 50, 50));
        round.Write(doc.filer);
        TCircleTextRecord{0, 1.0}.Write(doc.filer);
        // Far beyond the label, two sizes on one line: nothing is drawn,
        // and no pixel position runs out of range.
        TRTFTextRecord far;
        far.RTF = "{\\rtf1\\fs96 M\\fs20 m}";
        doc.Box(ecRTFText, unframed(50, 1e9, 80, 30));
        far.Write(doc.filer);
    }));
    ASSERT_TRUE(r.ok);
    // Dark pixels: the text's black, nothing of the label face.
    auto inkWithin = [&](auto inside) {
        int count = 0;
        for (int y = 0; y < r.bitmap.Height(); ++y)
            for (int x = 0; x < r.bitmap.Width(); ++x) {
                const gdi::Color c = r.bitmap.Pixel(x, y);
                const int sum = int(c & 0xFF) + int((c >> 8) & 0xFF) + int((c >> 16) & 0xFF);
                if (sum < 300 && inside(x / 3.99, y / 3.99)) ++count;
            }
        return count;
    };
    auto inBox = [](double x, double y) { return x > 11 && x < 89 && y > 6 && y < 34; };
    auto onRing = [](double x, double y) {
        const double d = std::hypot(x - 50, y - 70);
        return d > 15 && d < 26;
    };
    EXPECT_GT(inkWithin(inBox), 2000);
    EXPECT_GT(inkWithin(onRing), 500);
    // Elsewhere only the label's outline.
    auto onOutline = [](double x, double y) { return x < 1 || x > 99 || y < 1 || y > 99; };
    EXPECT_EQ(inkWithin([&](double x, double y) { return !inBox(x, y) && !onRing(x, y) && !onOutline(x, y); }), 0);
}

TEST(RenderDocumentPreview, HeaderAndBlocksBeforeTheDesign) {
    const Rendered plain = Render(WithRedSquare());
    ASSERT_TRUE(plain.ok);
    EXPECT_EQ(PixelAtMM(plain.bitmap, 50, 50), kRed);

    // The magic in lower case is accepted.
    std::vector<uint8_t> lower = WithRedSquare();
    for (int i = 0; i < 4; ++i) lower[static_cast<size_t>(i)] = static_cast<uint8_t>(std::tolower(lower[static_cast<size_t>(i)]));
    const Rendered lowered = Render(lower);
    EXPECT_TRUE(lowered.ok);
    EXPECT_TRUE(SamePixels(lowered.bitmap, plain.bitmap));

    // A database block before the sheet changes nothing.
    TDocumentBuilder withBlock;
    TDataBaseConnector connector;
    connector.StoredData.WriteBuffer("link", 4);
    connector.SaveToFiler(withBlock.filer);
    withBlock.Sheet(100, 100).Designs(1).BeginDesign().Box(ecRechteck, BoxAt(50, 50, 20, 20, kRed)).EndDesign();
    const Rendered blocked = Render(withBlock.Bytes());
    EXPECT_TRUE(blocked.ok);
    EXPECT_TRUE(SamePixels(blocked.bitmap, plain.bitmap));

    // A field-list block right behind the caption changes nothing.
    TDocumentBuilder withFields;
    withFields.Sheet(100, 100).Designs(1).BeginDesign().Raw(ecFieldList);
    withFields.filer.WriteTaggedInteger(1);
    for (const char* s : {"100001", "Name", "Wert"}) withFields.filer.WriteTaggedString(s);
    withFields.Box(ecRechteck, BoxAt(50, 50, 20, 20, kRed)).EndDesign();
    const Rendered fielded = Render(withFields.Bytes());
    EXPECT_TRUE(fielded.ok);
    EXPECT_TRUE(SamePixels(fielded.bitmap, plain.bitmap));
}

TEST(RenderDocumentPreview, NoPreviewWithoutDocumentSheetOrDesign) {
    std::vector<uint8_t> wrongMagic = WithRedSquare();
    wrongMagic[0] = 'X';
    TDocumentBuilder noSheet;
    noSheet.Designs(1).BeginDesign().EndDesign();
    TDocumentBuilder noDesign;
    noDesign.Sheet(100, 100).Designs(1).Raw(ecRechteck);
    // A sheet whose label has no width is no sheet.
    TDocumentBuilder zeroWidth;
    zeroWidth.Sheet(0, 100).Designs(1).BeginDesign().EndDesign();
    for (const auto& bytes : {wrongMagic, noSheet.Bytes(), noDesign.Bytes(), zeroWidth.Bytes(), std::vector<uint8_t>{}}) {
        const Rendered r = Render(bytes, 40, 30);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.bitmap.Width(), 40);  // left as it was
        EXPECT_EQ(r.bitmap.Pixel(20, 15), kWhite);
    }
}

TEST(RenderDocumentPreview, OnlyTheFirstDesign) {
    TDocumentBuilder doc;
    doc.Sheet(100, 100).Designs(2).BeginDesign().EndDesign();
    doc.BeginDesign("Etikett 2").Box(ecRechteck, BoxAt(50, 50, 20, 20, kRed)).EndDesign();
    const Rendered r = Render(doc.Bytes());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(PixelAtMM(r.bitmap, 50, 50), kWhite);
}

TEST(RenderDocumentPreview, CodesWithoutPreviewFigureInGroupsAndDesigns) {
    const Rendered r = Render(Document([](TDocumentBuilder& doc) {
        // A group of four places: an unknown code (an empty place, nothing
        // read for it), a counter field, a blue square and code 0, which ends
        // the list early.
        doc.Box(ecFigureGroup, BoxAt(50, 50, 80, 80));
        TGroupRecordHead{true, false, 4}.Write(doc.filer);
        doc.Raw(30);
        TBoxValues counter = BoxAt(20, 20, 10, 10, kGreen);
        doc.Box(ecZaehlerfeld, counter);
        TRTFTextRecord{}.Write(doc.filer);
        TZaehlerfeldRecord{}.Write(doc.filer);
        doc.Box(ecRechteck, BoxAt(50, 50, 10, 10, kBlue));
        doc.Raw(ecEnd);
        // At design level an unknown code is stepped over; the counter field
        // (code 25) draws its frame.
        doc.Raw(200);
        doc.Box(ecZaehlerfeld, BoxAt(80, 80, 10, 10, kRed));
        TRTFTextRecord{}.Write(doc.filer);
        TZaehlerfeldRecord{}.Write(doc.filer);
    }));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(PixelAtMM(r.bitmap, 20, 20), kGreen);
    EXPECT_EQ(PixelAtMM(r.bitmap, 50, 50), kBlue);
    EXPECT_EQ(PixelAtMM(r.bitmap, 80, 80), kRed);
}

TEST(RenderDocumentPreview, EveryFigureKindIsReadInStep) {
    TDocumentBuilder doc;
    WriteEveryKind(doc);
    const Rendered r = Render(doc.Bytes());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(PixelAtMM(r.bitmap, 97, 97), kRed);
    EXPECT_EQ(PixelAtMM(r.bitmap, 60, 10), gdi::Rgb(0, 160, 255));  // the ellipse
    EXPECT_EQ(PixelAtMM(r.bitmap, 12, 50), gdi::Rgb(0, 128, 128));  // the picture
    EXPECT_EQ(PixelAtMM(r.bitmap, 80, 10), gdi::Rgb(0, 200, 0));  // a member of the group
    // A copy to look at with tools/zorbit-preview.
    if (const char* keep = std::getenv("ZORBIT_KEEP_PREVIEW_SAMPLE")) doc.SaveTo(QString::fromLocal8Bit(keep));
}

TEST(RenderDocumentPreview, ZeroWidthOrHeightDrawsNothing) {
    const Rendered blank = Render(Document([](TDocumentBuilder&) {}));
    const Rendered r = Render(Document([](TDocumentBuilder& doc) {
        TBoxValues v = BoxAt(50, 50, 0, 30, kRed);
        v.PenWidth = 1;
        for (const uint8_t code : {ecRechteck, ecEllipse, ecAutoForm, ecRTFTabelle}) {
            for (const bool flat : {false, true}) {
                v.Width = flat ? 30 : 0;
                v.Height = flat ? 0 : 30;
                doc.Box(code, v);
                if (code == ecAutoForm) TAutoFormRecord{}.Write(doc.filer);
                if (code == ecRTFTabelle) WriteRichTextTable(*doc.filer.Stream);
            }
        }
        doc.Box(ecText, v);
        TTextRecord{{}, 1, 1, "text"}.Write(doc.filer);
    }));
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(SamePixels(r.bitmap, blank.bitmap));
}

TEST(RenderDocumentPreview, EveryTruncationEndsCleanly) {
    TDocumentBuilder doc;
    doc.Sheet(100, 100).Designs(1).BeginDesign();
    // The preview exists once the first design's caption has been read.
    const size_t designStart = doc.Bytes().size();
    doc.Box(ecFigureGroup, BoxAt(50, 50, 80, 80));
    TGroupRecordHead{true, false, 2}.Write(doc.filer);
    doc.Box(ecEllipse, BoxAt(30, 30, 10, 10, kGreen));
    doc.Box(ecRechteck, BoxAt(60, 60, 10, 10, kBlue, 30));
    doc.Box(ecText, BoxAt(50, 20, 40, 10));
    TTextRecord{{}, 1, 1, "Text"}.Write(doc.filer);
    doc.Box(ecDirOutline2, BoxAt(50, 80, 40, 10));
    TFontRecord{}.Write(doc.filer);
    WriteTreeData(*doc.filer.Stream);
    doc.Box(ecZaehlerfeld, BoxAt(80, 20, 10, 10, kRed));
    TRTFTextRecord{}.Write(doc.filer);
    TZaehlerfeldRecord{}.Write(doc.filer);
    doc.EndDesign();
    const std::vector<uint8_t> whole = doc.Bytes();
    ASSERT_TRUE(Render(whole, 40, 40).ok);
    for (size_t n = 0; n < whole.size(); ++n) {
        const Rendered r = Render(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(n)), 40, 40);
        ASSERT_EQ(r.ok, n >= designStart) << n;
    }
}

TEST(GetDocumentThumbnail, HalvesTheDoubleRenderingAndCachesReadableDocuments) {
    QTemporaryDir dir;
    TThumbManager cache(dir.filePath(QStringLiteral("QNTHUMB.DAT")));
    TDocumentBuilder doc;
    doc.Sheet(50, 100, 1).Designs(1).BeginDesign().Box(ecRechteck, BoxAt(25, 50, 20, 20, kRed)).EndDesign();
    const QString document = dir.filePath(QStringLiteral("a.qem"));
    ASSERT_TRUE(doc.SaveTo(document));

    gdi::Bitmap target(200, 200);
    ASSERT_TRUE(GetDocumentThumbnail(target, document, cache));
    EXPECT_EQ(target.Width(), 200);
    EXPECT_NEAR(target.Height(), 100, 1);
    gdi::Bitmap cached;
    EXPECT_TRUE(cache.GetThumbnail(document, cached, FileDateTime(document)));

    // The cached thumbnail serves while the file keeps its date.
    const QDateTime date = QFileInfo(document).lastModified();
    QFile file(document);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a document");
    file.flush();
    file.setFileTime(date, QFileDevice::FileModificationTime);
    file.close();
    gdi::Bitmap again(200, 200);
    EXPECT_TRUE(GetDocumentThumbnail(again, document, cache));
    EXPECT_EQ(again.Width(), 200);
}

TEST(GetDocumentThumbnail, NoThumbnailAndNothingCachedForUnreadableFiles) {
    QTemporaryDir dir;
    TThumbManager cache(dir.filePath(QStringLiteral("QNTHUMB.DAT")));
    const QString other = dir.filePath(QStringLiteral("b.qem"));
    QFile file(other);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("TUVI_0101 but nothing else");
    file.close();
    for (const QString& name : {other, dir.filePath(QStringLiteral("missing.qem"))}) {
        gdi::Bitmap target(200, 200);
        EXPECT_FALSE(GetDocumentThumbnail(target, name, cache));
        EXPECT_TRUE(target.IsEmpty());
        gdi::Bitmap cached;
        EXPECT_FALSE(cache.GetThumbnail(name, cached, 0));
    }
}

TEST(RenderDocumentPreview, FiguresAreClippedByTheRingThatHoldsTheirCentre) {
    TEtikett sheet;
    sheet.SetName("QN-2071 CD-Etiketten");
    sheet.SetArtikel("QN-2071");
    ASSERT_TRUE(sheet.ZoomRegions.HasClipRegion());
    TDocumentBuilder doc;
    doc.Sheet(sheet).Designs(1).BeginDesign();
    // Centred in the upper ring (centre (105, 78.5), radius 58.5) but
    // reaching beyond it; and one outside both rings, drawn whole.
    doc.Box(ecRechteck, BoxAt(105, 30, 60, 20, kRed));
    doc.Box(ecRechteck, BoxAt(15, 150, 20, 20, kBlue));
    doc.EndDesign();
    const Rendered r = Render(doc.Bytes());
    ASSERT_TRUE(r.ok);
    const double scale = (r.bitmap.Height() - 1) / 297.0;
    auto at = [&](double x, double y) {
        return r.bitmap.Pixel(static_cast<int>(x * scale + 0.5), static_cast<int>(y * scale + 0.5));
    };
    EXPECT_EQ(at(105, 30), kRed);
    EXPECT_NE(at(78, 22), kRed);
    EXPECT_EQ(at(15, 150), kBlue);
    EXPECT_EQ(at(6, 141), kBlue);
}
