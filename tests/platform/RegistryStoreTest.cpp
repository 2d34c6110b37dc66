#include "platform/registry/RegistryStore.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

using registry::Store;
using registry::ValueType;

namespace {

class RegistryStoreTest : public ::testing::Test {
protected:
    QString Path() const { return dir_.path() + QStringLiteral("/sub/registry.dat"); }
    QByteArray FileBytes() const {
        QFile f(Path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void WriteFile(const QByteArray& bytes) const {
        QDir().mkpath(dir_.path() + QStringLiteral("/sub"));
        QFile f(Path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QStringList FilesInFolder() const { return QDir(dir_.path() + QStringLiteral("/sub")).entryList(QDir::Files); }

    QTemporaryDir dir_;
};

void AppendU32(QByteArray& bytes, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A store file around a payload, with the right length and checksum.
QByteArray StoreFile(const QByteArray& payload) {
    QByteArray bytes("ZRSTORE1");
    AppendU32(bytes, static_cast<uint32_t>(payload.size()));
    uint32_t crc = 0xFFFFFFFFu;
    for (char ch : payload) {
        crc ^= static_cast<uint8_t>(ch);
        for (int k = 0; k < 8; ++k) crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    AppendU32(bytes, crc ^ 0xFFFFFFFFu);
    return bytes + payload;
}

QByteArray Name(const char* name) {
    QByteArray bytes;
    AppendU32(bytes, static_cast<uint32_t>(qstrlen(name)));
    return bytes + name;
}

// A key with integer values and empty sub-keys of the given names.
QByteArray KeyPayload(const char* name, std::initializer_list<const char*> values,
                      std::initializer_list<const char*> subKeys) {
    QByteArray bytes = Name(name);
    AppendU32(bytes, static_cast<uint32_t>(values.size()));
    for (const char* value : values) {
        bytes += Name(value);
        bytes += '\2';
        AppendU32(bytes, 4);
        AppendU32(bytes, 7);
    }
    AppendU32(bytes, static_cast<uint32_t>(subKeys.size()));
    for (const char* sub : subKeys) bytes += KeyPayload(sub, {}, {});
    return bytes;
}

}  // namespace

TEST_F(RegistryStoreTest, TypedValuesInNestedKeysSurviveReopening) {
    {
        Store store(Path());
        EXPECT_FALSE(store.Problem());
        store.WriteString(QStringLiteral("Software\\A\\freedb\\Sites"), QStringLiteral("s"), QStringLiteral("Grüße Ł €"));
        store.WriteInteger(QStringLiteral("Software\\A"), QStringLiteral("i"), -42);
        store.WriteBinary(QStringLiteral("Software\\A"), QStringLiteral("b"), QByteArray("\0\1\2", 3));
        store.WriteString(QStringLiteral("Software\\A"), QString(), QStringLiteral("default value"));
    }
    Store store(Path());
    EXPECT_TRUE(store.KeyExists(QStringLiteral("software\\a\\FREEDB")));  // case-insensitive
    EXPECT_EQ(store.ReadValue(QStringLiteral("Software\\A\\freedb\\Sites"), QStringLiteral("S"))->text,
              QStringLiteral("Grüße Ł €"));
    const auto i = store.ReadValue(QStringLiteral("Software\\A"), QStringLiteral("i"));
    ASSERT_TRUE(i);
    EXPECT_EQ(i->type, ValueType::Integer);
    EXPECT_EQ(i->integer, -42);
    EXPECT_EQ(store.ReadValue(QStringLiteral("Software\\A"), QStringLiteral("b"))->binary, QByteArray("\0\1\2", 3));
    EXPECT_EQ(store.ReadValue(QStringLiteral("Software\\A"), QString())->text, QStringLiteral("default value"));
    EXPECT_FALSE(store.ReadValue(QStringLiteral("Software\\Missing"), QStringLiteral("i")));
    // No temporary file is left beside the store.
    EXPECT_EQ(FilesInFolder(), QStringList{QStringLiteral("registry.dat")});
}

TEST_F(RegistryStoreTest, ValueNamesKeepTheirWriteOrder) {
    Store store(Path());
    for (const char* name : {"zeta", "alpha", "mid"}) store.WriteString(QStringLiteral("K"), QString::fromLatin1(name), QStringLiteral("x"));
    store.WriteString(QStringLiteral("K"), QStringLiteral("ALPHA"), QStringLiteral("y"));  // overwrite keeps its place
    store.DeleteValue(QStringLiteral("K"), QStringLiteral("zeta"));
    store.WriteString(QStringLiteral("K"), QStringLiteral("zeta"), QStringLiteral("z"));  // re-added at the end
    const QStringList expected = {QStringLiteral("alpha"), QStringLiteral("mid"), QStringLiteral("zeta")};
    EXPECT_EQ(store.ValueNames(QStringLiteral("K")), expected);
    EXPECT_EQ(Store(Path()).ValueNames(QStringLiteral("k")), expected);
}

TEST_F(RegistryStoreTest, DeleteKeyRemovesTheWholeSubtree) {
    Store store(Path());
    store.WriteString(QStringLiteral("R\\A\\B\\C"), QStringLiteral("v"), QStringLiteral("1"));
    store.WriteString(QStringLiteral("R\\A"), QStringLiteral("v"), QStringLiteral("1"));
    store.WriteString(QStringLiteral("R\\Keep"), QStringLiteral("v"), QStringLiteral("1"));
    EXPECT_TRUE(store.DeleteKey(QStringLiteral("R\\a")));
    EXPECT_FALSE(store.DeleteKey(QStringLiteral("R\\A")));
    EXPECT_FALSE(store.KeyExists(QStringLiteral("R\\A\\B\\C")));
    EXPECT_EQ(store.SubKeyNames(QStringLiteral("R")), QStringList{QStringLiteral("Keep")});
    EXPECT_FALSE(Store(Path()).KeyExists(QStringLiteral("R\\A\\B")));
}

TEST_F(RegistryStoreTest, DamagedFilesAreSetAsideAndDefaultsUsed) {
    Store good(Path());
    good.WriteString(QStringLiteral("K"), QStringLiteral("v"), QStringLiteral("text"));
    const QByteArray valid = FileBytes();
    QByteArray flipped = valid;
    flipped[flipped.size() - 2] = static_cast<char>(flipped[flipped.size() - 2] ^ 0x40);
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"garbage", QByteArray("not a store at all")},
        {"empty", QByteArray()},
        {"truncated", valid.left(valid.size() - 3)},
        {"checksum", flipped},
        {"trailing bytes", valid + QByteArray("x")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& f : FilesInFolder()) QFile::remove(dir_.path() + QStringLiteral("/sub/") + f);
        WriteFile(c.bytes);
        Store store(Path());
        ASSERT_TRUE(store.Problem());
        EXPECT_FALSE(store.KeyExists(QStringLiteral("K")));
        ASSERT_FALSE(store.Problem()->movedTo.isEmpty());
        QFile aside(store.Problem()->movedTo);
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), c.bytes);  // kept as it was
        store.WriteString(QStringLiteral("K"), QStringLiteral("new"), QStringLiteral("1"));
        EXPECT_EQ(FilesInFolder().size(), 2);  // the new store and the damaged one
        EXPECT_FALSE(Store(Path()).Problem());
    }
}

TEST_F(RegistryStoreTest, HostileCountsAndNestingAreRefused) {
    // A payload claiming 2^32-1 values, and one nesting keys 10000 deep.
    QByteArray manyValues(4, '\0');
    manyValues += QByteArray("\xff\xff\xff\xff", 4);
    EXPECT_THROW(Store::Validate(StoreFile(manyValues)), std::runtime_error);

    QByteArray deep;
    // Each key: name "k", no values, one sub-key.
    for (int i = 0; i < 10000; ++i) deep += QByteArray("\1\0\0\0k\0\0\0\0\1\0\0\0", 13);
    EXPECT_THROW(Store::Validate(StoreFile(deep)), std::runtime_error);
}

TEST_F(RegistryStoreTest, NamesEqualButForCaseAreRefused) {
    EXPECT_NO_THROW(Store::Validate(StoreFile(KeyPayload("", {"Name", "Other", "Straße"}, {"K", "L"}))));
    EXPECT_NO_THROW(Store::Validate(StoreFile(KeyPayload("", {"Strasse", "Straße"}, {}))));
    EXPECT_THROW(Store::Validate(StoreFile(KeyPayload("", {"Name", "Other", "NAME"}, {}))), std::runtime_error);
    EXPECT_THROW(Store::Validate(StoreFile(KeyPayload("", {"ÄRGER", "ärger"}, {}))), std::runtime_error);
    EXPECT_THROW(Store::Validate(StoreFile(KeyPayload("", {}, {"Key", "Mid", "kEY"}))), std::runtime_error);
    // Among many names too (found through the index while reading).
    EXPECT_THROW(Store::Validate(StoreFile(KeyPayload("", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "E"}, {}))),
                 std::runtime_error);
    EXPECT_THROW(Store::Validate(StoreFile(KeyPayload("", {}, {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "J"}))),
                 std::runtime_error);
    EXPECT_NO_THROW(Store::Validate(StoreFile(KeyPayload("", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}, {}))));
}

