#include "platform/registry/RegistryStore.h"

#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>
#include <QtCore/QStandardPaths>

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>

// File format, little-endian:
//   8 bytes  magic "ZRSTORE1"
//   u32      payload length
//   u32      CRC-32 of the payload
//   payload  the root key
// key:   name, u32 value count, values, u32 sub-key count, sub-keys
// value: name, u8 type, u32 data length, data (string UTF-8, integer 4 bytes, binary raw)
// name:  u32 length, UTF-8 bytes
//
// In memory, names and data stay in one block of bytes: the file as it was
// read, with the names and data of later changes appended. Keys and values
// refer to it by offset and length. Bytes that nothing refers to any more are
// dropped once they outweigh the rest.

namespace registry {

namespace {

constexpr char kMagic[8] = {'Z', 'R', 'S', 'T', 'O', 'R', 'E', '1'};
constexpr qint64 kHeaderSize = 16;
constexpr int kMaxDepth = 64;
// A store holds settings, not documents: a larger file is not read.
constexpr qint64 kMaxFileSize = qint64{64} << 20;
// Smallest possible records, used to bound counts before allocating.
constexpr qint64 kMinValueSize = 4 + 1 + 4;
constexpr qint64 kMinKeySize = 4 + 4 + 4;
// Keys with fewer names are searched name by name; larger ones get an index.
constexpr size_t kIndexedFrom = 8;
// Unreferenced bytes are dropped when there are more of them than this and
// than referenced ones.
constexpr qint64 kGarbageSlack = qint64{1} << 20;

uint32_t Crc32(const char* data, qint64 size) {
    static const auto table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (qint64 i = 0; i < size; ++i) crc = table[(crc ^ static_cast<uint8_t>(data[i])) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

QStringList SplitPath(const QString& path) { return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts); }

bool IsValidUtf8(std::string_view s) {
    static constexpr uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const size_t n = s.size();
    for (size_t i = 0; i < n;) {
        const unsigned c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t length;
        uint32_t point;
        if ((c & 0xE0) == 0xC0) {
            length = 2;
            point = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3;
            point = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4;
            point = c & 0x07;
        } else {
            return false;
        }
        if (n - i < length) return false;
        for (size_t k = 1; k < length; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return false;
            point = (point << 6) | (p[i + k] & 0x3F);
        }
        if (point < kSmallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

// ---- names without regard to case (simple Unicode case folding)

bool IsAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

QString Folded(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())).toCaseFolded();
}

// FNV-1a over the UTF-16 units of the folded name; an ASCII name is folded
// byte by byte, which gives the same units.
uint64_t NameHash(std::string_view s) {
    uint64_t h = 14695981039346656037ull;
    const auto mix = [&h](uint16_t unit) {
        h ^= unit;
        h *= 1099511628211ull;
    };
    if (IsAscii(s)) {
        for (char c : s) mix(static_cast<uint16_t>(AsciiLower(c)));
    } else {
        for (QChar c : Folded(s)) mix(c.unicode());
    }
    return h;
}

bool SameName(std::string_view a, std::string_view b) {
    if (IsAscii(a) && IsAscii(b)) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
    }
    return Folded(a) == Folded(b);
}

// An open-addressing table of positions (+ 1; 0 is a free slot) in a list
// of names, for lists of kIndexedFrom names or more.
using Slots = std::vector<uint32_t>;

void Place(Slots& table, uint64_t hash, size_t position) {
    const size_t mask = table.size() - 1;
    size_t at = static_cast<size_t>(hash) & mask;
    while (table[at] != 0) at = (at + 1) & mask;
    table[at] = static_cast<uint32_t>(position + 1);
}

template <class NameAt>
void RebuildIndex(std::unique_ptr<Slots>& index, size_t count, const NameAt& nameAt) {
    if (count < kIndexedFrom) {
        index.reset();
        return;
    }
    size_t capacity = 16;
    while (capacity < 2 * count) capacity *= 2;
    auto table = std::make_unique<Slots>(capacity, 0);
    for (size_t i = 0; i < count; ++i) Place(*table, NameHash(nameAt(i)), i);
    index = std::move(table);
}

// The position of the name among the first count names.
template <class NameAt>
std::optional<size_t> LookUp(const std::unique_ptr<Slots>& index, size_t count, std::string_view name,
                             const NameAt& nameAt) {
    if (!index) {
        for (size_t i = 0; i < count; ++i)
            if (SameName(nameAt(i), name)) return i;
        return std::nullopt;
    }
    const Slots& table = *index;
    const size_t mask = table.size() - 1;
    for (size_t at = static_cast<size_t>(NameHash(name)) & mask; table[at] != 0; at = (at + 1) & mask) {
        const size_t i = table[at] - 1;
        if (SameName(nameAt(i), name)) return i;
    }
    return std::nullopt;
}

// The last of count names was added.
template <class NameAt>
void IndexAdded(std::unique_ptr<Slots>& index, size_t count, const NameAt& nameAt) {
    if (!index || 2 * count > index->size()) {
        RebuildIndex(index, count, nameAt);
        return;
    }
    Place(*index, NameHash(nameAt(count - 1)), count - 1);
}

// ---- the tree

// A piece of the store's block of bytes.
struct Span {
    uint32_t offset = 0;
    uint32_t length = 0;
};

struct Entry {
    Span name;
    Span data;  // strings and binary values
    int32_t integer = 0;
    ValueType type = ValueType::String;
};

struct Key {
    Span name;
    std::vector<Entry> values;
    std::vector<Key> subKeys;
    std::unique_ptr<Slots> valueSlots;
    std::unique_ptr<Slots> keySlots;
};

class Damaged : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string_view ViewOf(const QByteArray& bytes, Span s) {
    return {bytes.constData() + s.offset, s.length};
}

std::string_view ViewOf(const QByteArray& utf8) { return {utf8.constData(), static_cast<size_t>(utf8.size())}; }

// Names of a key's values and sub-keys, by position.
auto ValueNameAt(const QByteArray& bytes, const Key& key) {
    return [&bytes, &key](size_t i) { return ViewOf(bytes, key.values[i].name); };
}
auto KeyNameAt(const QByteArray& bytes, const Key& key) {
    return [&bytes, &key](size_t i) { return ViewOf(bytes, key.subKeys[i].name); };
}

// Reads the payload of a file; every length and count is checked against
// what remains, names are checked for duplicates as they come.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : bytes_(bytes), pos_(kHeaderSize) {}

    qint64 Remaining() const { return bytes_.size() - pos_; }

    Key ReadKey(int depth) {
        if (depth > kMaxDepth) throw Damaged("keys nested too deeply");
        Key key;
        key.name = Text("key name");
        const std::string_view name = ViewOf(bytes_, key.name);
        if (depth > 0 && name.empty()) throw Damaged("empty key name");
        if (name.find('\\') != std::string_view::npos) throw Damaged("key name with a backslash");
        const uint32_t valueCount = Count(kMinValueSize, "values");
        key.values.reserve(valueCount);
        const auto valueName = ValueNameAt(bytes_, key);
        for (uint32_t i = 0; i < valueCount; ++i) {
            Entry entry = ReadEntry();
            if (LookUp(key.valueSlots, key.values.size(), ViewOf(bytes_, entry.name), valueName))
                throw Damaged("duplicate value name");
            key.values.push_back(entry);
            IndexAdded(key.valueSlots, key.values.size(), valueName);
        }
        const uint32_t subCount = Count(kMinKeySize, "sub-keys");
        key.subKeys.reserve(subCount);
        const auto keyName = KeyNameAt(bytes_, key);
        for (uint32_t i = 0; i < subCount; ++i) {
            Key sub = ReadKey(depth + 1);
            if (LookUp(key.keySlots, key.subKeys.size(), ViewOf(bytes_, sub.name), keyName))
                throw Damaged("duplicate key name");
            key.subKeys.push_back(std::move(sub));
            IndexAdded(key.keySlots, key.subKeys.size(), keyName);
        }
        return key;
    }

private:
    void Require(qint64 n, const char* what) const {
        if (n < 0 || n > Remaining()) throw Damaged(std::string("truncated ") + what);
    }
    uint8_t U8() {
        Require(1, "byte");
        return static_cast<uint8_t>(bytes_[pos_++]);
    }
    uint32_t U32() {
        Require(4, "number");
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(bytes_[pos_ + i])) << (8 * i);
        pos_ += 4;
        return v;
    }
    Span Bytes(const char* what) {
        const qint64 n = U32();
        Require(n, what);
        const Span span{static_cast<uint32_t>(pos_), static_cast<uint32_t>(n)};
        pos_ += n;
        return span;
    }
    Span Text(const char* what) {
        const Span span = Bytes(what);
        if (!IsValidUtf8(ViewOf(bytes_, span))) throw Damaged(std::string("invalid UTF-8 in ") + what);
        return span;
    }
    uint32_t Count(qint64 minRecordSize, const char* what) {
        const uint32_t n = U32();
        if (static_cast<qint64>(n) * minRecordSize > Remaining()) throw Damaged(std::string("impossible count of ") + what);
        return n;
    }
    Entry ReadEntry() {
        Entry entry;
        entry.name = Text("value name");
        switch (U8()) {
        case uint8_t(ValueType::String):
            entry.type = ValueType::String;
            entry.data = Text("string value");
            break;
        case uint8_t(ValueType::Integer):
            entry.type = ValueType::Integer;
            if (U32() != 4) throw Damaged("integer value of wrong size");
            entry.integer = static_cast<int32_t>(U32());
            break;
        case uint8_t(ValueType::Binary):
            entry.type = ValueType::Binary;
            entry.data = Bytes("binary value");
            break;
        default: throw Damaged("unknown value type");
        }
        return entry;
    }

