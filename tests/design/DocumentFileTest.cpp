#include "design/DocumentFile.h"

#include "design/DocumentFileOps.h"
#include "figures/AutoForm.h"
#include "figures/Bild.h"
#include "figures/Bild32.h"
#include "figures/Ellipse.h"
#include "figures/FigureFactory.h"
#include "figures/FigureGroup.h"
#include "figures/Tracktabelle.h"
#include "cd/lookup/TrackTabelleData.h"
#include "foundation/Localizer.h"
#include "shapes/AutoShape.h"
#include "tests/design/PreviewTesting.h"
#include "tests/support/DocumentBuilder.h"
#include "tests/support/FakeDocument.h"
#include "tests/support/Files.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Saved(FakeDocument& document) {
    TMemoryStream stream;
    TDocumentFile(document).SaveToStream(stream);
    return stream.Bytes();
}

// Loads the bytes into the document; the message of the exception, or empty.
QString Load(FakeDocument& document, const Bytes& bytes) {
    TMemoryStream stream(bytes);
    try {
        TDocumentFile(document).LoadFromStream(stream, QStringLiteral("test.qem"));
    } catch (const Exception& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

QString CannotRead() { return LocalizedFormat("IDS_CANNOTREADFILE", {QStringLiteral("test.qem")}); }

std::unique_ptr<TFigure> Box(TFigure* figure, double cx, double cy, double w, double h, double angle = 0) {
    std::unique_ptr<TFigure> owned(figure);
    owned->SetCenterX(cx);
    owned->SetCenterY(cy);
    owned->SetWidth(w);
    owned->SetHeight(h);
    owned->SetAngle(angle);
    owned->SetPenColor(gdi::Rgb(0, 0, 160));
    owned->SetPenWidth(0.4f);
    owned->SetFillColor(gdi::Rgb(255, 200, 0));
    return owned;
}

// The kinds that files hold no more: they are read as their current classes.
bool IsOlderKind(TFigureKind kind) {
    return kind == TFigureKind::Text || kind == TFigureKind::RotateText || kind == TFigureKind::Bild;
}

// Two designs of three figures each, and a database block.
void FillDocument(FakeDocument& document) {
    TChildBase* owner = &document.child;
    document.Sheet().SetName("Zweckform 3475");
    document.Sheet().SetLabelWidth(70);
    document.Sheet().SetLabelHeight(36);
    document.Sheet().CornerRadius = 2;
    document.connector.StoredData.WriteBuffer("link", 4);
    document.SetDesignCaption(0, QStringLiteral("Vorderseite"));
    TEinzelEtikett& front = document.Design(0);
    front.AddFigure(Box(new TLinie(owner), 10, 10, 20, 5), false);
    front.AddFigure(Box(new TRechteck(owner), 30, 18, 20, 10, 30), false);
    front.AddFigure(Box(new TEllipse(owner), 50, 18, 12, 12), false);
    TEinzelEtikett& back = document.AddDesignTab(QStringLiteral("Rückseite äöü"));
    auto group = Box(new TFigureGroup(owner), 20, 20, 20, 10);
    static_cast<TFigureGroup&>(*group).AddMember(Box(new TEllipse(owner), 15, 20, 10, 10));
    static_cast<TFigureGroup&>(*group).AddMember(Box(new TRechteck(owner), 25, 20, 10, 10, 45));
    back.AddFigure(std::move(group), false);
    back.AddFigure(Box(new TRechteck(owner), 40, 10, 5, 5), false);
    back.AddFigure(Box(new TLinie(owner), 50, 30, 10, 0), false);
    document.SetCurrentDesignIndex(0);
}

// Counts the invalid-element messages while a test runs.
class DocumentFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetInvalidElementHandler([this](const QString& message) { invalidElements << message; });
    }
    void TearDown() override { SetInvalidElementHandler(nullptr); }

    QStringList invalidElements;
};

}  // namespace

// ---- saving and loading whole documents

TEST_F(DocumentFileTest, LoadsWhatWasSavedAndSavesItAgainByteForByte) {
    FakeDocument original;
    FillDocument(original);
    const Bytes first = Saved(original);

    FakeDocument loaded;
    ASSERT_EQ(Load(loaded, first), QString());
    ASSERT_EQ(loaded.DesignCount(), 2);
    EXPECT_EQ(loaded.captions, QStringList({QStringLiteral("Vorderseite"), QStringLiteral("Rückseite äöü")}));
    EXPECT_EQ(loaded.Sheet().Name, "Zweckform 3475");
    EXPECT_EQ(loaded.Sheet().CornerRadius, 2.0f);
    EXPECT_EQ(loaded.connector.StoredData.Bytes(), Bytes({'l', 'i', 'n', 'k'}));
    EXPECT_EQ(loaded.CurrentDesignIndex(), 0);
    for (const auto& design : loaded.designs) {
        EXPECT_EQ(design->FigureCount(), 3);
        EXPECT_EQ(design->SelectedCount(), 0);
        EXPECT_EQ(design->UndoCount(), 0);
        EXPECT_FALSE(design->IsModified());
    }
    EXPECT_FALSE(loaded.child.modified);
    EXPECT_EQ(loaded.Design(1).GetFigure(0)->Kind, TFigureKind::FigureGroup);
    EXPECT_EQ(Saved(loaded), first);
}

