#pragma once
// Window placement kept per window in a settings section: "WindowState"
// (0 normal, 1 minimized, 2 maximized) and, for a window that is not
// maximized, "Left", "Top", "Width", "Height" in pixels. The main window uses
// the section "MDIFrame", the picture browser "DlgSelGrafik".

#include <QtCore/QRect>
#include <QtCore/QSize>

#include <string>

class QWidget;

void SaveFormPlacement(const QWidget* form, const std::string& section);
// Restores what SaveFormPlacement stored; missing values keep the window's
// current ones, and the window is kept on the screen.
void LoadFormPlacement(QWidget* form, const std::string& section);

// Places the form centred over the main window and inside the screen; its
// size stays.
void CenterFormOnMaster(QWidget* form, const QWidget* mainWindow);

// Moves a control by dx, dy pixels.
void OffsetControl(QWidget* control, int dx, int dy);

// The rules behind the two placements, on a screen of the given size.
QRect KeepOnScreen(QRect bounds, QSize screen);
QRect CenteredOver(QSize form, const QRect& mainWindow, QSize screen);
