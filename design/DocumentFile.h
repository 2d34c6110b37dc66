#pragma once
// The document file: one binary file of tagged values (EtikettFiler.h).
//
//   header          "TUVI_0101" and the tagged Double 2.0
//   database block  raw byte 24 and the block, when the document has one
//   sheet block     raw byte 3 and the label sheet
//   design count    tagged Longint n
//   n designs       raw byte 1, the tab caption (tagged String), every
//                   figure in z-order as its element code and record, raw byte 0
//
// A TDocumentFile serves one save or load of one document. Saving never
// loses the previous document: the new file is written beside it and pushed
// to the disk, the previous one becomes the ".BAK" backup, the new one takes
// its name and the backup goes. A failure at any step leaves the previous
// document under its name and raises "IDS_CANNOTSAVEFILE"; a read-only file
// is refused before anything is touched ("IDS_CANNOTSAVEFILE2").
//
// Loading reads into a freshly made document (one empty design): the
// database block, the sheet, then the designs, adding a tab for each after
// the first. The document's load caption counts the elements read. A file
// that ends early, a marker out of place or an element code that names no
// figure class (which shows "IDS_INVALIDELEMENT" first) end the load with
// "IDS_CANNOTREADFILE"; a file that is no document gives "IDS_INVALIDFILE".
// A picture whose bytes do not decode does not end it: the picture figure
// keeps the bytes as they are (a marked empty box), and the load lists it
// in Filer.UnreadablePictures with its design's caption.
// The figures read until then stay in their designs.

#include "document/EtikettFiler.h"

#include <QtCore/QString>

#include <cstdint>
#include <memory>

class TDataBaseConnector;
class TDocumentBase;
class TDocumentFileOps;
class TEinzelEtikett;
class TEtikett;
class TFigure;
class TStream;

// The file exists and may not be written ("IDS_CANNOTSAVEFILE2").
ZORBIT_DECLARE_EXCEPTION(EReadOnlyFile, EFCreateError);

class TDocumentFile {
public:
    // The largest file that is read.
    static constexpr int64_t kMaxFileBytes = int64_t{1} << 30;

    explicit TDocumentFile(TDocumentBase& document);
    // Saves through the given file operations instead of the disk's.
    TDocumentFile(TDocumentBase& document, TDocumentFileOps& ops);

    // Writes the whole document to the file (see above). True, or an
    // exception: EReadOnlyFile, or EFCreateError with "IDS_CANNOTSAVEFILE".
    bool SaveToFile(const QString& fileName);
    // The document's bytes as the file holds them.
    void SaveToStream(TStream& stream);

    // Reads the file into the document. True, or an exception: the file's
    // own open error, EInvalidFile, or EFilerReadError ("IDS_CANNOTREADFILE").
    bool LoadFromFile(const QString& fileName);
    // The same from a stream; the name goes into the messages.
    bool LoadFromStream(TStream& stream, const QString& fileName);
    // Everything behind the header. False, or an exception of the filer, when
    // the body cannot be read.
    bool ReadBody();
    // One element: its code and, for a figure code, the figure with the
    // document window as owner (older kinds already converted). 0 ends a
    // list; an invalid code gives 0, sets Aborted and shows "IDS_INVALIDELEMENT".
    uint8_t ReadElement(std::unique_ptr<TFigure>& figure);

    TEtikettFiler Filer;

private:
    void WriteNewFile(const QString& fileName, const QString& like, const TMemoryStream& bytes);
    // Puts the written file in place of the target, keeping the target as
    // the backup until the new one has its name.
    void ReplaceFile(const QString& target, const QString& written);
    // The elements of one design up to its end code.
    bool ReadFigures(TEinzelEtikett& design);
    void ShowProgress();

    TDocumentBase& document_;
    TDocumentFileOps& ops_;
    int32_t elementsRead_ = 0;
};

// The backup of a file: its name with the extension replaced by ".BAK".
QString BackupFileName(const QString& fileName);

// The blocks between the header and the designs: the database block when
// there is one, then the sheet block. False when the sheet block is not next.
bool ReadDocumentBlocks(TEtikettFiler& filer, TDataBaseConnector& connector, TEtikett& sheet);
