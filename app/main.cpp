// Program entry. The main window is not built yet: the program starts its
// application object, reports that and ends.
#include <QtWidgets/QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::puts("Zorbit: the main window is not available yet.");
    return 0;
}
