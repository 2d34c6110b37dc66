#pragma once
// The file operations with which a document is saved. The document file
// goes through this interface only, so that tests can fail any step of a
// save, or stop it there as if the program had been killed; the program
// uses the operations on the disk (DiskFileOps).

#include <QtCore/QString>

#include <cstdint>
#include <memory>

class TStream;

class TDocumentFileOps {
public:
    virtual ~TDocumentFileOps() = default;

    virtual bool Exists(const QString& fileName) = 0;
    // The file may not be written: it carries no write permission for its
    // owner, or the user may not write it.
    virtual bool IsReadOnly(const QString& fileName) = 0;
    // The file a name stands for: its symbolic links followed to the end,
    // also to a file that does not exist yet; otherwise the name itself.
    virtual QString LinkTarget(const QString& fileName) = 0;

    // The calls below answer with the system's error number (errno), 0 when
    // they did what was asked.

    // A new empty file, replacing one of that name; it gets the permissions
    // of `like` when that file exists.
    virtual int CreateFile(const QString& fileName, const QString& like, std::unique_ptr<TStream>& file) = 0;
    virtual int Write(TStream& file, const uint8_t* data, int64_t count) = 0;
    // Pushes what was written to the file onto the disk.
    virtual int Sync(TStream& file) = 0;
    // A second name for an existing file: a hard link, or a copy where the
    // file system has no links.
    virtual int Link(const QString& existing, const QString& newName) = 0;
    // Gives the file the name `to`, replacing a file of that name in one step.
    virtual int Rename(const QString& from, const QString& to) = 0;
    virtual int Remove(const QString& fileName) = 0;
};

// The operations on the disk.
TDocumentFileOps& DiskFileOps();
