#include "foundation/GeneralHelpers.h"
#include "foundation/PrivateTempFolder.h"
#include "foundation/Scramble.h"
#include "foundation/ZRRegIniFile.h"
#include "foundation/widgets/FormPlacement.h"
#include "platform/registry/RegistryStore.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QWidget>

#include <cmath>
#include <limits>
#include <memory>

#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(GeneralHelpers, JoinPath) {
    struct Case {
        const char* folder;
        const char* name;
        const char* joined;
    };
    const Case cases[] = {
        {"", "a.qem", "a.qem"},
        {"/home/u/", "a.qem", "/home/u/a.qem"},
        {"/home/u", "a.qem", "/home/u/a.qem"},
        {"/", "tmp", "/tmp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JoinPath(QString::fromUtf8(c.folder), QString::fromUtf8(c.name)), QString::fromUtf8(c.joined))
            << c.folder;
}

TEST(GeneralHelpers, NormalizeAngle) {
    const std::pair<float, double> cases[] = {
        {-30.0f, 330.0}, {720.0f, 0.0}, {0.0f, 0.0},       {359.5f, 359.5},
        {360.0f, 0.0},   {-720.0f, 0.0}, {-0.25f, 359.75}, {1080.5f, 0.5},
    };
    for (const auto& [in, out] : cases) EXPECT_DOUBLE_EQ(NormalizeAngle(in), out) << in;
    // Huge and non-finite angles end, and stay inside the range.
    const double huge = NormalizeAngle(1e30f);
    EXPECT_TRUE(huge >= 0 && huge < 360);
    EXPECT_EQ(NormalizeAngle(std::numeric_limits<float>::infinity()), 0.0);
    EXPECT_EQ(NormalizeAngle(std::numeric_limits<float>::quiet_NaN()), 0.0);
}

TEST(GeneralHelpers, PointNearLine) {
    struct Case {
        TPoint p, a, b;
        int32_t tolerance;
        bool near;
    };
    const Case cases[] = {
        {{50, 2}, {0, 0}, {100, 0}, 3, true},
        {{102, 0}, {0, 0}, {100, 0}, 3, true},
        {{50, 3}, {0, 0}, {100, 0}, 3, false},    // bottom edge of the box is outside
        {{50, -3}, {0, 0}, {100, 0}, 3, false},   // distance equal to the tolerance
        {{103, 0}, {0, 0}, {100, 0}, 3, false},
        {{-3, 0}, {0, 0}, {100, 0}, 3, true},     // left edge is inside
        {{5, 5}, {5, 5}, {5, 5}, 2, true},        // a point: the box decides
        {{7, 5}, {5, 5}, {5, 5}, 2, false},
        {{12, 10}, {0, 0}, {20, 20}, 2, true},    // diagonal, distance 1.41
        {{13, 10}, {0, 0}, {20, 20}, 2, false},   // diagonal, distance 2.12
        {{0, 50}, {0, 100}, {0, 0}, 1, true},     // ends in either order
    };
    for (const Case& c : cases)
        EXPECT_EQ(PointNearLine(c.p, c.a, c.b, c.tolerance), c.near) << c.p.x << "," << c.p.y;
}

TEST(GeneralHelpers, Rounding) {
    EXPECT_DOUBLE_EQ(RoundTo2Decimals(0.125), 0.12);  // ties to even
    EXPECT_DOUBLE_EQ(RoundTo2Decimals(0.135), 0.14);
    EXPECT_DOUBLE_EQ(RoundTo2Decimals(-0.125), -0.12);
    EXPECT_DOUBLE_EQ(RoundTo2Decimals(1.2345), 1.23);
    // The decimal text of the first 15 digits decides, halves away from zero.
    const std::tuple<double, int32_t, double> cases[] = {
        {0.125, 2, 0.13}, {2.675, 2, 2.68}, {0.999, 2, 1.0},  {-1.5, 0, -2.0},      {123.456, 0, 123.0},
        {0.6, 0, 1.0},    {0.4, 0, 0.0},    {1e-20, 2, 0.0},  {1234.5678, 3, 1234.568}, {9.9996, 3, 10.0},
    };
    for (const auto& [x, decimals, rounded] : cases) EXPECT_DOUBLE_EQ(RoundToDecimals(x, decimals), rounded) << x;
    // A float becomes the double of its shortest decimal text.
    EXPECT_EQ(ShortestDouble(63.99f), 63.99);
    EXPECT_EQ(ShortestDouble(52.3f), 52.3);
    EXPECT_EQ(ShortestDouble(-0.1f), -0.1);
}

TEST(GeneralHelpers, FitSizeInto) {
    struct Case {
        int32_t w, h, maxW, maxH, fitW, fitH;
    };
    const Case cases[] = {
        {100, 50, 200, 200, 200, 100},  // scaled up
        {400, 100, 100, 100, 100, 25},  // scaled down
        {10, 10, 45, 90, 45, 45},
        {0, 50, 100, 100, 0, 100},
        {0, 0, 100, 100, 0, 0},         // no size: unchanged
        {100, 50, 0, 100, 100, 50},     // no box: unchanged
        {100, 50, 100, 0, 100, 50},
    };
    for (const Case& c : cases) {
        int32_t w = c.w, h = c.h;
        FitSizeInto(w, h, c.maxW, c.maxH);
        EXPECT_EQ(w, c.fitW) << c.w << "x" << c.h << " in " << c.maxW << "x" << c.maxH;
        EXPECT_EQ(h, c.fitH) << c.w << "x" << c.h << " in " << c.maxW << "x" << c.maxH;
    }
    double w = 1000, h = 500;
    FitSizeIntoFloat(w, h, 90, 90);
    EXPECT_DOUBLE_EQ(w, 90);
    EXPECT_DOUBLE_EQ(h, 45);
    w = 0, h = 0;
    FitSizeIntoFloat(w, h, 90, 90);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
}

TEST(GeneralHelpers, SmallNumericHelpers) {
    EXPECT_EQ(ClampFloat(5, 0, 3), 3);
    EXPECT_EQ(ClampFloat(-1, 0, 3), 0);
    EXPECT_EQ(ClampFloat(2, 5, 3), 3);  // bounds in the wrong order: high wins
    EXPECT_EQ(NormalizeRect({10, 20, 0, 5}), (TRect{0, 5, 10, 20}));
    EXPECT_TRUE(RectContainsRect({0, 0, 10, 10}, {0, 0, 10, 10}));
    EXPECT_FALSE(RectContainsRect({0, 0, 10, 10}, {1, 1, 11, 5}));
    EXPECT_EQ(SignOf(-0.5f), -1);
    EXPECT_EQ(SignOf(0.0f), 0);
    EXPECT_EQ(SignOf(3.0f), 1);
    EXPECT_DOUBLE_EQ(PointDistance({0, 0}, {3, 4}), 5.0);
}

// ---- scrambling

std::string TextOfLength(size_t n) {
    std::string text;
    for (size_t i = 0; i < n; ++i) text += static_cast<char>(1 + (i * 37) % 255);
    return text;
}

std::string Proxy(std::string_view text) {
    return ScrambleString(text, kProxyPasswordKey, kProxyPasswordMultiplier, kProxyPasswordAddend);
}
std::string Unproxy(std::string_view text) {
    return UnscrambleString(text, kProxyPasswordKey, kProxyPasswordMultiplier, kProxyPasswordAddend);
}

TEST(Scramble, KnownValueOfTheProxyPassword) {
    EXPECT_EQ(Proxy("Geheim1"), std::string("\x45\x9B\x28\x6C\x0E\x51\xA7"));
    EXPECT_EQ(Unproxy("\x45\x9B\x28\x6C\x0E\x51\xA7"), "Geheim1");
}

TEST(Scramble, EveryLengthRoundTrips) {
    for (size_t n : {0u, 3u, 255u, 256u, 300u, 600u}) {
        const std::string text = TextOfLength(n);
        const std::string scrambled = Proxy(text);
        ASSERT_EQ(scrambled.size(), n);
        EXPECT_EQ(Unproxy(scrambled), text) << n;
        if (n >= 3) {
            EXPECT_NE(scrambled, text) << n;
        }
    }
    // Long texts scramble their first characters exactly as short ones do.
    EXPECT_EQ(Proxy(TextOfLength(300)).substr(0, 255), Proxy(TextOfLength(255)));
}

// ---- temporary files

// Files left in the temporary folder by earlier runs (40,000 of them made
// every picture load search past them) play no part: names are counted in a
// folder of the process's own.
TEST(UniqueTempFile, NamesFollowInTheProcesssOwnFolderWhateverLiesAround) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    for (int n = 1; n <= 300; ++n) {
        QFile leftover(root.filePath(QStringLiteral("~QN%1.png").arg(n, 4, 10, QLatin1Char('0'))));
        ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    }
    TPrivateTempFolder folder(root.path());
    EXPECT_EQ(QFileInfo(folder.Path()).absolutePath(), QFileInfo(root.path()).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(folder.Path()).fileName().startsWith(QStringLiteral("zorbit-%1-").arg(::getpid())));
    EXPECT_EQ(QFile(folder.Path()).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());
    const QString first = folder.NewFileName(QStringLiteral("PNG"));
    EXPECT_EQ(first, folder.Path() + QStringLiteral("/~QN0001.png"));
    EXPECT_TRUE(QFile::exists(first));
    EXPECT_EQ(folder.NewFileName(QStringLiteral(".Png")), folder.Path() + QStringLiteral("/~QN0002.png"));
    EXPECT_EQ(folder.NewFileName(QString()), folder.Path() + QStringLiteral("/~QN0003"));

    const QString name = UniqueTempFileName(QStringLiteral("bmp"));
    EXPECT_TRUE(QFile::exists(name));
    EXPECT_EQ(QFileInfo(name).absolutePath(), ProcessTempFolder().Path());
    EXPECT_TRUE(QFileInfo(name).fileName().startsWith(QStringLiteral("~QN")));
    QFile::remove(name);
}

