#include "printing/PrintSheetPicture.h"

#include "document/Etikett.h"
#include "foundation/ScaleCanvas.h"

#include <memory>

void DrawSheetPicture(TScaleCanvas& canvas, const TPrintSheetPicture& sheet) {
    canvas.Canvas().SaveDC();
    canvas.Pen() = gdi::Pen{};
    canvas.Brush() = gdi::SolidBrush(gdi::Rgb(255, 255, 255));
    const gdi::Rect page = canvas.MMRectToPixel(0, 0, sheet.PageWidth, sheet.PageHeight);
    canvas.Canvas().Rectangle(page.left, page.top, page.right + 1, page.bottom + 1);
    canvas.Canvas().RestoreDC(-1);
    if (sheet.Draw) sheet.Draw(canvas);
}

TPrintSheetPicture SheetPictureOf(const TEtikett& sheet) {
    auto copy = std::make_shared<TEtikett>();
    copy->Assign(sheet);
    copy->Orientation = 0;
    TPrintSheetPicture picture;
    picture.PageWidth = copy->PageWidth;
    picture.PageHeight = copy->PageHeight;
    picture.Draw = [copy](TScaleCanvas& canvas) { copy->DrawSheet(canvas); };
    return picture;
}
