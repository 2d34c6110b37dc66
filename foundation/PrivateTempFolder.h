#pragma once
// A folder of this process's own for its temporary files (the copies that
// raster pictures keep of their files, pictures on their way through a
// file): "zorbit-<process id>-<random>" in a root folder, made with no
// access for others. Files in it are numbered "~QN0001.jpg", "~QN0002.png"
// ... in the order they are asked for, so a name is never searched for,
// however many files exist anywhere.
//
// The folder goes with everything in it when its object ends. A program
// that is killed leaves it behind: while the program runs it holds a lock
// on the folder, and the next one to make its folder in the same root
// removes every such folder of the user whose program no longer runs.

#include <QtCore/QString>

#include <atomic>
#include <cstdint>

class TPrivateTempFolder {
public:
    // Removes the stale folders in root, then makes this one. Raises
    // EFCreateError when root takes no folder.
    explicit TPrivateTempFolder(const QString& root);
    ~TPrivateTempFolder();
    TPrivateTempFolder(const TPrivateTempFolder&) = delete;
    TPrivateTempFolder& operator=(const TPrivateTempFolder&) = delete;

    const QString& Path() const { return path_; }
    // A new, empty file "~QN<nnnn><.ext>" in the folder, created exclusively
    // (the extension lower-cased and given a dot). Raises EFCreateError when
    // the folder takes no file.
    QString NewFileName(const QString& extension);

    // Removes the folders of programs that no longer run from root; the
    // number removed.
    static int32_t RemoveStaleFolders(const QString& root);

private:
    QString path_;
    int lockFd_ = -1;
    std::atomic<int32_t> next_{1};
};

// The process's folder in the system's temporary folder, made (and the
// stale ones removed) on the first call; removed when the program ends.
TPrivateTempFolder& ProcessTempFolder();
