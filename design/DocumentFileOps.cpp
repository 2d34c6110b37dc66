#include "design/DocumentFileOps.h"

#include "foundation/Stream.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <cstdio>

namespace {

class TDiskFileOps final : public TDocumentFileOps {
public:
    bool Exists(const QString& fileName) override { return QFileInfo::exists(fileName); }

    bool IsReadOnly(const QString& fileName) override {
        const QFileInfo info(fileName);
        return !info.permissions().testFlag(QFileDevice::WriteOwner) || !info.isWritable();
    }

    std::unique_ptr<TStream> CreateFile(const QString& fileName, const QString& like) override {
        auto file = std::make_unique<TFileStream>(fileName.toStdString(), FileMode::Create);
        if (QFileInfo::exists(like)) QFile::setPermissions(fileName, QFile::permissions(like));
        return file;
    }

    void Sync(TStream& file) override {
        if (auto* onDisk = dynamic_cast<TFileStream*>(&file)) onDisk->Flush();
    }

    bool Rename(const QString& from, const QString& to) override {
        return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
    }

    bool Remove(const QString& fileName) override { return QFile::remove(fileName); }
};

}  // namespace

TDocumentFileOps& DiskFileOps() {
    static TDiskFileOps ops;
    return ops;
}
