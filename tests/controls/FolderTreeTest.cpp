// The folder tree over a temporary home folder and a fake volume whose root
// is a temporary folder too; never this machine's own mounts.
#include "controls/ZRFolderTree.h"

#include "foundation/Codepage1252.h"
#include "foundation/Localizer.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

namespace {

class FolderTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid() && stick_.isValid());
        for (const char* folder : {"zeta", "Alpha/inner", "beta", ".hidden"}) QDir(home_.path()).mkpath(folder);
        for (const char* folder : {"a/b/c/d", "a/empty", "photos"}) QDir(stick_.path()).mkpath(folder);
        volumes_ = {{stick_.path(), shell::VolumeType::Removable, "STICK", ""}};
        window_.resize(300, 400);
        tree_ = new TZRFolderTree(&window_, [this] { return volumes_; }, home_.path());
        tree_->setGeometry(0, 0, 300, 400);
        window_.show();
    }

    QString Stick(const char* folder = nullptr) const {
        return folder ? stick_.path() + u'/' + QLatin1String(folder) : stick_.path();
    }
    TMcTreeItem* Home() { return tree_->RootItem()->GetFirstChild(); }
    TMcTreeItem* Volume() { return tree_->DrivesNode()->GetFirstChild(); }
    static TMcTreeItem* ChildNamed(const TMcTreeItem* item, const std::string& text) {
        for (TMcTreeItem* c = item->GetFirstChild(); c; c = c->GetNextSibling())
            if (c->Text() == text) return c;
        return nullptr;
    }
    static std::string Children(const TMcTreeItem* item) {
        std::string out;
        for (TMcTreeItem* c = item->GetFirstChild(); c; c = c->GetNextSibling())
            out += (out.empty() ? "" : " ") + c->Text();
        return out;
    }

    QTemporaryDir home_, stick_;
    std::vector<shell::Volume> volumes_;
    QWidget window_;
    TZRFolderTree* tree_ = nullptr;
};

TEST_F(FolderTreeTest, ActiveTreeShowsHomeWithTheDrivesFirstAndItsFoldersSortedIgnoringCase) {
    EXPECT_EQ(tree_->RootItem()->GetChildCount(), 0);  // filled only while active
    tree_->SetActive(true);
    ASSERT_EQ(tree_->RootItem()->GetChildCount(), 1);
    EXPECT_EQ(Children(Home()), "Laufwerke .hidden Alpha beta zeta");
    EXPECT_TRUE(Home()->Expanded());
    EXPECT_TRUE(tree_->DrivesNode()->Expanded());
    EXPECT_EQ(Children(tree_->DrivesNode()), UnicodeToAnsi(QStringLiteral("STICK (%1)").arg(Stick())));
    // Volumes are read lazily: nothing below the stick until it opens; a
    // folder without subfolders shows no button.
    EXPECT_FALSE(Volume()->HasChildren());
    EXPECT_TRUE(Volume()->ForceButtons());
    Volume()->Expand(false);
    EXPECT_EQ(Children(Volume()), "a photos");
    EXPECT_TRUE(Volume()->GetFirstChild()->ForceButtons());
    EXPECT_FALSE(Volume()->GetLastChild()->ForceButtons());

    tree_->SetActive(false);
    EXPECT_EQ(tree_->RootItem()->GetChildCount(), 0);
    EXPECT_EQ(tree_->DrivesNode(), nullptr);
}

TEST_F(FolderTreeTest, SelectPathReadsTheFoldersOnTheWayAndAVanishedFolderRefreshesItsVolume) {
    tree_->SetActive(true);
    TMcTreeItem* c = tree_->SelectPath(Stick("a/b/c/"));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Text(), "c");
    EXPECT_EQ(tree_->GetSelectedPath(), Stick("a/b/c"));
    EXPECT_EQ(Children(Volume()), "a photos");
    EXPECT_FALSE(c->HasChildren());  // not read beyond the folder
    EXPECT_TRUE(c->GetParent()->Expanded());

    // In the home folder the way starts at the home node.
    TMcTreeItem* inner = tree_->SelectPath(home_.path() + QStringLiteral("/Alpha/inner"));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->GetParent()->GetParent(), Home());

    // A path further than the folders gives the deepest folder found.
    EXPECT_EQ(tree_->SelectPath(Stick("a/b/missing/x")), c->GetParent());
    // Outside every volume and the home folder there is nothing to select.
    EXPECT_EQ(tree_->SelectPath(QStringLiteral("/nowhere-else")), nullptr);
    EXPECT_EQ(tree_->SelectPath(QString()), nullptr);
    EXPECT_EQ(tree_->GetSelectedPath(), QString());

    ASSERT_NE(tree_->SelectPath(Stick("a/b/c")), nullptr);
    ASSERT_TRUE(QDir(Stick("a/b")).removeRecursively());
    EXPECT_EQ(tree_->SelectPath(Stick("a/b/c")), nullptr);
    EXPECT_FALSE(Volume()->HasChildren());
    EXPECT_FALSE(Volume()->Expanded());
    EXPECT_TRUE(Volume()->ForceButtons());
    Volume()->Expand(false);
    EXPECT_EQ(Children(Volume()), "a photos");
    TMcTreeItem* a = tree_->SelectPath(Stick("a"));
    ASSERT_NE(a, nullptr);
    a->Expand(false);
    EXPECT_EQ(Children(a), "empty");
}

