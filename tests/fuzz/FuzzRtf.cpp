// Feeds any bytes as a label text to the RTF drawers: read, wrapped, drawn in
// a box and a table cell, turned, measured for its extent, and set on a
// circle with turned fonts and with glyph outlines. The first byte chooses
// the width, angle, zoom and alignments.
// fuzz-max-len: 8192
#include "tests/fuzz/SystemLeaks.h"

#include "figures/RTFDrawer.h"
#include "figures/RTFEllipseDrawer.h"
#include "foundation/Exceptions.h"
#include "foundation/ScaleCanvas.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/RecordingCanvas.h"
#include "platform/qtprinter/QtPrinterBackend.h"

#include <QtGui/QGuiApplication>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    gdi::InstallQtPrinters();
    return 0;
}

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// Tokens are measured, lines cover the tokens in order.
void CheckDrawer(const TRTFDrawer& d, float width) {
    for (size_t i = 0; i < d.Tokens.size(); ++i) {
        const TRTFToken t = d.Tokens[i];
        Check(std::isfinite(t.Width) && t.Width >= 0 && std::isfinite(t.Height) && t.Height >= 0);
        if (t.Kind == kTokenWord || t.Kind == kTokenField) Check(t.Advances.size() == t.Text.size());
        Check(t.Kind != kTokenParagraph || i + 1 < d.Tokens.size());
    }
    int32_t next = 0;
    for (const TRTFLine& line : d.Lines) {
        Check(line.FirstToken >= next && line.FirstToken <= line.LastToken);
        Check(line.LastToken < static_cast<int32_t>(d.Tokens.size()));
        next = line.LastToken + 1;
    }
    Check(width < 0 || d.Tokens.empty() || !d.Lines.empty() ||
          std::all_of(d.Tokens.begin(), d.Tokens.end(), [](const TRTFToken& t) { return t.Kind == kTokenAlignment; }));
}

void Setup(TScaleCanvas& canvas, float zoom) {
    canvas.Reset(kResetScreen);
    canvas.SetZoom(zoom);
    canvas.VisibleRect = {0, 0, 64, 48};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t options = data[0];
    const std::string rtf(reinterpret_cast<const char*>(data) + 1, size - 1);
    const float width = (options & 3) == 3 ? -1.0f : 4.0f + 12.0f * (options & 3);
    const float angle = (options & 4) ? 30.0f : 0.0f;
    const float zoom = (options & 8) ? 0.05f : 1.0f;
    const uint8_t alignment = (options >> 4) & 3;

    TRTFDrawer drawer;
    bool read = true;
    try {
        drawer.SetRTF(rtf);
    } catch (const Exception&) {
        read = false;
    }
    drawer.BreakLines(width);
    if (read) CheckDrawer(drawer, width);

    gdi::BitmapCanvas bitmap(64, 48);
    TScaleCanvas canvas(&bitmap);
    Setup(canvas, zoom);
    drawer.DrawInRect(canvas, alignment, 8, 6, width, 10, angle, (options >> 6) % 3);
    drawer.DrawCell(canvas, 8, 6, width, 10, angle);
    drawer.GetExtent(canvas, 8, 6, width, 10, angle);

    TRTFEllipseDrawer circle;
    try {
        circle.SetRTF(rtf);
    } catch (const Exception&) {
    }
    gdi::RecordingCanvas recording;
    TScaleCanvas onRecording(&recording);
    Setup(onRecording, zoom);
    TTextRing ring;
    LastCircleDrawTime = 0;
    circle.DrawOnCircle(onRecording, options & 1, 8, 6, 6, angle, (options & 2) ? 2.0f : 1.0f, alignment, ring);
    LastCircleDrawTime = 1000;
    circle.DrawOnCircle(canvas, options & 1, 8, 6, 6, angle, 1.0f, alignment, ring);
    LastCircleDrawTime = 0;
    return 0;
}
