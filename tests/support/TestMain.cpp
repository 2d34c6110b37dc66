// Entry point of every test binary: an application object on Qt's offscreen
// platform (widgets where the binary has them; the program's own application
// object for the frame's tests) and the Qt printers, as the program starts,
// then the tests.
#include "platform/qtprinter/QtPrinterBackend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#if defined(ZORBIT_TEST_APP)
#include "app/Application.h"
using TestApplication = TApplication;
#elif defined(ZORBIT_TEST_WIDGETS)
#include <QtWidgets/QApplication>
using TestApplication = QApplication;
#else
#include <QtGui/QGuiApplication>
using TestApplication = QGuiApplication;
#endif

namespace {

// The private folders that the test run names (see zorbit_test) exist before
// the first test, whichever test comes first.
void MakePrivateFolders() {
    for (const char* variable : {"HOME", "TMPDIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const char* folder = std::getenv(variable);
        if (!folder || !*folder) continue;
        std::error_code ignored;  // a folder that cannot be made fails the tests that need it
        std::filesystem::create_directories(folder, ignored);
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ignored);
    }
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    MakePrivateFolders();
    TestApplication app(argc, argv);
    gdi::InstallQtPrinters();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
