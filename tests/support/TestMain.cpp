// Entry point of every test binary: an application object on Qt's offscreen
// platform (widgets where the binary has them; the program's own application
// object for the frame's tests) and the Qt printers, as the program starts,
// then the tests.
#include "platform/qtprinter/QtPrinterBackend.h"

#include <gtest/gtest.h>

#include <cstdlib>

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

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TestApplication app(argc, argv);
    gdi::InstallQtPrinters();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
