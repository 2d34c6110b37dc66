// The hash list with its three kinds of keys: MD5 and CRC-32 against
// published vectors, the overridable hash, the duplicate policies, the
// upper-case option and the errors.
#include "treectl/support/McCRC32.h"
#include "treectl/support/McHashList.h"
#include "treectl/support/McMD5.h"

#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string Hex(const TMcDigest& d) {
    std::string s;
    char byte[3];
    for (uint8_t b : d) {
        std::snprintf(byte, sizeof byte, "%02x", b);
        s += byte;
    }
    return s;
}

TEST(McMD5, PublishedVectors) {
    const struct {
        std::string input, digest;
    } vectors[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
        {std::string(1000000, 'a'), "7707d6ae4e027c70eea2a935c2296f21"},  // far beyond one working buffer
    };
    for (const auto& v : vectors) {
        TMcDigest digest{};
        TMcMD5 md5;
        md5.Text = v.input;
        md5.Digest = &digest;
        md5.Run();
        EXPECT_EQ(Hex(digest), v.digest) << v.input.substr(0, 20);
        md5.Kind = TMcMD5::InputKind::Memory;
        md5.Block = v.input.data();
        md5.Length = static_cast<int64_t>(v.input.size());
        digest = {};
        md5.Run();
        EXPECT_EQ(Hex(digest), v.digest) << "memory block " << v.input.size();
    }
}

TEST(McMD5, FilesOfWholeAndBrokenPieces) {
    QTemporaryDir dir;
    for (size_t size : {size_t{0}, size_t{4096}, size_t{4097}, size_t{8192}}) {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7);
        const std::string name = dir.filePath(QString::number(size)).toStdString();
        std::ofstream(name, std::ios::binary) << bytes;
        TMcDigest digest{};
        TMcMD5 md5;
        md5.Kind = TMcMD5::InputKind::File;
        md5.FileName = name;
        md5.Digest = &digest;
        md5.Run();
        EXPECT_EQ(digest, TMcMD5::Of(bytes)) << size;
    }
    TMcMD5 missing;
    missing.Kind = TMcMD5::InputKind::File;
    missing.FileName = dir.filePath("none").toStdString();
    EXPECT_THROW(missing.Run(), EStreamError);
}

// The standard checksum (start 0xFFFFFFFF, result inverted) through the same table.
uint32_t StandardCrc(const std::string& s) {
    uint32_t c = 0xFFFFFFFFu;
    for (char ch : s) c = (c >> 8) ^ CrcTableEntry(static_cast<uint8_t>((c ^ static_cast<uint8_t>(ch)) & 0xFF));
    return ~c;
}

TEST(McCRC32, TableAndChecksum) {
    EXPECT_EQ(CrcTableEntry(1), 0x77073096u);
    EXPECT_EQ(CrcTableEntry(255), 0x2D02EF8Du);
    EXPECT_EQ(StandardCrc("123456789"), 0xCBF43926u) << "the published check value";
    EXPECT_EQ(CrcOfString(""), 0u);
    EXPECT_EQ(CrcOfString("abc"), 0xCA6598D0u) << "no start value, no inversion";
}

class Recorded : public TMcHashList {
public:
    Recorded() {
        OnDelete = [this](TMcHashList&, Data d) { deleted.push_back(d); };
    }
    ~Recorded() override { OnDelete = nullptr; }  // the record goes before the base clears
    std::vector<Data> deleted;
};

TEST(McHashList, DuplicatePolicies) {
    const struct {
        TMcHashList::DuplicatePolicy policy;
        int32_t count;
        TMcHashList::Data first;
        std::vector<TMcHashList::Data> deleted;
        bool raises;
    } cases[] = {
        {TMcHashList::DuplicatePolicy::Insert, 3, 1, {}, false},
        {TMcHashList::DuplicatePolicy::Raise, 2, 1, {}, true},
        {TMcHashList::DuplicatePolicy::Replace, 2, 3, {1}, false},
        {TMcHashList::DuplicatePolicy::Ignore, 2, 1, {}, false},
    };
    for (TMcHashList::HashKind kind :
         {TMcHashList::HashKind::MD5, TMcHashList::HashKind::Custom, TMcHashList::HashKind::CRC32}) {
        for (const auto& c : cases) {
            Recorded list;
            list.SetHashKind(kind);
            list.Duplicates = c.policy;
            list.AddItem("Ordner", 1);
            list.AddItem("Textdatei", 2);
            if (c.raises) {
                EXPECT_THROW(list.AddItem("Ordner", 3), EMcHashListError);
            } else {
                list.AddItem("Ordner", 3);
            }
            EXPECT_EQ(list.Count(), c.count);
            EXPECT_EQ(list.GetData(list.IndexOf("Ordner")), c.first) << "the first entry wins";
            EXPECT_EQ(list.deleted, c.deleted);
        }
    }
}

TEST(McHashList, KeysAndErrors) {
    TMcHashList list;
    list.AddItem("Bild", 7);
    EXPECT_EQ(list.IndexOf("BILD"), -1);
    list.UpperCaseKeys = true;
    list.AddItem("bild", 8);
    EXPECT_EQ(list.IndexOf("BiLd"), 1);

    TMcHashList custom;
    custom.SetHashKind(TMcHashList::HashKind::Custom);
    EXPECT_EQ(custom.Hash("ab"), 583u);
    EXPECT_EQ(custom.Hash("b]"), 583u);
    EXPECT_EQ(custom.Hash("abc"), 3014u);
    custom.AddItem("ab", 1);
    EXPECT_EQ(custom.IndexOf("b]"), 0) << "equal hashes are the same key";

    const struct {
        std::function<void()> action;
        const char* message;
    } errors[] = {
        {[&] { list.Insert(3, "x", 0); }, "Invalid position for HashList."},
        {[&] { list.GetData(2); }, "Invalid index."},
        {[&] { list.SetCapacity(1); }, "Invalid McHashList capacity."},
        {[&] {
             list.RaiseWhenAbsent = true;
             list.IndexOf("fehlt");
         },
         "Hash is absent."},
    };
    for (const auto& e : errors) {
        try {
            e.action();
            ADD_FAILURE() << "no error for " << e.message;
        } catch (const EMcHashListError& error) {
            EXPECT_STREQ(error.Message(), e.message);
        }
        EXPECT_EQ(list.Count(), 2);
    }
    EXPECT_THROW(list.SetHashKind(TMcHashList::HashKind::CRC32), EMcHashListError);
}

TEST(McHashList, ClearFinishesWhenAListenerRaises) {
    TMcHashList list;
    int freed = 0;
    list.AutoFree = true;
    list.FreeData = [&](TMcHashList::Data) { ++freed; };
    list.OnDelete = [](TMcHashList&, TMcHashList::Data d) {
        if (d == 2) throw std::runtime_error("listener");
    };
    for (int i = 1; i <= 4; ++i) list.AddItem(std::to_string(i), i);
    list.AddItem("nil", 0);
    EXPECT_THROW(list.Clear(), std::runtime_error);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_EQ(freed, 3) << "every non-nil value but the one whose listener raised";
}

}  // namespace
