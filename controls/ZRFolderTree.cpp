#include "controls/ZRFolderTree.h"

#include "controls/ZRDrivesList.h"

#include "foundation/Codepage1252.h"
#include "foundation/Localizer.h"

#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QFileInfo>
#include <QtGui/QGuiApplication>
#include <QtGui/QSessionManager>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileIconProvider>
#include <QtWidgets/QStyle>

#include <algorithm>
#include <vector>

namespace {

constexpr int kFolderPictureSize = 16;

gdi::Bitmap FolderPicture(const QIcon& icon, QStyle::StandardPixmap fallback) {
    QIcon shown = icon.isNull() ? QApplication::style()->standardIcon(fallback) : icon;
    QImage image(kFolderPictureSize, kFolderPictureSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QPixmap pixmap = shown.pixmap(kFolderPictureSize, kFolderPictureSize);
    if (!pixmap.isNull()) image = pixmap.toImage().scaled(kFolderPictureSize, kFolderPictureSize);
    return gdi::Bitmap(image);
}

// The pictures of the node kinds, in the order of TZRFolderTree::Picture.
std::unique_ptr<gdi::ImageList> FolderTreePictures(const QString& home) {
    const QFileIconProvider icons;
    auto list = std::make_unique<gdi::ImageList>(kFolderPictureSize, kFolderPictureSize);
    const QIcon folder = icons.icon(QFileIconProvider::Folder);
    list->Add(FolderPicture(folder, QStyle::SP_DirClosedIcon));
    list->Add(FolderPicture(QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon), QStyle::SP_DirOpenIcon));
    list->Add(FolderPicture(icons.icon(QFileInfo(home)), QStyle::SP_DirHomeIcon));
    list->Add(FolderPicture(icons.icon(QFileIconProvider::Computer), QStyle::SP_ComputerIcon));
    list->Add(FolderPicture(icons.icon(QFileIconProvider::Drive), QStyle::SP_DriveHDIcon));
    list->Add(FolderPicture(icons.icon(QFileIconProvider::Network), QStyle::SP_DriveNetIcon));
    list->Add(FolderPicture(icons.icon(QFileIconProvider::Trashcan), QStyle::SP_TrashIcon));
    return list;
}

bool HasSubfolders(const QString& path) {
    QDirIterator it(path, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    return it.hasNext();
}

// Whether the folder path lies in or is the folder.
bool IsInFolder(const QString& path, const QString& folder) {
    return folder == QLatin1String("/") || path == folder || path.startsWith(folder + u'/');
}

}  // namespace

TZRFolderTree::TZRFolderTree(QWidget* parent, TVolumeSource volumes, QString homeFolder)
    : TMcTree(parent), volumes_(std::move(volumes)),
      home_(shell::VolumeRootPath(homeFolder.isEmpty() ? QDir::homePath() : homeFolder)),
      pictures_(FolderTreePictures(home_)) {
    SetUpdating(true);
    SetImages(pictures_.get());
    SetShowRoot(true);
    SetShowButtons(true);
    SetShowLines(true);
    SetDoInplaceEdit(false);
    SetUpdating(false);
    QObject::connect(&Localizer(), &TLocalizer::LanguageChanged, this, [this] { RenameSpecialNodes(); });
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QObject::connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
            if (!QueryEndSession()) manager.cancel();
        });
    }
}

TZRFolderTree::~TZRFolderTree() {
    SetImages(nullptr);
}

void TZRFolderTree::SetActive(bool value) {
    if (value == active_) return;
    active_ = value;
    if (!active_) {
        SetUpdating(true);
        Items().Clear();
        drivesNode_ = nullptr;
        SetUpdating(false);
        return;
    }
    Fill();
    ApplyFolderOptions();
    if (TMcTreeItem* first = RootItem()->GetFirstChild()) ScrollItemToTop(first);
}

void TZRFolderTree::SetFolderOptions(SFolderOption value) {
    options_ = value;
    if (active_) ApplyFolderOptions();
}