TEST(UniqueTempFile, AFolderThatTakesNoFilesRaises) {
    QTemporaryDir dir;
    EXPECT_THROW(TPrivateTempFolder(dir.filePath(QStringLiteral("missing"))), EFCreateError);
}

// A program's folder goes with it; one that was killed leaves its folder,
// which the next program removes. Folders of running programs, of other
// kinds or other names stay.
TEST(UniqueTempFile, FoldersOfEndedProgramsAreRemovedAtTheNextStart) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    auto running = std::make_unique<TPrivateTempFolder>(root.path());
    const QString runningPath = running->Path();
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Killed before it could clean up: the object never ends.
        auto* left = new TPrivateTempFolder(root.path());
        left->NewFileName(QStringLiteral("jpg"));
        const QByteArray path = QFile::encodeName(left->Path());
        [[maybe_unused]] const ssize_t written = ::write(channel[1], path.constData(), size_t(path.size()));
        ::_exit(0);
    }
    ::close(channel[1]);
    char buffer[4096] = {};
    const ssize_t length = ::read(channel[0], buffer, sizeof buffer - 1);
    ::close(channel[0]);
    ::waitpid(child, nullptr, 0);
    ASSERT_GT(length, 0);
    const QString killedPath = QFile::decodeName(QByteArray(buffer, int(length)));
    EXPECT_TRUE(QFileInfo::exists(killedPath + QStringLiteral("/~QN0001.jpg")));
    ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("zorbit-1-init")));  // process 1 always runs
    ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("other-999999-x")));

    TPrivateTempFolder next(root.path());
    EXPECT_FALSE(QFileInfo::exists(killedPath));
    EXPECT_TRUE(QFileInfo::exists(runningPath));
    EXPECT_TRUE(QFileInfo::exists(root.filePath(QStringLiteral("zorbit-1-init"))));
    EXPECT_TRUE(QFileInfo::exists(root.filePath(QStringLiteral("other-999999-x"))));
    EXPECT_EQ(TPrivateTempFolder::RemoveStaleFolders(root.path()), 0);

    running->NewFileName(QStringLiteral("png"));
    running.reset();
    EXPECT_FALSE(QFileInfo::exists(runningPath));
}

