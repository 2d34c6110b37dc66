#pragma once
// What the two metafile fuzz targets share: an offscreen application for the
// fonts, a low pixel limit for the pictures in records, and playback that
// must leave the canvas's clip and saved states as they were.
#include "tests/fuzz/SystemLeaks.h"

#include "pictures/ZRMetaFile.h"
#include "foundation/Exceptions.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/RecordingCanvas.h"
#include "platform/imaging/Dib.h"

#include <QtGui/QGuiApplication>

#include <cstdlib>
#include <vector>

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

// Loads the bytes; a refused load must leave the player empty.
inline bool LoadChecked(TCustomZRMetaFile& player, const std::vector<uint8_t>& bytes) {
    TMemoryStream input(bytes);
    try {
        player.LoadFromStream(input, input.Size());
    } catch (const Exception&) {
        if (!player.IsEmpty() || player.GetWidth() != 1) std::abort();
        return false;
    }
    return true;
}

// Plays on a recording unturned and turned, and on a small bitmap.
inline void PlayEverywhere(TCustomZRMetaFile& player, float bitmapAngle) {
    gdi::RecordingCanvas recording;
    for (float angle : {0.0f, 30.0f, 90.0f}) PlayChecked(player, recording, angle);
    gdi::BitmapCanvas bitmap(64, 48);
    PlayChecked(player, bitmap, 0);
    PlayChecked(player, bitmap, bitmapAngle);
}