// The caption counts every element code read; it is repainted at most every
// kProgressInterval, shows the count the load ended at and is then hidden.
TEST_F(DocumentFileTest, ProgressIsShownAFewTimesASecondAndEndsAtTheCount) {
    FakeDocument original;
    FillDocument(original);
    auto loadWithClock = [&](int64_t millisecondsPerElement) {
        FakeDocument loaded;
        TMemoryStream stream(Saved(original));
        int64_t now = 0;
        TDocumentFile file(loaded);
        file.SetProgressClock([&] { return now += millisecondsPerElement; });
        EXPECT_TRUE(file.LoadFromStream(stream, QStringLiteral("test.qem")));
        return loaded.progress;
    };
    auto caption = [](int count) { return LocalizedFormat("IDS_LOADFILE", {count}); };
    // Six figures and two end codes; the group's members are not counted.
    EXPECT_EQ(loadWithClock(0), QStringList({caption(1), caption(8), QString()}));
    EXPECT_EQ(loadWithClock(100), QStringList({caption(1), caption(4), caption(7), caption(8), QString()}));
    EXPECT_EQ(loadWithClock(TDocumentFile::kProgressInterval),
              QStringList({caption(1), caption(2), caption(3), caption(4), caption(5), caption(6), caption(7),
                           caption(8), caption(8), QString()}));

    // A large document: a handful of repaints, not one per element.
    FakeDocument large;
    for (int i = 0; i < 20000; ++i) large.Design(0).AddFigure(Box(new TLinie(&large.child), 5, 5, 4, 4), false);
    FakeDocument loaded;
    TMemoryStream stream(Saved(large));
    int64_t now = 0;
    TDocumentFile file(loaded);
    file.SetProgressClock([&] { return now += 1; });  // 20 s at 1 ms per element
    ASSERT_TRUE(file.LoadFromStream(stream, QStringLiteral("test.qem")));
    EXPECT_EQ(loaded.Design(0).FigureCount(), 20000);
    EXPECT_LE(loaded.progress.size(), 20001 / TDocumentFile::kProgressInterval + 3);
    EXPECT_EQ(loaded.progress.value(loaded.progress.size() - 2), caption(20001));
}

// Values with a wrong tag are skipped: a load that gets through says once
// how many places it skipped; a load that fails says it in its message.
TEST_F(DocumentFileTest, DamagedPlacesAreSaidOncePerLoad) {
    QStringList shown;
    SetSkippedPlacesHandler([&](const QString& message) { shown << message; });
    constexpr gdi::Color kMarked = 0x00C0FFEE;
    FakeDocument original;
    for (int i = 0; i < 300; ++i) {
        auto line = Box(new TLinie(&original.child), 5, 5, 4, 4);
        line->SetPenColor(kMarked);
        original.Design(0).AddFigure(std::move(line), false);
    }
    // Every line's colour, a tagged Longint, becomes one byte of no known tag.
    const Bytes whole = Saved(original);
    const Bytes colour{kTagLongint, 0xEE, 0xFF, 0xC0, 0x00};
    Bytes damaged;
    for (size_t i = 0; i < whole.size();) {
        if (std::equal(colour.begin(), colour.end(), whole.begin() + static_cast<ptrdiff_t>(i),
                       whole.begin() + static_cast<ptrdiff_t>(std::min(i + colour.size(), whole.size())))) {
            damaged.push_back(7);
            i += colour.size();
        } else {
            damaged.push_back(whole[i++]);
        }
    }
    ASSERT_EQ(whole.size() - damaged.size(), 300u * 4);

    FakeDocument loaded;
    EXPECT_EQ(Load(loaded, damaged), QString());
    EXPECT_EQ(loaded.Design(0).FigureCount(), 300);
    const QString skipped = LocalizedFormat("IDS_SKIPPEDPLACES", {300});
    EXPECT_EQ(shown, QStringList{LocalizedFormat("IDS_DAMAGEDFILE", {QStringLiteral("test.qem")}) + u' ' + skipped});

    // Without its end code: one message, the failure with the count.
    shown.clear();
    FakeDocument cut;
    EXPECT_EQ(Load(cut, Bytes(damaged.begin(), damaged.end() - 1)), CannotRead() + u' ' + skipped);
    EXPECT_TRUE(shown.isEmpty());
    SetSkippedPlacesHandler({});
}

TEST_F(DocumentFileTest, EveryFigureKindThatExistsSavesLoadsAndSavesAgainIdentically) {
    FakeDocument original;
    TChildBase* owner = &original.child;
    std::vector<TFigureKind> kinds;
    for (int code = 0; code < 256; ++code) {
        std::unique_ptr<TFigure> figure = CreateFigureForElementCode(static_cast<uint8_t>(code), owner);
        if (!figure) continue;
        if (auto* group = dynamic_cast<TFigureGroup*>(figure.get()))
            group->AddMember(Box(new TEllipse(owner), 12, 12, 6, 6));
        kinds.push_back(figure->Kind);
        original.Design(0).AddFigure(Box(figure.release(), 10 + code, 12, 8, 6, 15), false);
    }
    ASSERT_GE(kinds.size(), 4u);
    const Bytes first = Saved(original);

    FakeDocument loaded;
    ASSERT_EQ(Load(loaded, first), QString());
    ASSERT_EQ(loaded.Design(0).FigureCount(), static_cast<int32_t>(kinds.size()));
    for (size_t i = 0; i < kinds.size(); ++i) {
        // Older kinds come back converted into their current classes.
        const TFigureKind kind = loaded.Design(0).GetFigure(static_cast<int32_t>(i))->Kind;
        EXPECT_TRUE(kind == kinds[i] || IsOlderKind(kinds[i])) << static_cast<int>(kinds[i]);
    }
    const Bytes second = Saved(loaded);
    FakeDocument again;
    ASSERT_EQ(Load(again, second), QString());
    EXPECT_EQ(Saved(again), second);
    if (std::none_of(kinds.begin(), kinds.end(), IsOlderKind)) {
        EXPECT_EQ(second, first);
    }
}

