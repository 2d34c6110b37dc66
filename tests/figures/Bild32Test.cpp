// The picture figures: which picture a file becomes, fitting the frame,
// turning, hit tests through transparent pixels, records that read back to
// the same bytes, refused records and kept damaged pictures, copies, and the
// older picture figure
// turned into the current one.
#include "figures/Bild.h"
#include "figures/Bild32.h"

#include "FigureTestSupport.h"
#include "PictureFixtures.h"
#include "figures/FigureDialogs.h"
#include "figures/FigureFactory.h"
#include "figures/Tracker.h"
#include "foundation/FillData.h"
#include "foundation/Localizer.h"
#include "pictures/QDXRotate90DIB.h"
#include "pictures/ZRMetaFile.h"
#include "platform/gdi/BitmapCanvas.h"
#include "support/FigureFakes.h"

#include <gtest/gtest.h>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <algorithm>
#include <cstring>

namespace {

// Catches the warnings figures show while it lives.
struct Warnings {
    QStringList shown;
    Warnings() {
        SetFigureWarning([this](const QString& text) { shown << text; });
    }
    ~Warnings() { SetFigureWarning(nullptr); }
};

uint8_t HandleFlagsOf(const TFigure& figure) {
    return static_cast<const TRectTracker&>(*figure.Tracker).HandleFlags;
}

std::unique_ptr<TBild32> Loaded(const QString& file, double cx = 20, double cy = 20, double w = 10, double h = 10,
                                TChildBase* owner = nullptr) {
    auto figure = CreatePictureFigure(file, owner);
    if (figure) SetGeometry(*figure, cx, cy, w, h);
    return figure;
}

std::vector<uint8_t> PictureStreamOf(const std::vector<uint8_t>& record, const std::vector<uint8_t>& file) {
    // The picture's bytes stand in the record as they stand in the file.
    const auto at = std::search(record.begin(), record.end(), file.begin(), file.end());
    return at == record.end() ? std::vector<uint8_t>{} : std::vector<uint8_t>(at, at + std::ptrdiff_t(file.size()));
}

// Where the picture part of a figure's record lies: the same figure without
// a picture ends with Integer kind, Longint 0 and the Stream tag, so the
// picture stream starts right after that many bytes.
struct PictureRecordLayout {
    size_t kind, length, stream;  // offsets of the kind's, the length's and the stream's values
    explicit PictureRecordLayout(const TBild32& figure) {
        TBild32 bare(nullptr);
        bare.PictureKind = figure.PictureKind;
        SetGeometry(bare, figure.CenterX, figure.CenterY, figure.Width, figure.Height, figure.Angle);
        stream = ElementBytes(bare).size();
        length = stream - 5;
        kind = stream - 10;
    }
};

void PutInt32(std::vector<uint8_t>& bytes, size_t at, int32_t v) { std::memcpy(bytes.data() + at, &v, 4); }

}  // namespace

