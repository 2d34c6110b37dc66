// The folder-tree window of zorbit-treectl-demo: the tree control filled
// with the folders and files of this machine below a starting folder, set
// up much as the directory-listing wizard will use it (check boxes, five
// columns, folders loaded when they are expanded), plus what the wizard
// leaves off: sorting by a click on a column, editing names in place,
// dragging items onto folders and typing to search. A line below the tree
// tells what the tree reports.
#include "FolderTreeDemo.h"

#include "treectl/tree/McTree.h"

#include "foundation/Codepage1252.h"
#include "platform/gdi/ImageList.h"

#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>

#include <memory>

namespace {

constexpr int kFolderPicture = 0;
constexpr int kOpenFolderPicture = 1;
constexpr int kFilePicture = 2;

// A 16 x 16 picture from rows of characters ('.' stays transparent).
gdi::Bitmap Picture(std::initializer_list<const char*> rows) {
    gdi::Bitmap b(16, 16);
    b.Fill(gdi::Rgb(255, 0, 255));
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; x < 16 && row[x]; ++x) {
            switch (row[x]) {
            case 'k': b.SetPixel(x, y, gdi::Rgb(64, 64, 64)); break;
            case 'y': b.SetPixel(x, y, gdi::Rgb(240, 200, 80)); break;
            case 'Y': b.SetPixel(x, y, gdi::Rgb(255, 230, 140)); break;
            case 'w': b.SetPixel(x, y, gdi::Rgb(255, 255, 255)); break;
            case 'g': b.SetPixel(x, y, gdi::Rgb(150, 150, 150)); break;
            default: break;
            }
        }
        ++y;
    }
    return b;
}

std::unique_ptr<gdi::ImageList> Pictures() {
    auto list = std::make_unique<gdi::ImageList>(16, 16);
    const gdi::Color key = gdi::Rgb(255, 0, 255);
    list->Add(Picture({"", "", " kkkkk", "kyyyyyk", "kyyyyyykkkkkkk", "kyyyyyyyyyyyyyk", "kyyyyyyyyyyyyyk",
                       "kyyyyyyyyyyyyyk", "kyyyyyyyyyyyyyk", "kyyyyyyyyyyyyyk", "kyyyyyyyyyyyyyk", "kyyyyyyyyyyyyyk",
                       "kkkkkkkkkkkkkkk"}),
              key);
    list->Add(Picture({"", "", " kkkkk", "kyyyyyk", "kyyyyyykkkkkkk", "kykkkkkkkkkkkkkk", "kykYYYYYYYYYYYYk",
                       "kkYYYYYYYYYYYYk", "kkYYYYYYYYYYYk", "kYYYYYYYYYYYYk", "kYYYYYYYYYYYk", "kkkkkkkkkkkkk"}),
              key);
    list->Add(Picture({" kkkkkkkkk", " kwwwwwwwkk", " kwwwwwwwkwk", " kwgggggwkkkk", " kwwwwwwwwwwk", " kwgggggggwwk",
                       " kwwwwwwwwwwk", " kwgggggggwwk", " kwwwwwwwwwwk", " kwgggggggwwk", " kwwwwwwwwwwk",
                       " kwwwwwwwwwwk", " kwwwwwwwwwwk", " kkkkkkkkkkkk"}),
              key);
    return list;
}

