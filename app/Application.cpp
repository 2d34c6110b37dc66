#include "app/Application.h"

#include "app/ExceptionHandler.h"

#include <cfenv>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) { InitAppResources(); }

TApplication::~TApplication() = default;

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowApplicationException(std::current_exception());
        return false;
    }
}

void TApplication::Terminate() {
    terminated_ = true;
    quit();
}

TApplication* App() { return qobject_cast<TApplication*>(QCoreApplication::instance()); }

bool ApplicationTerminating() {
    if (QCoreApplication::closingDown()) return true;
    const TApplication* app = App();
    return app && app->Terminated();
}

void MaskFloatingPointExceptions() {
    std::fesetround(FE_TONEAREST);
#if defined(__GLIBC__)
    fedisableexcept(FE_ALL_EXCEPT);
#endif
    std::feclearexcept(FE_ALL_EXCEPT);
}

void InitAppResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)done;
}