TEST(Bild32, FileKindsAndFailures) {
    QTemporaryDir dir;
    const fixtures::PictureFiles files = fixtures::WriteAllKinds(dir.path());
    // The extension decides, without regard to case.
    const QString mixedCase = dir.filePath(QStringLiteral("Vector.Emf"));
    ASSERT_TRUE(QFile::copy(files.emf, mixedCase));
    const struct {
        QString file;
        uint8_t kind;
        int32_t width, height;
    } cases[] = {
        {files.jpeg, TBild32::kPictureRaster, 40, 30}, {files.png, TBild32::kPictureRaster, 40, 30},
        {files.bmp, TBild32::kPictureRaster, 40, 30},  {files.wmf, TBild32::kPictureMetafile, 400, 300},
        {files.emf, TBild32::kPictureMetafile, 400, 300}, {mixedCase, TBild32::kPictureMetafile, 400, 300},
    };
    for (const auto& c : cases) {
        const auto figure = Loaded(c.file);
        ASSERT_TRUE(figure) << c.file.toStdString();
        EXPECT_EQ(figure->PictureKind, c.kind) << c.file.toStdString();
        // An EMF's frame is inclusive: its size may come out a unit short.
        EXPECT_NEAR(figure->PictureWidth(), c.width, 1) << c.file.toStdString();
        EXPECT_NEAR(figure->PictureHeight(), c.height, 1) << c.file.toStdString();
        EXPECT_EQ(HandleFlagsOf(*figure), kHandleCorners | kHandleEdges | kHandleRotation);
    }

    // A file that cannot be read: a warning, no figure.
    Warnings warnings;
    const QString damaged = fixtures::WriteFixture(dir.path(), QStringLiteral("damaged.png"), {0x89, 'P', 'N', 'G', 1, 2});
    const QString notWmf = fixtures::WriteFixture(dir.path(), QStringLiteral("text.wmf"), std::vector<uint8_t>(64, 'x'));
    for (const QString& bad : {damaged, notWmf, dir.filePath(QStringLiteral("missing.jpg"))}) {
        TBild32 figure(nullptr);
        EXPECT_FALSE(figure.LoadFromFile(bad)) << bad.toStdString();
        EXPECT_FALSE(CreatePictureFigure(bad, nullptr)) << bad.toStdString();
    }
    ASSERT_EQ(warnings.shown.size(), 6);
    for (const QString& text : warnings.shown) EXPECT_TRUE(text.startsWith(LocalizedText("IDS_CANNOTREADPICT")));
}

TEST(Bild32, FitToPictureAspect) {
    const struct {
        int32_t pw, ph;
        double w, h;
        double fittedW, fittedH;
    } cases[] = {
        {400, 100, 50, 50, 50, 12.5},
        {100, 400, 50, 50, 12.5, 50},
        {100, 100, 30, 60, 30, 30},
        {400, 100, 0, 50, 0, 50},  // a frame without width stays
    };
    for (const auto& c : cases) {
        TBild32 figure(nullptr);
        figure.DIB->SetDIB(imaging::CreateDIB(c.pw, c.ph, 24));
        SetGeometry(figure, 40, 40, c.w, c.h);
        figure.FitToPictureAspect();
        EXPECT_DOUBLE_EQ(figure.Width, c.fittedW) << c.pw << "x" << c.ph;
        EXPECT_DOUBLE_EQ(figure.Height, c.fittedH) << c.pw << "x" << c.ph;
        EXPECT_DOUBLE_EQ(figure.CenterX, 40);
    }
    // No picture: nothing changes. A metafile fits by its units.
    TBild32 empty(nullptr);
    SetGeometry(empty, 40, 40, 50, 50);
    empty.FitToPictureAspect();
    EXPECT_DOUBLE_EQ(empty.Height, 50);
    TBild32 vector(nullptr);
    vector.PictureKind = TBild32::kPictureMetafile;
    const gdi::Metafile metafile = fixtures::QuadrantMetafile(100, 50);
    TMemoryStream bytes(metafile.EmfBytes());
    vector.MetaFile->LoadFromStream(bytes, bytes.Size());
    SetGeometry(vector, 40, 40, 50, 50);
    vector.FitToPictureAspect();
    EXPECT_DOUBLE_EQ(vector.Height, 25);
}

TEST(Bild32, RasterPicturesTurnByWholeDegrees) {
    const struct {
        uint8_t kind;
        double start, step, angle;
    } cases[] = {
        {TBild32::kPictureRaster, 0, 12.6, 13},
        {TBild32::kPictureRaster, 350, 12.5, 2},  // 12.5 rounds to even
        {TBild32::kPictureRaster, 10, -90, 280},
        {TBild32::kPictureMetafile, 0, 12.6, 12.6},
        {TBild32::kPictureMetafile, 10, -90, 280},
    };
    for (const auto& c : cases) {
        TBild32 figure(nullptr);
        figure.PictureKind = c.kind;
        figure.SetAngle(c.start);
        figure.RotateBy(c.step);
        EXPECT_NEAR(figure.Angle, c.angle, 1e-9) << int(c.kind) << " " << c.step;
    }
}

