#include "pictures/ThumbManager.h"

#include "foundation/CompoundFile.h"
#include "foundation/ZRRegIniFile.h"
#include "platform/gdi/Bitmap.h"
#include "platform/imaging/Jpeg.h"

#include <QtCore/QFile>

#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr auto kLockPoll = std::chrono::milliseconds(5);

// An exclusive lock on the cache file, held while the object lives; none
// when another holds it past the deadline.
class FileLock {
public:
    FileLock(const QString& path, bool create, std::chrono::steady_clock::time_point deadline) {
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0644);
        if (fd_ < 0) return;
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if (std::chrono::steady_clock::now() >= deadline) return;
            std::this_thread::sleep_for(kLockPoll);
        }
        locked_ = true;
    }
    ~FileLock() {
        if (fd_ < 0) return;
        if (locked_) ::flock(fd_, LOCK_UN);
        ::close(fd_);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Locked() const { return locked_; }

private:
    int fd_ = -1;
    bool locked_ = false;
};

}  // namespace

// The cache file locked and opened as a compound file for one operation; the
// compound file is closed (written back) before the lock goes.
class TThumbManager::Session {
public:
    Session(const QString& path, bool create, std::chrono::steady_clock::time_point deadline)
        : lock_(path, create, deadline) {
        if (lock_.Locked()) file_ = std::make_unique<TQNCompoundFile>(path.toStdString(), FileMode::OpenReadWrite);
    }
    TQNCompoundFile* File() { return file_.get(); }

private:
    FileLock lock_;
    std::unique_ptr<TQNCompoundFile> file_;
};

TThumbManager::TThumbManager(QString cachePath, std::chrono::milliseconds lockWait)
    : cachePath_(std::move(cachePath)), lockWait_(lockWait) {}
TThumbManager::~TThumbManager() = default;

std::string TThumbManager::EntryKey(const QString& fileName) {
    QString key = fileName;
    key.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return key.toStdString();
}

bool TThumbManager::ReadEntry(const QString& fileName, double stamp, std::vector<uint8_t>& jpeg) {
    try {
        const auto deadline = std::chrono::steady_clock::now() + lockWait_;
        std::unique_lock<std::timed_mutex> hold(mutex_, deadline);
        if (!hold.owns_lock() || !QFile::exists(cachePath_)) return false;
        Session session(cachePath_, false, deadline);
        if (!session.File()) return false;
        TMemoryStream stream;
        double stored = 0;
        if (!session.File()->ReadStream(EntryKey(fileName), stored, stream)) return false;
        if (stamp != 0.0 && stamp != stored) return false;
        jpeg = stream.Bytes();
        return !jpeg.empty();
    } catch (const std::exception&) {
        return false;
    }
}

void TThumbManager::WriteEntry(const QString& fileName, const std::vector<uint8_t>& jpeg, double stamp) {
    try {
        const auto deadline = std::chrono::steady_clock::now() + lockWait_;
        std::unique_lock<std::timed_mutex> hold(mutex_, deadline);
        if (!hold.owns_lock()) return;
        Session session(cachePath_, true, deadline);
        if (!session.File()) return;
        TMemoryStream stream(jpeg);
        session.File()->WriteStream(EntryKey(fileName), stream, stamp);
        session.File()->Close();
    } catch (const std::exception&) {
        // nothing stored
    }
}

bool TThumbManager::LoadDIB(const QString& fileName, imaging::DibHandle& dib, double stamp) {
    std::vector<uint8_t> jpeg;
    if (!ReadEntry(fileName, stamp, jpeg)) return false;
    imaging::DibHandle decoded = imaging::DecodeJpeg(jpeg, 1);
    if (!decoded) return false;
    dib = std::move(decoded);
    return true;
}

bool TThumbManager::LoadBitmap(const QString& fileName, gdi::Bitmap& bitmap, double stamp) {
    imaging::DibHandle dib;
    if (!LoadDIB(fileName, dib, stamp)) return false;
    gdi::Bitmap decoded = imaging::BitmapFromDIB(*dib);
    if (decoded.IsEmpty()) return false;
    bitmap = std::move(decoded);
    return true;
}

void TThumbManager::SaveDIB(const QString& fileName, const imaging::Dib& dib, double stamp) {
    std::vector<uint8_t> jpeg;
    if (imaging::EncodeJpeg(dib, kJpegQuality, jpeg)) WriteEntry(fileName, jpeg, stamp);
}

void TThumbManager::SaveBitmap(const QString& fileName, const gdi::Bitmap& bitmap, double stamp) {
    const imaging::DibHandle dib = imaging::DIBFromBitmap(bitmap, 24);
    if (dib) SaveDIB(fileName, *dib, stamp);
}

TThumbManager& ThumbManager() {
    static TThumbManager manager(GetDataFolder() + QStringLiteral("QNTHUMB.DAT"));
    return manager;
}
