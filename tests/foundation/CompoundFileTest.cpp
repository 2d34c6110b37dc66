#include "foundation/CompoundFile.h"
#include "foundation/Localizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>

namespace {

constexpr int kBlock = TQNCompoundFile::kBlockSize;

std::vector<uint8_t> Pattern(size_t size, uint8_t seed) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7);
    return bytes;
}

uint32_t LE(const std::vector<uint8_t>& bytes, size_t offset, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes[offset + static_cast<size_t>(i)];
    return value;
}

// Table entry of a block, for files with one table block (block 1).
uint32_t TableEntry(const std::vector<uint8_t>& file, int block) {
    return LE(file, kBlock + 2 * static_cast<size_t>(block), 2);
}

void SetTableEntry(std::vector<uint8_t>& file, int block, uint16_t value) {
    file[kBlock + 2 * static_cast<size_t>(block)] = static_cast<uint8_t>(value);
    file[kBlock + 2 * static_cast<size_t>(block) + 1] = static_cast<uint8_t>(value >> 8);
}

void Write(TQNCompoundFile& file, const std::string& path, const std::vector<uint8_t>& bytes, double dateTime = 0) {
    TMemoryStream data(bytes);
    file.WriteStream(path, data, dateTime);
}

std::vector<uint8_t> Read(TQNCompoundFile& file, const std::string& path, double* dateTime = nullptr) {
    TMemoryStream data(std::vector<uint8_t>(3, 0xEE));
    double stamp = -1;
    EXPECT_TRUE(file.ReadStream(path, stamp, data)) << path;
    EXPECT_EQ(data.Position(), 0);
    if (dateTime) *dateTime = stamp;
    return data.Bytes();
}

// A compound file in memory with one stream "a" of 5000 bytes (blocks 3 to 5).
std::vector<uint8_t> FileWithOneStream() {
    TMemoryStream memory;
    {
        TQNCompoundFile file(memory);
        Write(file, "a", Pattern(5000, 1), 45000.25);
    }
    return memory.Bytes();
}

}  // namespace

TEST(CompoundFile, NewFileHasItsExactBytes) {
    TMemoryStream memory;
    { TQNCompoundFile file(memory); }
    std::vector<uint8_t> expected(3 * kBlock, 0);
    std::memcpy(expected.data(), "QNCompoundFile10", 16);
    expected[17] = 0x08;  // 2048
    expected[20] = 1;     // one table block
    for (int i = 0; i < 1024; ++i) {
        expected[kBlock + 2 * i] = i <= 2 ? 0xFE : 0xFF;
        expected[kBlock + 2 * i + 1] = 0xFF;
    }
    EXPECT_EQ(memory.Bytes(), expected);
}

TEST(CompoundFile, StreamsRoundTripThroughAFile) {
    const std::string path = (std::filesystem::temp_directory_path() / "zorbit_compound_test.dat").string();
    {
        TQNCompoundFile file(path, FileMode::Create);
        Write(file, "a", Pattern(5000, 1), 45000.25);
        Write(file, "C:\\Bilder\\Ferien.jpg", Pattern(10, 2), 1.5);
        Write(file, "\\\\server\\share\\x", Pattern(3, 3));
    }
    TMemoryStream raw;
    raw.LoadFromFile(path);
    const std::vector<uint8_t>& bytes = raw.Bytes();
    // The 5000 bytes take blocks 3, 4 and 5; the last is padded with 1144 bytes of 0xCC.
    EXPECT_EQ(TableEntry(bytes, 3), 4u);
    EXPECT_EQ(TableEntry(bytes, 4), 5u);
    EXPECT_EQ(TableEntry(bytes, 5), 0xFFFEu);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 3 * kBlock, bytes.begin() + 3 * kBlock + 5000), Pattern(5000, 1));
    EXPECT_EQ(std::count(bytes.begin() + 3 * kBlock + 5000, bytes.begin() + 6 * kBlock, 0xCC), 1144);

    TQNCompoundFile file(path, FileMode::OpenReadWrite);
    double stamp = 0;
    EXPECT_EQ(Read(file, "a", &stamp), Pattern(5000, 1));
    EXPECT_EQ(stamp, 45000.25);
    // Names compare without regard to case; colons and doubled backslashes go.
    EXPECT_EQ(Read(file, "c\\BILDER\\ferien.JPG", &stamp), Pattern(10, 2));
    EXPECT_EQ(stamp, 1.5);
    EXPECT_EQ(Read(file, "server\\share\\x"), Pattern(3, 3));
    TMemoryStream data;
    EXPECT_FALSE(file.ReadStream("b", stamp, data));
    // The folders of the picture path are folders of the root.
    TCFFolder* root = file.Root();
    ASSERT_EQ(root->Entries.size(), 3u);
    EXPECT_EQ(root->Entries[0].Name, "C");
    EXPECT_EQ(root->Entries[0].Kind, TaaCFDirEntry::kFolder);
    EXPECT_EQ(root->Entries[1].Name, "server");
    EXPECT_EQ(root->Entries[2].Name, "a");
    file.Close();
    std::remove(path.c_str());
}