    const QByteArray& bytes_;
    qint64 pos_;
};

Key Parse(const QByteArray& bytes) {
    if (bytes.size() < kHeaderSize || !bytes.startsWith(QByteArray::fromRawData(kMagic, sizeof kMagic)))
        throw Damaged("not a settings store file");
    const auto u32At = [&bytes](qint64 at) {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
        return v;
    };
    if (static_cast<qint64>(u32At(8)) != bytes.size() - kHeaderSize) throw Damaged("file length does not match its header");
    if (Crc32(bytes.constData() + kHeaderSize, bytes.size() - kHeaderSize) != u32At(12)) throw Damaged("checksum mismatch");
    Reader reader(bytes);
    Key root = reader.ReadKey(0);
    if (reader.Remaining() != 0) throw Damaged("bytes after the root key");
    return root;
}

class Writer {
public:
    explicit Writer(const QByteArray& bytes) : bytes_(bytes) {}

    void U8(uint8_t v) { out.append(static_cast<char>(v)); }
    void U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    void Piece(Span s) {
        U32(s.length);
        out.append(bytes_.constData() + s.offset, s.length);
    }
    void WriteKey(const Key& key) {
        Piece(key.name);
        U32(static_cast<uint32_t>(key.values.size()));
        for (const Entry& entry : key.values) {
            Piece(entry.name);
            U8(static_cast<uint8_t>(entry.type));
            if (entry.type == ValueType::Integer) {
                U32(4);
                U32(static_cast<uint32_t>(entry.integer));
            } else {
                Piece(entry.data);
            }
        }
        U32(static_cast<uint32_t>(key.subKeys.size()));
        for (const Key& sub : key.subKeys) WriteKey(sub);
    }

