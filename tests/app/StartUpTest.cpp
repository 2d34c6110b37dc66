#include "app/StartUp.h"

#include "app/Application.h"
#include "app/FileInfo.h"
#include "app/Startbild.h"

#include "design/DesignDialogs.h"
#include "document/EtikettFiler.h"
#include "document/FeldListe.h"
#include "document/widgets/DlgVideoFelder.h"
#include "figures/FigureDialogs.h"
#include "figures/FigureFactory.h"
#include "foundation/Localizer.h"
#include "printing/widgets/DlgDruckPosition2.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QWidget>

#include <cmath>
#include <vector>

namespace {

// A clock that only moves when the splash waits (or the test says so).
struct FakeClock {
    uint32_t now = 0;
    std::vector<uint32_t> waits;
    std::function<void()> duringWait;

    TSplashClock Clock() {
        return {[this] { return now; },
                [this](uint32_t ms) {
                    waits.push_back(ms);
                    if (duringWait) duringWait();
                    now += ms;
                }};
    }
};

}  // namespace

TEST(Splash, StaysAtLeastTheMinimumTimeWithTheMainWindowDisabled) {
    struct Case {
        uint32_t start;
        uint32_t creationTakes;
        std::vector<uint32_t> waits;
    };
    const Case cases[] = {
        {1000, 500, {1501}},           // the rest of the time, and one past it
        {1000, 2000, {1}},              // exactly the minimum is not enough
        {1000, 2001, {}},               // a slow start closes at the first check
        {1000, 60000, {}},
        {0xFFFFFF00u, 100, {1901}},     // the tick count wraps meanwhile
    };
    for (const Case& c : cases) {
        FakeClock clock;
        clock.now = c.start;
        TSplash splash(clock.Clock());
        splash.Show();
        ASSERT_TRUE(splash.Window());
        EXPECT_TRUE(splash.Window()->isVisible());
        QWidget mainWindow;
        bool disabledWhileWaiting = true;
        bool splashUpWhileWaiting = true;
        clock.duringWait = [&] {
            disabledWhileWaiting = disabledWhileWaiting && !mainWindow.isEnabled();
            splashUpWhileWaiting = splashUpWhileWaiting && splash.Window() && splash.Window()->isVisible();
        };
        clock.now += c.creationTakes;
        splash.Close(&mainWindow);
        EXPECT_EQ(clock.waits, c.waits) << c.creationTakes;
        EXPECT_TRUE(disabledWhileWaiting);
        EXPECT_TRUE(splashUpWhileWaiting);
        EXPECT_TRUE(mainWindow.isEnabled());
        EXPECT_EQ(splash.Window(), nullptr);
        splash.Close(&mainWindow);  // a second close does nothing
        EXPECT_EQ(clock.waits, c.waits);
    }
}

// The picture frees itself when it is closed: a close from outside (the
// window manager) before or during the wait leaves nothing dangling.
TEST(Splash, APictureClosedFromOutsideIsGoneWithoutHarm) {
    for (const bool duringWait : {false, true}) {
        SCOPED_TRACE(duringWait ? "during the wait" : "before the wait");
        FakeClock clock;
        QWidget mainWindow;
        {
            TSplash splash(clock.Clock());
            splash.Show();
            auto closePicture = [&] {
                if (!splash.Window()) return;
                splash.Window()->close();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            };
            if (duringWait)
                clock.duringWait = closePicture;
            else
                closePicture();
            EXPECT_EQ(splash.Window() == nullptr, !duringWait);
            splash.Close(&mainWindow);
            EXPECT_EQ(splash.Window(), nullptr);
            EXPECT_LE(clock.waits.size(), 1u);
        }
        EXPECT_TRUE(mainWindow.isEnabled());
    }
}

TEST(Splash, TheSystemClockWaitsWithoutSpinning) {
    // The real wait serves events: a timer started before it fires meanwhile.
    bool fired = false;
    QTimer::singleShot(1, [&] { fired = true; });
    SystemSplashClock().wait(30);
    EXPECT_TRUE(fired);
}

