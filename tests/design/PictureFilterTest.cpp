// The picture-filter commands of a design on real picture figures: which
// selection opens a dialog, OK as one undo step that undoes exactly, Cancel
// as nothing at all, and what a document saves after filtering.
// With ZORBIT_SCREENSHOTS set to a folder, the brightness dialog on the
// selected picture is saved there as "design-filter-hkig.png".
#include "controls/ControlsTesting.h"
#include "design/DesignTesting.h"
#include "figures/FigureTestSupport.h"
#include "figures/PictureFixtures.h"
#include "support/Screenshot.h"

#include "design/DesignDialogs.h"
#include "design/widgets/DesignDialogs.h"
#include "figures/Bild32.h"
#include "pictures/QDXRotate90DIB.h"
#include "pictures/widgets/DlgFilterHKIG.h"
#include "pictures/widgets/DlgFilterHSL.h"
#include "pictures/widgets/DlgFilterSWCol.h"
#include "pictures/widgets/FilterSlider.h"

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

#include <cstdlib>

namespace {

using imaging::Dib;
using imaging::DibHandle;

// The colours of a picture, row by row ($00BBGGRR, alpha left out).
std::vector<gdi::Color> Colours(const Dib& dib) {
    std::vector<gdi::Color> colours;
    for (int32_t row = 0; row < dib.Height(); ++row)
        for (int32_t x = 0; x < dib.Width(); ++x) colours.push_back(dib.PixelColor(x, row));
    return colours;
}

// The mean difference of two pictures' channels.
double MeanDifference(const std::vector<gdi::Color>& a, const std::vector<gdi::Color>& b) {
    if (a.size() != b.size() || a.empty()) return 255;
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
        for (int shift : {0, 8, 16}) sum += std::abs(int(a[i] >> shift & 0xFF) - int(b[i] >> shift & 0xFF));
    return sum / (3.0 * a.size());
}

// A stand-in filter: every colour inverted, alpha and depth kept.
DibHandle Inverted(const Dib& picture) {
    DibHandle copy = imaging::CopyHandle(picture);
    const int32_t step = copy->BitCount() / 8;
    for (int32_t row = 0; row < copy->Height(); ++row)
        for (int32_t x = 0; x < copy->Width(); ++x)
            for (int32_t c = 0; c < 3; ++c) copy->Row(row)[x * step + c] ^= 0xFF;
    return copy;
}

// The three commands with their dialogs, and a hand on each dialog.
struct FilterCommand {
    const char* name;
    void (TEinzelEtikett::*command)();
    TPictureFilterDialog TDesignDialogs::*hook;
    std::function<void(std::function<void(TDlgFilter&)>)> whenShown;
};

template <class D>
std::function<void(std::function<void(TDlgFilter&)>)> On() {
    return [](std::function<void(TDlgFilter&)> act) { WhenShown<D>([act](D& dialog) { act(dialog); }); };
}

const FilterCommand kCommands[] = {
    {"brightness", &TEinzelEtikett::FilterBrightness, &TDesignDialogs::FilterBrightness, On<TDlgFilterHKIG>()},
    {"hue", &TEinzelEtikett::FilterHueSaturation, &TDesignDialogs::FilterHueSaturation, On<TDlgFilterHSL>()},
    {"black-white", &TEinzelEtikett::FilterBlackWhite, &TDesignDialogs::FilterBlackWhite, On<TDlgFilterSWCol>()},
};

class PictureFilterTest : public DesignTest {
protected:
    PictureFilterTest() : files(fixtures::WriteAllKinds(dir.path(), 40, 30)) {}

    // A picture figure of the file, alone selected, with no undo step and
    // the design unmodified.
    TBild32& AddPicture(const QString& file) {
        std::unique_ptr<TBild32> figure = CreatePictureFigure(file, &child);
        EXPECT_NE(figure, nullptr) << file.toStdString();
        SetGeometry(*figure, 30, 20, 40, 30);
        auto& added = static_cast<TBild32&>(*design.AddFigure(std::move(figure), true));
        Settle();
        return added;
    }
    void Settle() {
        design.ClearUndo();
        design.SetModified(false);
        child.modified = false;
        child.beeps = 0;
    }

    DialogsScope dialogs_;
    QTemporaryDir dir;
    const fixtures::PictureFiles files;
};

}  // namespace

TEST_F(PictureFilterTest, OnlyOneSelectedRasterPictureOpensADialog) {
    int opened = 0;
    for (const FilterCommand& c : kCommands) DesignDialogs().*c.hook = [&](const Dib&) {
        ++opened;
        return DibHandle();  // cancelled
    };
    TBild32& raster = AddPicture(files.png);
    TBild32& metafile = AddPicture(files.wmf);
    auto& empty = static_cast<TBild32&>(*design.AddFigure(std::make_unique<TBild32>(&child), false));
    StubFigure& box = Add(TFigureKind::Rechteck);
    struct Row {
        const char* what;
        std::vector<const TFigure*> selection;
        bool opens;
    } rows[] = {
        {"nothing", {}, false},
        {"a metafile", {&metafile}, false},
        {"a raster picture", {&raster}, true},
        {"a raster picture and a box", {&raster, &box}, false},
        {"a picture figure without picture", {&empty}, false},
    };
    for (const Row& row : rows) {
        design.DeselectAll();
        for (const TFigure* f : row.selection) design.SelectFigure(design.IndexOf(f));
        Settle();
        opened = 0;
        for (const FilterCommand& c : kCommands) (design.*c.command)();
        EXPECT_EQ(opened, row.opens ? 3 : 0) << row.what;
        EXPECT_EQ(child.beeps, row.opens ? 0 : 3) << row.what;
        EXPECT_EQ(design.UndoCount(), 0) << row.what;
        EXPECT_FALSE(design.IsModified()) << row.what;
    }
}

