#pragma once
// The thumbnail of a document in the file-open dialog, made by a reduced
// reader of its own: it reads the header, steps over a database block, reads
// the sheet and the first design only, and draws one label with its figures
// (the light preview figures of PvFigure.h) on an off-screen scale canvas.
// It shows no message, never changes a document, and ends quietly at
// whatever it cannot read: what was drawn by then is the preview. A file
// whose header, sheet or first design cannot be read has no preview.
//
// Thumbnails are kept in the thumbnail cache under the file name and the
// file's date, so that a document is drawn once per change.

#include <QtCore/QString>

#include <cstdint>

namespace gdi {
class Bitmap;
}
class TBmpScaleCanvas;
class TEtikett;
class TStream;
class TThumbManager;

// The codes of a design the preview reads at most.
inline constexpr int32_t kMaxPreviewCodes = 32001;
// The bytes of a file the preview reads at most; a longer file is read as
// if it ended there.
inline constexpr int64_t kMaxPreviewFileBytes = int64_t{64} << 20;

// Draws the first label of the first design into the bitmap, which is
// resized to the label's aspect ratio within the size it has (the label's
// longer side spans the bitmap's). True when the document has a readable
// sheet and first design; otherwise false and the bitmap is left as it was
// (also when it is smaller than 2 x 2 pixels).
bool RenderDocumentPreview(gdi::Bitmap& bitmap, const QString& fileName);
bool RenderDocumentPreview(gdi::Bitmap& bitmap, TStream& stream);

// Sizes the canvas to one label of the sheet within width x height pixels:
// the label's longer side spans the width or the height.
void FitCanvasToLabel(TBmpScaleCanvas& canvas, const TEtikett& sheet, int32_t width, int32_t height);

// The document's thumbnail fitted into the target's size (aspect ratio kept):
// from the cache when it holds one for the file's date, else drawn at twice
// the size, halved with smoothing, and stored in the cache. False, with an
// empty target and nothing cached, for a file that has no preview.
bool GetDocumentThumbnail(gdi::Bitmap& target, const QString& fileName, TThumbManager& cache);
// The same with the program's thumbnail cache.
bool GetDocumentThumbnail(gdi::Bitmap& target, const QString& fileName);
