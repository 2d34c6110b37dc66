#pragma once
// The figure clipboard. Copying puts the selected figures of a design on the
// system clipboard twice: in the private format "Brimwell Figur32", which
// holds their element records exactly as a document file does (in selection
// order, then one 0 byte; no header, always the current variant), and as a
// picture for other programs. Pasting prefers the private format; a picture
// from another program becomes a picture figure centred on the label and
// filling 90 % of its width or height.
//
// The design's commands (TEinzelEtikett::CopySelection, CutSelection,
// Paste) call these with their undo handling; Paste is the one way to paste
// as one undo step.

#include "foundation/Scaler.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtGui/QImage>

#include <cstdint>
#include <functional>
#include <memory>

class TChildBase;
class TCustomScaler;
class TEinzelEtikett;
class TEtikett;
class TFigure;

namespace gdi {
class Metafile;
}

inline constexpr char kFigureClipboardFormat[] = "Brimwell Figur32";
// A private block larger than this is not read.
inline constexpr int64_t kMaxFigureClipboardBytes = int64_t{256} << 20;
// A picture of the selection larger than this is not put on the clipboard,
// and a picture from another program larger than this is not pasted.
inline constexpr int64_t kMaxClipboardPicturePixels = int64_t{32} << 20;

// The MIME type of the private format.
QString FigureClipboardMimeType();

// Copies the selection of the design. With nothing selected it shows the
// warning "IDS_NOCOPYELEMENT" and leaves the clipboard as it was (false).
bool CopyToClipboard(TEinzelEtikett& design);
// Pastes into the design (see above); the number of figures added.
int32_t PasteFromClipboard(TEinzelEtikett& design);
// True when the clipboard offers the private format or a picture.
bool CanPasteFromClipboard();

// The private element stream of the design's selection.
QByteArray SelectionElementBytes(TEinzelEtikett& design);
// Reads a private element stream into the design: everything is deselected,
// then each figure read is put on top and selected, the handles are shown and
// the design is marked modified. An invalid element code ends the reading
// with "IDS_INVALIDELEMENT" (the element reader shows it), damaged bytes with
// "IDS_CANNOTPASTE"; the figures read before stay. The number of figures added.
int32_t PasteElementBytes(TEinzelEtikett& design, const QByteArray& bytes);

// The figures of the design whose Selected flag is set, drawn at screen
// resolution on a white bitmap 2 pixels larger than their extent; a null
// image when it would exceed kMaxClipboardPicturePixels. With nothing
// selected: the warning "IDS_NOCOPYELEMENT" and a null image.
QImage RenderSelectionBitmap(TEinzelEtikett& design);
// The same as a metafile 1 pixel larger than the extent; an empty metafile
// (and the warning) with nothing selected.
std::unique_ptr<gdi::Metafile> RenderSelectionMetafile(TEinzelEtikett& design);
// Writes RenderSelectionMetafile to the file (the document window's export
// to "export.wmf"); raises EFCreateError when it cannot.
bool SaveSelectionAsMetafile(TEinzelEtikett& design, const QString& fileName);

// ---- pictures from other programs
// A picture on the clipboard becomes a picture figure (MakePictureFigure);
// tests may put a maker of their own in its place.
struct TClipboardPicture {
    // The bytes of a metafile picture (WMF or EMF) when the clipboard offers
    // one, else the image.
    QByteArray MetafileBytes;
    QImage Image;
};
struct TPastedPicture {
    std::unique_ptr<TFigure> Figure;
    // The picture's size in pixels (the metafile's device units).
    int32_t PixelWidth = 0;
    int32_t PixelHeight = 0;
};
// Makes the figure (without placing it); raises an Exception when the
// picture cannot be read.
using TPictureFigureMaker = std::function<TPastedPicture(TChildBase& owner, const TClipboardPicture& picture)>;
// The picture figure of a clipboard picture: a metafile figure when the
// clipboard offers a metafile, else a raster picture without file (saved as
// PNG), keeping the image's alpha. Raises Exception when the picture is empty
// or cannot be read.
TPastedPicture MakePictureFigure(TChildBase& owner, const TClipboardPicture& picture);
// An empty maker puts MakePictureFigure back.
void SetPictureFigureMaker(TPictureFigureMaker maker);
// Puts a made picture into the design: centred on the label, fitted to it,
// on top and selected. A maker that fails shows "IDS_CANNOTPASTE". The
// number of figures added (0 or 1).
int32_t PastePicture(TEinzelEtikett& design, const TClipboardPicture& picture);

// The label's centre in mm: half its width and height, exchanged on a
// landscape sheet.
TFloatPoint LabelCentre(const TEtikett& sheet);
// A picture of width x height pixels, converted to mm on the view and scaled
// (keeping its aspect, up or down) until it touches 90 % of the label's width
// or height.
void FitToLabel(const TEtikett& sheet, const TCustomScaler& view, double& width, double& height);