// The demo's state: the tree, its pictures and the status line.
class FolderTree {
public:
    FolderTree(const QString& root, QWidget& window) : images_(Pictures()) {
        auto* layout = new QVBoxLayout(&window);
        tree_ = new TMcTree(&window);
        status_ = new QLabel(QStringLiteral("Ausklappen, ankreuzen, sortieren, umbenennen ..."), &window);
        layout->addWidget(tree_, 1);
        layout->addWidget(status_);
        SetUp();
        Fill(nullptr, QDir(root));
    }
    TMcTree& Tree() { return *tree_; }

private:
    void SetUp() {
        TMcTree& t = *tree_;
        t.SetUpdating(true);
        AddColumns();
        t.SetShowColumns(true);
        t.SetHeaderHeight(18);
        t.SetShowRoot(true);
        t.SetLinesStyle(gdi::PenStyle::Solid);
        t.SetShowCheckboxes(true);
        t.SetImages(images_.get());
        t.SetRowSelect(false);
        t.SetHeaderFlat(true);
        t.SetScrollTracking(true);
        t.SetIncrementalSearch(true);
        t.SetSortMode(TSortModes::smClick);
        t.SetDragAllowed(true);
        t.SetDragImageMode(TDragImgMode::dimAll);
        t.SetDragTrgDrawMode(TDragTargetDraw::ColorFrame);
        t.SetExpandOnDragOver(true);
        t.SetUseCustomScrollBars(false);
        t.SetLineHintMode(THintModes::shmLong);
        t.OnItemExpanding = [this](TCustomMcTree&, TMcTreeItem* item, bool& can) { Expanding(item, can); };
        t.OnItemChecked = [this](TCustomMcTree&, TMcTreeItem* item) { Checked(item); };
        t.OnCompareItems = [](TCustomMcTree&, TMcTreeItem* a, TMcTreeItem* b, int32_t& res) {
            const bool folderA = a->Data != nullptr, folderB = b->Data != nullptr;
            res = folderA != folderB ? (folderA ? -1 : 1)
                                     : QString::localeAwareCompare(AnsiToUnicode(a->Text()), AnsiToUnicode(b->Text()));
        };
        t.OnValidateInplaceEdit = [this](TCustomMcTree&, TMcTreeItem* item, TMcHeaderSection*, std::string& text,
                                         bool& accept) {
            Report(accept ? QStringLiteral("Umbenannt: %1").arg(AnsiToUnicode(text))
                          : QStringLiteral("Umbenennen abgebrochen: %1").arg(AnsiToUnicode(item->Text())));
        };
        t.OnItemFocused = [this](TCustomMcTree& sender) {
            if (TMcTreeItem* item = sender.FocusedItem()) Report(QStringLiteral("Markiert: %1").arg(Path(item)));
        };
        t.OnHeaderColumnClick = [this](TCustomMcTree& sender, int32_t index) {
            const TMcHeaderSection* s = sender.HeaderSections().Item(index);
            Report(QStringLiteral("Sortiert nach %1 %2")
                       .arg(AnsiToUnicode(s->Text()))
                       .arg(s->SortMode() == TMcSSortMode::hsmAscend ? QStringLiteral("aufsteigend")
                                                                     : QStringLiteral("absteigend")));
        };
        t.OnDragOver = [](TCustomMcTree& sender, QObject* source, int32_t x, int32_t y, TDragState, bool& accept) {
            TMcTreeHitPart part;
            int32_t column;
            TMcTreeItem* target = sender.HitTest(x, y, part, column);
            accept = source == &sender && target && target->Data && !target->GetSelected();
        };
        t.OnDragDrop = [this](TCustomMcTree& sender, QObject*, int32_t x, int32_t y) {
            TMcTreeHitPart part;
            int32_t column;
            TMcTreeItem* target = sender.HitTest(x, y, part, column);
            TMcItemList moved;
            sender.CopySelectionTo(moved);
            int32_t count = 0;
            for (TMcTreeItem* item : moved) {
                if (!target->IsUnder(item)) {
                    item->MoveTo(target);
                    ++count;
                }
            }
            Report(QStringLiteral("%1 Eintr\u00e4ge nach %2 verschoben (nur in der Liste)")
                       .arg(count)
                       .arg(AnsiToUnicode(target->Text())));
        };
        t.SetUpdating(false);
    }

    void AddColumns() {
        struct Column {
            const char* text;
            int32_t width;
            TMcSAlignment alignment;
            TFieldTypes field;
        };
        const Column columns[] = {
            {"Name", 240, TMcSAlignment::hsaLeft, TFieldTypes::sftText},
            {"Gr\xF6\xDF" "e", 80, TMcSAlignment::hsaRight, TFieldTypes::sftNumber},
            {"Typ", 110, TMcSAlignment::hsaLeft, TFieldTypes::sftText},
            {"Ge\xE4ndert am", 80, TMcSAlignment::hsaLeft, TFieldTypes::sftDate},
            {"Uhrzeit", 60, TMcSAlignment::hsaLeft, TFieldTypes::sftTime},
        };
        for (const Column& c : columns) {
            TMcHeaderSection* s = tree_->HeaderSections().AddSection();
            s->SetText(c.text);
            s->SetWidth(c.width);
            s->SetMinWidth(40);
            s->SetAlignment(c.alignment);
            s->SetFieldType(c.field);
        }
        tree_->HeaderSections().Item(0)->SetEditable(true);
    }

