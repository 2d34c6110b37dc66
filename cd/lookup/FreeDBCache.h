#pragma once
// The answers of every CDDB read that succeeded, kept per disc id in the
// compound file "FreeDBCache.dat" of the user's data folder, so that a known
// disc shows its titles at once, without the network. The cache never
// stands in the way: any failure of storing or loading is swallowed (a store
// then does nothing, a load answers false).

#include <QtCore/QString>

#include <string>
#include <vector>

class TFreeDBCache {
public:
    // The cache in the user's data folder.
    TFreeDBCache();
    // The cache in another file (tests).
    explicit TFreeDBCache(QString fileName) : fileName_(std::move(fileName)) {}

    // The lines, each followed by CR LF, under the disc id (eight lowercase
    // hexadecimal digits); an older entry of the id is replaced.
    void Store(const std::string& discId, const std::vector<std::string>& lines);
    // The lines stored under the disc id; false (lines untouched) when there
    // are none or the file cannot be read.
    bool Load(const std::string& discId, std::vector<std::string>& lines);

    const QString& FileName() const { return fileName_; }

private:
    QString fileName_;
};

// The process-wide cache, made on first use.
TFreeDBCache& FreeDBCache();