TEST_F(DocumentFileTest, FiguresWithContentReadBackAsTheyWereWritten) {
    using namespace preview_testing;
    TDocumentBuilder doc;
    doc.Sheet(100, 100).Designs(1).BeginDesign();
    doc.Box(ecBild, BoxAt(20, 20, 20, 14));
    WritePicture(doc.filer, TBild32::kPictureRaster, PictureBytes(imaging::PictureFormat::Bmp, gdi::Rgb(255, 0, 255)));
    TMemoryStream dibStream;
    StreamWriteString(dibStream, ".png");
    const Bytes png = PictureBytes(imaging::PictureFormat::Png, gdi::Rgb(0, 128, 128));
    dibStream.WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
    doc.Box(ecBild32, BoxAt(50, 20, 20, 14, 0, 30));
    WritePicture(doc.filer, TBild32::kPictureRaster, dibStream.Bytes());
    doc.Box(ecBarcode, BoxAt(50, 60, 40, 20));
    TBarcodeRecord barcode;
    barcode.Symbology = 5;
    barcode.Text = "ZORBIT";
    barcode.Write(doc.filer);
    doc.EndDesign();

    // The codes of classes the program lacks are refused by the table test.
    for (const uint8_t code : {ecBild, ecBild32, ecBarcode})
        if (!CreateFigureForElementCode(code, nullptr)) GTEST_SKIP() << "no class for code " << int(code);
    FakeDocument loaded;
    ASSERT_EQ(Load(loaded, doc.Bytes()), QString());
    ASSERT_EQ(loaded.Design(0).FigureCount(), 3);
    // The older picture figure is read as the current one.
    EXPECT_EQ(loaded.Design(0).GetFigure(0)->Kind, TFigureKind::Bild32);
    EXPECT_DOUBLE_EQ(loaded.Design(0).GetFigure(0)->Width, 20);
    EXPECT_DOUBLE_EQ(loaded.Design(0).GetFigure(1)->Angle, 30);
    const Bytes first = Saved(loaded);
    FakeDocument again;
    ASSERT_EQ(Load(again, first), QString());
    EXPECT_EQ(Saved(again), first);
}

// A picture that does not decode, or of a kind the program does not know,
// no longer refuses the document: the load lists it with its design, and a
// save writes its stored bytes back as they were.
TEST_F(DocumentFileTest, PicturesThatDoNotReadAreListedAndSavedAsTheyWere) {
    using namespace preview_testing;
    const Bytes damaged = {4, 0, 0, 0, '.', 'j', 'p', 'g', 0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3, 4, 5};
    const Bytes unknown = {'w', 'h', 'a', 't', 'e', 'v', 'e', 'r'};
    const Bytes oldBitmap = {'B', 'M', 9, 9, 9};
    TDocumentBuilder doc;
    doc.Sheet(100, 100).Designs(2).BeginDesign();
    doc.Box(ecBild32, BoxAt(20, 30, 20, 14));
    WritePicture(doc.filer, TBild32::kPictureRaster, damaged);
    doc.Box(ecBild32, BoxAt(50, 30, 20, 14));
    Bytes good = {4, 0, 0, 0, '.', 'p', 'n', 'g'};
    const Bytes png = PictureBytes(imaging::PictureFormat::Png, gdi::Rgb(0, 128, 128));
    good.insert(good.end(), png.begin(), png.end());
    WritePicture(doc.filer, TBild32::kPictureRaster, good);
    doc.EndDesign().BeginDesign("Back");
    doc.Box(ecBild32, BoxAt(60, 70, 20, 14));
    WritePicture(doc.filer, 9, unknown);
    doc.Box(ecBild, BoxAt(10, 10, 8, 8));
    WritePicture(doc.filer, TBild::kPictureBitmap, oldBitmap);
    doc.EndDesign();

    FakeDocument loaded;
    TMemoryStream stream(doc.Bytes());
    TDocumentFile file(loaded);
    ASSERT_TRUE(file.LoadFromStream(stream, QStringLiteral("test.qem")));
    ASSERT_EQ(loaded.Design(0).FigureCount(), 2);
    ASSERT_EQ(loaded.Design(1).FigureCount(), 2);
    const std::vector<TUnreadablePicture>& listed = file.Filer.UnreadablePictures;
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].design, QStringLiteral("Etikett 1"));
    EXPECT_DOUBLE_EQ(listed[0].centerX, 20);
    EXPECT_EQ(listed[1].design, QStringLiteral("Back"));
    EXPECT_DOUBLE_EQ(listed[1].centerY, 70);
    EXPECT_EQ(listed[2].design, QStringLiteral("Back"));
    for (const TUnreadablePicture& p : listed) EXPECT_TRUE(p.reason.startsWith(LocalizedText("IDS_CANNOTREADPICT")));
    EXPECT_TRUE(static_cast<TBild32*>(loaded.Design(0).GetFigure(0))->IsUnreadable());
    EXPECT_FALSE(static_cast<TBild32*>(loaded.Design(0).GetFigure(1))->IsUnreadable());

    // Saved: the stored bytes as they were; the older figure's bitmap in the current form.
    const Bytes saved = Saved(loaded);
    auto holds = [&saved](const Bytes& part) { return std::search(saved.begin(), saved.end(), part.begin(), part.end()) != saved.end(); };
    EXPECT_TRUE(holds(damaged));
    EXPECT_TRUE(holds(unknown));
    Bytes asBmp = {4, 0, 0, 0, '.', 'b', 'm', 'p'};
    asBmp.insert(asBmp.end(), oldBitmap.begin(), oldBitmap.end());
    EXPECT_TRUE(holds(asBmp));
    FakeDocument again;
    TMemoryStream savedStream(saved);
    TDocumentFile second(again);
    ASSERT_TRUE(second.LoadFromStream(savedStream, QStringLiteral("test.qem")));
    EXPECT_EQ(second.Filer.UnreadablePictures.size(), 3u);
    EXPECT_EQ(Saved(again), saved);

    const QString message = UnreadablePicturesMessage(listed, QStringLiteral("/home/a/Etiketten.qem"));
    EXPECT_TRUE(message.startsWith(LocalizedFormat("IDS_UNREADPICTURES", {QStringLiteral("Etiketten.qem")})));
    EXPECT_TRUE(message.contains(QStringLiteral("Back")));
    EXPECT_TRUE(message.contains(QStringLiteral("20,0 / 30,0 mm"))) << message.toStdString();
    Localizer().SetLanguage(1);
    const QString english = UnreadablePicturesMessage(listed, QStringLiteral("x.qem"));
    Localizer().SetLanguage(0);
    EXPECT_TRUE(english.contains(QStringLiteral("20.0 / 30.0 mm"))) << english.toStdString();
    EXPECT_TRUE(message.endsWith(LocalizedText("IDS_UNREADPICTURESKEPT")));
    EXPECT_EQ(UnreadablePicturesMessage({}, QStringLiteral("x.qem")), QString());
    const std::vector<TUnreadablePicture> many(25, listed[0]);
    EXPECT_EQ(UnreadablePicturesMessage(many, QStringLiteral("x.qem")).count(QLatin1Char('\n')), 12);
}

