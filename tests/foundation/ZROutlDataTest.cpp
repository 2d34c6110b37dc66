#include "foundation/ZROutlData.h"

#include "foundation/Exceptions.h"
#include "foundation/Stream.h"
#include "foundation/StreamHelp.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#include <functional>

namespace {

void MakeFolders(const QString& root, const QStringList& relativePaths) {
    for (const QString& path : relativePaths) ASSERT_TRUE(QDir(root).mkpath(path)) << path.toStdString();
}

std::string RootedPath(const QTemporaryDir& dir, const char* relative) {
    return QDir(dir.path()).filePath(QString::fromUtf8(relative)).toStdString();
}

// Every entry is at most one level deeper than the one before it, and the
// parent's path is the start of its own.
void ExpectDepthFirstOrder(const TZROutlDataList& list) {
    for (int32_t i = 0; i < list.Count(); ++i) {
        const TZROutlData& e = list.GetItem(i);
        const int32_t previous = i == 0 ? -1 : list.GetItem(i - 1).Level;
        ASSERT_LE(e.Level, previous + 1) << i;
        const int32_t parent = list.ParentIndex(i);
        if (e.Level == 0) {
            ASSERT_EQ(parent, -1);
        } else {
            ASSERT_GE(parent, 0);
            ASSERT_EQ(e.Path.rfind(list.GetItem(parent).Path + "/", 0), 0u) << e.Path;
        }
    }
}

// Tens of thousands of folders are made and removed in memory where the
// machine offers it: on a busy disk that alone takes half a minute.
std::unique_ptr<QTemporaryDir> LargeTreeDir() {
    const QString shm = QStringLiteral("/dev/shm");
    if (QFileInfo(shm).isDir() && QFileInfo(shm).isWritable())
        return std::make_unique<QTemporaryDir>(shm + QStringLiteral("/zorbit-outline-XXXXXX"));
    return std::make_unique<QTemporaryDir>();
}

}  // namespace

TEST(ZROutlDataList, ReadsAFolderTreeSortedAndDepthFirstUpToDepthEight) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    MakeFolders(dir.path(), {"B/y", "B/X", "a", ".hidden/inner", "deep/1/2/3/4/5/6/7/8/9"});
    ASSERT_TRUE(QFile::link(dir.filePath("B"), dir.filePath("link-to-B")));

    TZROutlDataList list;
    std::vector<int32_t> progress;
    list.OnProgress = [&](TZROutlDataList&, int32_t count) { progress.push_back(count); };
    ASSERT_TRUE(list.ReadTree(dir.path() + "/"));

    const struct {
        const char* path;
        int32_t level;
        uint8_t visible, hasChildren, isLast;
    } expected[] = {
        {"a", 0, 1, 0, 0},         {"B", 0, 1, 1, 0},         {"B/X", 1, 0, 0, 0},
        {"B/y", 1, 0, 0, 1},       {"deep", 0, 1, 1, 1},      {"deep/1", 1, 0, 1, 1},
        {"deep/1/2", 2, 0, 1, 1},  {"deep/1/2/3", 3, 0, 1, 1}, {"deep/1/2/3/4", 4, 0, 1, 1},
        {"deep/1/2/3/4/5", 5, 0, 1, 1}, {"deep/1/2/3/4/5/6", 6, 0, 1, 1},
        {"deep/1/2/3/4/5/6/7", 7, 0, 1, 1},
        {"deep/1/2/3/4/5/6/7/8", 8, 0, 0, 1},  // listed, not opened
    };
    ASSERT_EQ(list.Count(), static_cast<int32_t>(std::size(expected)));
    for (int32_t i = 0; i < list.Count(); ++i) {
        const TZROutlData& e = list.GetItem(i);
        SCOPED_TRACE(expected[i].path);
        EXPECT_EQ(e.Path, RootedPath(dir, expected[i].path));
        EXPECT_EQ(e.Level, expected[i].level);
        EXPECT_EQ(e.Visible, expected[i].visible);
        EXPECT_EQ(e.HasChildren, expected[i].hasChildren);
        EXPECT_EQ(e.IsLast, expected[i].isLast);
        EXPECT_EQ(e.CheckState, 2);
        EXPECT_EQ(e.Expanded, 0);
    }
    EXPECT_EQ(list.FoundCount(), list.Count());
    EXPECT_EQ(progress.size(), static_cast<size_t>(list.Count()));
    EXPECT_EQ(progress.back(), list.Count());
    EXPECT_TRUE(list.TreeRead());
    EXPECT_FALSE(list.Truncated());
}

