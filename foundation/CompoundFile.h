#pragma once
// A file of many small named streams in a tree of folders, kept in 2048-byte
// blocks with a 16-bit allocation table, in the manner of a small file
// system. The picture thumbnail cache and the disc-lookup cache keep their
// entries in it; both open the file for a single read or write and close it
// right afterwards.
//
// Layout (little-endian): block 0 is the header ("QNCompoundFile10", the
// block size 2048, the number of table blocks, the length of the root
// directory); the table blocks form a chain starting at block 1, each holding
// 1024 entries (0xFFFF free, 0xFFFE last block of a chain, otherwise the next
// block); the root directory starts at block 2. A directory is an int32 count
// followed by entries (name length and name, kind 1 folder or 2 stream, first
// block, byte size, date-time as a double, 4 reserved bytes). A first block of
// 0 means "no data".
//
// While the file is open only blocks that are free on disk are written (data
// blocks, new table blocks, the blocks of a new file): a stream that is
// written again goes into new blocks, and its old blocks are freed by Close,
// which then writes the directories, the table and the header. So a process
// that ends early, or an operation that fails, leaves the file as it was
// after its last complete close. A damaged file is refused with
// ECompoundFileError: every table entry, chain, count and size is checked
// before it is used; after a failed operation nothing more is written.

#include "foundation/Exceptions.h"
#include "foundation/Stream.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <unordered_map>
#include <string>
#include <utility>
#include <vector>

ZORBIT_DECLARE_EXCEPTION(ECompoundFileError, Exception);

// A growable list of 32-bit integers. In sorted mode (the initial one) Add
// inserts at the place found by bisection and refuses a value already there
// (result -1) unless duplicates are allowed; in unsorted mode it appends.
class TaaIntList {
public:
    int Add(int32_t value);
    void Clear();
    int32_t Get(int index) const { return items_[static_cast<size_t>(index)]; }
    void Put(int index, int32_t value) { items_[static_cast<size_t>(index)] = value; }
    int32_t Last() const { return items_.back(); }
    int Count() const { return static_cast<int>(items_.size()); }
    int Capacity() const { return static_cast<int>(items_.capacity()); }
    void SetCapacity(int capacity) { items_.reserve(static_cast<size_t>(capacity)); }
    bool Sorted() const { return sorted_; }
    // Turning the sorted mode on does not sort the values already there.
    void SetSorted(bool sorted) { sorted_ = sorted; }
    bool Duplicates() const { return duplicates_; }
    void SetDuplicates(bool duplicates) { duplicates_ = duplicates; }

private:
    std::vector<int32_t> items_;
    bool sorted_ = true;
    bool duplicates_ = false;
};

struct TaaCFDirEntry {
    static constexpr uint8_t kFolder = 1;
    static constexpr uint8_t kStream = 2;

    std::string Name;  // 1 to 255 Windows-1252 characters
    uint8_t Kind = 0;
    uint16_t FirstBlock = 0;  // 0: no data
    int32_t Size = 0;         // a stream's length, or the length of a folder's directory
    double DateTime = 0;      // days since 1899-12-30, local time
    int32_t Reserved = 0;
};

// An open folder: its entries as read (in directory order: folders before
// streams, then by name without regard to case), and those added since at
// the end; the directory is put in order again when it is written. Entries
// are found through an index, however many there are.
class TCFFolder {
public:
    TCFFolder(TCFFolder* parent, std::string name) : Parent(parent), Name(std::move(name)) {}

    // True when an entry of that name and kind exists, with its position in
    // index; otherwise index is where Add puts a new entry.
    bool Find(const std::string& name, uint8_t kind, size_t& index) const;
    // Adds an entry whose name and kind are not there yet; returns its position.
    size_t Add(TaaCFDirEntry entry);
    // Takes the entries of a directory as read; false when two share a name
    // and kind (the index keeps the first).
    bool SetEntries(std::vector<TaaCFDirEntry> entries);

    TCFFolder* Parent;
    std::string Name;
    // Change only through Add and SetEntries, which keep the index.
    std::vector<TaaCFDirEntry> Entries;
    bool Modified = false;
    int RefCount = 1;

private:
    static std::u32string IndexKey(const std::string& name, uint8_t kind);
    std::unordered_map<std::u32string, size_t> index_;
};

class TQNCompoundFile {
public:
    static constexpr int32_t kBlockSize = 2048;
    static constexpr size_t kMaxNameLength = 255;

