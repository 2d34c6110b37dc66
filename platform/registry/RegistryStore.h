#pragma once
// The per-user settings store: a tree of keys with typed values, kept in one
// file under the XDG config folder. It takes the place of the current user's
// registry hive for this program.
//
// - Key paths use "\" as separator ("Software\Kroxa\Zorbit Software\freedb\Sites");
//   empty segments are ignored, names compare case-insensitively and keep the
//   case they were created with.
// - Values are strings, 32-bit integers or binary blocks. The names of a key's
//   values enumerate in the order they were first written; overwriting a value
//   keeps its place.
// - Every change is written at once, atomically (temporary file + rename), so
//   a crash leaves either the old or the new file, never a half-written one.
//   BeginUpdate/EndUpdate group several changes into one write.
// - A file that cannot be parsed is moved aside under another name and the
//   store starts empty; LoadProblem() tells what happened. It is never
//   overwritten silently. If it cannot be moved aside the store keeps its
//   changes in memory only.
// - When another process changed the file since this one read or wrote it
//   (its size, time or identity differ), the file is read again before the
//   next read or change: every read sees the latest value another running
//   instance wrote, and the two do not lose each other's values. Changes of
//   this process not yet written (inside BeginUpdate) win.
// - Names are found through an index (per key, for values and sub-keys);
//   names and data are kept in one block of bytes (at first the file's own),
//   so the memory a store takes stays near the size of its file.

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace registry {

enum class ValueType : uint8_t { String = 1, Integer = 2, Binary = 3 };

struct Value {
    ValueType type = ValueType::String;
    QString text;        // String
    int32_t integer = 0; // Integer
    QByteArray binary;   // Binary
};

// A change could not be written to the store file.
class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What happened to a store file that could not be read.
struct LoadProblem {
    QString fileName;   // the damaged file
    QString movedTo;    // where it was moved, empty when it could not be moved
    QString reason;     // why it was refused (English, for the trace output)
};

class Store {
public:
    // Opens (or starts) the store kept in filePath; a missing file is an
    // empty store. Never throws for a damaged file (see LoadProblem).
    explicit Store(QString filePath);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // <XDG config folder>/zorbit/registry.dat
    static QString DefaultFilePath();

    const QString& FilePath() const;
    const std::optional<LoadProblem>& Problem() const;
    // False when a damaged file could not be moved aside: changes stay in memory.
    bool Persistent() const;

    bool KeyExists(const QString& path) const;
    // Creates the key with all missing parents.
    void CreateKey(const QString& path);
    // Deletes the key with all its sub-keys; false when it did not exist.
    bool DeleteKey(const QString& path);

    std::optional<Value> ReadValue(const QString& path, const QString& name) const;
    bool ValueExists(const QString& path, const QString& name) const;
    // These create the key (and its parents) when missing.
    void WriteString(const QString& path, const QString& name, const QString& text);
    void WriteInteger(const QString& path, const QString& name, int32_t value);
    void WriteBinary(const QString& path, const QString& name, const QByteArray& data);
    void WriteValue(const QString& path, const QString& name, const Value& value);
    // False when the key or the value did not exist.
    bool DeleteValue(const QString& path, const QString& name);

    // Value names of the key in write order (empty for a missing key).
    QStringList ValueNames(const QString& path) const;
    // Names of the direct sub-keys in creation order.
    QStringList SubKeyNames(const QString& path) const;

    void BeginUpdate();
    void EndUpdate();

    // The bytes of the file format, for tests and the fuzzer. Validate
    // throws std::runtime_error with the reason on any damage.
    QByteArray Serialize() const;
    static void Validate(const QByteArray& bytes);

private:
    struct Data;
    std::unique_ptr<Data> data_;
};

}  // namespace registry
