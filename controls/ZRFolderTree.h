#pragma once
// A tree of the folders a user may pick: the home folder at the root, below
// it the drives node with the mounted volumes (each known by its root path),
// optionally the network and the wastebasket nodes, and under every folder
// its subfolders, read when the folder is first opened. Node texts are the
// folder names, shown as they are or in upper or lower case.

#include "controls/DriveLines.h"

#include "treectl/tree/McTree.h"

#include "platform/gdi/ImageList.h"

#include <QtCore/QFlags>
#include <QtCore/QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

enum TFolderOption : uint8_t {
    foNetworkNeighborhood = 0x1,
    foRecycleBin = 0x2,
    foVirtualFirst = 0x4,
};
Q_DECLARE_FLAGS(SFolderOption, TFolderOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(SFolderOption)

enum class TDisplayMode { dmAsis, dmUppercase, dmLowercase };

// The record behind a node.
struct TFolderNode {
    enum Kind : uint8_t { kFolder = 0, kNetwork = 1, kRecycleBin = 2, kDrives = 3, kHome = 4 };
    QString path;  // the folder's absolute path; a volume's root path; empty for the nodes that are no folder
    QString name;  // the node text before the display mode applies
    Kind kind = kFolder;
    bool listed = false;  // the subfolders were read
};

class TZRFolderTree : public TMcTree {
public:
    using EndSessionQueryEvent = std::function<void(TZRFolderTree& sender, bool& canEndSession)>;

    // The home folder and the volumes come from this machine unless given.
    explicit TZRFolderTree(QWidget* parent = nullptr, TVolumeSource volumes = SystemVolumeSource(),
                           QString homeFolder = QString());
    ~TZRFolderTree() override;

    bool Active() const { return active_; }
    // True fills the tree (once) and applies the options; false deletes every node.
    void SetActive(bool value);
    SFolderOption FolderOptions() const { return options_; }
    void SetFolderOptions(SFolderOption value);
    TDisplayMode DisplayMode() const { return displayMode_; }
    void SetDisplayMode(TDisplayMode value);

    // The folder of the selected node; empty when none is selected or the
    // node is no folder (the drives, network and wastebasket nodes).
    QString GetSelectedPath() const;
    // Selects the node of the folder, reading the folders on the way; the
    // deepest node found when the path goes further than the tree. A folder
    // that no longer exists refreshes its volume and gives nullptr.
    TMcTreeItem* SelectPath(const QString& path);
    // The folder of a node, as GetSelectedPath.
    QString PathOf(const TMcTreeItem* item) const;
    const TFolderNode* NodeOf(const TMcTreeItem* item) const;
    TMcTreeItem* DrivesNode() const { return drivesNode_; }

    // Asks OnEndSessionQuery whether the session may end (true without a handler).
    bool QueryEndSession();
    EndSessionQueryEvent OnEndSessionQuery;

    void DoItemExpanding(TMcTreeItem* item, bool& canProcess) override;
    void DoItemDeletion(TMcTreeItem* item) override;
    void DoDblClick() override;

private:
    enum Picture : int32_t { kFolderPicture, kOpenFolderPicture, kHomePicture, kDrivesPicture, kVolumePicture,
                             kNetworkPicture, kRecycleBinPicture };

    void Fill();
    TMcTreeItem* AddNode(TMcTreeItem* parent, TFolderNode node, Picture picture, bool hasChildren);
    // The home node at the top, the others below it.
    TMcTreeItem* AddSpecialNode(TFolderNode::Kind kind);
    void RenameSpecialNodes();
    void ApplyFolderOptions();
    void ApplyDisplayMode(TMcTreeItem* item);
    std::string Shown(const QString& name) const;
    // Reads the children of a node once; false when its folder cannot be read.
    bool ListChildren(TMcTreeItem* item);
    void ListFolders(TMcTreeItem* item);
    void ListVolumes(TMcTreeItem* item);
    std::vector<shell::Volume> Volumes() const;
    TMcTreeItem* FindNode(const QString& path, bool mayList);
    TMcTreeItem* ChildWithPath(TMcTreeItem* parent, const QString& path, bool mayList);
    TMcTreeItem* ChildOfKind(TFolderNode::Kind kind) const;
    void CheckSelection();
    void RefreshVolume(const QString& path);

    TVolumeSource volumes_;
    QString home_;
    std::unique_ptr<gdi::ImageList> pictures_;
    std::unordered_map<const TMcTreeItem*, TFolderNode> nodes_;
    TMcTreeItem* drivesNode_ = nullptr;
    SFolderOption options_;
    TDisplayMode displayMode_ = TDisplayMode::dmAsis;
    bool active_ = false;
};
