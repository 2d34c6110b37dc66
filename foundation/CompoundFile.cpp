#include "foundation/CompoundFile.h"

#include "foundation/Codepage1252.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/LittleEndian.h"
#include "foundation/Localizer.h"
#include "foundation/StreamHelp.h"

#include <QtCore/QChar>
#include <QtCore/QDateTime>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr char kMagic[16] = {'Q', 'N', 'C', 'o', 'm', 'p', 'o', 'u', 'n', 'd', 'F', 'i', 'l', 'e', '1', '0'};
constexpr int32_t kFree = 0xFFFF;
constexpr int32_t kEnd = 0xFFFE;
constexpr int32_t kMaxBlocks = 0xFFFE;  // block numbers 0 to 0xFFFD
constexpr int32_t kEntriesPerTableBlock = TQNCompoundFile::kBlockSize / 2;
constexpr int32_t kRootBlock = 2;
constexpr int kOffsetBlockSize = 16;
constexpr int kOffsetTableCount = 20;
constexpr int kOffsetRootLength = 24;
constexpr int64_t kMinEntrySize = 1 + 1 + 1 + 2 + 4 + 8 + 4;
constexpr uint8_t kPadding = 0xCC;

// The keys of the error texts in the message catalogue.
constexpr const char* kWrongSize = "IDS_CFWRONGSIZE";
constexpr const char* kHeaderInvalid = "IDS_CFHEADERINVALID";
constexpr const char* kBadTable = "IDS_CFBADTABLE";
constexpr const char* kBadChain = "IDS_CFBADCHAIN";
constexpr const char* kBadDirectory = "IDS_CFBADDIRECTORY";
constexpr const char* kFull = "IDS_CFFULL";
constexpr const char* kTooLarge = "IDS_CFTOOLARGE";
constexpr const char* kBadName = "IDS_CFBADNAME";
constexpr const char* kClosed = "IDS_CFCLOSED";
constexpr const char* kFailed = "IDS_CFFAILED";
constexpr const char* kNotSaved = "IDS_CFNOTSAVED";

ECompoundFileError Failure(const char* key) { return ECompoundFileError(LocalizedText(key)); }

// A folder handle that is neither the root nor an open folder, named by the
// operation that was given it.
ECompoundFileError InvalidParent(const char* operation) {
    return ECompoundFileError(LocalizedFormat("IDS_CFINVALIDPARENT", {QString::fromLatin1(operation)}));
}

// Days since 1899-12-30 with the time of day as fraction, local time.
double NowAsDateTime() {
    return DateTimeValue(QDateTime::currentDateTime());
}

bool IsValidName(const std::string& name) {
    return !name.empty() && name.size() <= TQNCompoundFile::kMaxNameLength;
}

// The pieces of a normalized path: empty folder names are skipped; the last
// piece names the stream.
std::vector<std::string> SplitPath(const std::string& path) {
    const std::string normalized = TQNCompoundFile::NormalizePath(path);
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        const size_t slash = normalized.find('\\', start);
        if (slash == std::string::npos) break;
        if (slash > start) pieces.push_back(normalized.substr(start, slash - start));
        start = slash + 1;
    }
    pieces.push_back(normalized.substr(start));
    return pieces;
}

// Folders before streams, then by name without regard to case.
bool DirectoryOrder(const TaaCFDirEntry& a, const TaaCFDirEntry& b) {
    if (a.Kind != b.Kind) return a.Kind < b.Kind;
    return TQNCompoundFile::CompareNames(a.Name, b.Name) < 0;
}

bool AllNamesValid(const std::vector<std::string>& pieces) {
    return std::all_of(pieces.begin(), pieces.end(), IsValidName);
}

std::vector<uint8_t> AllBytes(TStream& data) {
    data.SetPosition(0);
    const int64_t size = data.Size();
    if (size > std::numeric_limits<int32_t>::max()) throw Failure(kTooLarge);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    data.ReadBuffer(bytes.data(), size);
    return bytes;
}

}  // namespace

// ---- TaaIntList

int TaaIntList::Add(int32_t value) {
    if (!sorted_) {
        items_.push_back(value);
        return Count() - 1;
    }
    const auto at = std::lower_bound(items_.begin(), items_.end(), value);
    if (at != items_.end() && *at == value && !duplicates_) return -1;
    const auto index = at - items_.begin();
    items_.insert(at, value);
    return static_cast<int>(index);
}