TEST(ZROutlDataList, AnEmptyOrMissingRootGivesAnEmptyList) {
    QTemporaryDir dir;
    TZROutlDataList list;
    list.Add(std::make_unique<TZROutlData>());
    for (const QString& root : {dir.path(), dir.filePath("missing"), QString()}) {
        EXPECT_TRUE(list.ReadTree(root));
        EXPECT_EQ(list.Count(), 0);
        EXPECT_EQ(list.FoundCount(), 0);
    }
}

// 20 top folders of 999 subfolders each, and under the first subfolder a
// chain that reaches depth 10: more folders than the list holds.
TEST(ZROutlDataList, ALargeTreeIsCutAtTheCapWithTheLastInsertedChildMarked) {
    const std::unique_ptr<QTemporaryDir> tree = LargeTreeDir();
    const QTemporaryDir& dir = *tree;
    ASSERT_TRUE(dir.isValid());
    QDir root(dir.path());
    for (int t = 0; t < 20; ++t) {
        const QString top = QStringLiteral("t%1").arg(t, 2, 10, QLatin1Char('0'));
        ASSERT_TRUE(root.mkdir(top));
        for (int c = 0; c < 999; ++c)
            ASSERT_TRUE(root.mkdir(top + QStringLiteral("/c%1").arg(c, 3, 10, QLatin1Char('0'))));
    }
    MakeFolders(dir.path(), {"t00/c000/2/3/4/5/6/7/8/9/10"});

    TZROutlDataList list;
    int idleRuns = 0;
    list.OnIdle = [&] { ++idleRuns; };
    ASSERT_TRUE(list.ReadTree(dir.path()));

    // Folders at depths 0 to 8 are found, the chain's 2 .. 8 among them.
    EXPECT_EQ(list.FoundCount(), 20 + 20 * 999 + 7);
    EXPECT_EQ(list.Count(), TZROutlDataList::kMaxEntries + 1);
    EXPECT_TRUE(list.Truncated());
    EXPECT_EQ(idleRuns, list.Count());
    ExpectDepthFirstOrder(list);

    // t00 .. t14 and the chain take 15012 entries, so t15 gets 989 children
    // and is followed by the four top folders that got none.
    const TZROutlData& last = list.GetItem(list.Count() - 5);
    EXPECT_EQ(last.Path, RootedPath(dir, "t15/c988"));
    EXPECT_EQ(last.IsLast, 1);
    int32_t maxLevel = 0;
    for (int32_t i = 0; i < list.Count(); ++i) maxLevel = std::max(maxLevel, list.GetItem(i).Level);
    EXPECT_EQ(maxLevel, 8);
    // The top folders that got no children show none.
    const TZROutlData& t16 = list.GetItem(list.Count() - 4);
    EXPECT_EQ(t16.Path, RootedPath(dir, "t16"));
    EXPECT_EQ(t16.HasChildren, 0);
}

TEST(ZROutlDataList, AReadWhileReadingIsRefusedAndEditsDuringTheReadAreReplaced) {
    QTemporaryDir dir;
    MakeFolders(dir.path(), {"a/b", "c"});
    TZROutlDataList list;
    bool nestedResult = true;
    list.OnIdle = [&] {
        nestedResult = list.ReadTree(dir.path());
        list.Clear();
        list.Add(std::make_unique<TZROutlData>());
    };
    ASSERT_TRUE(list.ReadTree(dir.path()));
    EXPECT_FALSE(nestedResult);
    EXPECT_FALSE(list.Reading());
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetItem(2).Path, RootedPath(dir, "c"));
}