// Transparent pixels of a PNG are no hit; the same place of a metafile is.
// The point is turned back with the figure, and a frame of one device pixel
// hits without dividing by zero.
TEST(Bild32, HitTests) {
    QTemporaryDir dir;
    const fixtures::PictureFiles files = fixtures::WriteAllKinds(dir.path());
    FakeMMWindow view(400, 300, 4);
    FakeChild owner(view);
    const auto png = Loaded(files.png, 20, 20, 10, 10, &owner);
    const auto wmf = Loaded(files.wmf, 20, 20, 10, 10, &owner);
    ASSERT_TRUE(png && wmf);
    TBild32 empty(&owner);
    SetGeometry(empty, 20, 20, 10, 10);
    const auto at = [&view](double x, double y) { return TPoint{view.scale.MMToPixelX(float(x)), view.scale.MMToPixelY(float(y))}; };
    const struct {
        double angle;
        TPoint p;
        bool pngHit, metafileHit;
    } cases[] = {
        {0, at(17.5, 17.5), true, true},    // red, opaque
        {0, at(22.5, 22.5), false, true},   // the transparent corner
        {0, at(24.8, 24.8), false, true},
        {0, at(26, 20), false, false},      // outside the frame
        {90, at(22.5, 22.5), true, true},   // turned: the clear corner is now bottom left
        {90, at(17.5, 22.5), false, true},
        {180, at(17.5, 17.5), false, true},
    };
    for (const auto& c : cases) {
        png->SetAngle(c.angle);
        wmf->SetAngle(c.angle);
        empty.SetAngle(c.angle);
        EXPECT_EQ(png->HitTest(c.p), c.pngHit) << c.angle << " at " << c.p.x << "," << c.p.y;
        EXPECT_EQ(wmf->HitTest(c.p), c.metafileHit) << c.angle << " at " << c.p.x << "," << c.p.y;
        EXPECT_EQ(empty.HitTest(c.p), c.metafileHit) << c.angle;  // no picture: the whole frame
    }
    // A frame narrower than a device pixel.
    png->SetAngle(0);
    png->SetWidth(0.1);
    EXPECT_TRUE(png->HitTest({at(20, 0).x - 1, at(0, 24).y}));  // the box begins one pixel left of the frame
    png->SetWidth(10);
    png->SetHeight(0);
    EXPECT_TRUE(png->HitTest({at(24, 0).x, at(0, 20).y - 1}));
}