void TZRFolderTree::SetDisplayMode(TDisplayMode value) {
    displayMode_ = value;
    if (!active_) return;
    SetUpdating(true);
    for (TMcTreeItem* item : AllItems()) ApplyDisplayMode(item);
    SetUpdating(false);
}

std::string TZRFolderTree::Shown(const QString& name) const {
    switch (displayMode_) {
    case TDisplayMode::dmUppercase: return UnicodeToAnsi(name.toUpper());
    case TDisplayMode::dmLowercase: return UnicodeToAnsi(name.toLower());
    case TDisplayMode::dmAsis: break;
    }
    return UnicodeToAnsi(name);
}

void TZRFolderTree::ApplyDisplayMode(TMcTreeItem* item) {
    if (const TFolderNode* node = NodeOf(item)) item->SetText(Shown(node->name));
}

TMcTreeItem* TZRFolderTree::AddNode(TMcTreeItem* parent, TFolderNode node, Picture picture, bool hasChildren) {
    const bool virtualFirst = node.kind != TFolderNode::kFolder && options_.testFlag(foVirtualFirst);
    TMcTreeItem* item = virtualFirst ? Items().AddChildFirst(parent, Shown(node.name))
                                     : Items().AddChild(parent, Shown(node.name));
    item->SetImageIndex(picture);
    item->SetStateImageIndex(picture == kFolderPicture ? kOpenFolderPicture : picture);
    item->SetForceButtons(hasChildren);
    nodes_[item] = std::move(node);
    return item;
}

namespace {

QString SpecialNodeName(TFolderNode::Kind kind) {
    switch (kind) {
    case TFolderNode::kHome: return LocalizedText("IDS_FOLDERTREEHOME");
    case TFolderNode::kDrives: return LocalizedText("IDS_FOLDERTREEDRIVES");
    case TFolderNode::kNetwork: return LocalizedText("IDS_FOLDERTREENETWORK");
    case TFolderNode::kRecycleBin: return LocalizedText("IDS_FOLDERTREERECYCLEBIN");
    case TFolderNode::kFolder: break;
    }
    return QString();
}

}  // namespace

TMcTreeItem* TZRFolderTree::AddSpecialNode(TFolderNode::Kind kind) {
    static constexpr Picture kPictures[] = {kFolderPicture, kNetworkPicture, kRecycleBinPicture, kDrivesPicture,
                                            kHomePicture};
    TMcTreeItem* root = RootItem()->GetFirstChild();
    return AddNode(root, {kind == TFolderNode::kHome ? home_ : QString(), SpecialNodeName(kind), kind},
                   kPictures[kind], kind == TFolderNode::kDrives || kind == TFolderNode::kHome);
}

void TZRFolderTree::RenameSpecialNodes() {
    SetUpdating(true);
    for (auto& [item, node] : nodes_) {
        if (node.kind == TFolderNode::kFolder) continue;
        node.name = SpecialNodeName(node.kind);
        ApplyDisplayMode(const_cast<TMcTreeItem*>(item));
    }
    SetUpdating(false);
}

void TZRFolderTree::Fill() {
    SetUpdating(true);
    TMcTreeItem* home = AddSpecialNode(TFolderNode::kHome);
    drivesNode_ = AddSpecialNode(TFolderNode::kDrives);
    ListChildren(home);
    home->SetForceButtons(false);
    home->Expand(false);
    drivesNode_->Expand(false);
    SetUpdating(false);
}

TMcTreeItem* TZRFolderTree::ChildOfKind(TFolderNode::Kind kind) const {
    const TMcTreeItem* root = RootItem()->GetFirstChild();
    for (TMcTreeItem* child = root ? root->GetFirstChild() : nullptr; child; child = child->GetNextSibling()) {
        const TFolderNode* node = NodeOf(child);
        if (node && node->kind == kind) return child;
    }
    return nullptr;
}

