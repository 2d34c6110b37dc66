#pragma once
// The folder-tree window of zorbit-treectl-demo.

#include <QtCore/QString>

class QApplication;

// Shows the tree control with the folders below rootFolder; with a
// screenshot path the window is saved as a picture once painted and the
// program ends.
int RunFolderTree(QApplication& app, const QString& rootFolder, const QString& screenshot);
