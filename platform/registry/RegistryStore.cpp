#include "platform/registry/RegistryStore.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>
#include <QtCore/QStandardPaths>
#include <QtCore/QStringDecoder>

#include <algorithm>
#include <array>

// File format, little-endian:
//   8 bytes  magic "ZRSTORE1"
//   u32      payload length
//   u32      CRC-32 of the payload
//   payload  the root key
// key:   name, u32 value count, values, u32 sub-key count, sub-keys
// value: name, u8 type, u32 data length, data (string UTF-8, integer 4 bytes, binary raw)
// name:  u32 length, UTF-8 bytes

namespace registry {

struct Store::Key {
    QString name;
    std::vector<std::pair<QString, Value>> values;
    std::vector<std::unique_ptr<Key>> subKeys;

    Key* Sub(const QString& n) const {
        for (const auto& k : subKeys)
            if (k->name.compare(n, Qt::CaseInsensitive) == 0) return k.get();
        return nullptr;
    }
    Value* FindValue(const QString& n) {
        for (auto& [valueName, value] : values)
            if (valueName.compare(n, Qt::CaseInsensitive) == 0) return &value;
        return nullptr;
    }
};

namespace {

constexpr char kMagic[8] = {'Z', 'R', 'S', 'T', 'O', 'R', 'E', '1'};
constexpr int kHeaderSize = 16;
constexpr int kMaxDepth = 64;
// A store holds settings, not documents: a larger file is not read.
constexpr qint64 kMaxFileSize = qint64{64} << 20;
// Smallest possible records, used to bound counts before allocating.
constexpr qint64 kMinValueSize = 4 + 1 + 4;
constexpr qint64 kMinKeySize = 4 + 4 + 4;

uint32_t Crc32(const QByteArray& data) {
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
    for (char ch : data) crc = table[(crc ^ static_cast<uint8_t>(ch)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

QStringList SplitPath(const QString& path) {
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

// Whether two names are equal but for case. Sorted by the comparison that
// lookups use, such names lie side by side: n log n, however many there are.
bool HasDuplicate(QStringList names) {
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return std::adjacent_find(names.begin(), names.end(), [](const QString& a, const QString& b) {
               return a.compare(b, Qt::CaseInsensitive) == 0;
           }) != names.end();
}

class Writer {
public:
    void U8(uint8_t v) { out.append(static_cast<char>(v)); }
    void U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    void Bytes(const QByteArray& b) {
        U32(static_cast<uint32_t>(b.size()));
        out.append(b);
    }
    void Key(const Store::Key& key) {
        Bytes(key.name.toUtf8());
        U32(static_cast<uint32_t>(key.values.size()));
        for (const auto& [name, value] : key.values) {
            Bytes(name.toUtf8());
            U8(static_cast<uint8_t>(value.type));
            switch (value.type) {
            case ValueType::String: Bytes(value.text.toUtf8()); break;
            case ValueType::Integer:
                U32(4);
                U32(static_cast<uint32_t>(value.integer));
                break;
            case ValueType::Binary: Bytes(value.binary); break;
            }
        }
        U32(static_cast<uint32_t>(key.subKeys.size()));
        for (const auto& sub : key.subKeys) Key(*sub);
    }
    QByteArray out;
};

class Damaged : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the payload; every length and count is checked against what remains.
class Reader {
public:
    explicit Reader(const QByteArray& data) : data_(data) {}

    qint64 Remaining() const { return data_.size() - pos_; }
    void Require(qint64 n, const char* what) {
        if (n < 0 || n > Remaining()) throw Damaged(std::string("truncated ") + what);
    }
    uint8_t U8() {
        Require(1, "byte");
        return static_cast<uint8_t>(data_[pos_++]);
    }
    uint32_t U32() {
        Require(4, "number");
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(data_[pos_ + i])) << (8 * i);
        pos_ += 4;
        return v;
    }
    QByteArray Bytes(const char* what) {
        const qint64 n = U32();
        Require(n, what);
        QByteArray b = data_.mid(pos_, n);
        pos_ += n;
        return b;
    }
    QString Text(const char* what) {
        const QByteArray bytes = Bytes(what);
        QStringDecoder decoder(QStringDecoder::Utf8);
        QString s = decoder(bytes);
        if (decoder.hasError()) throw Damaged(std::string("invalid UTF-8 in ") + what);
        return s;
    }
    uint32_t Count(qint64 minRecordSize, const char* what) {
        const uint32_t n = U32();
        if (static_cast<qint64>(n) * minRecordSize > Remaining()) throw Damaged(std::string("impossible count of ") + what);
        return n;
    }
    std::unique_ptr<Store::Key> Key(int depth) {
        if (depth > kMaxDepth) throw Damaged("keys nested too deeply");
        auto key = std::make_unique<Store::Key>();
        key->name = Text("key name");
        if (depth > 0 && key->name.isEmpty()) throw Damaged("empty key name");
        if (key->name.contains(QLatin1Char('\\'))) throw Damaged("key name with a backslash");
        const uint32_t valueCount = Count(kMinValueSize, "values");
        key->values.reserve(valueCount);
        QStringList names;
        for (uint32_t i = 0; i < valueCount; ++i) {
            QString name = Text("value name");
            names << name;
            Value value;
            const uint8_t type = U8();
            switch (type) {
            case uint8_t(ValueType::String):
                value.type = ValueType::String;
                value.text = Text("string value");
                break;
            case uint8_t(ValueType::Integer):
                value.type = ValueType::Integer;
                if (U32() != 4) throw Damaged("integer value of wrong size");
                value.integer = static_cast<int32_t>(U32());
                break;
            case uint8_t(ValueType::Binary):
                value.type = ValueType::Binary;
                value.binary = Bytes("binary value");
                break;
            default: throw Damaged("unknown value type");
            }
            key->values.emplace_back(std::move(name), std::move(value));
        }
        if (HasDuplicate(names)) throw Damaged("duplicate value name");
        const uint32_t subCount = Count(kMinKeySize, "sub-keys");
        key->subKeys.reserve(subCount);
        names.clear();
        for (uint32_t i = 0; i < subCount; ++i) {
            key->subKeys.push_back(Key(depth + 1));
            names << key->subKeys.back()->name;
        }
        if (HasDuplicate(names)) throw Damaged("duplicate key name");
        return key;
    }

private:
    const QByteArray& data_;
    qint64 pos_ = 0;
};

QString UniqueAsideName(const QString& fileName) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString candidate = fileName + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = fileName + QStringLiteral(".damaged-") + stamp + QLatin1Char('-') + QString::number(n);
    return candidate;
}

}  // namespace

Store::Store(QString filePath) : filePath_(std::move(filePath)), root_(std::make_unique<Key>()) {
    Load(false);
}

Store::~Store() = default;

QString Store::DefaultFilePath() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/zorbit/registry.dat");
}

QByteArray Store::Serialize() const {
    Writer payload;
    payload.Key(*root_);
    Writer file;
    file.out.append(kMagic, sizeof kMagic);
    file.U32(static_cast<uint32_t>(payload.out.size()));
    file.U32(Crc32(payload.out));
    file.out.append(payload.out);
    return file.out;
}

std::unique_ptr<Store::Key> Store::Parse(const QByteArray& bytes) {
    if (bytes.size() < kHeaderSize || !bytes.startsWith(QByteArray(kMagic, sizeof kMagic)))
        throw Damaged("not a settings store file");
    const QByteArray header = bytes.mid(sizeof kMagic, 8);
    Reader headerReader(header);
    const uint32_t length = headerReader.U32();
    const uint32_t crc = headerReader.U32();
    if (static_cast<qint64>(length) != bytes.size() - kHeaderSize) throw Damaged("file length does not match its header");
    const QByteArray payload = bytes.mid(kHeaderSize);
    if (Crc32(payload) != crc) throw Damaged("checksum mismatch");
    Reader reader(payload);
    auto root = reader.Key(0);
    if (reader.Remaining() != 0) throw Damaged("bytes after the root key");
    return root;
}

void Store::Validate(const QByteArray& bytes) { Parse(bytes); }

void Store::Load(bool keepCurrentOnDamage) {
    QFile file(filePath_);
    if (!file.exists()) {
        root_ = std::make_unique<Key>();
        RememberFileState();
        return;
    }
    QString reason;
    if (!file.open(QIODevice::ReadOnly)) {
        reason = QStringLiteral("cannot be opened: ") + file.errorString();
    } else if (file.size() > kMaxFileSize) {
        reason = QStringLiteral("larger than a settings store can be");
    } else {
        const QByteArray bytes = file.readAll();
        file.close();
        try {
            root_ = Parse(bytes);
            RememberFileState();
            return;
        } catch (const std::exception& e) {
            reason = QString::fromUtf8(e.what());
        }
    }
    // Keep the unreadable file for the user. At start the store begins with
    // defaults; a file damaged later keeps what this process holds.
    if (!keepCurrentOnDamage) root_ = std::make_unique<Key>();
    LoadProblem p{filePath_, QString(), reason};
    const QString aside = UniqueAsideName(filePath_);
    if (QFile::rename(filePath_, aside)) {
        p.movedTo = aside;
    } else {
        persistent_ = false;
    }
    problem_ = p;
    RememberFileState();
}

void Store::RememberFileState() {
    const QFileInfo info(filePath_);
    if (info.exists()) {
        knownSize_ = info.size();
        knownModified_ = info.lastModified();
    } else {
        knownSize_ = -1;
        knownModified_ = QDateTime();
    }
}

void Store::RefreshIfChangedOutside() {
    if (!persistent_ || pendingSave_) return;  // unsaved changes of ours win
    const QFileInfo info(filePath_);
    const qint64 size = info.exists() ? info.size() : -1;
    const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
    if (size == knownSize_ && modified == knownModified_) return;
    if (size < 0) {  // deleted outside: keep what we have, it is written again
        RememberFileState();
        return;
    }
    Load(true);
}

Store::Key* Store::Find(const QString& path) const {
    Key* key = root_.get();
    for (const QString& part : SplitPath(path)) {
        key = key->Sub(part);
        if (!key) return nullptr;
    }
    return key;
}

Store::Key* Store::FindOrCreate(const QString& path) {
    Key* key = root_.get();
    for (const QString& part : SplitPath(path)) {
        Key* sub = key->Sub(part);
        if (!sub) {
            key->subKeys.push_back(std::make_unique<Key>());
            sub = key->subKeys.back().get();
            sub->name = part;
        }
        key = sub;
    }
    return key;
}

bool Store::KeyExists(const QString& path) const { return Find(path) != nullptr; }

void Store::CreateKey(const QString& path) {
    RefreshIfChangedOutside();
    if (Find(path)) return;
    FindOrCreate(path);
    Changed();
}

bool Store::DeleteKey(const QString& path) {
    RefreshIfChangedOutside();
    const QStringList parts = SplitPath(path);
    if (parts.isEmpty()) return false;  // the root itself is never deleted
    Key* parent = Find(QStringList(parts.mid(0, parts.size() - 1)).join(QLatin1Char('\\')));
    if (!parent) return false;
    auto& subs = parent->subKeys;
    const auto it = std::find_if(subs.begin(), subs.end(), [&](const auto& k) {
        return k->name.compare(parts.last(), Qt::CaseInsensitive) == 0;
    });
    if (it == subs.end()) return false;
    subs.erase(it);  // the sub-tree goes with it
    Changed();
    return true;
}

std::optional<Value> Store::ReadValue(const QString& path, const QString& name) const {
    Key* key = Find(path);
    if (!key) return std::nullopt;
    if (const Value* v = key->FindValue(name)) return *v;
    return std::nullopt;
}

bool Store::ValueExists(const QString& path, const QString& name) const {
    Key* key = Find(path);
    return key && key->FindValue(name);
}

void Store::WriteValue(const QString& path, const QString& name, const Value& value) {
    RefreshIfChangedOutside();
    Key* key = FindOrCreate(path);
    if (Value* existing = key->FindValue(name)) {
        *existing = value;
    } else {
        key->values.emplace_back(name, value);
    }
    Changed();
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
    RefreshIfChangedOutside();
    Key* key = Find(path);
    if (!key) return false;
    auto& values = key->values;
    const auto it = std::find_if(values.begin(), values.end(), [&](const auto& entry) {
        return entry.first.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (it == values.end()) return false;
    values.erase(it);
    Changed();
    return true;
}

QStringList Store::ValueNames(const QString& path) const {
    QStringList names;
    if (Key* key = Find(path))
        for (const auto& entry : key->values) names << entry.first;
    return names;
}

QStringList Store::SubKeyNames(const QString& path) const {
    QStringList names;
    if (Key* key = Find(path))
        for (const auto& sub : key->subKeys) names << sub->name;
    return names;
}

void Store::BeginUpdate() { ++updateDepth_; }

void Store::EndUpdate() {
    if (updateDepth_ > 0 && --updateDepth_ == 0 && pendingSave_) Save();
}

void Store::Changed() {
    if (updateDepth_ > 0) {
        pendingSave_ = true;
        return;
    }
    Save();
}

void Store::Save() {
    pendingSave_ = false;
    if (!persistent_) return;
    const QFileInfo info(filePath_);
    if (!QDir().mkpath(info.absolutePath()))
        throw StoreError("cannot create the folder " + info.absolutePath().toStdString());
    QSaveFile file(filePath_);
    file.setDirectWriteFallback(false);
    const QByteArray bytes = Serialize();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw StoreError(filePath_.toStdString() + ": " + file.errorString().toStdString());
    RememberFileState();
}

}  // namespace registry