TEST(ZROutlDataList, ParentIndexIsTheNearestEarlierShallowerEntry) {
    TZROutlDataList list;
    for (const int32_t level : {0, 1, 2, 2, 1, 0, 1, 3})
        list.Add(std::make_unique<TZROutlData>(TZROutlData{.Level = level}));
    const int32_t expected[] = {-1, 0, 1, 1, 0, -1, 5, 6};
    for (int32_t i = 0; i < list.Count(); ++i) EXPECT_EQ(list.ParentIndex(i), expected[i]) << i;
    EXPECT_EQ(list.ParentIndex(-1), -1);
    EXPECT_EQ(list.ParentIndex(list.Count()), -1);
}

TEST(ZROutlDataList, TheListHoldsAtMost16001EntriesAndAssignCopiesThemAll) {
    TZROutlDataList list;
    for (int32_t i = 0; i <= TZROutlDataList::kMaxEntries; ++i)
        ASSERT_TRUE(list.Add(std::make_unique<TZROutlData>()));
    EXPECT_FALSE(list.Add(std::make_unique<TZROutlData>()));
    EXPECT_FALSE(list.Insert(0, std::make_unique<TZROutlData>()));
    EXPECT_EQ(list.Count(), 16001);

    TZROutlDataList small;
    small.Add(std::make_unique<TZROutlData>(TZROutlData{"/m/a", "x", 0, 1, 1, 1, 1, 1, 1, 1}));
    list.Assign(small);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.GetItem(0), small.GetItem(0));
    EXPECT_NE(&list.GetItem(0), &small.GetItem(0));
}

namespace {

TZROutlDataList StoredListFixture() {
    TZROutlDataList list;
    list.Add(std::make_unique<TZROutlData>(TZROutlData{"/media/cd/Fotos", "", 0, 1, 1, 1, 0, 2, 0, 0}));
    list.Add(std::make_unique<TZROutlData>(TZROutlData{"/media/cd/Fotos/2026", "note", 1, 1, 0, 0, 1, 1, 1, 7}));
    list.Add(std::make_unique<TZROutlData>(TZROutlData{"/media/cd/Musik", "", 0, 1, 0, 0, 1, 0, 1, 0}));
    return list;
}

QByteArray StreamBytes(const std::function<void(TStream&)>& write) {
    TMemoryStream s;
    write(s);
    return QByteArray(reinterpret_cast<const char*>(s.Memory()), static_cast<qsizetype>(s.Size()));
}

void LoadBytes(TZROutlDataList& list, const QByteArray& bytes) {
    TMemoryStream s;
    s.WriteBuffer(bytes.constData(), bytes.size());
    s.SetPosition(0);
    list.LoadFromStream(s);
}

}  // namespace

TEST(ZROutlDataList, TheStreamRoundTripsEveryField) {
    const TZROutlDataList list = StoredListFixture();
    const QByteArray bytes = StreamBytes([&](TStream& s) { list.SaveToStream(s); });
    // count, then path, note, level, four flags, the check state as an integer, two flags
    EXPECT_EQ(bytes.size(), 4 + 3 * (4 + 4 + 4 + 4 + 4 + 2) + 15 + 20 + 4 + 15);
    TZROutlDataList loaded;
    LoadBytes(loaded, bytes);
    ASSERT_EQ(loaded.Count(), list.Count());
    for (int32_t i = 0; i < list.Count(); ++i) EXPECT_EQ(loaded.GetItem(i), list.GetItem(i)) << i;
    EXPECT_EQ(StreamBytes([&](TStream& s) { loaded.SaveToStream(s); }), bytes);
}

TEST(ZROutlDataList, ADamagedStreamIsRefusedAndChangesNothing) {
    const QByteArray good = StreamBytes([](TStream& s) { StoredListFixture().SaveToStream(s); });
    auto withCount = [](int32_t count) { return StreamBytes([&](TStream& s) { StreamWriteInt(s, count); }); };
    auto withLevels = [](std::initializer_list<int32_t> levels) {
        return StreamBytes([&](TStream& s) {
            StreamWriteInt(s, static_cast<int32_t>(levels.size()));
            for (const int32_t level : levels) TZROutlData{"p", "", level}.SaveToStream(s);
        });
    };
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"cut short", good.left(good.size() - 1)},
        {"negative count", withCount(-1)},
        {"count beyond the cap", withCount(TZROutlDataList::kMaxEntries + 2)},
        {"count beyond the bytes", withCount(3)},
        {"first entry not at level 0", withLevels({1})},
        {"a jump two levels deeper", withLevels({0, 1, 3})},
        {"a negative level", withLevels({0, -1})},
        {"a level beyond 64", withLevels({0, 65})},
    };
    for (const auto& c : cases) {
        TZROutlDataList list = StoredListFixture();
        EXPECT_THROW(LoadBytes(list, c.bytes), EReadError) << c.name;
        EXPECT_EQ(list.Count(), 3) << c.name;
    }
    TZROutlDataList deepest;
    std::initializer_list<int32_t> staircase = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0};
    EXPECT_NO_THROW(LoadBytes(deepest, withLevels(staircase)));
    EXPECT_EQ(deepest.Count(), 12);
}

