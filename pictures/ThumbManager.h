#pragma once
// The thumbnail cache: small JPEG pictures of picture files (quality 75),
// keyed by the file's full path, in the compound file "QNTHUMB.DAT" of the
// per-user data folder. Each entry carries the stamp the caller stored it
// with (by convention the file's modification time as a date-time); an
// entry whose stamp differs from the caller's is stale and reads as missing
// (a caller's stamp of 0 accepts any entry). Entries are replaced, never
// removed.
//
// The cache file is opened for each operation and closed right after. One
// operation at a time uses it: within the program (the picture loader's
// thread and the user-interface thread) and between two running programs,
// which take turns through a lock on the file. An operation waits only
// briefly (kLockWait) for its turn and then goes on without the cache, so
// that another program holding the file never holds the user-interface
// thread. Every failure (no cache file, a damaged one, the cache busy, a
// picture that does not decode) gives the quiet outcome: a load answers
// false, a store stores nothing.

#include "platform/imaging/Dib.h"

#include <QtCore/QString>

#include <chrono>
#include <memory>
#include <mutex>
#include <string>

namespace gdi {
class Bitmap;
}
class TQNCompoundFile;

class TThumbManager {
public:
    static constexpr int32_t kJpegQuality = 75;
    // How long an operation waits for its turn with the cache.
    static constexpr std::chrono::milliseconds kLockWait{100};

    explicit TThumbManager(QString cachePath, std::chrono::milliseconds lockWait = kLockWait);
    ~TThumbManager();

    // True when an entry under the file name exists, is not stale and
    // decodes; the bitmap then takes its size and pixels.
    bool LoadBitmap(const QString& fileName, gdi::Bitmap& bitmap, double stamp);
    void SaveBitmap(const QString& fileName, const gdi::Bitmap& bitmap, double stamp);
    // As LoadBitmap; a new 24-bit DIB goes to dib (untouched on false).
    bool LoadDIB(const QString& fileName, imaging::DibHandle& dib, double stamp);
    void SaveDIB(const QString& fileName, const imaging::Dib& dib, double stamp);
    // The names the document preview uses.
    bool GetThumbnail(const QString& fileName, gdi::Bitmap& bitmap, double stamp) {
        return LoadBitmap(fileName, bitmap, stamp);
    }
    void PutThumbnail(const QString& fileName, const gdi::Bitmap& bitmap, double stamp) {
        SaveBitmap(fileName, bitmap, stamp);
    }

    const QString& CachePath() const { return cachePath_; }
    // The entry's path inside the compound file: folders at the path's separators.
    static std::string EntryKey(const QString& fileName);

private:
    class Session;
    bool ReadEntry(const QString& fileName, double stamp, std::vector<uint8_t>& jpeg);
    void WriteEntry(const QString& fileName, const std::vector<uint8_t>& jpeg, double stamp);

    QString cachePath_;
    std::chrono::milliseconds lockWait_;
    std::timed_mutex mutex_;
};

// The one manager of the program, made on first use (from any thread), on
// the data folder's "QNTHUMB.DAT".
TThumbManager& ThumbManager();