TEST_F(DocumentFileTest, ATrackTableIsSavedAndReopenedAsItWas) {
    FakeDocument original;
    auto* table = new TTracktabelle(&original.child);
    table->SetFontName("Liberation Sans");
    table->SetFontSize(8);
    for (int i = 1; i <= 14; ++i) table->TrackData->AddTrack("Titel Nr. " + std::to_string(i) + " \xE4\xF6\xFC", std::to_string(i) + ":0" + std::to_string(i % 10));
    table->TrackData->SetShowDurations(false);
    original.Design(0).AddFigure(Box(table, 60, 60, 110, 100, 90), false);
    const Bytes first = Saved(original);

    FakeDocument loaded;
    ASSERT_EQ(Load(loaded, first), QString());
    auto* read = dynamic_cast<TTracktabelle*>(loaded.Design(0).GetFigure(0));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(*read->TrackData, *table->TrackData);
    EXPECT_EQ(read->Font.Name(), "Liberation Sans");
    EXPECT_EQ(Saved(loaded), first);
}

TEST_F(DocumentFileTest, OneOfEachAutoShapeIsSavedAndReopenedAsItWas) {
    FakeDocument original;
    const std::vector<std::string> names = AutoShapeFactory().ShapeNames();
    for (size_t i = 0; i < names.size(); ++i) {
        auto* shape = new TAutoForm(&original.child);
        shape->SetShapeClass(names[i]);
        original.Design(0).AddFigure(Box(shape, 10 + 12.0 * (i % 8), 10 + 10.0 * (i / 8), 10, 8, 15.0 * (i % 5)), false);
        // Moves the first handle from where the shape put it, inside its limits.
        THotTrackEntry& entry = shape->Shape->HotTrackData.Entries[0];
        if (shape->Shape->HotTrackData.Count > 0) shape->Shape->SetAdjustHandle(0, {entry.Mode, (entry.Value1 + entry.Min1) / 2, entry.Min1, entry.Max1, (entry.Value2 + entry.Max2) / 2, entry.Min2, entry.Max2});
    }
    const Bytes first = Saved(original);

    FakeDocument loaded;
    ASSERT_EQ(Load(loaded, first), QString());
    ASSERT_EQ(loaded.Design(0).FigureCount(), static_cast<int>(names.size()));
    for (size_t i = 0; i < names.size(); ++i) {
        auto* read = dynamic_cast<TAutoForm*>(loaded.Design(0).GetFigure(static_cast<int>(i)));
        ASSERT_NE(read, nullptr) << names[i];
        EXPECT_EQ(read->ShapeClass(), names[i]);
    }
    const Bytes second = Saved(loaded);
    EXPECT_EQ(second, first);
    FakeDocument again;
    ASSERT_EQ(Load(again, second), QString());
    EXPECT_EQ(Saved(again), second);
}