void TaaIntList::Clear() {
    items_.clear();
    sorted_ = true;
}

// ---- TCFFolder

std::u32string TCFFolder::IndexKey(const std::string& name, uint8_t kind) {
    return static_cast<char32_t>(kind) + TQNCompoundFile::FoldedName(name);
}

bool TCFFolder::Find(const std::string& name, uint8_t kind, size_t& index) const {
    const auto it = index_.find(IndexKey(name, kind));
    index = it != index_.end() ? it->second : Entries.size();
    return it != index_.end();
}

size_t TCFFolder::Add(TaaCFDirEntry entry) {
    const size_t position = Entries.size();
    index_.emplace(IndexKey(entry.Name, entry.Kind), position);
    Entries.push_back(std::move(entry));
    return position;
}

bool TCFFolder::SetEntries(std::vector<TaaCFDirEntry> entries) {
    Entries = std::move(entries);
    index_.clear();
    index_.reserve(Entries.size());
    bool unique = true;
    for (size_t i = 0; i < Entries.size(); ++i)
        unique = index_.emplace(IndexKey(Entries[i].Name, Entries[i].Kind), i).second && unique;
    return unique;
}

// ---- TQNCompoundFile: names

std::string TQNCompoundFile::NormalizePath(const std::string& path) {
    std::string out;
    out.reserve(path.size());
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == ':') continue;
        out += path[i];
        if (path[i] == '\\' && i + 1 < path.size() && path[i + 1] == '\\') ++i;
    }
    return out;
}

namespace {

char32_t FoldedChar(char c) { return QChar::toCaseFolded(Cp1252ToUnicode(static_cast<uint8_t>(c))); }

}  // namespace