TEST_F(PictureFilterTest, OkIsOneStepThatUndoesExactly) {
    InstallDesignDialogs();
    TBild32& figure = AddPicture(files.png);
    const std::vector<uint8_t> record = ElementBytes(figure);
    const std::vector<gdi::Color> original = Colours(*figure.DIB->DIB());
    const char* screenshots = std::getenv("ZORBIT_SCREENSHOTS");
    for (const FilterCommand& c : kCommands) {
        SCOPED_TRACE(c.name);
        Settle();
        DibHandle filtered;
        const auto pressOK = [&](TDlgFilter& dialog) {
            dialog.EventInterval = 0;
            dialog.Sliders[0]->SetPosition(dialog.Sliders[0]->Position() + 30);
            if (screenshots && c.hook == &TDesignDialogs::FilterBrightness) {
                dialog.SliderChange();
                SaveScreenshot(dialog, "design-filter-hkig", true);
            }
            dialog.BtnOKClick();
            filtered = imaging::CopyHandle(*dialog.GetDIB());
        };
        c.whenShown(pressOK);
        (design.*c.command)();
        ASSERT_NE(filtered, nullptr);
        EXPECT_EQ(Colours(*figure.DIB->DIB()), Colours(*filtered));
        EXPECT_NE(Colours(*filtered), original);
        EXPECT_EQ(design.UndoCount(), 1);
        EXPECT_EQ(design.GetUndoCaption(), "Bildänderung");
        EXPECT_TRUE(design.IsModified());
        EXPECT_TRUE(child.modified);

        design.Undo();
        EXPECT_EQ(design.UndoCount(), 0);
        EXPECT_EQ(Colours(*figure.DIB->DIB()), original);
        EXPECT_EQ(ElementBytes(figure), record);  // the very file it came from

        // Done again by the dialog, with the same values the same picture.
        EXPECT_EQ(design.SelectedCount(), 0);
        design.SelectFigure(design.IndexOf(&figure));
        const DibHandle first = std::move(filtered);
        c.whenShown(pressOK);
        (design.*c.command)();
        EXPECT_EQ(Colours(*figure.DIB->DIB()), Colours(*first));
        EXPECT_EQ(design.UndoCount(), 1);
        design.Undo();
        design.SelectFigure(design.IndexOf(&figure));
    }
}

TEST_F(PictureFilterTest, CancelChangesNothingAndRecordsNothing) {
    InstallDesignDialogs();
    TBild32& figure = AddPicture(files.jpeg);
    design.MoveSelectionBy(1, 0);
    design.SetModified(false);
    const std::vector<uint8_t> record = ElementBytes(figure);
    for (const FilterCommand& c : kCommands) {
        c.whenShown([](TDlgFilter& dialog) {
            dialog.Sliders[0]->SetPosition(dialog.Sliders[0]->Position() + 30);
            dialog.reject();
        });
        (design.*c.command)();
        EXPECT_EQ(ElementBytes(figure), record) << c.name;
        EXPECT_EQ(design.UndoCount(), 1) << c.name;
        EXPECT_EQ(design.GetUndoCaption(), "Position") << c.name;
        EXPECT_FALSE(design.IsModified()) << c.name;
    }
}

// The saved record holds the filtered picture: in the kind of file the
// picture came from where that kind can be written, else as PNG.
TEST_F(PictureFilterTest, SavingAfterFilteringWritesTheFilteredPixels) {
    DesignDialogs().FilterBrightness = Inverted;
    const QString gif = fixtures::WriteFixture(dir.path(), QStringLiteral("named.gif"),
                                               fixtures::EncodedAs(imaging::PictureFormat::Png,
                                                                   *fixtures::QuadrantDib(40, 30)));
    const struct {
        QString file;
        const char* savedAs;
        bool lossless;
    } cases[] = {
        {files.png, ".png", true},
        {files.bmp, ".bmp", true},
        {files.jpeg, ".jpg", false},
        {gif, ".png", true},  // PNG bytes named .gif: a GIF cannot be written
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        design.SelectAll();
        design.DeleteSelection();
        TBild32& figure = AddPicture(c.file);
        const DibHandle expected = Inverted(*figure.DIB->DIB());
        design.FilterBrightness();
        const std::vector<gdi::Color> shown = Colours(*figure.DIB->DIB());
        if (c.lossless) {
            EXPECT_EQ(shown, Colours(*expected));
        }

        std::unique_ptr<TFigure> read = ReadElementBytes(ElementBytes(figure), &child);
        auto* back = dynamic_cast<TBild32*>(read.get());
        ASSERT_NE(back, nullptr);
        ASSERT_NE(back->DIB->DIB(), nullptr);
        EXPECT_EQ(Colours(*back->DIB->DIB()), shown);  // what is shown is what is saved
        EXPECT_EQ(back->DIB->Extension(), c.savedAs);
        // A JPEG holds the filtered picture too, up to its small losses
        // (the unfiltered picture lies about 170 away on average).
        EXPECT_LT(MeanDifference(shown, Colours(*expected)), 8.0);
    }
}