TEST(CompoundFile, FreedBlocksAreReusedAfterARewrite) {
    TMemoryStream memory(FileWithOneStream());
    {
        // The new content goes into a new block; the old three are freed on closing.
        TQNCompoundFile file(memory);
        Write(file, "a", Pattern(100, 4));
    }
    EXPECT_EQ(memory.Size(), 7 * kBlock);
    for (int block = 3; block <= 5; ++block) EXPECT_EQ(TableEntry(memory.Bytes(), block), 0xFFFFu) << block;
    EXPECT_EQ(TableEntry(memory.Bytes(), 6), 0xFFFEu);
    {
        TQNCompoundFile file(memory);
        Write(file, "b", Pattern(4000, 5));
    }
    EXPECT_EQ(memory.Size(), 7 * kBlock);  // no block added
    EXPECT_EQ(TableEntry(memory.Bytes(), 3), 4u);
    EXPECT_EQ(TableEntry(memory.Bytes(), 4), 0xFFFEu);
    EXPECT_EQ(TableEntry(memory.Bytes(), 5), 0xFFFFu);
    TQNCompoundFile file(memory);
    EXPECT_EQ(Read(file, "a"), Pattern(100, 4));
    EXPECT_EQ(Read(file, "b"), Pattern(4000, 5));
}

TEST(CompoundFile, ZeroLengthStreamsNeverFreeTheHeader) {
    TMemoryStream memory;
    {
        TQNCompoundFile file(memory);
        Write(file, "empty", {});
        Write(file, "empty", {});  // replacing an empty stream by an empty one
        Write(file, "gone", Pattern(3000, 6));
        Write(file, "gone", {});
    }
    {
        TQNCompoundFile file(memory);
        Write(file, "later", Pattern(5000, 7));
    }
    EXPECT_EQ(std::memcmp(memory.Memory(), "QNCompoundFile10", 16), 0);
    EXPECT_EQ(TableEntry(memory.Bytes(), 0), 0xFFFEu);
    TQNCompoundFile file(memory);
    EXPECT_TRUE(Read(file, "empty").empty());
    EXPECT_TRUE(Read(file, "gone").empty());
    EXPECT_EQ(Read(file, "later"), Pattern(5000, 7));
    for (const TaaCFDirEntry& entry : file.Root()->Entries) {
        if (entry.Size == 0) {
            EXPECT_EQ(entry.FirstBlock, 0) << entry.Name;
        }
    }
}