void TZRFolderTree::ApplyFolderOptions() {
    SetUpdating(true);
    const std::pair<TFolderOption, TFolderNode::Kind> specials[] = {
        {foRecycleBin, TFolderNode::kRecycleBin}, {foNetworkNeighborhood, TFolderNode::kNetwork}};
    for (const auto& [option, kind] : specials) {
        TMcTreeItem* present = ChildOfKind(kind);
        if (options_.testFlag(option) && !present) {
            AddSpecialNode(kind);
        } else if (!options_.testFlag(option) && present) {
            present->Delete();
        }
    }
    SetUpdating(false);
}

const TFolderNode* TZRFolderTree::NodeOf(const TMcTreeItem* item) const {
    const auto it = nodes_.find(item);
    return it == nodes_.end() ? nullptr : &it->second;
}

QString TZRFolderTree::PathOf(const TMcTreeItem* item) const {
    const TFolderNode* node = NodeOf(item);
    if (!node || (node->kind != TFolderNode::kFolder && node->kind != TFolderNode::kHome)) return QString();
    return node->path;
}

QString TZRFolderTree::GetSelectedPath() const { return PathOf(FocusedItem()); }

void TZRFolderTree::DoItemExpanding(TMcTreeItem* item, bool& canProcess) {
    const TFolderNode* node = NodeOf(item);
    if (node && !node->listed && !item->HasChildren()) {
        if (!ListChildren(item)) canProcess = false;
    }
    TMcTree::DoItemExpanding(item, canProcess);
}

void TZRFolderTree::DoItemDeletion(TMcTreeItem* item) {
    TMcTree::DoItemDeletion(item);
    if (item == drivesNode_) drivesNode_ = nullptr;
    nodes_.erase(item);
}

void TZRFolderTree::DoDblClick() {
    CheckSelection();
    TMcTree::DoDblClick();
}

bool TZRFolderTree::ListChildren(TMcTreeItem* item) {
    TFolderNode& node = nodes_[item];
    if (node.kind != TFolderNode::kFolder && node.kind != TFolderNode::kHome && node.kind != TFolderNode::kDrives)
        return true;
    const QFileInfo folder(node.path);
    if (node.kind != TFolderNode::kDrives && !(folder.isDir() && folder.isReadable())) return false;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    SetUpdating(true);
    node.listed = true;
    if (node.kind == TFolderNode::kDrives) {
        ListVolumes(item);
    } else {
        ListFolders(item);
    }
    item->SetForceButtons(false);
    SetUpdating(false);
    QGuiApplication::restoreOverrideCursor();
    return true;
}

std::vector<shell::Volume> TZRFolderTree::Volumes() const {
    return volumes_ ? volumes_() : std::vector<shell::Volume>();
}

void TZRFolderTree::ListVolumes(TMcTreeItem* item) {
    for (const shell::Volume& volume : Volumes()) {
        AddNode(item, {volume.rootPath, TZRDrivesList::DisplayName(volume), TFolderNode::kFolder}, kVolumePicture,
                true);
    }
}

// The subfolders, hidden ones too, sorted by name ignoring case after the
// nodes that are no folders.
void TZRFolderTree::ListFolders(TMcTreeItem* item) {
    const QString path = nodes_[item].path;
    QFileInfoList folders = QDir(path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::NoSort);
    std::sort(folders.begin(), folders.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return QString::compare(a.fileName(), b.fileName(), Qt::CaseInsensitive) < 0;
    });
    for (const QFileInfo& info : folders) {
        const QString child = shell::JoinVolumePath(path, info.fileName());
        AddNode(item, {child, info.fileName(), TFolderNode::kFolder}, kFolderPicture,
                !info.isReadable() || HasSubfolders(child));
    }
}

TMcTreeItem* TZRFolderTree::ChildWithPath(TMcTreeItem* parent, const QString& path, bool mayList) {
    if (!parent) return nullptr;
    const TFolderNode* node = NodeOf(parent);
    if (node && !node->listed && !parent->HasChildren()) {
        if (!mayList) return nullptr;
        ListChildren(parent);
    }
    for (TMcTreeItem* child = parent->GetFirstChild(); child; child = child->GetNextSibling()) {
        if (PathOf(child) == path) return child;
    }
    return nullptr;
}

