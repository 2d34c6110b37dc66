// Entry point of every test binary: an application object on Qt's offscreen
// platform (widgets where the binary has them), then the tests.
#include <gtest/gtest.h>

#include <cstdlib>

#ifdef ZORBIT_TEST_WIDGETS
#include <QtWidgets/QApplication>
using TestApplication = QApplication;
#else
#include <QtGui/QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
