// Draws the first design of a document and saves it as a PNG picture, for
// looking at documents:
//
//   zorbit-preview [--full] <document> <picture.png> [width [height]]
//
// Without --full the document is drawn the way the file-open preview draws
// it, with the preview's reduced reader. With --full it is loaded with the
// document file's reader into a document without a window, and its first
// design is drawn figure by figure as printing draws it. The picture fits
// into width x height pixels (400 x 400 unless given). The tool runs on Qt's
// offscreen platform unless QT_QPA_PLATFORM names another.
#include "design/DocumentFile.h"
#include "design/DocumentPreview.h"
#include "figures/Figure.h"
#include "foundation/BmpScaleCanvas.h"
#include "pictures/LoadPNG.h"
#include "platform/gdi/Bitmap.h"
#include "platform/imaging/Dib.h"
#include "platform/qtprinter/QtPrinterBackend.h"
#include "tools/WindowlessDocument.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtGui/QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: zorbit-preview [--full] <document> <picture.png> [width [height]]\n");
    return 2;
}

// The first label of the first design through the full reader; false with
// the reader's message when the document cannot be loaded.
bool RenderFirstDesign(gdi::Bitmap& bitmap, const QString& fileName) {
    TWindowlessDocument document;
    try {
        TDocumentFile(document).LoadFromFile(fileName);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zorbit-preview: %s\n", e.what());
        return false;
    }
    TEtikett& sheet = document.Sheet();
    TBmpScaleCanvas canvas;
    FitCanvasToLabel(canvas, sheet, bitmap.Width(), bitmap.Height());
    canvas.Pen().width = 1;
    sheet.DrawLabelFace(canvas, false);
    TEinzelEtikett& design = document.Design(0);
    for (int32_t i = 0; i < design.FigureCount(); ++i) design.GetFigure(i)->DrawTo(canvas);
    canvas.Pen().width = 1;
    sheet.DrawLabelGuides(canvas);
    bitmap = canvas.Bitmap();
    std::printf("%s: %d designs, %d figures in the first\n", fileName.toLocal8Bit().constData(),
                document.DesignCount(), design.FigureCount());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    gdi::InstallQtPrinters();
    const bool full = argc > 1 && std::strcmp(argv[1], "--full") == 0;
    if (full) {
        --argc;
        ++argv;
    }
    if (argc < 3 || argc > 5) return Usage();
    const int width = argc > 3 ? std::atoi(argv[3]) : 400;
    const int height = argc > 4 ? std::atoi(argv[4]) : width;
    if (width < 2 || height < 2 || width > 20000 || height > 20000) return Usage();

    const QString document = QString::fromLocal8Bit(argv[1]);
    const QString picture = QString::fromLocal8Bit(argv[2]);
    gdi::Bitmap bitmap(width, height);
    if (full) {
        if (!RenderFirstDesign(bitmap, document)) return 1;
    } else if (!RenderDocumentPreview(bitmap, document)) {
        std::fprintf(stderr, "zorbit-preview: %s has no preview (no document, or no sheet or design)\n", argv[1]);
        return 1;
    }
    const imaging::DibHandle dib = imaging::DIBFromBitmap(bitmap, 24);
    if (!dib || !SaveDIBAsPNG(picture, *dib, false)) {
        std::fprintf(stderr, "zorbit-preview: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%s: %d x %d pixels\n", argv[2], bitmap.Width(), bitmap.Height());
    return 0;
}
