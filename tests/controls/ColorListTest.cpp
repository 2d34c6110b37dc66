#include "ControlsTesting.h"

#include "controls/ColorList.h"

#include "foundation/Exceptions.h"
#include "foundation/WideStrings.h"
#include "foundation/ZRRegIniFile.h"
#include "support/Files.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <vector>

namespace {

constexpr int32_t kRed = 0x0000FF;
constexpr int32_t kBlue = 0xFF0000;

std::vector<int32_t> Slots(const TColorList& list) {
    std::vector<int32_t> values;
    for (int32_t i = 0; i < list.Count(); ++i) values.push_back(list.Colors(i));
    return values;
}

// The expected values: the colours, then empty slots up to the count.
std::vector<int32_t> Expected(std::vector<int32_t> colors, int32_t count) {
    colors.resize(static_cast<size_t>(count), clEmptySlot);
    return colors;
}

QByteArray ManyColorLines(int n) {
    QByteArray text;
    for (int i = 1; i <= n; ++i) text += QByteArray::number(i) + "\r\n";
    return text;
}

std::vector<int32_t> OneTo(int n) {
    std::vector<int32_t> v;
    for (int i = 1; i <= n; ++i) v.push_back(i);
    return v;
}

}  // namespace

TEST(ColorList, LoadTakesTheUsableLinesInOrderUpToTheListsOwnSlots) {
    struct Case {
        const char* name;
        QByteArray text;
        int32_t slotCount;
        std::vector<int32_t> colors;
    };
    const Case cases[] = {
        {"a word between red and blue", "$000000ff\r\nkeine Farbe\r\n$00ff0000\r\n", 32, {kRed, kBlue}},
        {"system colours and negatives", "$8000000f\r\n-5\r\n$0000ff00\r\n", 32, {0x00FF00}},
        {"decimal, LF and CR breaks", "255\n16711680\r65280", 32, {kRed, kBlue, 0x00FF00}},
        {"blanks around, upper-case digits", "  $0000FF00 \r\n\r\n$00FFFFFF", 32, {0x00FF00, 0xFFFFFF}},
        {"numbers too large for 32 bits", "$100000000\r\n4294967295\r\n2147483647", 32, {0x7FFFFFFF}},
        {"a line far too long", QByteArray(5000, '1') + "\r\n42", 32, {42}},
        {"more lines than slots", ManyColorLines(40), 32, OneTo(32)},
        {"into a list of 8 slots", ManyColorLines(40), 8, OneTo(8)},
        {"empty text", "", 32, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TColorList list(c.slotCount);
        list.SetColors(0, 0x123456);  // loading starts from an empty list
        list.LoadFromText(c.text);
        EXPECT_EQ(Slots(list), Expected(c.colors, c.slotCount));
        EXPECT_EQ(list.UsedCount(), int32_t(c.colors.size()));
    }
}

TEST(ColorList, SaveWritesUsedSlotsAndLoadingPacksThem) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("custcolo.dat"));
    WriteFile(path, "$00000001\r\n$00000002\r\n$00000003\r\n$00000004\r\n");
    struct Case {
        std::vector<int32_t> initial;
        QByteArray text;
        std::vector<int32_t> loaded;
    };
    const Case cases[] = {
        {{kRed, clEmptySlot, kBlue}, "$000000ff\r\n$00ff0000\r\n", {kRed, kBlue}},
        {{clEmptySlot, 0, clEmptySlot}, "$00000000\r\n", {0}},
        {{clEmptySlot, clEmptySlot}, "", {}},
    };
    for (const Case& c : cases) {
        TColorList list(32);
        for (size_t i = 0; i < c.initial.size(); ++i) list.SetColors(int32_t(i), c.initial[i]);
        list.SaveToFile(path);
        EXPECT_EQ(ReadFile(path), c.text);  // the earlier, longer file is replaced as a whole
        TColorList loaded(32);
        loaded.LoadFromFile(path);
        EXPECT_EQ(Slots(loaded), Expected(c.loaded, 32));
    }
    TColorList missing(32);
    missing.LoadFromFile(dir.filePath(QStringLiteral("none.dat")));
    EXPECT_EQ(missing.UsedCount(), 0);
}

TEST(ColorList, AFailedSaveRaisesWithTheFilesName) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/custcolo.dat"));
    TColorList list(32);
    list.SetColors(0, kBlue);
    try {
        list.SaveToFile(path);
        FAIL() << "saved into a folder that does not exist";
    } catch (const EFCreateError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(QStringLiteral("Die Datei ") + path)) << e.what();
    }
}

TEST(ColorList, AddColorReusesFillsOrOverwritesTheFallback) {
    TColorList list(3);
    EXPECT_EQ(list.UsedCount(), 0);
    list.SetColors(1, kRed);
    EXPECT_EQ(list.AddColor(kRed, 2), 1);  // present: nothing changes
    EXPECT_EQ(Slots(list), (std::vector<int32_t>{clEmptySlot, kRed, clEmptySlot}));
    EXPECT_EQ(list.AddColor(kBlue, 2), 0);  // the first empty slot
    EXPECT_EQ(list.AddColor(0x00FF00, 0), 2);
    EXPECT_EQ(list.AddColor(0x777777, 1), 1);  // full: the fallback slot
    EXPECT_EQ(Slots(list), (std::vector<int32_t>{kBlue, 0x777777, 0x00FF00}));
    EXPECT_THROW(list.AddColor(0x888888, 3), EStringListError);
    EXPECT_THROW(list.Colors(-1), EStringListError);
}

TEST(ColorList, AssignPackedTakesTheSourcesSlotCount) {
    TColorList source(32);
    source.SetColors(3, kRed);
    source.SetColors(20, kBlue);
    TColorList target(8);
    target.SetColors(0, 0x555555);
    target.AssignPacked(source);
    EXPECT_EQ(Slots(target), Expected({kRed, kBlue}, 32));
}

TEST(ColorList, SharedListLivesInTheDataFolder) {
    DiscardCustomColorList();
    const QString path = GetDataFilePath(QString::fromLatin1(kCustomColorFileName));
    WriteFile(path, "$000000ff\r\n");
    TColorList& colors = GetCustomColorList();
    EXPECT_EQ(colors.Count(), kCustomColorSlots);
    EXPECT_EQ(Slots(colors), Expected({kRed}, 32));
    colors.AddColor(kBlue, 0);
    EXPECT_TRUE(SaveCustomColorList());
    DiscardCustomColorList();
    EXPECT_EQ(Slots(GetCustomColorList()), Expected({kRed, kBlue}, 32));
    GetCustomColorList().Clear();
    EXPECT_TRUE(SaveCustomColorList());
    DiscardCustomColorList();
}
