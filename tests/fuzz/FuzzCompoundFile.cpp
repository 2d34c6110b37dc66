// Opens any bytes as a compound file, reads every stream it can reach, then
// writes and checks:
// - a file found damaged is left exactly as it was;
// - writing never changes a stream that could be read before;
// - after a successful close the file opens again and holds what was written.
// fuzz-max-len: 1441792 (room for 50,000 folders in one directory)
#include "foundation/CompoundFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Path = std::vector<std::string>;

struct Stream {
    Path path;
    std::vector<uint8_t> bytes;
};

constexpr size_t kMaxDepth = 8;
constexpr size_t kMaxStreams = 64;

struct Walk {
    std::vector<Stream> streams;
    bool complete = true;  // every folder and stream was visited
};

void Collect(TQNCompoundFile& file, TCFFolder* folder, Path& path, Walk& walk) {
    const std::vector<TaaCFDirEntry> entries = folder->Entries;  // opening folders may not change them
    for (const TaaCFDirEntry& entry : entries) {
        if (walk.streams.size() >= kMaxStreams) {
            walk.complete = false;
            return;
        }
        path.push_back(entry.Name);
        if (entry.Kind == TaaCFDirEntry::kFolder) {
            if (path.size() < kMaxDepth) Collect(file, file.AddFolder(folder, entry.Name), path, walk);
            else walk.complete = false;
        } else if (entry.Kind == TaaCFDirEntry::kStream) {
            TMemoryStream data;
            double stamp = 0;
            if (!file.ReadSubfile(folder, entry.Name, stamp, data)) std::abort();
            if (data.Size() != entry.Size) std::abort();
            walk.streams.push_back({path, data.Bytes()});
        }
        path.pop_back();
    }
}

Walk AllStreams(TQNCompoundFile& file) {
    Walk walk;
    Path path;
    Collect(file, file.Root(), path, walk);
    return walk;
}

bool SamePath(const Path& a, const Path& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (TQNCompoundFile::CompareNames(a[i], b[i]) != 0) return false;
    }
    return true;
}

// Every stream of before is still there with the same bytes, except the
// ones written since.
void RequireKept(const Walk& before, const Walk& after, const std::vector<Path>& written) {
    for (const Stream& old : before.streams) {
        bool rewritten = false;
        for (const Path& path : written) rewritten = rewritten || SamePath(old.path, path);
        if (rewritten) continue;
        bool found = false;
        for (const Stream& now : after.streams) {
            if (SamePath(old.path, now.path)) {
                if (now.bytes != old.bytes) std::abort();
                found = true;
            }
        }
        if (!found && after.complete) std::abort();
    }
}

std::string Joined(const Path& path) {
    std::string joined;
    for (const std::string& piece : path) joined += (joined.empty() ? "" : "\\") + piece;
    return joined;
}

bool PlainPath(const Path& path) {
    for (const std::string& piece : path) {
        if (piece.find_first_of("\\:") != std::string::npos) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Whole blocks, at least three: the reader gets past the size check.
    const size_t blocks = std::max<size_t>(3, (size + TQNCompoundFile::kBlockSize - 1) / TQNCompoundFile::kBlockSize);
    std::vector<uint8_t> bytes(data, data + size);
    bytes.resize(blocks * TQNCompoundFile::kBlockSize, 0);
    TMemoryStream memory(bytes);

    Walk before;
    try {
        TQNCompoundFile file(memory);
        before = AllStreams(file);
    } catch (const ECompoundFileError&) {
        if (memory.Bytes() != bytes) std::abort();  // refused: nothing written
        return 0;
    }
    if (memory.Bytes() != bytes) std::abort();  // reading writes nothing when nothing was created

    std::vector<Path> written = {{"fuzz", "probe"}};
    const std::vector<uint8_t> probe(3000, 0x5A);
    const std::vector<uint8_t> shorter(10, 0xA5);
    bool closed = false;
    try {
        TQNCompoundFile file(memory);
        TMemoryStream probeData(probe);
        file.WriteStream("fuzz\\probe", probeData, 1.0);
        if (!before.streams.empty() && PlainPath(before.streams.front().path)) {
            written.push_back(before.streams.front().path);
            TMemoryStream shorterData(shorter);
            file.WriteStream(Joined(written.back()), shorterData, 2.0);
        }
        file.Close();
        closed = true;
    } catch (const ECompoundFileError&) {
        // damaged beyond the first walk, or full: nothing more was written
    }

    TQNCompoundFile again(memory);  // must open: the table and the header are sound either way
    Walk after;
    try {
        after = AllStreams(again);
    } catch (const ECompoundFileError&) {
        // Only a part that the first walk did not reach may be damaged.
        if (before.complete) std::abort();
        return 0;
    }
    RequireKept(before, after, written);
    if (closed) {
        TMemoryStream back;
        double stamp = 0;
        if (!again.ReadStream("fuzz\\probe", stamp, back) || back.Bytes() != probe || stamp != 1.0) std::abort();
        if (written.size() > 1) {
            if (!again.ReadStream(Joined(written[1]), stamp, back) || back.Bytes() != shorter) std::abort();
        }
    }
    return 0;
}
