#pragma once
// What the two metafile fuzz targets share: an offscreen application for the
// fonts, a low pixel limit for the pictures in records, and playback that
// must leave the canvas's clip and saved states as they were.
#include "tests/fuzz/SystemLeaks.h"

#include "pictures/ZRMetaFile.h"
#include "platform/gdi/Canvas.h"
#include "platform/imaging/Dib.h"

#include <QtGui/QGuiApplication>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    imaging::SetPixelLimit(1 << 20);
    return 0;
}

inline void PlayChecked(TCustomZRMetaFile& player, gdi::Canvas& canvas, float angle) {
    const gdi::Region clip = gdi::Region::FromRect({2, 2, 60, 50});
    canvas.SelectClipRgn(&clip);
    const int32_t depth = canvas.SaveDC();
    canvas.RestoreDC(-1);
    player.Draw(canvas, 32, 24, 56, 40, angle);
    if (canvas.GetClipRgn() != clip) std::abort();
    if (canvas.SaveDC() != depth) std::abort();
    canvas.RestoreDC(-1);
}
