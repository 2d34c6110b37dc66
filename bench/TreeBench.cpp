// The tree control at the sizes of a large folder listing: 100,000 items,
// 1,000 folders with 99 entries each, three columns.
//  - inserting them inside one update bracket, folder by folder (target: 50 ms);
//  - sorting every folder's entries by name;
//  - expanding all of them (target: 100 ms);
//  - one full repaint of a view 1,000 pixels high with check boxes (target:
//    4 ms), and the same rows painted by a QTreeView over a model of the same
//    items (the tree at most 1.5 times that);
//  - 100,000 keys hashed into a hash list with MD5 and with CRC-32 keys
//    (target: 20 ms).
#include "treectl/support/McHashList.h"
#include "treectl/tree/McTree.h"

#include "foundation/Codepage1252.h"

#include <benchmark/benchmark.h>

#include <QtGui/QImage>
#include <QtGui/QStandardItemModel>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QTreeView>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kFolders = 1000;
constexpr int kEntries = 99;
constexpr int kViewHeight = 1000;

const std::vector<std::string>& Names() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (int i = 0; i < kFolders * (kEntries + 1); ++i) n.push_back("Datei " + std::to_string((i * 7919) % 100003));
        return n;
    }();
    return names;
}

std::string SizeText(size_t i) { return std::to_string((i * 4099) % 900000); }
const char* TypeText(size_t i) { return i % 3 ? "Textdokument" : "Bilddatei"; }

void Fill(TMcTree& tree) {
    const std::vector<std::string>& names = Names();
    size_t next = 0;
    tree.SetUpdating(true);
    for (int f = 0; f < kFolders; ++f) {
        TMcTreeItem* folder = tree.Items().AddChild(nullptr, names[next++]);
        folder->SetShowCheckBox(true);
        folder->SetColumnText({"", "Ordner"});
        for (int e = 0; e < kEntries; ++e, ++next) {
            TMcTreeItem* entry = tree.Items().AddChild(folder, names[next]);
            entry->SetShowCheckBox(true);
            entry->SetColumnText({SizeText(next), TypeText(next)});
        }
    }
    tree.SetUpdating(false);
}

// A tree with the three columns of a folder listing, its view 1,000 pixels high.
std::unique_ptr<TMcTree> MakeTree() {
    auto tree = std::make_unique<TMcTree>();
    tree->SetUpdating(true);
    const std::pair<const char*, int> columns[] = {{"Name", 260}, {"Gr\xF6\xDF" "e", 80}, {"Typ", 140}};
    for (const auto& [caption, width] : columns) {
        TMcHeaderSection* s = tree->HeaderSections().AddSection();
        s->SetText(caption);
        s->SetWidth(width);
    }
    tree->HeaderSections().Item(1)->SetAlignment(TMcSAlignment::hsaRight);
    tree->SetShowColumns(true);
    tree->SetShowCheckboxes(true);
    tree->SetShowRoot(true);
    tree->SetUpdating(false);
    tree->resize(520, kViewHeight + tree->HeaderHeight() + 4);
    tree->show();
    return tree;
}

void BM_InsertTreeItems(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto tree = MakeTree();
        state.ResumeTiming();
        Fill(*tree);
        benchmark::DoNotOptimize(tree->Items().GetCount());
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
    state.counters["items"] = kFolders * (kEntries + 1);
}
BENCHMARK(BM_InsertTreeItems)->Unit(benchmark::kMillisecond);

void BM_SortTreeItems(benchmark::State& state) {
    auto tree = MakeTree();
    Fill(*tree);
    tree->OnCompareItems = [](TCustomMcTree&, TMcTreeItem* a, TMcTreeItem* b, int32_t& res) {
        res = a->Text().compare(b->Text());
    };
    for (auto _ : state) tree->SortItems(true);
}
BENCHMARK(BM_SortTreeItems)->Unit(benchmark::kMillisecond);

void BM_ExpandAll(benchmark::State& state) {
    auto tree = MakeTree();
    Fill(*tree);
    for (auto _ : state) {
        state.PauseTiming();
        tree->CollapseAll();
        state.ResumeTiming();
        tree->ExpandAll();
        benchmark::DoNotOptimize(tree->ShownItemCount());
    }
    state.counters["shown"] = tree->ShownItemCount();
}
BENCHMARK(BM_ExpandAll)->Unit(benchmark::kMillisecond);

// One full repaint of the view, as a paint event draws it.
void BM_PaintTreeView(benchmark::State& state) {
    auto tree = MakeTree();
    Fill(*tree);
    tree->ExpandAll();
    tree->SetTopIndex(5000);
    TMcTreeView& view = tree->View();
    QImage image(view.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        view.render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["rows"] = view.Rows().Count();
    state.counters["height"] = view.height();
}
BENCHMARK(BM_PaintTreeView)->Unit(benchmark::kMicrosecond);

// The same rows in a QTreeView over a model of the same items.
void BM_PaintQTreeView(benchmark::State& state) {
    QStandardItemModel model;
    model.setHorizontalHeaderLabels({"Name", AnsiToUnicode("Gr\xF6\xDF" "e"), "Typ"});
    const std::vector<std::string>& names = Names();
    size_t next = 0;
    for (int f = 0; f < kFolders; ++f) {
        auto* folder = new QStandardItem(AnsiToUnicode(names[next++]));
        folder->setCheckable(true);
        for (int e = 0; e < kEntries; ++e, ++next) {
            auto* entry = new QStandardItem(AnsiToUnicode(names[next]));
            entry->setCheckable(true);
            auto* size = new QStandardItem(QString::fromStdString(SizeText(next)));
            size->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            folder->appendRow({entry, size, new QStandardItem(QString::fromLatin1(TypeText(next)))});
        }
        model.appendRow({folder, new QStandardItem(), new QStandardItem(QStringLiteral("Ordner"))});
    }
    QTreeView view;
    view.setUniformRowHeights(true);
    view.setModel(&model);
    view.setColumnWidth(0, 260);
    view.setColumnWidth(1, 80);
    view.setColumnWidth(2, 140);
    view.resize(520, kViewHeight + view.header()->sizeHint().height() + 4);
    view.show();
    view.resize(520, view.height() + kViewHeight - view.viewport()->height());
    view.expandAll();
    view.scrollTo(model.index(50, 0));
    QWidget* viewport = view.viewport();
    QImage image(viewport->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        viewport->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["height"] = viewport->height();
}
BENCHMARK(BM_PaintQTreeView)->Unit(benchmark::kMicrosecond);

const std::vector<std::string>& Keys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> k;
        for (int i = 0; i < 100000; ++i) k.push_back("Dateityp " + std::to_string(i) + " (Bilddatei)");
        return k;
    }();
    return keys;
}

void HashKeys(benchmark::State& state, TMcHashList::HashKind kind) {
    const std::vector<std::string>& keys = Keys();
    for (auto _ : state) {
        TMcHashList list;
        list.SetHashKind(kind);
        for (size_t i = 0; i < keys.size(); ++i) list.AddItem(keys[i], static_cast<TMcHashList::Data>(i));
        benchmark::DoNotOptimize(list.Count());
    }
    state.counters["keys"] = static_cast<double>(keys.size());
}
void BM_HashKeysMD5(benchmark::State& state) { HashKeys(state, TMcHashList::HashKind::MD5); }
void BM_HashKeysCRC32(benchmark::State& state) { HashKeys(state, TMcHashList::HashKind::CRC32); }
BENCHMARK(BM_HashKeysMD5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HashKeysCRC32)->Unit(benchmark::kMillisecond);

}  // namespace
