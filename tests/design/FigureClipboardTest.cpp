// The figure clipboard: the private format between designs, the picture of
// the selection, pictures of other programs and damaged clipboard bytes.
#include "design/DesignTesting.h"

#include "design/FigureClipboard.h"
#include "figures/Bild32.h"
#include "figures/Ellipse.h"
#include "figures/FigureFactory.h"
#include "figures/FigureTestSupport.h"
#include "figures/Linie.h"
#include "figures/PictureFixtures.h"
#include "pictures/QDXRotate90DIB.h"
#include "pictures/ZRMetaFile.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Metafile.h"

#include <QtCore/QFile>
#include <QtCore/QMimeData>
#include <QtCore/QTemporaryDir>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>

#include <stdexcept>

namespace {

using K = TFigureKind;

class ClipboardTest : public DesignTest {
protected:
    ClipboardTest() {
        clipboard::Clear();
        child.sheet.LabelWidth = 100;
        child.sheet.LabelHeight = 50;
    }
    ~ClipboardTest() override {
        SetPictureFigureMaker({});
        SetInvalidElementHandler({});
    }

    TFigure* AddReal(std::unique_ptr<TFigure> f, double cx, double cy, double w = 10, double h = 6) {
        f->SetCenterX(cx);
        f->SetCenterY(cy);
        f->SetWidth(w);
        f->SetHeight(h);
        return design.AddFigure(std::move(f), false);
    }

    // Puts a picture of other programs alone on the clipboard.
    static void PutImage(int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::red);
        clipboard::SetContent({{}, image});
    }

    // A maker that gives a rectangle of the picture's size.
    int InstallRectangleMaker() {
        SetPictureFigureMaker([this](TChildBase& owner, const TClipboardPicture& picture) {
            ++made;
            TPastedPicture result;
            result.Figure = std::make_unique<TRechteck>(&owner);
            result.PixelWidth = picture.Image.width();
            result.PixelHeight = picture.Image.height();
            return result;
        });
        return 0;
    }

    int made = 0;
};

}  // namespace

TEST_F(ClipboardTest, CopyAndPasteBetweenTwoDesigns) {
    TFigure* bottom = AddReal(std::make_unique<TRechteck>(&child), 10, 12);
    TFigure* top = AddReal(std::make_unique<TEllipse>(&child), 30, 35, 8, 4);
    AddReal(std::make_unique<TLinie>(&child), 50, 40);
    Select({top, bottom});
    design.CopySelection();
    EXPECT_FALSE(child.busyCursor);
    EXPECT_TRUE(clipboard::HasFormat(FigureClipboardMimeType()));
    EXPECT_TRUE(clipboard::HasImage());
    EXPECT_TRUE(CanPasteFromClipboard());

    TEinzelEtikett other(child);
    other.AddFigure(std::make_unique<TLinie>(&child), false);
    other.ClearUndo();
    other.Paste();
    ASSERT_EQ(other.FigureCount(), 3);
    // Selected top first, the former top figure now lies below the other.
    const TFigure* first = other.GetFigure(1);
    const TFigure* second = other.GetFigure(2);
    EXPECT_EQ(first->Kind, K::Ellipse);
    EXPECT_EQ(second->Kind, K::Rechteck);
    EXPECT_EQ(std::vector<double>({first->CenterX, first->CenterY, first->Width, first->Height}),
              std::vector<double>({30, 35, 8, 4}));
    EXPECT_EQ(std::vector<double>({second->CenterX, second->CenterY}), std::vector<double>({10, 12}));
    EXPECT_EQ(other.SelectedCount(), 2);
    EXPECT_EQ(other.GetHandlesVisible(), 1);
    EXPECT_TRUE(other.IsModified());

    // Everything pasted goes in one step.
    EXPECT_EQ(other.UndoCount(), 1);
    EXPECT_EQ(other.GetUndoCaption(), "Aus Zwischenablage einfügen");
    other.Undo();
    EXPECT_EQ(other.FigureCount(), 1);
}

TEST_F(ClipboardTest, ThreeFiguresPasteAsOneStepAndCutRemovesThem) {
    for (int i = 0; i < 3; ++i) AddReal(std::make_unique<TRechteck>(&child), 10 + 15 * i, 20);
    design.SelectAll();
    design.ClearUndo();
    design.CutSelection();
    EXPECT_EQ(design.FigureCount(), 0);
    design.Paste();
    design.Paste();
    EXPECT_EQ(design.FigureCount(), 6);
    EXPECT_EQ(design.UndoCount(), 3);
    design.Undo();
    EXPECT_EQ(design.FigureCount(), 3);
    design.Undo();
    EXPECT_EQ(design.FigureCount(), 0);
    design.Undo();  // the cut
    EXPECT_EQ(design.FigureCount(), 3);
}