TEST_F(DocumentFileTest, DatabaseBlockIsWrittenBackOnlyWhenItHasBytes) {
    FakeDocument plain;
    const Bytes withoutBlock = Saved(plain);
    EXPECT_EQ(withoutBlock[18], TEtikett::kSheetElementCode);

    TDocumentBuilder doc;
    doc.filer.WriteRawByte(TDataBaseConnector::kElementCode);
    doc.filer.WriteTaggedInteger(100);
    doc.filer.WriteTaggedInteger(3);
    TMemoryStream data(Bytes{1, 2, 3});
    doc.filer.WriteTaggedStream(data, 3);
    doc.Sheet(TEtikett()).Designs(1).BeginDesign().EndDesign();
    FakeDocument loaded;
    ASSERT_EQ(Load(loaded, doc.Bytes()), QString());
    EXPECT_EQ(Saved(loaded), doc.Bytes());
}

// ---- the load table

struct LoadCase {
    const char* name;
    std::function<void(TDocumentBuilder&)> write;
    bool loads;
    int invalidElements;
    int designs;
};

TEST_F(DocumentFileTest, LoadTable) {
    TRechteck rect(nullptr);
    const std::vector<LoadCase> cases = {
        {"no designs", [](TDocumentBuilder& d) { d.Sheet(TEtikett()).Designs(0); }, true, 0, 1},
        {"negative design count", [](TDocumentBuilder& d) { d.Sheet(TEtikett()).Designs(-5); }, true, 0, 1},
        {"empty entry counts as an element",
         [](TDocumentBuilder& d) { d.Sheet(TEtikett()).Designs(1).BeginDesign().Raw(ecFigure).EndDesign(); }, true, 0,
         1},
        {"field-list code 13 in a design",
         [&](TDocumentBuilder& d) {
             d.Sheet(TEtikett()).Designs(1).BeginDesign().Figure(rect).Raw(ecFieldList).EndDesign();
         },
         false, 1, 1},
        {"sheet marker missing", [](TDocumentBuilder& d) { d.Raw(5); }, false, 0, 1},
        {"database block without sheet",
         [](TDocumentBuilder& d) {
             d.Raw(TDataBaseConnector::kElementCode);
             d.filer.WriteTaggedInteger(100);
             d.filer.WriteTaggedInteger(0);
             d.Raw(ecDesign);
         },
         false, 0, 1},
        {"second design without its marker",
         [&](TDocumentBuilder& d) { d.Sheet(TEtikett()).Designs(2).BeginDesign().Figure(rect).EndDesign().Raw(3); },
         false, 0, 1},
        {"more designs than bytes",
         [](TDocumentBuilder& d) { d.Sheet(TEtikett()).Designs(1000000).BeginDesign().EndDesign(); }, false, 0, 1},
        {"unknown code inside a group",
         [&](TDocumentBuilder& d) {
             d.Sheet(TEtikett()).Designs(1).BeginDesign();
             d.Box(ecFigureGroup, TBoxValues{});
             TGroupRecordHead{true, false, 3}.Write(d.filer);
             d.Figure(rect).Raw(200).Figure(rect).EndDesign();
         },
         false, 1, 1},
        {"three designs", [&](TDocumentBuilder& d) {
             d.Sheet(TEtikett()).Designs(3);
             for (int i = 0; i < 3; ++i) d.BeginDesign().Figure(rect).EndDesign();
         },
         true, 0, 3},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        invalidElements.clear();
        TDocumentBuilder doc;
        c.write(doc);
        FakeDocument loaded;
        EXPECT_EQ(Load(loaded, doc.Bytes()), c.loads ? QString() : CannotRead());
        EXPECT_EQ(invalidElements.size(), c.invalidElements);
        EXPECT_EQ(loaded.DesignCount(), c.designs);
        EXPECT_EQ(loaded.progress.value(loaded.progress.size() - 1, QStringLiteral("none")), QString());
    }
}

TEST_F(DocumentFileTest, EveryCodeWithoutFigureClassEndsTheLoadWithItsMessage) {
    TRechteck rect(nullptr);
    for (int code = 0; code < 256; ++code) {
        if (code == ecEnd || code == ecFigure) continue;
        if (CreateFigureForElementCode(static_cast<uint8_t>(code), nullptr)) continue;
        SCOPED_TRACE(code);
        invalidElements.clear();
        TDocumentBuilder doc;
        doc.Sheet(TEtikett()).Designs(1).BeginDesign().Figure(rect).Raw(static_cast<uint8_t>(code)).EndDesign();
        FakeDocument loaded;
        EXPECT_EQ(Load(loaded, doc.Bytes()), CannotRead());
        EXPECT_EQ(invalidElements, QStringList{LocalizedText("IDS_INVALIDELEMENT")});
        // What was read before the damage stays.
        EXPECT_EQ(loaded.Design(0).FigureCount(), 1);
    }
    // The counter field (25) is refused above until its class exists; then
    // it is a figure of designs like any other.
    FakeDocument document;
    if (auto counter = CreateFigureForElementCode(ecZaehlerfeld, &document.child)) {
        TDocumentBuilder doc;
        doc.Sheet(TEtikett()).Designs(1).BeginDesign().Figure(*counter).EndDesign();
        ASSERT_EQ(Load(document, doc.Bytes()), QString());
        EXPECT_EQ(document.Design(0).GetFigure(0)->Kind, TFigureKind::Zaehlerfeld);
    }
}