    QByteArray out;

private:
    const QByteArray& bytes_;
};

// What identifies the file's content without reading it: a rename puts a
// new file in place (another inode), and any write changes the time.
struct FileState {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    int64_t modified = 0;  // nanoseconds
    friend bool operator==(const FileState&, const FileState&) = default;
};

FileState StateOf(const QByteArray& encodedPath) {
    struct stat st {};
    if (::stat(encodedPath.constData(), &st) != 0) return {};
    return {true, st.st_dev, st.st_ino, st.st_size, int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec};
}

QString UniqueAsideName(const QString& fileName) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString candidate = fileName + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = fileName + QStringLiteral(".damaged-") + stamp + QLatin1Char('-') + QString::number(n);
    return candidate;
}

}  // namespace

struct Store::Data {
    QString filePath;
    QByteArray encodedPath;
    QByteArray bytes;  // the names and data the tree refers to
    qint64 garbage = 0;
    Key root;
    std::optional<LoadProblem> problem;
    bool persistent = true;
    int updateDepth = 0;
    bool pendingSave = false;
    FileState known;  // the file as last read or written

    std::string_view View(Span s) const { return ViewOf(bytes, s); }

    Span Append(const QByteArray& piece) {
        if (bytes.size() + piece.size() > std::numeric_limits<uint32_t>::max()) Compact();
        if (bytes.size() + piece.size() > std::numeric_limits<uint32_t>::max())
            throw StoreError("the settings store cannot hold more data");
        const Span span{static_cast<uint32_t>(bytes.size()), static_cast<uint32_t>(piece.size())};
        bytes.append(piece);
        return span;
    }