TEST(CompoundFile, ReadingAMissingPathLeavesEmptyFolders) {
    TMemoryStream memory;
    {
        TQNCompoundFile file(memory);
        double stamp = 0;
        TMemoryStream data;
        EXPECT_FALSE(file.ReadStream("C:\\Bilder\\a.jpg", stamp, data));
    }
    TQNCompoundFile file(memory);
    TCFFolder* c = file.AddFolder(file.Root(), "C");
    ASSERT_EQ(c->Entries.size(), 1u);
    EXPECT_EQ(c->Entries[0].Name, "Bilder");
    EXPECT_EQ(c->Entries[0].FirstBlock, 0);
    EXPECT_EQ(c->Entries[0].Size, 0);
}

// Among many siblings an open folder is found again under any case of its
// name (the same object, not a second entry); a folder of the same name
// under another parent is another folder.
TEST(CompoundFile, OpenFoldersAreFoundAgainAmongManySiblings) {
    constexpr int kFolders = 500;
    auto name = [](int i) { return "Ordner" + std::to_string((i * 7919) % kFolders); };
    auto upper = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        return s;
    };
    TMemoryStream memory;
    {
        TQNCompoundFile file(memory);
        TCFFolder* root = file.Root();
        std::vector<TCFFolder*> opened;
        for (int i = 0; i < kFolders; ++i) opened.push_back(file.AddFolder(root, name(i)));
        TCFFolder* umlaut = file.AddFolder(root, "\xC4rger");  // Windows-1252
        for (int i = 0; i < kFolders; ++i) ASSERT_EQ(file.AddFolder(root, upper(name(i))), opened[static_cast<size_t>(i)]) << i;
        EXPECT_EQ(file.AddFolder(root, "\xE4RGER"), umlaut);
        TCFFolder* nested = file.AddFolder(opened[7], name(7));
        EXPECT_NE(nested, opened[7]);
        EXPECT_EQ(file.AddFolder(opened[7], upper(name(7))), nested);
        Write(file, upper(name(7)) + "\\" + name(7) + "\\bild", Pattern(20, 4));
        EXPECT_EQ(root->Entries.size(), static_cast<size_t>(kFolders + 1));
        file.Close();
    }
    // Written once each, under the case they were created with.
    TQNCompoundFile file(memory);
    TCFFolder* root = file.Root();
    ASSERT_EQ(root->Entries.size(), static_cast<size_t>(kFolders + 1));
    std::set<std::string> names;
    for (const TaaCFDirEntry& entry : root->Entries) names.insert(entry.Name);
    EXPECT_EQ(names.size(), static_cast<size_t>(kFolders + 1));
    EXPECT_TRUE(names.count("Ordner42"));
    EXPECT_TRUE(names.count("\xC4rger"));
    EXPECT_EQ(Read(file, "ordner" + std::to_string(7919 * 7 % kFolders) + "\\ORDNER" + std::to_string(7919 * 7 % kFolders) + "\\BILD"),
              Pattern(20, 4));
}

TEST(CompoundFile, AFullTableGrowsByABlockAtTheEnd) {
    TMemoryStream memory;
    {
        TQNCompoundFile file(memory);
        Write(file, "big", Pattern(1021 * kBlock, 8));  // blocks 3 to 1023: the table is full
        Write(file, "small", Pattern(1, 9));
    }
    const std::vector<uint8_t>& bytes = memory.Bytes();
    ASSERT_EQ(memory.Size(), 1026 * kBlock);
    EXPECT_EQ(LE(bytes, 20, 4), 2u);             // two table blocks
    EXPECT_EQ(TableEntry(bytes, 1), 1024u);      // linked from block 1
    EXPECT_EQ(LE(bytes, 1024 * kBlock, 2), 0xFFFEu);      // entry 1024: end of the table chain
    EXPECT_EQ(LE(bytes, 1024 * kBlock + 2, 2), 0xFFFEu);  // entry 1025: the small stream
    {
        TQNCompoundFile file(memory);
        EXPECT_EQ(Read(file, "big"), Pattern(1021 * kBlock, 8));
        EXPECT_EQ(Read(file, "small"), Pattern(1, 9));
    }

    // A session that grows the table and never closes leaves blocks beyond
    // the reach of the old table: the file opens as it was and goes on growing.
    TMemoryStream full;
    {
        TQNCompoundFile file(full);
        Write(file, "big", Pattern(1021 * kBlock, 8));
    }
    std::vector<uint8_t> unclosed;
    {
        TQNCompoundFile file(full);
        Write(file, "small", Pattern(1, 9));
        unclosed = full.Bytes();
    }
    ASSERT_EQ(unclosed.size(), 1026u * kBlock);
    TMemoryStream reopened(unclosed);
    {
        TQNCompoundFile file(reopened);
        EXPECT_EQ(Read(file, "big"), Pattern(1021 * kBlock, 8));
        TMemoryStream none;
        double stamp = 0;
        EXPECT_FALSE(file.ReadStream("small", stamp, none));
        Write(file, "other", Pattern(3 * kBlock, 10));
    }
    EXPECT_EQ(reopened.Size(), 1028 * kBlock);  // table block 1024, data 1025 to 1027
    TQNCompoundFile file(reopened);
    EXPECT_EQ(Read(file, "other"), Pattern(3 * kBlock, 10));
}