// Written, read and written again: the same bytes, and the picture file's
// own bytes inside (a JPEG stays a JPEG). A copy holds the pixels but not
// the file, so it is written as PNG. Snapshots hold the box only.
TEST(Bild32, RecordsReadBackTheSame) {
    QTemporaryDir dir;
    const fixtures::PictureFiles files = fixtures::WriteAllKinds(dir.path());
    std::vector<std::unique_ptr<TBild32>> figures;
    for (const QString& file : {files.jpeg, files.png, files.bmp, files.wmf, files.emf}) figures.push_back(Loaded(file));
    figures.push_back(std::make_unique<TBild32>(nullptr));  // no picture: a stream of 0 bytes
    figures.back()->PictureKind = TBild32::kPictureMetafile;
    figures.push_back(std::make_unique<TBild32>(nullptr));
    figures.back()->DIB->SetDIB(fixtures::QuadrantDib(6, 4, true));  // no file: PNG
    for (size_t i = 0; i < figures.size(); ++i) {
        ASSERT_TRUE(figures[i]) << i;
        TBild32& figure = *figures[i];
        SetGeometry(figure, 12.5, 30.25, 40, 20, 30);
        const std::vector<uint8_t> first = ElementBytes(figure);
        EXPECT_EQ(first[0], ecBild32);
        const auto read = ReadElementBytes(first);
        ASSERT_TRUE(read) << i;
        auto* copy = dynamic_cast<TBild32*>(read.get());
        ASSERT_TRUE(copy) << i;
        EXPECT_EQ(copy->PictureKind, figure.PictureKind) << i;
        EXPECT_EQ(copy->PictureWidth(), figure.PictureWidth()) << i;
        EXPECT_DOUBLE_EQ(copy->Angle, 30);
        EXPECT_EQ(ElementBytes(*copy), first) << i;
    }
    std::vector<uint8_t> jpeg;
    ASSERT_TRUE(imaging::ReadFileBytes(files.jpeg.toStdString(), jpeg));
    const std::vector<uint8_t> jpegRecord = ElementBytes(*figures[0]);
    EXPECT_EQ(PictureStreamOf(jpegRecord, jpeg), jpeg);
    const auto read = ReadElementBytes(jpegRecord);
    EXPECT_EQ(static_cast<TBild32&>(*read).DIB->Extension(), QStringLiteral(".jpg"));

    // The copy: the pixels, not the file.
    const auto clone = figures[0]->Clone();
    auto& cloned = static_cast<TBild32&>(*clone);
    EXPECT_FALSE(cloned.DIB->HasKeptFile());
    EXPECT_EQ(cloned.DIB->Width(), 40);
    const auto clonedBack = ReadElementBytes(ElementBytes(cloned));
    EXPECT_EQ(static_cast<TBild32&>(*clonedBack).DIB->Extension(), QStringLiteral(".png"));
    const auto wmfClone = figures[3]->Clone();
    EXPECT_EQ(ElementBytes(*wmfClone), ElementBytes(*figures[3]));
    // Assign replaces the picture of the other kind.
    TBild32 target(nullptr);
    target.Assign(*figures[3]);
    target.Assign(*figures[1]);
    EXPECT_EQ(target.PictureKind, TBild32::kPictureRaster);
    EXPECT_EQ(target.MetaFile->Player(), nullptr);
    TRechteck box(nullptr);
    EXPECT_THROW(target.Assign(box), EInvalidCast);

    // The snapshot restores the box and leaves the picture alone.
    TBild32& figure = *figures[1];
    const std::vector<uint8_t> snapshot = SnapshotBytes(figure);
    SetGeometry(figure, 1, 2, 3, 4, 5);
    LoadSnapshot(figure, snapshot);
    EXPECT_DOUBLE_EQ(figure.CenterX, 12.5);
    EXPECT_EQ(figure.DIB->Width(), 40);
    EXPECT_TRUE(figure.DIB->HasKeptFile());
}

