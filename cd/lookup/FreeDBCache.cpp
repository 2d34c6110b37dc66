#include "cd/lookup/FreeDBCache.h"

#include "cd/lookup/CDDBConnect.h"
#include "foundation/CompoundFile.h"
#include "foundation/Debug.h"
#include "foundation/Stream.h"
#include "foundation/ZRRegIniFile.h"

#include <QtCore/QFile>

#include <algorithm>
#include <cctype>
#include <exception>

namespace {

// Only ids as the disc gives them name a stream, so no id reaches a folder.
bool IsDiscId(const std::string& id) {
    return id.size() == 8 && std::all_of(id.begin(), id.end(), [](unsigned char c) { return std::isxdigit(c) && !std::isupper(c); });
}

}  // namespace

TFreeDBCache::TFreeDBCache() : fileName_(GetDataFilePath(QStringLiteral("FreeDBCache.dat"))) {}

void TFreeDBCache::Store(const std::string& discId, const std::vector<std::string>& lines) {
    if (!IsDiscId(discId)) return;
    try {
        TMemoryStream text;
        for (const std::string& line : lines) {
            text.WriteBuffer(line.data(), static_cast<int64_t>(line.size()));
            text.WriteBuffer("\r\n", 2);
        }
        text.SetPosition(0);
        TQNCompoundFile file(fileName_.toStdString(), QFile::exists(fileName_) ? FileMode::OpenReadWrite : FileMode::Create);
        file.WriteStream(discId, text, 0);
        file.Close();
    } catch (const std::exception& e) {
        Debug().Log(QStringLiteral("CDDB cache not written: %1").arg(QString::fromUtf8(e.what())));
    }
}

bool TFreeDBCache::Load(const std::string& discId, std::vector<std::string>& lines) {
    if (!IsDiscId(discId) || !QFile::exists(fileName_)) return false;
    try {
        TQNCompoundFile file(fileName_.toStdString(), FileMode::OpenReadWrite);
        TMemoryStream text;
        double stamp = 0;
        if (!file.ReadStream(discId, stamp, text)) return false;
        lines = SplitAnswerLines(std::string(reinterpret_cast<const char*>(text.Memory()), static_cast<size_t>(text.Size())));
        return true;
    } catch (const std::exception& e) {
        Debug().Log(QStringLiteral("CDDB cache not read: %1").arg(QString::fromUtf8(e.what())));
        return false;
    }
}

TFreeDBCache& FreeDBCache() {
    static TFreeDBCache cache;
    return cache;
}