TEST_F(DocumentFileTest, WrongMagicAndEveryTruncation) {
    FakeDocument wrong;
    EXPECT_EQ(Load(wrong, Bytes{'Z', 'O', 'R', 'B', 'I', 'T', '_', '0', '1', 5, 0, 0, 0, 0, 0, 0, 0, 64}),
              LocalizedText("IDS_INVALIDFILE"));

    // A database block, the sheet, a group and a line on two designs.
    FakeDocument original;
    TChildBase* owner = &original.child;
    original.connector.StoredData.WriteBuffer("db", 2);
    auto group = Box(new TFigureGroup(owner), 20, 20, 20, 10);
    static_cast<TFigureGroup&>(*group).AddMember(Box(new TEllipse(owner), 15, 20, 10, 10));
    original.Design(0).AddFigure(std::move(group), false);
    original.AddDesignTab(QStringLiteral("2")).AddFigure(Box(new TLinie(owner), 5, 5, 4, 4), false);
    const Bytes whole = Saved(original);
    FakeDocument complete;
    ASSERT_EQ(Load(complete, whole), QString());
    for (size_t n = 0; n < whole.size(); ++n) {
        FakeDocument cut;
        ASSERT_EQ(Load(cut, Bytes(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(n))), CannotRead()) << n;
    }
}

TEST_F(DocumentFileTest, MissingFileGivesItsOpenError) {
    FakeDocument document;
    EXPECT_THROW(TDocumentFile(document).LoadFromFile(QStringLiteral("/nonexistent/zorbit.qem")), EFOpenError);
}

// ---- saving to disk

namespace {

// The disk's operations, with one step failing with an error number.
enum class Step { None, Create, Write, Sync, Link, Rename };

class FailingOps : public TDocumentFileOps {
public:
    FailingOps(Step step, int error) : step_(step), error_(error) {}

    bool Exists(const QString& f) override { return DiskFileOps().Exists(f); }
    bool IsReadOnly(const QString& f) override { return DiskFileOps().IsReadOnly(f); }
    QString LinkTarget(const QString& f) override { return DiskFileOps().LinkTarget(f); }
    int CreateFile(const QString& f, const QString& like, std::unique_ptr<TStream>& file) override {
        return step_ == Step::Create ? error_ : DiskFileOps().CreateFile(f, like, file);
    }
    int Write(TStream& file, const uint8_t* data, int64_t count) override {
        if (step_ != Step::Write) return DiskFileOps().Write(file, data, count);
        DiskFileOps().Write(file, data, count / 2);  // part of it went
        return error_;
    }
    int Sync(TStream& file) override { return step_ == Step::Sync ? error_ : DiskFileOps().Sync(file); }
    int Link(const QString& from, const QString& to) override {
        return step_ == Step::Link ? error_ : DiskFileOps().Link(from, to);
    }
    int Rename(const QString& from, const QString& to) override {
        return step_ == Step::Rename ? error_ : DiskFileOps().Rename(from, to);
    }
    int Remove(const QString& f) override { return DiskFileOps().Remove(f); }

private:
    Step step_;
    int error_;
};

// The disk's operations until the program is killed at one of the calls
// that change the disk: from then on nothing more reaches the disk (a write
// that is cut off leaves half of its bytes). Before every call the check
// looks at the disk.
class KillingOps : public TDocumentFileOps {
public:
    KillingOps(int killAt, std::function<void()> check) : killAt_(killAt), check_(std::move(check)) {}

    bool Killed() const { return killed_; }

    bool Exists(const QString& f) override {
        check_();
        return DiskFileOps().Exists(f);
    }
    bool IsReadOnly(const QString& f) override {
        check_();
        return DiskFileOps().IsReadOnly(f);
    }
    QString LinkTarget(const QString& f) override {
        check_();
        return DiskFileOps().LinkTarget(f);
    }
    int CreateFile(const QString& f, const QString& like, std::unique_ptr<TStream>& file) override {
        return Change([&] { return DiskFileOps().CreateFile(f, like, file); });
    }
    int Write(TStream& file, const uint8_t* data, int64_t count) override {
        if (Alive()) return DiskFileOps().Write(file, data, count);
        if (dying_) DiskFileOps().Write(file, data, count / 2);
        dying_ = false;
        return EINTR;
    }
    int Sync(TStream& file) override { return Change([&] { return DiskFileOps().Sync(file); }); }
    int Link(const QString& from, const QString& to) override {
        return Change([&] { return DiskFileOps().Link(from, to); });
    }
    int Rename(const QString& from, const QString& to) override {
        return Change([&] { return DiskFileOps().Rename(from, to); });
    }
    int Remove(const QString& f) override { return Change([&] { return DiskFileOps().Remove(f); }); }

private:
    template <class Call>
    int Change(Call call) {
        const bool alive = Alive();
        dying_ = false;
        return alive ? call() : EINTR;
    }
    // Counts a changing call; false from the killed one on.
    bool Alive() {
        check_();
        if (killed_) return false;
        if (calls_++ < killAt_) return true;
        killed_ = dying_ = true;
        return false;
    }