TEST_F(ClipboardTest, ThePrivateFormatWinsOverThePicture) {
    InstallRectangleMaker();
    AddReal(std::make_unique<TEllipse>(&child), 20, 20);
    design.SelectFigure(0);
    design.SetHandlesVisible(1);
    design.CopySelection();
    design.Paste();
    EXPECT_EQ(made, 0);
    ASSERT_EQ(design.FigureCount(), 2);
    EXPECT_EQ(design.GetFigure(1)->Kind, K::Ellipse);
}

TEST_F(ClipboardTest, CopyingNothingWarnsAndLeavesTheClipboard) {
    QGuiApplication::clipboard()->setText("vorher");
    AddReal(std::make_unique<TRechteck>(&child), 20, 20);
    design.CopySelection();
    EXPECT_EQ(child.warnings, QStringList{"Es ist kein Element markiert."});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "vorher");
    EXPECT_FALSE(CanPasteFromClipboard());
    design.ClearUndo();
    design.Paste();  // nothing to paste: no step
    EXPECT_EQ(design.FigureCount(), 1);
    EXPECT_EQ(design.UndoCount(), 0);
    EXPECT_FALSE(design.IsModified());
}

TEST_F(ClipboardTest, PicturesOfOtherProgramsFillTheLabel) {
    InstallRectangleMaker();
    PutImage(1000, 500);
    EXPECT_TRUE(CanPasteFromClipboard());
    const struct {
        int width, height;
        uint8_t orientation;
        double cx, cy, w, h;
    } cases[] = {
        {1000, 500, 0, 50, 25, 90, 45},
        {10, 10, 0, 50, 25, 45, 45},
        {1000, 500, 1, 25, 50, 45, 22.5},
    };
    for (const auto& c : cases) {
        PutImage(c.width, c.height);
        child.sheet.Orientation = c.orientation;
        TEinzelEtikett d(child);
        d.Paste();
        ASSERT_EQ(d.FigureCount(), 1);
        const TFigure* f = d.GetFigure(0);
        EXPECT_NEAR(f->CenterX, c.cx, 1e-4);
        EXPECT_NEAR(f->CenterY, c.cy, 1e-4);
        EXPECT_NEAR(f->Width, c.w, 1e-4);
        EXPECT_NEAR(f->Height, c.h, 1e-4);
        EXPECT_EQ(d.SelectedCount(), 1);
        EXPECT_EQ(d.UndoCount(), 1);
        EXPECT_TRUE(d.IsModified());
    }

    // A picture the maker cannot read: the message, and nothing is added.
    SetPictureFigureMaker([](TChildBase&, const TClipboardPicture&) -> TPastedPicture {
        throw Exception("kaputt");
    });
    design.Paste();
    EXPECT_EQ(design.FigureCount(), 0);
    EXPECT_EQ(design.UndoCount(), 0);
    EXPECT_EQ(child.errors, QStringList{"Es konnte kein Element eingefügt werden"});
}

// Without a maker of the tests' own, a picture becomes a picture figure:
// centred, filling 90 % of the label, one undo step, saved as its pixels.
TEST_F(ClipboardTest, PicturesOfOtherProgramsBecomePictureFigures) {
    const imaging::DibHandle clear = fixtures::QuadrantDib(40, 30, true);
    const QImage image = imaging::BitmapFromDIB(*clear).image();
    const QByteArray emf = [] {
        const std::vector<uint8_t> bytes = fixtures::QuadrantMetafile(400, 300).EmfBytes();
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    }();
    const struct {
        const char* what;
        clipboard::Content content;
        int added;
        uint8_t kind;
    } cases[] = {
        {"an image with a clear corner", {{}, image}, 1, TBild32::kPictureRaster},
        {"a metafile beside an image", {{{"image/x-emf", emf}}, image}, 1, TBild32::kPictureMetafile},
        {"a damaged metafile", {{{"image/x-wmf", QByteArray(200, 'x')}}, {}}, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clipboard::SetContent(c.content);
        EXPECT_TRUE(CanPasteFromClipboard());
        child.errors.clear();
        TEinzelEtikett d(child);
        d.Paste();
        ASSERT_EQ(d.FigureCount(), c.added);
        EXPECT_EQ(d.UndoCount(), c.added);
        if (c.added == 0) {
            EXPECT_EQ(child.errors, QStringList{"Es konnte kein Element eingefügt werden"});
            EXPECT_FALSE(d.IsModified());
            continue;
        }
        auto* picture = dynamic_cast<TBild32*>(d.GetFigure(0));
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->PictureKind, c.kind);
        // 45 mm high: the picture is wider than the label is, relatively.
        const double width = 45.0 * picture->PictureWidth() / picture->PictureHeight();
        EXPECT_EQ(std::vector<double>({picture->CenterX, picture->CenterY, picture->Height}),
                  std::vector<double>({50, 25, 45}));
        EXPECT_NEAR(picture->Width, width, 1e-4);
        EXPECT_TRUE(d.IsSelected(picture));
        EXPECT_TRUE(d.IsModified());
        if (c.kind == TBild32::kPictureRaster) {
            EXPECT_EQ(picture->Width, 60);
            ASSERT_NE(picture->DIB->DIB(), nullptr);
            EXPECT_EQ(picture->DIB->DIB()->Packed(), clear->Packed());
            EXPECT_EQ(picture->DIB->Mode(), TQDXRotate90DIB::kModeAlphaMask);
            // No file behind it: saved as PNG, which reads back the same.
            std::unique_ptr<TFigure> back = ReadElementBytes(ElementBytes(*picture), &child);
            EXPECT_EQ(static_cast<TBild32&>(*back).DIB->DIB()->Packed(), clear->Packed());
        } else {
            EXPECT_FALSE(picture->MetaFile->IsEmpty());
        }
        EXPECT_EQ(d.GetUndoCaption(), "Aus Zwischenablage einfügen");
        d.Undo();
        EXPECT_EQ(d.FigureCount(), 0);
        EXPECT_EQ(d.UndoCount(), 0);
    }
}