    // Copies what the tree refers to into a new block.
    void Compact() {
        QByteArray fresh;
        const auto keep = [&](Span& s) {
            const qsizetype at = fresh.size();
            fresh.append(bytes.constData() + s.offset, s.length);
            s.offset = static_cast<uint32_t>(at);
        };
        const auto walk = [&](auto&& self, Key& key) -> void {
            keep(key.name);
            for (Entry& e : key.values) {
                keep(e.name);
                keep(e.data);
            }
            for (Key& sub : key.subKeys) self(self, sub);
        };
        walk(walk, root);
        bytes = std::move(fresh);
        garbage = 0;
    }

    static qint64 BytesOf(const Key& key) {
        qint64 n = key.name.length;
        for (const Entry& e : key.values) n += qint64{e.name.length} + e.data.length;
        for (const Key& sub : key.subKeys) n += BytesOf(sub);
        return n;
    }

    // ---- finding keys and values

    Key* FindSub(Key& parent, const QString& name) {
        const QByteArray utf8 = name.toUtf8();
        const std::optional<size_t> i =
            LookUp(parent.keySlots, parent.subKeys.size(), ViewOf(utf8), KeyNameAt(bytes, parent));
        return i ? &parent.subKeys[*i] : nullptr;
    }

    Key* Find(const QString& path) {
        Key* key = &root;
        for (const QString& part : SplitPath(path)) {
            key = FindSub(*key, part);
            if (!key) return nullptr;
        }
        return key;
    }

    Key* FindOrCreate(const QString& path) {
        Key* key = &root;
        for (const QString& part : SplitPath(path)) {
            Key* sub = FindSub(*key, part);
            if (!sub) {
                Key created;
                created.name = Append(part.toUtf8());
                key->subKeys.push_back(std::move(created));
                IndexAdded(key->keySlots, key->subKeys.size(), KeyNameAt(bytes, *key));
                sub = &key->subKeys.back();
            }
            key = sub;
        }
        return key;
    }

    std::optional<size_t> FindValue(const Key& key, const QString& name) const {
        const QByteArray utf8 = name.toUtf8();
        return LookUp(key.valueSlots, key.values.size(), ViewOf(utf8), ValueNameAt(bytes, key));
    }

    // ---- the file

    void Load(bool keepCurrentOnDamage) {
        QFile file(filePath);
        if (!file.exists()) {
            root = Key();
            bytes.clear();
            garbage = 0;
            known = StateOf(encodedPath);
            return;
        }
        QString reason;
        if (!file.open(QIODevice::ReadOnly)) {
            reason = QStringLiteral("cannot be opened: ") + file.errorString();
        } else if (file.size() > kMaxFileSize) {
            reason = QStringLiteral("larger than a settings store can be");
        } else {
            // The state before reading: a change during the read shows up as
            // a difference at the next look.
            const FileState state = StateOf(encodedPath);
            QByteArray read = file.readAll();
            file.close();
            try {
                root = Parse(read);
                bytes = std::move(read);
                garbage = 0;
                known = state;
                return;
            } catch (const std::exception& e) {
                reason = QString::fromUtf8(e.what());
            }
        }
        // Keep the unreadable file for the user. At start the store begins
        // with defaults; a file damaged later keeps what this process holds.
        if (!keepCurrentOnDamage) {
            root = Key();
            bytes.clear();
            garbage = 0;
        }
        LoadProblem p{filePath, QString(), reason};
        const QString aside = UniqueAsideName(filePath);
        if (QFile::rename(filePath, aside)) {
            p.movedTo = aside;
        } else {
            persistent = false;
        }
        problem = p;
        known = StateOf(encodedPath);
    }