TEST_F(RegistryStoreTest, AFileTooLargeForAStoreIsSetAsideUnread) {
    WriteFile(QByteArray("ZRSTORE1"));
    ASSERT_TRUE(QFile::resize(Path(), qint64{65} << 20));
    Store store(Path());
    ASSERT_TRUE(store.Problem());
    EXPECT_TRUE(store.Problem()->reason.contains(QStringLiteral("larger"))) << store.Problem()->reason.toStdString();
    EXPECT_FALSE(store.Problem()->movedTo.isEmpty());
    EXPECT_EQ(QFileInfo(store.Problem()->movedTo).size(), qint64{65} << 20);
    EXPECT_TRUE(store.Persistent());
}

TEST_F(RegistryStoreTest, ChangesOfAnotherProcessAreKept) {
    Store first(Path());
    Store second(Path());
    first.WriteString(QStringLiteral("K"), QStringLiteral("fromFirst"), QStringLiteral("1"));
    second.WriteString(QStringLiteral("K"), QStringLiteral("fromSecond"), QStringLiteral("2"));
    const QStringList both = {QStringLiteral("fromFirst"), QStringLiteral("fromSecond")};
    EXPECT_EQ(Store(Path()).ValueNames(QStringLiteral("K")), both);
}

TEST_F(RegistryStoreTest, ReadsSeeTheLatestValuesOfAnotherInstance) {
    const QString k = QStringLiteral("Software\\K");
    Store first(Path());
    Store second(Path());
    first.WriteString(k, QStringLiteral("v"), QStringLiteral("1"));
    EXPECT_EQ(second.ReadValue(k, QStringLiteral("v"))->text, QStringLiteral("1"));
    // A value of the same size, written at once: the file is a new one.
    first.WriteString(k, QStringLiteral("v"), QStringLiteral("2"));
    EXPECT_EQ(second.ReadValue(k, QStringLiteral("v"))->text, QStringLiteral("2"));
    first.WriteString(k, QStringLiteral("w"), QStringLiteral("x"));
    EXPECT_EQ(second.ValueNames(k), (QStringList{QStringLiteral("v"), QStringLiteral("w")}));
    first.DeleteValue(k, QStringLiteral("v"));
    EXPECT_FALSE(second.ValueExists(k, QStringLiteral("v")));
    first.CreateKey(k + QStringLiteral("\\Sub"));
    EXPECT_TRUE(second.KeyExists(k + QStringLiteral("\\sub")));
    EXPECT_EQ(second.SubKeyNames(k), QStringList{QStringLiteral("Sub")});
    first.DeleteKey(k);
    EXPECT_FALSE(second.KeyExists(k));
    // Changes of the second, not yet written, win over the first's file.
    second.BeginUpdate();
    second.WriteString(k, QStringLiteral("mine"), QStringLiteral("1"));
    first.WriteString(k, QStringLiteral("theirs"), QStringLiteral("1"));
    EXPECT_FALSE(second.ValueExists(k, QStringLiteral("theirs")));
    second.EndUpdate();
    EXPECT_TRUE(first.ValueExists(k, QStringLiteral("mine")));
}

