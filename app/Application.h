#pragma once
// The program's application object. Every event passes through notify(),
// which catches whatever a handler throws and shows it (ExceptionHandler.h),
// so no exception ever crosses the event loop.

#include <QtWidgets/QApplication>

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;

    // Asks the program to end after start-up: the start sequence still runs,
    // commands that would open dialogs do nothing, and the event loop is not
    // entered (or left at once).
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Takes the request back (tests that start several main windows).
    void CancelTerminate() { terminated_ = false; }

private:
    bool terminated_ = false;
};

// The running TApplication; null when the application object is another one.
TApplication* App();
// True after Terminate() or while the application shuts down.
bool ApplicationTerminating();

// Masks every floating-point exception and rounds to nearest: a division by
// zero gives an infinity, an invalid operation a NaN, never a signal.
void MaskFloatingPointExceptions();

// Registers the program's icons, cursors and pictures (":/icons", ":/cursors",
// ":/pictures"); safe to call more than once.
void InitAppResources();
