#pragma once
// The directory-tree wizard of the older listing figure, four pages: the
// volume to read, the branches to show, the folders to leave out of the
// print, and the look (plus signs, folder pictures, branch lines, 1 to 3
// columns) over a preview of the chosen folders.

#include "controls/DriveLines.h"
#include "foundation/widgets/LocalizerForm.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class TZRDriveListBox;
class TZRLayoutOutline;
class TZROutlDataList;
class TZRPreviewOutline;
class TZRSelectOutline;

class TDlgOutline : public TLocalizerDialog {
    Q_OBJECT
public:
    explicit TDlgOutline(QWidget* parent = nullptr, TVolumeSource volumes = SystemVolumeSource());

    // Starts on the tree page with a list the figure already holds.
    void SetData(const TZROutlDataList& list);
    // The chosen folders as the figure keeps them (the preview's list).
    const TZROutlDataList& Data() const;
    // 0, 1 or 2 for one to three columns.
    int ColumnIndex() const;
    void SetColumnIndex(int index);

    // Reads the volume chosen in the drive list and moves to the tree page.
    void ReadDrive();
    void Next();
    void Back();
    int PageIndex() const;

    QStackedWidget* nb;
    QPushButton* BtnZurueck;
    QPushButton* BtnWeiter;
    QPushButton* BtnAbbrechen;
    QPushButton* BtnLaufwerkEinlesen;
    QLabel* lblDirRead;
    QLabel* lblAnzahlDir;
    QLabel* lblCut;
    QCheckBox* cbPlusMinus;
    QCheckBox* cbFolder;
    QCheckBox* cbLines;
    QGroupBox* rg;
    QRadioButton* rbColumns[3];
    TZRDriveListBox* DriveList;
    TZRLayoutOutline* LayoutOutline;
    TZRSelectOutline* SelectOutline;
    TZRPreviewOutline* PreviewOutline;

private:
    QWidget* DrivePage(TVolumeSource volumes);
    QWidget* TreePage();
    QWidget* PrintPage();
    QWidget* LookPage();
    void UpdateCount();
    void ShowPage(int index);
};
