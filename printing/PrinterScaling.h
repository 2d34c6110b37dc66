#pragma once
// A scale canvas on the current printer's canvas, mapped as the printer's
// pages are printed: millimetres from the paper's top-left corner (the
// printer's unprintable margins taken off), zoom 1, no world offsets.

class TScaleCanvas;

// The scale canvas reset to the printer. On a printer of unequal resolutions
// the canvas maps the printer's context to square units of the larger one;
// the margins, which the printer gives in its own pixels, are turned into
// those units as well.
void ResetToPrinter(TScaleCanvas& canvas);
