#pragma once
// The user's special folders and the program's own folder, from the XDG
// locations of the desktop.

#include <QtCore/QString>

namespace shell {

enum class SpecialFolder {
    AppData,    // per-user application data (XDG data home)
    Config,     // per-user configuration (XDG config home)
    Cache,      // per-user caches (XDG cache home)
    Personal,   // the user's documents
    Desktop,
    Pictures,
    Music,
    Temp,
};

// The folder's path without trailing separator; empty when the desktop
// names none.
QString GetSpecialFolder(SpecialFolder folder);

// The folder of the program file without trailing separator.
QString GetProgramFolderPath();

}  // namespace shell