TEST_F(RegistryStoreTest, ManyNamesAreFoundWithoutRegardToCase) {
    Store store(Path());
    store.BeginUpdate();
    for (int i = 0; i < 200; ++i) {
        store.WriteInteger(QStringLiteral("Many"), QStringLiteral("Wert%1").arg(i), i);
        store.CreateKey(QStringLiteral("Many\\Schlüssel%1").arg(i));
    }
    store.WriteInteger(QStringLiteral("Many"), QStringLiteral("ÄRGER"), -1);
    store.EndUpdate();
    const auto findsAll = [](const Store& s) {
        EXPECT_EQ(s.ReadValue(QStringLiteral("many"), QStringLiteral("WERT123"))->integer, 123);
        EXPECT_EQ(s.ReadValue(QStringLiteral("MANY"), QStringLiteral("ärger"))->integer, -1);
        EXPECT_TRUE(s.KeyExists(QStringLiteral("Many\\SCHLÜSSEL199")));
        EXPECT_FALSE(s.ValueExists(QStringLiteral("Many"), QStringLiteral("Wert200")));
    };
    findsAll(store);
    findsAll(Store(Path()));  // as read from the file
    // Deleting keeps the order and the index of the rest.
    store.DeleteValue(QStringLiteral("Many"), QStringLiteral("wert0"));
    store.DeleteKey(QStringLiteral("Many\\schlüssel0"));
    store.WriteInteger(QStringLiteral("Many"), QStringLiteral("WERT5"), 55);  // overwrite keeps the place
    const QStringList names = store.ValueNames(QStringLiteral("Many"));
    ASSERT_EQ(names.size(), 200);
    EXPECT_EQ(names.front(), QStringLiteral("Wert1"));
    EXPECT_EQ(names[4], QStringLiteral("Wert5"));
    EXPECT_EQ(store.ReadValue(QStringLiteral("Many"), QStringLiteral("wert5"))->integer, 55);
    EXPECT_EQ(store.ReadValue(QStringLiteral("Many"), QStringLiteral("wert199"))->integer, 199);
    EXPECT_EQ(store.SubKeyNames(QStringLiteral("Many")).size(), 199);
    EXPECT_TRUE(store.KeyExists(QStringLiteral("many\\schlüssel1")));
}

TEST_F(RegistryStoreTest, UpdatesAreWrittenOnceAtTheEnd) {
    Store store(Path());
    store.BeginUpdate();
    store.WriteString(QStringLiteral("K"), QStringLiteral("a"), QStringLiteral("1"));
    EXPECT_FALSE(QFile::exists(Path()));
    store.WriteString(QStringLiteral("K"), QStringLiteral("b"), QStringLiteral("2"));
    store.EndUpdate();
    EXPECT_EQ(Store(Path()).ValueNames(QStringLiteral("K")).size(), 2);
}
