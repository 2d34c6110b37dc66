#pragma once
// What the print windows draw of a label sheet: its page size and a routine
// that draws the page with every label in sheet millimetres. The print
// engine, which knows the sheet definition of the document, supplies it;
// without one the windows show a plain A4 page.

#include <functional>

class TEtikett;
class TScaleCanvas;

struct TPrintSheetPicture {
    float PageWidth = 210;
    float PageHeight = 297;
    // Draws the page and its labels; empty: the page alone.
    std::function<void(TScaleCanvas&)> Draw;
};

// The page as a white rectangle with a black outline, then Draw.
void DrawSheetPicture(TScaleCanvas& canvas, const TPrintSheetPicture& sheet);

// The picture of a copy of the sheet, turned to portrait (as it is printed).
TPrintSheetPicture SheetPictureOf(const TEtikett& sheet);