TEST_F(FolderTreeTest, FolderGoneFromDiskRefusesToOpenAndADoubleClickOnItRefreshesItsVolume) {
    tree_->SetActive(true);
    TMcTreeItem* b = tree_->SelectPath(Stick("a/b"));
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(QDir(Stick("a/b")).removeRecursively());
    b->Expand(false);
    EXPECT_FALSE(b->Expanded());
    EXPECT_TRUE(b->ForceButtons());

    int clicks = 0;
    tree_->OnDblClick = [&](TCustomMcTree&) { ++clicks; };
    tree_->DoDblClick();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(Volume()->HasChildren());
    EXPECT_EQ(tree_->GetSelectedPath(), Stick());  // the selection moves up to the volume
}

TEST_F(FolderTreeTest, SelectedPathOfEachKindOfNode) {
    tree_->SetFolderOptions(foRecycleBin | foNetworkNeighborhood);
    tree_->SetActive(true);
    struct Case {
        const char* what;
        TMcTreeItem* item;
        QString path;
    };
    const Case cases[] = {
        {"home", Home(), home_.path()},
        {"drives", tree_->DrivesNode(), QString()},
        {"volume", Volume(), Stick()},
        {"network", ChildNamed(Home(), "Netzwerk"), QString()},
        {"wastebasket", ChildNamed(Home(), "Papierkorb"), QString()},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.item, nullptr) << c.what;
        tree_->SetSelectedItem(c.item);
        tree_->FocusItem(c.item, true);
        EXPECT_EQ(tree_->GetSelectedPath(), c.path) << c.what;
    }
}

TEST_F(FolderTreeTest, DisplayModeChangesEveryTextAndRestoresTheNames) {
    tree_->SetActive(true);
    Volume()->Expand(false);
    tree_->SetDisplayMode(TDisplayMode::dmUppercase);
    EXPECT_EQ(Children(Home()), "LAUFWERKE .HIDDEN ALPHA BETA ZETA");
    EXPECT_EQ(Children(Volume()), "A PHOTOS");
    tree_->SetDisplayMode(TDisplayMode::dmLowercase);
    EXPECT_EQ(Children(Home()), "laufwerke .hidden alpha beta zeta");
    tree_->SetDisplayMode(TDisplayMode::dmAsis);
    EXPECT_EQ(Children(Home()), "Laufwerke .hidden Alpha beta zeta");
    // The nodes that are no folders are named in the language of the moment.
    Localizer().SetLanguage(1);
    EXPECT_EQ(Home()->Text(), "Home folder");
    EXPECT_EQ(Children(Home()), "Drives .hidden Alpha beta zeta");
    Localizer().SetLanguage(0);
    EXPECT_EQ(Home()->Text(), "Pers\xF6nlicher Ordner");
    // Folders read later follow the mode too.
    tree_->SetDisplayMode(TDisplayMode::dmUppercase);
    EXPECT_EQ(tree_->SelectPath(Stick("a/b"))->Text(), "B");
}

TEST_F(FolderTreeTest, FolderOptionsAddTheirNodesOnceAndRemoveThem) {
    tree_->SetActive(true);
    tree_->SetFolderOptions(foRecycleBin);
    tree_->SetFolderOptions(foRecycleBin);
    EXPECT_EQ(Children(Home()), "Laufwerke .hidden Alpha beta zeta Papierkorb");
    tree_->SetFolderOptions(foNetworkNeighborhood);
    EXPECT_EQ(Children(Home()), "Laufwerke .hidden Alpha beta zeta Netzwerk");
    tree_->SetFolderOptions({});
    EXPECT_EQ(Children(Home()), "Laufwerke .hidden Alpha beta zeta");
    tree_->SetFolderOptions(foVirtualFirst | foRecycleBin);
    EXPECT_EQ(Children(Home()), "Papierkorb Laufwerke .hidden Alpha beta zeta");
}

TEST_F(FolderTreeTest, EndOfSessionAsksTheHandler) {
    EXPECT_TRUE(tree_->QueryEndSession());
    tree_->OnEndSessionQuery = [](TZRFolderTree&, bool& canEnd) { canEnd = false; };
    EXPECT_FALSE(tree_->QueryEndSession());
}

}  // namespace