TEST(CompoundFile, DamagedFilesAreRefusedAndLeftAsTheyWere) {
    struct Damage {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> apply;
        const char* message;  // the start of the message
    };
    const Damage damages[] = {
        {"wrong size", [](auto& f) { f.resize(5000); }, "Stream is not a compound file: wrong size"},
        {"too short", [](auto& f) { f.resize(2 * kBlock); }, "Stream is not a compound file: wrong size"},
        {"bad magic", [](auto& f) { f[0] = 'X'; }, "Stream is not a compound file: header invalid"},
        {"bad block size", [](auto& f) { f[17] = 0x10; }, "Stream is not a compound file: header invalid"},
        {"no table block", [](auto& f) { f[20] = 0; }, "Stream is not a compound file: header invalid"},
        {"cycle", [](auto& f) { SetTableEntry(f, 5, 3); }, "Die Verbunddatei ist beschädigt"},
        {"two links to one block", [](auto& f) { SetTableEntry(f, 5, 4); }, "Die Verbunddatei ist beschädigt"},
        {"link beyond the file", [](auto& f) { SetTableEntry(f, 4, 0x100); }, "Die Verbunddatei ist beschädigt"},
        {"link to a free block", [](auto& f) { SetTableEntry(f, 5, 0xFFFF); }, "Die Verbunddatei ist beschädigt"},
        {"header block free", [](auto& f) { SetTableEntry(f, 0, 0xFFFF); }, "Die Verbunddatei ist beschädigt"},
        {"table chain into a data block", [](auto& f) { SetTableEntry(f, 1, 3); }, "Die Verbunddatei ist beschädigt"},
        {"table count too high", [](auto& f) { f[20] = 2; }, "Die Verbunddatei ist beschädigt"},
        {"chain shorter than the size",
         [](auto& f) {
             SetTableEntry(f, 4, 0xFFFE);
             SetTableEntry(f, 5, 0xFFFF);
         },
         "Die Verbunddatei ist beschädigt"},
        {"directory count too high", [](auto& f) { f[2 * kBlock] = 200; }, "Die Verbunddatei ist beschädigt"},
        {"entry starting in the table", [](auto& f) { f[2 * kBlock + 4 + 1 + 1 + 1] = 1; },
         "Die Verbunddatei ist beschädigt"},
        {"root longer than its chain", [](auto& f) { f[25] = 0x10; }, "Die Verbunddatei ist beschädigt"},
    };
    const std::vector<uint8_t> valid = FileWithOneStream();
    for (const Damage& damage : damages) {
        std::vector<uint8_t> bytes = valid;
        damage.apply(bytes);
        TMemoryStream memory(bytes);
        try {
            TQNCompoundFile file(memory);
            Read(file, "a");
            Write(file, "new", Pattern(10, 10));
            ADD_FAILURE() << damage.what << ": accepted";
        } catch (const ECompoundFileError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(damage.message, 0), 0u) << damage.what << ": " << e.what();
        }
        // Nothing of the file was overwritten.
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), memory.Bytes().begin())) << damage.what;
    }

    // The texts come from the message catalogue in the user's language.
    Localizer().SetLanguage(1);
    std::vector<uint8_t> cycle = valid;
    SetTableEntry(cycle, 5, 3);
    TMemoryStream damaged(cycle);
    try {
        TQNCompoundFile file(damaged);
        ADD_FAILURE() << "a cycle was accepted";
    } catch (const ECompoundFileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("The compound file is damaged", 0), 0u) << e.what();
    }
    Localizer().SetLanguage(0);
}