// A record whose lengths cannot be right refuses the record with the
// file's read error; nothing is allocated for it. A picture whose bytes do
// not decode, or of a kind the program does not know, is kept as it was
// stored: the figure reads, is noted, draws a crossed frame on the screen
// and nothing on a printer, and writes the same bytes back.
TEST(Bild32, DamagedRecordsAreRefusedAndDamagedPicturesKept) {
    QTemporaryDir dir;
    const fixtures::PictureFiles files = fixtures::WriteAllKinds(dir.path());
    const auto png = Loaded(files.png, 20, 15, 24, 16);
    const auto wmf = Loaded(files.wmf, 20, 15, 24, 16);
    const std::vector<uint8_t> good = ElementBytes(*png), goodWmf = ElementBytes(*wmf);
    const PictureRecordLayout at(*png), atWmf(*wmf);
    ASSERT_EQ(good[at.kind - 1], 2);  // the tags of Integer, Longint, Stream
    ASSERT_EQ(good[at.length - 1], 3);
    ASSERT_EQ(good[at.stream - 1], 8);

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    auto patched = [](const char* name, std::vector<uint8_t> bytes, auto change) {
        change(bytes);
        return Case{name, std::move(bytes)};
    };
    const Case refused[] = {
        patched("negative length", good, [&](auto& b) { PutInt32(b, at.length, -1); }),
        patched("length beyond the record", good, [&](auto& b) { PutInt32(b, at.length, 0x7FFFFFFF); }),
        patched("truncated", good, [](auto& b) { b.resize(b.size() - 10); }),
    };
    for (const Case& c : refused) EXPECT_THROW(ReadElementBytes(c.bytes), EFilerReadError) << c.name;

    const Case kept[] = {
        patched("kind 2", goodWmf, [&](auto& b) { PutInt32(b, atWmf.kind, 2); }),
        patched("kind 300", good, [&](auto& b) { PutInt32(b, at.kind, 300); }),
        // The extension, after its 4-byte length, may not leave the temporary folder.
        patched("extension into the folder above", good,
                [&](auto& b) { std::copy_n("/../", 4, b.begin() + std::ptrdiff_t(at.stream + 4)); }),
        patched("extension too long", good, [&](auto& b) { PutInt32(b, at.stream, 200); }),
        patched("no picture in the bytes", good,
                [&](auto& b) { std::fill(b.begin() + std::ptrdiff_t(at.stream + 8), b.end(), uint8_t(0x55)); }),
        patched("metafile with a wrong key", goodWmf, [&](auto& b) { b[atWmf.stream] ^= 1; }),
    };
    for (const Case& c : kept) {
        TMemoryStream stream(c.bytes);
        TEtikettFiler filer;
        filer.Stream = &stream;
        std::unique_ptr<TFigure> read;
        ReadFigureElement(filer, nullptr, read);
        auto* figure = dynamic_cast<TBild32*>(read.get());
        ASSERT_TRUE(figure) << c.name;
        EXPECT_TRUE(figure->IsUnreadable()) << c.name;
        EXPECT_FALSE(figure->HasBitmapPicture()) << c.name;
        EXPECT_EQ(figure->PictureWidth(), 0) << c.name;
        ASSERT_EQ(filer.UnreadablePictures.size(), 1u) << c.name;
        EXPECT_DOUBLE_EQ(filer.UnreadablePictures[0].centerX, 20) << c.name;
        EXPECT_TRUE(filer.UnreadablePictures[0].reason.startsWith(LocalizedText("IDS_CANNOTREADPICT"))) << c.name;
        EXPECT_EQ(figure->UnreadableReason(), filer.UnreadablePictures[0].reason) << c.name;
        EXPECT_EQ(ElementBytes(*figure), c.bytes) << c.name;
        EXPECT_EQ(ElementBytes(*figure->Clone()), c.bytes) << c.name;
    }

    // On the screen a red frame crossed from corner to corner; on a printer nothing.
    FakeMMWindow view(400, 300, 4);
    FakeChild owner(view);
    auto read = ReadElementBytes(kept[4].bytes, &owner);
    auto& figure = static_cast<TBild32&>(*read);
    figure.Paint();
    const gdi::Color red = gdi::Rgb(255, 0, 0);
    const TPoint centre = view.scale.MMPointToPixel(20, 15);
    const TPoint corner = view.scale.MMPointToPixel(8, 7);  // the top left corner
    EXPECT_EQ(view.image.bitmap().Pixel(centre.x, centre.y), red);
    EXPECT_EQ(view.image.bitmap().Pixel(corner.x, corner.y), red);
    EXPECT_EQ(view.image.bitmap().Pixel(centre.x, corner.y + 3), gdi::Rgb(255, 255, 255));
    gdi::BitmapCanvas page(400, 300);
    TScaleCanvas printer(&page);
    printer.SetResolutionX(4);
    printer.SetResolutionY(4);
    figure.DrawTo(printer);
    EXPECT_EQ(page.bitmap().Pixel(centre.x, centre.y), gdi::Rgb(255, 255, 255));
    // A picture file loaded into it ends it.
    ASSERT_TRUE(figure.LoadFromFile(files.bmp));
    EXPECT_FALSE(figure.IsUnreadable());
}