TEST(GeneralHelpers, DocumentFileFilterNamesTheExtension) {
    EXPECT_EQ(DefaultExt, QStringLiteral("qem"));
    EXPECT_TRUE(DocumentFileFilter().contains(QStringLiteral("*.qem"))) << DocumentFileFilter().toStdString();
}

// ---- window placement

TEST(FormPlacement, StoredBoundsAreKeptOnTheScreen) {
    EXPECT_EQ(KeepOnScreen(QRect(300, 200, 3000, 2000), QSize(1024, 768)), QRect(0, 0, 1024, 768));
    EXPECT_EQ(KeepOnScreen(QRect(900, 700, 200, 100), QSize(1024, 768)), QRect(824, 668, 200, 100));
    EXPECT_EQ(KeepOnScreen(QRect(-50, -20, 200, 100), QSize(1024, 768)), QRect(0, 0, 200, 100));
    EXPECT_EQ(KeepOnScreen(QRect(10, 20, 200, 100), QSize(1024, 768)), QRect(10, 20, 200, 100));
}

TEST(FormPlacement, CentringOverTheMainWindow) {
    EXPECT_EQ(CenteredOver(QSize(201, 100), QRect(100, 100, 800, 600), QSize(1024, 768)),
              QRect(399, 350, 201, 100));
    // Off the left or top edge: 0; past the right or bottom edge: pulled back.
    EXPECT_EQ(CenteredOver(QSize(400, 300), QRect(-300, -200, 200, 100), QSize(1024, 768)),
              QRect(0, 0, 400, 300));
    EXPECT_EQ(CenteredOver(QSize(400, 300), QRect(900, 700, 400, 300), QSize(1024, 768)),
              QRect(624, 468, 400, 300));
}

TEST(FormPlacement, SavedPlacementIsRestored) {
    QTemporaryDir dir;
    UseSettingsFile(dir.filePath(QStringLiteral("settings.reg")));
    {
        QWidget form;
        form.move(40, 30);
        form.resize(300, 200);
        SaveFormPlacement(&form, "DlgTest");
    }
    EXPECT_EQ(Settings().ReadInteger("DlgTest", "WindowState", -1), 0);
    EXPECT_EQ(Settings().ReadInteger("DlgTest", "Width", -1), 300);
    QWidget restored;
    restored.resize(50, 50);
    LoadFormPlacement(&restored, "DlgTest");
    EXPECT_EQ(restored.pos(), QPoint(40, 30));
    EXPECT_EQ(restored.size(), QSize(300, 200));

    // A maximized window stores only its state.
    Settings().WriteInteger("DlgMax", "WindowState", 2);
    QWidget maximized;
    LoadFormPlacement(&maximized, "DlgMax");
    EXPECT_TRUE(maximized.windowState() & Qt::WindowMaximized);
    UseSettingsFile(registry::Store::DefaultFilePath());
}

}  // namespace