    void RefreshIfChangedOutside() {
        if (!persistent || pendingSave) return;  // unsaved changes of ours win
        const FileState now = StateOf(encodedPath);
        if (now == known) return;
        if (!now.exists) {  // deleted outside: keep what we have, it is written again
            known = now;
            return;
        }
        Load(true);
    }

    QByteArray Serialize() const {
        Writer payload(bytes);
        payload.WriteKey(root);
        Writer file(bytes);
        file.out.reserve(payload.out.size() + kHeaderSize);
        file.out.append(kMagic, sizeof kMagic);
        file.U32(static_cast<uint32_t>(payload.out.size()));
        file.U32(Crc32(payload.out.constData(), payload.out.size()));
        file.out.append(payload.out);
        return file.out;
    }

    void Changed() {
        if (garbage > kGarbageSlack && 2 * garbage > bytes.size()) Compact();
        if (updateDepth > 0) {
            pendingSave = true;
            return;
        }
        Save();
    }

    void Save() {
        pendingSave = false;
        if (!persistent) return;
        const QFileInfo info(filePath);
        if (!QDir().mkpath(info.absolutePath()))
            throw StoreError("cannot create the folder " + info.absolutePath().toStdString());
        QSaveFile file(filePath);
        file.setDirectWriteFallback(false);
        const QByteArray out = Serialize();
        if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit())
            throw StoreError(filePath.toStdString() + ": " + file.errorString().toStdString());
        known = StateOf(encodedPath);
    }
};

Store::Store(QString filePath) : data_(std::make_unique<Data>()) {
    data_->filePath = std::move(filePath);
    data_->encodedPath = QFile::encodeName(data_->filePath);
    data_->Load(false);
}

Store::~Store() = default;

QString Store::DefaultFilePath() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/zorbit/registry.dat");
}

const QString& Store::FilePath() const { return data_->filePath; }
const std::optional<LoadProblem>& Store::Problem() const { return data_->problem; }
bool Store::Persistent() const { return data_->persistent; }

QByteArray Store::Serialize() const { return data_->Serialize(); }

void Store::Validate(const QByteArray& bytes) { Parse(bytes); }

bool Store::KeyExists(const QString& path) const {
    data_->RefreshIfChangedOutside();
    return data_->Find(path) != nullptr;
}

void Store::CreateKey(const QString& path) {
    data_->RefreshIfChangedOutside();
    if (data_->Find(path)) return;
    data_->FindOrCreate(path);
    data_->Changed();
}

bool Store::DeleteKey(const QString& path) {
    Data& d = *data_;
    d.RefreshIfChangedOutside();
    QStringList parts = SplitPath(path);
    if (parts.isEmpty()) return false;  // the root itself is never deleted
    const QString last = parts.takeLast();
    Key* parent = d.Find(parts.join(QLatin1Char('\\')));
    if (!parent) return false;
    const QByteArray utf8 = last.toUtf8();
    const std::optional<size_t> i =
        LookUp(parent->keySlots, parent->subKeys.size(), ViewOf(utf8), KeyNameAt(d.bytes, *parent));
    if (!i) return false;
    d.garbage += Data::BytesOf(parent->subKeys[*i]);
    parent->subKeys.erase(parent->subKeys.begin() + static_cast<std::ptrdiff_t>(*i));  // the sub-tree goes with it
    RebuildIndex(parent->keySlots, parent->subKeys.size(), KeyNameAt(d.bytes, *parent));
    d.Changed();
    return true;
}