TEST_F(ClipboardTest, DamagedPrivateBytesKeepTheFiguresReadBefore) {
    QStringList invalid;
    SetInvalidElementHandler([&](const QString& m) { invalid << m; });
    AddReal(std::make_unique<TRechteck>(&child), 20, 20);
    AddReal(std::make_unique<TLinie>(&child), 40, 20);
    design.SelectAll();
    const QByteArray good = SelectionElementBytes(design);
    ASSERT_EQ(good.back(), '\0');
    const int32_t firstRecord = static_cast<int32_t>(ElementBytes(*design.GetFigure(0)).size());

    struct Case {
        QByteArray bytes;
        int added;
        int invalidMessages;
        int errors;
    } cases[] = {
        {good, 2, 0, 0},
        {good.left(good.size() - 1), 2, 0, 0},               // no end byte after a whole record
        {good.left(firstRecord) + char(13), 1, 1, 0},        // an element code no figure has
        {good.left(firstRecord + 5), 1, 0, 1},               // a record cut short
        {QByteArray(1, char(ecFigure)) + char(0), 0, 0, 0},  // an entry without a figure
        {QByteArray(), 0, 0, 0},
    };
    for (const Case& c : cases) {
        TEinzelEtikett d(child);
        invalid.clear();
        child.errors.clear();
        EXPECT_EQ(PasteElementBytes(d, c.bytes), c.added);
        EXPECT_EQ(d.FigureCount(), c.added);
        EXPECT_EQ(invalid.size(), c.invalidMessages);
        EXPECT_EQ(child.errors.size(), c.errors);
        EXPECT_EQ(d.IsModified(), c.added > 0);
    }
}

TEST_F(ClipboardTest, SelectionPicturesAndTheMetafileExport) {
    QTemporaryDir dir;
    const QString file = dir.filePath("export.wmf");
    // Nothing selected: the warning, then an empty metafile.
    EXPECT_TRUE(SaveSelectionAsMetafile(design, file));
    EXPECT_EQ(child.warnings.size(), 1);
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_TRUE(RenderSelectionMetafile(design)->IsEmpty());
    EXPECT_TRUE(RenderSelectionBitmap(design).isNull());

    TFigure* f = AddReal(std::make_unique<TRechteck>(&child), 20, 20, 10, 6);
    static_cast<TRechteck*>(f)->SetFillColor(0x0000FF);
    design.SelectFigure(0);
    design.SetHandlesVisible(1);
    gdi::BitmapCanvas probe(1, 1);
    TScaleCanvas screen(&probe);
    screen.Reset(kResetScreen);
    const TRect extent = design.GetSelectionExtentOn(screen);
    const QImage picture = RenderSelectionBitmap(design);
    EXPECT_EQ(picture.width(), extent.Width() + 2);
    EXPECT_EQ(picture.height(), extent.Height() + 2);
    EXPECT_EQ(picture.pixel(picture.width() / 2, picture.height() / 2) & 0xFFFFFF, 0xFF0000u);  // red
    const std::unique_ptr<gdi::Metafile> metafile = RenderSelectionMetafile(design);
    EXPECT_FALSE(metafile->IsEmpty());
    EXPECT_EQ(metafile->Width(), extent.Width() + 1);
    EXPECT_TRUE(SaveSelectionAsMetafile(design, file));
    EXPECT_GT(QFile(file).size(), 22 + 18);
    EXPECT_THROW(SaveSelectionAsMetafile(design, dir.filePath("no/such/folder/export.wmf")), EFCreateError);
}
