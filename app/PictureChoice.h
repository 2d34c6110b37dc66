#pragma once
// The picture choosers of the picture tools: the program's own file dialog
// with a preview of the highlighted picture, listing the picture files the
// picture figure reads.

#include <QtCore/QString>
#include <QtCore/QStringList>

class QWidget;

// The picture tool and "Bild einfügen": starts in "Raruvir"/"LastDir" (the
// user's documents folder when none is stored); a chosen file's folder is
// stored there again. False when the user cancelled.
bool SelectPicture(QString& fileName, QWidget* parent = nullptr);
// The clipart tool: starts in "Clipart"/"Dir" (the program folder when none is
// stored), which it does not change.
bool SelectClipart(QString& fileName, QWidget* parent = nullptr);

// The dialog's name filters: the pictures, then every file.
QStringList PictureNameFilters();

// Test seam: replaces both choosers' dialog (null: the dialog again).
using TPictureChooser = bool (*)(QString& fileName, QWidget* parent);
void SetPictureChooser(TPictureChooser chooser);
