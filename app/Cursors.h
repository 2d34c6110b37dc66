#pragma once
// The program's mouse cursors. Each cursor picture is identified by a
// resource number; the main window installs them as numbered screen cursors,
// which the drawing modes and selection handles name. Screen cursor 1 is the
// system's pointing hand.

#include <QtGui/QCursor>

#include <span>

struct TCursorResource {
    int id;
    const char* file;  // under ":/cursors/"
    int hotX;
    int hotY;
};
std::span<const TCursorResource> CursorResources();

// The cursor of the resource; the arrow for an unknown resource.
QCursor LoadCursorResource(int resourceId);

struct TScreenCursorEntry {
    int number;
    int resourceId;
};
// Screen cursor number -> resource, as the main window installs them.
std::span<const TScreenCursorEntry> ScreenCursorTable();

// Installs the screen cursor table (and cursor 1, the hand).
void LoadScreenCursors();
void SetScreenCursor(int number, const QCursor& cursor);
// The screen cursor of the number; the arrow when none is installed.
QCursor ScreenCursor(int number);
bool HasScreenCursor(int number);