TEST(CompoundFile, DamageFoundLaterLeavesTheReadableDataAlone) {
    // A folder whose directory is damaged, beside a good stream.
    TMemoryStream memory;
    {
        TQNCompoundFile file(memory);
        Write(file, "good", Pattern(100, 11));
        Write(file, "F\\x", Pattern(100, 12));
    }
    std::vector<uint8_t> bytes = memory.Bytes();
    TQNCompoundFile probe(memory);
    size_t index = 0;
    ASSERT_TRUE(probe.Root()->Find("F", TaaCFDirEntry::kFolder, index));
    const int folderBlock = probe.Root()->Entries[index].FirstBlock;
    probe.Close();
    bytes[static_cast<size_t>(folderBlock) * kBlock] = 99;  // entry count beyond the directory
    TMemoryStream damaged(bytes);
    {
        TQNCompoundFile file(damaged);
        Write(file, "good", Pattern(5000, 13));
        double stamp = 0;
        TMemoryStream data;
        EXPECT_THROW(file.ReadStream("F\\x", stamp, data), ECompoundFileError);
        EXPECT_THROW(Write(file, "other", Pattern(10, 14)), ECompoundFileError);
        EXPECT_THROW(file.Close(), ECompoundFileError);
    }
    // Only blocks beyond the old end were written: the file reads as before.
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), damaged.Bytes().begin()));
    TQNCompoundFile file(damaged);
    EXPECT_EQ(Read(file, "good"), Pattern(100, 11));
}

TEST(CompoundFile, RefusesNamesAndHandlesItCannotStore) {
    TMemoryStream memory;
    TQNCompoundFile file(memory);
    TMemoryStream data(Pattern(5, 1));
    EXPECT_THROW(file.WriteStream(std::string(256, 'n'), data, 0), ECompoundFileError);
    EXPECT_THROW(file.WriteStream("folder\\", data, 0), ECompoundFileError);
    double stamp = 0;
    EXPECT_FALSE(file.ReadStream(std::string(256, 'n'), stamp, data));
    TCFFolder stranger(nullptr, "x");
    try {
        file.AddFolder(&stranger, "y");
        ADD_FAILURE() << "accepted a folder that is not open";
    } catch (const ECompoundFileError& e) {
        EXPECT_STREQ(e.what(), "TQNCompoundFile.AddFolder: parent is not valid handle");
    }
    EXPECT_THROW(file.UpdateSubfile(&stranger, "y", data), ECompoundFileError);
    // Such refusals change nothing: the file goes on working.
    Write(file, std::string(255, 'n'), Pattern(5, 1));
    EXPECT_EQ(Read(file, std::string(255, 'N')), Pattern(5, 1));
}

TEST(CompoundFile, IntListKeepsItsOrder) {
    TaaIntList list;
    EXPECT_EQ(list.Add(5), 0);
    EXPECT_EQ(list.Add(2), 0);
    EXPECT_EQ(list.Add(5), -1);
    list.SetDuplicates(true);
    EXPECT_EQ(list.Add(5), 1);
    list.SetSorted(false);
    EXPECT_EQ(list.Add(1), 3);
    EXPECT_EQ(list.Last(), 1);
    list.Clear();
    EXPECT_TRUE(list.Sorted());
    EXPECT_EQ(list.Count(), 0);
}
