// The three picture post-processing dialogs on a photo-like picture.
// With ZORBIT_SCREENSHOTS set to a folder, each dialog is saved there after
// its sliders were moved.
#include "controls/ControlsTesting.h"
#include "support/FormTexts.h"
#include "support/Screenshot.h"
#include "support/TestClock.h"

#include "pictures/widgets/DlgFilterHKIG.h"
#include "pictures/widgets/DlgFilterHSL.h"
#include "pictures/widgets/DlgFilterSWCol.h"
#include "pictures/widgets/FilterPic.h"

#include <QtCore/QDir>
#include <QtWidgets/QProgressBar>

#include <cmath>
#include <cstdlib>
#include <random>

using imaging::DibHandle;

namespace {

// A landscape: sky fading to the horizon, a sun with its glow, rolling green
// hills, a red house and a lake, with some grain.
DibHandle PhotoLike(int32_t w, int32_t h, int bits) {
    DibHandle dib = imaging::CreateDIB(w, h, bits);
    std::mt19937 random(17);
    std::uniform_int_distribution<int> grain(-6, 6);
    const int step = bits / 8;
    const double sunX = 0.72 * w, sunY = 0.22 * h, sunR = 0.07 * w;
    for (int32_t y = 0; y < h; ++y) {
        uint8_t* row = dib->TopRow(y);
        for (int32_t x = 0; x < w; ++x) {
            const double fx = double(x) / w, fy = double(y) / h;
            const double hill = 0.55 + 0.06 * std::sin(fx * 9.0) + 0.03 * std::sin(fx * 23.0 + 1.0);
            double r, g, b;
            if (fy < hill) {  // sky and sun
                r = 90 + 140 * fy, g = 150 + 90 * fy, b = 235 - 10 * fy;
                const double d = std::hypot(x - sunX, y - sunY);
                if (d < sunR) r = 255, g = 230, b = 120;
                else if (d < 3 * sunR) {
                    const double glow = 1 - (d - sunR) / (2 * sunR);
                    r += (255 - r) * glow * 0.6, g += (220 - g) * glow * 0.6, b *= 1 - glow * 0.4;
                }
            } else if (fy > 0.82) {  // the lake
                r = 40, g = 80 + 40 * std::sin(fx * 40 + fy * 30) * 0.3, b = 140 - 60 * (fy - 0.82);
            } else {  // the hills, darker towards the front
                const double shade = 1 - (fy - hill) * 1.2;
                r = 60 * shade, g = (150 + 40 * std::sin(fx * 31)) * shade, b = 50 * shade;
            }
            if (fx > 0.18 && fx < 0.3 && fy > 0.5 && fy < 0.68) r = 190, g = 40, b = 35;        // the house
            if (fx > 0.16 && fx < 0.32 && fy > 0.44 && fy <= 0.5 && std::abs(fx - 0.24) < (fy - 0.44) * 1.4)
                r = 110, g = 50, b = 40;                                                       // its roof
            uint8_t* p = row + x * step;
            p[0] = uint8_t(std::clamp(int(b) + grain(random), 0, 255));
            p[1] = uint8_t(std::clamp(int(g) + grain(random), 0, 255));
            p[2] = uint8_t(std::clamp(int(r) + grain(random), 0, 255));
            if (bits == 32) p[3] = 255;
        }
    }
    return dib;
}

DibHandle Copy(const imaging::Dib& dib) { return imaging::CopyHandle(dib); }

// The sliders' delayed changes run on the test's clock.
void DriveSliders(TDlgFilter& dialog, TestClock& clock) {
    for (TFilterSlider* slider : dialog.Sliders) slider->SetChangeTimer(clock.NewTimer());
}

// Lets every delayed slider change fire.
void SettleSliders(const TDlgFilter& dialog, TestClock& clock) {
    int delay = 0;
    for (const TFilterSlider* slider : dialog.Sliders) delay = std::max(delay, slider->ChangeDelay());
    clock.Advance(delay + 1);
}

bool IsGrey(const imaging::Dib& dib) {
    for (int32_t row = 0; row < dib.Height(); ++row)
        for (int32_t x = 0; x < dib.Width(); ++x) {
            const uint8_t* p = dib.Row(row) + 3 * x;
            if (p[0] != p[1] || p[1] != p[2]) return false;
        }
    return true;
}

}  // namespace

