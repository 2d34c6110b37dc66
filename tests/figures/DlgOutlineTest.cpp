// The directory-tree wizard over a folder tree in a temporary folder that
// the drive list offers as its only volume.
#include "controls/ZRDriveListBox.h"
#include "controls/ZRLayoutOutline.h"
#include "controls/ZRPreviewOutline.h"
#include "controls/ZRSelectOutline.h"
#include "figures/widgets/DlgOutline.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>

namespace {

struct WizardVolume {
    QTemporaryDir dir;
    WizardVolume() {
        for (const char* path : {"Fotos/2025", "Fotos/2026", "Musik"}) QDir(dir.path()).mkpath(QString::fromUtf8(path));
    }
    TVolumeSource Source() const {
        const QString root = dir.path();
        return [root] { return std::vector<shell::Volume>{{root, shell::VolumeType::Removable, {}, {}}}; };
    }
};

}  // namespace

TEST(DlgOutline, ChoosingTheDriveReadsItAndTheButtonsWalkThePages) {
    WizardVolume volume;
    TDlgOutline wizard(nullptr, volume.Source());
    EXPECT_EQ(wizard.PageIndex(), 0);
    EXPECT_FALSE(wizard.BtnWeiter->isEnabled());
    EXPECT_FALSE(wizard.BtnZurueck->isEnabled());

    wizard.DriveList->SetDrive(volume.dir.path());
    EXPECT_EQ(wizard.PageIndex(), 1);
    EXPECT_EQ(wizard.LayoutOutline->Data().Count(), 4);
    EXPECT_EQ(wizard.lblAnzahlDir->text(), "2 von 4 Verzeichnissen dargestellt");
    EXPECT_FALSE(wizard.lblCut->isVisibleTo(&wizard));

    wizard.LayoutOutline->ExpandLine(0);
    EXPECT_EQ(wizard.lblAnzahlDir->text(), "4 von 4 Verzeichnissen dargestellt");
    wizard.BtnWeiter->click();
    ASSERT_EQ(wizard.PageIndex(), 2);
    ASSERT_EQ(wizard.SelectOutline->count(), 4);
    wizard.SelectOutline->UncheckLine(2);  // Fotos/2026
    wizard.BtnWeiter->click();
    EXPECT_EQ(wizard.PageIndex(), 3);
    EXPECT_EQ(wizard.BtnWeiter->text(), "OK");
    EXPECT_EQ(wizard.PreviewOutline->count(), 3);

    wizard.BtnZurueck->click();
    EXPECT_EQ(wizard.BtnWeiter->text(), "Weiter");
    wizard.BtnWeiter->click();
    wizard.cbLines->setChecked(false);
    EXPECT_FALSE(wizard.PreviewOutline->ShowLines());
    wizard.SetColumnIndex(1);
    wizard.BtnWeiter->click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_EQ(wizard.ColumnIndex(), 1);
    const TZROutlDataList& chosen = wizard.Data();
    ASSERT_EQ(chosen.Count(), 4);
    EXPECT_EQ(chosen.GetItem(2).CheckState, 0);
    EXPECT_EQ(chosen.GetItem(1).IsLastShown, 1);  // 2025 is the last shown child
}

TEST(DlgOutline, AListTheFigureHoldsStartsOnTheTreePage) {
    TZROutlDataList list;
    list.Add(std::make_unique<TZROutlData>(TZROutlData{.Path = "/media/cd/A", .Level = 0, .Visible = 1}));
    TDlgOutline wizard(nullptr, {});
    wizard.SetData(list);
    EXPECT_EQ(wizard.PageIndex(), 1);
    EXPECT_TRUE(wizard.BtnZurueck->isEnabled());
    EXPECT_TRUE(wizard.BtnWeiter->isEnabled());
    EXPECT_EQ(wizard.lblAnzahlDir->text(), "1 von 1 Verzeichnissen dargestellt");
    EXPECT_EQ(wizard.Data().Count(), 1);
    // Back to the drive page: Back is disabled there.
    wizard.BtnZurueck->click();
    EXPECT_EQ(wizard.PageIndex(), 0);
    EXPECT_FALSE(wizard.BtnZurueck->isEnabled());
}
