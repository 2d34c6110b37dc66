#include "foundation/ZROutlData.h"

#include "foundation/Codepage1252.h"
#include "foundation/Stream.h"
#include "foundation/StreamHelp.h"
#include "platform/shell/Volumes.h"

#include <QtCore/QFile>
#include <QtCore/QScopedValueRollback>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace {

// Smallest record of a stored entry: two empty strings, the level, four
// flag bytes, the check state and two flag bytes.
constexpr int64_t kOutlMinEntryBytes = 4 + 4 + 4 + 4 + 4 + 2;

struct OutlSubfolder {
    QString name;
    QByteArray native;  // the name as the file system has it
};

bool OutlIsFolder(int dirFd, const dirent& entry) {
    if (entry.d_type == DT_DIR) return true;
    if (entry.d_type != DT_UNKNOWN) return false;
    struct stat info {};
    return fstatat(dirFd, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
}

// The subfolders of a folder on the given volume, sorted by name ignoring
// case; hidden folders and links are left out. A folder on another volume,
// or one that cannot be read, has none.
std::vector<OutlSubfolder> OutlListSubfolders(const QByteArray& folder, dev_t volume) {
    std::vector<OutlSubfolder> found;
    const int fd = open(folder.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return found;
    struct stat info {};
    if (fstat(fd, &info) != 0 || info.st_dev != volume) {
        close(fd);
        return found;
    }
    DIR* dir = fdopendir(fd);
    if (!dir) {
        close(fd);
        return found;
    }
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.' || !OutlIsFolder(dirfd(dir), *entry)) continue;
        const QByteArray native(entry->d_name);
        found.push_back({QFile::decodeName(native), native});
    }
    closedir(dir);
    std::sort(found.begin(), found.end(), [](const OutlSubfolder& a, const OutlSubfolder& b) {
        const int order = QString::compare(a.name, b.name, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    return found;
}

// A folder of the walk with the subfolders inserted for it, flattened into
// the list in depth-first order at the end.
struct OutlWalkNode {
    std::unique_ptr<TZROutlData> entry;
    QString path;
    QByteArray native;
    std::vector<OutlWalkNode> children;
};

void OutlFlatten(std::vector<OutlWalkNode>& nodes, std::vector<std::unique_ptr<TZROutlData>>& out) {
    for (OutlWalkNode& node : nodes) {
        out.push_back(std::move(node.entry));
        OutlFlatten(node.children, out);
    }
}

}  // namespace

void TZROutlData::SaveToStream(TStream& s) const {
    StreamWriteString(s, Path);
    StreamWriteString(s, Note);
    StreamWriteInt(s, Level);
    for (const uint8_t flag : {Visible, HasChildren, Expanded, IsLast}) StreamWriteByte(s, flag);
    StreamWriteInt(s, CheckState);
    StreamWriteByte(s, IsLastShown);
    StreamWriteByte(s, Spare);
}

void TZROutlData::LoadFromStream(TStream& s) {
    Path = StreamReadString(s);
    Note = StreamReadString(s);
    Level = StreamReadInt(s);
    for (uint8_t* flag : {&Visible, &HasChildren, &Expanded, &IsLast}) *flag = StreamReadByte(s);
    // Only 0, 1 and 2 mean anything; a stored integer keeps its low byte.
    CheckState = static_cast<uint8_t>(StreamReadInt(s));
    IsLastShown = StreamReadByte(s);
    Spare = StreamReadByte(s);
}

bool operator==(const TZROutlData& a, const TZROutlData& b) {
    return a.Path == b.Path && a.Note == b.Note && a.Level == b.Level && a.Visible == b.Visible &&
           a.HasChildren == b.HasChildren && a.Expanded == b.Expanded && a.IsLast == b.IsLast &&
           a.CheckState == b.CheckState && a.IsLastShown == b.IsLastShown && a.Spare == b.Spare;
}

bool TZROutlDataList::Add(std::unique_ptr<TZROutlData> entry) { return Insert(Count(), std::move(entry)); }

bool TZROutlDataList::Insert(int32_t index, std::unique_ptr<TZROutlData> entry) {
    if (IsFull() || !entry) return false;
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, std::move(entry));
    return true;
}

void TZROutlDataList::Assign(const TZROutlDataList& other) {
    if (&other == this) return;
    Clear();
    items_.reserve(other.items_.size());
    for (const auto& entry : other.items_) items_.push_back(std::make_unique<TZROutlData>(*entry));
}

int32_t TZROutlDataList::ParentIndex(int32_t index) const {
    if (index < 0 || index >= Count()) return -1;
    const int32_t level = items_[static_cast<size_t>(index)]->Level;
    if (level <= 0) return -1;
    for (int32_t i = index - 1; i >= 0; --i)
        if (items_[static_cast<size_t>(i)]->Level < level) return i;
    return -1;
}

void TZROutlDataList::ExpandEntry(int32_t index) {
    TZROutlData& e = GetItem(index);
    e.Expanded = 1;
    for (int32_t i = index + 1; i < Count() && GetItem(i).Level > e.Level; ++i)
        if (GetItem(i).Level == e.Level + 1) GetItem(i).Visible = 1;
}

void TZROutlDataList::CollapseEntry(int32_t index) {
    TZROutlData& e = GetItem(index);
    e.Expanded = 0;
    for (int32_t i = index + 1; i < Count() && GetItem(i).Level > e.Level; ++i) {
        GetItem(i).Visible = 0;
        GetItem(i).Expanded = 0;
    }
}

void TZROutlDataList::CheckEntry(int32_t index) {
    for (int32_t i = index; i >= 0; i = ParentIndex(i)) GetItem(i).CheckState = 2;
}

void TZROutlDataList::UncheckEntry(int32_t index) {
    const int32_t level = GetItem(index).Level;
    GetItem(index).CheckState = 0;
    for (int32_t i = index + 1; i < Count() && GetItem(i).Level > level; ++i) GetItem(i).CheckState = 0;
}

void TZROutlDataList::MarkLastShown(const std::vector<int32_t>& shownLines) {
    // The latest shown entry of each level whose later siblings are not yet known.
    std::vector<TZROutlData*> open;
    for (const int32_t index : shownLines) {
        TZROutlData& e = GetItem(index);
        e.IsLastShown = 0;
        const size_t level = static_cast<size_t>(std::max(e.Level, 0));
        // Going up closes the deeper levels: their latest entries were last.
        while (open.size() > level + 1) {
            if (open.back()) open.back()->IsLastShown = 1;
            open.pop_back();
        }
        if (open.size() <= level) open.resize(level + 1, nullptr);
        open[level] = &e;
    }
    for (TZROutlData* e : open)
        if (e) e->IsLastShown = 1;
}

void TZROutlDataList::CountFound() {
    ++foundCount_;
    if (OnProgress) OnProgress(*this, foundCount_);
}

bool TZROutlDataList::ReadTree(const QString& rootPath) {
    if (reading_) return false;
    const QScopedValueRollback<bool> guard(reading_, true);
    treeRead_ = true;
    truncated_ = false;
    Clear();
    foundCount_ = 0;

    const QString root = shell::VolumeRootPath(rootPath);
    struct stat rootInfo {};
    if (root.isEmpty() || stat(QFile::encodeName(root).constData(), &rootInfo) != 0) return true;

    int32_t inserted = 0;
    // Makes the entries for the subfolders of one folder; the cap may stop
    // them part-way, and the last one made then carries IsLast.
    auto makeChildren = [&](const QString& parentPath, const QByteArray& parentNative, int32_t level,
                            std::vector<OutlWalkNode>& into) {
        const std::vector<OutlSubfolder> found = OutlListSubfolders(parentNative, rootInfo.st_dev);
        for (const OutlSubfolder& folder : found) {
            CountFound();
            if (inserted > kMaxEntries) {
                truncated_ = true;
                continue;
            }
            ++inserted;
            OutlWalkNode node;
            node.path = shell::JoinVolumePath(parentPath, folder.name);
            node.native = parentNative.endsWith('/') ? parentNative + folder.native : parentNative + '/' + folder.native;
            node.entry = std::make_unique<TZROutlData>();
            node.entry->Path = UnicodeToAnsi(node.path);
            node.entry->Level = level;
            into.push_back(std::move(node));
        }
        if (!into.empty()) into.back().entry->IsLast = 1;
    };

    std::vector<OutlWalkNode> top;
    makeChildren(root, QFile::encodeName(root), 0, top);
    for (OutlWalkNode& node : top) node.entry->Visible = 1;

    // Depth-first, each folder's subfolders made when it is visited.
    std::vector<OutlWalkNode*> pending;
    for (auto it = top.rbegin(); it != top.rend(); ++it) pending.push_back(&*it);
    while (!pending.empty()) {
        OutlWalkNode* node = pending.back();
        pending.pop_back();
        if (node->entry->Level < kMaxReadLevel) {
            makeChildren(node->path, node->native, node->entry->Level + 1, node->children);
            if (!node->children.empty()) node->entry->HasChildren = 1;
            for (auto it = node->children.rbegin(); it != node->children.rend(); ++it) pending.push_back(&*it);
        }
        if (OnIdle) OnIdle();
    }

    // Whatever reached the list while events ran is replaced by the tree.
    Clear();
    items_.reserve(static_cast<size_t>(inserted));
    OutlFlatten(top, items_);
    return true;
}

void TZROutlDataList::SaveToStream(TStream& s) const {
    StreamWriteInt(s, Count());
    for (const auto& entry : items_) entry->SaveToStream(s);
}

void TZROutlDataList::AddStoredEntry(std::unique_ptr<TZROutlData> entry) {
    const int32_t previous = items_.empty() ? -1 : items_.back()->Level;
    if (entry->Level < 0 || entry->Level > kMaxStoredLevel || entry->Level > previous + 1 || IsFull())
        ThrowStreamReadError();
    items_.push_back(std::move(entry));
}

void TZROutlDataList::LoadFromStream(TStream& s) {
    const int32_t count = StreamReadInt(s);
    if (count < 0 || count > kMaxEntries + 1) ThrowStreamReadError();
    s.RequireAvailable(count * kOutlMinEntryBytes);
    TZROutlDataList loaded;
    for (int32_t i = 0; i < count; ++i) {
        auto entry = std::make_unique<TZROutlData>();
        entry->LoadFromStream(s);
        loaded.AddStoredEntry(std::move(entry));
    }
    items_ = std::move(loaded.items_);
}
