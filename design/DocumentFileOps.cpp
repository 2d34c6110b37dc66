#include "design/DocumentFileOps.h"

#include "foundation/Exceptions.h"
#include "foundation/Stream.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

// As many links as the system itself follows before it gives up (ELOOP).
constexpr int kMaxLinkHops = 40;

QByteArray Native(const QString& fileName) { return QFile::encodeName(fileName); }

int ErrorOr(int fallback) { return errno != 0 ? errno : fallback; }

class TDiskFileOps final : public TDocumentFileOps {
public:
    bool Exists(const QString& fileName) override { return QFileInfo::exists(fileName); }

    bool IsReadOnly(const QString& fileName) override {
        const QFileInfo info(fileName);
        return !info.permissions().testFlag(QFileDevice::WriteOwner) || !info.isWritable();
    }

    QString LinkTarget(const QString& fileName) override {
        QString path = fileName;
        for (int hop = 0; hop < kMaxLinkHops; ++hop) {
            const QFileInfo info(path);
            if (!info.isSymLink()) return path;
            path = info.symLinkTarget();
        }
        return path;
    }

    int CreateFile(const QString& fileName, const QString& like, std::unique_ptr<TStream>& file) override {
        try {
            file = std::make_unique<TFileStream>(fileName.toStdString(), FileMode::Create);
        } catch (const EStreamError& e) {
            return e.ErrorNumber != 0 ? e.ErrorNumber : EIO;
        }
        if (QFileInfo::exists(like)) QFile::setPermissions(fileName, QFile::permissions(like));
        return 0;
    }

    int Write(TStream& file, const uint8_t* data, int64_t count) override {
        if (file.Write(data, count) == count) return 0;
        const auto* onDisk = dynamic_cast<const TFileStream*>(&file);
        // A write that takes nothing without an error is a full disk.
        return onDisk && onDisk->LastError() != 0 ? onDisk->LastError() : ENOSPC;
    }

    int Sync(TStream& file) override {
        auto* onDisk = dynamic_cast<TFileStream*>(&file);
        if (!onDisk) return 0;
        try {
            onDisk->Flush();
        } catch (const EStreamError& e) {
            return e.ErrorNumber != 0 ? e.ErrorNumber : EIO;
        }
        return 0;
    }

    int Link(const QString& existing, const QString& newName) override {
        errno = 0;
        if (::link(Native(existing).constData(), Native(newName).constData()) == 0) return 0;
        QFile source(existing);
        if (source.copy(newName)) return 0;
        return ErrorOr(EIO);
    }

    int Rename(const QString& from, const QString& to) override {
        errno = 0;
        return std::rename(Native(from).constData(), Native(to).constData()) == 0 ? 0 : ErrorOr(EIO);
    }

    int Remove(const QString& fileName) override {
        errno = 0;
        return ::unlink(Native(fileName).constData()) == 0 ? 0 : ErrorOr(EIO);
    }
};

}  // namespace

TDocumentFileOps& DiskFileOps() {
    static TDiskFileOps ops;
    return ops;
}