std::optional<Value> Store::ReadValue(const QString& path, const QString& name) const {
    Data& d = *data_;
    d.RefreshIfChangedOutside();
    const Key* key = d.Find(path);
    if (!key) return std::nullopt;
    const std::optional<size_t> i = d.FindValue(*key, name);
    if (!i) return std::nullopt;
    const Entry& entry = key->values[*i];
    const std::string_view data = d.View(entry.data);
    Value value;
    value.type = entry.type;
    switch (entry.type) {
    case ValueType::String: value.text = QString::fromUtf8(data.data(), static_cast<qsizetype>(data.size())); break;
    case ValueType::Integer: value.integer = entry.integer; break;
    case ValueType::Binary: value.binary = QByteArray(data.data(), static_cast<qsizetype>(data.size())); break;
    }
    return value;
}

bool Store::ValueExists(const QString& path, const QString& name) const {
    data_->RefreshIfChangedOutside();
    const Key* key = data_->Find(path);
    return key && data_->FindValue(*key, name);
}

void Store::WriteValue(const QString& path, const QString& name, const Value& value) {
    Data& d = *data_;
    d.RefreshIfChangedOutside();
    Key* key = d.FindOrCreate(path);
    Entry entry;
    entry.type = value.type;
    if (value.type == ValueType::Integer) {
        entry.integer = value.integer;
    } else {
        entry.data = d.Append(value.type == ValueType::String ? value.text.toUtf8() : value.binary);
    }
    if (const std::optional<size_t> i = d.FindValue(*key, name)) {
        Entry& existing = key->values[*i];
        d.garbage += existing.data.length;
        entry.name = existing.name;  // overwriting keeps the name and the place
        existing = entry;
    } else {
        entry.name = d.Append(name.toUtf8());
        key->values.push_back(entry);
        IndexAdded(key->valueSlots, key->values.size(), ValueNameAt(d.bytes, *key));
    }
    d.Changed();
}

void Store::WriteString(const QString& path, const QString& name, const QString& text) {
    Value v;
    v.type = ValueType::String;
    v.text = text;
    WriteValue(path, name, v);
}

void Store::WriteInteger(const QString& path, const QString& name, int32_t value) {
    Value v;
    v.type = ValueType::Integer;
    v.integer = value;
    WriteValue(path, name, v);
}

void Store::WriteBinary(const QString& path, const QString& name, const QByteArray& data) {
    Value v;
    v.type = ValueType::Binary;
    v.binary = data;
    WriteValue(path, name, v);
}

bool Store::DeleteValue(const QString& path, const QString& name) {
    Data& d = *data_;
    d.RefreshIfChangedOutside();
    Key* key = d.Find(path);
    if (!key) return false;
    const std::optional<size_t> i = d.FindValue(*key, name);
    if (!i) return false;
    d.garbage += qint64{key->values[*i].name.length} + key->values[*i].data.length;
    key->values.erase(key->values.begin() + static_cast<std::ptrdiff_t>(*i));
    RebuildIndex(key->valueSlots, key->values.size(), ValueNameAt(d.bytes, *key));
    d.Changed();
    return true;
}

QStringList Store::ValueNames(const QString& path) const {
    data_->RefreshIfChangedOutside();
    QStringList names;
    if (const Key* key = data_->Find(path)) {
        names.reserve(static_cast<qsizetype>(key->values.size()));
        for (const Entry& entry : key->values) {
            const std::string_view name = data_->View(entry.name);
            names << QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        }
    }
    return names;
}

QStringList Store::SubKeyNames(const QString& path) const {
    data_->RefreshIfChangedOutside();
    QStringList names;
    if (const Key* key = data_->Find(path)) {
        names.reserve(static_cast<qsizetype>(key->subKeys.size()));
        for (const Key& sub : key->subKeys) {
            const std::string_view name = data_->View(sub.name);
            names << QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        }
    }
    return names;
}

void Store::BeginUpdate() { ++data_->updateDepth; }

void Store::EndUpdate() {
    Data& d = *data_;
    if (d.updateDepth > 0 && --d.updateDepth == 0 && d.pendingSave) d.Save();
}

}  // namespace registry
