// Draws the first design of a document the way the file-open preview does
// and saves it as a PNG picture, for looking at documents:
//
//   zorbit-preview <document> <picture.png> [width [height]]
//
// The picture fits into width x height pixels (400 x 400 unless given). The
// tool runs on Qt's offscreen platform unless QT_QPA_PLATFORM names another.
#include "document/design/DocumentPreview.h"
#include "pictures/LoadPNG.h"
#include "platform/gdi/Bitmap.h"
#include "platform/imaging/Dib.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtGui/QGuiApplication>

#include <cstdio>
#include <cstdlib>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: zorbit-preview <document> <picture.png> [width [height]]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3 || argc > 5) return Usage();
    const int width = argc > 3 ? std::atoi(argv[3]) : 400;
    const int height = argc > 4 ? std::atoi(argv[4]) : width;
    if (width < 2 || height < 2 || width > 20000 || height > 20000) return Usage();

    const QString document = QString::fromLocal8Bit(argv[1]);
    const QString picture = QString::fromLocal8Bit(argv[2]);
    gdi::Bitmap bitmap(width, height);
    if (!RenderDocumentPreview(bitmap, document)) {
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
