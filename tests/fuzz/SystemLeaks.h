#pragma once
// Fuzz targets that draw text reach fontconfig and Qt, whose caches keep
// what they allocate: the same system-library leaks tests/lsan.supp lists.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libfreetype\nleak:libQt6Gui\nleak:libQt6Core\nleak:libdbus\nleak:libglib\n";
}