TEST(Splash, ShowsTheProgramVersion) {
    TStartbild picture;
    EXPECT_EQ(picture.VersionText(), FileInfo().ShortVersionText());
    EXPECT_EQ(picture.size(), QSize(400, 300));
    EXPECT_TRUE(picture.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(StartUp, TheOnlyArgumentOpensAnExistingFileElseANewDocument) {
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("Etiketten.qem"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString other = dir.filePath(QStringLiteral("Andere.qem"));
    QFile(existing).copy(other);
    struct Case {
        QStringList arguments;
        bool open;
    };
    const Case cases[] = {
        {{}, false},
        {{existing}, true},
        {{dir.filePath(QStringLiteral("fehlt.qem"))}, false},
        {{existing, other}, false},
        {{dir.path()}, false},  // a folder is no document
        {{QStringLiteral("/RESWRITE")}, false},
    };
    for (const Case& c : cases) {
        const TFirstDocument first = ChooseFirstDocument(c.arguments, IsExistingFile);
        EXPECT_EQ(first.open, c.open) << c.arguments.join(QLatin1Char(' ')).toStdString();
        if (c.open) {
            EXPECT_EQ(first.path, c.arguments.front());
        }
    }
}

namespace {

// Waits for a visible dialog of the class, lets inspect look at it and
// closes it.
template <class Dialog>
void CloseWhenShown(const std::function<void(Dialog*)>& inspect) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, inspect] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<Dialog*>(w);
            if (!dialog || !dialog->isVisible()) continue;
            poll->stop();
            poll->deleteLater();
            inspect(dialog);
            dialog->done(QDialog::Accepted);
            return;
        }
    });
    poll->start(5);
}

}  // namespace

// Start-up connects the lower layers to their dialogs: a load that skipped
// damaged places shows its message, and editing the fields runs the field dialog.
TEST(StartUp, TheLowerLayersShowTheirDialogs) {
    InitializeServices();
    QString message;
    CloseWhenShown<QMessageBox>([&](QMessageBox* box) { message = box->text(); });
    ReportSkippedPlaces(QStringLiteral("Übersprungene beschädigte Stellen: 2."));
    EXPECT_EQ(message, QStringLiteral("Übersprungene beschädigte Stellen: 2."));

    TFeldListe fields{TFeldListe::EmptyTag{}};
    fields.AddField("Titel", "");
    QStringList listed;
    CloseWhenShown<TDlgVideoFelder>([&](TDlgVideoFelder* dialog) {
        for (int i = 0; i < dialog->lbFelder->count(); ++i) listed << dialog->lbFelder->item(i)->text();
    });
    EXPECT_TRUE(fields.EditFields());
    EXPECT_EQ(listed, QStringList{QStringLiteral("Titel")});

    // The design's commands reach their dialogs, the colour and fill dialog among them.
    const TDesignDialogs& dialogs = DesignDialogs();
    EXPECT_TRUE(dialogs.PickColor && dialogs.EditFill && dialogs.PenWidth && dialogs.AlignElements && dialogs.FilterBrightness);
    EXPECT_TRUE(DruckPositionHooks().ActiveSheet);

    // Every hook start-up installed goes again, so that no later test meets a real dialog.
    SetSkippedPlacesHandler({});
    SetFieldListEditor({});
    SetInvalidElementHandler({});
    SetPositionDialog({});
    SetBarcodeDialog({});
    SetFigureWarning({});
    DesignDialogs() = TDesignDialogs{};
    DruckPositionHooks().ActiveSheet = {};
    DruckPositionHooks().TestPrint = {};
    Localizer().SetMessageHandler({});
}

TEST(StartUp, FloatingPointFaultsGiveInfinitiesAndNaNs) {
    MaskFloatingPointExceptions();
    volatile double zero = 0.0;
    volatile double one = 1.0;
    EXPECT_TRUE(std::isinf(one / zero));
    EXPECT_TRUE(std::isnan(zero / zero));
    EXPECT_TRUE(std::isinf(std::exp(static_cast<double>(one) * 1000.0)));
    volatile long double big = 1e4000L;
    EXPECT_TRUE(std::isinf(big * big));
}
