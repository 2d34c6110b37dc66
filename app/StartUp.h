#pragma once
// The program's life: the start sequence with the start picture, the main
// window and the first document, the event loop, and the end.

#include "app/Startbild.h"

#include <QtCore/QPointer>
#include <QtCore/QString>
#include <QtCore/QStringList>

#include <cstdint>
#include <functional>

class QWidget;

// Milliseconds the start picture stays on the screen at least.
inline int32_t SplashMinTime = 2000;

// The clock of the start picture: a millisecond tick count (it may wrap) and
// a wait that keeps serving events meanwhile.
struct TSplashClock {
    std::function<uint32_t()> ticks;
    std::function<void(uint32_t milliseconds)> wait;
};
TSplashClock SystemSplashClock();

class TSplash {
public:
    explicit TSplash(TSplashClock clock = SystemSplashClock());
    ~TSplash();
    TSplash(const TSplash&) = delete;
    TSplash& operator=(const TSplash&) = delete;

    // Notes the time, shows the start picture and paints it at once.
    void Show();
    // Keeps the picture up until more than SplashMinTime milliseconds have
    // passed since Show(), with the main window disabled meanwhile; then
    // closes it. Does nothing the second time.
    void Close(QWidget* mainWindow);

    TStartbild* Window() const { return window_; }

private:
    TSplashClock clock_;
    uint32_t startTick_ = 0;
    // The picture frees itself when it is closed (by the window manager, for
    // instance); the pointer then turns null.
    QPointer<TStartbild> window_;
};

// What the program opens first.
struct TFirstDocument {
    bool open = false;  // false: the New command
    QString path;
};
// Exactly one argument naming an existing file opens it; anything else (no
// argument, two or more, a missing file) starts a new document.
TFirstDocument ChooseFirstDocument(const QStringList& arguments, const std::function<bool(const QString&)>& fileExists);
bool IsExistingFile(const QString& path);

// The services every window relies on, in the order they depend on each
// other (settings, trace, texts), and the dialogs that the lower layers show
// through handlers: the wrong-tag message of the tagged stream, the field
// dialog, the dialogs of figures and designs (colour and fill among them) and
// the print engine's, with the active document's sheet for the print-position
// dialog.
void InitializeServices();

// The whole program: returns the process exit code.
int RunZorbit(int argc, char** argv);
