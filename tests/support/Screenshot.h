#pragma once
// Pictures of windows for a person to look at, kept only on request.

#include <QtCore/QDir>
#include <QtCore/QString>
#include <QtWidgets/QWidget>

#include <cstdlib>

// With ZORBIT_SCREENSHOTS set to a folder, the window is saved there as
// name.png, at the size its contents ask for unless asIs.
inline void SaveScreenshot(QWidget& window, const QString& name, bool asIs = false) {
    const char* folder = std::getenv("ZORBIT_SCREENSHOTS");
    if (!folder) return;
    if (!asIs) window.adjustSize();
    const QDir out(QString::fromLocal8Bit(folder));
    out.mkpath(QStringLiteral("."));
    window.grab().save(out.filePath(name + QStringLiteral(".png")));
}