    // Opens the file (FileMode::Create empties it, FileMode::OpenReadWrite
    // takes it as it is). An empty file becomes a new compound file; any
    // other is checked and its allocation table read.
    TQNCompoundFile(const std::string& fileName, FileMode openMode);
    // Works on a stream that the caller keeps (and that outlives this object).
    explicit TQNCompoundFile(TStream& stream);
    // Closes the file; errors of the write-back are swallowed here, so call
    // Close to see them.
    ~TQNCompoundFile();
    TQNCompoundFile(const TQNCompoundFile&) = delete;
    TQNCompoundFile& operator=(const TQNCompoundFile&) = delete;

    // Writes the folders, the table and the header back and closes the file.
    // After a failed operation it writes nothing and raises ECompoundFileError,
    // as the changes of this session are then lost.
    void Close();

    // Stores the whole content of data under a backslash path ("C:\Bilder\a.jpg"
    // is folder C, folder Bilder, stream a.jpg), creating folders on the way.
    void WriteStream(const std::string& path, TStream& data, double dateTime);
    // Replaces the content of stream (position 0) by the stream stored under
    // the path and returns true with its date-time; false when there is none.
    // Folders on the way are created when missing.
    bool ReadStream(const std::string& path, double& dateTime, TStream& stream);

    TCFFolder* Root();
    // Opens (or creates) a sub-folder of an open folder.
    TCFFolder* AddFolder(TCFFolder* parent, const std::string& name);
    // Writes or replaces a stream in an open folder; returns its entry.
    TaaCFDirEntry UpdateSubfile(TCFFolder* parent, const std::string& name, TStream& data);
    // Reads a stream of an open folder as ReadStream does.
    bool ReadSubfile(TCFFolder* parent, const std::string& name, double& dateTime, TStream& stream);

    // Colons removed, each pair of backslashes made one.
    static std::string NormalizePath(const std::string& path);
    // The order of names in a folder: without regard to case.
    static int CompareNames(const std::string& a, const std::string& b);
    // The name as the order of names sees it: each character case-folded.
    static std::u32string FoldedName(const std::string& name);

private:
    void Open();
    void CreateNew();
    void ReadTable();
    void ValidateTable();
    int32_t BlockCount() const { return static_cast<int32_t>(fileLength_ / kBlockSize); }
    int32_t HeaderInt(int offset) const;
    void SetHeaderInt(int offset, int32_t value);

    void ReadBlock(int32_t block, uint8_t* buffer);
    void WriteBlock(int32_t block, const uint8_t* data);
    void SetLink(int32_t block, int32_t value);
    int32_t AllocateBlock();
    void AppendTableBlock();
    std::vector<int32_t> WalkChain(int32_t first) const;
    void ReleaseChain(int32_t first);
    void FreePendingBlocks();
    std::vector<uint8_t> ReadChain(int32_t first, int32_t size);
    int32_t WriteBlocks(const std::vector<uint8_t>& data, int32_t firstBlock);
    void ReplaceChain(uint16_t& firstBlock, const std::vector<uint8_t>& data);
    void WriteRootDirectory();
    void WriteTable();

    void ClaimFirstBlock(int32_t block);
    void LoadDirectory(const std::vector<uint8_t>& bytes, TCFFolder& folder);
    static std::vector<uint8_t> SaveDirectory(const TCFFolder& folder);
    void FlushFolder(TCFFolder& folder);

    void RequireOpen() const;
    void CheckParent(const TCFFolder* parent, const char* operation) const;
    TCFFolder* OpenFolders(const std::vector<std::string>& pieces);
    TaaCFDirEntry WriteSubfile(TCFFolder& parent, const std::string& name, const std::vector<uint8_t>& bytes);
    template <typename Action>
    auto Guarded(Action action) -> decltype(action());

    std::unique_ptr<TStream> ownedStream_;
    TStream* stream_ = nullptr;
    TaaIntList table_;        // one entry per block (unsorted)
    TaaIntList tableBlocks_;  // the table blocks, in chain order (sorted)
    std::vector<uint8_t> header_;
    int64_t fileLength_ = 0;
    std::vector<uint8_t> hasPredecessor_;  // per block: some block links to it
    std::vector<uint8_t> claimed_;         // per block: first block of a known chain
    int32_t freeHint_ = 0;                 // no free block lies below it
    std::vector<int32_t> pendingFree_;     // blocks of replaced chains, freed by Close
    std::unique_ptr<TCFFolder> root_;
    std::vector<std::unique_ptr<TCFFolder>> openFolders_;  // in the order they were opened
    // The open folders by parent and folded name, and as a set: found at once
    // however many are open.
    std::map<std::pair<const TCFFolder*, std::u32string>, TCFFolder*> openByName_;
    std::set<const TCFFolder*> openSet_;
    bool closed_ = false;
    bool failed_ = false;
};
