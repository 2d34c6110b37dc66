// The filter preview and the filter slider.
#include "controls/ControlsTesting.h"
#include "support/TestClock.h"

#include "foundation/ViewTimer.h"
#include "pictures/widgets/FilterPic.h"
#include "pictures/widgets/FilterSlider.h"

#include <QtGui/QMouseEvent>
#include <QtWidgets/QLineEdit>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

void Mouse(QWidget* w, QEvent::Type type, int x, Qt::MouseButtons buttons = Qt::LeftButton) {
    const QPointF at(x, w->height() / 2);
    QMouseEvent event(type, at, w->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

class FilterSliderTest : public GermanLocale {
protected:
    void SetUp() override {
        GermanLocale::SetUp();
        slider = std::make_unique<TFilterSlider>();
        slider->setGeometry(0, 0, 510, 30);
        slider->OnChange = [this](TFilterSlider&) { ++changes; };
    }
    TestClock clock;
    std::unique_ptr<TFilterSlider> slider;
    int changes = 0;
};

}  // namespace

TEST_F(FilterSliderTest, CreatedEmptyAndSizedToItsFont) {
    TFilterSlider plain;
    EXPECT_EQ(plain.width(), 300);
    EXPECT_EQ(plain.height(), plain.fontMetrics().height() + 10);
    EXPECT_EQ(plain.Position(), 0);
    EXPECT_EQ(plain.Edit()->text(), QStringLiteral("0"));
    EXPECT_EQ(plain.focusPolicy(), Qt::StrongFocus);
    // The edit sits at the right end, the track ends 12 pixels before it.
    const int t = slider->fontMetrics().horizontalAdvance(QStringLiteral("10,00"));
    EXPECT_EQ(slider->EditRect(), QRect(510 - t - 12, 2, t + 10, slider->height() - 4));
    EXPECT_EQ(slider->TrackRect(), QRect(6, 4, slider->EditRect().x() - 12 - 6, slider->height() - 3 - 4));
    slider->show();
    EXPECT_EQ(slider->Edit()->geometry(), slider->EditRect());
}

TEST_F(FilterSliderTest, MapsBetweenPixelsAndValues) {
    slider->resize(400 + 6 + 12 + slider->width() - slider->EditRect().x(), slider->height());
    const QRect track = slider->TrackRect();
    ASSERT_EQ(track.width(), 400);
    struct Case {
        TSliderMode mode;
        int x;  // from the track's left
        float value;
    };
    const Case cases[] = {
        {TSliderMode::smLinear, 0, -100}, {TSliderMode::smLinear, 100, -50}, {TSliderMode::smLinear, 200, 0},
        {TSliderMode::smLinear, 400, 100}, {TSliderMode::smExpo, 0, 0.1f},   {TSliderMode::smExpo, 100, std::sqrt(0.1f)},
        {TSliderMode::smExpo, 200, 1},      {TSliderMode::smExpo, 400, 10},
    };
    for (const Case& c : cases) {
        slider->SetSliderMode(c.mode);
        EXPECT_NEAR(slider->PositionFromX(track.left() + c.x), c.value, 1e-4) << c.x;
        slider->SetPosition(c.value);
        EXPECT_EQ(slider->ThumbX(), track.left() + c.x) << c.value;
    }
    // An odd track width counts one more pixel.
    slider->resize(slider->width() + 1, slider->height());
    slider->SetSliderMode(TSliderMode::smLinear);
    EXPECT_FLOAT_EQ(slider->PositionFromX(6 + 201), 0);
    // Beyond the ends the position stops at the range.
    slider->SetPosition(slider->PositionFromX(1000));
    EXPECT_EQ(slider->Position(), 100);
}

TEST_F(FilterSliderTest, Keys) {
    struct Case {
        TSliderMode mode;
        float start;
        int key;
        float expected;
        const char* text;
    };
    const Case cases[] = {
        {TSliderMode::smLinear, 0, Qt::Key_End, 100, "100"},
        {TSliderMode::smLinear, 0, Qt::Key_Home, -100, "-100"},
        {TSliderMode::smLinear, 0, Qt::Key_Left, -1, "-1"},
        {TSliderMode::smLinear, 0, Qt::Key_Up, -1, "-1"},
        {TSliderMode::smLinear, 0, Qt::Key_PageUp, -10, "-10"},
        {TSliderMode::smLinear, 0, Qt::Key_Right, 1, "1"},
        {TSliderMode::smLinear, 0, Qt::Key_Down, 1, "1"},
        {TSliderMode::smLinear, 0, Qt::Key_PageDown, 10, "10"},
        {TSliderMode::smLinear, 37, Qt::Key_R, 0, "0"},
        {TSliderMode::smLinear, -100, Qt::Key_Left, -100, "-100"},
        {TSliderMode::smLinear, 95, Qt::Key_PageDown, 100, "100"},
        {TSliderMode::smExpo, 1, Qt::Key_End, 10, "10,00"},
        {TSliderMode::smExpo, 1, Qt::Key_Home, 0.1f, "0,10"},
        {TSliderMode::smExpo, 1, Qt::Key_Left, 0.9f, "0,90"},
        {TSliderMode::smExpo, 1, Qt::Key_PageUp, 0.1f, "0,10"},
        {TSliderMode::smExpo, 1, Qt::Key_Right, 1.1f, "1,10"},
        {TSliderMode::smExpo, 1, Qt::Key_PageDown, 2, "2,00"},
        {TSliderMode::smExpo, 5, Qt::Key_R, 1, "1,00"},
    };
    for (const Case& c : cases) {
        slider->SetSliderMode(c.mode);
        slider->SetPosition(c.start);
        changes = 0;
        Key(slider.get(), c.key);
        EXPECT_FLOAT_EQ(slider->Position(), c.expected) << c.key << " from " << c.start;
        EXPECT_EQ(slider->Edit()->text(), QString::fromLatin1(c.text));
        EXPECT_EQ(changes, 1);  // a change is signalled even at the end of the range
    }
}

TEST_F(FilterSliderTest, DelayedChangeFiresOnceAfterABurst) {
    slider->SetChangeTimer(clock.NewTimer());
    slider->SetChangeDelay(40);
    EXPECT_EQ(slider->ChangeDelay(), 40);
    // Ten presses within 40 ms: one change, 40 ms after the last.
    for (int i = 0; i < 10; ++i) {
        Key(slider.get(), Qt::Key_Right);
        clock.Advance(4);
    }
    EXPECT_EQ(changes, 0);
    clock.Advance(35);
    EXPECT_EQ(changes, 0);
    clock.Advance(1);
    EXPECT_EQ(changes, 1);
    clock.Advance(200);  // the timer stopped when it fired
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(slider->Position(), 10);

    // Two presses further apart than the delay: two changes.
    Key(slider.get(), Qt::Key_Right);
    clock.Advance(50);
    Key(slider.get(), Qt::Key_Right);
    clock.Advance(50);
    EXPECT_EQ(changes, 3);

    // Without delay every change fires at once.
    slider->SetChangeDelay(0);
    slider->SetPosition(20);
    slider->SetPosition(30);
    EXPECT_EQ(changes, 5);
}

TEST_F(FilterSliderTest, EditField) {
    QLineEdit* edit = slider->Edit();
    // Typed digits set the position; too large a number is brought back into range.
    edit->clear();
    Type(edit, QStringLiteral("25"));
    EXPECT_EQ(slider->Position(), 25);
    Type(edit, QStringLiteral("0"));
    EXPECT_EQ(slider->Position(), 100);
    EXPECT_EQ(edit->text(), QStringLiteral("100"));
    // Only digits, the minus sign and the decimal separator are taken.
    edit->clear();
    Type(edit, QStringLiteral("-4x2a"));
    EXPECT_EQ(edit->text(), QStringLiteral("-42"));
    EXPECT_EQ(slider->Position(), -42);
    // In exponential mode the text keeps two decimals with the comma.
    slider->SetSliderMode(TSliderMode::smExpo);
    slider->SetPosition(2.5f);
    EXPECT_EQ(edit->text(), QStringLiteral("2,50"));
    edit->clear();
    Type(edit, QStringLiteral("3,2"));
    EXPECT_FLOAT_EQ(slider->Position(), 3.2f);
    EXPECT_EQ(edit->text(), QStringLiteral("3,2"));  // left as typed while it is in range
    // Enter gives the focus to the slider; leaving the edit rewrites its text.
    ShowActive(slider.get());
    edit->setFocus();
    Key(edit, Qt::Key_Return);
    EXPECT_TRUE(slider->hasFocus());
    EXPECT_EQ(edit->text(), QStringLiteral("3,20"));
}

TEST_F(FilterSliderTest, ModeSwitchKeepsThePositionInRange) {
    slider->SetSliderMode(TSliderMode::smExpo);
    slider->SetPosition(5);
    slider->SetSliderMode(TSliderMode::smLinear);
    EXPECT_EQ(slider->Position(), 5);
    EXPECT_EQ(slider->Edit()->text(), QStringLiteral("5"));
    slider->SetPosition(-50);
    slider->SetSliderMode(TSliderMode::smExpo);
    EXPECT_FLOAT_EQ(slider->Position(), 0.1f);
    EXPECT_EQ(slider->Edit()->text(), QStringLiteral("0,10"));
}

TEST_F(FilterSliderTest, Mouse) {
    const QRect track = slider->TrackRect();
    slider->SetPosition(0);
    changes = 0;
    // A press on the thumb starts dragging without moving it.
    Mouse(slider.get(), QEvent::MouseButtonPress, slider->ThumbX() + 2);
    EXPECT_EQ(slider->Position(), 0);
    EXPECT_EQ(changes, 0);
    Mouse(slider.get(), QEvent::MouseMove, track.left() + track.width() / 4);
    EXPECT_NEAR(slider->Position(), -50, 1);
    Mouse(slider.get(), QEvent::MouseButtonRelease, track.left() + track.width() / 4, Qt::NoButton);
    Mouse(slider.get(), QEvent::MouseMove, track.left(), Qt::NoButton);
    EXPECT_NEAR(slider->Position(), -50, 1);
    // A press elsewhere on the track jumps there.
    Mouse(slider.get(), QEvent::MouseButtonPress, track.left() + track.width() * 3 / 4);
    EXPECT_NEAR(slider->Position(), 50, 1);
    EXPECT_EQ(slider->Edit()->text(), QString::number(qRound(slider->Position())));
    Mouse(slider.get(), QEvent::MouseButtonRelease, track.left(), Qt::NoButton);
    EXPECT_EQ(changes, 2);
}

TEST(FilterPic, FitsThePictureIntoItsClientArea) {
    TFilterPic pic;
    pic.resize(300, 225);
    EXPECT_EQ(pic.PreviewDIB(), nullptr);
    pic.Dib().SetDIB(imaging::CreateDIB(100, 50, 24));
    EXPECT_EQ(pic.PictureRect(), QRect(0, 37, 300, 150));
    pic.SetZoom(0.5f);
    EXPECT_EQ(pic.PictureRect(), QRect(75, 75, 150, 75));
    imaging::DibHandle preview = pic.PreviewDIB();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->Width(), 150);
    EXPECT_EQ(preview->Height(), 75);
    pic.Dib().SetDIB(imaging::CreateDIB(50, 100, 32));  // a new picture: zoom back to 1
    EXPECT_EQ(pic.Zoom(), 1.0f);
    EXPECT_EQ(pic.PictureRect(), QRect(93, 0, 113, 225));
    EXPECT_EQ(pic.PreviewDIB()->BitCount(), 32);

    struct Case {
        QSize picture, client;
        float zoom;
        QSize fitted;
    };
    const Case cases[] = {
        {{100, 50}, {300, 225}, 1, {300, 150}},  {{10, 10}, {300, 225}, 1, {225, 225}},
        {{4000, 1}, {300, 225}, 1, {300, 0}},    {{300, 225}, {300, 225}, 2, {600, 450}},
        {{0, 10}, {300, 225}, 1, {0, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(FitPictureSize(c.picture, c.client, c.zoom), c.fitted);
}

TEST(FilterPic, PaintsThePictureCentredOnItsColour) {
    TFilterPic pic;
    pic.resize(40, 30);
    pic.SetColor(Qt::black);
    imaging::DibHandle dib = imaging::CreateDIB(2, 1, 24);
    std::fill_n(dib->Row(0), 6, uint8_t(200));
    pic.Dib().SetDIB(std::move(dib));
    const QImage image = pic.grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(20, 15), QColor(200, 200, 200));
    EXPECT_EQ(image.pixelColor(20, 4), QColor(Qt::black));  // 40 x 20 centred: rows 5 .. 24
    EXPECT_EQ(image.pixelColor(20, 5), QColor(200, 200, 200));
}