int TQNCompoundFile::CompareNames(const std::string& a, const std::string& b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const char32_t x = FoldedChar(a[i]);
        const char32_t y = FoldedChar(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::u32string TQNCompoundFile::FoldedName(const std::string& name) {
    std::u32string folded(name.size(), U'\0');
    std::transform(name.begin(), name.end(), folded.begin(), FoldedChar);
    return folded;
}

// ---- Opening and closing

TQNCompoundFile::TQNCompoundFile(const std::string& fileName, FileMode openMode)
    : ownedStream_(std::make_unique<TFileStream>(fileName, openMode)), stream_(ownedStream_.get()) {
    Open();
}

TQNCompoundFile::TQNCompoundFile(TStream& stream) : stream_(&stream) {
    Open();
}

TQNCompoundFile::~TQNCompoundFile() {
    try {
        Close();
    } catch (const std::exception&) {
        // A destructor cannot report; Close() reports to callers that ask.
    }
}

void TQNCompoundFile::Open() {
    table_.SetSorted(false);
    fileLength_ = stream_->Size();
    if (fileLength_ == 0) {
        CreateNew();
        return;
    }
    if (fileLength_ < 3 * kBlockSize || fileLength_ % kBlockSize != 0 ||
        fileLength_ / kBlockSize > kMaxBlocks)
        throw Failure(kWrongSize);
    header_.resize(kBlockSize);
    ReadBlock(0, header_.data());
    if (std::memcmp(header_.data(), kMagic, sizeof kMagic) != 0 || HeaderInt(kOffsetBlockSize) != kBlockSize ||
        HeaderInt(kOffsetTableCount) < 1 || HeaderInt(kOffsetRootLength) < 0)
        throw Failure(kHeaderInvalid);
    ReadTable();
    ValidateTable();
}

void TQNCompoundFile::CreateNew() {
    header_.assign(kBlockSize, 0);
    std::memcpy(header_.data(), kMagic, sizeof kMagic);
    SetHeaderInt(kOffsetBlockSize, kBlockSize);
    SetHeaderInt(kOffsetTableCount, 1);
    SetHeaderInt(kOffsetRootLength, 0);
    for (int32_t i = 0; i < kEntriesPerTableBlock; ++i) table_.Add(i <= kRootBlock ? kEnd : kFree);
    tableBlocks_.Add(1);
    hasPredecessor_.assign(kEntriesPerTableBlock, 0);
    claimed_.assign(kEntriesPerTableBlock, 0);
    claimed_[0] = claimed_[1] = claimed_[kRootBlock] = 1;
    freeHint_ = kRootBlock + 1;
    fileLength_ = 0;
    WriteBlock(0, header_.data());
    WriteTable();
    const std::vector<uint8_t> emptyRoot(kBlockSize, 0);
    WriteBlock(kRootBlock, emptyRoot.data());
}

// Follows the chain of table blocks from block 1; their numbers must grow,
// as table blocks are only ever appended.
void TQNCompoundFile::ReadTable() {
    const int32_t declared = HeaderInt(kOffsetTableCount);
    std::vector<uint8_t> block(kBlockSize);
    int32_t b = 1;
    while (b != kEnd) {
        const bool ascending = tableBlocks_.Count() == 0 || b > tableBlocks_.Last();
        if (b < 1 || b >= BlockCount() || !ascending || tableBlocks_.Count() >= declared)
            throw Failure(kBadTable);
        tableBlocks_.Add(b);
        ReadBlock(b, block.data());
        for (int32_t i = 0; i < kEntriesPerTableBlock; ++i)
            table_.Add(static_cast<int32_t>(GetLittleEndian(&block[2 * static_cast<size_t>(i)], 2)));
        if (b >= table_.Count()) throw Failure(kBadTable);
        b = table_.Get(b);
    }
    if (tableBlocks_.Count() != declared) throw Failure(kBadTable);
    // Blocks beyond the reach of the table were appended by a session that
    // never closed; nothing refers to them, and new blocks go over them.
    fileLength_ = std::min<int64_t>(fileLength_, int64_t{table_.Count()} * kBlockSize);
}

// The table must describe separate chains without cycles: every link points
// to a used block of the file that no other block links to, blocks beyond
// the end of the file are free, and every used block is reached from the
// start of its chain.
void TQNCompoundFile::ValidateTable() {
    const int32_t blocks = BlockCount();
    hasPredecessor_.assign(static_cast<size_t>(table_.Count()), 0);
    int32_t used = 0;
    for (int32_t i = 0; i < table_.Count(); ++i) {
        const int32_t link = table_.Get(i);
        if (link == kFree) continue;
        if (i >= blocks) throw Failure(kBadTable);
        ++used;
        if (link == kEnd) continue;
        if (link >= blocks || link == i || table_.Get(link) == kFree || hasPredecessor_[static_cast<size_t>(link)])
            throw Failure(kBadTable);
        hasPredecessor_[static_cast<size_t>(link)] = 1;
    }
    for (int32_t i = 0; i < tableBlocks_.Count(); ++i) {
        if (table_.Get(tableBlocks_.Get(i)) == kFree) throw Failure(kBadTable);
    }
    if (table_.Get(0) != kEnd || table_.Get(1) == kFree || table_.Get(kRootBlock) == kFree ||
        hasPredecessor_[0] || hasPredecessor_[1] || hasPredecessor_[kRootBlock])
        throw Failure(kBadTable);
    int32_t reached = 0;
    for (int32_t i = 0; i < blocks; ++i) {
        if (table_.Get(i) == kFree || hasPredecessor_[static_cast<size_t>(i)]) continue;
        for (int32_t b = i; b != kEnd; b = table_.Get(b)) ++reached;
    }
    if (reached != used) throw Failure(kBadTable);  // a cycle with no start
    claimed_.assign(static_cast<size_t>(table_.Count()), 0);
    claimed_[0] = claimed_[1] = claimed_[kRootBlock] = 1;
    freeHint_ = 0;
}

void TQNCompoundFile::Close() {
    if (closed_) return;
    closed_ = true;
    try {
        if (failed_) throw Failure(kNotSaved);
        for (auto it = openFolders_.rbegin(); it != openFolders_.rend(); ++it) {
            if ((*it)->Modified) FlushFolder(**it);
        }
        if (root_ && root_->Modified) WriteRootDirectory();
        FreePendingBlocks();
        WriteTable();
        WriteBlock(0, header_.data());
    } catch (...) {
        failed_ = true;
        ownedStream_.reset();
        throw;
    }
    ownedStream_.reset();
}

// ---- Blocks and chains

int32_t TQNCompoundFile::HeaderInt(int offset) const {
    return static_cast<int32_t>(GetLittleEndian(&header_[static_cast<size_t>(offset)], 4));
}

void TQNCompoundFile::SetHeaderInt(int offset, int32_t value) {
    PutLittleEndian(&header_[static_cast<size_t>(offset)], static_cast<uint32_t>(value), 4);
}

void TQNCompoundFile::ReadBlock(int32_t block, uint8_t* buffer) {
    stream_->SetPosition(int64_t{block} * kBlockSize);
    stream_->ReadBuffer(buffer, kBlockSize);
}

// Writing the block after the last one extends the file.
void TQNCompoundFile::WriteBlock(int32_t block, const uint8_t* data) {
    const int64_t offset = int64_t{block} * kBlockSize;
    if (offset > fileLength_) throw Failure(kBadChain);
    stream_->SetPosition(offset);
    stream_->WriteBuffer(data, kBlockSize);
    if (offset == fileLength_) fileLength_ += kBlockSize;
}

// Sets a table entry and keeps track of which blocks have a predecessor.
void TQNCompoundFile::SetLink(int32_t block, int32_t value) {
    const int32_t old = table_.Get(block);
    if (old != kFree && old != kEnd) hasPredecessor_[static_cast<size_t>(old)] = 0;
    if (value != kFree && value != kEnd) hasPredecessor_[static_cast<size_t>(value)] = 1;
    table_.Put(block, value);
    if (value == kFree) freeHint_ = std::min(freeHint_, block);
}

// The lowest free block, marked as the end of a chain; a new table block is
// appended at the end of the file when the table has none.
int32_t TQNCompoundFile::AllocateBlock() {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int32_t limit = std::min(table_.Count(), kMaxBlocks);
        while (freeHint_ < limit && table_.Get(freeHint_) != kFree) ++freeHint_;
        if (freeHint_ < limit) {
            const int32_t block = freeHint_;
            SetLink(block, kEnd);
            return block;
        }
        if (attempt == 0) AppendTableBlock();
    }
    throw Failure(kFull);
}

void TQNCompoundFile::AppendTableBlock() {
    const int32_t block = BlockCount();
    if (block + 1 >= kMaxBlocks || block != table_.Count()) throw Failure(kFull);
    const std::vector<uint8_t> freeEntries(kBlockSize, 0xFF);
    WriteBlock(block, freeEntries.data());
    for (int32_t i = 0; i < kEntriesPerTableBlock; ++i) table_.Add(kFree);
    hasPredecessor_.resize(static_cast<size_t>(table_.Count()), 0);
    claimed_.resize(static_cast<size_t>(table_.Count()), 0);
    SetLink(tableBlocks_.Last(), block);
    SetLink(block, kEnd);
    tableBlocks_.Add(block);
    SetHeaderInt(kOffsetTableCount, tableBlocks_.Count());
}

// The blocks of a chain; every link is checked and the walk ends after at
// most as many steps as the file has blocks.
std::vector<int32_t> TQNCompoundFile::WalkChain(int32_t first) const {
    std::vector<int32_t> blocks;
    int32_t b = first;
    for (;;) {
        const bool valid = b > 0 && b < BlockCount() && table_.Get(b) != kFree &&
                           blocks.size() < static_cast<size_t>(BlockCount());
        if (!valid) throw Failure(kBadChain);
        blocks.push_back(b);
        b = table_.Get(b);
        if (b == kEnd) return blocks;
    }
}

// The blocks of a chain that is being replaced. They stay in use until
// Close, so the file on disk keeps its old content until the new table and
// directories are written. A first block of 0 means there is no chain: the
// header block is never freed.
void TQNCompoundFile::ReleaseChain(int32_t first) {
    if (first == 0) return;
    const std::vector<int32_t> blocks = WalkChain(first);
    pendingFree_.insert(pendingFree_.end(), blocks.begin(), blocks.end());
}

void TQNCompoundFile::FreePendingBlocks() {
    for (int32_t block : pendingFree_) SetLink(block, kFree);
    pendingFree_.clear();
}

std::vector<uint8_t> TQNCompoundFile::ReadChain(int32_t first, int32_t size) {
    std::vector<uint8_t> data;
    if (size == 0) return data;
    const std::vector<int32_t> blocks = WalkChain(first);
    const int64_t needed = (int64_t{size} + kBlockSize - 1) / kBlockSize;
    if (size < 0 || static_cast<int64_t>(blocks.size()) != needed) throw Failure(kBadChain);
    data.resize(blocks.size() * kBlockSize);
    for (size_t i = 0; i < blocks.size(); ++i) ReadBlock(blocks[i], &data[i * kBlockSize]);
    data.resize(static_cast<size_t>(size));
    return data;
}

// Writes data in 2048-byte pieces, the last padded with 0xCC, into blocks
// linked after the given one (or into new blocks when it is 0); returns the
// first block written.
int32_t TQNCompoundFile::WriteBlocks(const std::vector<uint8_t>& data, int32_t firstBlock) {
    std::vector<uint8_t> block(kBlockSize);
    int32_t first = firstBlock;
    int32_t previous = 0;
    for (size_t offset = 0; offset < data.size(); offset += kBlockSize) {
        const size_t n = std::min<size_t>(kBlockSize, data.size() - offset);
        std::memcpy(block.data(), data.data() + offset, n);
        std::fill(block.begin() + static_cast<std::ptrdiff_t>(n), block.end(), kPadding);
        int32_t b = offset == 0 ? firstBlock : 0;
        if (b == 0) b = AllocateBlock();
        if (previous != 0) SetLink(previous, b);
        if (first == 0) first = b;
        WriteBlock(b, block.data());
        previous = b;
    }
    return first;
}

// Stores the data of an entry in a chain of new blocks; the old chain is
// released.
void TQNCompoundFile::ReplaceChain(uint16_t& firstBlock, const std::vector<uint8_t>& data) {
    const int32_t old = firstBlock;
    if (old != 0) WalkChain(old);  // a damaged old chain stops the write before anything is written
    firstBlock = 0;
    if (!data.empty()) {
        firstBlock = static_cast<uint16_t>(WriteBlocks(data, 0));
        claimed_[firstBlock] = 1;
    }
    ReleaseChain(old);
}

// The root directory always starts at block 2, which is rewritten in place;
// its further blocks are new ones.
void TQNCompoundFile::WriteRootDirectory() {
    const std::vector<uint8_t> directory = SaveDirectory(*root_);
    const std::vector<int32_t> old = WalkChain(kRootBlock);
    pendingFree_.insert(pendingFree_.end(), old.begin() + 1, old.end());
    SetLink(kRootBlock, kEnd);
    WriteBlocks(directory, kRootBlock);
    SetHeaderInt(kOffsetRootLength, static_cast<int32_t>(directory.size()));
}

void TQNCompoundFile::WriteTable() {
    std::vector<uint8_t> block(kBlockSize);
    for (int32_t k = 0; k < tableBlocks_.Count(); ++k) {
        for (int32_t i = 0; i < kEntriesPerTableBlock; ++i) {
            const auto entry = static_cast<uint16_t>(table_.Get(k * kEntriesPerTableBlock + i));
            PutLittleEndian(&block[2 * static_cast<size_t>(i)], entry, 2);
        }
        WriteBlock(tableBlocks_.Get(k), block.data());
    }
}

// ---- Directories

// The first block of an entry must start a chain of its own: used, linked
// from no block, and not already the first block of another entry.
void TQNCompoundFile::ClaimFirstBlock(int32_t block) {
    const bool valid = block > 0 && block < BlockCount() && table_.Get(block) != kFree &&
                       !hasPredecessor_[static_cast<size_t>(block)] && !claimed_[static_cast<size_t>(block)];
    if (!valid) throw Failure(kBadChain);
    claimed_[static_cast<size_t>(block)] = 1;
}

void TQNCompoundFile::LoadDirectory(const std::vector<uint8_t>& bytes, TCFFolder& folder) {
    TMemoryStream in(bytes);
    std::vector<TaaCFDirEntry> entries;
    try {
        const int32_t count = StreamReadInt(in);
        if (count < 0 || count > in.Remaining() / kMinEntrySize) throw Failure(kBadDirectory);
        entries.resize(static_cast<size_t>(count));
        for (TaaCFDirEntry& entry : entries) {
            const uint8_t length = StreamReadByte(in);
            entry.Name.resize(length);
            in.ReadBuffer(entry.Name.data(), length);
            entry.Kind = StreamReadByte(in);
            entry.FirstBlock = StreamReadValue<uint16_t>(in);
            entry.Size = StreamReadInt(in);
            entry.DateTime = StreamReadValue<double>(in);
            entry.Reserved = StreamReadInt(in);
            const bool valid = length > 0 &&
                               (entry.Kind == TaaCFDirEntry::kFolder || entry.Kind == TaaCFDirEntry::kStream) &&
                               entry.Size >= 0 && (entry.FirstBlock == 0) == (entry.Size == 0);
            if (!valid) throw Failure(kBadDirectory);
        }
    } catch (const EReadError&) {
        throw Failure(kBadDirectory);
    }
    std::stable_sort(entries.begin(), entries.end(), DirectoryOrder);
    for (const TaaCFDirEntry& entry : entries)
        if (entry.FirstBlock != 0) ClaimFirstBlock(entry.FirstBlock);
    if (!folder.SetEntries(std::move(entries))) throw Failure(kBadDirectory);  // a name twice
}

std::vector<uint8_t> TQNCompoundFile::SaveDirectory(const TCFFolder& folder) {
    std::vector<const TaaCFDirEntry*> ordered;
    ordered.reserve(folder.Entries.size());
    for (const TaaCFDirEntry& entry : folder.Entries) ordered.push_back(&entry);
    std::sort(ordered.begin(), ordered.end(),
              [](const TaaCFDirEntry* a, const TaaCFDirEntry* b) { return DirectoryOrder(*a, *b); });
    TMemoryStream out;
    StreamWriteInt(out, static_cast<int32_t>(ordered.size()));
    for (const TaaCFDirEntry* e : ordered) {
        const TaaCFDirEntry& entry = *e;
        StreamWriteByte(out, static_cast<uint8_t>(entry.Name.size()));
        out.WriteBuffer(entry.Name.data(), static_cast<int64_t>(entry.Name.size()));
        StreamWriteByte(out, entry.Kind);
        StreamWriteValue<uint16_t>(out, entry.FirstBlock);
        StreamWriteInt(out, entry.Size);
        StreamWriteValue<double>(out, entry.DateTime);
        StreamWriteInt(out, 0);  // reserved
    }
    return out.Bytes();
}

// Writes a sub-folder's directory and updates its entry in the parent.
void TQNCompoundFile::FlushFolder(TCFFolder& folder) {
    size_t index = 0;
    if (!folder.Parent || !folder.Parent->Find(folder.Name, TaaCFDirEntry::kFolder, index))
        throw Failure(kBadDirectory);
    TaaCFDirEntry& entry = folder.Parent->Entries[index];
    const std::vector<uint8_t> directory = folder.Entries.empty() ? std::vector<uint8_t>() : SaveDirectory(folder);
    ReplaceChain(entry.FirstBlock, directory);
    entry.Size = static_cast<int32_t>(directory.size());
    entry.DateTime = NowAsDateTime();
    folder.Parent->Modified = true;
}

// ---- Folders and streams

// Runs an operation; when it fails, the object writes nothing more.
template <typename Action>
auto TQNCompoundFile::Guarded(Action action) -> decltype(action()) {
    RequireOpen();
    try {
        return action();
    } catch (...) {
        failed_ = true;
        throw;
    }
}

void TQNCompoundFile::RequireOpen() const {
    if (closed_) throw Failure(kClosed);
    if (failed_) throw Failure(kFailed);
}

void TQNCompoundFile::CheckParent(const TCFFolder* parent, const char* operation) const {
    const bool open = parent && (parent == root_.get() || openSet_.count(parent) != 0);
    if (!open) throw InvalidParent(operation);
}

TCFFolder* TQNCompoundFile::Root() {
    return Guarded([&] {
        if (!root_) {
            auto root = std::make_unique<TCFFolder>(nullptr, std::string());
            const int32_t length = HeaderInt(kOffsetRootLength);
            if (length > 0) LoadDirectory(ReadChain(kRootBlock, length), *root);
            root_ = std::move(root);
        }
        return root_.get();
    });
}

TCFFolder* TQNCompoundFile::AddFolder(TCFFolder* parent, const std::string& name) {
    RequireOpen();
    CheckParent(parent, "TQNCompoundFile.AddFolder");
    if (!IsValidName(name)) throw Failure(kBadName);
    return Guarded([&] {
        auto key = std::make_pair(static_cast<const TCFFolder*>(parent), FoldedName(name));
        if (const auto open = openByName_.find(key); open != openByName_.end()) {
            ++open->second->RefCount;
            ++parent->RefCount;
            return open->second;
        }
        size_t index = 0;
        const bool exists = parent->Find(name, TaaCFDirEntry::kFolder, index);
        auto folder = std::make_unique<TCFFolder>(parent, exists ? parent->Entries[index].Name : name);
        if (exists) {
            const TaaCFDirEntry& entry = parent->Entries[index];
            if (entry.Size != 0) LoadDirectory(ReadChain(entry.FirstBlock, entry.Size), *folder);
        } else {
            TaaCFDirEntry entry;
            entry.Name = name;
            entry.Kind = TaaCFDirEntry::kFolder;
            parent->Add(std::move(entry));
            parent->Modified = true;
            folder->Modified = true;
        }
        ++parent->RefCount;
        TCFFolder* opened = folder.get();
        openFolders_.push_back(std::move(folder));
        openByName_.emplace(std::move(key), opened);
        openSet_.insert(opened);
        return opened;
    });
}

TaaCFDirEntry TQNCompoundFile::UpdateSubfile(TCFFolder* parent, const std::string& name, TStream& data) {
    RequireOpen();
    CheckParent(parent, "TQNCompoundFile.UpdateSubfile");
    if (!IsValidName(name)) throw Failure(kBadName);
    const std::vector<uint8_t> bytes = AllBytes(data);
    return Guarded([&] { return WriteSubfile(*parent, name, bytes); });
}

TaaCFDirEntry TQNCompoundFile::WriteSubfile(TCFFolder& parent, const std::string& name,
                                            const std::vector<uint8_t>& bytes) {
    size_t index = 0;
    if (!parent.Find(name, TaaCFDirEntry::kStream, index)) {
        TaaCFDirEntry entry;
        entry.Name = name;
        entry.Kind = TaaCFDirEntry::kStream;
        index = parent.Add(std::move(entry));
    }
    TaaCFDirEntry& entry = parent.Entries[index];
    ReplaceChain(entry.FirstBlock, bytes);
    entry.Size = static_cast<int32_t>(bytes.size());
    entry.DateTime = NowAsDateTime();
    parent.Modified = true;
    return entry;
}

bool TQNCompoundFile::ReadSubfile(TCFFolder* parent, const std::string& name, double& dateTime, TStream& stream) {
    RequireOpen();
    CheckParent(parent, "TQNCompoundFile.ReadSubfile");
    size_t index = 0;
    if (!parent->Find(name, TaaCFDirEntry::kStream, index)) return false;
    const TaaCFDirEntry entry = parent->Entries[index];
    const std::vector<uint8_t> bytes = Guarded([&] { return ReadChain(entry.FirstBlock, entry.Size); });
    stream.SetPosition(0);
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetSize(static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
    dateTime = entry.DateTime;
    return true;
}

TCFFolder* TQNCompoundFile::OpenFolders(const std::vector<std::string>& pieces) {
    TCFFolder* folder = Root();
    for (size_t i = 0; i + 1 < pieces.size(); ++i) folder = AddFolder(folder, pieces[i]);
    return folder;
}

void TQNCompoundFile::WriteStream(const std::string& path, TStream& data, double dateTime) {
    RequireOpen();
    const std::vector<std::string> pieces = SplitPath(path);
    if (!AllNamesValid(pieces)) throw Failure(kBadName);
    const std::vector<uint8_t> bytes = AllBytes(data);
    TCFFolder* folder = OpenFolders(pieces);
    Guarded([&] {
        WriteSubfile(*folder, pieces.back(), bytes);
        size_t index = 0;
        folder->Find(pieces.back(), TaaCFDirEntry::kStream, index);
        folder->Entries[index].DateTime = dateTime;
    });
}

bool TQNCompoundFile::ReadStream(const std::string& path, double& dateTime, TStream& stream) {
    RequireOpen();
    const std::vector<std::string> pieces = SplitPath(path);
    if (!AllNamesValid(pieces)) return false;
    return ReadSubfile(OpenFolders(pieces), pieces.back(), dateTime, stream);
}