TEST(FilterDialogs, SlidersGiveTheFilterValues) {
    struct Case {
        std::function<std::unique_ptr<TDlgFilter>()> make;
        std::vector<float> starts, positions, values;
    };
    const Case cases[] = {
        {[] { return std::make_unique<TDlgFilterHKIG>(); }, {0, 0, 0, 1}, {50, -20, 100, 2.5f}, {0.5f, -0.2f, 1, 2.5f}},
        {[] { return std::make_unique<TDlgFilterHSL>(); }, {0, 0, 0}, {100, -50, 20}, {0.5f, -0.5f, 0.2f}},
        {[] { return std::make_unique<TDlgFilterSWCol>(); }, {-80, -40}, {0, 100}, {0.5f, 1}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TDlgFilter> dialog = c.make();
        ASSERT_EQ(dialog->Sliders.size(), c.starts.size());
        for (size_t i = 0; i < c.starts.size(); ++i) {
            EXPECT_EQ(dialog->Sliders[i]->Position(), c.starts[i]);
            EXPECT_EQ(dialog->Sliders[i]->geometry().topLeft(), QPoint(90, 250 + 30 * int(i)));
            EXPECT_EQ(dialog->Sliders[i]->ChangeDelay(), 40);
            dialog->Sliders[i]->SetPosition(c.positions[i]);
        }
        const std::vector<float> values = dialog->FilterValues();
        ASSERT_EQ(values.size(), c.values.size());
        for (size_t i = 0; i < values.size(); ++i) EXPECT_FLOAT_EQ(values[i], c.values[i]) << i;
        EXPECT_EQ(dialog->size(), QSize(625, 445));
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Bildnachbearbeitung"));
    }
    EXPECT_EQ(TDlgFilterHKIG().Sliders[3]->SliderMode(), TSliderMode::smExpo);
    // The tint's start values: hue 0.1, saturation 0.3.
    const std::vector<float> tint = TDlgFilterSWCol().FilterValues();
    EXPECT_FLOAT_EQ(tint[0], 0.1f);
    EXPECT_FLOAT_EQ(tint[1], 0.3f);
}

TEST(FilterDialogs, RightPreviewShowsTheFilteredDisplayedPicture) {
    TestClock clock;
    TDlgFilterHKIG dialog;
    DriveSliders(dialog, clock);
    dialog.SetDIB(PhotoLike(400, 300, 24));
    const imaging::Dib* right = dialog.PicNeu->Dib().Handle();
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(QSize(right->Width(), right->Height()), dialog.PicAlt->PictureRect().size());
    EXPECT_EQ(right->Packed(), dialog.PicAlt->PreviewDIB()->Packed());  // unchanged at first

    dialog.Sliders[0]->SetPosition(30);
    dialog.Sliders[3]->SetPosition(1.5f);
    clock.Advance(39);  // a change waits 40 ms
    EXPECT_EQ(dialog.PicNeu->Dib().Handle()->Packed(), dialog.PicAlt->PreviewDIB()->Packed());
    SettleSliders(dialog, clock);
    DibHandle expected = dialog.PicAlt->PreviewDIB();
    FilterBrightnessContrast(*expected, {}, 0.3f, 0, 0, 1.5f);
    EXPECT_EQ(dialog.PicNeu->Dib().Handle()->Packed(), expected->Packed());
    // The left picture is the whole one, untouched.
    EXPECT_EQ(dialog.GetDIB()->Width(), 400);

    // Reset: every slider back to its start value, the preview unchanged again.
    dialog.BtnZuruecksetzen->click();
    EXPECT_EQ(dialog.FilterValues(), (std::vector<float>{0, 0, 0, 1}));
    EXPECT_EQ(dialog.PicNeu->Dib().Handle()->Packed(), dialog.PicAlt->PreviewDIB()->Packed());
}

TEST(FilterDialogs, BlackAndWhiteThenReset) {
    TDlgFilterSWCol dialog;
    dialog.SetDIB(PhotoLike(320, 240, 32));
    // The right preview opens tinted with the start values.
    DibHandle tinted = dialog.PicAlt->PreviewDIB();
    FilterTint(*tinted, {}, 0.1f, 0.3f);
    EXPECT_EQ(dialog.PicNeu->Dib().Handle()->Packed(), tinted->Packed());

    dialog.BtnSchwarzWeiss->click();
    EXPECT_EQ(dialog.Sliders[1]->Position(), -100);
    EXPECT_FLOAT_EQ(dialog.FilterValues()[1], 0);
    DibHandle grey = Copy(*dialog.PicNeu->Dib().Handle());
    imaging::ConvertDIB(grey, 24);
    EXPECT_TRUE(IsGrey(*grey));

    dialog.BtnZuruecksetzen->click();
    EXPECT_FLOAT_EQ(dialog.FilterValues()[0], 0.1f);
    EXPECT_FLOAT_EQ(dialog.FilterValues()[1], 0.3f);
    EXPECT_EQ(dialog.PicNeu->Dib().Handle()->Packed(), tinted->Packed());
}

TEST(FilterDialogs, OkAtOnceLeavesThePictureButIn24Or32Bits) {
    // 8 bits per pixel come back as 24 with the same colours.
    DibHandle grey = imaging::CreateDIB(60, 40, 8);
    for (int32_t row = 0; row < 40; ++row)
        for (int32_t x = 0; x < 60; ++x) grey->Row(row)[x] = uint8_t(row * 6 + x);
    WhenShown<TDlgFilterHKIG>([](TDlgFilterHKIG& dialog) { ClickButton(&dialog, "BtnOK"); });
    DibHandle result = ShowFilterHKIGDialog(*grey);
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(result->BitCount(), 24);
    for (int32_t row = 0; row < 40; ++row)
        for (int32_t x = 0; x < 60; ++x) ASSERT_EQ(result->PixelColor(x, row), grey->PixelColor(x, row));

    // 32-bit pictures stay 32-bit, byte for byte.
    DibHandle photo = PhotoLike(120, 90, 32);
    photo->Row32(3)[7] = 0x40102030;  // a half-transparent pixel keeps its alpha
    for (const auto& show : {ShowFilterHKIGDialog, ShowFilterHSLDialog}) {
        WhenShown<TDlgFilter>([](TDlgFilter& dialog) { ClickButton(&dialog, "BtnOK"); });
        result = show(*photo, nullptr);
        ASSERT_NE(result, nullptr);
        EXPECT_EQ(result->Packed(), photo->Packed());
    }
}

TEST(FilterDialogs, CancelGivesNothingBack) {
    DibHandle photo = PhotoLike(120, 90, 24);
    const std::vector<uint8_t> before = photo->Packed();
    WhenShown<TDlgFilterSWCol>([](TDlgFilterSWCol& dialog) {
        dialog.Sliders[0]->SetPosition(40);
        ClickButton(&dialog, "Button2");
    });
    EXPECT_EQ(ShowFilterSWColDialog(*photo), nullptr);
    EXPECT_EQ(photo->Packed(), before);
    WhenShown<TDlgFilterHSL>([](TDlgFilterHSL& dialog) { dialog.reject(); });
    EXPECT_EQ(ShowFilterHSLDialog(*photo), nullptr);
}

// OK filters the whole picture while the event loop keeps running; the
// result is that of one filtering in one go.
TEST(FilterDialogs, OkFiltersTheWholePictureResponsively) {
    DibHandle photo = PhotoLike(300, 200, 24);
    TDlgFilterHSL dialog;
    dialog.EventInterval = 0;
    dialog.SetDIB(Copy(*photo));
    dialog.Sliders[0]->SetPosition(40);
    dialog.Sliders[1]->SetPosition(25);
    dialog.Sliders[2]->SetPosition(-10);
    std::vector<int> shown;
    QObject::connect(dialog.ProgressBar1, &QProgressBar::valueChanged, [&shown](int value) { shown.push_back(value); });
    bool ranWhileFiltering = false;
    QTimer::singleShot(0, [&] {
        ranWhileFiltering = dialog.Filtering() && dialog.ProgressBar1->value() < 100;
        EXPECT_FALSE(dialog.BtnOK->isEnabled());
        EXPECT_FALSE(dialog.Sliders[0]->isEnabled());
        dialog.reject();  // refused while the filter works
        dialog.Sliders[0]->SetPosition(-100);
    });
    dialog.BtnOKClick();
    EXPECT_TRUE(ranWhileFiltering);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_GT(shown.size(), 10u);
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    EXPECT_EQ(shown.back(), 100);

    FilterHSL(*photo, {}, 0.2f, 0.25f, -0.1f);
    EXPECT_EQ(dialog.GetDIB()->Packed(), photo->Packed());
}

TEST(FilterDialogs, TextsInBothLanguages) {
    TDlgFilterHKIG hkig;
    TDlgFilterHSL hsl;
    TDlgFilterSWCol swcol;
    EXPECT_EQ(ExpectFormTextsInBothLanguages({&hkig, &hsl, &swcol}), 8 + 7 + 7);
}

TEST(FilterDialogs, Showcase) {
    struct Shot {
        const char* name;
        std::function<std::unique_ptr<TDlgFilter>()> make;
        std::vector<float> positions;
    };
    const Shot shots[] = {
        {"filter-hkig", [] { return std::make_unique<TDlgFilterHKIG>(); }, {25, 40, 0, 0.7f}},
        {"filter-hsl", [] { return std::make_unique<TDlgFilterHSL>(); }, {60, 50, 0}},
        {"filter-swcol", [] { return std::make_unique<TDlgFilterSWCol>(); }, {-80, -40}},
    };
    for (const Shot& shot : shots) {
        TestClock clock;
        std::unique_ptr<TDlgFilter> dialog = shot.make();
        DriveSliders(*dialog, clock);
        dialog->SetDIB(PhotoLike(1200, 800, 24));
        dialog->show();
        for (size_t i = 0; i < shot.positions.size(); ++i) dialog->Sliders[i]->SetPosition(shot.positions[i]);
        SettleSliders(*dialog, clock);
        // The right preview is the filtered one.
        EXPECT_NE(dialog->PicNeu->Dib().Handle()->Packed(), dialog->PicAlt->PreviewDIB()->Packed()) << shot.name;
        SaveScreenshot(*dialog, shot.name, true);
        // The left preview shows the picture unchanged, the right one differs.
        const QImage image = dialog->grab().toImage();
        const QPoint centre = dialog->panAlt->geometry().center();
        EXPECT_NE(image.pixelColor(centre), image.pixelColor(centre + QPoint(309, 0))) << shot.name;
        dialog->close();
    }
}
