// zorbit-folder-tree [--select folder] [--options] [--upper] [--screenshot picture.png]:
// the folder tree of this machine (the home folder, the mounted volumes and
// their folders) in a small window, with the selected folder's path below
// it; --options adds the network and wastebasket nodes, --upper shows the
// names in capitals. With a screenshot path the window is saved as a
// picture once painted and the program ends.
#include "controls/ZRFolderTree.h"

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString select, screenshot;
    SFolderOption options;
    TDisplayMode mode = TDisplayMode::dmAsis;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == "--select" && i + 1 < argc) select = QString::fromLocal8Bit(argv[++i]);
        if (arg == "--screenshot" && i + 1 < argc) screenshot = QString::fromLocal8Bit(argv[++i]);
        if (arg == "--options") options = foNetworkNeighborhood | foRecycleBin;
        if (arg == "--upper") mode = TDisplayMode::dmUppercase;
    }

    QWidget window;
    window.setWindowTitle(QStringLiteral("Ordnerbaum"));
    auto* layout = new QVBoxLayout(&window);
    auto* tree = new TZRFolderTree(&window);
    auto* path = new QLabel(&window);
    layout->addWidget(tree, 1);
    layout->addWidget(path);
    tree->OnItemFocused = [&](TCustomMcTree&) {
        const QString selected = tree->GetSelectedPath();
        path->setText(selected.isEmpty() ? QStringLiteral("(kein Ordner)") : selected);
    };
    tree->SetFolderOptions(options);
    tree->SetDisplayMode(mode);
    tree->SetActive(true);
    if (!select.isEmpty()) tree->SelectPath(select);
    window.resize(360, 440);
    window.show();
    tree->View().setFocus();
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(300, [&] {
            window.grab().save(screenshot);
            app.quit();
        });
    }
    return app.exec();
}