// The node of a folder: from the home node when the folder is in the home
// folder, otherwise from the node of the volume that holds it; then one
// folder name after the other. The deepest node found when a name is
// missing.
TMcTreeItem* TZRFolderTree::FindNode(const QString& path, bool mayList) {
    TMcTreeItem* home = RootItem()->GetFirstChild();
    if (!home || path.isEmpty()) return nullptr;
    TMcTreeItem* current = nullptr;
    if (IsInFolder(path, home_) && home_ != QLatin1String("/")) {
        current = home;
    } else {
        const std::vector<shell::Volume> volumes = Volumes();
        const shell::Volume* volume = VolumeOfFolder(volumes, path);
        if (!volume) return nullptr;
        current = ChildWithPath(drivesNode_, volume->rootPath, mayList);
    }
    if (!current) return nullptr;
    QString reached = PathOf(current);
    const QStringList names = path.mid(reached.size()).split(u'/', Qt::SkipEmptyParts);
    for (const QString& name : names) {
        reached = shell::JoinVolumePath(reached, name);
        TMcTreeItem* next = ChildWithPath(current, reached, mayList);
        if (!next) return mayList ? current : nullptr;
        current = next;
    }
    return current;
}

TMcTreeItem* TZRFolderTree::SelectPath(const QString& path) {
    const QString folder = shell::VolumeRootPath(path);
    TMcTreeItem* item = FindNode(folder, true);
    SetUpdating(true);
    if (item) {
        for (TMcTreeItem* up = item->GetParent(); up; up = up->GetParent()) up->Expand(false);
    }
    SetSelectedItem(item);
    FocusItem(item, true);
    SetUpdating(false);
    if (!item) return nullptr;
    MakeItemVisible(item);
    const QString selected = PathOf(item);
    if (!selected.isEmpty() && !QFileInfo(selected).isDir()) {
        RefreshVolume(selected);
        return nullptr;
    }
    return item;
}

// A selected folder that vanished refreshes its volume; a volume or a node
// that is no folder gets its expand button back.
void TZRFolderTree::CheckSelection() {
    TMcTreeItem* item = FocusedItem();
    const TFolderNode* node = NodeOf(item);
    if (!node) return;
    const bool volumeRoot = node->kind == TFolderNode::kFolder && item->GetParent() == drivesNode_;
    if (PathOf(item).isEmpty() || volumeRoot) {
        if (!item->HasChildren()) item->SetForceButtons(true);
        nodes_[item].listed = false;
    } else if (!QFileInfo(node->path).isDir()) {
        RefreshVolume(node->path);
    }
}

// Reads the volume's name again; the volume node forgets its folders and
// closes, to be read again when opened.
void TZRFolderTree::RefreshVolume(const QString& path) {
    if (!drivesNode_) return;
    const std::vector<shell::Volume> volumes = Volumes();
    const shell::Volume* volume = VolumeOfFolder(volumes, path);
    if (!volume) return;
    TMcTreeItem* item = nullptr;
    for (TMcTreeItem* child = drivesNode_->GetFirstChild(); child; child = child->GetNextSibling()) {
        if (PathOf(child) == volume->rootPath) item = child;
    }
    if (!item) return;
    const QString name = TZRDrivesList::DisplayName(*volume);
    TFolderNode& node = nodes_[item];
    SetUpdating(true);
    SetSelectedItem(nullptr);
    item->Collapse(false);
    while (TMcTreeItem* child = item->GetFirstChild()) child->Delete();
    node.name = name;
    node.listed = false;
    item->SetForceButtons(true);
    ApplyDisplayMode(item);
    SetUpdating(false);
}

bool TZRFolderTree::QueryEndSession() {
    bool canEndSession = true;
    if (OnEndSessionQuery) OnEndSessionQuery(*this, canEndSession);
    return canEndSession;
}
