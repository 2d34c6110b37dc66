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
// to the disk, the previous one gets the ".BAK" backup as a second name,
// the new one is renamed over it in one step and the backup goes. So the
// name holds the previous or the new document at every moment, also when
// the program is killed half-way. Through a symbolic link the file it points
// to is replaced and the link stays; the file keeps its permissions. A
// failure at any step leaves the previous document under its name and
// raises "IDS_CANNOTSAVEFILE" with the cause (a full disk, no permission, a
// folder that is gone); a read-only file is refused before anything is
// touched ("IDS_CANNOTSAVEFILE2").
//
// Loading reads into a freshly made document (one empty design): the
// database block, the sheet, then the designs, adding a tab for each after
// the first. The document's load caption counts the elements read; it is
// repainted a few times a second, not for every element, and shows the
// final count at the end. A file that ends early, a marker out of place or
// an element code that names no figure class (which shows
// "IDS_INVALIDELEMENT" first) end the load with "IDS_CANNOTREADFILE"; a file
// that is no document gives "IDS_INVALIDFILE". The figures read until then
// stay in their designs. Values with a wrong tag are damaged places that the
// load skips; their number is said once: in the failure's message, or after
// a load that succeeded through ReportSkippedPlaces ("IDS_DAMAGEDFILE").
// A picture whose bytes do not decode does not end the load: the picture
// figure keeps the bytes as they are (a marked empty box), and the load
// lists it in Filer.UnreadablePictures with its design's caption.

#include "document/EtikettFiler.h"

#include <QtCore/QString>

#include <cstdint>
#include <functional>
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
    // The clock (milliseconds) that spaces the repaints of the load caption.
    void SetProgressClock(std::function<int64_t()> clock);
    // The shortest time between two repaints of the load caption.
    static constexpr int64_t kProgressInterval = 250;
    // Everything behind the header. False, or an exception of the filer, when
    // the body cannot be read.
    bool ReadBody();
    // One element: its code and, for a figure code, the figure with the
    // document window as owner (older kinds already converted). 0 ends a
    // list; an invalid code gives 0, sets Aborted and shows "IDS_INVALIDELEMENT".
    uint8_t ReadElement(std::unique_ptr<TFigure>& figure);

    TEtikettFiler Filer;

private:
    // The system's error number of the first step that failed, or 0.
    int WriteNewFile(const QString& fileName, const QString& like, const TMemoryStream& bytes);
    // The ".BAK" name of the target as a second name of the previous file;
    // empty when there is none.
    QString MakeBackup(const QString& target);
    // "IDS_CANNOTSAVEFILE" with the cause of the error number.
    [[noreturn]] static void RaiseCannotSave(const QString& fileName, int errorNumber);
    // The whole load, the caption hidden at its end.
    void ReadDocument(TStream& stream, const QString& fileName);
    // The elements of one design up to its end code.
    bool ReadFigures(TEinzelEtikett& design);
    // The element count on the load caption, unless it was shown less than
    // kProgressInterval ago.
    void ShowProgress(bool always);
    // The message followed by the number of damaged places skipped, if any.
    QString WithSkippedPlaces(const QString& message) const;

    TDocumentBase& document_;
    TDocumentFileOps& ops_;
    std::function<int64_t()> progressClock_;
    int32_t elementsRead_ = 0;
    bool progressShown_ = false;
    int64_t progressShownAt_ = 0;
};

// The backup of a file: its name with the extension replaced by ".BAK".
QString BackupFileName(const QString& fileName);

// The blocks between the header and the designs: the database block when
// there is one, then the sheet block. False when the sheet block is not next.
bool ReadDocumentBlocks(TEtikettFiler& filer, TDataBaseConnector& connector, TEtikett& sheet);
