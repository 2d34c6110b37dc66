#pragma once
// The file operations with which a document is saved. The document file
// goes through this interface only, so that tests can fail any step of a
// save; the program uses the operations on the disk (DiskFileOps).

#include <QtCore/QString>

#include <memory>

class TStream;

class TDocumentFileOps {
public:
    virtual ~TDocumentFileOps() = default;

    virtual bool Exists(const QString& fileName) = 0;
    // The file may not be written: it carries no write permission for its
    // owner, or the user may not write it.
    virtual bool IsReadOnly(const QString& fileName) = 0;
    // A new empty file, replacing one of that name; it gets the permissions
    // of `like` when that file exists. Raises EFCreateError when it cannot.
    virtual std::unique_ptr<TStream> CreateFile(const QString& fileName, const QString& like) = 0;
    // Pushes what was written to the file onto the disk; raises EWriteError
    // when the disk does not take it.
    virtual void Sync(TStream& file) = 0;
    // Gives the file the name `to`, replacing a file of that name at once.
    virtual bool Rename(const QString& from, const QString& to) = 0;
    virtual bool Remove(const QString& fileName) = 0;
};

// The operations on the disk.
TDocumentFileOps& DiskFileOps();