namespace {

// A0 (B1 (C2, D2), E1), F0 (G1): levels, all visible at the top only.
TZROutlDataList EditFixture() {
    TZROutlDataList list;
    const struct {
        const char* path;
        int32_t level;
    } entries[] = {{"/m/A", 0}, {"/m/A/B", 1}, {"/m/A/B/C", 2}, {"/m/A/B/D", 2},
                   {"/m/A/E", 1}, {"/m/F", 0}, {"/m/F/G", 1}};
    for (const auto& e : entries) {
        auto entry = std::make_unique<TZROutlData>(TZROutlData{.Path = e.path, .Level = e.level});
        entry->Visible = e.level == 0;
        list.Add(std::move(entry));
    }
    return list;
}

std::string Column(const TZROutlDataList& list, uint8_t TZROutlData::*field) {
    std::string text;
    for (int32_t i = 0; i < list.Count(); ++i) text += static_cast<char>('0' + list.GetItem(i).*field);
    return text;
}

}  // namespace

TEST(ZROutlDataList, ExpandingShowsDirectChildrenAndCollapsingHidesAndClosesTheSubtree) {
    TZROutlDataList list = EditFixture();
    list.ExpandEntry(0);
    EXPECT_EQ(Column(list, &TZROutlData::Visible), "1100110");
    list.ExpandEntry(1);
    EXPECT_EQ(Column(list, &TZROutlData::Visible), "1111110");
    EXPECT_EQ(Column(list, &TZROutlData::Expanded), "1100000");
    list.CollapseEntry(0);
    EXPECT_EQ(Column(list, &TZROutlData::Visible), "1000010");
    EXPECT_EQ(Column(list, &TZROutlData::Expanded), "0000000");
}

TEST(ZROutlDataList, CheckingReachesTheAncestorsAndUncheckingTheDescendants) {
    TZROutlDataList list = EditFixture();
    list.UncheckEntry(0);
    EXPECT_EQ(Column(list, &TZROutlData::CheckState), "0000022");
    list.CheckEntry(3);
    EXPECT_EQ(Column(list, &TZROutlData::CheckState), "2202022");
    list.UncheckEntry(6);
    list.CheckEntry(5);
    EXPECT_EQ(Column(list, &TZROutlData::CheckState), "2202020");
}

TEST(ZROutlDataList, TheLastShownSiblingIsMarkedAmongTheShownLinesOnly) {
    const struct {
        const char* name;
        std::vector<int32_t> shown;
        const char* lastShown;
    } cases[] = {
        {"all shown", {0, 1, 2, 3, 4, 5, 6}, "0001111"},
        // E unchecked: B is the last shown child of A
        {"later sibling hidden", {0, 1, 2, 3, 5, 6}, "0101011"},
        // D unchecked: C is the last shown child of B
        {"deep sibling hidden", {0, 1, 2, 4, 5, 6}, "0010111"},
        {"only the top", {0, 5}, "0000010"},
    };
    for (const auto& c : cases) {
        TZROutlDataList list = EditFixture();
        for (int32_t i = 0; i < list.Count(); ++i) list.GetItem(i).IsLastShown = 1;
        list.MarkLastShown(c.shown);
        std::string marks;
        for (int32_t i = 0; i < list.Count(); ++i) {
            const bool shown = std::find(c.shown.begin(), c.shown.end(), i) != c.shown.end();
            marks += shown ? static_cast<char>('0' + list.GetItem(i).IsLastShown) : '0';
        }
        EXPECT_EQ(marks, c.lastShown) << c.name;
    }
}