    int killAt_;
    std::function<void()> check_;
    int calls_ = 0;
    bool killed_ = false;
    bool dying_ = false;
};

// A rectangle whose writer fails after it has begun its record.
class FailingRechteck : public TRechteck {
public:
    using TRechteck::TRechteck;
    void WriteData(TEtikettFiler& filer) override {
        TRechteck::WriteData(filer);
        throw EWriteError("Stream write error");
    }
};

class SaveTest : public DocumentFileTest {
protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QStringList Files(const QString& folder = {}) const {
        return QDir(folder.isEmpty() ? dir.path() : folder).entryList(QDir::Files | QDir::System, QDir::Name);
    }
    // The document of FillDocument with one more rectangle.
    static void FillChanged(FakeDocument& changed, bool failingFigure = false) {
        FillDocument(changed);
        TChildBase* owner = &changed.child;
        changed.Design(0).AddFigure(
            Box(failingFigure ? new FailingRechteck(owner) : new TRechteck(owner), 5, 5, 3, 3), false);
    }

    QTemporaryDir dir;
};

QString CannotSave(const QString& path, const char* cause = nullptr) {
    const QString message = LocalizedFormat("IDS_CANNOTSAVEFILE", {path});
    return cause ? message + u' ' + LocalizedText(cause) : message;
}

}  // namespace

TEST_F(SaveTest, SavedFileHoldsTheDocumentAndNoBackupRemains) {
    FakeDocument document;
    FillDocument(document);
    const QString target = Path("etikett.qem");
    WriteFile(target, Bytes{1, 2, 3});
    WriteFile(Path("etikett.BAK"), Bytes{4, 5});
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    const QFile::Permissions permissions = QFile::permissions(target);

    EXPECT_TRUE(TDocumentFile(document).SaveToFile(target));
    EXPECT_EQ(FileBytes(target), Saved(document));
    EXPECT_EQ(Files(), QStringList{QStringLiteral("etikett.qem")});
    EXPECT_EQ(QFile::permissions(target), permissions);
    EXPECT_FALSE(document.child.busyCursor);

    FakeDocument loaded;
    EXPECT_TRUE(TDocumentFile(loaded).LoadFromFile(target));
    EXPECT_EQ(loaded.DesignCount(), 2);

    // A new file, and a file whose own extension is the backup's.
    const QString fresh = Path("neu.qem");
    EXPECT_TRUE(TDocumentFile(document).SaveToFile(fresh));
    const QString bak = Path("alt.BAK");
    WriteFile(bak, Bytes{9});
    EXPECT_TRUE(TDocumentFile(document).SaveToFile(bak));
    EXPECT_EQ(FileBytes(fresh), Saved(document));
    EXPECT_EQ(FileBytes(bak), Saved(document));
}

// Through a symbolic link (also a chain of them, also to a file not made
// yet) the file the link points to is written: the links stay links, the
// file keeps its permissions, and nothing is left beside either.
TEST_F(SaveTest, ThroughSymbolicLinksTheirTargetIsWritten) {
    FakeDocument document;
    FillDocument(document);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Ablage")));
    const QString real = Path("Ablage/etikett.qem");
    WriteFile(real, Bytes{1, 2, 3});
    const QFile::Permissions shared = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup;
    QFile::setPermissions(real, shared);
    ASSERT_TRUE(QFile::link(QStringLiteral("Ablage/etikett.qem"), Path("verknuepft.qem")));  // relative
    ASSERT_TRUE(QFile::link(Path("verknuepft.qem"), Path("zweite.qem")));
    ASSERT_TRUE(QFile::link(Path("Ablage/spaeter.qem"), Path("spaeter.qem")));

    for (const char* link : {"verknuepft.qem", "zweite.qem"}) {
        SCOPED_TRACE(link);
        WriteFile(real, Bytes{1, 2, 3});
        EXPECT_TRUE(TDocumentFile(document).SaveToFile(Path(link)));
        EXPECT_TRUE(QFileInfo(Path(link)).isSymLink());
        EXPECT_EQ(FileBytes(real), Saved(document));
        EXPECT_EQ(QFile::permissions(real) & ~QFile::Permissions(QFile::ReadUser | QFile::WriteUser), shared);
    }
    EXPECT_TRUE(TDocumentFile(document).SaveToFile(Path("spaeter.qem")));
    EXPECT_TRUE(QFileInfo(Path("spaeter.qem")).isSymLink());
    EXPECT_EQ(FileBytes(Path("Ablage/spaeter.qem")), Saved(document));
    EXPECT_EQ(Files(), QStringList({QStringLiteral("spaeter.qem"), QStringLiteral("verknuepft.qem"),
                                    QStringLiteral("zweite.qem")}));
    EXPECT_EQ(Files(Path("Ablage")), QStringList({QStringLiteral("etikett.qem"), QStringLiteral("spaeter.qem")}));
}