    // The entries of a folder below the item (the top level for nil).
    void Fill(TMcTreeItem* parent, const QDir& dir) {
        const QFileInfoList entries =
            dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::DirsFirst | QDir::Name);
        TMcTree& t = *tree_;
        t.SetUpdating(true);
        const QLocale locale;
        for (const QFileInfo& info : entries) {
            TMcTreeItem* item = t.Items().AddChild(parent, UnicodeToAnsi(info.fileName()));
            const bool folder = info.isDir() && !info.isSymLink();
            item->Data = folder ? reinterpret_cast<void*>(1) : nullptr;
            item->SetImageIndex(folder ? kFolderPicture : kFilePicture);
            item->SetStateImageIndex(folder ? kOpenFolderPicture : kFilePicture);
            item->SetShowCheckBox(true);
            item->SetForceButtons(folder && info.isReadable());
            if (parent) item->SetChecked(parent->GetChecked());
            const QDateTime changed = info.lastModified();
            item->SetColumnText({folder ? std::string() : std::to_string(info.size()),
                                 folder ? "Ordner" : UnicodeToAnsi(info.suffix().isEmpty() ? QStringLiteral("Datei")
                                                                                         : info.suffix().toUpper() +
                                                                                               QStringLiteral("-Datei")),
                                 UnicodeToAnsi(locale.toString(changed.date(), QLocale::ShortFormat)),
                                 UnicodeToAnsi(locale.toString(changed.time(), QLocale::ShortFormat))});
        }
        t.SetUpdating(false);
    }

    QString Path(TMcTreeItem* item) const {
        return AnsiToUnicode(item->GetFullPath("/"));
    }

    // A folder is read when it opens for the first time; an empty one stays closed.
    void Expanding(TMcTreeItem* item, bool& can) {
        if (!item->Data || item->HasChildren()) return;
        const QDir dir(root_ + Path(item));
        Fill(item, dir);
        item->SetForceButtons(false);
        can = item->HasChildren();
        Report(can ? QStringLiteral("%1: %2 Eintr\u00e4ge").arg(Path(item)).arg(item->GetChildCount())
                   : QStringLiteral("%1 ist leer").arg(Path(item)));
    }

    // A checked folder checks what it holds.
    void Checked(TMcTreeItem* item) {
        tree_->SetUpdating(true);
        const TMcTreeItem* last = item->GetLastSubItem();
        for (TMcTreeItem* below = item->GetNext(); below; below = below->GetNext()) {
            below->SetChecked(item->GetChecked());
            if (below == last) break;
        }
        tree_->SetUpdating(false);
        Report(QStringLiteral("%1 %2").arg(Path(item), item->GetChecked() ? QStringLiteral("angekreuzt")
                                                                           : QStringLiteral("nicht angekreuzt")));
    }

    void Report(const QString& text) { status_->setText(text); }

public:
    QString root_;

private:
    std::unique_ptr<gdi::ImageList> images_;
    TMcTree* tree_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace

int RunFolderTree(QApplication& app, const QString& rootFolder, const QString& screenshot) {
    QWidget window;
    window.setWindowTitle(QStringLiteral("Ordnerbaum: %1").arg(rootFolder));
    QString root = QDir(rootFolder).absolutePath();
    if (root.endsWith('/')) root.chop(1);
    FolderTree folders(root.isEmpty() ? QStringLiteral("/") : root, window);
    folders.root_ = root;
    window.resize(640, 420);
    window.show();
    folders.Tree().setFocus();
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(300, [&] {
            window.grab().save(screenshot);
            app.quit();
        });
    }
    return app.exec();
}
