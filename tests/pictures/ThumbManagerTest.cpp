// The thumbnail cache: stamps, damaged entries and files, and taking turns
// between threads and programs.
#include "pictures/ThumbManager.h"

#include "foundation/CompoundFile.h"
#include "platform/gdi/Bitmap.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using imaging::DibHandle;

namespace {

DibHandle Thumb(uint8_t shade) {
    DibHandle dib = imaging::CreateDIB(16, 12, 24);
    std::fill(dib->Bits(), dib->Bits() + dib->RowBytes() * 12, shade);
    return dib;
}

// Waits (ten seconds at most) until this process holds the file open more
// than once: besides the test's own descriptor, the cache's, which it opens
// before it waits for the lock.
void AwaitSecondOpening(const QString& path) {
    const QString file = QFileInfo(path).canonicalFilePath();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        int openings = 0;
        for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::Files))
            if (fd.symLinkTarget() == file) ++openings;
        if (openings >= 2) return;
        std::this_thread::yield();
    }
}

}  // namespace

TEST(ThumbManager, StampTable) {
    QTemporaryDir dir;
    TThumbManager cache(dir.filePath(QStringLiteral("QNTHUMB.DAT")));
    const QString picture = QStringLiteral("C:\\Bilder\\a.jpg");
    cache.SaveDIB(picture, *Thumb(200), 45000.5);
    struct Case {
        const char* name;
        QString file;
        double stamp;
        bool found;
    };
    const Case cases[] = {
        {"same stamp", picture, 45000.5, true},
        {"stamp 0 takes any", picture, 0.0, true},
        {"file changed since", picture, 45000.25, false},
        {"colon dropped, backslashes doubled", QStringLiteral("C\\\\Bilder\\a.jpg"), 45000.5, true},
        {"another file", QStringLiteral("C:\\Bilder\\b.jpg"), 0.0, false},
    };
    for (const Case& c : cases) {
        DibHandle dib;
        EXPECT_EQ(cache.LoadDIB(c.file, dib, c.stamp), c.found) << c.name;
        EXPECT_EQ(dib != nullptr, c.found) << c.name;
        if (dib) EXPECT_NEAR(dib->Bits()[0], 200, 3) << c.name;
    }
    // Stored again: the new stamp replaces the old one.
    cache.SaveDIB(picture, *Thumb(50), 46000);
    DibHandle dib;
    EXPECT_FALSE(cache.LoadDIB(picture, dib, 45000.5));
    ASSERT_TRUE(cache.LoadDIB(picture, dib, 46000));
    EXPECT_NEAR(dib->Bits()[0], 50, 3);
    // A DIB entry reads as a bitmap and a bitmap entry as a DIB; paths with slashes work too.
    gdi::Bitmap bitmap;
    ASSERT_TRUE(cache.LoadBitmap(picture, bitmap, 0));
    EXPECT_EQ(bitmap.Width(), 16);
    gdi::Bitmap red(8, 4);
    red.Fill(gdi::Rgb(255, 0, 0));
    cache.SaveBitmap(QStringLiteral("/home/someone/Bilder/rot.png"), red, 1);
    ASSERT_TRUE(cache.LoadDIB(QStringLiteral("/home/someone/Bilder/rot.png"), dib, 1));
    EXPECT_EQ(dib->Width(), 8);
    EXPECT_NEAR(int(gdi::RedOf(dib->PixelColor(3, 2))), 255, 3);
}

// Whatever goes wrong, loads answer false and stores store nothing, quietly.
TEST(ThumbManager, DamagedEntriesAndFiles) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("QNTHUMB.DAT"));
    {
        TQNCompoundFile file(path.toStdString(), FileMode::Create);
        TMemoryStream junk(std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 1, 2, 3});
        file.WriteStream("x\\damaged.jpg", junk, 7);
        file.Close();
    }
    TThumbManager cache(path);
    gdi::Bitmap untouched(3, 3);
    untouched.Fill(gdi::Rgb(1, 2, 3));
    EXPECT_FALSE(cache.LoadBitmap(QStringLiteral("x/damaged.jpg"), untouched, 7));
    EXPECT_EQ(untouched.Width(), 3);
    EXPECT_EQ(untouched.Pixel(0, 0), gdi::Rgb(1, 2, 3));
    cache.SaveDIB(QStringLiteral("x/damaged.jpg"), *Thumb(90), 7);  // computed again and stored
    DibHandle dib;
    EXPECT_TRUE(cache.LoadDIB(QStringLiteral("x/damaged.jpg"), dib, 7));

    // A cache file that is no compound file at all.
    QFile garbage(path);
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly | QIODevice::Truncate));
    garbage.write(QByteArray(5000, 'z'));
    garbage.close();
    EXPECT_FALSE(cache.LoadDIB(QStringLiteral("x/damaged.jpg"), dib, 0));
    cache.SaveDIB(QStringLiteral("y.jpg"), *Thumb(1), 1);

    // A folder that takes no files.
    TThumbManager nowhere(dir.filePath(QStringLiteral("missing/folder/QNTHUMB.DAT")));
    nowhere.SaveDIB(QStringLiteral("a.jpg"), *Thumb(1), 1);
    EXPECT_FALSE(nowhere.LoadDIB(QStringLiteral("a.jpg"), dib, 0));
}

// An operation waits while another program holds the cache, and threads of
// one program take turns (here with a wait long enough for any machine).
TEST(ThumbManager, TakesTurns) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("QNTHUMB.DAT"));
    TThumbManager cache(path, std::chrono::seconds(10));
    int other = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    std::thread release([other, path] {
        AwaitSecondOpening(path);
        ::flock(other, LOCK_UN);
    });
    cache.SaveDIB(QStringLiteral("held.jpg"), *Thumb(10), 1);
    release.join();
    ::close(other);
    DibHandle dib;
    EXPECT_TRUE(cache.LoadDIB(QStringLiteral("held.jpg"), dib, 1));

    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&cache, &failures, t] {
            for (int i = 0; i < 10; ++i) {
                const QString name = QStringLiteral("t%1/p%2.jpg").arg(t).arg(i);
                cache.SaveDIB(name, *Thumb(uint8_t(t * 40 + i)), i + 1);
                DibHandle back;
                if (!cache.LoadDIB(name, back, i + 1)) ++failures;
            }
        });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(failures.load(), 0);

    // Another program that keeps the cache: the operations go on without it
    // after the short wait (two seconds each before).
    TThumbManager brief(path);
    other = ::open(QFile::encodeName(path).constData(), O_RDWR);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    QElapsedTimer clock;
    clock.start();
    DibHandle none;
    EXPECT_FALSE(brief.LoadDIB(QStringLiteral("held.jpg"), none, 1));
    brief.SaveDIB(QStringLiteral("not stored.jpg"), *Thumb(3), 1);
    EXPECT_LT(clock.elapsed(), 1000);
    ::close(other);
    EXPECT_TRUE(brief.LoadDIB(QStringLiteral("held.jpg"), none, 1));
    EXPECT_FALSE(brief.LoadDIB(QStringLiteral("not stored.jpg"), none, 0));
    EXPECT_EQ(&ThumbManager(), &ThumbManager());
    EXPECT_TRUE(ThumbManager().CachePath().endsWith(QStringLiteral("/QNTHUMB.DAT")));
}
