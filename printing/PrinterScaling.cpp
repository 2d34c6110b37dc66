#include "printing/PrinterScaling.h"

#include "foundation/Rounding.h"
#include "foundation/ScaleCanvas.h"
#include "platform/printer/Printer.h"

#include <algorithm>

void ResetToPrinter(TScaleCanvas& canvas) {
    canvas.Reset(kResetPrinter);
    const gdi::DeviceCaps caps = gdi::CurrentPrinter().Caps();
    const int32_t dpiX = caps.logPixelsX, dpiY = caps.logPixelsY;
    if (dpiX == dpiY || dpiX <= 0 || dpiY <= 0) return;
    const int32_t larger = std::max(dpiX, dpiY);
    canvas.SetPhysicalOffsetX(MulDiv(caps.physicalOffsetX, larger, dpiX));
    canvas.SetPhysicalOffsetY(MulDiv(caps.physicalOffsetY, larger, dpiY));
}
