#pragma once
// The wait cursor for as long as the object lives (and nothing without a GUI
// application, as in command-line tools and fuzz targets).

#include <QtCore/QCoreApplication>
#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>

class TWaitCursor {
public:
    TWaitCursor() : active_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (active_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~TWaitCursor() {
        if (active_) QGuiApplication::restoreOverrideCursor();
    }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    bool active_;
};