// Killed at any call of the save, the document's name holds the previous
// or the new document at every moment, and the next save goes through.
TEST_F(SaveTest, KilledAtAnyCallTheNameHoldsTheOldOrTheNewDocument) {
    FakeDocument previous;
    FillDocument(previous);
    const Bytes previousBytes = Saved(previous);
    FakeDocument changed;
    FillChanged(changed);
    const Bytes changedBytes = Saved(changed);
    ASSERT_TRUE(QFile::link(Path("etikett.qem"), Path("verknuepft.qem")));

    for (const char* name : {"etikett.qem", "verknuepft.qem"}) {
        const QString target = Path(name);
        int killAt = 0;
        for (bool killed = true; killed; ++killAt) {
            SCOPED_TRACE(std::string(name) + " killed at call " + std::to_string(killAt));
            WriteFile(Path("etikett.qem"), previousBytes);
            WriteFile(Path("etikett.BAK"), Bytes{7});
            int looks = 0;
            KillingOps ops(killAt, [&] {
                const Bytes now = FileBytes(target);
                ++looks;
                ASSERT_TRUE(now == previousBytes || now == changedBytes) << "after " << looks << " calls";
            });
            try {
                TDocumentFile(changed, ops).SaveToFile(target);
            } catch (const EFCreateError&) {
            }
            killed = ops.Killed();
            const Bytes after = FileBytes(target);
            EXPECT_TRUE(after == previousBytes || after == changedBytes);
            EXPECT_TRUE(QFileInfo(Path("verknuepft.qem")).isSymLink());
            // What a killed save left behind does not stop the next one.
            EXPECT_TRUE(TDocumentFile(changed).SaveToFile(target));
            EXPECT_EQ(FileBytes(target), changedBytes);
            EXPECT_EQ(Files(), QStringList({QStringLiteral("etikett.qem"), QStringLiteral("verknuepft.qem")}));
        }
        EXPECT_GE(killAt, 7);  // create, write, sync, the backup's two, rename, the backup's end
    }
}

TEST_F(SaveTest, EveryFailureLeavesThePreviousDocumentAndNamesItsCause) {
    FakeDocument previous;
    FillDocument(previous);
    const Bytes previousBytes = Saved(previous);
    const Bytes olderBackup{7, 7, 7};

    struct Case {
        const char* name;
        Step step;
        int error;
        const char* cause;  // the sentence after "IDS_CANNOTSAVEFILE"
        bool failingFigure = false;
        bool readOnly = false;
    };
    const Case cases[] = {
        {"read-only target", Step::None, 0, nullptr, false, true},
        {"figure writer fails", Step::None, 0, nullptr, true},
        {"no permission in the folder", Step::Create, EACCES, "IDS_FILEERROR_NOPERMISSION"},
        {"folder gone", Step::Create, ENOENT, "IDS_FILEERROR_NOFOLDER"},
        {"full disk part-way", Step::Write, ENOSPC, "IDS_FILEERROR_DISKFULL"},
        {"write-protected disk", Step::Write, EROFS, "IDS_FILEERROR_READONLYDISK"},
        {"sync fails", Step::Sync, EIO, nullptr},
        {"rename into place fails", Step::Rename, ENOENT, "IDS_FILEERROR_NOFOLDER"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString target = Path("etikett.qem");
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        WriteFile(target, previousBytes);
        WriteFile(Path("etikett.BAK"), olderBackup);
        if (c.readOnly) QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup);

        FakeDocument changed;
        FillChanged(changed, c.failingFigure);
        FailingOps ops(c.step, c.error);
        try {
            TDocumentFile(changed, ops).SaveToFile(target);
            ADD_FAILURE() << "saved";
        } catch (const EReadOnlyFile& e) {
            EXPECT_TRUE(c.readOnly);
            EXPECT_EQ(QString::fromUtf8(e.what()), LocalizedFormat("IDS_CANNOTSAVEFILE2", {target}));
        } catch (const EFCreateError& e) {
            EXPECT_FALSE(c.readOnly);
            EXPECT_EQ(e.ErrorNumber, c.error);
            const QString cause = c.error == EIO ? LocalizedFormat("IDS_FILEERROR_OTHER", {QString::fromLocal8Bit(std::strerror(EIO))})
                                  : c.cause     ? LocalizedText(c.cause)
                                                : QString();
            EXPECT_EQ(QString::fromUtf8(e.what()), cause.isEmpty() ? CannotSave(target) : CannotSave(target) + u' ' + cause);
        }
        EXPECT_EQ(FileBytes(target), previousBytes);
        EXPECT_FALSE(changed.child.busyCursor);
        // Nothing new is left beside it; an older backup goes only once the
        // new file is complete.
        QStringList files = Files();
        files.removeAll(QStringLiteral("etikett.BAK"));
        EXPECT_EQ(files, QStringList{QStringLiteral("etikett.qem")});
        if (c.step != Step::Rename) {
            EXPECT_EQ(FileBytes(Path("etikett.BAK")), olderBackup);
        }
        FakeDocument reread;
        EXPECT_TRUE(TDocumentFile(reread).LoadFromFile(target));
        EXPECT_EQ(Saved(reread), previousBytes);
    }
}

// The backup is a help, not a condition: a file system without links takes
// a copy, and a backup that cannot be made at all does not stop the save.
TEST_F(SaveTest, ABackupThatCannotBeMadeDoesNotStopTheSave) {
    FakeDocument changed;
    FillChanged(changed);
    const QString target = Path("etikett.qem");
    WriteFile(target, Bytes{1, 2, 3});
    FailingOps ops(Step::Link, EPERM);
    EXPECT_TRUE(TDocumentFile(changed, ops).SaveToFile(target));
    EXPECT_EQ(FileBytes(target), Saved(changed));
    EXPECT_EQ(Files(), QStringList{QStringLiteral("etikett.qem")});
}

// On the real disk: a folder that is gone is named as the cause.
TEST_F(SaveTest, AFolderThatIsGoneIsNamed) {
    FakeDocument document;
    FillDocument(document);
    const QString target = Path("entfernt/etikett.qem");
    try {
        TDocumentFile(document).SaveToFile(target);
        ADD_FAILURE() << "saved";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), CannotSave(target, "IDS_FILEERROR_NOFOLDER"));
    }
    EXPECT_TRUE(Files().isEmpty());
}