// A picture that cannot be encoded fails the save instead of writing a
// record without it.
TEST(Bild32, APictureThatCannotBeEncodedFailsTheSave) {
    TBild32 figure(nullptr);
    figure.DIB->SetDIB(fixtures::QuadrantDib(40, 30));
    const int64_t limit = imaging::PixelLimit();
    imaging::SetPixelLimit(100);  // the PNG's 24-bit copy cannot be made now
    EXPECT_THROW(ElementBytes(figure), Exception);
    imaging::SetPixelLimit(limit);
    EXPECT_GT(ElementBytes(figure).size(), 100u);
}

// The older picture figure: read from its record and handed back as a
// TBild32 with the same box and picture; never turned, no rotation handle.
TEST(Bild32, OlderPictureFiguresBecomeCurrentOnes) {
    TBild bitmap(nullptr);
    bitmap.Bitmap = fixtures::QuadrantDib(8, 6);
    imaging::ConvertDIB(bitmap.Bitmap, 24);
    SetGeometry(bitmap, 30, 40, 16, 12);
    bitmap.Angle = 45;  // stored by older files, never drawn
    bitmap.SetFillColor(0x123456);
    EXPECT_EQ(HandleFlagsOf(bitmap), kHandleCorners | kHandleEdges);
    bitmap.RotateBy(30);
    EXPECT_DOUBLE_EQ(bitmap.Angle, 45);

    const std::vector<uint8_t> record = ElementBytes(bitmap);
    EXPECT_EQ(record[0], ecBild);
    bool aborted = true;
    const auto read = ReadElementBytes(record, nullptr, &aborted);
    EXPECT_FALSE(aborted);
    auto* converted = dynamic_cast<TBild32*>(read.get());
    ASSERT_TRUE(converted);
    EXPECT_EQ(converted->PictureKind, TBild32::kPictureRaster);
    EXPECT_DOUBLE_EQ(converted->CenterX, 30);
    EXPECT_DOUBLE_EQ(converted->Height, 12);
    EXPECT_DOUBLE_EQ(converted->Angle, 45);
    EXPECT_NE(converted->Fill->Color(), 0x123456u);  // pen and fill stay behind
    ASSERT_EQ(converted->DIB->Width(), 8);
    imaging::DibHandle pixels = imaging::CopyHandle(*converted->DIB->DIB());
    imaging::ConvertDIB(pixels, 24);
    EXPECT_EQ(pixels->Packed(), bitmap.Bitmap->Packed());

    TBild vector(nullptr);
    vector.PictureKind = TBild::kPictureMetafile;
    const std::vector<uint8_t> wmf = fixtures::QuadrantMetafile(100, 50).WmfBytes();
    TMemoryStream bytes(wmf);
    vector.MetaFile->LoadFromStream(bytes, bytes.Size());
    SetGeometry(vector, 10, 10, 20, 10);
    const auto readVector = ReadElementBytes(ElementBytes(vector));
    auto* convertedVector = dynamic_cast<TBild32*>(readVector.get());
    ASSERT_TRUE(convertedVector);
    EXPECT_EQ(convertedVector->PictureKind, TBild32::kPictureMetafile);
    TMemoryStream saved;
    convertedVector->MetaFile->SaveToStream(saved);
    EXPECT_EQ(saved.Bytes(), wmf);

    // The older figure's hit test is its unturned frame.
    FakeMMWindow view(400, 300, 4);
    FakeChild owner(view);
    TBild framed(&owner);
    SetGeometry(framed, 20, 20, 10, 10);
    framed.Angle = 45;
    EXPECT_TRUE(framed.HitTest({view.scale.MMToPixelX(24.5f), view.scale.MMToPixelY(15.5f)}));
    EXPECT_FALSE(framed.HitTest({view.scale.MMToPixelX(26), view.scale.MMToPixelY(20)}));
    // Copies stay older picture figures until they are read.
    const auto clone = vector.Clone();
    EXPECT_TRUE(dynamic_cast<TBild*>(clone.get()));
}
